// Temporary: the input echo and the results table until their own sources arrive.
#include "core/corbel_input_echo.h"
#include "core/corbel_results_table.h"

#include "core/corbel_model.h"
#include "report/oli_channel.h"

void Write_Corbel_Input_Echo(Corbel_Model* model, FILE* report, int)
{
    if (report) Report_Load_Tables(model, report);
    OLI_End_Text_Block(report);
}
void Write_Corbel_Results_Table(const Corbel_Model*, FILE*) {}
