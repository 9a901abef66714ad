#include "annex/app_profiles.h"

#include "annex_env.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class NADProfiles : public ::testing::Test {
protected:
    Temp_Dir exec_;
    Env_Override exec_env_{"EXEC", exec_.path().c_str()};
    Env_Override app_env_{"ZAV_APPLICATION_NUMBER", "127"};

    void SetUp() override { NAD_Forget_App_Profiles(); }
    void TearDown() override { NAD_Forget_App_Profiles(); }

    void Write_Profile(const std::string& directory, const std::string& file, const std::string& bytes)
    {
        std::filesystem::create_directories(exec_.file(directory));
        ASSERT_TRUE(Write_File_Bytes(exec_.file(directory + "/" + file), bytes));
    }
};

void Expect_Every_Rule_Shown()
{
    EXPECT_EQ(nad_no_profile, 1);
    EXPECT_EQ(nad_profile_mask, NAD_ALL_PARTS_MASK);
    EXPECT_EQ(NAD_Use_Rule_Strings(), 1);
    for (int part = 0; part < 12; ++part)
        for (int rule = 0; rule < 40; ++rule) EXPECT_EQ(NAD_Rule_Visible(part, rule), 1);
}

} // namespace

TEST_F(NADProfiles, RuleStringsDecideWhichRulesAreShown)
{
    Write_Profile("Konsole", "APP127.DEF",
                  To_CRLF("#NAME \xAEKonsole\xAF\n#SERVICE \xAE" "Einzelbauteil\xAF\n"
                          "#GROUP\n\xAE" "Betonbau\xAF\n#NADS -1\n1 0 110\n0 0 0 0 0 0 0\n"));
    NAD_Scan_App_Profiles();
    ASSERT_EQ(nad_app_profiles.size(), 1u);
    EXPECT_EQ(nad_app_profiles[0].name, "KONSOLE");
    EXPECT_EQ(nad_app_profiles[0].service, "Betonbau") << "#GROUP replaces #SERVICE";
    EXPECT_EQ(NAD_Get_Current_App(), 127);
    EXPECT_EQ(nad_no_profile, 0);
    EXPECT_EQ(nad_profile_mask, 0b101);

    // EN 1990: rule 0 only; EN 1991: no string, every rule; EN 1992: rules 0 and 1.
    EXPECT_EQ(NAD_Rule_Visible(0, 0), 1);
    EXPECT_EQ(NAD_Rule_Visible(0, 1), 0);
    EXPECT_EQ(NAD_Rule_Visible(1, 30), 1);
    EXPECT_EQ(NAD_Rule_Visible(2, 1), 1);
    EXPECT_EQ(NAD_Rule_Visible(2, 2), 0);
    EXPECT_EQ(NAD_Rule_Visible(2, -1), 0);
    EXPECT_EQ(NAD_Rule_Visible(10, 5), 1);
}

TEST_F(NADProfiles, OnlyUsableProfilesCountAndTheFirstOfANumberWins)
{
    Write_Profile("A", "APP127.DEF", "#NADS 0\n");             // not taken
    Write_Profile("A", "APP0.DEF", "#NADS 4\n");               // number below 1
    Write_Profile("A", "APPX.DEF", "#NADS 4\n");               // no number
    Write_Profile("B", "APP127.DEF", "#NAME \xAE" "B\xAF\n");  // no #NADS
    // A word far longer than any rule string: a damaged file.
    Write_Profile("C", "APP127.DEF", "#NADS -1\n0 0 " + std::string(5000, '1') + "\n");
    Write_Profile("D", "app127.def", "#NADS 8\n");
    Write_Profile("E", "APP127.DEF", "#NADS -1\n1 01");        // the other parts without string
    for (int n = 1; n <= 305; ++n)  // more than a table of 300 holds
        Write_Profile("F", "APP" + std::to_string(n + 1000) + ".DEF", "#NADS 1\n");
    NAD_Scan_App_Profiles();
    ASSERT_EQ(nad_app_profiles.size(), 2u + 305u);
    EXPECT_EQ(nad_app_profiles[0].name, "D") << "named after its directory";
    EXPECT_EQ(nad_app_profiles[0].service, "Bauteil");
    EXPECT_EQ(nad_profile_mask, 8);
    EXPECT_EQ(NAD_Use_Rule_Strings(), 0);
    EXPECT_EQ(NAD_Rule_Visible(2, 7), 1);
    EXPECT_EQ(nad_app_profiles[1].parts_mask, 0b11);
    EXPECT_EQ(nad_app_profiles[1].rule_strings[1], "01");
    EXPECT_EQ(nad_app_profiles[1].rule_strings[2], "");

    NAD_Forget_App_Profiles();
    Env_Override other("ZAV_APPLICATION_NUMBER", "1305");
    NAD_Scan_App_Profiles();
    EXPECT_EQ(NAD_Get_Current_App(), 1305);
}

TEST_F(NADProfiles, WithoutAProfileEveryRuleIsShown)
{
    {
        Env_Override no_exec("EXEC", nullptr);
        Write_Profile("K", "APP127.DEF", "#NADS 4\n");
        NAD_Scan_App_Profiles();
        Expect_Every_Rule_Shown();
    }
    // The scan without "EXEC" did not count: it runs once "EXEC" is there, and only once.
    NAD_Scan_App_Profiles();
    EXPECT_EQ(nad_profile_mask, 4);
    Write_Profile("L", "APP127.DEF", "#NADS 2\n");
    NAD_Scan_App_Profiles();
    EXPECT_EQ(nad_app_profiles.size(), 1u);

    NAD_Forget_App_Profiles();
    Env_Override other("ZAV_APPLICATION_NUMBER", "44");
    NAD_Scan_App_Profiles();
    EXPECT_EQ(NAD_Get_Current_App(), 0);
    Expect_Every_Rule_Shown();
}
