#include "platform/screen/screen.h"
#include "platform/screen/images.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void Put16(std::string& b, size_t at, uint32_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& b, size_t at, uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A bitmap file of the pixels (row by row from the top) with 8 (palette = the distinct
// colours), 24 or 32 bits a pixel, stored bottom-up or top-down.
std::string Bmp(int w, int h, int bits, bool top_down, const std::vector<uint32_t>& pixels)
{
    std::vector<uint32_t> palette;
    if (bits == 8)
        for (uint32_t p : pixels)
            if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
    const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    const size_t offset = 54 + 4 * palette.size();
    std::string b(offset + stride * h, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(w));
    Put32(b, 22, static_cast<uint32_t>(top_down ? -h : h));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<uint32_t>(bits));
    Put32(b, 46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) Put32(b, 54 + 4 * i, palette[i]);
    for (int y = 0; y < h; ++y) {
        const size_t line = offset + stride * static_cast<size_t>(top_down ? y : h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * w + x];
            if (bits == 8) {
                b[line + x] = static_cast<char>(std::find(palette.begin(), palette.end(), p) - palette.begin());
            } else {
                const size_t at = line + static_cast<size_t>(x) * (bits / 8);
                b[at] = static_cast<char>(p & 0xFF);
                b[at + 1] = static_cast<char>((p >> 8) & 0xFF);
                b[at + 2] = static_cast<char>((p >> 16) & 0xFF);
            }
        }
    }
    return b;
}

// 3 x 2 pixels, every one different.
const std::vector<uint32_t> sample = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};

class ScreenBitmaps : public testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("EXEC", dir.path().c_str(), 1);
        Forget_Bitmaps();
        Screen_Start_For_Tests("", 200, 100);
        pxFgc(0xFFFFFF);
        pxRect(0, 0, 199, 99);
    }
    void TearDown() override
    {
        Screen_Reset_For_Tests();
        Forget_Bitmaps();
        ::unsetenv("EXEC");
    }
    Temp_Dir dir;
    static uint32_t At(int x, int y) { return Screen_Pixel_For_Tests(x, y); }
};

TEST_F(ScreenBitmaps, EightTwentyFourAndThirtyTwoBitsInBothRowOrders)
{
    for (int bits : {8, 24, 32})
        for (bool top_down : {false, true}) {
            Screen_Image image;
            ASSERT_TRUE(Decode_Bmp(Bmp(3, 2, bits, top_down, sample), image)) << bits << top_down;
            ASSERT_EQ(image.width, 3);
            ASSERT_EQ(image.height, 2);
            EXPECT_EQ(image.pixels, sample) << bits << " " << top_down;
        }
    // Our own writer gives back what it was given.
    Screen_Image image{3, 2, sample}, back;
    ASSERT_TRUE(Decode_Bmp(Encode_Bmp(image), back));
    EXPECT_EQ(back.pixels, sample);
}

TEST_F(ScreenBitmaps, DamagedFilesAreRefused)
{
    const std::string good = Bmp(3, 2, 8, false, sample);
    Screen_Image image;
    ASSERT_TRUE(Decode_Bmp(good, image));
    auto damaged = [&](size_t at, uint32_t value, int size = 4) {
        std::string b = good;
        if (size == 4) Put32(b, at, value);
        else Put16(b, at, value);
        return b;
    };
    EXPECT_FALSE(Decode_Bmp(good.substr(0, good.size() - 1), image));  // pixels cut short
    EXPECT_FALSE(Decode_Bmp(good.substr(0, 30), image));
    EXPECT_FALSE(Decode_Bmp("XM" + good.substr(2), image));
    EXPECT_FALSE(Decode_Bmp(damaged(10, 0xFFFFFFF0u), image));       // pixel offset beyond the file
    EXPECT_FALSE(Decode_Bmp(damaged(10, 20), image));                // pixel offset inside the header
    EXPECT_FALSE(Decode_Bmp(damaged(14, 0x7FFFFFFF), image));        // header size
    EXPECT_FALSE(Decode_Bmp(damaged(18, 0), image));                 // width 0
    EXPECT_FALSE(Decode_Bmp(damaged(18, 0x80000000u), image));       // negative width
    EXPECT_FALSE(Decode_Bmp(damaged(22, 0x80000000u), image));       // the smallest height
    EXPECT_FALSE(Decode_Bmp(damaged(22, 100000), image));            // taller than the file
    EXPECT_FALSE(Decode_Bmp(damaged(28, 16, 2), image));             // 16 bits a pixel
    EXPECT_FALSE(Decode_Bmp(damaged(30, 1), image));                 // compressed
    EXPECT_FALSE(Decode_Bmp(damaged(46, 257), image));               // palette too large
    EXPECT_FALSE(Decode_Bmp(damaged(46, 2), image));                 // an index beyond the palette
    EXPECT_TRUE(image.pixels.empty());
}

TEST_F(ScreenBitmaps, KeyColourIsExactAndSizesWithinOnePixelCopyOneToOne)
{
    std::vector<uint32_t> px(4 * 4, 0x00FF00);
    px[5] = 0xC0C0C0;   // the key
    px[6] = 0xC0C0C1;   // one step beside it: drawn
    ASSERT_TRUE(Write_File_Bytes(dir.file("key.bmp"), Bmp(4, 4, 24, false, px)));
    pxDrawPartialTransparentDIB("key.bmp", 0, 0, 3, 3, 10, 10, 13, 13, 201, -1, 192, 192, 192);
    EXPECT_EQ(At(11, 11), 0xFFFFFFu);
    EXPECT_EQ(At(12, 11), 0xC0C0C1u);
    EXPECT_EQ(At(13, 13), 0x00FF00u);
    EXPECT_EQ(At(14, 14), 0xFFFFFFu);

    // A destination one pixel larger: copied one to one, the extra row and column left.
    pxDrawPartialTransparentDIB("key.bmp", 0, 0, 3, 3, 20, 20, 24, 24, 201, -1, -1, -1, -1);
    EXPECT_EQ(At(21, 21), 0xC0C0C0u);
    EXPECT_EQ(At(23, 23), 0x00FF00u);
    EXPECT_EQ(At(24, 24), 0xFFFFFFu);
    // Two pixels larger: scaled, every destination pixel covered.
    pxDrawPartialTransparentDIB("key.bmp", 0, 0, 3, 3, 30, 30, 37, 37, 201, -1, -1, -1, -1);
    EXPECT_EQ(At(37, 37), 0x00FF00u);
    EXPECT_EQ(At(32, 32), 0xC0C0C0u);  // source (1, 1) doubled
    EXPECT_EQ(At(33, 33), 0xC0C0C0u);
    // A part of the picture, drawn with corners given in either order.
    pxDrawPartialTransparentDIB("key.bmp", 2, 1, 1, 1, 51, 40, 50, 40, 201, -1, -1, -1, -1);
    EXPECT_EQ(At(50, 40), 0xC0C0C0u);
    EXPECT_EQ(At(51, 40), 0xC0C0C1u);
}

TEST_F(ScreenBitmaps, NamesIgnoreCaseAndMissingOnesAreReportedOnce)
{
    ASSERT_TRUE(Write_File_Bytes(dir.file("buttons.bmp"), Bmp(3, 2, 24, false, sample)));
    std::filesystem::create_directories(dir.file("NAD"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("NAD/Flag.bmp"), Bmp(3, 2, 8, true, sample)));
    ::setenv("DATA", dir.path().c_str(), 1);
    EXPECT_NE(Load_Bitmap("Buttons.bmp"), nullptr);
    EXPECT_NE(Load_Bitmap("BUTTONS.BMP"), nullptr);
    EXPECT_NE(Load_Bitmap("nad\\flag.bmp"), nullptr);
    ::unsetenv("DATA");

    testing::internal::CaptureStderr();
    pxDrawTransparentDIB("Fehlt.bmp", 0, 0, 9, 9, 201, -1, -1, -1, -1);
    pxDrawTransparentDIB("Fehlt.bmp", 0, 0, 9, 9, 201, -1, -1, -1, -1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(At(5, 5), 0xFFFFFFu);
    EXPECT_NE(err.find("Fehlt.bmp"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

    // A file of the same name elsewhere (the working directory) is not taken.
    Temp_Dir other;
    ::setenv("EXEC", other.path().c_str(), 1);
    Forget_Bitmaps();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Load_Bitmap("buttons.bmp"), nullptr);
    testing::internal::GetCapturedStderr();
}

TEST_F(ScreenBitmaps, TreeViewImagesAreCentredInPaletteOrOneColour)
{
    const int palette[] = {0, 0xFF0000, 0x0000FF};
    const unsigned char pixels[] = {1, 0, 2,
                                    0, 1, 0};
    const ZAV_TreeView_Image image{3, 2, palette, 3, pixels};
    Draw_TreeViewImage(&image, 50, 50, -1);
    EXPECT_EQ(At(49, 49), 0xFF0000u);  // left column x - 1, top row y - 1
    EXPECT_EQ(At(50, 49), 0xFFFFFFu);  // index 0 transparent
    EXPECT_EQ(At(51, 49), 0x0000FFu);
    EXPECT_EQ(At(50, 50), 0xFF0000u);
    Draw_TreeViewImage(&image, 60, 50, 0x00FF00);
    EXPECT_EQ(At(59, 49), 0x00FF00u);
    EXPECT_EQ(At(61, 49), 0x00FF00u);
    EXPECT_EQ(At(60, 49), 0xFFFFFFu);
    Draw_TreeViewImage(nullptr, 10, 10, -1);
}

TEST(ScreenLibraryBitmaps, DataFilesAreWhatTheLibraryDraws)
{
    for (const std::string& name : Library_Bitmap_Names()) {
        Screen_Image image;
        ASSERT_TRUE(Make_Library_Bitmap(name, image));
        EXPECT_EQ(Read_File_Bytes(std::string(CORBEL_SOURCE_DIR) + "/data/" + name), Encode_Bmp(image))
            << name << ": run make_bitmaps to write data/ again";
    }
    // The layout the callers rely on.
    Screen_Image buttons, glory, sand;
    Make_Library_Bitmap("Buttons.bmp", buttons);
    EXPECT_GE(buttons.width, 642);
    EXPECT_GE(buttons.height, 202);
    EXPECT_EQ(buttons.At(0, 0), 0xDBD5CBu);         // the band's key
    EXPECT_EQ(buttons.At(1, 51), 0xC0C0C0u);        // a button's corner: the buttons' key
    EXPECT_NE(buttons.At(20, 51 + 18), 0xC0C0C0u);  // its face
    EXPECT_EQ(buttons.At(390, 51 + 18), 0xC0C0C0u); // between online on and off
    Make_Library_Bitmap("animsandclock.bmp", sand);
    EXPECT_EQ(sand.width, 12 * 31);
    EXPECT_EQ(sand.height, 61);
    // No smoothed edges: every pixel next to the key is either the key or fully drawn
    // (no blend of the key with the face).
    Make_Library_Bitmap("Glory3.bmp", glory);
    for (uint32_t p : glory.pixels) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        EXPECT_FALSE(p != 0xC0C0C0u && std::abs(r - 192) <= 3 && std::abs(g - 192) <= 3 && std::abs(b - 192) <= 3);
    }
}

} // namespace
