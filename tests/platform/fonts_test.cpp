#include "platform/fonts.h"

#include "test_support.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string DEJAVU = "/usr/share/fonts/truetype/dejavu/";

// The width FreeType itself gives: the face set to the pixel size, each glyph loaded
// without hinting, its linear (unrounded) advance rounded to a whole pixel.
int FreeType_Width(const std::string& file, int pixel_size, const std::u16string& text)
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0) return -1;
    int width = -1;
    if (FT_New_Face(library, (DEJAVU + file).c_str(), 0, &face) == 0 &&
        FT_Set_Pixel_Sizes(face, 0, pixel_size) == 0) {
        width = 0;
        for (char16_t c : text) {
            if (FT_Load_Char(face, c, FT_LOAD_NO_HINTING) != 0) return -1;
            width += static_cast<int>((face->glyph->linearHoriAdvance + 0x8000) >> 16);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return width;
}

} // namespace

TEST(Fonts, WidthsAgreeWithFreeType)
{
    struct Case {
        const char* bytes;
        Code_Page page;
        std::u16string text;
        int code;
        const char* file;
        int pixel_size;
    };
    const Case cases[] = {
        {"Tr\x84gerkonsole", Code_Page::Cp850, u"Trägerkonsole", 0x1000, "DejaVuSans.ttf", 11},
        {"Bewehrung w\xE4hlen", Code_Page::Cp1252, u"Bewehrung wählen", 0x1000, "DejaVuSans.ttf", 11},
        {"f\xFDyk = 435 N/mm\xFD", Code_Page::Cp850, u"f²yk = 435 N/mm²", 0x1002, "DejaVuSans.ttf", 9},
        {"Vorbemerkungen WWW iii", Code_Page::Cp850, u"Vorbemerkungen WWW iii", 0x1003, "DejaVuSans.ttf", 12},
        {"Ma\xE1stab 1:20", Code_Page::Cp850, u"Maßstab 1:20", 0x1001, "DejaVuSansMono.ttf", 13},
    };
    for (const Case& c : cases) {
        const int expected = FreeType_Width(c.file, c.pixel_size, c.text);
        ASSERT_GT(expected, 0) << c.bytes;
        EXPECT_EQ(Font_Text_Width(c.bytes, c.code, c.page), expected) << c.bytes;
    }
    EXPECT_EQ(Font_Text_Width("", 0x1000, Code_Page::Cp850), 0);
}

TEST(Fonts, CodesNameFacesAndSizes)
{
    const std::string text = "Konsole mit Zugband";
    const int normal = Font_Text_Width(text, 0x1000, Code_Page::Cp850);
    // Style bits and unknown codes measure as the normal font.
    for (int code : {0x11000, 0x41000, 0x1004, 3, 0x13, -1})
        EXPECT_EQ(Font_Text_Width(text, code, Code_Page::Cp850), normal) << code;
    EXPECT_LT(Font_Text_Width(text, 0x1002, Code_Page::Cp850), normal);
    EXPECT_GT(Font_Text_Width(text, 0x1003, Code_Page::Cp850), normal);
    EXPECT_LT(Font_Text_Width("iiii", 0x1000, Code_Page::Cp850), Font_Text_Width("WWWW", 0x1000, Code_Page::Cp850));

    // The fixed-pitch font puts every byte of either code page into an 8-pixel cell.
    for (int code : {0, 0x1001, 0x11001})
        for (Code_Page page : {Code_Page::Cp850, Code_Page::Cp1252})
            for (int byte = 1; byte < 256; ++byte)
                ASSERT_EQ(Font_Byte_Widths(code, page)[byte], 8) << code << " " << byte;

    EXPECT_EQ(Font_Line_Height(0x1000), 14);
    EXPECT_EQ(Font_Line_Height(0x1002), 11);
    EXPECT_EQ(Font_Line_Height(0x1003), 15);
    EXPECT_EQ(Font_Line_Height(0x7777), 14);
    EXPECT_EQ(Font_Pixel_Size(0x11000), 11);
    EXPECT_EQ(Font_Pixel_Size(0x1002), 9);
}

TEST(Fonts, GermanLettersMeasureAlikeInBothCodePages)
{
    // Ä Ö Ü ß ä ö ü: code page 1252 and code page 850 bytes.
    const unsigned char ansi[] = {196, 214, 220, 223, 228, 246, 252};
    const unsigned char oem[] = {142, 153, 154, 225, 132, 148, 129};
    for (int code : {0x1000, 0x1002, 0x1003}) {
        const auto& cp1252 = Font_Byte_Widths(code, Code_Page::Cp1252);
        const auto& cp850 = Font_Byte_Widths(code, Code_Page::Cp850);
        for (size_t i = 0; i < sizeof ansi; ++i) {
            EXPECT_EQ(cp850[oem[i]], cp1252[ansi[i]]) << code << " " << int(ansi[i]);
            EXPECT_GT(cp850[oem[i]], 0);
        }
        EXPECT_EQ(Font_Text_Width("M\x84rz", code, Code_Page::Cp850), Font_Text_Width("M\xE4rz", code, Code_Page::Cp1252));
        // The byte means another character in the other code page ("„" in 1252).
        EXPECT_NE(cp1252[0x84], cp850[0x84]) << code;
    }
}

TEST(Fonts, MissingFacesFallBackToCellsAndNameThePackage)
{
    Temp_Dir empty;
    Fonts_Use_Directory_For_Tests(empty.path());
    testing::internal::CaptureStderr();
    const int width = Font_Text_Width("Wandkonsole", 0x1000, Code_Page::Cp850);
    const int again = Font_Text_Width("iii", 0x1002, Code_Page::Cp1252);
    const std::string err = testing::internal::GetCapturedStderr();
    Fonts_Use_Directory_For_Tests("");

    EXPECT_EQ(width, 8 * 11);
    EXPECT_EQ(again, 8 * 3);
    EXPECT_EQ(Font_Line_Height(0x1000), 14);
    // One message for the one face asked for, naming the package to install.
    EXPECT_NE(err.find("fonts-dejavu-core"), std::string::npos) << err;
    EXPECT_NE(err.find("DejaVuSans.ttf"), std::string::npos) << err;
    EXPECT_EQ(err.find("fonts-dejavu-core"), err.rfind("fonts-dejavu-core")) << err;

    // Back on the installed faces, real widths again.
    EXPECT_NE(Font_Text_Width("Wandkonsole", 0x1000, Code_Page::Cp850), 8 * 11);
}
