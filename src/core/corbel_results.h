#pragma once
// Results of the corbel design: one Load_Case_Result per row of the ultimate-limit-state
// load table, and the summary over all rows (envelope, governing row, the values that the
// fatigue and anchorage checks add, and the failure flags of the calculation).
//
// Units: forces in N, areas in cm², lengths in cm, stresses in N/mm², angles in degrees.
// A required area below -0.01 marks a failed design and is stored as -1.0.
#include <string>

struct Corbel_Model;

// Checks of one combination that can fail although its reinforcement was found. The design
// procedure sets the bit where its comparison fails; the design text writes the verdict of
// that line from it; a set bit fails the position's verdict.
enum Design_Check_Bit : unsigned {
    DESIGN_CHECK_BEARING = 1u << 0,     // bearing pressure
    DESIGN_CHECK_STRUT = 1u << 1,       // strut pressure σd, minimum width min b
    DESIGN_CHECK_SHEAR = 1u << 2,       // σ0 against its limit, VEd against VRd,max
    DESIGN_CHECK_ZONE = 1u << 3,        // compression zone x against zul x
    DESIGN_CHECK_MIN_HEIGHT = 1u << 4,  // min hk of the classic model
    DESIGN_CHECK_MIN_DEPTH = 1u << 5,   // min dk of the classic model (inclined hangers)
    // Results only: the design of the combination could not be carried out.
    DESIGN_NOT_CARRIED_OUT = 1u << 6,
    // The concrete check of the method made with the whole hung-up load.
    DESIGN_CHECK_WHOLE_LOAD = 1u << 7,
};

// The names of the failed checks in a mask, for the lines that list them ("Lagerpressung,
// Druckstrebe"; the strut's checks are named once); empty for none. DESIGN_NOT_CARRIED_OUT
// is not named.
const char* Failed_Check_Names(unsigned failed_checks);

// The design result of one ultimate-limit-state combination: 15 doubles in this order, the
// failed checks and the compression steel of the nose.
struct Load_Case_Result {
    double A;          // vertical force as designed, N
    double H;          // horizontal force as designed (after the dry-joint rule), N
    double As_h;       // tie
    double As_v;       // vertical hanger
    double As_s;       // inclined hanger
    double Asb_h;      // horizontal stirrups
    double Asb_v;      // vertical stirrups
    double As_v1;      // hanger anchoring As,h (beam procedure)
    double As_v2;      // stirrups for T3 (beam procedure)
    double As_h1;      // anchorage of the span reinforcement (beam procedure)
    double z3;         // lever arm at which As,h is anchored, cm (beam procedure)
    double theta_A;    // strut angle at the support node, degrees (beam procedure)
    double delta_ac;   // the load distance at the compression zone (written "úac"), cm
    double sigma_p;    // bearing pressure, N/mm²
    double Ast;        // As,h + As,v + As,s; -1.0 when one of them failed
    unsigned failed_checks;  // Design_Check_Bit of the combination
    double As_nose;    // compression steel the nose needs; not in Ast, no chosen bar holds it
};

// A required area or length of the summary that could not be determined (no combination
// was designed) is stored as -1.0: unknown, not zero.
inline bool Required_Value_Unknown(double value) { return value < -0.001; }

// The result summary of the model: 39 reals, the flags of the calculation and the
// governing row. Real i (counted from 0) is the field commented "i".
struct Load_Case_Summary {
    // Envelope over all rows (Evaluate_Load_Case_Results): the largest value of every field,
    // theta_A the smallest. Note the order Asb_v before Asb_h (unlike the row).
    double As_h;        // 0
    double As_v;        // 1
    double As_s;        // 2
    double Asb_v;       // 3
    double Asb_h;       // 4
    double As_h1;       // 5
    double As_v1;       // 6
    double As_v2;       // 7
    double z3;          // 8
    double theta_A;     // 9  smallest; 0.0 when no row lowered it
    double delta_ac;    // 10
    double sigma_p;     // 11
    double Ast;         // 12 total of the governing row
    // Fatigue check: stress range and the extra areas (-1.0: not designable).
    double delta_sigma_s;       // 13
    double dAs_h_fat;           // 14
    double dAsb_v_fat;          // 15
    double dAsb_h_fat;          // 16
    double fatigue_utilisation; // 17 concrete utilisation
    // Final areas: copies of the envelope's As_h, Asb_v and Asb_h that the fatigue check
    // may raise; the reinforcement report and the anchorage read these.
    double final_As_h;          // 18
    double final_Asb_v;         // 19
    double final_Asb_h;         // 20
    // Anchorage, lap lengths and mandrel diameters (cm, rounded to 0.1), in table order.
    double l_req_main;          // 21 required anchorage length of the main tie
    double l_prov_main;         // 22 available anchorage length of the main tie
    double l_main_member;       // 23 main tie in the beam (anchorage) or column (lap)
    double l_lap_anch;          // 24 lap of the anchorage loops in the beam
    double l_req_anch;          // 25 required anchorage of the loops to the corbel edge
    double l_req_field;         // 26 required anchorage of the beam's field bars from e
    double l_split;             // 27 anchorage of the horizontal splitting loops
    double l_req_incl;          // 28 required anchorage of the inclined bars
    double l_lap_incl;          // 29 lap of the inclined bars in the beam or column
    double D_corbel;            // 30 mandrel diameter of the main tie in the corbel
    double D_column;            // 31 mandrel diameter of the main tie in the column
    double D_incl_loop;         // 32 mandrel diameter of looped inclined bars
    double D_incl_member;       // 33 mandrel diameter of the inclined bars in the member
    double D_vert;              // 34 mandrel diameter of the hanger stirrups (beam-end)
    double l_prov_incl;         // 35 available anchorage length of the inclined bars
    double l_prov_field;        // 36 available anchorage length of the field bars
    double l_prov_anch;         // 37 available anchorage length of the anchorage loops
    double As_nose;             // 38 compression steel in the nose (largest of the rows)
    // Flags of the calculation.
    int design_failed;          // a required value could not be determined
    int none_designed;          // no loaded row was designed to the end (or the data check
                                // refused the position): the required areas are unknown, not 0
    unsigned check_failed;      // the failed checks of all rows (Design_Check_Bit)
    int fatigue_failed;         // set by the fatigue check
    int cover_failed;           // set by the cover check of the input echo
    int rebar_failed;           // chosen reinforcement insufficient (reinforcement report)
    int axis_failed;            // a provided axis distance (d1k, e1) lies visibly beyond the one
                                // the design assumed: the design does not hold for the bars
    int short_main;             // available anchorage length of the main tie too short
    int short_incl;             // ... of the inclined bars
    int short_anch;             // ... of the anchorage loops
    int no_load;                // no combination carries a load: nothing designed, nothing
                                // required, no verdict
    // The governing row as a number from 1; -1 for none.
    int governing_case;
};

constexpr int SUMMARY_REAL_COUNT = 38;

// Clears the summary: every value and flag 0, the governing row -1 (what a fresh result
// array starts with).
void Reset_Load_Case_Summary(Load_Case_Summary* summary);

// Envelope, governing row, design-failed flag and the failed checks over the model's
// results, one result per row of the ultimate-limit-state table. Returns 1 when no row failed (also for an empty
// table), else 0. Null model: 1, nothing changed.
int Evaluate_Load_Case_Results(Corbel_Model* model);

// The loaded combinations whose design could not be carried out while another one was
// designed, as the report names them ("Lk 2", "Lk 2, 5"): the envelope then holds the
// others' required values only, a lower bound of what the position needs. Empty when every
// loaded combination was designed, or none was (then nothing is known at all).
std::string Undesigned_Combinations(const Corbel_Model& model);
