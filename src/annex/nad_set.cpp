#include "annex/nad_set.h"

NAD_Set active_nad_set;
int active_nad_set_filled = 0;
int nad_ec1_definitions_pending = 1;

void NAD_Fill_Builtin_Defaults()
{
    NAD_Set& set = active_nad_set;
    if (nad_ec1_definitions_pending) NAD_EC1_Read_Definitions(&set.ec1);

    // The EN 1991 tables after the other parts: those are plain values that read nothing,
    // so the order is not seen.
    NAD_Reset_Set_Parts(&set);
    NAD_EC1_Defaults(&set.ec1);

    nad_ec1_definitions_pending = 0;
    active_nad_set_filled = 1;
}

void NAD_Reset_Set_Parts(NAD_Set* set)
{
    if (!set) return;
    set->code = NAD_CODE_STANDARD;
    set->user_flag = 0;
    set->na_de_flag = 0;
    set->name = "EC-Standard";
    NAD_EC0_Defaults(&set->ec0);
    NAD_EC2_Defaults(&set->ec2);
    NAD_EC3_Defaults(&set->ec3);
    NAD_EC5_Defaults(&set->ec5);
    NAD_EC6_Defaults(&set->ec6);
    NAD_EC9_Defaults(&set->ec9);
}

void NAD_Startup(int) {}

void NAD_Forget_Active_Set()
{
    active_nad_set = NAD_Set{};
    active_nad_set_filled = 0;
    nad_ec1_definitions_pending = 1;
}
