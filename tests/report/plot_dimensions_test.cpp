#include "report/plot_dimensions.h"

#include "report/plot_state.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Each test draws into its own graphic; the run-wide plot state is put back afterwards.
class PlotDimensions : public ::testing::Test {
protected:
    // A graphic at scale 1 whose head is left out of the bytes under test.
    std::string Begin(double x1 = 0.0, double y1 = 0.0, double x2 = 10.0, double y2 = 5.0)
    {
        graphic_.Begin(x1, y1, x2, y2, 1.0, 1.0, 0.0);
        plot_state.dimension_options = 0;
        return graphic_.Bytes();
    }
    std::string Records() const { return graphic_.Records(); }

    Plot_State_Guard guard_;
    Graphic_Capture graphic_;
};

// The texts of the records 10 and 3 (between 0xAE and 0xAF), in order.
std::vector<std::string> Texts(const std::string& bytes)
{
    std::vector<std::string> texts;
    for (size_t open = bytes.find('\xAE'); open != std::string::npos;
         open = bytes.find('\xAE', open + 1))
        texts.push_back(bytes.substr(open + 1, bytes.find('\xAF', open) - open - 1));
    return texts;
}

const char* const kGroupOpen = " 30\n 52\n";
const char* const kGroupClose = " 31\n 53\n";

}  // namespace

TEST_F(PlotDimensions, ShortDimensionStaggersItsTextAndWritesTheRaisedDigit)
{
    Begin();
    // 0.12 long, "0" with a raised "1": the text (0.2 wide) does not fit.
    EXPECT_EQ(Plot_Draw_Length_Dimension(1.0, 1.0, 1.12, 1.0, 0.1, 0), 2.0);
    EXPECT_EQ(Records(), std::string(kGroupOpen) +
                             " 4 1\n 38 0   0\n"
                             " 1  0.900000 1.000000 1.220000 1.000000\n"   // runs on by size
                             " 1  1.000000 1.400000 1.000000 0.800000\n"   // extension marks
                             " 1  1.120000 1.400000 1.120000 0.800000\n"
                             " 1  0.940000 0.940000 1.060000 1.060000\n"   // ticks
                             " 1  1.060000 0.940000 1.180000 1.060000\n"
                             " 13 0.210000\n 8 6\n"
                             " 14 0.000000 0\n"
                             " 10 1.060000 1.560000 1.060000 1.560000 210 \xAE" "0\xAF\n"
                             " 13 0.157500\n"
                             " 14 0.000000 0\n 3 1.144000 1.612500 \xAE" "1\xAF\n" +
                             kGroupClose);
    EXPECT_EQ(plot_state.rotation, 0.0);
    EXPECT_EQ(plot_state.text_angle, 0.0);
}

TEST_F(PlotDimensions, ConsecutiveShortDimensionsAlternateUntilOneFits)
{
    Begin();
    auto short_one = [] { return Plot_Draw_Dimension(0, 0, 0.5, 0, 0.1, "100", "", 1.0, 0); };
    EXPECT_EQ(short_one(), 2.0);
    EXPECT_EQ(short_one(), 3.2);
    EXPECT_EQ(short_one(), 2.0);
    EXPECT_EQ(Plot_Draw_Dimension(0, 0, 5, 0, 0.1, "100", "", 1.0, 0), 0.0);  // fits
    EXPECT_EQ(short_one(), 2.0);
    // Texts at 2.8 and then 4.0 times 2 * size off the line.
    const std::string bytes = Records();
    EXPECT_NE(bytes.find(" 10 0.250000 0.560000 "), std::string::npos);
    EXPECT_NE(bytes.find(" 10 0.250000 0.800000 "), std::string::npos);

    // A new graphic starts the alternation again (the next would otherwise take 3.2).
    Begin();
    EXPECT_EQ(short_one(), 2.0);

    // Without the dimension flag every short text takes the near offset.
    Plot_Clear_Dimension_Flag();
    EXPECT_EQ(short_one(), 2.0);
    EXPECT_EQ(short_one(), 2.0);

    // Texts placed before or after the line are never staggered.
    Plot_Set_Dimension_Flag();
    EXPECT_EQ(Plot_Draw_Dimension(0, 0, 0.5, 0, 0.1, "100", "", 1.0, -1), 0.0);
    EXPECT_EQ(plot_state.dimension_toggle, 0);
}

TEST_F(PlotDimensions, TooShortOrUnmeasurableDimensionsLeaveOnlyTheGroup)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double x2, y2;
    };
    for (const Case& c : {Case{0.004, 0.0}, Case{0.0, 0.0}, Case{nan, 1.0}, Case{inf, 0.0}}) {
        Begin();
        plot_state.text_angle = 0.5;
        plot_state.rotation = 0.25;
        EXPECT_EQ(Plot_Draw_Length_Dimension(0.0, 0.0, c.x2, c.y2, 0.1, 0), 0.0) << c.x2;
        EXPECT_EQ(Records(), std::string(kGroupOpen) + kGroupClose) << c.x2;
        EXPECT_EQ(plot_state.text_angle, 0.5);
        EXPECT_EQ(plot_state.rotation, 0.25);
    }
    Begin();
    Plot_Set_Colour_Sections(0);
    EXPECT_EQ(Plot_Draw_Dimension(0, 0, 0, 0, 0.1, nullptr, nullptr, 0.0, 0), 0.0);
    EXPECT_EQ(Records(), " 30\n 31\n");
    // The metre dimension draws nothing at all below a centimetre.
    EXPECT_EQ(Plot_Draw_Metre_Dimension(0, 0, nan, 0, 0.1), 0.0);
    EXPECT_EQ(Plot_Draw_Metre_Dimension(0, 0, 0.004, 0, 0.1), 0.0);
    EXPECT_EQ(Records(), " 30\n 31\n");
}

TEST_F(PlotDimensions, DotsOptionsAndBackwardsWindow)
{
    Begin();
    Plot_Set_Dimension_Options(24);  // dots, as the section graphic of the corbel sets
    Plot_Draw_Dimension(0, 0, 2, 0, 0.1, "2", "", 0.0, 0);
    std::string bytes = Records();
    const size_t fill = bytes.find(" 20  0\n");
    ASSERT_NE(fill, std::string::npos);
    EXPECT_LT(fill, bytes.find(" 18 32 "));
    EXPECT_NE(bytes.find(" 18 32 0.037500 0.000000 "), std::string::npos);  // 0.075 across
    EXPECT_NE(bytes.find(" 18 32 2.037500 0.000000 "), std::string::npos);
    EXPECT_EQ(bytes.find(" 1  -0.060000"), std::string::npos);  // no ticks

    // Option 1 drops the mark and the dot of the first point.
    Begin();
    Plot_Set_Dimension_Options(PLOT_DIM_DOTS | PLOT_DIM_NO_FIRST_MARK);
    Plot_Draw_Dimension(0, 0, 2, 0, 0.1, "2", "", 0.0, 0);
    bytes = Records();
    EXPECT_EQ(bytes.find(" 18 32 0.037500"), std::string::npos);
    EXPECT_EQ(bytes.find(" 1  0.000000 0.400000"), std::string::npos);
    EXPECT_NE(bytes.find(" 18 32 2.037500"), std::string::npos);

    // y runs downwards: the text turns by half a turn (shown through the orientation sign)
    // and the ticks are mirrored in y.
    Begin(0.0, 5.0, 10.0, 0.0);
    Plot_Draw_Dimension(1, 1, 3, 1, 0.1, "2", "", 0.0, 0);
    bytes = Records();
    EXPECT_NE(bytes.find(" 14 -180.000000 0\n"), std::string::npos);
    EXPECT_NE(bytes.find(" 1  0.940000 1.060000 1.060000 0.940000\n"), std::string::npos);

    // Drawn from right to left the text reads along the line's direction.
    Begin();
    Plot_Draw_Dimension(3, 1, 1, 2, 0.1, "2", "", 0.0, 0);
    const double degrees = std::stod(Records().substr(Records().find(" 14 ") + 4));
    EXPECT_GT(degrees, 90.0);
    EXPECT_LT(degrees, 270.0);
}

TEST_F(PlotDimensions, NumberFormats)
{
    struct Case {
        double length;
        int options;
        const char* main;
        const char* raised;  // null: none written
    };
    auto texts_of = [&](double (*draw)(double, int), const Case& c) {
        Begin();
        Plot_Set_Dimension_Options(c.options);
        draw(c.length, 0);
        return Texts(Records());
    };
    auto check = [&](double (*draw)(double, int), const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            std::vector<std::string> want = {c.main};
            if (c.raised) want.push_back(c.raised);
            EXPECT_EQ(texts_of(draw, c), want) << c.length;
        }
    };
    check([](double l, int p) { return Plot_Draw_Length_Dimension(0, 0, l, 0, 0.1, p); },
          {{24.5, 0, "24", "5"}, {24.0, 0, "24", " "}, {12.96, 0, "13", " "}, {0.3, 0, "0", "3"}});
    check([](double l, int p) { return Plot_Draw_Scaled_Dimension(p, 0, 0, l, 0, 0.1, 1.0); },
          {{24.5, 0, "24", "5"}, {24.8, 0, "25", nullptr}, {24.2, 0, "24", nullptr},
           {250.0, 0, "2.50", nullptr}, {250.0, 16, "250", nullptr}});
    check([](double l, int p) { return Plot_Draw_Scaled_Dimension(p, 0, 0, l, 0, 0.1, -10.0); },
          {{245.0, 0, "24", "5"}});
    check([](double l, int) { return Plot_Draw_Metre_Dimension(0, 0, l, 0, 0.1); },
          {{0.125, 0, "12", "5"}, {0.5, 0, "50", nullptr}, {0.128, 0, "13", nullptr},
           {1.234, 0, "1.23", "5"}, {1.238, 0, "1.24", nullptr}, {0.5, 16, "0.50", nullptr},
           {0.125, 16, "0.12", "5"}});

    // A huge length fits its text without overrunning any buffer.
    Begin();
    Plot_Draw_Length_Dimension(0, 0, 1e300, 0, 0.1, 0);
    EXPECT_EQ(Texts(Records()).at(0).size(), 301u);

    Begin();
    EXPECT_EQ(Plot_Draw_Scaled_Dimension_Checked(0, 0, 5, 0, 0.1, 5e-6, 0), 0.0);
    EXPECT_EQ(Records(), "");
}

TEST_F(PlotDimensions, PlacementsBesideTheLine)
{
    // Placement 2 with a text wider than the length: after the second point, not staggered.
    Begin();
    EXPECT_EQ(Plot_Draw_Length_Dimension(1, 1, 1.5, 1, 0.1, 2), 0.0);
    EXPECT_NE(Records().find(" 10 1.600000 1.160000 "), std::string::npos);
    // Placement -1: before the first point, moved back by size per character.
    Begin();
    Plot_Draw_Dimension(1, 1, 3, 1, 0.1, "abc", "", 0.0, -1);
    EXPECT_NE(Records().find(" 10 0.700000 1.160000 "), std::string::npos);
}

TEST_F(PlotDimensions, DrawingFileGetsPenOneFontTwoAndKeepsItsState)
{
    File_Stream file;
    Begin();
    plot_state.plot_file_stream = file.get();
    plot_state.pen = 7;
    plot_state.line_type = 3;
    plot_state.font = 5;
    plot_state.filling = -1;
    plot_state.next_point_number = 1;
    plot_state.next_entity_number = 1;
    Plot_Draw_Dimension(0, 0, 2, 0, 0.1, "2", "", 0.0, 0);
    EXPECT_EQ(plot_state.pen, 7);
    EXPECT_EQ(plot_state.line_type, 3);
    EXPECT_EQ(plot_state.font, 5);
    const std::string bytes = file.bytes();
    EXPECT_NE(bytes.find("-line @1 ( @1 -0.100000 0.000000 ) #2 1 0 1 0.0\n"),
              std::string::npos);  // pen 1, line type 0
    EXPECT_NE(bytes.find("-text / 1 2 2 2 1 5 "), std::string::npos);  // font 2, centred
    plot_state.plot_file_stream = nullptr;
}

TEST_F(PlotDimensions, TheRaisedDigitStandsAfterAndAboveItsNumberOnThePage)
{
    // 16.5 long: "16" with a raised "5", in a window whose y runs up the page and in one
    // whose y runs down (the corbel's), along lines drawn every way.
    const double lines[][4] = {{1, 5, 17.5, 5}, {17.5, 5, 1, 5}, {5, 1, 5, 17.5}, {5, 17.5, 5, 1}, {1, 1, 12.67, 12.67}};
    for (const double y_sign : {1.0, -1.0}) {
        for (const auto& l : lines) {
            Begin(0.0, y_sign > 0 ? 0.0 : 20.0, 20.0, y_sign > 0 ? 20.0 : 0.0);
            Plot_Draw_Length_Dimension(l[0], l[1], l[2], l[3], 0.1, 0);
            double tx = 0, ty = 0, rx = 0, ry = 0, angle = 0, last_angle = 0;
            std::istringstream records(Records());
            for (std::string line; std::getline(records, line);) {
                const std::string code = line.substr(0, line.find(' ', 1) + 1);
                if (code == " 14 ") std::sscanf(line.c_str(), " 14 %lf", &last_angle);
                if (code == " 10 ") std::sscanf(line.c_str(), " 10 %lf %lf", &tx, &ty);
                if (code == " 3 " && std::sscanf(line.c_str(), " 3 %lf %lf", &rx, &ry) == 2) angle = last_angle;
            }
            ASSERT_EQ(Texts(Records()), (std::vector<std::string>{"16", "5"}));
            // On the page (x right, y up), from the number's centre to the raised digit.
            const double dx = rx - tx, dy = (ry - ty) * y_sign;
            const double a = angle / 57.29577951308232;
            const std::string where = std::to_string(y_sign) + " " + std::to_string(l[0]) + "," + std::to_string(l[1]);
            EXPECT_GE(std::cos(a), -1e-9) << where;  // it reads from the left or from below
            EXPECT_GT(dx * std::cos(a) + dy * std::sin(a), 0.1) << where;   // after the number
            EXPECT_GT(-dx * std::sin(a) + dy * std::cos(a), 0.03) << where; // above its middle
        }
    }
}
