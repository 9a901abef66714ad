#include "report/drawing_file.h"
#include "report/plot_colour_records.h"
#include "report/plot_colours.h"
#include "report/plot_label_room.h"
#include "report/plot_labels.h"
#include "report/plot_lines.h"
#include "report/plot_texts.h"
#include "report/string_format.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

class PlotTexts : public ::testing::Test {
protected:
    // A fresh graphic (records scaled by the scale) and drawing stream.
    void Begin(double scale, double angle, bool with_file = true)
    {
        file_ = std::make_unique<File_Stream>();
        graphic_.Begin(0.0, 0.0, 10.0, 10.0, scale, scale, angle);
        plot_state.plot_file_stream = with_file ? file_->get() : nullptr;
        plot_state.colour_count = 5;
        plot_state.pen = 0;
        plot_state.filling = -1;
        plot_state.font = 0;
        plot_state.colour_records = 1;
        plot_state.colour_output = 1;
        plot_state.lightness_percent = 0.0;
        plot_state.line_colour_factor = 0.0;
    }
    std::string Records() const { return graphic_.Records(); }
    std::string Entities() const { return file_->bytes(); }

    Plot_State_Guard guard_;
    Graphic_Capture graphic_;
    std::unique_ptr<File_Stream> file_;
};

}  // namespace

TEST_F(PlotTexts, AnchorCodesAndKeypadNumbers)
{
    EXPECT_EQ(Plot_Anchor_Code(2, 3), 0xE1);
    EXPECT_EQ(Plot_Anchor_Keypad(2, 3), 7);
    EXPECT_EQ(Plot_Anchor_Code(0, 1), 0xCC);
    EXPECT_EQ(Plot_Anchor_Keypad(0, 1), 3);
    EXPECT_EQ(Plot_Anchor_Code(5, 5), 0xE1);
    EXPECT_EQ(Plot_Anchor_Keypad(5, 5), 5);  // defined only for 0, 4, 2 by 3, 4, 1
    EXPECT_EQ(Plot_Anchor_Code(4, 4), PLOT_ANCHOR_CENTRED);
    const int keypad[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
    const int vertical[3] = {2, 4, 0}, horizontal[3] = {3, 4, 1};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(Plot_Anchor_Keypad(vertical[r], horizontal[c]), keypad[r][c]);
    EXPECT_EQ(Plot_Anchor_Keypad(2, 2), 5);
    EXPECT_EQ(Plot_Anchor_Keypad(1, 4), 5);

    Begin(2.0, 0.0);
    plot_state.text_angle = 0.5;
    Plot_Set_Font(3);
    Plot_Write_Text_Anchored(1.0, 2.0, 2, 3, "%s %d", "Pos", 4);
    EXPECT_EQ(Records(), Cp850(" 9 2.000000 4.000000 2.000000 4.000000 225 «Pos 4»\n"));
    EXPECT_EQ(Entities(), Cp850("-text / 1 6 3 2 1 7 1.000000 2.000000 28.647890 1.2 0. 0.\n"
                                "    «Pos 4»\n"));
}

TEST_F(PlotTexts, AngledTextsTurnThePointAndCarryBothAngles)
{
    Begin(1.0, 0.0);
    Plot_Set_Text_Angle(kPi / 2);
    Plot_Write_Text(1.0, 2.0, "A");
    EXPECT_EQ(Records(), Cp850(" 14 90.000000 0\n 3 1.000000 2.000000 «A»\n"));
    EXPECT_EQ(Entities(), Cp850("-text / 1 2 0 2 1 7 1.000000 2.000000 90.000000 1.2 0. 0.\n"
                                "    «A»\n"));

    // A turned graphic: record 14 carries text angle - rotation, the entity the sum.
    Begin(2.0, kPi / 2);
    Plot_Set_Text_Angle(kPi / 6);
    Plot_Write_Text_Centred_Angled(0.0, 1.0, "B");
    Plot_Write_Text_Anchored_Angled(0.0, 1.0, 0, 4, "%c", 'C');
    EXPECT_EQ(Records(), Cp850(" 14 -60.000000 0\n"
                               " 10 2.000000 0.000000 2.000000 0.000000 210 «B»\n"
                               " 14 -60.000000 0\n"
                               " 10 2.000000 0.000000 2.000000 0.000000 202 «C»\n"));
    EXPECT_EQ(Entities(), Cp850("-text / 1 2 0 2 1 5 1.000000 0.000000 120.000000 1.2 0. 0.\n"
                                "    «B»\n"
                                "-text / 1 2 0 2 1 2 1.000000 0.000000 120.000000 1.2 0. 0.\n"
                                "    «C»\n"));
}

TEST_F(PlotTexts, FlatTextsKeepThePointAndTheirOwnAnchors)
{
    Begin(1.0, 0.3);
    plot_state.y_mirror_mode = 2;
    plot_state.mirror_sum = 10.0;
    Plot_Write_Text_Centred(1.0, 2.0, "c");
    Plot_Write_Text_Plain(1.0, 2.0, "p");
    Plot_Write_Text_Anchor6(1.0, 2.0, "6");
    Plot_Write_Text_Anchor8(1.0, 2.0, "8");
    Plot_Write_Text_Anchor2(1.0, 2.0, "2");
    Plot_Write_Text_Upright(1.0, 2.0, "u");
    EXPECT_EQ(Records(), Cp850(" 9 1.000000 2.000000 1.000000 2.000000 210 «c»\n"
                               " 2 1.000000 2.000000 «p»\n"
                               " 9 1.000000 2.000000 1.000000 2.000000 212 «6»\n"
                               " 9 1.000000 2.000000 1.000000 2.000000 226 «8»\n"
                               " 9 1.000000 2.000000 1.000000 2.000000 202 «2»\n"
                               " 9 1.000000 2.000000 1.000000 2.000000 466 «u»\n"));
    EXPECT_EQ(Entities(), Cp850("-text / 1 2 0 2 1 5 1.000000 8.000000 0. 1.2 0. 0.\n    «c»\n"
                                "-text / 1 2 0 2 1 7 1.000000 8.000000 0. 1.2 0. 0.\n    «p»\n"
                                "-text / 1 2 0 2 1 6 1.000000 8.000000 0. 1.2 0. 0.\n    «6»\n"
                                "-text / 1 2 0 2 1 8 1.000000 8.000000 0. 1.2 0. 0.\n    «8»\n"
                                "-text / 1 2 0 2 1 2 1.000000 8.000000 0. 1.2 0. 0.\n    «2»\n"
                                "-text / 1 2 0 2 1 5 1.000000 8.000000 90. 1.2 0. 0.\n    «u»\n"));
}

TEST_F(PlotTexts, TextsCannotBreakTheirRecords)
{
    Begin(1.0, 0.0);
    Plot_Write_Text_Plain(0.0, 0.0, "a\xAE" "b\xAF" "c\r\nd");
    Plot_Write_Text_Centred(0.0, 0.0, nullptr);
    EXPECT_EQ(Records(), Cp850(" 2 0.000000 0.000000 «a b c  d»\n"
                               " 9 0.000000 0.000000 0.000000 0.000000 210 «»\n"));
    EXPECT_EQ(Entities(), Cp850("-text / 1 9 0 2 1 7 0.000000 0.000000 0. 1.2 0. 0.\n"
                                "    «a b c  d»\n"
                                "-text / 1 1 0 2 1 5 0.000000 0.000000 0. 1.2 0. 0.\n    «»\n"));

    // Formatted texts are cut at 254 characters.
    Begin(1.0, 0.0, false);
    const std::string long_text(300, 'x');
    Plot_Write_Text_Anchored(0.0, 0.0, 4, 4, "%s", long_text.c_str());
    EXPECT_EQ(Records(), Cp850(" 9 0.000000 0.000000 0.000000 0.000000 210 «") +
                             std::string(254, 'x') + "\xAF\n");
}

TEST_F(PlotTexts, LabelBoxes)
{
    // One character, size 0.25, y scale 0.5: h = w = 0.4.
    Begin(1.0, 0.0, false);
    Plot_Write_Label_Box("A", 1.0, 1.0, 0.25, 0.5);
    EXPECT_EQ(Records(), Cp850(" 30\n 52\n 20  0\n"
                               " 24  0.600000 1.400000 1.400000 0.600000\n"
                               " 1  0.600000 0.600000 0.600000 1.400000\n"
                               " 1  0.600000 1.400000 1.400000 1.400000\n"
                               " 1  1.400000 1.400000 1.400000 0.600000\n"
                               " 1  1.400000 0.600000 0.600000 0.600000\n"
                               " 14 0.000000 0\n"
                               " 10 1.000000 1.000000 1.000000 1.000000 210 «A»\n"
                               " 31\n 53\n"));

    // Five characters: w = 0.8 * 5 * 0.4 = 1.6. The sized label takes the graphic's scale.
    Begin(0.5, 0.0, false);
    Plot_Write_Sized_Label_Box(0.0, 0.0, 0.25, "12345");
    const std::string records = Records();
    EXPECT_EQ(records.substr(0, 20), " 13 0.250000\n 30\n 52");
    EXPECT_NE(records.find(" 24  -0.800000 0.200000 0.800000 -0.200000\n"), std::string::npos);

    Begin(1.0, 0.0, false);
    Plot_Write_Formatted_Label_Box(0.0, 0.0, 0.25, 1.0, "%d", 7);
    Plot_Write_Number_Label_Box(0.0, 0.0, 0.25, 42);
    EXPECT_EQ(Records().substr(0, 11), " 4 2\n 30\n 5");
    EXPECT_NE(Records().find(" 13 0.250000\n 30\n"), std::string::npos);
    EXPECT_NE(Records().find(Cp850("«42»")), std::string::npos);

    // Circled: diameter 1.5 * 1 * 1.52 * 0.25 / 0.5 = 1.14 for one character.
    Begin(1.0, 0.0, false);
    plot_state.colour_records = 0;
    Plot_Write_Circled_Label(0.0, 0.0, 0.25, 0.5, "7");
    const std::string circled = Records();
    EXPECT_EQ(circled.substr(0, 37), " 30\n 38 0   0\n 20  0\n 4 2\n 18 32 0.57");
    EXPECT_NE(circled.find(" 1  0.570000 0.000000 0.559048 0.111201\n"), std::string::npos);
    const std::string tail = Cp850(" 10 0.000000 0.000000 0.000000 0.000000 210 «7»\n 31\n");
    EXPECT_EQ(circled.substr(circled.size() - tail.size()), tail);
}

TEST_F(PlotTexts, GroupsShareOneSlotAndDoNotScopeRecords)
{
    Begin(1.0, 0.0);
    Plot_Set_Pen(3);
    Plot_Begin_Group();
    Plot_Set_Pen(5);
    Plot_Set_Fill_Index(9);
    Plot_Begin_Group();  // overwrites what the outer group saved
    Plot_Set_Pen(7);
    Plot_End_Group();
    EXPECT_EQ(plot_state.pen, 5);
    Plot_End_Group();
    EXPECT_EQ(plot_state.pen, 5);  // the outer group gets the inner's pen back
    EXPECT_EQ(Records(), " 30\n 52\n 20  9\n 30\n 52\n 31\n 53\n 31\n 53\n");
}

TEST_F(PlotTexts, FillIndexAndDashStyles)
{
    Begin(1.0, 0.0, false);
    Plot_Set_Fill_Index(7);
    plot_state.colour_output = 0;
    Plot_Set_Fill_Index(7);
    for (int style = 0; style <= 5; ++style) Plot_Set_Dash_Style(style);
    EXPECT_EQ(Records(), " 20  7\n 20  0\n"
                         " 38 0   0\n 38 2 0.1 0.1 0\n 38 2 0.03 0.05 0\n"
                         " 38 4 0.28 0.05 0.04 0.05 0\n 38 2 0.01 0.28 0\n 38 0   0\n");
}

TEST_F(PlotTexts, ColourRecords)
{
    Begin(1.0, 0.0, false);
    EXPECT_EQ(Plot_Pack_RGB(1, 2, 3), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(Plot_Pack_RGB(-5, 300, 0), 255 * 256);
    int r = -1, g = -1, b = -1;
    Plot_Unpack_RGB(Plot_Pack_RGB(255, 128, 7), &r, &g, nullptr);
    Plot_Unpack_RGB(Plot_Pack_RGB(255, 128, 7), nullptr, nullptr, &b);
    EXPECT_TRUE(r == 255 && g == 128 && b == 7);

    Plot_Set_Fill_Colour(Plot_Pack_RGB(255, 0, 0));
    Plot_Set_Line_Colour(Plot_Pack_RGB(30, 150, 30));
    Plot_Fill_From_Line_Colour(0.0);
    Plot_Set_Colour_Slot(3, 12);
    Plot_Colour_Mode_Reset();
    Plot_Colour_Mode_Begin();
    Plot_Colour_Mode_End();
    plot_state.colour_output = 0;
    Plot_Set_Colour_Slot(4, 12);
    EXPECT_EQ(plot_state.colour_slot, 4);
    EXPECT_EQ(Records(), "50 255 0 0\n51 30 150 30\n50 30 150 30\n"
                         "61\n62 3\n59\n 20  12\n60\n61\n59\n60\n20 0\n");

    // With colour records off nothing of them is written, but the colours are remembered.
    Begin(1.0, 0.0, false);
    plot_state.colour_records = 0;
    Plot_Set_Fill_Colour_RGB(1, 2, 3);
    Plot_Set_Line_Colour_RGB(4, 5, 6);
    Plot_Colour_Mode_Begin();
    Plot_Set_Colour_Slot(1, 2);
    EXPECT_EQ(Records(), " 20  2\n");
    EXPECT_EQ(plot_state.last_line_colour[2], 6);

    // Lightness: the last fill colour is written again, lightened.
    Begin(1.0, 0.0, false);
    Plot_Set_Fill_Colour_RGB(100, 100, 100);
    Plot_Set_Lightness(50.0);
    EXPECT_EQ(Records(), "50 100 100 100\n50 150 150 150\n");
    Plot_Set_Lightness(0.0);
    Begin(1.0, 0.0, false);
    Plot_Set_Fill_Colour_Shaded(Plot_Pack_RGB(100, 100, 100), -50.0);
    EXPECT_EQ(Records(), "50 50 50 50\n");
    EXPECT_EQ(Plot_Shade_Palette_Colour(Plot_Pack_RGB(100, 100, 100), 50.0),
              (150 << 16) | (150 << 8) | 150);
}

TEST_F(PlotTexts, EveryColourOfTheGraphicsComesBackUnchanged)
{
    // The fill colour goes through the HLS model; at lightness 0 it must be the colour
    // asked for, for every colour the graphics use.
    std::vector<Plot_Colour_RGB> colours = {
        // corbel section graphic
        {0, 0, 0}, {255, 255, 255}, {110, 110, 110}, {255, 100, 100}, {255, 50, 50},
        {125, 125, 255}, {30, 30, 255}, {30, 30, 150}, {100, 255, 100}, {0, 98, 0},
        {30, 150, 30}, {255, 255, 100}, {255, 255, 50}, {128, 64, 0}, {128, 128, 0},
        {224, 224, 224}, {72, 69, 126}, {233, 233, 233}, {250, 250, 250}, {165, 75, 165},
        {171, 12, 36},
        // drawing-file colours
        {0, 0, 194}, {255, 0, 0}, {68, 255, 0}, {255, 101, 255}, {255, 255, 0},
    };
    Init_Plot_Colour_Table_30();
    for (const Plot_Colour_RGB& c : Plot_Colour_Table_30)
        if (c.red >= 0 && c.green >= 0 && c.blue >= 0) colours.push_back(c);
    ASSERT_GT(colours.size(), 40u);

    Begin(1.0, 0.0, false);
    std::string expected;
    for (const Plot_Colour_RGB& c : colours) {
        Plot_Set_Fill_Colour(Plot_Pack_RGB(c.red, c.green, c.blue));
        expected += "50 " + std::to_string(c.red) + " " + std::to_string(c.green) + " " +
                    std::to_string(c.blue) + "\n";
    }
    EXPECT_EQ(Records(), expected);
}

TEST_F(PlotTexts, LabelsMoveTheLeastToClearLinesAndEachOther)
{
    // Window y up the page; a centred label of capital height 0.2 cm (box about 0.35 by
    // 0.2) on a horizontal line: it goes up until it clears the line by the clearance,
    // and a second on the same spot, finding the first above, goes as far down. A label
    // clear of all stays, and a raised text after a label moves with it.
    const std::string head = "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 10 0 10\n 4 1\n 13 0.2\n";
    const std::vector<Plot_Label_Move> moves = Plot_Find_Label_Moves(
        head + " 1  0 5 10 5\n 9 5 5 5 5 210 \xAE" "40\xAF\n 14 0 0\n 3 5.2 5.05 \xAE" "5\xAF\n"
               " 9 5 5 5 5 210 \xAE" "40\xAF\n 9 1 8 1 8 210 \xAE" "12\xAF\n -1\n");
    ASSERT_EQ(moves.size(), 4u);
    const double first = moves[0].dy;
    EXPECT_EQ(moves[0].dx, 0.0);
    EXPECT_GT(first, 0.1 + 0.009 + 0.04 - 1e-9);          // half the box, half the line, the clearance
    EXPECT_LT(first, 0.1 + 0.009 + 0.04 + 0.05 + 1e-9);   // within one step of it
    EXPECT_EQ(moves[1].dy, first);                        // the raised text with it
    EXPECT_EQ(moves[2].dx, 0.0);
    EXPECT_DOUBLE_EQ(moves[2].dy, -first);
    EXPECT_EQ(moves[3].dx, 0.0);
    EXPECT_EQ(moves[3].dy, 0.0);

    // Drawn with the labels held, a label on a line drawn after it is written where it
    // clears the line, in the report and the drawing file; a label clear of all stays, and
    // every record keeps its place in the order.
    Begin(0.5, 0.0);
    Plot_Hold_Labels();
    Plot_Write_Text_Anchored(2.0, 3.0, 4, 4, "%s", "a");
    Plot_Write_Text_Anchored(8.0, 8.0, 4, 4, "%s", "b");
    Plot_Draw_Line(0.0, 3.0, 10.0, 3.0);
    Plot_Place_Labels();
    const std::string records = Records();
    double x = 0.0, y = 0.0;
    ASSERT_EQ(std::sscanf(records.c_str(), " 9 %lf %lf", &x, &y), 2) << records;
    EXPECT_EQ(x, 1.0);
    EXPECT_GT(y, 1.5 + 0.04);
    EXPECT_LT(y, 1.5 + 0.5);
    const size_t b = records.find(" 9 4.000000 4.000000 4.000000 4.000000 210 \xAE" "b\xAF\n");
    EXPECT_NE(b, std::string::npos) << records;
    EXPECT_GT(records.find(" 1 0.000000 1.500000 5.000000 1.500000"), b) << records;
    EXPECT_NE(Entities().find(Format_String(" 5 2.000000 %lf ", 2.0 * y)), std::string::npos) << Entities();
}
