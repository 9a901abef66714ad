#pragma once
// The walk of a strain state along the boundary of admissible (ultimate) strain planes of
// a section, and the scalar callbacks on it that the root finder and the minimiser drive
// (form `Numeric_Function` of "base/numeric.h": double f(double t, void* context)).
//
// Strains plain, compression negative; depths in m downward from the top edge; N in kN
// (tension positive), M in kNm about `reference_depth`.
//
// A limit strain state is the strain eps_a of the edge at depth z_a where the concrete
// limit applies and the strain eps_b of the opposite edge at z_b. The boundary has three
// pivots: the reinforcement at z_s at its limit strain eps_su, the edge z_a at eps_cu,
// and the point z_c at eps_c2 (the peak strain) for fully compressed planes.
//
// Not re-entrant: the candidate table is module storage.

struct Section_Record;
struct Steel_Law;

// Results of Advance_Limit_Strain_State.
enum {
    LIMIT_STATE_MOVED = 0,
    LIMIT_STATE_PURE_TENSION = -1,      // passed eps_su at z_a: both strains eps_su
    LIMIT_STATE_PURE_COMPRESSION = -2,  // passed eps_c2: both strains eps_c2
    LIMIT_STATE_OFF_BOUNDARY = 1,       // the given state lies on no pivot (nothing moved)
};

// Moves (eps_a, eps_b) by the increment t along the boundary; negative t walks from
// uniform tension towards uniform compression. Equalities are tested on differences
// rounded to 8 decimals.
int Advance_Limit_Strain_State(double* eps_a, double* eps_b, double z_a, double z_s, double z_b,
                               double z_c, double eps_su, double eps_c2, double eps_cu, double t);

// Context of Calc_Angle_Residual (filled by the failure-load search).
struct Angle_Residual_Context {
    double eps_top = 0.0;
    double eps_bottom = 0.0;
    int compressed_top = 1;  // 1: the top edge is fibre a; 0: the bottom edge
    double z_a = 0.0, z_s = 0.0, z_b = 0.0, z_c = 0.0;
    double eps_su = 0.0, eps_c2 = 0.0, eps_cu = 0.0;
    const Section_Record* section = nullptr;
    const double* added_areas = nullptr;
    const double* added_depths = nullptr;
    int added_count = 0;
    double target_N = 0.0;
    double target_M = 0.0;
    int flag = 0;
};

// The context's state moved by t, integrated: the signed angle
// atan2(M N_t - N M_t, N N_t + M M_t) between the resultant and the target (radians);
// 1e100 ("no value") when a strain of the state is +-1e100 (no plane through it) or its
// forces are not finite. A state on none of the pivots is evaluated where it stands.
double Calc_Angle_Residual(double t, void* context);

// One candidate of the angle search: a state just before a change of sign of the angle.
struct Angle_Candidate {
    double angle = 1e100;  // 1e100: empty or discarded
    double eps_top = 0.0;
    double eps_bottom = 0.0;
    double force_ratio = 0.0;
    double aux = 0.0;  // the caller's auxiliary value (the search step)
};

constexpr int ANGLE_CANDIDATE_COUNT = 5;

// The candidate table of Calc_Angle_Residual_Tracked, kept sorted by |angle|.
struct Angle_Candidate_Table {
    Angle_Candidate candidate[ANGLE_CANDIDATE_COUNT];
    int filing_count = -1;  // brackets filed in the current walk (may exceed five)
    double previous_angle = 1e100;
    double previous_eps_top = 0.0;
    double previous_eps_bottom = 0.0;
    double previous_force_ratio = 0.0;
    int first_call = 1;
};
extern Angle_Candidate_Table angle_candidate_table;

// Empties the table: every angle 1e100, every other field 0, filing count -1, first-call
// flag set.
void Reset_Angle_Candidates();

// The angle of the strain pair (top, bottom) against (N_t, M_t), as Calc_Angle_Residual
// but without a move. Files the previous evaluation into the candidate table when the
// angle changed sign between it and this one with both force ratios
// (N N_t + M M_t) / (N_t² + M_t²) not negative; `aux` goes with the filed candidate.
double Calc_Angle_Residual_Tracked(const Section_Record* section, const double* added_areas,
                                   const double* added_depths, int added_count, double target_N,
                                   double target_M, int flag, double eps_top, double eps_bottom,
                                   double aux);

// Context of Equal_Layer_Moment_Residual: a plane, the section, the added (equal) layers
// with their laws and depths, a given factor (|gamma| < 1e-5: by the steel strain), the
// targets and which edge is compressed.
struct Equal_Layer_Factor_Context {
    double eps_top = 0.0;
    double eps_bottom = 0.0;
    const Section_Record* section = nullptr;
    const Steel_Law* layer_laws = nullptr;
    const double* layer_depths = nullptr;
    int layer_count = 0;
    double gamma = 0.0;
    double target_N = 0.0;
    double target_M = 0.0;
    int compressed_top = 1;  // 1: the top edge; 0: the bottom edge
};

// The plane moved by t; the common layer area that balances gamma N_t; returns
// M - gamma M_t.
double Equal_Layer_Moment_Residual(double t, void* context);

// Context of Calc_Total_Area_For_Strain.
struct Total_Area_Factor_Context {
    double eps_top = 0.0;
    double eps_bottom = 0.0;
    const Section_Record* section = nullptr;
    double gamma = 0.0;
    double target_N = 0.0;
    double target_M = 0.0;
    int compressed_top = 1;
};

// The plane moved by t; the areas of the two design layers that carry gamma N_t and
// gamma M_t; returns |A_upper| + |A_lower|.
double Calc_Total_Area_For_Strain(double t, void* context);
