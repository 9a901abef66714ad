#include "annex/nad_selection.h"

#include "annex_env.h"
#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <string>

TEST(NADSelection, LongNamesAreShortenedWithDotsUntilTheyFit)
{
    std::string fits;
    while (NAD_List_Name_Width(fits + "a") <= NAD_LIST_NAME_WIDTH) fits += 'a';
    EXPECT_EQ(NAD_Shorten_List_Name(fits), fits);
    EXPECT_NE(NAD_Shorten_List_Name(fits + "a"), fits + "a");
    // Far longer than the 52 characters of a fixed working copy.
    for (size_t length : {fits.size() + 1, size_t(99), size_t(400)}) {
        std::string name;
        for (size_t i = 0; i < length; ++i) name += static_cast<char>('A' + i % 26);
        const std::string shown = NAD_Shorten_List_Name(name);
        const std::string kept = shown.substr(0, shown.size() - 3);
        EXPECT_EQ(shown.substr(kept.size()), "...");
        EXPECT_EQ(name.compare(0, kept.size(), kept), 0);
        EXPECT_LE(NAD_List_Name_Width(shown), NAD_LIST_NAME_WIDTH);
        EXPECT_GT(NAD_List_Name_Width(name.substr(0, kept.size() + 1) + "..."), NAD_LIST_NAME_WIDTH);
    }
    EXPECT_EQ(NAD_Shorten_List_Name("Deutschland", 4), "...");
    // Names are code page 850 bytes, measured in the normal font.
    EXPECT_EQ(NAD_List_Name_Width("\x99sterreich"), Font_Text_Width("\xD6sterreich", 0x1000, Code_Page::Cp1252));
}

TEST(NADSelection, FlagsOfTheCodes)
{
    const NAD_Flag_Rect germany = NAD_Flag_Source_Rect(18);
    EXPECT_EQ(germany.x1, 0);
    EXPECT_EQ(germany.x2, 25);
    EXPECT_EQ(germany.y1, 342);
    EXPECT_EQ(germany.y2, 360);
    for (int code : {20, 99, -1, -2147483647}) EXPECT_EQ(NAD_Flag_Source_Rect(code).y1, 19 * 17) << code;

    {
        Env_Override data("DATA", "/daten");
        EXPECT_EQ(NAD_Flag_Bitmap_Path(), "/daten\\NAD\\EuroFlags.bmp");
    }
    Env_Override no_data("DATA", nullptr);
    EXPECT_EQ(NAD_Flag_Bitmap_Path(), "");
}
