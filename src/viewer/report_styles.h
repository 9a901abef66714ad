#pragma once
// Text styles of the report on the page. The report font is monospaced: a text style is
// a number of characters per full text width of 17 cm (report/text_writer.h), so a
// character is 17 / characters-per-line cm wide and the monospaced face is sized to that
// advance. Lines are 0.38 cm high for the normal style 4 (96 characters) and 0.286 cm for
// the small style 3 (125 characters); the other styles scale with their character width
// from the nearer of the two.
constexpr double REPORT_TEXT_WIDTH = 17.0;
constexpr int REPORT_NORMAL_STYLE = 4;

int Style_Chars_Per_Line(int style);
double Style_Char_Width(int style);
double Style_Font_Size(int style);    // em size of the monospaced face
double Style_Line_Height(int style);
