#include "platform/screen/sheet_images.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

TEST(SheetImages, DataFilesAreWhatTheCodeDrawsWithTheSizesAndKeysTheSheetsUse)
{
    for (const std::string& name : Sheet_Bitmap_Names()) {
        Screen_Image image;
        ASSERT_TRUE(Make_Sheet_Bitmap(name, image));
        EXPECT_EQ(Read_File_Bytes(std::string(CORBEL_SOURCE_DIR) + "/data/" + name), Encode_Bmp(image))
            << name << ": run make_bitmaps to write data/ again";
    }
    struct Expected {
        const char* name;
        int width, height;
        uint32_t key;  // the colour of the top left pixel, drawn transparent
    };
    const Expected sizes[] = {
        {"updown_but.bmp", 16, 18, 0xFFFFFF},        {"work_but.bmp", 14, 14, 0xFFFFFF},
        {"EC2_konlasten0.bmp", 631, 66, 0xFFFFFF},   {"EC2_konlasten0_2p.bmp", 536, 66, 0xFFFFFF},
        {"EC2_konlasten0a_p.bmp", 84, 66, 0xFFFFFF}, {"EC2_konlasten0_pic.bmp", 236, 211, 0xFFFFFF},
        {"SniGrImportButton.bmp", 204, 112, 0xFFFFFF}, {"ec2_quer1i.bmp", 150, 56, 0xFFFFFF},
        {"NAD/EuroFlags.bmp", 26, 380, FLAG_GROUND_RGB}, {"NAD/Buttons.bmp", 168, NAD_EDITOR_BUTTON_ROW + NAD_EDITOR_BUTTON_HEIGHT, NAD_BUTTON_KEY_RGB},
    };
    for (const Expected& e : sizes) {
        Screen_Image image;
        ASSERT_TRUE(Make_Sheet_Bitmap(e.name, image));
        EXPECT_EQ(image.width, e.width) << e.name;
        EXPECT_EQ(image.height, e.height) << e.name;
        EXPECT_EQ(image.At(0, 0), e.key) << e.name;
    }
    // Every flag cell has the transparent ground above and below its flag, and the German
    // flag (code 18) is black, red and gold from the top.
    Screen_Image flags;
    Make_Sheet_Bitmap("NAD/EuroFlags.bmp", flags);
    for (int code = 0; code < 20; ++code) {
        EXPECT_EQ(flags.At(12, 19 * code), FLAG_GROUND_RGB);
        EXPECT_NE(flags.At(12, 19 * code + 9), FLAG_GROUND_RGB) << code;
    }
    EXPECT_EQ(flags.At(12, 19 * 18 + 3), 0x000000u);
    EXPECT_EQ(flags.At(12, 19 * 18 + 9), 0xDD0000u);
    EXPECT_EQ(flags.At(12, 19 * 18 + 15), 0xFFCE00u);
    EXPECT_FALSE(Make_Sheet_Bitmap("nothing.bmp", flags));
}
