#pragma once
// Text primitives of the drawing writer: texts at a point, with or without the text
// angle, and anchored texts. Each writes its record into the open report graphic and,
// while a drawing file is open, a text entity into that file.
//
// Texts are 8-bit strings in code page 850 and are written between the bytes 0xAE and
// 0xAF. A text carrying one of these bytes, CR or LF would break its record or entity, so
// each of them is written as a blank.
//
// Anchors: the vertical code selects the row (0 bottom, 4 middle, any other top), the
// horizontal code the column (1 right, 4 centre, any other left). Records carry
// 0xC0 + row bit + column bit; the drawing file the keypad number 1 to 9, defined for the
// vertical codes 0, 4, 2 and the horizontal codes 3, 4, 1 (every other pair gives 5).
#include <string>

// Formatted texts are cut at this many characters.
constexpr int PLOT_TEXT_MAX = 254;

// The text with 0xAE, 0xAF, CR and LF replaced by blanks ("" for null).
std::string Plot_Clean_Text(const char* text);

// Anchor code of records 9 and 10 for the side codes.
int Plot_Anchor_Code(int vertical, int horizontal);
// Keypad number of the drawing file for the side codes.
int Plot_Anchor_Keypad(int vertical, int horizontal);

// Texts along the text angle: the point is turned, record " 14 <text angle - rotation>
// 0" comes first; the entity angle is rotation + text angle (degrees).
// Record 3, keypad 7.
void Plot_Write_Text(double x, double y, const char* text);
// Record 10 with the point twice and code 210, keypad 5.
void Plot_Write_Text_Centred_Angled(double x, double y, const char* text);
// Record 10 with the point twice and the anchor code of the side codes.
void Plot_Write_Text_Anchored_Angled(double x, double y, int vertical, int horizontal,
                                     const char* format, ...)
    __attribute__((format(printf, 5, 6)));

// Texts at the point as given (not turned), without record 14.
// Record 9 with the anchor code; entity angle rotation + text angle.
void Plot_Write_Text_Anchored(double x, double y, int vertical, int horizontal,
                              const char* format, ...) __attribute__((format(printf, 5, 6)));
// Record 9 with code 210 (0xD2), keypad 5, entity angle 0.
void Plot_Write_Text_Centred(double x, double y, const char* text);
// Record " 2 x y «text»", keypad 7, entity angle 0.
void Plot_Write_Text_Plain(double x, double y, const char* text);
// Record 9 with code 212 (0xD4), keypad 6, entity angle 0.
void Plot_Write_Text_Anchor6(double x, double y, const char* text);
// Record 9 with code 226 (0xE2), keypad 8, entity angle 0.
void Plot_Write_Text_Anchor8(double x, double y, const char* text);
// Record 9 with code 202 (0xCA), keypad 2, entity angle 0.
void Plot_Write_Text_Anchor2(double x, double y, const char* text);
// Record 9 with code 466 (0x1D2, turned by 90 degrees), keypad 5, entity angle 90.
void Plot_Write_Text_Upright(double x, double y, const char* text);
