#include "base/point_arrays.h"

#include "base/polygon_props.h"
#include "base/utilities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

bool Is_Permutation(const std::vector<int>& idx)
{
    std::vector<int> s = idx;
    std::sort(s.begin(), s.end());
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] != static_cast<int>(i)) return false;
    return true;
}

double Signed_Area(const std::vector<double>& x, const std::vector<double>& y)
{
    double s = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        const size_t j = (i + 1) % x.size();
        s += x[i] * y[j] - x[j] * y[i];
    }
    return s / 2;
}

}  // namespace

TEST(PointArraysSort, IndexSortWithTolerantTies)
{
    const double keys[] = {2.0, 1.0, 2.000001};
    int idx[3];
    Sort_Index_By_Key(keys, idx, 3);
    EXPECT_EQ(1, idx[0]);
    EXPECT_TRUE((idx[1] == 0 && idx[2] == 2) || (idx[1] == 2 && idx[2] == 0));
    EXPECT_EQ(keys, sort_key_array);

    const double k2[] = {3, -1, 7, 0, 3, 5};
    int i2[6];
    Sort_Index_Dir(6, k2, i2, 0);
    EXPECT_EQ(2, i2[0]);
    EXPECT_EQ(5, i2[1]);
    EXPECT_EQ(1, i2[5]);

    int untouched[1] = {42};
    Sort_Index_By_Key(k2, untouched, 0);
    EXPECT_EQ(42, untouched[0]);

    const int ik[] = {5, -2, 5, 9};
    int i3[4];
    Sort_Index_By_Int_Key(4, ik, i3, 1);
    EXPECT_EQ(1, i3[0]);
    EXPECT_EQ(3, i3[3]);
    Sort_Index_By_Int_Key(4, ik, i3, 0);
    EXPECT_EQ(3, i3[0]);
}

TEST(PointArraysSort, LongChainsOfNearlyEqualKeysStayInBounds)
{
    // Neighbours compare equal while the ends differ: the comparison is no strict order.
    // The sort must still give a permutation, and keys farther apart than the tolerance
    // chain must keep their order.
    const int n = 2000;
    std::vector<double> keys(n);
    unsigned seed = 7;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        keys[i] = ((seed >> 8) % 400) * 0.6e-5 + ((i % 3 == 0) ? 1.0 : 0.0);
    }
    std::vector<int> idx(n);
    Sort_Index_By_Key(keys.data(), idx.data(), n);
    EXPECT_TRUE(Is_Permutation(idx));
    // Every key of the upper group (>= 1) comes after every key of the lower group.
    int first_upper = n;
    for (int i = 0; i < n; ++i)
        if (keys[idx[i]] >= 1.0) first_upper = std::min(first_upper, i);
    for (int i = first_upper; i < n; ++i) EXPECT_GE(keys[idx[i]], 1.0);

    std::vector<double> values = keys;
    Sort_Doubles(n, values.data(), 0);
    EXPECT_GE(values.front(), 1.0);
    EXPECT_LT(values.back(), 1.0);
}

TEST(PointArraysSort, UniqueValuesAndPointOrder)
{
    double v[] = {3.0, 1.0, 1.002, 2.0, 0.999, 3.0};
    const int n = Sort_Unique_Doubles(6, v, 1, 2);
    ASSERT_EQ(3, n);  // 0.999, 1.0 and 1.002 agree at 2 decimals
    EXPECT_DOUBLE_EQ(0.999, v[0]);
    EXPECT_DOUBLE_EQ(2.0, v[1]);
    EXPECT_DOUBLE_EQ(3.0, v[2]);
    double w[] = {1.0, 2.0, 2.4, 2.5};
    // Descending: 2.5 first; 2.4 lies 0.1 below it and goes; 2.0 lies 0.5 below it, which
    // rounds to 1, and stays.
    ASSERT_EQ(3, Sort_Unique_Doubles(4, w, 0, 0));
    EXPECT_DOUBLE_EQ(2.5, w[0]);
    EXPECT_DOUBLE_EQ(2.0, w[1]);
    EXPECT_EQ(0, Sort_Unique_Doubles(0, w, 1, 2));

    double x[] = {2, 1, 2, 1, 0.5}, y[] = {9, 4, -3, 1, 7};
    Sort_Points_By_X(5, x, 1, y, 1, 3);
    const double ex[] = {0.5, 1, 1, 2, 2}, ey[] = {7, 1, 4, -3, 9};
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(ex[i], x[i]) << i;
        EXPECT_DOUBLE_EQ(ey[i], y[i]) << i;
    }

    EXPECT_EQ(0, Find_Extreme_Index(1, v, 1));
    EXPECT_EQ(0, Find_Extreme_Index(0, nullptr, 0));
    const double ties[] = {3, 5, 5, 1, 1};
    EXPECT_EQ(1, Find_Extreme_Index(5, ties, 1));
    EXPECT_EQ(3, Find_Extreme_Index(5, ties, 0));
}

TEST(PointArraysFrames, TransformsAndDirections)
{
    std::vector<double> x{1, 4, -2.5}, y{2, -1, 7};
    const auto x0 = x, y0 = y;
    Transform_Points(x.data(), y.data(), 3, 1.5, -2, 0.7, 2.5);
    Untransform_Points(x.data(), y.data(), 3, 1.5, -2, 0.7, 2.5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(x0[i], x[i], 1e-12);
        EXPECT_NEAR(y0[i], y[i], 1e-12);
    }
    // A point on the frame's x axis lands on the local x axis.
    double px[] = {1 + std::sqrt(2.0)}, py[] = {1 + std::sqrt(2.0)};
    Transform_Points(px, py, 1, 1, 1, M_PI / 4, 1);
    EXPECT_NEAR(2.0, px[0], 1e-12);
    EXPECT_NEAR(0.0, py[0], 1e-12);

    const double tx[] = {2.5, -2.5, 1e300}, ty[] = {0.49, -0.5, std::nan("")};
    int ix[3], iy[3];
    Transform_Points_To_Int(tx, ty, 3, 0, 0, M_PI / 2, 1, ix, iy);
    // Turned by 90 degrees: x' = y, y' = -x.
    EXPECT_EQ(0, ix[0]);
    EXPECT_EQ(-3, iy[0]);
    EXPECT_EQ(-1, ix[1]);
    EXPECT_EQ(3, iy[1]);
    Transform_Points_To_Int(tx, ty, 3, 0, 0, 0, 1, ix, iy);
    EXPECT_EQ(3, ix[0]);
    EXPECT_EQ(0, iy[0]);
    EXPECT_EQ(-3, ix[1]);
    EXPECT_EQ(-1, iy[1]);
    EXPECT_EQ(0, ix[2]);  // NaN in y spoils x' as well: 0, not undefined behaviour
    EXPECT_EQ(0, iy[2]);
    const double hx[] = {-1e300}, hy[] = {1e12};
    Transform_Points_To_Int(hx, hy, 1, 0, 0, 0, 1, ix, iy);
    EXPECT_EQ(INT_MIN, ix[0]);
    EXPECT_EQ(INT_MAX, iy[0]);

    EXPECT_DOUBLE_EQ(M_PI / 4, Get_Segment_Angle(0, 0, 1, 1));
    EXPECT_DOUBLE_EQ(5 * M_PI / 4, Get_Segment_Angle(1, 1, 0, 0));
    EXPECT_DOUBLE_EQ(M_PI / 2, Get_Segment_Angle(0, 0, 0, 1));
    EXPECT_DOUBLE_EQ(3 * M_PI / 2, Get_Segment_Angle(3, 3, 3, 3));
    EXPECT_NEAR(-M_PI / 4, Get_Segment_Angle(0, 0, 1, -1), 1e-15);
    EXPECT_NEAR(7 * M_PI / 4, Get_Segment_Angle_2Pi(0, 0, 1, -1), 1e-15);
    EXPECT_DOUBLE_EQ(M_PI, Get_Segment_Angle_2Pi(0, 0, -1, 0));
    EXPECT_NEAR(M_PI / 2, Get_Angle_Between_Segments(0, 0, 2, 0, 5, 5, 5, 9), 1e-15);
    EXPECT_NEAR(M_PI, Get_Angle_Between_Segments(0, 0, 1, 1, 0, 0, -3, -3), 1e-7);
    EXPECT_EQ(0.0, Get_Angle_Between_Segments(0, 0, 0, 0, 0, 0, 1, 1));
}

TEST(PointArraysFrames, AnglesAcrossTheFullTurn)
{
    EXPECT_DOUBLE_EQ(0.0, Get_Mid_Angle_Deg(350, 10));
    EXPECT_DOUBLE_EQ(180.0, Get_Mid_Angle_Deg(90, 270));
    EXPECT_DOUBLE_EQ(180.0, Get_Mid_Angle_Deg(-90, 90));
    EXPECT_DOUBLE_EQ(45.0, Get_Mid_Angle_Deg(-690, 60));
    EXPECT_NEAR(M_PI / 2, Get_Mid_Angle(M_PI / 4, 3 * M_PI / 4), 1e-12);
    EXPECT_NEAR(2 * M_PI - 0.5, Normalize_Angle(-0.5), 1e-12);
    EXPECT_DOUBLE_EQ(0.25, Normalize_Angle(0.25));
    EXPECT_DOUBLE_EQ(-0.00001, Normalize_Angle(-0.00001));  // not negative at 4 decimals
    // Far out or not finite: ends without looping for ever.
    const double far = Normalize_Angle(-1e12);
    EXPECT_GE(far, 0.0);
    EXPECT_LT(far, 2 * M_PI);
    EXPECT_TRUE(std::isinf(Normalize_Angle(-INFINITY)));
    EXPECT_TRUE(std::isnan(Get_Mid_Angle_Deg(NAN, 10)));
}

TEST(PointArraysPolygons, OrientationMirrorAndVertexCleanUp)
{
    std::vector<double> x{0, 0, 2, 2}, y{0, 1, 1, 0};  // clockwise
    Make_Polygon_Positive(4, x.data(), y.data());
    EXPECT_GT(Signed_Area(x, y), 0);
    Make_Polygon_Positive(4, x.data(), y.data());
    EXPECT_GT(Signed_Area(x, y), 0);
    Make_Polygon_Negative(4, x.data(), y.data());
    EXPECT_LT(Signed_Area(x, y), 0);

    std::vector<double> mx(4), my(4);
    Mirror_Points_In_Y(4, x.data(), y.data(), 10, mx.data(), my.data());
    EXPECT_LT(Signed_Area(mx, my), 0);  // runs the same way as the original
    EXPECT_DOUBLE_EQ(9.0, *std::min_element(my.begin(), my.end()));
    EXPECT_DOUBLE_EQ(10.0, *std::max_element(my.begin(), my.end()));

    // Repeats (within 5 decimals), the closing repeat included.
    double rx[] = {0, 0.000001, 1, 1, 1, 0}, ry[] = {0, 0, 0, 1, 1, 0};
    EXPECT_EQ(3, Remove_Repeated_Vertices(6, rx, ry));
    EXPECT_DOUBLE_EQ(0.000001, rx[0]);
    EXPECT_DOUBLE_EQ(1.0, rx[1]);
    double px[] = {4, 4, 4}, py[] = {2, 2, 2};
    EXPECT_EQ(1, Remove_Repeated_Vertices(3, px, py));

    // The reflex corner of an L goes, in either orientation.
    std::vector<double> lx{0, 2, 2, 1, 1, 0}, ly{0, 0, 1, 1, 2, 2};
    for (const bool clockwise : {false, true}) {
        std::vector<double> a = lx, b = ly;
        if (clockwise) {
            std::reverse(a.begin(), a.end());
            std::reverse(b.begin(), b.end());
        }
        ASSERT_EQ(5, Remove_Reflex_Vertices(6, a.data(), b.data()));
        for (int i = 0; i < 5; ++i) EXPECT_FALSE(a[i] == 1 && b[i] == 1);
    }
}

TEST(PointArraysPolygons, LocatePointWithRayThroughAVertex)
{
    const double x[] = {0, 1, 1, 0}, y[] = {0, 0, 1, 1};
    // The first ray from the centre aims at the corner (1, 1) and must be moved.
    EXPECT_EQ(1, Locate_Point_In_Polygon(4, x, y, 0.5, 0.5));
    EXPECT_EQ(0, Locate_Point_In_Polygon(4, x, y, 1.5, 0.5));
    EXPECT_EQ(0, Locate_Point_In_Polygon(4, x, y, -0.5, -0.5));
    EXPECT_EQ(2, Locate_Point_In_Polygon(4, x, y, 1.0, 0.3));
    EXPECT_EQ(2, Locate_Point_In_Polygon(4, x, y, 0.000001, 1.000001));
    EXPECT_EQ(-1, Locate_Point_In_Polygon(4, nullptr, y, 0.5, 0.5));
    EXPECT_EQ(-1, Locate_Point_In_Polygon(0, x, y, 0.5, 0.5));
    EXPECT_EQ(0, Locate_Point_In_Polygon(2, x, y, 0.5, 0.0));
    // Non-convex and clockwise: the notch of an L is outside.
    const double lx[] = {0, 0, 1, 1, 2, 2}, ly[] = {0, 2, 2, 1, 1, 0};
    EXPECT_EQ(0, Locate_Point_In_Polygon(6, lx, ly, 1.5, 1.5));
    EXPECT_EQ(1, Locate_Point_In_Polygon(6, lx, ly, 0.5, 1.5));
    EXPECT_EQ(1, Locate_Point_In_Polygon(6, lx, ly, 1.5, 0.5));

    EXPECT_EQ(2, Locate_Point_To_Circle(0, 0, 5, 3, 4));
    EXPECT_EQ(1, Locate_Point_To_Circle(0, 0, 5, 3, 3.9));
    EXPECT_EQ(0, Locate_Point_To_Circle(0, 0, 5, 3, 4.1));
}

TEST(PointArraysPolygons, OffsetPolylineClosedAndOpen)
{
    // Counter-clockwise square: left of every edge is inside.
    double x[] = {0, 1, 1, 0}, y[] = {0, 0, 1, 1};
    Offset_Polyline(x, y, 4, 0.1);
    EXPECT_NEAR(0.1, x[0], 1e-12);
    EXPECT_NEAR(0.1, y[0], 1e-12);
    EXPECT_NEAR(0.9, x[2], 1e-12);
    EXPECT_NEAR(0.9, y[2], 1e-12);

    // Open: the ends move by d alone; a straight-through vertex keeps its place on the line.
    double ox[] = {0, 2, 2, 2}, oy[] = {0, 0, 1, 2};
    Offset_Polyline(ox, oy, -4, 1);
    const double ex[] = {0, 1, 1, 1}, ey[] = {1, 1, 1, 2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(ex[i], ox[i], 1e-12) << i;
        EXPECT_NEAR(ey[i], oy[i], 1e-12) << i;
    }
    // A repeated vertex gives a finite result.
    double rx[] = {0, 1, 1, 1}, ry[] = {0, 0, 0, 1};
    Offset_Polyline(rx, ry, -4, 0.5);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::isfinite(rx[i]) && std::isfinite(ry[i]));

    double one[] = {3}, onev[] = {4};
    Offset_Polyline(one, onev, 1, 1);
    EXPECT_EQ(3.0, one[0]);
}

TEST(PointArraysPolygons, SelfCrossingsAndCuts)
{
    const double bx[] = {0, 1, 1, 0}, by[] = {0, 1, 0, 1};  // bow tie
    EXPECT_EQ(1, Count_Self_Crossings(4, bx, by, 1));
    EXPECT_EQ(0, Count_Self_Crossings(4, bx, by, 0) - 1);  // open: the middle edges still cross
    const double sx[] = {0, 1, 1, 0}, sy[] = {0, 0, 1, 1};
    EXPECT_EQ(0, Count_Self_Crossings(4, sx, sy, 1));
    // A polyline that comes back through one of its vertices does not cross there.
    const double tx[] = {0, 2, 2, 1, 1}, ty[] = {0, 0, 1, 1, -1};
    EXPECT_EQ(1, Count_Self_Crossings(5, tx, ty, 0));
    const double vx[] = {0, 2, 2, 1, 1}, vy[] = {0, 0, 1, 1, 0};
    EXPECT_EQ(0, Count_Self_Crossings(5, vx, vy, 0));

    double cx[8], cy[8];
    int count = -1;
    // Keep x <= 0.5 (left of the upward line x = 0.5).
    EXPECT_EQ(1, Cut_Polygon_At_Line(4, sx, sy, 0.5, 0, 0.5, 1, &count, cx, cy, 8));
    EXPECT_EQ(4, count);
    EXPECT_NEAR(0.5, Get_Polygon_Area(count, cx, cy), 1e-12);
    // Through two vertices: the triangle on the left, the vertices on the line kept.
    EXPECT_EQ(1, Cut_Polygon_At_Line(4, sx, sy, 0, 0, 1, 1, &count, cx, cy, 8));
    EXPECT_EQ(3, count);
    EXPECT_NEAR(0.5, Get_Polygon_Area(count, cx, cy), 1e-12);
    // Along an edge: nothing is cut.
    EXPECT_EQ(0, Cut_Polygon_At_Line(4, sx, sy, 0, 0, 1, 0, &count, cx, cy, 8));
    EXPECT_EQ(4, count);
    // Wholly on the wrong side.
    EXPECT_EQ(0, Cut_Polygon_At_Line(4, sx, sy, 0, 5, 1, 5, &count, cx, cy, 8));
    EXPECT_EQ(0, count);
    // Too little room: nothing written.
    count = 77;
    EXPECT_EQ(-1, Cut_Polygon_At_Line(4, sx, sy, 0.5, 0, 0.5, 1, &count, cx, cy, 3));
    EXPECT_EQ(77, count);
}

TEST(PointArraysPolygons, BoxesScalingAndRegularPolygons)
{
    double x[4], y[4];
    Make_Rectangle(1, 2, 4, 6, x, y);
    double xmin, ymin, xmax, ymax;
    Get_Bounding_Box(0, x, y, &xmin, &ymin, &xmax, &ymax);
    EXPECT_EQ(1e100, xmin);
    EXPECT_EQ(-1e100, ymax);
    EXPECT_EQ(2e100, Get_Projected_Width(0, x, y, 0));
    EXPECT_NEAR(5.0, Get_Projected_Width(4, x, y, std::atan2(4.0, 3.0)), 1e-12);

    // About the centroid (2.5, 4): twice the size, then 1 and 2 in from each side.
    Scale_Polygon(4, x, y, 2);
    EXPECT_NEAR(-0.5, x[0], 1e-12);
    Shrink_Polygon(4, x, y, 1, 2);
    EXPECT_NEAR(4.0 * 4.0, Get_Polygon_Area(4, x, y), 1e-12);

    std::vector<double> rx(12), ry(12);
    Make_Regular_Polygon(2, 1, -1, 12, rx.data(), ry.data());
    EXPECT_NEAR(M_PI * 4, Get_Polygon_Area(12, rx.data(), ry.data()), 1e-12);
    EXPECT_NEAR(-1.0, ry[0], 1e-12);
}

TEST(PointArraysLines, DegenerateLinesAndSegments)
{
    double x, y;
    EXPECT_EQ(0, Get_Point_On_Segment_At(0, 0, 3, 4, -2.5, &x, &y));  // back from point 2
    EXPECT_DOUBLE_EQ(1.5, x);
    EXPECT_EQ(1, Get_Point_On_Segment_At(0, 0, 3, 4, -6, &x, &y));    // beyond the segment
    Get_Point_Along_Line(2, 2, 2, 2, 5, 0, &x, &y);                   // no direction
    EXPECT_DOUBLE_EQ(2.0, x);
    EXPECT_EQ(1, Is_Point_On_Line(0, 0, 2, 1, 4, 2.000004, 5));
    EXPECT_EQ(0, Is_Point_On_Line(0, 0, 2, 1, 4, 2.00001, 5));
    EXPECT_EQ(1, Is_Point_On_Line(3, 0, 3, 1, 3, 99, 5));  // vertical
    double px[] = {5, -1}, py[] = {5, 3};
    Project_Points_On_Line(2, px, py, 0, 0, 1, 1);
    EXPECT_DOUBLE_EQ(1.0, px[1]);
    EXPECT_DOUBLE_EQ(1.0, py[1]);
    Project_Points_On_Line(2, px, py, 3, 3, 3, 3);  // no line: unchanged
    EXPECT_DOUBLE_EQ(1.0, px[1]);
    EXPECT_DOUBLE_EQ(5.0, Get_Point_Line_Distance(1, 1, 1, 1, 4, 5));
}

TEST(PointArraysCircles, OverlapOfTwoCircles)
{
    EXPECT_EQ(0.0, Get_Circle_Overlap_Area(1, 1, 2));
    EXPECT_NEAR(M_PI, Get_Circle_Overlap_Area(1, 1, 0), 1e-15);
    EXPECT_NEAR(M_PI, Get_Circle_Overlap_Area(1, 3, 1.5), 1e-15);  // held inside
    EXPECT_NEAR(2 * M_PI / 3 - std::sqrt(3.0) / 2, Get_Circle_Overlap_Area(1, 1, 1), 1e-12);
    double a, b, c;
    EXPECT_EQ(1, Get_Circle_Overlap_Values(1, 1, 1, &a, &b, &c));
    EXPECT_NEAR(std::sqrt(3.0), b, 1e-12);
    EXPECT_NEAR(1.0, c, 1e-12);
    EXPECT_EQ(0, Get_Circle_Overlap_Values(1, 1, 3, &a, &b, &c));
    EXPECT_EQ(0.0, a);
}

TEST(PointArraysCrossings, SegmentsAndCircles)
{
    double x[2], y[2];
    EXPECT_EQ(1, Intersect_Segments_Slope(0, -1, 0, 1, -1, 0, 1, 0, x, y));  // vertical x horizontal
    EXPECT_DOUBLE_EQ(0.0, x[0]);
    EXPECT_DOUBLE_EQ(0.0, y[0]);
    EXPECT_EQ(0, Intersect_Segments_Slope(0, 0, 1, 0, 0, 1, 1, 1, x, y));  // parallel apart
    EXPECT_EQ(2, Intersect_Segments_Slope(0, 0, 2, 1, 3, 1.5, 1, 0.5, x, y));  // overlap
    EXPECT_DOUBLE_EQ(1.0, x[0]);
    EXPECT_DOUBLE_EQ(2.0, x[1]);
    EXPECT_EQ(1, Intersect_Segments_Slope(0, 0, 0, 1, 0, 1, 0, 3, x, y));  // touching, vertical
    EXPECT_DOUBLE_EQ(1.0, y[0]);
    EXPECT_EQ(0, Intersect_Segments_Slope(0, 0, 0, 1, 0, 1.1, 0, 3, x, y));
    EXPECT_EQ(0, Intersect_Segments_Slope(0, 0, 1, 1, 3, 0, 2, 1, x, y));  // lines cross outside
    EXPECT_EQ(1, Intersect_Lines_Slope(0, 0, 1, 1, 3, 0, 2, 1, x, y));
    EXPECT_DOUBLE_EQ(1.5, x[0]);
    EXPECT_EQ(0, Intersect_Lines_Slope(0, 0, 1, 1, 0, 1, 1, 2, x, y));

    EXPECT_EQ(2, Intersect_Circle_Line(0, 0, 5, -10, 3, 10, 3, x, y));
    EXPECT_DOUBLE_EQ(-4.0, x[0]);
    EXPECT_DOUBLE_EQ(4.0, x[1]);
    EXPECT_EQ(1, Intersect_Circle_Line(0, 0, 5, -10, 5, 10, 5, x, y));  // tangent
    EXPECT_EQ(0, Intersect_Circle_Line(0, 0, 5, -10, 6, 10, 6, x, y));
    EXPECT_EQ(1, Intersect_Circle_Segment(0, 0, 5, 0, 3, 10, 3, x, y));
    EXPECT_DOUBLE_EQ(4.0, x[0]);
    EXPECT_EQ(1, Intersect_Circle_Segment(0, 0, 5, 0, 3, 4, 3, x, y));  // end on the circle
    EXPECT_EQ(0, Intersect_Circle_Segment(0, 0, 5, 0, 0, 3.9, 0, x, y));
}

TEST(PointArraysCrossings, PolylinesCollectPoints)
{
    const double sx[] = {0, 4, 4, 0}, sy[] = {0, 0, 4, 4};
    double* xo = nullptr;
    double* yo = nullptr;
    // The closed square against a circle round its corner (4, 4).
    EXPECT_EQ(2, Intersect_Polyline_Circle(4, sx, sy, 1, 4, 4, 1, &xo, &yo));
    EXPECT_DOUBLE_EQ(4.0, xo[0]);
    EXPECT_DOUBLE_EQ(3.0, yo[0]);
    EXPECT_DOUBLE_EQ(3.0, xo[1]);
    // Open, the closing edge is not searched.
    EXPECT_EQ(1, Intersect_Polyline_Line(4, sx, sy, 0, -1, 2, 5, 2, &xo, &yo));
    EXPECT_EQ(2, Intersect_Polyline_Line(4, sx, sy, 1, -1, 2, 5, 2, &xo, &yo));
    // Through two corners: a point shared by two edges is taken once, also where the
    // closing edge meets the first one.
    EXPECT_EQ(2, Intersect_Polyline_Segment(4, sx, sy, 1, -1, -1, 5, 5, &xo, &yo));
    EXPECT_DOUBLE_EQ(0.0, xo[0]);
    EXPECT_DOUBLE_EQ(4.0, xo[1]);
    const double zx[] = {-1, 5}, zy[] = {2, 2};
    EXPECT_EQ(2, Intersect_Polylines(4, sx, sy, 1, 2, zx, zy, 0, &xo, &yo));
    Free_And_Null(reinterpret_cast<void**>(&xo));
    Free_And_Null(reinterpret_cast<void**>(&yo));
    EXPECT_EQ(nullptr, xo);

    // No crossing leaves null arrays alone.
    EXPECT_EQ(0, Intersect_Polyline_Circle(4, sx, sy, 1, 20, 20, 1, &xo, &yo));
    EXPECT_EQ(nullptr, xo);

    // A zigzag with 13 crossings: the caller's arrays take at most 10.
    std::vector<double> zzx, zzy;
    for (int i = 0; i < 14; ++i) {
        zzx.push_back(i);
        zzy.push_back(i % 2 ? 1 : -1);
    }
    double fx[11], fy[11];
    fx[10] = fy[10] = 123;
    EXPECT_EQ(10, Intersect_Polyline_Line_Max10(14, zzx.data(), zzy.data(), 0, 0, 0, 1, 0, fx, fy));
    EXPECT_EQ(123.0, fx[10]);
    EXPECT_DOUBLE_EQ(0.5, fx[0]);
    const double ax[] = {-1, 20}, ay[] = {0, 0};
    EXPECT_EQ(10, Intersect_Polylines_Max10(14, zzx.data(), zzy.data(), 0, 2, ax, ay, 0, fx, fy));
    EXPECT_EQ(2, Intersect_Polyline_Segment_Max10(4, sx, sy, 1, 2, -1, 2, 5, fx, fy));
    EXPECT_EQ(1, Intersect_Polyline_Circle_Max10(4, sx, sy, 0, 0, 0, 1, fx, fy));
}
