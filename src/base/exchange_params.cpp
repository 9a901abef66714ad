#include "base/exchange_params.h"

#include "base/alloc.h"
#include "base/component_files.h"
#include "base/text_blocks.h"

#include <climits>
#include <cstring>

const char zxp_empty_text[1] = "";

namespace {

constexpr int HEADER_NAME_SIZE = 200;

char* Copy_Text(const char* text) { return text ? MEM_STRDUP(text) : nullptr; }

// Reallocates one array of a list to a new count, zeroing new places; false when the
// size cannot be represented or the allocation failed (the old array then stays).
template <typename T>
bool Resize_Array(T*& array, int32_t& count, int new_count)
{
    if (new_count == count) return true;
    if (new_count == 0) {
        MEM_FREE(array);
        array = nullptr;
        count = 0;
        return true;
    }
    const unsigned long long bytes = static_cast<unsigned long long>(new_count) * sizeof(T);
    if (bytes > UINT32_MAX) return false;
    T* grown = static_cast<T*>(MEM_REALLOC(array, static_cast<uint32_t>(bytes)));
    if (!grown) return false;
    for (int i = count; i < new_count; ++i) grown[i] = T{};
    array = grown;
    count = new_count;
    return true;
}

// The count the list must reach so that every target index of n places fits.
long long Needed_Count(const int* target_map, int n)
{
    if (!target_map) return n;
    long long needed = 0;
    for (int i = 0; i < n; ++i)
        if (target_map[i] + 1LL > needed) needed = target_map[i] + 1LL;
    return needed;
}

bool Grow_Kind(ZXP_Param_List* list, int kind, long long needed)
{
    const int32_t counts[3] = {list->nInt, list->nDbl, list->nStr};
    if (needed <= counts[kind]) return true;
    if (needed > INT32_MAX) return false;
    int next[3] = {counts[0], counts[1], counts[2]};
    next[kind] = static_cast<int>(needed);
    return ZXP_Resize_Param_List(list, next[0], next[1], next[2]) == 1;
}

} // namespace

// ---------------------------------------------------------------- parameter objects

int ZXP_Clear_Param_Object(ZXP_Param_Object* object)
{
    if (!object) return 0;
    object->type = 0;
    object->number = 0;
    object->ID = 0;
    object->name = nullptr;
    object->comment = nullptr;
    return 1;
}

int ZXP_Set_Param_Object(uint32_t type, int32_t number, int32_t id, const char* name,
                         ZXP_Param_Object* object)
{
    if (!object) return 0;
    object->type = type;
    object->number = number;
    object->ID = id;
    char* copy = Copy_Text(name);
    if (name && !copy) return 0;
    Free_If_Set(object->name);
    object->name = copy;
    return 1;
}

int ZXP_Set_Param_Comment(char* comment, ZXP_Param_Object* object)
{
    if (!object) return 0;
    if (object->comment != comment) Free_If_Set(object->comment);
    object->comment = comment;
    return 1;
}

void ZXP_Free_Param_Object(ZXP_Param_Object* object)
{
    if (!object) return;
    Free_If_Set(object->name);
    Free_If_Set(object->comment);
}

int ZXP_Read_Param_Header(FILE* stream, ZXP_Param_Object* object)
{
    if (!object) return 0;
    ZXP_Clear_Param_Object(object);
    if (!stream) return 0;
    int type = 0;
    int number = 0;
    if (std::fscanf(stream, " %i%d", &type, &number) != 2) return 0;
    char name[HEADER_NAME_SIZE];
    if (ZXP_Read_Delimited(stream, name, HEADER_NAME_SIZE, GUILLEMET_OPEN, GUILLEMET_CLOSE) < 0)
        return 0;
    int32_t rest[2];
    Read_Line_Ints(stream, rest, 2);  // no line: both 0
    if (!ZXP_Set_Param_Object(static_cast<uint32_t>(type), number, rest[0], name, object))
        return 0;
    if (rest[1] & 1) {
        ZXP_Set_Param_Comment(Read_Text_Block(stream), object);
        ZXP_Seek_Marker(stream, "#EOC", 0);
    }
    return 1;
}

int ZXP_Write_Param_Header(FILE* stream, const ZXP_Param_Object* object)
{
    if (!stream || !object) return 0;
    if (std::fprintf(stream, "0x%x %d ", object->type, object->number) <= 0) return 0;
    if (ZXP_Write_String(stream, object->name) != 0) return 0;
    // An empty comment is no comment: its block of length 0 would read back as none.
    const bool has_comment = object->comment && object->comment[0];
    if (std::fprintf(stream, " %d %d\n", object->ID, has_comment ? 1 : 0) <= 0) return 0;
    if (has_comment) {
        Write_Text_Block(stream, object->comment);
        if (std::fprintf(stream, "#EOC\n") <= 0) return 0;
    }
    return std::ferror(stream) ? 0 : 1;
}

// ---------------------------------------------------------------- parameter lists

int ZXP_Clear_Param_List(ZXP_Param_List* list)
{
    if (!list) return 0;
    list->nInt = 0;
    list->nDbl = 0;
    list->nStr = 0;
    list->ints = nullptr;
    list->dbls = nullptr;
    list->strs = nullptr;
    return 1;
}

int ZXP_Resize_Param_List(ZXP_Param_List* list, int nInt, int nDbl, int nStr)
{
    if (!list) return 0;
    if (nInt < 0) nInt = 0;
    if (nDbl < 0) nDbl = 0;
    if (nStr < 0) nStr = 0;
    if (!Resize_Array(list->ints, list->nInt, nInt)) return 0;
    if (!Resize_Array(list->dbls, list->nDbl, nDbl)) return 0;
    if (nStr < list->nStr) {
        // Texts that drop off are freed first; the slots stay valid until the
        // array itself shrinks.
        for (int i = nStr; i < list->nStr; ++i) {
            Free_If_Set(list->strs[i]);
            list->strs[i] = nullptr;
        }
    }
    if (!Resize_Array(list->strs, list->nStr, nStr)) return 0;
    return 1;
}

void ZXP_Free_Param_List(ZXP_Param_List* list)
{
    if (!list) return;
    if (list->strs)
        for (int i = 0; i < list->nStr; ++i) Free_If_Set(list->strs[i]);
    Free_If_Set(list->strs);
    Free_If_Set(list->ints);
    Free_If_Set(list->dbls);
    ZXP_Clear_Param_List(list);
}

void ZXP_Reset_Param_List(ZXP_Param_List* list)
{
    if (!list) return;
    if (list->ints)
        for (int i = 0; i < list->nInt; ++i) list->ints[i] = 0;
    if (list->dbls)
        for (int i = 0; i < list->nDbl; ++i) list->dbls[i] = 0.0;
    if (list->strs)
        for (int i = 0; i < list->nStr; ++i) {
            Free_If_Set(list->strs[i]);
            list->strs[i] = nullptr;
        }
}

int ZXP_Param_List_Has_Values(const ZXP_Param_List* list)
{
    if (!list) return 0;
    if (list->ints)
        for (int i = 0; i < list->nInt; ++i)
            if (list->ints[i] != 0) return 1;
    if (list->dbls)
        for (int i = 0; i < list->nDbl; ++i)
            if (list->dbls[i] != 0.0) return 1;
    if (list->strs)
        for (int i = 0; i < list->nStr; ++i)
            if (list->strs[i]) return 1;
    return 0;
}

int ZXP_Copy_Param_List(ZXP_Param_List* destination, const ZXP_Param_List* source)
{
    if (!destination) return 0;
    if (destination == source) return 1;
    const int nInt = source && source->ints ? source->nInt : 0;
    const int nDbl = source && source->dbls ? source->nDbl : 0;
    const int nStr = source && source->strs ? source->nStr : 0;
    if (!ZXP_Resize_Param_List(destination, nInt, nDbl, nStr)) return 0;
    if (nInt > 0) std::memcpy(destination->ints, source->ints, sizeof(int32_t) * nInt);
    if (nDbl > 0) std::memcpy(destination->dbls, source->dbls, sizeof(double) * nDbl);
    int result = 1;
    for (int i = 0; i < nStr; ++i) {
        Free_If_Set(destination->strs[i]);
        destination->strs[i] = Copy_Text(source->strs[i]);
        if (source->strs[i] && !destination->strs[i]) result = 0;
    }
    return result;
}

int ZXP_Get_Param_Values(const ZXP_Param_List* list,
                         int32_t* ints, const int32_t* int_defaults, int n_ints,
                         double* dbls, const double* dbl_defaults, int n_dbls,
                         const char** strs, const char* const* str_defaults, int n_strs)
{
    static const ZXP_Param_List empty{};
    const ZXP_Param_List* from = list ? list : &empty;
    if (ints && n_ints >= 1)
        for (int i = 0; i < n_ints; ++i) {
            if (i < from->nInt && from->ints) ints[i] = from->ints[i];
            else ints[i] = int_defaults ? int_defaults[i] : 0;
        }
    if (dbls && n_dbls >= 1)
        for (int i = 0; i < n_dbls; ++i) {
            if (i < from->nDbl && from->dbls) dbls[i] = from->dbls[i];
            else dbls[i] = dbl_defaults ? dbl_defaults[i] : 0.0;
        }
    if (strs && n_strs >= 1)
        for (int i = 0; i < n_strs; ++i) {
            if (i < from->nStr && from->strs)
                strs[i] = from->strs[i] ? from->strs[i] : zxp_empty_text;
            else
                strs[i] = str_defaults ? str_defaults[i] : zxp_empty_text;
        }
    return list ? 1 : 0;
}

int ZXP_Set_Param_Values(ZXP_Param_List* list,
                         const int32_t* ints, const int* int_source_map, int n_ints,
                         const int* int_target_map,
                         const double* dbls, const int* dbl_source_map, int n_dbls,
                         const int* dbl_target_map,
                         const char* const* strs, const int* str_source_map, int n_strs,
                         const int* str_target_map)
{
    if (!list) return 0;
    int result = 1;

    if (n_ints >= 1) {
        if (!Grow_Kind(list, 0, Needed_Count(int_target_map, n_ints))) {
            result = 0;
        } else if (ints) {
            for (int i = 0; i < n_ints; ++i) {
                const int target = int_target_map ? int_target_map[i] : i;
                const int source = int_source_map ? int_source_map[i] : i;
                if (target >= 0 && source >= 0) list->ints[target] = ints[source];
            }
        }
    }
    if (n_dbls >= 1) {
        if (!Grow_Kind(list, 1, Needed_Count(dbl_target_map, n_dbls))) {
            result = 0;
        } else if (dbls) {
            for (int i = 0; i < n_dbls; ++i) {
                const int target = dbl_target_map ? dbl_target_map[i] : i;
                const int source = dbl_source_map ? dbl_source_map[i] : i;
                if (target >= 0 && source >= 0) list->dbls[target] = dbls[source];
            }
        }
    }
    if (n_strs >= 1) {
        if (!Grow_Kind(list, 2, Needed_Count(str_target_map, n_strs))) {
            result = 0;
        } else {
            for (int i = 0; i < n_strs; ++i) {
                const int target = str_target_map ? str_target_map[i] : i;
                const int source = str_source_map ? str_source_map[i] : i;
                if (target < 0) continue;
                Free_If_Set(list->strs[target]);
                list->strs[target] = nullptr;
                const char* text = (strs && source >= 0) ? strs[source] : nullptr;
                if (!text) continue;
                list->strs[target] = Copy_Text(text);
                if (!list->strs[target]) result = 0;
            }
        }
    }
    return result;
}

int ZXP_Get_Param_Int(const ZXP_Param_List* list, int index)
{
    if (!list || !list->ints || index < 0 || index >= list->nInt) return 0;
    return list->ints[index];
}

double ZXP_Get_Param_Double(const ZXP_Param_List* list, int index)
{
    if (!list || !list->dbls || index < 0 || index >= list->nDbl) return 0.0;
    return list->dbls[index];
}

const char* ZXP_Get_Param_String(const ZXP_Param_List* list, int index)
{
    if (!list || !list->strs || index < 0 || index >= list->nStr) return zxp_empty_text;
    return list->strs[index];
}

int ZXP_Read_Param_List(FILE* stream, int nInt, int nDbl, int nStr, ZXP_Param_List* list,
                        int flags)
{
    if (!list) return 0;
    ZXP_Clear_Param_List(list);
    if (!stream) return 0;

    // Counts in the file; an absurd (or negative) one marks a damaged file and is
    // refused before anything is allocated.
    const int given[3] = {nInt, nDbl, nStr};
    int announced[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k)
        if (given[k] >= 0 && !ZXP_Scan_Count(stream, ZXP_MAX_LIST_COUNT, &announced[k]))
            return 0;

    const int* size = (flags & 1) ? announced : given;
    if (!ZXP_Resize_Param_List(list, size[0], size[1], size[2])) return 0;

    for (int i = 0; i < announced[0]; ++i) {
        int value = 0;
        if (std::fscanf(stream, " %d", &value) != 1) return 0;
        if (i < list->nInt) list->ints[i] = value;
    }
    for (int i = 0; i < announced[1]; ++i) {
        double value = 0.0;
        if (std::fscanf(stream, " %lf", &value) != 1) return 0;
        if (i < list->nDbl) list->dbls[i] = value;
    }
    int taken = 0;
    char text[ZXP_STRING_SIZE];
    for (; taken < announced[2]; ++taken) {
        ZXP_Read_String(stream, text);
        if (taken < list->nStr) {
            list->strs[taken] = MEM_STRDUP(text);
            if (!list->strs[taken]) break;
        }
    }
    return taken == announced[2] ? 1 : 0;
}

int ZXP_Write_Param_List(FILE* stream, const ZXP_Param_List* list)
{
    if (!stream || !list) return 0;
    const int nInt = list->ints ? list->nInt : 0;
    const int nDbl = list->dbls ? list->nDbl : 0;
    const int nStr = list->strs ? list->nStr : 0;
    if (std::fprintf(stream, "%d %d %d\n", nInt, nDbl, nStr) <= 0) return 0;
    if (nInt > 0) {
        for (int i = 0; i < nInt; ++i)
            if (std::fprintf(stream, " %d", list->ints[i]) <= 0) return 0;
        if (std::fputc('\n', stream) == EOF) return 0;
    }
    if (nDbl > 0) {
        for (int i = 0; i < nDbl; ++i)
            if (std::fprintf(stream, " %.6e", list->dbls[i]) <= 0) return 0;
        if (std::fputc('\n', stream) == EOF) return 0;
    }
    for (int i = 0; i < nStr; ++i) {
        if (ZXP_Write_String(stream, list->strs[i]) != 0) return 0;
        if (std::fputc('\n', stream) == EOF) return 0;
    }
    return std::ferror(stream) ? 0 : 1;
}
