#pragma once
// Every straight line of a laid-out page, the lines of a run one by one, in their order.
#include "viewer/page_model.h"

#include <vector>

inline std::vector<Page_Line> Page_Lines_Of(const Page& page)
{
    std::vector<Page_Line> lines;
    for (const Page_Item& item : page.items) {
        if (const auto* l = std::get_if<Page_Line>(&item)) lines.push_back(*l);
        if (const auto* run = std::get_if<Page_Line_Run>(&item))
            for (size_t k = 0; k + 1 < run->ends.size(); k += 2)
                lines.push_back({run->ends[k].x, run->ends[k].y, run->ends[k + 1].x, run->ends[k + 1].y, run->width,
                                 run->colour, run->dashes});
    }
    return lines;
}
