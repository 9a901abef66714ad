// Anchorage, lap lengths and mandrel diameters of the chosen reinforcement of a corbel.
//
// Every anchorage or lap length comes from Calc_Anchorage_Length and every mandrel
// diameter from Calc_Mandrel_Diameter; this module decides what each bar is anchored or
// lapped with, the bond position, the factors alpha_1 (loops), alpha_5 (direct support
// under the German annex) and alpha_6 (laps), and the lengths that the geometry offers.
#include "core/corbel_anchorage.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/rebar.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "core/detailing.h"
#include "core/load_tables.h"
#include "report/oli_channel.h"
#include "report/report_symbols.h"
#include "report/string_format.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Report pieces (code page 850 and the channel's in-band sequences). Each is a literal of
// its own, so that no hex escape can swallow the letter that follows it.
#define SUB(x) OLI_CTL "\\" x OLI_CTL "r"  // lowered index
#define PHI "\x8C"                         // bar diameter
#define ALPHA "\xBA"                       // factor alpha
#define RHO "\xCB"                         // ratio rho
#define GE "\xF2"                          // greater-or-equal sign
#define DELTA "\xA3"                       // stands before "a" and the index of the load distance
#define AE "\x84"
#define UE "\x81"
#define UC_UE "\x9A"

const char* const TEXT_SECTION =
    OLI_CTL "HMinimale Verankerungs-, " UC_UE "bergreifungsl" AE "ngen und Biegerollendurchmesser\n";

// Sub-headings.
const char* const HEAD_MANDREL_CORBEL = OLI_CTL "_Biegerollendurchmesser in der Konsole\n";
const char* const HEAD_MAIN_IN_BEAM = OLI_CTL "_Verankerungsl" AE "nge der Hauptzugbewehrung im Tr" AE "ger\n";
const char* const HEAD_MAIN_IN_CORBEL = OLI_CTL "_Verankerungsl" AE "nge der Hauptzugbewehrung in der Konsole\n";
const char* const HEAD_MAIN_LAP_COLUMN =
    OLI_CTL "_" UC_UE "bergreifungsl" AE "nge der Hauptzugbewehrung in der St" UE "tze\n";
const char* const HEAD_MAIN_MANDREL_COLUMN = OLI_CTL "_Biegerollendurchmesser der Hauptzugbewehrung in der St" UE "tze\n";
const char* const HEAD_INCL_IN_CORBEL = OLI_CTL "_Verankerungsl" AE "nge der Schr" AE "gbewehrung in der Konsole\n";
#define FORMAT_HEAD_INCL_LAP OLI_CTL "_" UC_UE "bergreifungsl" AE "nge der Schr" AE "gbewehrung %s\n"
#define FORMAT_HEAD_INCL_MANDREL OLI_CTL "_Biegerollendurchmesser der Schr" AE "gbewehrung %s\n"
const char* const HEAD_FIELD_TOP = OLI_CTL "_Verankerungsl" AE "nge der Feldbewehrung im Tr" AE "ger oben\n";
const char* const HEAD_FIELD_BOTTOM = OLI_CTL "_Verankerungsl" AE "nge der Feldbewehrung im Tr" AE "ger unten\n";
const char* const HEAD_LOOPS_TO_EDGE = OLI_CTL "_Verankerungsl" AE "nge der Verankerungsbewehrung zum Konsolrand\n";
const char* const HEAD_LOOPS_LAP = OLI_CTL "_" UC_UE "bergreifungsl" AE "nge der Verankerungsbewehrung im Tr" AE "ger\n";
const char* const HEAD_SPLITTING = OLI_CTL "_Verankerungsl" AE "nge der horizontalen Spaltzugbewehrung\n";
const char* const WORDS_IN_BEAM = "im Tr" AE "ger";
const char* const WORDS_IN_COLUMN = "in der St" UE "tze";

// Loop factor lines of the sections (min c, D, alpha_1).
#define FORMAT_LOOP_COVER_V                                                                                      \
    "Abminderungsbeiwert (Schlaufen) f" UE "r min c = c" SUB("v,v") "+" PHI SUB("sb,v") " = %.1lf cm, D = %.1lf " \
    "cm: " ALPHA SUB("i") " = " ALPHA SUB("1") " = %.2lf\n"
#define FORMAT_LOOP_COVER_H                                                                                      \
    "Abminderungsbeiwert (Schlaufen) f" UE "r min c = c" SUB("v,h") "+" PHI SUB("sb,v") " = %.1lf cm, D = %.1lf " \
    "cm: " ALPHA SUB("i") " = " ALPHA SUB("1") " = %.2lf\n"
#define FORMAT_LOOP_COVER_MEMBER                                                                                  \
    "Abminderungsbeiwert (Schlaufen) f" UE "r min c = c" SUB("v,v") "+" PHI OLI_CTL "\\s%s" OLI_CTL "r = %.1lf " \
    "cm, D = %.1lf cm: " ALPHA SUB("i") " = " ALPHA SUB("1") " = %.2lf\n"

// Loop factor rule texts (the dot, the compared value in cm).
#define FORMAT_COVER_BELOW "  mit min c < 3%s" PHI SUB("s,h") " = %.1lf cm"
#define FORMAT_COVER_ABOVE "  mit min c " GE " 3%s" PHI SUB("s,h") " = %.1lf cm"
#define FORMAT_MANDREL_ABOVE " und D " GE " 15%s" PHI SUB("s,h") " = %.1lf cm"
#define FORMAT_MANDREL_BELOW " und D < 15%s" PHI SUB("s,h") " = %.1lf cm"

// Lap factor lines: the ratio (r), then either the recommended tail (dot, alpha_6 twice) or
// the German annex tail of the section (diameters in mm, dot, alpha_6 twice).
#define FORMAT_RATIO_MAIN \
    "Abminderungsbeiwert f" UE "r " RHO SUB("1") " = erf A" SUB("s,h") " / vorh A" SUB("so") " = %.3lf"
#define FORMAT_RATIO_INCL                                                                                  \
    "Abminderungsbeiwert f" UE "r " RHO SUB("1") " = erf A" SUB("s,s") " / vorh A" OLI_CTL "\\s%s" OLI_CTL \
    "r = %.3lf"
#define FORMAT_RATIO_LOOPS                                                                                  \
    "Abminderungsbeiwert f" UE "r " RHO SUB("1") " = erf A" SUB("s,h1") " / vorh As" OLI_CTL "\\%s" OLI_CTL \
    "r = %.3lf"
#define FORMAT_ALPHA6_TAIL \
    ": " ALPHA SUB("i") " = " ALPHA SUB("1") "%s" ALPHA SUB("6") " = %.2lf, " ALPHA SUB("1") " = 1, " ALPHA SUB("6") " = %.2lf"
#define FORMAT_ANNEX_MAIN                                                                                      \
    ", " PHI SUB("s,h") " = %.0lf mm, " PHI SUB("so") " = %.0lf mm:\n  " ALPHA SUB("i") " = " ALPHA SUB("1") "%s" \
    ALPHA SUB("6") " = %.2lf, " ALPHA SUB("1") " = 1, " ALPHA SUB("6") " = %.2lf"
#define FORMAT_ANNEX_INCL                                                                                      \
    ", " PHI SUB("s,s") " = %.0lf mm, " PHI OLI_CTL "\\s%s" OLI_CTL "r = %.0lf mm:\n  " ALPHA SUB("1") "%s" ALPHA \
    SUB("6") " = %.2lf, " ALPHA SUB("1") " = 1, " ALPHA SUB("6") " = %.2lf"
#define FORMAT_ANNEX_LOOPS                                                                                   \
    ", " PHI SUB("s,h1") " = %.0lf mm, " PHI OLI_CTL "\\s%s" OLI_CTL "r = %.0lf mm:\n  " ALPHA SUB("i") " = " \
    ALPHA SUB("1") "%s" ALPHA SUB("6") " = %.2lf, " ALPHA SUB("1") " = 1, " ALPHA SUB("6") " = %.2lf"

// Required and available lengths.
#define FORMAT_DIRECT_SUPPORT "direkte Lagerung: l" SUB("b") "%s" ALPHA SUB("5") " = l" SUB("b") "%s2/3 = %.2lf cm\n"
const char* const HEAD_REQ_FROM_PLATE = "erf. Verankerungsl" AE "nge ab Lagerplattenrand: erf l" SUB("v");
const char* const TEXT_PROV_FROM_PLATE =
    "vorh. Verankerungsl" AE "nge ab Lagerplattenrand: vorh l" SUB("v") " = l" SUB("k") "-" DELTA "a+l" SUB("p")
    "/2-c" SUB("v,h");
const char* const TEXT_MINUS_DELTA_AC = "-" DELTA SUB("c,max");
#define FORMAT_LENGTH_END " = %.1lf cm\n"
#define FORMAT_PROV_INCL_FROM_PLATE                                                                         \
    "vorh. Verankerungsl" AE "nge ab Lagerplattenrand: vorh l" SUB("v") " = (l" SUB("k") "-" DELTA "a+l" \
    SUB("p") "/2-c" SUB("v,h") ")/cos(" ALPHA ") = %.1lf cm\n"
const char* const HEAD_REQ_FROM_LOAD = "erf. Verankerungsl" AE "nge ab Lasteinleitung: erf l" SUB("v");
#define FORMAT_PROV_INCL_FROM_LOAD                                                                            \
    "vorh. Verankerungsl" AE "nge ab Lasteinleitung: vorh l" SUB("v") " = (l" SUB("k") "-" DELTA "a-c" SUB("v,h") \
    ")/cos(" ALPHA ") = %.1lf cm\n"
const char* const HEAD_REQ_FROM_E = "erf. Verankerungsl" AE "nge ab e: erf l" SUB("v");
#define FORMAT_PROV_FROM_E \
    "vorh. Verankerungsl" AE "nge ab e: vorh l" SUB("v") " = e" SUB("1") "-c" SUB("v,h") " = %.1lf cm\n"
const char* const HEAD_REQ_TO_EDGE = "erf. Verankerungsl" AE "nge zum Konsolrand: erf l" SUB("v");
#define FORMAT_REQ_END " = l" SUB("b") " = %.1lf cm\n"
const char* const TEXT_REQ_UNKNOWN = " nicht ermittelbar\n";
const char* const TEXT_LENGTH_UNKNOWN =
    "Bemessungswert der Verankerungsl" AE "nge: A" SUB("s,erf") " nicht ermittelbar\n";
const char* const TEXT_PROV_TO_EDGE =
    "vorh. Verankerungsl" AE "nge zum Konsolrand: vorh l" SUB("v") " = e" SUB("1") "-c" SUB("v,h");
#define FORMAT_PLUS_HANGER_ROWS "+((n" SUB("s,v") "-1)%sd" SUB("v") "+" PHI SUB("s,v") ")/2"

constexpr double DEGREE = 0.017453292519943295;
constexpr double LAP_K = 15.0;          // minimum-length factor of laps
constexpr double ANCHORAGE_K = 10.0;    // ... of anchorages
constexpr double DIRECT_K = 20.0 / 3.0; // ... of a direct support under the German annex
constexpr int KIND_ANCHORAGE = 0;
constexpr int KIND_LAP = 1;

// Bond settings of the reinforcement choice.
constexpr int BOND_COMPUTE = 0;  // "berechnen": by the bar's position
constexpr int BOND_GOOD = 1;     // "immer gut"; any other value counts as "immer mäßig"

// Diameters (cm) of the chosen bar groups; 0 for a group that is absent or not taken.
struct Chosen_Bars {
    double main = 0.0;       // main tie, first layer
    double incl = 0.0;       // inclined bars (group 4)
    double sb_v = 0.0;       // splitting-tension stirrups (group 1)
    double sb_h = 0.0;       // splitting-tension loops (group 2)
    double s_v = 0.0;        // hanger stirrups (group 3)
    double s_h1 = 0.0;       // anchorage loops (group 6)
    double top = 0.0;        // supporting member, top (group 7)
    double bottom = 0.0;     // supporting member, bottom (group 8)
};

struct Anchorage_Run {
    Corbel_Model& m;
    Load_Case_Summary& res;
    const NAD_EC2_Params* params;
    bool german;             // rules of the German annex
    FILE* out;               // null: silent
    Chosen_Bars bars = {};
    bool beam_end = false;
    bool load_corbel = false;
    bool on_column = false;  // load corbel on a column (the only column case)
    bool direct = true;      // direct support
    // No combination, or not every loaded one, could be designed: the required areas, and
    // every length that follows from them, are unknown (-1.0), not those of no steel or of
    // the combinations that were designed.
    bool areas_unknown = false;
    // Required areas, after the fatigue check raised the final ones.
    double req_main = 0.0;
    double req_incl = 0.0;
    double req_loops = 0.0;
    double req_splitting = 0.0;

    void Put(const std::string& text) const
    {
        if (out) OLI_Printf(out, "%s", text.c_str());
    }

    // The member's bars at the corbel: its top bars for a load corbel, its bottom bars for
    // a support corbel; their diameter, area and the index suffix of the report.
    double Member_Phi() const { return load_corbel ? bars.top : bars.bottom; }
    double Member_Area() const { return load_corbel ? m.rebar.As_member[0] : m.rebar.As_member[1]; }
    const char* Member_Suffix() const { return load_corbel ? "o" : "u"; }
};

double Diameter(int index) { return Get_Rebar_Diameter_Cm(index, -1.0); }

// A group of (count, diameter, legs) is present when count and legs are above 0.
double Group_Diameter(const Bar_Group& g) { return g.count > 0 && g.legs > 0 ? Diameter(g.diameter) : 0.0; }

Chosen_Bars Bars_Of(const Corbel_Model& m, bool beam_end)
{
    const Corbel_Rebar_Choice& r = m.rebar;
    Chosen_Bars b;
    const bool main_present = beam_end ? r.beam_end_legs > 0 && r.spacing[0] > 0.01 : r.layers > 0 && r.layer_bars[0] > 0;
    if (main_present) b.main = Diameter(r.layer_diameter[0]);
    const Bar_Group& hanger = r.group[2];
    const bool hanger_present = beam_end ? hanger.legs > 0 && r.spacing[1] > 0.01 : hanger.count > 0 && hanger.legs > 0;
    if (hanger_present) b.s_v = Diameter(hanger.diameter);
    b.sb_v = Group_Diameter(r.group[0]);
    b.sb_h = Group_Diameter(r.group[1]);
    b.incl = Group_Diameter(r.group[3]);
    b.s_h1 = Group_Diameter(r.group[5]);
    if (r.member_count[0] > 0) b.top = Diameter(r.member_diameter[0]);
    if (r.member_count[1] > 0) b.bottom = Diameter(r.member_diameter[1]);
    return b;
}

// A required area of a failed design (-1.0) is not known: the bars are then taken as fully
// used rather than as not needed.
double Required_Area(double required, double provided)
{
    return Required_Value_Unknown(required) ? provided : required;
}

// An available length: where the load or the covers leave no room for the bar, nothing is
// available (never a negative length); the comparison with the required one then fails.
double Available_Length(double length) { return Round_To_Tenth(std::max(0.0, length)); }

// The bond pair (depth of concrete below the bar, depth above it) for a bar anchored in an
// element of height L, given the bar's position for the setting "berechnen".
void Bond_Pair(int setting, double L, double below, double above, double pair[2])
{
    if (setting == BOND_COMPUTE) {
        pair[0] = below;
        pair[1] = above;
    } else if (setting == BOND_GOOD) {
        pair[0] = 0.0;
        pair[1] = L;
    } else {
        pair[0] = L;
        pair[1] = 0.0;
    }
}

// Design anchorage (kind 0) or lap (kind 1) length of a bar with the position's materials
// and the partial factors of the current calculation.
double Anchorage(const Anchorage_Run& run, const double pair[2], double phi, double as_req, double as_prov,
                 double alpha, double k, int kind, double* lb_min = nullptr)
{
    if (run.areas_unknown) {
        run.Put(TEXT_LENGTH_UNKNOWN);
        return -1.0;
    }
    const Corbel_Model& m = run.m;
    int flags = 0;
    return Calc_Anchorage_Length(m.norm_code, Map_Steel_Class_Index(m.steel_class[0]), m.fyk[0],
                                 m.factors_in_use[1], Map_Concrete_Class_Index(m.concrete_class, nullptr, m.density),
                                 m.fck, m.density, m.fctm, m.factors_in_use[0], pair, phi, as_req, as_prov, alpha, k,
                                 nullptr, lb_min, kind, run.params, &flags, run.out);
}

double Mandrel(const Anchorage_Run& run, int kind, double phi, double cover, FILE* out)
{
    return Calc_Mandrel_Diameter(CORBEL_NORM_BUILDINGS, run.m.lightweight, kind, phi, cover, 10.0, out);
}

// The loop factor alpha_1 of a bar phi with the least cover min_c, the mandrel diameter it
// is judged by and the rule's text, which follows the section's own line.
struct Loop_Factor_Result {
    double alpha;
    double D;
    std::string rule;
};

Loop_Factor_Result Loop_Factor(const Anchorage_Run& run, int bend_kind, double phi, double min_c)
{
    Loop_Factor_Result f{0.7, Mandrel(run, bend_kind, phi, min_c, nullptr), ""};
    if (min_c <= 3.0 * phi - 0.001) {
        f.alpha = 1.0;
        f.rule = Format_String(FORMAT_COVER_BELOW, report_times_sign, 3.0 * phi);
        return f;
    }
    f.rule = Format_String(FORMAT_COVER_ABOVE, report_times_sign, 3.0 * phi);
    if (run.german) {
        if (f.D > 15.0 * phi - 0.001) {
            f.alpha = 0.5;
            f.rule += Format_String(FORMAT_MANDREL_ABOVE, report_times_sign, 15.0 * phi);
        } else {
            f.rule += Format_String(FORMAT_MANDREL_BELOW, report_times_sign, 15.0 * phi);
        }
    }
    return f;
}

// "<head> = lb = <length> cm", or "<head> nicht ermittelbar" for an unknown length.
std::string Required_Length_Line(const char* head, double length)
{
    return head +
           (Required_Value_Unknown(length) ? std::string(TEXT_REQ_UNKNOWN) : Format_String(FORMAT_REQ_END, length));
}

// The recommended continuation of a lap factor line.
std::string Alpha6_Tail(double alpha6) { return Format_String(FORMAT_ALPHA6_TAIL, report_times_sign, alpha6, alpha6); }

}  // namespace

double Calc_Lap_Factor_Alpha6(double r, double phi_lapped, double phi_member, int german_annex)
{
    if (!german_annex) {
        if (r < 0.25) return 1.0;
        if (r > 0.5625) return 1.5;
        return std::sqrt(4.0 * r);
    }
    // A share is at most the whole: when more steel is needed than the member bars provide,
    // every bar is lapped, and the mean must not extrapolate beyond the lapped bars' value.
    const double share = std::clamp(r, 0.0, 1.0);
    const auto base = [share](double phi) {
        const bool large_share = !(share < 0.331);
        if (phi < 1.6 - 0.001) return large_share ? 1.4 : 1.2;
        return large_share ? 2.0 : 1.4;
    };
    return share * base(phi_lapped) + (1.0 - share) * base(phi_member);
}

namespace {

// The results of the check in the model's summary, all cleared at the start of a check.
constexpr double Load_Case_Summary::*RESULT_LENGTHS[] = {
    &Load_Case_Summary::l_req_main,    &Load_Case_Summary::l_prov_main,   &Load_Case_Summary::l_main_member,
    &Load_Case_Summary::l_lap_anch,    &Load_Case_Summary::l_req_anch,    &Load_Case_Summary::l_req_field,
    &Load_Case_Summary::l_split,       &Load_Case_Summary::l_req_incl,    &Load_Case_Summary::l_lap_incl,
    &Load_Case_Summary::D_corbel,      &Load_Case_Summary::D_column,      &Load_Case_Summary::D_incl_loop,
    &Load_Case_Summary::D_incl_member, &Load_Case_Summary::D_vert,        &Load_Case_Summary::l_prov_incl,
    &Load_Case_Summary::l_prov_field,  &Load_Case_Summary::l_prov_anch,
};

// The computed values that fill the user's empty anchorage values, in their order.
constexpr double Load_Case_Summary::*FILLED_VALUES[9] = {
    &Load_Case_Summary::l_main_member, &Load_Case_Summary::l_lap_anch,  &Load_Case_Summary::l_split,
    &Load_Case_Summary::l_lap_incl,    &Load_Case_Summary::D_corbel,    &Load_Case_Summary::D_column,
    &Load_Case_Summary::D_incl_loop,   &Load_Case_Summary::D_incl_member, &Load_Case_Summary::D_vert,
};

// Bond pair of a bar in the supporting member (depth h), t below its top face or above its
// bottom face.
void Member_Bond_Pair(const Anchorage_Run& run, bool at_top, double t, double pair[2])
{
    const double h = run.m.h;
    if (at_top)
        Bond_Pair(run.m.rebar.bond_conditions, h, h - t, t, pair);
    else
        Bond_Pair(run.m.rebar.bond_conditions, h, t, h - t, pair);
}

// Least cover at right angles to the bend of bars bent into the supporting member.
double Member_Cover(const Anchorage_Run& run)
{
    const Corbel_Rebar_Choice& r = run.m.rebar;
    const Chosen_Bars& b = run.bars;
    if (run.beam_end) return run.m.b;
    if (b.sb_h <= 0.0) return r.cover_v + (b.sb_v > 0.01 ? b.sb_v : 0.0);
    return std::max(b.bottom, b.sb_v) + r.cover_h + b.sb_h;
}

// alpha_6 of bars lapped with member bars of the provided area member_area (1.0 without a
// line when there is no such area). The line is the section's ratio line (ratio_line(r))
// continued by the recommended text or, under the German annex, by annex_tail(alpha_6).
template <typename Ratio_Line, typename Annex_Tail>
double Lap_Factor(const Anchorage_Run& run, double required, double member_area, double phi_lapped,
                  double phi_member, Ratio_Line ratio_line, Annex_Tail annex_tail)
{
    if (member_area <= 0.01 || run.areas_unknown) return 1.0;
    const double r = required / member_area;
    const double alpha6 = Calc_Lap_Factor_Alpha6(r, phi_lapped, phi_member, run.german ? 1 : 0);
    if (run.out) run.Put(ratio_line(r) + (run.german ? annex_tail(alpha6) : Alpha6_Tail(alpha6)) + "\n");
    return alpha6;
}

// A beam-end corbel: the mandrel of its tie and, at a slab, the tie's anchorage in the beam.
void Beam_End_Main_Tie(Anchorage_Run& run)
{
    Corbel_Model& m = run.m;
    const Corbel_Rebar_Choice& r = m.rebar;
    run.Put(HEAD_MANDREL_CORBEL);
    run.res.D_corbel = Round_To_Tenth(Mandrel(run, MANDREL_KIND_STIRRUP, run.bars.main, r.cover_v, run.out));
    if (!m.at_slab) return;
    run.Put(HEAD_MAIN_IN_BEAM);
    double pair[2];
    Bond_Pair(r.bond_conditions, m.h, 0.0, m.h, pair);
    run.res.l_main_member = Round_To_Tenth(
        Anchorage(run, pair, run.bars.main, run.req_main, r.As_h, 1.0, ANCHORAGE_K, KIND_ANCHORAGE));
}

// A single corbel: the main tie's anchorage behind the bearing plate.
void Main_Tie_In_Corbel(Anchorage_Run& run)
{
    Corbel_Model& m = run.m;
    Load_Case_Summary& res = run.res;
    const Corbel_Rebar_Choice& r = m.rebar;
    const Chosen_Bars& b = run.bars;
    run.Put(HEAD_MAIN_IN_CORBEL);

    // The tie lies at the top of a load corbel and at the bottom of a support corbel.
    const double t = b.main / 2.0 + b.sb_v + r.cover_v;
    double pair[2];
    if (run.load_corbel)
        Bond_Pair(r.bond_conditions, m.hk, m.hk - t, t, pair);
    else
        Bond_Pair(r.bond_conditions, m.hk, t, m.hk - t, pair);

    double alpha1 = 1.0;
    if (r.loops) {
        const double min_c = r.cover_v + b.sb_v;
        const Loop_Factor_Result f = Loop_Factor(run, MANDREL_KIND_STIRRUP, b.main, min_c);
        alpha1 = f.alpha;
        if (run.out) run.Put(Format_String(FORMAT_LOOP_COVER_V, min_c, f.D, f.alpha) + f.rule + "\n");
    }

    // Under the German annex a direct support may reduce the length to 2/3 (alpha_5), down
    // to 20/3 phi.
    const bool reduce = run.german && run.direct;
    double lb_min = 0.0;
    const double l = Anchorage(run, pair, b.main, run.req_main, r.As_h, alpha1, reduce ? DIRECT_K : ANCHORAGE_K,
                               KIND_ANCHORAGE, &lb_min);
    double required = l;
    if (reduce && l > lb_min) {
        const double reduced = 2.0 / 3.0 * l;
        run.Put(Format_String(FORMAT_DIRECT_SUPPORT, report_times_sign, report_times_sign, reduced));
        required = std::max(reduced, lb_min);
    }
    res.l_req_main = Round_To_Tenth(required);
    run.Put(Required_Length_Line(HEAD_REQ_FROM_PLATE, res.l_req_main));

    double available = (m.lk - r.cover_h) + (m.lp / 2.0 - m.load_a);
    const bool less_delta = res.delta_ac > 0.01;
    if (less_delta) available -= res.delta_ac;
    res.l_prov_main = Available_Length(available);
    run.Put(std::string(TEXT_PROV_FROM_PLATE) + (less_delta ? TEXT_MINUS_DELTA_AC : "") +
            Format_String(FORMAT_LENGTH_END, res.l_prov_main));

    if (!r.loops) {
        res.short_main = res.l_prov_main < res.l_req_main - 0.001 ? 1 : 0;
    } else {
        res.D_corbel =
            Round_To_Tenth(Mandrel(run, MANDREL_KIND_STIRRUP, b.main, b.sb_v + r.cover_v, run.out));
    }
}

// A single corbel: the main tie lapped in the column, or anchored in the beam.
void Main_Tie_In_Member(Anchorage_Run& run)
{
    Corbel_Model& m = run.m;
    Load_Case_Summary& res = run.res;
    const Corbel_Rebar_Choice& r = m.rebar;
    const Chosen_Bars& b = run.bars;
    double pair[2];
    if (run.on_column) {
        run.Put(HEAD_MAIN_LAP_COLUMN);
        const double member_area = r.As_member[0];
        const double alpha6 = Lap_Factor(
            run, run.req_main, member_area, b.main, b.top,
            [](double ratio) { return Format_String(FORMAT_RATIO_MAIN, ratio); },
            [&](double a6) {
                return Format_String(FORMAT_ANNEX_MAIN, 10.0 * b.main, 10.0 * b.top, report_times_sign, a6, a6);
            });
        // The column's bars run vertically: good bond along the whole lap.
        Bond_Pair(r.bond_conditions, m.h, 0.0, m.h, pair);
        res.l_main_member =
            Round_To_Tenth(Anchorage(run, pair, b.main, run.req_main, r.As_h, alpha6, LAP_K, KIND_LAP));
        run.Put(HEAD_MAIN_MANDREL_COLUMN);
        res.D_column = Round_To_Tenth(Mandrel(run, MANDREL_KIND_BAR, b.main, Member_Cover(run), run.out));
        return;
    }
    // In the beam the tie lies at the corbel's level: a load corbel stands at the beam's
    // bottom, a support corbel (the nib of the beam's end) at its top. t is the tie's depth
    // below the beam's top.
    const double tie_in_corbel = b.main / 2.0 + b.sb_v + r.cover_v;
    const double t = run.load_corbel ? tie_in_corbel + (m.h - m.hk) : m.hk - tie_in_corbel;
    Member_Bond_Pair(run, true, t, pair);
    run.Put(HEAD_MAIN_IN_BEAM);
    res.l_main_member =
        Round_To_Tenth(Anchorage(run, pair, b.main, run.req_main, r.As_h, 1.0, ANCHORAGE_K, KIND_ANCHORAGE));
}

// Inclined bars of a hung-up load: anchorage in the corbel, lap with the member's bars
// (top bars for a load corbel, bottom bars for a support corbel), mandrels.
void Inclined_Bars(Anchorage_Run& run)
{
    Corbel_Model& m = run.m;
    Load_Case_Summary& res = run.res;
    const Corbel_Rebar_Choice& r = m.rebar;
    const Chosen_Bars& b = run.bars;
    const double phi_m = run.Member_Phi();
    const double area_m = run.Member_Area();
    const char* const suffix = run.Member_Suffix();
    const char* const words = run.on_column ? WORDS_IN_COLUMN : WORDS_IN_BEAM;

    run.Put(HEAD_INCL_IN_CORBEL);
    double pair[2];
    Bond_Pair(r.bond_conditions, m.hk, 0.0, m.hk, pair);
    const double min_c = r.cover_h + b.sb_v;
    const Loop_Factor_Result f = Loop_Factor(run, MANDREL_KIND_STIRRUP, b.incl, min_c);
    if (run.out) run.Put(Format_String(FORMAT_LOOP_COVER_H, min_c, f.D, f.alpha) + f.rule + "\n");
    res.l_req_incl =
        Round_To_Tenth(Anchorage(run, pair, b.incl, run.req_incl, r.As_s, f.alpha, ANCHORAGE_K, KIND_ANCHORAGE));

    const double cos_a = std::cos(m.inclination * DEGREE);
    if (!run.on_column) {
        run.Put(Required_Length_Line(HEAD_REQ_FROM_PLATE, res.l_req_incl));
        res.l_prov_incl = Available_Length(((m.lk - r.cover_h) + (m.lp / 2.0 - m.load_a)) / cos_a);
        run.Put(Format_String(FORMAT_PROV_INCL_FROM_PLATE, res.l_prov_incl));
    } else {
        run.Put(Required_Length_Line(HEAD_REQ_FROM_LOAD, res.l_req_incl));
        res.l_prov_incl = Available_Length((m.lk - (m.load_a + r.cover_h)) / cos_a);
        run.Put(Format_String(FORMAT_PROV_INCL_FROM_LOAD, res.l_prov_incl));
    }
    if (!r.inclined_loops) {
        res.short_incl = res.l_prov_incl < res.l_req_incl - 0.001 ? 1 : 0;
    } else {
        res.D_incl_loop =
            Round_To_Tenth(Mandrel(run, MANDREL_KIND_STIRRUP, b.incl, b.sb_v + r.cover_v, run.out));
    }

    // Without member bars there is nothing to lap with.
    if (phi_m > 0.0) {
        run.Put(Format_String(FORMAT_HEAD_INCL_LAP, words));
        const double alpha6 = Lap_Factor(
            run, run.req_incl, area_m, b.incl, phi_m,
            [&](double ratio) { return Format_String(FORMAT_RATIO_INCL, suffix, ratio); },
            [&](double a6) {
                return Format_String(FORMAT_ANNEX_INCL, 10.0 * b.incl, suffix, 10.0 * phi_m, report_times_sign, a6,
                                     a6);
            });
        const double t = phi_m / 2.0 + b.sb_v + r.cover_v;
        if (run.on_column)
            Bond_Pair(r.bond_conditions, m.h, 0.0, m.h, pair);
        else
            Member_Bond_Pair(run, run.load_corbel, t, pair);
        res.l_lap_incl =
            Round_To_Tenth(Anchorage(run, pair, phi_m, run.req_incl, area_m, alpha6, LAP_K, KIND_LAP));
    }

    run.Put(Format_String(FORMAT_HEAD_INCL_MANDREL, words));
    res.D_incl_member = Round_To_Tenth(Mandrel(run, MANDREL_KIND_BAR, b.incl, Member_Cover(run), run.out));
}

// The beam's field bars at the corbel (top bars for a load corbel, bottom bars for a support
// corbel), anchored from the hanger axis e1 to the end face.
void Field_Bars(Anchorage_Run& run)
{
    Corbel_Model& m = run.m;
    Load_Case_Summary& res = run.res;
    const Corbel_Rebar_Choice& r = m.rebar;
    const Chosen_Bars& b = run.bars;
    const bool top = run.load_corbel;
    const double phi = run.Member_Phi();
    const double area = run.Member_Area();
    run.Put(top ? HEAD_FIELD_TOP : HEAD_FIELD_BOTTOM);
    double pair[2];
    Member_Bond_Pair(run, top, phi / 2.0 + r.cover_v + b.sb_v, pair);
    res.l_req_field =
        Round_To_Tenth(Anchorage(run, pair, phi, run.req_loops, area, 1.0, ANCHORAGE_K, KIND_ANCHORAGE));
    run.Put(Required_Length_Line(HEAD_REQ_FROM_E, res.l_req_field));
    if (std::fabs(res.l_req_field) > 0.01) {
        res.l_prov_field = Available_Length(r.member_axis_required - r.cover_h);
        run.Put(Format_String(FORMAT_PROV_FROM_E, res.l_prov_field));
    }
}

// The anchorage loops beside the member's bars: their anchorage to the corbel's edge when the
// field bars cannot be anchored from e, and their lap with the field bars.
void Anchorage_Loops(Anchorage_Run& run)
{
    Corbel_Model& m = run.m;
    Load_Case_Summary& res = run.res;
    const Corbel_Rebar_Choice& r = m.rebar;
    const Chosen_Bars& b = run.bars;
    const bool top = run.load_corbel;
    const double phi_m = run.Member_Phi();
    const double area_m = run.Member_Area();
    const char* const suffix = run.Member_Suffix();
    double pair[2];

    if (res.l_req_field > 0.01 && res.l_prov_field < res.l_req_field - 0.001) {
        run.Put(HEAD_LOOPS_TO_EDGE);
        const double min_c = r.cover_v + phi_m;
        const Loop_Factor_Result f = Loop_Factor(run, MANDREL_KIND_BAR, b.s_h1, min_c);
        if (run.out) run.Put(Format_String(FORMAT_LOOP_COVER_MEMBER, suffix, min_c, f.D, f.alpha) + f.rule + "\n");
        const double t = b.sb_v + r.cover_v + std::max(2.0, std::max(b.s_h1, phi_m)) + phi_m / 2.0 + b.s_h1 / 2.0;
        Member_Bond_Pair(run, top, t, pair);
        res.l_req_anch = Round_To_Tenth(
            Anchorage(run, pair, b.s_h1, run.req_loops, r.As_h1, f.alpha, ANCHORAGE_K, KIND_ANCHORAGE));
        run.Put(Required_Length_Line(HEAD_REQ_TO_EDGE, res.l_req_anch));
        if (res.l_req_anch > 0.01) {
            double available = r.member_axis_required - r.cover_h;
            std::string text = TEXT_PROV_TO_EDGE;
            if (b.s_v > 0.0) {
                const double d_v = r.spacing[3] < 0.01 ? Calc_Min_Bar_Spacing(b.s_v, b.s_v, run.params) : r.spacing[3];
                available += ((r.group[2].count - 1) * d_v + b.s_v) / 2.0;
                text += Format_String(FORMAT_PLUS_HANGER_ROWS, report_times_sign);
            }
            res.l_prov_anch = Available_Length(available);
            run.Put(text + Format_String(FORMAT_LENGTH_END, res.l_prov_anch));
            res.short_anch = res.l_prov_anch < res.l_req_anch - 0.001 ? 1 : 0;
        }
    }
    // Loops that cannot be anchored are not lapped; without member bars there is nothing to
    // lap with.
    if (res.short_anch || phi_m <= 0.0) return;

    run.Put(HEAD_LOOPS_LAP);
    const double alpha6 = Lap_Factor(
        run, run.req_loops, area_m, b.s_h1, phi_m,
        [&](double ratio) { return Format_String(FORMAT_RATIO_LOOPS, suffix, ratio); },
        [&](double a6) {
            return Format_String(FORMAT_ANNEX_LOOPS, 10.0 * b.s_h1, suffix, 10.0 * phi_m, report_times_sign, a6, a6);
        });
    Member_Bond_Pair(run, top, phi_m / 2.0 + b.sb_v + r.cover_v, pair);
    res.l_lap_anch = Round_To_Tenth(Anchorage(run, pair, phi_m, run.req_loops, area_m, alpha6, LAP_K, KIND_LAP));
}

// The horizontal splitting loops in the corbel.
void Splitting_Loops(Anchorage_Run& run)
{
    const Corbel_Rebar_Choice& r = run.m.rebar;
    run.Put(HEAD_SPLITTING);
    double pair[2];
    Bond_Pair(r.bond_conditions, run.m.hk, 0.0, run.m.hk, pair);
    run.res.l_split = Round_To_Tenth(
        Anchorage(run, pair, run.bars.sb_h, run.req_splitting, r.Asb_h, 1.0, ANCHORAGE_K, KIND_ANCHORAGE));
}

}  // namespace

void Check_Corbel_Anchorage(Corbel_Model* model, FILE* report, int detail)
{
    if (!model) return;
    Corbel_Model& m = *model;
    Load_Case_Summary& res = m.summary;
    for (double Load_Case_Summary::*field : RESULT_LENGTHS) res.*field = 0.0;
    res.short_main = 0;
    res.short_incl = 0;
    res.short_anch = 0;
    if (!m.rebar_chosen || !m.rebar.compute_anchorage) return;

    const NAD_EC2_Params* params = NAD_Get_EC2_Params();
    const bool with_lines = report && detail >= 1 && m.print_options.switches[EC2_PRINT_INTERMEDIATE];
    Anchorage_Run run{m, res, params, params && params->na_de_flag != 0, with_lines ? report : nullptr};
    const Corbel_Rebar_Choice& r = m.rebar;

    run.beam_end = m.execution == EXECUTION_BEAM_END;
    run.load_corbel = m.system == SYSTEM_LOAD_CORBEL;
    run.on_column = run.load_corbel && m.connection == CONNECTION_COLUMN;
    run.direct = !(run.on_column && m.load_transfer == LOAD_TRANSFER_INDIRECT);
    run.areas_unknown = res.none_designed != 0 || !Undesigned_Combinations(m).empty();
    run.bars = Bars_Of(m, run.beam_end);
    if (run.on_column) {
        run.bars.s_h1 = 0.0;
        if (!run.beam_end && m.load_transfer == LOAD_TRANSFER_DIRECT) run.bars.s_v = 0.0;
    }
    // Inclined bars carry only a hung-up load.
    if (m.load_transfer == LOAD_TRANSFER_DIRECT || m.load_transfer == 2) run.bars.incl = 0.0;

    run.req_main = Required_Area(res.final_As_h, r.As_h);
    run.req_incl = Required_Area(res.As_s, r.As_s);
    run.req_loops = Required_Area(res.As_h1, r.As_h1);
    run.req_splitting = Required_Area(res.final_Asb_h, r.Asb_h);

    const Chosen_Bars& b = run.bars;
    run.Put(TEXT_SECTION);
    if (run.beam_end) {
        if (b.main > 0.0) Beam_End_Main_Tie(run);
    } else if (b.main > 0.0) {
        Main_Tie_In_Corbel(run);
        Main_Tie_In_Member(run);
    }
    if (b.incl > 0.0) Inclined_Bars(run);
    if (!run.beam_end) {
        const bool field_bars = run.load_corbel ? !run.on_column && b.top > 0.0 : b.bottom > 0.0;
        if (field_bars) Field_Bars(run);
        if (!run.on_column && b.s_h1 > 0.0) Anchorage_Loops(run);
    }
    if (b.sb_h > 0.0 && !run.on_column) Splitting_Loops(run);
    if (run.beam_end && b.s_v > 0.0)
        res.D_vert = Round_To_Tenth(Mandrel(run, MANDREL_KIND_STIRRUP, b.s_v, 0.0, run.out));

    // The user's empty values take the computed ones, once there is a load to compute
    // them from: lengths of a corbel without load would stay fixed below what the first
    // load requires.
    if (!Load_Table_In_Use(&m, 0)) return;
    for (int i = 0; i < 9; ++i) {
        const double computed = res.*FILLED_VALUES[i];
        if (m.rebar.anchorage[i] < 0.01 && computed >= 0.0) m.rebar.anchorage[i] = computed;
    }
}
