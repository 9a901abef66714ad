#include "material/creep_shrinkage.h"

#include "report/oli_channel.h"

#include <algorithm>
#include <cmath>

int creep_norm_code = 1;

const char* const cement_class_texts[CEMENT_CLASS_COUNT] = {
    "32.5 N", "32.5 R", "42.5 N", "42.5 R", "52.5 N", "52.5 R",
};
const char* const cement_group_letters[CEMENT_GROUP_COUNT] = {"S", "N", "R"};

namespace {

// Constants of one cement group.
struct Cement_Group {
    double s;              // strength gain
    double alpha;          // age adjustment of the creep's loading age
    double alpha_ds1;
    double alpha_ds2_ec;   // Eurocode form
    double alpha_ds2_din;  // DIN 1045-1 form
    double alpha_as_din;   // autogenous shrinkage, DIN 1045-1 form
};

constexpr Cement_Group cement_groups[CEMENT_GROUP_COUNT] = {
    {0.38, -1.0, 3.0, 0.13, 0.13, 800.0},
    {0.25, 0.0, 4.0, 0.12, 0.12, 700.0},
    {0.20, 1.0, 6.0, 0.11, 0.12, 600.0},
};
constexpr int group_of_class[CEMENT_CLASS_COUNT] = {0, 1, 1, 2, 2, 2};

// The multiplication dot of the report lines.
constexpr const char* DOT = "\xCE/.\xCEr";

// A strain part counts only above this (absolute, not per mille).
constexpr double STRAIN_THRESHOLD = 1.0e-6;

// A class outside 0..5 is taken as the nearest class, so that no table is read outside
// its bounds.
int Group_Of(int cement_class)
{
    const int index = std::clamp(cement_class, 0, CEMENT_CLASS_COUNT - 1);
    return group_of_class[index];
}

bool Eurocode_Forms()
{
    return creep_norm_code == 4 || creep_norm_code == 21;
}

// The time capped at the final state; an age below zero counts as zero (the roots and
// powers of the formulas are defined from zero on).
double Capped_Time(double t)
{
    t = std::min(t, CREEP_FINAL_AGE_DAYS);
    return t > 0.0 ? t : 0.0;
}

// A duration in days as the report writes it: whole days from 10 on.
void Report_Days(FILE* report, double days, bool line_end)
{
    if (days >= 10.0)
        OLI_Printf(report, line_end ? "%.0lf d\n" : "%.0lf d", days);
    else
        OLI_Printf(report, line_end ? "%.2lf d\n" : "%.2lf d", days);
}

// kh of the drying shrinkage by the notional size h0 (mm).
double Shrinkage_Kh(double h0)
{
    if (h0 <= 100.0) return 1.0;
    if (h0 <= 200.0) return 1.0 - 0.0015 * (h0 - 100.0);
    if (h0 <= 300.0) return 0.85 - 0.001 * (h0 - 200.0);
    if (h0 < 500.0) return 0.75 - 0.00025 * (h0 - 300.0);
    return 0.70;
}

double Shrinkage_Eurocode(const Cement_Group& group, int group_index, FILE* report, double RH,
                          double h0, double ts, double t, double fcm, double fck)
{
    t = Capped_Time(t);
    const double dt = ts < t ? t - ts : 0.0;

    const double beta_as = 1.0 - std::exp(-0.2 * std::sqrt(t));
    const double eps_ca = 2.5 * (fck - 10.0) * 1.0e-6 * beta_as;

    const double rh = RH / 100.0;
    const double beta_RH = 1.55 * (1.0 - rh * rh * rh);
    const double eps_cd0 = 0.85 * (220.0 + 110.0 * group.alpha_ds1) *
                           std::exp(-group.alpha_ds2_ec * fcm / 10.0) * 1.0e-6 * beta_RH;

    const double ds_denominator = dt + 0.04 * std::pow(std::fabs(h0), 1.5);
    const double beta_ds = ds_denominator > 0.0 ? dt / ds_denominator : 0.0;
    double kh = 0.0;
    double eps_cd = 0.0;
    if (h0 >= 0.001) {  // below there is no drying part
        kh = Shrinkage_Kh(h0);
        eps_cd = eps_cd0 * beta_ds * kh;
    }

    double eps_cs = 0.0;
    if (eps_ca > STRAIN_THRESHOLD) eps_cs -= 1000.0 * eps_ca;
    if (eps_cd > STRAIN_THRESHOLD) eps_cs -= 1000.0 * eps_cd;

    if (report) {
        OLI_Printf(report, "\xCE_Schwindma\xE1\xCEr");
        if (t < 25549.999)
            OLI_Printf(report, " zum Zeitpunkt t = %.0lf h: \xBE\xCE\\cst\xCEr", t * 24.0);
        else
            OLI_Printf(report, ": \xBE\xCE\\cs\xCEr");
        OLI_Printf(report, " = -(\xBE\xCE\\cas\xCEr+\xBE\xCE\\cds\xCEr) = %.3lf\x89  wobei\n", eps_cs);
        OLI_Printf(report,
                   "  autogenes Schwinden: \xBE\xCE\\cas\xCEr = \xBE\xCE\\cas,0\xCEr%s\xBB\xCE\\as\xCEr"
                   " = %.3lf\x89  mit  \xBE\xCE\\cas,0\xCEr = 2.5%s(f\xCE\\ck\xCEr-10) = %.3lf\x89, "
                   "\xBB\xCE\\as\xCEr = 1-e\xCE/-0.2%s\xCE/t\xCE/1/2\xCEr = %.3lf\n",
                   DOT, 1000.0 * eps_ca, DOT, 2.5 * (fck - 10.0) / 1000.0, DOT, beta_as);
        OLI_Printf(report,
                   "  Trocknungsschwinden: \xBE\xCE\\cds\xCEr = \xBE\xCE\\cds,0\xCEr%s\xBB\xCE\\ds\xCEr"
                   "%sk\xCE\\h\xCEr = %.3lf\x89  mit  \xBE\xCE\\cds,0\xCEr = 0.85%s((220+110%s"
                   "\xBA\xCE\\ds1\xCEr)%se\xCE/-\xBA\xCE\\ds2\xCEr%s\xCE/f\xCE\\cm\xCEr\xCE//10\xCEr)"
                   "%s\xBB\xCE\\RH\xCEr = %.3lf\x89,\n",
                   DOT, DOT, 1000.0 * eps_cd, DOT, DOT, DOT, DOT, DOT, 1000.0 * eps_cd0);
        OLI_Printf(report,
                   "    k\xCE\\h\xCEr = %.2lf f\x81r h\xCE\\0\xCEr = %.1lf cm, \xBA\xCE\\ds1\xCEr = %.1lf "
                   "und \xBA\xCE\\ds2\xCEr = %.2lf f\x81r Zementgruppe %s,\n",
                   kh, h0 / 10.0, group.alpha_ds1, group.alpha_ds2_ec,
                   cement_group_letters[group_index]);
        OLI_Printf(report,
                   "    \xBB\xCE\\RH\xCEr = 1.55%s(1-(RH/100)\xCE/3\xCEr) = %.3lf f\x81r RH = %.0lf%%, "
                   "\xBB\xCE\\ds\xCEr = \xA3t/(\xA3t+0.04%s(h\xCE\\0\xCEr\xCE/3\xCEr)\xCE/1/2\xCEr) = %.3lf, "
                   "\xA3t = t-t\xCE\\s\xCEr = ",
                   DOT, beta_RH, RH, DOT, beta_ds);
        Report_Days(report, dt, true);
    }
    return eps_cs;
}

double Shrinkage_Din(const Cement_Group& group, double RH, double h0, double ts, double t,
                     double fcm)
{
    t = Capped_Time(t);
    const double dt = ts < t ? t - ts : 0.0;

    const double beta_as = 1.0 - std::exp(-0.2 * std::sqrt(t));
    double eps_cas = 0.0;
    double beta_s1 = 0.0;
    if (fcm > 0.001) {
        eps_cas = group.alpha_as_din * std::pow(fcm / (fcm + 60.0), 2.5) * 1.0e-6 * beta_as;
        beta_s1 = std::min(1.0, std::pow(35.0 / fcm, 0.1));
    }

    const double rh = RH / 100.0;
    const double humidity = RH >= 99.0 * beta_s1 ? 0.25 : 1.55 * (1.0 - rh * rh * rh);
    const double eps_cds0 =
        (220.0 + 110.0 * group.alpha_ds1) * std::exp(-group.alpha_ds2_din * fcm / 10.0) * 1.0e-6;
    const double ds_denominator = 350.0 * (h0 / 100.0) * (h0 / 100.0) + dt;
    const double beta_ds = ds_denominator > 0.0 ? std::sqrt(dt / ds_denominator) : 0.0;
    const double eps_cds = eps_cds0 * humidity * beta_ds;

    double eps_cs = 0.0;
    if (eps_cas > STRAIN_THRESHOLD) eps_cs -= 1000.0 * eps_cas;
    if (eps_cds > STRAIN_THRESHOLD) eps_cs -= 1000.0 * eps_cds;
    return eps_cs;
}

}  // namespace

void Set_Creep_Norm_Code(int code)
{
    creep_norm_code = code;
}

int Get_Cement_Group(int cement_class)
{
    return Group_Of(cement_class);
}

double Get_Strength_Gain_Exponent(int cement_class)
{
    return Eurocode_Forms() ? cement_groups[Group_Of(cement_class)].s : 0.2;
}

double Get_Strength_Gain_Factor(int cement_class, double t)
{
    if (!(t > 0.0)) return 0.0;
    return std::exp(Get_Strength_Gain_Exponent(cement_class) * (1.0 - std::sqrt(28.0 / t)));
}

double Calc_Shrinkage_Strain(int cement_class, FILE* report, double RH, double h0, double ts,
                             double t, double fcm, double fck)
{
    const int group_index = Group_Of(cement_class);
    const Cement_Group& group = cement_groups[group_index];
    if (Eurocode_Forms())
        return Shrinkage_Eurocode(group, group_index, report, RH, h0, ts, t, fcm, fck);
    return Shrinkage_Din(group, RH, h0, ts, t, fcm);
}

double Get_Shrinkage_Strain(double RH, int cement_class, double h0, double ts, double t,
                            double fcm, double fck, FILE* report)
{
    if (h0 <= 0.001) return 0.0;
    return Calc_Shrinkage_Strain(cement_class, report, RH, h0, ts, t, fcm, fck);
}

double Calc_Creep_Coefficient(double RH, int cement_class, double h0, double t0, double t,
                              double fcm, FILE* report)
{
    if (h0 <= 0.001) return 0.0;
    const int group_index = Group_Of(cement_class);
    const Cement_Group& group = cement_groups[group_index];

    double alpha1 = 0.0, alpha2 = 0.0, alpha3 = 0.0, beta_fcm = 0.0;
    if (fcm > 0.001) {
        if (Eurocode_Forms() && fcm < 35.0) {
            alpha1 = alpha2 = alpha3 = 1.0;
        } else {
            alpha1 = std::pow(35.0 / fcm, 0.7);
            alpha2 = std::pow(35.0 / fcm, 0.2);
            alpha3 = std::pow(35.0 / fcm, 0.5);
        }
        beta_fcm = 16.76 / std::sqrt(fcm);
    }

    const double phi_RH = (1.0 + (1.0 - RH / 100.0) / std::cbrt(h0 / 1000.0) * alpha1) * alpha2;

    t = Capped_Time(t);
    t0 = std::min(t0, t);
    if (t0 < 0.0) t0 = 0.0;

    const double t0_eff =
        std::max(t0 * std::pow(9.0 / (2.0 + std::pow(t0, 1.2)) + 1.0, group.alpha), 0.5);
    const double beta_t0 = 1.0 / (0.1 + std::pow(t0_eff, 0.2));
    const double beta_H =
        std::min(1.5 * (1.0 + std::pow(0.012 * RH, 18.0)) * h0 + 250.0 * alpha3, 1500.0 * alpha3);
    const double duration = t - t0;
    const double c_denominator = beta_H + duration;
    const double beta_c = c_denominator > 0.0 ? std::pow(duration / c_denominator, 0.3) : 0.0;
    const double phi0 = phi_RH * beta_fcm * beta_t0;
    const double phi = phi0 * beta_c;

    if (report) {
        OLI_Printf(report, "\xCE_Kriechzahl\xCEr");
        if (t < 25549.999)
            OLI_Printf(report, " zum Zeitpunkt t = %.0lf h: \xDA\xCE\\t\xCEr", t * 24.0);
        else
            OLI_Printf(report, ": \xDA\xCE\\\xEC\xCEr");
        OLI_Printf(report,
                   " = \xDA\xCE\\0\xCEr%s\xBB\xCE\\c\xCEr = %.3lf  mit  \xDA\xCE\\0\xCEr = "
                   "\xDA\xCE\\RH\xCEr%s\xBB\xCE\\fcm\xCEr%s\xBB\xCE\\t0\xCEr = %.3lf, \xDA\xCE\\RH\xCEr = "
                   "(1+(1-RH/100)/(0.1%sh\xCE\\0\xCEr/100)\xCE/1/3\xCEr%s\xBA\xCE\\1\xCEr)%s"
                   "\xBA\xCE\\2\xCEr = %.3lf,\n",
                   DOT, phi, DOT, DOT, phi0, DOT, DOT, DOT, phi_RH);
        OLI_Printf(report,
                   "  \xBB\xCE\\fcm\xCEr = 16.76/f\xCE\\cm\xCEr\xCE/1/2\xCEr = %.3lf, \xBB\xCE\\t0\xCEr = "
                   "1/(0.1+t\xCE\\0,eff\xCEr\xCE/0.2\xCEr) = %.3lf, t\xCE\\0,eff\xCEr = t\xCE\\0\xCEr%s"
                   "(9/(2+t\xCE\\0\xCEr\xCE/1.2\xCEr)+1)\xCE/\xBA\xCEr = %.1lf d \xF2 0.5 d,\n",
                   beta_fcm, beta_t0, DOT, t0_eff);
        OLI_Printf(report,
                   "  \xBA = %.0lf f\x81r Zementgruppe %s, \xBA\xCE\\1\xCEr = f\xCE\\cm\xCEr\xCE/0.7\xCEr"
                   " = %.2lf, \xBA\xCE\\2\xCEr = f\xCE\\cm\xCEr\xCE/0.2\xCEr = %.2lf",
                   group.alpha, cement_group_letters[group_index], alpha1, alpha2);
        OLI_Printf(report, ", \xBB\xCE\\c\xCEr = (\xA3t/(\xBB\xCE\\H\xCEr+\xA3t)\xCE/0.3\xCEr = %.3lf,\n",
                   beta_c);
        OLI_Printf(report, "  \xA3t = t-t\xCE\\0\xCEr = ");
        Report_Days(report, duration, false);
        OLI_Printf(report,
                   ", \xBB\xCE\\H\xCEr = 150%s(1+(1.2%sRH/100)\xCE/18\xCEr%sh\xCE\\0\xCEr/100+250%s"
                   "\xBA\xCE\\3\xCEr) = %.0lf \xF3 1500%s\xBA\xCE\\3\xCEr, \xBA\xCE\\3\xCEr = "
                   "f\xCE\\cm\xCEr\xCE/0.5\xCEr = %.2lf\n",
                   DOT, DOT, DOT, DOT, beta_H, DOT, alpha3);
    }
    return phi;
}
