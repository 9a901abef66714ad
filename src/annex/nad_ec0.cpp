#include "annex/nad_ec0.h"

#include <cmath>
#include <cstddef>
#include <type_traits>

#include "annex/nad_sections.h"

namespace {

// Building partial factors per action type: situation 1 on its own, then 2, 3, 4.
struct Pair {
    double sup, inf;
};
constexpr Pair building_gamma_defaults[NAD_EC0_SITUATIONS][NAD_EC0_BUILDING_ACTIONS] = {
    // permanent, variable, fluid/machinery, restraint, prestress, accidental, seismic
    {{1.35, 1.0}, {1.5, 0}, {1.35, 0}, {1.0, 0}, {1.0, 1.0}, {0, 0}, {0, 0}},
    {{1.0, 1.0}, {1.0, 0}, {1.0, 0}, {1.0, 0}, {1.0, 1.0}, {1.0, 1.0}, {0, 0}},
    {{1.0, 1.0}, {1.0, 0}, {1.0, 0}, {1.0, 0}, {1.0, 1.0}, {0, 0}, {1.0, 1.0}},
    {{1.0, 1.0}, {1.0, 0}, {1.0, 0}, {1.0, 0}, {1.0, 1.0}, {0, 0}, {0, 0}},
};

// psi0, psi1, psi2, psi2E per building category.
constexpr double building_psi_defaults[NAD_EC0_BUILDING_CATEGORIES][4] = {
    {0.7, 0.5, 0.3, 0.3},  // residential, offices
    {0.7, 0.7, 0.6, 0.6},  // congregation, shopping
    {1.0, 0.9, 0.8, 0.8},  // storage
    {0.7, 0.7, 0.6, 0.6},  // vehicles up to 30 kN
    {0.7, 0.5, 0.3, 0.3},  // vehicles up to 160 kN
    {0, 0, 0, 0},          // roofs
    {0.5, 0.2, 0, 0.5},    // snow/ice up to 1000 m
    {0.7, 0.5, 0.2, 0.5},  // snow/ice above 1000 m
    {0.6, 0.2, 0, 0},      // wind
    {0.6, 0.5, 0, 0},      // temperature
    {1.0, 1.0, 1.0, 1.0},  // settlements
    {0.8, 0.7, 0.5, 0.5},  // other actions
};

// Bridge partial factors: the persistent situation, and the pair that the accidental,
// seismic and serviceability situations share.
constexpr Pair bridge_gamma_persistent[NAD_EC0_BRIDGE_ACTIONS] = {
    {1.35, 1.0}, {1.0, 1.0}, {1.0, 1.0}, {1.2, 1.0}, {1.2, 0},
    {1.35, 0},   {1.5, 0},   {1.5, 0},   {1.45, 0},  {1.2, 0},
    {1.5, 0},    {1.5, 0},   {1.5, 0},   {0, 0},     {0, 0},
};
constexpr Pair bridge_gamma_other[NAD_EC0_BRIDGE_ACTIONS] = {
    {1.0, 1.0}, {1.0, 1.0}, {1.0, 1.0}, {1.0, 1.0}, {1.0, 0},
    {1.0, 0},   {1.0, 0},   {1.0, 0},   {1.0, 0},   {1.0, 0},
    {1.0, 0},   {1.0, 0},   {1.0, 0},   {0, 0},     {0, 0},
};

constexpr double road_psi_defaults[NAD_EC0_ROAD_ACTIONS][3] = {
    {0.75, 0.75, 0}, {0.40, 0.40, 0}, {0.40, 0.40, 0}, {0, 0.75, 0},
    {0, 0, 0},       {0, 0.40, 0},    {0, 0, 0},       {0, 0, 0},
    {0.60, 0.20, 0}, {0.80, 0, 0},    {1.00, 0, 0},    {0.60, 0.60, 0.50},
    {0.80, 0, 0},    {1.00, 0, 1.00},
};

constexpr double foot_psi_defaults[NAD_EC0_FOOT_ACTIONS][3] = {
    {0.40, 0.40, 0}, {0, 0, 0},    {0, 0, 0},      {0.30, 0.20, 0},
    {0.60, 0.60, 0.50}, {0.80, 0, 0}, {1.00, 0, 1.00},
};

// psi1 of rows 1, 2 and 9 is the marker of the alpha factor, not a factor.
constexpr double rail_psi_defaults[NAD_EC0_RAIL_ACTIONS][3] = {
    {0.80, -0.1, 0},   {0.80, -0.1, 0},  {0, 1.00, 0},     {1.00, 0, 0},
    {1.00, 1.00, 0},   {1.00, 0.80, 0},  {0.80, 0.50, 0},  {1.00, 1.00, 0},
    {0.80, -0.2, 0},   {0.80, 0.50, 0},
    {0.80, 0.80, 0},   {0.80, 0.80, 0},  {0.80, 0.80, 0},  {0.80, 0.80, 0},
    {0.80, 0.80, 0},   {0.80, 0.80, 0},  {0.80, 0.80, 0},
    {0.80, 0.70, 0},   {0.80, 0.70, 0},  {0.80, 0.70, 0},  {0.80, 0.70, 0},
    {0.80, 0.70, 0},   {0.80, 0.70, 0},
    {0.80, 0.60, 0},   {0.80, 0.50, 0},  {0.80, 0.50, 0},  {0.75, 0.50, 0},
    {1.00, 0, 0},      {0.60, 0.60, 0.50}, {0.80, 0, 0},   {1.00, 0, 1.00},
};

constexpr double rail_alpha_defaults[3] = {0.80, 0.70, 0.60};

// One value; a failed conversion leaves the field as it was. True when it converted.
bool Read_Value(FILE* stream, double* field) {
    double value;
    if (std::fscanf(stream, "%lf", &value) != 1) return false;
    *field = value;
    return true;
}

// Reads n values into consecutive fields; false when any of them did not convert.
bool Read_Values(FILE* stream, double* fields, int n) {
    bool all = true;
    for (int i = 0; i < n; ++i) {
        if (!Read_Value(stream, &fields[i])) all = false;
    }
    return all;
}

bool Write_Pair(FILE* stream, const double* pair) {
    return std::fprintf(stream, " %.2f %.2f\n", pair[0], pair[1]) >= 0;
}

bool Write_Triple(FILE* stream, const double* triple) {
    return std::fprintf(stream, " %.2f %.2f %.2f\n", triple[0], triple[1], triple[2]) >= 0;
}

// True when a value of the (nested) arrays differs by more than 0.0001.
template <typename T>
bool Differs(const T& a, const T& b) {
    if constexpr (std::is_array_v<T>) {
        for (std::size_t i = 0; i < std::extent_v<T>; ++i)
            if (Differs(a[i], b[i])) return true;
        return false;
    } else {
        // A value that is no number never equals a number.
        return std::fabs(a - b) > 0.0001 || std::isnan(a) != std::isnan(b);
    }
}

}  // namespace

int NAD_EC0_Defaults(NAD_EC0_Params* record) {
    if (record == nullptr) return 0;
    *record = NAD_EC0_Params{};
    record->version = 0;
    for (int s = 0; s < NAD_EC0_SITUATIONS; ++s) {
        for (int a = 0; a < NAD_EC0_BUILDING_ACTIONS; ++a) {
            record->building_gamma[s][a][NAD_EC0_SUP] = building_gamma_defaults[s][a].sup;
            record->building_gamma[s][a][NAD_EC0_INF] = building_gamma_defaults[s][a].inf;
        }
        for (int a = 0; a < NAD_EC0_BRIDGE_ACTIONS; ++a) {
            const Pair& p = s == NAD_EC0_PERSISTENT ? bridge_gamma_persistent[a]
                                                    : bridge_gamma_other[a];
            record->bridge_gamma[s][a][NAD_EC0_SUP] = p.sup;
            record->bridge_gamma[s][a][NAD_EC0_INF] = p.inf;
        }
    }
    for (int c = 0; c < NAD_EC0_BUILDING_CATEGORIES; ++c)
        for (int k = 0; k < 4; ++k) record->building_psi[c][k] = building_psi_defaults[c][k];
    for (int r = 0; r < NAD_EC0_ROAD_ACTIONS; ++r)
        for (int k = 0; k < 3; ++k) record->road_psi[r][k] = road_psi_defaults[r][k];
    for (int r = 0; r < NAD_EC0_FOOT_ACTIONS; ++r)
        for (int k = 0; k < 3; ++k) record->foot_psi[r][k] = foot_psi_defaults[r][k];
    for (int r = 0; r < NAD_EC0_RAIL_ACTIONS; ++r)
        for (int k = 0; k < 3; ++k) record->rail_psi[r][k] = rail_psi_defaults[r][k];
    for (int k = 0; k < 3; ++k) record->rail_alpha[k] = rail_alpha_defaults[k];
    return 0;
}

void NAD_EC0_Write(FILE* stream, const NAD_EC0_Params* record) {
    if (stream == nullptr || record == nullptr) return;
    const NAD_EC0_Params& r = *record;
    for (int s = 0; s < NAD_EC0_SITUATIONS; ++s)
        for (int a = 0; a < NAD_EC0_BUILDING_ACTIONS; ++a)
            if (!Write_Pair(stream, r.building_gamma[s][a])) return;
    for (int c = 0; c < NAD_EC0_BUILDING_CATEGORIES; ++c)
        if (!Write_Triple(stream, r.building_psi[c])) return;
    // The block version stands in the middle: older readers stop in front of it.
    if (std::fprintf(stream, " %d\n", NAD_EC0_BLOCK_VERSION) < 0) return;
    for (int s = 0; s < NAD_EC0_SITUATIONS; ++s)
        for (int a = 0; a < NAD_EC0_BRIDGE_ACTIONS; ++a)
            if (!Write_Pair(stream, r.bridge_gamma[s][a])) return;
    for (int i = 0; i < NAD_EC0_ROAD_ACTIONS; ++i)
        if (!Write_Triple(stream, r.road_psi[i])) return;
    for (int i = 0; i < NAD_EC0_FOOT_ACTIONS; ++i)
        if (!Write_Triple(stream, r.foot_psi[i])) return;
    for (int i = 0; i < NAD_EC0_RAIL_ACTIONS; ++i)
        if (!Write_Triple(stream, r.rail_psi[i])) return;
    if (!Write_Triple(stream, r.rail_alpha)) return;
    // psi2E last, without line end: the caller's next text ends the line.
    for (int c = 0; c < NAD_EC0_BUILDING_CATEGORIES; ++c)
        if (std::fprintf(stream, " %.2f", r.building_psi[c][3]) < 0) return;
}

void NAD_EC0_Read(FILE* stream, NAD_EC0_Params* record, int in_set_file) {
    if (stream == nullptr || record == nullptr) return;
    NAD_EC0_Params& r = *record;
    int section_version = 1;
    if (in_set_file == 0) {
        if (NAD_Find_Section(stream, " Lastfaktoren", "#NAD", &section_version) != 1) {
            if (nad_trace) std::printf(" EC0:            (failed)\n");
            NAD_Note_Read_Failure("EC0");
            return;
        }
    }
    if (nad_trace) std::printf(" EC0: version=%2d  (ok)\n", section_version);

    // In an annex set file every value must be there; the older list is read as far as
    // it goes, and its blocks end in front of the block version by design.
    bool complete = true;
    for (int a = 0; a < NAD_EC0_BUILDING_ACTIONS; ++a)
        complete &= Read_Values(stream, r.building_gamma[NAD_EC0_PERSISTENT][a], 2);
    if (section_version > 0) {
        for (int s = 1; s < NAD_EC0_SITUATIONS; ++s)
            for (int a = 0; a < NAD_EC0_BUILDING_ACTIONS; ++a)
                complete &= Read_Values(stream, r.building_gamma[s][a], 2);
    }
    for (int c = 0; c < NAD_EC0_BUILDING_CATEGORIES; ++c)
        complete &= Read_Values(stream, r.building_psi[c], 3);

    r.version = 2;
    int block_version = 0;
    if (std::fscanf(stream, "%d", &block_version) != 1) {
        if (in_set_file != 0 || !complete) NAD_Note_Read_Failure("EC0");
        return;
    }
    r.version = block_version;

    for (int s = 0; s < NAD_EC0_SITUATIONS; ++s) {
        if (r.version < 4) {
            // Older blocks have no footbridge action (8): it takes the road traffic pair.
            for (int a = 0; a < NAD_EC0_BRIDGE_ACTIONS; ++a) {
                if (a == 7) continue;
                complete &= Read_Values(stream, r.bridge_gamma[s][a], 2);
            }
            r.bridge_gamma[s][7][NAD_EC0_SUP] = r.bridge_gamma[s][6][NAD_EC0_SUP];
            r.bridge_gamma[s][7][NAD_EC0_INF] = r.bridge_gamma[s][6][NAD_EC0_INF];
        } else {
            for (int a = 0; a < NAD_EC0_BRIDGE_ACTIONS; ++a)
                complete &= Read_Values(stream, r.bridge_gamma[s][a], 2);
        }
    }
    for (int i = 0; i < NAD_EC0_ROAD_ACTIONS; ++i) complete &= Read_Values(stream, r.road_psi[i], 3);
    for (int i = 0; i < NAD_EC0_FOOT_ACTIONS; ++i) complete &= Read_Values(stream, r.foot_psi[i], 3);
    for (int i = 0; i < NAD_EC0_RAIL_ACTIONS; ++i) complete &= Read_Values(stream, r.rail_psi[i], 3);
    complete &= Read_Values(stream, r.rail_alpha, 3);
    if (r.version > 4) {
        for (int c = 0; c < NAD_EC0_BUILDING_CATEGORIES; ++c)
            complete &= Read_Value(stream, &r.building_psi[c][3]);
    }
    if (!complete) NAD_Note_Read_Failure("EC0");
}

int NAD_EC0_Compare(const NAD_EC0_Params* a, const NAD_EC0_Params* b) {
    if (a == b) return 0;
    if (a == nullptr || b == nullptr) return 1;
    if (Differs(a->building_gamma, b->building_gamma)) return 1;
    if (Differs(a->bridge_gamma, b->bridge_gamma)) return 1;
    if (Differs(a->road_psi, b->road_psi)) return 1;
    if (Differs(a->foot_psi, b->foot_psi)) return 1;
    if (Differs(a->rail_psi, b->rail_psi)) return 1;
    if (Differs(a->rail_alpha, b->rail_alpha)) return 1;
    if (Differs(a->building_psi, b->building_psi)) return 1;
    return 0;
}

void NAD_EC0_Copy(NAD_EC0_Params* destination, const NAD_EC0_Params* source) {
    if (destination == nullptr || source == nullptr || destination == source) return;
    const int version = destination->version;
    *destination = *source;
    destination->version = version;
}
