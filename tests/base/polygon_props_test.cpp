#include "base/polygon_props.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Poly {
    std::vector<double> x, y;
    int n() const { return static_cast<int>(x.size()); }
};

Poly Reversed(Poly p)
{
    std::reverse(p.x.begin(), p.x.end());
    std::reverse(p.y.begin(), p.y.end());
    return p;
}

const Poly kSquare{{0, 1, 1, 0}, {0, 0, 1, 1}};
// An L of a 2 x 1 strip below and a 1 x 1 block on its left end.
const Poly kL{{0, 2, 2, 1, 1, 0}, {0, 0, 1, 1, 2, 2}};

}  // namespace

TEST(PolygonProps, UnitSquareValuesBothOrientations)
{
    for (const bool clockwise : {false, true}) {
        SCOPED_TRACE(clockwise ? "clockwise" : "counter-clockwise");
        const Poly p = clockwise ? Reversed(kSquare) : kSquare;
        const double s = clockwise ? -1.0 : 1.0;
        double xs, ys;
        EXPECT_EQ(0, Get_Polygon_Centroid(p.n(), p.x.data(), p.y.data(), &xs, &ys));
        EXPECT_DOUBLE_EQ(0.5, xs);
        EXPECT_DOUBLE_EQ(0.5, ys);
        EXPECT_DOUBLE_EQ(1.0, Get_Polygon_Area(p.n(), p.x.data(), p.y.data()));
        EXPECT_DOUBLE_EQ(4.0, Get_Polygon_Perimeter(p.n(), p.x.data(), p.y.data()));
        EXPECT_DOUBLE_EQ(s * 0.5, Get_Polygon_Static_Moment_X(p.n(), p.x.data(), p.y.data()));
        EXPECT_DOUBLE_EQ(s * 0.5, Get_Polygon_Static_Moment_Y(p.n(), p.x.data(), p.y.data()));
        EXPECT_DOUBLE_EQ(s / 3.0, Get_Polygon_Inertia_X(p.n(), p.x.data(), p.y.data()));
        EXPECT_DOUBLE_EQ(s / 3.0, Get_Polygon_Inertia_Y(p.n(), p.x.data(), p.y.data()));
        EXPECT_DOUBLE_EQ(s * 0.25, Get_Polygon_Product_Moment(p.n(), p.x.data(), p.y.data()));
    }
}

TEST(PolygonProps, NonConvexAndTriangleAgreeWithComposedParts)
{
    const Plane_Point c = Get_Polygon_Centroid_Point(kL.n(), kL.x.data(), kL.y.data());
    EXPECT_NEAR(2.5 / 3.0, c.x, 1e-12);
    EXPECT_NEAR(2.5 / 3.0, c.y, 1e-12);
    EXPECT_DOUBLE_EQ(3.0, Get_Polygon_Area(kL.n(), kL.x.data(), kL.y.data()));
    EXPECT_DOUBLE_EQ(8.0, Get_Polygon_Perimeter(kL.n(), kL.x.data(), kL.y.data()));
    // Ix of the strip (2 * 1^3 / 3) plus the block (1 * (8 - 1) / 3).
    EXPECT_NEAR(2.0 / 3.0 + 7.0 / 3.0, Get_Polygon_Inertia_X(kL.n(), kL.x.data(), kL.y.data()), 1e-12);

    // Right triangle with legs b = 3 (x) and h = 2 (y): Ix about its base b h^3 / 12.
    const double tx[] = {0, 3, 0}, ty[] = {0, 0, 2};
    EXPECT_NEAR(3.0 * 8.0 / 12.0, Get_Polygon_Inertia_X(3, tx, ty), 1e-12);
    EXPECT_NEAR(27.0 * 2.0 / 12.0, Get_Polygon_Inertia_Y(3, tx, ty), 1e-12);
    EXPECT_NEAR(9.0 * 4.0 / 24.0, Get_Polygon_Product_Moment(3, tx, ty), 1e-12);
    const Plane_Point tc = Get_Polygon_Centroid_Point(3, tx, ty);
    EXPECT_NEAR(1.0, tc.x, 1e-12);
    EXPECT_NEAR(2.0 / 3.0, tc.y, 1e-12);
}

TEST(PolygonProps, RepeatedAndCollinearVerticesChangeNothing)
{
    // The square with its first vertex repeated at the end and a vertex in mid-edge.
    const double x[] = {0, 0.5, 1, 1, 0, 0}, y[] = {0, 0, 0, 1, 1, 0};
    double xs, ys;
    Get_Polygon_Centroid(6, x, y, &xs, &ys);
    EXPECT_NEAR(0.5, xs, 1e-12);
    EXPECT_NEAR(0.5, ys, 1e-12);
    EXPECT_DOUBLE_EQ(1.0, Get_Polygon_Area(6, x, y));
    EXPECT_DOUBLE_EQ(4.0, Get_Polygon_Perimeter(6, x, y));
    EXPECT_NEAR(1.0 / 3.0, Get_Polygon_Inertia_X(6, x, y), 1e-12);
}

TEST(PolygonProps, OutlinesWithoutAreaGiveFiniteValues)
{
    // All on one line: no area, the centroid is the mean of the vertices, not a NaN.
    const double lx[] = {0, 1, 3}, ly[] = {0, 1, 3};
    double xs, ys;
    Get_Polygon_Centroid(3, lx, ly, &xs, &ys);
    EXPECT_DOUBLE_EQ(4.0 / 3.0, xs);
    EXPECT_DOUBLE_EQ(4.0 / 3.0, ys);
    EXPECT_DOUBLE_EQ(0.0, Get_Polygon_Area(3, lx, ly));
    EXPECT_NEAR(2.0 * 3.0 * std::sqrt(2.0), Get_Polygon_Perimeter(3, lx, ly), 1e-12);

    // One point, repeated.
    const double px[] = {2, 2, 2}, py[] = {-1, -1, -1};
    Get_Polygon_Centroid(3, px, py, &xs, &ys);
    EXPECT_DOUBLE_EQ(2.0, xs);
    EXPECT_DOUBLE_EQ(-1.0, ys);

    // Two vertices: the closing edge runs the segment back.
    EXPECT_NEAR(4.0 * std::sqrt(2.0), Get_Polygon_Perimeter(2, lx + 1, ly + 1), 1e-12);

    double b = 1, h = 1, angle = 1;
    double mx[] = {0, 1, 3}, my[] = {0, 1, 3};
    Get_Polygon_Principal_Axes(3, mx, my, &b, &h, &angle);
    EXPECT_EQ(0.0, b);
    EXPECT_EQ(0.0, h);
    EXPECT_EQ(0.0, angle);
}

TEST(PolygonProps, EmptyPolygon)
{
    double xs = 0, ys = 0;
    Get_Polygon_Centroid(0, nullptr, nullptr, &xs, &ys);
    EXPECT_TRUE(std::isnan(xs));
    EXPECT_TRUE(std::isnan(ys));
    EXPECT_EQ(0.0, Get_Polygon_Area(0, nullptr, nullptr));
    EXPECT_EQ(0.0, Get_Polygon_Perimeter(-1, nullptr, nullptr));
    EXPECT_EQ(0.0, Get_Polygon_Inertia_X(0, nullptr, nullptr));
    EXPECT_EQ(0.0, Get_Polygon_Product_Moment(0, nullptr, nullptr));
    double b, h, angle;
    Get_Polygon_Principal_Axes(0, nullptr, nullptr, &b, &h, &angle);
    EXPECT_TRUE(std::isnan(b) && std::isnan(h) && std::isnan(angle));
}

TEST(PolygonProps, PrincipalAxesOfRectangles)
{
    for (const bool clockwise : {false, true}) {
        SCOPED_TRACE(clockwise ? "clockwise" : "counter-clockwise");
        Poly r{{1, 3, 3, 1}, {5, 5, 6, 6}};  // 2 wide, 1 high
        if (clockwise) r = Reversed(r);
        double b, h, angle;
        EXPECT_EQ(0, Get_Polygon_Principal_Axes(r.n(), r.x.data(), r.y.data(), &b, &h, &angle));
        EXPECT_NEAR(0.0, angle, 1e-12);
        EXPECT_NEAR(1.0, h, 1e-12);
        EXPECT_NEAR(2.0, b, 1e-12);
        // The vertices stay centred on the origin.
        for (int i = 0; i < r.n(); ++i) {
            EXPECT_NEAR(1.0, std::fabs(r.x[i]), 1e-12);
            EXPECT_NEAR(0.5, std::fabs(r.y[i]), 1e-12);
        }
    }

    // Turned counter-clockwise by t: the angle is -t folded into -pi/4..pi/4; past 45
    // degrees the long side counts as the height.
    struct Case {
        double turn, angle, b, h;
    };
    for (const Case c : {Case{M_PI / 6, -M_PI / 6, 2, 1}, Case{-M_PI / 6, M_PI / 6, 2, 1},
                         Case{M_PI / 3, M_PI / 6, 1, 2}}) {
        SCOPED_TRACE(c.turn);
        std::vector<double> x{-1, 1, 1, -1}, y{-0.5, -0.5, 0.5, 0.5};
        for (int i = 0; i < 4; ++i) {
            const double u = x[i], v = y[i];
            x[i] = u * std::cos(c.turn) - v * std::sin(c.turn) + 7.0;
            y[i] = u * std::sin(c.turn) + v * std::cos(c.turn) - 2.0;
        }
        double b, h, angle;
        Get_Polygon_Principal_Axes(4, x.data(), y.data(), &b, &h, &angle);
        EXPECT_NEAR(c.angle, angle, 1e-12);
        EXPECT_NEAR(c.b, b, 1e-9);
        EXPECT_NEAR(c.h, h, 1e-9);
    }
}

TEST(PolygonProps, PrincipalAxesWhereEveryDirectionIsPrincipal)
{
    double x[] = {0, 2, 2, 0}, y[] = {0, 0, 2, 2};
    double b, h, angle;
    Get_Polygon_Principal_Axes(4, x, y, &b, &h, &angle);
    EXPECT_FALSE(std::isnan(angle));
    EXPECT_NEAR(2.0, b, 1e-12);
    EXPECT_NEAR(2.0, h, 1e-12);
}
