#pragma once
// Screen pieces of the environment that its report library and picture files need: a
// sheet listing the lines of a table, and the environment's picture format RPC.
#include <string>
#include <vector>

// Shows the lines in a sheet titled as given, at (x, y) with the given size, in a
// scrollable area with a vertical slider and a close button; returns when the sheet is
// closed (its button or Enter). Rows alternate between the grounds colours[0] and
// colours[1] (colour indices; null: the screen's defaults). Nothing without a screen.
void Show_Lines_Sheet(const char* title, const std::vector<std::string>& lines, int x, int y, int width, int height,
                      const int* colours);

// RPC pictures are not supported here: draws nothing and says so once on standard error.
void Draw_RPC_File(const char* file, int a, int b);
