#pragma once
// The pictures of the corbel program's sheets (load-table headings, sketches, buttons,
// the annex flags), drawn in code and written as bitmap files into data/ by make_bitmaps.
// Names are relative to the installation ("NAD/..." lies below "DATA").
#include "platform/screen/bitmaps.h"

#include <string>
#include <vector>

const std::vector<std::string>& Sheet_Bitmap_Names();
// False for a name that is not one of them.
bool Make_Sheet_Bitmap(const std::string& name, Screen_Image& image);

// The transparent ground of the flag bitmap and the key of the annex buttons.
constexpr uint32_t FLAG_GROUND_RGB = 0xFFFBF0;   // (255, 251, 240)
constexpr uint32_t NAD_BUTTON_KEY_RGB = 0xD4D0C8; // (212, 208, 200)
// The editor button of the annex selection sheet in "NAD/Buttons.bmp": its four images
// side by side from this row, each as wide as the sheet's symbol buttons and as high as
// the strip that holds it.
constexpr int NAD_EDITOR_BUTTON_ROW = 639;
constexpr int NAD_EDITOR_BUTTON_WIDTH = 26;
constexpr int NAD_EDITOR_BUTTON_HEIGHT = 16;
