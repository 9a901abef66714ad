#include "report/plot_annotations.h"
#include "report/plot_diagrams.h"

#include "report/drawing_file.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/plot_state.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class PlotAnnotations : public ::testing::Test {
protected:
    void Begin(double scale = 1.0)
    {
        graphic_.Begin(0.0, 0.0, 10.0, 10.0, scale, scale, 0.0);
        plot_state.plot_file_stream = nullptr;
        plot_state.colour_output = 1;
        plot_state.colour_records = 1;
        plot_state.diagram_switch = 1;
    }
    std::string Records() const { return graphic_.Records(); }

    Plot_State_Guard guard_;
    Graphic_Capture graphic_;
};

const std::string kHead = "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n";

}  // namespace

TEST_F(PlotAnnotations, RebarAnnotationRecords)
{
    Begin();
    EXPECT_EQ(Plot_Draw_Rebar_Annotation(0.0, 0.0, 10.0, 0.0, 0.1, 2, 4, 5.65, 15.0, 0.035, 3.0, 2), 1);
    EXPECT_EQ(Records(), Cp850(" 30\n 52\n 4 1\n 38 0   0\n"
                               " 1  -0.100000 0.000000 10.100000 0.000000\n"
                               " 1  0.000000 0.600000 0.000000 -0.440000\n"
                               " 1  10.000000 0.600000 10.000000 -0.440000\n"
                               " 1  -0.060000 -0.060000 0.060000 0.060000\n"
                               " 1  9.940000 -0.060000 10.060000 0.060000\n"
                               " 13 0.210000\n 8 6\n"
                               " 14 0.000000 0\n"
                               " 10 5.000000 0.160000 5.000000 0.160000 210 « 5.65 cm\xFD»\n"
                               " 27 4.4 0.5 %FONT%\\DURCHM.OCM\n"
                               " 14 0.000000 0\n"
                               " 10 5.000000 0.480000 5.000000 0.480000 210 «   16/15.0»\n"
                               " 13 0.180000\n"
                               " 14 0.000000 0\n"
                               " 10 5.000000 -0.160000 5.000000 -0.160000 210 «C=4cm V=3»\n"
                               " 14 0.000000 0\n"
                               " 10 5.000000 -0.400000 5.000000 -0.400000 210 «BSt 500S Nr. 2»\n"
                               " 31\n 53\n"));
}

TEST_F(PlotAnnotations, RebarAnnotationLimitsAndState)
{
    Begin();
    EXPECT_EQ(Plot_Draw_Rebar_Annotation(0.0, 0.0, 4.9, 0.0, 0.1, 2, 4, 1.0, 1.0, 0.0, 0.0, 0), 0);
    EXPECT_EQ(Records(), "");

    // Unknown grade and diameter indices give no name and 0 mm; the state comes back.
    File_Stream file;
    plot_state.plot_file_stream = file.get();
    plot_state.pen = 5;
    plot_state.font = 7;
    plot_state.rotation = 0.25;
    plot_state.text_angle = 1.0;
    EXPECT_EQ(Plot_Draw_Rebar_Annotation(0.0, 0.0, 10.0, 0.0, 0.1, 9, 10, 1.0, 10.0, 0.0, 0.0, 0), 1);
    const std::string records = Records();
    EXPECT_NE(records.find(Cp850("«   0/10.0»")), std::string::npos);
    EXPECT_NE(records.find(Cp850("«»")), std::string::npos);
    EXPECT_EQ(plot_state.pen, 5);
    EXPECT_EQ(plot_state.font, 7);
    EXPECT_EQ(plot_state.rotation, 0.25);
    EXPECT_EQ(plot_state.text_angle, 1.0);
    plot_state.plot_file_stream = nullptr;

    EXPECT_STREQ(Plot_Rebar_Grade_Name(0), "BSt 220/340");
    EXPECT_STREQ(Plot_Rebar_Grade_Name(-1), "");
    EXPECT_EQ(Plot_Rebar_Diameter_Mm(9), 28);
    EXPECT_EQ(Plot_Rebar_Diameter_Mm(11), 0);
}

TEST_F(PlotAnnotations, DrawingTextBlockIsOneGroupOfFourTexts)
{
    Begin(2.0);
    File_Stream file;
    plot_state.plot_file_stream = file.get();
    plot_state.font = 3;
    Plot_Write_Drawing_Text_Block(1.0, 2.5, 12);
    // The graphic's records in record units (scale 2), the file's entities in drawing units.
    const struct { const char* record_x; const char* entity_x; } texts[] = {
        {"2.000000", "1.000000"}, {"2.020000", "1.010000"}, {"2.040000", "1.020000"}, {"2.060000", "1.030000"}};
    std::string records, entities = "-opengroup\n";
    for (const auto& t : texts) {
        records += std::string(" 2 ") + t.record_x + " 5.000000 \xAE" "12\xAF\n";
        entities += std::string("-text / 1 3 3 2 1 7 ") + t.entity_x + " 2.500000 0. 1.2 0. 0.\n    \xAE" "12\xAF\n";
    }
    EXPECT_EQ(Records(), records);
    EXPECT_EQ(file.bytes(), entities + "-closegroup\n");

    // Without a drawing file only the graphic's texts.
    plot_state.plot_file_stream = nullptr;
    Plot_Write_Drawing_Text_Block(0.0, 0.0, -4);
    EXPECT_EQ(Count_Of(Records(), "\xAE-4\xAF"), 4);
    EXPECT_EQ(file.bytes(), entities + "-closegroup\n");
}

TEST_F(PlotAnnotations, MemberDiagramRecords)
{
    Begin();
    Member_Diagram d;
    Member_Diagram_Init(&d, 2);
    d.x2 = 4.0;
    d.positions[1] = 4.0;
    d.values[0] = 1.0;
    d.values[1] = -0.5;
    d.first_letter = 0;
    Plot_Draw_Member_Diagram(&d);
    EXPECT_EQ(Records(), Cp850(" 30\n 52\n 4 1\n 38 0   0\n"
                               " 1  0.000000 0.000000 4.000000 0.000000\n"
                               " 20  11\n"
                               " 18 4 0.000000 0.000000 0.000000 1.000000 4.000000 -0.500000 4.000000 0.000000 \n"
                               " 4 2\n"
                               " 1  0.000000 0.000000 0.000000 1.000000\n"
                               " 1  0.000000 1.000000 4.000000 -0.500000\n"
                               " 1  4.000000 -0.500000 4.000000 0.000000\n"
                               " 1  4.000000 0.000000 0.000000 0.000000\n"
                               " 13 0.250000\n"
                               " 9 0.000000 1.150000 0.000000 1.150000 210 «1.00»\n"
                               " 9 4.000000 -0.650000 4.000000 -0.650000 210 «-0.50»\n"
                               " 31\n 53\n"));

    // Inner values get dashed ordinates; the ends their letters in circles.
    Member_Diagram e;
    Member_Diagram_Init(&e, 3);
    e.x2 = 4.0;
    e.positions[1] = 2.0;
    e.positions[2] = 4.0;
    e.values[1] = 2.0;
    graphic_.Skip();
    Plot_Draw_Member_Diagram(&e);
    const std::string records = Records();
    EXPECT_NE(records.find(" 38 2 0.1 0.1 0\n 1  2.000000 0.000000 2.000000 2.000000\n 38 0   0\n"),
              std::string::npos);
    EXPECT_NE(records.find(Cp850("210 «A»\n")), std::string::npos);
    EXPECT_NE(records.find(Cp850("210 «B»\n")), std::string::npos);

    // Too short a member or no values: nothing.
    graphic_.Skip();
    e.x2 = 0.05;
    Plot_Draw_Member_Diagram(&e);
    Member_Diagram_Free(&e);
    EXPECT_EQ(e.n, 0);
    EXPECT_EQ(e.values, nullptr);
    e.x2 = 4.0;
    Plot_Draw_Member_Diagram(&e);
    EXPECT_EQ(Records(), "");
    Member_Diagram_Free(&d);
}

TEST_F(PlotAnnotations, MemberDiagramCopyIsDeep)
{
    Member_Diagram a, b;
    Member_Diagram_Init(&a, 3);
    Member_Diagram_Init(&b, 1);
    a.values[2] = 7.0;
    a.decimals = 1;
    Member_Diagram_Copy(&b, &a);
    ASSERT_EQ(b.n, 3);
    EXPECT_NE(b.values, a.values);
    EXPECT_EQ(b.values[2], 7.0);
    EXPECT_EQ(b.decimals, 1);
    a.values[2] = 1.0;
    EXPECT_EQ(b.values[2], 7.0);

    Member_Diagram_Copy(&a, &a);  // onto itself: unchanged, nothing freed
    ASSERT_NE(a.values, nullptr);
    EXPECT_EQ(a.values[2], 1.0);

    Member_Diagram empty;
    Member_Diagram_Init(&empty, -4);
    EXPECT_EQ(empty.n, 0);
    EXPECT_EQ(empty.positions, nullptr);
    Member_Diagram_Copy(&b, &empty);
    EXPECT_EQ(b.n, 0);
    EXPECT_EQ(b.values, nullptr);
    Member_Diagram_Free(&a);
    Member_Diagram_Free(&b);
    Member_Diagram_Free(&empty);
}

TEST_F(PlotAnnotations, DiagramFrameAndItsEnd)
{
    Diagram_Options o;
    EXPECT_EQ(Diagram_Options_Defaults(&o), &o);
    EXPECT_EQ(o.width, 5.0);
    EXPECT_EQ(o.x_max, 100.0);
    EXPECT_EQ(o.y_tick_step, -1.0);

    oli_channel_mode = OLI_MODE_UNINITIALISED;
    OLI_Reset_Text_Attributes();
    File_Stream out;
    o.x_tick_step = 50.0;
    o.x_caption = "x";
    Plot_Draw_Diagram_Frame(out.get(), &o);
    EXPECT_EQ(plot_state.diagram_switch, 1);
    Plot_End_Diagram();
    const std::string block = out.bytes();
    const std::string start =
        kHead + "-0.500000 4.500000 -0.500000 4.500000\n 13 0.250000\n 16 2.000000\n";
    EXPECT_EQ(block.substr(0, start.size()), start);
    EXPECT_NE(block.find(" 4 1\n 38 0   0\n 1  0.000000 0.000000 4.000000 0.000000\n 20  64\n"
                         " 18 3 4.100000 0.000000 4.000000 0.040000 4.000000 -0.040000 \n"),
              std::string::npos);
    EXPECT_NE(block.find(Cp850(" 9 4.200000 0.000000 4.200000 0.000000 209 «x»\n")), std::string::npos);
    EXPECT_NE(block.find(Cp850(" 13 0.200000\n"
                               " 9 0.000000 -0.120000 0.000000 -0.120000 226 «0»\n"
                               " 9 2.000000 -0.120000 2.000000 -0.120000 226 «50»\n"
                               " 9 4.000000 -0.120000 4.000000 -0.120000 226 «100»\n"
                               " 4 2\n")),
              std::string::npos);
    EXPECT_EQ(block.substr(block.size() - 4), " -1\n");
    EXPECT_EQ(plot_state.plot_graphic_stream, nullptr);

    // An empty range clears the switch: no frame, no end, no curve graphic.
    File_Stream nothing;
    o.x_max = o.x_min + 0.0004;
    Plot_Draw_Diagram_Frame(nothing.get(), &o);
    EXPECT_EQ(plot_state.diagram_switch, 0);
    Plot_End_Diagram();
    const double x[2] = {1.0, 2.0}, y[2] = {1.0, 2.0};
    Plot_Write_Curve_Graphic(nothing.get(), 2, x, y, 0, "c", 4.0, 3.0);
    EXPECT_EQ(nothing.bytes(), "");

    // Margins wider than the diagram leave no room either.
    Diagram_Options_Defaults(&o);
    o.margin_left = 5.0;
    Plot_Draw_Diagram_Frame(nothing.get(), &o);
    EXPECT_EQ(plot_state.diagram_switch, 0);
    EXPECT_EQ(nothing.bytes(), "");
}

TEST_F(PlotAnnotations, CurveGraphicBlock)
{
    File_Stream out;
    plot_state.diagram_switch = 1;
    const double x[3] = {1.0, 2.0, 3.0}, y[3] = {1.0, 4.0, 2.0};
    Plot_Write_Curve_Graphic(out.get(), 3, x, y, 0, "Kurve", 4.0, 3.0);
    EXPECT_EQ(out.bytes(), kHead + "0.000000 4.000000 0.000000 3.000000\n"
                                   " 1  1.333333 0.750000 2.666667 3.000000\n"
                                   " 1  2.666667 3.000000 4.000000 1.500000\n"
                                   " -1\n");
    EXPECT_EQ(plot_state.plot_graphic_stream, nullptr);

    // All values 0: no range to draw over.
    File_Stream flat;
    const double zero[2] = {0.0, 0.0};
    Plot_Write_Curve_Graphic(flat.get(), 2, x, zero, 0, nullptr, 4.0, 3.0);
    EXPECT_EQ(flat.bytes(), "");
}

TEST_F(PlotAnnotations, CurveDiagrams)
{
    Begin();
    const double positions[3] = {0.0, 1.0, 2.0}, values[3] = {1.0, -2.0, 0.5};
    Plot_Draw_Curve_Diagram(0.0, 0.0, 5.0, 5.0, positions, values, 1, "M", "T", 0.25);
    Plot_Draw_Curve_Diagram(0.0, 0.0, 5.0, 5.0, positions, values, 101, "M", "T", 0.25);
    const double close[3] = {0.0, 0.05, 0.09};
    Plot_Draw_Curve_Diagram(0.0, 0.0, 5.0, 5.0, close, values, 3, "M", "T", 0.25);
    Plot_Draw_Curve_Diagram(0.0, 0.0, 0.5, 5.0, positions, values, 3, "M", "T", 0.25);
    EXPECT_EQ(Records(), "");

    Plot_Draw_Curve_Diagram(0.0, 0.0, 5.0, 5.0, positions, values, 3, "M", "Titel", 0.25);
    std::string records = Records();
    EXPECT_NE(records.find(" 20  11\n 18 5 3.250000 0.250000 4.750000 0.250000 0.250000 2.337500 "
                           "4.000000 4.425000 3.250000 4.425000 \n 6 0.015000\n"),
              std::string::npos);
    const size_t outline = records.find(" 6 0.015000\n");
    const size_t axes = records.find(" 6 0.040000\n");
    const size_t ticks = records.find(" 6 0.010000\n");
    EXPECT_LT(outline, axes);
    EXPECT_LT(axes, ticks);
    EXPECT_NE(records.find(Cp850(" 8 6\n 13 0.200000\n 9 0.250000 0.187500 0.250000 0.187500 226 «-2.00»\n")),
              std::string::npos);
    EXPECT_NE(records.find(Cp850(" 7 0\n 23 1 0\n 13 0.250000\n 14 90.000000 0\n")), std::string::npos);
    EXPECT_NE(records.find(Cp850(" 9 2.500000 4.625000 2.500000 4.625000 210 «Titel»\n")),
              std::string::npos);
    EXPECT_EQ(plot_state.text_angle, 0.0);

    // The upright twin: the area is filled whatever the colour output, labels stand upright.
    graphic_.Skip();
    plot_state.colour_output = 0;
    Plot_Draw_Curve_Diagram_Upright(0.0, 0.0, 5.0, 5.0, 0.0, 2.0, values, 3, 0, nullptr, 0.25);
    records = Records();
    EXPECT_NE(records.find(" 20  0\n 18 5 "), std::string::npos);
    EXPECT_EQ(Count_Of(records, " 466 "), 2);  // the extremes only
    graphic_.Skip();
    Plot_Draw_Curve_Diagram_Upright(0.0, 0.0, 5.0, 5.0, 0.0, 2.0, values, 3, 1, nullptr, 0.25);
    EXPECT_EQ(Count_Of(Records(), " 466 "), 3);
    graphic_.Skip();
    Plot_Draw_Curve_Diagram_Upright(0.0, 0.0, 5.0, 5.0, 1.0, 1.05, values, 3, 1, nullptr, 0.25);
    EXPECT_EQ(Records(), "");
}
