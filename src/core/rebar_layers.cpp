#include "core/rebar_layers.h"

#include "core/corbel_model.h"
#include "core/corbel_work.h"

double Main_Tie_Layer_Offset(const Corbel_Rebar_Choice* rebar, int layer,
                             const NAD_EC2_Params* params)
{
    double offset = 0.0;
    if (!rebar) return offset;
    if (layer > CORBEL_MAX_LAYERS - 1) layer = CORBEL_MAX_LAYERS - 1;
    for (int j = 1; j <= layer; ++j) offset += Get_Bar_Axis_Spacing(rebar, j - 1, j, 0, params);
    return offset;
}
