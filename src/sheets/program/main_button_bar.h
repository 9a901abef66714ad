#pragma once
// The seven buttons in the top right corner of the main sheet, one icon bar over the
// installation's "Buttons.bmp". The main loop places the bar (Main_Button_Bar_Place)
// before it first draws it, draws it on every pass and tracks it when the sheet's escape
// area over it reports the pointer; the codes it returns:
//   9 online calculation on/off, 8 national annex, 1 print options, 2 preview,
//   3 print, 6 help, 7 end.
#include "toolkit/icon_bar.h"

extern Icon_Bar main_button_bar;

// The bar's rectangle for a screen of that width: x from width - 321 to width - 6,
// y from 3 to 42; without "Buttons.bmp" the buttons are as wide as their words and the
// bar starts further left.
void Main_Button_Bar_Place(int screen_width);

// The online button's images: the column 345 while online calculation is on, 391 while
// it is off.
void Main_Button_Bar_Show_Online(int on);
