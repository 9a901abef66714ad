#include "base/plane_geometry.h"

#include "base/point_arrays.h"
#include "base/polygon_props.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Poly {
    std::vector<double> x, y;
    int n() const { return static_cast<int>(x.size()); }
    Poly reversed() const
    {
        Poly p = *this;
        std::reverse(p.x.begin(), p.x.end());
        std::reverse(p.y.begin(), p.y.end());
        return p;
    }
};

Poly Rect(double x1, double y1, double x2, double y2) { return {{x1, x2, x2, x1}, {y1, y1, y2, y2}}; }

// Common outline of a and b, read back as a polygon.
Poly Clip(const Poly& a, const Poly& b, int capacity = 40)
{
    Poly r{std::vector<double>(std::max(capacity, 0)), std::vector<double>(std::max(capacity, 0))};
    int count = -1;
    EXPECT_EQ(0, Intersect_Polygons(a.n(), a.x.data(), a.y.data(), b.n(), b.x.data(), b.y.data(),
                                    r.x.data(), r.y.data(), &count, capacity));
    EXPECT_GE(count, 0);
    r.x.resize(count);
    r.y.resize(count);
    return r;
}

double Area(const Poly& p) { return Get_Polygon_Area(p.n(), p.x.data(), p.y.data()); }

}  // namespace

TEST(PlaneGeometry, SegmentCrossingAVerticalLine)
{
    double y = -1;
    EXPECT_EQ(1, Intersect_Segment_At_X(0, 0, 10, 5, 4, &y));
    EXPECT_DOUBLE_EQ(2.0, y);
    EXPECT_EQ(1, Intersect_Segment_At_X(0, 0, 10, 5, 10, &y));  // end included
    EXPECT_DOUBLE_EQ(5.0, y);
    EXPECT_EQ(1, Intersect_Segment_At_X(10, 5, 0, 0, 0, &y));   // either direction
    EXPECT_DOUBLE_EQ(0.0, y);
    EXPECT_EQ(0, Intersect_Segment_At_X(0, 0, 10, 5, 11, &y));  // beyond: y still given
    EXPECT_DOUBLE_EQ(5.5, y);
    EXPECT_EQ(0, Intersect_Segment_At_X(0, 0, 10, 5, -0.001, &y));

    // Vertical segments: on the line the mean, off it no crossing.
    EXPECT_EQ(1, Intersect_Segment_At_X(2, 1, 2, 3, 2, &y));
    EXPECT_DOUBLE_EQ(2.0, y);
    EXPECT_EQ(0, Intersect_Segment_At_X(2, 1, 2, 3, 5, &y));
    EXPECT_DOUBLE_EQ(0.0, y);
}

TEST(PlaneGeometry, RoundingToStepsAndDrawingScales)
{
    EXPECT_DOUBLE_EQ(7.5, Round_To_Step(7.3, 0.5));
    EXPECT_DOUBLE_EQ(-7.0, Round_To_Step(-7.2, 0.5));
    EXPECT_DOUBLE_EQ(3.0, Round_To_Step(2.45, 0));   // 4/9 of a step or more rounds up
    EXPECT_DOUBLE_EQ(2.0, Round_To_Step(2.44, 0));
    EXPECT_DOUBLE_EQ(-3.0, Round_To_Step(-2.45, 1));
    EXPECT_NEAR(12.35, Round_To_Step(12.3456, 0.01), 1e-12);

    EXPECT_DOUBLE_EQ(100.0 / 19.0, Choose_Drawing_Scale(3, 0, 16, 0, 1));
    EXPECT_DOUBLE_EQ(5.0, Choose_Drawing_Scale(3, 0, 16, 0, 0));
    EXPECT_DOUBLE_EQ(2.0, Choose_Drawing_Scale(5, 0, 10, 0, 1));
    EXPECT_DOUBLE_EQ(2.0, Choose_Drawing_Scale(5, 0, 10, 0, 0));
    EXPECT_DOUBLE_EQ(5.0, Choose_Drawing_Scale(0.200005, 0, 1, 0, 1));  // 20.0005 stays 20
    EXPECT_DOUBLE_EQ(100.0 / 21.0, Choose_Drawing_Scale(0.20002, 0, 1, 0, 1));
    // The taller need decides; a room of 0.999 or less is left out.
    EXPECT_DOUBLE_EQ(100.0 / 40.0, Choose_Drawing_Scale(1, 4, 10, 10, 1));
    EXPECT_DOUBLE_EQ(100.0 / 7.0, Choose_Drawing_Scale(0.7, 50, 10, 0.999, 1));
    // Rounded steps: 6 -> 10, 31 -> 35, 1 -> 1.
    EXPECT_DOUBLE_EQ(10.0, Choose_Drawing_Scale(0.6, 0, 10, 0, 0));
    EXPECT_DOUBLE_EQ(100.0 / 35.0, Choose_Drawing_Scale(3.1, 0, 10, 0, 0));
    EXPECT_DOUBLE_EQ(100.0, Choose_Drawing_Scale(0.05, 0, 10, 0, 0));
    // Nothing to fit: full size in both modes, not a division by zero.
    EXPECT_DOUBLE_EQ(100.0, Choose_Drawing_Scale(0, 0, 10, 10, 1));
    EXPECT_DOUBLE_EQ(100.0, Choose_Drawing_Scale(3, 2, 0.5, 0, 1));
}

TEST(PlaneGeometry, PointInPolygonBoundaryAndOrientation)
{
    const Poly l{{0, 2, 2, 1, 1, 0}, {0, 0, 1, 1, 2, 2}};  // L shape, notch top right
    for (const Poly& p : {l, l.reversed()}) {
        EXPECT_EQ(1, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 0.5, 0.5));
        EXPECT_EQ(1, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 0.5, 1.5));
        EXPECT_EQ(0, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 1.5, 1.5));  // notch
        EXPECT_EQ(0, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 3, 0.5));
        // A ray at the height of vertices (1 and 2) counts each crossing once.
        EXPECT_EQ(1, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 0.5, 1.0));
        EXPECT_EQ(0, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), -0.5, 1.0));
        // On the boundary and within 0.01 of it count as inside.
        EXPECT_EQ(1, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 1.0, 1.5));
        EXPECT_EQ(1, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 1.5, 1.005));
        EXPECT_EQ(1, Point_In_Polygon(p.n(), p.x.data(), p.y.data(), 2.005, -0.005));
        EXPECT_EQ(0, Point_In_Polygon_Tol(p.n(), p.x.data(), p.y.data(), 2.005, -0.005, 0.001));
    }
    EXPECT_EQ(0, Point_In_Polygon(0, nullptr, nullptr, 0, 0));
    // A slanted edge: boundary by the cross product.
    const Poly tri{{0, 4, 0}, {0, 0, 4}};
    EXPECT_EQ(1, Point_In_Polygon(tri.n(), tri.x.data(), tri.y.data(), 2, 2));
    EXPECT_EQ(0, Point_In_Polygon(tri.n(), tri.x.data(), tri.y.data(), 2.1, 2.1));
}

TEST(PlaneGeometry, LineAndSegmentCrossings)
{
    double x = -1, y = -1;
    EXPECT_EQ(0, Intersect_Lines(0, 0, 1, 1, 0, 2, 2, 0, &x, &y));
    EXPECT_DOUBLE_EQ(1.0, x);
    EXPECT_DOUBLE_EQ(1.0, y);
    // Parallel and collinear: no crossing, point 0, 0.
    EXPECT_EQ(1, Intersect_Lines(0, 0, 1, 1, 0, 1, 1, 2, &x, &y));
    EXPECT_EQ(0.0, x);
    EXPECT_EQ(0.0, y);
    EXPECT_EQ(1, Intersect_Segments(0, 0, 2, 0, 1, 0, 3, 0, &x, &y));
    EXPECT_EQ(0.0, x);

    // Vertical against horizontal: each parameter from the coordinate with extent.
    EXPECT_EQ(0, Intersect_Segments(1, -1, 1, 1, 0, 0, 3, 0, &x, &y));
    EXPECT_DOUBLE_EQ(1.0, x);
    EXPECT_DOUBLE_EQ(0.0, y);
    // Touching at an end counts; beyond it does not.
    EXPECT_EQ(0, Intersect_Segments(0, 0, 1, 0, 1, -1, 1, 1, &x, &y));
    EXPECT_EQ(-1, Intersect_Segments(0, 0, 0.9, 0, 1, -1, 1, 1, &x, &y));
    EXPECT_DOUBLE_EQ(1.0, x);
    EXPECT_EQ(1, Segments_Cross(0, 0, 2, 2, 0, 2, 2, 0));
    EXPECT_EQ(0, Segments_Cross(0, 0, 1, 1, 3, 0, 2, 1));
    EXPECT_EQ(0, Segments_Cross(0, 0, 1, 0, 0, 1, 1, 1));  // parallel

    EXPECT_DOUBLE_EQ(1.0, Get_Point_Segment_Distance(0, 0, 4, 0, 2, 1));
    EXPECT_DOUBLE_EQ(5.0, Get_Point_Segment_Distance(0, 0, 4, 0, 7, 4));   // nearer end
    EXPECT_DOUBLE_EQ(5.0, Get_Point_Segment_Distance(1, 1, 1, 1, 4, 5));   // no length
}

TEST(PlaneGeometry, CirclesAndQuadratics)
{
    double x, y;
    EXPECT_EQ(0, Intersect_Circles(0, 0, 1, 1, 0, 1, 1, &x, &y));
    EXPECT_DOUBLE_EQ(0.5, x);
    EXPECT_NEAR(std::sqrt(0.75), y, 1e-15);
    EXPECT_EQ(0, Intersect_Circles(0, 0, 1, 1, 0, 1, 0, &x, &y));
    EXPECT_NEAR(-std::sqrt(0.75), y, 1e-15);
    EXPECT_EQ(1, Intersect_Circles(0, 0, 1, 5, 0, 1, 1, &x, &y));  // apart
    EXPECT_EQ(1, Intersect_Circles(3, 4, 1, 3, 4, 2, 1, &x, &y));  // same centre
    EXPECT_EQ(0.0, x);

    double r1, r2;
    EXPECT_EQ(0, Solve_Quadratic(-3, 2, &r1, &r2));
    EXPECT_DOUBLE_EQ(2.0, r1);
    EXPECT_DOUBLE_EQ(1.0, r2);
    EXPECT_EQ(0, Solve_Quadratic(2, 1, &r1, &r2));  // double root
    EXPECT_DOUBLE_EQ(-1.0, r1);
    EXPECT_EQ(1, Solve_Quadratic(0, 1, &r1, &r2));
    EXPECT_EQ(0.0, r1);
    EXPECT_EQ(0.0, r2);
}

TEST(PlaneGeometry, SimpsonIntegration)
{
    // x^2 over [0, 2]: exact with an odd number of samples.
    const double sq[] = {0, 0.25, 1, 2.25, 4};
    EXPECT_NEAR(8.0 / 3.0, Integrate_Simpson(0, 2, 5, sq), 1e-14);
    // An even number of samples still spans the whole interval: 2x + 1 over [0, 3].
    const double lin[] = {1, 3, 5, 7};
    EXPECT_NEAR(12.0, Integrate_Simpson(0, 3, 4, lin), 1e-14);
    // Two samples: the trapezoid, one sample: a constant.
    EXPECT_NEAR(4.0, Integrate_Simpson(1, 3, 2, lin), 1e-14);
    EXPECT_NEAR(4.0, Integrate_Simpson(1, 5, 1, lin), 1e-14);
    EXPECT_EQ(0.0, Integrate_Simpson(2, 2, 5, sq));
    EXPECT_EQ(0.0, Integrate_Simpson(0, 1, 0, sq));
    EXPECT_EQ(0.0, Integrate_Simpson(0, 1, -3, sq));
}

TEST(PlaneGeometry, CollinearPointsAndPointsOnSegments)
{
    EXPECT_EQ(1, Are_Points_Collinear(0, 0, 2, 1, 4, 2, 0.01));
    EXPECT_EQ(1, Are_Points_Collinear(0, 0, 2, 1, -2, -1, 0.01));  // beyond the ends
    EXPECT_EQ(0, Are_Points_Collinear(0, 0, 2, 1, 4, 2.1, 0.01));
    EXPECT_EQ(1, Are_Points_Collinear(1, 0, 1, 5, 1.005, 9, 0.01));  // vertical line
    EXPECT_EQ(1, Are_Points_Collinear(0, 3, 5, 3, -7, 3, 0.01));     // horizontal line
    EXPECT_EQ(0, Are_Points_Collinear(1, 1, 1, 1, 2, 2, 0.01));      // no line

    EXPECT_EQ(1, Is_Point_On_Segment(0, 0, 4, 2, 2, 1, 0.01));
    EXPECT_EQ(0, Is_Point_On_Segment(0, 0, 4, 2, 0.001, 0.0005, 0.01));  // at an end
    EXPECT_EQ(0, Is_Point_On_Segment(0, 0, 4, 2, 6, 3, 0.01));           // beyond
    EXPECT_EQ(1, Is_Point_On_Segment(0, 0, 0, 4, 0, 1, 0.01));
    EXPECT_EQ(0, Is_Point_On_Segment(0, 0, 0, 4, 0.5, 1, 0.01));
    EXPECT_EQ(1, Is_Point_On_Segment(1, 0, 3, 0, 2, 0, 0.01));  // horizontal, off the origin
    EXPECT_EQ(0, Is_Point_On_Segment(0, 1, 0, 5, 0, 0, 0.01));  // vertical, behind the start
}

TEST(PlaneGeometry, OutlineValuesInEitherOrientation)
{
    const Poly r = Rect(1, 1, 3, 2);
    for (const Poly& p : {r, r.reversed()}) {
        double xs, ys, a, len;
        EXPECT_EQ(0, Get_Polygon_Outline_Values(p.n(), p.x.data(), p.y.data(), &xs, &ys, &a, &len));
        EXPECT_DOUBLE_EQ(2.0, xs);
        EXPECT_DOUBLE_EQ(1.5, ys);
        EXPECT_DOUBLE_EQ(2.0, a);
        EXPECT_DOUBLE_EQ(6.0, len);
    }
    // No area: centroid 0, 0 instead of a division by zero.
    const double lx[] = {1, 2, 3}, ly[] = {1, 2, 3};
    double xs = -1, ys = -1, a = -1, len = -1;
    EXPECT_EQ(0, Get_Polygon_Outline_Values(3, lx, ly, &xs, &ys, &a, &len));
    EXPECT_EQ(0.0, xs);
    EXPECT_EQ(0.0, ys);
    EXPECT_EQ(0.0, a);
    EXPECT_EQ(0, Get_Polygon_Outline_Values(0, nullptr, nullptr, &xs, &ys, &a, &len));
    EXPECT_EQ(0.0, len);
}

TEST(PlaneGeometry, OffsetPolygonOutwardsOrRefused)
{
    for (const bool clockwise : {false, true}) {
        Poly p = clockwise ? Rect(0, 0, 1, 1).reversed() : Rect(0, 0, 1, 1);
        ASSERT_EQ(0, Offset_Polygon(p.n(), p.x.data(), p.y.data(), 1.0));
        EXPECT_NEAR(9.0, Area(p), 1e-12);
        EXPECT_NEAR(-1.0, *std::min_element(p.x.begin(), p.x.end()), 1e-12);
        EXPECT_NEAR(2.0, *std::max_element(p.y.begin(), p.y.end()), 1e-12);
    }
    // Refused polygons stay exactly as they were.
    Poly mid{{0, 0.5, 1, 1, 0}, {0, 0, 0, 1, 1}};  // vertex in mid-edge: parallel edges
    const Poly mid0 = mid;
    EXPECT_EQ(1, Offset_Polygon(mid.n(), mid.x.data(), mid.y.data(), 1.0));
    EXPECT_EQ(mid0.x, mid.x);
    Poly flat{{0, 1, 2}, {0, 1, 2}};
    EXPECT_EQ(1, Offset_Polygon(flat.n(), flat.x.data(), flat.y.data(), 1.0));
    Poly rep{{0, 1, 1, 1, 0}, {0, 0, 0, 1, 1}};  // repeated vertex
    EXPECT_EQ(1, Offset_Polygon(rep.n(), rep.x.data(), rep.y.data(), 1.0));
    EXPECT_EQ(1, Offset_Polygon(0, nullptr, nullptr, 1.0));

    // More vertices than the routine takes: reported, not passed off as done.
    Poly big;
    for (int i = 0; i < 51; ++i) {
        big.x.push_back(std::cos(2 * M_PI * i / 51));
        big.y.push_back(std::sin(2 * M_PI * i / 51));
    }
    const Poly big0 = big;
    EXPECT_EQ(1, Offset_Polygon(big.n(), big.x.data(), big.y.data(), 1.0));
    EXPECT_EQ(big0.x, big.x);
}

TEST(PlaneGeometry, InterpolateBetweenSegments)
{
    // Two rising segments; halfway in t between them at x = 1.
    double x = 1, y = 0;
    EXPECT_EQ(1, Interpolate_Between_Segments(0, 0, 0, 2, 2, 0, 0, 2, 4, 10, 5, &x, &y, 1));
    EXPECT_DOUBLE_EQ((1.0 + 2.0) / 2.0, y);
    x = 3;
    EXPECT_EQ(0, Interpolate_Between_Segments(0, 0, 0, 2, 2, 0, 0, 2, 4, 10, 0, &x, &y, 1));
    EXPECT_DOUBLE_EQ(3.0, y);  // off the first segment: its line's value
    // Mode 0: x and y exchanged.
    y = 1;
    x = 0;
    EXPECT_EQ(1, Interpolate_Between_Segments(1, 0, 0, 2, 2, 0, 0, 1, 2, 3, 3, &x, &y, 0));
    EXPECT_DOUBLE_EQ(0.5, x);
}

TEST(PlaneGeometry, ClipOverlappingAndContainedPolygons)
{
    const Poly a = Rect(0, 0, 2, 2);
    // Overlapping squares, in every combination of orientations.
    for (const Poly& pa : {a, a.reversed()}) {
        for (const Poly& pb : {Rect(1, 1, 3, 3), Rect(1, 1, 3, 3).reversed()}) {
            const Poly r = Clip(pa, pb);
            EXPECT_EQ(4, r.n());
            EXPECT_NEAR(1.0, Area(r), 1e-12);
            for (int i = 0; i < r.n(); ++i) {
                EXPECT_NEAR(1.5, r.x[i], 0.5 + 1e-9);
                EXPECT_NEAR(1.5, r.y[i], 0.5 + 1e-9);
            }
        }
    }
    // One inside the other: the inner one, either way round.
    const Poly inner = Rect(0.5, 0.5, 1.5, 1);
    EXPECT_NEAR(0.5, Area(Clip(a, inner)), 1e-12);
    EXPECT_NEAR(0.5, Area(Clip(inner, a)), 1e-12);
    // Identical polygons.
    EXPECT_NEAR(4.0, Area(Clip(a, a)), 1e-12);
    // Apart, and crossing without a vertex of either inside the other: nothing.
    EXPECT_EQ(0, Clip(a, Rect(5, 5, 6, 6)).n());
    EXPECT_EQ(0, Clip(Rect(0, 0.5, 2, 1.5), Rect(0.5, -1, 1.5, 3)).n());
    // A triangle over the square's corner.
    const Poly tri{{1, 3, 1}, {1, 1, 3}};
    EXPECT_NEAR(1.0 - 0.0, Area(Clip(a, tri)), 1e-12);
}

TEST(PlaneGeometry, ClipThroughVerticesAndSharedEdges)
{
    const Poly a = Rect(0, 0, 2, 2);
    // B's corner lies on A's edge, and B shares part of two of A's edges.
    const Poly half = Rect(1, 0, 3, 2);
    EXPECT_NEAR(2.0, Area(Clip(a, half)), 1e-12);
    EXPECT_NEAR(2.0, Area(Clip(half, a)), 1e-12);
    // A diamond whose vertices touch the square's edges: the diamond is inside.
    const Poly diamond{{1, 2, 1, 0}, {0, 1, 2, 1}};
    EXPECT_NEAR(2.0, Area(Clip(a, diamond)), 1e-12);
    // A triangle with one vertex on A's edge reaching out.
    const Poly tri{{1, 3, 1}, {0, 1, 2}};
    const Poly r = Clip(a, tri);
    EXPECT_NEAR(1.5, Area(r), 1e-12);

    // B starts at a vertex just below A's top edge and leaves A right there: the crossing
    // next to that vertex must not end the outline.
    const Poly big = Rect(0, 0, 10, 10);
    const Poly b{{5, 5.002, 9, 9, 5}, {9.995, 12, 12, 2, 2}};
    const Poly s = Clip(big, b);
    EXPECT_EQ(4, s.n());
    EXPECT_NEAR(4.0 * 8.0, Area(s), 0.01);

    // Two vertices of B closer than the tolerance at the start of the walk: the second
    // is passed over instead of closing the outline after one point.
    const Poly c{{5, 5.005, 9, 9, 5}, {9, 9.002, 12, 2, 2}};
    const double t = (10 - 9.002) / (12 - 9.002);
    const Poly exact{{5, 5.005, 5.005 + t * 3.995, 9, 9, 5}, {9, 9.002, 10, 10, 2, 2}};
    const Poly u = Clip(big, c);
    EXPECT_EQ(5, u.n());
    EXPECT_NEAR(Area(exact), Area(u), 0.01);
}

TEST(PlaneGeometry, ClipCapacity)
{
    const Poly a = Rect(0, 0, 2, 2), b = Rect(1, 1, 3, 3);
    const Poly one = Clip(a, b, 1);
    ASSERT_EQ(1, one.n());
    EXPECT_DOUBLE_EQ(2.0, one.x[0]);  // the first vertex of A inside B (after turning A clockwise)
    EXPECT_DOUBLE_EQ(2.0, one.y[0]);
    EXPECT_EQ(0, Clip(a, b, 0).n());
    EXPECT_EQ(3, Clip(a, b, 3).n());
    // A contained polygon larger than the room is cut to the room.
    EXPECT_EQ(2, Clip(a, Rect(0.5, 0.5, 1, 1), 2).n());

    // The output is cleared before anything is written.
    std::vector<double> xo(8, 9.0), yo(8, 9.0);
    int count = -1;
    Intersect_Polygons(a.n(), a.x.data(), a.y.data(), 0, nullptr, nullptr, xo.data(), yo.data(), &count, 8);
    EXPECT_EQ(0, count);
    EXPECT_EQ(std::vector<double>(8, 0.0), xo);
}

TEST(PlaneGeometry, ClipOfConvexPolygonsMatchesHalfPlaneCuts)
{
    // Regular polygons of random size, place and turn; the common area by cutting A at
    // every edge of B must agree whenever a vertex of one lies in the other.
    unsigned seed = 12345;
    auto rnd = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return ((seed >> 8) & 0xFFFF) / 65535.0;
    };
    auto regular = [&](int n) {
        Poly p;
        const double cx = 400 * rnd(), cy = 400 * rnd(), r = 50 + 200 * rnd(), t = 6.3 * rnd();
        for (int i = 0; i < n; ++i) {
            p.x.push_back(cx + r * std::cos(t + 2 * M_PI * i / n));
            p.y.push_back(cy + r * std::sin(t + 2 * M_PI * i / n));
        }
        return p;
    };
    int compared = 0;
    for (int k = 0; k < 300; ++k) {
        const Poly a = regular(3 + k % 6), b = regular(3 + (k / 6) % 5);
        Poly ref = a;
        for (int i = 0; i < b.n() && ref.n() > 0; ++i) {
            const int j = (i + 1) % b.n();
            Poly cut{std::vector<double>(2 * ref.n() + 2), std::vector<double>(2 * ref.n() + 2)};
            int count = 0;
            ASSERT_GE(Cut_Polygon_At_Line(ref.n(), ref.x.data(), ref.y.data(), b.x[i], b.y[i], b.x[j],
                                          b.y[j], &count, cut.x.data(), cut.y.data(), cut.n()),
                      0);
            cut.x.resize(count);
            cut.y.resize(count);
            ref = cut;
        }
        bool any_inside = false;
        for (int i = 0; i < a.n(); ++i)
            any_inside = any_inside || Point_In_Polygon(b.n(), b.x.data(), b.y.data(), a.x[i], a.y[i]);
        for (int i = 0; i < b.n(); ++i)
            any_inside = any_inside || Point_In_Polygon(a.n(), a.x.data(), a.y.data(), b.x[i], b.y[i]);
        const Poly r = Clip(a, b.reversed(), 64);
        if (!any_inside) {
            EXPECT_EQ(0, r.n());
            continue;
        }
        ++compared;
        SCOPED_TRACE(k);
        EXPECT_NEAR(Area(ref), Area(r), 1e-6 * Area(ref) + 1e-3);
    }
    EXPECT_GT(compared, 50);
}
