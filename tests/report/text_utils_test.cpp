#include "report/text_utils.h"

#include "core/startup.h"
#include "platform/messages.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(FileVersion, NewerFilesAreRefusedWithTheirWarning)
{
    refresh_mode = 0;
    Clear_Shown_Messages();
    EXPECT_EQ(Check_File_Version(4, 4, 0), 1);
    EXPECT_EQ(Check_File_Version(9999, 4, 0), 1);  // 9999 and above are never newer
    EXPECT_TRUE(Shown_Messages().empty());
    EXPECT_EQ(Check_File_Version(5, 4, 0), 0);
    EXPECT_EQ(Check_File_Version(9998, 4, 1), 0);
    ASSERT_EQ(Shown_Messages().size(), 2u);
    EXPECT_EQ(Shown_Messages()[0].text, "!! ACHTUNG !!\nDie Eingabedatei ist aktueller als die "
                                        "Programmversion\nBitte aktualisieren Sie das Programm.");
    EXPECT_EQ(Shown_Messages()[1].text, "!! ACHTUNG !!\nDie Importdatei ist aktueller als die "
                                        "Programmversion\nBitte fordern Sie eine neue Programmversion an.");
    // A refresh run refuses just the same, without a word.
    Clear_Shown_Messages();
    refresh_mode = 1;
    EXPECT_EQ(Check_File_Version(5, 4, 0), 0);
    EXPECT_EQ(Check_File_Version(5, 4, 1), 0);
    EXPECT_TRUE(Shown_Messages().empty());
    refresh_mode = 0;
}

TEST(TextUtils, TildesTrimAndBlanks)
{
    char text[] = " a b ";
    EXPECT_EQ(Replace_Blanks_With_Tildes(text), 1);
    EXPECT_STREQ(text, "~a~b~");
    EXPECT_EQ(Replace_Tildes_With_Blanks(text), 1);
    EXPECT_STREQ(text, " a b ");
    char tildes[] = "~~~", empty[] = "";
    EXPECT_EQ(Replace_Tildes_With_Blanks(tildes), 0);  // an empty value written as tildes
    EXPECT_STREQ(tildes, "   ");
    EXPECT_EQ(Replace_Tildes_With_Blanks(empty), 0);

    char padded[] = "  St\xFCtze 1 \t  ";
    EXPECT_EQ(Trim_Blanks(padded), 1);
    EXPECT_STREQ(padded, "St\xFCtze 1 \t");  // only blanks count
    char blanks[] = "   ";
    EXPECT_EQ(Trim_Blanks(blanks), 1);
    EXPECT_STREQ(blanks, "");
    EXPECT_EQ(Trim_Blanks(blanks), 0);
    EXPECT_EQ(Trim_Blanks(nullptr) + Replace_Tildes_With_Blanks(nullptr), 0);
}

TEST(TextUtils, PadAndBoundedCopyStayInsideTheirBuffers)
{
    char buffer[64] = "LK 1";
    Pad_With_Blanks(buffer, 41);
    EXPECT_EQ(std::string(buffer), "LK 1" + std::string(36, ' '));
    std::strcpy(buffer, std::string(45, 'x').c_str());
    Pad_With_Blanks(buffer, 41);
    EXPECT_EQ(std::string(buffer), std::string(40, 'x'));
    char raw[5] = {'a', 'b', 'c', 'd', 'e'};  // unterminated: read no further than the width
    Pad_With_Blanks(raw, 5);
    EXPECT_STREQ(raw, "abcd");

    char field[41];
    std::memset(field, ' ', 40);
    field[40] = '\0';
    Copy_String_Bounded(field, std::string(50, 's').c_str(), 41);
    EXPECT_EQ(std::string(field), std::string(40, 's'));
    // An empty destination is filled too (the text would otherwise be lost).
    char empty[10] = "";
    Copy_String_Bounded(empty, "Name", 10);
    EXPECT_STREQ(empty, "Name");
    Copy_String_Bounded(empty, "", 10);  // nothing for an empty source or size 1
    Copy_String_Bounded(empty, "x", 1);
    EXPECT_STREQ(empty, "Name");
}

TEST(TextUtils, FormatIntoStaticBuffer)
{
    char* a = Format_To_Static_Buffer("%s %d", "LK", 3);
    EXPECT_STREQ(a, "LK 3");
    std::string s99(99, 'y');
    EXPECT_EQ(std::string(Format_To_Static_Buffer("%s", s99.c_str())), s99);
    EXPECT_STREQ(Format_To_Static_Buffer("%s", std::string(120, 'z').c_str()), "");
    EXPECT_EQ(Format_To_Static_Buffer("x"), a);  // one buffer for all calls
}
