#include "section/symmetric_domains.h"

#include "section/section_design.h"
#include "section/section_laws.h"
#include "section/symmetric_pairs.h"

namespace {

// The common area of all layers of the design's layer table (each with `steel_law[2]` in
// mode 1) that balances the factored normal force.
void Size_Layer_Table(double eps_top, double eps_bottom, double gamma_N, Equal_Area_Plane* out,
                      void* /*context*/)
{
    double M_c = 0.0;
    out->r_N = Calc_Uniform_Layer_Area_Work(eps_top, eps_bottom, gamma_N, &out->sum_sigma,
                                            nullptr, &out->sum_abs_lever, &out->N_c, &M_c,
                                            &out->M_R, &out->A);
    out->M_c = M_c;
}

}  // namespace

int Design_Symmetric_Section(int n_layers, Section_Design_Result* result, double N, double M,
                             double gamma)
{
    if (n_layers < 1) return 1;
    return Design_By_Strain_States(n_layers, Size_Layer_Table, nullptr, n_layers == 2, result, N,
                                   M, gamma);
}
