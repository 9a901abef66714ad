#include "core/edit_buffer_hooks.h"

Edit_Buffer_Hooks edit_buffer_hooks;
unsigned corbel_load_generation = 0;

void Fill_Edit_Buffer_Hook(Corbel_Model* model)
{
    if (edit_buffer_hooks.fill) edit_buffer_hooks.fill(model);
}

void Apply_Edit_Buffer_Hook(Corbel_Model* model)
{
    if (edit_buffer_hooks.apply) edit_buffer_hooks.apply(model);
}
