#include "core/exchange_requests.h"

#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"
#include "core/position_file.h"

int Serve_Export_Request()
{
    Apply_Edit_Buffer_Hook(&corbel_model);
    const int r = Export_Corbel_Data();
    Fill_Edit_Buffer_Hook(&corbel_model);
    return r;
}

int Serve_Import_Request()
{
    Apply_Edit_Buffer_Hook(&corbel_model);
    const int r = Import_Corbel_Data();
    Fill_Edit_Buffer_Hook(&corbel_model);
    return r;
}
