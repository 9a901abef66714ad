// The data check of the corbel model and the material set-up it starts with. The check
// repairs what it may (clamps, mapped classes, forced values of a beam-end corbel),
// derives the provided areas and axis distances from the chosen bars, and reports every
// input it cannot accept. It runs after every change on a sheet, in the online
// calculation and at the start of every calculation, so it must give the same result
// when run again on its own output.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/rebar.h"
#include "base/string_helpers.h"
#include "core/concrete_cover.h"
#include "core/corbel_calculation.h"
#include "core/corbel_input_echo.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "material/creep_shrinkage.h"
#include "material/material_props.h"
#include "platform/messages.h"
#include "report/verdicts.h"

namespace {

constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kDegree = 0.017453292519943295;
constexpr double kThetaCot3 = 18.43494882292201;     // cot θ = 3
constexpr double kThetaCot25 = 21.80140948635181;    // cot θ = 2.5

// Report lines and messages of the check (code page 850; ╬\ and ╬r switch the report's
// subscript on and off, 0xA3 is the report font's Δ, 0xF2 its ≥).
const char kErrD1k[] = "Fehler d\xCE\\1k\xCE" "r";
const char kErrD1[] = "Fehler d\xCE\\1\xCE" "r";
const char kErrDepths[] = "Fehler h-d\xCE\\1\xCE" "r bzw. h\xCE\\k\xCE" "r-d\xCE\\1k\xCE" "r";
const char kErrHk[] = "Fehler h\xCE\\k\xCE" "r";
const char kErrB[] = "Fehler b";
const char kErrLp[] = "Fehler l\xCE\\p\xCE" "r";
const char kErrA[] = "Fehler \xA3" "a";
const char kErrPlatePastEnd[] =
    "Fehler \xA3" "a: Lagerplatte reicht \x81" "ber das Konsolende (\xA3" "a + l\xCE\\p\xCE" "r/2 > l\xCE\\k\xCE" "r)";
const char kBridgeConcreteLine[] =
    "Betonbr\x81" "cken: hochfester Beton (\xF2 C55/67) nicht zugelassen";
const char kBridgeConcreteMessage[] = "Betonbr\x81" "cken: Beton \xF2 C55/67 nicht zugelassen";
const char kBridgeSteelLine[] =
    "Betonbr\x81" "cken: normalduktiler Stahl (Klasse A) nicht zugelassen";
const char kBridgeSteelMessage[] = "Betonbr\x81" "cken: Betonstahl Klasse A nicht zugelassen";
// The steel that glass-fibre bars and lattice girders become in a bridge (B500B).
constexpr int kBridgeSteel = 4;
const char kRebarCountLine[] = "Bewehrung: Anzahl oder Schnittigkeit > 99 nicht zugelassen";
const char kErrAxisMidHeight[] = "Fehler d\xCE\\1k\xCE" "r \xF2 h\xCE\\k\xCE" "r/2";
// Follows the name of a value that is no number or too large to be reported.
const char kInvalidNumber[] = ": ung\x81ltiger Zahlenwert";

// The largest magnitude a value may have in its unit (cm, kN, N/mm², per mille, days,
// degrees). No corbel comes near it; beyond it a value is damaged or mistyped input,
// whose text would run across the report's columns and whose products would overflow.
constexpr double kLargestValue = 1.0e6;
// A value the position only stores (neither the design nor the report uses it) need only be
// a number.
constexpr double kOnlyStored = HUGE_VAL;
// Lengths (cm) have a bound of their own: 100 m is far beyond any corbel, and a section
// thousands of metres deep makes the fatigue check's strain-plane search run for seconds.
constexpr double kLargestLength = 1.0e4;

// Most bars of one group (or of one main-tie layer, or of one face of the supporting member)
// and most legs of one stirrup that a corbel can hold: the reinforcement page edits counts
// and legs in two digits, and 99 bars of even 6 mm at the least clear spacing of 2 cm would
// need a corbel about 2.6 m wide. A larger value is damaged input and is refused.
constexpr int kMaxBarsOrLegs = 99;

// The material module knows EN 1992-2 by the formulas of EN 1992-1-1 (code 4).
int Material_Norm_Code(int norm_code)
{
    return norm_code == CORBEL_NORM_BRIDGES ? CORBEL_NORM_BUILDINGS : norm_code;
}

bool German_Annex(const NAD_EC2_Params* params) { return params && params->na_de_flag != 0; }

// Area of one bar of the given diameter index (cm²).
double Bar_Area(int diameter_index)
{
    const double d = Get_Rebar_Diameter_Cm(diameter_index, 0.0);
    return d * d * kQuarterPi;
}

// Area of count bars with the given legs each (the product taken in double: a damaged
// count times legs must not overflow).
double Group_Area(const Bar_Group& g)
{
    return static_cast<double>(g.count) * g.legs * Bar_Area(g.diameter);
}

// Calls visit(name, table, row, value, largest) for every real that the position holds as input,
// with the name of its field as the report writes it (code page 850), and for the design
// values derived from them. Forces of the load tables are given in kN with their table (0
// ultimate limit state, 1 fatigue) and row number from 1; every other value has table -1.
template <class Visit>
void Visit_Corbel_Reals(const Corbel_Model& m, bool with_design_values, Visit visit)
{
#define S "\xCE\\"
#define R "\xCE" "r"
    constexpr double L = kLargestLength;
    const struct {
        const char* name;
        double value;
        double largest = kLargestValue;
    } reals[] = {
        {"f" S "ck" R, m.fck}, {"\xBE" S "c2" R, m.eps_c2}, {"\xBE" S "cu2" R, m.eps_cu2},
        {"n", m.n_parabola}, {"E" S "cm" R, m.Ecm}, {"Rohdichte", m.density}, {"f" S "cm" R, m.fcm},
        {"f" S "ctm" R, m.fctm}, {"\xBE" S "c1" R, m.eps_c1}, {"\xBE" S "cu1" R, m.eps_cu1},
        {"\xBE" S "c3" R, m.eps_c3}, {"\xBE" S "cu3" R, m.eps_cu3}, {"f" S "yk" R, m.fyk[0]},
        {"f" S "tk" R, m.ftk[0]}, {"\xBE" S "uk" R, m.euk[0]}, {"E" S "s" R, m.Es[0]},
        {"Betonstahl", m.steel_fifth[0], kOnlyStored}, {"f" S "yk" R, m.fyk[1]}, {"f" S "tk" R, m.ftk[1]},
        {"\xBE" S "uk" R, m.euk[1]}, {"E" S "s" R, m.Es[1]}, {"Betonstahl", m.steel_fifth[1], kOnlyStored},
        {"\xC0" S "c" R, m.safety_factors.gamma_c}, {"\xC0" S "s" R, m.safety_factors.gamma_s},
        {"\xC0" S "c" R, m.safety_factors.gamma_c_sls}, {"\xC0" S "s" R, m.safety_factors.gamma_s_sls},
        {"\xC0" S "c,fat" R, m.safety_factors.gamma_c_fat}, {"\xC0" S "s,fat" R, m.safety_factors.gamma_s_fat},
        {"b", m.b, L}, {"h", m.h, L}, {"d" S "1" R, m.d1, L}, {"e" S "1" R, m.e1, L}, {"h", m.beam_height, L},
        {"l" S "k" R, m.lk, L}, {"h" S "k" R, m.hk, L}, {"d" S "1k" R, m.d1k, L}, {"h" S "k" R "'", m.hk_end, L},
        {"l" S "p" R, m.lp, L}, {"b" S "p" R, m.bp, L}, {"Verteilungszahl", m.load_share},
        {"\xA3" "a", m.load_a, L}, {"\xA3" "h", m.load_height, L}, {"Neigung", m.inclination},
        {"\xA3\xCC" S "s" R, m.stress_range}, {"Erm\x81" "dung", m.fatigue_value, kOnlyStored},
        {"t" S "0" R, m.first_loading}, {"\xB0", m.strut_angle}, {"c" S "v,v" R, m.rebar.cover_v, L},
        {"c" S "v,h" R, m.rebar.cover_h, L}, {"s", m.rebar.spacing[0], L}, {"s", m.rebar.spacing[1], L},
        {"s", m.rebar.spacing[2], L}, {"s", m.rebar.spacing[3], L}, {"Ma\xE1stab", m.print_options.scale},
    };
    for (const auto& r : reals) visit(r.name, -1, 0, r.value, r.largest);
    for (double a : m.rebar.anchorage) visit("Verankerung", -1, 0, a, L);
    for (int k = 0; k < 2; ++k) {
        const int rows = m.load_table[k] ? m.load_count[k] : 0;
        for (int i = 0; i < rows; ++i) {
            visit("A" S "Ed" R, k, i + 1, m.load_table[k][i].A * 0.001, kLargestValue);
            visit("H" S "Ed" R, k, i + 1, m.load_table[k][i].H * 0.001, kLargestValue);
        }
    }
    if (with_design_values) {
        visit("f" S "cd" R, -1, 0, m.fcd, kLargestValue);
        for (int i = 0; i < 2; ++i) {
            visit("f" S "yd" R, -1, 0, m.fyd[i], kLargestValue);
            visit("f" S "td" R, -1, 0, m.ftd[i], kLargestValue);
        }
    }
#undef S
#undef R
}

bool Representable(double v, double largest) { return std::isfinite(v) && std::fabs(v) <= largest; }

// Calls visit(name, valid) for the codes of the position that the check, the design or the
// report compute with or look up by (the others are only compared), with the name of the
// field as the report writes it. Only a damaged file holds a code outside its set; the
// report must neither show it nor compute with it.
template <class Visit>
void Visit_Corbel_Codes(const Corbel_Model& m, Visit visit)
{
    visit("Bemessungssituation", m.design_situation >= SITUATION_PERSISTENT && m.design_situation <= SITUATION_FREE);
    visit("Betonfestigkeitsklasse", m.concrete_class >= 0);
    visit("Stahlsorte", m.steel_class[0] >= 0);
    visit("Last\x81" "bertragung",
          m.load_transfer == LOAD_TRANSFER_DIRECT || m.load_transfer == LOAD_TRANSFER_INDIRECT);
}

bool Codes_Valid(const Corbel_Model& m)
{
    bool valid = true;
    Visit_Corbel_Codes(m, [&](const char*, bool ok) { valid = valid && ok; });
    return valid;
}

// Where the running check collects its error lines for the screen (none: not collected).
std::vector<std::string>* collected_errors = nullptr;

void Fail(int* error, FILE* report, const char* line)
{
    *error = 1;
    OLI_Write_Failed_Line(report, line);
    if (collected_errors) collected_errors->push_back(line);
}

void Check_Strut_Angle(Corbel_Model* m, const NAD_EC2_Params* params)
{
    if (m->strut_angle_mode == 0) {
        m->strut_angle = kThetaCot3;
        return;
    }
    const double t = std::tan(m->strut_angle * kDegree);
    const double cot = t != 0.0 ? 1.0 / t : HUGE_VAL;
    const bool german = German_Annex(params);
    if (cot > (german ? 3.0 : 2.5)) {
        m->strut_angle = german ? kThetaCot3 : kThetaCot25;
    } else if (cot < 1.0) {
        m->strut_angle = 45.0;
    }
}

void Raise_Support_Depth(Corbel_Model* m)
{
    // A depth beyond any number stays as it is: the check refuses such a corbel depth, and
    // must not write an infinite depth into a file that its reader then refuses.
    if (m->h < m->hk + 0.01 && std::isfinite(1.2 * m->hk)) m->h = 1.2 * m->hk;
}

void Check_Corbel_Kind(Corbel_Model* m)
{
    if (m->execution == EXECUTION_BEAM_END) {
        m->connection = CONNECTION_COLUMN;
        m->load_transfer = LOAD_TRANSFER_DIRECT;
        m->method = 3;
        m->bp = 100.0;
        m->b = 100.0;
        m->hk_end = 0.0;
        if (m->at_slab && m->rebar_chosen) m->rebar.beam_end_legs = 1;
        if (m->system == SYSTEM_SUPPORT_CORBEL) {
            m->connection = CONNECTION_BEAM;
            m->hk_end = 0.0;
            Raise_Support_Depth(m);
        }
    } else {
        if (m->system == SYSTEM_SUPPORT_CORBEL || m->connection == CONNECTION_BEAM) {
            m->connection = CONNECTION_BEAM;
            m->hk_end = 0.0;
            Raise_Support_Depth(m);
        } else if (m->load_transfer == LOAD_TRANSFER_INDIRECT) {
            m->hk_end = 0.0;
        }
        if (m->load_transfer == LOAD_TRANSFER_INDIRECT) {
            if (m->inclination < 20.0) m->inclination = 20.0;
            if (m->inclination > 70.0) m->inclination = 70.0;
        }
    }
    if (m->method > 4) m->method = 4;
    // The design procedures index their tables by the method: a negative row (only a
    // damaged file can hold one) is taken as the first.
    if (m->method < 0) m->method = 0;
}

// The values of both steels: characteristic values of a listed class, design values of
// every class (a user-defined steel gets them from its values as entered).
void Derive_Steel_Values(Corbel_Model* m)
{
    const double gamma_s = m->safety_factors.gamma_s;
    for (int i = 0; i < 2; ++i) {
        if (m->steel_class[i] < steel_class_count) {
            const int s = Map_Steel_Class_Index(m->steel_class[i]);
            m->fyk[i] = Get_Steel_Fyk(s);
            m->ftk[i] = Get_Steel_Ftk(s, m->fyk[i], &m->euk[i]);
            m->Es[i] = Get_Steel_Es(s);
        }
        m->fyd[i] = gamma_s > 0.001 ? m->fyk[i] / gamma_s : 0.0;
        m->ftd[i] = gamma_s > 0.001 ? m->ftk[i] / gamma_s : 0.0;
    }
}

void Check_Bridge_Rules(Corbel_Model* m, const NAD_EC2_Params* params, FILE* report,
                        int show_messages, int* error)
{
    // The steel chosen before it became the bridge steel is remembered for as long as the
    // bridge steel stands in its place.
    if (m->norm_code != CORBEL_NORM_BRIDGES || m->steel_class[0] != kBridgeSteel) m->bridge_steel_replaced = 0;
    if (m->norm_code != CORBEL_NORM_BRIDGES) return;
    // The German annex admits neither high-strength concrete nor normal-ductility steel in
    // a bridge.
    if (German_Annex(params)) {
        if (m->fck > 55.0 - 0.001) {
            Fail(error, report, kBridgeConcreteLine);
            if (show_messages) PrintMessage(kBridgeConcreteMessage);
        }
        const int steel = m->steel_class[0];
        if (steel < steel_class_count &&
            Is_Steel_High_Ductility(Map_Steel_Class_Index(steel)) < 0.5) {
            Fail(error, report, kBridgeSteelLine);
            if (show_messages) PrintMessage(kBridgeSteelMessage);
        }
    }
    // Glass-fibre and lattice-girder bars have no place in a bridge under any annex: they
    // become the listed bridge steel. A mapped class takes its own values at once, so that
    // the model never holds class 4 with the values of the class it replaced.
    bool mapped = false;
    for (int& s : m->steel_class) {
        if (s == 5 || s == 6) {
            m->bridge_steel_replaced = s;
            s = kBridgeSteel;
            mapped = true;
        }
    }
    if (mapped) Derive_Steel_Values(m);
    if (show_messages && m->bridge_steel_replaced != 0)
        PrintMessage(Oem_To_Ansi_Umlauts(Bridge_Steel_Line(*m).c_str()));
}

// The load position on the bearing plate. A load nearer the face than half the plate is
// taken at the plate's middle, which only lengthens its lever. A plate that reaches past the
// corbel's end is refused, not moved back: that would shorten the lever the tie is designed
// for. A corbel shorter than its plate cannot hold it at all; a is then left as entered, so
// that the refused position shows what was entered. over_end_reported: whether a plate past
// the end is reported here (the caller may have refused a already).
void Check_Bearing_Plate(Corbel_Model* m, FILE* report, int* error, bool over_end_reported = true)
{
    if (!(m->lp > 0.01)) return;
    const double half = m->lp / 2.0;
    if (m->lp > m->lk + 0.001) {
        Fail(error, report, kErrLp);
    } else {
        if (m->load_a < half) m->load_a = half;
        if (over_end_reported && m->load_a + half > m->lk + 0.001) Fail(error, report, kErrPlatePastEnd);
    }
    if (m->execution == EXECUTION_SINGLE && m->bp > m->b + 0.001) m->bp = m->b;
}

void Check_Geometry(Corbel_Model* m, FILE* report, int* error)
{
    const double D = m->hk - m->d1k;
    // A tie at or below mid-height has no lever arm against a compression zone above the
    // bottom face: no strut-and-tie model applies. (An axis at or beyond the depth is the
    // error below.)
    if (D >= 0.01 && m->d1k >= m->hk / 2.0) Fail(error, report, kErrAxisMidHeight);
    if (m->system == SYSTEM_SUPPORT_CORBEL || m->connection == CONNECTION_BEAM) {
        const double D1 = m->h - m->d1;
        if (D < 0.01) Fail(error, report, kErrD1k);
        if (D1 < 0.01) Fail(error, report, kErrD1);
        if (D1 < D - 0.01) Fail(error, report, kErrDepths);
        if (m->h < m->hk + 0.01) Fail(error, report, kErrHk);
        if (m->execution == EXECUTION_BEAM_END && m->at_slab && m->beam_height < 2.0 * m->e1 + 0.01)
            Fail(error, report, kErrB);
        Check_Bearing_Plate(m, report, error);
    } else if (m->connection == CONNECTION_COLUMN) {
        if (D < 0.01) Fail(error, report, kErrD1k);
        const bool a_outside = m->load_a < 0.01 || m->load_a > m->lk - 0.01;
        if (a_outside) Fail(error, report, kErrA);
        if (m->load_transfer == LOAD_TRANSFER_DIRECT) {
            Check_Bearing_Plate(m, report, error, !a_outside);
            // A chamfered end must leave the load its depth: h'k is cut to what the
            // line from the load to the support allows. (Geometry already reported as
            // broken is left alone rather than divided by zero.)
            if (m->hk_end > 0.01 && m->load_a > 0.01 && m->lk > 0.01 &&
                (m->load_a / m->lk) * m->hk_end > D / 2.0) {
                m->hk_end = m->lk * 0.5 * D / m->load_a;
            }
        } else if (m->load_a < 0.5 * m->lk) {
            m->load_a = 0.5 * m->lk;
        }
    }
}

// Every value that is no number, or too large for the report, and every code outside its
// set, is named in its own line.
void Check_Values_Representable(const Corbel_Model& m, FILE* report, int* error)
{
    Visit_Corbel_Codes(m, [&](const char* name, bool valid) {
        if (!valid) Fail(error, report, (std::string("Fehler ") + name + kInvalidNumber).c_str());
    });
    Visit_Corbel_Reals(m, true, [&](const char* name, int table, int row, double value, double largest) {
        if (Representable(value, largest)) return;
        std::string line = "Fehler ";
        if (table >= 0) line += "Lk " + std::to_string(row) + (table == 1 ? " (Erm\x81" "dung): " : ": ");
        line += name;
        line += kInvalidNumber;
        Fail(error, report, line.c_str());
    });
}

void Derive_Provided_Areas(Corbel_Model* m)
{
    Corbel_Rebar_Choice& r = m->rebar;
    r.As_h = r.As_v = r.As_s = r.Asb_v = r.Asb_h = r.As_v1 = r.As_h1 = 0.0;
    r.As_member[0] = r.As_member[1] = r.As_end[0] = r.As_end[1] = 0.0;
    r.min_cover_v = r.min_cover_h = 0.0;
    r.tie_axis_required = r.member_axis_required = r.inclined_axis_required = 0.0;

    if (m->execution == EXECUTION_BEAM_END) {
        // Per metre of the beam.
        if (r.spacing[0] > 0.01)
            r.As_h = r.beam_end_legs * 100.0 * Bar_Area(r.layer_diameter[0]) / r.spacing[0];
        if (r.spacing[1] > 0.01)
            r.As_v = r.group[2].legs * 100.0 * Bar_Area(r.group[2].diameter) / r.spacing[1];
        r.As_end[0] = r.end_count[0] * Bar_Area(r.end_diameter[0]);
        r.As_end[1] = r.end_count[1] * Bar_Area(r.end_diameter[1]);
        r.layers = 1;
        r.layer_bars[0] = 1;
        r.group[2].count = 1;
        for (int k : {0, 1, 3, 4, 5}) r.group[k].count = 0;
    } else {
        r.Asb_v = Group_Area(r.group[0]);
        r.Asb_h = Group_Area(r.group[1]);
        r.As_v = Group_Area(r.group[2]);
        r.As_s = Group_Area(r.group[3]);
        r.As_v1 = Group_Area(r.group[4]);
        r.As_h1 = Group_Area(r.group[5]);
        const int layers = r.layers < CORBEL_MAX_LAYERS ? r.layers : CORBEL_MAX_LAYERS;
        for (int i = 0; i < layers; ++i) {
            if (r.layer_bars[i] <= 0) continue;
            double a = r.layer_bars[i] * Bar_Area(r.layer_diameter[i]);
            if (r.loops) a *= 2.0;
            r.As_h += a;
        }
        r.spacing[0] = 0.0;
        r.spacing[1] = 0.0;
    }
    r.As_member[0] = r.member_count[0] * Bar_Area(r.member_diameter[0]);
    r.As_member[1] = r.member_count[1] * Bar_Area(r.member_diameter[1]);
}

// The names of the bar groups as the report writes them (code page 850): the third is the
// hangers' or the vertical stirrups'; the members' by kind (beam end, column, slab).
const char* const kGroupNames[6] = {"Spaltzugbewehrung vertikal", "Spaltzugbewehrung horizontal", nullptr,
                                    "Schr\x84gbewehrung", "Verankerung vertikal", "Verankerung horizontal"};
const char* const kMemberNames[3][2] = {{"Tr\x84gerl\x84ngsbewehrung oben", "Tr\x84gerl\x84ngsbewehrung unten"},
                                        {"St\x81tzenbew. links", "St\x81tzenbew. rechts"},
                                        {"Feldbewehrung oben", "Feldbewehrung unten"}};

// Calls visit(name, value, what) for every bar count, number of legs and number of layers in
// use, with the name of its group as the report writes it (code page 850) and what the value
// is ("Anzahl", "Schnittigkeit", "Anzahl der Lagen"). Runs on the values the derivation leaves
// (a beam-end corbel has its unused groups emptied; legs of a group without bars are unused).
template <class Visit>
void Visit_Rebar_Counts(const Corbel_Model& m, Visit visit)
{
    const Corbel_Rebar_Choice& r = m.rebar;
    const bool beam_end = m.execution == EXECUTION_BEAM_END;
    const bool on_column = m.system == SYSTEM_LOAD_CORBEL && m.connection == CONNECTION_COLUMN;
    const char* const tie = "Hauptzugbewehrung";
    visit(tie, r.layers, "Anzahl der Lagen");
    const int layers = r.layers < CORBEL_MAX_LAYERS ? r.layers : CORBEL_MAX_LAYERS;
    for (int i = 0; i < layers; ++i) {
        const std::string name = layers > 1 ? std::string(tie) + ", " + std::to_string(i + 1) + ". Lage" : tie;
        visit(name.c_str(), r.layer_bars[i], "Anzahl");
    }
    for (int k = 0; k < 6; ++k) {
        const Bar_Group& g = r.group[k];
        const char* name = kGroupNames[k] ? kGroupNames[k]
                           : on_column   ? "Aufh\x84ngebewehrung"
                                         : "Vertikalbewehrung";
        visit(name, g.count, "Anzahl");
        if (g.count > 0) visit(name, g.legs, "Schnittigkeit");
    }
    const int member_kind = beam_end ? 0 : on_column ? 1 : 2;
    for (int k = 0; k < 2; ++k) visit(kMemberNames[member_kind][k], r.member_count[k], "Anzahl");
    if (beam_end) {
        visit(tie, r.beam_end_legs, "Schnittigkeit");
        visit("Konsoll\x84ngsbewehrung oben", r.end_count[0], "Anzahl");
        visit("Konsoll\x84ngsbewehrung unten", r.end_count[1], "Anzahl");
    }
}

// Calls visit(name, index) for the diameter index of every bar row in use (bars there), with
// the name its count has. A row without bars needs no diameter.
template <class Visit>
void Visit_Rebar_Diameters(const Corbel_Model& m, Visit visit)
{
    const Corbel_Rebar_Choice& r = m.rebar;
    const bool beam_end = m.execution == EXECUTION_BEAM_END;
    const bool on_column = m.system == SYSTEM_LOAD_CORBEL && m.connection == CONNECTION_COLUMN;
    const char* const tie = "Hauptzugbewehrung";
    const int layers = std::clamp(r.layers, 0, CORBEL_MAX_LAYERS);
    for (int i = 0; i < layers; ++i) {
        if (r.layer_bars[i] <= 0) continue;
        const std::string name = layers > 1 ? std::string(tie) + ", " + std::to_string(i + 1) + ". Lage" : tie;
        visit(name.c_str(), r.layer_diameter[i]);
    }
    for (int k = 0; k < 6; ++k) {
        const Bar_Group& g = r.group[k];
        if (g.count <= 0) continue;
        visit(kGroupNames[k] ? kGroupNames[k] : on_column ? "Aufh\x84ngebewehrung" : "Vertikalbewehrung", g.diameter);
    }
    const int member_kind = beam_end ? 0 : on_column ? 1 : 2;
    for (int k = 0; k < 2; ++k)
        if (r.member_count[k] > 0) visit(kMemberNames[member_kind][k], r.member_diameter[k]);
    if (beam_end) {
        if (r.end_count[0] > 0) visit("Konsoll\x84ngsbewehrung oben", r.end_diameter[0]);
        if (r.end_count[1] > 0) visit("Konsoll\x84ngsbewehrung unten", r.end_diameter[1]);
    }
}

// The chosen bars as the design can take them: a count below 0 is named by its field (it is
// mistyped or damaged input, not a failure of the design); a count beyond what a corbel can
// hold is refused in one line; so is a bar spacing at or below 0 of a beam-end corbel, whose
// areas are per metre of the spacing.
void Check_Rebar_Counts(const Corbel_Model& m, FILE* report, int show_messages, int* error)
{
    bool too_large = false;
    Visit_Rebar_Counts(m, [&](const char* name, int value, const char* what) {
        if (value > kMaxBarsOrLegs) too_large = true;
        if (value >= 0) return;
        Fail(error, report, (std::string("Fehler ") + name + ": " + what + " < 0").c_str());
    });
    if (too_large) {
        Fail(error, report, kRebarCountLine);
        if (show_messages) PrintMessage(kRebarCountLine);
    }
    // A diameter index outside the table (a damaged or hand-edited file) is named: taken as
    // some other bar, it would change the lengths and areas the design works with.
    Visit_Rebar_Diameters(m, [&](const char* name, int index) {
        if (index >= 0 && index < bar_diameter_count) return;
        Fail(error, report, (std::string("Fehler ") + name + ": Durchmesser unbekannt").c_str());
    });
    if (m.execution != EXECUTION_BEAM_END) return;
    const Corbel_Rebar_Choice& r = m.rebar;
    const bool on_column = m.system == SYSTEM_LOAD_CORBEL && m.connection == CONNECTION_COLUMN;
    if (r.beam_end_legs > 0 && !(r.spacing[0] > 0.0))
        Fail(error, report, "Fehler Hauptzugbewehrung: Stababstand s \xF3 0");
    if (r.group[2].legs > 0 && !(r.spacing[1] > 0.0))
        Fail(error, report,
             on_column ? "Fehler Aufh\x84ngebewehrung: Stababstand s \xF3 0" : "Fehler Vertikalbewehrung: Stababstand s \xF3 0");
}

void Check_Rebar(Corbel_Model* m, const NAD_EC2_Params* params, FILE* report, int show_messages,
                 int* error)
{
    Corbel_Rebar_Choice& r = m->rebar;
    r.group[3].legs = r.inclined_loops ? 2 : 1;
    Derive_Provided_Areas(m);
    Check_Rebar_Counts(*m, report, show_messages, error);
    r.tie_axis_given = m->d1k;
    r.member_axis_given = m->e1;

    if (m->cover_from_exposure) {
        const double phi_s = Get_Rebar_Diameter_Cm(r.layer_diameter[0], 0.0);
        const double phi_sb = (r.group[0].legs > 1 && r.group[0].count > 0)
                                  ? Get_Rebar_Diameter_Cm(r.group[0].diameter, 0.0)
                                  : 0.0;
        r.min_cover_v = Check_Concrete_Cover(m->exposure_first[0], m->exposure_first[1], 0, phi_s,
                                             phi_sb, 0.0, 0.0, 0.0, "", nullptr, 0);
        r.min_cover_h = Check_Concrete_Cover(m->exposure_first[0], m->exposure_first[1], 0, phi_s,
                                             0.0, 0.0, 0.0, 0.0, "", nullptr, 0);
        if (r.min_cover_v < -0.5 || r.min_cover_h < -0.5) *error = 1;
    }

    r.tie_axis_required = Calc_Rebar_Axis_Distance(&r, &m->execution, 0, m->system, params);
    if (m->system == SYSTEM_SUPPORT_CORBEL || m->connection == CONNECTION_BEAM ||
        m->execution == EXECUTION_BEAM_END) {
        r.member_axis_required = Calc_Rebar_Axis_Distance(&r, &m->execution, 1, m->system, params);
        if (m->load_transfer == LOAD_TRANSFER_INDIRECT)
            r.inclined_axis_required =
                Calc_Rebar_Axis_Distance(&r, &m->execution, 2, m->system, params);
    }
}

}  // namespace

void Setup_Corbel_Materials(Corbel_Model* model)
{
    if (!model) return;
    Corbel_Model& m = *model;
    m.materials_derived = 1;
    const int cls = Map_Concrete_Class_Index(m.concrete_class, &m.lightweight, m.density);
    const int code = Material_Norm_Code(m.norm_code);

    if (m.concrete_class < concrete_class_count) {
        if (!m.lightweight) {
            m.density = 2200.0;
        } else {
            if (m.density < 800.0) m.density = 800.0;
            if (m.density > 2200.0) m.density = 2200.0;
        }
        m.fck = Get_Concrete_Strength(code, cls);
        m.eps_c1 = Get_Concrete_Eps_C1(code, cls, m.fck, m.density, &m.eps_cu1);
        m.eps_c2 = Get_Concrete_Eps_C2(code, cls, m.fck, m.density, &m.eps_cu2);
        m.eps_c3 = Get_Concrete_Eps_C3(code, cls, m.fck, m.density, &m.eps_cu3);
        m.n_parabola = Get_Concrete_Exponent_N(code, cls, m.fck);
        m.fctm = Get_Concrete_Fctm(code, cls, m.fck, m.density, m.fctm);
        m.Ecm = Get_Concrete_Ecm(code, cls, m.fck, m.density, nullptr);
        m.fcm = Get_Concrete_Fcm(code, m.fck, m.density);
    }

    const double gamma_c = m.safety_factors.gamma_c;
    m.fcd = gamma_c > 0.001 ? Corbel_Alpha_Cc(m) * m.fck / gamma_c : 0.0;

    Derive_Steel_Values(&m);
}

int Check_Corbel_Model(Corbel_Model* model, FILE* report, int /*unused*/, int show_messages)
{
    if (!model) return 1;
    Corbel_Model& m = *model;
    static bool first_call = true;
    if (first_call) {
        first_call = false;
        concrete_class_count = 33;
        steel_class_count = 11;
        Set_Creep_Norm_Code(m.norm_code);
    }
    int error = 0;

    // Partial factors by the design situation; "frei" keeps the position's own.
    // The annex columns: 0 persistent, 1 fatigue, 2 seismic, 3 accidental. A situation
    // outside the four is refused below; it takes the persistent column meanwhile.
    // They come before the materials, whose design values divide by them: otherwise a
    // change of situation would leave fcd and fyd of the old factors until a second check.
    const int situation = m.design_situation;
    m.safety_factors.from_annex = situation < SITUATION_FREE ? 1 : 0;
    m.safety_factors.norm_code = m.norm_code;
    Fill_NAD_Safety_Factors(&m.safety_factors,
                            situation >= SITUATION_SEISMIC && situation <= SITUATION_FREE ? situation + 1 : 0);

    Setup_Corbel_Materials(&m);

    // The second steel is always the main steel.
    m.steel_class[1] = m.steel_class[0];
    m.fyk[1] = m.fyk[0];
    m.ftk[1] = m.ftk[0];
    m.euk[1] = m.euk[0];
    m.Es[1] = m.Es[0];
    m.steel_fifth[1] = m.steel_fifth[0];
    m.fyd[1] = m.fyd[0];
    m.ftd[1] = m.ftd[0];

    const NAD_EC2_Params* params = NAD_Get_EC2_Params();
    Check_Strut_Angle(&m, params);
    Check_Corbel_Kind(&m);
    Check_Bridge_Rules(&m, params, report, show_messages, &error);
    Check_Geometry(&m, report, &error);
    if (m.rebar_chosen) Check_Rebar(&m, params, report, show_messages, &error);
    Check_Values_Representable(m, report, &error);
    return error;
}

namespace {

// Whether every real that Visit_Corbel_Reals visits passes the test ok(value, largest).
template <class Test>
bool All_Corbel_Reals(const Corbel_Model& model, bool with_design_values, Test ok)
{
    bool all = true;
    Visit_Corbel_Reals(model, with_design_values, [&](const char*, int, int, double value, double largest) {
        all = all && ok(value, largest);
    });
    return all;
}

} // namespace

bool Corbel_Values_Finite(const Corbel_Model& model)
{
    return All_Corbel_Reals(model, false, [](double value, double) { return std::isfinite(value); });
}

bool Corbel_Values_Representable(const Corbel_Model& model)
{
    return Codes_Valid(model) && All_Corbel_Reals(model, true, Representable);
}

int Corbel_Model_Errors(const Corbel_Model& model, std::vector<std::string>* errors)
{
    // The check changes only fields of the record itself: the copy shares the tables and
    // results of the model but neither frees nor writes them.
    Corbel_Model copy = model;
    collected_errors = errors;
    const int result = Check_Corbel_Model(&copy, nullptr, 0, 0);
    collected_errors = nullptr;
    return result;
}
