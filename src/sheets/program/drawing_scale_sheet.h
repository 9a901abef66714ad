#pragma once
// The small sheet on which the user types or steps the scale 1 : n of a drawing.

// Shows "Maßstab  1 :" with a number field and up/down buttons: a step goes by 5 and
// stays within 5 to 200, a typed value is kept within 0 to 200. OK stores the rounded
// value and answers 1; break (or no screen) leaves *scale and answers 0.
int Edit_Drawing_Scale(int* scale);
