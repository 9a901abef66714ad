// The results table of the corbel report.
#include "core/corbel_results_table.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/corbel_input_echo.h"
#include "core/corbel_model.h"
#include "core/corbel_text_bytes.h"
#include "core/design_load_case.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/page_head.h"
#include "report/report_layout.h"
#include "report/string_format.h"
#include "report/text_writer.h"
#include "report/verdicts.h"

namespace {

#define SUB OLI_SEQ_SUB
#define END OLI_SEQ_RESET
#define SIGMA_SUM "\xB2"

enum Legend_Group { LEGEND_FORCES, LEGEND_TENSION, LEGEND_ANCHORAGE, LEGEND_SPLITTING, LEGEND_TOTAL };

struct Column {
    const char* header;
    const char* symbol;  // in the legend
    Legend_Group group;
    bool force;
    double Load_Case_Result::*value;
    double Load_Case_Summary::*envelope;  // areas only
};

// Columns in table order; the total decides the governing combination.
const Column columns[] = {
    {"      A" SUB "Ed" END " ", "A" SUB "Ed" END, LEGEND_FORCES, true, &Load_Case_Result::A, nullptr},
    {"      H" SUB "Ed" END " ", "H" SUB "Ed" END, LEGEND_FORCES, true, &Load_Case_Result::H, nullptr},
    {"   A" SUB "s,h" END " ", "A" SUB "s,h" END, LEGEND_TENSION, false, &Load_Case_Result::As_h,
     &Load_Case_Summary::As_h},
    {"   A" SUB "s,v" END " ", "A" SUB "s,v" END, LEGEND_TENSION, false, &Load_Case_Result::As_v,
     &Load_Case_Summary::As_v},
    {"   A" SUB "s,s" END " ", "A" SUB "s,s" END, LEGEND_TENSION, false, &Load_Case_Result::As_s,
     &Load_Case_Summary::As_s},
    {"   A" SUB "s,h1" END, "A" SUB "s,h1" END, LEGEND_ANCHORAGE, false, &Load_Case_Result::As_h1,
     &Load_Case_Summary::As_h1},
    {"   A" SUB "s,v1" END, "A" SUB "s,v1" END, LEGEND_ANCHORAGE, false, &Load_Case_Result::As_v1,
     &Load_Case_Summary::As_v1},
    {"   A" SUB "sb,v" END, "A" SUB "sb,v" END, LEGEND_SPLITTING, false, &Load_Case_Result::Asb_v,
     &Load_Case_Summary::Asb_v},
    {"   A" SUB "sb,h" END, "A" SUB "sb,h" END, LEGEND_SPLITTING, false, &Load_Case_Result::Asb_h,
     &Load_Case_Summary::Asb_h},
    {"   " SIGMA_SUM "A" SUB "st" END " ", SIGMA_SUM "A" SUB "st" END, LEGEND_TOTAL, false, &Load_Case_Result::Ast,
     &Load_Case_Summary::Ast},
};
constexpr int COLUMN_COUNT = sizeof(columns) / sizeof(columns[0]);
constexpr int COLUMN_A = 0;
constexpr int COLUMN_H = 1;
constexpr int COLUMN_TOTAL = COLUMN_COUNT - 1;

const char* const group_labels[] = {": Bemessungsgr" UML_oe UML_ss "en", ": Zugbewehrung", ": Verankerung",
                                    ": Spaltzugbewehrung", ": Summe der Zugbewehrung"};

// More rows than this and the viewer is told to repeat the table head.
constexpr int ROWS_WITHOUT_REPEATED_HEAD = 20;

struct Units {
    const char* text;  // five characters
    double factor;     // on the stored N
};

Units Units_For(int unit_switch)
{
    switch (unit_switch) {
    case LOAD_UNIT_KN_KNM:
    case LOAD_UNIT_KN_KNCM: return {" kN  ", 0.001};
    case LOAD_UNIT_N_NM: return {" N   ", 1.0};
    default: return {"     ", 1.0};
    }
}

double Shown_Value(const Column& column, const Load_Case_Result& row, double factor)
{
    return column.force ? factor * (row.*column.value) : row.*column.value;
}

// H of a hung-up load is shown in parentheses: the design does not take it.
const char* const unused_H_symbol = "(H" SUB "Ed" END ")";

// The legend below the table: the forces, then each group of area symbols with a shown
// column, then the total after its own separator, and last why H stands in parentheses.
void Write_Legend(FILE* f, const bool* shown, bool unused_H)
{
    std::string groups[LEGEND_TOTAL];
    groups[LEGEND_FORCES] = columns[COLUMN_A].symbol;
    if (shown[COLUMN_H])
        groups[LEGEND_FORCES] += std::string(", ") + (unused_H ? unused_H_symbol : columns[COLUMN_H].symbol);
    for (int c = COLUMN_H + 1; c < COLUMN_TOTAL; ++c)
        if (shown[c]) groups[columns[c].group] += std::string(", ") + columns[c].symbol;
    for (int g = LEGEND_FORCES; g < LEGEND_TOTAL; ++g)
        if (!groups[g].empty()) OLI_Write_List_Item(f, 0, 2, (groups[g] + group_labels[g]).c_str());
    if (shown[COLUMN_TOTAL])
        OLI_Write_List_Item(f, 1, 2, (std::string(columns[COLUMN_TOTAL].symbol) + group_labels[LEGEND_TOTAL]).c_str());
    if (shown[COLUMN_H] && unused_H)
        OLI_Write_List_Item(f, 1, 2,
                            (std::string(unused_H_symbol) + ": bei angeh" UML_ae "ngter Last nicht angesetzt").c_str());
}

// A force cell; an H that the design does not take in parentheses, with fewer decimals
// where the parentheses would widen the column.
void Write_Force_Cell(FILE* f, double value, bool unused)
{
    if (!unused || std::fabs(value) <= 0.01) {
        OLI_Write_Cell_9_2(f, value);
        return;
    }
    std::string number;
    for (int decimals = 2; decimals >= 0; --decimals) {
        number = Format_String("(%.*lf)", decimals, value);
        if (number.size() <= 9) break;
    }
    std::fprintf(f, " %9s", number.c_str());
}

} // namespace

void Write_Corbel_Results_Table(const Corbel_Model* model, FILE* report)
{
    if (!model || !report) return;
    const Corbel_Model& m = *model;
    OLI_End_Text_Block(report);
    OLI_reserveSpaceCM(report, 3.0f);
    OLI_Write_Heading_No_Bookmark(report, report_heading_level, 0, "Ergebnistabelle");
    OLI_setYPositionCM(report, 1, 0.3f);

    const int rows = m.results ? m.load_count[0] : 0;  // one result per ULS row
    const bool unused_H = Is_Hung_Up_Load(m);
    const Units units = Units_For(m.unit_switch);
    bool shown[COLUMN_COUNT] = {};
    for (int i = 0; i < rows; ++i)
        for (int c = 0; c < COLUMN_COUNT; ++c)
            if (std::fabs(Shown_Value(columns[c], m.results[i], units.factor)) > 0.01) shown[c] = true;
    if (!shown[COLUMN_A] && !shown[COLUMN_H]) return;

    int force_columns = 0, area_columns = 0;
    for (int c = 0; c < COLUMN_TOTAL; ++c)
        if (shown[c]) ++(columns[c].force ? force_columns : area_columns);
    const double x1 = 10.0 * force_columns + 4.5;
    const double x2 = x1 + 8.0 * area_columns;
    const double x3 = shown[COLUMN_TOTAL] ? x2 + 8.0 : x2;

    OLI_End_Text_Block(report);
    OLI_setFlags(report, 640);
    OLI_Printf(report, "%s" OLI_SEQ_EMPH "Bemessungsgr" UML_oe UML_ss "en und erforderliche Bewehrung\n",
               report_line_prefix);
    OLI_End_Text_Block(report);

    std::fputs("#SHOWTABLE\n0 0 0\n1 1 -1 -1 5", report);
    if (rows > ROWS_WITHOUT_REPEATED_HEAD) std::fprintf(report, " 0 0 0 0 0 0 0 %d", 2);
    std::fprintf(report, "\n4.4 4.6 %.1lf %.1lf %.1lf\n", x1, x2, x3);
    std::fputs(" Lk  ", report);
    for (int c = 0; c < COLUMN_COUNT; ++c)
        if (shown[c]) std::fputs(columns[c].header, report);
    std::fputs("\n     ", report);
    for (int c = 0; c < COLUMN_COUNT; ++c)
        if (shown[c]) {
            if (columns[c].force)
                std::fprintf(report, "     %5s", units.text);
            else
                std::fputs("    cm" SQUARE " ", report);
        }
    std::fputs("\n", report);
    for (int i = 0; i < rows; ++i) {
        const Load_Case_Result& row = m.results[i];
        std::fprintf(report, " %-4d", i + 1);
        for (int c = 0; c < COLUMN_COUNT; ++c) {
            if (!shown[c]) continue;
            if (columns[c].force)
                Write_Force_Cell(report, units.factor * (row.*columns[c].value), unused_H && c == COLUMN_H);
            else
                OLI_Write_Result_Cell(report, m.summary.*columns[c].envelope, row.*columns[c].value);
        }
        std::fputs("\n", report);
    }
    std::fputs("#END_OF_TEXT\n", report);

    OLI_setYPositionCM(report, 1, -0.5f);
    OLI_setFlags(report, 896);
    OLI_Set_Text_Style(3);
    OLI_Printf(report, "%s", report_line_prefix);
    Write_Legend(report, shown, unused_H);
    OLI_Printf(report, "\n");
    OLI_Set_Text_Style(4);
}
