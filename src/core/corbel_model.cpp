#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"

#include <cmath>

#include "base/alloc.h"
#include "base/rebar.h"

Corbel_Model corbel_model;

// Listed classes until the first data check widens the concrete list to its lightweight
// classes (the only material set-up before it uses a listed normal class).
int concrete_class_count = 31;
int steel_class_count = 11;
int bar_diameter_count = REBAR_STANDARD_COUNT;

void Alloc_Load_Case_Results(Corbel_Model* model)
{
    if (!model) return;
    if (model->results) {
        Mem_Free(__FILE__, __LINE__, "model_127", model->results);
        model->results = nullptr;
    }
    const int rows = model->load_count[0];
    if (rows > 0) {
        model->results = static_cast<Load_Case_Result*>(Mem_Calloc(
            __FILE__, __LINE__, "model_127", static_cast<uint32_t>(rows), sizeof(Load_Case_Result)));
        if (!model->results) Abort_Out_Of_Memory();
    }
    Reset_Load_Case_Summary(&model->summary);
}

void Clear_Corbel_Model(Corbel_Model* model)
{
    if (!model) return;
    // Every read, import and reset starts here: the sheets see a new model.
    ++corbel_load_generation;
    // What the empty state leaves alone, and what it owns and re-makes below.
    const NAD_Safety_Factors factors = model->safety_factors;
    const int cover_switch = model->cover_from_exposure;
    const int read_failed = model->input_read_failed;
    const EC2_Print_Options print = model->print_options;
    Load_Combination* tables[2] = {model->load_table[0], model->load_table[1]};
    const int counts[2] = {model->load_count[0], model->load_count[1]};
    Load_Case_Result* results = model->results;

    *model = Corbel_Model{};

    model->safety_factors = factors;
    model->cover_from_exposure = cover_switch;
    model->input_read_failed = read_failed;
    model->print_options = print;
    model->load_table[0] = tables[0];
    model->load_table[1] = tables[1];
    model->load_count[0] = counts[0];
    model->load_count[1] = counts[1];
    model->results = results;

    model->norm_code = CORBEL_NORM_BUILDINGS;
    Init_EC2_Print_Options(&model->print_options);
    model->unit_switch = LOAD_UNIT_KN_KNM;
    Alloc_Load_Table(model, 0, 0);
    Alloc_Load_Table(model, 0, 1);
    Alloc_Load_Case_Results(model);
}

namespace {

// Head and materials of a new position.
void Set_Head_Defaults(Corbel_Model* m)
{
    m->online_calculation = 1;
    m->cover_from_exposure = 0;
    m->rebar_chosen = 1;
    m->exposure_first[0] = 2;   // "XC1" for reinforcement corrosion
    m->exposure_second[0] = 0;
    m->system = SYSTEM_LOAD_CORBEL;
    m->concrete_class = 11;
    m->steel_class[0] = 3;
    m->steel_class[1] = 3;
    m->print_options.switches[EC2_PRINT_INTERMEDIATE] = 0;
    m->print_options.scale = 10.0;
}

// System, geometry, design parameters and the chosen bars of a new position.
void Set_Remaining_Defaults(Corbel_Model* m)
{
    m->execution = EXECUTION_SINGLE;
    m->connection = CONNECTION_COLUMN;
    m->at_slab = 0;
    m->b = 30.0;
    m->h = 36.0;
    m->d1 = 6.0;
    m->e1 = 12.0;
    m->beam_height = 120.0;
    m->lk = 30.0;
    m->hk = 40.0;
    m->d1k = 6.0;
    m->hk_end = 0.0;
    m->lp = 15.0;
    m->bp = 20.0;

    m->load_transfer = LOAD_TRANSFER_DIRECT;
    m->method = 2;
    m->load_share = 0.6;
    m->load_a = 16.5;
    m->load_height = 3.0;
    m->inclination = 45.0;
    m->fatigue_check = 0;
    m->stress_range = 70.0;
    m->fatigue_value = 0.0;
    m->first_loading = 28.0;
    m->bed_joint = 0;
    m->strut_angle_mode = 1;
    m->strut_angle = 30.0;

    Corbel_Rebar_Choice& r = m->rebar;
    r.compute_anchorage = 1;
    r.bond_conditions = 0;
    r.cover_v = 3.0;
    r.cover_h = 3.0;
    r.layers = 1;
    r.loops = 1;
    r.beam_end_legs = 2;
    r.inclined_loops = 1;
    r.layer_bars[0] = 2;
    r.layer_bars[1] = 1;
    r.layer_diameter[0] = 6;
    r.layer_diameter[1] = 6;
    r.group[0] = {3, 2, 2};
    r.group[1] = {3, 2, 2};
    r.group[2] = {4, 6, 2};
    r.group[3] = {1, 7, 2};
    r.group[4] = {2, 2, 2};
    r.group[5] = {2, 4, 2};
    r.member_count[0] = 2;
    r.member_count[1] = 2;
    r.member_diameter[0] = 8;
    r.member_diameter[1] = 8;
    r.end_count[0] = 1;
    r.end_count[1] = 1;
    r.end_diameter[0] = 8;
    r.end_diameter[1] = 8;
    r.spacing[0] = 15.0;
    r.spacing[1] = 20.0;
    r.spacing[2] = 0.0;
    r.spacing[3] = 0.0;
    for (double& v : r.anchorage) v = 0.0;
}

}  // namespace

void Set_Corbel_Defaults(Corbel_Model* model)
{
    if (!model) return;
    Clear_Corbel_Model(model);
    model->unit_switch = LOAD_UNIT_KN_KNM;
    Alloc_Load_Table(model, 0, 0);
    Alloc_Load_Table(model, 0, 1);
    Alloc_Load_Case_Results(model);
    model->design_situation = SITUATION_PERSISTENT;
    model->safety_factors.from_annex = 1;
    model->safety_factors.norm_code = model->norm_code;
    Fill_NAD_Safety_Factors(&model->safety_factors, 0);
    Set_Head_Defaults(model);
    Setup_Corbel_Materials(model);
    Set_Remaining_Defaults(model);
    Check_Corbel_Model(model, nullptr, 0, 0);
}

int Is_Load_Nonzero(double A, double H)
{
    return (std::fabs(A) > 1.0 || std::fabs(H) > 1.0) ? 1 : 0;
}

int Compare_Corbel_Records(const Corbel_Model* a, const Corbel_Model* b)
{
    if (!a || !b) return 0;
    if (a->norm_code != b->norm_code || a->online_calculation != b->online_calculation) return 0;
    const double x[10] = {a->fck, a->eps_c2, a->eps_cu2, a->n_parabola, a->Ecm,
                          a->density, a->fcm, a->fctm, a->eps_c1, a->eps_cu1};
    const double y[10] = {b->fck, b->eps_c2, b->eps_cu2, b->n_parabola, b->Ecm,
                          b->density, b->fcm, b->fctm, b->eps_c1, b->eps_cu1};
    for (int i = 0; i < 10; ++i) {
        if (!(std::fabs(x[i] - y[i]) <= 0.01)) return 0;
    }
    return 1;
}

int Count_Load_Cases(const Corbel_Model* model, int k)
{
    if (!model || (k != 0 && k != 1)) return 0;
    const Load_Combination* rows = model->load_table[k];
    const int count = model->load_count[k];
    if (!rows || count < 1) return 0;
    if (k == 1) return count;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (std::fabs(rows[i].A) > 1.0 || std::fabs(rows[i].H) > 1.0) ++n;
    }
    return n;
}
