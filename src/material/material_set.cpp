#include "material/material_set.h"

#include "annex/nad_choice.h"
#include "annex/nad_file.h"
#include "annex/nad_sections.h"
#include "base/alloc.h"
#include "material/material_props.h"

#include <cmath>
#include <cstdint>
#include <cstring>

const Material_Class_Counts material_class_counts = {
    CONCRETE_LC_COUNT,
    CONCRETE_OENORM_COUNT,
    CONCRETE_CURRENT_COUNT,
    CONCRETE_FIRST_CLASS,
    STEEL_LATTICE_GIRDER_POS,
    STEEL_GLASS_FIBRE_POS,
    2,
    STEEL_CURRENT_COUNT,
    STEEL_FIRST_CLASS,
    4,
    4,
};

// Code page 850: 0x99 = O-umlaut, 0x84 = a-umlaut.
const char* const concrete_class_names[CONCRETE_CURRENT_COUNT] = {
    " C12/15",      " C16/20",    " C20/25",      " C25/30",    " C30/37",
    " C35/45",      " C40/50",    " C45/55",      " C50/60",    " C55/67",
    " C60/75",      " C70/85",    " C80/95",      " C90/105",   " C100/115",
    " \x99-B15",    " \x99-B20",  " \x99-B25",    " \x99-B30",  " \x99-C30/37",
    " \x99-B40",    " \x99-C35/45", " \x99-B50",  " \x99-C45/55", " \x99-B60",
};

const char* const lightweight_concrete_class_names[CONCRETE_LC_COUNT] = {
    " LC12/13", " LC16/18", " LC20/22", " LC25/28", " LC30/33", " LC35/38", " LC40/44",
    " LC45/50", " LC50/55", " LC55/60", " LC60/66", " LC70/77", " LC80/88",
};

const char* const din1045_concrete_class_names[CONCRETE_FIRST_CLASS] = {
    " B15", " B25", " B35", " B45", " B55",
};

const char* const steel_class_names[STEEL_CURRENT_COUNT] = {
    " B500A    ",   " B500B    ", " ComBAR GFK", (" Gittertr\x84" "ger"), " B550A    ",
    " B550B    ",   " B600A    ", " B600B    ", " \x99-BSt 550",      " \x99-BSt 600",
};

const char* const din1045_steel_class_names[STEEL_FIRST_CLASS] = {
    " BSt 220/340", " BSt 420", " BSt 500",
};

const Concrete_Class_Row concrete_class_table[CONCRETE_CURRENT_COUNT] = {
    // fck, cube, fctm, Ecm, eps_c2, eps_cu2, n, eps_c3, eps_c1, eps_c1u
    {12, 15, 1.6, 21800, -2.0, -3.5, 2.0, -1.35, -1.8, -3.5},
    {16, 20, 1.9, 23400, -2.0, -3.5, 2.0, -1.35, -1.9, -3.5},
    {20, 25, 2.2, 24900, -2.0, -3.5, 2.0, -1.35, -2.1, -3.5},
    {25, 30, 2.6, 26700, -2.0, -3.5, 2.0, -1.35, -2.2, -3.5},
    {30, 37, 2.9, 28300, -2.0, -3.5, 2.0, -1.35, -2.3, -3.5},
    {35, 45, 3.2, 29900, -2.0, -3.5, 2.0, -1.35, -2.4, -3.5},
    {40, 50, 3.5, 31400, -2.0, -3.5, 2.0, -1.35, -2.5, -3.5},
    {45, 55, 3.8, 32800, -2.0, -3.5, 2.0, -1.35, -2.55, -3.5},
    {50, 60, 4.1, 34300, -2.0, -3.5, 2.0, -1.35, -2.6, -3.5},
    {55, 67, 4.2, 35700, -2.03, -3.1, 2.0, -1.35, -2.65, -3.4},
    {60, 75, 4.4, 37000, -2.06, -2.7, 1.9, -1.4, -2.7, -3.3},
    {70, 85, 4.6, 39700, -2.1, -2.5, 1.8, -1.5, -2.8, -3.2},
    {80, 95, 4.8, 42300, -2.14, -2.4, 1.7, -1.6, -2.9, -3.1},
    {90, 105, 5.0, 43800, -2.17, -2.3, 1.6, -1.65, -2.95, -3.0},
    {100, 115, 5.2, 45200, -2.2, -2.2, 1.55, -1.7, -3.0, -3.0},
    // ONORM B 4700
    {11.3, 15, 1.6, 26000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {15.0, 20, 1.9, 27500, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {18.8, 25, 2.2, 29000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {22.5, 30, 2.6, 30500, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {27.8, 37, 2.9, 32000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {30.0, 40, 3.0, 32500, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {33.8, 45, 3.3, 34000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {37.5, 50, 3.5, 35000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {41.3, 55, 3.8, 36000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
    {45.0, 60, 4.1, 37000, -2.0, -3.5, 2.0, -2.0, -2.0, -3.5},
};

const double old_grade_strengths[CONCRETE_FIRST_CLASS] = {15, 25, 35, 45, 55};
const double old_grade_design_values[CONCRETE_FIRST_CLASS] = {10.5, 17.5, 23, 27, 30};
const double old_grade_moduli[CONCRETE_FIRST_CLASS] = {26000, 30000, 34000, 37000, 39000};
const double old_grade_new_fck[CONCRETE_FIRST_CLASS] = {12, 20, 28, 33, 36};

const Steel_Class_Row steel_class_table[STEEL_CURRENT_COUNT] = {
    // fyk, ftk/fyk, eps_uk, Es, ductility class B
    {500, 1.05, 25, 200000, 0},   // B500A
    {500, 1.08, 50, 200000, 1},   // B500B
    {580, 1.0, 6.1, 60000, 0},    // glass-fibre bar
    {420, 1.0, 25, 200000, 0},    // lattice girder
    {550, 1.05, 25, 200000, 0},   // B550A
    {550, 1.08, 50, 200000, 1},   // B550B
    {600, 1.05, 25, 200000, 0},   // B600A
    {600, 1.08, 50, 200000, 1},   // B600B
    {550, 1.0, 20, 200000, 0},    // ONORM BSt 550
    {600, 1.0, 20, 200000, 0},    // ONORM BSt 600
};

const double din1045_steel_fyk[STEEL_FIRST_CLASS] = {220, 420, 500};

namespace {

// Source tag and lines under which the set's arrays are taken and given back.
const char* const kSetSource = "c:/src/material/stbmat";
constexpr int kAllocConcreteLine = 155;
constexpr int kAllocSteelLine = 156;
constexpr int kAllocAnnexLine = 157;
constexpr int kFreeConcreteLine = 130;
constexpr int kFreeSteelLine = 131;
constexpr int kFreeAnnexLine = 132;

// Records actually present: a count without its array counts as none.
int Concrete_Count(const Material_Set* set)
{
    return (set->concrete != nullptr && set->n_concrete > 0) ? set->n_concrete : 0;
}

int Steel_Count(const Material_Set* set)
{
    return (set->steel != nullptr && set->n_steel > 0) ? set->n_steel : 0;
}

// Zeroed block of count records, or null when the request cannot be described to the
// allocation interface (more than 4 GiB) or the allocation failed.
void* Alloc_Records(int line, int count, size_t size)
{
    if (count <= 0) return nullptr;
    if (static_cast<uint64_t>(count) * size > UINT32_MAX) return nullptr;
    return Mem_Calloc(kSetSource, line, "null", static_cast<uint32_t>(count),
                      static_cast<uint32_t>(size));
}

void Copy_Name(char (&dst)[24], const char* src)
{
    std::memset(dst, 0, sizeof dst);
    std::strncpy(dst, src, sizeof dst - 1);
}

bool Is_Eurocode_Set(const Material_Set* set) { return set->en1992_1_1 || set->en1992_2; }

void Make_Old_Standard(Material_Set* set)
{
    if (set->new_standard < 0) set->new_standard = 0;
    set->din_2008_rules = 0;
    set->oenorm = 0;
    set->en1992_1_1 = 0;
    set->en1992_2 = 0;
    set->gamma_c = 1.0;
    set->gamma_s = 1.0;
}

void Check_Concrete(Material_Set* set, Concrete_Record* c, bool old_set)
{
    if (c->class_index < 0) c->class_index = 0;
    if (old_set) {
        c->lightweight = 0;
        c->density = 2200.0;
        c->alpha_cc = 1.0;
        if (c->class_index > 4) c->class_index = 1;
    } else if (set->oenorm) {
        c->alpha_cc = 1.0;
        c->lightweight = 0;
        c->density = 2200.0;
        if (c->class_index >= 31) c->class_index = 22;
        else if (c->class_index >= 14 && c->class_index <= 19) c->class_index = 29;
    } else if (c->class_index > CONCRETE_FREE) {
        c->class_index = 7;
        c->lightweight = 0;
        c->density = 2200.0;
    } else if (c->density <= 2200.0 && !set->din_2008_rules && !set->en1992_2) {
        if (c->density < 800.0) {
            c->lightweight = 1;
            c->density = 800.0;
        } else if (c->lightweight) {
            if (c->density > 2000.0) c->density = 2000.0;
        } else if (c->density < 2001.0) {
            c->lightweight = 1;
        } else {
            c->density = 2200.0;
        }
    } else {
        c->lightweight = 0;
        c->density = 2200.0;
    }

    if (!old_set && !set->oenorm && c->alpha_cc < 0.001) {
        if (set->en1992_1_1 && set->annex != nullptr)
            c->alpha_cc = c->lightweight ? set->annex->alpha_lcc : set->annex->alpha_cc;
        else if (set->en1992_2 && set->annex != nullptr)
            c->alpha_cc = set->annex->bridge_alpha_cc;
        else
            c->alpha_cc = 0.85;
    }

    // An exponent below 1.0 is raised to 1.0. A free concrete's exponent that was not
    // entered (below 0.001) is left at 0 for the computation to derive from fck.
    if (c->class_index >= CONCRETE_FREE && c->n_exp < 0.001)
        c->n_exp = 0.0;
    else if (c->n_exp < 1.0)
        c->n_exp = 1.0;
}

void Check_Steel(Material_Set* set, Steel_Record* s, bool old_set)
{
    if (s->steel_index < 0) s->steel_index = 0;
    if (old_set) {
        if (s->steel_index > 2) s->steel_index = 2;
        return;
    }
    if (set->oenorm) {
        if (s->steel_index > STEEL_FREE) s->steel_index = 12;
        if (s->steel_index == STEEL_LATTICE_GIRDER) s->steel_index = STEEL_FIRST_OENORM;
    } else if (s->steel_index > STEEL_FREE) {
        s->steel_index = STEEL_FIRST_CLASS;
    }
    // The glass-fibre bar is designed with its own factor.
    if (s->steel_index == STEEL_GLASS_FIBRE &&
        (set->situation_code == 0 || set->situation_code == 1)) {
        set->situation_code = 2;
        set->gamma_s = 2.0;
    }
}

void Calc_Concrete(Material_Set* set, Concrete_Record* c, int code, bool old_set)
{
    const int idx = c->class_index;
    const bool no_lightweight = set->oenorm || set->din_2008_rules;

    if (idx < CONCRETE_FIRST_CLASS) {
        Copy_Name(c->name, din1045_concrete_class_names[idx]);
        c->eps_c2 = -2.0;
        c->eps_cu = -3.5;
        c->n_exp = 2.0;
        c->lightweight = 0;
        c->density = 2200.0;
        c->eta1 = 1.0;
        c->e_modulus = old_grade_moduli[idx];
        if (old_set) {
            c->fck = old_grade_strengths[idx];
            c->fcd = old_grade_design_values[idx];
            c->fcm = c->fck + 5.0;
            c->fctm = 0.25 * std::pow(c->fck, 2.0 / 3.0);
            c->fctk005 = c->fctm;
            c->law_kind = 0;
            return;
        }
        c->fck = old_grade_new_fck[idx];
        c->fcd = c->alpha_cc * c->fck / set->gamma_c;
        c->fcm = c->fck + 8.0;
        c->fctm = Get_Concrete_Fctm(code, idx, c->fck, 2200.0, 0.0);
    } else {
        if (c->lightweight && !no_lightweight) {
            c->eta1 = Lightweight_Eta1(c->density);
        } else {
            c->lightweight = 0;
            c->eta1 = 1.0;
        }
        if (idx < CONCRETE_FREE) {
            const Concrete_Class_Row& row = concrete_class_table[idx - CONCRETE_FIRST_CLASS];
            Copy_Name(c->name, concrete_class_names[idx - CONCRETE_FIRST_CLASS]);
            c->fck = row.fck;
            c->fcd = c->alpha_cc * c->fck / set->gamma_c;
            double eps_cu = 0.0;
            c->eps_c2 = Get_Concrete_Eps_C2(code, idx, c->fck, c->density, &eps_cu);
            c->eps_cu = eps_cu;
            c->n_exp = Get_Concrete_Exponent_N(code, idx, c->fck);
            c->e_modulus = Get_Concrete_Ecm(code, idx, c->fck, c->density, nullptr);
            c->fcm = Get_Concrete_Fcm(code, c->fck, c->density);
            c->fctm = Get_Concrete_Fctm(code, idx, c->fck, c->density, 0.0);
        } else {
            // Free concrete: what was entered stands; only missing values are derived.
            Copy_Name(c->name, " frei");
            if (c->e_modulus < 0.001)
                c->e_modulus = Get_Concrete_Ecm(code, idx, c->fck, c->density, nullptr);
            if (c->fctm < 0.001) c->fctm = Get_Concrete_Fctm(code, idx, c->fck, c->density, 0.0);
            if (c->fcm < 0.001)
                c->fcm = old_set ? c->fck + 5.0 : Get_Concrete_Fcm(code, c->fck, c->density);
            if (c->n_exp < 0.001) c->n_exp = Get_Concrete_Exponent_N(code, idx, c->fck);
            if (c->fcd < 0.001) c->fcd = c->fck * c->alpha_cc / set->gamma_c;
        }
    }
    c->fctk005 = 0.7 * c->fctm;
    c->law_kind = 0;
}

void Calc_Steel_Values(Material_Set* set, Steel_Record* s)
{
    const int idx = s->steel_index;
    if (idx < STEEL_FIRST_CLASS) {
        Copy_Name(s->name, din1045_steel_class_names[idx]);
        s->fyk_c = s->fyk = s->ftk = din1045_steel_fyk[idx];
        s->fyd = s->ftd = s->fyk / set->gamma_s;
        s->es = 210000.0;
        s->eps_uk = 5.0;
    } else if (idx < STEEL_FREE) {
        const Steel_Class_Row& row = steel_class_table[idx - STEEL_FIRST_CLASS];
        Copy_Name(s->name, steel_class_names[idx - STEEL_FIRST_CLASS]);
        s->fyk_c = s->fyk = row.fyk;
        s->fyd = s->fyk / set->gamma_s;
        s->es = row.es;
        if (idx == STEEL_GLASS_FIBRE) {
            s->ftk = s->fyk;
            s->eps_uk = 1000.0 * s->fyd / s->es;
            s->ftd = s->fyd;
        } else if (idx == STEEL_LATTICE_GIRDER) {
            s->ftk = s->fyk;
            s->eps_uk = 25.0;
            s->ftd = s->fyd;
        } else if (idx >= STEEL_FIRST_OENORM) {
            s->ftk = s->fyk * row.ftk_ratio;
            s->eps_uk = row.eps_uk;
            s->ftd = s->ftk / set->gamma_s;
        } else {
            // The design law of these steels uses 1.05 and 25 per mille, the steels of
            // ductility class B included; their product values come from Get_Steel_Ftk.
            s->ftk = 1.05 * s->fyk;
            s->eps_uk = 25.0;
            s->ftd = s->ftk / set->gamma_s;
        }
    } else {
        Copy_Name(s->name, " frei");
        if (s->es < 0.001) s->es = 200000.0;
        if (s->fyk_c < 0.001 || s->fyk_c > s->fyk) s->fyk_c = s->fyk;
        if (s->ftk < 0.001) s->ftk = s->fyk;
        if (s->eps_yd > s->eps_uk) s->eps_uk = s->eps_yd;
        s->fyd = s->fyk / set->gamma_s;
        s->ftd = s->ftk / set->gamma_s;
    }
}

}  // namespace

double Lightweight_Eta1(double density) { return 0.40 + 0.60 * density / 2200.0; }

bool Concrete_Law_Usable(const Concrete_Record& c)
{
    constexpr double kLargestStrain = 20.0;  // per mille
    // No concrete reaches its peak stress below 0.1 per mille; a law that does would turn
    // about a pivot no strain plane can move around.
    constexpr double kSmallestPeakStrain = 0.1;  // per mille
    const double values[] = {c.fck, c.fcd, c.eps_c2, c.eps_cu, c.n_exp};
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return c.fck > 0.0 && c.fcd > 0.0 && c.eps_c2 <= -kSmallestPeakStrain && c.eps_cu <= c.eps_c2 &&
           c.eps_cu >= -kLargestStrain && c.n_exp > 0.0;
}

int Material_Set_Norm_Code(const Material_Set* set)
{
    if (set == nullptr || set->new_standard == 0) return 0;
    if (set->en1992_1_1 || set->en1992_2) return 4;
    if (set->oenorm) return 3;
    return 1;
}

const NAD_EC2_Params& Material_Set_Annex(const Material_Set& set)
{
    static const NAD_EC2_Params recommended = [] {
        NAD_EC2_Params p{};
        NAD_EC2_Defaults(&p);
        return p;
    }();
    return set.annex ? *set.annex : recommended;
}

double Material_Set_Factor(double gamma) { return (gamma >= 0.001) ? gamma : 1.0; }

int Alloc_Material_Set(Material_Set* set, int n_concrete, int n_steel)
{
    if (set == nullptr) return 1;
    Free_Material_Set(set);
    set->n_concrete = 0;
    set->n_steel = 0;
    if (n_concrete < 0 || n_steel < 0) {
        Reset_Material_Set(set);
        return 1;
    }

    auto* concrete = static_cast<Concrete_Record*>(
        Alloc_Records(kAllocConcreteLine, n_concrete, sizeof(Concrete_Record)));
    auto* steel = static_cast<Steel_Record*>(
        Alloc_Records(kAllocSteelLine, n_steel, sizeof(Steel_Record)));
    auto* annex = static_cast<NAD_EC2_Params*>(
        Alloc_Records(kAllocAnnexLine, 1, sizeof(NAD_EC2_Params)));
    const bool failed = (n_concrete > 0 && concrete == nullptr) ||
                        (n_steel > 0 && steel == nullptr) || annex == nullptr;
    if (failed) {
        // Never leave a count without its array: give back what was obtained.
        if (concrete) Mem_Free(kSetSource, kFreeConcreteLine, "null", concrete);
        if (steel) Mem_Free(kSetSource, kFreeSteelLine, "null", steel);
        if (annex) Mem_Free(kSetSource, kFreeAnnexLine, "null", annex);
        Reset_Material_Set(set);
        return 1;
    }

    set->concrete = concrete;
    set->steel = steel;
    set->annex = annex;
    set->n_concrete = n_concrete;
    set->n_steel = n_steel;
    NAD_EC2_Defaults_For_Norm(1, set->annex);
    Reset_Material_Set(set);
    return 0;
}

void Reset_Material_Set(Material_Set* set)
{
    if (set == nullptr) return;
    set->new_standard = 0;
    set->din_2008_rules = 0;
    set->oenorm = 0;
    set->en1992_1_1 = 0;
    set->en1992_2 = 0;
    set->situation_code = 0;
    set->stored_int_a = 0;
    set->stored_int_b = 0;
    set->gamma_c = 0.0;
    set->gamma_s = 0.0;
    set->law_choice = 0;
    set->modular_ratio = 0.0;
    set->nonlinear_analysis = 0;
    set->xi_limit = 0.0;
    for (int i = 0; i < Concrete_Count(set); ++i) set->concrete[i] = Concrete_Record{};
    for (int i = 0; i < Steel_Count(set); ++i) set->steel[i] = Steel_Record{};
}

void Clear_Material_Set(Material_Set* set)
{
    if (set == nullptr) return;
    set->n_concrete = 0;
    set->n_steel = 0;
    set->concrete = nullptr;
    set->steel = nullptr;
    set->annex = nullptr;
    Reset_Material_Set(set);
}

void Free_Material_Set(Material_Set* set)
{
    if (set == nullptr) return;
    if (set->concrete) Mem_Free(kSetSource, kFreeConcreteLine, "null", set->concrete);
    if (set->steel) Mem_Free(kSetSource, kFreeSteelLine, "null", set->steel);
    if (set->annex) Mem_Free(kSetSource, kFreeAnnexLine, "null", set->annex);
    set->concrete = nullptr;
    set->steel = nullptr;
    set->annex = nullptr;
}

void Copy_Material_Set(const Material_Set* src, Material_Set* dst)
{
    if (src == nullptr || dst == nullptr || src == dst) return;
    if (Alloc_Material_Set(dst, Concrete_Count(src), Steel_Count(src)) != 0) return;
    dst->new_standard = src->new_standard;
    dst->din_2008_rules = src->din_2008_rules;
    dst->oenorm = src->oenorm;
    dst->en1992_1_1 = src->en1992_1_1;
    dst->en1992_2 = src->en1992_2;
    dst->situation_code = src->situation_code;
    dst->stored_int_a = src->stored_int_a;
    dst->stored_int_b = src->stored_int_b;
    dst->gamma_c = src->gamma_c;
    dst->gamma_s = src->gamma_s;
    dst->law_choice = src->law_choice;
    dst->modular_ratio = src->modular_ratio;
    dst->nonlinear_analysis = src->nonlinear_analysis;
    dst->xi_limit = src->xi_limit;
    for (int i = 0; i < dst->n_concrete; ++i) dst->concrete[i] = src->concrete[i];
    for (int i = 0; i < dst->n_steel; ++i) Copy_Steel_Record(&src->steel[i], &dst->steel[i]);
    NAD_EC2_Copy_Checked(dst->annex, src->annex);
}

void Copy_Steel_Record(const Steel_Record* src, Steel_Record* dst)
{
    if (src == nullptr || dst == nullptr || src == dst) return;
    *dst = *src;
}

int Check_Material_Set(Material_Set* set)
{
    if (set == nullptr) return 0;

    bool old_set = set->new_standard == 0;
    if (!old_set) {
        if (set->din_2008_rules) Set_DIN1045_1_Edition(0);
        if (set->new_standard < 0) old_set = true;
        else set->new_standard = 1;
    }
    if (old_set) Make_Old_Standard(set);

    if (!old_set) {
        // Missing factors: the annex's serviceability factors under EN 1992 (an unusable
        // annex value counts as missing too), else 1.0.
        const bool annex_factors = Is_Eurocode_Set(set) && set->annex != nullptr;
        if (set->gamma_c < 0.001)
            set->gamma_c = annex_factors && set->annex->gamma_c_sls >= 0.001
                               ? set->annex->gamma_c_sls : 1.0;
        if (set->gamma_s < 0.001)
            set->gamma_s = annex_factors && set->annex->gamma_s_sls >= 0.001
                               ? set->annex->gamma_s_sls : 1.0;
    }

    for (int i = 0; i < Concrete_Count(set); ++i) Check_Concrete(set, &set->concrete[i], old_set);
    for (int i = 0; i < Steel_Count(set); ++i) Check_Steel(set, &set->steel[i], old_set);
    return 0;
}

int Calc_Material_Set(Material_Set* set, int take_active_annex)
{
    if (set == nullptr) return 0;

    // The set's annex record: the annex in force under EN 1992 (when asked for), the
    // DIN 1045-1 values under every other standard.
    if (set->annex != nullptr) {
        if (set->new_standard != 0 && Is_Eurocode_Set(set)) {
            if (take_active_annex) {
                const NAD_EC2_Params* active = NAD_Get_EC2_Params();
                if (active != nullptr) NAD_EC2_Copy_Checked(set->annex, active);
                else NAD_EC2_Get_Deutschland(set->annex);
            }
        } else {
            NAD_EC2_Defaults_For_Norm(1, set->annex);
        }
    }

    const bool was_old = set->new_standard == 0;
    Check_Material_Set(set);
    const bool old_set = set->new_standard == 0;
    const int code = Material_Set_Norm_Code(set);
    // A negative new-standard flag turns out old-standard only in the check.
    if (old_set && !was_old && set->annex != nullptr) NAD_EC2_Defaults_For_Norm(1, set->annex);

    for (int i = 0; i < Concrete_Count(set); ++i) Calc_Concrete(set, &set->concrete[i], code, old_set);

    const bool has_concrete = Concrete_Count(set) > 0;
    const double eps_cu0 = has_concrete ? set->concrete[0].eps_cu : 0.0;
    int result = 0;
    for (int i = 0; i < Steel_Count(set); ++i) {
        Steel_Record* s = &set->steel[i];
        Calc_Steel_Values(set, s);
        if (old_set) {
            s->eps_yd = 3.0;
        } else if (set->xi_limit < 0.001 || !has_concrete) {
            s->eps_yd = s->es > 0.0 ? 1000.0 * s->fyd / s->es : 0.0;
        } else if (set->xi_limit > 0.999) {
            s->eps_yd = 0.0;
        } else {
            s->eps_yd = (1.0 - 1.0 / set->xi_limit) * eps_cu0;
        }
        if (s->eps_yd > s->eps_uk) {
            if (s->eps_yd > s->eps_uk + 0.001) result = 1;
            s->eps_yd = s->eps_uk;
        }
        s->value_4 = 0.0;
    }

    if (old_set) {
        set->xi_limit = 0.0;
    } else if (has_concrete && Steel_Count(set) > 0) {
        const double e = set->steel[0].eps_yd;
        const double u = set->concrete[0].eps_cu;
        const bool derive = set->xi_limit < 0.001 || set->steel[0].eps_yd == set->steel[0].eps_uk;
        if (derive) {
            if (u - e != 0.0) set->xi_limit = u / (u - e);
        } else if (set->xi_limit > 0.999) {
            set->xi_limit = 1.0;
        }
    }

    if (set->nonlinear_analysis && set->gamma_c > 1.01) {
        const double g = set->situation_code ? 1.1 : 1.3;
        const double rc = g / set->gamma_c;
        const double rs = g / set->gamma_s;
        set->gamma_c = g;
        set->gamma_s = g;
        for (int i = 0; i < Concrete_Count(set); ++i) {
            Concrete_Record* c = &set->concrete[i];
            c->fck *= rc;
            double eps_cu1 = 0.0;
            c->eps_c2 = Get_Concrete_Eps_C1(code, c->class_index, c->fck, c->density, &eps_cu1);
            c->eps_cu = eps_cu1;
            c->fctm *= rc;
            c->fcm *= rc;
            c->e_modulus *= rc;
            c->fcd = c->fck * c->alpha_cc / g;
        }
        for (int i = 0; i < Steel_Count(set); ++i) {
            Steel_Record* s = &set->steel[i];
            s->fyk *= rs;
            s->ftk *= rs;
            s->fyd = s->fyk / g;
            s->ftd = s->ftk / g;
        }
    }
    return result;
}

double Get_Concrete_Tau_Rd(int class_index, double fck)
{
    static const double oenorm_tau_rd[CONCRETE_OENORM_COUNT] = {0.18, 0.22, 0.24, 0.26, 0.27,
                                                                0.28, 0.30, 0.31, 0.32, 0.33};
    if (class_index >= CONCRETE_FIRST_OENORM && class_index < CONCRETE_FREE)
        return oenorm_tau_rd[class_index - CONCRETE_FIRST_OENORM];
    return 0.09 * std::cbrt(fck);
}

double Get_Plain_Concrete_Gamma_C(int situation, double fck, double gamma_c)
{
    if (fck > 549.5) return gamma_c;
    const double kappa = fck < 50.0 ? 1.0 : 1.1 - 0.002 * fck;
    switch (situation) {
    case 0: return 1.8 / kappa;
    case 1: return 1.55 / kappa;
    case 2: return 1.2 * gamma_c;
    default: return 1.0;
    }
}

double Get_Depth_Ratio_Limit(const Material_Set* set, double given)
{
    if (set == nullptr || set->new_standard == 0 || Concrete_Count(set) == 0) return given;
    const Concrete_Record& c = set->concrete[0];
    double limit;
    if (c.fck < 54.9) {
        if (set->en1992_2) limit = c.lightweight ? 0.23 : 0.30;
        else limit = c.lightweight ? 0.35 : 0.45;
    } else {
        limit = set->en1992_2 ? 0.23 : 0.35;
    }
    if (given < 0.001 || given > limit) return limit;
    return given;
}
