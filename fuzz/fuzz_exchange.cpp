// The exchange library's readers: parameter headers and lists (with counts taken from the
// file or given by the caller), exchange objects one after the other with the look-ups
// made on them and the round trip of each object through the writer, the header object,
// result records and the block search.
#include "fuzz_support.h"

#include "base/exchange_objects.h"
#include "base/exchange_params.h"
#include "base/exchange_text.h"

#include <string>

namespace {

constexpr int kMaxObjects = 64;

std::string Write_Object(const ZXP_Object* object)
{
    Fuzz_Capture out;
    ZXP_Write_Object(out.get(), object);
    return out.bytes();
}

// Look-ups the programs make on an object read from a file.
void Use_Object(const ZXP_Object* object)
{
    double origin[3], axes[3][3];
    for (int mode = 0; mode < 3; ++mode) ZXP_Get_Local_Frame(object, mode, mode & 1, origin, axes);
    int32_t ints[5];
    double dbls[8];
    const char* text = nullptr;
    ZXP_Get_Bar_Record(object, ints, dbls, &text);
    for (int i = -1; i < 4; ++i) {
        ZXP_Get_Object_Int(object, object->header.type, i);
        ZXP_Get_Object_Double(object, object->header.type, i);
        ZXP_Get_Object_String(object, object->header.type, i);
    }
    ZXP_Get_Object_Text(object);
}

// An object read back from its written form writes the same bytes again.
void Round_Trip(const ZXP_Object* object)
{
    const std::string first = Write_Object(object);
    Fuzz_Stream in(first);
    ZXP_Object* again = ZXP_Read_Object(in.get());
    if (!again) Fuzz_Fail("fuzz_exchange", "a written object does not read back", first, "");
    const std::string second = Write_Object(again);
    ZXP_Destroy_Object(again);
    if (first != second) Fuzz_Fail("fuzz_exchange", "write-read-write changed an object", first, second);
}

void Read_Lists(const uint8_t* data, size_t size)
{
    static const int counts[][4] = {
        {0, 0, 0, 1}, {0, 0, 0, 0}, {2, 3, 1, 0}, {-1, 2, -1, 1}, {5, -1, 2, 0}, {-1, -1, -1, 0},
    };
    for (const auto& c : counts) {
        Fuzz_Stream in(data, size);
        for (int i = 0; i < 8 && !std::feof(in.get()); ++i) {
            ZXP_Param_List list;
            ZXP_Clear_Param_List(&list);
            if (ZXP_Read_Param_List(in.get(), c[0], c[1], c[2], &list, c[3])) {
                ZXP_Param_List copy;
                ZXP_Clear_Param_List(&copy);
                ZXP_Copy_Param_List(&copy, &list);
                ZXP_Get_Param_Int(&copy, 1);
                ZXP_Get_Param_Double(&copy, 2);
                ZXP_Get_Param_String(&copy, 0);
                ZXP_Free_Param_List(&copy);
            }
            ZXP_Free_Param_List(&list);
            std::fgetc(in.get());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_Reset_Run();
    {
        Fuzz_Stream in(data, size);
        ZXP_Param_Object header;
        ZXP_Clear_Param_Object(&header);
        ZXP_Read_Param_Header(in.get(), &header);
        ZXP_Free_Param_Object(&header);
    }
    Read_Lists(data, size);
    {
        Fuzz_Stream in(data, size);
        for (int i = 0; i < kMaxObjects && !std::feof(in.get()); ++i) {
            ZXP_Object* object = ZXP_Read_Object(in.get());
            if (!object) break;
            Use_Object(object);
            Round_Trip(object);
            ZXP_Destroy_Object(object);
        }
    }
    {
        Fuzz_Stream in(data, size);
        if (ZXP_Seek_Block(in.get(), 1, 1)) ZXP_Destroy_Object(ZXP_Read_Header_Object(in.get()));
        if (ZXP_Seek_Block(in.get(), 3, 1)) ZXP_Destroy_Object(ZXP_Read_Object(in.get()));
    }
    {
        Fuzz_Stream in(data, size);
        for (int i = 0; i < kMaxObjects && !std::feof(in.get()); ++i) {
            ZXP_Result_Record* record = ZXP_Create_Result_Record(nullptr);
            if (!record) break;
            const int read = ZXP_Read_Result_Record(in.get(), record);
            if (read) {
                static const int components[] = {1, 2, 3, 4, 5, 6, 7, 100};
                double values[8];
                ZXP_Get_Result_Values(record, components, 8, values);
            }
            ZXP_Free_Result_Record(record);
            if (!read) break;
        }
    }
    {
        Fuzz_Stream in(data, size);
        int32_t keys[ZXP_RESULT_KEYS];
        for (int i = 0; i < 16 && !std::feof(in.get()); ++i) ZXP_Read_Result_Keys(in.get(), keys);
    }
    return 0;
}
