#include "report/oli_attributes.h"

#include "report/oli_channel.h"

namespace {

OLI_Text_Attributes& Requested()
{
    OLI_Init_Channel_If_Needed();
    return oli_requested_attributes;
}

void Count_Tab_Change()
{
    oli_tab_stops.change_counter =
        static_cast<int32_t>(static_cast<uint32_t>(oli_tab_stops.change_counter) + 1u);
}

} // namespace

void OLI_Reset_Text_Attributes()
{
    OLI_Init_Channel_If_Needed();
    oli_requested_attributes = OLI_DEFAULT_ATTRIBUTES;
    oli_tab_stops.count = 0;
    Count_Tab_Change();
}

void OLI_Set_Text_Style(int style) { Requested().text_style = style; }
void OLI_Add_Paragraph_Space(double cm) { Requested().space_before += cm; }

void OLI_Force_New_Paragraph()
{
    OLI_Init_Channel_If_Needed();
    oli_attributes_in_effect.flags |= 0x2000u;
}

void OLI_Set_Space_After(double cm) { Requested().space_after = cm; }
void OLI_Set_Line_Factor(double factor) { Requested().line_factor = factor; }
void OLI_Set_Text_Indent(double cm) { Requested().first_indent = cm; }
void OLI_Set_Second_Indent(double cm) { Requested().second_indent = cm; }

void OLI_Set_Paragraph_Flags(uint32_t flags)
{
    constexpr uint32_t taken = 0x08u | 0x80u | 0x100u;
    OLI_Text_Attributes& a = Requested();
    a.flags = (a.flags & ~taken) | (flags & taken);
}

int OLI_Get_Text_Style() { return Requested().text_style; }
double OLI_Get_Space_After() { return Requested().space_after; }
double OLI_Get_Line_Factor() { return Requested().line_factor; }
double OLI_Get_Text_Indent() { return Requested().first_indent; }
double OLI_Get_Second_Indent() { return Requested().second_indent; }

void OLI_Clear_Tab_Stops()
{
    if (oli_tab_stops.count == 0) return;
    oli_tab_stops.count = 0;
    Count_Tab_Change();
    // The callback stays, so that the next paragraph record carries an empty tab list.
    oli_requested_attributes.tab_callback = OLI_Write_Current_Tabs;
}

void OLI_Set_Tab_Stops(int kind, const int* kinds, const double* positions, int n)
{
    if (n <= 0 || !positions) {
        OLI_Clear_Tab_Stops();
        return;
    }
    if (n > OLI_Report_Format::max_tab_stops) n = OLI_Report_Format::max_tab_stops;
    oli_tab_stops.count = n;
    for (int i = 0; i < n; ++i) {
        oli_tab_stops.kinds[i] = kinds ? kinds[i] : kind;
        oli_tab_stops.positions[i] = positions[i];
    }
    Count_Tab_Change();
    oli_requested_attributes.tab_callback = OLI_Write_Current_Tabs;
}

void OLI_Set_Tab_Grid(int kind, double spacing)
{
    if (!(spacing > 0.0)) {
        OLI_Clear_Tab_Stops();
        return;
    }
    oli_tab_stops.count = -1;
    oli_tab_stops.kinds[0] = kind;
    oli_tab_stops.positions[0] = spacing;
    Count_Tab_Change();
    oli_requested_attributes.tab_callback = OLI_Write_Current_Tabs;
}
