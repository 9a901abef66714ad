#include "report/plot_texts.h"

#include <cstdarg>
#include <cstdio>

#include "base/utilities.h"
#include "report/drawing_file.h"
#include "report/plot_label_room.h"
#include "report/plot_state.h"
#include "report/string_format.h"

namespace {

FILE* Graphic() { return plot_state.plot_graphic_stream; }

// Writes a text at the point (drawing units, turned) through write(x, y), the point moved
// by what its label's place asks for.
template <class Write> void Write_Label_At(double x, double y, Write write)
{
    Plot_Write_Label([=](const Plot_Label_Move& m) {
        const Plot_State& s = plot_state;
        double mx = x, my = y;
        if (s.x_scale != 0.0) mx += m.dx / s.x_scale;
        if (s.y_scale != 0.0) my += m.dy / s.y_scale;
        write(mx, my);
    });
}

double Entity_Angle() { return (plot_state.rotation + plot_state.text_angle) * PLOT_DEGREES_PER_RADIAN; }

// Record 14 with the text's angle on the page.
void Write_Angle_Record()
{
    Write_If_Open(Graphic(), " 14 %lf 0\n",
                  (plot_state.text_angle - plot_state.rotation) * PLOT_DEGREES_PER_RADIAN);
}

// A text along the text angle: the point is turned; record 3 (code < 0) or record 10
// with the anchor code; the entity along rotation + text angle.
void Write_Angled(double x, double y, int code, int keypad, const char* text)
{
    const std::string clean = Plot_Clean_Text(text);
    Plot_Turn_Point(&x, &y);
    Write_Label_At(x, y, [=](double px, double py) {
        const Plot_State& s = plot_state;
        Write_Angle_Record();
        const double rx = px * s.x_scale, ry = py * s.y_scale;
        if (code < 0)
            Write_If_Open(Graphic(), " 3 %lf %lf \xAE%s\xAF\n", rx, ry, clean.c_str());
        else
            Write_If_Open(Graphic(), " 10 %lf %lf %lf %lf %d \xAE%s\xAF\n", rx, ry, rx, ry, code,
                          clean.c_str());
        Plot_File_Text(px, py, keypad, PLOT_FILE_TEXT_ANGLE, Entity_Angle(), clean.c_str());
    });
}

// A text at the point as given: record 9 with the anchor code.
void Write_Anchored(double x, double y, int code, int keypad, Plot_File_Text_Angle_Form form,
                    const char* text)
{
    const std::string clean = Plot_Clean_Text(text);
    Write_Label_At(x, y, [=](double px, double py) {
        const Plot_State& s = plot_state;
        const double rx = px * s.x_scale, ry = py * s.y_scale;
        Write_If_Open(Graphic(), " 9 %lf %lf %lf %lf %d \xAE%s\xAF\n", rx, ry, rx, ry, code,
                      clean.c_str());
        Plot_File_Text(px, py, keypad, form, Entity_Angle(), clean.c_str());
    });
}

}  // namespace

std::string Plot_Clean_Text(const char* text)
{
    std::string clean = text ? text : "";
    for (char& c : clean) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b == 0xAE || b == 0xAF || b == '\r' || b == '\n') c = ' ';
    }
    return clean;
}

int Plot_Anchor_Code(int vertical, int horizontal)
{
    const int row = vertical == 0   ? PLOT_ANCHOR_ROW_BOTTOM
                    : vertical == 4 ? PLOT_ANCHOR_ROW_MIDDLE
                                    : PLOT_ANCHOR_ROW_TOP;
    const int column = horizontal == 1   ? PLOT_ANCHOR_COLUMN_RIGHT
                       : horizontal == 4 ? PLOT_ANCHOR_COLUMN_CENTRE
                                         : PLOT_ANCHOR_COLUMN_LEFT;
    return PLOT_ANCHOR_BASE + row + column;
}

int Plot_Anchor_Keypad(int vertical, int horizontal)
{
    int row;  // keypad number of the row's left key
    switch (vertical) {
    case 2: row = 7; break;
    case 4: row = 4; break;
    case 0: row = 1; break;
    default: return 5;
    }
    switch (horizontal) {
    case 3: return row;
    case 4: return row + 1;
    case 1: return row + 2;
    default: return 5;
    }
}

void Plot_Write_Text(double x, double y, const char* text) { Write_Angled(x, y, -1, 7, text); }

void Plot_Write_Text_Centred_Angled(double x, double y, const char* text)
{
    Write_Angled(x, y, PLOT_ANCHOR_CENTRED, 5, text);
}

void Plot_Write_Text_Anchored_Angled(double x, double y, int vertical, int horizontal,
                                     const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = Format_String_Cut(PLOT_TEXT_MAX, format, args);
    va_end(args);
    Write_Angled(x, y, Plot_Anchor_Code(vertical, horizontal),
                 Plot_Anchor_Keypad(vertical, horizontal), text.c_str());
}

void Plot_Write_Text_Anchored(double x, double y, int vertical, int horizontal,
                              const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = Format_String_Cut(PLOT_TEXT_MAX, format, args);
    va_end(args);
    Write_Anchored(x, y, Plot_Anchor_Code(vertical, horizontal),
                   Plot_Anchor_Keypad(vertical, horizontal), PLOT_FILE_TEXT_ANGLE, text.c_str());
}

void Plot_Write_Text_Centred(double x, double y, const char* text)
{
    Write_Anchored(x, y, PLOT_ANCHOR_CENTRED, 5, PLOT_FILE_TEXT_FLAT, text);
}

void Plot_Write_Text_Plain(double x, double y, const char* text)
{
    const std::string clean = Plot_Clean_Text(text);
    Write_Label_At(x, y, [=](double px, double py) {
        const Plot_State& s = plot_state;
        Write_If_Open(Graphic(), " 2 %lf %lf \xAE%s\xAF\n", px * s.x_scale, py * s.y_scale,
                      clean.c_str());
        Plot_File_Text(px, py, 7, PLOT_FILE_TEXT_FLAT, 0.0, clean.c_str());
    });
}

void Plot_Write_Text_Anchor6(double x, double y, const char* text)
{
    Write_Anchored(x, y, 0xD4, 6, PLOT_FILE_TEXT_FLAT, text);
}

void Plot_Write_Text_Anchor8(double x, double y, const char* text)
{
    Write_Anchored(x, y, 0xE2, 8, PLOT_FILE_TEXT_FLAT, text);
}

void Plot_Write_Text_Anchor2(double x, double y, const char* text)
{
    Write_Anchored(x, y, 0xCA, 2, PLOT_FILE_TEXT_FLAT, text);
}

void Plot_Write_Text_Upright(double x, double y, const char* text)
{
    Write_Anchored(x, y, PLOT_ANCHOR_CENTRED + PLOT_ANCHOR_UPRIGHT, 5, PLOT_FILE_TEXT_UPRIGHT,
                   text);
}
