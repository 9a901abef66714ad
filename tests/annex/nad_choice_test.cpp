#include "annex/nad_choice.h"

#include "annex/app_profiles.h"
#include "annex/nad_file.h"
#include "annex/nad_selection.h"
#include "annex/nad_set.h"
#include "annex_env.h"
#include "core/startup.h"
#include "platform/messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

int warnings = 0, warning_answer = 0, selections = 0;
std::string warned_names;

int Record_Warning(const char* stored, const char* in_force)
{
    ++warnings;
    warned_names = std::string(stored) + "|" + in_force;
    return warning_answer;
}
void Record_Selection() { ++selections; }

void Forget_Everything()
{
    NAD_Forget_Choice();
    NAD_Forget_App_Profiles();
    NAD_Set_Warning_Hook(nullptr);
    NAD_Set_Selection_Hook(nullptr);
    Clear_Shown_Messages();
    refresh_mode = 0;
    warnings = warning_answer = selections = 0;
}

// Every test runs with its own DATA, DRAM and EXEC directories and a fresh choice.
class NADChoice : public ::testing::Test {
protected:
    Temp_Dir data_, dram_, exec_;
    Env_Override data_env_{"DATA", data_.path().c_str()};
    Env_Override dram_env_{"DRAM", dram_.path().c_str()};
    Env_Override exec_env_{"EXEC", exec_.path().c_str()};

    void SetUp() override
    {
        std::filesystem::create_directory(data_.file("NAD"));
        std::filesystem::create_directory(dram_.file("NADS"));  // nothing to migrate
        Forget_Everything();
    }
    void TearDown() override { Forget_Everything(); }

    // User annex file n: the standard values with a name, code and concrete factor of its own.
    static void Write_User_Annex(int n, const std::string& name, int code, double gamma_c)
    {
        NAD_Set set;
        ASSERT_TRUE(NAD_Build_Builtin_Set(NAD_FILE_STANDARD, &set));
        set.name = name;
        set.code = code;
        set.ec2.gamma_c[0] = gamma_c;
        ASSERT_EQ(NAD_Save_Set(n, &set), 1);
    }
    void Write_Header_Only(const std::string& file, const std::string& bytes)
    {
        ASSERT_TRUE(Write_File_Bytes(dram_.file("NADS/" + file), bytes));
    }
    static std::string Block_With(const std::string& name)
    {
        return "\n\nACTIV_NADNAME\n" + In_Guillemets(name) + "\n";
    }
};

} // namespace

TEST_F(NADChoice, FirstGetterLoadsGermanyOverTheDefaultsAndEveryGetterPointsIntoIt)
{
    NAD_Set germany;
    ASSERT_TRUE(NAD_Build_Builtin_Set(NAD_FILE_GERMANY, &germany));
    germany.ec2.gamma_c[0] = 1.55;  // tells that the file was read
    FILE* f = std::fopen(data_.file("NAD/Deutschland.NAD").c_str(), "w");
    ASSERT_NE(f, nullptr);
    NAD_Write_Set(f, &germany);
    std::fclose(f);

    NAD_EC2_Params* ec2 = NAD_Get_EC2_Params();
    ASSERT_EQ(ec2, &active_nad_set.ec2);
    EXPECT_DOUBLE_EQ(ec2->gamma_c[0], 1.55);
    EXPECT_EQ(ec2->na_de_flag, 1);
    EXPECT_EQ(NAD_Get_NA_DE_Flag(), 1);
    EXPECT_EQ(std::string(NAD_Get_Active_Name()), "Deutschland");
    EXPECT_EQ(NAD_Get_Active_Code(), 18);
    EXPECT_EQ(NAD_Get_EC0_Params(), &active_nad_set.ec0);
    EXPECT_EQ(NAD_Get_EC1_Tables(), &active_nad_set.ec1);
    EXPECT_EQ(NAD_Get_EC3_Params(), &active_nad_set.ec3);
    EXPECT_EQ(NAD_Get_EC5_Params(), &active_nad_set.ec5);
    EXPECT_EQ(NAD_Get_EC6_Params(), &active_nad_set.ec6);
    EXPECT_EQ(NAD_Get_EC9_Params(), &active_nad_set.ec9);
    EXPECT_EQ(nad_list_names, (std::vector<std::string>{"EC-Standardparameter", "Deutschland"}));
    EXPECT_EQ(nad_list_codes, (std::vector<int>{19, 18}));

    // Without its file "Deutschland" is still the German annex, not the bare EC values.
    NAD_Forget_Choice();
    std::filesystem::remove(data_.file("NAD/Deutschland.NAD"));
    EXPECT_EQ(NAD_Get_NA_DE_Flag(), 1);
    EXPECT_EQ(active_nad_set.code, 18);
    EXPECT_TRUE(Shown_Messages().empty());

    // A list built before any getter names "Deutschland" without loading it: the getter
    // must still load it.
    NAD_Forget_Choice();
    NAD_Build_List();
    EXPECT_EQ(NAD_Get_NA_DE_Flag(), 1);
}

TEST_F(NADChoice, ListHoldsEveryNumberedFileInAscendingOrderGapsIncluded)
{
    Write_User_Annex(4, "Vier", 4, 1.5);
    Write_User_Annex(1, "Eins", 1, 1.5);
    Write_Header_Only("12.nad", To_CRLF("NAD/Version 1\n\n 3 \xAEZw\x94lf\xAF 0\n"));
    Write_Header_Only("07.NAD", "NAD/Version 1\n\n 9 \xAENull\xAF 0\n");  // not a list name
    Write_Header_Only("5.NAD", "NAD/Version 1\n\n");                   // no header
    for (int n = 20; n < 330; ++n)  // more than the 300 entries of a fixed list
        Write_Header_Only(std::to_string(n) + ".NAD", "NAD/Version 1\n\n 2 \xAE" "A" + std::to_string(n) + "\xAF 0\n");

    NAD_Build_List();
    NAD_Build_List();  // a rebuild starts again from the built-in entries
    ASSERT_EQ(nad_list_count, 2 + 3 + 310);
    EXPECT_EQ(std::vector<std::string>(nad_list_names.begin(), nad_list_names.begin() + 5),
              (std::vector<std::string>{"EC-Standardparameter", "Deutschland", "Eins", "Vier", "Zw\x94lf"}));
    EXPECT_EQ(std::vector<int>(nad_list_file_numbers.begin(), nad_list_file_numbers.begin() + 6),
              (std::vector<int>{0, 0, 1, 4, 12, 20}));
    EXPECT_EQ(nad_list_codes[4], 3);
    EXPECT_EQ(nad_list_names.back(), "A329");

    // Annexes behind the gap can be chosen; loading one shows its values through pointers
    // handed out before.
    NAD_EC2_Params* ec2 = NAD_Get_EC2_Params();
    Write_User_Annex(4, "Vier", 4, 1.41);
    NAD_Select_By_Name("Vier");
    EXPECT_DOUBLE_EQ(ec2->gamma_c[0], 1.41);
    EXPECT_EQ(NAD_Get_NA_DE_Flag(), 0);
    EXPECT_EQ(NAD_Get_Active_Code(), 4);
    EXPECT_EQ(active_nad_set.user_flag, 1);
    EXPECT_EQ(std::string(NAD_Get_Display_Name()), "Vier (benutzerdefiniert)");
    NAD_Select_By_Name("EC-Standardparameter");
    EXPECT_EQ(std::string(NAD_Get_Display_Name()), "EC-Standardparameter");
    EXPECT_EQ(NAD_Get_Active_Code(), 19);
    EXPECT_TRUE(Shown_Messages().empty());
}

// Files the list cannot take are said once, when a position's annex is not found, and
// never written over; a file repeating a listed name is a duplicate, not an entry.
TEST_F(NADChoice, UnreadableAndDuplicateFilesAreSaidAndKept)
{
    Write_User_Annex(1, "Schweden", 7, 1.60);
    Write_Header_Only("2.NAD", "");
    Write_User_Annex(3, "Schweden", 7, 1.65);
    Write_Header_Only("4.NAD", "das ist kaputt\n");
    Write_User_Annex(5, "Deutschland", 18, 1.70);
    Write_Header_Only("6.NAD", "NAD/Version 1\n\n 3 \xAE\xAF 0\n");
    NAD_Build_List();
    EXPECT_EQ(nad_list_names, (std::vector<std::string>{"EC-Standardparameter", "Deutschland", "Schweden"}));
    ASSERT_EQ(nad_list_duplicates.size(), 2u);
    EXPECT_EQ(nad_list_duplicates[0].file_number, 3);
    EXPECT_EQ(nad_list_duplicates[1].file_number, 5);
    EXPECT_EQ(NAD_New_User_File_Number(), 7);
    EXPECT_TRUE(Shown_Messages().empty());

    NAD_Select_By_Name("Verloren");
    NAD_Select_By_Name("Verloren");
    const std::pair<const char*, const char*> said[] = {
        {"2.NAD", "ist leer"},
        {"4.NAD", "ist keine Datei eines nationalen Anhangs (erste Zeile nicht \"NAD/Version\")"},
        {"6.NAD", "ist besch\xE4" "digt: Code und Name des Anhangs sind nicht lesbar"}};
    ASSERT_EQ(Shown_Messages().size(), 5u);  // and the two warnings
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(Shown_Messages()[i].text, "Die Datei\n" + dram_.file("NADS/") + said[i].first + "\n" + said[i].second +
                                                ";\nsie wird in der Liste der nationalen Anh\xE4nge nicht aufgef\xFChrt "
                                                "und bleibt unver\xE4ndert.");
}

TEST_F(NADChoice, UnknownNameFallsBackToGermanyWithAWarningButNeverInARefreshRun)
{
    NAD_Select_By_Name("lokale Definitionen");
    NAD_Select_By_Name(nullptr);
    EXPECT_EQ(active_nad_name, "Deutschland");
    EXPECT_TRUE(Shown_Messages().empty());

    // The stand-in shows the texts of the warning sheet.
    NAD_Select_By_Name("Atlantis");
    EXPECT_EQ(active_nad_name, "Deutschland");
    EXPECT_EQ(NAD_Get_NA_DE_Flag(), 1);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].title, "Warnung");
    EXPECT_EQ(Shown_Messages()[0].text,
              "Das mit dem Programm verkn\x81pfte NAD\nAtlantis\nkann nicht gefunden werden.\n"
              "Um die Stabilit\x84t des Programms zu\ngew\x84hrleisten, wird auf das NAD\nDeutschland\n"
              "umgeschaltet. Wenn Sie dies\nnicht w\x81nschen, w\x84hlen Sie\nbitte ein anderes NAD aus.");

    // A registered sheet gets both names; its answer opens the selection sheet.
    NAD_Set_Warning_Hook(Record_Warning);
    NAD_Set_Selection_Hook(Record_Selection);
    warning_answer = 1;
    NAD_Select_By_Name("Atlantis");
    EXPECT_EQ(warned_names, "Atlantis|Deutschland");
    EXPECT_EQ(selections, 1);

    refresh_mode = 1;
    testing::internal::CaptureStderr();
    NAD_Select_By_Name("Atlantis");
    NAD_Open_Selection_Sheet();
    const std::string out = testing::internal::GetCapturedStderr();
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(Shown_Messages().size(), 1u);
    EXPECT_NE(out.find("\"Atlantis\" nicht gefunden"), std::string::npos) << out;
}

TEST_F(NADChoice, BlockRoundTripsANameOfNinetyNineCharacters)
{
    std::string name = "\x99sterreich mit gro\xE1" "en W\x94rtern ";
    name.resize(99, 'z');
    Write_User_Annex(3, name, 12, 1.45);
    NAD_Select_By_Name(name.c_str());
    NAD_Select_By_Name(NAD_Get_Active_Name());  // its own text as argument
    EXPECT_EQ(active_nad_set.name, name);
    EXPECT_EQ(std::string(NAD_Get_Display_Name()), name + " (benutzerdefiniert)");

    File_Stream position("Position\n");
    std::fseek(position.get(), 0, SEEK_END);
    NAD_Save_Choice(position.get(), 0);
    EXPECT_EQ(position.bytes(), "Position\n" + Block_With(name));

    NAD_Forget_Choice();
    File_Stream reread(To_CRLF(position.bytes() + "weiter\n"));
    NAD_Read_Active_Name(reread.get());
    EXPECT_EQ(active_nad_name, name);
    EXPECT_EQ(NAD_Get_Active_Code(), 12);
    EXPECT_TRUE(Shown_Messages().empty());
}

TEST_F(NADChoice, PositionsWithoutAUsableBlock)
{
    File_Stream fresh;
    NAD_Write_Active_Name(fresh.get());  // nothing chosen yet: "Deutschland"
    EXPECT_EQ(fresh.bytes(), Block_With("Deutschland"));

    Write_User_Annex(1, "Schweden", 7, 1.5);
    for (const char* bytes : {"ohne Block\n", "\n\nACTIV_NADNAME\n\xAE\xAF\n", "\n\nACTIV_NADNAME\n"}) {
        NAD_Select_By_Name("Schweden");
        File_Stream position(bytes);
        NAD_Read_Active_Name(position.get());
        EXPECT_EQ(active_nad_name, "Deutschland") << bytes;
    }
    EXPECT_TRUE(Shown_Messages().empty());

    File_Stream deleted("Kopf\n" + Block_With("Gel\x94scht"));
    NAD_Read_Active_Name(deleted.get());
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_NE(Shown_Messages()[0].text.find("\nGel\x94scht\n"), std::string::npos);
}

// A user annex whose file is not whole is refused, never half taken: the built-in annex it
// was based on stands in (by the NA-DE flag of its header), the report names that one,
// and the user learns the file, what is wrong with it and whose values apply.
TEST_F(NADChoice, DamagedUserFileIsRefusedForTheBuiltInAnnexItWasBasedOn)
{
    NAD_Set set;
    ASSERT_TRUE(NAD_Build_Builtin_Set(NAD_FILE_STANDARD, &set));
    set.name = "Schweden";
    set.code = 7;
    set.na_de_flag = 1;
    set.ec2.gamma_c[0] = 1.45;
    File_Stream text;
    NAD_Write_Set(text.get(), &set);
    const std::string whole = text.bytes();
    const auto replaced = [&whole](const std::string& from, const std::string& to) {
        return whole.substr(0, whole.find(from)) + to + whole.substr(whole.find(from) + from.size());
    };
    const std::string path = dram_.file("NADS/1.NAD");
    const struct {
        std::string bytes, problem;
    } cases[] = {
        {whole.substr(0, whole.find("\n\n#EC0")), "ist besch\xE4" "digt: die Teile EC0, EC2, EC3, EC5, EC6 und EC9 fehlen"},
        {replaced("#EC2\n", "#XC2\n"), "ist besch\xE4" "digt: der Teil EC2 fehlt"},
        {replaced("NAD/Version 1", "NAD/Version 2"), "ist keine Datei eines nationalen Anhangs"},
        {whole.substr(0, whole.find("#EC6\n") + 5) + " 1.5\n x\n", "ist besch\xE4" "digt: der Teil EC6 ist nicht lesbar, der Teil EC9 fehlt"},
        {replaced("#EC2\n", "#EC2\n" + std::string(70000, '1') + "\n"), "viel zu lang"},
    };
    for (const auto& c : cases) {
        Write_Header_Only("1.NAD", c.bytes);
        Clear_Shown_Messages();
        NAD_Select_By_Name("Schweden");
        EXPECT_EQ(active_nad_name, "Schweden");  // saved with the position as chosen
        EXPECT_EQ(active_nad_set.name, "Deutschland");
        EXPECT_DOUBLE_EQ(NAD_Get_EC2_Params()->gamma_c[0], 1.5);
        EXPECT_EQ(NAD_Get_Active_Code(), 18);
        EXPECT_EQ(std::string(NAD_Get_Display_Name()), "Deutschland");
        EXPECT_EQ(std::string(NAD_Get_Active_Name()), "Deutschland");
        ASSERT_EQ(Shown_Messages().size(), 1u) << c.problem;
        EXPECT_EQ(Shown_Messages()[0].title, "Nationaler Anhang");
        const std::string& message = Shown_Messages()[0].text;
        EXPECT_EQ(message.rfind("Der nationale Anhang \"Schweden\" wird nicht verwendet:\ndie Datei\n" + path + "\n", 0),
                  0u) << message;
        EXPECT_NE(message.find(c.problem), std::string::npos) << message;
        EXPECT_NE(message.find("\nes gelten die Werte von \"Deutschland\"."), std::string::npos) << message;
    }

    // A header without the German rules falls back to the standard values; in a refresh
    // run the same is one line on standard error. A whole file is taken again.
    Write_Header_Only("1.NAD", replaced("\xAF 1\n", "\xAF 0\n").substr(0, whole.find("#EC0")));
    refresh_mode = 1;
    Clear_Shown_Messages();
    testing::internal::CaptureStderr();
    NAD_Select_By_Name("Schweden");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Der nationale Anhang \"Schweden\" wird nicht verwendet: die Datei " + path +
                       " ist besch\xC3\xA4" "digt: die Teile EC0, EC2, EC3, EC5, EC6 und EC9 fehlen; es gelten die Werte von \"EC-Standardparameter\".\n");
    EXPECT_EQ(NAD_Get_NA_DE_Flag(), 0);
    EXPECT_EQ(std::string(NAD_Get_Display_Name()), "EC-Standardparameter");
    refresh_mode = 0;
    Write_Header_Only("1.NAD", whole);
    NAD_Select_By_Name("Schweden");
    EXPECT_DOUBLE_EQ(NAD_Get_EC2_Params()->gamma_c[0], 1.45);
    EXPECT_EQ(std::string(NAD_Get_Display_Name()), "Schweden (benutzerdefiniert)");
    EXPECT_TRUE(Shown_Messages().empty());
}

TEST_F(NADChoice, UserFileWithoutPartsTheDesignDoesNotReadIsTakenAndSaidOnce)
{
    NAD_Set set;
    ASSERT_TRUE(NAD_Build_Builtin_Set(NAD_FILE_GERMANY, &set));
    set.name = "Schweden";
    set.code = 7;
    set.ec2.gamma_c[0] = 1.40;
    set.ec2.gamma_s[0] = 1.10;
    set.ec9.gamma_M1 = 1.23;
    File_Stream text;
    NAD_Write_Set(text.get(), &set);
    const std::string whole = text.bytes();
    const auto without = [&whole](const char* tag, const char* next) {
        const size_t from = whole.find(std::string("\n\n") + tag), to = next ? whole.find(std::string("\n\n") + next) : whole.size();
        return whole.substr(0, from) + whole.substr(to);
    };
    NAD_EC9_Params reset;
    NAD_EC9_Defaults(&reset);
    const std::string path = dram_.file("NADS/1.NAD");

    Write_Header_Only("1.NAD", without("#EC9", nullptr));
    refresh_mode = 1;
    for (int run = 0; run < 2; ++run) {
        testing::internal::CaptureStderr();
        NAD_Select_By_Name("Schweden");
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::string(NAD_Get_Display_Name()), "Schweden (benutzerdefiniert)");
        EXPECT_DOUBLE_EQ(NAD_Get_EC2_Params()->gamma_c[0], 1.40);
        EXPECT_DOUBLE_EQ(NAD_Get_EC2_Params()->gamma_s[0], 1.10);
        EXPECT_DOUBLE_EQ(active_nad_set.ec9.gamma_M1, reset.gamma_M1);
        EXPECT_EQ(err, run > 0 ? "" : "Der nationale Anhang \"Schweden\" wird verwendet: die Datei " + path +
                                          " ist unvollst\xC3\xA4ndig: der Teil EC9 fehlt; f\xC3\xBCr diesen Teil gelten"
                                          " die Werte von \"EC-Standardparameter\".\n");
    }
    refresh_mode = 0;

    // Several such parts are named together; without EC0 (as without EC2) the file is
    // refused as before.
    Write_Header_Only("1.NAD", without("#EC3", "#EC6"));
    NAD_Select_By_Name("Schweden");
    EXPECT_DOUBLE_EQ(NAD_Get_EC2_Params()->gamma_c[0], 1.40);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_NE(Shown_Messages()[0].text.find("ist unvollst\xE4ndig: die Teile EC3 und EC5 fehlen;\nf\xFCr diese Teile"),
              std::string::npos) << Shown_Messages()[0].text;
    Write_Header_Only("1.NAD", without("#EC0", "#EC2"));
    NAD_Select_By_Name("Schweden");
    EXPECT_DOUBLE_EQ(NAD_Get_EC2_Params()->gamma_c[0], 1.5);
    EXPECT_EQ(std::string(NAD_Get_Display_Name()), "Deutschland");
}

TEST_F(NADChoice, NegativeCodeInAUserFileKeepsTheLoadedValues)
{
    Write_User_Annex(1, "Negativ", -4, 1.37);
    NAD_Select_By_Name("Negativ");
    EXPECT_EQ(active_nad_set.code, -4);
    EXPECT_DOUBLE_EQ(NAD_Get_EC2_Params()->gamma_c[0], 1.37);
    EXPECT_EQ(active_nad_set.name, "Negativ");
    EXPECT_EQ(NAD_Flag_Source_Rect(NAD_Get_Active_Code()).y1, 19 * 17);
}
