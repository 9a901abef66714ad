#pragma once
// The drawing writer's shared state and the graphic blocks of the design report.
//
// Every figure of a report is drawn once and written twice: as records of a graphic
// block ("#SHOWGRAFIC") into the report stream, and, while a drawing file is open, as
// entities of that file. Plot_State holds what both halves share: the two streams, the
// scales and rotation of the open graphic, the orientation of its window, the switches
// of the colour records, the saved group state, the bounding box and the fields of the
// drawing file.
//
// Graphic block grammar (code page 850; texts between the bytes 0xAE and 0xAF):
//   #SHOWGRAFIC
//    0 0 0                 caption flags of lines 1 to 3, then each set line " %s"
//    0 0 0                 caption flags of lines 4 to 6, then each set line " %s"
//   -1
//   x1 x2 y1 y2            window in record units ("%lf"), both x first
//   records ...            one a line, each opening with its record number
//    -1                    end of the block, written by whoever began it
//
// Coordinates: a drawing point (x, y) is turned by the rotation a about the origin,
// x' = x cos a + y sin a, y' = -x sin a + y cos a, and written as x' * x scale and
// y' * y scale (centimetres on the page). Lengths given in record units (text heights,
// dash lengths) are written unchanged. The drawing file receives x' and y' unscaled,
// with y' replaced by mirror sum - y' in y mirror mode 2.
//
// Every record goes through Write_If_Open: a null graphic stream drops the records
// silently, while the drawing-file entities are still written.
//
// Record numbers that the writers of the system put into a graphic block (the
// primitives that write most of them come with the drawing writer):
//    1 line            2 text            3 text along the text angle
//    4 integer         6 number          7 text style      8 integer
//    9 anchored text  10 anchored text along the text angle
//   13 text height    14 text angle (degrees) and 0      16 number
//   18 filled polygon 20 fill index      23 two integers
//   24 filled rectangle                  27 symbol-font glyph
//   30/31 group begin/end                38 dash pattern
//   50 fill colour    51 line colour     52/53 colour section begin/end
//   59/60/61 colour-state brackets       62 colour slot    -1 end
//
// Anchor codes of records 9 and 10: 0xC0 + one row bit (0x20 top, 0x10 middle,
// 0x08 bottom) + one column bit (0x01 left, 0x02 centre, 0x04 right), + 0x100 for text
// turned by 90 degrees.
//
// The state is global, lives for the whole run and serves one graphic and one drawing
// file at a time on the main thread.
#include <cstdint>
#include <cstdio>

// Record numbers of a graphic block, for the writers' templates and the report viewer.
enum Plot_Record : int {
    PLOT_RECORD_LINE = 1,
    PLOT_RECORD_TEXT = 2,
    PLOT_RECORD_TEXT_ANGLED = 3,
    PLOT_RECORD_PEN_CLASS = 4,
    PLOT_RECORD_LINE_WIDTH = 6,
    PLOT_RECORD_TEXT_STYLE = 7,
    PLOT_RECORD_8 = 8,
    PLOT_RECORD_TEXT_ANCHORED = 9,
    PLOT_RECORD_TEXT_ANCHORED_ANGLED = 10,
    PLOT_RECORD_TEXT_HEIGHT = 13,
    PLOT_RECORD_TEXT_ANGLE = 14,
    PLOT_RECORD_16 = 16,
    PLOT_RECORD_POLYGON = 18,
    PLOT_RECORD_FILL_INDEX = 20,
    PLOT_RECORD_23 = 23,
    PLOT_RECORD_RECTANGLE = 24,
    PLOT_RECORD_SYMBOL_GLYPH = 27,
    PLOT_RECORD_GROUP_BEGIN = 30,
    PLOT_RECORD_GROUP_END = 31,
    PLOT_RECORD_DASH = 38,
    PLOT_RECORD_FILL_COLOUR = 50,
    PLOT_RECORD_LINE_COLOUR = 51,
    PLOT_RECORD_COLOUR_SECTION_BEGIN = 52,
    PLOT_RECORD_COLOUR_SECTION_END = 53,
    PLOT_RECORD_COLOUR_STATE_BEGIN = 59,
    PLOT_RECORD_COLOUR_STATE_END = 60,
    PLOT_RECORD_COLOUR_STATE_RESET = 61,
    PLOT_RECORD_COLOUR_SLOT = 62,
    PLOT_RECORD_IMAGE = 75,
    PLOT_RECORD_END = -1,
};

// Anchor bits of records 9 and 10.
constexpr int PLOT_ANCHOR_BASE = 0xC0;
constexpr int PLOT_ANCHOR_ROW_TOP = 0x20;
constexpr int PLOT_ANCHOR_ROW_MIDDLE = 0x10;
constexpr int PLOT_ANCHOR_ROW_BOTTOM = 0x08;
constexpr int PLOT_ANCHOR_COLUMN_LEFT = 0x01;
constexpr int PLOT_ANCHOR_COLUMN_CENTRE = 0x02;
constexpr int PLOT_ANCHOR_COLUMN_RIGHT = 0x04;
constexpr int PLOT_ANCHOR_UPRIGHT = 0x100;
constexpr int PLOT_ANCHOR_CENTRED = 0xD2;  // 210: middle row, centre column

// Degrees per radian, as the angle records write it.
constexpr double PLOT_DEGREES_PER_RADIAN = 57.29577951308232;

// The report format level the writers target (headings as text above 334).
constexpr int32_t PLOT_REPORT_FORMAT_LEVEL = 338;

struct Plot_State {
    FILE* plot_graphic_stream;   // records of the open graphic block; null drops them
    FILE* plot_file_stream;      // the open drawing file, or null
    double x_scale;              // record value = drawing coordinate * scale
    double y_scale;
    double smaller_scale;        // min and max of the two scales
    double larger_scale;
    double small_text_length;    // 0.3 cm on the page in drawing units (0.3 / larger scale)
    double rotation;             // radians: drawing coordinates are turned by it
    double text_angle;           // radians: direction of texts with an angle record
    double orientation_sign;     // +1, or -1 when exactly one window axis runs backwards
    int32_t x_direction;         // 1 when the window's x runs forwards, else 3
    int32_t y_mirror_mode;       // 2 when the window's y1 >= y2, else 0
    int32_t y_backwards;         // 1 unless y2 > y1
    double mirror_sum;           // y1 + y2 of the window
    int32_t dimension_toggle;    // cleared when a graphic begins
    int32_t dimension_options;   // bit word of the dimension drawings
    int32_t dimension_flag;      // initially 1
    int32_t colour_records;      // initially 1: colour sections and colour records written
    int32_t colour_output;       // initially 1: while 0 every fill index is written as 0
    int32_t level_marks;         // initially 1: the level-mark pair draws
    int32_t diagram_switch;      // initially 1
    int32_t report_format_level; // 338
    double lightness_percent;    // colour records scale the HLS lightness by 1 + percent/100
    int32_t last_fill_colour[3]; // red, green, blue as the caller gave them
    int32_t last_line_colour[3];
    int32_t colour_slot;         // slot of the last colour-state sequence
    double line_colour_factor;
    // Saved group state (one slot, filled by Plot_Begin_Group).
    int32_t saved_pen;
    int32_t saved_filling;
    int32_t saved_line_type;
    int32_t saved_font;
    double saved_text_angle;
    double saved_rotation;
    // Remembered graphic stream of Plot_Redirect_Graphic (one slot) and whether it holds
    // one that Plot_Restore_Graphic has yet to put back.
    FILE* remembered_graphic_stream;
    int32_t graphic_redirected;
    // Bounding box in drawing coordinates before rotation; every primitive widens it.
    double bbox_min_x;           // initially +1e100
    double bbox_min_y;
    double bbox_max_x;           // initially -1e100
    double bbox_max_y;
    // Drawing-file fields (set by the drawing file's opener).
    int32_t colour_count;        // 5
    int32_t pen;
    int32_t filling;             // -1 = none
    int32_t line_type;
    int32_t font;
    double drawing_scale;        // paper units per drawing unit
    int32_t next_point_number;
    int32_t next_entity_number;
};

// The one plot state of the run, at its initial values until the first graphic.
extern Plot_State plot_state;

// Caption record of a graphic: six lines of at most 80 characters; a line is set when its
// first character is not 0. Lines are written as they stand (no guillemets), each cut at
// 80 characters when it has no terminator.
constexpr int PLOT_CAPTION_LINES = 6;
constexpr int PLOT_CAPTION_WIDTH = 80;
struct Plot_Captions {
    char line[PLOT_CAPTION_LINES][PLOT_CAPTION_WIDTH];
};

// Begins a graphic block in the report and makes stream the graphic stream (null: the
// records of this graphic are dropped). Window corners in drawing units, angle in
// radians, captions null or six caption lines. Writes the head, "-1" and the window line.
void Plot_Begin_Graphic(FILE* stream, double x1, double y1, double x2, double y2,
                        double x_scale, double y_scale, double angle,
                        const Plot_Captions* captions);
// The same with one scale for both axes.
void Plot_Begin_Graphic_Uniform(FILE* stream, double x1, double y1, double x2, double y2,
                                double scale, double angle, const Plot_Captions* captions);

// Ends the open graphic block: writes " -1" into the graphic stream and clears it, so
// that records drawn afterwards are dropped instead of landing after the block's end.
void Plot_End_Graphic_Block();

// Text angle in radians, stored times the orientation sign and brought below 2 pi by
// whole turns (negative values stay). A non-finite angle is stored as 0.
void Plot_Set_Text_Angle(double radians);
double Plot_Get_Text_Angle();

// Groups: " 30" (and " 52" while colour records are on) / " 31" (and " 53"). The group
// saves the text angle and the rotation, and while a drawing file is open the pen,
// filling, line type and font; its end restores them. One slot: an inner group
// overwrites what the outer one saved.
void Plot_Begin_Group();
void Plot_End_Group();

void Plot_Set_Colour_Sections(int flag);
int Plot_Get_Colour_Sections();
void Plot_Set_Colour_Output(int flag);
int Plot_Get_Report_Format_Level();
void Plot_Set_Report_Format_Level(int level);
void Plot_Set_Dimension_Options(int bits);
void Plot_Set_Dimension_Flag();
void Plot_Clear_Dimension_Flag();
void Plot_Set_Level_Marks(int flag);

// Bounding box: reset to min +1e100 and max -1e100; each pointer may be null.
void Plot_Reset_Bounding_Box();
void Plot_Get_Bounding_Box(double* xmin, double* ymin, double* xmax, double* ymax);

// Widens the bounding box by the point (drawing coordinates before rotation).
void Plot_Widen_Bounding_Box(double x, double y);

// Turns a drawing point in place by the graphic's rotation (no scaling): the coordinates
// the drawing file receives before the y mirror.
void Plot_Turn_Point(double* x, double* y);

// A drawing point in record units (turned by the rotation, scaled); either out pointer
// may be null.
void Plot_Point_To_Record(double x, double y, double* rx, double* ry);
// A length given in record units, in drawing units along x and along y (divided by the
// x and the y scale); either out pointer may be null.
void Plot_To_Record_Units(double length, double* in_x, double* in_y);

// Makes another stream the graphic stream, remembering the current one (one slot, no
// nesting); Plot_Restore_Graphic puts it back. A restore without a redirect before it
// leaves the graphic stream alone.
void Plot_Redirect_Graphic(FILE* stream);
void Plot_Restore_Graphic();

// The first index i (0 <= i < n) of the scale list (1 : scales[i]) at which a figure of
// extent a by b fits a space of c by d: min(a / c, b / d) > 1 / scales[i]. When none fits,
// shows "Benötigter Maßstab für Darstellung in der Druckliste zu klein!" through the
// message sink (mode 0) and returns -1.
int Plot_Choose_Scale_Index(double a, double b, double c, double d, int n, const double scales[]);

// The colour (red, green, blue 0 to 255) with its HLS lightness scaled by
// (1 + percent / 100); percent 0 gives the colour back. Each result is kept within 0 to
// 255. Any out pointer may be null.
void Plot_Lighten_RGB(int red, int green, int blue, double percent, int* red_out,
                      int* green_out, int* blue_out);

// Fill colour record "50 %d %d %d" with the colour lightened by the state's lightness
// percent, written only while colour records are on; the colour is remembered as the
// last fill colour in any case.
void Plot_Set_Fill_Colour_RGB(int red, int green, int blue);
