#include "report/plot_fill_legend.h"

#include "base/component_files.h"
#include "platform/report_viewer.h"
#include "report/oli_channel.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_texts.h"
#include "report/text_writer.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr int kLastFillIndex = 64;
constexpr double kCellWidth = 2.5;
constexpr double kCellHeight = 2.0;
constexpr double kLastCellX = 12.5;  // six cells a row

void Write_Sample(int index, double x, double y)
{
    Plot_Set_Fill_Index(index);
    Plot_Fill_Rectangle(x, y, x + kCellWidth, y + kCellHeight);
    Plot_Draw_Rectangle(x, y, x + kCellWidth, y + kCellHeight);
    Plot_Set_Fill_Index(0);
    Plot_Fill_Rectangle(x + 1.0, y + 0.75, x + 1.5, y + 1.25);
    Plot_Write_Text_Centred(x + 1.25, y + 1.0, std::to_string(index).c_str());
}

// Ascending order of two values, NaN after every number.
int Ascending(double a, double b)
{
    if (a < b) return -1;
    if (a > b) return 1;
    const bool a_nan = std::isnan(a), b_nan = std::isnan(b);
    return a_nan == b_nan ? 0 : (a_nan ? 1 : -1);
}
int Descending(double a, double b) { return Ascending(b, a); }

// The record's two leading doubles, copied so that any record beginning with them serves.
Plot_Value_Pair Pair(const void* p)
{
    Plot_Value_Pair pair;
    std::memcpy(&pair, p, sizeof pair);
    return pair;
}

}  // namespace

void Plot_Write_Fill_Legend(FILE* report)
{
    OLI_Write_Line(report, OLI_SEQ_BOLD "Auswahl an F\x81" "llmustern zur Schichtdarstelllung im Ausdruck:");
    Plot_Begin_Graphic(report, 0.0, 26.0, 15.0, 0.0, 1.0, 1.0, 0.0, nullptr);
    double x = 0.0, y = 0.0;
    for (int index = 0; index <= kLastFillIndex; ++index) {
        Write_Sample(index, x, y);
        if (x >= kLastCellX) {
            x = 0.0;
            y += kCellHeight;
        } else {
            x += kCellWidth;
        }
    }
    Plot_End_Graphic_Block();
}

int Plot_Preview_Fill_Legend()
{
    FILE* file = Open_Component_File(".TMP", "w");
    if (file == nullptr) return 0;

    // The legend goes through the report text channel and the drawing writer; a report,
    // graphic or drawing file open meanwhile keeps its state and receives nothing.
    const Plot_State plot = plot_state;
    plot_state.plot_file_stream = nullptr;
    const int32_t mode = oli_channel_mode;
    const OLI_Text_Attributes requested = oli_requested_attributes;
    const OLI_Text_Attributes in_effect = oli_attributes_in_effect;
    const OLI_Tab_Stops tabs = oli_tab_stops;
    OLI_Reset_Channel();
    Plot_Write_Fill_Legend(file);
    std::fclose(file);
    oli_channel_mode = mode;
    oli_requested_attributes = requested;
    oli_attributes_in_effect = in_effect;
    oli_tab_stops = tabs;
    plot_state = plot;

    char name[COMPONENT_NAME_MAX + 1];
    if (Make_Component_File_Name(name, ".TMP", static_cast<int>(sizeof name)) == nullptr) return 0;
    return Quick_OLI_View(Get_Component_Path(), name);
}

int Plot_Compare_First_Descending(const void* a, const void* b)
{
    return Descending(Pair(a).first, Pair(b).first);
}

int Plot_Compare_First_Ascending(const void* a, const void* b)
{
    return Ascending(Pair(a).first, Pair(b).first);
}

int Plot_Compare_Second_Descending(const void* a, const void* b)
{
    return Descending(Pair(a).second, Pair(b).second);
}

int Plot_Compare_Second_Ascending(const void* a, const void* b)
{
    return Ascending(Pair(a).second, Pair(b).second);
}
