#include "report/plot_areas.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/point_arrays.h"
#include "base/utilities.h"
#include "report/drawing_file.h"
#include "report/plot_colour_records.h"
#include "report/plot_label_room.h"
#include "report/plot_state.h"

namespace {

constexpr double kDiscStep = 0.19634954084936207;  // pi / 16

FILE* Graphic() { return plot_state.plot_graphic_stream; }

bool File_Takes_Areas()
{
    return plot_state.plot_file_stream != nullptr && plot_state.filling >= 0;
}

void Widen_By_Extremes(int n, const double x[], const double y[])
{
    Plot_Widen_Bounding_Box(*std::min_element(x, x + n), *std::min_element(y, y + n));
    Plot_Widen_Bounding_Box(*std::max_element(x, x + n), *std::max_element(y, y + n));
}

// Record 18 of the record values (x, y pairs), without its line end; the label placement
// is told them first.
void Write_Polygon_Record(const std::vector<double>& values)
{
    const int n = static_cast<int>(values.size() / 2);
    Plot_Hold_Polygon(n, values.data());
    Write_If_Open(Graphic(), " 18 %d", n);
    for (int i = 0; i < n; ++i) Write_If_Open(Graphic(), " %lf %lf", values[2 * i], values[2 * i + 1]);
}

// Record 18 of n turned points, without its line end.
void Write_Polygon_Points(int n, const double x[], const double y[])
{
    const Plot_State& s = plot_state;
    std::vector<double> values;
    for (int i = 0; i < n; ++i) values.insert(values.end(), {x[i] * s.x_scale, y[i] * s.y_scale});
    Write_Polygon_Record(values);
}

// The points k = first, first + step, ... up to last (inclusive) of the circle of radius
// r about the turned centre (x, y), at k sixteenths of a half turn, as record values.
void Add_Circle_Points(double x, double y, double r, int first, int last, int step, std::vector<double>& values)
{
    const Plot_State& s = plot_state;
    for (int k = first; step > 0 ? k <= last : k >= last; k += step)
        values.insert(values.end(), {(x + r * std::cos(k * kDiscStep)) * s.x_scale,
                                     (y + r * std::sin(k * kDiscStep)) * s.y_scale});
}

// Two half-circle edges of radius r about the turned centre (x, y), from the top to the
// bottom and back.
void Write_Circle_Rows(FILE* f, double x, double y, double r)
{
    Plot_State& s = plot_state;
    const int e = s.next_entity_number, p = s.next_point_number;
    const double fy = Plot_File_Y(y);
    std::fprintf(f, " 0 ( @%d ( @%d %lf %lf ) #%d %d 0 0 %lf )\n", e, p, x, fy + r, p + 1,
                 s.pen, r);
    std::fprintf(f, " 0 ( @%d ( @%d %lf %lf ) #%d %d 0 0 %lf )\n", e + 1, p + 1, x, fy - r, p,
                 s.pen, r);
    s.next_entity_number = e + 2;
    s.next_point_number = p + 2;
}

void Fill_Rectangle_As(int area_kind, double x1, double y1, double x2, double y2)
{
    Plot_State& s = plot_state;
    Plot_Widen_Bounding_Box(x1, y1);
    Plot_Widen_Bounding_Box(x2, y2);
    Plot_Turn_Point(&x1, &y1);
    Plot_Turn_Point(&x2, &y2);

    // (xa, ya) is the corner on the side of the window's first corner.
    double xa = x1, xb = x2, ya = y1, yb = y2;
    if (s.x_direction == 1 ? xb < xa : xb > xa) std::swap(xa, xb);
    if (s.y_mirror_mode == 2 ? yb > ya : yb < ya) std::swap(ya, yb);
    Write_If_Open(Graphic(), " 24  %lf %lf %lf %lf\n", xa * s.x_scale, yb * s.y_scale,
                  xb * s.x_scale, ya * s.y_scale);

    if (!File_Takes_Areas()) return;
    FILE* f = s.plot_file_stream;
    const double fa = Plot_File_Y(ya), fb = Plot_File_Y(yb);
    std::fprintf(f, "-area / %d %d\n %d", area_kind, s.filling, 4);
    const double cx[3] = {xa, xa, xb};
    const double cy[3] = {fa, fb, fb};
    const int first = s.next_point_number;
    for (int i = 0; i < 3; ++i) {
        const int p = s.next_point_number;
        std::fprintf(f, " 0 ( @%d ( @%d %lf %lf ) #%d %d 0 0 0.0 )\n", s.next_entity_number, p,
                     cx[i], cy[i], p + 1, s.pen);
        s.next_entity_number += 1;
        s.next_point_number += 1;
    }
    std::fprintf(f, " 0 ( @%d ( @%d %.4f %.4f ) #%d %d 0 0 0.0 )\n", s.next_entity_number,
                 s.next_point_number, xb, fa, first, s.pen);
    s.next_entity_number += 1;
    s.next_point_number += 1;
}

}  // namespace

void Plot_Fill_Polygon(int n, double x[], double y[])
{
    if (n < 1) return;
    const double rotation = plot_state.rotation;
    Widen_By_Extremes(n, x, y);
    Transform_Points(x, y, n, 0.0, 0.0, rotation, 1.0);
    Write_Polygon_Points(n, x, y);
    Write_If_Open(Graphic(), " \n");
    Plot_File_Area(n, x, y);
    Untransform_Points(x, y, n, 0.0, 0.0, rotation, 1.0);
}

void Plot_Fill_Triangle(double x[3], double y[3]) { Plot_Fill_Polygon(3, x, y); }
void Plot_Fill_Quad(double x[4], double y[4]) { Plot_Fill_Polygon(4, x, y); }

void Plot_Fill_Polygon_If_Colour(int n, double x[], double y[])
{
    if (plot_state.colour_output) Plot_Fill_Polygon(n, x, y);
}

void Plot_Fill_Rectangle(double x1, double y1, double x2, double y2)
{
    Fill_Rectangle_As(0, x1, y1, x2, y2);
}

void Plot_Fill_Centred_Rectangle(double x, double y, double width, double height)
{
    Plot_Fill_Rectangle(x - width / 2.0, y - height / 2.0, x + width / 2.0, y + height / 2.0);
}

void Plot_Fill_Area_Pattern(double x1, double y1, double x2, double y2, int fill_index,
                            int area_kind)
{
    Plot_Set_Fill_Index(fill_index);
    Fill_Rectangle_As(area_kind, x1, y1, x2, y2);
}

void Plot_Fill_Disc(double x, double y, double diameter)
{
    const Plot_State& s = plot_state;
    Plot_Widen_Bounding_Box(x - diameter, y - diameter);
    Plot_Widen_Bounding_Box(x + diameter, y + diameter);
    Plot_Turn_Point(&x, &y);
    const double r = diameter / 2.0;
    std::vector<double> values;
    Add_Circle_Points(x, y, r, 0, 31, 1, values);
    Write_Polygon_Record(values);
    Write_If_Open(Graphic(), "\n");

    if (!File_Takes_Areas()) return;
    FILE* f = s.plot_file_stream;
    Plot_File_Open_Group();
    std::fprintf(f, "-area / 0 %d\n %d", s.filling, 2);
    Write_Circle_Rows(f, x, y, r);
    Plot_File_Close_Group();
}

void Plot_Fill_Circle_Area(double x, double y, double diameter) { Plot_Fill_Disc(x, y, diameter); }

void Plot_Fill_Ring(double x, double y, double outer_diameter, double inner_diameter)
{
    const Plot_State& s = plot_state;
    const double ro = outer_diameter / 2.0, ri = inner_diameter / 2.0;
    Plot_Widen_Bounding_Box(x - ro, y - ro);
    Plot_Widen_Bounding_Box(x + ro, y + ro);
    Plot_Turn_Point(&x, &y);
    // Around the outer circle and back along the inner one, each closed.
    std::vector<double> values;
    Add_Circle_Points(x, y, ro, 0, 32, 1, values);
    Add_Circle_Points(x, y, ri, 32, 0, -1, values);
    Write_Polygon_Record(values);
    Write_If_Open(Graphic(), "\n");

    if (!File_Takes_Areas()) return;
    FILE* f = s.plot_file_stream;
    Plot_File_Open_Group();
    std::fprintf(f, "-area / 1 %d\n", s.filling);
    std::fprintf(f, " %d", 2);
    Write_Circle_Rows(f, x, y, ro);
    std::fprintf(f, " %d", 2);
    Write_Circle_Rows(f, x, y, ri);
    Plot_File_Close_Group();
}

void Plot_Fill_Contours(int contours, const int counts[], double x[], double y[])
{
    if (contours < 1 || counts == nullptr) return;
    int total = 0;
    for (int c = 0; c < contours; ++c) {
        if (counts[c] < 1) return;
        total += counts[c];
    }
    const double rotation = plot_state.rotation;
    Widen_By_Extremes(total, x, y);
    Transform_Points(x, y, total, 0.0, 0.0, rotation, 1.0);
    for (int c = 0, at = 0; c < contours; at += counts[c], ++c) {
        Write_Polygon_Points(counts[c], x + at, y + at);
        Write_If_Open(Graphic(), " \n");
    }
    if (File_Takes_Areas()) {
        FILE* f = plot_state.plot_file_stream;
        std::fprintf(f, "-area / %d %d\n", contours - 1, plot_state.filling);
        for (int c = 0, at = 0; c < contours; at += counts[c], ++c) {
            std::fprintf(f, " %d", counts[c]);
            Plot_File_Contour_Rows(counts[c], x + at, y + at);
        }
    }
    Untransform_Points(x, y, total, 0.0, 0.0, rotation, 1.0);
}
