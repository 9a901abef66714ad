// Envelope and governing row over the per-combination results of a corbel calculation.
#include "core/corbel_results.h"

#include <string>

#include "core/corbel_model.h"

namespace {

// A required value below this marks a failed design.
constexpr double kFailed = -0.001;
// Start of the smallest strut angle; still above kThetaUnset after all rows means that no
// row gave one.
constexpr double kThetaStart = 1.0e10;
constexpr double kThetaUnset = 1.0e9;

// One envelope field and the row field it is taken from.
struct Envelope_Field {
    double Load_Case_Summary::*summary;
    double Load_Case_Result::*row;
    bool smallest;
};

constexpr Envelope_Field kEnvelope[] = {
    {&Load_Case_Summary::As_h, &Load_Case_Result::As_h, false},
    {&Load_Case_Summary::As_v, &Load_Case_Result::As_v, false},
    {&Load_Case_Summary::As_s, &Load_Case_Result::As_s, false},
    {&Load_Case_Summary::Asb_v, &Load_Case_Result::Asb_v, false},
    {&Load_Case_Summary::Asb_h, &Load_Case_Result::Asb_h, false},
    {&Load_Case_Summary::As_h1, &Load_Case_Result::As_h1, false},
    {&Load_Case_Summary::As_v1, &Load_Case_Result::As_v1, false},
    {&Load_Case_Summary::As_v2, &Load_Case_Result::As_v2, false},
    {&Load_Case_Summary::z3, &Load_Case_Result::z3, false},
    {&Load_Case_Summary::theta_A, &Load_Case_Result::theta_A, true},
    {&Load_Case_Summary::delta_ac, &Load_Case_Result::delta_ac, false},
    {&Load_Case_Summary::sigma_p, &Load_Case_Result::sigma_p, false},
    {&Load_Case_Summary::As_nose, &Load_Case_Result::As_nose, false},
};

}  // namespace

const char* Failed_Check_Names(unsigned failed_checks)
{
    // Report bytes (code page 850): 0x84 ä.
    static std::string names;
    names.clear();
    const auto add = [](const char* name) {
        if (!names.empty()) names += ", ";
        names += name;
    };
    if (failed_checks & DESIGN_CHECK_BEARING) add("Lagerpressung");
    if (failed_checks & (DESIGN_CHECK_STRUT | DESIGN_CHECK_SHEAR | DESIGN_CHECK_ZONE | DESIGN_CHECK_WHOLE_LOAD)) add("Druckstrebe");
    if (failed_checks & (DESIGN_CHECK_MIN_HEIGHT | DESIGN_CHECK_MIN_DEPTH)) add("Abmessungen der Tr\x84gernase");
    return names.c_str();
}

void Reset_Load_Case_Summary(Load_Case_Summary* summary)
{
    if (summary == nullptr) return;
    *summary = Load_Case_Summary{};
    summary->governing_case = -1;
}

int Evaluate_Load_Case_Results(Corbel_Model* model)
{
    if (model == nullptr) return 1;
    Load_Case_Summary& s = model->summary;

    for (const Envelope_Field& f : kEnvelope) s.*f.summary = 0.0;
    s.theta_A = kThetaStart;
    s.Ast = 0.0;
    s.final_As_h = 0.0;
    s.final_Asb_v = 0.0;
    s.final_Asb_h = 0.0;
    s.design_failed = 0;
    s.none_designed = 0;
    s.check_failed = 0;
    // The fatigue check runs after the envelope and decides this flag anew.
    s.fatigue_failed = 0;
    s.governing_case = -1;

    const int rows = model->results != nullptr && model->load_count[0] > 0 ? model->load_count[0] : 0;
    double governing_total = 0.0;
    int attempted_rows = 0, designed_rows = 0;
    for (int i = 0; i < rows; ++i) {
        const Load_Case_Result& r = model->results[i];
        s.check_failed |= r.failed_checks & ~DESIGN_NOT_CARRIED_OUT;
        // A row's areas are known when its procedure ran to the end: a failed check (bearing,
        // strut) leaves them as designed, a design that could not be carried out leaves
        // none. A row without load asks for nothing and decides nothing.
        const bool not_carried_out = (r.failed_checks & DESIGN_NOT_CARRIED_OUT) != 0;
        const bool loaded = r.A != 0.0 || r.H != 0.0;
        if (not_carried_out || loaded) ++attempted_rows;
        if (!not_carried_out && loaded && r.Ast > kFailed) ++designed_rows;
        for (const Envelope_Field& f : kEnvelope) {
            double& env = s.*f.summary;
            const double value = r.*f.row;
            // A failed field stays failed whatever later rows give.
            if (env <= kFailed) continue;
            if (value < kFailed)
                env = value;
            else if (f.smallest ? value < env : value > env)
                env = value;
        }
        for (const Envelope_Field& f : kEnvelope)
            if (s.*f.summary < kFailed) s.design_failed = 1;

        // The largest total governs; equal totals keep the earlier row, and a failed total
        // governs from then on.
        if (i == 0) {
            s.governing_case = 1;
            governing_total = r.Ast;
        } else if (governing_total > kFailed && (r.Ast > governing_total || r.Ast < kFailed)) {
            s.governing_case = i + 1;
            governing_total = r.Ast;
        }
    }
    s.Ast = governing_total;
    s.none_designed = attempted_rows > 0 && designed_rows == 0;

    if (s.theta_A > kThetaUnset) s.theta_A = 0.0;

    s.final_As_h = s.As_h;
    s.final_Asb_v = s.Asb_v;
    s.final_Asb_h = s.Asb_h;
    return s.design_failed ? 0 : 1;
}

std::string Undesigned_Combinations(const Corbel_Model& model)
{
    const Load_Case_Summary& s = model.summary;
    const int rows = model.results != nullptr && model.load_count[0] > 0 ? model.load_count[0] : 0;
    if (s.none_designed || rows == 0) return "";
    // A long list names the first few: the load table's column names every one.
    constexpr int kNamed = 4;
    std::string names;
    int count = 0;
    for (int i = 0; i < rows; ++i) {
        if ((model.results[i].failed_checks & DESIGN_NOT_CARRIED_OUT) == 0) continue;
        if (count < kNamed) names += (count == 0 ? "Lk " : ", ") + std::to_string(i + 1);
        ++count;
    }
    if (count > kNamed) names += " u.a.";
    return names;
}
