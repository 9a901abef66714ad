#include "report/page_head.h"

#include "base/component_files.h"
#include "core/startup.h"
#include "platform/environment.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/text_writer.h"

#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

const std::string RED = "\xCE{C 1 230 0 0}";
const std::string OFF = "\xCE{C 768}";
const std::string UNDERLINE = "\xCE" "u";
const std::string RESET = "\xCE" "r";

// Sets (or, with nullopt, removes) an environment variable for the life of the object.
class Env_Var {
public:
    Env_Var(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(value);
    }
    ~Env_Var() { Set(old_); }
    Env_Var(const Env_Var&) = delete;
    Env_Var& operator=(const Env_Var&) = delete;

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

// Bytes that the writer puts into a fresh stream.
template <typename Writer>
std::string Written(Writer writer)
{
    FILE* stream = std::tmpfile();
    if (!stream) return "<no stream>";
    writer(stream);
    std::string bytes;
    std::rewind(stream);
    for (int c; (c = std::fgetc(stream)) != EOF;) bytes.push_back(static_cast<char>(c));
    std::fclose(stream);
    return bytes;
}

std::string Version_Table(const std::string& line)
{
    return "#OLI_STORE_Y 1\n#OLI_MARGINS 1 12 0\n#SHOWTABLE\n0 0 0\n0 0 -1 -1\n \xCE" "S" + line +
           "\n#END_OF_TEXT\n#OLI_RESTORE_Y 1\n#OLI_MARGINS 1 0 0\n";
}

// A position "B1" with File-Id 1 in a temporary directory, an installation directory with
// the corbel's VERSION file, the environment's default application number.
class PageHead : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_path_ = Get_Component_Path();
        saved_oli_ = oli_file_name;
        Set_Component_Path(dir_.file("B1").c_str());
        oli_file_name = "_01.OLI";
        std::filesystem::create_directories(dir_.file("exec/Q7-EC203"));
        Write_Version("Q7-EC203 Version 2.1.04\n");
        OLI_Reset_Channel();
    }
    void TearDown() override
    {
        OLI_Reset_Channel();
        Set_Component_Path(saved_path_.c_str());
        oli_file_name = saved_oli_;
    }
    void Write_Version(const std::string& bytes) { Write_File_Bytes(dir_.file("exec/Q7-EC203/VERSION"), bytes); }
    std::string Report() const { return Read_File_Bytes(dir_.file("B1_01.OLI")); }
    // Opens, closes and reads the report.
    std::string Head(const char* number, const char* title, int continuing = 1, double reserve = 6.0)
    {
        FILE* stream = OLI_Open_Report(number, title, continuing, reserve, 0);
        if (!stream) return "<not opened>";
        EXPECT_EQ(OLI_Close_Report(stream), 0);
        return Report();
    }

    Temp_Dir dir_;
    Env_Var exec_{"EXEC", dir_.file("exec")};
    Env_Var application_{"ZAV_APPLICATION_NUMBER", std::nullopt};
    std::string saved_path_, saved_oli_;
};

} // namespace

TEST_F(PageHead, ContentsLineAndVersionTable)
{
    const std::string table = Version_Table("Q7-EC2KO Version 2.1.04");
    EXPECT_EQ(Head("12", "Konsole Achse B"), "#OLI_RESERVE 6\n#CONTENTS\n POS. 12: Konsole Achse B\n" + table);
    EXPECT_EQ(Head("12", ""), "#OLI_RESERVE 6\n#CONTENTS\n POS. 12\n" + table);
    EXPECT_EQ(Head(nullptr, "Konsole"), "#OLI_RESERVE 6\n#CONTENTS\n Konsole\n" + table);
    EXPECT_EQ(Head("", nullptr), "#OLI_RESERVE 6\n#CONTENTS\n\n" + table);

    // Without a version file the head ends after the contents entry.
    {
        Env_Var no_exec("EXEC", std::nullopt);
        EXPECT_EQ(Head("12", "Konsole Achse B", 1, 16.0), "#OLI_RESERVE 16\n#CONTENTS\n POS. 12: Konsole Achse B\n");
        EXPECT_EQ(Head("", "Konsole"), "#OLI_RESERVE 6\n#CONTENTS\n Konsole\n");
    }
    std::filesystem::remove(dir_.file("exec/Q7-EC203/VERSION"));
    EXPECT_EQ(Head("3", "K"), "#OLI_RESERVE 6\n#CONTENTS\n POS. 3: K\n");
}

TEST_F(PageHead, VersionLineByApplicationNumber)
{
    // A short line keeps its characters; an empty file gives no table.
    Write_Version("V 1.0\r\n");
    EXPECT_EQ(Head("1", "A"), "#OLI_RESERVE 6\n#CONTENTS\n POS. 1: A\n" + Version_Table("V 1.0"));
    Write_Version("");
    EXPECT_EQ(Head("1", "A"), "#OLI_RESERVE 6\n#CONTENTS\n POS. 1: A\n");

    // Another program of the family has a directory and code of its own.
    std::filesystem::create_directories(dir_.file("exec/Q7-EC201"));
    Write_File_Bytes(dir_.file("exec/Q7-EC201/VERSION"), "Q7-EC201 Version 5.00\n");
    {
        Env_Var number("ZAV_APPLICATION_NUMBER", "125");
        EXPECT_EQ(Head("1", "A"), "#OLI_RESERVE 6\n#CONTENTS\n POS. 1: A\n" + Version_Table("Q7-EC2ST Version 5.00"));
    }
    {
        Env_Var number("ZAV_APPLICATION_NUMBER", "99");  // not in the program table
        EXPECT_EQ(Head("1", "A"), "#OLI_RESERVE 6\n#CONTENTS\n POS. 1: A\n");
    }

    // The installation's own VERSION file is found where the page head looks for it.
    Env_Var shipped("EXEC", std::string(CORBEL_SOURCE_DIR) + "/data");
    std::string head = Head("1", "A");
    EXPECT_NE(head.find("#SHOWTABLE\n0 0 0\n0 0 -1 -1\n \xCE" "SQ7-EC2KO"), std::string::npos) << head;
}

TEST_F(PageHead, OpeningResetsTheChannelAndTheHeadings)
{
    // An earlier report that was never closed, its block still open, with attributes and
    // tab stops still requested: opening the next one drops it.
    FILE* earlier = OLI_Open_Report("1", "alt", 1, 6.0, 0);
    ASSERT_NE(earlier, nullptr);
    OLI_Printf(earlier, "Zeile ohne Ende");
    OLI_Set_Text_Style(7);
    const double stop = 3.5;
    OLI_Set_Tab_Stops(2, nullptr, &stop, 1);

    FILE* stream = OLI_Open_Report("12", "Konsole", 0, 6.0, 1);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(heading_state.flat, 1);
    EXPECT_EQ(heading_state.no_numbers, 1);
    EXPECT_EQ(heading_state.bookmark_depth, 6);
    EXPECT_EQ(heading_state.bookmark_group_depth, 1);
    OLI_Printf(stream, "Text\n");
    EXPECT_EQ(OLI_Close_Report(stream), 0);
    // The page break is a keyword line; nothing of the earlier block reaches this file.
    EXPECT_EQ(Report(), "#NEWPAGE\n#OLI_RESERVE 6\n#CONTENTS\n POS. 12: Konsole\n" +
                            Version_Table("Q7-EC2KO Version 2.1.04") +
                            "\n#SHOWPARA\n0x0\n4\n-1\n Text\n#END_OF_TEXT\n0x0\n-1\n");

    stream = OLI_Open_Report("12", "Konsole", 1, 6.0, 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(heading_state.no_numbers, 0);
    EXPECT_EQ(heading_state.flat, 1);
    OLI_Close_Report(stream);

    // A report that cannot be opened gives no stream.
    Set_Component_Path(dir_.file("missing/B1").c_str());
    EXPECT_EQ(OLI_Open_Report("12", "Konsole", 1, 6.0, 0), nullptr);
}

TEST_F(PageHead, CloseSaysWhenTheReportDidNotReachTheFile)
{
    EXPECT_EQ(OLI_Close_Report(nullptr), 0);

    FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    OLI_Printf(full, "Bemessung\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(OLI_Close_Report(full), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fehler beim Schreiben der Druckliste!\n");

    // The report file itself on a full disk: named with the reason, and the earlier report
    // (here: the device) is not replaced by a half-written one.
    const std::string name = dir_.file("B1_01.OLI");
    ASSERT_TRUE(Write_File_Bytes(name, "alter Bericht"));
    FILE* stream = OLI_Open_Report("1", "A", 1, 6.0, 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(Read_File_Bytes(name), "alter Bericht");  // still the old one while writing
    EXPECT_EQ(OLI_Close_Report(stream), 0);
    EXPECT_EQ(OLI_Last_Report_Error(), 0);
    EXPECT_NE(Read_File_Bytes(name).find("#CONTENTS"), std::string::npos);

    std::remove(name.c_str());
    ASSERT_EQ(::symlink("/dev/full", name.c_str()), 0);
    stream = OLI_Open_Report("1", "A", 1, 6.0, 0);
    ASSERT_NE(stream, nullptr);
    for (int i = 0; i < 2000; ++i) OLI_Printf(stream, "Bemessung einer Lastkonsole\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(OLI_Close_Report(stream), 1);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Die Druckliste " + name + " konnte nicht vollst\xC3\xA4ndig geschrieben werden: "),
              std::string::npos)
        << said;
    EXPECT_NE(OLI_Last_Report_Error(), 0);
    std::remove(name.c_str());
}

TEST(ReportCells, ResultCellForms)
{
    auto cell = [](double governing, double value) {
        return Written([&](FILE* s) { OLI_Write_Result_Cell(s, governing, value); });
    };
    EXPECT_EQ(cell(-2.0, -3.456), "   -3.46");            // plain, even when negative
    EXPECT_EQ(cell(5.0, -0.5), RED + "  Fehler" + OFF);    // failed calculation
    EXPECT_EQ(cell(5.0, -0.0001), RED + "  Fehler" + OFF);
    EXPECT_EQ(cell(5.0, 0.00005), "    --- ");             // no value
    EXPECT_EQ(cell(5.0, -0.00005), "    --- ");
    EXPECT_EQ(cell(12.5, 12.5), " " + UNDERLINE + "  12.50" + RESET);      // governing value
    EXPECT_EQ(cell(12.50005, 12.5), " " + UNDERLINE + "  12.50" + RESET);
    EXPECT_EQ(cell(12.5002, 12.5), "   12.50");            // differs by 0.0002
    EXPECT_EQ(cell(0.0, 1234.567), " 1234.57");

    EXPECT_EQ(Written([](FILE* s) {
                  OLI_Write_Cell_8_1(s, 2.24);
                  OLI_Write_Cell_9_2(s, -1.5);
              }),
              "      2.2     -1.50");
    OLI_Write_Result_Cell(nullptr, 1.0, 1.0);  // nothing, no crash
}

TEST(ReportCells, RunOnListAndFontGlyph)
{
    OLI_Reset_Channel();
    std::string list = Written([](FILE* s) {
        const char* items[] = {"A", "B", "50 %", "D", "E"};
        for (int i = 0; i < 5; ++i) OLI_Write_List_Item(s, i, 2, items[i]);
        OLI_Write_List_Item(s, 5, 2, "");
        OLI_End_Text_Block(s);
    });
    EXPECT_EQ(list, "\n#SHOWPARA\n0x0\n4\n-1\n A;  B\n 50 %;  D\n E\n#END_OF_TEXT\n0x0\n-1\n");

    EXPECT_EQ(Written([](FILE* s) { OLI_Write_Font_Glyph_Graphic(s, "Symbol", 1.0, 0.5); }),
              "#SHOWGRAFIC\n0 0 0\n0 0 0\n-1\n0 1.000000 0 0.500000\n27 0 0.500000 %FONT%\\Symbol.ocm\n-1\n");
    EXPECT_EQ(Written([](FILE* s) { OLI_Write_Font_Glyph_Graphic(s, "Symbol", 0.9, 0.5); }), "");
    EXPECT_EQ(Written([](FILE* s) { OLI_Write_Font_Glyph_Graphic(s, "Symbol", 1.0, 0.4); }), "");
}

TEST(ProgramCodes, ByApplicationNumber)
{
    auto code = [] {
        char out[2];
        Get_Program_Code(out);
        return std::string(out, 2);
    };
    {
        Env_Var number("ZAV_APPLICATION_NUMBER", std::nullopt);
        EXPECT_EQ(CurOb_Application_Number(), 127);  // the corbel
        EXPECT_EQ(code(), "KO");
    }
    Env_Var number("ZAV_APPLICATION_NUMBER", "124");
    EXPECT_EQ(code(), "??");
    EXPECT_EQ(Get_Program_Directory_Name(124), nullptr);
}

TEST(ReportFiles, CopyFileIfExists)
{
    Temp_Dir dir;
    const std::string bytes("Zeile 1\r\n\x94\x81\0Ende", 14);
    Write_File_Bytes(dir.file("a.txt"), bytes);
    EXPECT_EQ(Copy_File_If_Exists(dir.file("a.txt").c_str(), dir.file("b.txt").c_str()), 0);
    EXPECT_EQ(Read_File_Bytes(dir.file("b.txt")), bytes);
    EXPECT_EQ(Copy_File_If_Exists(dir.file("none.txt").c_str(), dir.file("c.txt").c_str()), 1);
    EXPECT_FALSE(File_Exists(dir.file("c.txt")));
    EXPECT_EQ(Copy_File_If_Exists(dir.file("a.txt").c_str(), "/dev/full"), 1);  // copy not written whole
}
