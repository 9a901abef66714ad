#include "annex/nad_ec6_ec9.h"

#include "annex/nad_sections.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const char* const ec6_default_block = " 1\n 0\n 1.500000 1.500000 1.500000 1.000000\n";
const char* const ec9_default_block =
    " 5\n 0\n 1.100000 1.250000 1.250000 1.250000 1.100000 1.250000 3.000000 1.000000 "
    "1.200000 1.100000\n";

NAD_EC6_Params Read_EC6(const std::string& bytes)
{
    File_Stream file(bytes);
    NAD_EC6_Params record;
    NAD_EC6_Read(file.get(), &record);
    return record;
}

NAD_EC9_Params Read_EC9(const std::string& bytes)
{
    File_Stream file(bytes);
    NAD_EC9_Params record;
    NAD_EC9_Read(file.get(), &record);
    return record;
}

} // namespace

TEST(NADEC6EC9, WrittenBlocksReadBackEqualAlsoWithCRLF)
{
    NAD_EC6_Params ec6;
    NAD_EC6_Defaults(&ec6);
    NAD_EC9_Params ec9;
    NAD_EC9_Defaults(&ec9);
    {
        File_Stream file;
        NAD_EC6_Write(file.get(), &ec6);
        EXPECT_EQ(file.bytes(), ec6_default_block);
    }
    {
        File_Stream file;
        NAD_EC9_Write(file.get(), &ec9);
        EXPECT_EQ(file.bytes(), ec9_default_block);
    }
    // German values through a CR LF file.
    NAD_EC6_Params ec6_de;
    NAD_EC9_Params ec9_de;
    ASSERT_EQ(NAD_EC6_Defaults_NA_DE(&ec6_de), &ec6_de);
    ASSERT_EQ(NAD_EC9_Defaults_NA_DE(&ec9_de), &ec9_de);
    ec9_de.gamma_M1 = 1.15; // written last, must come back into gamma_M1
    File_Stream out;
    NAD_EC6_Write(out.get(), &ec6_de);
    NAD_EC9_Write(out.get(), &ec9_de);
    File_Stream in(To_CRLF(out.bytes()));
    NAD_EC6_Params ec6_back;
    NAD_EC9_Params ec9_back;
    NAD_EC6_Read(in.get(), &ec6_back);
    NAD_EC9_Read(in.get(), &ec9_back);
    EXPECT_EQ(NAD_EC6_Equal(&ec6_back, &ec6_de), 1);
    EXPECT_EQ(NAD_EC9_Equal(&ec9_back, &ec9_de), 1);
    EXPECT_EQ(ec9_back.version, 5);
    EXPECT_EQ(ec9_back.gamma_M1, 1.15);
    EXPECT_EQ(ec9_back.na_de_flag, 1);
}

TEST(NADEC6EC9, MasonryBlockNeverLeavesZeroPartialFactors)
{
    NAD_EC6_Params read = Read_EC6(" 1\n 1\n 1.6 1.4 1.3 1.1\n");
    EXPECT_EQ(read.na_de_flag, 1);
    EXPECT_EQ(read.gamma_M, 1.6);
    EXPECT_EQ(read.gamma_M_accidental, 1.4);
    EXPECT_EQ(read.gamma_M_seismic, 1.3);
    EXPECT_EQ(read.gamma_M_ser, 1.1);

    // A version 0 block and one that breaks off keep the built-in factors, not 0,
    // and the damage is noted for the loader.
    NAD_EC6_Params defaults;
    NAD_EC6_Defaults(&defaults);
    NAD_Clear_Read_Failures();
    read = Read_EC6(" 0\n 0\n 2.0 2.0 2.0 2.0\n");
    EXPECT_EQ(NAD_EC6_Equal(&read, &defaults), 1);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC6");

    NAD_Clear_Read_Failures();
    read = Read_EC6(" 1\n 0\n 1.7 1.6\n#EC9\n");
    EXPECT_EQ(read.gamma_M, 1.7);
    EXPECT_EQ(read.gamma_M_accidental, 1.6);
    EXPECT_EQ(read.gamma_M_seismic, 1.5);
    EXPECT_EQ(read.gamma_M_ser, 1.0);
    EXPECT_EQ(NAD_Read_Failure_Count(), 1);
    NAD_Clear_Read_Failures();
}

TEST(NADEC6EC9, AluminiumBlocksOfOlderVersions)
{
    NAD_EC9_Params read = Read_EC9(" 3\n 0\n 1.2 1.3 1.4 1.5 1.6 1.7 1.8 1.9 1.05\n");
    EXPECT_EQ(read.version, 3);
    EXPECT_EQ(read.gamma_M0, 1.2);
    EXPECT_EQ(read.gamma_M1, 1.2); // none in version 3: equal to gamma_M0
    EXPECT_EQ(read.gamma_Mp_ser, 1.9);
    EXPECT_EQ(read.C, 1.05);

    read = Read_EC9(" 4\n 1\n 1.2 1.15 1.3 1.4 1.5 1.6 1.7 1.8 1.9 1.05\n");
    EXPECT_EQ(read.gamma_M1, 1.15); // second in the line
    EXPECT_EQ(read.C, 1.05);

    read = Read_EC9(" 1\n 0\n 1.2 1.3 1.4 1.5 1.6\n");
    EXPECT_EQ(read.gamma_Mp, 1.4);
    EXPECT_EQ(read.gamma_Mw, 1.25); // connection factors and C stay at the defaults
    EXPECT_EQ(read.gamma_Ma, 3.0);
    EXPECT_EQ(read.C, 1.2);

    NAD_Clear_Read_Failures();
    read = Read_EC9(" 5\n 0\n 1.2 1.3 x\n");
    EXPECT_EQ(read.gamma_M2, 1.3);
    EXPECT_EQ(read.gamma_Mp, 1.25);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC9");
    NAD_Clear_Read_Failures();
}

TEST(NADEC6EC9, EqualityToleranceAndCopy)
{
    NAD_EC6_Params a;
    NAD_EC6_Defaults(&a);
    NAD_EC6_Params b = a;
    a.gamma_M = 1.25;
    b.gamma_M = 1.2501;
    EXPECT_EQ(NAD_EC6_Equal(&a, &b), 1);
    b.gamma_M = 1.2502;
    EXPECT_EQ(NAD_EC6_Equal(&a, &b), 0);
    EXPECT_EQ(NAD_EC6_Equal(&a, nullptr), 0);

    NAD_EC9_Params c;
    NAD_EC9_Defaults(&c);
    NAD_EC9_Params d = c;
    d.version = 2; // not compared
    d.C = 1.20009;
    EXPECT_EQ(NAD_EC9_Equal(&c, &d), 1);
    d.gamma_Mp_ser = 1.0002;
    EXPECT_EQ(NAD_EC9_Equal(&c, &d), 0);

    // Copy takes flag and factors, not the version.
    NAD_EC9_Params e;
    e.version = 3;
    d.na_de_flag = 1;
    NAD_EC9_Copy(&e, &d);
    EXPECT_EQ(e.version, 3);
    EXPECT_EQ(e.na_de_flag, 1);
    EXPECT_EQ(e.gamma_Mp_ser, 1.0002);
    NAD_EC6_Read(nullptr, &b);
    NAD_EC9_Read(nullptr, &e);
}
