#pragma once
// What the tests of the detailing rules share: the annex in force chosen by name in a
// sandbox of its own, and the basic anchorage length of EN 1992-1-1 by hand.
#include "annex/annex_env.h"
#include "annex/nad_choice.h"
#include "test_support.h"

#include <cmath>
#include <filesystem>

class Annex_In_Force {
public:
    explicit Annex_In_Force(const char* name)
    {
        std::filesystem::create_directory(data_.file("NAD"));
        std::filesystem::create_directory(dram_.file("NADS"));
        NAD_Forget_Choice();
        NAD_Select_By_Name(name);
    }
    ~Annex_In_Force() { NAD_Forget_Choice(); }
    Annex_In_Force(const Annex_In_Force&) = delete;
    Annex_In_Force& operator=(const Annex_In_Force&) = delete;

private:
    Temp_Dir data_, dram_;
    Env_Override data_env_{"DATA", data_.path().c_str()};
    Env_Override dram_env_{"DRAM", dram_.path().c_str()};
};

// EN 1992-1-1 8.4.2 and 8.4.3 by hand for normal concrete up to C50/60 (gamma_c 1.5,
// gamma_s 1.15, alpha_ct 1.0): fctm = 0.30 fck^(2/3), fctk,0.05 = 0.7 fctm,
// fbd = 2.25 eta1 fctk,0.05 / gamma_c, lb,rqd = phi/4 * fyd / fbd (cm).
inline double Hand_Lb_Rqd(double phi_cm, double fck, double fyk, double eta1)
{
    double fctm = 0.30 * std::pow(fck, 2.0 / 3.0);
    double fbd = 2.25 * eta1 * 0.7 * fctm / 1.5;
    return phi_cm / 4.0 * (fyk / 1.15) / fbd;
}
