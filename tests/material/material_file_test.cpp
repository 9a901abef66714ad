// The material block and the masonry block: round trips, older layouts, refusals.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

#include "annex/annex_env.h"
#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "annex/nad_sections.h"
#include "core/startup.h"
#include "material/masonry.h"
#include "material/material_file.h"
#include "material/material_set.h"
#include "platform/messages.h"
#include "test_support.h"

namespace {

const char* const kNewerMessage = "!! ACHTUNG !!\nEingabedatei aktueller als Programmversion";

struct Owned_Set {
    Material_Set set{};
    Owned_Set() { Clear_Material_Set(&set); }
    ~Owned_Set() { Free_Material_Set(&set); }
};

// Every test has its own annex directories, a fresh annex choice and the edition switch
// and refresh flag as it found them.
class MaterialFile : public ::testing::Test {
protected:
    Temp_Dir data_, dram_;
    Env_Override data_env_{"DATA", data_.path().c_str()};
    Env_Override dram_env_{"DRAM", dram_.path().c_str()};
    int edition_ = Get_DIN1045_1_Edition();

    void SetUp() override
    {
        std::filesystem::create_directory(data_.file("NAD"));
        std::filesystem::create_directory(dram_.file("NADS"));
        NAD_Forget_Choice();
        Clear_Shown_Messages();
        refresh_mode = 0;
    }
    void TearDown() override
    {
        NAD_Forget_Choice();
        refresh_mode = 0;
        Set_DIN1045_1_Edition(edition_);
    }

    // An EN 1992-1-1 set with a free concrete and a glass-fibre bar over a free steel, every
    // stored value different from its default.
    static void Fill_Full_Set(Material_Set& s)
    {
        ASSERT_EQ(Alloc_Material_Set(&s, 1, 2), 0);
        s.new_standard = s.en1992_1_1 = 1;
        s.situation_code = 2;
        s.stored_int_a = 4;
        s.stored_int_b = 1;
        s.gamma_c = 1.4;
        s.gamma_s = 1.2;
        s.law_choice = 3;
        s.modular_ratio = 12.5;
        Concrete_Record& c = s.concrete[0];
        c.class_index = CONCRETE_FREE;
        c.density = 2200.0;
        c.fck = 35.0;
        c.value_2 = c.alpha_cc = 0.9;
        c.eps_c2 = -2.1, c.eps_cu = -3.4, c.n_exp = 1.9, c.e_modulus = 33000.0, c.fctm = 3.1;
        c.creep_coeff = 2.1, c.shrink_strain = -0.4;
        c.int_a = 1, c.int_b = 1, c.int_c = 2;
        const double creep[6] = {70.0, 1800.0, 180.0, 200.0, 14.0, 1.1};
        std::memcpy(c.tension_values, creep, sizeof creep);
        s.steel[0].steel_index = STEEL_GLASS_FIBRE;
        Steel_Record& free = s.steel[1];
        free.steel_index = STEEL_FREE;
        free.fyk = 450.0, free.ftk = 480.0, free.eps_uk = 40.0, free.es = 190000.0, free.fyk_c = 420.0;
        Calc_Material_Set(&s, 1);
    }

    static std::string Written(Material_Set& s)
    {
        File_Stream out;
        EXPECT_EQ(Write_Material_Set(out.get(), &s), 0);
        return out.bytes();
    }
    // Reads a block from the bytes; the rest of the stream's line after it in *rest.
    static int Read(const std::string& bytes, Material_Set& s, std::string* rest = nullptr)
    {
        File_Stream in(bytes);
        const int result = Read_Material_Set(in.get(), &s);
        if (rest) {
            char line[200] = "";
            *rest = std::fgets(line, sizeof line, in.get()) ? line : "";
        }
        return result;
    }
    static std::string With_Header(const std::string& block, int version)
    {
        return std::to_string(-version) + block.substr(block.find(' '));
    }
};

TEST_F(MaterialFile, RoundTripOfACurrentSet)
{
    Owned_Set a;
    Fill_Full_Set(a.set);
    Set_DIN1045_1_Edition(0);
    const std::string text = Written(a.set);

    // The file numbers 105 and 106 stand in the file only; the set keeps its indices.
    EXPECT_EQ(text.rfind("-20 2 1.400000 1.200000 3 12.500000 0 0 1 1 4 0\n-31 -106 13 0 2200.000000\n", 0), 0u)
        << text;
    EXPECT_EQ(a.set.steel[0].steel_index, STEEL_GLASS_FIBRE);
    EXPECT_NE(text.find("\nACTIV_NADNAME\n"), std::string::npos);

    Set_DIN1045_1_Edition(1);
    Owned_Set b;
    ASSERT_EQ(Read(text, b.set), 0);
    EXPECT_EQ(Get_DIN1045_1_Edition(), 0);

    const Material_Set& s = b.set;
    const Material_Set& w = a.set;
    for (auto field : {&Material_Set::new_standard, &Material_Set::en1992_1_1, &Material_Set::en1992_2,
                       &Material_Set::oenorm, &Material_Set::situation_code, &Material_Set::stored_int_a,
                       &Material_Set::law_choice})
        EXPECT_EQ(s.*field, w.*field);
    EXPECT_EQ(s.stored_int_b, 0);  // the steel-in-concrete flag always reads back as 0
    for (auto field : {&Material_Set::gamma_c, &Material_Set::gamma_s, &Material_Set::modular_ratio})
        EXPECT_DOUBLE_EQ(s.*field, w.*field);

    const Concrete_Record& c = s.concrete[0];
    EXPECT_EQ(c.class_index, CONCRETE_FREE);
    for (auto field : {&Concrete_Record::fck, &Concrete_Record::value_2, &Concrete_Record::alpha_cc,
                       &Concrete_Record::eps_c2, &Concrete_Record::eps_cu, &Concrete_Record::n_exp,
                       &Concrete_Record::e_modulus, &Concrete_Record::fctm, &Concrete_Record::creep_coeff,
                       &Concrete_Record::shrink_strain})
        EXPECT_DOUBLE_EQ(c.*field, w.concrete[0].*field);
    for (auto field : {&Concrete_Record::int_a, &Concrete_Record::int_b, &Concrete_Record::int_c})
        EXPECT_EQ(c.*field, w.concrete[0].*field);
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(c.tension_values[i], w.concrete[0].tension_values[i]) << i;

    EXPECT_EQ(s.steel[0].steel_index, STEEL_GLASS_FIBRE);
    const Steel_Record& free = s.steel[1];
    EXPECT_EQ(free.steel_index, STEEL_FREE);
    for (auto field : {&Steel_Record::fyk, &Steel_Record::ftk, &Steel_Record::eps_uk, &Steel_Record::es,
                       &Steel_Record::fyk_c, &Steel_Record::fyd})
        EXPECT_NEAR(free.*field, w.steel[1].*field, 1e-5);
}

TEST_F(MaterialFile, WriterGivesTwoSteelsAndKeepsTheirIndices)
{
    Owned_Set a;
    ASSERT_EQ(Alloc_Material_Set(&a.set, 1, 1), 0);
    a.set.new_standard = a.set.en1992_1_1 = 1;
    a.set.gamma_c = 1.5, a.set.gamma_s = 1.15;
    a.set.concrete[0].class_index = 9;
    a.set.concrete[0].density = 2200.0;
    a.set.steel[0].steel_index = STEEL_LATTICE_GIRDER;
    Calc_Material_Set(&a.set, 1);
    const std::string text = Written(a.set);
    EXPECT_NE(text.find("\n-10 -107 106 0 2200.000000\n"), std::string::npos) << text;
    ASSERT_EQ(a.set.n_steel, 2);
    EXPECT_EQ(a.set.steel[1].steel_index, STEEL_LATTICE_GIRDER);
    EXPECT_EQ(Written(a.set), text);  // nothing of the set was renumbered
    Owned_Set b;
    ASSERT_EQ(Read(text, b.set), 0);
    EXPECT_EQ(b.set.steel[0].steel_index, STEEL_LATTICE_GIRDER);
    EXPECT_EQ(b.set.steel[1].steel_index, STEEL_LATTICE_GIRDER);
}

TEST_F(MaterialFile, OldStandardBlocks)
{
    Owned_Set a;
    ASSERT_EQ(Alloc_Material_Set(&a.set, 1, 2), 0);
    a.set.concrete[0].class_index = 2;
    a.set.steel[0].steel_index = 1;
    a.set.steel[1].steel_index = 2;
    Calc_Material_Set(&a.set, 1);
    const std::string text = Written(a.set);
    EXPECT_EQ(text, "-1 0 1.000000 1.000000\n-3 -2 2 0 2200.000000\n");

    Set_DIN1045_1_Edition(1);
    Owned_Set b;
    std::string rest;
    ASSERT_EQ(Read(text + "NEXT\n", b.set, &rest), 0);
    EXPECT_EQ(rest, "NEXT\n");  // the reader stops behind its own lines
    EXPECT_EQ(b.set.new_standard, 0);
    EXPECT_EQ(b.set.concrete[0].class_index, 2);
    EXPECT_EQ(b.set.steel[0].steel_index, 1);
    EXPECT_EQ(b.set.steel[1].steel_index, 2);
    EXPECT_EQ(Get_DIN1045_1_Edition(), 1);  // untouched by blocks before version 14

    // Without header: concrete 4, normal weight, the top steel a copy of the bottom one.
    ASSERT_EQ(Read("4 10\nNEXT\n", b.set, &rest), 0);
    EXPECT_EQ(rest, "NEXT\n");
    EXPECT_EQ(b.set.new_standard, 0);
    EXPECT_EQ(b.set.situation_code, 0);
    EXPECT_DOUBLE_EQ(b.set.gamma_s, 1.0);
    EXPECT_EQ(b.set.concrete[0].class_index, 4);
    EXPECT_DOUBLE_EQ(b.set.concrete[0].density, 2200.0);
    EXPECT_EQ(b.set.steel[1].steel_index, b.set.steel[0].steel_index);
}

TEST_F(MaterialFile, OlderLayouts)
{
    Owned_Set b;
    const Material_Set& s = b.set;
    // Version 2: law 1 with ratio 10 and the creep defaults.
    ASSERT_EQ(Read("-2 0 1.5 1.15\n-10 4 0 2200.0\n", b.set), 0);
    const double* creep = s.concrete[0].tension_values;
    EXPECT_EQ(s.law_choice, 1);
    EXPECT_DOUBLE_EQ(s.modular_ratio, 10.0);
    EXPECT_EQ(s.concrete[0].int_c, 1);
    EXPECT_EQ(creep[CREEP_INPUT_RH] + creep[CREEP_INPUT_T0] + creep[CREEP_INPUT_FACTOR], 79.0);
    EXPECT_EQ(s.steel[1].steel_index, 4);

    // Version 6: the free steel was number 9; the second steel's line is skipped.
    ASSERT_EQ(Read("-6 0 1.500000 1.150000 0 10.000000 0\n-10 -10 9 0 2200.000000\n 0.250000\n"
                   "400.000000 420.000000 30.000000 205000.000000\n1 2 3 4\n",
                   b.set),
              0);
    EXPECT_DOUBLE_EQ(s.concrete[0].creep_coeff, 0.25);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(s.steel[i].steel_index, STEEL_FREE) << i;
        EXPECT_NEAR(s.steel[i].fyk, 460.0, 1e-9) << i;  // fyd γs
        EXPECT_NEAR(s.steel[i].ftk, 483.0, 1e-9) << i;
        EXPECT_DOUBLE_EQ(s.steel[i].es, 205000.0) << i;
    }

    // Version 10: the free-concrete group for every concrete, alpha from the annex under
    // EN 1992-1-1, the second steel's line skipped.
    ASSERT_EQ(Read("-10 0 1.500000 1.150000 0 0.000000 0 0 1\n-10 -5 4 0 2200.000000\n"
                   " 0.500000 0 0 1 0.000000 50.000000 28.000000 1.000000 -0.300000 1200.000000\n"
                   "30.000000 0.850000 -2.000000 -3.500000 2.000000 32836.600000 2.900000\n"
                   "434.782609 456.521739 25.000000 200000.000000\n1 2 3 4\n",
                   b.set),
              0);
    EXPECT_EQ(s.en1992_1_1, 1);
    EXPECT_DOUBLE_EQ(s.concrete[0].shrink_strain, -0.3);
    EXPECT_DOUBLE_EQ(s.concrete[0].tension_values[CREEP_INPUT_AC], 1200.0);
    EXPECT_DOUBLE_EQ(s.concrete[0].value_2, 0.0);
    EXPECT_DOUBLE_EQ(s.concrete[0].alpha_cc, NAD_Get_EC2_Params()->alpha_cc);
    EXPECT_EQ(s.steel[1].steel_index, 4);

    // Version 13: the first steel's second strength (the second's is skipped) and the annex
    // stored with the block.
    Set_DIN1045_1_Edition(1);
    ASSERT_EQ(Read("-13 2 1.500000 1.150000 0 0.000000 0 0 1\n-10 -10 9 0 2200.000000\n"
                   " 0.000000 0 0 1 0.000000 50.000000 28.000000 1.000000 0.000000 0.000000 0.000000\n"
                   "30.000000 0.850000 -2.000000 -3.500000 2.000000 32836.600000 2.900000\n"
                   "434.782609 456.521739 25.000000 200000.000000\n1 2 3 4\n480.000000 999.000000\n"
                   "\n\nACTIV_NADNAME\n\xAE" "EC-Standardparameter\xAF\n",
                   b.set),
              0);
    EXPECT_STREQ(NAD_Get_Active_Name(), "EC-Standardparameter");
    EXPECT_EQ(Get_DIN1045_1_Edition(), 1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(s.steel[i].steel_index, STEEL_FREE) << i;
        EXPECT_DOUBLE_EQ(s.steel[i].fyk_c, 480.0) << i;
    }
}

TEST_F(MaterialFile, VersionDependentRules)
{
    Owned_Set a;
    Fill_Full_Set(a.set);
    a.set.steel[0].steel_index = 9;  // B600A, the free steel of blocks before version 19
    Calc_Material_Set(&a.set, 1);
    const std::string block = Written(a.set);

    Owned_Set b;
    ASSERT_EQ(Read(block, b.set), 0);
    EXPECT_EQ(b.set.steel[0].steel_index, 9);
    EXPECT_DOUBLE_EQ(b.set.concrete[0].alpha_cc, 0.9);
    ASSERT_EQ(Read(With_Header(block, 19), b.set), 0);
    EXPECT_EQ(b.set.steel[0].steel_index, 9);
    EXPECT_DOUBLE_EQ(b.set.concrete[0].value_2, 0.0);  // from the annex under EN 1992-1-1
    EXPECT_DOUBLE_EQ(b.set.concrete[0].alpha_cc, NAD_Get_EC2_Params()->alpha_cc);
    ASSERT_EQ(Read(With_Header(block, 18), b.set), 0);
    EXPECT_EQ(b.set.steel[0].steel_index, STEEL_FREE);
    EXPECT_NEAR(b.set.steel[0].fyk, 600.0, 1e-5);
}

TEST_F(MaterialFile, NewerBlocksAreRefused)
{
    Owned_Set a;
    Fill_Full_Set(a.set);
    const std::string block = Written(a.set);

    Owned_Set b;
    EXPECT_EQ(Read(With_Header(block, 21), b.set), 1);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, kNewerMessage);
    EXPECT_EQ(b.set.concrete[0].class_index, 0);  // nothing of the block taken
    Clear_Shown_Messages();
    refresh_mode = 1;  // refused without a word
    EXPECT_EQ(Read(With_Header(block, 21), b.set), 1);
    EXPECT_TRUE(Shown_Messages().empty());
    refresh_mode = 0;

    // Versions from 9999 on are never newer.
    for (const std::string header : {"-9999", "-2147483647", "-2147483648"}) {
        ASSERT_EQ(Read(header + block.substr(block.find(' ')), b.set), 0) << header;
        EXPECT_DOUBLE_EQ(b.set.concrete[0].alpha_cc, 0.9);
    }
    EXPECT_TRUE(Shown_Messages().empty());
}

TEST_F(MaterialFile, FailuresAreReported)
{
    Owned_Set b;
    for (const char* bad : {"", "-20 2 1.5", "-20 2 1.5 1.15 0 0.0 0 0 1 0 0 0\n-10 -5 4 0 2200.0\n 0.0 0 0"})
        EXPECT_EQ(Read(bad, b.set), 1) << bad;

    Owned_Set a;
    Fill_Full_Set(a.set);
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("ro.txt"), ""));
    FILE* read_only = std::fopen(dir.file("ro.txt").c_str(), "r");
    ASSERT_NE(read_only, nullptr);
    EXPECT_EQ(Write_Material_Set(read_only, &a.set), 1);
    std::fclose(read_only);
    Owned_Set empty;
    File_Stream out;
    EXPECT_EQ(Write_Material_Set(out.get(), &empty.set), 1);  // no concrete record
    EXPECT_EQ(Write_Material_Set(nullptr, &a.set), 1);
}

TEST(MasonryFile, RoundTripAndRefusals)
{
    Masonry_Record a;
    ASSERT_EQ(Reset_Masonry_Record(&a), 0);
    a.user_defined = 1, a.strength_class = 5, a.mortar_group = 3, a.unit_material = 2;
    a.gamma_M0 = 1.5, a.reduction_factor = 0.85, a.k0 = 1.25;
    a.fk = 5.2, a.E_M = 5200.0, a.fbk = 12.0, a.fbt = 0.4, a.fvk0 = 0.22;
    File_Stream out;
    ASSERT_EQ(Write_Masonry_Record(out.get(), &a), 0);
    const std::string text = out.bytes();
    EXPECT_EQ(text, " 0\n 5 3\n 1.250000 1.500000 5.200000 0.850000 5200.000000 12.000000 0.400000 0.220000\n 1\n");

    Masonry_Record b;
    File_Stream in(text), again;
    ASSERT_EQ(Read_Masonry_Record(in.get(), &b), 0);
    EXPECT_EQ(b.unit_material, 0);  // not stored: back at its reset value
    ASSERT_EQ(Write_Masonry_Record(again.get(), &b), 0);
    EXPECT_EQ(again.bytes(), text);

    // Newer version, short block, user-defined strength missing.
    for (const char* bad : {" 1\n 5 3\n 1 1 1 1 1 1 1 1\n 1\n", " 0\n 5 3\n 1 1 1\n", " 0\n 5 3\n 1 1 0 1 1 1 1 1\n 1\n"}) {
        File_Stream bad_in(bad);
        EXPECT_EQ(Read_Masonry_Record(bad_in.get(), &b), 1) << bad;
    }
}

}  // namespace
