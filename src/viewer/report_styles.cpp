#include "viewer/report_styles.h"

#include "report/text_writer.h"
#include "viewer/faces.h"

int Style_Chars_Per_Line(int style)
{
    constexpr int count = sizeof oli_chars_per_line / sizeof oli_chars_per_line[0];
    return style >= 0 && style < count ? oli_chars_per_line[style] : 96;
}

double Style_Char_Width(int style) { return REPORT_TEXT_WIDTH / Style_Chars_Per_Line(style); }

double Style_Font_Size(int style) { return Style_Char_Width(style) / MONO_ADVANCE_EM; }

double Style_Line_Height(int style)
{
    const int cpl = Style_Chars_Per_Line(style);
    return cpl >= 125 ? 0.286 * 125.0 / cpl : 0.38 * 96.0 / cpl;
}
