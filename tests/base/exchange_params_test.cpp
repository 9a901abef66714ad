#include "base/alloc.h"
#include "base/exchange_params.h"
#include "base/text_blocks.h"

#include "test_support.h"

#include <climits>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

// Owns a list for the length of a test.
struct List_Holder {
    ZXP_Param_List list{};
    ~List_Holder() { ZXP_Free_Param_List(&list); }
};

struct Object_Holder {
    ZXP_Param_Object object{};
    ~Object_Holder() { ZXP_Free_Param_Object(&object); }
};

} // namespace

// ----------------------------------------------------------------- headers

TEST(ParamHeader, ReadsHexTypeNameIdAndFlag)
{
    File_Stream f("0x1a 3 " + In_Guillemets("Stab 1") + " 7 0\r\n" + "0x2 5 9 0\n" + "12 -4 " + In_Guillemets("X") +
                  "\n");
    Object_Holder a, b, c;
    ASSERT_EQ(ZXP_Read_Param_Header(f.get(), &a.object), 1);
    EXPECT_EQ(a.object.type, 26u);
    EXPECT_EQ(a.object.number, 3);
    EXPECT_STREQ(a.object.name, "Stab 1");
    EXPECT_EQ(a.object.ID, 7);
    EXPECT_EQ(a.object.comment, nullptr);
    // Without a name the ID is still found.
    ASSERT_EQ(ZXP_Read_Param_Header(f.get(), &b.object), 1);
    EXPECT_EQ(b.object.type, 2u);
    EXPECT_STREQ(b.object.name, "");
    EXPECT_EQ(b.object.ID, 9);
    // A line without ID and flag gives zeros.
    ASSERT_EQ(ZXP_Read_Param_Header(f.get(), &c.object), 1);
    EXPECT_EQ(c.object.type, 12u);
    EXPECT_EQ(c.object.number, -4);
    EXPECT_EQ(c.object.ID, 0);
    Object_Holder d;
    EXPECT_EQ(ZXP_Read_Param_Header(f.get(), &d.object), 0);  // end of file
    File_Stream bad("0x1a " + In_Guillemets("x") + "\n");
    EXPECT_EQ(ZXP_Read_Param_Header(bad.get(), &d.object), 0);
}

TEST(ParamHeader, RoundTripWithCommentThroughCrLf)
{
    Object_Holder out;
    ZXP_Clear_Param_Object(&out.object);
    ASSERT_EQ(ZXP_Set_Param_Object(0, 0, 0, "Ende \x84\x94\x81", &out.object), 1);
    ASSERT_EQ(ZXP_Set_Param_Object(0xFFFFFFF0u, 12, -1, out.object.name, &out.object), 1);  // own name
    const std::string comment = "Zeile eins\nZeile zwei\n" + std::string(230, 'k');
    ZXP_Set_Param_Comment(MEM_STRDUP(comment.c_str()), &out.object);

    File_Stream w;
    ASSERT_EQ(ZXP_Write_Param_Header(w.get(), &out.object), 1);
    Object_Holder second;
    ZXP_Set_Param_Object(4, 1, 2, nullptr, &second.object);
    ASSERT_EQ(ZXP_Write_Param_Header(w.get(), &second.object), 1);
    const std::string lf = w.bytes();
    EXPECT_EQ(lf.substr(0, lf.find('\n') + 1),
              "0xfffffff0 12 " + In_Guillemets("Ende \x84\x94\x81") + " -1 1\n");
    EXPECT_NE(lf.find("\n#EOC\n0x4 1 " + In_Guillemets("") + " 2 0\n"), std::string::npos);
    EXPECT_EQ(lf.find('\r'), std::string::npos);

    for (const std::string& bytes : {lf, To_CRLF(lf)}) {
        File_Stream r(bytes);
        Object_Holder in, next;
        ASSERT_EQ(ZXP_Read_Param_Header(r.get(), &in.object), 1);
        EXPECT_EQ(in.object.type, 0xFFFFFFF0u);
        EXPECT_EQ(in.object.number, 12);
        EXPECT_EQ(in.object.ID, -1);
        EXPECT_STREQ(in.object.name, "Ende \x84\x94\x81");
        ASSERT_NE(in.object.comment, nullptr);
        EXPECT_EQ(std::string(in.object.comment), comment);
        ASSERT_EQ(ZXP_Read_Param_Header(r.get(), &next.object), 1);
        EXPECT_EQ(next.object.type, 4u);
        EXPECT_STREQ(next.object.name, "");  // written for a null name
        EXPECT_EQ(next.object.ID, 2);
    }
}

TEST(ParamHeader, EmptyCommentIsWrittenAsNone)
{
    // A block of length 0 reads back as no comment: the flag must not promise one.
    Object_Holder out;
    ZXP_Set_Param_Object(5, 1, 7, "x", &out.object);
    ZXP_Set_Param_Comment(MEM_STRDUP(""), &out.object);
    File_Stream w;
    ASSERT_EQ(ZXP_Write_Param_Header(w.get(), &out.object), 1);
    EXPECT_EQ(w.bytes(), "0x5 1 " + In_Guillemets("x") + " 7 0\n");
}

TEST(ParamHeader, OverLongNameIsCutAndTheLineStaysInStep)
{
    File_Stream f("0x3 1 " + In_Guillemets(std::string(260, 'n')) + " 77 0\n");
    Object_Holder h;
    ASSERT_EQ(ZXP_Read_Param_Header(f.get(), &h.object), 1);
    EXPECT_EQ(std::string(h.object.name), std::string(199, 'n'));
    EXPECT_EQ(h.object.ID, 77);
}

TEST(ParamList, WritesAndReadsBackThroughCrLf)
{
    List_Holder out;
    ZXP_Resize_Param_List(&out.list, 3, 2, 3);
    out.list.ints[0] = 1;
    out.list.ints[1] = -20;
    out.list.ints[2] = 300;
    out.list.dbls[0] = 0.125;
    out.list.dbls[1] = -1.5e-7;
    out.list.strs[0] = MEM_STRDUP("C30/37");
    out.list.strs[2] = MEM_STRDUP("B500 B");

    File_Stream w;
    ASSERT_EQ(ZXP_Write_Param_List(w.get(), &out.list), 1);
    const std::string lf = w.bytes();
    EXPECT_EQ(lf, "3 2 3\n 1 -20 300\n 1.250000e-01 -1.500000e-07\n" + In_Guillemets("C30/37") + "\n" +
                      In_Guillemets("") + "\n" + In_Guillemets("B500 B") + "\n");

    for (const std::string& bytes : {lf, To_CRLF(lf)}) {
        File_Stream r(bytes + "1 0 0\n 5\n");
        List_Holder in, next;
        ASSERT_EQ(ZXP_Read_Param_List(r.get(), 0, 0, 0, &in.list, 1), 1);
        ASSERT_EQ(in.list.nInt, 3);
        ASSERT_EQ(in.list.nDbl, 2);
        ASSERT_EQ(in.list.nStr, 3);
        EXPECT_EQ(in.list.ints[1], -20);
        EXPECT_DOUBLE_EQ(in.list.dbls[1], -1.5e-7);
        EXPECT_STREQ(in.list.strs[0], "C30/37");
        EXPECT_STREQ(in.list.strs[1], "");
        EXPECT_STREQ(in.list.strs[2], "B500 B");
        ASSERT_EQ(ZXP_Read_Param_List(r.get(), 0, 0, 0, &next.list, 1), 1);
        EXPECT_EQ(ZXP_Get_Param_Int(&next.list, 0), 5);
    }
}

TEST(ParamList, EmptyListIsOneLine)
{
    List_Holder empty;
    File_Stream w;
    ASSERT_EQ(ZXP_Write_Param_List(w.get(), &empty.list), 1);
    EXPECT_EQ(w.bytes(), "0 0 0\n");
    std::rewind(w.get());
    List_Holder in;
    ASSERT_EQ(ZXP_Read_Param_List(w.get(), 0, 0, 0, &in.list, 1), 1);
    EXPECT_EQ(in.list.nInt + in.list.nDbl + in.list.nStr, 0);
    EXPECT_TRUE(!in.list.ints && !in.list.dbls && !in.list.strs);
}

TEST(ParamList, DamagedFilesFailTheRead)
{
    const char* cases[] = {
        "0 3 0\n 1.0 2.0\n",                  // a double missing
        "2 0 0\n 1 x\n",                      // an integer unreadable
        "1 0\n",                              // a count missing
        "2000000000 0 0\n",                   // absurd counts: refused, nothing allocated
        "0 99999999999999999999 0\n",
        "0 0 1000001\n",
        "-5 0 0\n",
    };
    for (const char* bytes : cases) {
        File_Stream f(bytes);
        List_Holder l;
        EXPECT_EQ(ZXP_Read_Param_List(f.get(), 0, 0, 0, &l.list, 1), 0) << bytes;
    }
}

TEST(ParamList, TextsOverLongOrMissingAtEndOfFile)
{
    File_Stream f("0 0 3\n" + In_Guillemets(std::string(150, 't')) + "\n" + In_Guillemets("zwei") +
                  "\n\xAE" "drei");
    List_Holder l;
    ASSERT_EQ(ZXP_Read_Param_List(f.get(), 0, 0, 0, &l.list, 1), 1);
    EXPECT_EQ(std::string(l.list.strs[0]), std::string(99, 't'));
    EXPECT_STREQ(l.list.strs[1], "zwei");
    EXPECT_STREQ(l.list.strs[2], "drei");
}

TEST(ParamList, ResizeAndCopyOwnTheirTexts)
{
    List_Holder src, dst;
    ASSERT_EQ(ZXP_Resize_Param_List(&src.list, 2, 2, 3), 1);
    src.list.ints[1] = 5;
    src.list.strs[0] = MEM_STRDUP("a");
    src.list.strs[2] = MEM_STRDUP("c");  // freed by the shrink below
    ASSERT_EQ(ZXP_Resize_Param_List(&src.list, 4, -1, 2), 1);
    EXPECT_EQ(src.list.ints[1] + src.list.ints[3], 5);  // kept and zeroed
    EXPECT_TRUE(src.list.nDbl == 0 && !src.list.dbls);
    // A size beyond what can be allocated fails; that kind keeps its array.
    EXPECT_EQ(ZXP_Resize_Param_List(&src.list, 1, INT_MAX, 2), 0);
    EXPECT_TRUE(src.list.nInt == 1 && src.list.nDbl == 0);

    ZXP_Resize_Param_List(&dst.list, 0, 3, 3);
    dst.list.strs[1] = MEM_STRDUP("alt");
    ASSERT_EQ(ZXP_Copy_Param_List(&dst.list, &src.list), 1);
    ASSERT_EQ(dst.list.nStr, 2);
    EXPECT_STREQ(dst.list.strs[0], "a");
    EXPECT_NE(dst.list.strs[0], src.list.strs[0]);
    EXPECT_EQ(dst.list.strs[1], nullptr);
    EXPECT_EQ(ZXP_Copy_Param_List(&dst.list, &dst.list), 1);
    EXPECT_STREQ(dst.list.strs[0], "a");
    EXPECT_EQ(ZXP_Param_List_Has_Values(&dst.list), 1);
    ZXP_Reset_Param_List(&dst.list);
    EXPECT_TRUE(dst.list.nStr == 2 && !dst.list.strs[0]);
    EXPECT_EQ(ZXP_Param_List_Has_Values(&dst.list), 0);
    ASSERT_EQ(ZXP_Copy_Param_List(&dst.list, nullptr), 1);
    EXPECT_EQ(dst.list.nInt + dst.list.nDbl + dst.list.nStr, 0);
}

TEST(ParamList, GetAndSetValuesByIndexMaps)
{
    List_Holder h;
    ZXP_Param_List* l = &h.list;
    const int32_t ints[] = {10, 20, 30};
    const int int_source[] = {2, -1, 0};
    const int int_target[] = {4, 0, 1};
    const double dbls[] = {1.5, 2.5};
    const char* strs[] = {"x", nullptr};
    const int str_target[] = {1, 0};
    ASSERT_EQ(ZXP_Set_Param_Values(l, ints, int_source, 3, int_target, dbls, nullptr, 2, nullptr,
                                   strs, nullptr, 2, str_target),
              1);
    ASSERT_EQ(l->nInt, 5);
    EXPECT_EQ(l->ints[4], 30);
    EXPECT_EQ(l->ints[0], 0);  // negative source index: the place keeps its value
    EXPECT_EQ(l->ints[1], 10);
    EXPECT_DOUBLE_EQ(ZXP_Get_Param_Double(l, 1), 2.5);
    EXPECT_STREQ(l->strs[1], "x");
    EXPECT_EQ(l->strs[0], nullptr);
    const int huge_target[] = {INT_MAX};
    EXPECT_EQ(ZXP_Set_Param_Values(l, ints, nullptr, 1, huge_target, nullptr, nullptr, 0, nullptr,
                                   nullptr, nullptr, 0, nullptr),
              0);
    EXPECT_EQ(l->nInt, 5);

    int32_t got_i[7];
    const int32_t def_i[7] = {-1, -2, -3, -4, -5, -6, -7};
    const char* got_s[3];
    const char* def_s[3] = {"d0", "d1", "d2"};
    ASSERT_EQ(ZXP_Get_Param_Values(l, got_i, def_i, 7, nullptr, nullptr, 0, got_s, def_s, 3), 1);
    EXPECT_EQ(got_i[4], 30);
    EXPECT_EQ(got_i[5], -6);
    EXPECT_STREQ(got_s[0], "");                 // a null slot
    EXPECT_EQ(got_s[1], l->strs[1]);             // the list's own text
    EXPECT_STREQ(got_s[2], "d2");
    EXPECT_EQ(ZXP_Get_Param_Int(l, 5), 0);
    EXPECT_EQ(ZXP_Get_Param_String(l, 0), nullptr);
    EXPECT_EQ(ZXP_Get_Param_String(l, 2), zxp_empty_text);
}
