#include "report/plot_arcs.h"

#include <cmath>
#include <vector>

#include "base/numeric.h"
#include "report/drawing_file.h"
#include "report/plot_areas.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kFourPi = 12.566370614359172;
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kFineStep = 0.09817477042468103;    // pi / 32
constexpr double kCoarseStep = 0.19634954084936207;  // pi / 16

// Beyond this many turns an angle is brought near 0 in one step instead of turn by turn.
constexpr double kManyTurns = kTwoPi * 1.0e6;

// The angles of the chain of an arc from a0 through a1 (radians): the start, every fixed
// multiple k * step between them, and the exact end. False when the angles have no
// finite value.
bool Arc_Angles(double a0, double a1, double step, std::vector<double>& angles)
{
    angles.clear();
    if (!std::isfinite(a0) || !std::isfinite(a1)) return false;
    if (a0 < -kManyTurns) a0 = std::fmod(a0, kTwoPi);
    while (a0 < 0.0) a0 += kTwoPi;
    if (a1 < a0 - kManyTurns) a1 = a0 - std::fmod(a0 - a1, kTwoPi);
    while (a1 < a0) a1 += kTwoPi;

    angles.push_back(a0);
    // Vertices on the fixed multiples of the step, whatever the start; a sweep of many
    // turns ends its vertices before 4 pi.
    for (int k = 0;; ++k) {
        const double t = k * step;
        if (a0 < t && t <= a1) angles.push_back(t);
        if (!(Round_To_Decimals(t - a1, 5) < 0.0) || !(t + step < kFourPi)) break;
    }
    angles.push_back(a1);
    return true;
}

bool Degree_Arc_Angles(double start_deg, double sweep_deg, double step,
                       std::vector<double>& angles)
{
    const double a0 = start_deg * kRadiansPerDegree;
    const double a1 = a0 + sweep_deg * kRadiansPerDegree;
    return Arc_Angles(a0, a1, step, angles);
}

double Arc_Step(double sweep_deg) { return sweep_deg <= 180.0 ? kFineStep : kCoarseStep; }

// Points of a half circle of radius r about (cx, cy) from the angle a0 through pi, in
// steps of pi/16 (17 points).
void Half_Circle(double cx, double cy, double r, double a0, double x[17], double y[17])
{
    for (int k = 0; k <= 16; ++k) {
        x[k] = cx + r * std::cos(a0 + k * kCoarseStep);
        y[k] = cy + r * std::sin(a0 + k * kCoarseStep);
    }
}

// The two half circles of a slot, counter-clockwise: 34 points of the outline.
void Slot_Outline(double x, double y, double width, double height, double px[34],
                  double py[34])
{
    constexpr double kHalfPi = 1.5707963267948966;
    if (width >= height) {
        const double r = height / 2.0, d = width / 2.0 - r;
        Half_Circle(x + d, y, r, -kHalfPi, px, py);
        Half_Circle(x - d, y, r, kHalfPi, px + 17, py + 17);
    } else {
        const double r = width / 2.0, d = height / 2.0 - r;
        Half_Circle(x, y + d, r, 0.0, px, py);
        Half_Circle(x, y - d, r, 2.0 * kHalfPi, px + 17, py + 17);
    }
}

}  // namespace

void Plot_Draw_Arc(double x, double y, double diameter, double start_deg, double sweep_deg)
{
    std::vector<double> angles;
    if (!Degree_Arc_Angles(start_deg, sweep_deg, Arc_Step(sweep_deg), angles)) return;
    const double r = diameter / 2.0;
    Plot_File_Open_Group();
    double cx = x + r * std::cos(angles[0]), cy = y + r * std::sin(angles[0]);
    for (size_t i = 1; i < angles.size(); ++i) {
        const double nx = x + r * std::cos(angles[i]), ny = y + r * std::sin(angles[i]);
        Plot_Draw_Line(cx, cy, nx, ny);
        cx = nx;
        cy = ny;
    }
    Plot_File_Close_Group();
}

void Plot_Draw_Arc_Record(double x, double y, double diameter, double start_deg,
                          double sweep_deg)
{
    std::vector<double> angles;
    if (!Degree_Arc_Angles(start_deg, sweep_deg, Arc_Step(sweep_deg), angles)) return;
    const double r = diameter / 2.0;
    for (size_t i = 1; i < angles.size(); ++i)
        Plot_Draw_Line_Record(x, y, r * std::cos(angles[i - 1]), r * std::sin(angles[i - 1]),
                              r * std::cos(angles[i]), r * std::sin(angles[i]));
}

void Plot_Fill_Sector(double x, double y, double diameter, double start_deg,
                      double sweep_deg)
{
    std::vector<double> angles;
    if (!Degree_Arc_Angles(start_deg, sweep_deg, kCoarseStep, angles)) return;
    // A vertex on the end angle would give the polygon the same point twice.
    if (angles.size() > 2 && Round_To_Decimals(angles[angles.size() - 2] - angles.back(), 5) == 0.0)
        angles.pop_back();
    const double r = diameter / 2.0;
    std::vector<double> px{x}, py{y};
    for (double a : angles) {
        px.push_back(x + r * std::cos(a));
        py.push_back(y + r * std::sin(a));
    }
    Plot_File_Open_Group();
    Plot_Fill_Polygon(static_cast<int>(px.size()), px.data(), py.data());
    Plot_File_Close_Group();
}

void Plot_Draw_Slot(double x, double y, double width, double height)
{
    double px[34], py[34];
    Slot_Outline(x, y, width, height, px, py);
    for (int k = 0; k < 16; ++k) Plot_Draw_Line(px[k], py[k], px[k + 1], py[k + 1]);
    Plot_Draw_Line(px[16], py[16], px[17], py[17]);
    for (int k = 17; k < 33; ++k) Plot_Draw_Line(px[k], py[k], px[k + 1], py[k + 1]);
    Plot_Draw_Line(px[33], py[33], px[0], py[0]);
}

void Plot_Fill_Slot(double x, double y, double width, double height)
{
    double px[34], py[34];
    Slot_Outline(x, y, width, height, px, py);
    Plot_Fill_Polygon(34, px, py);
}
