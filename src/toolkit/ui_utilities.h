#pragma once
// User-interface utilities of the environment's tools: a deadline on the library clock,
// a busy animation, progress bars, a sand clock, zoom and drag rectangles, one saved
// rectangle, the hit tolerance of segments, a bitmap sheet, a button reset, the image
// viewer and a titled area. Main thread only.

// The deadline, in seconds of the screen library's clock (virtual with the headless
// driver: it moves only with the script's waits and the library's sleeps).
void Set_Deadline(double seconds);
int Is_Deadline_Passed();

// The busy animation: 12 frames of 84 x 84 pixels from "Anima2.bmp" (frame k at
// x = 1 + 85 k) at (x, y) (a negative coordinate: the screen's centre less 41), the next
// frame every 100 ms of the library clock while the library waits or sleeps.
// Run_Busy_Animation draws the next frame at once. Stop puts the screen back at once.
void Start_Busy_Animation(int x, int y);
void Stop_Busy_Animation();
void Run_Busy_Animation();

// A sheet centred on the screen with the title, the bitmap (width x height pixels) and
// an OK button; returns when it is closed.
void Show_Bitmap_Sheet(const char* title, const char* bitmap, int width, int height);

// Progress bars in slots 0 to 5: 16 pixels high, width wide, at (x, y); with framed a
// box around it (the screen behind each framed bar is kept and put back on removal).
// Create returns the slot, -1 when none is free; the value is limited to 0 ... 1.
int Create_Progress_Bar(int x, int y, int width, int framed);
void Set_Progress_Value(int bar, double value);
void Draw_Progress_Bar(int bar);
void Remove_Progress_Bar(int bar);

// The sand clock: 12 frames of 31 x 61 pixels from "animsandclock.bmp" (transparent
// colour (192, 192, 192)) at (x, y); each step that finds the deadline passed draws the
// next frame and sets the deadline 0.05 s ahead (the deadline of Set_Deadline). Stop
// puts the screen back.
void Start_Sand_Clock(int x, int y);
void Step_Sand_Clock();
void Stop_Sand_Clock();

// An exclusive-or rectangle moving from one rectangle to another in steps + 1 stages
// with a pause after each (defaults 10 and 15 ms; a negative step count restores them).
void Set_Zoom_Animation(int steps, int pause_ms);
void Zoom_Rectangle(int x1, int y1, int x2, int y2, int to_x1, int to_y1, int to_x2, int to_y2);
// An exclusive-or rubber band from the fixed corner to the pointer while the left button
// is held; the pointer's last position.
void Drag_Rectangle(int x, int y, int* last_x, int* last_y);

// One saved rectangle: the screen under it kept, then filled in the colour; and back.
void Save_And_Fill_Rectangle(int x1, int y1, int x2, int y2, int colour);
void Restore_Saved_Rectangle();

// Whether (x, y) lies within the tolerance (pixels, default 3) of the segment: 0 outside
// the segment's box widened by the tolerance and for a segment of zero length; else 1
// when the distance from the segment's line is not above the tolerance.
void Set_Hit_Tolerance(int pixels);
int Get_Hit_Tolerance();
int Is_Near_Segment(int x, int y, int x1, int y1, int x2, int y2);

// The button's frame and action state back to normal; redrawn when asked; its tool-tip
// set when one is given.
void Reset_Button(int button, int redraw, const char* comment);

// Shows an image file in the environment's image viewer VANDRILO.EXE (one instance: a
// viewer started before that still runs is brought to the front instead).
void Show_Image(const char* file);

// No colour: a back or text colour of this value leaves the ground or the text out.
constexpr int TITLED_AREA_NO_COLOUR = -10000;

// An area (x1, y1)-(x2, y2) with an optional frame (kind > 0: the sheets' decorated
// frame, the area narrowed by 1 pixel for kinds 1 and 2, by 2 from kind 3), an optional
// ground and an optional text drawn with the alignment (pxBTxt modes), 3 pixels in from
// the left when framed, in the font when font >= 0. Colour, viewport and font are
// restored.
void Draw_Titled_Area(int x1, int y1, int x2, int y2, const char* text, int alignment, int frame_kind, int font,
                      int text_colour, int back_colour);
