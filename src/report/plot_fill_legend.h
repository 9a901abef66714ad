#pragma once
// The fill-pattern legend of the report graphic, and the sort orders on pairs of values
// that the composite drawings sort their point lists with.
#include <cstdio>

// Writes into the report a bold line naming the legend and a graphic block of 65 numbered
// samples, one for each fill index 0 to 64: six cells of 2.5 by 2.0 a row (window x 0 to
// 15, y 26 to 0, scale 1), each the filled and framed cell, a small rectangle of fill
// index 0 in its middle and the index centred on it. The block ends with " -1", after
// which the graphic stream is cleared. With colour output off every sample carries fill
// index 0.
void Plot_Write_Fill_Legend(FILE* report);

// Writes the legend into the component's file with the suffix ".TMP" and opens the report
// viewer on it. The viewer's result, or 0 when the file cannot be opened. The report text
// channel and the drawing writer's state are left as they were, so that a report, a
// graphic or a drawing file open meanwhile is not disturbed.
int Plot_Preview_Fill_Legend();

// A record of two values, e.g. a point {x, y}.
struct Plot_Value_Pair {
    double first;
    double second;
};

// Comparisons of two records of two doubles (pointers to Plot_Value_Pair or to any record
// that begins with two doubles, such as a chain point), for qsort and PtrArr_Sort: -1 when
// a sorts before b, 1 when after, 0 for equal values. The order is total, so that a sort
// stays sound with values that are not numbers: these count as larger than every number
// (last in ascending order, first in descending order) and equal to each other.
int Plot_Compare_First_Descending(const void* a, const void* b);
int Plot_Compare_First_Ascending(const void* a, const void* b);
int Plot_Compare_Second_Descending(const void* a, const void* b);
int Plot_Compare_Second_Ascending(const void* a, const void* b);
