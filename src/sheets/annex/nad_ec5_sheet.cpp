#include "sheets/annex/nad_ec5_sheet.h"

#include "annex/nad_ec5.h"
#include "annex/nad_ec5_report.h"
#include "sheets/annex/nad_sheet_fields.h"
#include "sheets/annex/nad_sheet_rows.h"
#include "platform/screen/bitmaps.h"
#include "platform/screen/framebuffer.h"
#include "toolkit/scroll_area.h"

#include <string>

int nad_ec5_sheet_open[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};

const NAD_EC5_Band nad_ec5_bands[9] = {
    {0, 368, 130},   {142, 368, 95},  {244, 368, 60},  {310, 368, 105}, {418, 368, 123},
    {540, 376, 157}, {700, 376, 129}, {832, 376, 112}, {940, 376, 109},
};

namespace {

const char* const PICTURE = "NAD\\EC5GrobiNads.bmp";
constexpr int ROW = 18;

const char* const SOLID_AND_GLULAM = "Voll- und Brettschichtholz";
const char* const OTHER_TIMBER = "andere";
const char* const DEFLECTIONS[3] = {"winst", "wfin", "wnet,fin"};

int band_number[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
int page_editable = 0;
int crack_fields_editable = 0;
// The k_cr box of clause 6.1.7: ticked while the German method (2) is chosen.
int kcr_box = 1;
NAD_EC5_Params* page_record = nullptr;

void Kcr_Box_Changed(int ticked)
{
    if (page_record) page_record->crack_factor_method = ticked ? 2 : 1;
}

// A band of the picture at y; returns the y below it.
int Band(int area, int y, int band)
{
    const NAD_EC5_Band& b = nad_ec5_bands[band - 1];
    Area_Add_Custom(area, 0, y, b.width - 1, y + b.height - 1, &band_number[band], NAD_EC5_Draw_Picture);
    return y + b.height;
}

void Field(int area, int x, int y, double* value, const char* format, const NAD_Field& field,
           int* editable = &page_editable)
{
    NAD_Sheet_Number_Field(area, x, y, value, format, NAD_SHEET_TEXT_FONT, BLACK_CI, editable, field);
}

// The partial factor of a material; the annex file keeps those of solid and glued
// laminated timber and of the accidental situation with two decimals.
NAD_Field Material_Factor(const NAD_EC5_Params* r, const double* value, const char* material)
{
    const bool two = value == &r->gamma_M_solid || value == &r->gamma_M_glulam || value == &r->gamma_M_accidental ||
                     value == &r->gamma_M_fire;
    return {NAD_PARTIAL_FACTOR, std::string("\xC0M ") + material, two ? 2 : -1};
}

// The crack factor k_cr (two decimals in the file).
NAD_Field Crack_Factor(const char* timber) { return {NAD_REDUCTION_FACTOR, std::string("kcr ") + timber, 2}; }

void Text(int area, int x, int y, const char* text)
{
    Area_Add_Text(area, x, y, text, NAD_SHEET_TEXT_FONT, BLACK_CI, 0);
}

// A section head when its flag is set; answers whether the section's rows follow.
bool Section(int area, int& y, int flag, const char* title)
{
    if (!nad_ec5_row_flags[flag]) return false;
    y = NAD_Sheet_Section_Head(area, y, title, &nad_ec5_sheet_open[flag]) + 2;
    return nad_ec5_sheet_open[flag] != 0;
}

// A clause row with a switch: its check box and text in the explanation column.
int Switch_Row(int area, int y, const char* clause, const char* parameter, const char* label, int* value)
{
    NAD_Sheet_Clause_Row(area, y, ROW, clause, parameter, "");
    Area_Add_Check_Box(area, 226, y + 13, label, NAD_SHEET_TEXT_FONT, BLACK_CI, value, &page_editable);
    return y + ROW;
}

int Gamma_Row(int area, int y, double* value, const char* material)
{
    NAD_Sheet_Clause_Row(area, y, ROW, "", "", material);
    NAD_Sheet_Symbol(area, 67, y + 13, "\xC0", "M");
    Field(area, 136, y + 13, value, "%5.2f", Material_Factor(page_record, value, material));
    return y + ROW;
}

int Clause_Table(int area, int y, NAD_EC5_Params* r)
{
    y = NAD_Sheet_Head_Row(area, y);
    y = NAD_Sheet_Clause_Row(area, y, ROW, "2.3.1.2", "", "Zuordnung von Einwirkungen zu");
    y = NAD_Sheet_Clause_Row(area, y, ROW, "(2)P", "", "Klassen der Lasteinwirkungsdauer");
    y = Switch_Row(area, y, "", "", "Tabelle NA.1 anwenden", &r->load_duration_table);
    y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "2.4.1", "", "Teilsicherheitsbeiwerte");
    y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Tab. 2.3");
    double* g = r->gamma_M_material;
    y = Gamma_Row(area, y, &r->gamma_M_solid, "Vollholz");
    y = Gamma_Row(area, y, &r->gamma_M_glulam, "Brettschichtholz");
    y = Gamma_Row(area, y, &r->gamma_M_clt, "Brettsperrholz");
    y = Gamma_Row(area, y, &g[NAD_EC5_LVL_PLYWOOD_OSB], "LVL, Sperrholz, OSB");
    y = Gamma_Row(area, y, &g[NAD_EC5_PARTICLE_BOARD], "Spanplatten");
    y = Gamma_Row(area, y, &g[NAD_EC5_HARD_FIBREBOARD], "Harte Faserplatten");
    y = Gamma_Row(area, y, &g[NAD_EC5_MEDIUM_FIBREBOARD], "Mittelharte Faserplatten");
    y = Gamma_Row(area, y, &g[NAD_EC5_MDF_FIBREBOARD], "MDF-Faserplatten");
    y = Gamma_Row(area, y, &g[NAD_EC5_SOFT_FIBREBOARD], "Weiche Faserplatten");
    y = Gamma_Row(area, y, &g[NAD_EC5_CONNECTIONS], "Verbindungen");
    y = Gamma_Row(area, y, &g[NAD_EC5_PUNCHED_PLATES], "Nagelplatten");
    y = Gamma_Row(area, y, &r->gamma_M_accidental, "Au\xE1""ergew\x94hnliche Kombinationen");
    if (r->na_de_flag) {
        y = Gamma_Row(area, y, &g[NAD_EC5_STEEL_IN_CONNECTIONS], "Stahl in Verbindungen");
        y = Gamma_Row(area, y, &g[NAD_EC5_PLASTERBOARD], "Gipskarton, etc.");
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "3.1.3", "", "Modifikationsbeiwerte");
        y = Switch_Row(area, y, "", "", "Tabelle NA.4 anwenden", &r->kmod_table);
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "8.3.2", "", "fax, fhead f\x81r profilierte N\x84gel");
        y = Switch_Row(area, y, "", "", "Tabelle NA.15 anwenden", &r->profiled_nail_table);
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "8.3.1.2", "", "Holz-Holz-Nagelverbindungen");
        y = Switch_Row(area, y, "(2)P", "", "NA.11 anwenden", &r->penetration_depth_rule);
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Einschlagtiefen > 4 d");
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "6.1.7", "", "GZT: Schub");
        NAD_Sheet_Clause_Row(area, y, ROW, "(2)", "", "");
        kcr_box = r->crack_factor_method == 2 ? 1 : 0;
        Area_Add_Check_Box(area, 226, y + 13, "k", NAD_SHEET_TEXT_FONT, BLACK_CI, &kcr_box, &page_editable);
        Area_Set_Item_Check(area, Kcr_Box_Changed);
        Area_Add_Text(area, 233, y + 16, "   cr nach NA-DE anwenden", NAD_SHEET_SMALL_FONT, BLACK_CI, 0);
        y += ROW;
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "8.5.3", "", "Gewindestangen zulassen");
        y = Switch_Row(area, y, "(2)", "", "Gewindestangen nach NA-DE", &r->threaded_rods);
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "6.3.3", "", "Biegedrillknicknachweis");
        y = Switch_Row(area, y, "(7)", "", "Biegedrillknicken nach NA-DE", &r->lateral_torsional_buckling);
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "8.2.4", "", "Verbindungsmittel");
        y = Switch_Row(area, y, "(1)", "", "Vereinfachtes Verfahren nach NA-DE", &r->fasteners_simplified);
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "9.2.4.2", "", "Wandscheiben Verfahren A");
        y = Switch_Row(area, y, "", "", "NA.20 anwenden", &r->wall_diaphragm_reduction);
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Abminderung d. Tragf\x84higkeit");
        y = Switch_Row(area, y, "", "", "NA.21 anwenden", &r->sill_pressure_increase);
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Erh\x94hung d. Tragf\x84higkeit");
        y = Switch_Row(area, y, "", "", "NA.8.1.6 anwenden", &r->tension_joints);
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Zugverbindungen");
        y = Switch_Row(area, y, "", "", "NA.8.6 (NA.7) anwenden", &r->steel_part_drilling);
        y = NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Bohrloch Stahlteil");
    } else {
        y = NAD_Sheet_Clause_Row(area, y + 4, ROW, "6.1.7", "", "GZT: Schub");
        NAD_Sheet_Clause_Row(area, y, ROW, "(2)", "", "Voll- und Brettschichtholz");
        NAD_Sheet_Symbol(area, 67, y + 13, "k", "cr");
        Field(area, 136, y + 13, &r->k_cr_solid_glulam, "%5.2f", Crack_Factor(SOLID_AND_GLULAM));
        y += ROW;
        NAD_Sheet_Clause_Row(area, y, ROW, "", "", "Andere");
        NAD_Sheet_Symbol(area, 67, y + 13, "k", "cr");
        Field(area, 136, y + 13, &r->k_cr_other, "%5.2f", Crack_Factor(OTHER_TIMBER));
        y += ROW;
    }
    return y;
}

} // namespace

void NAD_EC5_Draw_Picture(int x1, int y1, int, int, void* band)
{
    const int* k = static_cast<const int*>(band);
    if (!k || *k < 1 || *k > 9) return;
    const NAD_EC5_Band& b = nad_ec5_bands[*k - 1];
    pxDrawPartialTransparentDIB(PICTURE, 0, b.top, b.width - 1, b.top + b.height - 1, x1, y1, x1 + b.width - 1,
                                y1 + b.height - 1, 201, -1, 255, 255, 255);
}

void NAD_EC5_Sheet(int area, NAD_EC5_Params* r, int editable)
{
    if (!r) return;
    page_editable = editable ? 1 : 0;
    crack_fields_editable = editable && r->crack_factor_method == 1 ? 1 : 0;
    page_record = r;
    NAD_EC5_Set_Row_Filter();
    Area_Clear(area);
    int y = 6;
    if (nad_ec5_row_flags[NAD_EC5_FLAG_APPLICATION]) {
        Area_Add_Text(area, 10, y + 14, "Parameter f\x81r alle kvem-Stabwerksprogramme", NAD_SHEET_HEAD_FONT,
                      BLACK_CI, 0);
        y += 25;
    }
    if (Section(area, y, NAD_EC5_FLAG_MATERIAL, "Materialsicherheitsbeiwerte")) {
        const int top = y;
        y = Band(area, y, 5);
        Field(area, 201, top + 44, &r->gamma_M_solid, "%4.2f", Material_Factor(r, &r->gamma_M_solid, "Vollholz"));
        Field(area, 201, top + 66, &r->gamma_M_glulam, "%4.2f",
              Material_Factor(r, &r->gamma_M_glulam, "Brettschichtholz"));
        Field(area, 201, top + 88, &r->gamma_M_accidental, "%4.2f",
              Material_Factor(r, &r->gamma_M_accidental, "au\xE1""ergew\x94hnlich"));
        const int fire = y;
        y = Band(area, y, 8);
        Field(area, 201, fire + 44, &r->gamma_M_fire, "%4.2f", Material_Factor(r, &r->gamma_M_fire, "Brandschutz"));
        y += 4;
    }
    if (Section(area, y, NAD_EC5_FLAG_MODIFICATION, "Modifikationsbeiwerte")) {
        Text(area, 10, y + 13, "nach DIN EN 1995-1-1 Abschnitt 3.1.3 Tab. 3.1 (Ausschnitt):");
        y += 20;
        const int top = y;
        y = Band(area, y, 1);
        const int column[3] = {94, 148, 202};
        for (int d = 0; d < NAD_EC5_LOAD_DURATIONS; ++d)
            for (int c = 0; c < NAD_EC5_SERVICE_CLASSES; ++c)
                Field(area, column[c], top + 40 + 18 * d, &r->k_mod[d][c], "%4.2f",
                      {NAD_POSITIVE_COEFFICIENT,
                       "kmod (KLED " + std::to_string(d + 1) + ", Nutzungsklasse " + std::to_string(c + 1) + ")", 2});
        Text(area, 10, y + 13, "nach DIN EN 1995-1-1-NA (Deutschland) Tab. NA.1 Index (b):");
        y = Band(area, y + 20, 2);
        Area_Add_Check_Box(area, 46, y + 14, "Tabelle NA.1 Index (b) anwenden", NAD_SHEET_TEXT_FONT, BLACK_CI,
                           &r->kmod_na1_b, &page_editable);
        y += 24;
    }
    if (Section(area, y, NAD_EC5_FLAG_DEFORMATION, "Verformungsbeiwerte")) {
        Text(area, 10, y + 13, "nach DIN EN 1995-1-1 Abschnitt 3.1.3 Tab. 3.2 (Ausschnitt):");
        y += 20;
        const int column[3] = {92, 146, 200};
        for (int c = 0; c < NAD_EC5_SERVICE_CLASSES; ++c)
            Field(area, column[c], y + 44, &r->k_def[c], "%4.2f",
                  {NAD_POSITIVE_COEFFICIENT, "kdef (Nutzungsklasse " + std::to_string(c + 1) + ")", 2});
        y = Band(area, y, 3) + 4;
    }
    if (Section(area, y, NAD_EC5_FLAG_DEFLECTION, "Verformungsgrenzwerte")) {
        Text(area, 10, y + 13, "gem\x84\xE1 DIN EN 1995-1-1 Abschnitt 7.2 Tab. 7.2:");
        y += 20;
        for (int k = 0; k < 3; ++k) {
            const std::string limit = std::string("l/x von ") + DEFLECTIONS[k];
            Field(area, 106, y + 40 + 21 * k, &r->deflection_limits[k][NAD_EC5_SPAN], "%3.0f",
                  {NAD_DIVISOR, limit + ", normal", 0});
            Field(area, 170, y + 40 + 21 * k, &r->deflection_limits[k][NAD_EC5_CANTILEVER], "%3.0f",
                  {NAD_DIVISOR, limit + ", Kragarm", 0});
        }
        y = Band(area, y, 4) + 4;
    }
    if (Section(area, y, NAD_EC5_FLAG_CRACK, "Tragf\x84higkeit: Rissfaktor")) {
        Area_Add_Radio_Button(area, 30, y + 40, "", NAD_SHEET_TEXT_FONT, BLACK_CI, 1, &r->crack_factor_method,
                              &page_editable);
        Field(area, 187, y + 62, &r->k_cr_solid_glulam, "%4.2f", Crack_Factor(SOLID_AND_GLULAM),
              &crack_fields_editable);
        Field(area, 187, y + 84, &r->k_cr_other, "%4.2f", Crack_Factor(OTHER_TIMBER), &crack_fields_editable);
        Area_Add_Radio_Button(area, 30, y + 106, "", NAD_SHEET_TEXT_FONT, BLACK_CI, 2, &r->crack_factor_method,
                              &page_editable);
        y = Band(area, y, 6) + 4;
    }
    if (Section(area, y, NAD_EC5_FLAG_TORSION, "Tragf\x84higkeit: Nachweis der Torsionsspannungen")) {
        Field(area, 290, y + 50, &r->k_shape_factor, "%4.2f", {NAD_COEFFICIENT, "Faktor von kshape"});
        Field(area, 290, y + 80, &r->k_shape_max, "%4.2f", {NAD_POSITIVE_COEFFICIENT, "Gr\x94\xE1twert von kshape"});
        y = Band(area, y, 9) + 4;
    }
    if (Section(area, y, NAD_EC5_FLAG_NET_DEFLECTION, "Gebrauchstauglichkeit: 3. Teilnachweis")) {
        Area_Add_Radio_Button(area, 30, y + 50, "", NAD_SHEET_TEXT_FONT, BLACK_CI, 1,
                              &r->net_deflection_combination, &page_editable);
        Area_Add_Radio_Button(area, 30, y + 95, "", NAD_SHEET_TEXT_FONT, BLACK_CI, 2,
                              &r->net_deflection_combination, &page_editable);
        y = Band(area, y, 7) + 4;
    }
    if (Section(area, y, NAD_EC5_FLAG_APPLICATION, "Biegedrillknicken: Berechnung der bezogenen Kippschlankheit")) {
        Text(area, 10, y + 13, "DIN EN 1995-1-1 Abschnitt 6.3.3:  Faktor gem\x84\xE1 NCI Zu 6.3.3(2)");
        Text(area, 10, y + 33, "Faktor                   (nur f\x81r Brettschichtholz)");
        Field(area, 60, y + 33, &r->slenderness_factor, "%4.2f",
              {NAD_POSITIVE_COEFFICIENT, "Faktor der bezogenen Kippschlankheit"});
        y += 44;
    }
    if (Section(area, y, NAD_EC5_FLAG_CLAUSES, "EN 1995-1-1 (Eurocode 5, Grundnorm)")) y = Clause_Table(area, y, r);
    Area_Update(area);
}
