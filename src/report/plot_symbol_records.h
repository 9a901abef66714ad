#pragma once
// The small setting records of the report graphic that the composite drawings write
// between their lines and texts. Each goes into the open graphic stream (nothing while it
// is null) and has no drawing-file entity. The layout library that reads the report gives
// records 4, 6, 8, 16 and 23 their meaning; the drawings write them with the values their
// look was tuned with.
namespace plot_records {

// " 4 %d": the pen class of the lines that follow (1 thin, 2 for outlines and ticks).
void Pen_Class(int n);
// " 6 %lf": a small length in record units written before lines.
void Record_6(double value);
// " 7 %d": the text style of the texts that follow.
void Text_Style(int style);
// " 8 %d": written before labels.
void Record_8(int value);
// " 13 %lf": text height in record units.
void Text_Height(double height);
// " 16 %lf".
void Record_16(double value);
// " 23 %d %d".
void Record_23(int first, int second);
// " 38 %d %s 0": dash pattern of count lengths (record units) given as one text; a count
// of 0 with a single blank is solid.
void Dash_Pattern(int count, const char* lengths);
// " 27 %.1f %.1f %FONT%\<font file>": one glyph of a symbol font at a point in record units.
void Glyph(double rx, double ry, const char* font_file);

}  // namespace plot_records
