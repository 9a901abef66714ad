#include "annex/nad_ec5.h"

#include "annex/nad_sections.h"
#include "test_support.h"
#include "written_text.h"

#include <gtest/gtest.h>
#include <string>

namespace {

NAD_EC5_Params Defaults() {
    NAD_EC5_Params p;
    NAD_EC5_Defaults(&p);
    return p;
}

std::string Written(const NAD_EC5_Params& p) { return Text_Of(NAD_EC5_Write, p); }

NAD_EC5_Params Read(const std::string& bytes, int in_set_file = 1) {
    File_Stream in(bytes);
    NAD_EC5_Params p;
    // Whatever the record held before must not show through.
    p = Defaults();
    p.gamma_M_clt = 9.0;
    p.tension_joints = 7;
    NAD_EC5_Read(in.get(), &p, in_set_file);
    return p;
}

// The writer's block with another version in its first line (older blocks hold the same
// fields at the same places, only fewer of them).
std::string Block_Of_Version(const NAD_EC5_Params& p, int version) {
    const std::string bytes = Written(p);
    return " " + std::to_string(version) + bytes.substr(bytes.find('\n'));
}

// Every field away from its default, each value exact in two decimals.
NAD_EC5_Params Changed() {
    NAD_EC5_Params p = Defaults();
    p.na_de_flag = p.load_duration_table = p.penetration_depth_rule = p.kmod_table = 1;
    p.profiled_nail_table = p.threaded_rods = p.lateral_torsional_buckling = 1;
    p.fasteners_simplified = p.kmod_na1_b = p.wall_diaphragm_reduction = 1;
    p.sill_pressure_increase = p.tension_joints = p.steel_part_drilling = 1;
    p.fire_line_flag = 0;
    p.crack_factor_method = p.net_deflection_combination = 2;
    for (int i = 0; i < NAD_EC5_MATERIALS; ++i) p.gamma_M_material[i] = (110 + i) / 100.0;
    for (int d = 0; d < NAD_EC5_LOAD_DURATIONS; ++d)
        for (int sc = 0; sc < NAD_EC5_SERVICE_CLASSES; ++sc) p.k_mod[d][sc] = (30 + 10 * d + sc) / 100.0;
    for (int c = 0; c < 3; ++c) {
        p.k_def[c] = 0.5 + c;
        p.deflection_limits[c][0] = 250 + c;
        p.deflection_limits[c][1] = 120 + c;
    }
    p.gamma_M_solid = 1.25;
    p.gamma_M_glulam = 1.15;
    p.gamma_M_accidental = 1.05;
    p.gamma_M_fire = 1.1;
    p.k_cr_solid_glulam = 0.7;
    p.k_cr_other = 0.9;
    p.k_shape_factor = 0.05;
    p.k_shape_max = 1.3;
    p.slenderness_factor = 0.9;
    p.gamma_M_clt = 1.35;
    return p;
}

class EC5 : public ::testing::Test {
protected:
    void SetUp() override { NAD_Clear_Read_Failures(); }
};

TEST_F(EC5, RoundTripAndWriterLayout) {
    for (const NAD_EC5_Params& original : {Defaults(), Changed()}) {
        const std::string bytes = Written(original);
        for (const std::string& form : {bytes, To_CRLF(bytes) + "\r\n\r\n#EC6\r\n 1"}) {
            const NAD_EC5_Params back = Read(form);
            EXPECT_EQ(back.version, 17);
            EXPECT_EQ(back.na_de_flag, original.na_de_flag);
            EXPECT_EQ(NAD_EC5_Compare(&back, &original), 0);
            EXPECT_EQ(Written(back), bytes);  // the writer writes every field
        }
    }
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);

    NAD_EC5_Params p = Defaults();
    p.crack_factor_method = 0;
    const std::string d = Written(p);
    EXPECT_EQ(d.substr(0, 13), " 17\n 0\n 0\n 1 ");  // older crack-factor form: method 0 -> 1
    EXPECT_NE(d.find("\n 0.60 0.70 0.80 0.90 1.10\n 0.60 0.70 0.80 0.90 1.10\n"
                     " 0.50 0.55 0.65 0.70 0.90\n 0.60 0.80 2.00\n"
                     " 300 200 300 150 100 150 0 0.67 1.00 1 1 1.00\n 0  \n 0  \n 0  \n 0  \n"
                     " 0.150000 2.000000 1.000000\n 1.300000 \n"),
              std::string::npos);

    // gamma_M of solid timber, glulam and accidental: the six-decimal places still carry
    // the full values, but the reader takes the two-decimal ones.
    p.gamma_M_solid = 1.234;
    p.gamma_M_glulam = 1.236;
    p.gamma_M_accidental = 1.001;
    EXPECT_NE(Written(p).find(" 1.234000 1.236000 1.200000"), std::string::npos);
    const NAD_EC5_Params back = Read(Written(p));
    EXPECT_DOUBLE_EQ(back.gamma_M_solid, 1.23);
    EXPECT_DOUBLE_EQ(back.gamma_M_glulam, 1.24);
    EXPECT_DOUBLE_EQ(back.gamma_M_accidental, 1.0);
}

TEST_F(EC5, OlderBlocksAreCompletedByTheirOwnGermanAnnexFlag) {
    NAD_EC5_Params file = Defaults();
    file.k_shape_factor = 0.4;  // not read from blocks below version 15
    for (int flag : {0, 1}) {
        file.na_de_flag = flag;
        const NAD_EC5_Params v10 = Read(Block_Of_Version(file, 10));
        EXPECT_EQ(v10.version, 10);
        for (int s : {v10.wall_diaphragm_reduction, v10.sill_pressure_increase, v10.tension_joints,
                      v10.steel_part_drilling})
            EXPECT_EQ(s, flag);
        EXPECT_DOUBLE_EQ(v10.k_shape_factor, flag ? 0.05 : 0.15);
        EXPECT_DOUBLE_EQ(v10.k_shape_max, flag ? 1.3 : 2.0);
    }
    // Version 12 holds the first two switches (file order: sill pressure, wall diaphragm).
    file.sill_pressure_increase = file.wall_diaphragm_reduction = 0;
    const NAD_EC5_Params v12 = Read(Block_Of_Version(file, 12));
    EXPECT_EQ(v12.wall_diaphragm_reduction, 0);
    EXPECT_EQ(v12.tension_joints, 1);
    // Version 14 holds all four; k_shape still follows the flag.
    const NAD_EC5_Params v14 = Read(Block_Of_Version(file, 14));
    EXPECT_EQ(v14.tension_joints, 0);
    EXPECT_DOUBLE_EQ(v14.k_shape_factor, 0.05);
    // Version 15 reads k_shape but neither the slenderness factor nor CLT.
    file.slenderness_factor = 0.8;
    file.gamma_M_clt = 1.4;
    const NAD_EC5_Params v15 = Read(Block_Of_Version(file, 15));
    EXPECT_DOUBLE_EQ(v15.k_shape_factor, 0.4);
    EXPECT_DOUBLE_EQ(v15.slenderness_factor, 1.0);
    EXPECT_DOUBLE_EQ(v15.gamma_M_clt, 1.3);
    // Version 6: the German material factors are read, the crack factor is not.
    const NAD_EC5_Params v6 = Read(Block_Of_Version(Changed(), 6));
    EXPECT_DOUBLE_EQ(v6.gamma_M_material[NAD_EC5_PLASTERBOARD], Changed().gamma_M_material[9]);
    EXPECT_EQ(v6.kmod_na1_b, 0);
    EXPECT_DOUBLE_EQ(v6.gamma_M_solid, 1.3);
    EXPECT_EQ(v6.crack_factor_method, 1);
    // Version 0 holds the version, the flag and one ignored number.
    NAD_EC5_Params v0 = Read(" 0\n 0\n 3.5\n 99\n");
    EXPECT_EQ(v0.version, 0);
    v0.version = 17;
    EXPECT_EQ(Written(v0), Written(Defaults()));
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
}

TEST_F(EC5, FailedConversionsKeepWhatWasRead) {
    nad_trace = 1;
    testing::internal::CaptureStdout();
    Read(Block_Of_Version(Defaults(), 9));
    // The NA-DE flag line is not a number: built-in values with the built-in version.
    NAD_EC5_Params p = Read(" 12\n x\n 1\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " EC5: version= 9  (ok)\n EC5:              (failed)\n");
    nad_trace = 0;
    EXPECT_EQ(p.version, 17);
    EXPECT_EQ(p.tension_joints, 0);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC5");

    // Cut behind k_mod: what was read stays, the rest is built in, no completion runs.
    NAD_Clear_Read_Failures();
    const NAD_EC5_Params file = Changed();
    const std::string bytes = Written(file);
    size_t cut = 0;
    for (int line = 0; line < 16; ++line) cut = bytes.find('\n', cut) + 1;
    p = Read(bytes.substr(0, cut) + "\n\n#EC6\n");
    EXPECT_EQ(p.na_de_flag, 1);
    EXPECT_DOUBLE_EQ(p.k_mod[4][2], file.k_mod[4][2]);
    EXPECT_DOUBLE_EQ(p.k_def[0], 0.6);
    EXPECT_EQ(p.tension_joints, 0);  // the completion would have set it by the flag
    EXPECT_DOUBLE_EQ(p.k_shape_factor, 0.15);
    EXPECT_EQ(NAD_Read_Failure_Count(), 1);

    p = Changed();
    NAD_EC5_Read(nullptr, &p, 1);  // a null stream only clears the version
    EXPECT_EQ(p.version, 0);
    EXPECT_EQ(p.na_de_flag, 1);
}

TEST_F(EC5, OlderListFileSection) {
    const NAD_EC5_Params file = Changed();
    const std::string block = Written(file);
    const std::string before = " 1.5 2.5\n EC3 Parameter 2\n 0\n";
    NAD_EC5_Params p = Read(To_CRLF(before + " EC5 Parameter\n" + block + " Lastfaktoren 1\n"), 0);
    EXPECT_EQ(NAD_EC5_Compare(&p, &file), 0);
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    // The next annex comes first: the built-in values, noted as a failure.
    p = Read(before + "#NAD 3 \xAEX\xAF\n EC5 Parameter\n" + block, 0);
    EXPECT_EQ(Written(p), Written(Defaults()));
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC5");
}

TEST_F(EC5, CompareCopyAndFlagSetter) {
    const NAD_EC5_Params a = Defaults();
    NAD_EC5_Params b = a;
    b.na_de_flag = 1;
    b.version = 12;
    b.fire_line_flag = 0;
    b.gamma_M_fire = 1.5;
    EXPECT_EQ(NAD_EC5_Compare(&a, &b), 0);
    b = a;
    b.k_mod[2][1] += 1e-9;  // exact: no tolerance
    EXPECT_EQ(NAD_EC5_Compare(&a, &b), 1);
    b.version = 9;  // a record from a block of version 9 matches anything
    EXPECT_EQ(NAD_EC5_Compare(&b, &a), 0);
    b = a;
    b.deflection_limits[2][1] = 200;
    EXPECT_EQ(NAD_EC5_Compare(&a, &b), 1);
    b = a;
    b.gamma_M_clt = 1.25;
    EXPECT_EQ(NAD_EC5_Compare(&a, &b), 1);
    EXPECT_EQ(NAD_EC5_Compare(&a, nullptr), 1);

    const NAD_EC5_Params source = Changed();
    NAD_EC5_Params destination = Defaults();
    destination.version = 11;
    NAD_EC5_Copy(&destination, &source);
    EXPECT_EQ(destination.version, 11);
    EXPECT_EQ(Written(destination), Written(source));
    NAD_EC5_Set_NA_DE_Flag(&destination, 0);
    EXPECT_EQ(destination.na_de_flag, 0);
    NAD_EC5_Set_NA_DE_Flag(nullptr, 1);
    NAD_EC5_Copy(nullptr, &source);
    NAD_EC5_Write(nullptr, &source);
}

}  // namespace
