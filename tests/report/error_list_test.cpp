#include "report/error_list.h"

#include "base/component_files.h"
#include "platform/messages.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {
const char* const TABLE_HEAD = "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n";
const char* const FAILED_LINE = " \xCE" "bDer Nachweis kann nicht gef\x81hrt werden ==>\xCE" "r\n";
} // namespace

TEST(ErrorList, FileIsOneTableBlockCopiedWholeIntoTheReport)
{
    Temp_Dir dir;
    Set_Component_Path(dir.file("K1").c_str());
    FILE* list = Open_Error_List("_ERR.TMP");
    ASSERT_NE(list, nullptr);
    const std::string long_row = " " + std::string(450, 'x');  // longer than one copied piece
    std::fputs((" Hinweis: H < 0.2 A !\n" + long_row + "\n Auflagerkraft < 0 !\r\n").c_str(), list);
    const std::string rows = TABLE_HEAD + (" Hinweis: H < 0.2 A !\n" + long_row + "\n Auflagerkraft < 0 !\n");

    File_Stream report, failed, alone;
    EXPECT_EQ(Append_Error_List(report.get(), list), 0);  // from the file's beginning, CR LF as LF
    EXPECT_EQ(report.bytes(), rows + "#END_OF_TEXT\n");
    EXPECT_EQ(Append_Failed_Proof(failed.get(), list), 0);
    EXPECT_EQ(failed.bytes(), FAILED_LINE + ("#END_OF_TEXT\n" + rows) + "#END_OF_TEXT\n");
    EXPECT_EQ(Append_Failed_Proof(alone.get(), nullptr), 0);
    EXPECT_EQ(alone.bytes(), FAILED_LINE + std::string("#END_OF_TEXT\n"));
    std::fclose(list);

    EXPECT_EQ(Append_Error_List(nullptr, report.get()), 1);
    EXPECT_EQ(Append_Error_List(report.get(), nullptr), 1);
    EXPECT_EQ(Append_Failed_Proof(nullptr, report.get()), 1);
    Set_Component_Path(dir.file("fehlt/K1").c_str());
    EXPECT_EQ(Open_Error_List("_ERR.TMP"), nullptr);
}

TEST(GuillemetField, WriteReadAndStayInStep)
{
    File_Stream out;
    EXPECT_EQ(Write_Guillemet_Field(out.get(), "Tr\x84ger T1"), 0);
    EXPECT_EQ(Write_Guillemet_Field(nullptr, "x"), 1);
    EXPECT_EQ(Write_Guillemet_Field(out.get(), nullptr), 1);
    EXPECT_EQ(out.bytes(), "\xAETr\x84ger T1\xAF\n");

    const std::string long_text(150, 'a');
    File_Stream in("\xAETr\x84ger T1\xAF\n  \xAE" + long_text + "\xAF\r\n \xAE\xAF 42 \xAEohne Ende");
    char buffer[GUILLEMET_FIELD_SIZE];
    EXPECT_EQ(Read_Guillemet_Field(in.get(), buffer), 0);
    EXPECT_STREQ(buffer, "Tr\x84ger T1");
    EXPECT_EQ(Read_Guillemet_Field(in.get(), buffer), 0);  // cut, its rest consumed
    EXPECT_EQ(std::string(buffer), long_text.substr(0, 100));
    EXPECT_EQ(Read_Guillemet_Field(in.get(), buffer), 1);  // an empty field is no field
    EXPECT_EQ(Read_Guillemet_Field(in.get(), buffer), 1);  // not a field: the number stays
    int n = 0;
    EXPECT_EQ(std::fscanf(in.get(), "%d", &n), 1);
    EXPECT_EQ(n, 42);
    EXPECT_EQ(Read_Guillemet_Field(in.get(), buffer), 0);  // runs to the end of the file
    EXPECT_STREQ(buffer, "ohne Ende");
    EXPECT_EQ(Read_Guillemet_Field(in.get(), buffer), 1);
    EXPECT_EQ(Read_Guillemet_Field(nullptr, buffer), 1);
    EXPECT_EQ(Read_Guillemet_Field(in.get(), nullptr), 1);
}

TEST(ErrorMessages, FixedTextsAndNumbers)
{
    Clear_Shown_Messages();
    EXPECT_EQ(Show_Read_Error(), 101);
    EXPECT_EQ(Show_Write_Error(), 102);
    EXPECT_EQ(Show_Data_Error(), 103);
    const auto& shown = Shown_Messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "Lesefehler !!!");
    EXPECT_EQ(shown[1].text, "Schreibfehler !!!");
    EXPECT_EQ(shown[2].text, "Datenfehler !!!");
    Clear_Shown_Messages();
}
