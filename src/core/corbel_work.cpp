// Work records of the corbel procedures, the corbel's material set and the helpers on the
// chosen bars.
#include "core/corbel_work.h"

#include <algorithm>

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/rebar.h"
#include "core/corbel_model.h"
#include "core/detailing.h"
#include "section/section_checks.h"

Beam_Corbel_Work beam_corbel_work;
Column_Corbel_Work column_corbel_work;
Material_Set corbel_material_set;
int corbel_material_set_ready = 0;

namespace {

constexpr double kQuarterPi = 0.7853981633974483;
// A stored spacing below this counts as not given: the least spacing is computed instead.
constexpr double kSpacingGiven = 0.01;

// Group numbers of the reinforcement choice (groups 1..6 are stored from index 0).
constexpr int kSplitVertical = 0;   // group 1, A sb,v
constexpr int kHangers = 2;         // group 3, A s,v
constexpr int kInclined = 3;        // group 4, A s,s
constexpr int kAnchorLoops = 5;     // group 6, A s,h1

// Diameter in cm of a chosen bar; the free diameter and anything unknown give 0.
double Bar_Diameter(int index)
{
    return Get_Rebar_Diameter_Cm(index, -1.0);
}

// The layer count as far as the record holds layers.
int Layer_Count(const Corbel_Rebar_Choice& rebar)
{
    return std::clamp(rebar.layers, 0, CORBEL_MAX_LAYERS);
}

// A bar group takes part in an axis distance when it has bars and at least two legs.
bool Group_Present(const Bar_Group& g)
{
    return g.count >= 1 && g.legs >= 2;
}

double Layer_Diameter(const Corbel_Rebar_Choice& rebar, int layer)
{
    return Bar_Diameter(rebar.layer_diameter[layer]);
}

// Area-weighted mean offset of the main-tie layers from the first one.
double Main_Tie_Mean_Offset(const Corbel_Rebar_Choice& rebar, const NAD_EC2_Params* options)
{
    const int layers = Layer_Count(rebar);
    double offset = 0.0;
    double weighted = 0.0;
    double total = 0.0;
    for (int k = 0; k < layers; ++k) {
        const double d = Layer_Diameter(rebar, k);
        if (k > 0) {
            offset += rebar.spacing[2] >= kSpacingGiven
                          ? rebar.spacing[2]
                          : Calc_Min_Bar_Spacing(Layer_Diameter(rebar, k - 1), d, options);
        }
        const double weight = rebar.layer_bars[k] * kQuarterPi * d * d;
        weighted += weight * offset;
        total += weight;
    }
    return total > 0.001 ? weighted / total : 0.0;
}

}  // namespace

int Map_Concrete_Class_Index(int model_class, int* lightweight, double density)
{
    int index = model_class;
    int light = 0;
    if (model_class >= MODEL_FIRST_FREE_CONCRETE) {
        index = CONCRETE_FREE;
        light = density < 2000.001 ? 1 : 0;
    } else if (model_class >= MODEL_FIRST_LIGHTWEIGHT_CLASS) {
        index = model_class - 15;
        light = 1;
    }
    if (lightweight != nullptr) *lightweight = light;
    return index;
}

int Map_Steel_Class_Index(int model_steel)
{
    return model_steel < MODEL_FIRST_FREE_STEEL ? model_steel : STEEL_FREE;
}

void Fill_Corbel_Material_Set(Corbel_Model* model)
{
    Material_Set* set = &corbel_material_set;
    if (model == nullptr || set->concrete == nullptr || set->n_concrete < 1 ||
        set->steel == nullptr || set->n_steel < 1)
        return;

    const NAD_EC2_Params* annex = NAD_Get_EC2_Params();
    set->new_standard = 1;
    set->din_2008_rules = 0;
    set->oenorm = 0;
    set->en1992_1_1 = model->norm_code == CORBEL_NORM_BUILDINGS ? 1 : 0;
    set->en1992_2 = model->norm_code == CORBEL_NORM_BRIDGES ? 1 : 0;
    // The corbel model has no law choice of its own: the parabola-rectangle law with design
    // values.
    set->law_choice = 0;
    NAD_EC2_Copy_Checked(set->annex, annex);

    // Concrete: listed classes take their values from the class tables, a free concrete
    // keeps what the model holds.
    model->lightweight = 0;
    Concrete_Record& c = set->concrete[0];
    c = Concrete_Record{};
    int light = 0;
    c.class_index = Map_Concrete_Class_Index(model->concrete_class, &light, model->density);
    c.lightweight = light;
    c.density = light ? model->density : 2200.0;
    model->lightweight = light;
    if (c.class_index == CONCRETE_FREE) {
        c.fck = model->fck;
        c.eps_c2 = model->eps_c2;
        c.eps_cu = model->eps_cu2;
        c.n_exp = model->n_parabola;
        c.e_modulus = model->Ecm;
        c.fctm = model->fctm;
        c.fcm = model->fcm;
    }

    // Main steel and second steel.
    const int steels = std::min(set->n_steel, 2);
    for (int k = 0; k < steels; ++k) {
        Steel_Record& s = set->steel[k];
        s = Steel_Record{};
        s.steel_index = Map_Steel_Class_Index(model->steel_class[k]);
        if (s.steel_index == STEEL_FREE) {
            s.fyk = model->fyk[k];
            s.ftk = model->ftk[k];
            s.eps_uk = model->euk[k];
            s.es = model->Es[k];
        }
    }

    set->situation_code = 2;
    set->gamma_c = model->factors_in_use[0];
    set->gamma_s = model->factors_in_use[1];
    set->xi_limit = model->factors_in_use[2];
    Calc_Corbel_Material_Set(*model, set, 1);
}

int Calc_Corbel_Material_Set(const Corbel_Model& model, Material_Set* set, int take_active_annex)
{
    const int r = Calc_Material_Set(set, take_active_annex);
    // The material set designs every bridge concrete as normal weight; a bridge corbel of a
    // lightweight class is named and detailed as one and must bear and carry its strut with
    // eta1 less, as it would in a building.
    if (model.lightweight && set->en1992_2 && set->concrete != nullptr && set->n_concrete > 0)
        set->concrete[0].eta1 = Lightweight_Eta1(model.density);
    return r;
}

double Get_Required_Bar_Spacing(const Corbel_Rebar_Choice* rebar, int stirrup_flag,
                                const NAD_EC2_Params* options)
{
    if (rebar == nullptr) return 0.0;
    if (stirrup_flag) {
        const double d = Bar_Diameter(rebar->group[kHangers].diameter);
        return Calc_Min_Bar_Spacing(d, d, options);
    }
    double spacing = 0.0;
    for (int k = 0; k < Layer_Count(*rebar); ++k) {
        const double d = Layer_Diameter(*rebar, k);
        spacing = std::max(spacing, Calc_Min_Bar_Spacing(d, d, options));
    }
    return spacing;
}

double Get_Bar_Axis_Spacing(const Corbel_Rebar_Choice* rebar, int layer_i, int layer_j, int kind,
                            const NAD_EC2_Params* options)
{
    if (rebar == nullptr) return 0.0;
    if (kind == 0) {
        if (rebar->spacing[2] >= kSpacingGiven) return rebar->spacing[2];
        if (layer_i < 0 || layer_i >= CORBEL_MAX_LAYERS || layer_j < 0 ||
            layer_j >= CORBEL_MAX_LAYERS)
            return 0.0;
        return Calc_Min_Bar_Spacing(Layer_Diameter(*rebar, layer_i),
                                    Layer_Diameter(*rebar, layer_j), options);
    }
    if (kind == 1) {
        if (rebar->spacing[3] >= kSpacingGiven) return rebar->spacing[3];
        const double d = Bar_Diameter(rebar->group[kHangers].diameter);
        return Calc_Min_Bar_Spacing(d, d, options);
    }
    return 0.0;
}

double Calc_Rebar_Axis_Distance(const Corbel_Rebar_Choice* rebar, const int* execution, int kind,
                                int /*system*/, const NAD_EC2_Params* options)
{
    if (rebar == nullptr) return 0.0;
    const Corbel_Rebar_Choice& r = *rebar;
    const bool beam_end = execution != nullptr && *execution == EXECUTION_BEAM_END;
    const Bar_Group& split = r.group[kSplitVertical];
    const Bar_Group& hangers = r.group[kHangers];
    const Bar_Group& inclined = r.group[kInclined];
    const Bar_Group& loops = r.group[kAnchorLoops];

    double distance = 0.0;
    switch (kind) {
    case 0: {
        distance = r.cover_v;
        if (Group_Present(split)) distance += Bar_Diameter(split.diameter);
        // A beam-end corbel's tie is given per metre (bars by spacing), so its first layer
        // may hold no bar count.
        const bool tie_given =
            r.layer_bars[0] > 0 || (beam_end && r.spacing[0] > kSpacingGiven && r.beam_end_legs > 0);
        if (tie_given) distance += 0.5 * Layer_Diameter(r, 0);
        distance += Main_Tie_Mean_Offset(r, options);
        break;
    }
    case 1: {
        distance = r.cover_h;
        const double d = Bar_Diameter(hangers.diameter);
        if (Group_Present(loops)) distance += Bar_Diameter(loops.diameter);
        if (Group_Present(hangers)) distance += 0.5 * d;
        if (hangers.count > 1) {
            const double pitch = r.spacing[3] >= kSpacingGiven ? r.spacing[3]
                                                                : Calc_Min_Bar_Spacing(d, d, options);
            distance += 0.5 * (hangers.count - 1) * pitch;
        }
        break;
    }
    case 2:
        distance = r.cover_v;
        if (inclined.count > 0 && inclined.legs > 0) distance += 0.5 * Bar_Diameter(inclined.diameter);
        if (Group_Present(hangers)) distance += Bar_Diameter(hangers.diameter);
        break;
    default:
        return 0.0;
    }
    return Round_To_Tenth(distance);
}

Beam_Corbel_Work* Clear_Beam_Corbel_Work(Beam_Corbel_Work* work)
{
    if (work != nullptr) *work = Beam_Corbel_Work{};
    return work;
}

Column_Corbel_Work* Clear_Column_Corbel_Work(Column_Corbel_Work* work)
{
    if (work != nullptr) *work = Column_Corbel_Work{};
    return work;
}

void Clear_Calc_Work_Record(Calc_Work_Record* record)
{
    if (record == nullptr) return;
    *record = Calc_Work_Record{};
    record->apply_vmin = 1;
    record->roughness_class = 2;
    record->width_1 = 90.0;
    record->width_2 = 300.0;
    record->width_3 = 1.0;
}
