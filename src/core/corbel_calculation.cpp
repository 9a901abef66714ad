// The corbel calculation: data check, design values, the design of every combination,
// envelope, fatigue, anchorage and the whole design report.
#include "core/corbel_calculation.h"
#include "core/edit_buffer_hooks.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "annex/nad_ec2_report.h"
#include "annex/norm_texts.h"
#include "base/component_files.h"
#include "base/message_sink.h"
#include "base/run_globals.h"
#include "core/corbel_anchorage.h"
#include "core/corbel_fatigue.h"
#include "core/corbel_model.h"
#include "core/corbel_plot.h"
#include "core/corbel_input_echo.h"
#include "core/corbel_rebar_report.h"
#include "core/corbel_results_table.h"
#include "core/design_load_case.h"
#include "core/position_file.h"
#include "core/required_areas_line.h"
#include "core/safety_factor_display.h"
#include "core/section_graphic.h"
#include "platform/atomic_file.h"
#include "platform/error_text.h"
#include "platform/messages.h"
#include "report/drawing_file.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/page_head.h"
#include "report/print_options.h"
#include "report/report_layout.h"
#include "report/text_utils.h"
#include "report/text_writer.h"
#include "report/verdicts.h"

int report_heading_level = 1;
double section_graphic_text_sizes[2] = {8.0, 8.0};

namespace {

// Report bytes (code page 850) of the texts below, spliced so that no hex escape runs into
// a following letter.
#define UE "\x81"      // ü
#define AE "\x84"      // ä
#define SZ "\xE1"      // ß
#define ARROW "\x88"   // the report font's arrow
#define SIGMA_SUM "\xB2"  // the report font's sum sign

// Space after a section heading and between the blocks of a section [cm].
constexpr double kParagraphSpace = 0.3;
// Space a section heading keeps together with what follows [cm].
constexpr float kHeadingReserve = 3.0f;
// Bookmark modes of the report layout: open a group, close the deepest one, close all.
constexpr int kBookmarkOpen = 16;
constexpr int kBookmarkClose = 17;
constexpr int kBookmarkTop = 20;
// How long a report waits for another run of the same position to finish writing [s].
constexpr int kPositionLockWait = 60;
// A load below this (N) is negative: an uplift, or a horizontal force that the design ignores.
constexpr double kNegativeLoad = -0.01;
// The model's first lightweight concrete class.
constexpr int kFirstLightweightClass = 20;

bool Switch_On(const Corbel_Model& m, int index) { return m.print_options.switches[index] != 0; }

// A load corbel on a column as a single corbel with direct load transfer and the fatigue
// check switched on: the only corbel whose fatigue is checked.
bool Fatigue_Case(const Corbel_Model& m)
{
    return m.system == SYSTEM_LOAD_CORBEL && m.connection == CONNECTION_COLUMN && m.execution == EXECUTION_SINGLE &&
           m.load_transfer == LOAD_TRANSFER_DIRECT && m.fatigue_check != 0;
}

int Row_Count(const Corbel_Model& m, int k) { return m.load_table[k] ? std::max(m.load_count[k], 0) : 0; }

// The print options' detail level, set back to what it was on every way out.
class Detail_Level_Guard {
public:
    explicit Detail_Level_Guard(Corbel_Model& m)
        : level_(m.print_options.switches[EC2_PRINT_DETAIL_LEVEL]), saved_(level_) {}
    ~Detail_Level_Guard() { Restore(); }
    Detail_Level_Guard(const Detail_Level_Guard&) = delete;
    Detail_Level_Guard& operator=(const Detail_Level_Guard&) = delete;
    void Set(int level) { level_ = level; }
    void Restore() { level_ = saved_; }
    int Saved() const { return saved_; }

private:
    int& level_;
    int saved_;
};

// ---------------------------------------------------------------------------------
// Headings and levels

// A heading of the report's current level. The text goes through "%s": it may carry a
// user's combination name, which must never be read as a format.
void Heading(FILE* s, int mode, const std::string& text)
{
    OLI_Write_Heading_No_Bookmark(s, report_heading_level, mode, "%s", text.c_str());
    if (mode == kBookmarkOpen) ++report_heading_level;
}

// A section heading: keeps room for what follows, then the heading and a little space.
void Section_Heading(FILE* s, int mode, const char* title, bool space_after = true)
{
    OLI_End_Text_Block(s);
    OLI_reserveSpaceCM(s, kHeadingReserve);
    Heading(s, mode, title);
    if (space_after) OLI_Add_Paragraph_Space(kParagraphSpace);
}

void Close_Level(FILE* s)
{
    OLI_End_Text_Block(s);
    OLI_setBookmark(s, kBookmarkClose, nullptr);
    --report_heading_level;
}

void Back_To_Top(FILE* s)
{
    if (report_heading_level == 1) return;
    OLI_End_Text_Block(s);
    OLI_setBookmark(s, kBookmarkTop, nullptr);
    report_heading_level = 1;
}

// "Lk n" and, when the row has a name, ": " and the name in grey.
std::string Row_Heading(const Corbel_Model& m, int row)
{
    std::string text = "Lk " + std::to_string(row + 1);
    const Load_Combination& combination = m.load_table[0][row];
    char name[sizeof combination.name + 1];
    const size_t n = strnlen(combination.name, sizeof combination.name);
    std::memcpy(name, combination.name, n);
    name[n] = '\0';
    Trim_Blanks(name);
    if (name[0] != '\0') text += std::string(": ") + Colour_Text_Grey(name);
    return text;
}

// ---------------------------------------------------------------------------------
// The section graphic

void Init_Graphic_Colours() { Init_Plot_Colours(); }

void Place_Graphic(Corbel_Model& m, double scale, FILE* s, int plot_file, int mode)
{
    Place_Section_Graphic(&m, scale, s, plot_file, mode);
    OLI_setYPositionCM(s, 4, 0.0f);
    OLI_setYPositionCM(s, 1, -0.5f);
}

double Graphic_Height(Corbel_Model& m, double scale, int mode)
{
    return Get_Section_Graphic_Height(&m, scale, mode);
}

// ---------------------------------------------------------------------------------
// Design of the rows

// Designs one row; with a stream under its own heading. A row whose design could not be
// carried out is marked in the report and remembered.
struct Row_Design {
    Corbel_Model& m;
    FILE* s;
    bool any_row_failed = false;

    void Design(int row, int detail)
    {
        if (Design_Load_Case(&m, row, s, detail) != 0) {
            if (s) {
                OLI_Add_Paragraph_Space(kParagraphSpace);
                OLI_Write_Failed_Line(s, "Fehler bei der Bemessung");
            }
            m.summary.design_failed = 1;
            any_row_failed = true;
        }
        if (s) Close_Level(s);
    }

    void Row_In_Loop(int row, int detail)
    {
        if (s) {
            OLI_End_Text_Block(s);
            Heading(s, kBookmarkOpen, Row_Heading(m, row));
        }
        Design(row, detail);
    }

    // One row again in detail after the rows were designed without text.
    void Row_In_Detail(int row, int detail, Detail_Level_Guard& level)
    {
        OLI_End_Text_Block(s);
        OLI_reserveSpaceCM(s, kHeadingReserve);
        std::string text;
        if (m.print_options.switches[EC2_PRINT_DETAIL_CASE] > 0)
            text = "Lk " + std::to_string(row + 1) + " (ma" SZ "gebend bzgl. " SIGMA_SUM "A" OLI_SEQ_SUB "st" OLI_SEQ_RESET ")";
        else
            text = Row_Heading(m, row);
        Heading(s, kBookmarkOpen, text);
        OLI_Add_Paragraph_Space(kParagraphSpace);
        level.Set(detail);
        Design(row, detail);
        Evaluate();
    }

    // The envelope; a row that could not be designed leaves the required reinforcement
    // undetermined, whatever the other rows gave.
    int Evaluate()
    {
        const int ok = Evaluate_Load_Case_Results(&m);
        if (any_row_failed) m.summary.design_failed = 1;
        return ok;
    }
};

bool Has_Loaded_Row(const Corbel_Model& m)
{
    const int rows = Row_Count(m, 0);
    for (int i = 0; i < rows; ++i)
        if (Is_Load_Nonzero(m.load_table[0][i].A, m.load_table[0][i].H)) return true;
    return false;
}

// ---------------------------------------------------------------------------------
// Closing parts of the report

// At the detail levels that design the rows without text: every row whose design could
// not be carried out or one of whose checks failed, named with what failed, so that no
// failing row stays unseen behind the table or the one row shown.
void Write_Failed_Rows(const Corbel_Model& m, FILE* s)
{
    const int rows = m.results ? Row_Count(m, 0) : 0;
    bool first = true;
    for (int i = 0; i < rows; ++i) {
        const unsigned failed = m.results[i].failed_checks;
        if (failed == 0) continue;
        if (first) OLI_Add_Paragraph_Space(kParagraphSpace);
        first = false;
        const std::string row = "Lk " + std::to_string(i + 1) + ": ";
        if (failed & DESIGN_NOT_CARRIED_OUT)
            OLI_Write_Failed_Line(s, (row + "Fehler bei der Bemessung").c_str());
        else
            OLI_Printf(s, "%s%sNachweis %s  %s\n", report_line_prefix, row.c_str(), Failed_Check_Names(failed),
                       Get_Verdict_Not_Ok());
    }
}

void Write_Verdict(const Corbel_Model& m, FILE* s)
{
    Back_To_Top(s);
    OLI_Add_Paragraph_Space(kParagraphSpace);
    const std::vector<std::string> failed = Design_Verdict_Failures(m.summary);
    OLI_Printf(s, "%s" OLI_SEQ_BETWEEN "%s\n", report_line_prefix,
               failed.empty() ? Get_Design_Ok_Headline() : Get_Design_Failed_Headline());
    for (const std::string& line : failed) OLI_Printf(s, "%s%s\n", report_line_prefix, line.c_str());
}

void Write_Norm_Literature(FILE* s, int norm_code)
{
    const char* lines[NORM_LITERATURE_MAX_LINES];
    const int n = Get_Norm_Literature(norm_code, lines);
    for (int i = 0; i < n; ++i) OLI_Printf(s, "%s%s\n", report_line_prefix, lines[i] ? lines[i] : "");
    if (n > 0) OLI_Add_Paragraph_Space(kParagraphSpace);
}

void Write_Reference(FILE* s, const char* title, const char* source)
{
    OLI_Printf(s, "%s%s\n%s  %s\n", report_line_prefix, title, report_line_prefix, source);
}

// The literature of the design method.
void Write_Method_Literature(const Corbel_Model& m, FILE* s)
{
    switch (m.method) {
    case 0:
        if (m.system == SYSTEM_SUPPORT_CORBEL || m.connection == CONNECTION_BEAM) {
            Write_Reference(s, "Vorlesungen " UE "ber Massivbau, Zweiter Teil,",
                            "Sonderf" AE "lle der Bemessung im Stahlbetonbau, Dritte Auflage, Springer-Verlag, 1986");
            OLI_Add_Paragraph_Space(kParagraphSpace);
        }
        Write_Reference(s, "Vorlesungen " UE "ber Massivbau, Dritter Teil,",
                        "Grundlagen zum Bewehren im Stahlbetonbau, Dritte Auflage, Springer-Verlag, 1977");
        break;
    case 1:
        Write_Reference(s, "Das Bewehren von Stahlbetonbauteilen,",
                        "Deutscher Ausschuss f" UE "r Stahlbeton, Heft 399, Beuth Verlag GmbH, 1993");
        break;
    case 2:
        Write_Reference(s, "Erl" AE "uterungen zu DIN EN 1992-1-1 und DIN EN 1992-1-1/NA, Teil 1",
                        "Deutscher Ausschuss f" UE "r Stahlbeton, Heft 600, Beuth Verlag GmbH, 2020");
        Write_Reference(s, "Erl" AE "uterungen zu DIN 1045-1",
                        "Deutscher Ausschuss f" UE "r Stahlbeton, Heft 525, Beuth Verlag GmbH, 2003");
        break;
    case 3:
        Write_Reference(s, "Konstruktion und Bemessung von Details nach DIN 1045,",
                        "Betonkalender 2007 T.2, Verlag Ernst & Sohn, 2007");
        break;
    case 4:
        Write_Reference(s, "Standardisierte Nachweise von h" AE "ufigen D-Bereichen,",
                        "Deutscher Ausschuss f" UE "r Stahlbeton, Heft 430, Beuth Verlag GmbH, 1992");
        break;
    case 5:
        Write_Reference(s, "Modellierung der D-Bereiche von Fertigteilen,",
                        "Betonkalender 2005 T.2, Verlag Ernst & Sohn, 2005");
        break;
    default:
        return;
    }
    OLI_Add_Paragraph_Space(kParagraphSpace);
}

void Write_Closing_Sections(const Corbel_Model& m, FILE* s)
{
    if (Switch_On(m, EC2_PRINT_ANNEX)) {
        Section_Heading(s, 0, "Ausgew" AE "hlte Bemessungsparameter des nationalen Anhangs", false);
        NAD_EC2_Report_Rows(s);
    }
    if (Switch_On(m, EC2_PRINT_STANDARDS)) {
        Section_Heading(s, 0, "Vorschriften");
        Write_Norm_Literature(s, 11);
        Write_Norm_Literature(s, CORBEL_NORM_BUILDINGS);
        Write_Method_Literature(m, s);
    }
    OLI_End_Text_Block(s);
    OLI_Reset_Text_Attributes();
}

// The section of the chosen reinforcement: its graphic, the anchorage and the comparison
// of the chosen bars with the required ones.
void Write_Chosen_Reinforcement(Corbel_Model& m, FILE* s, int detail)
{
    const bool sketches = Switch_On(m, EC2_PRINT_SKETCHES);
    const double scale = Switch_On(m, EC2_PRINT_GRAPHIC) ? m.print_options.scale : 0.0;
    OLI_End_Text_Block(s);
    double reserve = kHeadingReserve;
    if (sketches) reserve += Graphic_Height(m, scale, 1);
    OLI_reserveSpaceCM(s, static_cast<float>(reserve));
    OLI_Write_Heading_No_Bookmark(s, report_heading_level, 0, "%s", "Gew" AE "hlte Bewehrung");
    ++report_heading_level;
    OLI_Add_Paragraph_Space(kParagraphSpace);
    if (sketches) Place_Graphic(m, scale, s, 1, 1);
    if (m.rebar.compute_anchorage && m.execution == EXECUTION_SINGLE) {
        const int bond = m.rebar.bond_conditions;
        OLI_Printf(s, "%sBerechnung der erforderlichen Verankerungsl" AE "ngen: Verbundbedingungen %s\n",
                   report_line_prefix,
                   bond == 0 ? "berechnen" : bond == 1 ? "immer gut" : "immer m" AE SZ "ig");
    }
    const bool intermediate = Switch_On(m, EC2_PRINT_INTERMEDIATE);
    if (detail <= 1) {
        Check_Corbel_Anchorage(&m, s, detail);
        if (detail == 1) OLI_Printf(s, OLI_SEQ_EMPH "Nachweis der Bewehrung\n");
        Report_Chosen_Reinforcement(&m, s, detail);
    } else {
        if (intermediate) OLI_Add_Paragraph_Space(kParagraphSpace);
        Check_Corbel_Anchorage(&m, s, 2);
        if (intermediate) OLI_Add_Paragraph_Space(kParagraphSpace);
        OLI_Printf(s, OLI_SEQ_EMPH "Nachweis der Bewehrung\n");
        Report_Chosen_Reinforcement(&m, s, 2);
    }
    --report_heading_level;
    Back_To_Top(s);
}

// The chosen reinforcement with its anchorage checked again, or, when none is chosen,
// the return to the top level of the bookmarks.
void Write_Chosen_Or_Back_To_Top(Corbel_Model& m, FILE* s, int detail)
{
    if (m.rebar_chosen) {
        Check_Corbel_Anchorage(&m, nullptr, 0);
        Write_Chosen_Reinforcement(m, s, detail);
    } else {
        Back_To_Top(s);
    }
}

// The end of a report whose required reinforcement is known: "Endergebnis", then the
// chosen reinforcement and the verdict.
void Write_Final_Result(Corbel_Model& m, FILE* s, int detail)
{
    Section_Heading(s, 0, "Endergebnis");
    if (m.summary.design_failed)
        OLI_Write_Failed_Line(s, "Bewehrung nicht ermittelbar");
    else
        Write_Required_Areas_Line(&m, -1, s, "maximale Bewehrung", 1);
    // The compression steel of the nose is required but no bar group of the choice holds it.
    if (!m.summary.design_failed && m.summary.As_nose > 0.01)
        OLI_Write_Warning_Line(s, "Druckbewehrung in der Nase ist gesondert anzuordnen und nachzuweisen");
    Write_Chosen_Or_Back_To_Top(m, s, detail);
    Write_Verdict(m, s);
    Write_Closing_Sections(m, s);
}

// The end of a report without a design (no load): no result and no verdict, the chosen
// reinforcement when there is one.
void Write_Without_Result(Corbel_Model& m, FILE* s, int detail)
{
    Write_Chosen_Or_Back_To_Top(m, s, detail);
    Write_Closing_Sections(m, s);
}

void Write_Title(const Corbel_Model& m, FILE* s)
{
    OLI_Printf(s, "Bemessung einer %skonsole", m.system == SYSTEM_SUPPORT_CORBEL ? "Auflager" : "Last");
    OLI_Printf(s, "  " OLI_SEQ_VERSION "%s, NA: %s", Get_Norm_Designation(m.norm_code, 1, 1), NAD_Get_Display_Name());
    OLI_Printf(s, "\n");
    OLI_Add_Paragraph_Space(kParagraphSpace);
    OLI_Write_Preliminary_Remarks(s, m.print_options.remarks);
}

void Write_Input_Protocol(Corbel_Model& m, FILE* s, int detail)
{
    const bool graphic = Switch_On(m, EC2_PRINT_GRAPHIC);
    const bool input = Switch_On(m, EC2_PRINT_INPUT);
    // The cover is judged whether or not the echo that shows it is printed: a print option
    // must not turn a failed check into a passed one.
    if (!input) Judge_Corbel_Durability(&m);
    if (!graphic && !input) return;
    Section_Heading(s, kBookmarkOpen, "Eingabeprotokoll");
    if (graphic) {
        const int plot_file = !m.rebar_chosen || !Switch_On(m, EC2_PRINT_SKETCHES) ? 1 : 0;
        Place_Graphic(m, m.print_options.scale, s, plot_file, 0);
    }
    if (input) Write_Corbel_Input_Echo(&m, s, detail);
    OLI_setBookmark(s, kBookmarkClose, nullptr);
    --report_heading_level;
}

}  // namespace

// ---------------------------------------------------------------------------------

std::vector<std::string> Design_Verdict_Failures(const Load_Case_Summary& r)
{
    std::vector<std::string> lines;
    if (r.cover_failed) lines.emplace_back("s. Dauerhaftigkeit und Betondeckung");
    if (r.design_failed) lines.emplace_back("s. Ermittlung der erforderlichen Bewehrung");
    if (r.check_failed) lines.push_back(std::string("s. Bemessung: ") + Failed_Check_Names(r.check_failed));
    if (r.fatigue_failed) lines.emplace_back("s. Erm" UE "dungsnachweis");
    if (r.rebar_failed) lines.emplace_back("s. gew" AE "hlte Bewehrung");
    if (r.axis_failed) lines.emplace_back("s. Achsabstand");
    return lines;
}

double Corbel_Alpha_Cc(const Corbel_Model& model)
{
    const NAD_EC2_Params* params = NAD_Get_EC2_Params();
    if (!params) return 1.0;
    if (model.norm_code == CORBEL_NORM_BRIDGES) return params->bridge_alpha_cc;
    return model.lightweight ? params->alpha_lcc : params->alpha_cc;
}

void Derive_Design_Values(Corbel_Model* model)
{
    if (!model) return;
    Corbel_Model& m = *model;
    const double alpha = Corbel_Alpha_Cc(m);
    const double gamma_c = m.safety_factors.gamma_c;
    const double gamma_s = m.safety_factors.gamma_s;
    m.factors_in_use[0] = gamma_c;
    m.factors_in_use[1] = gamma_s;
    m.fcd = gamma_c > 0.001 ? alpha * m.fck / gamma_c : 0.0;
    double xi_limit = 0.0;
    for (int i = 0; i < 2; ++i) {
        m.fyd[i] = gamma_s > 0.001 ? m.fyk[i] / gamma_s : 0.0;
        m.ftd[i] = gamma_s > 0.001 ? m.ftk[i] / gamma_s : 0.0;
        // The depth ratio at which the concrete and this steel reach their limits together.
        double c = 1.0;
        if (m.Es[i] > 0.0) {
            const double denominator = m.eps_cu2 - 1000.0 * m.fyd[i] / m.Es[i];
            c = denominator != 0.0 ? std::clamp(m.eps_cu2 / denominator, 0.0, 1.0) : 1.0;
        }
        xi_limit = std::max(xi_limit, c);
    }
    m.factors_in_use[2] = xi_limit;
}

int Write_Report_Notes(const Corbel_Model* model, FILE* report)
{
    if (!model) return 0;
    const Corbel_Model& m = *model;
    int count = 0;
    if (m.norm_code == CORBEL_NORM_BRIDGES && NAD_Get_NA_DE_Flag() && m.concrete_class >= kFirstLightweightClass &&
        m.concrete_class < concrete_class_count) {
        ++count;
        if (report)
            OLI_Printf(report, "%sLeichtbeton: Die Zustimmung der Bauaufsichtsbeh" "\x94" "rde ist erforderlich.\n",
                       report_line_prefix);
    }
    if (m.rebar_chosen) {
        ++count;
        if (report)
            OLI_Printf(report, "%sAllgemeine Bewehrungsregeln sind nicht ber" UE "cksichtigt.\n", report_line_prefix);
    }
    bool negative = false;
    for (int k = 0; k < 2 && !negative; ++k) {
        const int rows = Row_Count(m, k);
        for (int i = 0; i < rows && !negative; ++i) negative = m.load_table[k][i].A < kNegativeLoad;
    }
    if (negative) {
        ++count;
        if (report) OLI_Printf(report, "%sNegative Vertikallasten werden ignoriert.\n", report_line_prefix);
    }
    // The design takes a negative H of a combination as 0; a hung-up load takes no H at all.
    bool negative_H = false, unused_H = false;
    const bool hung_up = Is_Hung_Up_Load(m);
    for (int i = 0; i < Row_Count(m, 0); ++i) {
        const double H = m.load_table[0][i].H;
        negative_H = negative_H || H < kNegativeLoad;
        unused_H = unused_H || (hung_up && H > -kNegativeLoad);
    }
    if (negative_H) {
        ++count;
        if (report) OLI_Printf(report, "%sNegative Horizontallasten werden ignoriert.\n", report_line_prefix);
    }
    if (unused_H) {
        ++count;
        if (report)
            OLI_Printf(report, "%sAngeh" AE "ngte Last: Horizontallasten werden nicht angesetzt.\n",
                       report_line_prefix);
    }
    if (const char* fatigue = Fatigue_Check_Not_Made_Note(m)) {
        ++count;
        if (report) OLI_Printf(report, "%s%s\n", report_line_prefix, fatigue);
    }
    return count;
}

void Calculate_Corbel(Corbel_Model* model, FILE* s, int show_messages)
{
    if (!model) return;
    Corbel_Model& m = *model;
    Detail_Level_Guard level(m);
    const int saved_level = level.Saved();
    const int detail = saved_level >= 3 && saved_level <= 5 ? 1 : saved_level;
    Alloc_Load_Case_Results(&m);

    if (!s) {
        if (Check_Corbel_Model(&m, nullptr, 0, 0) != 0) {
            Check_Corbel_Model(&m, nullptr, detail, show_messages);
            m.summary.design_failed = 1;
            m.summary.none_designed = 1;
            return;
        }
        Write_Report_Notes(&m, nullptr);
        section_graphic_text_sizes[0] = section_graphic_text_sizes[1] = 8.0;
    } else {
        OLI_setFlags(s, 896);
        Init_Graphic_Colours();
        report_heading_level = 1;
        Write_Title(m, s);
        const int input_error = Check_Corbel_Model(&m, nullptr, 0, 0);
        // A value that is no number or too large to be shown would fill the echo and the
        // sketch with it: the data check below names it instead.
        if (Corbel_Values_Representable(m)) Write_Input_Protocol(m, s, detail);
        if (input_error) {
            Section_Heading(s, 0, "Datencheck");
            Check_Corbel_Model(&m, s, detail, show_messages);
            OLI_Add_Paragraph_Space(kParagraphSpace);
            OLI_Write_Failed_Line(s, "Fehler in den Eingabedaten");
            OLI_Add_Paragraph_Space(kParagraphSpace);
            m.summary.design_failed = 1;
            m.summary.none_designed = 1;
            Back_To_Top(s);
            Write_Verdict(m, s);
            Write_Closing_Sections(m, s);
            return;
        }
        const int notes = Write_Report_Notes(&m, nullptr);
        if (notes > 0) {
            Section_Heading(s, 0, notes == 1 ? "Hinweis" : "Hinweise");
            Write_Report_Notes(&m, s);
        }
        section_graphic_text_sizes[0] = section_graphic_text_sizes[1] = 8.0;
        OLI_End_Text_Block(s);
        Heading(s, kBookmarkOpen, "Bemessung");
        OLI_Add_Paragraph_Space(kParagraphSpace);
    }

    Derive_Design_Values(&m);

    if (!Has_Loaded_Row(m)) {
        m.summary.no_load = 1;
        if (s) {
            OLI_Printf(s, "%skeine Belastung vorhanden  " ARROW "  Nachweis wird nicht gef" UE "hrt %s\n",
                       report_line_prefix, Get_Verdict_Purple_Marks());
            OLI_Add_Paragraph_Space(kParagraphSpace);
        }
        level.Restore();
        if (!s) {
            if (m.rebar_chosen) Check_Corbel_Anchorage(&m, nullptr, 0);
            return;
        }
        Close_Level(s);
        Write_Without_Result(m, s, detail);
        return;
    }

    // Rows are written as they are designed at the detail levels 0 to 2; at the others
    // they are designed silently, and a table or a single row follows.
    Row_Design rows{m, s && saved_level <= 2 ? s : nullptr};
    const int row_count = Row_Count(m, 0);
    for (int i = 0; i < row_count; ++i) {
        const Load_Combination& row = m.load_table[0][i];
        if (i == 0 || row_count == 1 || Is_Load_Nonzero(row.A, row.H)) rows.Row_In_Loop(i, detail);
        // A large table takes a while: the notice of an interactive run says how far it is.
        if (Busy_Due()) Busy_Update("Lastkombination %d von %d", i + 1, row_count);
    }
    rows.Evaluate();

    if (s && saved_level >= 3 && saved_level <= 5) {
        rows.s = s;
        const int choice = m.print_options.switches[EC2_PRINT_DETAIL_CASE];
        const int governing = m.summary.governing_case;
        if (saved_level == 3) Write_Corbel_Results_Table(&m, s);
        Write_Failed_Rows(m, s);
        if ((saved_level == 4 || (saved_level == 3 && choice > 0)) && governing >= 1)
            rows.Row_In_Detail(governing - 1, saved_level == 3 ? 1 : 2, level);
        else if ((saved_level == 5 || (saved_level == 3 && choice < 0)) && choice <= -1 && choice >= -row_count)
            rows.Row_In_Detail(-choice - 1, saved_level == 3 ? 1 : 2, level);
    }

    level.Restore();
    const int ok = rows.Evaluate();

    if (!s) {
        if (ok && Fatigue_Case(m) && Row_Count(m, 1) >= 1) Check_Corbel_Fatigue(&m, nullptr, detail);
        if (m.rebar_chosen) Check_Corbel_Anchorage(&m, nullptr, 0);
        // The parts of the verdict that the report's echo and its reinforcement block decide,
        // judged as they would judge them, so that the screen's verdict is the report's.
        if (Corbel_Values_Representable(m)) Judge_Corbel_Durability(&m);
        if (m.rebar_chosen) Judge_Chosen_Reinforcement(&m);
        return;
    }
    // A fatigue check asked for with rows entered always has its section: made, or why not
    // (one row, or a required value that could not be determined).
    if (!Fatigue_Case(m) || Row_Count(m, 1) < 1) {
        Close_Level(s);
        Write_Final_Result(m, s, detail);
        return;
    }

    OLI_End_Text_Block(s);
    Heading(s, 0, "Erm" UE "dungsnachweis" OLI_SEQ_RESET " (EC 2-1-1, 6.8.6 + 6.8.7(2))");
    if (detail > 0) {
        if (m.summary.design_failed) {
            OLI_Printf(s, "%saus Konsolbemessung: ", report_line_prefix);
            OLI_Write_Failed_Line(s, "Bewehrung nicht ermittelbar");
        } else {
            Write_Required_Areas_Line(&m, -1, s, "aus Konsolbemessung: maximale Bewehrung", 1);
        }
    }
    // A failed check is in the summary: the report ends with the result and its verdict.
    Check_Corbel_Fatigue(&m, s, detail);
    Close_Level(s);
    Write_Final_Result(m, s, detail);
}

namespace {

// Temporary files that runs of this position killed while writing left beside its files.
void Remove_Leftovers_Of_Position()
{
    for (const std::string* suffix : {&inp_file_name, &oli_file_name}) {
        const char* name = Get_Component_File_Name(suffix->c_str());
        if (name) Remove_Leftover_Temporaries(name);
    }
    Remove_Leftover_Temporaries(spf_file_name.c_str());
}

int position_lock_holds = 0;
std::unique_ptr<File_Lock> position_lock;

// The files of a run go in place only beside the input they were computed from: an input
// replaced from outside by a rename while the run worked has a lock of its own, which may
// let another run write its pair meanwhile. The run's own new input (the editor's save)
// counts as the input when it took the locked file's place, not that of a file put there
// from outside meanwhile.
bool Input_Still_Beside(Atomic_File* const* files, size_t count)
{
    if (!position_lock || !position_lock->Held() || position_lock->Still_Names_Locked_File()) return true;
    return Path_Names_A_Placed_File(Get_Component_File_Name(inp_file_name.c_str()), files, count, *position_lock);
}

// The run's files were not put in place because its input was replaced meanwhile.
void Tell_Input_Replaced()
{
    if (refresh_mode) {
        Tell_Input_Problem("wurde w\xE4hrend des Laufs durch eine andere Datei ersetzt",
                           "Druckliste und Zeichnung dieses Laufs werden nicht abgelegt");
        return;
    }
    const char* name = Get_Component_File_Name(inp_file_name.c_str());
    const std::string text = std::string("Die Eingabedatei\n") + (name ? name : inp_file_name.c_str()) +
                             "\nwurde w\xE4hrend des Speicherns durch eine andere Datei ersetzt.\n"
                             "Es ist nichts gespeichert; die Bearbeitung geht weiter.";
    PrintMessage(text.c_str());
}

// The report and its drawing, and with save_input the position's input: 0 all in place,
// 1 the report or drawing failed, 2 the input failed (as Save_Position_With_Report).
int Write_Position_Files(bool save_input)
{
    // The sheets' edits enter the report; afterwards they show the model again.
    if (!refresh_mode) Apply_Edit_Buffer_Hook(&corbel_model);
    struct Fill_Afterwards {
        ~Fill_Afterwards() { if (!refresh_mode) Fill_Edit_Buffer_Hook(&corbel_model); }
    } fill_afterwards;
    // The two files on the disk always come from the same run.
    const Position_Lock lock;
    if (!lock.Timed_Out()) Remove_Leftovers_Of_Position();

    std::unique_ptr<Atomic_File> input;
    if (save_input) {
        const char* name = Get_Component_File_Name(inp_file_name.c_str());
        if (name) input = std::make_unique<Atomic_File>(name);
        if (!input || !input->Stream()) {
            Tell_Input_Not_Saved(input ? input->Error() : ENAMETOOLONG);
            return 2;
        }
    }

    const EC2_Print_Options& options = corbel_model.print_options;
    const double reserve = options.switches[EC2_PRINT_GRAPHIC] ? 16.0 : 6.0;
    FILE* report = OLI_Open_Report(position_number.c_str(), position_title.c_str(), 1, reserve,
                                   options.switches[EC2_PRINT_NO_NUMBERING]);
    if (!report) {
        const char* name = Get_Component_File_Name(oli_file_name.c_str());
        Tell_File_Error("Die Druckliste", name ? name : oli_file_name.c_str(), "kann nicht angelegt werden",
                        OLI_Last_Report_Error());
        return 1;
    }
    // The drawing the report's graphic writes takes its place together with the report.
    // A position the data check refuses has no drawing, whatever its graphic wrote.
    const bool refused = Corbel_Model_Errors(corbel_model, nullptr) != 0;
    Plot_Keep_Named_Drawings(true);
    Calculate_Corbel(&corbel_model, report, 0);
    Plot_Keep_Named_Drawings(false);
    std::unique_ptr<Atomic_File> drawing = Plot_Take_Kept_Drawing();
    if (refused) drawing.reset();
    // A report without a drawing (no graphic, or a refused position) must not stand
    // beside the drawing of an earlier design: that goes with the same step.
    if (!drawing) drawing = std::make_unique<Atomic_File>(spf_file_name.c_str(), Atomic_Mode::remove);
    // The input as the calculation leaves the model (it fills in values it derives); a
    // write that failed shows when the three are put in place.
    if (input) Write_Position_Content(input->Stream());
    const int result = OLI_Close_Report_With(report, drawing.get(), input.get());
    if (input && !input->Left_Behind().path.empty()) {
        const Atomic_File::Left_File& left = input->Left_Behind();
        Tell_File_Error(left.holds_old ? "Die alte Eingabedatei" : "Die tempor\xE4re Eingabedatei", left.path.c_str(),
                        "kann nicht entfernt werden", left.error);
    }
    if (result != 0 && Commit_Refused_By_Guard()) {
        Tell_Input_Replaced();
        return save_input ? 2 : 1;
    }
    // Standard error has it; the editor's user is told on the screen too.
    if (drawing->Error() != 0 && !refresh_mode)
        Msg_Error(drawing->Is_Removal() ? "Die alte Zeichnung %s kann nicht entfernt werden: %s"
                                        : "Die Zeichnung %s kann nicht geschrieben werden: %s",
                  drawing->Destination().c_str(), German_Error_Text(drawing->Error()));
    if (result != 0 && input && input->Error() != 0 && OLI_Last_Report_Error() == 0 && drawing->Error() == 0) {
        Tell_Input_Not_Saved(input->Error());
        return 2;
    }
    return result;
}

} // namespace

Position_Lock::Position_Lock()
{
    if (position_lock_holds++ > 0) return;
    const char* input_name = Get_Component_File_Name(inp_file_name.c_str());
    position_lock = std::make_unique<File_Lock>(input_name ? input_name : "", kPositionLockWait);
    if (position_lock->Held()) Set_Commit_Guard(Input_Still_Beside);
    if (position_lock->Timed_Out())
        Tell_Input_Problem("ist von einem anderen Lauf gesperrt", "die Druckliste wird trotzdem geschrieben");
}

Position_Lock::~Position_Lock()
{
    if (--position_lock_holds > 0) return;
    Set_Commit_Guard(nullptr);
    position_lock.reset();
}

bool Position_Lock::Timed_Out() const { return position_lock && position_lock->Timed_Out(); }

int Write_Corbel_Report() { return Write_Position_Files(false); }

int Save_Position_With_Report() { return Write_Position_Files(true); }
