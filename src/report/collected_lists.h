#pragma once
// Collected lists: short entries (hints, warnings, notes) gathered while a report is
// computed and written later as one block: as table lines (plain, bulleted, numbered,
// marked), as comment lines, in two or three columns, or inside a drawn frame.
//
// Eleven lists, numbered 0 to 10; a list number outside 0..10 is ignored by every
// operation. A list holds at most 100 entries of at most 299 characters; what exceeds
// is dropped without a message. An entry made of blanks only keeps its slot (an empty
// line) but does not count as an entry. An entry beginning with "+" continues the entry
// before it; the "+" is not written.
#include <cstdint>
#include <cstdio>

constexpr int COLLECTED_LIST_COUNT = 11;
constexpr int COLLECTED_LIST_ENTRIES = 100;
constexpr int COLLECTED_ENTRY_SIZE = 300;  // 299 characters and the terminating zero

struct Collected_List {
    char entries[COLLECTED_LIST_COUNT][COLLECTED_LIST_ENTRIES][COLLECTED_ENTRY_SIZE];
    int32_t* open_flags;    // allocated on first use, all 0
    int32_t* types;         // allocated with the open flags, all 1: 1 plain, 2 and 3 columns
    int32_t counts[COLLECTED_LIST_COUNT];        // entries with text
    int32_t blank_counts[COLLECTED_LIST_COUNT];  // entries of blanks only
    int32_t widest[COLLECTED_LIST_COUNT];
    double column_positions[3];                  // cm, of the list last opened with columns
};

extern Collected_List collected_lists;

// Opens the list and empties it; its type stays.
void OLI_Open_Collected_List(int list);
// Opens with two or three columns at the given tab positions (cm).
void OLI_Open_Collected_List_2(int list, double first_cm, double second_cm);
void OLI_Open_Collected_List_3(int list, double first_cm, double second_cm, double third_cm);
int OLI_Collected_List_Is_Open(int list);

// Adds one formatted entry (cut to 299 characters) to an open list.
void OLI_Add_To_Collected_List(int list, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The entry's text, or "?????" when the list is not open (or the index is outside it).
const char* OLI_Get_Collected_Entry(int list, int index);
// Entries plus blank entries.
int OLI_Collected_List_Size(int list);
// Reduces the count of entries with text by n, to no less than 0.
void OLI_Drop_Collected_Entries(int list, int n);

// Writes the list and closes it. Type 1, modes 0..3 as table lines: 0 plain, 1 with a
// raised "o" as bullet, 2 numbered from 0, 3 marked " >>> ... !"; mode 4 as comment
// lines; above 4 as plain text lines. Lists with columns are written in their columns.
// A null stream only closes the list.
void OLI_Flush_Collected_List(int list, int mode, FILE* stream);

// The list inside a drawn frame at the current position; a negative width takes the
// widest entry. compact writes comment lines in the smaller line height.
void OLI_Write_Collected_List_At(FILE* stream, int list, int compact, double width_cm);
void OLI_Write_Collected_List(FILE* stream, int list, double width_cm);
void OLI_Write_Collected_List_Compact(FILE* stream, int list, double width_cm);

// Writes the message sink's current context (base/message_sink.h) into the design
// report as collected list 4, each entry in bold. Nothing when the current context is
// free.
void Msg_Write_Current_To_Report(FILE* report);
