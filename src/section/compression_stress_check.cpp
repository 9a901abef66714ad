// The compression-stress check of a section: the extreme compression of the gross section
// against the design strength.
#include <algorithm>
#include <cmath>

#include "material/material_set.h"
#include "section/gross_section.h"
#include "section/section_checks.h"

int Check_Compression_Stress(Calc_Work_Record* record)
{
    if (!record || !record->material) return SECTION_CHECK_UNUSABLE;
    Calc_Work_Record& r = *record;
    const Material_Set& set = *r.material;
    if (set.n_concrete < 1 || !set.concrete) return SECTION_CHECK_UNUSABLE;
    const Concrete_Record& concrete = set.concrete[0];

    // The section in the terms of the gross-section routines.
    int shape = r.shape;
    double d[6] = {r.height, r.width_1, r.thickness_1, r.width_2, 0.0, 0.0};
    if (shape == 2) {
        d[4] = r.thickness_2;
        d[5] = r.width_3;
    } else if (shape == 3) {
        d[0] = r.thickness_1;
        d[1] = 0.0;
        d[2] = std::max(0.0, r.thickness_2);
        d[3] = 0.0;
    } else if (shape != 0 && shape != 1) {
        shape = GROSS_RECTANGLE;
    }
    double sigma1 = 0.0, sigma2 = 0.0, tau = 0.0, sum = 0.0;
    Calc_Section_Derived_Values(shape, d[0], d[1], d[2], d[3], d[4], d[5], r.N, r.M,
                                std::fabs(r.Vz), &sigma1, &sigma2, &tau, &sum);
    const double compression = -sigma2;

    const double limit = set.new_standard
                             ? concrete.eta1 * concrete.fcd * r.stress_factor
                             : concrete.fcd * 0.47619047619047616;
    r.VRd_max = limit;
    r.dFtd = compression;
    if (compression <= limit) return 0;
    if (compression >= limit + 0.01) return SECTION_CHECK_FAILED | SECTION_CHECK_SHEAR_EXCEEDED;
    r.dFtd = limit;
    return 0;
}
