#include "report/plot_lines.h"

#include <cmath>

#include "base/point_arrays.h"
#include "base/utilities.h"
#include "report/drawing_file.h"
#include "report/plot_areas.h"
#include "report/plot_label_room.h"
#include "report/plot_state.h"

namespace {

void Write_Line_Record(double x1, double y1, double x2, double y2)
{
    const Plot_State& s = plot_state;
    const double r[4] = {x1 * s.x_scale, y1 * s.y_scale, x2 * s.x_scale, y2 * s.y_scale};
    Plot_Hold_Line(r[0], r[1], r[2], r[3]);
    Write_If_Open(s.plot_graphic_stream, " 1  %lf %lf %lf %lf\n", r[0], r[1], r[2], r[3]);
}

}  // namespace

void Plot_Draw_Line(double x1, double y1, double x2, double y2)
{
    Plot_Widen_Bounding_Box(x1, y1);
    Plot_Widen_Bounding_Box(x2, y2);
    Plot_Turn_Point(&x1, &y1);
    Plot_Turn_Point(&x2, &y2);
    Write_Line_Record(x1, y1, x2, y2);
    Plot_File_Line(x1, y1, x2, y2);
}

void Plot_Draw_Polyline(int n, const double x[], const double y[])
{
    const bool closed = n > 0;
    const int count = closed ? n : -n;
    if (count < 2) return;
    for (int i = 0; i + 1 < count; ++i) Plot_Draw_Line(x[i], y[i], x[i + 1], y[i + 1]);
    if (closed) Plot_Draw_Line(x[count - 1], y[count - 1], x[0], y[0]);
}

void Plot_Draw_Rectangle(double x1, double y1, double x2, double y2)
{
    Plot_Draw_Line(x1, y1, x1, y2);
    Plot_Draw_Line(x1, y2, x2, y2);
    Plot_Draw_Line(x2, y2, x2, y1);
    Plot_Draw_Line(x2, y1, x1, y1);
}

void Plot_Draw_Centred_Rectangle(double x, double y, double width, double height)
{
    Plot_Draw_Rectangle(x - width / 2.0, y - height / 2.0, x + width / 2.0, y + height / 2.0);
}

void Plot_Draw_Arrow(double x1, double y1, double x2, double y2, double head_length,
                     double head_width)
{
    // The head in the shaft's own frame (tip at the origin, shaft along +x), turned back.
    const double angle = std::atan2(y2 - y1, x2 - x1);
    double hx[2] = {head_length, head_length};
    double hy[2] = {head_width / 2.0, -head_width / 2.0};
    Untransform_Points(hx, hy, 2, x1, y1, angle, 1.0);
    Plot_Begin_Group();
    Plot_Draw_Line(x1, y1, x2, y2);
    Plot_Draw_Line(x1, y1, hx[0], hy[0]);
    Plot_Draw_Line(x1, y1, hx[1], hy[1]);
    Plot_End_Group();
}

void Plot_Draw_Thick_Line(double x1, double y1, double x2, double y2, double width,
                          int outline)
{
    const double angle = std::atan2(y2 - y1, x2 - x1);
    const double length = std::hypot(x2 - x1, y2 - y1);
    const double half = width / 2.0;
    double cx[4] = {0.0, length, length, 0.0};
    double cy[4] = {-half, -half, half, half};
    Untransform_Points(cx, cy, 4, x1, y1, angle, 1.0);
    if (plot_state.colour_output) {
        double fx[4] = {cx[0], cx[1], cx[2], cx[3]};
        double fy[4] = {cy[0], cy[1], cy[2], cy[3]};
        Plot_Fill_Quad(fx, fy);
    }
    if (outline) Plot_Draw_Polyline(4, cx, cy);
}

void Plot_Draw_Line_Record(double x, double y, double dx1, double dy1, double dx2,
                           double dy2)
{
    double ax = x + dx1, ay = y + dy1, bx = x + dx2, by = y + dy2;
    Plot_Turn_Point(&ax, &ay);
    Plot_Turn_Point(&bx, &by);
    Write_Line_Record(ax, ay, bx, by);
}
