#pragma once
// The pictures of the annex part pages, drawn in code and written as bitmap files into
// data/NAD by make_bitmaps: the formula pictures of the EN 1992 page (NAD_Func*), the
// label pictures of the EN 1990 page (NAD-Kbws, NAD_bridge_*), whose rows lie 22 pixels
// apart with one heading row first, and the nine bands of the EN 1995 page (EC5GrobiNads).
// White is their transparent ground. Texts in them are drawn one bit a pixel in the
// screen's normal font.
#include "platform/screen/bitmaps.h"

#include <string>
#include <vector>

const std::vector<std::string>& Nad_Sheet_Bitmap_Names();
// False for a name that is not one of them.
bool Make_Nad_Sheet_Bitmap(const std::string& name, Screen_Image& image);
