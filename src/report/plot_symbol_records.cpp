#include "report/plot_symbol_records.h"

#include "base/utilities.h"
#include "report/plot_state.h"

namespace plot_records {

namespace {
FILE* Graphic() { return plot_state.plot_graphic_stream; }
}  // namespace

void Pen_Class(int n) { Write_If_Open(Graphic(), " 4 %d\n", n); }
void Record_6(double value) { Write_If_Open(Graphic(), " 6 %lf\n", value); }
void Text_Style(int style) { Write_If_Open(Graphic(), " 7 %d\n", style); }
void Record_8(int value) { Write_If_Open(Graphic(), " 8 %d\n", value); }
void Text_Height(double height) { Write_If_Open(Graphic(), " 13 %lf\n", height); }
void Record_16(double value) { Write_If_Open(Graphic(), " 16 %lf\n", value); }
void Record_23(int first, int second) { Write_If_Open(Graphic(), " 23 %d %d\n", first, second); }

void Dash_Pattern(int count, const char* lengths)
{
    Write_If_Open(Graphic(), " 38 %d %s %d\n", count, lengths ? lengths : " ", 0);
}

void Glyph(double rx, double ry, const char* font_file)
{
    Write_If_Open(Graphic(), " 27 %.1f %.1f %%FONT%%\\%s\n", rx, ry, font_file ? font_file : "");
}

}  // namespace plot_records
