#pragma once
// EN 1990 part of a national annex set: the load factors that an annex fixes for buildings
// and bridges (partial factors on actions per design situation, combination factors psi).
//
// The part has no NA-DE flag; its first field is the layout version of the block last read.
#include <cstdio>

// Design situations of both partial-factor blocks, in this order.
constexpr int NAD_EC0_PERSISTENT = 0;      // persistent and transient
constexpr int NAD_EC0_ACCIDENTAL = 1;
constexpr int NAD_EC0_SEISMIC = 2;
constexpr int NAD_EC0_SERVICEABILITY = 3;  // serviceability and fatigue checks
constexpr int NAD_EC0_SITUATIONS = 4;

constexpr int NAD_EC0_BUILDING_ACTIONS = 7;  // permanent ... seismic
constexpr int NAD_EC0_BUILDING_CATEGORIES = 12;
constexpr int NAD_EC0_BRIDGE_ACTIONS = 15;
constexpr int NAD_EC0_ROAD_ACTIONS = 14;
constexpr int NAD_EC0_FOOT_ACTIONS = 7;
constexpr int NAD_EC0_RAIL_ACTIONS = 31;
constexpr int NAD_EC0_BLOCK_VERSION = 5;     // the version the writer puts into every block

// Index of gamma_F,sup and gamma_F,inf in a factor pair.
constexpr int NAD_EC0_SUP = 0;
constexpr int NAD_EC0_INF = 1;

struct NAD_EC0_Params {
    // Version of the last block read (0 in the defaults).
    int version;
    // gamma_F,sup / gamma_F,inf per design situation and building action type.
    double building_gamma[NAD_EC0_SITUATIONS][NAD_EC0_BUILDING_ACTIONS][2];
    // psi0, psi1, psi2 and psi2E (psi2 of the seismic situation) per building category.
    double building_psi[NAD_EC0_BUILDING_CATEGORIES][4];
    // gamma_F,sup / gamma_F,inf per design situation and bridge action type.
    double bridge_gamma[NAD_EC0_SITUATIONS][NAD_EC0_BRIDGE_ACTIONS][2];
    // psi0, psi1, psi2 of road bridges, footbridges and railway bridges. psi1 of railway
    // rows 1, 2 and 9 is a marker (negative): those rows take the alpha factor below.
    double road_psi[NAD_EC0_ROAD_ACTIONS][3];
    double foot_psi[NAD_EC0_FOOT_ACTIONS][3];
    double rail_psi[NAD_EC0_RAIL_ACTIONS][3];
    // Railway alpha factors: one track loaded, two tracks, three or more tracks.
    double rail_alpha[3];
};

// Built-in values; version 0. Returns 0 (nothing when the record is null).
int NAD_EC0_Defaults(NAD_EC0_Params* record);

// Writes the block (every value with two decimals). The last line, the psi2E values,
// carries no line end: the caller's next text ends it. Nothing for a null stream or record.
void NAD_EC0_Write(FILE* stream, const NAD_EC0_Params* record);

// Reads a block into the record over the values it holds. in_set_file 1: the stream
// stands at the block (behind the line "#EC0" of an annex set file); 0: an older annex
// list, where the section " Lastfaktoren" is searched first (up to the next "#NAD").
// A block that is not found leaves the record unchanged; a value that does not convert
// leaves its field as it was. A missing section, and in an annex set file a short or
// malformed block, is noted with NAD_Note_Read_Failure ("annex/nad_sections.h"); an older
// list's block ends in front of the block version by design and is no failure.
void NAD_EC0_Read(FILE* stream, NAD_EC0_Params* record, int in_set_file);

// 1 when a factor differs by more than 0.0001 (the version is not compared), else 0.
int NAD_EC0_Compare(const NAD_EC0_Params* a, const NAD_EC0_Params* b);

// Copies every factor; the destination keeps its version. Nothing when a pointer is null.
void NAD_EC0_Copy(NAD_EC0_Params* destination, const NAD_EC0_Params* source);
