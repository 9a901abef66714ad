#include "base/exchange_objects.h"
#include "base/force_import.h"
#include "base/guillemet.h"
#include "base/run_globals.h"
#include "platform/messages.h"

#include "test_support.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::string G(const std::string& text) { return In_Guillemets(text); }

// A result file of two sets with two values each and the info part.
std::string Two_Sets(const std::string& info = "2 Info\n" + G("K1") + G("") + G("c") + G("d") + G("e") + "\n" +
                                               G("K2") + G("b") + G("c") + G("d") + G("e") + "\n")
{
    return "V:3\r\n2 2\r\n12.345 -1.5\r\n7 1.5 " + G("Lk 1") + G("") + "\r\n3 4 8 2.0 " + G("Lk 2") + G("zwei") +
           "\r\n" + info;
}

void Write_Script(const std::string& path, const std::string& body)
{
    Write_File_Bytes(path, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
}

struct ForceImport : ::testing::Test {
    Temp_Dir exec, temp, work;
    std::string old_exec = std::getenv("EXEC") ? std::getenv("EXEC") : "";
    std::string old_temp = std::getenv("TEMP") ? std::getenv("TEMP") : "";
    Component_Selection component{};

    void SetUp() override
    {
        ::setenv("EXEC", exec.path().c_str(), 1);
        ::setenv("TEMP", temp.path().c_str(), 1);
        refresh_mode = 0;
        Clear_Shown_Messages();
        Set_Message_Answer(0);
        Free_Import_Results();
        import_component = nullptr;
        std::snprintf(component.name, sizeof component.name, "Riegel R1");
        std::snprintf(component.file_base, sizeof component.file_base, "C:\\Proj\\R1");
    }
    void TearDown() override
    {
        Free_Import_Results();
        import_component = nullptr;
        Set_Message_Answer(0);
        for (auto [name, old] : {std::pair{"EXEC", &old_exec}, std::pair{"TEMP", &old_temp}})
            old->empty() ? ::unsetenv(name) : ::setenv(name, old->c_str(), 1);
    }
    // The selection tool: records its arguments and answers with work/answer when there
    // is one.
    void Install_Tool()
    {
        Write_Script(exec.file("Tramovik.exe"),
                     "printf '%s\\n' \"$@\" > '" + work.file("args") + "'\n[ -f '" + work.file("answer") +
                         "' ] && cp '" + work.file("answer") + "' \"$TEMP/Tramovik.res\"\nsleep 0.2\n");
    }
    int Read(const std::string& bytes)
    {
        Write_File_Bytes(work.file("r.res"), bytes);
        return Read_Import_Result_File(work.file("r.res").c_str());
    }
};

} // namespace

TEST_F(ForceImport, AnswerFileSetsTextsAndInfo)
{
    ASSERT_EQ(Read(Two_Sets()), 2);
    float v[2] = {};
    EXPECT_EQ(Get_Import_Set_Values(0, v), 1);
    EXPECT_EQ(v[0], 12.345f);
    EXPECT_EQ(v[1], -1.5f);
    EXPECT_EQ(Get_Import_Set_Id(1), 8);
    EXPECT_EQ(Get_Import_Set_Factor(1), 2.0);
    EXPECT_STREQ(Get_Import_Set_Text1(0), "Lk 1");
    EXPECT_EQ(Get_Import_Set_Text2(0), nullptr);  // an empty text stands as null
    EXPECT_STREQ(Get_Import_Set_Checkpoint(0), "K1");
    EXPECT_EQ(Get_Import_Set_Info2(0), nullptr);
    EXPECT_STREQ(Get_Import_Set_Info5(1), "e");
    EXPECT_EQ(Get_Import_Set_Values(2, v), 0);
    EXPECT_EQ(Get_Import_Set_Text1(-1), nullptr);

    // The info part is optional and ignored when its count differs.
    EXPECT_EQ(Read(Two_Sets("")), 2);
    EXPECT_EQ(Get_Import_Set_Checkpoint(0), nullptr);
    EXPECT_EQ(Read(Two_Sets("3 Info\n" + G("K"))), 2);
    EXPECT_EQ(Get_Import_Set_Checkpoint(0), nullptr);
    EXPECT_EQ(Read(Two_Sets("2 Info\n" + G("K1") + G("x"))), 2);  // short: what was there stays
    EXPECT_STREQ(Get_Import_Set_Checkpoint(0), "K1");

    Free_Import_Results();
    EXPECT_EQ(import_valid, 0);
    EXPECT_EQ(Get_Import_Set_Id(1), 0);
    EXPECT_EQ(Get_Import_Set_Values(0, v), 0);
}

TEST_F(ForceImport, DamagedAnswerFilesGiveNothing)
{
    EXPECT_EQ(Read("V:1\n0 2\n"), 0);
    EXPECT_EQ(Read("V:1\n2 -2\n"), 0);
    EXPECT_EQ(Read("1\n2 2\n"), 0);
    EXPECT_EQ(Read("V:1\n2147483647 2147483647\n"), 0);  // no request for memory
    EXPECT_EQ(Read("V:1\n1 2\n1 2 3 4.0\n"), 0);         // text missing
    EXPECT_EQ(import_valid, 0);
    // An unreadable value stays 0 but the set still needs its texts.
    EXPECT_EQ(Read("V:1\n1 2\n1 x 3 4 " + G("a") + G("b")), 0);
    EXPECT_EQ(Read("V:1\n1 3\n1 2 3 4 5 " + G(std::string(400, 'T')) + G("b")), 1);
    EXPECT_EQ(std::strlen(Get_Import_Set_Text1(0)), 255u);
    EXPECT_EQ(Read_Import_Result_File(work.file("none").c_str()), 0);
    EXPECT_EQ(Read_Import_Result_File(nullptr), 0);
    std::string noise = "V:1\n3 2\n";
    for (int i = 0; i < 4000; ++i) noise += static_cast<char>((i * 131) % 256);
    Read(noise);
}

TEST_F(ForceImport, ToolChainArgumentsStaleAnswerAndPreviousComponent)
{
    EXPECT_EQ(Check_Force_Selection_Tool(), 0);
    EXPECT_EQ(Import_Beam_Cut_Results(&component, 10000, 4101, 1, 12), 0);  // no tool
    Install_Tool();
    EXPECT_EQ(Check_Force_Selection_Tool(), 1);

    Write_File_Bytes(work.file("answer"), Two_Sets());
    EXPECT_EQ(Import_Beam_Cut_Results(&component, 10000, 4101, 1, 12), 2);
    EXPECT_EQ(Read_File_Bytes(work.file("args")), "C:\\Proj\\R1.EX2\n10000\n4101\n1\n12\n");
    EXPECT_TRUE(File_Exists(temp.file("Tramovik.res")));  // the answer stays
    EXPECT_STREQ(Get_Import_Component_File(), "C:\\Proj\\R1");

    // The answer of the earlier run is no answer of this one: a tool that writes nothing
    // has been cancelled.
    std::filesystem::remove(work.file("answer"));
    EXPECT_EQ(Import_Beam_Cut_Results(&component, 1, 2, 3, 4), 0);
    EXPECT_EQ(import_valid, 0);

    // Without a component the previous one is offered; yes takes it without a selection.
    Write_File_Bytes(work.file("answer"), Two_Sets());
    Set_Message_Answer(1);
    EXPECT_EQ(Import_Beam_Cut_Results(1, 2, 3, 4), 2);
    ASSERT_FALSE(Shown_Messages().empty());
    EXPECT_EQ(Shown_Messages().back().text, "Gleiches Bauteil\n(Riegel R1)\nwie zuvor?");
    // No: the selection runs, and none is installed, so nothing is imported.
    Set_Message_Answer(0);
    EXPECT_EQ(Import_Beam_Cut_Results(1, 2, 3, 4), 0);
    // In a refresh run no tool runs.
    refresh_mode = 1;
    EXPECT_EQ(Import_Beam_Cut_Results(&component, 1, 2, 3, 4), 0);
    refresh_mode = 0;
}

TEST_F(ForceImport, ArchivedComponentNeedsItsExchangeFile)
{
    Install_Tool();
    Write_File_Bytes(work.file("answer"), Two_Sets());
    component.archive_flag = 1;
    std::snprintf(component.archive_path, sizeof component.archive_path, "%s", work.file("arch.7z").c_str());
    Write_File_Bytes(work.file("arch.7z"), "7z");
    // No extractor: the tool does not start without its file.
    EXPECT_EQ(Import_Beam_Cut_Results(&component, 1, 2, 3, 4), 0);
    EXPECT_FALSE(File_Exists(work.file("args")));

    // The extracted member is handed over and removed after the tool.
    Write_Script(exec.file("7za"), "echo data > \"${4#-o}/$3\"\n");
    Write_Script(exec.file("Tramovik.exe"), "cat \"$(echo \"$1\" | tr '\\\\' /)\" > '" + work.file("seen") +
                                                "'\ncp '" + work.file("answer") + "' \"$TEMP/Tramovik.res\"\n");
    EXPECT_EQ(Import_Beam_Cut_Results(&component, 1, 2, 3, 4), 2);
    EXPECT_EQ(Read_File_Bytes(work.file("seen")), "data\n");
    EXPECT_FALSE(File_Exists(temp.file("AAAA.EX2")));
}

TEST_F(ForceImport, MultiCutAnswer)
{
    Install_Tool();
    const char* names[] = {"S1", "S2"};
    EXPECT_EQ(Import_BeamCutMultiResults0(&component, 1, 2, 3, 4, 11, names), 0);

    File_Stream objects;
    for (int i = 0; i < 2; ++i) {
        ZXP_Object* o = ZXP_Create_Object(0, i + 1, 10 + i, names[i], 0, 0);
        ASSERT_NE(o, nullptr);
        ZXP_Write_Object(objects.get(), o);
        ZXP_Destroy_Object(o);
    }
    std::string sets;
    for (int s = 0; s < 3; ++s) sets += "1 2 3 4 5 6 7 8 9 10 11 12 " + std::to_string(s) + " 1.0 " + G("t") + G("") + "\n";
    Write_File_Bytes(work.file("answer"), "V:1\nMULTICUT 2\n2\n" + objects.bytes() + "\nRESULTS\n1 2\n" + sets);
    EXPECT_EQ(Import_BeamCutMultiResults0(&component, 1, 2, 3, 4, 2, names), 3);
    EXPECT_EQ(Read_File_Bytes(work.file("args")), "C:\\Proj\\R1.EX2\n1\n2\n3\n4\n2\nS1\nS2\n");
    EXPECT_EQ(import_values_per_set, 12);
    EXPECT_EQ(Get_Import_Cut_Set_Count(1), 2);
    ASSERT_NE(Get_Import_Cut_Object(1), nullptr);
    EXPECT_EQ(Get_Import_Set_Id(2), 2);
    // A cut count that differs from the one asked for gives nothing.
    EXPECT_EQ(Import_BeamCutMultiResults0(&component, 1, 2, 3, 4, 1, names), 0);
    EXPECT_EQ(Get_Import_Cut_Object(0), nullptr);
}

// The component selection's answer file, damaged: read without running past a field.
TEST_F(ForceImport, DamagedSelectionAnswers)
{
    Write_Script(exec.file("Zorbitel.exe"), "cp '" + work.file("answer") + "' \"$TEMP/Zorbitel.tmp\"\n");
    std::string noise;
    for (int i = 0; i < 3000; ++i) noise += static_cast<char>((i * 37 + 11) % 256);
    for (const std::string& answer : {std::string("x"), noise, "1 2 " + G(std::string(600, 'n')) + " 7 " + G(""),
                                      "1 2" + G("a") + G("b") + G("c") + G("d") + G("e") + G("f") + " 1 " +
                                          G(std::string(400, 'p'))}) {
        Write_File_Bytes(work.file("answer"), answer);
        Component_Selection* c = Select_Component(3);
        ASSERT_NE(c, nullptr);
        EXPECT_LT(std::strlen(c->name), sizeof c->name);
        EXPECT_LT(std::strlen(c->archive_path), sizeof c->archive_path);
        EXPECT_FALSE(File_Exists(temp.file("Zorbitel.tmp")));
    }
}
