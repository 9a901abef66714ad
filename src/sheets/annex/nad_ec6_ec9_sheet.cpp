#include "sheets/annex/nad_ec6_ec9_sheet.h"

#include "annex/nad_ec6_ec9.h"
#include "annex/nad_report.h"
#include "sheets/annex/nad_sheet_fields.h"
#include "sheets/annex/nad_sheet_rows.h"
#include "platform/screen/framebuffer.h"
#include "toolkit/scroll_area.h"

#include <cstdio>
#include <string>

int nad_ec6_sheet_open = 1;
int nad_ec9_sheet_open = 1;

namespace {

constexpr int ROW = 18;
const char* const GAMMA = "\xC0";

// The page's own copy of the editable word: the fields keep a pointer to it.
int ec6_editable = 0;
int ec9_editable = 0;

void Field(int area, int x, int y, double* value, int* editable, const NAD_Field& field)
{
    NAD_Sheet_Number_Field(area, x, y + 13, value, "%5.2f", NAD_SHEET_TEXT_FONT, BLACK_CI, editable, field);
}

// A masonry factor gamma_M of the clause, in the situation.
NAD_Field Masonry_Factor(const char* clause, const char* situation)
{
    return {NAD_PARTIAL_FACTOR, std::string(GAMMA) + "M " + situation + " (" + clause + ")"};
}

// One factor row of the EN 1999 page: the symbol gamma with its subscript, the field and
// the explanation.
int Ec9_Factor_Row(int area, int y, const char* subscript, double* value, const char* explanation)
{
    NAD_Sheet_Clause_Row(area, y, ROW, "", "", explanation);
    NAD_Sheet_Symbol(area, 67, y + 13, GAMMA, subscript);
    Field(area, 136, y, value, &ec9_editable, {NAD_PARTIAL_FACTOR, std::string(GAMMA) + subscript});
    return y + ROW;
}

} // namespace

void NAD_EC6_Sheet(int area, NAD_EC6_Params* record, int editable)
{
    if (!record) return;
    ec6_editable = editable ? 1 : 0;
    NAD_EC6_Set_Row_Filter();
    Area_Clear(area);
    int y = NAD_Sheet_Section_Head(area, 7, "EN 1996-1-1 (Eurocode 6)", &nad_ec6_sheet_open);
    if (nad_ec6_sheet_open && nad_ec6_row_visible[0]) {
        y = NAD_Sheet_Head_Row(area, y);
        y = NAD_Sheet_Clause_Row(area, y, ROW, "2.4.3", "", "Materialsicherheitsbeiwerte");
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "im Grenzzustand der Tragf\x84higkeit");
        NAD_Sheet_Symbol(area, 67, y + 13, GAMMA, "M");
        y = NAD_Sheet_Clause_Row(area, y, ROW, "(1)", "", "Bemessungssituation:");
        Field(area, 106, y, &record->gamma_M, &ec6_editable,
              Masonry_Factor("2.4.3", "st\x84ndig und vor\x81""bergehend"));
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "st\x84ndig und vor\x81""bergehend");
        if (nad_ec6_row_visible[1]) {
            Field(area, 106, y, &record->gamma_M_accidental, &ec6_editable,
                  Masonry_Factor("2.4.3", "au\xE1""ergew\x94hnlich"));
            y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "au\xE1""ergew\x94hnlich");
            Field(area, 106, y, &record->gamma_M_seismic, &ec6_editable, Masonry_Factor("2.4.3", "Erdbeben"));
            y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Erdbeben");
        }
        y += 4;
        y = NAD_Sheet_Clause_Row(area, y, ROW, "2.4.4", "", "Materialsicherheitsbeiwert");
        NAD_Sheet_Symbol(area, 67, y + 13, GAMMA, "M");
        Field(area, 106, y, &record->gamma_M_ser, &ec6_editable, Masonry_Factor("2.4.4", "Gebrauchstauglichkeit"));
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "im Grenzzustand der Gebrauchstaugl.");
    }
    Area_Update(area);
}

void NAD_EC9_Sheet(int area, NAD_EC9_Params* record, int editable)
{
    if (!record) return;
    ec9_editable = editable ? 1 : 0;
    NAD_EC9_Set_Row_Filter();
    Area_Clear(area);
    int y = NAD_Sheet_Section_Head(area, 7, "EN 1999-1-1 (Eurocode 9)", &nad_ec9_sheet_open);
    if (nad_ec9_sheet_open) {
        const int* rule = nad_ec9_row_visible;
        y = NAD_Sheet_Head_Row(area, y);
        // The sheet edits the factors of 6.1.3 whatever the profile shows (only the
        // report leaves them out without the sections rule), like the constant C.
        y = NAD_Sheet_Clause_Row(area, y, ROW, "6.1.3", "", "Teilsicherheitsbeiwerte");
        y = NAD_Sheet_Clause_Row(area, y, ROW, "(1)", "", "Teilsicherheitsbeiwerte f\x81r");
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Querschnitte / Bauteile");
        y = Ec9_Factor_Row(area, y, "M0", &record->gamma_M0, "Querschnittsversagen");
        y = Ec9_Factor_Row(area, y, "M1", &record->gamma_M1, "Stabilit\x84tsversagen");
        if (rule[1]) y = Ec9_Factor_Row(area, y, "M2", &record->gamma_M2, "Bruchversagen infolge Zug");
        y += 4;
        y = NAD_Sheet_Clause_Row(area, y, ROW, "6.2", "", "Beanspruchbarkeit der Querschnitte");
        Area_Add_Text(area, 67, y + 13, "C", NAD_SHEET_TEXT_FONT, BLACK_CI, 0);
        Field(area, 136, y, &record->C, &ec9_editable, {NAD_POSITIVE_COEFFICIENT, "C (6.2(5))"});
        y = NAD_Sheet_Clause_Row(area, y, ROW, "(5)", "", "Konstante C, Gleichung 6.15");
        if (rule[0] && rule[2]) {
            y += 4;
            y = NAD_Sheet_Clause_Row(area, y, ROW, "8", "", "Bemessung von Anschl\x81ssen");
            y = NAD_Sheet_Clause_Row(area, y, ROW, "8.1.1", "", "Einf\x81hrung");
            y = NAD_Sheet_Clause_Row(area, y, ROW, "(2)", "", "Teilsicherheitsbeiwerte f\x81r");
            y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Anschl\x81sse");
            y = Ec9_Factor_Row(area, y, "Mp", &record->gamma_Mp, "Bolzenverbindungen");
            y = Ec9_Factor_Row(area, y, "Mw", &record->gamma_Mw, "Schwei\xE1verbindungen");
            y = Ec9_Factor_Row(area, y, "Ms,ser", &record->gamma_Ms_ser, "Gleitwiderstand im GZ d. Gebrauchst.");
            y = Ec9_Factor_Row(area, y, "Ms,ult", &record->gamma_Ms_ult, "Gleitwiderstand im GZ d. Tragf.");
            y = Ec9_Factor_Row(area, y, "Ma", &record->gamma_Ma, "Geklebte Verbindungen");
            y = Ec9_Factor_Row(area, y, "Mp,ser", &record->gamma_Mp_ser, "Bolzen im GZ d. Gebrauchst.");
        }
    }
    Area_Update(area);
}
