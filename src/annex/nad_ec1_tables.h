#pragma once
// EN 1991 part of a national annex set: up to ten numeric tables whose shape (title, size)
// is the same for every annex and whose values differ from annex to annex.
//
// The shapes come once per run from the definition file %DATA%\NAD\WUSL-Tabs.def; the
// values of an annex from a value file, found by the annex's name: %DATA%\NAD\WUSL-Tabs.val
// for the built-in annexes, %DRAM%\WUSL-NADs.def for the user's. The tables are not part of
// the annex set file.
//
// The record has value semantics: copying it (or a whole NAD_Set holding it) copies every
// table; nothing is shared between two records.
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// One table: its definition and the values in force.
struct NAD_EC1_Table {
    std::string title;            // line 1 of the definition
    std::string subtitle;         // line 2
    std::string values_label;     // label of the values in force; empty when none
    std::string word;             // third item of the size line
    int values_per_line = 0;
    int lines = 0;
    int has_values = 0;           // 1 when values were loaded or copied
    int first_group[4] = {};
    int second_group[4] = {};     // the first two as differences to the first group's
    std::vector<double> values;   // lines x values_per_line, line by line
};

enum { NAD_EC1_TABLE_COUNT = 10 };

struct NAD_EC1_Tables {
    int mode = 0;                 // 2 under the German annex, else 1
    int first_setting = 0;        // both 2 in the defaults
    int second_setting = 0;
    int table_options[NAD_EC1_TABLE_COUNT] = {};
    // Table k (1 to 10) in tables[k - 1]; empty when the definition file has no such table.
    std::array<std::optional<NAD_EC1_Table>, NAD_EC1_TABLE_COUNT> tables;
};

// Every operation does nothing (or answers 0) for a null record or name.

// Reads the definition file: clears the options and table slots, then sets up each table
// defined there (values zero, no values in force). Returns the number of tables read;
// 0 when the file is missing. A malformed block ends the reading; the tables before it stay.
int NAD_EC1_Read_Definitions(NAD_EC1_Tables* tables);

// Mode 1, settings 2, no values in force; then the values of the annex block
// "EC-Standardparameter" of the built-in value file.
void NAD_EC1_Defaults(NAD_EC1_Tables* tables);

// Loads the values of the named annex: from %DRAM%\WUSL-NADs.def when file_number is not 0,
// from the built-in value file when it is 0. 1 when a block of that name was read, else 0
// (the values stay as they were).
int NAD_EC1_Load(int file_number, const char* annex_name, NAD_EC1_Tables* tables);

// Opens the value file at the (Windows-form) path and reads the mode and the value block of
// the annex block named so: the block whose name line equals the name (line end and
// trailing blanks aside); without one, the first block whose name line begins with the
// name. 1 when a block was read, else 0.
int NAD_EC1_Find_And_Read(const char* path, const char* annex_name, NAD_EC1_Tables* tables);

// Reads one value block from the stream's position up to the next line beginning with
// "#NAD" (consumed) or the end of the stream. A table's values take effect only when all
// of them were read; a conversion failure ends the block (noted as "EC1").
void NAD_EC1_Read(FILE* stream, NAD_EC1_Tables* tables);

// Flag set: mode 2, table 9 has no values in force; clear: mode 1, table 8 has none.
void NAD_EC1_Set_NA_DE_Flag(NAD_EC1_Tables* tables, int flag);

// Writes "#NAD", the name, the mode and the value block to %DRAM%\WUSL-NADs.def, appended
// (append not 0) or as a new file. 1 on success; 0 when DRAM is not set, the file cannot be
// opened or a write or the closing fails.
int NAD_EC1_Write(int append, const char* annex_name, const NAD_EC1_Tables* tables);

// Writes the value block ("~DATA" ... "~TAB99").
void NAD_EC1_Write_Values(FILE* stream, const NAD_EC1_Tables* tables);

// For each table present in both: the source's values with the label
// "benutzerdefiniert, editierbar", or no values when the source has none; then the options
// and both settings (not the mode).
void NAD_EC1_Copy(NAD_EC1_Tables* destination, const NAD_EC1_Tables* source);

// 1 when, for a table present in both, one has values and the other not, or both have and a
// value differs by more than 1e-4; or when the options differ. Else 0.
int NAD_EC1_Compare(const NAD_EC1_Tables* a, const NAD_EC1_Tables* b);

// Removes every table.
void NAD_EC1_Free_Tables(NAD_EC1_Tables* tables);

// Loads the values of the block "DIN 1055-(4+5)" of the built-in value file into the
// EN 1991 part of the set in force.
void NAD_EC1_Load_Base_Tables();
