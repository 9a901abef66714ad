#pragma once
// A reinforced-concrete cross-section for the strain-plane analysis.
//
// The concrete outline is a stack of horizontal trapezoid parts; moments are taken about
// the reference axis at `reference_depth`. One concrete law, four steel laws and up to 50
// reinforcement layers of the section's own complete it.
//
// Units: lengths in m measured downward from the top fibre (depth 0 at the top edge,
// `height` at the bottom edge), forces in kN, stresses and moduli in kN/m², strains as
// plain numbers (not per mille), compression negative. The material records hold MN/m²
// and per mille; `Setup_Section` converts.
//
// A record holds no pointers: copying is a plain copy.

struct Material_Set;

constexpr int SECTION_MAX_PARTS = 64;
constexpr int SECTION_MAX_LAYERS = 50;

// Concrete stress-strain law (parabola-rectangle or nonlinear, optional tension branch).
struct Concrete_Law {
    double fc;            // [kN/m²] magnitude of the design compressive strength (positive)
    double eps_cu;        // ultimate compressive strain (negative): limit of the compressed edge
    double eps_peak;      // strain at which the curve reaches fc (negative)
    double exponent;      // exponent n of the parabola, or factor k of the nonlinear law
    double fct;           // [kN/m²] tensile strength; used only while eps_t_limit > 0
    double eps_t_limit;   // strain beyond which the tensile stress is zero
    double eps_t_peak;    // strain at which the tensile stress reaches fct
    double eps_shift;     // added to every strain before the law is evaluated
    int law_kind;         // 1 nonlinear law; any other value parabola-rectangle
};

// Bilinear steel law with hardening; tension side first, then compression side.
struct Steel_Law {
    double fy_t;          // [kN/m²] design yield strength in tension
    double k_t;           // design tensile strength / fy_t (1.0: no hardening)
    double eps_u_t;       // limit strain in tension
    double eps_y_t;       // design yield strain in tension (the stress law uses fy_t / E_t)
    double E_t;           // [kN/m²] modulus, tension side
    double fy_c;          // [kN/m²] design yield strength in compression
    double k_c;           // hardening ratio in compression
    double eps_u_c;       // limit strain in compression
    double E_c;           // [kN/m²] modulus, compression side
    int subtract_concrete;  // nonzero: bars displace concrete; its stress is subtracted
};

struct Section_Record {
    int part_count;                               // outline parts in use, 1..64
    double height;                                // [m] total depth
    double part_top[SECTION_MAX_PARTS];           // [m] depth of each part's upper edge
    double part_bottom[SECTION_MAX_PARTS];        // [m] depth of each part's lower edge
    double reference_depth;                       // [m] depth of the reference axis
    double width_top[SECTION_MAX_PARTS];          // [m] width at the part's upper edge
    double width_bottom[SECTION_MAX_PARTS];       // [m] width at the part's lower edge
    double width_slope[SECTION_MAX_PARTS];        // [m/m] change of width per m of depth
    // The part's width line extended to depth 0: width(z) = width_at_zero + width_slope * z.
    // 1e100 for a part of zero depth whose two widths differ.
    double width_at_zero[SECTION_MAX_PARTS];
    double upper_layer_depth;                     // [m] upper design layer (steel_law[0])
    double lower_layer_depth;                     // [m] lower design layer (steel_law[1])
    double ring_radius_outer;                     // [m] outer bar ring of a circle; else 0
    double ring_radius_inner;                     // [m] inner bar ring of a circle; else 0
    Concrete_Law concrete_law;
    // [0] upper of two added layers, [1] lower of two added layers, [2] added layers in
    // every other case, [3] the section's own layers.
    Steel_Law steel_law[4];
    // Read by the section design: [0] minimum reinforcement ratio in % of the gross area;
    // [1] 100.0 after set-up; [2] 0, or -1 for the circular outline; [3] 0 after set-up.
    double design_param[4];
    int layer_count;                              // own layers, 0..50
    double layer_area[SECTION_MAX_LAYERS];        // [m²]
    double layer_depth[SECTION_MAX_LAYERS];       // [m]
    int option_bits;                              // bits of the section design; 0 after set-up
};

// Shapes of `Setup_Section`.
enum Section_Shape {
    SECTION_RECTANGLE = 0,
    SECTION_FLANGED_TOP = 1,
    SECTION_FLANGED_BOTH = 2,
    SECTION_CIRCLE = 3,
};

// sqrt(pi / (64 sin(pi/64))): a 128-gon inscribed in this multiple of r has the area of
// the circle of radius r.
constexpr double CIRCLE_POLYGON_FACTOR = 1.0002008339103527;

// [m] by how much the polygon radius of the last circular outline exceeds the true radius;
// written by `Set_Circular_Outline`, reset to 0 by `Setup_Section` for the shapes 0..2 (a
// stale value would shift the tension resultant of later non-circular sections).
extern double circle_radius_excess;

// One part 0..0.2 m of width 1.0 m, reference axis at 0.1 m, layer depths 0.03 / 0.16 m,
// fc 17500 kN/m² with eps_cu -0.0035, eps_peak -0.002, exponent 2, no tension branch;
// every steel law fy 500000 kN/m², k 1.0, eps_u 0.005, eps_y 0.003, E 2.1e8; design
// parameters 0, 100, 0, 0; no layers; option bits 0. Always 0.
int Init_Section_Defaults(Section_Record* section);

// The width line of part i (`width_slope`, `width_at_zero`) from its edges and widths; a
// part of zero depth gets slope 0 and its width where both widths agree, else 1e100.
void Set_Part_Width_Line(Section_Record* section, int i);

// Sets the section up from dimensions in cm (each multiplied by 0.01) and the material set
// (first concrete record; steel record 1 for law block 0, record 0 for blocks 1..3).
//   shape 0 rectangle h x b; 1 flange b1 x t1 at the top over a web of width b;
//   2 flanges at top (t1, b1) and bottom (t2, b2); 3 circle of radius h with a hole of
//   radius t1 (t1 <= 0: solid), `height` becomes the polygon diameter.
// Shapes 0..2: layer 0 at h - d_bottom, layer 1 at d_top (both areas 0), reference axis at
// z_ref. Shape 3: both layer depths 0, ring radii h - d_bottom and t1 + d_top, reference
// axis at the centre.
// Result 1; 0 for any other shape (the record is then left untouched).
// A null set (or one without concrete or steel records) leaves the laws concerned as
// they were. A steel whose fyd is 0 gets the hardening ratio 1.0 (its stresses are then 0).
int Setup_Section(Section_Record* section, int shape, double h, double b, double t1, double b1,
                  double t2, double b2, double d_top, double d_bottom, double z_ref,
                  const Material_Set* set);

// 64-part polygon outline of a circle of radius r (m) with an optional concentric hole of
// radius r_inner (<= 0: none); reference axis at the centre. Always 1.
int Set_Circular_Outline(Section_Record* section, double r, double r_inner);

// [m] depth of the centroid of the outline; 0 for no parts or no positive area.
double Calc_Outline_Centroid(const Section_Record* section);

// Two rectangular parts: 0..hf of width bf, hf..h of width bw (lengths in m); reference
// axis at the centroid (0 when the area is not positive). Layers and laws stay.
void Set_Flanged_Outline(Section_Record* section, double h, double hf, double bf, double bw);
