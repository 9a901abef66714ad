#pragma once
// Exchange objects: the typed records in which the environment's programs hand each
// other structural data (bars, cuts and their results), and the exchange files built
// of them (named blocks, a header object, result records, tables of result
// components, local axis frames of bars).
//
// Results follow the exchange library's convention: 1 for success, 0 for failure, null
// for a missing object. Every operation takes null arguments and answers with its
// failure result. Objects own everything they point to; heap blocks come from the
// allocation interface.
//
// Text form of an object:
//   an empty line and the header line (with its comment block when it has one);
//   the kind word "%d\n": the kind number, plus 0x10000000 when a text block follows;
//   the parameter list;
//   with a text block: the block and the line "#ZXP_OBJECT_EOC";
//   the kind's data (kind 1: "%d\n" flag word and, with bit 0, a parameter list);
//   for a kind other than 0: an empty line and the line "#ZXP_OBJECT_EOD".
#include "base/exchange_params.h"
#include "base/ptr_array.h"

#include <cstdint>
#include <cstdio>

struct ZXP_Object;

// A kind of object with data of its own, handled by the kind's four functions.
struct ZXP_Kind_Descriptor {
    int32_t kind;
    void* (*create)(ZXP_Object* object);                                          // new data, or null
    void (*destroy)(void* data, const ZXP_Kind_Descriptor* descriptor);
    int (*read)(FILE* stream, ZXP_Object* object);                                // 1, or 0
    int (*write)(FILE* stream, const void* data, const ZXP_Kind_Descriptor* descriptor);  // 1, or 0
};

struct ZXP_Object {
    ZXP_Param_Object header;
    ZXP_Param_List list;
    const ZXP_Kind_Descriptor* kind;  // null for kind 0
    void* kind_data;                  // the kind's own record, or null
    char* text;                       // optional long text (text block), or null
};

// The data record of kind 1: a flag word and, when bit 0 is set, a parameter list.
struct ZXP_Kind1_Data {
    int32_t flags;
    ZXP_Param_List list;
};

constexpr int32_t ZXP_KIND_TEXT_FLAG = 0x10000000;
extern const ZXP_Kind_Descriptor zxp_kind1_descriptor;

// Reads one object; null on any failure (everything read so far is freed), also for
// an unknown kind or a missing end marker.
ZXP_Object* ZXP_Read_Object(FILE* stream);
// Calls the kind's destroy function on its data and frees header texts, list, text
// block and the object. Null does nothing.
void ZXP_Destroy_Object(ZXP_Object* object);

// A new object of kind 0 or 1 (null for any other kind or when memory is short); for
// kind 1 without data the kind makes an empty data record. The object takes the data.
ZXP_Object* ZXP_Create_Object(uint32_t type, int32_t number, int32_t id, const char* name, int kind,
                              void* kind_data);
int ZXP_Write_Object(FILE* stream, const ZXP_Object* object);
// Replaces the text block by a copy of the text (null removes it); 1, or 0.
int ZXP_Set_Object_Text(ZXP_Object* object, const char* text);
const char* ZXP_Get_Object_Text(const ZXP_Object* object);

// The header object of an exchange file: type 2, number 1, ID 0, name
// "ZAVExportObject_Header"; 3 integers (1, application number, object ID) and 6 texts
// (filer name, basic name, suffix name, program name, program string, version string)
// of the current object.
ZXP_Object* ZXP_Make_Header_Object();
// Writes the object, or without one a header object made for the purpose.
int ZXP_Write_Header_Object(FILE* stream, const ZXP_Object* object);
// Reads an object and requires type 2; its list is sized to 3 integers and 6 texts.
ZXP_Object* ZXP_Read_Header_Object(FILE* stream);

// Blocks: 0 "#ZXP_??????" (also for numbers outside 1 to 4), 1 "#ZXP_HEADER",
// 2 "#ZXP_EINWNCHW", 3 "#ZXP_OBJECTS", 4 "#ZXP_PARAM".
const char* ZXP_Block_Name(int block);
// An empty line and the block name.
int ZXP_Write_Block_Name(FILE* stream, int block);
// Finds the block's name line (from the start with the rewind flag); 1, or 0.
int ZXP_Seek_Block(FILE* stream, int block, int rewind);
// Writes the end-of-block object: type 1, number = the block, ID -1, name
// "End_Of_ZAVExportBlock".
int ZXP_Write_Block_End(FILE* stream, int block);

// The first object in the owner's array with the type and ID; null when none.
ZXP_Object* ZXP_Find_Object(const Ptr_Array* objects, uint32_t type, int32_t id);
// The same, and says on standard output when there is none.
ZXP_Object* Find_ZAVExportParam_Obj(const Ptr_Array* objects, uint32_t type, int32_t id);

// A result record: seven keys (-1 = not set), its values and three further words that
// are not part of the file. The seventh key chooses the table of components.
constexpr int ZXP_RESULT_KEYS = 7;
struct ZXP_Result_Record {
    int32_t keys[ZXP_RESULT_KEYS];
    ZXP_Param_List list;
    int32_t words[3];
};

// Reads the line of keys ("%d" separated by "|"); keys not on the line are -1. The
// number of keys read, 0 when there is no line or no key.
int ZXP_Read_Result_Keys(FILE* stream, int32_t* keys);
int ZXP_Write_Result_Keys(FILE* stream, const int32_t* keys);
// Finds the next line "<ZXP" and reads the keys and the list.
int ZXP_Read_Result_Record(FILE* stream, ZXP_Result_Record* record);
// An empty line, "<ZXP", the keys and the list.
int ZXP_Write_Result_Record(FILE* stream, const ZXP_Result_Record* record);
// 1 when every key of the pattern is -1 or equal to the record's.
int ZXP_Match_Result_Keys(const int32_t* keys, const int32_t* pattern);
// A new record with the keys (null: all -1) and an empty list; null when memory is short.
ZXP_Result_Record* ZXP_Create_Result_Record(const int32_t* keys);
void ZXP_Free_Result_Record(ZXP_Result_Record* record);

// Tables of result components: 0 and 2 the member-axis table, 1 and 3 the local-axis
// table; null for any other selector.
struct ZXP_Component_Row {
    const char* name;
    const char* unit;
    int32_t component;
};
struct ZXP_Component_Set {
    int32_t table;
    int32_t rows;
    const ZXP_Component_Row* row;
};
const ZXP_Component_Set* ZXP_Component_Table(int selector);
// The row of a component number in the table, or -1.
int ZXP_Find_Component(const ZXP_Component_Set* table, int component);
// For each component number its value in the record (the double at the component's
// row of the record's table); zero when not found. 1, or 0 for missing arguments.
int ZXP_Get_Result_Values(const ZXP_Result_Record* record, const int* components, int n, double* values);

// The origin and the 3 by 3 axis matrix (row i = axis i) of an object: type 3 (a bar)
// takes the origin from its first three doubles and the axes from the next nine, and
// turns them about the first axis by the angle in degrees in the thirteenth when its
// magnitude is above 1e-10 (mode 2: the matrix of that turn alone, origin zero);
// type 4 takes its twelve doubles as they stand. The transpose flag transposes the
// matrix. Otherwise the identity at the origin. 1 when taken from the object, else 0.
int ZXP_Get_Local_Frame(const ZXP_Object* object, int mode, int transpose, double origin[3],
                        double axes[3][3]);

// A value of the kind-1 data list of an object of the given type; 0, 0.0 or the empty
// text otherwise.
int ZXP_Get_Object_Int(const ZXP_Object* object, uint32_t type, int index);
double ZXP_Get_Object_Double(const ZXP_Object* object, uint32_t type, int index);
const char* ZXP_Get_Object_String(const ZXP_Object* object, uint32_t type, int index);

// The bar record of a type 3 object's kind-1 data: five integers, eight doubles and
// the first text (missing values zero, the empty text). 1 when the object has one.
int ZXP_Get_Bar_Record(const ZXP_Object* object, int32_t ints[5], double dbls[8], const char** text);
// Stores a bar record into a type 3 object's kind-1 data and sets flag bit 0 (the
// list is present). 1, or 0.
int ZXP_Set_Bar_Record(ZXP_Object* object, const int32_t ints[5], const double dbls[8], const char* text);
