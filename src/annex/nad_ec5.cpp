#include "annex/nad_ec5.h"

#include "annex/nad_sections.h"

namespace {

constexpr double gamma_M_material_defaults[NAD_EC5_MATERIALS] = {
    1.2,   // LVL, plywood, OSB
    1.3,   // particle board
    1.3,   // hard fibreboard
    1.3,   // medium fibreboard
    1.3,   // MDF
    1.3,   // soft fibreboard
    1.3,   // connections
    1.25,  // punched metal plates
    1.3,   // steel in connections
    1.3,   // plasterboard
};

constexpr double k_mod_defaults[NAD_EC5_LOAD_DURATIONS][NAD_EC5_SERVICE_CLASSES] = {
    {0.60, 0.60, 0.50},  // permanent
    {0.70, 0.70, 0.55},  // long-term
    {0.80, 0.80, 0.65},  // medium-term
    {0.90, 0.90, 0.70},  // short-term
    {1.10, 1.10, 0.90},  // very short-term
};

// Reads the block field by field. Every conversion must succeed; the first one that
// fails ends the block with what has been read so far.
class Block_Reader {
public:
    explicit Block_Reader(FILE* stream) : stream_(stream) {}
    bool ok() const { return ok_; }

    void Int(int* field) {
        int value;
        if (ok_ && std::fscanf(stream_, "%d", &value) == 1)
            *field = value;
        else
            ok_ = false;
    }
    void Double(double* field) {
        double value;
        if (ok_ && std::fscanf(stream_, "%lf", &value) == 1)
            *field = value;
        else
            ok_ = false;
    }
    void Skip_Int() {
        int ignored;
        Int(&ignored);
    }
    void Skip_Double() {
        double ignored;
        Double(&ignored);
    }

private:
    FILE* stream_;
    bool ok_ = true;
};

// Torsion factor of k_shape as older blocks imply it: the German annex or EC5.
void Set_K_Shape_By_Flag(NAD_EC5_Params& r) {
    if (r.na_de_flag) {
        r.k_shape_factor = 0.05;
        r.k_shape_max = 1.3;
    } else {
        r.k_shape_factor = 0.15;
        r.k_shape_max = 2.0;
    }
}

// Completes a block of an older version: the German-annex switches that the block did
// not hold follow its NA-DE flag, and so does k_shape. switches_held counts the switches
// the block held, in file order (sill pressure, wall diaphragm, tension joints, drilling).
void Upgrade(NAD_EC5_Params& r, int switches_held) {
    int* switches[4] = {&r.sill_pressure_increase, &r.wall_diaphragm_reduction,
                        &r.tension_joints, &r.steel_part_drilling};
    for (int i = switches_held; i < 4; ++i) *switches[i] = r.na_de_flag ? 1 : 0;
    Set_K_Shape_By_Flag(r);
}

void Trace_Ok(int version) {
    if (nad_trace) std::printf(" EC5: version=%2d  (ok)\n", version);
}

void Trace_Failed() {
    if (nad_trace) std::printf(" EC5:              (failed)\n");
    NAD_Note_Read_Failure("EC5");
}

// Reads the block body behind the section line and completes an older block; false when
// a conversion failed (no completion then).
bool Read_Block(FILE* stream, NAD_EC5_Params& r) {
    Block_Reader in(stream);
    int v = 0;
    int na_de = 0;
    in.Int(&v);
    in.Int(&na_de);
    if (!in.ok()) return false;
    r.version = v;
    r.na_de_flag = na_de;

    if (v == 0) in.Skip_Double();
    if (!in.ok()) return false;
    if (v < 1) {
        Upgrade(r, 0);
        return true;
    }

    in.Int(&r.load_duration_table);
    // An older form of the crack factor, superseded by the fields further down.
    in.Skip_Int();
    in.Skip_Double();
    in.Skip_Double();
    in.Skip_Double();
    if (!in.ok()) return false;
    if (v < 2) {
        Upgrade(r, 0);
        return true;
    }

    in.Int(&r.penetration_depth_rule);
    if (!in.ok()) return false;
    if (v < 3) {
        Upgrade(r, 0);
        return true;
    }

    // gamma_M of solid timber, glulam and accidental are taken from their two-decimal
    // place further down; here they are skipped.
    in.Skip_Double();
    in.Skip_Double();
    for (int i = 0; i < 4; ++i) in.Double(&r.gamma_M_material[i]);
    for (int i = 4; i < 8; ++i) in.Double(&r.gamma_M_material[i]);
    in.Skip_Double();
    in.Double(&r.gamma_M_material[NAD_EC5_STEEL_IN_CONNECTIONS]);
    in.Double(&r.gamma_M_material[NAD_EC5_PLASTERBOARD]);
    in.Int(&r.kmod_table);
    if (!in.ok()) return false;
    if (v < 4) {
        Upgrade(r, 0);
        return true;
    }

    in.Int(&r.profiled_nail_table);
    if (!in.ok()) return false;
    if (v < 5) {
        Upgrade(r, 0);
        return true;
    }
    in.Int(&r.threaded_rods);
    if (!in.ok()) return false;
    if (v < 6) {
        Upgrade(r, 0);
        return true;
    }
    in.Int(&r.lateral_torsional_buckling);
    in.Int(&r.fasteners_simplified);
    if (!in.ok()) return false;
    if (v < 7) {
        Upgrade(r, 0);
        return true;
    }

    in.Int(&r.kmod_na1_b);
    in.Double(&r.gamma_M_solid);
    in.Double(&r.gamma_M_glulam);
    in.Double(&r.gamma_M_accidental);
    for (int sc = 0; sc < NAD_EC5_SERVICE_CLASSES; ++sc)
        for (int d = 0; d < NAD_EC5_LOAD_DURATIONS; ++d) in.Double(&r.k_mod[d][sc]);
    for (int sc = 0; sc < NAD_EC5_SERVICE_CLASSES; ++sc) in.Double(&r.k_def[sc]);
    for (int span = 0; span < 2; ++span)
        for (int check = 0; check < 3; ++check) in.Double(&r.deflection_limits[check][span]);
    if (!in.ok()) return false;
    if (v < 8) {
        Upgrade(r, 0);
        return true;
    }

    in.Int(&r.crack_factor_method);
    in.Double(&r.k_cr_solid_glulam);
    in.Double(&r.k_cr_other);
    if (!in.ok()) return false;
    if (v < 9) {
        Upgrade(r, 0);
        return true;
    }
    in.Int(&r.net_deflection_combination);
    if (!in.ok()) return false;
    if (v < 10) {
        Upgrade(r, 0);
        return true;
    }

    in.Int(&r.fire_line_flag);
    in.Double(&r.gamma_M_fire);
    if (!in.ok()) return false;
    if (v < 11) {
        Upgrade(r, 0);
        return true;
    }

    in.Int(&r.sill_pressure_increase);
    if (!in.ok()) return false;
    if (v < 12) {
        Upgrade(r, 1);
        return true;
    }
    in.Int(&r.wall_diaphragm_reduction);
    if (!in.ok()) return false;
    if (v < 13) {
        Upgrade(r, 2);
        return true;
    }
    in.Int(&r.tension_joints);
    if (!in.ok()) return false;
    if (v < 14) {
        Upgrade(r, 3);
        return true;
    }
    in.Int(&r.steel_part_drilling);
    if (!in.ok()) return false;

    if (v == 14) {
        Set_K_Shape_By_Flag(r);
        return true;
    }
    in.Double(&r.k_shape_factor);
    in.Double(&r.k_shape_max);
    if (v >= 16) in.Double(&r.slenderness_factor);
    if (v >= 17) in.Double(&r.gamma_M_clt);
    return in.ok();
}

}  // namespace

void NAD_EC5_Defaults(NAD_EC5_Params* record) {
    if (record == nullptr) return;
    NAD_EC5_Params& r = *record;
    r = NAD_EC5_Params{};
    r.na_de_flag = 0;
    r.version = NAD_EC5_BLOCK_VERSION;
    for (int i = 0; i < NAD_EC5_MATERIALS; ++i) r.gamma_M_material[i] = gamma_M_material_defaults[i];
    r.fire_line_flag = 1;
    r.gamma_M_solid = 1.3;
    r.gamma_M_glulam = 1.3;
    r.gamma_M_accidental = 1.0;
    r.gamma_M_fire = 1.0;
    for (int d = 0; d < NAD_EC5_LOAD_DURATIONS; ++d)
        for (int sc = 0; sc < NAD_EC5_SERVICE_CLASSES; ++sc) r.k_mod[d][sc] = k_mod_defaults[d][sc];
    r.k_def[0] = 0.60;
    r.k_def[1] = 0.80;
    r.k_def[2] = 2.00;
    r.deflection_limits[NAD_EC5_W_INST][NAD_EC5_SPAN] = 300;
    r.deflection_limits[NAD_EC5_W_FIN][NAD_EC5_SPAN] = 200;
    r.deflection_limits[NAD_EC5_W_NET_FIN][NAD_EC5_SPAN] = 300;
    r.deflection_limits[NAD_EC5_W_INST][NAD_EC5_CANTILEVER] = 150;
    r.deflection_limits[NAD_EC5_W_FIN][NAD_EC5_CANTILEVER] = 100;
    r.deflection_limits[NAD_EC5_W_NET_FIN][NAD_EC5_CANTILEVER] = 150;
    r.crack_factor_method = 1;
    r.net_deflection_combination = 1;
    r.k_cr_solid_glulam = 0.67;
    r.k_cr_other = 1.00;
    r.k_shape_factor = 0.15;
    r.k_shape_max = 2.0;
    r.slenderness_factor = 1.0;
    r.gamma_M_clt = 1.3;
}

void NAD_EC5_Set_NA_DE_Flag(NAD_EC5_Params* record, int flag) {
    if (record != nullptr) record->na_de_flag = flag;
}

void NAD_EC5_Write(FILE* stream, const NAD_EC5_Params* record) {
    if (stream == nullptr || record == nullptr) return;
    const NAD_EC5_Params& r = *record;
    const double* m = r.gamma_M_material;
    // Several values stand twice: in the place older readers take them from and in
    // their present place.
    if (std::fprintf(stream, " %d\n", NAD_EC5_BLOCK_VERSION) < 0) return;
    if (std::fprintf(stream, " %d\n", r.na_de_flag) < 0) return;
    if (std::fprintf(stream, " %d\n", r.load_duration_table) < 0) return;
    if (std::fprintf(stream, " %d %lf %lf %lf\n", r.crack_factor_method == 0 ? 1 : 0,
                     r.k_cr_solid_glulam, r.k_cr_solid_glulam, r.k_cr_other) < 0)
        return;
    if (std::fprintf(stream, " %d\n", r.penetration_depth_rule) < 0) return;
    if (std::fprintf(stream, " %lf %lf %lf %lf %lf %lf\n", r.gamma_M_solid, r.gamma_M_glulam,
                     m[0], m[1], m[2], m[3]) < 0)
        return;
    if (std::fprintf(stream, " %lf %lf %lf %lf %lf\n", m[4], m[5], m[6], m[7],
                     r.gamma_M_accidental) < 0)
        return;
    if (std::fprintf(stream, " %lf %lf\n", m[8], m[9]) < 0) return;
    if (std::fprintf(stream, " %d\n", r.kmod_table) < 0) return;
    if (std::fprintf(stream, " %d\n", r.profiled_nail_table) < 0) return;
    if (std::fprintf(stream, " %d\n", r.threaded_rods) < 0) return;
    if (std::fprintf(stream, " %d %d\n", r.lateral_torsional_buckling, r.fasteners_simplified) < 0)
        return;
    if (std::fprintf(stream, " %d %.2f %.2f %.2f\n", r.kmod_na1_b, r.gamma_M_solid,
                     r.gamma_M_glulam, r.gamma_M_accidental) < 0)
        return;
    for (int sc = 0; sc < NAD_EC5_SERVICE_CLASSES; ++sc) {
        if (std::fprintf(stream, " %.2f %.2f %.2f %.2f %.2f\n", r.k_mod[0][sc], r.k_mod[1][sc],
                         r.k_mod[2][sc], r.k_mod[3][sc], r.k_mod[4][sc]) < 0)
            return;
    }
    if (std::fprintf(stream, " %.2f %.2f %.2f\n", r.k_def[0], r.k_def[1], r.k_def[2]) < 0) return;
    const auto& w = r.deflection_limits;
    if (std::fprintf(stream, " %.0f %.0f %.0f", w[0][0], w[1][0], w[2][0]) < 0) return;
    if (std::fprintf(stream, " %.0f %.0f %.0f", w[0][1], w[1][1], w[2][1]) < 0) return;
    if (std::fprintf(stream, " %d %.2f %.2f", r.crack_factor_method, r.k_cr_solid_glulam,
                     r.k_cr_other) < 0)
        return;
    if (std::fprintf(stream, " %d", r.net_deflection_combination) < 0) return;
    if (std::fprintf(stream, " %d %.2f\n", r.fire_line_flag, r.gamma_M_fire) < 0) return;
    const int switches[4] = {r.sill_pressure_increase, r.wall_diaphragm_reduction,
                             r.tension_joints, r.steel_part_drilling};
    for (int s : switches)
        if (std::fprintf(stream, " %d  \n", s) < 0) return;
    if (std::fprintf(stream, " %f %f %f\n", r.k_shape_factor, r.k_shape_max,
                     r.slenderness_factor) < 0)
        return;
    std::fprintf(stream, " %lf \n", r.gamma_M_clt);
}

void NAD_EC5_Read(FILE* stream, NAD_EC5_Params* record, int in_set_file) {
    if (record == nullptr) return;
    record->version = 0;
    if (stream == nullptr) return;
    NAD_EC5_Defaults(record);
    if (in_set_file == 0 && NAD_Find_Section(stream, " EC5 Parameter", "#NAD", nullptr) != 1) {
        Trace_Failed();
        return;
    }
    if (!Read_Block(stream, *record)) {
        Trace_Failed();
        return;
    }
    Trace_Ok(record->version);
}

int NAD_EC5_Compare(const NAD_EC5_Params* a, const NAD_EC5_Params* b) {
    if (a == b) return 0;
    if (a == nullptr || b == nullptr) return 1;
    // Blocks up to version 9 lack fields that later versions compare: take them as equal.
    if (a->version <= 9 || b->version <= 9) return 0;
    if (a->load_duration_table != b->load_duration_table) return 1;
    if (a->penetration_depth_rule != b->penetration_depth_rule) return 1;
    for (int i = 0; i < NAD_EC5_MATERIALS; ++i)
        if (a->gamma_M_material[i] != b->gamma_M_material[i]) return 1;
    if (a->kmod_table != b->kmod_table) return 1;
    if (a->profiled_nail_table != b->profiled_nail_table) return 1;
    if (a->threaded_rods != b->threaded_rods) return 1;
    if (a->lateral_torsional_buckling != b->lateral_torsional_buckling) return 1;
    if (a->fasteners_simplified != b->fasteners_simplified) return 1;
    if (a->kmod_na1_b != b->kmod_na1_b) return 1;
    if (a->gamma_M_solid != b->gamma_M_solid) return 1;
    if (a->gamma_M_glulam != b->gamma_M_glulam) return 1;
    if (a->gamma_M_accidental != b->gamma_M_accidental) return 1;
    for (int d = 0; d < NAD_EC5_LOAD_DURATIONS; ++d)
        for (int sc = 0; sc < NAD_EC5_SERVICE_CLASSES; ++sc)
            if (a->k_mod[d][sc] != b->k_mod[d][sc]) return 1;
    for (int sc = 0; sc < NAD_EC5_SERVICE_CLASSES; ++sc)
        if (a->k_def[sc] != b->k_def[sc]) return 1;
    for (int check = 0; check < 3; ++check)
        for (int span = 0; span < 2; ++span)
            if (a->deflection_limits[check][span] != b->deflection_limits[check][span]) return 1;
    if (a->crack_factor_method != b->crack_factor_method) return 1;
    if (a->net_deflection_combination != b->net_deflection_combination) return 1;
    if (a->k_cr_solid_glulam != b->k_cr_solid_glulam) return 1;
    if (a->k_cr_other != b->k_cr_other) return 1;
    if (a->wall_diaphragm_reduction != b->wall_diaphragm_reduction) return 1;
    if (a->sill_pressure_increase != b->sill_pressure_increase) return 1;
    if (a->tension_joints != b->tension_joints) return 1;
    if (a->steel_part_drilling != b->steel_part_drilling) return 1;
    if (a->k_shape_factor != b->k_shape_factor) return 1;
    if (a->k_shape_max != b->k_shape_max) return 1;
    if (a->slenderness_factor != b->slenderness_factor) return 1;
    if (a->gamma_M_clt != b->gamma_M_clt) return 1;
    return 0;
}

void NAD_EC5_Copy(NAD_EC5_Params* destination, const NAD_EC5_Params* source) {
    if (destination == nullptr || source == nullptr || destination == source) return;
    const int version = destination->version;
    *destination = *source;
    destination->version = version;
}
