#pragma once
// Dimension chains of the drawing writer: a row of points dimensioned along one line.
// The points are moved onto the chain's line, ordered along it, and every interval
// between neighbours becomes one dimension (plot_dimensions.h) in the number format of
// the unit word:
//   "cm"   Plot_Draw_Scaled_Dimension_Checked (length / unit factor, rounded to halves;
//          nothing when the factor lies within 1e-5 of 0), with the placement code;
//   "mm"   Plot_Draw_Length_Dimension (whole units and a raised first decimal), with the
//          placement code;
//   any other word, or null: Plot_Draw_Metre_Dimension (metres, centimetres below 1 m).
// The word is compared exactly ("CM" is another word).
//
// A chain is a Ptr_Array of points (Plot_Chain_Point, each allocated on its own by
// Plot_Chain_Add_Point). The chain owns its points, and drawing it consumes it: every
// point is freed and the array's storage released, leaving the array record empty and
// usable. A chain of fewer than two points is left as it is.
//
// Every drawing call returns the largest result of its single dimensions (0 when none is
// drawn): the largest extra offset of a staggered text.
//
// Not reentrant: the sorts share static comparison state.
#include "base/ptr_array.h"

struct Plot_Chain_Point {
    double x;
    double y;
};

// Orders of Plot_Draw_Dimension_Chain_Sorted.
constexpr int PLOT_CHAIN_X_DESCENDING = 1;
constexpr int PLOT_CHAIN_X_ASCENDING = 2;
constexpr int PLOT_CHAIN_Y_DESCENDING = 3;
constexpr int PLOT_CHAIN_Y_ASCENDING = 4;

// Modes of Plot_Draw_Axis_Dimension_Chain.
constexpr int PLOT_AXIS_CHAIN_X_DESCENDING = 0;  // horizontal line y = coordinate
constexpr int PLOT_AXIS_CHAIN_Y_DESCENDING = 1;  // vertical line x = coordinate
constexpr int PLOT_AXIS_CHAIN_X_ASCENDING = 2;   // horizontal
constexpr int PLOT_AXIS_CHAIN_Y_ASCENDING = 3;   // vertical

// Appends a new point; 1, or 0 when it could not be allocated or stored (the chain is then
// unchanged) or the chain is null.
int Plot_Chain_Add_Point(Ptr_Array* chain, double x, double y);

// Chain along the line through (x0, y0) in direction angle (radians), the points ordered
// by ascending x.
double Plot_Draw_Dimension_Chain(Ptr_Array* chain, const char* unit_word, double x0,
                                 double y0, double angle, double size, double unit_factor,
                                 int placement);
// The same with the order given by the sort mode (1 to 4); any other mode keeps the
// chain's order.
double Plot_Draw_Dimension_Chain_Sorted(Ptr_Array* chain, const char* unit_word, double x0,
                                        double y0, double angle, double size,
                                        double unit_factor, int placement, int sort_mode);

// Chain along an axis-parallel line through the coordinate, in the order of the mode
// (0 to 3). Neighbours whose coordinates along the line differ by less than 1e-5 get no
// dimension. Any other mode draws nothing, leaves the chain as it is and gives 0.
double Plot_Draw_Axis_Dimension_Chain(Ptr_Array* chain, const char* unit_word, int mode,
                                      double coordinate, double size, double unit_factor,
                                      int placement);

// Chain of n points given as two arrays (left unchanged) along the line through
// (x1, y1) and (x2, y2), ordered from the first towards the second point, each interval
// as a metre dimension. An allocation failure ends the run.
double Plot_Draw_Dimension_Chain_Arrays(int n, const double* x, const double* y, double x1,
                                        double y1, double x2, double y2, double size);
