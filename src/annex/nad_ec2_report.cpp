#include "annex/nad_ec2_report.h"

#include "report/string_format.h"

#include <cstdarg>
#include <cstring>
#include <string>

#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "annex/nad_report_blocks.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"

int nad_ec2_row_visible[NAD_EC2_ROW_GROUPS];

// Report-font bytes (code page 850 letters, Greek letters and signs of the report font).
// Always spliced as separate literals: a hex escape followed by a letter a-f would
// swallow it.
#define UML_ae "\x84"
#define UML_oe "\x94"
#define UML_ue "\x81"
#define UML_sz "\xE1"
#define SQ "\xFD"      // superscript two (cm2)
#define ALPHA "\xE0"
#define BETA "\xBB"
#define GAMMA "\xC0"
#define DELTA "\xA3"
#define EPSILON "\xBE"
#define ETA "\xC1"
#define THETA "\xB0"
#define LAMBDA "\xC5"
#define MU "\xC6"
#define NU "\xC7"
#define RHO "\xCB"
#define GEQ "\xF2"
// A lowered or raised run, back to plain text after it.
#define SUB(text) OLI_SEQ_SUB text OLI_SEQ_RESET
#define SUP(text) OLI_SEQ_SUP text OLI_SEQ_RESET

namespace {

// Row groups with a meaning of their own.
enum {
    GROUP_FIRE_TABLE = 27,
    GROUP_BUILDING = 30,
    GROUP_BRIDGE_TABLE = 31
};

// Visible columns: a blank and the clause field of 13, then the value; the meaning starts
// after 44 visible characters.
constexpr size_t CLAUSE_WIDTH = 13;
constexpr size_t MEANING_COLUMN = 44;

// Characters a text takes on the page: an in-band sequence (the control byte and its
// letter) takes no room.
size_t Visible_Width(const std::string& text)
{
    size_t width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) == OLI_Report_Format::control_byte) {
            ++i;
            continue;
        }
        ++width;
    }
    return width;
}

// A second meaning line continues under the words after a leading topic ("Leichtbeton: ",
// "Risse: "); without such a topic it starts at the meaning column itself.
size_t Topic_Width(const char* first_line)
{
    const char* colon = std::strstr(first_line, ": ");
    return colon ? Visible_Width(std::string(first_line, colon + 2)) : 0;
}

bool Plain_Form(int form) { return form == 1; }

// The rows of one table, written straight into the report stream.
class Table {
public:
    explicit Table(FILE* stream) : stream_(stream) {}

    // " clause value ... meaning": the meaning at column 44 (plus the indent), at least one
    // blank after a value that reaches that far; a row without meaning ends after the last
    // character of its value.
    void Row(const char* clause, const std::string& value, const char* meaning = "", size_t indent = 0)
    {
        std::string line = " ";
        line += clause;
        if (line.size() < 1 + CLAUSE_WIDTH) line.resize(1 + CLAUSE_WIDTH, ' ');
        line += value;
        if (meaning[0] == '\0') {
            while (line.size() > 1 && line.back() == ' ') line.pop_back();  // no blanks at the end
        } else {
            size_t width = Visible_Width(line);
            size_t column = MEANING_COLUMN + indent;
            if (width < column)
                line.append(column - width, ' ');
            else if (line.back() != ' ')
                line += ' ';
            line += meaning;
        }
        line += '\n';
        std::fputs(line.c_str(), stream_);
    }

    // A row that carries only the second line of a meaning.
    void Continuation(const char* first_line, const char* second_line)
    {
        Row("", "", second_line, Topic_Width(first_line));
    }

    // A one-value row whose meaning may run over two lines.
    void Value(const char* clause, const std::string& value, const char* meaning, const char* meaning2 = nullptr)
    {
        Row(clause, value, meaning);
        if (meaning2) Continuation(meaning, meaning2);
    }

private:
    FILE* stream_;
};

void Close_Table(FILE* stream) { std::fputs("#END_OF_TEXT\n", stream); }

// The EN 1992-1-2 and EN 1992-2 tables start on a new block with room reserved, titled
// by their standard alone, at the left margin.
void Open_Further_Table(FILE* stream, int norm_code)
{
    OLI_Finish_Pending_Line(stream);
    OLI_reserveSpaceCM(stream, 4.0f);
    NAD_Write_Norm_Title(stream, norm_code, nullptr);
    OLI_setYPositionCM(stream, 1, -0.5f);
    OLI_setMarginsCM(stream, 1, 0.0f, 0.0f);
    NAD_Open_Clause_Table(stream);
}

// "symbol = value" with the value in the given format.
std::string Symbol_Value(const char* symbol, const char* format, double value)
{
    return std::string(symbol) + " = " + Format_String(format, value);
}

std::string Gamma_Pair(double gamma_c, double gamma_s)
{
    return Format_String(GAMMA SUB("c") " = %-5.2f " GAMMA SUB("s") " = %-5.2f", gamma_c, gamma_s);
}

const char* const situation_meaning[4] = {
    "st" UML_ae "ndige und vor" UML_ue "bergehende Bemessungssituation",
    "Bemessungssituation f" UML_ue "r Erm" UML_ue "dung",
    "Bemessungssituation f" UML_ue "r Erdbeben",
    "au" UML_sz "ergew" UML_oe "hnliche Bemessungssituation",
};

// 2.4.2.4(1): the head row, the persistent situation and (group 1) the three others.
void Partial_Factor_Rows(Table& t, const double* gamma_c, const double* gamma_s, bool others)
{
    t.Row("2.4.2.4(1)", "", "Teilsicherheitsbeiwerte f" UML_ue "r Beton und Betonstahl");
    t.Row("", Gamma_Pair(gamma_c[0], gamma_s[0]), situation_meaning[0]);
    if (!others) return;
    for (int i = 1; i < 4; ++i) t.Row("", Gamma_Pair(gamma_c[i], gamma_s[i]), situation_meaning[i]);
}

// 6.2.2(1) of buildings and 6.2.2(101) of bridges: C_Rd,c, v_min and k_1.
void Shear_Resistance_Rows(Table& t, const char* clause, double c_rd_c, double v_min, int v_min_form, double k1)
{
    t.Row(clause, Format_String("C" SUB("Rd,c") " = %5.2f / " GAMMA SUB("c"), c_rd_c),
          "Beiwerte zur Ermittlung des Querkraftwiderstandes");
    if (Plain_Form(v_min_form))
        t.Row("", Symbol_Value(NU SUB("min"), "%-5.3f", v_min));
    else
        t.Row("", Format_String(NU SUB("min") " = %6.4f/" GAMMA SUB("c") " k" SUP("3/2") " f" SUB("ck") SUP("1/2"), v_min));
    t.Row("", Symbol_Value("k" SUB("1"), "%-5.2f", k1));
}

// 6.2.3(2): the limits of cot theta.
void Strut_Limit_Rows(Table& t, double cot_min, double cot_max)
{
    t.Row("6.2.3(2)", Symbol_Value("min cot " THETA, "%-5.2f", cot_min), "untere Grenze der Druckstrebenneigung");
    t.Row("", Symbol_Value("max cot " THETA, "%-5.2f", cot_max), "obere Grenze der Druckstrebenneigung");
}

// 6.2.3(3) of buildings and 6.2.3(103) of bridges: alpha_cw and nu_1.
void Strut_Capacity_Rows(Table& t, const char* clause, double alpha_cw, double nu_1, int nu_1_form)
{
    t.Row(clause, Symbol_Value(ALPHA SUB("cw"), "%-5.2f", alpha_cw),
          "Beiwert zur Ber" UML_ue "cksichtigung des Spannungszustands im Druckgurt");
    std::string value = Plain_Form(nu_1_form) ? Symbol_Value(NU SUB("1"), "%-5.2f", nu_1)
                                              : Format_String(NU SUB("1") " = %-5.2f(1 - f" SUB("ck") "/250)", nu_1);
    t.Row("", value, "Beiwert zur Ermittlung der maximalen Querkrafttragf" UML_ae "higkeit");
}

// 6.8.7(1) of buildings and 6.8.7(101) of bridges.
void Fatigue_Strength_Row(Table& t, const char* clause, double k1)
{
    t.Value(clause, Symbol_Value("k" SUB("1"), "%-5.2f", k1),
            "Erm" UML_ue "dung: Beiwert zur Ermittlung der Bemessungsfestigkeit des", "Betons");
}

// 9.5.2(2) of buildings and bridges: A_s,min of columns with its lower bound.
void Column_Minimum_Rows(Table& t, double factor, int form, double floor)
{
    std::string value = Plain_Form(form) ? Format_String("A" SUB("s,min") " = %-5.2f cm" SQ, factor)
                                         : Format_String("A" SUB("s,min") " = %5.3f N" SUB("Ed") "/f" SUB("yd"), factor);
    t.Row("9.5.2(2)", value, "Mindestbewehrung f" UML_ue "r St" UML_ue "tzen [cm" SQ "]");
    if (floor > 0.0001) t.Row("", Format_String("       " GEQ " %-5.3f A" SUB("c"), floor));
}

// k_2 and k_4 of 5.5(4): a coefficient of (0.6 + 0.0014/eps_cu2) or a plain value.
std::string Redistribution_Factor(const char* symbol, double value, int form)
{
    if (Plain_Form(form)) return Symbol_Value(symbol, "%-5.2f", value);
    return std::string(symbol) + Format_String(" = %-5.2f(0.6+0.0014/" EPSILON SUB("cu2") ")", value);
}

// nu of the lightweight rows 11.6.1(2), 11.6.2(1) and torsion.
std::string Lightweight_Nu(const char* symbol, double value, int form)
{
    if (Plain_Form(form)) return std::string(symbol) + Format_String(" = %-5.3f " ETA SUB("1"), value);
    return std::string(symbol) + Format_String(" = %5.3f " ETA SUB("1") " (1 - f" SUB("lck") "/250)", value);
}

// nu for shear and torsion (6.2.2(6), 6.3.2(4)).
std::string Strength_Reduction_Nu(const char* symbol, double value, int form)
{
    if (Plain_Form(form)) return Symbol_Value(symbol, "%-5.3f", value);
    return std::string(symbol) + Format_String(" = %-5.3f(1 - f" SUB("ck") "/250)", value);
}

// The symbol followed by " s. NA-DE": the German annex gives its own rule there.
std::string See_German_Annex(const char* symbol) { return std::string(symbol) + " s. NA-DE"; }

bool Visible(int group) { return nad_ec2_row_visible[group] != 0; }

// The application numbers of the environment whose programs show more than the basic
// rows when their profile gives only a parts mask: the groups each adds to groups 30, 0
// and 2. The bridge programs show the EN 1992-2 table instead of the building rows.
struct App_Row_Groups {
    int application;
    bool bridge;
    int groups[12];  // ended by -1
};
const App_Row_Groups app_row_groups[15] = {
    {114, true, {1, 10, 17, 25, -1}},
    {115, true, {1, 3, 10, 17, 25, -1}},
    {125, false, {1, 3, 6, 16, 17, 20, -1}},
    {126, false, {1, 3, 6, 16, 17, 20, -1}},
    {127, false, {1, 3, 6, 16, 17, 20, -1}},
    {128, false, {1, 3, 6, 16, 17, 20, -1}},
    {50, false, {10, 16, -1}},
    {101, false, {6, 7, 10, 18, 19, 21, 24, -1}},
    {102, false, {6, 7, 10, 11, 15, 18, 19, 21, 22, 23, 24, -1}},
    {103, false, {6, 8, 9, 25, 32, -1}},
    {104, false, {5, 6, 8, 9, 13, 26, 32, -1}},
    {105, false, {27, 28, 29, -1}},
    {106, false, {4, 12, 14, -1}},
    {107, false, {5, 10, 13, -1}},
    {108, false, {1, 10, 17, 18, -1}},
};

// The entries for the annex in force: its record (nothing without one) with the row
// groups of the running program.
template <typename Write>
void Write_For_Annex_In_Force(FILE* stream, Write write)
{
    if (!stream) return;
    const NAD_EC2_Params* params = NAD_Get_EC2_Params();
    if (!params) return;
    NAD_EC2_Set_Row_Filter();
    write(stream, params);
}

} // namespace

void NAD_EC2_Set_Row_Filter()
{
    NAD_Scan_App_Profiles();  // reads the profiles on its first call only
    for (int& flag : nad_ec2_row_visible) flag = 0;

    if (NAD_Use_Rule_Strings()) {
        for (int i = 0; i < NAD_EC2_ROW_GROUPS; ++i) nad_ec2_row_visible[i] = NAD_Rule_Visible(2, i);
        if (!nad_ec2_row_visible[GROUP_BUILDING] && !nad_ec2_row_visible[GROUP_BRIDGE_TABLE]) {
            int app = NAD_Get_Current_App();
            if (app == 114 || app == 115)
                nad_ec2_row_visible[GROUP_BRIDGE_TABLE] = 1;
            else
                nad_ec2_row_visible[GROUP_BUILDING] = 1;
        }
        return;
    }

    nad_ec2_row_visible[GROUP_BUILDING] = 1;
    nad_ec2_row_visible[0] = 1;
    nad_ec2_row_visible[2] = 1;
    nad_ec2_row_visible[GROUP_BRIDGE_TABLE] = 0;
    const int app = NAD_Get_Current_App();
    for (const App_Row_Groups& entry : app_row_groups) {
        if (entry.application != app) continue;
        if (entry.bridge) {
            nad_ec2_row_visible[GROUP_BUILDING] = 0;
            nad_ec2_row_visible[GROUP_BRIDGE_TABLE] = 1;
        }
        for (const int* g = entry.groups; *g >= 0; ++g) nad_ec2_row_visible[*g] = 1;
        break;
    }
    if (nad_no_profile)
        for (int& flag : nad_ec2_row_visible) flag = 1;
}

void NAD_EC2_Write_Rows(FILE* stream, const NAD_EC2_Params* p, const char* annex_name)
{
    if (!stream || !p) return;
    OLI_Finish_Pending_Line(stream);
    NAD_Write_Norm_Title(stream, 4, annex_name ? annex_name : "");
    OLI_setYPositionCM(stream, 1, -0.5f);

    NAD_Open_Clause_Table(stream);
    Table t(stream);
    const bool building = Visible(GROUP_BUILDING);
    const bool german = p->na_de_flag != 0;

    if (building && Visible(0)) {
        Partial_Factor_Rows(t, p->gamma_c, p->gamma_s, Visible(1));
        t.Row("2.4.2.4(2)", Gamma_Pair(p->gamma_c_sls, p->gamma_s_sls),
              "Grenzzustand der Gebrauchstauglichkeit");
    }
    if (building && Visible(2))
        t.Row("3.1.6(1)P", Symbol_Value(ALPHA SUB("cc"), "%-5.2f", p->alpha_cc),
              "Abminderungsbeiwert f" UML_ue "r die Betondruckfestigkeit");
    if (building && Visible(3))
        t.Row("3.1.6(2)P", Symbol_Value(ALPHA SUB("ct"), "%-5.2f", p->alpha_ct),
              "Abminderungsbeiwert f" UML_ue "r die Betonzugfestigkeit");

    if (Visible(6)) {
        t.Row("4.4.1.2(5)", "Exp.Kl.    C" SUB("min,dur") "  " DELTA "c" SUB("dur," GAMMA),
              "Mindestbetondeckung in Abh" UML_ae "ngigkeit von der");
        for (int i = 0; i < 12; ++i) {
            char name[6];
            std::memcpy(name, p->exposure_class_name[i], 5);
            name[5] = '\0';  // a slot read from outside may lack its terminator
            std::string value = Format_String("%5s      %-5.2f     %-5.2f", name, p->c_min_dur[i], p->delta_c_dur_gamma[i]);
            if (i == 0)
                t.Row("", value, "Expositionsklasse C" SUB("min,dur") " [cm]");
            else if (i == 1)
                t.Row("4.4.1.2(6)", value,
                      "Mindestbetondeckung: additives Sicherheitselement " DELTA "c" SUB("dur," GAMMA) " [cm]");
            else
                t.Row("", value);
        }
        t.Row("4.4.1.2(7)", Symbol_Value(DELTA "c" SUB("dur,st"), "%-5.2f", p->delta_c_dur_st),
              "Mindestbetondeckung: Verwendung von rostfreiem Stahl [cm]");
        t.Row("4.4.1.2(8)", Symbol_Value(DELTA "c" SUB("dur,add"), "%-5.2f", p->delta_c_dur_add),
              "Mindestbetondeckung: Beton mit zus" UML_ae "tzlichem Schutz [cm]");
        t.Row("4.4.1.3(1)P", Symbol_Value(DELTA "c" SUB("dev"), "%-5.2f", p->delta_c_dev),
              "Vorhaltema" UML_sz " f" UML_ue "r die Betondeckung [cm]");
    }
    if (Visible(32))
        t.Row("5.2(6)", Format_String(THETA SUB("0") " = 1/%-5.0f", p->theta_0_denominator),
              "Imperfektion: Grundwert der Schiefstellung");
    if (Visible(7)) {
        const char* meaning = "Umlagerung: Beiwerte zur Ermittlung des erlaubten";
        t.Row("5.5(4)", Symbol_Value("k" SUB("1"), "%-5.2f", p->k1_redistribution), meaning);
        t.Row("", Redistribution_Factor("k" SUB("2"), p->k2_redistribution, p->k2_form),
              "Umlagerungsverh" UML_ae "ltnisses", Topic_Width(meaning));
        t.Row("", Symbol_Value("k" SUB("3"), "%-5.2f", p->k3_redistribution));
        t.Row("", Redistribution_Factor("k" SUB("4"), p->k4_redistribution, p->k4_form));
        t.Row("", Symbol_Value("k" SUB("5"), "%-5.2f", p->k5_redistribution));
        t.Row("", Symbol_Value("k" SUB("6"), "%-5.2f", p->k6_redistribution));
    }
    if (Visible(8)) {
        std::string value;
        if (Plain_Form(p->lambda_lim_form))
            value = Symbol_Value(LAMBDA SUB("lim"), "%-5.2f", p->lambda_lim_factor);
        else if (german)
            value = See_German_Annex(LAMBDA SUB("lim"));
        else
            value = Format_String(LAMBDA SUB("lim") " = %-5.2f / n" SUP("1/2"), p->lambda_lim_factor);
        t.Row("5.8.3.1(1)", value, "Grenzwert der Schlankheit f" UML_ue "r Einzeldruckglieder");
    }
    if (Visible(9))
        t.Value("5.8.6(3)", Symbol_Value(GAMMA SUB("cE"), "%-5.2f", p->gamma_cE),
                "Teilsicherheitsbeiwert f" UML_ue "r den E-Modul beim Nachweis",
                "der Knicksicherheit (Th. II. O. im Zust. 2)");
    if (Visible(10) && building)
        Shear_Resistance_Rows(t, "6.2.2(1)", p->c_rd_c, p->v_min_factor, p->v_min_form, p->k1_shear);
    if (Visible(10))
        t.Row("6.2.2(6)", Strength_Reduction_Nu(NU SUB("V"), p->nu_v, p->nu_v_form),
              "Festigkeitsabminderungsbeiwert f" UML_ue "r Querkraft");
    if (Visible(11))
        t.Row("6.3.2(4)", Strength_Reduction_Nu(NU SUB("T"), p->nu_t, p->nu_v_form),
              "Festigkeitsabminderungsbeiwert f" UML_ue "r Torsion");
    if (Visible(10) && building) {
        Strut_Limit_Rows(t, p->cot_theta_min, p->cot_theta_max);
        Strut_Capacity_Rows(t, "6.2.3(3)", p->alpha_cw, p->nu_1, p->nu_1_form);
    }
    if (Visible(15)) {
        t.Row("6.2.4(4)", Symbol_Value("cot " THETA SUB("fz"), "%-5.2f", p->cot_theta_f_tension),
              "Anschl" UML_ue "sse: Druckstrebenneigung f" UML_ue "r Zuggurte");
        t.Row("", Symbol_Value("cot " THETA SUB("fd"), "%-5.2f", p->cot_theta_f_compression),
              "Anschl" UML_ue "sse: Druckstrebenneigung f" UML_ue "r Druckgurte");
        t.Value("6.2.4(6)", Symbol_Value("k", "%-5.2f", p->k_flange),
                "Anschl" UML_ue "sse: Beiwert f" UML_ue "r die aufnehmbare Zugspannung ohne", "Anschlussbewehrung");
    }
    if (Visible(16)) {
        // The surface names continue the words of the first row, one under the other.
        const char* lead = "Fugen: Rauhigkeitsbeiwerte f" UML_ue "r ";
        for (int i = 0; i < 4; ++i) {
            char name[12];
            std::memcpy(name, p->roughness_name[i], 11);
            name[11] = '\0';
            std::string value = Format_String("c = %-4.2f  " MU " = %-4.2f  " NU " = %-4.2f", p->roughness_c[i],
                                    p->roughness_mu[i], p->roughness_nu[i]);
            std::string meaning = Format_String("%se Fugen", name);
            if (i == 0)
                t.Row("6.2.5(1)", value, (lead + meaning).c_str());
            else
                t.Row("", value, meaning.c_str(), Visible_Width(lead));
        }
    }
    if (Visible(17))
        t.Row("6.8.4(1)", Symbol_Value(GAMMA SUB("F,fat"), "%-5.2f", p->gamma_F_fat),
              "Erm" UML_ue "dung: Sicherheitsbeiwert f" UML_ue "r die Einwirkungen");
    if (Visible(17) && building) Fatigue_Strength_Row(t, "6.8.7(1)", p->k1_fatigue);
    if (Visible(18)) {
        const char* meaning = "Risse: Beiwert zur Ermittlung des maximalen Rissabstands bei";
        t.Value("7.3.4(3)", Symbol_Value("k" SUB("3"), "%-5.2f", p->k3_crack), meaning, "abgeschlossenem Rissbild");
        t.Value("", Symbol_Value("k" SUB("4"), "%-5.3f", p->k4_crack), meaning, "abgeschlossenem Rissbild");
    }
    if (Visible(19)) {
        for (int i = 0; i < 5; ++i) {
            std::string value = Format_String("K" OLI_SEQ_SUB "%-11.11s" OLI_SEQ_RESET " = %-5.2f",
                                    NAD_EC2_Static_System_Name[i], p->k_system[i]);
            if (i == 0)
                t.Row("7.4.2(2)", value, "Verformungen ohne direkte Berechnung (Biegeschlankheit):");
            else if (i == 1)
                t.Row("", value, "Beiwert zur Ber" UML_ue "cksichtigung des statischen Systems");
            else
                t.Row("", value);
        }
    }
    if (Visible(20))
        t.Value("8.2(2)", Symbol_Value("k" SUB("1"), "%-5.2f", p->k1_bar_spacing),
                "Stababst" UML_ae "nde: Beiwert f" UML_ue "r den lichten Abstand zwischen",
                "parallelen Betonst" UML_ae "hlen oder Stahllagen");
    if (Visible(21)) {
        const char* meaning = "Mindestbewehrung f" UML_ue "r Balken und Platten [cm" SQ "]";
        if (Plain_Form(p->as_min_beam_form)) {
            t.Row("9.2.1.1(1)", Format_String("A" SUB("s,min") " = %-5.2f cm" SQ, p->as_min_beam_factor), meaning);
        } else if (german) {
            t.Row("9.2.1.1(1)", See_German_Annex("A" SUB("s,min")), meaning);
        } else {
            t.Row("9.2.1.1(1)",
                  Format_String("A" SUB("s,min") " = %5.2f f" SUB("ctm") "/f" SUB("yk") " b" SUB("t") " d",
                      p->as_min_beam_factor),
                  meaning);
            t.Row("", Format_String("       " GEQ " %-6.4f b" SUB("t") " d", p->as_min_beam_floor));
        }
    }
    if (Visible(22))
        t.Value("9.2.1.2(1)", Symbol_Value(BETA SUB("1"), "%-5.2f", p->beta_1),
                "Mindestst" UML_ue "tzmomente an gelenkigen Endauflagern:",
                "Anteil des gr" UML_oe UML_sz "ten Feldmoments am St" UML_ue "tzmoment");
    if (Visible(23))
        t.Value("9.2.1.4(1)", Symbol_Value(BETA SUB("2"), "%-5.2f", p->beta_2),
                "Verankerung der unteren Bewehrung an Endauflagern:",
                "Mindestanteil der gr" UML_oe UML_sz "ten Feldbewehrung an der unteren Bew.");
    if (Visible(24)) {
        std::string value;
        if (Plain_Form(p->rho_w_min_form))
            value = Symbol_Value(RHO SUB("w,min"), "%-5.3f", p->rho_w_min_factor);
        else if (german)
            value = See_German_Annex(RHO SUB("w,min"));
        else
            value = Format_String(RHO SUB("w,min") " = %5.3f f" SUB("ck") SUP("1/2") " / f" SUB("yk"), p->rho_w_min_factor);
        t.Row("9.2.2(5)", value, "Mindestbewehrungsgrad der Querkraftbewehrung");
    }
    if (Visible(25) && building)
        Column_Minimum_Rows(t, p->as_min_column_factor, p->as_min_column_form, p->as_min_column_floor);
    if (Visible(26)) {
        std::string value;
        if (Plain_Form(p->as_vmin_wall_form))
            value = Format_String("A" SUB("s,vmin") " = %-5.2f", p->as_vmin_wall_factor);
        else if (german)
            value = See_German_Annex("A" SUB("s,vmin"));
        else
            value = Format_String("A" SUB("s,vmin") " = %5.3f A" SUB("c"), p->as_vmin_wall_factor);
        t.Row("9.6.2(1)", value, "Vertikale Mindestbewehrung f" UML_ue "r W" UML_ae "nde [cm" SQ "]");
    }
    if (Visible(4)) {
        t.Row("11.3.5(1)", Symbol_Value(ALPHA SUB("lcc"), "%-5.2f", p->alpha_lcc),
              "Leichtbeton: Abminderungsbeiwert f" UML_ue "r die Betondruckfestigkeit");
        t.Row("11.3.5(2)", Symbol_Value(ALPHA SUB("lct"), "%-5.2f", p->alpha_lct),
              "Leichtbeton: Abminderungsbeiwert f" UML_ue "r die Betonzugfestigkeit");
    }
    if (Visible(14)) {
        t.Row("11.6.1(1)", Format_String("C" SUB("lRd,c") " = %4.2f / " GAMMA SUB("c"), p->c_lrd_c),
              "Leichtbeton: Beiwerte zur Ermittlung des Querkraftwiderstandes");
        if (Plain_Form(p->v_l_min_form))
            t.Row("", Symbol_Value(NU SUB("l,min"), "%-5.3f", p->v_l_min_factor));
        else
            t.Row("", Format_String(NU SUB("l,min") " = %6.4f k" SUP("3/2") " f" SUB("lck") SUP("1/2"), p->v_l_min_factor));
        t.Row("", Symbol_Value("k" SUB("l1"), "%4.2f", p->k_l1));
        t.Row("11.6.1(2)", Lightweight_Nu(NU SUB("l"), p->nu_l, p->nu_l_form),
              "Leichtbeton: Festigkeitsabminderungsbeiwert f" UML_ue "r Querkraft");
    }
    if (Visible(12))
        t.Row("", Lightweight_Nu(NU SUB("l"), p->nu_l_torsion, p->nu_l_form),
              "Leichtbeton: Festigkeitsabminderungsbeiwert f" UML_ue "r Torsion");
    if (Visible(14))
        t.Value("11.6.2(1)", Lightweight_Nu(NU SUB("1l"), p->nu_1l, p->nu_1l_form),
                "Leichtbeton: Beiwert zur Ermittlung der maximalen", "Querkrafttragf" UML_ae "higkeit");
    if (Visible(5)) {
        t.Row("12.3.1(1)", Symbol_Value(ALPHA SUB("cc,pl"), "%-5.2f", p->alpha_cc_pl),
              "unbew.Beton: Abminderungsbeiwert f" UML_ue "r die Betondruckfestigkeit");
        t.Row("", Symbol_Value(ALPHA SUB("ct,pl"), "%-5.2f", p->alpha_ct_pl),
              "unbew.Beton: Abminderungsbeiwert f" UML_ue "r die Betonzugfestigkeit");
    }
    if (Visible(13))
        t.Value("12.6.3(2)",
                german ? See_German_Annex("k" SUB("p")) : Symbol_Value("k" SUB("p"), "%-5.2f", p->k_p),
                "unbew.Beton: Beiwert zur Ermittlung der Bemessungsspannung", "bei der Querkraftbemessung");
    Close_Table(stream);
}

void NAD_EC2_Write_Fire_Rows(FILE* stream, const NAD_EC2_Params* p)
{
    if (!stream || !p || !Visible(GROUP_FIRE_TABLE)) return;
    Open_Further_Table(stream, 10);
    Table t(stream);
    t.Row("2.3(2)", Symbol_Value(GAMMA SUB("M,fi"), "%-5.2f", p->gamma_M_fi), "Materialsicherheitsbeiwert");
    t.Value("3.2.3(5)", Format_String("Klasse %16s", p->fire_steel_class == 1 ? "X (Tabelle 3.2b)" : "N (Tabelle 3.2a)"),
            "Betonstahl-Klasse zur Beschreibung der Spannungs-Dehnungs-",
            "beziehung bei erh" UML_oe "hten Temperaturen");
    const char* meaning = "thermische Leitf" UML_ae "higkeit des Betons";
    const char* meaning2 = LAMBDA SUB("co") " oberer Grenzwert, " LAMBDA SUB("cu") " unterer Grenzwert n. 3.3.3(2)";
    if (p->conductivity_form == 1) {
        t.Row("3.3.3(1)", LAMBDA SUB("c") " = " LAMBDA SUB("co") " oder " LAMBDA SUB("cu"), meaning);
        t.Row("", "s. Bemessungsoptionen", meaning2, Topic_Width(meaning));
    } else {
        t.Value("3.3.3(1)",
                Format_String(LAMBDA SUB("c") " = " LAMBDA SUB("cu") " + %5.3f (" LAMBDA SUB("co") "-" LAMBDA SUB("cu") ")",
                    p->conductivity_factor),
                meaning, meaning2);
    }
    t.Value("6.1(5)", Format_String("Klasse %1d (Tabelle 6.1N)", p->hsc_fire_class),
            "hochfester Beton: Beton-Klasse zur Beschreibung der", "Festigkeitsreduktion");
    if (Visible(28))
        t.Row("6.4.2.1(3)", Symbol_Value("k", "%-5.3f", p->k_hsc_section),
              "hochfester Beton: Beiwert f" UML_ue "r die Querschnittsreduktion");
    if (Visible(29))
        t.Value("6.4.2.2(2)", Symbol_Value("k" SUB("m"), "%-5.3f", p->k_m_hsc),
                "hochfester Beton: Beiwert f" UML_ue "r die Momententragf" UML_ae "higkeit",
                "bei Brandbeanspruchung in der Zugzone");
    Close_Table(stream);
}

void NAD_EC2_Write_Bridge_Rows(FILE* stream, const NAD_EC2_Params* p)
{
    if (!stream || !p || !Visible(GROUP_BRIDGE_TABLE)) return;
    Open_Further_Table(stream, 21);
    Table t(stream);
    if (Visible(0)) {
        Partial_Factor_Rows(t, p->bridge_gamma_c, p->bridge_gamma_s, Visible(1));
        t.Row("5.10.9(1)P", "", "Streuung der Vorspannkraft");
        t.Row("", Format_String("P" SUB("sup") " = %-5.2f P" SUB("inf") " = %-5.2f", p->r_sup_pre, p->r_inf_pre),
              "Sofortiger oder ohne Verbund");
        t.Row("", Format_String("P" SUB("sup") " = %-5.2f P" SUB("inf") " = %-5.2f", p->r_sup_post, p->r_inf_post),
              "Nachtr" UML_ae "glicher Verbund");
    }
    if (Visible(2))
        t.Row("3.1.6(101)P", Symbol_Value(ALPHA SUB("cc"), "%-5.2f", p->bridge_alpha_cc),
              "Abminderungsbeiwert f" UML_ue "r die Betondruckfestigkeit");
    if (Visible(3))
        t.Row("3.1.6(102)P", Symbol_Value(ALPHA SUB("ct"), "%-5.2f", p->bridge_alpha_ct),
              "Abminderungsbeiwert f" UML_ue "r die Betonzugfestigkeit");
    if (Visible(10)) {
        Shear_Resistance_Rows(t, "6.2.2(101)", p->bridge_c_rd_c, p->bridge_v_min_factor, p->bridge_v_min_form,
                              p->bridge_k1_shear);
        Strut_Limit_Rows(t, p->bridge_cot_theta_min, p->bridge_cot_theta_max);
        Strut_Capacity_Rows(t, "6.2.3(103)", p->bridge_alpha_cw, p->bridge_nu_1, p->bridge_nu_1_form);
    }
    if (Visible(17)) Fatigue_Strength_Row(t, "6.8.7(101)", p->bridge_k1_fatigue);
    if (Visible(2)) {
        t.Row("7.2(102)", Symbol_Value("k" SUB("1"), "%-5.2f", p->bridge_k1_stress),
              "Beiwert zur Ermittlung der zul. Betondruckspannung");
        t.Value("7.2(3)", Symbol_Value("k" SUB("2"), "%-5.2f", p->bridge_k2_stress),
                "Beiwert zur Ermittlung der Betondruckspannung f" UML_ue "r", "lineares Kriechen");
        t.Row("", Symbol_Value("k" SUB("3"), "%-5.2f", p->bridge_k3_stress), "Beiwert zur Ermittlung der Stahlspannung");
        t.Value("", Symbol_Value("k" SUB("4"), "%-5.2f", p->bridge_k4_stress),
                "Beiwert zur Ermittlung der Stahlspannung f" UML_ue "r", "indirekte Einwirkungen");
        t.Row("", Symbol_Value("k" SUB("5"), "%-5.2f", p->bridge_k5_stress),
              "Beiwert zur Ermittlung der Spannstahlspannung");
    }
    if (Visible(25))
        Column_Minimum_Rows(t, p->bridge_as_min_column_factor, p->bridge_as_min_column_form,
                            p->bridge_as_min_column_floor);
    Close_Table(stream);
}

void NAD_EC2_Report_Rows(FILE* stream)
{
    Write_For_Annex_In_Force(stream, [](FILE* f, const NAD_EC2_Params* p) {
        NAD_EC2_Write_Rows(f, p, NAD_Report_Annex_Name());
    });
}

void NAD_EC2_Report_Fire_Rows(FILE* stream)
{
    Write_For_Annex_In_Force(stream, NAD_EC2_Write_Fire_Rows);
}

void NAD_EC2_Report_Bridge_Rows(FILE* stream)
{
    Write_For_Annex_In_Force(stream, NAD_EC2_Write_Bridge_Rows);
}

void NAD_EC2_Report(FILE* stream)
{
    if (!stream) return;
    OLI_setFlags(stream, 896);
    OLI_reserveSpaceCM(stream, 6.0f);
    NAD_Write_Annex_Heading(stream);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_EC2_Set_Row_Filter();
    NAD_EC2_Report_Rows(stream);
    if (Visible(GROUP_FIRE_TABLE)) NAD_EC2_Report_Fire_Rows(stream);
    if (Visible(GROUP_BRIDGE_TABLE)) NAD_EC2_Report_Bridge_Rows(stream);
}
