#include "base/ptr_array.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

char A[] = "A", B[] = "B", C[] = "C", D[] = "D", X[] = "X";

int By_Name(const void* a, const void* b)
{
    return std::strcmp(static_cast<const char*>(a), static_cast<const char*>(b));
}

int Place_By_Name(const void* place, const void* key)
{
    return std::strcmp(*static_cast<char* const*>(place), static_cast<const char*>(key));
}

int Same_Text(const void* item, const void* key)
{
    return item && std::strcmp(static_cast<const char*>(item), static_cast<const char*>(key)) == 0;
}

std::string Items(const Ptr_Array* a)
{
    std::string s;
    for (int i = 0; i < PtrArr_Count(a); ++i) {
        const void* p = PtrArr_Get(a, i);
        s += p ? static_cast<const char*>(p) : "-";
    }
    return s;
}

} // namespace

TEST(PtrArray, GrowthBySet)
{
    Ptr_Array* a = PtrArr_Create(4);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(PtrArr_Capacity(a), 4);
    EXPECT_EQ(PtrArr_Count(a), 0);

    // Far beyond the capacity: exactly index + 1 places, the gap null.
    EXPECT_EQ(PtrArr_Set(a, 25, A), nullptr);
    EXPECT_EQ(PtrArr_Capacity(a), 26);
    EXPECT_EQ(PtrArr_Count(a), 26);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(PtrArr_Get(a, i), nullptr);
    EXPECT_EQ(PtrArr_Get(a, 25), A);
    EXPECT_EQ(PtrArr_Set(a, 25, B), A);  // replacing hands back the old item
    EXPECT_EQ(PtrArr_Set(a, -1, C), nullptr);
    EXPECT_EQ(PtrArr_Get(a, 26), nullptr);
    EXPECT_EQ(PtrArr_Get(a, -1), nullptr);
    PtrArr_Destroy(a);

    // Just beyond a full array: ten more places.
    a = PtrArr_Create(4);
    for (int i = 0; i < 4; ++i) PtrArr_Set(a, i, A);
    EXPECT_EQ(PtrArr_Capacity(a), 4);
    PtrArr_Set(a, 4, B);
    EXPECT_EQ(PtrArr_Capacity(a), 14);
    EXPECT_EQ(PtrArr_Count(a), 5);
    PtrArr_Destroy(a);
    PtrArr_Destroy(nullptr);
}

TEST(PtrArray, InsertRemoveReserve)
{
    Ptr_Array a;
    ASSERT_EQ(PtrArr_Init(&a, 0), 1);
    EXPECT_EQ(a.items, nullptr);
    EXPECT_EQ(PtrArr_Insert(&a, 0, A), A);  // appending to an empty array grows it
    EXPECT_EQ(PtrArr_Insert(&a, 1, B), B);
    EXPECT_EQ(PtrArr_Insert(&a, 0, X), X);
    EXPECT_EQ(Items(&a), "XAB");
    EXPECT_EQ(PtrArr_Insert(&a, -1, C), nullptr);
    EXPECT_EQ(PtrArr_Insert(&a, 5, D), D);
    EXPECT_EQ(Items(&a), "XAB--D");

    // Inserting into a full array moves everything up after growing.
    ASSERT_EQ(PtrArr_Reserve(&a, 6), 1);
    EXPECT_EQ(PtrArr_Capacity(&a), 6);
    EXPECT_EQ(PtrArr_Insert(&a, 1, C), C);
    EXPECT_EQ(Items(&a), "XCAB--D");
    EXPECT_EQ(PtrArr_Capacity(&a), 16);

    EXPECT_EQ(PtrArr_Remove(&a, 7), nullptr);  // index = count changes nothing
    EXPECT_EQ(PtrArr_Remove(&a, -1), nullptr);
    EXPECT_EQ(Items(&a), "XCAB--D");
    EXPECT_EQ(PtrArr_Remove(&a, 0), X);
    EXPECT_EQ(PtrArr_Remove(&a, 5), D);
    EXPECT_EQ(Items(&a), "CAB--");
    EXPECT_EQ(a.items[5], nullptr);  // the freed place is null again

    // Shrinking cuts the count; growing again brings null places.
    ASSERT_EQ(PtrArr_Reserve(&a, 2), 1);
    EXPECT_EQ(Items(&a), "CA");
    ASSERT_EQ(PtrArr_Reserve(&a, 5), 1);
    EXPECT_EQ(a.items[2], nullptr);
    EXPECT_EQ(a.items[4], nullptr);
    ASSERT_EQ(PtrArr_Reserve(&a, 0), 1);
    EXPECT_EQ(a.items, nullptr);
    EXPECT_EQ(PtrArr_Count(&a), 0);

    PtrArr_Insert(&a, 0, A);
    PtrArr_Release(&a);
    EXPECT_EQ(a.items, nullptr);
    EXPECT_EQ(PtrArr_Capacity(&a), 0);
    EXPECT_EQ(PtrArr_Count(nullptr), 0);
}

TEST(PtrArray, SortFindAndSearch)
{
    Ptr_Array a;
    PtrArr_Init(&a, 2);
    PtrArr_Insert(&a, 0, C);
    PtrArr_Insert(&a, 1, nullptr);
    PtrArr_Insert(&a, 2, A);
    PtrArr_Insert(&a, 3, nullptr);
    PtrArr_Insert(&a, 4, B);
    PtrArr_Sort(&a, By_Name);
    EXPECT_EQ(Items(&a), "ABC--");  // null items last

    int index = -5;
    EXPECT_EQ(PtrArr_Find(&a, "B", Same_Text, &index), B);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(PtrArr_Find(&a, "Q", Same_Text, &index), nullptr);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(PtrArr_Find(&a, "Q", Same_Text, nullptr), nullptr);

    PtrArr_Reserve(&a, 3);  // drop the null items for the searches by name
    EXPECT_EQ(PtrArr_Find_Equal(&a, "C", Place_By_Name, &index), C);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(PtrArr_Find_Equal(&a, "Z", Place_By_Name, &index), nullptr);
    EXPECT_EQ(index, 3);

    // Sorted search: hits at the ends and inside, insertion places for misses.
    PtrArr_Insert(&a, 3, D);
    PtrArr_Insert(&a, 4, X);  // A B C D X
    struct Case {
        const char* key;
        const void* item;
        int index;
    } cases[] = {{"A", A, 0}, {"X", X, 4}, {"C", C, 2}, {"B", B, 1}, {"D", D, 3},
                 {"0", nullptr, 0}, {"Z", nullptr, 5}, {"BB", nullptr, 2}, {"E", nullptr, 4}};
    for (const Case& c : cases) {
        index = -5;
        EXPECT_EQ(PtrArr_Search_Sorted(&a, c.key, Place_By_Name, &index), c.item) << c.key;
        EXPECT_EQ(index, c.index) << c.key;
    }
    PtrArr_Release(&a);
    EXPECT_EQ(PtrArr_Search_Sorted(&a, "A", Place_By_Name, &index), nullptr);
    EXPECT_EQ(index, 0);
}

namespace {

Ptr_Array* inner_array = nullptr;

// A comparison that sorts another array while the outer sort runs.
int Nested_Compare(const void* a, const void* b)
{
    PtrArr_Sort(inner_array, By_Name);
    return By_Name(a, b);
}

int Reverse_Name(const void* a, const void* b) { return -By_Name(a, b); }

} // namespace

TEST(PtrArray, SortInsideSortKeepsItsComparison)
{
    Ptr_Array outer, inner;
    PtrArr_Init(&outer, 0);
    PtrArr_Init(&inner, 0);
    for (char* p : {B, D, A, C}) PtrArr_Insert(&outer, PtrArr_Count(&outer), p);
    for (char* p : {X, A}) PtrArr_Insert(&inner, PtrArr_Count(&inner), p);
    inner_array = &inner;
    PtrArr_Sort(&outer, Nested_Compare);
    EXPECT_EQ(Items(&outer), "ABCD");
    EXPECT_EQ(Items(&inner), "AX");
    PtrArr_Sort(&outer, Reverse_Name);
    EXPECT_EQ(Items(&outer), "DCBA");
    PtrArr_Release(&outer);
    PtrArr_Release(&inner);
}
