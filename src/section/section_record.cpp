#include "section/section_record.h"

#include <cmath>
#include <numbers>

#include "material/material_set.h"

double circle_radius_excess = 0.0;

namespace {

// Below this magnitude [MN/m²] a design yield strength counts as unset: the hardening
// ratio ftd / fyd would be inf or NaN and poison every stress of the law.
constexpr double kUnsetStrength = 1e-10;

void Set_Rectangular_Part(Section_Record* s, int i, double top, double bottom, double width)
{
    s->part_top[i] = top;
    s->part_bottom[i] = bottom;
    s->width_top[i] = width;
    s->width_bottom[i] = width;
    s->width_slope[i] = 0.0;
    s->width_at_zero[i] = width;
}

void Default_Steel_Law(Steel_Law* law)
{
    law->fy_t = 500000.0;
    law->k_t = 1.0;
    law->eps_u_t = 0.005;
    law->eps_y_t = 0.003;
    law->E_t = 2.1e8;
    law->fy_c = 500000.0;
    law->k_c = 1.0;
    law->eps_u_c = 0.005;
    law->E_c = 2.1e8;
    law->subtract_concrete = 0;
}

// One steel law from a steel record (MN/m² and per mille).
void Steel_Law_From_Record(Steel_Law* law, const Steel_Record* rec, int subtract_concrete)
{
    const double fy = rec->fyd * 1000.0;
    const double k = (std::fabs(rec->fyd) < kUnsetStrength) ? 1.0 : rec->ftd / rec->fyd;
    law->fy_t = fy;
    law->fy_c = fy;
    law->k_t = k;
    law->k_c = k;
    law->eps_u_t = rec->eps_uk * 0.001;
    law->eps_u_c = rec->eps_uk * 0.001;
    law->eps_y_t = rec->eps_yd * 0.001;
    law->E_t = rec->es * 1000.0;
    law->E_c = rec->es * 1000.0;
    law->subtract_concrete = subtract_concrete;
}

void Concrete_Law_From_Record(Concrete_Law* law, const Concrete_Record* rec)
{
    law->fc = rec->fcd * 1000.0;
    law->eps_cu = rec->eps_cu * 0.001;
    law->eps_peak = rec->eps_c2 * 0.001;
    law->eps_shift = rec->strain_shift * 0.001;
    law->exponent = rec->n_exp;
    law->law_kind = (rec->law_kind == 1) ? 1 : 0;
    // The tension branch is taken over only from a concrete that has a tensile strength;
    // the record's tension limit and peak strains are its fields value_29 and value_30.
    if (rec->fctm > 0.001) {
        law->fct = rec->fctm * 1000.0;
        law->eps_t_limit = rec->value_29 * 0.001;
        law->eps_t_peak = rec->value_30 * 0.001;
    }
}

}  // namespace

void Set_Part_Width_Line(Section_Record* s, int i)
{
    const double depth = s->part_bottom[i] - s->part_top[i];
    if (depth != 0.0) {
        s->width_slope[i] = (s->width_bottom[i] - s->width_top[i]) / depth;
        s->width_at_zero[i] = s->width_top[i] - s->width_slope[i] * s->part_top[i];
    } else {
        // A part without depth carries nothing; a finite slope keeps its integrals at 0.
        s->width_slope[i] = 0.0;
        s->width_at_zero[i] = (s->width_top[i] == s->width_bottom[i]) ? s->width_top[i] : 1e100;
    }
}

int Init_Section_Defaults(Section_Record* s)
{
    if (!s) return 0;
    s->part_count = 1;
    Set_Rectangular_Part(s, 0, 0.0, 0.2, 1.0);
    s->height = 0.2;
    s->reference_depth = 0.1;
    s->upper_layer_depth = 0.03;
    s->lower_layer_depth = 0.16;
    s->ring_radius_outer = 0.0;
    s->ring_radius_inner = 0.0;

    Concrete_Law& c = s->concrete_law;
    c.fc = 17500.0;
    c.eps_cu = -0.0035;
    c.eps_peak = -0.002;
    c.exponent = 2.0;
    c.fct = 0.0;
    c.eps_t_limit = 0.0;
    c.eps_t_peak = 0.0;
    c.eps_shift = 0.0;
    c.law_kind = 0;

    for (Steel_Law& law : s->steel_law) Default_Steel_Law(&law);

    s->design_param[0] = 0.0;
    s->design_param[1] = 100.0;
    s->design_param[2] = 0.0;
    s->design_param[3] = 0.0;
    s->layer_count = 0;
    for (int i = 0; i < SECTION_MAX_LAYERS; ++i) {
        s->layer_area[i] = 0.0;
        s->layer_depth[i] = 0.0;
    }
    s->option_bits = 0;
    return 0;
}

int Setup_Section(Section_Record* s, int shape, double h, double b, double t1, double b1,
                  double t2, double b2, double d_top, double d_bottom, double z_ref,
                  const Material_Set* set)
{
    if (!s || shape < SECTION_RECTANGLE || shape > SECTION_CIRCLE) return 0;

    h *= 0.01;
    b *= 0.01;
    t1 *= 0.01;
    b1 *= 0.01;
    t2 *= 0.01;
    b2 *= 0.01;
    d_top *= 0.01;
    d_bottom *= 0.01;
    z_ref *= 0.01;

    double circle_flag = 0.0;
    if (shape == SECTION_CIRCLE) {
        Set_Circular_Outline(s, h, t1);
        s->upper_layer_depth = 0.0;
        s->lower_layer_depth = 0.0;
        s->ring_radius_outer = h - d_bottom;
        s->ring_radius_inner = t1 + d_top;
        circle_flag = -1.0;
        s->layer_depth[0] = 0.0;
        s->layer_depth[1] = 0.0;
    } else {
        if (shape == SECTION_RECTANGLE) {
            s->part_count = 1;
            Set_Rectangular_Part(s, 0, 0.0, h, b);
        } else if (shape == SECTION_FLANGED_TOP) {
            s->part_count = 2;
            Set_Rectangular_Part(s, 0, 0.0, t1, b1);
            Set_Rectangular_Part(s, 1, t1, h, b);
        } else {
            s->part_count = 3;
            Set_Rectangular_Part(s, 0, 0.0, t1, b1);
            Set_Rectangular_Part(s, 1, t1, h - t2, b);
            Set_Rectangular_Part(s, 2, h - t2, h, b2);
        }
        s->height = h;
        s->reference_depth = z_ref;
        s->upper_layer_depth = d_top;
        s->lower_layer_depth = h - d_bottom;
        s->ring_radius_outer = 0.0;
        s->ring_radius_inner = 0.0;
        s->layer_depth[0] = h - d_bottom;
        s->layer_depth[1] = d_top;
        // Only a circular outline has a polygon excess; what an earlier circle left behind
        // must not shift the tension resultant of this section.
        circle_radius_excess = 0.0;
    }

    if (set) {
        if (set->n_concrete > 0 && set->concrete)
            Concrete_Law_From_Record(&s->concrete_law, &set->concrete[0]);
        const int subtract = set->stored_int_b;
        if (set->n_steel > 1 && set->steel)
            Steel_Law_From_Record(&s->steel_law[0], &set->steel[1], subtract);
        if (set->n_steel > 0 && set->steel)
            for (int k = 1; k < 4; ++k) Steel_Law_From_Record(&s->steel_law[k], &set->steel[0], subtract);
        // Every block displaces concrete alike, whichever records were there.
        for (Steel_Law& law : s->steel_law) law.subtract_concrete = subtract;
    }

    s->design_param[0] = 0.0;
    s->design_param[1] = 100.0;
    s->design_param[2] = circle_flag;
    s->design_param[3] = 0.0;
    s->layer_count = 2;
    s->layer_area[0] = 0.0;
    s->layer_area[1] = 0.0;
    s->option_bits = 0;
    return 1;
}

int Set_Circular_Outline(Section_Record* s, double r, double r_inner)
{
    if (!s) return 1;
    const double R = CIRCLE_POLYGON_FACTOR * r;
    const double Ri = CIRCLE_POLYGON_FACTOR * r_inner;
    circle_radius_excess = R - r;

    const int n = SECTION_MAX_PARTS;
    s->part_count = n;
    s->height = 2.0 * R;
    s->reference_depth = R;

    const double step = std::numbers::pi / 64.0;
    double level_depth[SECTION_MAX_PARTS + 1];
    double level_width[SECTION_MAX_PARTS + 1];
    for (int j = 0; j <= n; ++j) {
        const double theta = j * step;
        double y = R * (1.0 - std::cos(theta));
        double w = 2.0 * R * std::sin(theta);
        if (j == n) {
            y = 2.0 * R;
            w = 0.0;
        }
        if (Ri > 0.0 && y > R - Ri && y < R + Ri) w -= 2.0 * Ri * std::sin(std::acos(std::fabs(R - y) / Ri));
        level_depth[j] = y;
        level_width[j] = w;
    }
    for (int i = 0; i < n; ++i) {
        s->part_top[i] = level_depth[i];
        s->width_top[i] = level_width[i];
        s->part_bottom[i] = level_depth[i + 1];
        s->width_bottom[i] = level_width[i + 1];
        Set_Part_Width_Line(s, i);
    }
    return 1;
}

double Calc_Outline_Centroid(const Section_Record* s)
{
    if (!s || s->part_count < 1) return 0.0;
    const int n = s->part_count < SECTION_MAX_PARTS ? s->part_count : SECTION_MAX_PARTS;
    double area = 0.0;
    double moment = 0.0;
    for (int i = 0; i < n; ++i) {
        const double wt = s->width_top[i];
        const double wb = s->width_bottom[i];
        const double d = s->part_bottom[i] - s->part_top[i];
        const double a = (wt + wb) / 2.0 * d;
        if (a == 0.0) continue;  // also keeps a part of zero width from dividing by zero
        const double z = s->part_top[i] + (wt + 2.0 * wb) * d / (3.0 * (wt + wb));
        area += a;
        moment += a * z;
    }
    if (!(area > 0.0)) return 0.0;
    return moment / area;
}

void Set_Flanged_Outline(Section_Record* s, double h, double hf, double bf, double bw)
{
    if (!s) return;
    s->height = h;
    s->part_count = 2;
    Set_Rectangular_Part(s, 0, 0.0, hf, bf);
    Set_Rectangular_Part(s, 1, hf, h, bw);
    const double area = bf * hf + bw * (h - hf);
    if (area > 0.0)
        s->reference_depth = (bf * hf * (hf / 2.0) + bw * (h - hf) * (hf + (h - hf) / 2.0)) / area;
    else
        s->reference_depth = 0.0;
}
