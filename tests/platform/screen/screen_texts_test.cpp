#include "platform/screen/screen.h"

#include "platform/codepage.h"
#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ScreenTexts : public testing::Test {
protected:
    void SetUp() override
    {
        Screen_Start_For_Tests("", 400, 200);
        Init_RFont();
    }
    void TearDown() override { Screen_Reset_For_Tests(); }

    static void Clear()
    {
        pxView(0, 0, 399, 199);
        pxFgc(0xFFFFFF);
        pxRect(0, 0, 399, 199);
        pxFgc(0);
    }
    // Columns with any ink in the rows y1..y2, as a string of '#' and '.'.
    static std::string Ink(int x1, int x2, int y1, int y2)
    {
        std::string out;
        for (int x = x1; x <= x2; ++x) {
            bool ink = false;
            for (int y = y1; y <= y2; ++y) ink = ink || Screen_Pixel_For_Tests(x, y) != 0xFFFFFFu;
            out += ink ? '#' : '.';
        }
        return out;
    }
    static std::string Row_Pixels(int y, int x1, int x2)
    {
        std::string out;
        for (int yy = y - 14; yy <= y + 4; ++yy)
            for (int x = x1; x <= x2; ++x) out += std::to_string(Screen_Pixel_For_Tests(x, yy)) + ",";
        return out;
    }
};

TEST_F(ScreenTexts, GlyphsSitAtTheMeasuredPositions)
{
    for (int font : {0x1000, 0x1002, 0x1003, 0}) {
        Set_RFont(font);
        const char* whole = "Konsole Wx";
        Clear();
        pxText(10, 30, whole, -1);
        const std::string drawn_whole = Row_Pixels(30, 0, 200);
        // The same text drawn piece by piece, each piece where the widths put it.
        Clear();
        int x = 10;
        for (const char* p = whole; *p; ++p) {
            pxText(x, 30, p, 1);
            x += Get_Text_Width_Px(std::string(1, *p).c_str());
        }
        EXPECT_EQ(Row_Pixels(30, 0, 200), drawn_whole) << font;
        // Widths add up; the ink ends inside the measured extent.
        EXPECT_EQ(x - 10, Get_Text_Width_Px(whole)) << font;
        int xs[4], ys[4];
        pxQTxX(whole, -1, 10, 30, xs, ys);
        EXPECT_EQ(xs[1] - xs[0], x - 10);
        EXPECT_EQ(Ink(xs[1] + 1, xs[1] + 20, 0, 60), std::string(20, '.')) << font;
        EXPECT_EQ(Ink(0, 8, 0, 60), std::string(9, '.')) << font;
        EXPECT_LT(ys[2], ys[0]);  // the upper corners above the lower ones
    }
}

TEST_F(ScreenTexts, FontCodesStackAndMetricsFollow)
{
    EXPECT_EQ(Get_RFont(), 0x1000);
    EXPECT_EQ(RFONT_HEIGHT, 14);
    Pop_RFont(0x11002);  // style bits stripped
    EXPECT_EQ(Get_RFont(), 0x1002);
    EXPECT_EQ(RFONT_HEIGHT, 11);
    Pop_RFont(0);
    EXPECT_EQ(RFONT_WIDTH + RFONT_SPACE, 8);
    EXPECT_EQ(Get_Text_Width_Px("\x8C\x84Wi"), 4 * 8);  // cells, whatever the bytes
    Pop_RFont(0x7777);  // unknown: the normal font
    EXPECT_EQ(Get_Text_Width_Px("Konsole"), Get_Text_Width_In_Font("Konsole", 0x1000));
    Push_RFont();
    EXPECT_EQ(Get_RFont(), 0);
    Push_RFont();
    Push_RFont();
    EXPECT_EQ(Get_RFont(), 0x1000);
    Push_RFont();  // one too many: stays
    EXPECT_EQ(Get_RFont(), 0x1000);
    Set_RFont(0x1003);
    EXPECT_EQ(RFONT_HEIGHT, 15);
}

TEST_F(ScreenTexts, PinnedWidths)
{
    // A changed font file shows here first.
    EXPECT_EQ(Get_Text_Width_In_Font("Konsole", 0x1000), 44);
    EXPECT_EQ(Get_Text_Width_In_Font("Bewehrung w\xE4hlen", 0x1000), 107);
    EXPECT_EQ(Get_Text_Width_In_Font("\x8C 12 mm", 0x1002), 43);
    EXPECT_EQ(Get_Text_Width_In_Font("Tr\x84gerkonsole", 0x1003), 84);
    EXPECT_EQ(Get_Text_Width_Px(nullptr), 0);
}

TEST_F(ScreenTexts, TurnedAndAnchoredTexts)
{
    Clear();
    const int w = Get_Text_Width_Px("Hallo");
    // Centred in a box: the ink lies around the box's middle.
    pxBTxt(100, 20, 200, 40, "Hallo", -1, 0xD2);
    const std::string ink = Ink(100, 200, 20, 40);
    const size_t first = ink.find('#'), last = ink.rfind('#');
    ASSERT_NE(first, std::string::npos);
    EXPECT_NEAR((first + last) / 2.0, 50.0, 2.0);
    EXPECT_LE(static_cast<int>(last - first), w);
    // Turned by 90 degrees: reads upward from the point, so the ink lies above it.
    Clear();
    pxBTxt(50, 150, 50, 150, "Hallo", -1, 0x100);
    EXPECT_EQ(Ink(0, 399, 151, 199), std::string(400, '.'));
    EXPECT_NE(Ink(0, 399, 150 - w, 149).find('#'), std::string::npos);
}

TEST(ScreenTextDecoding, CodePagesAndSymbols)
{
    EXPECT_EQ(Screen_Text_Code_Page("Tr\x84gerkonsole"), Code_Page::Cp850_Symbols);
    EXPECT_EQ(Screen_Text_Code_Page("Bewehrung w\xE4hlen"), Code_Page::Cp1252);
    EXPECT_EQ(Screen_Text_Code_Page("Konsole"), Code_Page::Cp850_Symbols);
    // Letters of both code pages: code page 850.
    EXPECT_EQ(Screen_Text_Code_Page("\x84\xE4"), Code_Page::Cp850_Symbols);
    EXPECT_EQ(Screen_Text_To_Utf8("\x8C\xF2\xF3\xBA\xBE\xCB\xCC\xA3\xB0\xB2\xC0\x89\x88\xF8\xFA\xFD\xBB\xC5\xC6\xC7"),
              "\xC3\x98\xE2\x89\xA5\xE2\x89\xA4\xCE\xB1\xCE\xB5\xCF\x81\xCF\x83\xCE\x94\xCE\xB8\xCE\xA3\xCE\xB3"
              "\xE2\x80\xB0\xE2\x86\x92\xC2\xB0\xC2\xB3\xC2\xB2\xCE\xB2\xCE\xBB\xCE\xBC\xCE\xBD");
    // eta, phi, chi, infinity.
    EXPECT_EQ(Screen_Text_To_Utf8("\xC1\xDA\xDB\xEC"), "\xCE\xB7\xCF\x86\xCF\x87\xE2\x88\x9E");
    EXPECT_EQ(Screen_Text_To_Utf8("M\xE4rz \xB0"), "M\xC3\xA4rz \xC2\xB0");  // 1252: degree sign
    {
        Scoped_Screen_Code_Page as_1252(Code_Page::Cp1252);
        EXPECT_EQ(Screen_Text_To_Utf8("\xB5m"), "\xC2\xB5m");
        Scoped_Screen_Code_Page as_850(Code_Page::Cp850);
        EXPECT_EQ(Screen_Text_To_Utf8("\x84"), "\xC3\xA4");
    }
    EXPECT_EQ(Screen_Text_Code_Page("\xB5m"), Code_Page::Cp850_Symbols);
    // The symbols measure as their characters do in code page 1252 (cubed: 0xFA is the
    // middle dot in plain code page 850).
    for (int font : {0x1000, 0x1002, 0x1003}) {
        const auto& symbols = Font_Byte_Widths(font, Code_Page::Cp850_Symbols);
        const auto& ansi = Font_Byte_Widths(font, Code_Page::Cp1252);
        EXPECT_EQ(symbols[0xFA], ansi[0xB3]) << font;
        EXPECT_EQ(symbols[0x89], ansi[0x89]) << font;  // per mille
        EXPECT_NE(symbols[0xFA], Font_Byte_Widths(font, Code_Page::Cp850)[0xFA]) << font;
    }
}

// The one measuring helper of the screen texts, in the fonts' own widths.
TEST(ScreenTextWidths, MeasureInTheNormalAndAGivenFont)
{
    Init_RFont();
    EXPECT_EQ(Get_Text_Width_Px("Konsole"), Font_Text_Width("Konsole", 0x1000, Code_Page::Cp1252));
    EXPECT_EQ(Get_Text_Width_In_Font("Konsole", 0x11002), Font_Text_Width("Konsole", 0x1002, Code_Page::Cp1252));
    // Screen texts carry ä as 0xE4 (1252) or 0x84 (850); both measure as ä.
    EXPECT_EQ(Get_Text_Width_Px("Tr\x84ger"), Get_Text_Width_Px("Tr\xE4ger"));
    EXPECT_EQ(Get_Text_Width_In_Font(nullptr, 0x1002), 0);
    EXPECT_EQ(Get_Text_Width_Px(nullptr), 0);
}

} // namespace
