#include "base/exchange_objects.h"

#include "base/alloc.h"
#include "base/exchange_text.h"
#include "base/text_blocks.h"
#include "base/text_lines.h"
#include "platform/current_object.h"
#include "platform/environment.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* OBJECT_TEXT_END = "#ZXP_OBJECT_EOC";
constexpr const char* OBJECT_DATA_END = "#ZXP_OBJECT_EOD";
constexpr const char* RESULT_MARK = "<ZXP";
constexpr double PI = 3.14159265358979323846;

// One signed integer as " %d" reads it, but refusing numbers beyond 32 bits.
bool Read_Int(FILE* stream, int32_t* value)
{
    long long v = 0;
    if (std::fscanf(stream, " %lld", &v) != 1 || v < INT32_MIN || v > INT32_MAX) return false;
    *value = static_cast<int32_t>(v);
    return true;
}

// Kind 1: a flag word and, with bit 0, a parameter list.
void* Kind1_Create(ZXP_Object*)
{
    auto* data = static_cast<ZXP_Kind1_Data*>(MEM_CALLOC(1, sizeof(ZXP_Kind1_Data)));
    if (data) ZXP_Clear_Param_List(&data->list);
    return data;
}

void Kind1_Destroy(void* data, const ZXP_Kind_Descriptor*)
{
    auto* d = static_cast<ZXP_Kind1_Data*>(data);
    if (!d) return;
    ZXP_Free_Param_List(&d->list);
    MEM_FREE(d);
}

int Kind1_Read(FILE* stream, ZXP_Object* object)
{
    if (!stream || !object) return 0;
    if (!object->kind_data) {
        object->kind_data = Kind1_Create(object);
        if (!object->kind_data) return 0;
    }
    auto* d = static_cast<ZXP_Kind1_Data*>(object->kind_data);
    if (!Read_Int(stream, &d->flags)) return 0;
    if (d->flags & 1) return ZXP_Read_Param_List(stream, 0, 0, 0, &d->list, 1);
    return 1;
}

int Kind1_Write(FILE* stream, const void* data, const ZXP_Kind_Descriptor*)
{
    if (!stream) return 0;
    const auto* d = static_cast<const ZXP_Kind1_Data*>(data);
    int32_t flags = d ? d->flags : 0;
    if (std::fprintf(stream, "%d\n", flags) < 0) return 0;
    if (d && (flags & 1)) return ZXP_Write_Param_List(stream, &d->list);
    return 1;
}

const ZXP_Kind_Descriptor* Descriptor_Of(int kind)
{
    return kind == 1 ? &zxp_kind1_descriptor : nullptr;
}

ZXP_Kind1_Data* Kind1_Data_Of(const ZXP_Object* object, uint32_t type)
{
    if (!object || object->header.type != type || object->kind != &zxp_kind1_descriptor) return nullptr;
    return static_cast<ZXP_Kind1_Data*>(object->kind_data);
}

ZXP_Object* New_Object()
{
    auto* object = static_cast<ZXP_Object*>(MEM_CALLOC(1, sizeof(ZXP_Object)));
    if (!object) return nullptr;
    ZXP_Clear_Param_Object(&object->header);
    ZXP_Clear_Param_List(&object->list);
    object->kind = nullptr;
    object->kind_data = nullptr;
    object->text = nullptr;
    return object;
}

bool Read_Object_Parts(FILE* stream, ZXP_Object* object)
{
    if (!ZXP_Read_Param_Header(stream, &object->header)) return false;
    int word = 0;
    if (!ZXP_Scan_Count(stream, INT32_MAX, &word)) return false;
    const bool has_text = (word & ZXP_KIND_TEXT_FLAG) != 0;
    const int kind = word & ~ZXP_KIND_TEXT_FLAG;
    if (kind != 0 && !Descriptor_Of(kind)) return false;  // a kind this library does not know
    if (!ZXP_Read_Param_List(stream, 0, 0, 0, &object->list, 1)) return false;
    if (has_text) {
        object->text = Read_Text_Block(stream);
        if (!ZXP_Seek_Marker(stream, OBJECT_TEXT_END, 0)) return false;
    }
    object->kind = Descriptor_Of(kind);
    if (object->kind && object->kind->read && !object->kind->read(stream, object)) return false;
    if (kind != 0 && !ZXP_Seek_Marker(stream, OBJECT_DATA_END, 0)) return false;
    return true;
}

const ZXP_Component_Row member_axis_rows[13] = {
    {"ul", "mm", 0},      {"um", "mm", 1},     {"un", "mm", 2},       {"vl", "\x89", 3},
    {"vm", "\x89", 4},    {"vn", "\x89", 5},   {"N", "kN", 6},        {"V\xC1", "kN", 7},
    {"V\xD3", "kN", 8},   {"T", "kN/m", 9},    {"M\xC1", "kN/m", 10}, {"M\xD3", "kN/m", 11},
    {"kmod", "-", 24},
};
const ZXP_Component_Row local_axis_rows[13] = {
    {"ur", "mm", 12},     {"us", "mm", 13},    {"ut", "mm", 14},      {"vr", "\x89", 15},
    {"vs", "\x89", 16},   {"vt", "\x89", 17},  {"APr", "kN", 18},     {"APs", "kN", 19},
    {"APt", "kN", 20},    {"AMr", "kN/m", 21}, {"AMs", "kN/m", 22},   {"AMt", "kN/m", 23},
    {"kmod", "-", 24},
};
const ZXP_Component_Set member_axis_table = {0, 13, member_axis_rows};
const ZXP_Component_Set local_axis_table = {1, 13, local_axis_rows};

void Set_Identity(double origin[3], double axes[3][3])
{
    for (int i = 0; i < 3; ++i) {
        origin[i] = 0.0;
        for (int j = 0; j < 3; ++j) axes[i][j] = i == j ? 1.0 : 0.0;
    }
}

} // namespace

const ZXP_Kind_Descriptor zxp_kind1_descriptor = {1, Kind1_Create, Kind1_Destroy, Kind1_Read, Kind1_Write};

ZXP_Object* ZXP_Read_Object(FILE* stream)
{
    if (!stream) return nullptr;
    ZXP_Object* object = New_Object();
    if (!object) return nullptr;
    if (!Read_Object_Parts(stream, object)) {
        ZXP_Destroy_Object(object);
        return nullptr;
    }
    return object;
}

void ZXP_Destroy_Object(ZXP_Object* object)
{
    if (!object) return;
    if (object->kind && object->kind->destroy && object->kind_data)
        object->kind->destroy(object->kind_data, object->kind);
    ZXP_Free_Param_Object(&object->header);
    ZXP_Free_Param_List(&object->list);
    MEM_FREE(object->text);
    MEM_FREE(object);
}

ZXP_Object* ZXP_Create_Object(uint32_t type, int32_t number, int32_t id, const char* name, int kind,
                              void* kind_data)
{
    if (kind != 0 && !Descriptor_Of(kind)) return nullptr;
    ZXP_Object* object = New_Object();
    if (!object) return nullptr;
    object->kind = Descriptor_Of(kind);
    object->kind_data = kind_data;
    if (!ZXP_Set_Param_Object(type, number, id, name, &object->header)) {
        object->kind_data = nullptr;  // the caller keeps its data when the object fails
        ZXP_Destroy_Object(object);
        return nullptr;
    }
    if (object->kind && !object->kind_data && object->kind->create) {
        object->kind_data = object->kind->create(object);
        if (!object->kind_data) {
            ZXP_Destroy_Object(object);
            return nullptr;
        }
    }
    return object;
}

int ZXP_Write_Object(FILE* stream, const ZXP_Object* object)
{
    if (!stream || !object) return 0;
    const int kind = object->kind ? object->kind->kind : 0;
    // An empty text is no text: it would not come back from the file.
    const bool has_text = object->text && object->text[0];
    if (std::fputs("\n", stream) == EOF) return 0;
    if (!ZXP_Write_Param_Header(stream, &object->header)) return 0;
    if (std::fprintf(stream, "%d\n", kind | (has_text ? ZXP_KIND_TEXT_FLAG : 0)) < 0) return 0;
    if (!ZXP_Write_Param_List(stream, &object->list)) return 0;
    if (has_text) {
        Write_Text_Block(stream, object->text);
        if (std::fprintf(stream, "%s\n", OBJECT_TEXT_END) < 0) return 0;
    }
    if (object->kind && object->kind->write && !object->kind->write(stream, object->kind_data, object->kind))
        return 0;
    if (kind != 0 && std::fprintf(stream, "\n%s\n", OBJECT_DATA_END) < 0) return 0;
    return std::ferror(stream) ? 0 : 1;
}

int ZXP_Set_Object_Text(ZXP_Object* object, const char* text)
{
    if (!object) return 0;
    char* copy = nullptr;
    if (text && !(copy = MEM_STRDUP(text))) return 0;
    MEM_FREE(object->text);
    object->text = copy;
    return 1;
}

const char* ZXP_Get_Object_Text(const ZXP_Object* object) { return object ? object->text : nullptr; }

ZXP_Object* ZXP_Make_Header_Object()
{
    ZXP_Object* object = ZXP_Create_Object(2, 1, 0, "ZAVExportObject_Header", 0, nullptr);
    if (!object) return nullptr;
    if (!ZXP_Resize_Param_List(&object->list, 3, 0, 6)) {
        ZXP_Destroy_Object(object);
        return nullptr;
    }
    object->list.ints[0] = 1;
    object->list.ints[1] = CurOb_Application_Number();
    object->list.ints[2] = CurOb_Object_Id();
    const char* texts[6] = {CurOb_Filername(),   CurOb_Basicname(),   CurOb_Suffixname(),
                            CurOb_Programname(), CurOb_Programstring(), CurOb_Versionstring()};
    for (int i = 0; i < 6; ++i) {
        if (texts[i] && !(object->list.strs[i] = MEM_STRDUP(texts[i]))) {
            ZXP_Destroy_Object(object);
            return nullptr;
        }
    }
    return object;
}

int ZXP_Write_Header_Object(FILE* stream, const ZXP_Object* object)
{
    if (!stream) return 0;
    if (object) return ZXP_Write_Object(stream, object);
    ZXP_Object* made = ZXP_Make_Header_Object();
    if (!made) return 0;
    int ok = ZXP_Write_Object(stream, made);
    ZXP_Destroy_Object(made);
    return ok;
}

ZXP_Object* ZXP_Read_Header_Object(FILE* stream)
{
    ZXP_Object* object = ZXP_Read_Object(stream);
    if (!object) return nullptr;
    if (object->header.type != 2 || !ZXP_Resize_Param_List(&object->list, 3, 0, 6)) {
        ZXP_Destroy_Object(object);
        return nullptr;
    }
    return object;
}

const char* ZXP_Block_Name(int block)
{
    switch (block) {
    case 1: return "#ZXP_HEADER";
    case 2: return "#ZXP_EINWNCHW";
    case 3: return "#ZXP_OBJECTS";
    case 4: return "#ZXP_PARAM";
    default: return "#ZXP_??????";
    }
}

int ZXP_Write_Block_Name(FILE* stream, int block)
{
    if (!stream) return 0;
    return std::fprintf(stream, "\n%s\n", ZXP_Block_Name(block)) < 0 ? 0 : 1;
}

int ZXP_Seek_Block(FILE* stream, int block, int rewind)
{
    if (!stream) return 0;
    return ZXP_Seek_Marker(stream, ZXP_Block_Name(block), rewind);
}

int ZXP_Write_Block_End(FILE* stream, int block)
{
    if (!stream) return 0;
    ZXP_Object* end = ZXP_Create_Object(1, block, -1, "End_Of_ZAVExportBlock", 0, nullptr);
    if (!end) return 0;
    int ok = ZXP_Write_Object(stream, end);
    ZXP_Destroy_Object(end);
    return ok;
}

ZXP_Object* ZXP_Find_Object(const Ptr_Array* objects, uint32_t type, int32_t id)
{
    for (int i = 0; i < PtrArr_Count(objects); ++i) {
        auto* object = static_cast<ZXP_Object*>(PtrArr_Get(objects, i));
        if (object && object->header.type == type && object->header.ID == id) return object;
    }
    return nullptr;
}

ZXP_Object* Find_ZAVExportParam_Obj(const Ptr_Array* objects, uint32_t type, int32_t id)
{
    ZXP_Object* object = ZXP_Find_Object(objects, type, id);
    if (!object)
        std::printf("Find_ZAVExportParam_Obj: (type=%d, ID=%d) nicht gefunden\n", static_cast<int>(type), id);
    return object;
}

int ZXP_Read_Result_Keys(FILE* stream, int32_t* keys)
{
    if (!keys) return 0;
    for (int k = 0; k < ZXP_RESULT_KEYS; ++k) keys[k] = -1;
    std::string line;
    if (!stream || !Read_Whole_Line(stream, line)) return 0;
    const char* p = line.c_str();
    int count = 0;
    while (count < ZXP_RESULT_KEYS) {
        char* end = nullptr;
        long long v = std::strtoll(p, &end, 10);
        if (end == p || v < INT32_MIN || v > INT32_MAX) break;
        keys[count++] = static_cast<int32_t>(v);
        while (*end == ' ' || *end == '\t') ++end;
        if (*end != '|') break;
        p = end + 1;
    }
    return count;
}

int ZXP_Write_Result_Keys(FILE* stream, const int32_t* keys)
{
    if (!stream || !keys) return 0;
    for (int k = 0; k < ZXP_RESULT_KEYS; ++k)
        if (std::fprintf(stream, k + 1 < ZXP_RESULT_KEYS ? "%d|" : "%d\n", keys[k]) < 0) return 0;
    return 1;
}

int ZXP_Read_Result_Record(FILE* stream, ZXP_Result_Record* record)
{
    if (!stream || !record) return 0;
    ZXP_Free_Param_List(&record->list);
    for (int k = 0; k < ZXP_RESULT_KEYS; ++k) record->keys[k] = -1;
    if (!ZXP_Seek_Marker(stream, RESULT_MARK, 0)) return 0;
    if (ZXP_Read_Result_Keys(stream, record->keys) < 1) return 0;
    return ZXP_Read_Param_List(stream, 0, 0, 0, &record->list, 1);
}

int ZXP_Write_Result_Record(FILE* stream, const ZXP_Result_Record* record)
{
    if (!stream || !record) return 0;
    if (std::fprintf(stream, "\n%s\n", RESULT_MARK) < 0) return 0;
    if (!ZXP_Write_Result_Keys(stream, record->keys)) return 0;
    return ZXP_Write_Param_List(stream, &record->list);
}

int ZXP_Match_Result_Keys(const int32_t* keys, const int32_t* pattern)
{
    if (!keys || !pattern) return 0;
    for (int k = 0; k < ZXP_RESULT_KEYS; ++k)
        if (pattern[k] != -1 && pattern[k] != keys[k]) return 0;
    return 1;
}

ZXP_Result_Record* ZXP_Create_Result_Record(const int32_t* keys)
{
    auto* record = static_cast<ZXP_Result_Record*>(MEM_CALLOC(1, sizeof(ZXP_Result_Record)));
    if (!record) return nullptr;
    for (int k = 0; k < ZXP_RESULT_KEYS; ++k) record->keys[k] = keys ? keys[k] : -1;
    ZXP_Clear_Param_List(&record->list);
    return record;
}

void ZXP_Free_Result_Record(ZXP_Result_Record* record)
{
    if (!record) return;
    ZXP_Free_Param_List(&record->list);
    MEM_FREE(record);
}

const ZXP_Component_Set* ZXP_Component_Table(int selector)
{
    switch (selector) {
    case 0:
    case 2: return &member_axis_table;
    case 1:
    case 3: return &local_axis_table;
    default: return nullptr;
    }
}

int ZXP_Find_Component(const ZXP_Component_Set* table, int component)
{
    if (!table) return -1;
    for (int r = 0; r < table->rows; ++r)
        if (table->row[r].component == component) return r;
    return -1;
}

int ZXP_Get_Result_Values(const ZXP_Result_Record* record, const int* components, int n, double* values)
{
    if (!record || !components || !values || n < 1) return 0;
    const ZXP_Component_Set* table = ZXP_Component_Table(record->keys[6]);
    for (int i = 0; i < n; ++i) {
        int row = ZXP_Find_Component(table, components[i]);
        values[i] = row >= 0 && row < record->list.nDbl && record->list.dbls ? record->list.dbls[row] : 0.0;
    }
    return 1;
}

int ZXP_Get_Local_Frame(const ZXP_Object* object, int mode, int transpose, double origin[3],
                        double axes[3][3])
{
    if (!origin || !axes) return 0;
    Set_Identity(origin, axes);
    if (!object) return 0;
    const ZXP_Param_List& list = object->list;
    const bool bar = object->header.type == 3 && list.nDbl >= 12;
    const bool plain = object->header.type == 4 && list.nDbl >= 12;
    if (!bar && !plain) return 0;

    const double angle = bar && list.nDbl >= 13 ? list.dbls[12] : 0.0;
    if (bar && mode == 2) {
        if (std::fabs(angle) > 1e-10) {
            const double c = std::cos(angle * PI / 180.0), s = std::sin(angle * PI / 180.0);
            axes[1][1] = c;
            axes[1][2] = s;
            axes[2][1] = -s;
            axes[2][2] = c;
        }
    } else {
        for (int i = 0; i < 3; ++i) origin[i] = list.dbls[i];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) axes[i][j] = list.dbls[3 + 3 * i + j];
        if (bar && std::fabs(angle) > 1e-10) {
            // Turn the second and third axes about the first.
            const double c = std::cos(angle * PI / 180.0), s = std::sin(angle * PI / 180.0);
            for (int j = 0; j < 3; ++j) {
                const double e2 = axes[1][j], e3 = axes[2][j];
                axes[1][j] = c * e2 + s * e3;
                axes[2][j] = -s * e2 + c * e3;
            }
        }
    }
    if (transpose)
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j) std::swap(axes[i][j], axes[j][i]);
    return 1;
}

int ZXP_Get_Object_Int(const ZXP_Object* object, uint32_t type, int index)
{
    const ZXP_Kind1_Data* d = Kind1_Data_Of(object, type);
    return d ? ZXP_Get_Param_Int(&d->list, index) : 0;
}

double ZXP_Get_Object_Double(const ZXP_Object* object, uint32_t type, int index)
{
    const ZXP_Kind1_Data* d = Kind1_Data_Of(object, type);
    return d ? ZXP_Get_Param_Double(&d->list, index) : 0.0;
}

const char* ZXP_Get_Object_String(const ZXP_Object* object, uint32_t type, int index)
{
    const ZXP_Kind1_Data* d = Kind1_Data_Of(object, type);
    const char* text = d ? ZXP_Get_Param_String(&d->list, index) : nullptr;
    return text ? text : zxp_empty_text;
}

int ZXP_Get_Bar_Record(const ZXP_Object* object, int32_t ints[5], double dbls[8], const char** text)
{
    const ZXP_Kind1_Data* d = Kind1_Data_Of(object, 3);
    const bool present = d && (d->flags & 1);
    for (int i = 0; ints && i < 5; ++i) ints[i] = present ? ZXP_Get_Param_Int(&d->list, i) : 0;
    for (int i = 0; dbls && i < 8; ++i) dbls[i] = present ? ZXP_Get_Param_Double(&d->list, i) : 0.0;
    if (text) {
        const char* t = present ? ZXP_Get_Param_String(&d->list, 0) : nullptr;
        *text = t ? t : zxp_empty_text;
    }
    return present ? 1 : 0;
}

int ZXP_Set_Bar_Record(ZXP_Object* object, const int32_t ints[5], const double dbls[8], const char* text)
{
    if (!object || object->header.type != 3 || object->kind != &zxp_kind1_descriptor) return 0;
    if (!object->kind_data && !(object->kind_data = Kind1_Create(object))) return 0;
    auto* d = static_cast<ZXP_Kind1_Data*>(object->kind_data);
    ZXP_Param_List& list = d->list;
    if (!ZXP_Resize_Param_List(&list, std::max(list.nInt, 5), std::max(list.nDbl, 8), std::max(list.nStr, 1)))
        return 0;
    char* copy = nullptr;
    if (text && !(copy = MEM_STRDUP(text))) return 0;
    for (int i = 0; i < 5; ++i) list.ints[i] = ints ? ints[i] : 0;
    for (int i = 0; i < 8; ++i) list.dbls[i] = dbls ? dbls[i] : 0.0;
    MEM_FREE(list.strs[0]);
    list.strs[0] = copy;
    d->flags |= 1;
    return 1;
}
