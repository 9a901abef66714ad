#pragma once
// Numbers read from a file as integers and flag words: kept within the type's range (a
// value that is not a number gives 0), so that no content of a file leads to undefined
// behaviour.
#include <cmath>
#include <cstdint>
#include <limits>

inline int File_Int(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

inline uint32_t File_Flags(double v)
{
    if (std::isnan(v)) return 0;
    if (v < 0.0) return static_cast<uint32_t>(File_Int(v));
    if (v >= 4294967295.0) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(v);
}
