#pragma once
// What the shear and torsion design by the current standards works with while it runs:
// the rules of the set, the material values, the section values in mm and N, the strut
// angle and the web's resistance. Shared between the web design and the design of the
// flange connections and interfaces; not for other callers.
#include "section/section_checks.h"

struct Concrete_Record;
struct NAD_EC2_Params;

struct Shear_Design_Context {
    Calc_Work_Record& r;
    const Material_Set& set;
    const Concrete_Record& concrete;
    const NAD_EC2_Params& annex;

    // Rules, tested in the order ÖNORM B 4700, EN 1992-2, EN 1992-1-1, DIN 1045-1 (a set of
    // the 1988 standard is designed by DIN 1045-1 here).
    bool oenorm = false;
    bool eurocode = false;        // EN 1992-1-1 or EN 1992-2
    bool bridge = false;          // EN 1992-2
    bool din = false;             // DIN 1045-1, or the 1988 standard
    bool old_standard = false;    // DIN 1045 (1988)
    bool german = false;          // a Eurocode with the German annex
    bool german_or_din = false;
    bool din_2001 = false;        // DIN 1045-1 edition switch
    bool lightweight = false;

    double gamma_c = 1.0, gamma_s = 1.0;
    double fck = 0.0, fctm = 0.0, fcd = 0.0, eta1 = 1.0;
    double fctd = 0.0;            // design tensile strength by the norm [N/mm²]

    double fywd = 0.0, fyk = 0.0; // shear reinforcement [N/mm²]
    bool lattice = false;         // lattice girders as shear reinforcement

    double sin_a = 1.0, cos_a = 0.0, cot_a = 0.0;  // inclination of the shear reinforcement
    bool angle_free = true;       // no strut angle given

    double bw = 0.0;              // web width [mm]
    double d = 0.0;               // effective depth [mm]
    double z = 0.0;               // lever arm [mm]
    double V = 0.0;               // acting shear [N]
    double Ac = 0.0;              // concrete area for σcp [cm²]
    double sigma_cp = 0.0;        // [N/mm²], tension positive

    double cot_theta = 1.0;       // strut angle in use
    double cot_min = 1.0, cot_max = 2.5;  // the norm's range of cot θ
    double k_theta_cap = 10000.0; // upper limit of the VRd,max factor
    double nu = 0.0;              // ν of the crushing check 6.2.2(6), with k_hs
    double nu_w = 0.0;            // strength reduction of VRd,max
    double VRd_max = 0.0;         // [N]
};

// Shear between web and flanges (T and I sections with a flange force change over a
// length): fills asf_1/2, flange_VRd_1/2, F_flange_1/2 and cot_theta_f1/2; returns bits.
int Design_Flange_Connections(Shear_Design_Context& c);
// Shear at the interface of concretes cast at different times; returns bits.
int Design_Interface_Shear(Shear_Design_Context& c);
