#include "annex/nad_ec2.h"

#include "annex/nad_sections.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

// Names are code page 850 bytes (0x84 a-umlaut, 0x81 u-umlaut, 0x94 o-umlaut, 0xE1 sharp s).
const char NAD_EC2_Static_System_Name[5][12] = {
    "Einfeld", "Endfeld", "Mittelfeld", "Flachdecke", ("Kragtr\x84" "ger")};

namespace {

const char* const situation_names[4] = {
    "st\x84" "ndig/ver\x84" "nderlich", "Erm\x81" "dung", "Erdbeben", "au\xE1" "ergew\x94" "hnlich"};

// The two variants carry the same names today; each keeps its own list so that one can
// change without the other.
const char* const ec_exposure_names[12] = {"---", "X0 ", "XC1", "XC2", "XC3", "XC4",
                                           "XD1", "XD2", "XD3", "XS1", "XS2", "XS3"};
const char* const din_exposure_names[12] = {"---", "X0 ", "XC1", "XC2", "XC3", "XC4",
                                            "XD1", "XD2", "XD3", "XS1", "XS2", "XS3"};

const double ec_c_min_dur[12] = {0, 1.0, 1.5, 2.5, 2.5, 3.0, 3.5, 4.0, 4.5, 3.5, 4.0, 4.5};
const double ec_delta_c_dur_gamma[12] = {};
const double din_c_min_dur[12] = {0, 0, 1.0, 2.0, 2.0, 2.5, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0};
const double din_delta_c_dur_gamma[12] = {0, 0, 0, 0, 0, 0, 1.0, 0.5, 0, 1.0, 0.5, 0};

const char* const roughness_names[4] = {"verzahnt", "rau", "glatt", "sehr glatt"};
const double ec_roughness_c[4] = {0.5, 0.4, 0.2, 0.05};
const double ec_roughness_mu[4] = {0.9, 0.7, 0.6, 0.5};
// DIN 1045-1 of July 2001 with corrigendum 2
const double din0701_roughness_c[4] = {2.4, 2.0, 1.4, 0.0};
const double din0701_roughness_mu[4] = {1.0, 0.7, 0.6, 0.5};
// DIN 1045-1 of August 2008
const double din0808_roughness_c[4] = {0.5, 0.4, 0.2, 0.0};
const double din0808_roughness_mu[4] = {0.9, 0.7, 0.6, 0.5};
const double din0808_roughness_nu[4] = {0.7, 0.5, 0.2, 0.0};

const double ec_k_system[5] = {1.0, 1.3, 1.5, 1.2, 0.4};
const double din_k_system[5] = {1.0, 0.8, 0.6, 0.7, 2.4};

const double ec_gamma_c[4] = {1.5, 1.5, 1.5, 1.2};
const double din_gamma_c[4] = {1.5, 1.5, 1.5, 1.3};
const double gamma_s_values[4] = {1.15, 1.15, 1.15, 1.0};

// The tables of one built-in variant; the roughness values are chosen apart (the DIN ones
// depend on the edition).
struct Variant_Tables {
    const char* const (&exposure_names)[12];
    const double (&c_min_dur)[12];
    const double (&delta_c_dur_gamma)[12];
    const double (&gamma_c)[4];
    const double (&k_system)[5];
};
const Variant_Tables ec_tables = {ec_exposure_names, ec_c_min_dur, ec_delta_c_dur_gamma, ec_gamma_c,
                                  ec_k_system};
const Variant_Tables din_tables = {din_exposure_names, din_c_min_dur, din_delta_c_dur_gamma, din_gamma_c,
                                   din_k_system};

// The single values of both built-in variants in the order of the record: the Eurocode
// recommended value and the DIN 1045-1 value. A field without a DIN value ("unchanged") is
// left as it is by the DIN variant.
constexpr std::nullopt_t unchanged = std::nullopt;

template <typename T>
struct Single_Default {
    T NAD_EC2_Params::*field;
    T ec;
    std::optional<T> din;
};

using P = NAD_EC2_Params;
const Single_Default<double> double_defaults[] = {
    {&P::gamma_c_sls, 1.0, 1.0},
    {&P::gamma_s_sls, 1.0, 1.0},
    {&P::delta_c_dev, 1.0, 1.5},
    {&P::delta_c_dur_st, 0, 0},
    {&P::delta_c_dur_add, 0, 0},
    {&P::alpha_cc, 1.0, 0.85},
    {&P::alpha_ct, 1.0, 1.0},
    {&P::alpha_cc_pl, 0.8, 0.85},
    {&P::alpha_ct_pl, 0.8, 1.0},
    {&P::alpha_lcc, 0.85, 0.75},
    {&P::alpha_lct, 0.85, 1.0},
    {&P::gamma_cE, 1.2, 1.5},
    {&P::as_min_beam_factor, 0.26, 1.0},
    {&P::as_min_column_factor, 0.1, 0.15},
    {&P::as_vmin_wall_factor, 0.002, 0.0015},
    {&P::as_min_beam_floor, 0.0013, 0},
    {&P::as_min_column_floor, 0.002, 0},
    {&P::k1_redistribution, 0.44, 0.64},
    {&P::k2_redistribution, 1.25, 0.8},
    {&P::k3_redistribution, 0.54, 0.72},
    {&P::k4_redistribution, 1.25, 0.8},
    {&P::k5_redistribution, 0.7, 0.7},
    {&P::k6_redistribution, 0.8, 0.85},
    {&P::extra_value_c, 0.7, 0.8},
    {&P::c_rd_c, 0.18, 0.15},
    {&P::v_min_factor, 0.0525, 0},
    {&P::k1_shear, 0.15, 0.12},
    {&P::nu_v, 0.6, 0.75},
    {&P::nu_t, 0.6, 0.75},
    {&P::c_lrd_c, 0.15, 0.15},
    {&P::v_l_min_factor, 0.042, 0},
    {&P::k_l1, 0.15, 0.12},
    {&P::nu_l, 0.5, 0.75},
    {&P::nu_l_torsion, 0.5, 0.75},
    {&P::cot_theta_min, 1.0, 0.5773503},
    {&P::cot_theta_max, 2.5, 3.0},
    {&P::nu_1, 0.6, 0.75},
    {&P::nu_1l, 0.5, 0.75},
    {&P::alpha_cw, 1.0, 1.0},
    {&P::k_flange, 0.4, 0},
    {&P::rho_w_min_factor, 0.08, 0.16},
    {&P::cot_theta_f_tension, 1.0, 1.0},
    {&P::cot_theta_f_compression, 1.2, 1.2},
    {&P::k_p, 1.5, 1.0},
    {&P::k3_crack, 3.4, 0},
    {&P::k4_crack, 0.425, 1.0 / 3.6},
    {&P::k1_fatigue, 0.85, 1.0},
    {&P::gamma_F_fat, 1.0, 1.0},
    {&P::k1_bar_spacing, 1.0, 1.0},
    {&P::beta_1, 0.15, 0.25},
    {&P::beta_2, 0.25, 0.25},
    {&P::theta_0_denominator, 200, 200},
    {&P::gamma_M_fi, 1.0, 1.0},
    {&P::conductivity_factor, 0.5, 0},
    {&P::k_hsc_section, 1.1, 1.0},
    {&P::k_m_hsc, 0.95, 1.0},
    {&P::lambda_lim_factor, 10.78, 16.0},
    {&P::bridge_alpha_cc, 0.85, 0.85},
    {&P::bridge_alpha_ct, 1.0, 1.0},
    {&P::bridge_c_rd_c, 0.18, 0.15},
    {&P::bridge_v_min_factor, 0.0525, 0},
    {&P::bridge_k1_shear, 0.15, 0.12},
    {&P::bridge_cot_theta_min, 1.0, 0.5773503},  // DIN: the value of cot_theta_min
    {&P::bridge_cot_theta_max, 2.5, 3.0},
    {&P::bridge_alpha_cw, 1.0, 1.0},
    {&P::bridge_nu_1, 0.6, 0.75},
    {&P::bridge_k1_fatigue, 0.85, 1.0},
    {&P::bridge_k1_stress, 0.6, unchanged},
    {&P::bridge_k2_stress, 0.45, unchanged},
    {&P::bridge_k3_stress, 0.8, unchanged},
    {&P::bridge_k4_stress, 1.0, unchanged},
    {&P::bridge_k5_stress, 0.65, unchanged},
    {&P::bridge_as_min_column_factor, 0.1, 0.15},
    {&P::bridge_as_min_column_floor, 0.002, 0},
    {&P::r_sup_pre, 1.05, unchanged},
    {&P::r_sup_post, 1.1, unchanged},
    {&P::r_inf_pre, 0.95, unchanged},
    {&P::r_inf_post, 0.9, unchanged},
};
const Single_Default<int> int_defaults[] = {
    {&P::as_min_beam_form, 2, 2},
    {&P::as_min_column_form, 2, 2},
    {&P::as_vmin_wall_form, 2, 2},
    {&P::k2_form, 2, 1},
    {&P::k4_form, 2, 1},
    {&P::v_min_form, 2, 2},
    {&P::nu_v_form, 2, 2},
    {&P::v_l_min_form, 2, 2},
    {&P::nu_l_form, 2, 2},
    {&P::nu_1_form, 2, 2},
    {&P::nu_1l_form, 2, 2},
    {&P::rho_w_min_form, 2, 2},
    {&P::conductivity_form, 1, 1},
    {&P::fire_steel_class, 0, 0},
    {&P::hsc_fire_class, 1, 1},
    {&P::lambda_lim_form, 2, 2},
    {&P::bridge_as_min_column_form, 2, unchanged},
    {&P::bridge_v_min_form, 2, unchanged},
    {&P::bridge_nu_1_form, 2, unchanged},
};

// Copies a name into its slot, never past the slot and always terminated.
template <size_t N>
void Copy_Name(char (&slot)[N], const char* name)
{
    std::memset(slot, 0, N);
    const size_t length = strnlen(name, N - 1);
    std::memcpy(slot, name, length);
}

template <size_t N>
void Copy_Values(double (&target)[N], const double (&source)[N])
{
    for (size_t i = 0; i < N; ++i) target[i] = source[i];
}

template <typename T, size_t N>
void Set_Single_Values(NAD_EC2_Params* p, const Single_Default<T> (&rows)[N], bool din)
{
    for (const Single_Default<T>& row : rows) {
        if (!din)
            p->*row.field = row.ec;
        else if (row.din)
            p->*row.field = *row.din;
    }
}

void Set_Common_Start(NAD_EC2_Params* p)
{
    p->na_de_flag = 0;
    p->extra_value_a = 0;
    p->extra_value_b = 0;
    p->aux_choice = 0;
    p->version = 20;
    for (int i = 0; i < 4; ++i) Copy_Name(p->situation_name[i], situation_names[i]);
}

// The joint roughness values; without nu values every nu is that of nu_v.
void Set_Roughness(NAD_EC2_Params* p, const double (&c)[4], const double (&mu)[4], const double (*nu)[4])
{
    Copy_Values(p->roughness_c, c);
    Copy_Values(p->roughness_mu, mu);
    if (nu)
        Copy_Values(p->roughness_nu, *nu);
    else
        for (double& value : p->roughness_nu) value = p->nu_v;
}

// The values of one built-in variant over the record: the Eurocode values (din false), or
// the DIN 1045-1 values, which leave the fields without a DIN value as they are.
void Set_Variant_Values(NAD_EC2_Params* p, bool din)
{
    const Variant_Tables& tables = din ? din_tables : ec_tables;
    for (int i = 0; i < 12; ++i) {
        Copy_Name(p->exposure_class_name[i], tables.exposure_names[i]);
        p->c_min_dur[i] = tables.c_min_dur[i];
        p->delta_c_dur_gamma[i] = tables.delta_c_dur_gamma[i];
    }
    for (int i = 0; i < 4; ++i) Copy_Name(p->roughness_name[i], roughness_names[i]);
    Copy_Values(p->gamma_c, tables.gamma_c);
    Copy_Values(p->gamma_s, gamma_s_values);
    Copy_Values(p->k_system, tables.k_system);
    Copy_Values(p->bridge_gamma_c, tables.gamma_c);
    Copy_Values(p->bridge_gamma_s, gamma_s_values);
    Set_Single_Values(p, double_defaults, din);
    Set_Single_Values(p, int_defaults, din);
    // After the single values: a roughness without nu values takes nu_v.
    if (!din)
        Set_Roughness(p, ec_roughness_c, ec_roughness_mu, nullptr);
    else if (Get_DIN1045_1_Edition() == 0)
        Set_Roughness(p, din0808_roughness_c, din0808_roughness_mu, &din0808_roughness_nu);
    else
        Set_Roughness(p, din0701_roughness_c, din0701_roughness_mu, nullptr);
}

// The EN 1992-2 values of the German annex that a section of an older version lacks: the
// values of 3.1.6, 6.2, 6.8.7 and 9.5.2 with their form flags before version 15, the stress
// factors of 7.2 before version 16, the partial factors and the prestress scatter before
// version 17 (version 0: all of them).
void Set_German_Bridge_Values(NAD_EC2_Params* p, int v)
{
    if (v <= 14) {
        p->bridge_alpha_cc = 0.85;
        p->bridge_alpha_ct = 1.0;
        p->bridge_c_rd_c = 0.15;
        p->bridge_v_min_factor = 0.0525;
        p->bridge_k1_shear = 0.12;
        p->bridge_cot_theta_min = 1.0;
        p->bridge_cot_theta_max = 1.75;
        p->bridge_alpha_cw = 1.0;
        p->bridge_nu_1 = 0.75;
        p->bridge_k1_fatigue = 1.0;
        p->bridge_as_min_column_factor = 0.15;
        p->bridge_as_min_column_floor = 0.003;
        p->bridge_as_min_column_form = 2;
        p->bridge_v_min_form = 2;
        p->bridge_nu_1_form = 1;
    }
    if (v <= 15) {
        p->bridge_k1_stress = 0.6;
        p->bridge_k2_stress = 0.45;
        p->bridge_k3_stress = 0.8;
        p->bridge_k4_stress = 1.0;
        p->bridge_k5_stress = 0.65;
    }
    if (v <= 16) {
        Copy_Values(p->bridge_gamma_c, din_gamma_c);
        Copy_Values(p->bridge_gamma_s, gamma_s_values);
        p->r_sup_pre = 1.05;
        p->r_sup_post = 1.1;
        p->r_inf_pre = 0.95;
        p->r_inf_post = 0.9;
    }
}

bool Differs(double a, double b)
{
    return std::fabs(a - b) > 0.0001;
}

template <size_t N>
bool Differs(const double (&a)[N], const double (&b)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (Differs(a[i], b[i])) return true;
    return false;
}

// Reads the values of a section one at a time. The first conversion that fails ends the
// reading; the values read before it stay in the record.
class Section_Reader {
public:
    explicit Section_Reader(FILE* stream) : stream_(stream) {}

    bool Int(int& value)
    {
        int read = 0;
        if (std::fscanf(stream_, "%d", &read) != 1) return false;
        value = read;
        return true;
    }
    bool Double(double& value)
    {
        double read = 0;
        if (std::fscanf(stream_, "%lf", &read) != 1) return false;
        value = read;
        return true;
    }
    template <size_t N>
    bool Doubles(double (&values)[N])
    {
        for (double& value : values)
            if (!Double(value)) return false;
        return true;
    }
    // The next blank-separated word. A word longer than the limit is a malformed section.
    bool Word(std::string& word, size_t limit)
    {
        word.clear();
        int c = Skip_Blanks();
        if (c == EOF) return false;
        while (c != EOF && !std::isspace(c)) {
            if (word.size() == limit) return false;
            word += static_cast<char>(c);
            c = std::getc(stream_);
        }
        if (c != EOF) std::ungetc(c, stream_);
        return true;
    }
    // Passes over the next blank-separated word, however long.
    bool Skip_Word()
    {
        int c = Skip_Blanks();
        if (c == EOF) return false;
        while (c != EOF && !std::isspace(c)) c = std::getc(stream_);
        if (c != EOF) std::ungetc(c, stream_);
        return true;
    }

private:
    int Skip_Blanks()
    {
        int c = std::getc(stream_);
        while (c != EOF && std::isspace(c)) c = std::getc(stream_);
        return c;
    }

    FILE* stream_;
};

// Longest word taken for the value stored after cot_theta_max.
constexpr size_t max_word_length = 511;

// Reads the section as far as its version reaches; the version read goes to *version.
// false as soon as a value cannot be read.
bool Read_Section(Section_Reader& in, NAD_EC2_Params* p, int& v)
{
    // line 1
    if (!in.Int(p->k2_form) || !in.Int(p->k4_form) || !in.Int(p->as_min_beam_form) ||
        !in.Int(p->v_min_form) || !in.Int(p->nu_v_form) || !in.Int(p->v_l_min_form) ||
        !in.Int(p->nu_l_form) || !in.Int(p->nu_1_form) || !in.Int(p->rho_w_min_form) ||
        !in.Double(p->delta_c_dev) || !in.Double(p->delta_c_dur_st) ||
        !in.Double(p->delta_c_dur_add) || !in.Double(p->gamma_F_fat) || !in.Double(p->alpha_ct))
        return false;
    // line 2
    if (!in.Double(p->as_min_beam_factor) || !in.Double(p->rho_w_min_factor) ||
        !in.Double(p->cot_theta_f_tension) || !in.Double(p->cot_theta_f_compression) ||
        !in.Double(p->k1_redistribution) || !in.Double(p->k2_redistribution) ||
        !in.Double(p->k3_redistribution) || !in.Double(p->k4_redistribution))
        return false;
    // line 3
    if (!in.Double(p->k5_redistribution) || !in.Double(p->k6_redistribution) ||
        !in.Double(p->nu_t) || !in.Double(p->c_rd_c) || !in.Double(p->v_min_factor) ||
        !in.Double(p->k1_shear) || !in.Double(p->nu_v) || !in.Double(p->c_lrd_c) ||
        !in.Double(p->v_l_min_factor) || !in.Double(p->k_l1))
        return false;
    // line 4; the value after cot_theta_max is kept as a word until the version tells
    // whether it belongs to the record
    std::string saved_word;
    if (!in.Double(p->nu_l) || !in.Double(p->cot_theta_min) || !in.Double(p->cot_theta_max) ||
        !in.Word(saved_word, max_word_length) || !in.Double(p->nu_1) ||
        !in.Double(p->alpha_cw) || !in.Double(p->k_flange) || !in.Double(p->k1_fatigue) ||
        !in.Double(p->k3_crack) || !in.Double(p->k4_crack))
        return false;
    // lines 5 to 8
    for (int i = 0; i < 4; ++i)
        if (!in.Double(p->roughness_c[i]) || !in.Double(p->roughness_mu[i])) return false;
    if (!in.Doubles(p->c_min_dur) || !in.Doubles(p->delta_c_dur_gamma)) return false;
    if (!in.Int(v)) return false;

    if (v != 12) {
        double value = 0;
        if (std::sscanf(saved_word.c_str(), "%lf", &value) != 1) return false;
        p->extra_value_b = value;
    }
    if (v >= 1) { // line 9
        if (!in.Int(p->nu_1l_form) || !in.Double(p->nu_1l)) return false;
        if (v == 12 ? !in.Skip_Word() : !in.Double(p->extra_value_a)) return false;
    }
    if (v >= 2) { // line 10
        if (!in.Int(p->as_min_column_form) || !in.Double(p->as_min_column_factor) ||
            !in.Int(p->as_vmin_wall_form) || !in.Double(p->as_vmin_wall_factor))
            return false;
    }
    if (v >= 3) { // line 11
        if (!in.Int(p->conductivity_form) || !in.Double(p->conductivity_factor) ||
            !in.Int(p->fire_steel_class))
            return false;
        // sections of version 19 carry the fire material factor here
        if (v == 19 && !in.Double(p->gamma_M_fi)) return false;
    }
    if (v >= 4 && !in.Doubles(p->k_system)) return false;
    if (v >= 5 && (!in.Double(p->alpha_cc) || !in.Double(p->alpha_cc_pl) || !in.Double(p->alpha_ct_pl)))
        return false;
    if (v >= 6 && !in.Double(p->k_p)) return false;
    if (v >= 7) {
        // line 15
        if (!in.Double(p->beta_1) || !in.Double(p->nu_l_torsion) ||
            !in.Double(p->k1_bar_spacing) || !in.Double(p->beta_2))
            return false;
        if (v == 12) {
            if (!in.Skip_Word() || !in.Skip_Word()) return false;
        } else {
            if (!in.Double(p->gamma_c_sls) || !in.Double(p->gamma_s_sls)) return false;
        }
        if (!in.Double(p->as_min_column_floor) || !in.Double(p->as_min_beam_floor)) return false;
        // lines 16 to 19
        for (int i = 0; i < 4; ++i)
            if (!in.Double(p->gamma_c[i]) || !in.Double(p->gamma_s[i])) return false;
        if (!in.Int(p->aux_choice) || !in.Int(p->na_de_flag)) return false;
        if (!in.Doubles(p->roughness_nu)) return false;
        if (!in.Double(p->alpha_lcc) || !in.Double(p->alpha_lct)) return false;
    }
    if (v >= 8 && (!in.Int(p->hsc_fire_class) || !in.Double(p->k_hsc_section))) return false;
    if (v >= 9 && !in.Double(p->gamma_cE)) return false;
    if (v >= 10 && !in.Double(p->k_m_hsc)) return false;
    if (v >= 11 && (!in.Int(p->lambda_lim_form) || !in.Double(p->lambda_lim_factor))) return false;
    if (v >= 12 && !in.Double(p->extra_value_c)) return false;
    if (v >= 15) {
        // lines 25 and 26
        if (!in.Double(p->bridge_alpha_cc) || !in.Double(p->bridge_alpha_ct) ||
            !in.Double(p->bridge_c_rd_c) || !in.Double(p->bridge_v_min_factor) ||
            !in.Double(p->bridge_k1_shear) || !in.Double(p->bridge_cot_theta_min) ||
            !in.Double(p->bridge_cot_theta_max) || !in.Double(p->bridge_alpha_cw) ||
            !in.Double(p->bridge_nu_1) || !in.Double(p->bridge_k1_fatigue) ||
            !in.Double(p->bridge_as_min_column_factor) ||
            !in.Double(p->bridge_as_min_column_floor))
            return false;
        if (!in.Int(p->bridge_as_min_column_form) || !in.Int(p->bridge_v_min_form) ||
            !in.Int(p->bridge_nu_1_form))
            return false;
    }
    if (v >= 16) {
        if (!in.Double(p->bridge_k1_stress) || !in.Double(p->bridge_k2_stress) ||
            !in.Double(p->bridge_k3_stress) || !in.Double(p->bridge_k4_stress) ||
            !in.Double(p->bridge_k5_stress))
            return false;
    }
    if (v >= 17) {
        // lines 28 and 29
        for (int i = 0; i < 4; ++i)
            if (!in.Double(p->bridge_gamma_c[i]) || !in.Double(p->bridge_gamma_s[i])) return false;
        if (!in.Double(p->r_sup_pre) || !in.Double(p->r_inf_pre) || !in.Double(p->r_sup_post) ||
            !in.Double(p->r_inf_post))
            return false;
    }
    if (v >= 18 && !in.Double(p->theta_0_denominator)) return false;
    if (v >= 20 && !in.Double(p->gamma_M_fi)) return false;
    return true;
}

// Brings a section of an older version up to what the newer ones hold.
void Complete_Older_Version(NAD_EC2_Params* p, int v)
{
    if (v <= 6) {
        // these sections hold v_min without the division by gamma_c
        p->v_min_factor *= 1.5;
        p->nu_t = p->nu_v;
        p->nu_l_torsion = p->nu_l;
    }
    if (v <= 13) {
        p->gamma_c_sls = 1.0;
        p->gamma_s_sls = 1.0;
    }
    if (v <= 16 && p->na_de_flag == 0) {
        Copy_Values(p->bridge_gamma_c, ec_gamma_c);
        Copy_Values(p->bridge_gamma_s, gamma_s_values);
        p->r_sup_pre = p->r_sup_post = p->r_inf_pre = p->r_inf_post = 1.0;
    }
    if (p->na_de_flag == 1) Set_German_Bridge_Values(p, v);
}

} // namespace

void NAD_EC2_Defaults(NAD_EC2_Params* p)
{
    if (!p) return;
    *p = NAD_EC2_Params{};
    Set_Common_Start(p);
    Set_Variant_Values(p, false);
}

void NAD_EC2_Defaults_For_Norm(int norm_code, NAD_EC2_Params* p)
{
    if (!p) return;
    Set_Common_Start(p);
    if (norm_code == 4 || norm_code == 21)
        NAD_EC2_Defaults(p);
    else
        Set_Variant_Values(p, true);
}

void NAD_EC2_Defaults_NA_DE(NAD_EC2_Params* p)
{
    if (!p) return;
    NAD_EC2_Defaults(p);  // the fields the DIN values leave as they are
    NAD_EC2_Defaults_For_Norm(1, p);
    p->na_de_flag = 1;
    Set_Roughness(p, din0808_roughness_c, din0808_roughness_mu, &din0808_roughness_nu);
    p->v_min_factor = 0.0525;
    p->cot_theta_min = 1.0;
    Set_German_Bridge_Values(p, 0);
}

void NAD_EC2_Copy(NAD_EC2_Params* d, const NAD_EC2_Params* s)
{
    if (!d || !s || d == s) return;
    const int version = d->version;
    const double extra_a = d->extra_value_a;
    const double extra_b = d->extra_value_b;
    // Every other field is copied; the names as terminated strings within their slots.
    *d = *s;
    d->version = version;
    d->extra_value_a = extra_a;
    d->extra_value_b = extra_b;
    for (int i = 0; i < 12; ++i) Copy_Name(d->exposure_class_name[i], s->exposure_class_name[i]);
    for (int i = 0; i < 4; ++i) Copy_Name(d->roughness_name[i], s->roughness_name[i]);
    for (int i = 0; i < 4; ++i) Copy_Name(d->situation_name[i], s->situation_name[i]);
}

void NAD_EC2_Copy_Checked(NAD_EC2_Params* destination, const NAD_EC2_Params* source)
{
    if (destination && source) NAD_EC2_Copy(destination, source);
}

void NAD_EC2_Set_NA_DE_Flag(NAD_EC2_Params* params, int flag)
{
    if (params) params->na_de_flag = flag;
}

int NAD_EC2_Compare(const NAD_EC2_Params* a, const NAD_EC2_Params* b)
{
    if (!a || !b) return 1;
    if (a->version < 1 || b->version < 1) return 0;
    if (a->na_de_flag != b->na_de_flag || a->aux_choice != b->aux_choice) return 1;
    // The form and choice ints compared (the three bridge form flags are not).
    using Int_Member = int NAD_EC2_Params::*;
    static const Int_Member ints[] = {
        &P::as_min_beam_form, &P::as_min_column_form, &P::as_vmin_wall_form, &P::k2_form,
        &P::k4_form, &P::v_min_form, &P::nu_v_form, &P::v_l_min_form, &P::nu_l_form, &P::nu_1_form,
        &P::nu_1l_form, &P::rho_w_min_form, &P::conductivity_form, &P::fire_steel_class,
        &P::hsc_fire_class, &P::lambda_lim_form};
    for (Int_Member m : ints)
        if (a->*m != b->*m) return 1;

    if (Differs(a->roughness_c, b->roughness_c) || Differs(a->roughness_mu, b->roughness_mu) ||
        Differs(a->roughness_nu, b->roughness_nu) || Differs(a->c_min_dur, b->c_min_dur) ||
        Differs(a->delta_c_dur_gamma, b->delta_c_dur_gamma) || Differs(a->k_system, b->k_system) ||
        Differs(a->gamma_c, b->gamma_c) || Differs(a->gamma_s, b->gamma_s) ||
        Differs(a->bridge_gamma_c, b->bridge_gamma_c) || Differs(a->bridge_gamma_s, b->bridge_gamma_s))
        return 1;

    // Member lists of the single values compared. Left out on purpose: rho_w_min_factor and
    // k1_bar_spacing.
    using Member = double NAD_EC2_Params::*;
    static const Member singles[] = {
        &NAD_EC2_Params::r_sup_pre, &NAD_EC2_Params::r_sup_post, &NAD_EC2_Params::r_inf_pre,
        &NAD_EC2_Params::r_inf_post,
        // gamma_c_sls .. k_flange
        &NAD_EC2_Params::gamma_c_sls, &NAD_EC2_Params::gamma_s_sls, &NAD_EC2_Params::delta_c_dev,
        &NAD_EC2_Params::delta_c_dur_st, &NAD_EC2_Params::delta_c_dur_add,
        &NAD_EC2_Params::alpha_cc, &NAD_EC2_Params::alpha_ct, &NAD_EC2_Params::alpha_cc_pl,
        &NAD_EC2_Params::alpha_ct_pl, &NAD_EC2_Params::alpha_lcc, &NAD_EC2_Params::alpha_lct,
        &NAD_EC2_Params::gamma_cE, &NAD_EC2_Params::as_min_beam_factor,
        &NAD_EC2_Params::as_min_column_factor, &NAD_EC2_Params::as_vmin_wall_factor,
        &NAD_EC2_Params::as_min_beam_floor, &NAD_EC2_Params::as_min_column_floor,
        &NAD_EC2_Params::k1_redistribution, &NAD_EC2_Params::k2_redistribution,
        &NAD_EC2_Params::k3_redistribution, &NAD_EC2_Params::k4_redistribution,
        &NAD_EC2_Params::k5_redistribution, &NAD_EC2_Params::k6_redistribution,
        &NAD_EC2_Params::extra_value_c, &NAD_EC2_Params::c_rd_c, &NAD_EC2_Params::v_min_factor,
        &NAD_EC2_Params::k1_shear, &NAD_EC2_Params::nu_v, &NAD_EC2_Params::nu_t,
        &NAD_EC2_Params::c_lrd_c, &NAD_EC2_Params::v_l_min_factor, &NAD_EC2_Params::k_l1,
        &NAD_EC2_Params::nu_l, &NAD_EC2_Params::nu_l_torsion, &NAD_EC2_Params::cot_theta_min,
        &NAD_EC2_Params::cot_theta_max, &NAD_EC2_Params::nu_1, &NAD_EC2_Params::nu_1l,
        &NAD_EC2_Params::alpha_cw, &NAD_EC2_Params::k_flange,
        // cot_theta_f_tension .. gamma_F_fat
        &NAD_EC2_Params::cot_theta_f_tension, &NAD_EC2_Params::cot_theta_f_compression,
        &NAD_EC2_Params::k_p, &NAD_EC2_Params::k3_crack, &NAD_EC2_Params::k4_crack,
        &NAD_EC2_Params::k1_fatigue, &NAD_EC2_Params::gamma_F_fat,
        // beta_1 .. lambda_lim_factor
        &NAD_EC2_Params::beta_1, &NAD_EC2_Params::beta_2, &NAD_EC2_Params::theta_0_denominator,
        &NAD_EC2_Params::gamma_M_fi, &NAD_EC2_Params::conductivity_factor,
        &NAD_EC2_Params::k_hsc_section, &NAD_EC2_Params::k_m_hsc,
        &NAD_EC2_Params::lambda_lim_factor,
        // bridge_alpha_cc .. bridge_as_min_column_floor
        &NAD_EC2_Params::bridge_alpha_cc, &NAD_EC2_Params::bridge_alpha_ct,
        &NAD_EC2_Params::bridge_c_rd_c, &NAD_EC2_Params::bridge_v_min_factor,
        &NAD_EC2_Params::bridge_k1_shear, &NAD_EC2_Params::bridge_cot_theta_min,
        &NAD_EC2_Params::bridge_cot_theta_max, &NAD_EC2_Params::bridge_alpha_cw,
        &NAD_EC2_Params::bridge_nu_1, &NAD_EC2_Params::bridge_k1_fatigue,
        &NAD_EC2_Params::bridge_k1_stress, &NAD_EC2_Params::bridge_k2_stress,
        &NAD_EC2_Params::bridge_k3_stress, &NAD_EC2_Params::bridge_k4_stress,
        &NAD_EC2_Params::bridge_k5_stress, &NAD_EC2_Params::bridge_as_min_column_factor,
        &NAD_EC2_Params::bridge_as_min_column_floor};
    for (Member m : singles)
        if (Differs(a->*m, b->*m)) return 1;
    return 0;
}

int NAD_EC2_Check_Modes(NAD_EC2_Params* p, int repair)
{
    if (!p) return 0;
    p->gamma_M_fi = 1.0;
    if (p->na_de_flag) {
        p->k_hsc_section = 1.0;
        p->k_m_hsc = 1.0;
    }
    int count = 0;
    int* const form_flags[] = {&p->as_min_beam_form, &p->as_min_column_form, &p->as_vmin_wall_form,
                               &p->k2_form, &p->k4_form, &p->v_min_form, &p->nu_v_form,
                               &p->v_l_min_form, &p->nu_l_form, &p->nu_1_form, &p->nu_1l_form,
                               &p->rho_w_min_form, &p->lambda_lim_form,
                               &p->bridge_as_min_column_form, &p->bridge_v_min_form,
                               &p->bridge_nu_1_form};
    for (int* flag : form_flags) {
        if (*flag < 1 || *flag > 2) {
            ++count;
            if (repair) *flag = 2;
        }
    }
    if (p->fire_steel_class < 0 || p->fire_steel_class > 1) {
        ++count;
        if (repair) p->fire_steel_class = 0;
    }
    if (p->hsc_fire_class < 1 || p->hsc_fire_class > 3) {
        ++count;
        if (repair) p->hsc_fire_class = 1;
    }
    if (p->aux_choice < 0 || p->aux_choice > 2) {
        ++count;
        if (repair) p->aux_choice = 1;
    }
    return count;
}

void NAD_EC2_Write(FILE* f, const NAD_EC2_Params* p)
{
    if (!f || !p) return;
    std::fprintf(f, " %d %d", p->k2_form, p->k4_form);
    std::fprintf(f, " %d %d", p->as_min_beam_form, p->v_min_form);
    std::fprintf(f, " %d %d", p->nu_v_form, p->v_l_min_form);
    std::fprintf(f, " %d %d", p->nu_l_form, p->nu_1_form);
    std::fprintf(f, " %d %lf", p->rho_w_min_form, p->delta_c_dev);
    std::fprintf(f, " %lf %lf", p->delta_c_dur_st, p->delta_c_dur_add);
    std::fprintf(f, " %lf %lf\n", p->gamma_F_fat, p->alpha_ct);

    std::fprintf(f, " %lf %lf", p->as_min_beam_factor, p->rho_w_min_factor);
    std::fprintf(f, " %lf %lf", p->cot_theta_f_tension, p->cot_theta_f_compression);
    std::fprintf(f, " %lf %lf", p->k1_redistribution, p->k2_redistribution);
    std::fprintf(f, " %lf %lf\n", p->k3_redistribution, p->k4_redistribution);

    std::fprintf(f, " %lf %lf", p->k5_redistribution, p->k6_redistribution);
    std::fprintf(f, " %lf %lf", p->nu_t, p->c_rd_c);
    std::fprintf(f, " %lf %lf", p->v_min_factor, p->k1_shear);
    std::fprintf(f, " %lf %lf", p->nu_v, p->c_lrd_c);
    std::fprintf(f, " %lf %lf\n", p->v_l_min_factor, p->k_l1);

    std::fprintf(f, " %lf %lf", p->nu_l, p->cot_theta_min);
    std::fprintf(f, " %lf %lf", p->cot_theta_max, p->extra_value_b);
    std::fprintf(f, " %lf %lf", p->nu_1, p->alpha_cw);
    std::fprintf(f, " %lf %lf", p->k_flange, p->k1_fatigue);
    std::fprintf(f, " %lf %lf\n", p->k3_crack, p->k4_crack);

    for (int i = 0; i < 4; ++i) std::fprintf(f, " %lf %lf", p->roughness_c[i], p->roughness_mu[i]);
    std::fprintf(f, "\n");
    for (double value : p->c_min_dur) std::fprintf(f, " %lf", value);
    std::fprintf(f, "\n");
    for (double value : p->delta_c_dur_gamma) std::fprintf(f, " %lf", value);
    std::fprintf(f, "\n");

    // Always the version of the layout written here, whatever version the record was read from.
    std::fprintf(f, " %d\n", 20);
    std::fprintf(f, " %d %lf %lf\n", p->nu_1l_form, p->nu_1l, p->extra_value_a);
    std::fprintf(f, " %d %lf %d %lf\n", p->as_min_column_form, p->as_min_column_factor,
                 p->as_vmin_wall_form, p->as_vmin_wall_factor);
    std::fprintf(f, " %d %lf %d\n", p->conductivity_form, p->conductivity_factor, p->fire_steel_class);
    for (double value : p->k_system) std::fprintf(f, " %lf", value);
    std::fprintf(f, "\n");
    std::fprintf(f, " %lf %lf %lf\n", p->alpha_cc, p->alpha_cc_pl, p->alpha_ct_pl);
    std::fprintf(f, " %lf\n", p->k_p);
    std::fprintf(f, " %lf %lf %lf %lf %lf %lf %lf %lf\n", p->beta_1, p->nu_l_torsion,
                 p->k1_bar_spacing, p->beta_2, p->gamma_c_sls, p->gamma_s_sls,
                 p->as_min_column_floor, p->as_min_beam_floor);
    for (int i = 0; i < 4; ++i) std::fprintf(f, " %lf %lf", p->gamma_c[i], p->gamma_s[i]);
    std::fprintf(f, "\n");
    std::fprintf(f, " %d %d\n", p->aux_choice, p->na_de_flag);
    for (double value : p->roughness_nu) std::fprintf(f, " %lf", value);
    std::fprintf(f, "\n");
    std::fprintf(f, " %lf %lf\n", p->alpha_lcc, p->alpha_lct);
    std::fprintf(f, " %d %lf\n", p->hsc_fire_class, p->k_hsc_section);
    std::fprintf(f, " %lf\n", p->gamma_cE);
    std::fprintf(f, " %lf\n", p->k_m_hsc);
    std::fprintf(f, " %d %lf\n", p->lambda_lim_form, p->lambda_lim_factor);
    std::fprintf(f, " %lf\n", p->extra_value_c);
    std::fprintf(f, " %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf\n", p->bridge_alpha_cc,
                 p->bridge_alpha_ct, p->bridge_c_rd_c, p->bridge_v_min_factor, p->bridge_k1_shear,
                 p->bridge_cot_theta_min, p->bridge_cot_theta_max, p->bridge_alpha_cw,
                 p->bridge_nu_1, p->bridge_k1_fatigue, p->bridge_as_min_column_factor,
                 p->bridge_as_min_column_floor);
    std::fprintf(f, " %d %d %d\n", p->bridge_as_min_column_form, p->bridge_v_min_form,
                 p->bridge_nu_1_form);
    std::fprintf(f, " %lf  %lf  %lf  %lf %lf\n", p->bridge_k1_stress, p->bridge_k2_stress,
                 p->bridge_k3_stress, p->bridge_k4_stress, p->bridge_k5_stress);
    for (int i = 0; i < 4; ++i) std::fprintf(f, " %lf %lf", p->bridge_gamma_c[i], p->bridge_gamma_s[i]);
    std::fprintf(f, "\n");
    std::fprintf(f, " %lf %lf", p->r_sup_pre, p->r_inf_pre);
    std::fprintf(f, " %lf %lf", p->r_sup_post, p->r_inf_post);
    std::fprintf(f, "\n");
    std::fprintf(f, " %lf", p->theta_0_denominator);
    std::fprintf(f, " %lf\n", p->gamma_M_fi);
}

void NAD_EC2_Read(FILE* stream, NAD_EC2_Params* p)
{
    if (!stream || !p) return;
    NAD_EC2_Defaults(p);
    Section_Reader in(stream);
    int v = 20;
    if (!Read_Section(in, p, v)) {
        // The values read so far stay, the defaults fill the rest; the version is left at
        // that of the defaults so the record never claims an older layout it did not finish.
        p->version = 20;
        // The fixed values hold after a damaged section as after a sound one, so that the
        // record does not change when it is saved and read again.
        NAD_EC2_Check_Modes(p, 0);
        if (nad_trace) std::printf(" EC2:              (failed)\n");
        NAD_Note_Read_Failure("EC2");
        return;
    }
    if (v < 17) Complete_Older_Version(p, v);
    p->version = v;
    NAD_EC2_Check_Modes(p, 0);
    if (nad_trace) std::printf(" EC2: version=%2d  (ok)\n", v);
}
