#include "report/plot_dimension_chains.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "base/alloc.h"
#include "base/numeric.h"
#include "base/point_arrays.h"
#include "base/utilities.h"
#include "report/plot_dimensions.h"
#include "report/plot_fill_legend.h"

namespace {

// Neighbours closer than this along an axis-parallel chain get no dimension.
constexpr double kSamePlace = 1e-5;

const Plot_Chain_Point* Point(const void* item)
{
    return static_cast<const Plot_Chain_Point*>(item);
}

// A chain point begins with its two coordinates, so the pair orders serve it; they keep
// the sort sound with a point that is not a number.
static_assert(sizeof(Plot_Chain_Point) == sizeof(Plot_Value_Pair) &&
              offsetof(Plot_Chain_Point, x) == offsetof(Plot_Value_Pair, first) &&
              offsetof(Plot_Chain_Point, y) == offsetof(Plot_Value_Pair, second));
constexpr PtrArr_Item_Compare Compare_X_Ascending = Plot_Compare_First_Ascending;
constexpr PtrArr_Item_Compare Compare_X_Descending = Plot_Compare_First_Descending;
constexpr PtrArr_Item_Compare Compare_Y_Ascending = Plot_Compare_Second_Ascending;
constexpr PtrArr_Item_Compare Compare_Y_Descending = Plot_Compare_Second_Descending;

PtrArr_Item_Compare Chain_Order(int sort_mode)
{
    switch (sort_mode) {
    case PLOT_CHAIN_X_DESCENDING: return Compare_X_Descending;
    case PLOT_CHAIN_X_ASCENDING: return Compare_X_Ascending;
    case PLOT_CHAIN_Y_DESCENDING: return Compare_Y_Descending;
    case PLOT_CHAIN_Y_ASCENDING: return Compare_Y_Ascending;
    default: return nullptr;
    }
}

// One interval of a chain in the number format of the unit word.
double Draw_Interval(const char* unit_word, const Plot_Chain_Point& a, const Plot_Chain_Point& b,
                     double size, double unit_factor, int placement)
{
    if (unit_word != nullptr && std::strcmp(unit_word, "cm") == 0)
        return Plot_Draw_Scaled_Dimension_Checked(a.x, a.y, b.x, b.y, size, unit_factor,
                                                  placement);
    if (unit_word != nullptr && std::strcmp(unit_word, "mm") == 0)
        return Plot_Draw_Length_Dimension(a.x, a.y, b.x, b.y, size, placement);
    return Plot_Draw_Metre_Dimension(a.x, a.y, b.x, b.y, size);
}

// Frees every point and the array's storage.
void Consume_Chain(Ptr_Array* chain)
{
    const int n = PtrArr_Count(chain);
    for (int i = 0; i < n; ++i) MEM_FREE(PtrArr_Get(chain, i));
    PtrArr_Release(chain);
}

bool Has_Intervals(const Ptr_Array* chain) { return chain != nullptr && PtrArr_Count(chain) >= 2; }

}  // namespace

int Plot_Chain_Add_Point(Ptr_Array* chain, double x, double y)
{
    if (chain == nullptr) return 0;
    auto* point = static_cast<Plot_Chain_Point*>(MEM_MALLOC(sizeof(Plot_Chain_Point)));
    if (point == nullptr) return 0;
    point->x = x;
    point->y = y;
    if (PtrArr_Insert(chain, PtrArr_Count(chain), point) == nullptr) {
        MEM_FREE(point);
        return 0;
    }
    return 1;
}

double Plot_Draw_Dimension_Chain(Ptr_Array* chain, const char* unit_word, double x0,
                                 double y0, double angle, double size, double unit_factor,
                                 int placement)
{
    return Plot_Draw_Dimension_Chain_Sorted(chain, unit_word, x0, y0, angle, size,
                                            unit_factor, placement, PLOT_CHAIN_X_ASCENDING);
}

double Plot_Draw_Dimension_Chain_Sorted(Ptr_Array* chain, const char* unit_word, double x0,
                                        double y0, double angle, double size,
                                        double unit_factor, int placement, int sort_mode)
{
    if (!Has_Intervals(chain)) return 0.0;

    // Every point goes to its foot on the chain's line: in the line's own frame it takes
    // the reference point's y.
    double line_x = x0, line_y = y0;
    Transform_Points(&line_x, &line_y, 1, 0.0, 0.0, angle, 1.0);
    const int n = PtrArr_Count(chain);
    for (int i = 0; i < n; ++i) {
        auto* point = static_cast<Plot_Chain_Point*>(PtrArr_Get(chain, i));
        if (point == nullptr) continue;
        double px = point->x, py = point->y;
        Transform_Points(&px, &py, 1, 0.0, 0.0, angle, 1.0);
        py = line_y;
        Untransform_Points(&px, &py, 1, 0.0, 0.0, angle, 1.0);
        point->x = px;
        point->y = py;
    }

    if (PtrArr_Item_Compare order = Chain_Order(sort_mode)) PtrArr_Sort(chain, order);

    double largest = 0.0;
    for (int i = 0; i + 1 < n; ++i) {
        const Plot_Chain_Point* a = Point(PtrArr_Get(chain, i));
        const Plot_Chain_Point* b = Point(PtrArr_Get(chain, i + 1));
        if (a == nullptr || b == nullptr) continue;
        largest = std::max(largest, Draw_Interval(unit_word, *a, *b, size, unit_factor, placement));
    }
    Consume_Chain(chain);
    return largest;
}

double Plot_Draw_Axis_Dimension_Chain(Ptr_Array* chain, const char* unit_word, int mode,
                                      double coordinate, double size, double unit_factor,
                                      int placement)
{
    if (!Has_Intervals(chain)) return 0.0;

    PtrArr_Item_Compare order = nullptr;
    switch (mode) {
    case PLOT_AXIS_CHAIN_X_DESCENDING: order = Compare_X_Descending; break;
    case PLOT_AXIS_CHAIN_Y_DESCENDING: order = Compare_Y_Descending; break;
    case PLOT_AXIS_CHAIN_X_ASCENDING: order = Compare_X_Ascending; break;
    case PLOT_AXIS_CHAIN_Y_ASCENDING: order = Compare_Y_Ascending; break;
    default: return 0.0;
    }
    PtrArr_Sort(chain, order);
    const bool horizontal =
        mode == PLOT_AXIS_CHAIN_X_DESCENDING || mode == PLOT_AXIS_CHAIN_X_ASCENDING;

    double largest = 0.0;
    const int n = PtrArr_Count(chain);
    for (int i = 0; i + 1 < n; ++i) {
        auto* a = static_cast<Plot_Chain_Point*>(PtrArr_Get(chain, i));
        auto* b = static_cast<Plot_Chain_Point*>(PtrArr_Get(chain, i + 1));
        if (a == nullptr || b == nullptr) continue;
        const double along = horizontal ? b->x - a->x : b->y - a->y;
        if (!(std::fabs(along) >= kSamePlace)) continue;
        if (horizontal) {
            a->y = coordinate;
            b->y = coordinate;
        } else {
            a->x = coordinate;
            b->x = coordinate;
        }
        largest = std::max(largest, Draw_Interval(unit_word, *a, *b, size, unit_factor, placement));
    }
    Consume_Chain(chain);
    return largest;
}

double Plot_Draw_Dimension_Chain_Arrays(int n, const double* x, const double* y, double x1,
                                        double y1, double x2, double y2, double size)
{
    if (n < 2 || x == nullptr || y == nullptr) return 0.0;

    double* work_x = nullptr;
    double* work_y = nullptr;
    Copy_Doubles_Alloc(n, &work_x, x);
    Copy_Doubles_Alloc(n, &work_y, y);
    auto* index =
        static_cast<int*>(Realloc_Or_Exit(nullptr, static_cast<size_t>(n) * sizeof(int), 0));
    Project_Points_On_Line(n, work_x, work_y, x1, y1, x2, y2);

    if (Round_To_Decimals(std::fabs(x2 - x1), 5) != 0.0)
        Sort_Index_Dir(n, work_x, index, x2 > x1);
    else
        Sort_Index_Dir(n, work_y, index, y2 > y1);

    double largest = 0.0;
    for (int i = 0; i + 1 < n; ++i) {
        const int a = index[i], b = index[i + 1];
        largest = std::max(largest, Plot_Draw_Metre_Dimension(work_x[a], work_y[a], work_x[b],
                                                               work_y[b], size));
    }

    Free_And_Null(reinterpret_cast<void**>(&work_x));
    Free_And_Null(reinterpret_cast<void**>(&work_y));
    Free_And_Null(reinterpret_cast<void**>(&index));
    return largest;
}
