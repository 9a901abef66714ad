#include "annex/nad_set.h"

#include "annex_env.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// One EN 1991 table (number 3, two values on one line) and its standard values.
const char* const one_table = "#TAB3\nSchneelast\nZonen\n0 0 0 0\n0 0 0 0\n2 1 kN\n";
const char* const standard_values =
    "#NAD\nEC-Standardparameter\n1\n\n~DATA\n1 2 2\n\n"
    "~TAB3\nStandardwerte\n  0.850  1.250\n\n~TAB99\n 10 0 0 0 0 0 0 0 0 0 0 0\n\n";

class NADSet : public ::testing::Test {
protected:
    Temp_Dir data_;
    Env_Override data_env_{"DATA", data_.path().c_str()};

    void SetUp() override
    {
        std::filesystem::create_directory(data_.file("NAD"));
        ASSERT_TRUE(Write_File_Bytes(data_.file("NAD/WUSL-Tabs.def"), To_CRLF(one_table)));
        ASSERT_TRUE(Write_File_Bytes(data_.file("NAD/WUSL-Tabs.val"), standard_values));
        NAD_Forget_Active_Set();
    }
    void TearDown() override { NAD_Forget_Active_Set(); }
};

} // namespace

TEST_F(NADSet, ResetGivesTheBuiltInValuesAgainAfterAnAnnexWasLoaded)
{
    NAD_EC0_Params ec0{};
    NAD_EC2_Params ec2{};
    NAD_EC3_Params ec3{};
    NAD_EC5_Params ec5{};
    NAD_EC6_Params ec6{};
    NAD_EC9_Params ec9{};
    NAD_EC0_Defaults(&ec0);
    NAD_EC2_Defaults(&ec2);
    NAD_EC3_Defaults(&ec3);
    NAD_EC5_Defaults(&ec5);
    NAD_EC6_Defaults(&ec6);
    NAD_EC9_Defaults(&ec9);

    for (int round = 0; round < 2; ++round) {
        NAD_Fill_Builtin_Defaults();
        const NAD_Set& set = active_nad_set;
        EXPECT_EQ(set.code, 19);
        EXPECT_EQ(set.user_flag, 0);
        EXPECT_EQ(set.na_de_flag, 0);
        EXPECT_EQ(set.name, "EC-Standard");
        EXPECT_EQ(active_nad_set_filled, 1);
        EXPECT_EQ(NAD_EC0_Compare(&set.ec0, &ec0), 0);
        EXPECT_EQ(NAD_EC2_Compare(&set.ec2, &ec2), 0);
        EXPECT_EQ(NAD_EC3_Compare(&set.ec3, &ec3), 0);
        EXPECT_EQ(NAD_EC5_Compare(&set.ec5, &ec5), 0);
        EXPECT_EQ(NAD_EC6_Equal(&set.ec6, &ec6), 1);
        EXPECT_EQ(NAD_EC9_Equal(&set.ec9, &ec9), 1);
        ASSERT_TRUE(set.ec1.tables[2].has_value());
        EXPECT_EQ(set.ec1.tables[2]->has_values, 1);
        EXPECT_DOUBLE_EQ(set.ec1.tables[2]->values[1], 1.25);

        // What a loaded annex leaves behind.
        NAD_Set& loaded = active_nad_set;
        loaded.code = loaded.user_flag = loaded.na_de_flag = 1;
        loaded.name = std::string(99, 'N');
        loaded.ec1.tables[2]->values[1] = 3.0;
        loaded.ec2.gamma_c[0] = 7.0;
        loaded.ec6.gamma_M = 9.0;
    }
}

TEST_F(NADSet, TableDefinitionsAreReadOnlyByTheFirstReset)
{
    NAD_Fill_Builtin_Defaults();
    EXPECT_EQ(nad_ec1_definitions_pending, 0);
    ASSERT_TRUE(Write_File_Bytes(data_.file("NAD/WUSL-Tabs.def"), "#TAB2\nWind\nZonen\n0 0 0 0\n0 0 0 0\n1 1 kN\n"));
    NAD_Fill_Builtin_Defaults();
    EXPECT_FALSE(active_nad_set.ec1.tables[1].has_value()) << "definitions read a second time";
}

TEST_F(NADSet, CopiesOfASetShareNothing)
{
    NAD_Fill_Builtin_Defaults();
    NAD_Set copy = active_nad_set;
    copy.ec1.tables[2]->values[0] = 42.0;
    copy.name = "Kopie";
    EXPECT_DOUBLE_EQ(active_nad_set.ec1.tables[2]->values[0], 0.85);
    EXPECT_EQ(active_nad_set.name, "EC-Standard");
    active_nad_set = copy;
    copy.ec1.tables[2].reset();  // nothing shared to be freed twice
    EXPECT_DOUBLE_EQ(active_nad_set.ec1.tables[2]->values[0], 42.0);
}
