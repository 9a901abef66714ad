#include "core/corbel_report_parts.h"

#include "core/corbel_model.h"
#include "report/oli_channel.h"

void Write_Corbel_Input_Echo(Corbel_Model* model, FILE* report, int)
{
    if (report) Report_Load_Tables(model, report);
    OLI_End_Text_Block(report);
}
void Write_Corbel_Results_Table(Corbel_Model*, FILE*) {}
void Report_Chosen_Reinforcement(Corbel_Model*, FILE*, int) {}
