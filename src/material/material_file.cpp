#include "material/material_file.h"

#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "annex/nad_choice.h"
#include "annex/nad_legacy.h"
#include "annex/nad_sections.h"
#include "base/alloc.h"
#include "base/exchange_text.h"
#include "base/run_globals.h"
#include "material/masonry.h"
#include "material/material_set.h"
#include "platform/messages.h"

namespace {

// The file numbers of the glass-fibre bar and the lattice-girder steel, and the number
// under which blocks before version 19 stored the free steel.
constexpr int FILE_GLASS_FIBRE = 100 + STEEL_GLASS_FIBRE;        // 105
constexpr int FILE_LATTICE_GIRDER = 100 + STEEL_LATTICE_GIRDER;  // 106
constexpr int OLD_FREE_STEEL = STEEL_FIRST_CLASS + STEEL_CURRENT_COUNT - 4;  // 9

// Versions from this number on are never taken as newer than the program.
constexpr int VERSION_ALWAYS_CURRENT = 9999;

int File_Steel_Number(int steel_index)
{
    if (steel_index == STEEL_GLASS_FIBRE) return FILE_GLASS_FIBRE;
    if (steel_index == STEEL_LATTICE_GIRDER) return FILE_LATTICE_GIRDER;
    return steel_index;
}

// Collects the results of the formatted writes; the first negative one marks the block
// as failed, and nothing more is written after it.
class Block_Writer {
public:
    explicit Block_Writer(FILE* stream) : stream_(stream) {}

    void Put(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        if (failed_) return;
        va_list args;
        va_start(args, format);
        if (std::vfprintf(stream_, format, args) < 0) failed_ = true;
        va_end(args);
    }
    // A line end whose result the block does not depend on.
    void End_Line()
    {
        if (!failed_) std::fputc('\n', stream_);
    }
    bool Failed() const { return failed_; }

private:
    FILE* stream_;
    bool failed_ = false;
};

// The entered long-term factor of the concrete: value_2 when given; otherwise, outside
// the Eurocodes (where 0 means "from the annex"), the factor in use, so that a factor set
// only in alpha_cc is not lost.
double Entered_Alpha(const Material_Set& set, const Concrete_Record& concrete)
{
    if (concrete.value_2 >= 0.001) return concrete.value_2;
    if (set.en1992_1_1 || set.en1992_2) return 0.0;
    return concrete.alpha_cc;
}

// Gives the set two steel records, both copies of its first (zeroed when it has none).
bool Ensure_Two_Steels(Material_Set& set)
{
    if (set.n_steel >= 2 && set.steel) return true;
    auto* steels = static_cast<Steel_Record*>(MEM_CALLOC(2, sizeof(Steel_Record)));
    if (!steels) return false;
    if (set.n_steel >= 1 && set.steel) {
        Copy_Steel_Record(&set.steel[0], &steels[0]);
        Copy_Steel_Record(&set.steel[0], &steels[1]);
    }
    MEM_FREE(set.steel);
    set.steel = steels;
    set.n_steel = 2;
    return true;
}

// Reading: every conversion must deliver all its items.
bool Scan_Int(FILE* stream, int& value) { return std::fscanf(stream, "%d", &value) == 1; }
bool Scan_Double(FILE* stream, double& value) { return std::fscanf(stream, "%lf", &value) == 1; }

bool Is_Free_Steel(int steel_index, int version)
{
    return steel_index >= STEEL_FREE || (version <= 18 && steel_index == OLD_FREE_STEEL);
}

// The four design values of a steel; the characteristic ones follow from γs.
bool Read_Steel_Values(FILE* stream, Steel_Record& steel, double gamma_s)
{
    if (std::fscanf(stream, "%lf%lf%lf%lf", &steel.fyd, &steel.ftd, &steel.eps_uk, &steel.es) != 4)
        return false;
    steel.fyk = steel.fyd * gamma_s;
    steel.ftk = steel.ftd * gamma_s;
    return true;
}

// Skips the characters up to and including the next line end (or to the end of the file).
void Skip_Rest_Of_Line(FILE* stream)
{
    int c;
    do {
        c = std::fgetc(stream);
    } while (c != EOF && c != '\n');
}

void Renumber_Read_Steel(Steel_Record& steel, int version)
{
    if (steel.steel_index == FILE_GLASS_FIBRE)
        steel.steel_index = STEEL_GLASS_FIBRE;
    else if (steel.steel_index == FILE_LATTICE_GIRDER)
        steel.steel_index = STEEL_LATTICE_GIRDER;
    else if (version <= 18 && steel.steel_index == OLD_FREE_STEEL)
        steel.steel_index = STEEL_FREE;
}

}  // namespace

int Write_Material_Set(FILE* stream, Material_Set* set)
{
    if (!stream || !set || set->n_concrete < 1 || !set->concrete) return 1;
    if (!Ensure_Two_Steels(*set)) return 1;

    const Material_Set& s = *set;
    const Concrete_Record& concrete = s.concrete[0];
    const Steel_Record& bottom = s.steel[0];
    const Steel_Record& top = s.steel[1];
    Block_Writer out(stream);

    out.Put("%d", s.new_standard ? -MATERIAL_FILE_VERSION : -1);
    out.Put(" %d %lf %lf", s.situation_code, s.gamma_c, s.gamma_s);
    if (s.new_standard) {
        out.Put(" %d %lf %d %d %d", s.law_choice, s.modular_ratio, s.din_2008_rules, s.oenorm,
                s.en1992_1_1);
        out.Put(" %d", s.stored_int_b);
        out.Put(" %d", s.stored_int_a);
        out.Put(" %d", s.en1992_2);
    }
    out.End_Line();

    // The file's own numbers of the glass-fibre bar and the lattice-girder steel are
    // written in place of the class indices; the set keeps its indices.
    out.Put("%d %d %d %d %lf", ~concrete.class_index, ~File_Steel_Number(bottom.steel_index),
            File_Steel_Number(top.steel_index), concrete.lightweight, concrete.density);
    out.End_Line();
    if (!s.new_standard) return out.Failed() ? 1 : 0;

    const double* creep = concrete.tension_values;
    out.Put(" %lf", concrete.creep_coeff);
    out.Put(" %d %d %d %lf %lf %lf %lf %lf", concrete.int_a, concrete.int_b, concrete.int_c,
            creep[CREEP_INPUT_U], creep[CREEP_INPUT_RH], creep[CREEP_INPUT_T0],
            creep[CREEP_INPUT_FACTOR], concrete.shrink_strain);
    out.Put(" %lf %lf\n", creep[CREEP_INPUT_AC], creep[CREEP_INPUT_H0]);

    out.Put("%lf %lf %lf %lf %lf %lf", concrete.fck, Entered_Alpha(s, concrete), concrete.eps_c2,
            concrete.eps_cu, concrete.n_exp, concrete.e_modulus);
    out.Put(" %lf", concrete.fctm);
    out.End_Line();

    out.Put("%lf %lf %lf %lf\n", bottom.fyd, bottom.ftd, bottom.eps_uk, bottom.es);
    out.Put("%lf %lf %lf %lf\n", top.fyd, top.ftd, top.eps_uk, top.es);
    out.Put("%lf %lf\n", bottom.fyk_c, top.fyk_c);

    out.Put(" %d", Get_DIN1045_1_Edition());
    if (out.Failed()) return 1;
    NAD_Save_Choice(stream, 0);
    return 0;
}

int Read_Material_Set(FILE* stream, Material_Set* set)
{
    if (!stream || !set) return 1;
    if (Alloc_Material_Set(set, 1, 2) != 0) return 1;
    Material_Set& s = *set;
    Concrete_Record& concrete = s.concrete[0];
    Steel_Record& bottom = s.steel[0];
    Steel_Record& top = s.steel[1];

    int header = 0;
    if (!Scan_Int(stream, header)) return 1;

    int version = 0;
    int concrete_code = 0, steel_code = 0;
    if (header < 0) {
        const int64_t v = -static_cast<int64_t>(header);
        if (v > MATERIAL_FILE_VERSION && v < VERSION_ALWAYS_CURRENT) {
            if (!refresh_mode) PrintMessage("!! ACHTUNG !!\nEingabedatei aktueller als Programmversion");
            return 1;
        }
        // A block from 9999 on is read as one of the current layout.
        version = (v >= VERSION_ALWAYS_CURRENT) ? MATERIAL_FILE_VERSION : static_cast<int>(v);
        s.new_standard = (version >= 2) ? 1 : 0;

        if (std::fscanf(stream, "%d%lf%lf", &s.situation_code, &s.gamma_c, &s.gamma_s) != 3) return 1;
        if (version >= 4) {
            if (std::fscanf(stream, "%d%lf", &s.law_choice, &s.modular_ratio) != 2) return 1;
        } else {
            s.law_choice = 1;
            s.modular_ratio = 10.0;
        }
        if (version >= 5 && !Scan_Int(stream, s.din_2008_rules)) return 1;
        if (version >= 9 && !Scan_Int(stream, s.oenorm)) return 1;
        if (version >= 10 && !Scan_Int(stream, s.en1992_1_1)) return 1;
        if (version >= 16) {
            int steel_in_concrete = 0;
            if (!Scan_Int(stream, steel_in_concrete)) return 1;
        }
        s.stored_int_b = 0;  // the steel-in-concrete flag is never taken from a file
        if (version >= 17 && !Scan_Int(stream, s.stored_int_a)) return 1;
        if (version >= 18 && !Scan_Int(stream, s.en1992_2)) return 1;
        if (std::fscanf(stream, "%d%d", &concrete_code, &steel_code) != 2) return 1;
    } else {
        // A block without header: its first number is the concrete code.
        concrete_code = header;
        if (!Scan_Int(stream, steel_code)) return 1;
        s.new_standard = 0;
        s.din_2008_rules = s.oenorm = s.en1992_1_1 = s.en1992_2 = 0;
        s.situation_code = 0;
        s.law_choice = 0;
        s.stored_int_a = s.stored_int_b = 0;
        s.gamma_c = s.gamma_s = 1.0;
        s.modular_ratio = 0.0;
    }
    s.nonlinear_analysis = 0;
    s.xi_limit = 0.0;

    bool top_copies_bottom = false;
    if (steel_code < 0) {
        bottom.steel_index = ~steel_code;
        if (!Scan_Int(stream, top.steel_index)) return 1;
    } else {
        bottom.steel_index = steel_code;
        top_copies_bottom = true;
    }

    if (concrete_code < 0) {
        concrete.class_index = ~concrete_code;
        if (std::fscanf(stream, "%d%lf", &concrete.lightweight, &concrete.density) != 2) return 1;
    } else {
        concrete.class_index = concrete_code;
        concrete.lightweight = 0;
        concrete.density = 2200.0;
    }

    // Creep and shrinkage.
    double* creep = concrete.tension_values;
    if (version >= 6 && !Scan_Double(stream, concrete.creep_coeff)) return 1;
    if (version >= 7) {
        if (std::fscanf(stream, "%d%d%d%lf%lf%lf%lf%lf", &concrete.int_a, &concrete.int_b,
                        &concrete.int_c, &creep[CREEP_INPUT_U], &creep[CREEP_INPUT_RH],
                        &creep[CREEP_INPUT_T0], &creep[CREEP_INPUT_FACTOR],
                        &concrete.shrink_strain) != 8)
            return 1;
    } else {
        concrete.int_a = 0;
        concrete.int_b = 0;
        concrete.int_c = 1;
        creep[CREEP_INPUT_U] = 0.0;
        creep[CREEP_INPUT_RH] = 50.0;
        creep[CREEP_INPUT_T0] = 28.0;
        creep[CREEP_INPUT_FACTOR] = 1.0;
        concrete.shrink_strain = 0.0;
    }
    if (version >= 8 && !Scan_Double(stream, creep[CREEP_INPUT_AC])) return 1;
    if (version >= 11 && !Scan_Double(stream, creep[CREEP_INPUT_H0])) return 1;

    // The law of a free concrete (stored for every concrete from version 9 on).
    if (concrete.class_index >= CONCRETE_FREE || version >= 9) {
        if (!Scan_Double(stream, concrete.fck)) return 1;
        double alpha = 0.0;
        if (version <= 9) {
            double fcd = 0.0;
            if (!Scan_Double(stream, fcd)) return 1;
            alpha = (concrete.fck >= 0.001) ? s.gamma_c * fcd / concrete.fck : 0.0;
        } else {
            if (!Scan_Double(stream, alpha)) return 1;
            // Before version 20 the factor in use was stored; under the Eurocodes it is to
            // come from the annex.
            if (version < 20 && (s.en1992_1_1 || s.en1992_2)) alpha = 0.0;
        }
        if (std::fscanf(stream, "%lf%lf%lf%lf", &concrete.eps_c2, &concrete.eps_cu,
                        &concrete.n_exp, &concrete.e_modulus) != 4)
            return 1;
        if (version >= 3 && !Scan_Double(stream, concrete.fctm)) return 1;
        concrete.value_2 = alpha;
        concrete.alpha_cc = alpha;
    }
    concrete.fcm = 0.0;
    concrete.strain_shift = 0.0;
    concrete.law_value_a = 0.0;
    concrete.law_value_b = 0.0;

    // Steel values.
    if (Is_Free_Steel(bottom.steel_index, version) || version >= 9) {
        if (!Read_Steel_Values(stream, bottom, s.gamma_s)) return 1;
        if (version >= 15 && !Read_Steel_Values(stream, top, s.gamma_s)) return 1;
    }
    const int top_index = top_copies_bottom ? bottom.steel_index : top.steel_index;
    if ((version >= 9 && version <= 14) || (version <= 8 && Is_Free_Steel(top_index, version))) {
        ZXP_Skip_Line(stream);
        ZXP_Skip_Line(stream);
        top_copies_bottom = true;
    }
    if (!s.new_standard) Skip_Rest_Of_Line(stream);
    if (version >= 13 && !Scan_Double(stream, bottom.fyk_c)) return 1;
    if (version >= 15) {
        if (!Scan_Double(stream, top.fyk_c)) return 1;
    } else if (version >= 13) {
        ZXP_Skip_Line(stream);
    }

    if (top_copies_bottom) top = bottom;
    bottom.value_8 = 0.0;
    top.value_8 = 0.0;
    Renumber_Read_Steel(bottom, version);
    Renumber_Read_Steel(top, version);

    if (version >= 14) {
        int edition = 0;
        if (!Scan_Int(stream, edition)) return 1;
        Set_DIN1045_1_Edition(edition);
    }
    if (version >= 12) {
        if (NAD_Read_Legacy_Choice(stream))
            NAD_Select_By_Name(NAD_Get_Legacy_Name());
        else
            NAD_Read_Active_Name(stream);
    }
    return Calc_Material_Set(set, 1) != 0 ? 1 : 0;
}

int Write_Masonry_Record(FILE* stream, const Masonry_Record* record)
{
    if (!stream || !record) return 1;
    const Masonry_Record& r = *record;
    Block_Writer out(stream);
    out.Put(" %d\n", 0);
    out.Put(" %d %d\n", r.strength_class, r.mortar_group);
    out.Put(" %lf %lf %lf %lf %lf %lf %lf %lf\n", r.k0, r.gamma_M0, r.fk, r.reduction_factor,
            r.E_M, r.fbk, r.fbt, r.fvk0);
    out.Put(" %d\n", r.user_defined);
    return out.Failed() ? 1 : 0;
}

int Read_Masonry_Record(FILE* stream, Masonry_Record* record)
{
    if (!stream || !record) return 1;
    int version = 0;
    if (!Scan_Int(stream, version)) return 1;
    if (version > 0 && version < VERSION_ALWAYS_CURRENT) return 1;
    if (Reset_Masonry_Record(record) != 0) return 1;
    Masonry_Record& r = *record;
    if (std::fscanf(stream, "%d%d", &r.strength_class, &r.mortar_group) != 2) return 1;
    if (std::fscanf(stream, "%lf%lf%lf%lf%lf%lf%lf%lf", &r.k0, &r.gamma_M0, &r.fk,
                    &r.reduction_factor, &r.E_M, &r.fbk, &r.fbt, &r.fvk0) != 8)
        return 1;
    if (!Scan_Int(stream, r.user_defined)) return 1;
    Check_Masonry_Record(record);
    return Calc_Masonry_Record(record) != 0 ? 1 : 0;
}
