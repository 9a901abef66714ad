#include "material/class_names.h"

#include "base/alloc.h"
#include "material/material_props.h"

#include <cstdint>
#include <cstring>

namespace {

char concrete_class_name_buffer[32];
char steel_class_name_buffer[32];

char* Fill_Buffer(char (&buffer)[32], const char* text)
{
    std::memset(buffer, 0, sizeof buffer);
    std::strncpy(buffer, text, sizeof buffer - 1);
    return buffer;
}

// What the fatigue preparation changes, kept for Restore_Material_Set. One backup for the
// whole program.
struct Fatigue_Material_Backup {
    bool held = false;
    // concrete record 0
    bool has_concrete = false;
    int class_index = 0;
    double fck = 0.0;
    double alpha_cc = 0.0;
    int law_kind = 0;
    double eps_c2 = 0.0;
    double eps_cu = 0.0;
    double n_exp = 0.0;
    double e_modulus = 0.0;
    double density = 0.0;
    double fctm = 0.0;
    double fcm = 0.0;
    double strain_shift = 0.0;
    // the set
    double gamma_c = 0.0;
    double gamma_s = 0.0;
    // per steel record
    int n_steel = 0;
    int* steel_index = nullptr;
    double* fyk = nullptr;
    double* fyk_c = nullptr;
    double* ftk = nullptr;
    double* eps_uk = nullptr;
    double* eps_yd = nullptr;
    double* es = nullptr;
    double* value_4 = nullptr;
};

Fatigue_Material_Backup fatigue_material_backup;

const char* const kSetSource = "c:/src/material/stbmat";
constexpr int kFirstAllocLine = 1322;
constexpr int kFirstFreeLine = 1492;

void* Alloc_Backup_Array(int index, int count, size_t size)
{
    if (static_cast<uint64_t>(count) * size > UINT32_MAX) return nullptr;
    return Mem_Calloc(kSetSource, kFirstAllocLine + index, "null", static_cast<uint32_t>(count),
                      static_cast<uint32_t>(size));
}

template <typename T>
void Free_Backup_Array(int index, T*& block)
{
    if (block) Mem_Free(kSetSource, kFirstFreeLine + index, "null", block);
    block = nullptr;
}

void Free_Backup_Arrays(Fatigue_Material_Backup& b)
{
    Free_Backup_Array(0, b.steel_index);
    Free_Backup_Array(1, b.fyk);
    Free_Backup_Array(2, b.fyk_c);
    Free_Backup_Array(3, b.ftk);
    Free_Backup_Array(4, b.eps_uk);
    Free_Backup_Array(5, b.eps_yd);
    Free_Backup_Array(6, b.es);
    Free_Backup_Array(7, b.value_4);
    b.n_steel = 0;
}

int Steel_Count(const Material_Set* set)
{
    return (set->steel != nullptr && set->n_steel > 0) ? set->n_steel : 0;
}

bool Has_Concrete(const Material_Set* set)
{
    return set->concrete != nullptr && set->n_concrete > 0;
}

// The eight per-steel arrays; on a failure none is kept.
bool Alloc_Backup_Arrays(Fatigue_Material_Backup& b, int n_steel)
{
    b.n_steel = n_steel;
    if (n_steel == 0) return true;
    const auto count = n_steel;
    b.steel_index = static_cast<int*>(Alloc_Backup_Array(0, count, sizeof(int)));
    b.fyk = static_cast<double*>(Alloc_Backup_Array(1, count, sizeof(double)));
    b.fyk_c = static_cast<double*>(Alloc_Backup_Array(2, count, sizeof(double)));
    b.ftk = static_cast<double*>(Alloc_Backup_Array(3, count, sizeof(double)));
    b.eps_uk = static_cast<double*>(Alloc_Backup_Array(4, count, sizeof(double)));
    b.eps_yd = static_cast<double*>(Alloc_Backup_Array(5, count, sizeof(double)));
    b.es = static_cast<double*>(Alloc_Backup_Array(6, count, sizeof(double)));
    b.value_4 = static_cast<double*>(Alloc_Backup_Array(7, count, sizeof(double)));
    if (b.steel_index && b.fyk && b.fyk_c && b.ftk && b.eps_uk && b.eps_yd && b.es && b.value_4)
        return true;
    Free_Backup_Arrays(b);
    return false;
}

void Save_Backup(Fatigue_Material_Backup& b, const Material_Set* set)
{
    b.has_concrete = Has_Concrete(set);
    if (b.has_concrete) {
        const Concrete_Record& c = set->concrete[0];
        b.class_index = c.class_index;
        b.fck = c.fck;
        b.alpha_cc = c.alpha_cc;
        b.law_kind = c.law_kind;
        b.eps_c2 = c.eps_c2;
        b.eps_cu = c.eps_cu;
        b.n_exp = c.n_exp;
        b.e_modulus = c.e_modulus;
        b.density = c.density;
        b.fctm = c.fctm;
        b.fcm = c.fcm;
        b.strain_shift = c.strain_shift;
    }
    b.gamma_c = set->gamma_c;
    b.gamma_s = set->gamma_s;
    for (int i = 0; i < b.n_steel; ++i) {
        const Steel_Record& s = set->steel[i];
        b.steel_index[i] = s.steel_index;
        b.fyk[i] = s.fyk;
        b.fyk_c[i] = s.fyk_c;
        b.ftk[i] = s.ftk;
        b.eps_uk[i] = s.eps_uk;
        b.eps_yd[i] = s.eps_yd;
        b.es[i] = s.es;
        b.value_4[i] = s.value_4;
    }
    b.held = true;
}

// Writes the saved values back into the set (without recomputing it).
void Write_Backup(const Fatigue_Material_Backup& b, Material_Set* set)
{
    if (b.has_concrete && Has_Concrete(set)) {
        Concrete_Record& c = set->concrete[0];
        c.class_index = b.class_index;
        c.fck = b.fck;
        c.alpha_cc = b.alpha_cc;
        c.law_kind = b.law_kind;
        c.eps_c2 = b.eps_c2;
        c.eps_cu = b.eps_cu;
        c.n_exp = b.n_exp;
        c.e_modulus = b.e_modulus;
        c.density = b.density;
        c.fctm = b.fctm;
        c.fcm = b.fcm;
        c.strain_shift = b.strain_shift;
    }
    set->gamma_c = b.gamma_c;
    set->gamma_s = b.gamma_s;
    const int n = b.n_steel < Steel_Count(set) ? b.n_steel : Steel_Count(set);
    for (int i = 0; i < n; ++i) {
        Steel_Record& s = set->steel[i];
        s.steel_index = b.steel_index[i];
        s.fyk = b.fyk[i];
        s.fyk_c = b.fyk_c[i];
        s.ftk = b.ftk[i];
        s.eps_uk = b.eps_uk[i];
        s.eps_yd = b.eps_yd[i];
        s.es = b.es[i];
        s.value_4 = b.value_4[i];
    }
}

void Convert_Concrete(Material_Set* set, Concrete_Record& c, int code, double gc)
{
    switch (set->law_choice) {
    case 2:
    case 3: {
        // Linear-elastic law, with the concrete's modulus (2) or from the modular ratio (3).
        c.fcd = c.alpha_cc * c.fck / gc;
        double modulus = 0.0;
        bool usable = false;
        if (set->law_choice == 2) {
            usable = c.e_modulus > 0.001;
            if (usable) modulus = c.e_modulus / gc;
        } else if (Steel_Count(set) > 0) {
            const double es = set->steel[0].es;
            usable = es > 0.001 && set->modular_ratio > 0.001;
            if (usable) modulus = es / (set->modular_ratio * gc);
        }
        if (usable) {
            c.eps_c2 = -c.fcd / modulus * 1000.0;
            if (c.eps_c2 < c.eps_cu) c.eps_c2 = c.eps_cu;
        } else {
            // No modulus: the bilinear law.
            double eps_cu3 = 0.0;
            const double eps_c3 = Get_Concrete_Eps_C3(code, c.class_index, c.fck, c.density, &eps_cu3);
            c.eps_c2 = eps_c3;
            c.eps_cu = eps_cu3;
            modulus = eps_c3 != 0.0 ? c.fcd / -eps_c3 * 1000.0 : 0.0;
        }
        c.e_modulus = modulus;
        c.fctm /= gc;
        c.n_exp = 1.0;
        c.law_kind = 0;
        break;
    }
    case 1:
        // Nonlinear law with the mean strength.
        c.fcd = c.fcm / gc;
        c.e_modulus /= gc;
        c.fctm /= gc;
        if (c.class_index < CONCRETE_FREE) {
            double eps_cu1 = 0.0;
            const double eps_c1 = Get_Concrete_Eps_C1(code, c.class_index, c.fck, c.density, &eps_cu1);
            c.eps_c2 = eps_c1;
            c.eps_cu = eps_cu1;
            c.n_exp = Calc_Nonlinear_Law_K(code, c.fcm / gc, c.e_modulus, eps_c1);
        }
        c.law_kind = 1;
        break;
    default:
        // Parabola-rectangle law with design values.
        c.fcd = c.alpha_cc * c.fck / gc;
        c.e_modulus /= gc;
        c.fctm /= gc;
        c.law_kind = 0;
        break;
    }
    // A later computation keeps the converted values of a free concrete.
    c.class_index = CONCRETE_FREE;

    if (c.creep_coeff > 0.001) {
        c.eps_c2 *= 1.0 + c.creep_coeff;
        c.eps_cu *= 1.0 + c.creep_coeff;
        c.e_modulus /= 1.0 + c.creep_coeff;
    }
    c.strain_shift = c.shrink_strain < -0.001 ? -c.shrink_strain : 0.0;
}

}  // namespace

char* Get_Concrete_Class_Name(int class_index)
{
    const char* text = "";
    if (class_index >= 0 && class_index < CONCRETE_FIRST_CLASS)
        text = din1045_concrete_class_names[class_index];
    else if (class_index >= CONCRETE_FIRST_CLASS && class_index < CONCRETE_FREE)
        text = concrete_class_names[class_index - CONCRETE_FIRST_CLASS];
    else if (class_index == CONCRETE_FREE)
        text = "frei";
    return Fill_Buffer(concrete_class_name_buffer, text);
}

char* Get_Steel_Class_Name(int steel_index, int bending_design)
{
    const char* text = "";
    if (steel_index >= 0 && steel_index < STEEL_FIRST_CLASS)
        text = din1045_steel_class_names[steel_index];
    else if (steel_index >= STEEL_FIRST_CLASS && steel_index < STEEL_FREE)
        text = steel_class_names[steel_index - STEEL_FIRST_CLASS];
    else if (steel_index == STEEL_FREE)
        text = bending_design ? "Biegebemessung" : "frei";
    return Fill_Buffer(steel_class_name_buffer, text);
}

int Prepare_Fatigue_Material_Set(Material_Set* set, double gamma_c, double gamma_s, int mode)
{
    if (set == nullptr) return 0;
    Fatigue_Material_Backup& b = fatigue_material_backup;
    if (b.held) {
        // A second preparation keeps the first backup: convert from the original values
        // again instead of converting the converted set a second time.
        Write_Backup(b, set);
    } else {
        if (!Alloc_Backup_Arrays(b, Steel_Count(set))) return 0;
        Save_Backup(b, set);
    }

    const int code = Material_Set_Norm_Code(set);
    double gc = gamma_c;
    double gs = gamma_s;
    if (mode == 1) {
        gc = 1.0;
        gs = 1.0;
        if (set->new_standard != 0 && (set->en1992_1_1 || set->en1992_2) && set->annex) {
            gc = set->annex->gamma_c_sls;
            gs = set->annex->gamma_s_sls;
        }
        if (Has_Concrete(set)) set->concrete[0].alpha_cc = 1.0;
    }
    // A factor that cannot divide stands for 1.0.
    if (!(gc >= 0.001)) gc = 1.0;
    if (!(gs >= 0.001)) gs = 1.0;

    if (set->law_choice != 4) {
        for (int i = 0; i < Steel_Count(set); ++i) {
            Steel_Record& s = set->steel[i];
            s.fyd = s.fyk / gs;
            if (s.steel_index == 4) {
                // B500B with its product values instead of those of the design law.
                s.ftk = 1.08 * s.fyk;
                s.eps_uk = 50.0;
            }
            s.ftd = s.ftk / gs;
            if (s.es > 0.0) s.eps_yd = 1000.0 * s.fyd / s.es;
        }
        if (Has_Concrete(set)) Convert_Concrete(set, set->concrete[0], code, gc);
    }
    set->gamma_c = gc;
    set->gamma_s = gs;
    return 1;
}

int Restore_Material_Set(Material_Set* set)
{
    Fatigue_Material_Backup& b = fatigue_material_backup;
    if (set == nullptr || !b.held) return 0;
    Write_Backup(b, set);
    Calc_Material_Set(set, 0);
    b.held = false;
    Free_Backup_Arrays(b);
    return 1;
}
