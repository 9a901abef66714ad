#pragma once
// The pictures that the library and the program take from bitmap files of the
// installation ("Buttons.bmp" and the others below), drawn here in code. The tool
// tools/make_bitmaps writes them into data/; a test checks that the files there are what
// this code draws. Key (transparent) areas are exactly the key colour, edges are not
// smoothed, so that transparency holds pixel for pixel.
//
//   Buttons.bmp        642 x 202: the header band (0,0)-(635,47) of the main sheet with
//                      the three register captions, key (219,213,203); the buttons of the
//                      main bar, 37 high, rows 51 normal, 89 hover, 127 inactive,
//                      165 pressed; columns 1 drucken, 130 Hilfe, 173 Ende, 216 Vorschau,
//                      259 Druckeinstellung, 302 nationaler Anhang (42 wide), 345 online
//                      on, 391 online off (45 wide); key (192,192,192)
//   act_but.bmp        14 x 14, the action button of the sheets, key white
//   Glory3.bmp         144 x 108, buttons of 36 x 36: rows 0 abbrechen, 36 Hilfe,
//                      72 bestaetigen; columns 0 inactive, 36 normal, 72 hover,
//                      108 pressed; key (192,192,192)
//   expl_but.bmp       17 x 17, the browse button of the file-name sheet
//   Anima2.bmp         12 frames of 84 x 84 at x = 1 + 85 k, the busy animation
//   animsandclock.bmp  12 frames of 31 x 61 at x = 31 k, the sand clock, key (192,192,192)
//
// The form layer's pictures (images_forms.cpp):
//   but_hinweise_reaktivieren.bmp  4 columns of 212 x 21 (inactive, normal, hover,
//                      pressed), key (255,251,240)
//   deskbuts.bmp       4 columns of 38 x 38; the row at y 250 is the browse button
//   TextButtonBg.bmp, TextButtonBg_ro.bmp, TextButtonBgInaktive.bmp,
//   TextButtonBgInaktive_ro.bmp  64 x 18 grounds of text buttons, stretched
//   tools/bemop_fcd.bmp  221 x 193 the concrete's stress-strain law, key (239,253,238)
//   tools/bemop_fyk.bmp  217 x 142 the steel's law, same key
#include "platform/screen/bitmaps.h"

#include <string>
#include <vector>

const std::vector<std::string>& Library_Bitmap_Names();

// The picture of that name; false for a name that is not one of the above.
bool Make_Library_Bitmap(const std::string& name, Screen_Image& image);

namespace screen {
// The form layer's part of the lists above.
void Add_Form_Bitmap_Names(std::vector<std::string>& names);
bool Make_Form_Bitmap(const std::string& name, Screen_Image& image);
} // namespace screen
