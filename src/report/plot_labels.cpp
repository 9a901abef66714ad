#include "report/plot_labels.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/utilities.h"
#include "report/plot_arcs.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_texts.h"
#include "report/string_format.h"

namespace {

FILE* Graphic() { return plot_state.plot_graphic_stream; }

std::string Number_Text(int number)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", number);
    return buffer;
}

}  // namespace

void Plot_Write_Label_Box(const char* text, double x, double y, double size, double y_scale)
{
    // The box is sized by the count of characters: the report font's figures and letters
    // are near enough alike in width for a label of a few characters.
    const double n = text ? static_cast<double>(std::strlen(text)) : 0.0;
    const double h = 0.8 * size / y_scale;
    const double w = n < 2.0 ? n * h : 0.8 * n * h;
    Plot_Begin_Group();
    Plot_Set_Fill_Index(0);
    Plot_Fill_Rectangle(x - w, y - h, x + w, y + h);
    Plot_Draw_Line(x - w, y - h, x - w, y + h);
    Plot_Draw_Line(x - w, y + h, x + w, y + h);
    Plot_Draw_Line(x + w, y + h, x + w, y - h);
    Plot_Draw_Line(x + w, y - h, x - w, y - h);
    Plot_Write_Text_Centred_Angled(x, y, text);
    Plot_End_Group();
}

void Plot_Write_Sized_Label_Box(double x, double y, double size, const char* text)
{
    Write_If_Open(Graphic(), " 13 %lf\n", size);
    Plot_Write_Label_Box(text, x, y, size, plot_state.y_scale);
}

void Plot_Write_Label_Box_Pen2(double x, double y, double size, double y_scale,
                               const char* text)
{
    Write_If_Open(Graphic(), " 4 %d\n", 2);
    Plot_Write_Label_Box(text, x, y, size, y_scale);
}

void Plot_Write_Formatted_Label_Box(double x, double y, double size, double y_scale,
                                    const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = Format_String_Cut(PLOT_TEXT_MAX, format, args);
    va_end(args);
    Plot_Write_Label_Box_Pen2(x, y, size, y_scale, text.c_str());
}

void Plot_Write_Number_Label_Box(double x, double y, double size, int number)
{
    Plot_Write_Sized_Label_Box(x, y, size, Number_Text(number).c_str());
}

void Plot_Write_Circled_Label(double x, double y, double size, double y_scale,
                              const char* text)
{
    const double n = text ? static_cast<double>(std::strlen(text)) : 0.0;
    double diameter = n * 1.52 * size / y_scale;
    if (n <= 1.0) diameter *= 1.5;
    Plot_Begin_Group();
    Write_If_Open(Graphic(), " 38 %d %s %d\n", 0, " ", 0);
    Plot_Set_Fill_Index(0);
    Write_If_Open(Graphic(), " 4 %d\n", 2);
    Plot_Fill_Disc(x, y, diameter);
    Plot_Draw_Arc(x, y, diameter, 0.0, 360.0);
    Plot_Write_Text_Centred_Angled(x, y, text);
    Plot_End_Group();
}

void Plot_Write_Circled_Label_Formatted(double x, double y, double size, double y_scale,
                                        const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = Format_String_Cut(PLOT_TEXT_MAX, format, args);
    va_end(args);
    Plot_Write_Circled_Label(x, y, size, y_scale, text.c_str());
}

void Plot_Write_Circled_Label_Number(double x, double y, double size, double y_scale,
                                     int number)
{
    Plot_Write_Circled_Label(x, y, size, y_scale, Number_Text(number).c_str());
}
