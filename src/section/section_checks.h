#pragma once
// The shear and torsion checks of one reinforced-concrete section: the work record they
// share, their result bits and the driver that validates the record and runs one check.
//
// The caller fills the section's shape, dimensions, reinforcement, forces, options and
// material set; the driver sets the result fields to their start values, validates the
// input and hands the record to the design by the current standards, the design by
// DIN 1045 (1988) or the compression-stress check. The check writes its results back into
// the record and returns a bit set of findings.
//
// Units: lengths in cm, areas in cm², forces in kN, moments in kNm, stresses in N/mm²,
// angles in degrees. −1.0 marks a result that was not computed.

struct Material_Set;

struct Calc_Work_Record {
    // --- input ---
    int shape;                 // 0 rectangle, 1 T-section (web and one flange), 2 I-section,
                               // 3 circular ring or solid circle, 4 trapezoid or four-wall box
    double width_1;            // web width bw (shapes 0..2), bottom width (shape 4)
    double width_2;            // width of the first flange (shapes 1, 2), top width (shape 4)
    double width_3;            // width of the second flange (shape 2)
    double height;             // overall depth h
    double thickness_1;        // thickness of the first (top) flange; outer radius (shape 3)
    double thickness_2;        // thickness of the second flange; inner radius (shape 3)
    double x_ratio;            // x/d of the compression zone; 0: the code's limit
    double z_ratio;            // lever arm as a fraction of d; 0: 0.9
    double d;                  // effective depth
    double extra_1;            // two dimensions of the caller's section analysis,
    double extra_2;            //   each at least 0.001
    double level_3;            // a level from the top edge, mirrored with the section
    double edge_top;           // distance of the top longitudinal reinforcement from the edge
    double edge_bottom;        // the same for the bottom reinforcement
    double wall_1;             // shape 4: the two web walls ...
    double wall_2;
    double wall_3;             // ... and the two flange walls
    double wall_4;
    double cover_long;         // cover of the longitudinal reinforcement (lever-arm limit)
    double flange_share_1;     // share of the flange force in the outstand of flange 1
    double flange_share_2;     //   and flange 2; negative: 0.3
    double alpha;              // inclination of the shear reinforcement; 0 or above 89: 90
    double steel_stress;       // stress for the ÖNORM B 4700 strut-angle range
    double area_compression;   // steel in the compression zone (ÖNORM VRd,max reduction)
    double N;                  // axial force, tension positive
    double M;                  // bending moment
    double As_long;            // longitudinal tension reinforcement
    double Vz;                 // shear force components (Vy only for the rectangle:
    double Vy;                 //   biaxial shear)
    double V;                  // design shear force of the checks
    double T;                  // torsional moment
    double flange_length;      // length over which the flange force changes
    double flange_dM;          // change of moment over that length
    double asw_chosen;         // chosen shear reinforcement [cm²/m]
    Material_Set* material;
    int member_kind;           // 0 beam; 1 and more slab-like
    int steel_index;           // shear reinforcement: 0..2 DIN 1045 steels, 3..12 current, 13 free
    int check_min_shear_reinf; // non-zero: the minimum shear reinforcement is checked
    int crack_check;           // non-zero: decide from the gross section whether it is cracked
    int check_option;          // negative: compression-stress check only; positive with a
                               //   slab-like member: design ρl for VRd,c = V
    int crack_depth_d;         // 0: cracked depth limited by height; non-zero: by d
    int apply_vmin;            // non-zero: VRd,c not below vmin
    int interface_check;       // non-zero: shear at an interface of concretes of two ages
    int roughness_class;       // 0..3 interface roughness
    int interface_dynamic;     // non-zero: fatigue or dynamic loading at the interface
    int no_shear_reinf;        // non-zero: the member has no shear reinforcement
    int theta_fixed;           // non-zero with a given angle below 2: cot θ = 1.2
    double theta_given;        // strut inclination θ; 0: chosen by the check
    double interface_alpha;    // inclination of the interface reinforcement
    double interface_beta;     // ratio β of the new concrete's force
    double interface_sigma_n;  // normal force across the interface
    double interface_width;    // interface width b_i
    double ring_factor;        // shape 3: factor on the shear reinforcement (0.1..1.0)
    double stress_factor;      // factor on the compression-stress limit

    // --- results ---
    double asw_req;            // required shear reinforcement of the web [cm²/m]
    double asf_1;              // transverse reinforcement of flange 1 and 2 [cm²/m];
    double asf_2;              //   −1.0 when the flange struts fail
    double asw_torsion[3];     // shear reinforcement for torsion per part [cm²/m]
    double asl_torsion[3];     // longitudinal reinforcement for torsion per part [cm²]
    double VRd_c;              // shear resistance without shear reinforcement [kN]
    double flange_VRd_1;       // resistance of the flange connections
    double flange_VRd_2;
    double rho_l_percent;      // longitudinal reinforcement ratio used [%]
    double cot_theta_f1;       // cot θf of the flanges
    double cot_theta_f2;
    double dFtd;               // additional tensile force 0.5 V (cot θ − cot α) [kN]
    double VRd_max;            // VRd,max [kN]
    double theta;              // strut angle used [degrees]
    double z;                  // lever arm used [cm]
    double asw_min;            // minimum shear reinforcement [cm²/m]
    double asw_total;          // shear reinforcement before the minimum [cm²/m]
    double V_wall;             // shear of the governing wall with the torsion share [kN]
    double F_flange_1;         // flange force or shear per length [kN]
    double F_flange_2;
    double TRd_max;            // TRd,max [kNm]
    double interaction_1;      // torsion/shear interaction per part
    double interaction_2;
    double interaction_3;
    double t_ef;               // effective wall thickness [cm]; a positive input is used
    double r_k;                // measure of the torsion core [cm]
    double fctd;               // design tensile strength used [N/mm²]
    double T_limit;            // VEd bw/4.5 [kNm]
    double V_combined;         // VEd + 4.5 TEd/bw [kN]
    int shear_zone;            // 1, 2 or 3: range of V/VRd,max
    int zone_2;
    int zone_3;
    double v_Edi;              // interface: acting shear stress
    double v_Rdi;              //   resistance
    double theta_i;            //   strut angle [degrees]
    double asi_req;            //   required reinforcement (−1.0 above the upper limit)
    double v_Rdi_max;          //   upper limit
    double z_i;                //   lever arm [cm]
    int interface_zone;        // range word of the interface check
};

// Result bits of the checks.
constexpr int SECTION_CHECK_FAILED = 0x1;            // invalid input, or 0x8, 0x20, 0x40
constexpr int SECTION_CHECK_MIN_REINF = 0x2;         // the minimum shear reinforcement governs
constexpr int SECTION_CHECK_THETA_AT_LIMIT = 0x4;    // strut angle set to its limit
constexpr int SECTION_CHECK_SHEAR_EXCEEDED = 0x8;    // VRd,max, or VRd,c without stirrups
constexpr int SECTION_CHECK_NO_REINF_NEEDED = 0x10;  // torsion below its limits
constexpr int SECTION_CHECK_TORSION_EXCEEDED = 0x20; // TRd,max, or no valid strut angle
constexpr int SECTION_CHECK_INTERACTION = 0x40;      // interaction above 1.01
constexpr int SECTION_CHECK_FLANGE_STRUTS = 0x80;    // flange struts fail
constexpr int SECTION_CHECK_RHO_L_DESIGNED = 0x100;  // ρl designed instead of stirrups
constexpr int SECTION_CHECK_THETA_STEEPER = 0x200;   // strut made steeper to reach V
constexpr int SECTION_CHECK_SLAB_COMPRESSION = 0x400;
constexpr int SECTION_CHECK_NO_STIRRUPS = 0x800;     // reinforcement needed, none present
constexpr int SECTION_CHECK_INTERFACE_ANGLE = 0x1000;
constexpr int SECTION_CHECK_REDUCED_DEPTH = 0x2000;  // uncracked, cut to the compression zone
constexpr int SECTION_CHECK_UNCRACKED = 0x8000;      // uncracked in bending
constexpr int SECTION_CHECK_VMIN = 0x10000;          // vmin governs VRd,c
constexpr int SECTION_CHECK_THETA_ADAPTED = 0x20000; // angle adapted to the chosen steel
constexpr int SECTION_CHECK_INTERFACE_LIMITED = 0x40000;
constexpr int SECTION_CHECK_INTERFACE_TENSION = 0x80000;
constexpr int SECTION_CHECK_UNUSABLE = 0x29;         // unusable material or geometry

// Sets the result fields to their start values, validates the record and runs one check:
// check_option negative the compression-stress check, else mode 0 the DIN 1045 (1988)
// design, any other mode the design by the current standards. A T-section whose web is
// wider than its flange is mirrored top to bottom first. An invalid record returns 1,
// plus 8 with a shear force and 32 with a torsional moment, plus 64 with both; its results
// keep their start values. A null record returns 1.
int Run_Shear_Torsion_Checks(int mode, Calc_Work_Record* record);

// The checks behind the driver; each takes a record that the driver has validated.
//
// Design by EN 1992-1-1, EN 1992-2, DIN 1045-1 and ÖNORM B 4700: strut angle, VRd,c,
// VRd,max, shear reinforcement and its minimum, TRd,max, torsion reinforcement,
// interaction, flange connections and the interface between concretes of two ages.
// Besides the results it may change alpha, theta_given, width_1 (shape 4), x_ratio, the
// flange shares and the interface inputs.
int Calc_Shear_Torsion_Resistance(Calc_Work_Record* record);
// Shear and torsion by DIN 1045 (1988) through nominal shear stresses and shear zones.
// The result fields then hold stresses: VRd_c τ0, flange_VRd_1/2 the flange τ0,
// rho_l_percent the design shear stress τ, VRd_max the governing limit, cot_theta_f1/2
// the flange design stresses.
int Calc_Section_Torsion_Values(Calc_Work_Record* record);
// The extreme compression stress of the gross section under N, M and |Vz| against
// η1 fcd stress_factor (the 1988 standard: its design strength / 2.1). VRd_max receives
// the limit, dFtd the compression (the limit itself when it lies less than 0.01 above).
// 0, or 9 when the compression reaches the limit plus 0.01.
int Check_Compression_Stress(Calc_Work_Record* record);

// Torsion constants of a b × h rectangle: Wt = β h b², It = α h b³ with α and β of the
// side ratio h/b (interpolated in the table; below 1 the row of 1, from 10 on 0.333).
void Calc_Torsion_Constants(double b, double h, double* Wt, double* It);
