#include "base/ptr_array.h"

#include "base/alloc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Largest capacity whose storage size still fits the allocation interface's 32-bit sizes.
constexpr int64_t MAX_CAPACITY = static_cast<int64_t>(UINT32_MAX / sizeof(void*));

// Resizes the storage to exactly new_capacity places (at least 1), the new ones null.
bool Resize_Storage(Ptr_Array* array, int64_t new_capacity)
{
    if (new_capacity < 1 || new_capacity > MAX_CAPACITY || new_capacity > INT32_MAX) return false;
    auto bytes = static_cast<uint32_t>(new_capacity * static_cast<int64_t>(sizeof(void*)));
    void* block = MEM_REALLOC(array->items, bytes);
    if (!block) return false;
    array->items = static_cast<void**>(block);
    for (int64_t i = array->capacity; i < new_capacity; ++i) array->items[i] = nullptr;
    array->capacity = static_cast<int32_t>(new_capacity);
    if (array->count > array->capacity) array->count = array->capacity;
    return true;
}

// Makes room for the index: the capacity becomes the larger of index + 1 and
// capacity + 10.
bool Grow_For(Ptr_Array* array, int index)
{
    if (index < array->capacity) return true;
    int64_t wanted = std::max<int64_t>(static_cast<int64_t>(index) + 1,
                                       static_cast<int64_t>(array->capacity) + 10);
    return Resize_Storage(array, wanted);
}

PtrArr_Item_Compare sort_compare = nullptr;

int Compare_Places(const void* a, const void* b)
{
    const void* x = *static_cast<void* const*>(a);
    const void* y = *static_cast<void* const*>(b);
    if (!x || !y) return (x == nullptr) - (y == nullptr);  // null after everything else
    return sort_compare(x, y);
}

} // namespace

Ptr_Array* PtrArr_Create(int capacity)
{
    auto* array = static_cast<Ptr_Array*>(MEM_CALLOC(1, sizeof(Ptr_Array)));
    if (!array) return nullptr;
    if (!PtrArr_Init(array, capacity)) {
        MEM_FREE(array);
        return nullptr;
    }
    return array;
}

int PtrArr_Init(Ptr_Array* array, int capacity)
{
    if (!array) return 0;
    array->items = nullptr;
    array->count = 0;
    array->capacity = 0;
    if (capacity < 1) return 1;
    return Resize_Storage(array, capacity) ? 1 : 0;
}

void PtrArr_Release(Ptr_Array* array)
{
    if (!array) return;
    MEM_FREE(array->items);
    array->items = nullptr;
    array->count = 0;
    array->capacity = 0;
}

void PtrArr_Destroy(Ptr_Array* array)
{
    if (!array) return;
    PtrArr_Release(array);
    MEM_FREE(array);
}

int PtrArr_Reserve(Ptr_Array* array, int capacity)
{
    if (!array) return 0;
    if (capacity < 1) {
        PtrArr_Release(array);
        return 1;
    }
    return Resize_Storage(array, capacity) ? 1 : 0;
}

int PtrArr_Count(const Ptr_Array* array) { return array ? array->count : 0; }

int PtrArr_Capacity(const Ptr_Array* array) { return array ? array->capacity : 0; }

void* PtrArr_Get(const Ptr_Array* array, int index)
{
    if (!array || index < 0 || index >= array->count) return nullptr;
    return array->items[index];
}

void* PtrArr_Set(Ptr_Array* array, int index, void* item)
{
    if (!array || index < 0 || !Grow_For(array, index)) return nullptr;
    if (index < array->count) {
        void* old = array->items[index];
        array->items[index] = item;
        return old;
    }
    array->items[index] = item;
    array->count = index + 1;
    return nullptr;
}

void* PtrArr_Insert(Ptr_Array* array, int index, void* item)
{
    if (!array || index < 0) return nullptr;
    if (index >= array->count) {
        if (!Grow_For(array, index)) return nullptr;
        array->items[index] = item;
        array->count = index + 1;
        return item;
    }
    if (array->count >= array->capacity && !Grow_For(array, array->count)) return nullptr;
    std::memmove(array->items + index + 1, array->items + index,
                 static_cast<size_t>(array->count - index) * sizeof(void*));
    array->items[index] = item;
    ++array->count;
    return item;
}

void* PtrArr_Remove(Ptr_Array* array, int index)
{
    if (!array || index < 0 || index >= array->count) return nullptr;
    void* item = array->items[index];
    std::memmove(array->items + index, array->items + index + 1,
                 static_cast<size_t>(array->count - index - 1) * sizeof(void*));
    --array->count;
    array->items[array->count] = nullptr;
    return item;
}

void PtrArr_Sort(Ptr_Array* array, PtrArr_Item_Compare compare)
{
    if (!array || !compare || array->count <= 1) return;
    // The comparison waits in one word while qsort runs; the previous one is put back
    // afterwards so that a comparison may sort another array.
    PtrArr_Item_Compare outer = sort_compare;
    sort_compare = compare;
    std::qsort(array->items, static_cast<size_t>(array->count), sizeof(void*), Compare_Places);
    sort_compare = outer;
}

void* PtrArr_Find(const Ptr_Array* array, const void* key, PtrArr_Predicate predicate, int* index)
{
    int count = PtrArr_Count(array);
    if (array && predicate) {
        for (int i = 0; i < count; ++i) {
            if (predicate(array->items[i], key)) {
                if (index) *index = i;
                return array->items[i];
            }
        }
    }
    if (index) *index = count;
    return nullptr;
}

void* PtrArr_Find_Equal(const Ptr_Array* array, const void* key, PtrArr_Place_Compare compare,
                        int* index)
{
    int count = PtrArr_Count(array);
    if (array && compare) {
        for (int i = 0; i < count; ++i) {
            if (compare(&array->items[i], key) == 0) {
                if (index) *index = i;
                return array->items[i];
            }
        }
    }
    if (index) *index = count;
    return nullptr;
}

void* PtrArr_Search_Sorted(const Ptr_Array* array, const void* key, PtrArr_Place_Compare compare,
                           int* index)
{
    int count = PtrArr_Count(array);
    int place = 0;
    void* found = nullptr;
    if (count > 0 && compare) {
        int c = compare(&array->items[count - 1], key);
        if (c == 0) {
            place = count - 1;
            found = array->items[place];
        } else if (c < 0) {
            place = count;
        } else if ((c = compare(&array->items[0], key)) == 0) {
            found = array->items[0];
        } else if (c < 0) {
            int lo = 0, hi = count;
            while (lo < hi) {
                int mid = lo + (hi - lo) / 2;
                int m = compare(&array->items[mid], key);
                if (m == 0) {
                    lo = mid;
                    found = array->items[mid];
                    break;
                }
                if (m < 0)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            place = lo;
        }
    }
    if (index) *index = place;
    return found;
}
