#include "sheets/annex/nad_ec0_sheet.h"

#include "annex/app_profiles.h"
#include "annex/nad_ec0.h"
#include "sheets/annex/nad_sheet_fields.h"
#include "sheets/annex/nad_sheet_rows.h"
#include "platform/screen/framebuffer.h"
#include "toolkit/scroll_area.h"

#include <string>

int nad_ec0_sheet_open[2] = {1, 1};

const char* const nad_ec0_bridge_pictures[NAD_EC0_BRIDGE_PICTURES] = {
    "NAD\\NAD_bridge_str_b.bmp",    "NAD\\NAD_bridge_ausser.bmp",   "NAD\\NAD_bridge_erdbeben.bmp",
    "NAD\\NAD_bridge_gebrauch.bmp", "NAD\\NAD_bridge_str_psi.bmp",  "NAD\\NAD_bridge_fuss_psi.bmp",
    "NAD\\NAD_bridge_bahn_psi.bmp",
};
// Partial factors: 12, 13, 13, 12 actions; combination factors: 14 road, 7 foot, 31 railway
// rows and the three alpha factors.
const int nad_ec0_bridge_picture_rows[NAD_EC0_BRIDGE_PICTURES] = {12, 13, 13, 12, 14, 7, 34};

namespace {

const char* const BUILDING_PICTURE = "NAD\\NAD-Kbws.bmp";
constexpr int PITCH = NAD_EC0_ROW_PITCH;
constexpr int BASE = 16;  // base line of a field below its row's top
constexpr int GAMMA_X[2] = {262, 321};
constexpr int PSI_X[4] = {231, 281, 331, 381};
const char* const PSI[4] = {"psi0", "psi1", "psi2", "psi2,E"};

int page_editable = 0;
int always_editable = 1;
// The picture whose fields are being added and the row's number in it: what names a field
// in a refusal.
const char* picture_name = "";
int picture_row_top = 0;

// The pictures' titles in the boxes (code page 850): the building picture, then the
// bridge pictures.
const char* const BUILDING_TITLE = "Hochbau";
const char* const BRIDGE_TITLES[NAD_EC0_BRIDGE_PICTURES] = {
    "Br\x81""cken, st\x84ndig und vor\x81""bergehend", "Br\x81""cken, au\xE1""ergew\x94hnlich",
    "Br\x81""cken, Erdbeben", "Br\x81""cken, Gebrauchstauglichkeit", "Stra\xE1""enbr\x81""cken",
    "Fu\xE1g\x84ngerbr\x81""cken", "Eisenbahnbr\x81""cken",
};

int Head_Colour()
{
    static int colour = -1;
    if (colour < 0) colour = Nearest_RGB_Color(83, 217, 190);
    return colour;
}

int Section_Head(int area, int y, const char* title, int* open)
{
    Area_Add_Box(area, 10, y, 350, y + 19, Head_Colour());
    Area_Add_Check_Box(area, 35, y + 14, "", NAD_SHEET_TEXT_FONT, BLACK_CI, open, &always_editable);
    // The check box is drawn left of its x, so the title shares it.
    Area_Add_Text(area, 35, y + 14, title, NAD_SHEET_HEAD_FONT, BLACK_CI, 0);
    return y + 26;
}

// A field of the picture's row whose top is row_top; the annex file keeps two decimals.
void Field(int area, int x, int row_top, double* value, const char* format, NAD_Value_Kind kind, const char* symbol)
{
    const int row = (row_top - picture_row_top) / PITCH + 1;
    const std::string name = std::string(symbol) + " (" + picture_name + ", Zeile " + std::to_string(row) + ")";
    NAD_Sheet_Number_Field(area, x, row_top + BASE, value, format, NAD_SHEET_TEXT_FONT, BLACK_CI, &page_editable,
                           {kind, name, 2});
}

void Gamma_Row(int area, int row_top, double* pair)
{
    Field(area, GAMMA_X[0], row_top, &pair[NAD_EC0_SUP], "%5.2f", NAD_ACTION_FACTOR, "\xC0" "F,sup");
    Field(area, GAMMA_X[1], row_top, &pair[NAD_EC0_INF], "%5.2f", NAD_ACTION_FACTOR, "\xC0" "F,inf");
}

// A picture at y with its heading row; returns the top of its first field row.
int Picture(int area, const char* file, const char* title, int y, int field_rows)
{
    picture_name = title;
    picture_row_top = y + PITCH;
    const int key = Nearest_RGB_Color(255, 255, 255);
    Area_Add_Bitmap(area, file, 0, y, 419, y + PITCH * (field_rows + 1) - 1, key);
    return y + PITCH;
}

int Building_Section(int area, int y, NAD_EC0_Params* r)
{
    int row = Picture(area, BUILDING_PICTURE, BUILDING_TITLE, y, NAD_EC0_BUILDING_PICTURE_ROWS - 1);
    auto next = [&row] { row += PITCH; };
    for (int a = 0; a < 5; ++a, next()) Gamma_Row(area, row, r->building_gamma[NAD_EC0_PERSISTENT][a]);
    next();
    for (int a = 0; a < 6; ++a, next()) Gamma_Row(area, row, r->building_gamma[NAD_EC0_ACCIDENTAL][a]);
    next();
    for (int a = 0; a < 7; ++a, next())
        if (a != 5) Gamma_Row(area, row, r->building_gamma[NAD_EC0_SEISMIC][a]);  // no accidental action
    next();
    for (int a = 0; a < 5; ++a, next()) Gamma_Row(area, row, r->building_gamma[NAD_EC0_SERVICEABILITY][a]);
    next();
    for (int c = 0; c < NAD_EC0_BUILDING_CATEGORIES; ++c, next()) {
        for (int k = 0; k < 4; ++k) Field(area, PSI_X[k], row, &r->building_psi[c][k], "%4.2f", NAD_SHARE, PSI[k]);
        if (c == 2 || c == 5) next();
    }
    return row + 6;
}

// Bridge actions of each situation's picture (from 1; action 12, the construction stage,
// has no field anywhere).
const int bridge_actions[4][13] = {
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 0},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 0},
};

int Psi_Rows(int area, int row, double (*psi)[3], int rows, bool railway)
{
    for (int k = 0; k < rows; ++k, row += PITCH)
        for (int c = 0; c < 3; ++c) {
            // LM 71, SW/0 and the earth pressure take alpha instead of psi1.
            if (railway && c == 1 && (k == 0 || k == 1 || k == 8)) continue;
            Field(area, PSI_X[c], row, &psi[k][c], "%4.2f", NAD_SHARE, PSI[c]);
        }
    return row;
}

int Bridge_Section(int area, int y, NAD_EC0_Params* r)
{
    for (int p = 0; p < NAD_EC0_BRIDGE_PICTURES; ++p) {
        int row = Picture(area, nad_ec0_bridge_pictures[p], BRIDGE_TITLES[p], y, nad_ec0_bridge_picture_rows[p]);
        if (p < 4) {
            for (int a : bridge_actions[p]) {
                if (a == 0) continue;
                Gamma_Row(area, row, r->bridge_gamma[p][a - 1]);
                row += PITCH;
            }
        } else if (p == 4) {
            row = Psi_Rows(area, row, r->road_psi, NAD_EC0_ROAD_ACTIONS, false);
        } else if (p == 5) {
            row = Psi_Rows(area, row, r->foot_psi, NAD_EC0_FOOT_ACTIONS, false);
        } else {
            row = Psi_Rows(area, row, r->rail_psi, NAD_EC0_RAIL_ACTIONS, true);
            for (double& alpha : r->rail_alpha) {
                Field(area, PSI_X[1], row, &alpha, "%4.2f", NAD_SHARE, "\xBA");
                row += PITCH;
            }
        }
        y = row + 8;
    }
    return y;
}

} // namespace

void NAD_EC0_Sheet(int area, NAD_EC0_Params* record, int editable)
{
    if (!record) return;
    page_editable = editable ? 1 : 0;
    NAD_Scan_App_Profiles();
    Area_Clear(area);
    int y = 6;
    if (NAD_Rule_Visible(0, 0)) {
        y = Section_Head(area, y, "Faktoren f\x81r den Hochbau", &nad_ec0_sheet_open[0]);
        if (nad_ec0_sheet_open[0]) y = Building_Section(area, y, record);
    }
    if (NAD_Rule_Visible(0, 1)) {
        y = Section_Head(area, y, "Faktoren f\x81r den Br\x81""ckenbau", &nad_ec0_sheet_open[1]);
        if (nad_ec0_sheet_open[1]) Bridge_Section(area, y, record);
    }
    Area_Update(area);
}
