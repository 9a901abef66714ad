#pragma once
// Parameter objects and typed parameter lists of the exchange library: the header of
// every exchange object and the value lists of exchange objects and annex files.
//
// Results follow the exchange library's convention: 1 for success, 0 for failure.
// All texts these records own are heap blocks of the allocation interface
// (base/alloc.h); release them with MEM_FREE or Free_If_Set.
//
// Text form of a parameter object (header line):
//   "0x%x %d " type number, the name as a guillemet string, " %d %d\n" ID and
//   comment flag; with a comment the text block ("TXB%d" ...) and the line "#EOC".
// Text form of a parameter list:
//   "%d %d %d\n" counts; the integers " %d"... "\n" (when any); the doubles
//   " %.6e"... "\n" (when any); each text on a line of its own as a guillemet string.
#include "base/exchange_text.h"
#include "base/guillemet.h"

#include <cstdint>
#include <cstdio>

struct ZXP_Param_Object {
    uint32_t type;    // object type code, written in hexadecimal
    int32_t number;   // running number within its kind
    int32_t ID;       // identifier (-1 and 0 mark marker objects)
    char* name;       // owned, or null; at most 199 characters when read
    char* comment;    // owned, or null; stored in the file as a text block
};

struct ZXP_Param_List {
    int32_t nInt;
    int32_t nDbl;
    int32_t nStr;
    int32_t* ints;  // nInt places, null when nInt is 0
    double* dbls;   // nDbl places, null when nDbl is 0
    char** strs;    // nStr owned texts (a slot may be null), null when nStr is 0
};

// Largest count of one kind that a list read from a file may announce; larger (or
// negative) counts mark a damaged file and make the read fail.
constexpr int32_t ZXP_MAX_LIST_COUNT = 1000000;

// The static empty text handed out where a text is asked for and none exists.
extern const char zxp_empty_text[1];

// Parameter objects.
int ZXP_Clear_Param_Object(ZXP_Param_Object* object);
int ZXP_Set_Param_Object(uint32_t type, int32_t number, int32_t id, const char* name,
                         ZXP_Param_Object* object);
// Takes ownership of comment (may be null); frees the old one.
int ZXP_Set_Param_Comment(char* comment, ZXP_Param_Object* object);
// Frees name and comment; the fields are not cleared.
void ZXP_Free_Param_Object(ZXP_Param_Object* object);
int ZXP_Read_Param_Header(FILE* stream, ZXP_Param_Object* object);
int ZXP_Write_Param_Header(FILE* stream, const ZXP_Param_Object* object);

// Parameter lists.
int ZXP_Clear_Param_List(ZXP_Param_List* list);  // zeroes the fields, frees nothing
int ZXP_Resize_Param_List(ZXP_Param_List* list, int nInt, int nDbl, int nStr);
void ZXP_Free_Param_List(ZXP_Param_List* list);   // frees everything, then clears
void ZXP_Reset_Param_List(ZXP_Param_List* list);  // values to zero, texts freed, counts stay
int ZXP_Param_List_Has_Values(const ZXP_Param_List* list);
int ZXP_Copy_Param_List(ZXP_Param_List* destination, const ZXP_Param_List* source);

// Fills each out array (when given and its n is at least 1) with the list's first
// values; the places beyond the list take the defaults (or zero / the empty text).
// Texts handed out are the list's own (a null slot is handed out as the empty text).
// 1, or 0 for a null list (the out arrays then take the defaults).
int ZXP_Get_Param_Values(const ZXP_Param_List* list,
                         int32_t* ints, const int32_t* int_defaults, int n_ints,
                         double* dbls, const double* dbl_defaults, int n_dbls,
                         const char** strs, const char* const* str_defaults, int n_strs);

// Stores n values of each kind: place target_map[i] (or i) takes source[source_map[i]]
// (or source[i]); a negative index skips an integer or double place; a text place is
// always emptied first and filled with a copy when the source index is non-negative
// and the text set. The list grows (never shrinks) to fit every target index.
// 1; 0 when growing or a copy failed (the other places are still handled).
int ZXP_Set_Param_Values(ZXP_Param_List* list,
                         const int32_t* ints, const int* int_source_map, int n_ints,
                         const int* int_target_map,
                         const double* dbls, const int* dbl_source_map, int n_dbls,
                         const int* dbl_target_map,
                         const char* const* strs, const int* str_source_map, int n_strs,
                         const int* str_target_map);

int ZXP_Get_Param_Int(const ZXP_Param_List* list, int index);        // 0 out of range
double ZXP_Get_Param_Double(const ZXP_Param_List* list, int index);  // 0.0 out of range
// The text slot (may be null); the empty text out of range or for a null list.
const char* ZXP_Get_Param_String(const ZXP_Param_List* list, int index);

// Reads a list. A kind whose given count is not negative has its count in the file;
// with flags bit 0 the list takes the counts read, else the given counts (values
// beyond them are read and dropped). Texts hold at most 99 characters.
int ZXP_Read_Param_List(FILE* stream, int nInt, int nDbl, int nStr, ZXP_Param_List* list,
                        int flags);
int ZXP_Write_Param_List(FILE* stream, const ZXP_Param_List* list);
