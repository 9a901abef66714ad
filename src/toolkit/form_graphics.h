#pragma once
// The graphic side of the form layer: image cells, image radio buttons and check boxes,
// import and browse buttons, text buttons that change their look under the pointer, tool
// tips for the last widget, a world coordinate system drawn as scroll-area items (lines,
// boxes, circles, arcs, discs, filled polygons, dimension lines), framed and underlined
// labels, and rows of factors with symbol heads and a legend.
//
// Hover cells, text buttons, framed buttons and tips are added only while the hover
// callback is installed (a form dialog with a hover area is running).

// ---- Image cells and buttons (valign 2: y at the bottom, 4: middle, else top; halign 1:
// x at the right, 4: centre, else left) -----------------------------------------------------

void Form_Add_Image_Cell(int area, int x, int y, int height, int width, int valign, int halign, const char* image,
                         const char* inactive_image, int key_colour, int value, int* target, int editable);
int Form_Add_Image_Radio(int area, int x, int y, int value, int* target, const char* selected,
                         const char* unselected, const char* selected_inactive, const char* unselected_inactive,
                         int* editable);
void Form_Add_Image_Check(int area, int x, int y, int* value, const char* on, const char* off,
                          const char* on_inactive, const char* off_inactive, int* editable);
void Form_Add_Hover_Cell(int area, int x, int y, int height, int width, int valign, int halign, const char* image,
                         const char* inactive_image, const char* hover_image, const char* inactive_hover_image,
                         int key_colour, int value, int* target, int editable);

// Bitmap buttons of the current form area; each returns the width it took.
int Form_Add_Clear_Button(int x, int y, const char* tip, int value, int* target, int* editable);
int Form_Add_Component_Import_Button(int x, int y, const char* text, int value, int* target, int* editable);
int Form_Add_File_Import_Button(int x, int y, const char* text, int value, int* target, int* editable);
int Form_Add_Browse_Button(int x, int y, int value, int* target, int* editable);

// Buttons 18 pixels high and w wide with a centred text.
void Form_Add_Text_Button(int area, int x, int y, int w, int valign, int halign, const char* text, int value,
                          int* target, int editable);
void Form_Add_Framed_Button(int area, int x, int y, int w, int valign, int halign, int text_colour,
                            int frame_colour, int unused, const char* text, int value, int* target, int editable);

// A tool tip over the last widget (lines split at newlines, at most 5; placement 0 above
// the widget, else below; alignment 3: the box ends at the widget's centre).
void Form_Add_Tip(const char* text, int placement, int alignment);

// ---- World drawing -----------------------------------------------------------------------

void Form_Set_World(double x0, double y0, double angle, double scale);
double Form_Get_World_Scale();
// 0: world lines (and rectangles, circles, arcs, underlines) are left out.
void Form_Set_World_Lines(int on);
void Form_World_To_Area(double* x, double* y);
void Form_Area_To_World(double* x, double* y);
double Form_World_Distance(double x1, double y1, double x2, double y2);
void Form_World_Line(double x1, double y1, double x2, double y2);
void Form_World_Rect(double x1, double y1, double x2, double y2);
void Form_World_Box(double x1, double y1, double x2, double y2);
void Form_World_Polyline(int n, const double x[], const double y[]);
void Form_World_Circle(double xc, double yc, double r);
void Form_World_Arc(double xc, double yc, double r, double a1, double a2);
void Form_World_Disc(double xc, double yc, double r);
// Filled in the ground colour; each polygon keeps its own outline.
void Form_World_Polygon(int n, const double x[], const double y[]);
// mode 0: measured along x, 1: along y, other: along the segment; offset in world units.
void Form_World_Dimension(int mode, double x1, double y1, double x2, double y2, double offset);

int Form_Label_Underlined(int x, int y, const char* text, int* editable);
int Form_Label_Boxed(int x, int y, const char* text, int* editable);
int Form_Label_Boxed_Shadow(int x, int y, const char* text, int* editable);

// ---- Factor rows ---------------------------------------------------------------------------

struct Factor_Entry {
    char name[101];
    char symbol[51];
    char subscript[11];
    char value_text[21];
    int x;
    int decimals;
    int width;
    int gap;
};

struct Factor_Row {
    int unused_a;
    int left;
    int unused_b;
    int switch_a, switch_b;
    int unused_c, unused_d;
    int count;
    Factor_Entry* entries;
    int min_width;  // -1: none
};

void Factor_Row_Init(Factor_Row* row, int n);
void Factor_Row_Init_Into(Factor_Row* row, int n, Factor_Entry** entries);
void Factor_Row_Free(Factor_Row* row);
int Factor_Row_Width(const Factor_Row* row);
void Factor_Row_Add(Factor_Row* row, const char* name, const char* symbol, const char* subscript,
                    const char* value_text, int decimals, int width, int gap);
void Form_Draw_Factor_Heads(int x, int y, int n, const Factor_Entry* entries);
void Form_Draw_Factor_Row(int x, int y, const Factor_Row* row);
void Form_Draw_Factor_Legend(int x, int y, int n, const Factor_Entry* entries);
