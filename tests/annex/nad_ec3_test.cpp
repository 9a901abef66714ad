#include "annex/nad_ec3.h"

#include "annex/nad_sections.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const char* const default_section =
    " EC3-1 Parameter\n"
    " 5 1.000000 1.000000 1.250000 1.000000 1.000000 1.250000 0 1.000000\n"
    " 0.400000 0.750000 0 1.000000 1 1.000000\n"
    " 350.000000 300.000000 250.000000 200.000000 150.000000 300.000000 250.000000 "
    "200.000000 150.000000 100.000000\n"
    " EC3-8 Parameter\n"
    " 5 1.250000 1.000000 1.000000 1.000000 1.100000 1.100000\n"
    " 3 1.200000\n"
    " 1.000000 1.150000 1.150000 1.350000\n"
    " 1.000000 1.100000\n";

NAD_EC3_Params Read(const std::string& bytes, int in_set_file)
{
    File_Stream file(bytes);
    NAD_EC3_Params part;
    NAD_EC3_Read(file.get(), &part, in_set_file);
    return part;
}

} // namespace

TEST(NADEC3, SectionRoundTripInBothLineEndings)
{
    NAD_EC3_Params part;
    NAD_EC3_Defaults(&part);
    {
        File_Stream file;
        NAD_EC3_Write(file.get(), &part);
        EXPECT_EQ(file.bytes(), default_section);
    }

    NAD_EC3_Params german;
    NAD_EC3_Defaults_NA_DE(&german);
    german.ec3_8.eta = 1.0;
    german.ec3_8.last_factor = 1.2;
    File_Stream out;
    NAD_EC3_Write(out.get(), &german);
    // The section stands among others in an annex set file; the reader is called behind
    // its tag line and must not run into the next annex's sections.
    for (const std::string& bytes : {out.bytes() + "\n\n#EC5\n", To_CRLF(out.bytes())}) {
        NAD_EC3_Params back = Read(bytes, 1);
        EXPECT_EQ(back.na_de_flag, 0); // the flag comes from the set's header, not from here
        EXPECT_EQ(back.ec3_1.version, 5);
        EXPECT_EQ(back.ec3_8.version, 5);
        back.na_de_flag = 1;
        EXPECT_EQ(NAD_EC3_Compare(&back, &german), 0);
        EXPECT_EQ(back.ec3_8.last_factor, 1.2);
    }
}

TEST(NADEC3, OlderSubRecordVersionsKeepTheDefaultsOfLaterFields)
{
    NAD_EC3_Params part = Read(" EC3-1 Parameter\n 3 1.1 1.2 1.3 1.01 1.02 1.03 1 1.4\n"
                               " EC3-8 Parameter\n 2 1.3 1.2 1.2 1.2 1.2 1.2 2 1.5\n",
                               1);
    EXPECT_EQ(part.ec3_1.version, 3);
    EXPECT_EQ(part.ec3_1.gamma_M_fi, 1.4);
    EXPECT_EQ(part.ec3_1.lambda_LT0, 0.4);
    EXPECT_EQ(part.ec3_1.f_flag, 1);
    EXPECT_EQ(part.ec3_1.e0_elastic[0], 350.0);
    EXPECT_EQ(part.ec3_8.version, 2);
    EXPECT_EQ(part.ec3_8.eta, 1.5);
    EXPECT_EQ(part.ec3_8.gamma_Mf[3], 1.35);
    EXPECT_EQ(part.ec3_8.last_factor, 1.1);
}

TEST(NADEC3, OlderListForms)
{
    // " EC3 Parameter" carries the NA-DE flag ahead of the sub-records.
    NAD_EC3_Params part = Read(" EC2 Parameter\n 1 2 3\n EC3 Parameter\n 1\n" +
                                   std::string(default_section) + "#NAD x\n",
                               0);
    EXPECT_EQ(part.na_de_flag, 1);
    EXPECT_EQ(part.ec3_1.version, 5);
    EXPECT_EQ(part.ec3_8.version, 5);

    // Oldest form: " EC3-8 Parameter" with the flag, the first sub-record and the six
    // connection factors; the second sub-record counts as not read.
    part = Read(" EC3-8 Parameter\n 1\n 2 1.1 1.1 1.3 1.0 1.0 1.2 0\n 1.3 1.3 1.3 1.3 1.4 1.4\n", 0);
    EXPECT_EQ(part.na_de_flag, 1);
    EXPECT_EQ(part.ec3_1.version, 2);
    EXPECT_EQ(part.ec3_1.gamma_M[0], 1.1);
    EXPECT_EQ(part.ec3_8.gamma_M_connection[5], 1.4);
    EXPECT_EQ(part.ec3_8.version, 0);

    // No section before the next annex: nothing of that annex is taken.
    File_Stream file(" EC5 Parameter\n#NAD \xAE" "B\xAF\n EC3 Parameter\n 1\n");
    NAD_EC3_Read(file.get(), &part, 0);
    EXPECT_EQ(part.na_de_flag, 0);
    EXPECT_EQ(part.ec3_1.version, 0);
    EXPECT_EQ(part.ec3_1.gamma_M[2], 1.25);
    EXPECT_EQ(part.ec3_8.version, 0);
}

TEST(NADEC3, ShortReadIsNotedAndLeavesDefaults)
{
    NAD_Clear_Read_Failures();
    NAD_EC3_Params part = Read(" EC3-1 Parameter\n 5 1.1 1.2\n", 1);
    EXPECT_EQ(part.ec3_1.gamma_M[1], 1.2);
    EXPECT_EQ(part.ec3_1.gamma_M[2], 1.25);
    EXPECT_EQ(part.ec3_8.version, 0);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC3");
    NAD_Clear_Read_Failures();

    // A sub-record that stops inside keeps version 0 and so compares equal to anything.
    File_Stream file(" 5 1.3 1.3 x");
    NAD_EC3_8_Params record;
    EXPECT_EQ(NAD_EC3_8_Read(file.get(), &record), 1);
    EXPECT_EQ(record.version, 0);
    EXPECT_EQ(record.gamma_M_connection[1], 1.3);
    EXPECT_EQ(record.gamma_M_connection[2], 1.0);
}

TEST(NADEC3, CompareToleranceVersionsAndCopy)
{
    NAD_EC3_Params a;
    NAD_EC3_Defaults(&a);
    NAD_EC3_Params b = a;
    b.ec3_8.eta += 0.00005;
    EXPECT_EQ(NAD_EC3_Compare(&a, &b), 0);
    b.ec3_8.eta += 0.001;
    EXPECT_EQ(NAD_EC3_Compare(&a, &b), 1);
    b = a;
    b.ec3_1.kc_flag = 1;
    EXPECT_EQ(NAD_EC3_Compare(&a, &b), 1);
    b.ec3_1.version = 1; // too old to compare: stands for anything
    EXPECT_EQ(NAD_EC3_Compare(&a, &b), 0);
    b = a;
    b.ec3_1.version = 4; // same values, other layout version
    EXPECT_EQ(NAD_EC3_Compare(&a, &b), 0);
    b.na_de_flag = 1;
    EXPECT_EQ(NAD_EC3_Compare(&a, &b), 1);

    NAD_EC3_Params c;
    NAD_EC3_Defaults_NA_DE(&c);
    NAD_EC3_Copy(&a, &c); // sub-records only
    EXPECT_EQ(a.na_de_flag, 0);
    EXPECT_EQ(a.ec3_1.e0_elastic[0], 600.0);
    NAD_EC3_Read(nullptr, &a, 1);
}
