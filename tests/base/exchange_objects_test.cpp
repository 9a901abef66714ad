#include "base/exchange_objects.h"

#include "base/alloc.h"
#include "test_support.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// What the writer puts into a file, as bytes.
template <typename Write>
std::string Written(Write write)
{
    File_Stream f;
    write(f.get());
    return f.bytes();
}

ZXP_Object* Make_Bar()
{
    ZXP_Object* bar = ZXP_Create_Object(3, 5, 42, "Stab \x84 1", 1, nullptr);
    if (!bar) return nullptr;
    ZXP_Set_Param_Comment(MEM_STRDUP("Zeile 1\nZeile 2"), &bar->header);
    ZXP_Resize_Param_List(&bar->list, 2, 13, 2);
    bar->list.ints[0] = 7;
    bar->list.ints[1] = -3;
    for (int i = 0; i < 13; ++i) bar->list.dbls[i] = 0.25 * i;
    bar->list.strs[0] = MEM_STRDUP("Querschnitt");
    ZXP_Set_Object_Text(bar, "erste Zeile\nzweite Zeile");
    const int32_t ints[5] = {1, 2, 3, 4, 5};
    const double dbls[8] = {1.5, -2.5, 3, 4, 5, 6, 7, 8.125};
    ZXP_Set_Bar_Record(bar, ints, dbls, "C30/37");
    return bar;
}

} // namespace

TEST(ExchangeObjects, RoundTripWithCRLF)
{
    ZXP_Object* bar = Make_Bar();
    ASSERT_NE(bar, nullptr);
    ZXP_Object* plain = ZXP_Create_Object(0x1A, 1, 0, nullptr, 0, nullptr);
    ASSERT_NE(plain, nullptr);

    std::string bytes = Written([&](FILE* f) {
        EXPECT_EQ(ZXP_Write_Object(f, bar), 1);
        EXPECT_EQ(ZXP_Write_Object(f, plain), 1);
    });
    EXPECT_NE(bytes.find("\n#ZXP_OBJECT_EOC\n"), std::string::npos);
    EXPECT_NE(bytes.find("\n\n#ZXP_OBJECT_EOD\n"), std::string::npos);
    EXPECT_EQ(bytes.find('\r'), std::string::npos);  // writers write LF only
    ZXP_Destroy_Object(bar);
    ZXP_Destroy_Object(plain);

    for (const std::string& input : {bytes, To_CRLF(bytes)}) {
        File_Stream in(input);
        ZXP_Object* a = ZXP_Read_Object(in.get());
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->header.type, 3u);
        EXPECT_EQ(a->header.number, 5);
        EXPECT_EQ(a->header.ID, 42);
        EXPECT_STREQ(a->header.name, "Stab \x84 1");
        ASSERT_NE(a->header.comment, nullptr);
        EXPECT_STREQ(a->header.comment, "Zeile 1\nZeile 2");
        EXPECT_EQ(a->kind, &zxp_kind1_descriptor);
        ASSERT_EQ(a->list.nInt, 2);
        EXPECT_EQ(a->list.ints[1], -3);
        ASSERT_EQ(a->list.nDbl, 13);
        EXPECT_EQ(a->list.dbls[12], 3.0);
        ASSERT_EQ(a->list.nStr, 2);
        EXPECT_STREQ(a->list.strs[0], "Querschnitt");
        EXPECT_STREQ(ZXP_Get_Object_Text(a), "erste Zeile\nzweite Zeile");

        int32_t ints[5];
        double dbls[8];
        const char* text = nullptr;
        ASSERT_EQ(ZXP_Get_Bar_Record(a, ints, dbls, &text), 1);
        EXPECT_EQ(ints[4], 5);
        EXPECT_EQ(dbls[1], -2.5);
        EXPECT_EQ(dbls[7], 8.125);
        EXPECT_STREQ(text, "C30/37");
        EXPECT_EQ(ZXP_Get_Object_Int(a, 3, 2), 3);
        EXPECT_EQ(ZXP_Get_Object_Int(a, 4, 2), 0);  // another type
        EXPECT_EQ(ZXP_Get_Object_Double(a, 3, 99), 0.0);
        EXPECT_STREQ(ZXP_Get_Object_String(a, 3, 5), "");

        // The next object follows in step.
        ZXP_Object* b = ZXP_Read_Object(in.get());
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->header.type, 0x1Au);
        EXPECT_STREQ(b->header.name, "");
        EXPECT_EQ(b->kind, nullptr);
        EXPECT_EQ(b->kind_data, nullptr);
        EXPECT_EQ(b->text, nullptr);
        EXPECT_EQ(ZXP_Read_Object(in.get()), nullptr);  // end of file
        ZXP_Destroy_Object(a);
        ZXP_Destroy_Object(b);
    }
}

TEST(ExchangeObjects, HandWrittenObjectWithCRLF)
{
    std::string file = "\r\n0x3 5 " + In_Guillemets("Stab 1") + " 7 0\r\n"
                       "1\r\n"
                       "2 1 1\r\n 4 16\r\n 1.500000e+00\r\n" + In_Guillemets("abc") + "\r\n"
                       "1\r\n1 0 1\r\n 9\r\n" + In_Guillemets("Profil") + "\r\n"
                       "\r\n#ZXP_OBJECT_EOD\r\n";
    File_Stream in(file);
    ZXP_Object* o = ZXP_Read_Object(in.get());
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->header.ID, 7);
    EXPECT_EQ(ZXP_Get_Param_Int(&o->list, 1), 16);
    EXPECT_EQ(ZXP_Get_Param_Double(&o->list, 0), 1.5);
    EXPECT_STREQ(ZXP_Get_Param_String(&o->list, 0), "abc");
    EXPECT_EQ(ZXP_Get_Object_Int(o, 3, 0), 9);
    EXPECT_STREQ(ZXP_Get_Object_String(o, 3, 0), "Profil");
    ZXP_Destroy_Object(o);
}

TEST(ExchangeObjects, DamagedInputGivesNull)
{
    const std::string head = "\n0x3 5 " + In_Guillemets("S") + " 7 0\n";
    const std::string cases[] = {
        head + "1\n0 0 0\n0\n",                       // end marker missing
        head + "7\n0 0 0\n\n#ZXP_OBJECT_EOD\n",       // a kind the library does not know
        head + "x\n0 0 0\n",                          // no kind word
        head + "0\n0 2 0\n 1.0\n",                    // fewer doubles than announced
        head + "0\n0 2000000000 0\n",                 // an absurd count
        head + "1\n0 0 0\n1\n2000000000 0 0\n",       // the same in the kind's data
        head + "268435456\n0 0 0\n",                  // a text block announced, none there
        "\n" + In_Guillemets("no header") + "\n",
        "",
    };
    for (const std::string& text : cases) {
        File_Stream in(text);
        EXPECT_EQ(ZXP_Read_Object(in.get()), nullptr) << text;
    }
    EXPECT_EQ(ZXP_Read_Object(nullptr), nullptr);
    EXPECT_EQ(ZXP_Write_Object(nullptr, nullptr), 0);
    ZXP_Destroy_Object(nullptr);
    EXPECT_EQ(ZXP_Create_Object(1, 1, 1, "x", 2, nullptr), nullptr);
}

TEST(ExchangeObjects, HeaderObjectAndBlocks)
{
    ::setenv("ZAV_PROGRAMNAME", "Konsole", 1);
    ::setenv("ZAV_OBJECT_ID", "815", 1);
    std::string bytes = Written([](FILE* f) {
        EXPECT_EQ(ZXP_Write_Block_Name(f, 1), 1);
        EXPECT_EQ(ZXP_Write_Header_Object(f, nullptr), 1);
        EXPECT_EQ(ZXP_Write_Block_End(f, 1), 1);
        EXPECT_EQ(ZXP_Write_Block_Name(f, 3), 1);
        EXPECT_EQ(ZXP_Write_Block_End(f, 3), 1);
    });
    ::unsetenv("ZAV_PROGRAMNAME");
    ::unsetenv("ZAV_OBJECT_ID");
    EXPECT_EQ(bytes.rfind("\n#ZXP_HEADER\n", 0), 0u);

    File_Stream in(To_CRLF(bytes));
    ASSERT_EQ(ZXP_Seek_Block(in.get(), 3, 1), 1);
    ZXP_Object* end = ZXP_Read_Object(in.get());
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->header.type, 1u);
    EXPECT_EQ(end->header.number, 3);
    EXPECT_EQ(end->header.ID, -1);
    EXPECT_STREQ(end->header.name, "End_Of_ZAVExportBlock");
    // The header object is not of type 1: reading it as a header needs type 2.
    EXPECT_EQ(ZXP_Read_Header_Object(in.get()), nullptr);
    ZXP_Destroy_Object(end);

    ASSERT_EQ(ZXP_Seek_Block(in.get(), 1, 1), 1);
    ZXP_Object* header = ZXP_Read_Header_Object(in.get());
    ASSERT_NE(header, nullptr);
    EXPECT_STREQ(header->header.name, "ZAVExportObject_Header");
    ASSERT_EQ(header->list.nInt, 3);
    EXPECT_EQ(header->list.ints[0], 1);
    EXPECT_EQ(header->list.ints[2], 815);
    ASSERT_EQ(header->list.nStr, 6);
    EXPECT_STREQ(ZXP_Get_Param_String(&header->list, 3), "Konsole");
    ZXP_Destroy_Object(header);

    EXPECT_EQ(ZXP_Seek_Block(in.get(), 4, 1), 0);
    EXPECT_STREQ(ZXP_Block_Name(5), "#ZXP_??????");
    EXPECT_STREQ(ZXP_Block_Name(-1), "#ZXP_??????");
}

TEST(ExchangeObjects, FindInOwnersArray)
{
    ZXP_Object* a = ZXP_Create_Object(3, 1, 10, "a", 0, nullptr);
    ZXP_Object* b = ZXP_Create_Object(4, 2, 10, "b", 0, nullptr);
    Ptr_Array* objects = PtrArr_Create(2);
    PtrArr_Insert(objects, 0, a);
    PtrArr_Insert(objects, 2, b);  // a null place in between
    EXPECT_EQ(ZXP_Find_Object(objects, 4, 10), b);
    EXPECT_EQ(ZXP_Find_Object(objects, 3, 10), a);

    testing::internal::CaptureStdout();
    EXPECT_EQ(Find_ZAVExportParam_Obj(objects, 3, 11), nullptr);
    EXPECT_EQ(Find_ZAVExportParam_Obj(nullptr, 5, -1), nullptr);
    EXPECT_EQ(Find_ZAVExportParam_Obj(objects, 4, 10), b);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Find_ZAVExportParam_Obj: (type=3, ID=11) nicht gefunden\n"
              "Find_ZAVExportParam_Obj: (type=5, ID=-1) nicht gefunden\n");
    PtrArr_Destroy(objects);
    ZXP_Destroy_Object(a);
    ZXP_Destroy_Object(b);
}

TEST(ExchangeResults, RecordsKeysAndComponents)
{
    const int32_t keys[7] = {1, 2, 3, 4, 5, 6, 1};
    ZXP_Result_Record* r = ZXP_Create_Result_Record(keys);
    ASSERT_NE(r, nullptr);
    ZXP_Resize_Param_List(&r->list, 0, 13, 0);
    for (int i = 0; i < 13; ++i) r->list.dbls[i] = 10.0 + i;

    std::string bytes = Written([&](FILE* f) { EXPECT_EQ(ZXP_Write_Result_Record(f, r), 1); });
    EXPECT_EQ(bytes.rfind("\n<ZXP\n1|2|3|4|5|6|1\n", 0), 0u);
    ZXP_Free_Result_Record(r);

    File_Stream in("noise\r\n" + To_CRLF(bytes) + "\r\n<ZXP\r\n7|-1\r\n0 1 0\r\n 2.5\r\n");
    ZXP_Result_Record* back = ZXP_Create_Result_Record(nullptr);
    ASSERT_EQ(ZXP_Read_Result_Record(in.get(), back), 1);
    EXPECT_EQ(back->keys[6], 1);
    ASSERT_EQ(back->list.nDbl, 13);

    // Seventh key 1: the local-axis table; "us" (13) is its second row.
    const int wanted[3] = {13, 24, 6};
    double values[3];
    ASSERT_EQ(ZXP_Get_Result_Values(back, wanted, 3, values), 1);
    EXPECT_EQ(values[0], 11.0);
    EXPECT_EQ(values[1], 22.0);
    EXPECT_EQ(values[2], 0.0);  // a member-axis component is not in that table

    const int32_t pattern[7] = {-1, 2, -1, -1, -1, -1, 1};
    const int32_t other[7] = {-1, 3, -1, -1, -1, -1, -1};
    EXPECT_EQ(ZXP_Match_Result_Keys(back->keys, pattern), 1);
    EXPECT_EQ(ZXP_Match_Result_Keys(back->keys, other), 0);

    // A short key line leaves the other keys unset; the same record is read again.
    ASSERT_EQ(ZXP_Read_Result_Record(in.get(), back), 1);
    EXPECT_EQ(back->keys[0], 7);
    EXPECT_EQ(back->keys[1], -1);
    EXPECT_EQ(back->keys[2], -1);
    EXPECT_EQ(back->list.nDbl, 1);
    EXPECT_EQ(ZXP_Read_Result_Record(in.get(), back), 0);
    ZXP_Free_Result_Record(back);

    const ZXP_Component_Set* member = ZXP_Component_Table(2);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->rows, 13);
    EXPECT_STREQ(member->row[7].name, "V\xC1");
    EXPECT_STREQ(member->row[11].name, "M\xD3");
    EXPECT_STREQ(member->row[3].unit, "\x89");
    EXPECT_EQ(ZXP_Find_Component(member, 24), 12);
    EXPECT_EQ(ZXP_Find_Component(member, 12), -1);
    EXPECT_EQ(ZXP_Component_Table(3), ZXP_Component_Table(1));
    EXPECT_EQ(ZXP_Component_Table(4), nullptr);
}

TEST(ExchangeObjects, LocalFrames)
{
    double origin[3], axes[3][3];
    EXPECT_EQ(ZXP_Get_Local_Frame(nullptr, 0, 0, origin, axes), 0);
    EXPECT_EQ(axes[0][0], 1.0);
    EXPECT_EQ(axes[0][1], 0.0);

    ZXP_Object* plane = ZXP_Create_Object(4, 1, 1, "p", 0, nullptr);
    ZXP_Resize_Param_List(&plane->list, 0, 12, 0);
    for (int i = 0; i < 12; ++i) plane->list.dbls[i] = i + 1;
    ASSERT_EQ(ZXP_Get_Local_Frame(plane, 0, 1, origin, axes), 1);
    EXPECT_EQ(origin[2], 3.0);
    EXPECT_EQ(axes[0][1], 7.0);  // transposed: row 0 column 1 is axis 1's first value
    EXPECT_EQ(axes[1][0], 5.0);
    ZXP_Destroy_Object(plane);

    ZXP_Object* bar = ZXP_Create_Object(3, 1, 1, "b", 0, nullptr);
    ZXP_Resize_Param_List(&bar->list, 0, 13, 0);
    const double d[13] = {1, 2, 3, 1, 0, 0, 0, 1, 0, 0, 0, 1, 90};
    std::memcpy(bar->list.dbls, d, sizeof d);
    ASSERT_EQ(ZXP_Get_Local_Frame(bar, 0, 0, origin, axes), 1);
    EXPECT_EQ(origin[0], 1.0);
    EXPECT_NEAR(axes[1][2], 1.0, 1e-15);   // the second axis turned into the third
    EXPECT_NEAR(axes[2][1], -1.0, 1e-15);  // the third into minus the second
    EXPECT_NEAR(axes[1][1], 0.0, 1e-15);
    ASSERT_EQ(ZXP_Get_Local_Frame(bar, 2, 0, origin, axes), 1);
    EXPECT_EQ(origin[0], 0.0);
    EXPECT_NEAR(axes[1][2], 1.0, 1e-15);
    EXPECT_EQ(axes[0][0], 1.0);
    ZXP_Destroy_Object(bar);
}
