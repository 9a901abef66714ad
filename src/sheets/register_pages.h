#pragma once
// The three register pages of the main sheet. Each composer adds the items of its page
// to the (cleared) scroll area, laid out from x0, y0 (the sheet's offset on the screen)
// to the right edge x1; the main loop clears the area before and updates it after.
//
// Page 1: system and materials, geometry with the corbel sketch, required reinforcement.
// Page 2: design parameters and the load tables.
// Page 3: the reinforcement choice.
//
// Each composer resets the widget value ring first (sheets/edit_buffer.h) and calls its
// sheets as (model, area, x, &y, SHEET_LINE_STEP, SHEET_SMALL_STEP, width).

void Compose_Register_Page_1(int area, int x0, int y0, int x1);
void Compose_Register_Page_2(int area, int x0, int y0, int x1);
void Compose_Register_Page_3(int area, int x0, int y0, int x1);
