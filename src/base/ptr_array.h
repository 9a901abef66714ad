#pragma once
// A growable array of untyped item pointers. The array never owns its items: it
// stores, moves and hands back pointers; freeing the items is the caller's business.
// Storage comes from the allocation interface; a failed allocation is answered with
// 0 or null and leaves the array as it was.
#include <cstdint>

struct Ptr_Array {
    void** items;      // capacity places, or null
    int32_t count;     // places in use, 0 .. capacity
    int32_t capacity;  // places allocated; those from count on are null
};

// Comparison of two items (the item pointers themselves), as for qsort.
using PtrArr_Item_Compare = int (*)(const void* a, const void* b);
// Predicate: non-zero when the item fits the key.
using PtrArr_Predicate = int (*)(const void* item, const void* key);
// Comparison of the address of an item's place with a key: below 0, 0 or above 0 as
// the item lies before, at or after the key.
using PtrArr_Place_Compare = int (*)(const void* place, const void* key);

// A new array with that many null places and count 0; null when an allocation failed.
Ptr_Array* PtrArr_Create(int capacity);
// The same on a caller's record; 1, or 0 (the record is then empty).
int PtrArr_Init(Ptr_Array* array, int capacity);
// Frees the storage; count and capacity become 0, the record stays usable.
void PtrArr_Release(Ptr_Array* array);
// Frees storage and record.
void PtrArr_Destroy(Ptr_Array* array);
// A capacity below 1 frees the storage; otherwise the storage takes exactly that many
// places (new ones null) and the count is cut to it. 1, or 0 when the allocation failed.
int PtrArr_Reserve(Ptr_Array* array, int capacity);

int PtrArr_Count(const Ptr_Array* array);
int PtrArr_Capacity(const Ptr_Array* array);
// The item, null when the index is below 0 or not below count.
void* PtrArr_Get(const Ptr_Array* array, int index);

// Stores the item at the index, growing the storage to max(index + 1, capacity + 10)
// when needed. Within the count: replaces the item and returns the old one. Beyond it:
// the count becomes index + 1 (places in between stay null) and null is returned.
// Null also for a negative index or when growing failed.
void* PtrArr_Set(Ptr_Array* array, int index, void* item);
// Inserts the item at the index, moving the later ones up; at or beyond the count it
// is stored as by PtrArr_Set. Returns the item, null for a negative index or when
// growing failed.
void* PtrArr_Insert(Ptr_Array* array, int index, void* item);
// Removes and returns the item, moving the later ones down; null when out of range.
void* PtrArr_Remove(Ptr_Array* array, int index);

// Sorts the items (when more than one) by the comparison; null items go after all
// others. One sort at a time; a comparison may itself sort another array.
void PtrArr_Sort(Ptr_Array* array, PtrArr_Item_Compare compare);

// The first item for which predicate(item, key) is non-zero, and its index; none:
// null and index = count. The index pointer may be null.
void* PtrArr_Find(const Ptr_Array* array, const void* key, PtrArr_Predicate predicate, int* index);
// The first item for which compare(address of its place, key) is 0, and its index;
// none: null and index = count.
void* PtrArr_Find_Equal(const Ptr_Array* array, const void* key, PtrArr_Place_Compare compare,
                        int* index);
// Halving search in an array sorted by the comparison: the item and its index, or
// null and the index at which the key would be inserted.
void* PtrArr_Search_Sorted(const Ptr_Array* array, const void* key, PtrArr_Place_Compare compare,
                           int* index);
