#pragma once
// Small dialogs and sheet building blocks that the main loop and the input sheets share:
// value clamps for number fields, the labelled action button, the end-of-editing dialog,
// the general question box and the readers of the position's import protocol
// ("_NN.EXP", written by the force import of the load page).
#include <cstdio>

// ---- clamps (number-field checks: correct the value in place, return the pointer) ----
double* Clamp_Non_Negative(double* value);   // below 0 -> 0
double* Clamp_At_Least_One(double* value);   // below 1 -> 1
double* Clamp_Unit_Interval(double* value);  // into 0..1
double* Clamp_Absolute(double* value);       // negative -> its absolute value

// ---- buttons of a scroll area ----
// A click is reported on the next composition of the page: the button then sets
// *pressed to 1 (and forgets the click).

// "act_but.bmp" in (x - 20, y - 9)..(x - 7, y + 4) and, unless the label is empty or
// no_label is set, the label at (x, y); the click cell covers the picture and the label.
void Draw_Action_Button(int area, int x, int y, int* pressed, const char* label, int no_label);
// A bare click rectangle.
void Draw_Click_Cell(int area, int x0, int y0, int x1, int y1, int* pressed, const char* tip);
// "updown_but.bmp" at (x, y - 12)..(x + 15, y + 5): the upper half sets *result = 1,
// the lower *result = 2.
void Draw_Up_Down_Button(int area, int x, int y, int* result);
// The twin of the action button with "work_but.bmp"; a given label is always drawn.
void Draw_Work_Button(int area, int x, int y, int* pressed, const char* label);

// ---- dialogs ----

// A new screen: the dialogs open in its middle again (they keep their last place only
// within one screen's life) and no button click is pending.
void Reset_Dialog_State();

// Content of a question box: adds items from (x, *y) and leaves *y below them.
using Query_Box_Callback = int* (*)(int area, int x, int* y, void* data);

// "BEARBEITUNG BEENDEN": 1 save and end, 0 end without saving (in the three-choice
// layout of application 166 also 2, save without calculating), -1 break.
int Ask_End_Of_Editing();

// mode < 0: "Info" with a break button only; 0 and 1: "Nachfrage" with break and OK
// (the pointer on OK for 1); 2 and above: "Nachfrage" with break only. 1 for OK, 0 for
// break. help_key: a help button's topic, or null.
int Show_Query_Box(int mode, int width, int height, const char* help_key, void* data, Query_Box_Callback draw);

// ---- the position's import protocol ----

// "_%02d" of the File-Id (a shared buffer).
const char* Get_File_Id_Suffix();
// remove: deletes the protocol, null. Otherwise opens it for reading (read set) or for
// appending; null when that fails.
FILE* Open_Export_Info_File(int remove, int read);
// Lines of the protocol (a line starting with a zero byte not counted); 0 without one.
int Count_Export_Info_Lines();
// The information box's content: a heading and the protocol's lines, whole.
int* Draw_Export_Info_Lines(int area, int x, int* y, void* data);
