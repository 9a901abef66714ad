#pragma once
// Import of internal forces computed by another program of the environment: the user
// picks the source component, the environment's selection tool (Tramovik.exe) runs on the
// component's exchange file in a window of its own, and its answer "Tramovik.res" in the
// temporary directory ("TEMP") becomes an array of result sets. One import at a time:
// the sets stay until Free_Import_Results or the next import.
//
// Answer file, white space between items free:
//   V:<version>
//   <set count S> <values per set V>          (both above 0)
//   S times: V floats, <id> <factor>, two guillemet texts
//   <S> Info                                  (optional; another count: no info texts)
//   S times: five guillemet texts
// The multi-cut answer instead holds a line "MULTICUT", the cut count, one exchange object
// per cut, a line "RESULTS", one set count per cut and the sets (6 values per cut).
#include "base/env_tools.h"

#include <cstdint>

struct ZXP_Object;

struct Import_Result_Set {
    int32_t id;
    float factor;
    float* values;  // import_values_per_set of them
    char* text1;    // null when the file's text is empty
    char* text2;
    char* info[5];  // info[0] is the check point; null when missing or empty
};

constexpr int IMPORT_MAX_CUTS = 10;

extern Import_Result_Set* import_sets;
extern int32_t import_set_count;
extern int32_t import_values_per_set;
extern int32_t import_valid;  // 1 while import_sets holds a completed import
// The component of the last import (a copy of the selection), null before the first.
// It survives Free_Import_Results and is offered again by the next import.
extern Component_Selection* import_component;
extern ZXP_Object* import_cut_objects[IMPORT_MAX_CUTS];
extern int32_t import_cut_count;
extern int32_t import_cut_set_counts[16];

extern const ZAV_Tool force_selection_tool;  // Tramovik.exe

// 1 when the selection tool's program exists and may be executed in the installation
// directory ("EXEC"), else 0.
int Check_Force_Selection_Tool();

// Runs the import: the component given, else the previous one when the user confirms
// "wie zuvor?", else the one the user selects (kind 3). An older answer file is removed
// before the tool starts, so no answer after the tool is a cancel. The four numbers are
// handed to the tool. Returns the number of sets, 0 on any failure or cancel.
int Import_Beam_Cut_Results(const Component_Selection* component, int a, int b, int c, int d);
int Import_Beam_Cut_Results(int a, int b, int c, int d);
// The same for n cuts (at most 10) named by names, each set holding 6 values a cut.
int Import_BeamCutMultiResults0(const Component_Selection* component, int a, int b, int c, int d, int n,
                                const char* const* names);
int Import_BeamCutMultiResults0(int a, int b, int c, int d, int n, const char* const* names);

// Reads a single-series answer file into the import (what the import does once the tool
// has ended). The number of sets, 0 when the file is unusable. The file is not deleted.
int Read_Import_Result_File(const char* path);

// Accessors: 0, 0.0 or null for an index outside 0..count - 1 or without a valid import.
int Get_Import_Set_Values(int set, float* values);
int Get_Import_Set_Id(int set);
double Get_Import_Set_Factor(int set);
const char* Get_Import_Set_Text1(int set);
const char* Get_Import_Set_Text2(int set);
const char* Get_Import_Set_Checkpoint(int set);
const char* Get_Import_Set_Info2(int set);
const char* Get_Import_Set_Info3(int set);
const char* Get_Import_Set_Info4(int set);
const char* Get_Import_Set_Info5(int set);
ZXP_Object* Get_Import_Cut_Object(int cut);
int Get_Import_Cut_Set_Count(int cut);
const char* Get_Import_Component_File();

void Free_Import_Sets();
void Free_Import_Results();
