#include "report/drawing_file.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_lines.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

// A graphic block and a drawing stream, with the drawing-file fields set as the opener
// leaves them; the block's head is dropped from what the tests compare.
class PlotPrimitives : public ::testing::Test {
protected:
    void Begin(double x1, double y1, double x2, double y2, double scale, double angle)
    {
        file_ = std::make_unique<File_Stream>();
        graphic_.Begin(x1, y1, x2, y2, scale, scale, angle);
        plot_state.plot_file_stream = file_->get();
        plot_state.colour_count = 5;
        plot_state.pen = 0;
        plot_state.filling = 0;
        plot_state.line_type = 0;
        plot_state.next_entity_number = 1;
        plot_state.next_point_number = 1;
        plot_state.colour_output = 1;
        Plot_Reset_Bounding_Box();
    }
    std::string Records() const { return graphic_.Records(); }
    std::string Entities() const { return file_->bytes(); }
    // The lines of the record text that open with the record number.
    static std::vector<std::string> Lines(const std::string& text, const std::string& start)
    {
        std::vector<std::string> lines;
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find('\n', at);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(at, end - at);
            if (line.compare(0, start.size(), start) == 0) lines.push_back(line);
            at = end + 1;
        }
        return lines;
    }

    Plot_State_Guard guard_;
    Graphic_Capture graphic_;
    std::unique_ptr<File_Stream> file_;
};

}  // namespace

TEST_F(PlotPrimitives, LineRecordAndEntity)
{
    Begin(0.0, 0.0, 10.0, 10.0, 2.0, 0.0);
    Plot_Draw_Line(0.0, 0.0, 1.0, 1.0);
    Plot_Draw_Line(-1.0, 4.0, 3.0, -2.0);
    EXPECT_EQ(Records(), " 1  0.000000 0.000000 2.000000 2.000000\n"
                         " 1  -2.000000 8.000000 6.000000 -4.000000\n");
    EXPECT_EQ(Entities(), "-line @1 ( @1 0.000000 0.000000 ) #2 0 0 1 0.0\n"
                          "-point @2 1.000000 1.000000\n"
                          "-line @2 ( @3 -1.000000 4.000000 ) #4 0 0 1 0.0\n"
                          "-point @4 3.000000 -2.000000\n");
    double xmin, ymin, xmax, ymax;
    Plot_Get_Bounding_Box(&xmin, &ymin, &xmax, &ymax);
    EXPECT_TRUE(xmin == -1.0 && ymin == -2.0 && xmax == 3.0 && ymax == 4.0);
}

TEST_F(PlotPrimitives, TurnedPointsAndMirroredEntities)
{
    // A quarter turn: x' = y, y' = -x. The records are scaled, the entities are not.
    Begin(0.0, 0.0, 10.0, 10.0, 2.0, kPi / 2);
    Plot_Draw_Line(1.0, 0.0, 0.0, 2.0);
    EXPECT_EQ(Records(), " 1  0.000000 -2.000000 4.000000 0.000000\n");
    EXPECT_EQ(Entities(), "-line @1 ( @1 0.000000 -1.000000 ) #2 0 0 1 0.0\n"
                          "-point @2 2.000000 0.000000\n");
    // The bounding box holds the points as given.
    double xmax, ymax;
    Plot_Get_Bounding_Box(nullptr, nullptr, &xmax, &ymax);
    EXPECT_TRUE(xmax == 1.0 && ymax == 2.0);

    // A small angle leaves the window alone but still turns the points.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0004);
    Plot_Draw_Line(10.0, 0.0, 10.0, 0.0);
    char expected[64];
    std::snprintf(expected, sizeof expected, " 1  %lf %lf", 10.0 * std::cos(0.0004),
                  -10.0 * std::sin(0.0004));
    EXPECT_EQ(Records().substr(0, std::string(expected).size()), expected);

    // y mirror mode 2 (window y1 >= y2): the file gets mirror sum - y.
    Begin(0.0, 5.0, 10.0, 1.0, 1.0, 0.0);
    Plot_Draw_Line(0.0, 0.0, 2.0, 1.0);
    EXPECT_EQ(Entities(), "-line @1 ( @1 0.000000 6.000000 ) #2 0 0 1 0.0\n"
                          "-point @2 2.000000 5.000000\n");
}

TEST_F(PlotPrimitives, PolylinesOpenAndClosed)
{
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    const double x[3] = {0.0, 1.0, 1.0};
    const double y[3] = {0.0, 0.0, 1.0};
    Plot_Draw_Polyline(-2, x, y);
    EXPECT_EQ(Lines(Records(), " 1 ").size(), 1u);
    Plot_Draw_Polyline(2, x, y);  // there and back
    EXPECT_EQ(Lines(Records(), " 1 ").size(), 3u);
    Plot_Draw_Polyline(1, x, y);
    Plot_Draw_Polyline(-1, x, y);
    Plot_Draw_Polyline(0, x, y);
    EXPECT_EQ(Lines(Records(), " 1 ").size(), 3u);
    Plot_Draw_Polyline(3, x, y);
    const std::vector<std::string> lines = Lines(Records(), " 1 ");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[5], " 1  1.000000 1.000000 0.000000 0.000000");
}

TEST_F(PlotPrimitives, FilledPolygonsWriteTheirAreaOnlyWithAFilling)
{
    Begin(0.0, 0.0, 10.0, 10.0, 2.0, 0.0);
    Plot_Set_Pen(4);
    Plot_Set_Filling(5);
    double x[3] = {0.0, 2.0, 1.0};
    double y[3] = {0.0, 0.0, 1.5};
    Plot_Fill_Triangle(x, y);
    EXPECT_EQ(Records(), " 18 3 0.000000 0.000000 4.000000 0.000000 2.000000 3.000000 \n");
    EXPECT_EQ(Entities(), "-area / 0 5\n 3 0 ( @1 ( @1 0.000000 0.000000 ) #2 4 0 1 0.0 )\n"
                          " 0 ( @2 ( @2 2.000000 0.000000 ) #3 4 0 1 0.0 )\n"
                          " 0 ( @3 ( @3 1.000000 1.500000 ) #1 4 0 1 0.0 )\n");

    // One point: the area's row refers to its own point. No point: nothing at all.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    double px[1] = {1.0}, py[1] = {2.0};
    Plot_Fill_Polygon(1, px, py);
    Plot_Fill_Polygon(0, px, py);
    Plot_Fill_Polygon(-4, px, py);
    EXPECT_EQ(Records(), " 18 1 1.000000 2.000000 \n");
    EXPECT_EQ(Entities(), "-area / 0 0\n 1 0 ( @1 ( @1 1.000000 2.000000 ) #1 0 0 1 0.0 )\n");

    // Without a filling, and for the colour-only polygon without colour output.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Set_Filling(-1);
    double qx[4] = {0.0, 1.0, 1.0, 0.0}, qy[4] = {0.0, 0.0, 1.0, 1.0};
    Plot_Fill_Quad(qx, qy);
    Plot_Fill_Rectangle(0.0, 0.0, 1.0, 1.0);
    Plot_Fill_Disc(0.0, 0.0, 1.0);
    plot_state.colour_output = 0;
    Plot_Fill_Polygon_If_Colour(4, qx, qy);
    EXPECT_EQ(Lines(Records(), " 18 ").size(), 2u);
    EXPECT_EQ(Lines(Records(), " 24 ").size(), 1u);
    EXPECT_EQ(Entities(), "");

    // The caller's arrays come back (to the last bits) after a turned graphic.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.7);
    double tx[3] = {0.3, 2.0, 1.0}, ty[3] = {0.1, 0.0, 1.5};
    Plot_Fill_Triangle(tx, ty);
    EXPECT_NEAR(tx[0], 0.3, 1e-12);
    EXPECT_NEAR(ty[2], 1.5, 1e-12);
}

TEST_F(PlotPrimitives, RectangleCornersFollowTheWindow)
{
    // x forwards, mode 0: left x, upper y, right x, lower y, whichever corners are given.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Fill_Rectangle(2.0, 3.0, 1.0, 1.0);
    EXPECT_EQ(Records(), " 24  1.000000 3.000000 2.000000 1.000000\n");
    EXPECT_EQ(Entities(), "-area / 0 0\n 4 0 ( @1 ( @1 1.000000 1.000000 ) #2 0 0 0 0.0 )\n"
                          " 0 ( @2 ( @2 1.000000 3.000000 ) #3 0 0 0 0.0 )\n"
                          " 0 ( @3 ( @3 2.000000 3.000000 ) #4 0 0 0 0.0 )\n"
                          " 0 ( @4 ( @4 2.0000 1.0000 ) #1 0 0 0 0.0 )\n");

    // x backwards, mode 2: xa the larger x, ya the larger y; the file mirrors y.
    Begin(10.0, 10.0, 0.0, 0.0, 1.0, 0.0);
    Plot_Fill_Rectangle(1.0, 1.0, 2.0, 3.0);
    EXPECT_EQ(Records(), " 24  2.000000 1.000000 1.000000 3.000000\n");
    EXPECT_EQ(Lines(Entities(), " 0 ( @4")[0], " 0 ( @4 ( @4 1.0000 7.0000 ) #1 0 0 0 0.0 )");

    // The pattern rectangle brings its own fill index and area kind.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Fill_Area_Pattern(0.0, 0.0, 1.0, 1.0, 7, 2);
    EXPECT_EQ(Records(), " 20  7\n 24  0.000000 1.000000 1.000000 0.000000\n");
    EXPECT_EQ(Entities().substr(0, 16), "-area / 2 0\n 4 0");
}

TEST_F(PlotPrimitives, ArcVerticesLieOnFixedMultiplesOfTheStep)
{
    // 10 to 20 degrees: inside lie pi/16 and 3 pi/32 only; the chain ends on 20 degrees.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Arc(0.0, 0.0, 2.0, 10.0, 10.0);
    EXPECT_EQ(Records(), " 1  0.984808 0.173648 0.980785 0.195090\n"
                         " 1  0.980785 0.195090 0.956940 0.290285\n"
                         " 1  0.956940 0.290285 0.939693 0.342020\n");
    EXPECT_EQ(Entities().substr(0, 15), "-opengroup\n-lin");
    EXPECT_EQ(Entities().substr(Entities().size() - 12), "-closegroup\n");

    // Above 180 degrees the step is pi/16: the first inner vertex is at 11.25 degrees, not
    // at 10 + 11.25.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Arc(0.0, 0.0, 2.0, 10.0, 200.0);
    std::vector<std::string> lines = Lines(Records(), " 1 ");
    ASSERT_EQ(lines.size(), 19u);  // 18 inner vertices, 11.25 .. 202.5 degrees
    EXPECT_EQ(lines[0], " 1  0.984808 0.173648 0.980785 0.195090");
    EXPECT_EQ(lines[18], " 1  -0.923880 -0.382683 -0.866025 -0.500000");

    // -90 through 180 runs from 270 to 450 degrees; a vertex on the end point leaves a
    // last segment of no length.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Arc(1.0, 1.0, 2.0, -90.0, 180.0);
    lines = Lines(Records(), " 1 ");
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[0].substr(0, 22), " 1  1.000000 0.000000 ");
    EXPECT_EQ(lines[15], " 1  1.995185 0.901983 2.000000 1.000000");  // through 0 degrees
    EXPECT_EQ(lines[32], " 1  1.000000 2.000000 1.000000 2.000000");

    // A negative sweep is the complementary arc, counter-clockwise: 0 to 270 degrees.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Arc(0.0, 0.0, 2.0, 0.0, -90.0);
    lines = Lines(Records(), " 1 ");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], " 1  1.000000 0.000000 0.995185 0.098017");
    EXPECT_EQ(lines.back().substr(lines.back().size() - 10), " -1.000000");  // at 270 degrees
    EXPECT_NE(Records().find(" -1.000000 0.000000"), std::string::npos);

    // Angles without a value draw nothing and do not hang.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Arc(0.0, 0.0, 2.0, -INFINITY, 90.0);
    Plot_Draw_Arc(0.0, 0.0, 2.0, NAN, 90.0);
    EXPECT_EQ(Records(), "");
    Plot_Draw_Arc(0.0, 0.0, 2.0, -1e300, 90.0);
    EXPECT_LE(Lines(Records(), " 1 ").size(), 70u);
}

TEST_F(PlotPrimitives, FullCircleAndDisc)
{
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Arc(0.0, 0.0, 2.0, 0.0, 360.0);
    EXPECT_EQ(Lines(Records(), " 1 ").size(), 33u);  // steps of pi/16, last of no length

    Begin(0.0, 0.0, 10.0, 10.0, 2.0, 0.0);
    Plot_Set_Pen(1);
    Plot_Set_Filling(2);
    Plot_Fill_Disc(1.0, 1.0, 2.0);
    const std::string records = Records();
    EXPECT_EQ(records.substr(0, 46), " 18 32 4.000000 2.000000 3.961571 2.390181 3.8");
    EXPECT_EQ(records.substr(records.size() - 19), " 3.961571 1.609819\n");
    EXPECT_EQ(Entities(), "-opengroup\n-area / 0 2\n 2"
                          " 0 ( @1 ( @1 1.000000 2.000000 ) #2 1 0 0 1.000000 )\n"
                          " 0 ( @2 ( @2 1.000000 0.000000 ) #1 1 0 0 1.000000 )\n"
                          "-closegroup\n");
    double xmin, xmax;
    Plot_Get_Bounding_Box(&xmin, nullptr, &xmax, nullptr);
    EXPECT_TRUE(xmin == -1.0 && xmax == 3.0);  // a diameter on each side
}

TEST_F(PlotPrimitives, SectorsRingsAndContours)
{
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Fill_Sector(0.0, 0.0, 2.0, 0.0, 90.0);
    EXPECT_EQ(Records().substr(0, 40), " 18 10 0.000000 0.000000 1.000000 0.0000");
    EXPECT_EQ(Entities().substr(0, 30), "-opengroup\n-area / 0 0\n 10 0 (");

    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Fill_Ring(0.0, 0.0, 4.0, 2.0);
    EXPECT_EQ(Records().substr(0, 7), " 18 66 ");
    EXPECT_EQ(Entities(), "-opengroup\n-area / 1 0\n"
                          " 2 0 ( @1 ( @1 0.000000 2.000000 ) #2 0 0 0 2.000000 )\n"
                          " 0 ( @2 ( @2 0.000000 -2.000000 ) #1 0 0 0 2.000000 )\n"
                          " 2 0 ( @3 ( @3 0.000000 1.000000 ) #4 0 0 0 1.000000 )\n"
                          " 0 ( @4 ( @4 0.000000 -1.000000 ) #3 0 0 0 1.000000 )\n"
                          "-closegroup\n");

    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    double x[5] = {0, 3, 0, 1, 1}, y[5] = {0, 0, 3, 1, 2};
    const int counts[2] = {3, 2};
    Plot_Fill_Contours(2, counts, x, y);
    EXPECT_EQ(Records(), " 18 3 0.000000 0.000000 3.000000 0.000000 0.000000 3.000000 \n"
                         " 18 2 1.000000 1.000000 1.000000 2.000000 \n");
    EXPECT_EQ(Entities(), "-area / 1 0\n"
                          " 3 0 ( @1 ( @1 0.000000 0.000000 ) #2 0 0 1 0.0 )\n"
                          " 0 ( @2 ( @2 3.000000 0.000000 ) #3 0 0 1 0.0 )\n"
                          " 0 ( @3 ( @3 0.000000 3.000000 ) #1 0 0 1 0.0 )\n"
                          " 2 0 ( @4 ( @4 1.000000 1.000000 ) #5 0 0 1 0.0 )\n"
                          " 0 ( @5 ( @5 1.000000 2.000000 ) #4 0 0 1 0.0 )\n");
    const int bad[2] = {3, 0};
    Plot_Fill_Contours(2, bad, x, y);
    Plot_Fill_Contours(0, counts, x, y);
    EXPECT_EQ(Lines(Records(), " 18 ").size(), 2u);
}

TEST_F(PlotPrimitives, OutlinesArrowsAndBands)
{
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    plot_state.colour_records = 0;
    Plot_Draw_Arrow(0.0, 0.0, 4.0, 0.0, 1.0, 0.5);
    EXPECT_EQ(Records(), " 30\n 1  0.000000 0.000000 4.000000 0.000000\n"
                         " 1  0.000000 0.000000 1.000000 0.250000\n"
                         " 1  0.000000 0.000000 1.000000 -0.250000\n 31\n");

    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Thick_Line(0.0, 0.0, 0.0, 2.0, 1.0, 1);
    EXPECT_EQ(Lines(Records(), " 18 4 ").size(), 1u);
    EXPECT_EQ(Lines(Records(), " 1 ").size(), 4u);
    EXPECT_EQ(Lines(Records(), " 1 ")[0].substr(0, 13), " 1  0.500000 ");
    EXPECT_EQ(Lines(Records(), " 1 ")[0].substr(22), " 0.500000 2.000000");
    plot_state.colour_output = 0;
    Plot_Draw_Thick_Line(0.0, 0.0, 0.0, 2.0, 1.0, 0);
    EXPECT_EQ(Lines(Records(), " 18 ").size(), 1u);

    // The report-only records write no entity.
    Begin(0.0, 0.0, 10.0, 10.0, 1.0, 0.0);
    Plot_Draw_Line_Record(1.0, 1.0, 0.0, 0.0, 1.0, 0.0);
    Plot_Draw_Arc_Record(0.0, 0.0, 2.0, 10.0, 10.0);
    EXPECT_EQ(Lines(Records(), " 1 ").size(), 4u);
    EXPECT_EQ(Lines(Records(), " 1 ")[0], " 1  1.000000 1.000000 2.000000 1.000000");
    EXPECT_EQ(Entities(), "");
}
