#include "section/section_checks.h"

#include <cmath>
#include <utility>

#include "material/material_set.h"

namespace {

// Results not computed yet: −1.0, areas and interactions 0; the lever arm, the minimum and
// total reinforcement, t_ef, r_k and fctd stay as the caller left them (t_ef is also an
// input).
void Set_Start_Values(Calc_Work_Record& r)
{
    r.asw_req = 0.0;
    r.asf_1 = r.asf_2 = 0.0;
    for (int i = 0; i < 3; ++i) r.asw_torsion[i] = r.asl_torsion[i] = 0.0;
    r.VRd_c = -1.0;
    r.flange_VRd_1 = r.flange_VRd_2 = -1.0;
    r.rho_l_percent = -1.0;
    r.cot_theta_f1 = r.cot_theta_f2 = -1.0;
    r.dFtd = -1.0;
    r.VRd_max = -1.0;
    r.theta = -1.0;
    r.V_wall = -1.0;
    r.F_flange_1 = r.F_flange_2 = -1.0;
    r.TRd_max = -1.0;
    r.interaction_1 = r.interaction_2 = r.interaction_3 = 0.0;
    r.T_limit = r.V_combined = -1.0;
    r.shear_zone = r.zone_2 = r.zone_3 = 0;
    r.v_Edi = r.v_Rdi = r.theta_i = -1.0;
    r.asi_req = 0.0;
    r.v_Rdi_max = r.z_i = -1.0;
    r.interface_zone = 0;
}

// The 1988 standard knows only its own concretes and steels (and the free steel).
bool Materials_Of_1988_Standard(const Calc_Work_Record& r)
{
    if (r.steel_index >= STEEL_FIRST_CLASS && r.steel_index != STEEL_FREE) return false;
    const Material_Set* set = r.material;
    if (set->n_concrete < 1 || !set->concrete) return false;
    return set->concrete[0].class_index < CONCRETE_FIRST_CLASS;
}

// A T-section whose web is wider than its flange is turned upside down, so that the wide
// part is the flange at the top.
void Mirror_Top_To_Bottom(Calc_Work_Record& r)
{
    std::swap(r.width_1, r.width_2);
    r.thickness_1 = r.height - r.thickness_1;
    r.level_3 = r.height - r.level_3;
    std::swap(r.edge_top, r.edge_bottom);
    std::swap(r.wall_1, r.wall_2);
    std::swap(r.wall_3, r.wall_4);
}

// Every size the checks divide by must be there (NaN counts as missing).
bool Sizes_Valid(const Calc_Work_Record& r)
{
    auto given = [](double value) { return value >= 0.001; };
    if (!given(r.width_1) || !given(r.height) || !given(r.edge_bottom) || !given(r.d) ||
        !given(r.extra_1) || !given(r.extra_2))
        return false;
    return r.shape == 3 || given(r.edge_top);
}

int Invalid_Record_Bits(const Calc_Work_Record& r)
{
    int bits = SECTION_CHECK_FAILED;
    if (std::fabs(r.Vz) > 0.001) bits |= SECTION_CHECK_SHEAR_EXCEEDED;
    if (std::fabs(r.T) > 0.001) bits |= SECTION_CHECK_TORSION_EXCEEDED;
    if ((bits & SECTION_CHECK_SHEAR_EXCEEDED) && (bits & SECTION_CHECK_TORSION_EXCEEDED))
        bits |= SECTION_CHECK_INTERACTION;
    return bits;
}

}  // namespace

int Run_Shear_Torsion_Checks(int mode, Calc_Work_Record* record)
{
    if (!record) return SECTION_CHECK_FAILED;
    Calc_Work_Record& r = *record;
    Set_Start_Values(r);

    bool valid = r.material != nullptr;
    if (valid && mode == 0 && !Materials_Of_1988_Standard(r)) valid = false;
    if (r.shape == 1 && r.width_1 > r.width_2) Mirror_Top_To_Bottom(r);
    if (!Sizes_Valid(r)) valid = false;
    if (!valid) return Invalid_Record_Bits(r);

    if (r.check_option < 0) return Check_Compression_Stress(&r);
    if (mode == 0) return Calc_Section_Torsion_Values(&r);
    return Calc_Shear_Torsion_Resistance(&r);
}
