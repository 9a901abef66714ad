#include "material/masonry.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec6_ec9.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

NAD_EC6_Params* masonry_ec6_params = nullptr;
int masonry_use_ec6_values = 0;
int masonry_plain_text = 0;

const char* const masonry_strength_class_texts[MASONRY_STRENGTH_CLASS_COUNT] = {
    "2", "4", "6", "8", "10", "12", "16", "20", "28", "36", "48", "60",
};
const char* const mortar_group_texts[MASONRY_MORTAR_GROUP_COUNT] = {
    "I", "II", "IIa", "III", "IIIa", "DM", "LM21", "LM36",
};
const char* const masonry_unit_material_texts[MASONRY_UNIT_MATERIAL_COUNT] = {
    "Mauerziegel", "Kalksandstein", "Leichtbetonstein", "Betonstein", "Porenbetonstein",
};
const char* const masonry_unit_shape_texts[MASONRY_UNIT_SHAPE_COUNT] = {
    "Hohlblockstein", "Hochlochstein", "Vollstein",
};
const char* const masonry_density_class_texts[MASONRY_DENSITY_CLASS_COUNT] = {
    "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "1.2", "1.4", "1.6", "1.8", "2.0", "2.2", "2.4",
};

namespace {

constexpr int CLASSES = MASONRY_STRENGTH_CLASS_COUNT;
constexpr int MORTARS = MASONRY_MORTAR_GROUP_COUNT;
constexpr int MATERIALS = MASONRY_UNIT_MATERIAL_COUNT;
constexpr int SHAPES = MASONRY_UNIT_SHAPE_COUNT;

// DIN 1053-100: fk by strength class (rows) and mortar group (columns); 0 = no value.
constexpr double din_fk[CLASSES][MORTARS] = {
    {0.9, 1.5, 1.5, 0.0, 0.0, 1.8, 1.2, 1.5},
    {1.2, 2.2, 2.5, 2.8, 0.0, 3.4, 2.2, 2.5},
    {1.5, 2.8, 3.1, 3.7, 0.0, 4.7, 2.2, 2.8},
    {1.8, 3.1, 3.7, 4.4, 0.0, 6.2, 2.5, 3.1},
    {2.2, 3.4, 4.4, 5.0, 0.0, 6.6, 2.7, 3.3},
    {2.5, 3.7, 5.0, 5.6, 6.0, 6.9, 2.8, 3.4},
    {2.8, 4.4, 5.5, 6.6, 7.7, 8.5, 2.8, 3.4},
    {3.1, 5.0, 6.0, 7.5, 9.4, 10.0, 2.8, 3.4},
    {0.0, 5.6, 7.2, 9.4, 11.0, 11.6, 2.8, 3.4},
    {0.0, 0.0, 0.0, 11.0, 12.5, 0.0, 0.0, 0.0},
    {0.0, 0.0, 0.0, 12.5, 14.0, 0.0, 0.0, 0.0},
    {0.0, 0.0, 0.0, 14.0, 15.5, 0.0, 0.0, 0.0},
};

constexpr double din_fbk[CLASSES] = {2, 4, 6, 8, 10, 12, 16, 20, 28, 36, 48, 60};
constexpr double ec_fbk[CLASSES] = {2.5, 5, 7.5, 10, 12.5, 15, 20, 25, 35, 45, 60, 75};
constexpr double ec_fm[MORTARS] = {0, 2.5, 5, 10, 20, 10, 5, 5};
constexpr double din_fvk0[MORTARS] = {0.02, 0.08, 0.18, 0.22, 0.26, 0.22, 0.18, 0.18};
constexpr double ec_fvk0[MORTARS] = {0, 0.08, 0.18, 0.22, 0.26, 0.22, 0.18, 0.18};
constexpr double din_fbt_ratio[SHAPES] = {0.025, 0.033, 0.04};
constexpr double ec_fbt_ratio[SHAPES] = {0.02, 0.026, 0.032};
constexpr double din_KE[MATERIALS] = {1100, 950, 1600, 2400, 800};
constexpr double ec_KE[MATERIALS] = {1100, 950, 950, 2400, 550};
constexpr double din_creep[MATERIALS] = {1.0, 1.5, 2.0, 1.0, 1.5};
constexpr double ec_creep[MATERIALS] = {1.0, 1.5, 2.0, 1.0, 0.5};
constexpr double german_deformation[MATERIALS] = {15, 12, 10, 15, 20};
constexpr double din_gamma_M[3] = {1.5, 1.3, 1.2};
constexpr double reduction_factors[3] = {0.85, 1.0, 1.0};

// Flexural strengths of the Eurocode set without the German annex.
constexpr double ec_fxk1[MATERIALS][MORTARS] = {
    {0.1, 0.1, 0.1, 0.1, 0.1, 0.15, 0.1, 0.1},
    {0.05, 0.05, 0.05, 0.05, 0.05, 0.2, 0.0, 0.0},
    {0.05, 0.05, 0.05, 0.05, 0.05, 0.2, 0.0, 0.0},
    {0.05, 0.05, 0.05, 0.05, 0.05, 0.2, 0.0, 0.0},
    {0.05, 0.05, 0.05, 0.05, 0.05, 0.15, 0.1, 0.1},
};
constexpr double ec_fxk2[MATERIALS][MORTARS] = {
    {0.2, 0.2, 0.2, 0.2, 0.2, 0.15, 0.1, 0.1},
    {0.2, 0.2, 0.2, 0.2, 0.2, 0.3, 0.0, 0.0},
    {0.2, 0.2, 0.2, 0.2, 0.2, 0.2, 0.0, 0.15},
    {0.2, 0.2, 0.2, 0.2, 0.2, 0.3, 0.0, 0.0},
    {0.2, 0.2, 0.2, 0.2, 0.2, 0.3, 0.1, 0.15},
};

constexpr double unit_weights[MASONRY_DENSITY_CLASS_COUNT] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 16, 18, 20, 22, 24};
constexpr int DENSITY_CLASS_1_6 = 9;
constexpr double material_factors[MATERIALS] = {0.1, 0.1, 0.2, 0.2, 0.25};

constexpr double table_values[9][5] = {
    {2.3, 3.1, 3.7, 4.2, 4.7},  // 17
    {1.3, 1.8, 0.0, 0.0, 0.0},  // 18
    {0.0, 1.4, 1.8, 2.2, 2.6},  // 19
    {1.0, 1.8, 2.1, 2.6, 3.1},  // 20
    {1.8, 2.6, 3.1, 3.4, 3.9},  // 21
    {1.8, 2.6, 3.1, 3.4, 3.9},  // 22
    {0.0, 2.6, 3.1, 3.6, 0.0},  // 23
    {0.0, 2.6, 3.1, 3.6, 0.0},  // 24
    {0.0, 0.0, 3.7, 4.2, 0.0},  // 25
};

constexpr double basement_thickness[4] = {240, 300, 365, 490};
constexpr double basement_height[4] = {1.0, 1.5, 2.0, 2.5};
constexpr double basement_load[4][4] = {
    {6, 20, 45, 75},
    {3, 15, 30, 50},
    {0, 10, 25, 40},
    {0, 5, 15, 30},
};

bool In_Range(int index, int count)
{
    return index >= 0 && index < count;
}

int German_Annex()
{
    return masonry_ec6_params != nullptr && masonry_ec6_params->na_de_flag != 0;
}

// Under an annex part: the Eurocode unit and mortar values are in use.
bool Ec6_Values_In_Use()
{
    return masonry_use_ec6_values != 0 || German_Annex();
}

bool General_Purpose(int mortar_group)
{
    return mortar_group >= MORTAR_GROUP_II && mortar_group <= MORTAR_GROUP_IIIA;
}

bool Lightweight_Mortar(int mortar_group)
{
    return mortar_group == MORTAR_GROUP_LM21 || mortar_group == MORTAR_GROUP_LM36;
}

// DIN 1053-100 table value with the rules of its notes.
double Din_Strength(int strength_class, int mortar_group, int unit_material, int unit_shape)
{
    auto table = [&](int mortar) {
        const double value = din_fk[strength_class][mortar];
        return value > 0.001 ? value : 0.0;
    };
    double fk = table(mortar_group);

    // Thin-bed mortar: the value of group III, except for solid calcium-silicate and
    // aerated-concrete units, which have their own.
    if (mortar_group == MORTAR_GROUP_DM &&
        !(unit_shape == MASONRY_SOLID &&
          (unit_material == MASONRY_CALCIUM_SILICATE || unit_material == MASONRY_AERATED_CONCRETE)))
        fk = table(MORTAR_GROUP_III);

    // Weak units with lightweight mortar (strength classes "2" and "4").
    if (Lightweight_Mortar(mortar_group)) {
        if (unit_material == MASONRY_CLAY && strength_class == 0) fk = 1.2;
        if ((unit_material == MASONRY_CLAY || unit_material == MASONRY_CALCIUM_SILICATE) &&
            strength_class == 1)
            fk = mortar_group == MORTAR_GROUP_LM21 ? 1.5 : 2.2;
    }
    return fk;
}

// One parameter set of the Eurocode formula, or why there is none.
struct Strength_Set {
    double K = 0.0;
    double alpha = 0.0;
    double beta = 0.0;
    double fb_min = 0.0;  // 0: no lower limit
    double fb_max = 0.0;  // 0: no upper limit
    const char* missing = nullptr;  // the case line when K is 0
    bool similar = false;           // the values of a neighbouring unit are used
};

const char* const MISSING_MORTAR_I = " ** M\x94rtelgruppe I ** \n";
const char* const MISSING_CLAY_HOLLOW = " ** Mauerziegel als Hohlblockstein ** \n";
const char* const MISSING_CONCRETE_PERFORATED =
    " ** Leichtbeton- und Betonstein als Hochlochstein ** \n";
const char* const MISSING_CLAY_THIN_BED = " ** Mauerziegel mit D\x81nnbettm\x94rtel ** \n";
const char* const MISSING_CONCRETE_THIN_BED =
    " ** Leichtbeton- und Betonstein mit D\x81nnbettm\x94rtel ** \n";
const char* const MISSING_COMBINATION = " ** diese Kombination aus Stein und M\x94rtel ** \n";

Strength_Set Missing(const char* line)
{
    Strength_Set set;
    set.missing = line;
    return set;
}

Strength_Set Formula(double K, double alpha, double beta, double fb_min = 0.0, double fb_max = 0.0)
{
    Strength_Set set;
    set.K = K;
    set.alpha = alpha;
    set.beta = beta;
    set.fb_min = fb_min;
    set.fb_max = fb_max;
    return set;
}

// General-purpose mortar (groups II to IIIa).
Strength_Set Select_General_Purpose(int material, int shape, int variant)
{
    switch (material) {
    case MASONRY_CLAY:
        if (shape == MASONRY_SOLID) return Formula(0.95, 0.585, 0.162, 0.0, 60.0);
        switch (variant) {  // perforated
        case MASONRY_VARIANT_CLAY_PERFORATION_C: return Formula(0.69, 0.585, 0.162, 0.0, 25.0);
        case MASONRY_VARIANT_CLAY_PERFORATION_W: return Formula(0.63, 0.585, 0.162, 0.0, 15.0);
        case MASONRY_VARIANT_CLAY_HORIZONTAL: return Formula(0.55, 0.585, 0.162, 0.0, 15.0);
        default: return Formula(0.79, 0.585, 0.162, 0.0, 45.0);
        }
    case MASONRY_CALCIUM_SILICATE:
        if (shape == MASONRY_SOLID)
            return Formula(variant == MASONRY_VARIANT_CS_BLOCK ? 0.68 : 0.70, 0.605, 0.189);
        return Formula(shape == MASONRY_PERFORATED ? 0.56 : 0.54, 0.605, 0.189);
    case MASONRY_LIGHTWEIGHT_CONCRETE:
    case MASONRY_CONCRETE: {
        // Concrete units take the values of lightweight-concrete units of the same shape.
        Strength_Set set = shape == MASONRY_SOLID ? Formula(0.74, 0.63, 0.10) : Formula(0.67, 0.74, 0.13);
        set.similar = material == MASONRY_CONCRETE;
        return set;
    }
    default:
        return Missing(MISSING_COMBINATION);
    }
}

// Thin-bed mortar.
Strength_Set Select_Thin_Bed(int material, int shape, int variant, double fb)
{
    switch (material) {
    case MASONRY_CLAY:
        return Missing(MISSING_CLAY_THIN_BED);
    case MASONRY_CALCIUM_SILICATE:
        if (shape == MASONRY_SOLID) {
            if (variant == MASONRY_VARIANT_CS_BLOCK) return Formula(1.7, 0.63, 0.0, 0.0, 35.0);
            return Formula(0.8, 0.8, 0.0, 0.0, 45.0);
        }
        return Formula(1.15, 0.585, 0.0, 0.0, 25.0);
    case MASONRY_LIGHTWEIGHT_CONCRETE: {
        if (shape != MASONRY_SOLID) return Missing(MISSING_CONCRETE_THIN_BED);
        // K by the unit strength used (held to 7.5 .. 25).
        const double used = std::clamp(fb, 7.5, 25.0);
        double K = 0.66;
        if (used <= 7.5) K = 0.75;
        else if (used <= 10.0) K = 0.73;
        else if (used <= 12.5) K = 0.71;
        else if (used <= 15.0) K = 0.70;
        else if (used <= 20.0) K = 0.68;
        return Formula(K, 0.7, 0.0, 7.5, 25.0);
    }
    case MASONRY_CONCRETE:
        return Missing(MISSING_CONCRETE_THIN_BED);
    default:  // aerated concrete
        if (fb < 5.0) return Formula(0.9, 0.76, 0.0, 2.5, 0.0);
        return Formula(0.9, 0.75, 0.0, 0.0, 10.0);
    }
}

// Lightweight mortars LM21 and LM36.
Strength_Set Select_Lightweight_Mortar(int material, int mortar_group, double fb)
{
    if (material == MASONRY_CALCIUM_SILICATE || material == MASONRY_CONCRETE)
        return Missing(MISSING_COMBINATION);
    const bool lm36 = mortar_group == MORTAR_GROUP_LM36;
    if (fb < 7.5) {
        if (lm36) return Formula(1.0, 0.459, 0.0);
        return Formula(fb <= 2.5 ? 0.74 : 0.85, 0.459, 0.0);
    }
    if (lm36) return Formula(1.05, 0.459, 0.0, 0.0, 10.0);
    return Formula(0.81, 0.459, 0.0, 0.0, 15.0);
}

Strength_Set Select_Strength_Set(int material, int shape, int variant, int mortar_group, double fb)
{
    if (mortar_group == MORTAR_GROUP_I) return Missing(MISSING_MORTAR_I);
    if (material == MASONRY_CLAY && shape == MASONRY_HOLLOW_BLOCK) return Missing(MISSING_CLAY_HOLLOW);
    if ((material == MASONRY_LIGHTWEIGHT_CONCRETE || material == MASONRY_CONCRETE) &&
        shape == MASONRY_PERFORATED)
        return Missing(MISSING_CONCRETE_PERFORATED);
    if (General_Purpose(mortar_group)) return Select_General_Purpose(material, shape, variant);
    if (mortar_group == MORTAR_GROUP_DM) return Select_Thin_Bed(material, shape, variant, fb);
    return Select_Lightweight_Mortar(material, mortar_group, fb);
}

void Append(std::string* text, const char* line)
{
    if (text) text->append(line);
}

void Append_Format(std::string* text, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

void Append_Format(std::string* text, const char* format, ...)
{
    if (!text) return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length > 0) {
        std::string piece(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(piece.data(), piece.size(), format, args);
        piece.resize(static_cast<size_t>(length));
        text->append(piece);
    }
    va_end(args);
}

// The DIN 1053-100 value in place of a Eurocode value that cannot be had.
double Din_Fallback(int strength_class, int mortar_group, int unit_material, int unit_shape,
                    std::string* text, int* fallback)
{
    const double fk = Din_Strength(strength_class, mortar_group, unit_material, unit_shape);
    if (fk > 0.001) {
        Append(text, " Die Druckfestigkeit wird daher DIN 1053-100, Tab. 4 bzw. Tab. 5 entnommen.\n");
        if (fallback) *fallback = 1;
    }
    return fk;
}

const char* const CANNOT_DETERMINE =
    " Die Druckfestigkeit von Mauerwerk kann nach EC 6 nicht bestimmt werden, da\n";

// The class text of the unit strengths at which a limit is reported.
const char* Limit_Class_Text(double fb)
{
    if (fb == 10.0) return "8";
    if (fb == 12.5) return "10";
    if (fb == 75.0) return "60";
    return nullptr;
}

void Copy_Text(char (&destination)[MASONRY_TEXT_SIZE], const char* source)
{
    std::snprintf(destination, sizeof destination, "%s", source ? source : "");
}

}  // namespace

// ---------------------------------------------------------------------------------
// Module switches

NAD_EC6_Params* Set_Masonry_Norm_Code(int code)
{
    masonry_ec6_params = code == 22 ? NAD_Get_EC6_Params() : nullptr;
    return masonry_ec6_params;
}

int Set_Masonry_Value_Mode(int mode)
{
    if (!masonry_ec6_params)
        masonry_use_ec6_values = 1;
    else
        masonry_use_ec6_values = masonry_ec6_params->na_de_flag ? 1 : mode;
    return masonry_use_ec6_values;
}

void Set_Masonry_Plain_Text(int flag)
{
    masonry_plain_text = flag;
}

// ---------------------------------------------------------------------------------
// Records

void Clear_Masonry_Record(Masonry_Record* record)
{
    if (!record) return;
    std::memset(record, 0, sizeof *record);
    record->unit_variant = -1;
}

int Reset_Masonry_Record(Masonry_Record* record)
{
    if (!record) return 1;
    Clear_Masonry_Record(record);
    return 0;
}

int Check_Masonry_Record(const Masonry_Record* record)
{
    if (!record) return 1;
    if (record->user_defined)
        return record->fk < 0.001 || record->E_M < 0.001 || record->fbk < 0.001 ? 1 : 0;
    if (!In_Range(record->strength_class, CLASSES) || !In_Range(record->mortar_group, MORTARS) ||
        !In_Range(record->unit_material, MATERIALS) || !In_Range(record->unit_shape, SHAPES) ||
        !In_Range(record->density_class, MASONRY_DENSITY_CLASS_COUNT))
        return 1;
    return 0;
}

int Calc_Masonry_Record(Masonry_Record* record)
{
    if (Check_Masonry_Record(record)) return 1;

    if (record->user_defined) {
        Copy_Text(record->strength_class_text, "---");
        Copy_Text(record->mortar_group_text, "---");
        Copy_Text(record->unit_material_text, "---");
        Copy_Text(record->unit_shape_text, "---");
        record->creep_value = 1.5;
        record->deformation_value = masonry_ec6_params ? 15.0 : 10.0;
    } else {
        Copy_Text(record->strength_class_text, masonry_strength_class_texts[record->strength_class]);
        Copy_Text(record->mortar_group_text, mortar_group_texts[record->mortar_group]);
        Copy_Text(record->unit_material_text, masonry_unit_material_texts[record->unit_material]);
        Copy_Text(record->unit_shape_text, masonry_unit_shape_texts[record->unit_shape]);
        record->fk = Calc_Masonry_Strength(record->strength_class, record->mortar_group,
                                           record->unit_material, record->unit_shape,
                                           record->unit_variant, 0, record->longitudinal_joint,
                                           nullptr, nullptr);
        record->E_M = Get_Masonry_E_Modulus(record->fk, record->unit_material);
        record->fbk = Get_Masonry_Fbk(record->strength_class);
        record->fbt = Get_Masonry_Fbt(record->unit_shape, record->fbk, record->unit_material);
        record->fvk0 = Get_Masonry_Fvk0(record->mortar_group);
        record->fxk1 = Get_Masonry_Fxk1(record->unit_material, record->mortar_group);
        record->fxk2 = Get_Masonry_Fxk2(record->unit_material, record->mortar_group);
        if (record->creep_value < -0.001)
            record->creep_value = Get_Masonry_Deformation_Values(record->unit_material, record->mortar_group,
                                                                 &record->deformation_value);
    }

    if (record->gamma_M0 < 0.001)
        record->gamma_M0 = masonry_ec6_params ? masonry_ec6_params->gamma_M : 1.5;
    if (record->k0 < 0.001) record->k0 = masonry_ec6_params ? 1.0 : 1.25;
    if (record->reduction_factor < 0.001)
        record->reduction_factor = masonry_ec6_params && !German_Annex() ? 1.0 : 0.85;
    record->gamma_M = record->k0 * record->gamma_M0;
    // An annex part without a partial factor gives no design strength rather than a
    // division by zero.
    record->fd = record->gamma_M >= 0.001 ? record->reduction_factor * record->fk / record->gamma_M : 0.0;

    return record->fk > 0.0 ? 0 : 1;
}

// ---------------------------------------------------------------------------------
// Strength

double Calc_Masonry_Strength(int strength_class, int mortar_group, int unit_material,
                             int unit_shape, int unit_variant, int halving, int longitudinal_joint,
                             std::string* text, int* fallback)
{
    if (text) text->clear();
    if (fallback) *fallback = 0;
    if (!In_Range(strength_class, CLASSES) || !In_Range(mortar_group, MORTARS) ||
        !In_Range(unit_material, MATERIALS) || !In_Range(unit_shape, SHAPES))
        return 0.0;

    if (!masonry_ec6_params) return Din_Strength(strength_class, mortar_group, unit_material, unit_shape);

    if (!Ec6_Values_In_Use()) {
        Append(text, CANNOT_DETERMINE);
        Append(text, " kein entsprechender nationaler Anhang vorgegeben ist.\n");
        return Din_Fallback(strength_class, mortar_group, unit_material, unit_shape, text, fallback);
    }

    const double fb = ec_fbk[strength_class];
    const double fm = ec_fm[mortar_group];
    const Strength_Set set = Select_Strength_Set(unit_material, unit_shape, unit_variant, mortar_group, fb);
    if (set.K <= 0.0) {
        Append(text, CANNOT_DETERMINE);
        Append(text, set.missing ? set.missing : MISSING_COMBINATION);
        Append(text, " nicht vorgesehen ist.\n");
        return Din_Fallback(strength_class, mortar_group, unit_material, unit_shape, text, fallback);
    }

    double fb_used = fb;
    if (set.fb_min > 0.0 && fb_used < set.fb_min) fb_used = set.fb_min;
    if (set.fb_max > 0.0 && fb_used > set.fb_max) fb_used = set.fb_max;

    double K = set.K;
    if (halving) K *= 0.5;
    if (longitudinal_joint && General_Purpose(mortar_group)) K *= 0.8;
    double fk = K;
    if (set.alpha != 0.0) fk *= std::pow(fb_used, set.alpha);
    if (set.beta != 0.0) fk *= std::pow(fm, set.beta);

    if (set.similar) Append(text, " Es werden \x84hnliche Festigkeiten verwendet.\n");
    const bool plain = masonry_plain_text != 0;
    Append(text, " Berechnung der charakteristischen Druckfestigkeit von Mauerwerk mit M\x94rtel:\n");
    Append(text, plain ? " fk = K" : " f\xCE\\k\xCEr = K");
    if (set.alpha > 0.0)
        Append(text, plain ? "*fbk^\xBA" : "\xCE/.\xCEr" "f\xCE\\bk\xCEr\xCE/\xBA\xCEr");
    if (set.beta > 0.0)
        Append(text, plain ? "*fm^\xBB" : "\xCE/.\xCEr" "f\xCE\\m\xCEr\xCE/\xBB\xCEr");
    Append_Format(text, " = %.2lf MN/m\xFD, K = %.2lf", fk, K);
    if (set.alpha > 0.0)
        Append_Format(text,
                      plain ? ", \xBA = %.3lf, fbk = %.2lf MN/m\xFD"
                            : ", \xBA = %.3lf, f\xCE\\bk\xCEr = %.2lf MN/m\xFD",
                      set.alpha, fb_used);
    if (set.beta > 0.0)
        Append_Format(text,
                      plain ? ", \xBB = %.3lf, fm = %.2lf MN/m\xFD"
                            : ", \xBB = %.3lf, f\xCE\\m\xCEr = %.2lf MN/m\xFD",
                      set.beta, fm);
    Append(text, "\n");

    // A unit strength held to a limit is pointed out where the limit is a class of its own.
    const char* limit_class = Limit_Class_Text(fb_used);
    if (set.alpha > 0.0 && limit_class && fb_used != fb) {
        const char* entered_class = masonry_strength_class_texts[strength_class];
        if (fb > fb_used)
            Append_Format(text,
                          plain ? " Hinweis: fbk(SFK %s) = %.2lf MN/m\xFD > max fbk(SFK %s) = %.2lf MN/m\xFD\n"
                                : " Hinweis: f\xCE\\bk\xCEr(SFK %s) = %.2lf MN/m\xFD > max f\xCE\\bk\xCEr"
                                  "(SFK %s) = %.2lf MN/m\xFD\n",
                          entered_class, fb, limit_class, fb_used);
        else
            Append_Format(text,
                          plain ? " Achtung: fbk(SFK %s) = %.2lf MN/m\xFD < min fbk(SFK %s) = %.2lf MN/m\xFD !!\n"
                                : " Achtung: f\xCE\\bk\xCEr(SFK %s) = %.2lf MN/m\xFD < min f\xCE\\bk\xCEr"
                                  "(SFK %s) = %.2lf MN/m\xFD !!\n",
                          entered_class, fb, limit_class, fb_used);
    }
    return fk;
}

// ---------------------------------------------------------------------------------
// Values by index

double Get_Masonry_Fbk(int strength_class)
{
    if (!In_Range(strength_class, CLASSES)) return 0.0;
    if (!masonry_ec6_params) return din_fbk[strength_class];
    return Ec6_Values_In_Use() ? ec_fbk[strength_class] : 0.0;
}

double Get_Masonry_Fvk0(int mortar_group)
{
    if (!In_Range(mortar_group, MORTARS)) return 0.0;
    if (!masonry_ec6_params) return din_fvk0[mortar_group];
    return Ec6_Values_In_Use() ? ec_fvk0[mortar_group] : 0.0;
}

double Get_Masonry_Fxk1(int unit_material, int mortar_group)
{
    if (!In_Range(unit_material, MATERIALS) || !In_Range(mortar_group, MORTARS)) return 0.0;
    if (!masonry_ec6_params || Ec6_Values_In_Use()) return 0.0;
    return ec_fxk1[unit_material][mortar_group];
}

double Get_Masonry_Fxk2(int unit_material, int mortar_group)
{
    if (!In_Range(unit_material, MATERIALS) || !In_Range(mortar_group, MORTARS)) return 0.0;
    if (!masonry_ec6_params || Ec6_Values_In_Use()) return 0.0;
    return ec_fxk2[unit_material][mortar_group];
}

double Get_Masonry_Fbt(int unit_shape, double fbk, int unit_material)
{
    if (!In_Range(unit_shape, SHAPES) || !In_Range(unit_material, MATERIALS)) return 0.0;
    if (!masonry_ec6_params) return din_fbt_ratio[unit_shape] * fbk;
    if (!Ec6_Values_In_Use()) return 0.0;
    if (unit_material == MASONRY_AERATED_CONCRETE)
        return fbk > 0.0 ? 0.0656 * fbk / (0.7 + std::sqrt(0.04 * fbk)) : 0.0;
    return ec_fbt_ratio[unit_shape] * fbk;
}

double Get_Masonry_E_Modulus(double fk, int unit_material)
{
    if (!In_Range(unit_material, MATERIALS)) return 0.0;
    if (!masonry_ec6_params) return din_KE[unit_material] * fk;
    return Ec6_Values_In_Use() ? ec_KE[unit_material] * fk : 0.0;
}

double Get_Masonry_Deformation_Values(int unit_material, int mortar_group, double* deformation_value)
{
    double deformation = 0.0;
    double creep = 0.0;
    if (In_Range(unit_material, MATERIALS) && In_Range(mortar_group, MORTARS)) {
        if (!masonry_ec6_params) {
            creep = din_creep[unit_material];
            deformation = 10.0;
        } else if (German_Annex()) {
            creep = ec_creep[unit_material];
            deformation = german_deformation[unit_material];
            if (unit_material == MASONRY_CLAY && Lightweight_Mortar(mortar_group)) {
                creep = 2.0;
                deformation = 10.0;
            }
        } else if (masonry_use_ec6_values) {
            creep = ec_creep[unit_material];
            deformation = 15.0;
        }
    }
    if (deformation_value) *deformation_value = deformation;
    return creep;
}

double Get_Masonry_Gamma_M(int situation, double given)
{
    if (situation < 0) return masonry_ec6_params ? masonry_ec6_params->gamma_M_ser : 1.0;
    if (situation > 2) return given;
    if (!masonry_ec6_params) return din_gamma_M[situation];
    switch (situation) {
    case 0: return masonry_ec6_params->gamma_M;
    case 1: return masonry_ec6_params->gamma_M_accidental;
    default: return masonry_ec6_params->gamma_M_seismic;
    }
}

double Get_Masonry_Reduction_Factor(int situation, double given)
{
    if (situation < 0 || situation > 2) return given;
    if (masonry_ec6_params && !German_Annex()) return 1.0;
    return reduction_factors[situation];
}

double Get_Masonry_K0(double wall_area)
{
    if (!masonry_ec6_params) return 1.25;
    if (!(wall_area > 0.001)) return 1.0;
    return std::max(1.0, 1.0 / (3.0 * wall_area + 0.7));
}

double Get_Masonry_Unit_Weight(int density_class, int mortar_group)
{
    if (!In_Range(density_class, MASONRY_DENSITY_CLASS_COUNT)) return 0.0;
    double weight = unit_weights[density_class];
    if (density_class < DENSITY_CLASS_1_6 &&
        (mortar_group == MORTAR_GROUP_DM || Lightweight_Mortar(mortar_group)))
        weight -= 1.0;
    return weight;
}

double Get_Masonry_Material_Factor(int unit_material)
{
    return In_Range(unit_material, MATERIALS) ? material_factors[unit_material] : 0.0;
}

double Get_Masonry_Table_Value(int code, int column)
{
    if (code < 17 || code > 25 || column < 1 || column > 5) return 0.0;
    return table_values[code - 17][column - 1];
}

double Get_Basement_Wall_Min_Load(double thickness, double height)
{
    // A NaN is held to the lower bound, like any value below it.
    auto hold = [](double value, double low, double high) {
        if (!(value >= low)) return low;
        return value > high ? high : value;
    };
    thickness = hold(thickness, basement_thickness[0], basement_thickness[3]);
    height = hold(height, basement_height[0], basement_height[3]);

    int i = 0;
    while (i < 2 && thickness > basement_thickness[i + 1]) ++i;
    int j = 0;
    while (j < 2 && height > basement_height[j + 1]) ++j;
    const double u = (thickness - basement_thickness[i]) / (basement_thickness[i + 1] - basement_thickness[i]);
    const double v = (height - basement_height[j]) / (basement_height[j + 1] - basement_height[j]);
    const double low = basement_load[i][j] + u * (basement_load[i + 1][j] - basement_load[i][j]);
    const double high = basement_load[i][j + 1] + u * (basement_load[i + 1][j + 1] - basement_load[i][j + 1]);
    return low + v * (high - low);
}
