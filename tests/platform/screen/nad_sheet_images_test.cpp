#include "platform/screen/nad_sheet_images.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

TEST(NadSheetImages, DataFilesAreWhatTheCodeDrawsAndTheRowsFitTheFields)
{
    for (const std::string& name : Nad_Sheet_Bitmap_Names()) {
        Screen_Image image;
        ASSERT_TRUE(Make_Nad_Sheet_Bitmap(name, image));
        EXPECT_EQ(Read_File_Bytes(std::string(CORBEL_SOURCE_DIR) + "/data/" + name), Encode_Bmp(image))
            << name << ": run make_bitmaps to write data/ again";
        EXPECT_EQ(image.At(image.width - 1, image.height - 2), 0xFFFFFFu) << name;  // white ground, drawn transparent
    }
    // The load factor pictures: a heading row and one row a field row, 22 pixels each,
    // 420 wide (the fields reach x 381 + their width).
    const struct {
        const char* name;
        int field_rows;
    } rows[] = {
        {"NAD/NAD-Kbws.bmp", 41},           {"NAD/NAD_bridge_str_b.bmp", 12},    {"NAD/NAD_bridge_ausser.bmp", 13},
        {"NAD/NAD_bridge_erdbeben.bmp", 13}, {"NAD/NAD_bridge_gebrauch.bmp", 12}, {"NAD/NAD_bridge_str_psi.bmp", 14},
        {"NAD/NAD_bridge_fuss_psi.bmp", 7}, {"NAD/NAD_bridge_bahn_psi.bmp", 34},
    };
    for (const auto& r : rows) {
        Screen_Image image;
        ASSERT_TRUE(Make_Nad_Sheet_Bitmap(r.name, image));
        EXPECT_EQ(image.width, 420) << r.name;
        EXPECT_EQ(image.height, 22 * (r.field_rows + 1)) << r.name;
    }
    // The timber picture holds its nine bands; a formula picture fits its line.
    Screen_Image image;
    ASSERT_TRUE(Make_Nad_Sheet_Bitmap("NAD/EC5GrobiNads.bmp", image));
    EXPECT_EQ(image.width, 376);
    EXPECT_EQ(image.height, 940 + 109);
    ASSERT_TRUE(Make_Nad_Sheet_Bitmap("NAD/NAD_Func8.bmp", image));
    EXPECT_EQ(image.width, 176);
    EXPECT_EQ(image.height, 16);
    bool inked = false;
    for (uint32_t pixel : image.pixels) inked = inked || pixel == 0x000000u;
    EXPECT_TRUE(inked);
    EXPECT_FALSE(Make_Nad_Sheet_Bitmap("NAD/nothing.bmp", image));
}
