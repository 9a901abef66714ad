#include "annex/nad_ec2.h"

#include "annex/nad_sections.h"
#include "test_support.h"
#include "written_text.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Written(const NAD_EC2_Params& params)
{
    return Text_Of(NAD_EC2_Write, params);
}

NAD_EC2_Params Read_From(const std::string& bytes)
{
    NAD_EC2_Params params;
    std::memset(&params, 0x5A, sizeof params); // garbage: the reader must fill everything
    File_Stream file(bytes);
    NAD_EC2_Read(file.get(), &params);
    return params;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

std::string Join(const std::vector<std::string>& words)
{
    std::string line;
    for (const std::string& word : words) line += " " + word;
    return line + "\n";
}

// A section whose every written double differs from the others and from the defaults, so
// that a value read from the wrong place shows.
std::string Distinct_Section(int na_de_flag = 0)
{
    NAD_EC2_Params params;
    NAD_EC2_Defaults(&params);
    params.na_de_flag = na_de_flag;
    std::vector<std::string> lines = Lines(Written(params));
    int n = 0;
    for (std::string& line : lines) {
        std::vector<std::string> words = Words(line);
        for (std::string& word : words) {
            if (word.find('.') == std::string::npos) continue; // the integers stay
            char value[32];
            std::snprintf(value, sizeof value, "%.6f", 3.0 + ++n / 1000.0);
            word = value;
        }
        line = Join(words);
    }
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

// The section of an older (or newer) version cut from a section written today.
std::string As_Version(const std::string& written, int v)
{
    std::vector<std::string> lines = Lines(written);
    std::vector<std::string> last = Words(lines[29]); // theta_0_denominator, gamma_M_fi
    auto line = [&](int number) { return lines[number - 1] + "\n"; };
    std::string text;
    for (int i = 1; i <= 7; ++i) text += line(i);
    text += " " + std::to_string(v) + "\n";
    if (v >= 1) text += line(9);
    if (v >= 2) text += line(10);
    if (v >= 3) text += line(11);
    if (v == 19) text += " " + last[1] + "\n";
    if (v >= 4) text += line(12);
    if (v >= 5) text += line(13);
    if (v >= 6) text += line(14);
    if (v >= 7)
        for (int i = 15; i <= 19; ++i) text += line(i);
    for (int i = 20; i <= 24; ++i)
        if (v >= i - 12) text += line(i); // line 20 from version 8 on ... line 24 from 12 on
    if (v >= 15) text += line(25) + line(26);
    if (v >= 16) text += line(27);
    if (v >= 17) text += line(28) + line(29);
    if (v >= 18) text += " " + last[0];
    if (v >= 20) text += " " + last[1];
    if (v >= 18) text += "\n";
    return text;
}

} // namespace

TEST(NADEC2Defaults, NormCodesChooseEurocodeOrDinValues)
{
    NAD_EC2_Params ec;
    NAD_EC2_Defaults(&ec);
    EXPECT_STREQ(ec.situation_name[3], "au\xE1" "ergew\x94" "hnlich");
    for (int code : {4, 21}) {
        NAD_EC2_Params p;
        std::memset(&p, 0x77, sizeof p);
        NAD_EC2_Defaults_For_Norm(code, &p);
        EXPECT_EQ(Written(p), Written(ec)) << code;
    }

    // Every other code: the DIN values; the fields without a DIN value stay as they were,
    // and the joint roughness follows the edition of DIN 1045-1.
    NAD_EC2_Params din;
    std::memset(&din, 0, sizeof din);
    din.r_sup_pre = 1.07;
    din.bridge_k3_stress = 0.7;
    din.bridge_nu_1_form = 1;
    const int old_edition = Get_DIN1045_1_Edition();
    Set_DIN1045_1_Edition(1);
    NAD_EC2_Defaults_For_Norm(1, &din);
    EXPECT_DOUBLE_EQ(din.r_sup_pre, 1.07);
    EXPECT_DOUBLE_EQ(din.r_inf_post, 0.0);
    EXPECT_DOUBLE_EQ(din.bridge_k3_stress, 0.7);
    EXPECT_EQ(din.bridge_nu_1_form, 1);
    EXPECT_DOUBLE_EQ(din.bridge_cot_theta_min, 0.5773503);
    EXPECT_STREQ(din.situation_name[1], "Erm\x81" "dung");
    EXPECT_EQ(std::vector<double>(din.roughness_c, din.roughness_c + 4), (std::vector<double>{2.4, 2.0, 1.4, 0.0}));
    EXPECT_DOUBLE_EQ(din.roughness_nu[1], 0.75);

    Set_DIN1045_1_Edition(0);
    NAD_EC2_Defaults_For_Norm(1, &din);
    Set_DIN1045_1_Edition(old_edition);
    EXPECT_EQ(std::vector<double>(din.roughness_c, din.roughness_c + 4), (std::vector<double>{0.5, 0.4, 0.2, 0.0}));
    EXPECT_EQ(std::vector<double>(din.roughness_nu, din.roughness_nu + 4), (std::vector<double>{0.7, 0.5, 0.2, 0.0}));
}

// Every single value of both built-in variants, field by field: the Eurocode recommended
// value and the value of DIN 1045-1 (and the older standards); "unchanged" fields of the
// DIN variant keep what the record held.
TEST(NADEC2Defaults, EveryValueOfTheEurocodeAndTheDinColumn)
{
    using P = NAD_EC2_Params;
    struct Row {
        double P::*field;
        double ec, din;
    };
    const double kept = -7.5;  // what an "unchanged" field held before
    const Row rows[] = {
        {&P::gamma_c_sls, 1.0, 1.0}, {&P::gamma_s_sls, 1.0, 1.0}, {&P::delta_c_dev, 1.0, 1.5},
        {&P::delta_c_dur_st, 0, 0}, {&P::delta_c_dur_add, 0, 0}, {&P::alpha_cc, 1.0, 0.85},
        {&P::alpha_ct, 1.0, 1.0}, {&P::alpha_cc_pl, 0.8, 0.85}, {&P::alpha_ct_pl, 0.8, 1.0},
        {&P::alpha_lcc, 0.85, 0.75}, {&P::alpha_lct, 0.85, 1.0}, {&P::gamma_cE, 1.2, 1.5},
        {&P::as_min_beam_factor, 0.26, 1.0}, {&P::as_min_column_factor, 0.1, 0.15},
        {&P::as_vmin_wall_factor, 0.002, 0.0015}, {&P::as_min_beam_floor, 0.0013, 0},
        {&P::as_min_column_floor, 0.002, 0}, {&P::k1_redistribution, 0.44, 0.64},
        {&P::k2_redistribution, 1.25, 0.8}, {&P::k3_redistribution, 0.54, 0.72},
        {&P::k4_redistribution, 1.25, 0.8}, {&P::k5_redistribution, 0.7, 0.7},
        {&P::k6_redistribution, 0.8, 0.85}, {&P::extra_value_c, 0.7, 0.8}, {&P::c_rd_c, 0.18, 0.15},
        {&P::v_min_factor, 0.0525, 0}, {&P::k1_shear, 0.15, 0.12}, {&P::nu_v, 0.6, 0.75},
        {&P::nu_t, 0.6, 0.75}, {&P::c_lrd_c, 0.15, 0.15}, {&P::v_l_min_factor, 0.042, 0},
        {&P::k_l1, 0.15, 0.12}, {&P::nu_l, 0.5, 0.75}, {&P::nu_l_torsion, 0.5, 0.75},
        {&P::cot_theta_min, 1.0, 0.5773503}, {&P::cot_theta_max, 2.5, 3.0}, {&P::nu_1, 0.6, 0.75},
        {&P::nu_1l, 0.5, 0.75}, {&P::alpha_cw, 1.0, 1.0}, {&P::k_flange, 0.4, 0},
        {&P::rho_w_min_factor, 0.08, 0.16}, {&P::cot_theta_f_tension, 1.0, 1.0},
        {&P::cot_theta_f_compression, 1.2, 1.2}, {&P::k_p, 1.5, 1.0}, {&P::k3_crack, 3.4, 0},
        {&P::k4_crack, 0.425, 1.0 / 3.6}, {&P::k1_fatigue, 0.85, 1.0}, {&P::gamma_F_fat, 1.0, 1.0},
        {&P::k1_bar_spacing, 1.0, 1.0}, {&P::beta_1, 0.15, 0.25}, {&P::beta_2, 0.25, 0.25},
        {&P::theta_0_denominator, 200, 200}, {&P::gamma_M_fi, 1.0, 1.0},
        {&P::conductivity_factor, 0.5, 0}, {&P::k_hsc_section, 1.1, 1.0}, {&P::k_m_hsc, 0.95, 1.0},
        {&P::lambda_lim_factor, 10.78, 16.0}, {&P::bridge_alpha_cc, 0.85, 0.85},
        {&P::bridge_alpha_ct, 1.0, 1.0}, {&P::bridge_c_rd_c, 0.18, 0.15},
        {&P::bridge_v_min_factor, 0.0525, 0}, {&P::bridge_k1_shear, 0.15, 0.12},
        {&P::bridge_cot_theta_min, 1.0, 0.5773503}, {&P::bridge_cot_theta_max, 2.5, 3.0},
        {&P::bridge_alpha_cw, 1.0, 1.0}, {&P::bridge_nu_1, 0.6, 0.75}, {&P::bridge_k1_fatigue, 0.85, 1.0},
        {&P::bridge_k1_stress, 0.6, kept}, {&P::bridge_k2_stress, 0.45, kept},
        {&P::bridge_k3_stress, 0.8, kept}, {&P::bridge_k4_stress, 1.0, kept},
        {&P::bridge_k5_stress, 0.65, kept}, {&P::bridge_as_min_column_factor, 0.1, 0.15},
        {&P::bridge_as_min_column_floor, 0.002, 0}, {&P::r_sup_pre, 1.05, kept},
        {&P::r_sup_post, 1.1, kept}, {&P::r_inf_pre, 0.95, kept}, {&P::r_inf_post, 0.9, kept},
        {&P::extra_value_a, 0, 0}, {&P::extra_value_b, 0, 0},
    };
    struct Int_Row {
        int P::*field;
        int ec, din;
    };
    const int kept_int = 7;
    const Int_Row int_rows[] = {
        {&P::na_de_flag, 0, 0}, {&P::version, 20, 20}, {&P::as_min_beam_form, 2, 2},
        {&P::as_min_column_form, 2, 2}, {&P::as_vmin_wall_form, 2, 2}, {&P::k2_form, 2, 1},
        {&P::k4_form, 2, 1}, {&P::v_min_form, 2, 2}, {&P::nu_v_form, 2, 2}, {&P::v_l_min_form, 2, 2},
        {&P::nu_l_form, 2, 2}, {&P::nu_1_form, 2, 2}, {&P::nu_1l_form, 2, 2}, {&P::rho_w_min_form, 2, 2},
        {&P::conductivity_form, 1, 1}, {&P::fire_steel_class, 0, 0}, {&P::hsc_fire_class, 1, 1},
        {&P::lambda_lim_form, 2, 2}, {&P::bridge_as_min_column_form, 2, kept_int},
        {&P::bridge_v_min_form, 2, kept_int}, {&P::bridge_nu_1_form, 2, kept_int}, {&P::aux_choice, 0, 0},
    };
    const double ec_c_min[12] = {0, 1.0, 1.5, 2.5, 2.5, 3.0, 3.5, 4.0, 4.5, 3.5, 4.0, 4.5};
    const double din_c_min[12] = {0, 0, 1.0, 2.0, 2.0, 2.5, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0};
    const double din_gamma_el[12] = {0, 0, 0, 0, 0, 0, 1.0, 0.5, 0, 1.0, 0.5, 0};
    const double ec_k[5] = {1.0, 1.3, 1.5, 1.2, 0.4}, din_k[5] = {1.0, 0.8, 0.6, 0.7, 2.4};
    const double ec_c[4] = {0.5, 0.4, 0.2, 0.05}, ec_mu[4] = {0.9, 0.7, 0.6, 0.5};
    const char* const names[12] = {"---", "X0 ", "XC1", "XC2", "XC3", "XC4", "XD1", "XD2", "XD3", "XS1", "XS2", "XS3"};

    NAD_EC2_Params ec;
    std::memset(&ec, 0x55, sizeof ec);
    NAD_EC2_Defaults(&ec);
    NAD_EC2_Params din;
    std::memset(&din, 0, sizeof din);
    for (const Row& r : rows) din.*r.field = kept;
    for (const Int_Row& r : int_rows) din.*r.field = kept_int;
    NAD_EC2_Defaults_For_Norm(1, &din);
    for (const Row& r : rows) {
        const size_t at = reinterpret_cast<const char*>(&(ec.*r.field)) - reinterpret_cast<const char*>(&ec);
        EXPECT_DOUBLE_EQ(ec.*r.field, r.ec) << "field at byte " << at;
        EXPECT_DOUBLE_EQ(din.*r.field, r.din) << "field at byte " << at;
    }
    for (const Int_Row& r : int_rows) {
        const size_t at = reinterpret_cast<const char*>(&(ec.*r.field)) - reinterpret_cast<const char*>(&ec);
        EXPECT_EQ(ec.*r.field, r.ec) << "field at byte " << at;
        EXPECT_EQ(din.*r.field, r.din) << "field at byte " << at;
    }
    for (int i = 0; i < 12; ++i) {
        EXPECT_DOUBLE_EQ(ec.c_min_dur[i], ec_c_min[i]) << i;
        EXPECT_DOUBLE_EQ(ec.delta_c_dur_gamma[i], 0.0) << i;
        EXPECT_DOUBLE_EQ(din.c_min_dur[i], din_c_min[i]) << i;
        EXPECT_DOUBLE_EQ(din.delta_c_dur_gamma[i], din_gamma_el[i]) << i;
        EXPECT_STREQ(ec.exposure_class_name[i], names[i]);
        EXPECT_STREQ(din.exposure_class_name[i], names[i]);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(ec.gamma_c[i], i < 3 ? 1.5 : 1.2) << i;
        EXPECT_DOUBLE_EQ(din.gamma_c[i], i < 3 ? 1.5 : 1.3) << i;
        EXPECT_DOUBLE_EQ(ec.bridge_gamma_c[i], i < 3 ? 1.5 : 1.2) << i;
        EXPECT_DOUBLE_EQ(din.bridge_gamma_c[i], i < 3 ? 1.5 : 1.3) << i;
        for (const NAD_EC2_Params* p : {&ec, &din}) {
            EXPECT_DOUBLE_EQ(p->gamma_s[i], i < 3 ? 1.15 : 1.0) << i;
            EXPECT_DOUBLE_EQ(p->bridge_gamma_s[i], i < 3 ? 1.15 : 1.0) << i;
        }
        EXPECT_DOUBLE_EQ(ec.roughness_c[i], ec_c[i]) << i;
        EXPECT_DOUBLE_EQ(ec.roughness_mu[i], ec_mu[i]) << i;
        EXPECT_DOUBLE_EQ(ec.roughness_nu[i], 0.6) << i;
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(ec.k_system[i], ec_k[i]) << i;
        EXPECT_DOUBLE_EQ(din.k_system[i], din_k[i]) << i;
    }
    const char* const roughness[4] = {"verzahnt", "rau", "glatt", "sehr glatt"};
    const char* const situations[4] = {"st\x84" "ndig/ver\x84" "nderlich", "Erm\x81" "dung", "Erdbeben",
                                       "au\xE1" "ergew\x94" "hnlich"};
    for (int i = 0; i < 4; ++i)
        for (const NAD_EC2_Params* p : {&ec, &din}) {
            EXPECT_STREQ(p->roughness_name[i], roughness[i]);
            EXPECT_STREQ(p->situation_name[i], situations[i]);
        }
}

TEST(NADEC2Write, SectionOfTheEurocodeValues)
{
    NAD_EC2_Params ec;
    NAD_EC2_Defaults(&ec);
    EXPECT_EQ(Written(ec),
              " 2 2 2 2 2 2 2 2 2 1.000000 0.000000 0.000000 1.000000 1.000000\n"
              " 0.260000 0.080000 1.000000 1.200000 0.440000 1.250000 0.540000 1.250000\n"
              " 0.700000 0.800000 0.600000 0.180000 0.052500 0.150000 0.600000 0.150000 0.042000 0.150000\n"
              " 0.500000 1.000000 2.500000 0.000000 0.600000 1.000000 0.400000 0.850000 3.400000 0.425000\n"
              " 0.500000 0.900000 0.400000 0.700000 0.200000 0.600000 0.050000 0.500000\n"
              " 0.000000 1.000000 1.500000 2.500000 2.500000 3.000000 3.500000 4.000000 4.500000 3.500000 4.000000 4.500000\n"
              " 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000\n"
              " 20\n"
              " 2 0.500000 0.000000\n"
              " 2 0.100000 2 0.002000\n"
              " 1 0.500000 0\n"
              " 1.000000 1.300000 1.500000 1.200000 0.400000\n"
              " 1.000000 0.800000 0.800000\n"
              " 1.500000\n"
              " 0.150000 0.500000 1.000000 0.250000 1.000000 1.000000 0.002000 0.001300\n"
              " 1.500000 1.150000 1.500000 1.150000 1.500000 1.150000 1.200000 1.000000\n"
              " 0 0\n"
              " 0.600000 0.600000 0.600000 0.600000\n"
              " 0.850000 0.850000\n"
              " 1 1.100000\n"
              " 1.200000\n"
              " 0.950000\n"
              " 2 10.780000\n"
              " 0.700000\n"
              " 0.850000 1.000000 0.180000 0.052500 0.150000 1.000000 2.500000 1.000000 0.600000 0.850000 0.100000 0.002000\n"
              " 2 2 2\n"
              " 0.600000  0.450000  0.800000  1.000000 0.650000\n"
              " 1.500000 1.150000 1.500000 1.150000 1.500000 1.150000 1.200000 1.000000\n"
              " 1.050000 0.950000 1.100000 0.900000\n"
              " 200.000000 1.000000\n");
    NAD_EC2_Write(nullptr, &ec);
}

TEST(NADEC2Read, RoundTripKeepsEveryWrittenValue)
{
    const std::string section = Distinct_Section();
    const NAD_EC2_Params first = Read_From(section);
    EXPECT_EQ(first.version, 20);
    // Only the fire material factor is forced to 1.0 on reading.
    std::vector<std::string> expected = Words(section);
    expected.back() = "1.000000";
    EXPECT_EQ(Words(Written(first)), expected);
    EXPECT_STREQ(first.roughness_name[1], "rau"); // names are not stored: the defaults'

    // CR LF files read the same.
    EXPECT_EQ(Words(Written(Read_From(To_CRLF(section)))), expected);

    // Six decimals: the DIN k4 comes back rounded; compare still sees the same record.
    NAD_EC2_Params din;
    NAD_EC2_Defaults_For_Norm(1, &din);
    din.na_de_flag = 1;
    din.gamma_M_fi = 1.3;
    din.k_hsc_section = din.k_m_hsc = 0.9; // under NA-DE read as 1.0 whatever the file holds
    const NAD_EC2_Params back = Read_From(Written(din));
    EXPECT_DOUBLE_EQ(back.k4_crack, 0.277778);
    EXPECT_DOUBLE_EQ(back.gamma_M_fi, 1.0);
    EXPECT_DOUBLE_EQ(back.k_hsc_section, 1.0);
    EXPECT_DOUBLE_EQ(back.k_m_hsc, 1.0);
    EXPECT_EQ(back.na_de_flag, 1);
    din.gamma_M_fi = din.k_hsc_section = din.k_m_hsc = 1.0;
    EXPECT_EQ(NAD_EC2_Compare(&back, &din), 0);
}

TEST(NADEC2Read, OlderVersionsAreReadAndCompleted)
{
    const std::string section = Distinct_Section();
    const NAD_EC2_Params full = Read_From(section);
    NAD_EC2_Params ec;
    NAD_EC2_Defaults(&ec);

    {   // Version 12 holds three foreign values that are passed over.
        std::vector<std::string> lines = Lines(As_Version(section, 12));
        std::vector<std::string> words = Words(lines[3]);
        words[3] = "Wort";
        lines[3] = Join(words);
        words = Words(lines[8]);
        words[2] = "x";
        lines[8] = Join(words);
        words = Words(lines[14]); // line 15 of the writer
        words[4] = "a";
        words[5] = "b";
        lines[14] = Join(words);
        std::string text;
        for (const std::string& line : lines) text += line.back() == '\n' ? line : line + "\n";
        const NAD_EC2_Params p = Read_From(text);
        EXPECT_EQ(p.version, 12);
        EXPECT_EQ(p.extra_value_b, 0.0);
        EXPECT_EQ(p.extra_value_a, 0.0);
        EXPECT_DOUBLE_EQ(p.nu_1l, full.nu_1l);
        EXPECT_DOUBLE_EQ(p.gamma_c_sls, 1.0);
        EXPECT_DOUBLE_EQ(p.as_min_beam_floor, full.as_min_beam_floor);
        EXPECT_DOUBLE_EQ(p.extra_value_c, full.extra_value_c);
        EXPECT_DOUBLE_EQ(p.bridge_alpha_cc, ec.bridge_alpha_cc); // not in version 12
        EXPECT_DOUBLE_EQ(p.r_sup_post, 1.0);                     // completion without NA-DE
    }
    // Every version from 0 to the current one: each group is read from the version that
    // brought it, and earlier versions keep the defaults or their completions instead.
    for (int v = 0; v <= 20; ++v) {
        SCOPED_TRACE(v);
        const NAD_EC2_Params p = Read_From(As_Version(section, v));
        EXPECT_EQ(p.version, v);
        EXPECT_DOUBLE_EQ(p.delta_c_dur_gamma[11], full.delta_c_dur_gamma[11]);  // lines 1 to 8
        EXPECT_EQ(p.extra_value_b == full.extra_value_b, v != 12);
        EXPECT_EQ(p.nu_1l == full.nu_1l, v >= 1);
        EXPECT_EQ(p.extra_value_a == full.extra_value_a, v >= 1 && v != 12);
        EXPECT_EQ(p.as_min_column_factor == full.as_min_column_factor, v >= 2);
        EXPECT_EQ(p.conductivity_factor == full.conductivity_factor, v >= 3);
        EXPECT_EQ(p.k_system[4] == full.k_system[4], v >= 4);
        EXPECT_EQ(p.alpha_ct_pl == full.alpha_ct_pl, v >= 5);
        EXPECT_EQ(p.k_p == full.k_p, v >= 6);
        EXPECT_EQ(p.beta_2 == full.beta_2 && p.alpha_lct == full.alpha_lct, v >= 7);
        EXPECT_DOUBLE_EQ(p.v_min_factor, v >= 7 ? full.v_min_factor : 1.5 * full.v_min_factor);
        EXPECT_DOUBLE_EQ(p.nu_t, v >= 7 ? full.nu_t : full.nu_v);
        EXPECT_EQ(p.gamma_c_sls, v >= 14 ? full.gamma_c_sls : 1.0);
        EXPECT_EQ(p.gamma_s_sls, v >= 14 ? full.gamma_s_sls : 1.0);
        EXPECT_EQ(p.hsc_fire_class == full.hsc_fire_class && p.k_hsc_section == full.k_hsc_section, v >= 8);
        EXPECT_EQ(p.gamma_cE == full.gamma_cE, v >= 9);
        EXPECT_EQ(p.k_m_hsc == full.k_m_hsc, v >= 10);
        EXPECT_EQ(p.lambda_lim_form == full.lambda_lim_form && p.lambda_lim_factor == full.lambda_lim_factor, v >= 11);
        EXPECT_EQ(p.extra_value_c == full.extra_value_c, v >= 12);
        EXPECT_EQ(p.bridge_as_min_column_floor == full.bridge_as_min_column_floor, v >= 15);
        EXPECT_EQ(p.bridge_k5_stress == full.bridge_k5_stress, v >= 16);
        EXPECT_EQ(p.r_inf_post, v >= 17 ? full.r_inf_post : 1.0);
        EXPECT_EQ(p.theta_0_denominator == full.theta_0_denominator, v >= 18);
    }
    {   // Version 19 carries the fire material factor behind line 11.
        const NAD_EC2_Params p = Read_From(As_Version(section, 19));
        EXPECT_EQ(p.version, 19);
        for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(p.k_system[i], full.k_system[i]);
        EXPECT_DOUBLE_EQ(p.alpha_cc, full.alpha_cc);
        EXPECT_DOUBLE_EQ(p.theta_0_denominator, full.theta_0_denominator);
        EXPECT_DOUBLE_EQ(p.r_inf_post, full.r_inf_post);
    }
    {   // Version 3 held v_min without the division by gamma_c and no torsion values.
        const NAD_EC2_Params p = Read_From(As_Version(section, 3));
        EXPECT_EQ(p.version, 3);
        EXPECT_DOUBLE_EQ(p.v_min_factor, full.v_min_factor * 1.5);
        EXPECT_DOUBLE_EQ(p.nu_t, full.nu_v);
        EXPECT_DOUBLE_EQ(p.nu_l_torsion, full.nu_l);
        EXPECT_DOUBLE_EQ(p.conductivity_factor, full.conductivity_factor);
        EXPECT_DOUBLE_EQ(p.k_system[1], ec.k_system[1]);
        EXPECT_DOUBLE_EQ(p.bridge_gamma_c[3], 1.2);
        EXPECT_DOUBLE_EQ(p.r_sup_pre, 1.0);
    }
    const std::string german = Distinct_Section(1);
    {   // Versions up to 14 under NA-DE receive the German bridge values.
        const NAD_EC2_Params p = Read_From(As_Version(german, 14));
        EXPECT_EQ(p.na_de_flag, 1);
        EXPECT_DOUBLE_EQ(p.bridge_cot_theta_max, 1.75);
        EXPECT_DOUBLE_EQ(p.bridge_as_min_column_floor, 0.003);
        EXPECT_EQ(p.bridge_nu_1_form, 1);
        EXPECT_DOUBLE_EQ(p.bridge_k1_stress, 0.6);
        EXPECT_DOUBLE_EQ(p.bridge_gamma_c[3], 1.3);
        EXPECT_DOUBLE_EQ(p.r_sup_post, 1.1);
    }
    {   // Version 16 already holds the bridge values of 6.2 and 7.2.
        const NAD_EC2_Params g = Read_From(german);
        const NAD_EC2_Params p = Read_From(As_Version(german, 16));
        EXPECT_DOUBLE_EQ(p.bridge_cot_theta_max, g.bridge_cot_theta_max);
        EXPECT_DOUBLE_EQ(p.bridge_k1_stress, g.bridge_k1_stress);
        EXPECT_DOUBLE_EQ(p.gamma_c_sls, g.gamma_c_sls);
        EXPECT_DOUBLE_EQ(p.bridge_gamma_c[3], 1.3);
        EXPECT_DOUBLE_EQ(p.r_inf_pre, 0.95);
    }
    {   // A newer version is read as far as this one reaches; the rest stays unread.
        std::string text = As_Version(section, 23);
        File_Stream file(text + " 9.5 7.5\n");
        NAD_EC2_Params p;
        NAD_EC2_Read(file.get(), &p);
        EXPECT_EQ(p.version, 23);
        EXPECT_DOUBLE_EQ(p.theta_0_denominator, full.theta_0_denominator);
        double next = 0;
        EXPECT_EQ(std::fscanf(file.get(), "%lf", &next), 1);
        EXPECT_EQ(next, 9.5);
    }
}

TEST(NADEC2Read, DamagedSectionKeepsWhatWasReadAndIsReported)
{
    const std::string section = Distinct_Section();
    const NAD_EC2_Params full = Read_From(section);
    NAD_EC2_Params ec;
    NAD_EC2_Defaults(&ec);

    // Cut off behind line 7.
    std::string cut;
    for (int i = 0; i < 7; ++i) cut += Lines(section)[i] + "\n";
    NAD_Clear_Read_Failures();
    testing::internal::CaptureStdout();
    nad_trace = 1;
    const NAD_EC2_Params p = Read_From(cut);
    nad_trace = 0;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " EC2:              (failed)\n");
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC2");
    EXPECT_EQ(p.version, 20);
    EXPECT_DOUBLE_EQ(p.delta_c_dur_gamma[11], full.delta_c_dur_gamma[11]);
    EXPECT_DOUBLE_EQ(p.roughness_mu[2], full.roughness_mu[2]);
    EXPECT_DOUBLE_EQ(p.k4_crack, full.k4_crack);
    EXPECT_EQ(p.extra_value_b, 0.0);
    EXPECT_DOUBLE_EQ(p.gamma_c[3], ec.gamma_c[3]);
    EXPECT_DOUBLE_EQ(p.nu_1l, ec.nu_1l);

    // A sound section notes nothing and traces its version.
    NAD_Clear_Read_Failures();
    testing::internal::CaptureStdout();
    nad_trace = 1;
    Read_From(As_Version(section, 9));
    nad_trace = 0;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " EC2: version= 9  (ok)\n");
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);

    // The value after cot_theta_max: a word of up to 511 characters; a longer one is a
    // damaged section, as is one that is no number in a section that keeps it.
    auto with_word = [&](const std::string& word) {
        std::vector<std::string> lines = Lines(section);
        std::vector<std::string> words = Words(lines[3]);
        words[3] = word;
        lines[3] = Join(words);
        std::string text;
        for (const std::string& line : lines) text += line.back() == '\n' ? line : line + "\n";
        NAD_Clear_Read_Failures();
        return Read_From(text);
    };
    const NAD_EC2_Params longest = with_word("0." + std::string(509, '5'));
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    EXPECT_NEAR(longest.extra_value_b, 0.5555555, 1e-6);
    EXPECT_DOUBLE_EQ(longest.gamma_c[1], full.gamma_c[1]);

    const NAD_EC2_Params too_long = with_word("0." + std::string(510, '5'));
    EXPECT_EQ(NAD_Read_Failure_Count(), 1);
    EXPECT_DOUBLE_EQ(too_long.cot_theta_max, full.cot_theta_max);
    EXPECT_DOUBLE_EQ(too_long.nu_1, ec.nu_1);
    EXPECT_EQ(too_long.extra_value_b, 0.0);

    const NAD_EC2_Params no_number = with_word("Wort");
    EXPECT_EQ(NAD_Read_Failure_Count(), 1);
    EXPECT_EQ(no_number.version, 20);
    EXPECT_DOUBLE_EQ(no_number.delta_c_dur_gamma[0], full.delta_c_dur_gamma[0]);
    EXPECT_DOUBLE_EQ(no_number.nu_1l, ec.nu_1l);

    NAD_Clear_Read_Failures();
    NAD_EC2_Read(nullptr, &ec);
    NAD_EC2_Read(File_Stream(section).get(), nullptr);
}

TEST(NADEC2Read, DamagedSectionIsNormalisedAsASoundOne)
{
    // A German section cut behind line 20: k_hsc_section came from the file, k_m_hsc and
    // gamma_M_fi did not. Both German values and gamma_M_fi hold at once, so the record
    // does not change when it is saved and read again.
    const std::string section = Distinct_Section(1);
    std::string cut;
    for (int i = 0; i < 20; ++i) cut += Lines(section)[i] + "\n";
    NAD_Clear_Read_Failures();
    NAD_EC2_Params p = Read_From(cut);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC2");
    EXPECT_EQ(p.na_de_flag, 1);
    EXPECT_EQ(p.k_hsc_section, 1.0);
    EXPECT_EQ(p.k_m_hsc, 1.0);
    EXPECT_EQ(p.gamma_M_fi, 1.0);
    NAD_Clear_Read_Failures();
    const NAD_EC2_Params again = Read_From(Written(p));
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    EXPECT_EQ(NAD_EC2_Compare(&p, &again), 0);
    NAD_Clear_Read_Failures();
}

TEST(NADEC2Compare, ToleranceAndFieldsLeftOut)
{
    NAD_EC2_Params a;
    NAD_EC2_Defaults(&a);
    NAD_EC2_Params b = a;
    EXPECT_EQ(NAD_EC2_Compare(&a, &b), 0);

    b.k1_bar_spacing = 3.0;
    b.rho_w_min_factor = 0.5;
    b.extra_value_a = b.extra_value_b = 7.0;
    b.bridge_nu_1_form = 1;
    std::strcpy(b.roughness_name[0], "anders");
    EXPECT_EQ(NAD_EC2_Compare(&a, &b), 0);

    b.alpha_cc = a.alpha_cc + 0.00005;
    EXPECT_EQ(NAD_EC2_Compare(&a, &b), 0);
    b.alpha_cc = a.alpha_cc + 0.0002;
    EXPECT_EQ(NAD_EC2_Compare(&a, &b), 1);
    b.alpha_cc = a.alpha_cc;

    for (auto change : {+[](NAD_EC2_Params& p) { p.hsc_fire_class = 2; },
                        +[](NAD_EC2_Params& p) { p.bridge_gamma_s[2] = 1.0; },
                        +[](NAD_EC2_Params& p) { p.extra_value_c = 0.1; },
                        +[](NAD_EC2_Params& p) { p.bridge_as_min_column_floor = 0.1; }}) {
        NAD_EC2_Params c = a;
        change(c);
        EXPECT_EQ(NAD_EC2_Compare(&a, &c), 1);
        c.version = 0; // a record that was never filled matches anything
        EXPECT_EQ(NAD_EC2_Compare(&a, &c), 0);
    }
    EXPECT_EQ(NAD_EC2_Compare(&a, nullptr), 1);
    EXPECT_EQ(NAD_EC2_Compare(nullptr, &a), 1);
}

TEST(NADEC2Copy, DestinationKeepsVersionAndFileExtras)
{
    NAD_EC2_Params source;
    NAD_EC2_Defaults_For_Norm(1, &source);
    source.version = 12;
    source.extra_value_a = source.extra_value_b = 1.5;
    source.extra_value_c = 3.5;
    source.aux_choice = 2;
    // A name without its terminator is copied no further than its slot.
    std::memset(source.exposure_class_name[4], 'Z', sizeof source.exposure_class_name[4]);

    NAD_EC2_Params destination;
    NAD_EC2_Defaults(&destination);
    destination.extra_value_a = 0.25;
    NAD_EC2_Copy(&destination, &source);
    EXPECT_EQ(destination.version, 20);
    EXPECT_EQ(destination.extra_value_a, 0.25);
    EXPECT_EQ(destination.extra_value_b, 0.0);
    EXPECT_EQ(destination.extra_value_c, 3.5);
    EXPECT_EQ(destination.aux_choice, 2);
    EXPECT_STREQ(destination.exposure_class_name[4], "ZZZZ");
    EXPECT_DOUBLE_EQ(destination.k4_crack, source.k4_crack);

    const std::string before = Written(destination);
    NAD_EC2_Copy_Checked(&destination, nullptr);
    NAD_EC2_Copy_Checked(nullptr, &source);
    NAD_EC2_Copy_Checked(&destination, &destination);
    EXPECT_EQ(Written(destination), before);
}

TEST(NADEC2CheckModes, CountsAndRepairsChoicesOutOfRange)
{
    NAD_EC2_Params p;
    NAD_EC2_Defaults(&p);
    p.gamma_M_fi = 1.4;
    EXPECT_EQ(NAD_EC2_Check_Modes(&p, 0), 0);
    EXPECT_DOUBLE_EQ(p.gamma_M_fi, 1.0);
    EXPECT_DOUBLE_EQ(p.k_hsc_section, 1.1); // forced to 1.0 only under NA-DE

    p.k2_form = 0;
    p.bridge_v_min_form = -1;
    p.fire_steel_class = 2;
    p.hsc_fire_class = 4;
    p.aux_choice = 3;
    p.conductivity_form = 9; // not checked
    p.na_de_flag = 1;
    EXPECT_EQ(NAD_EC2_Check_Modes(&p, 0), 5);
    EXPECT_EQ(p.k2_form, 0);
    EXPECT_DOUBLE_EQ(p.k_m_hsc, 1.0);

    EXPECT_EQ(NAD_EC2_Check_Modes(&p, 1), 5);
    EXPECT_EQ(NAD_EC2_Check_Modes(&p, 1), 0);
    EXPECT_EQ(p.bridge_v_min_form, 2);
    EXPECT_EQ(p.hsc_fire_class, 1);
    EXPECT_EQ(p.aux_choice, 1);
    EXPECT_EQ(NAD_EC2_Check_Modes(nullptr, 1), 0);
}
