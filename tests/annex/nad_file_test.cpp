#include "annex/nad_file.h"

#include "annex/nad_sections.h"
#include "annex/nad_set.h"
#include "annex_env.h"
#include "file_size_limit.h"
#include "platform/messages.h"
#include "test_support.h"
#include "written_text.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// A set as the reset leaves it; with `sample`, a user annex that differs in every part.
NAD_Set Make_Set(bool sample)
{
    NAD_Set set;
    NAD_Build_Builtin_Set("Standard", &set);
    set.name = "EC-Standard";
    if (!sample) return set;
    set.code = 7;
    set.name = "Schweden";
    set.ec0.building_psi[2][3] = 0.4;
    set.ec2.gamma_c[0] = 1.45;
    set.ec3.ec3_1.gamma_M[1] = 1.05;
    set.ec5.k_def[2] = 1.5;
    set.ec6.gamma_M = 1.7;
    set.ec9.C = 1.1;
    return set;
}

NAD_Set Read_Text(const std::string& text, int* result = nullptr)
{
    NAD_Set set = Make_Set(false);
    File_Stream file(text);
    const int r = NAD_Read_Set(file.get(), &set);
    if (result) *result = r;
    return set;
}

void Expect_Same_Set(const NAD_Set& a, const NAD_Set& b)
{
    EXPECT_EQ(a.code, b.code);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.na_de_flag, b.na_de_flag);
    EXPECT_EQ(NAD_EC0_Compare(&a.ec0, &b.ec0) + NAD_EC2_Compare(&a.ec2, &b.ec2) +
                  NAD_EC3_Compare(&a.ec3, &b.ec3) + NAD_EC5_Compare(&a.ec5, &b.ec5),
              0);
    EXPECT_EQ(NAD_EC6_Equal(&a.ec6, &b.ec6) + NAD_EC9_Equal(&a.ec9, &b.ec9), 2);
}

std::string Builtin_Text(const char* name)
{
    std::string text;
    EXPECT_TRUE(NAD_Builtin_File_Text(name, text));
    return text;
}

// DATA and DRAM (with its NADS directory) in fresh directories, restored afterwards; the
// German set of the material sets forgotten before and after.
class AnnexFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(data_.file("NAD"));
        std::filesystem::create_directories(dram_.file("NADS"));
        Forget();
    }
    void TearDown() override { Forget(); }
    static void Forget()
    {
        german_nad_set = NAD_Set{};
        german_nad_set_loaded = 0;
    }

    Temp_Dir data_;
    Temp_Dir dram_;
    Env_Override data_env_{"DATA", data_.path().c_str()};
    Env_Override dram_env_{"DRAM", dram_.path().c_str()};
};

} // namespace

TEST(AnnexSetFile, WriterFrameAndRoundTrips)
{
    NAD_Set set = Make_Set(true);
    set.name = std::string(60, 'N') + "\x94" "sterreich";  // longer than the old 27, CP850
    const std::string text = Text_Of(NAD_Write_Set, set);
    EXPECT_EQ(text.rfind("NAD/Version 1\n\n 7 \xAE" + set.name + "\xAF 0\n\n\n#EC0\n", 0), 0u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    size_t last = 0;
    for (const char* tag : {"\n\n#EC0\n", "\n\n#EC2\n", "\n\n#EC3\n", "\n\n#EC5\n", "\n\n#EC6\n", "\n\n#EC9\n"}) {
        EXPECT_GT(text.find(tag), last) << tag;
        last = text.find(tag);
    }

    int result = 0;
    Expect_Same_Set(Read_Text(text, &result), set);  // the whole name is kept
    EXPECT_EQ(result, 1);
    Expect_Same_Set(Read_Text(To_CRLF(text)), set);
    // "#EC9" in front of "#EC0": each section is found wherever it stands.
    const size_t ec0 = text.find("\n\n#EC0\n"), ec6 = text.find("\n\n#EC6\n"), ec9 = text.find("\n\n#EC9\n");
    Expect_Same_Set(Read_Text(text.substr(0, ec0) + text.substr(ec9) + text.substr(ec0, ec9 - ec0)), set);
    // Without "#EC6" that part stays as it was (here: the reset values).
    const NAD_Set no_ec6 = Read_Text(text.substr(0, ec6) + text.substr(ec9));
    EXPECT_DOUBLE_EQ(no_ec6.ec6.gamma_M, 1.5);
    EXPECT_DOUBLE_EQ(no_ec6.ec9.C, 1.1);

    set.name = std::string(120, 'L');  // beyond what a name is read with
    EXPECT_EQ(Read_Text(Text_Of(NAD_Write_Set, set)).name, std::string(99, 'L'));
    for (const char* bad : {"", "Version 1\n 7 \xAE" "X\xAF 0\n", "NAD/Version x\n"}) {
        EXPECT_EQ(Read_Text(bad, &result).name, "EC-Standard");  // untouched
        EXPECT_EQ(result, 0);
    }
}

TEST(AnnexSetFile, NameWithoutClosingByteEndsAtItsLineAndAnEditSurvivesSaveAndReload)
{
    const NAD_Set set = Make_Set(true);
    std::string text = Text_Of(NAD_Write_Set, set);
    text.erase(text.find('\xAF'), 1);  // " 7 \xAESchweden 0\n\n\n#EC0\n..."

    // The header is damaged (the flag went with the name); every section is still read.
    NAD_Clear_Read_Failures();
    NAD_Set read = Read_Text(text);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "NAD");
    EXPECT_EQ(read.name, "Schweden 0");
    EXPECT_EQ(NAD_EC0_Compare(&read.ec0, &set.ec0), 0);
    EXPECT_EQ(Read_Text(To_CRLF(text)).name, "Schweden 0");

    // Saved and read again, the file is sound and holds an edit of the first section.
    read.ec0.building_psi[2][3] = 0.55;
    NAD_Clear_Read_Failures();
    const NAD_Set again = Read_Text(Text_Of(NAD_Write_Set, read));
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    Expect_Same_Set(again, read);
    EXPECT_DOUBLE_EQ(again.ec0.building_psi[2][3], 0.55);

    // No delimiter and no line end is written inside a name.
    read.name = "A\xAE" "B\xAF" "C\rD\nE";
    const std::string written = Text_Of(NAD_Write_Set, read);
    EXPECT_NE(written.find(" 7 \xAE" "A B C D E\xAF 0\n\n\n#EC0\n"), std::string::npos);
    EXPECT_EQ(Read_Text(written).name, "A B C D E");
    NAD_Clear_Read_Failures();
}

TEST_F(AnnexFiles, LoadSetsUserFlagAndHandsTheNaDeFlagToEveryPart)
{
    NAD_Set user = Make_Set(true);
    user.na_de_flag = 1;  // the parts' own flags in the file say 0
    ASSERT_TRUE(Write_File_Bytes(dram_.file("NADS/3.NAD"), To_CRLF(Text_Of(NAD_Write_Set, user))));
    NAD_Set set = Make_Set(false);
    ASSERT_EQ(NAD_Load_Set(3, nullptr, &set), 1);
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    EXPECT_EQ(set.user_flag, 1);
    EXPECT_EQ(set.ec1.mode, 2);
    EXPECT_EQ(set.ec2.na_de_flag + set.ec3.na_de_flag + set.ec5.na_de_flag + set.ec6.na_de_flag +
                  set.ec9.na_de_flag, 5);

    ASSERT_TRUE(Write_File_Bytes(data_.file("NAD/Deutschland.NAD"), Text_Of(NAD_Write_Set, user)));
    ASSERT_EQ(NAD_Load_Set(0, "Deutschland", &set), 1);
    EXPECT_EQ(set.user_flag, 0);
    EXPECT_EQ(set.name, "Schweden");  // a readable file wins over the compiled-in content

    // Unreadable: missing, no header, no such built-in, no DRAM.
    EXPECT_EQ(NAD_Load_Set(4, nullptr, &set), 0);
    ASSERT_TRUE(Write_File_Bytes(dram_.file("NADS/4.NAD"), "kein Anhang\n"));
    EXPECT_EQ(NAD_Load_Set(4, nullptr, &set), 0);
    EXPECT_EQ(NAD_Load_Set(0, "Schweden", &set), 0);
    ::unsetenv("DRAM");
    EXPECT_EQ(NAD_Load_Set(3, nullptr, &set), 0);
}

TEST_F(AnnexFiles, DamagedFileChangesNothingAndSaysWhy)
{
    // A damaged user file is refused whole: the set keeps its values, and the problem
    // names the file, the part and the built-in annex to stand in (by the header's flag).
    const std::string text = Text_Of(NAD_Write_Set, Make_Set(true));
    const size_t ec2 = text.find("\n\n#EC2\n"), ec3 = text.find("\n\n#EC3\n");
    ASSERT_TRUE(Write_File_Bytes(dram_.file("NADS/1.NAD"), text.substr(0, ec2) + "\n\n#EC2\n 1 2\n" + text.substr(ec3)));
    ASSERT_TRUE(Write_File_Bytes(dram_.file("NADS/2.NAD"), text));
    NAD_Set set = Make_Set(false);
    EXPECT_EQ(NAD_Load_Set(1, nullptr, &set), 0);
    EXPECT_EQ(NAD_Last_Load_Problem().path, dram_.file("NADS/1.NAD"));
    EXPECT_EQ(NAD_Last_Load_Problem().problem, "ist besch\xE4" "digt: der Teil EC2 ist nicht lesbar");
    EXPECT_FALSE(NAD_Last_Load_Problem().german_rules);
    Expect_Same_Set(set, Make_Set(false));
    EXPECT_EQ(NAD_Load_Set(2, nullptr, &set), 1);
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    EXPECT_EQ(NAD_Last_Load_Problem().problem, "");
    EXPECT_DOUBLE_EQ(set.ec6.gamma_M, 1.7);

    // The German file of the installation cut in half: its own built-in values, not the
    // standard ones, and the damage is said once per run.
    const std::string germany = Builtin_Text("Deutschland");
    ASSERT_TRUE(Write_File_Bytes(data_.file("NAD/Deutschland.NAD"), germany.substr(0, germany.size() / 2)));
    Clear_Shown_Messages();
    for (int i = 0; i < 2; ++i) {
        set = Make_Set(false);
        ASSERT_EQ(NAD_Load_Set(0, "Deutschland", &set), 1);
        EXPECT_EQ(set.name, "Deutschland");
        EXPECT_DOUBLE_EQ(set.ec2.alpha_cc, 0.85);
        EXPECT_EQ(set.ec6.na_de_flag, 1);
    }
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Die Datei des nationalen Anhangs\n" + data_.file("NAD/Deutschland.NAD") +
                                            "\nist besch\xE4" "digt: der Teil EC2 ist nicht lesbar, die Teile EC3, EC5, EC6 und EC9 fehlen;"
                                            "\nes gelten die eingebauten Werte von \"Deutschland\".");
    Clear_Shown_Messages();
}

TEST_F(AnnexFiles, BuiltinAnnexWithoutReadableFileTakesTheCompiledInContent)
{
    NAD_Set expected = Read_Text(Builtin_Text("Deutschland"));
    NAD_EC3_Set_NA_DE_Flag(&expected.ec3, 1);  // the loader's part; the section lacks it
    NAD_Set missing = Make_Set(false), bad = Make_Set(false), no_data = Make_Set(false);
    ASSERT_EQ(NAD_Load_Set(0, "Deutschland", &missing), 1);
    ASSERT_TRUE(Write_File_Bytes(data_.file("NAD/Deutschland.NAD"), "\r\n"));
    ASSERT_EQ(NAD_Load_Set(0, "Deutschland", &bad), 1);
    ::unsetenv("DATA");
    ASSERT_EQ(NAD_Load_Set(0, "Deutschland", &no_data), 1);
    for (const NAD_Set* set : {&missing, &bad, &no_data}) {
        Expect_Same_Set(*set, expected);
        EXPECT_EQ(set->ec2.na_de_flag, 1);
    }
    NAD_Set standard = Make_Set(false);
    ASSERT_EQ(NAD_Load_Set(0, "Standard", &standard), 1);
    EXPECT_EQ(standard.name, "EC-Standardparameter");
}

TEST_F(AnnexFiles, SaveAnswersOneOnlyOnSuccess)
{
    const NAD_Set set = Make_Set(true);
    EXPECT_EQ(NAD_Save_Set(5, &set), 1);
    EXPECT_EQ(Read_File_Bytes(dram_.file("NADS/5.NAD")), Text_Of(NAD_Write_Set, set));
    EXPECT_EQ(NAD_Save_Set(5, nullptr), 1);  // deleted
    EXPECT_FALSE(File_Exists(dram_.file("NADS/5.NAD")));
    EXPECT_EQ(NAD_Save_Set(5, nullptr), 0);  // nothing left to delete
    std::filesystem::remove_all(dram_.file("NADS"));
    EXPECT_EQ(NAD_Save_Set(1, &set), 0);  // cannot be created
    ::unsetenv("DRAM");
    EXPECT_EQ(NAD_Save_Set(1, &set), 0);
}

TEST_F(AnnexFiles, GermanValuesForTheMaterialSetsNeverZero)
{
    NAD_EC2_Params record{};
    NAD_EC2_Get_Deutschland(&record);  // no annex file anywhere
    EXPECT_EQ(record.na_de_flag, 1);
    EXPECT_DOUBLE_EQ(record.gamma_c[3], 1.3);
    EXPECT_DOUBLE_EQ(record.gamma_s[0], 1.15);
    EXPECT_DOUBLE_EQ(record.alpha_cc, 0.85);
    EXPECT_EQ(record.version, 20);
    // Loaded once per run: a file that appears later changes nothing.
    ASSERT_TRUE(Write_File_Bytes(data_.file("NAD/Deutschland.NAD"), Text_Of(NAD_Write_Set, Make_Set(true))));
    NAD_EC2_Get_Deutschland(&record);
    EXPECT_DOUBLE_EQ(record.gamma_c[0], 1.5);
}

TEST(BuiltinAnnexFiles, ShippedFilesAreWhatTheWriterMakesAndReadCleanly)
{
    // data/NAD is written by tools/make_annex_files: after a change of a part's defaults or
    // writer, run it again.
    for (const char* name : {"Standard", "Deutschland"}) {
        const std::string text = Builtin_Text(name);
        EXPECT_EQ(Read_File_Bytes(std::string(CORBEL_SOURCE_DIR) + "/data/NAD/" + name + ".NAD"), text) << name;
        NAD_Clear_Read_Failures();
        Read_Text(text);
        EXPECT_EQ(NAD_Read_Failure_Count(), 0) << NAD_Read_Failure_Parts();
    }
    NAD_Set standard = Make_Set(false);
    standard.name = "EC-Standardparameter";
    Expect_Same_Set(Read_Text(Builtin_Text("Standard")), standard);
    const NAD_Set germany = Read_Text(Builtin_Text("Deutschland"));
    EXPECT_EQ(germany.code, NAD_CODE_GERMANY);
    EXPECT_EQ(germany.na_de_flag, 1);
    EXPECT_DOUBLE_EQ(germany.ec2.c_min_dur[2], 1.0);           // XC1
    EXPECT_DOUBLE_EQ(germany.ec2.delta_c_dur_gamma[6], 1.0);   // XD1
    EXPECT_DOUBLE_EQ(germany.ec6.gamma_M_accidental, 1.3);
    std::string text;
    EXPECT_FALSE(NAD_Builtin_File_Text("Schweden", text));
}

namespace {

// One "#NAD" block of the older list with the built-in parts, alpha_cc and the first load
// factor given.
std::string Older_Block(int code, const std::string& name, double alpha_cc, double factor)
{
    NAD_EC2_Params ec2;
    NAD_EC2_Defaults(&ec2);
    ec2.alpha_cc = alpha_cc;
    NAD_EC3_Params ec3;
    NAD_EC3_Defaults(&ec3);
    NAD_EC5_Params ec5;
    NAD_EC5_Defaults(&ec5);
    std::string block = "#NAD\n " + std::to_string(code) + " " + In_Guillemets(name) + "\n" +
                        Text_Of(NAD_EC2_Write, ec2) + " EC3 Parameter\n 0\n" + Text_Of(NAD_EC3_Write, ec3) +
                        " EC5 Parameter\n" + Text_Of(NAD_EC5_Write, ec5) + " Lastfaktoren 1\n " +
                        std::to_string(factor) + " 1.0\n";
    for (int i = 1; i < 28; ++i) block += " 1.00 0.00\n";
    for (int i = 0; i < 12; ++i) block += " 0.70 0.50 0.30\n";
    return block;
}

// What the migration told the user (the texts of its messages, each ended by a line
// feed); nothing ever goes to standard output.
std::string Migration_Output()
{
    Clear_Shown_Messages();
    ::testing::internal::CaptureStdout();
    Safeguard_Proper_Version();
    std::fflush(stdout);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    std::string told;
    for (const Shown_Message& message : Shown_Messages()) told += message.text + "\n";
    Clear_Shown_Messages();
    return told;
}

} // namespace

TEST_F(AnnexFiles, MigrationConvertsTheOlderListOnce)
{
    std::filesystem::remove_all(dram_.file("NADS"));
    ASSERT_TRUE(Write_File_Bytes(dram_.file("nads-ec2.def"),
                                 To_CRLF("Liste\n" + Older_Block(5, "Schweden", 0.95, 1.25) +
                                         Older_Block(18, "DE alt", 0.9, 1.35) + Older_Block(9, std::string(40, 'n'), 0.8, 1.4))));
    EXPECT_EQ(Migration_Output(), "");
    EXPECT_FALSE(File_Exists(dram_.file("NADS/4.NAD")));
    NAD_Set set = Make_Set(false);
    ASSERT_EQ(NAD_Load_Set(1, nullptr, &set), 1);
    EXPECT_EQ(set.code, 5);
    EXPECT_EQ(set.name, "Schweden");
    EXPECT_DOUBLE_EQ(set.ec2.alpha_cc, 0.95);
    EXPECT_DOUBLE_EQ(set.ec0.building_gamma[0][0][0], 1.25);
    ASSERT_EQ(NAD_Load_Set(3, nullptr, &set), 1);
    EXPECT_EQ(set.name, std::string(40, 'n'));
    // The parts the older list lacks are written with their built-in values.
    EXPECT_NE(Read_File_Bytes(dram_.file("NADS/2.NAD")).find("\n\n#EC6\n 1\n 0\n 1.500000 1.500000 1.500000 1.000000\n"
                                                            "\n\n#EC9\n 5\n 0\n 1.100000 1.250000"),
              std::string::npos);

    // Once "NADS" exists nothing is converted again.
    std::filesystem::remove(dram_.file("NADS/2.NAD"));
    EXPECT_EQ(Migration_Output(), "");
    EXPECT_FALSE(File_Exists(dram_.file("NADS/2.NAD")));
}

TEST_F(AnnexFiles, MigrationTakesANameWithoutClosingByteUpToItsLineEnd)
{
    // Read on, the name would run into the next block and the parts behind it would be
    // read from the wrong place.
    std::filesystem::remove_all(dram_.file("NADS"));
    std::string first = Older_Block(5, "Schweden", 0.95, 1.25);
    first.erase(first.find('\xAF'), 1);
    ASSERT_TRUE(Write_File_Bytes(dram_.file("nads-ec2.def"),
                                 To_CRLF("Liste\n" + first + Older_Block(18, "DE alt", 0.9, 1.35))));
    EXPECT_EQ(Migration_Output(), "");
    NAD_Set set = Make_Set(false);
    ASSERT_EQ(NAD_Load_Set(1, nullptr, &set), 1);
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    EXPECT_EQ(set.name, "Schweden");
    EXPECT_DOUBLE_EQ(set.ec2.alpha_cc, 0.95);
    EXPECT_DOUBLE_EQ(set.ec0.building_gamma[0][0][0], 1.25);
    ASSERT_EQ(NAD_Load_Set(2, nullptr, &set), 1);
    EXPECT_EQ(set.name, "DE alt");
    EXPECT_DOUBLE_EQ(set.ec2.alpha_cc, 0.9);
}

TEST_F(AnnexFiles, MigrationProblemsAreSaidInGerman)
{
    std::filesystem::remove_all(dram_.file("NADS"));
    EXPECT_EQ(Migration_Output(), "");  // no older list: only the directory
    EXPECT_TRUE(std::filesystem::is_directory(dram_.file("NADS")));
    std::filesystem::remove_all(dram_.file("NADS"));
    ASSERT_TRUE(Write_File_Bytes(dram_.file("NADS"), "a file in the way"));
    EXPECT_EQ(Migration_Output(), "Der Ordner der eigenen nationalen Anh\xE4nge\n" + dram_.file("NADS") +
                                      "\nkann nicht angelegt werden: an seiner Stelle steht eine Datei.\n");
    EXPECT_EQ(Migration_Output(), "");  // said once
    ::setenv("DRAM", "", 1);  // never the root directory, and nothing wrong for the user
    EXPECT_EQ(Migration_Output(), "");

    // A list of more annexes than any real one is damaged: nothing of it is converted.
    ::setenv("DRAM", dram_.path().c_str(), 1);
    std::filesystem::remove(dram_.file("NADS"));
    std::string list;
    for (int i = 0; i < NAD_MIGRATION_MAX; ++i) list += "#NAD\n 5 \xAE" "A" + std::to_string(i) + "\xAF\n";
    ASSERT_TRUE(Write_File_Bytes(dram_.file("NADs-EC2.DEF"), list + "#NAD\n"));
    EXPECT_EQ(Migration_Output(), "Die \xE4ltere Liste der nationalen Anh\xE4nge\n" + dram_.file("NADs-EC2.DEF") +
                                      "\nist besch\xE4" "digt (mehr als 200 Anh\xE4nge):\nsie wird nicht \xFC" "bernommen.\n");
    EXPECT_EQ(Folder_Names(dram_.file("NADS")), std::set<std::string>{});
    std::filesystem::remove(dram_.file("NADS"));
    ASSERT_TRUE(Write_File_Bytes(dram_.file("NADs-EC2.DEF"), list));  // just within the bound
    EXPECT_EQ(Migration_Output(), "");
    EXPECT_EQ(Folder_Names(dram_.file("NADS")).size(), static_cast<size_t>(NAD_MIGRATION_MAX));
}
