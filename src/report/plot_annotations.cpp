#include "report/plot_annotations.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/plane_geometry.h"
#include "base/point_arrays.h"
#include "base/utilities.h"
#include "report/drawing_file.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_symbol_records.h"
#include "report/plot_texts.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Width of a character of the annotation texts, in text heights.
constexpr double kCharWidthFactor = 0.8;

const char* const kGradeNames[] = {"BSt 220/340", "BSt 420S", "BSt 500S"};
const int kDiametersMm[] = {6, 8, 12, 14, 16, 18, 20, 22, 25, 28};

// The text centred on the middle (mx, my) of the line, offset (record units) to the left
// of the line's direction (c, s).
void Write_Along(double mx, double my, double c, double s, double offset, const char* text)
{
    const double d = offset / plot_state.y_scale;
    Plot_Write_Text_Centred_Angled(mx - s * d, my + c * d, text);
}

double* New_Zeroed(int n)
{
    if (n < 1) return nullptr;
    return static_cast<double*>(Realloc_Or_Exit(nullptr, sizeof(double) * static_cast<size_t>(n), 1));
}

}  // namespace

const char* Plot_Rebar_Grade_Name(int index)
{
    if (index < 0 || index > 2) return "";
    return kGradeNames[index];
}

int Plot_Rebar_Diameter_Mm(int index)
{
    if (index < 0 || index > 9) return 0;
    return kDiametersMm[index];
}

int Plot_Draw_Rebar_Annotation(double x1, double y1, double x2, double y2, double size,
                               int grade_index, int diameter_index, double area,
                               double spacing, double cover, double v_value, int number)
{
    if (!(Get_Distance(x1, y1, x2, y2) >= 5.0)) return 0;
    Plot_State& ps = plot_state;
    Plot_Begin_Group();
    // The annotation is laid out in the turned frame and drawn without a rotation of its own.
    double px[2] = {x1, x2}, py[2] = {y1, y2};
    Transform_Points(px, py, 2, 0.0, 0.0, ps.rotation, 1.0);
    ps.rotation = 0.0;
    const bool file = ps.plot_file_stream != nullptr;

    plot_records::Pen_Class(1);
    if (file) Plot_Set_Pen(1);
    Plot_Set_Dash_Style(0);
    if (file) Plot_Set_Line_Type(0);

    const double xs = ps.x_scale, ys = ps.y_scale;
    const double a = Get_Segment_Angle(px[0], py[0], px[1], py[1]);
    const double c = std::cos(a), s = std::sin(a);
    Plot_Draw_Line(px[0] - c * size / xs, py[0] - s * size / ys, px[1] + c * size / xs,
                   py[1] + s * size / ys);
    for (int i = 0; i < 2; ++i)
        Plot_Draw_Line(px[i] - 6.0 * s * size / xs, py[i] + 6.0 * c * size / ys,
                       px[i] + 4.4 * s * size / xs, py[i] - 4.4 * c * size / ys);
    const double tick = 0.6 * std::sqrt(2.0) * size;
    const double tx = tick * std::cos(a + kPi / 4.0) / xs;
    double ty = tick * std::sin(a + kPi / 4.0) / ys;
    if (ps.y_backwards) ty = -ty;
    for (int i = 0; i < 2; ++i) Plot_Draw_Line(px[i] - tx, py[i] - ty, px[i] + tx, py[i] + ty);

    Plot_Set_Text_Angle(a);
    if (file) Plot_Set_Font(2);
    const double height = 2.1 * size;
    plot_records::Text_Height(height);
    plot_records::Record_8(6);

    const double mx = 0.5 * (px[0] + px[1]), my = 0.5 * (py[0] + py[1]);
    char text[128];
    std::snprintf(text, sizeof text, "%5.2f cm\xFD", area);
    Write_Along(mx, my, c, s, 1.6 * size, text);

    std::snprintf(text, sizeof text, "   %d/%4.1f", Plot_Rebar_Diameter_Mm(diameter_index), spacing);
    {
        // The glyph stands in the blanks that open the text.
        const double d = 4.8 * size / ys;
        double rx, ry;
        Plot_Point_To_Record(mx - s * d, my + c * d, &rx, &ry);
        const double along = (1.5 - 0.5 * static_cast<double>(std::strlen(text))) *
                             kCharWidthFactor * height;
        plot_records::Glyph(rx + along * std::cos(ps.text_angle),
                            ry + along * std::sin(ps.text_angle), "DURCHM.OCM");
    }
    Write_Along(mx, my, c, s, 4.8 * size, text);

    plot_records::Text_Height(1.8 * size);
    std::snprintf(text, sizeof text, "C=%.0fcm V=%.0f", cover * 100.0, v_value);
    Write_Along(mx, my, c, s, -1.6 * size, text);

    if (number < 1)
        std::snprintf(text, sizeof text, "%s", Plot_Rebar_Grade_Name(grade_index));
    else
        std::snprintf(text, sizeof text, "%s Nr. %i", Plot_Rebar_Grade_Name(grade_index), number);
    Write_Along(mx, my, c, s, -4.0 * size, text);

    Plot_End_Group();
    return 1;
}

void Plot_Write_Drawing_Text_Block(double x, double y, int number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    Plot_File_Open_Group();
    for (int i = 0; i < 4; ++i) Plot_Write_Text_Plain(x + 0.01 * i, y, text);
    Plot_File_Close_Group();
}

// ---------------------------------------------------------------------------------
// Member diagrams

void Member_Diagram_Init(Member_Diagram* diagram, int n)
{
    if (diagram == nullptr) return;
    if (n < 0) n = 0;
    diagram->x1 = diagram->y1 = diagram->x2 = diagram->y2 = 0.0;
    diagram->side = 0;
    diagram->fill_index = 11;
    diagram->member_pen = 1;
    diagram->outline_pen = 2;
    diagram->n = n;
    diagram->positions = New_Zeroed(n);
    diagram->values = New_Zeroed(n);
    diagram->value_scale = 1.0;
    diagram->decimals = 2;
    diagram->text_height = 0.25;
    diagram->first_letter = 'A';
}

void Member_Diagram_Copy(Member_Diagram* destination, const Member_Diagram* source)
{
    if (destination == nullptr || source == nullptr || destination == source) return;
    Member_Diagram_Free(destination);
    *destination = *source;
    destination->positions = nullptr;
    destination->values = nullptr;
    const int n = source->n > 0 ? source->n : 0;
    destination->n = n;
    if (n > 0 && source->positions != nullptr && source->values != nullptr) {
        Copy_Doubles_Alloc(n, &destination->positions, source->positions);
        Copy_Doubles_Alloc(n, &destination->values, source->values);
    } else {
        destination->n = 0;
    }
}

void Member_Diagram_Free(Member_Diagram* diagram)
{
    if (diagram == nullptr) return;
    Free_And_Null(reinterpret_cast<void**>(&diagram->positions));
    Free_And_Null(reinterpret_cast<void**>(&diagram->values));
    diagram->n = 0;
}

void Plot_Draw_Member_Diagram(const Member_Diagram* d)
{
    if (d == nullptr || d->n < 1 || d->positions == nullptr || d->values == nullptr) return;
    const double xs = plot_state.x_scale, ys = plot_state.y_scale;
    const double ax = d->x1 * xs, ay = d->y1 * ys;
    const double length = std::hypot(d->x2 * xs - ax, d->y2 * ys - ay);
    if (!(length >= 0.1)) return;
    const double drawing_length = std::hypot(d->x2 - d->x1, d->y2 - d->y1);
    const double angle = std::atan2(d->y2 * ys - ay, d->x2 * xs - ax);
    const double side = d->side == 0 ? 1.0 : -1.0;
    const int n = d->n;

    // Points in the member's own frame (record units along and across the member) and
    // their drawing coordinates.
    auto to_drawing = [&](std::vector<double>& u, std::vector<double>& v) {
        Untransform_Points(u.data(), v.data(), static_cast<int>(u.size()), ax, ay, angle, 1.0);
        for (size_t i = 0; i < u.size(); ++i) {
            u[i] /= xs;
            v[i] /= ys;
        }
    };
    std::vector<double> along(n), across(n);
    for (int i = 0; i < n; ++i) {
        along[i] = d->positions[i] * length / drawing_length;
        across[i] = side * d->values[i] * d->value_scale;
    }

    Plot_Begin_Group();
    plot_records::Pen_Class(d->member_pen);
    Plot_Set_Dash_Style(0);
    Plot_Draw_Line(d->x1, d->y1, d->x2, d->y2);

    std::vector<double> ox(n + 2), oy(n + 2);
    ox[0] = along[0];
    oy[0] = 0.0;
    for (int i = 0; i < n; ++i) {
        ox[i + 1] = along[i];
        oy[i + 1] = across[i];
    }
    ox[n + 1] = along[n - 1];
    oy[n + 1] = 0.0;
    to_drawing(ox, oy);
    std::vector<double> fx = ox, fy = oy;
    Plot_Set_Fill_Index(d->fill_index);
    Plot_Fill_Polygon_If_Colour(n + 2, fx.data(), fy.data());
    plot_records::Pen_Class(d->outline_pen);
    Plot_Draw_Polyline(n + 2, ox.data(), oy.data());

    if (n > 2) {
        Plot_Set_Dash_Style(1);
        for (int i = 1; i < n - 1; ++i) {
            if (across[i] == 0.0) continue;
            std::vector<double> u = {along[i], along[i]}, v = {0.0, across[i]};
            to_drawing(u, v);
            Plot_Draw_Line(u[0], v[0], u[1], v[1]);
        }
        Plot_Set_Dash_Style(0);
    }

    const int decimals = d->decimals < 0 ? 0 : (d->decimals > 9 ? 9 : d->decimals);
    char format[16];
    std::snprintf(format, sizeof format, "%%.%df", decimals);
    plot_records::Text_Height(d->text_height);
    for (int i = 0; i < n; ++i) {
        const double outwards = across[i] < 0.0 ? -1.0 : (across[i] > 0.0 ? 1.0 : side);
        std::vector<double> u = {along[i]}, v = {across[i] + outwards * 0.6 * d->text_height};
        to_drawing(u, v);
        char label[64];
        std::snprintf(label, sizeof label, format, d->values[i]);
        Plot_Write_Text_Centred(u[0], v[0], label);
    }

    if (d->first_letter > 0) {
        const double r = 0.75 * d->text_height;
        const double centres[2] = {-(r + 0.05), length + r + 0.05};
        for (int e = 0; e < 2; ++e) {
            std::vector<double> u = {centres[e]}, v = {0.0};
            to_drawing(u, v);
            const double diameter = 2.0 * r / xs;
            Plot_Set_Fill_Index(0);
            Plot_Fill_Disc(u[0], v[0], diameter);
            Plot_Draw_Arc(u[0], v[0], diameter, 0.0, 360.0);
            char letter[8];
            std::snprintf(letter, sizeof letter, "%c", static_cast<char>(d->first_letter + e));
            Plot_Write_Text_Centred(u[0], v[0], letter);
        }
    }
    Plot_End_Group();
}
