#pragma once
// What the annex selection sheet computes apart from drawing: the shortened names of its
// list and the flags of the annexes, cut from one bitmap of stacked flags.
#include <string>

// Widest name the list shows, in pixels, and the font code of the names (the normal
// font drawn bold).
constexpr int NAD_LIST_NAME_WIDTH = 180;
constexpr int NAD_LIST_FONT = 0x11000;

// Width in pixels of a name (code page 850, as the annex files hold it) in the list's font.
int NAD_List_Name_Width(const std::string& name);

// The name as the list shows it: a name wider than max_width pixels loses one character
// at a time, with "..." appended, until it fits. The name that is applied stays the full
// one; this is only its picture.
std::string NAD_Shorten_List_Name(const std::string& name, int max_width = NAD_LIST_NAME_WIDTH);

// The flag of an annex code in the flag bitmap: columns 0 to 25, rows 19 * c to
// 19 * c + 18. Codes without a flag of their own (20 and above, and negative codes from
// damaged user files) take the flag of code 17.
struct NAD_Flag_Rect {
    int x1, y1, x2, y2;
};
NAD_Flag_Rect NAD_Flag_Source_Rect(int code);

// "%DATA%\NAD\EuroFlags.bmp" (Windows form); empty when "DATA" is not set.
std::string NAD_Flag_Bitmap_Path();
