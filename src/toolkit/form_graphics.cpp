#include "toolkit/form_graphics.h"

#include "base/force_import.h"
#include "base/point_arrays.h"
#include "base/utilities.h"
#include "platform/screen/screen.h"
#include "toolkit/form_core.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kFiveDegrees = 0.08726646259971647;

struct World {
    double x0 = 0.0, y0 = 0.0, angle = 0.0, scale = 1.0;
    int lines = 1;
} world;

int Round_Half_Away(double v) { return static_cast<int>(v < 0.0 ? v - 0.5 : v + 0.5); }

void Map(double x, double y, int* px, int* py)
{
    Form_World_To_Area(&x, &y);
    *px = Round_Half_Away(x);
    *py = Round_Half_Away(y);
}

void Anchor(int x, int y, int w, int h, int valign, int halign, int* x1, int* y1)
{
    *y1 = valign == 2 ? y - h : valign == 4 ? y - h / 2 : y;
    *x1 = halign == 1 ? x - w : halign == 4 ? x - w / 2 : x;
}

// Outlines of filled polygons: each item keeps its own until the area is built anew.
struct Polygon_Outline {
    std::vector<int> x, y;
    int min_x = 0, min_y = 0;
    int colour = 0;
};
struct Polygon_Pool {
    unsigned serial = 0;
    std::vector<std::unique_ptr<Polygon_Outline>> outlines;
};
Polygon_Pool polygon_pools[AREA_COUNT];

void Draw_Polygon_Item(int x1, int y1, int, int, void* data)
{
    const Polygon_Outline* p = static_cast<const Polygon_Outline*>(data);
    if (!p || p->x.empty()) return;
    // The item starts at the outline's smallest corner: content (0, 0) lies that far back.
    const int ox = x1 - p->min_x, oy = y1 - p->min_y;
    std::vector<int> sx(p->x.size()), sy(p->y.size());
    for (size_t i = 0; i < p->x.size(); ++i) {
        sx[i] = p->x[i] + ox;
        sy[i] = p->y[i] + oy;
    }
    const int colour = pxQFgc();
    pxFgc(p->colour);
    pxFill(static_cast<int>(sx.size()), sx.data(), sy.data());
    pxFgc(colour);
}

void Frame(int area, int x1, int y1, int x2, int y2, int colour)
{
    Area_Add_Line(area, x1, y1, x2, y1, colour);
    Area_Add_Line(area, x2, y1, x2, y2, colour);
    Area_Add_Line(area, x2, y2, x1, y2, colour);
    Area_Add_Line(area, x1, y2, x1, y1, colour);
}

} // namespace

// ---- Image cells ------------------------------------------------------------------------

void Form_Add_Image_Cell(int area, int x, int y, int height, int width, int valign, int halign, const char* image,
                         const char* inactive_image, int key_colour, int value, int* target, int editable)
{
    int x1, y1;
    Anchor(x, y, width, height, valign, halign, &x1, &y1);
    const int x2 = x1 + width - 1, y2 = y1 + height - 1;
    if (editable) {
        if (image) Area_Add_Bitmap(area, image, x1, y1, x2, y2, key_colour);
        if (target) {
            Area_Add_Click_Cell(area, x1, y1, x2, y2, value, target);
            Area_Set_Click_Cursor(area, 18);
        }
    } else if (inactive_image) {
        Area_Add_Bitmap(area, inactive_image, x1, y1, x2, y2, key_colour);
    }
}

int Form_Add_Image_Radio(int area, int x, int y, int value, int* target, const char* selected,
                         const char* unselected, const char* selected_inactive, const char* unselected_inactive,
                         int* editable)
{
    if (!target || !editable) return 0;
    Area_Add_Radio_Button(area, x + 20, y, "", 0, WHITE_CI, value, target, editable);
    const bool on = *target == value;
    const char* image = *editable ? (on ? selected : unselected) : (on ? selected_inactive : unselected_inactive);
    if (image) Area_Add_Bitmap(area, image, x, y - 10, x + 11, y + 1, WHITE_CI);
    return *editable;
}

void Form_Add_Image_Check(int area, int x, int y, int* value, const char* on, const char* off,
                          const char* on_inactive, const char* off_inactive, int* editable)
{
    if (!value || !editable) return;
    Area_Add_Check_Box(area, x + 20, y, "", 0, WHITE_CI, value, editable);
    const char* image = *editable ? (*value ? on : off) : (*value ? on_inactive : off_inactive);
    if (image) Area_Add_Bitmap(area, image, x, y - 10, x + 11, y + 1, WHITE_CI);
}

void Form_Add_Hover_Cell(int area, int x, int y, int height, int width, int valign, int halign, const char* image,
                         const char* inactive_image, const char* hover_image, const char* inactive_hover_image,
                         int key_colour, int value, int* target, int editable)
{
    if (!Form_Hover_Installed()) return;
    Form_Add_Image_Cell(area, x, y, height, width, valign, halign, image, inactive_image, key_colour, value, target,
                        editable);
    const char* normal = editable ? image : inactive_image;
    const char* hover = editable ? hover_image : inactive_hover_image;
    if (!hover) return;
    Form_Hover_Cell cell{};
    cell.hover_area = Form_Hover_Area();
    std::snprintf(cell.normal_image, sizeof cell.normal_image, "%s", normal ? normal : "");
    std::snprintf(cell.hover_image, sizeof cell.hover_image, "%s", hover);
    Anchor(x, y, width, height, valign, halign, &cell.x1, &cell.y1);
    cell.x2 = cell.x1 + width - 1;
    cell.y2 = cell.y1 + height - 1;
    cell.key_colour = key_colour;
    Form_Enter_Hover_Cell(cell);
}

// ---- Buttons ----------------------------------------------------------------------------

int Form_Add_Clear_Button(int x, int y, const char* tip, int value, int* target, int* editable)
{
    const int area = Form_Get_Area();
    if (area < 0) return 0;
    Area_Add_Bitmap_Button(area, x, y, 51, 36, "SniGrImportButton.bmp", 36, Nearest_RGB_Color(198, 222, 228), 18,
                           tip, value, target, editable);
    Form_Set_Last_Widget(x, y, x + 51, y + 36, editable);
    return 51 + Form_Label(x + 51, y + 12, ".... alle Lastkollektive l\x94schen", editable);
}

int Form_Add_Component_Import_Button(int x, int y, const char* text, int value, int* target, int* editable)
{
    const int area = Form_Get_Area();
    if (area < 0) return 0;
    static int active = 0;
    active = (editable && *editable && Check_Force_Selection_Tool()) ? 1 : 0;
    int end = x + Form_Label_Printf(x, y, "%s", text ? text : "Lagergr\x94\xE1" "en importieren aus");
    if (active) {
        Area_Add_Bitmap(area, "SniQ7.bmp", end, y - 12, end + 54, y + 1, WHITE_CI);
        end += 55 + 3;
        end += Form_Label(end, y, "Programmen ...", &active);
    }
    const int bx = end + 3;
    Area_Add_Bitmap_Button(area, bx, y - 23, 51, 33, "SniGrImportButton.bmp", 0, WHITE_CI, 18,
                           "Werte aus ZAV-Bauteil\nimportieren", value, target, &active);
    Form_Set_Last_Widget(bx, y - 23, bx + 51, y + 10, &active);
    return bx + 51 + 3 - x;
}

int Form_Add_File_Import_Button(int x, int y, const char* text, int value, int* target, int* editable)
{
    const int area = Form_Get_Area();
    if (area < 0) return 0;
    const int end = x + Form_Label_Printf(x, y, "%s Datei ...", text ? text : "Lastkollektive importieren aus");
    const int bx = end + 3;
    Area_Add_Bitmap_Button(area, bx, y - 16, 51, 36, "SniGrImportButton.bmp", 76, WHITE_CI, 18,
                           "Werte aus ASCII-Datei\nimportieren", value, target, editable);
    Form_Set_Last_Widget(bx, y - 16, bx + 51, y + 20, editable);
    return bx + 51 - x;
}

int Form_Add_Browse_Button(int x, int y, int value, int* target, int* editable)
{
    const int area = Form_Get_Area();
    if (area < 0) return 0;
    Area_Add_Bitmap_Button(area, x, y, 38, 38, "deskbuts.bmp", 250, WHITE_CI, 18, "Aufruf Eplorer um Datei zu finden",
                           value, target, editable);
    Form_Set_Last_Widget(x, y, x + 38, y + 38, editable);
    return 38;
}

namespace {

void Text_Button(int area, int x, int y, int w, int valign, int halign, const char* text, int value, int* target,
                 int editable, bool images, int text_colour, int frame_colour)
{
    if (!Form_Hover_Installed() || area < 0) return;
    int x1, y1;
    Anchor(x, y, w - 1, 18, valign, halign, &x1, &y1);
    const int x2 = x1 + w - 1, y2 = y1 + 17;
    if (images)
        Area_Add_Bitmap(area, editable ? "textbuttonbg.bmp" : "TextButtonBgInaktive.bmp", x1, y1, x2, y2, WHITE_CI);
    Frame(area, x1, y1, x2, y2, frame_colour);
    if (!text) text = "";
    Pop_RFont(0);
    const int tw = Get_Text_Width_Px(text);
    Push_RFont();
    const int tx = x1 + (w - tw) / 2, ty = y1 + 14;
    Area_Add_Text(area, tx, ty, text, 0, text_colour, 0);
    Form_Hover_Cell cell{};
    cell.hover_area = Form_Hover_Area();
    if (images) {
        std::snprintf(cell.normal_image, sizeof cell.normal_image, "%s",
                      editable ? "TextButtonBg.bmp" : "TextButtonBgInaktive.bmp");
        std::snprintf(cell.hover_image, sizeof cell.hover_image, "%s",
                      editable ? "TextButtonBg_ro.bmp" : "TextButtonBgInaktive_ro.bmp");
    }
    cell.x1 = x1;
    cell.y1 = y1;
    cell.x2 = x2;
    cell.y2 = y2;
    cell.key_colour = WHITE_CI;
    std::snprintf(cell.text, sizeof cell.text, "%s", text);
    cell.font = editable ? 0x10000 : 0;
    cell.text_x = tx;
    cell.text_y = ty;
    cell.text_colour = text_colour;
    Form_Enter_Hover_Cell(cell);
    if (editable && target) {
        Area_Add_Click_Cell(area, x1, y1, x2, y2, value, target);
        Area_Set_Click_Cursor(area, 18);
    }
}

} // namespace

void Form_Add_Text_Button(int area, int x, int y, int w, int valign, int halign, const char* text, int value,
                          int* target, int editable)
{
    Text_Button(area, x, y, w, valign, halign, text, value, target, editable, true,
                editable ? BLACK_CI : Nearest_RGB_Color(198, 195, 198),
                editable ? Nearest_RGB_Color(144, 144, 144) : Nearest_RGB_Color(196, 196, 196));
}

void Form_Add_Framed_Button(int area, int x, int y, int w, int valign, int halign, int text_colour,
                            int frame_colour, int, const char* text, int value, int* target, int editable)
{
    Text_Button(area, x, y, w, valign, halign, text, value, target, editable, false,
                editable ? text_colour : Nearest_RGB_Color(198, 195, 198),
                editable ? frame_colour : Nearest_RGB_Color(196, 196, 196));
}

// ---- Tips -------------------------------------------------------------------------------

void Form_Add_Tip(const char* text, int placement, int alignment)
{
    if (!Form_Hover_Installed() || form_last_widget.editable == 0) return;
    Form_Tip tip{};
    tip.hover_area = Form_Hover_Area();
    tip.x1 = form_last_widget.x1;
    tip.x2 = form_last_widget.x2;
    tip.y1 = form_last_widget.y1;
    tip.y2 = form_last_widget.y2;
    tip.placement = placement;
    tip.alignment = alignment;
    int widest = 0;
    if (text && *text) {
        const char* p = text;
        while (*p && tip.lines < 5) {
            int n = 0;
            while (p[n] && p[n] != '\n' && n < 99) ++n;
            std::memcpy(tip.text[tip.lines], p, static_cast<size_t>(n));
            tip.text[tip.lines][n] = 0;
            widest = std::max(widest, Form_Label_Width(tip.text[tip.lines], 4096));
            ++tip.lines;
            p += n;
            if (*p == '\n') ++p;
        }
    }
    tip.width = widest + 6;
    tip.height = 12 * tip.lines + 6;
    Form_Enter_Tip(tip);
}

// ---- World ------------------------------------------------------------------------------

void Form_Set_World(double x0, double y0, double angle, double scale)
{
    world.x0 = x0;
    world.y0 = y0;
    world.angle = angle;
    world.scale = scale;
}
double Form_Get_World_Scale() { return world.scale; }
void Form_Set_World_Lines(int on) { world.lines = on; }

void Form_World_To_Area(double* x, double* y)
{
    if (!x || !y) return;
    const double c = std::cos(world.angle), s = std::sin(world.angle);
    const double u = world.scale * *x - world.x0, v = world.scale * *y - world.y0;
    *x = u * c + v * s;
    *y = -u * s + v * c;
}

void Form_Area_To_World(double* x, double* y)
{
    if (!x || !y || world.scale == 0.0) return;
    const double c = std::cos(world.angle), s = std::sin(world.angle);
    const double X = *x, Y = *y;
    *x = (X * c + world.x0 - Y * s) / world.scale;
    *y = (X * s + Y * c + world.y0) / world.scale;
}

double Form_World_Distance(double x1, double y1, double x2, double y2)
{
    Form_World_To_Area(&x1, &y1);
    Form_World_To_Area(&x2, &y2);
    return std::hypot(x2 - x1, y2 - y1);
}

void Form_World_Line(double x1, double y1, double x2, double y2)
{
    const int area = Form_Get_Area();
    if (area < 0 || world.lines != 1) return;
    int a, b, c, d;
    Map(x1, y1, &a, &b);
    Map(x2, y2, &c, &d);
    Area_Add_Line(area, a, b, c, d, Form_Get_Text_Colour());
}

void Form_World_Rect(double x1, double y1, double x2, double y2)
{
    Form_World_Line(x1, y1, x2, y1);
    Form_World_Line(x2, y1, x2, y2);
    Form_World_Line(x2, y2, x1, y2);
    Form_World_Line(x1, y2, x1, y1);
}

void Form_World_Box(double x1, double y1, double x2, double y2)
{
    const int area = Form_Get_Area();
    if (area < 0) return;
    int a, b, c, d;
    Map(x1, y1, &a, &b);
    Map(x2, y2, &c, &d);
    Area_Add_Box(area, std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d), Form_Get_Ground_Colour());
}

void Form_World_Polyline(int n, const double x[], const double y[])
{
    if (!x || !y) return;
    for (int i = 1; i < n; ++i) Form_World_Line(x[i - 1], y[i - 1], x[i], y[i]);
}

void Form_World_Circle(double xc, double yc, double r)
{
    for (int k = 0; k < 72; ++k) {
        const double a = kFiveDegrees * k, b = kFiveDegrees * (k + 1);
        Form_World_Line(xc + r * std::cos(a), yc + r * std::sin(a), xc + r * std::cos(b), yc + r * std::sin(b));
    }
}

void Form_World_Arc(double xc, double yc, double r, double a1, double a2)
{
    if (a2 <= a1) return;
    double px = xc + r * std::cos(a1), py = yc + r * std::sin(a1);
    for (double a = a1 + kFiveDegrees; a < a2; a += kFiveDegrees) {
        const double qx = xc + r * std::cos(a), qy = yc + r * std::sin(a);
        Form_World_Line(px, py, qx, qy);
        px = qx;
        py = qy;
    }
}

void Form_World_Disc(double xc, double yc, double r)
{
    const double step = r < 10.0 ? 0.09817477042468103 : r < 100.0 ? 0.04908738521234052 : 0.02454369260617026;
    for (double a = 0.0; a < 1.5707963267948966; a += step)
        Form_World_Box(xc + r * std::sin(a), yc + r * std::cos(a), xc - r * std::sin(a), yc - r * std::cos(a));
}

void Form_World_Polygon(int n, const double x[], const double y[])
{
    const int area = Form_Get_Area();
    if (area < 0 || n < 1 || !x || !y) return;
    Polygon_Pool& pool = polygon_pools[area];
    if (pool.serial != Form_Build_Serial(area)) {
        pool.outlines.clear();
        pool.serial = Form_Build_Serial(area);
    }
    auto outline = std::make_unique<Polygon_Outline>();
    outline->x.resize(n);
    outline->y.resize(n);
    int max_x = 0, max_y = 0;
    for (int i = 0; i < n; ++i) {
        Map(x[i], y[i], &outline->x[i], &outline->y[i]);
        if (i == 0) {
            outline->min_x = max_x = outline->x[0];
            outline->min_y = max_y = outline->y[0];
        }
        outline->min_x = std::min(outline->min_x, outline->x[i]);
        outline->min_y = std::min(outline->min_y, outline->y[i]);
        max_x = std::max(max_x, outline->x[i]);
        max_y = std::max(max_y, outline->y[i]);
    }
    outline->colour = Form_Get_Ground_Colour();
    Polygon_Outline* p = outline.get();
    pool.outlines.push_back(std::move(outline));
    Area_Add_Custom(area, p->min_x, p->min_y, max_x, max_y, p, Draw_Polygon_Item);
}

void Form_World_Dimension(int mode, double x1, double y1, double x2, double y2, double offset)
{
    const int area = Form_Get_Area();
    if (area < 0) return;
    // Measured along x (mode 0) or y (mode 1) from the first point, else along the segment.
    if (mode == 0) y2 = y1;
    else if (mode == 1) x2 = x1;
    const double a = Get_Segment_Angle(x1, y1, x2, y2);
    double px[8] = {x1, x2}, py[8] = {y1, y2};
    Transform_Points(px, py, 2, 0.0, 0.0, a, 1.0);
    const double s = world.scale != 0.0 ? std::fabs(world.scale) : 1.0;
    const double h = 2.5 / s;  // half a stroke of 5 pixels
    const double X1 = px[0], X2 = px[1], Y = py[0] + offset;
    // The dimension line, and a 45-degree stroke through each end.
    px[0] = X1, py[0] = Y;
    px[1] = X2, py[1] = Y;
    px[2] = X1 - h, py[2] = Y - h;
    px[3] = X1 + h, py[3] = Y + h;
    px[4] = X2 - h, py[4] = Y - h;
    px[5] = X2 + h, py[5] = Y + h;
    Transform_Points(px, py, 6, 0.0, 0.0, -a, 1.0);
    int ix[6], iy[6];
    for (int i = 0; i < 6; ++i) Map(px[i], py[i], &ix[i], &iy[i]);
    const int colour = Form_Get_Text_Colour();
    Area_Add_Line(area, ix[0], iy[0], ix[1], iy[1], colour);
    Area_Add_Line(area, ix[2], iy[2], ix[3], iy[3], colour);
    Area_Add_Line(area, ix[4], iy[4], ix[5], iy[5], colour);
}

int Form_Label_Underlined(int x, int y, const char* text, int* editable)
{
    if (Form_Get_Area() < 0 || !text) return 0;
    const int w = Form_Label_Width(text, Form_Get_Font());
    Form_World_Line(x - 2, y + 3, x + w + 2, y + 3);
    Form_Label(x, y, text, editable);
    return w + 4;
}

int Form_Label_Boxed(int x, int y, const char* text, int* editable)
{
    if (Form_Get_Area() < 0 || !text) return 0;
    const int w = Form_Label_Width(text, Form_Get_Font());
    Form_World_Box(x - 3, y + 5, x + w + 3, y - 12);
    Form_Label(x, y, text, editable);
    return w + 6;
}

int Form_Label_Boxed_Shadow(int x, int y, const char* text, int* editable)
{
    if (Form_Get_Area() < 0 || !text) return 0;
    const int w = Form_Label_Width(text, Form_Get_Font() | 0x20000);
    Form_World_Box(x - 3, y + 5, x + w + 3, y - 12);
    Form_Label_Shadow(x, y, text, editable);
    return w + 6;
}

// ---- Factor rows ------------------------------------------------------------------------

namespace {

void Default_Entry(Factor_Entry* e, int x)
{
    std::memset(e, 0, sizeof *e);
    std::snprintf(e->name, sizeof e->name, "Welcher Faktor ?");
    std::snprintf(e->symbol, sizeof e->symbol, "???");
    std::snprintf(e->value_text, sizeof e->value_text, "???");
    e->x = x;
    e->decimals = 6;
    e->width = 63;
    e->gap = 5;
}

} // namespace

void Factor_Row_Init(Factor_Row* row, int n)
{
    if (!row) return;
    std::memset(row, 0, sizeof *row);
    row->switch_a = row->switch_b = 1;
    row->min_width = -1;
    n = std::max(n, 0);
    if (n > 0) {
        row->entries = static_cast<Factor_Entry*>(Realloc_Or_Exit(nullptr, sizeof(Factor_Entry) * n, 1));
        for (int i = 0; i < n; ++i) Default_Entry(&row->entries[i], 68 * i);
    }
    row->count = n;
}

void Factor_Row_Init_Into(Factor_Row* row, int n, Factor_Entry** entries)
{
    Factor_Row_Init(row, n);
    if (entries) *entries = row ? row->entries : nullptr;
}

void Factor_Row_Free(Factor_Row* row)
{
    if (!row) return;
    std::free(row->entries);
    row->entries = nullptr;
    row->count = 0;
}

int Factor_Row_Width(const Factor_Row* row)
{
    if (!row) return 0;
    int w = row->left + 8;
    for (int i = 0; i < row->count; ++i) w += row->entries[i].width + row->entries[i].gap;
    return w;
}

void Factor_Row_Add(Factor_Row* row, const char* name, const char* symbol, const char* subscript,
                    const char* value_text, int decimals, int width, int gap)
{
    if (!row) return;
    const int x = Factor_Row_Width(row);
    row->entries = static_cast<Factor_Entry*>(
        Realloc_Or_Exit(row->entries, sizeof(Factor_Entry) * static_cast<size_t>(row->count + 1), 0));
    Factor_Entry* e = &row->entries[row->count++];
    std::memset(e, 0, sizeof *e);
    std::snprintf(e->name, sizeof e->name, "%s", name ? name : "");
    std::snprintf(e->symbol, sizeof e->symbol, "%s", symbol ? symbol : "");
    std::snprintf(e->subscript, sizeof e->subscript, "%s", subscript ? subscript : "");
    std::snprintf(e->value_text, sizeof e->value_text, "%s", value_text ? value_text : "");
    e->x = x;
    e->decimals = decimals;
    e->width = width;
    e->gap = gap;
}

void Form_Draw_Factor_Heads(int x, int y, int n, const Factor_Entry* entries)
{
    if (Form_Get_Area() < 0 || !entries) return;
    bool values = false;
    for (int i = 0; i < n; ++i) values = values || entries[i].value_text[0];
    Form_Set_Font(0x11000);
    Form_Set_Text_Colour(BLACK_CI);
    for (int i = 0; i < n; ++i) {
        const Factor_Entry& e = entries[i];
        Form_Label_Sub_Aligned(x + e.x + e.width / 2, values ? y - 31 : y - 16, e.symbol,
                               e.subscript[0] ? e.subscript : nullptr, 2, 4, nullptr);
    }
    Form_Set_Font(4096);
    Form_Set_Text_Colour(Nearest_RGB_Color(160, 160, 164));
    for (int i = 0; i < n; ++i) {
        const Factor_Entry& e = entries[i];
        if (e.value_text[0]) Form_Label_Aligned(x + e.x + e.width / 2, y - 15, e.value_text, 2, 4, nullptr);
    }
    Form_Set_Font(4096);
    Form_Set_Text_Colour(BLACK_CI);
    Form_Set_World_Lines(1);
}

void Form_Draw_Factor_Row(int x, int y, const Factor_Row* row)
{
    if (!row || Form_Get_Area() < 0) return;
    Form_Draw_Factor_Heads(x + row->left, y, row->count, row->entries);
    // A rule under the heads, at least the row's minimum width long.
    const int w = std::max(Factor_Row_Width(row) - row->left, row->min_width);
    Area_Add_Line(Form_Get_Area(), x + row->left, y - 10, x + row->left + w, y - 10,
                  Nearest_RGB_Color(160, 160, 164));
}

void Form_Draw_Factor_Legend(int x, int y, int n, const Factor_Entry* entries)
{
    if (Form_Get_Area() < 0 || !entries) return;
    Form_Set_Font(4096);
    const int colour = Form_Get_Text_Colour();
    Form_Set_Text_Colour(Nearest_RGB_Color(128, 128, 128));
    int line = 0;
    for (int i = 0; i < n; ++i) {
        const Factor_Entry& e = entries[i];
        if (!e.name[0]) continue;
        const int ly = y + 18 * line++;
        if (e.subscript[0])
            Form_Label_Sub(x, ly, e.symbol, e.subscript, nullptr);
        else
            Form_Label(x, ly, e.symbol, nullptr);
        const int offset = std::max(50, 8 * static_cast<int>(std::strlen(e.symbol)) +
                                            6 * static_cast<int>(std::strlen(e.subscript)) + 5);
        Form_Label(x + offset, ly, e.name, nullptr);
    }
    Form_Set_Text_Colour(colour);
}
