#pragma once
// Nationally determined parameters of EN 1992 (concrete: buildings, fire, bridges).
//
// One record is the EN 1992 part of every annex set; material sets keep private copies.
// Covers are in cm, minimum reinforcement results in cm^2, everything else is a factor.
// The name tables hold code page 850 bytes, each string ended by a zero byte in its slot.
#include <cstdio>

struct NAD_EC2_Params {
    int na_de_flag;                  // 1 = rules of the German national annex apply
    int version;                     // format version of the section
    char exposure_class_name[12][5];
    char roughness_name[4][11];
    char situation_name[4][21];      // index 0..3 of the situation arrays
    double c_min_dur[12];            // minimum cover for durability per exposure class [cm]
    double delta_c_dur_gamma[12];    // additive safety element per exposure class [cm]
    double gamma_c[4];               // concrete, per design situation
    double gamma_s[4];               // reinforcing steel, per design situation
    double gamma_c_sls;
    double gamma_s_sls;
    double delta_c_dev;              // [cm]
    double delta_c_dur_st;           // [cm]
    double delta_c_dur_add;          // [cm]
    double alpha_cc;
    double alpha_ct;
    double alpha_cc_pl;
    double alpha_ct_pl;
    double alpha_lcc;
    double alpha_lct;
    double gamma_cE;
    double as_min_beam_factor;
    double as_min_column_factor;
    double as_vmin_wall_factor;
    double as_min_beam_floor;
    double as_min_column_floor;
    double k1_redistribution;
    double k2_redistribution;
    double k3_redistribution;
    double k4_redistribution;
    double k5_redistribution;
    double k6_redistribution;
    double extra_value_c;
    double c_rd_c;
    double v_min_factor;
    double k1_shear;
    double nu_v;
    double nu_t;
    double c_lrd_c;
    double v_l_min_factor;
    double k_l1;
    double nu_l;
    double nu_l_torsion;
    double cot_theta_min;
    double cot_theta_max;
    double nu_1;
    double nu_1l;
    double alpha_cw;
    double k_flange;
    double roughness_c[4];
    double roughness_mu[4];
    double roughness_nu[4];
    double rho_w_min_factor;
    double cot_theta_f_tension;
    double cot_theta_f_compression;
    double k_p;
    double k3_crack;
    double k4_crack;
    double k1_fatigue;
    double gamma_F_fat;
    double k_system[5];              // Einfeld, Endfeld, Mittelfeld, Flachdecke, Kragtraeger
    double k1_bar_spacing;
    double beta_1;
    double beta_2;
    double theta_0_denominator;
    double gamma_M_fi;
    double conductivity_factor;
    double k_hsc_section;
    double k_m_hsc;
    double lambda_lim_factor;
    double bridge_gamma_c[4];
    double bridge_gamma_s[4];
    double bridge_alpha_cc;
    double bridge_alpha_ct;
    double bridge_c_rd_c;
    double bridge_v_min_factor;
    double bridge_k1_shear;
    double bridge_cot_theta_min;
    double bridge_cot_theta_max;
    double bridge_alpha_cw;
    double bridge_nu_1;
    double bridge_k1_fatigue;
    double bridge_k1_stress;
    double bridge_k2_stress;
    double bridge_k3_stress;
    double bridge_k4_stress;
    double bridge_k5_stress;
    double bridge_as_min_column_factor;
    double bridge_as_min_column_floor;
    double r_sup_pre;
    double r_sup_post;
    double r_inf_pre;
    double r_inf_post;
    // Form flags: 1 = plain value, 2 (or anything else on reading) = coefficient of the
    // function of its clause.
    int as_min_beam_form;
    int as_min_column_form;
    int as_vmin_wall_form;
    int k2_form;
    int k4_form;
    int v_min_form;
    int nu_v_form;
    int v_l_min_form;
    int nu_l_form;
    int nu_1_form;
    int nu_1l_form;
    int rho_w_min_form;
    int conductivity_form;           // 1 = lambda_c chosen in the design options, else function
    int fire_steel_class;            // 0 = class N, 1 = class X
    int hsc_fire_class;              // 1, 2 or 3
    int lambda_lim_form;
    int bridge_as_min_column_form;
    int bridge_v_min_form;
    int bridge_nu_1_form;
    double extra_value_a;            // stored after nu_1l in the file
    double extra_value_b;            // stored after cot_theta_max in the file
    int aux_choice;                  // 0, 1 or 2, stored with the NA-DE flag
};

// Names of the five static systems of k_system, code page 850.
extern const char NAD_EC2_Static_System_Name[5][12];

// The Eurocode recommended values; null: nothing happens.
void NAD_EC2_Defaults(NAD_EC2_Params* params);
// Norm_Code 4 (EN 1992-1-1) and 21 (EN 1992-2): the Eurocode values; every other code the
// values of DIN 1045-1 (roughness by the DIN 1045-1 edition switch). Null: nothing happens.
void NAD_EC2_Defaults_For_Norm(int norm_code, NAD_EC2_Params* params);
// The values of the German annex as the built-in annex "Deutschland" carries them: the
// DIN 1045-1 values (the joint roughness of the 2008 edition, whatever the edition switch),
// v_min 0.0525 and min cot theta 1.0, and the EN 1992-2 values of the German annex; NA-DE
// flag 1. Null: nothing happens.
void NAD_EC2_Defaults_NA_DE(NAD_EC2_Params* params);
// Copies field by field; version, extra_value_a and extra_value_b stay the destination's.
void NAD_EC2_Copy(NAD_EC2_Params* destination, const NAD_EC2_Params* source);
// As NAD_EC2_Copy when both are non-null; else nothing.
void NAD_EC2_Copy_Checked(NAD_EC2_Params* destination, const NAD_EC2_Params* source);
void NAD_EC2_Set_NA_DE_Flag(NAD_EC2_Params* params, int flag);
// 1 = different (or a null pointer), 0 = equal within 0.0001 (or a record never filled).
int NAD_EC2_Compare(const NAD_EC2_Params* a, const NAD_EC2_Params* b);
// Forces gamma_M_fi 1.0 (and the high-strength fire factors 1.0 under NA-DE), counts the
// choice fields out of range and repairs them when repair is non-zero. Null: 0.
int NAD_EC2_Check_Modes(NAD_EC2_Params* params, int repair);
// The body of the "#EC2" section of an annex file (LF line ends, "C" locale numbers).
void NAD_EC2_Write(FILE* stream, const NAD_EC2_Params* params);
// Fills the record from a section body: defaults first, then the file's values as far as
// its version reaches. A short or malformed section keeps the values read so far and the
// defaults for the rest, and is noted with NAD_Note_Read_Failure ("annex/nad_sections.h").
void NAD_EC2_Read(FILE* stream, NAD_EC2_Params* params);
