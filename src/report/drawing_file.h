#pragma once
// The drawing file: the same figure as the report graphic, written as entities of the
// plan tool's drawing format ("*.SPF").
//
// Layout of the file (text in code page 850, every line ends with LF, text fields between
// the bytes 0xAE and 0xAF):
//   kvem-Kestrova (1.0)A
//   <title>
//   <paper width> <paper height>        window extent times the drawing scale
//   0
//   <empty line>
//   *TABLES
//   -colors, -pens, -linetypes, -fonts, -fillings, -coordinates, -layers
//   *EOT
//   <empty line>
//   *ENTITIES
//   -setcoorsys 0
//   -setlayer 0
//   entities ...                          lines, areas, texts, groups, layer changes
//   *EOI
//   <empty line>
//
// Entity coordinates are drawing coordinates turned by the graphic's rotation, not
// scaled, and in y mirror mode 2 with y replaced by mirror sum - y. Every entity takes the
// next entity number, every point the next point number; both restart at 1 with each
// header. Entities are written only while a drawing file is open (plot_file_stream), areas
// only while the current filling is 0 or more.
//
// One drawing file at a time. The file owns its stream from the opener on:
// Plot_Close_Drawing_File closes it, and the caller must not close it again. A drawing
// file opened by name replaces the file on the disk only when it was written whole; until
// then (and after a failed write) the file there stays as it was.
#include <cstdio>
#include <memory>

#include "platform/atomic_file.h"

// The first line of every drawing file (what a reader recognises the format by).
#define PLOT_FILE_MAGIC "kvem-Kestrova (1.0)A"

// Table sizes of the colour header.
constexpr int PLOT_FILE_COLOUR_COUNT = 5;
constexpr int PLOT_FILE_LINE_TYPES = 4;
constexpr int PLOT_FILE_FONTS = 12;
constexpr int PLOT_FILE_LAYERS = 5;

// Formatted titles are cut at this many characters.
constexpr int PLOT_FILE_TITLE_MAX = 254;

// Writes the header (head lines and every table up to and including "*EOT" and its empty
// line) for the window xmin..xmax by ymin..ymax (turned drawing coordinates) at the given
// scale (paper units per drawing unit), and restarts the point and entity numbers at 1.
typedef void (*Plot_Header_Writer)(FILE* stream, const char* title, double xmin, double ymin,
                                   double xmax, double ymax, double scale);

// Colour variant: colours 1 to colour count (blue, red, green, magenta, yellow, then greys),
// 7 pens per colour 0 .. colour count, 4 line types, 12 fonts, 3 fillings per colour,
// the coordinate system "1:<100/scale>" and the five layers.
void Plot_Write_Header_Colour(FILE* stream, const char* title, double xmin, double ymin,
                              double xmax, double ymax, double scale);
// Grey variant: sets the colour count to 5; five greys, 43 pens, 5 line types and 8
// fillings.
void Plot_Write_Header_Grey(FILE* stream, const char* title, double xmin, double ymin,
                            double xmax, double ymax, double scale);

// Makes stream the drawing file and writes everything up to the layer change to layer 0:
// the window (x1, y1)-(x2, y2) in drawing units is turned by angle (radians) only to size
// the paper; the title is formatted (cut at 254 characters). Afterwards the current pen,
// filling, line type and font are 0. A null stream only clears the drawing file and stores
// the scale. A drawing file still open is finished first ("*EOI" and closed).
void Plot_Open_Drawing_File(FILE* stream, double x1, double y1, double x2, double y2,
                            double scale, double angle, const char* title_format, ...)
    __attribute__((format(printf, 8, 9)));
// The same with the grey header.
void Plot_Open_Drawing_File_Grey(FILE* stream, double x1, double y1, double x2, double y2,
                                 double scale, double angle, const char* title_format, ...)
    __attribute__((format(printf, 8, 9)));
// The same with a ready title and the header writer given (colour or grey).
void Plot_Open_Drawing_File_With(FILE* stream, double x1, double y1, double x2, double y2,
                                 double scale, double angle, const char* title,
                                 Plot_Header_Writer header);

// Opens the file of that name (mapped as Fopen_Mapped maps it) for a new drawing and
// makes it the drawing file as Plot_Open_Drawing_File does. The new content goes into a
// temporary file beside it, which takes the file's place when the drawing file is closed
// and every write succeeded. False when it cannot be opened: nothing changes then (a
// drawing file still open stays open).
bool Plot_Open_Drawing_File_Named(const char* path, double x1, double y1, double x2, double y2,
                                  double scale, double angle, const char* title_format, ...)
    __attribute__((format(printf, 8, 9)));

// When a drawing file is open: writes "*EOI" and an empty line, closes the stream and
// clears plot_file_stream; for a file opened by name, the new drawing then takes the old
// file's place. The stream must not be closed again. False when a write or the close
// failed (a file opened by name is then left as it was before), true otherwise, and when
// no drawing file was open.
bool Plot_Close_Drawing_File();

// While set, a drawing file opened by name is not put in place when it is closed: it is
// finished (written whole, or failed with the errno of the step that failed) and kept,
// and so is one that could not be opened at all, until Plot_Take_Kept_Drawing. The
// caller then puts it in place together with the file it belongs to (the report, with
// Commit_Together), or drops it. A later drawing opened by name replaces the kept one.
void Plot_Keep_Named_Drawings(bool keep);
// The drawing kept since; null when none was opened by name.
std::unique_ptr<Atomic_File> Plot_Take_Kept_Drawing();

// Current pen: negative gives 0, at most (colour count + 1) * 7 - 1.
void Plot_Set_Pen(int n);
// Current filling: negative gives -1 (no filling), at most colour count * 3 + 2.
void Plot_Set_Filling(int n);
// Current line type, clamped to 0 .. 3.
void Plot_Set_Line_Type(int n);
// Current font, clamped to 0 .. 11.
void Plot_Set_Font(int n);
// Writes the layer change "-setlayer %d" with n clamped to 0 .. 4 into the drawing file.
void Plot_Set_Layer(int n);

// ---------------------------------------------------------------------------------
// Entity writers shared by the primitives and the composite drawings. Points are given
// turned by the rotation and unscaled (as the primitives have them); the writers mirror y
// in mode 2 themselves. Each does nothing while no drawing file is open.

// The drawing-file y of a turned y: mirror sum - y in y mirror mode 2, else y.
double Plot_File_Y(double y);

// Line entity "-line @E ( @P x1 y1 ) #P+1 pen linetype 1 0.0" and "-point @P+1 x2 y2";
// E grows by 1, P by 2. Written whatever the filling.
void Plot_File_Line(double x1, double y1, double x2, double y2);

// Area of n straight edges with the current filling (nothing while it is -1 or n < 1):
// "-area / 0 <filling>\n <n>" and n contour rows, the last referring back to the first
// point; E and P grow by 1 a row.
void Plot_File_Area(int n, const double x[], const double y[]);

// The contour rows of one closed polygon of n points (no area head): " 0 ( @E ( @P x y )
// #P+1 pen 0 1 0.0 )", the last row referring back to the first point; E and P grow by 1
// a row. For the areas of several contours, after their head.
void Plot_File_Contour_Rows(int n, const double x[], const double y[]);

// Anchor angle forms of the text entity.
enum Plot_File_Text_Angle_Form {
    PLOT_FILE_TEXT_ANGLE,    // the given angle in degrees ("%lf")
    PLOT_FILE_TEXT_FLAT,     // "0."
    PLOT_FILE_TEXT_UPRIGHT,  // "90."
};
// Text entity "-text / 1 <length+1> <font> 2 1 <anchor> x y <angle> 1.2 0. 0." and the
// text line "    «text»". The text is written as given (callers clean it).
void Plot_File_Text(double x, double y, int keypad, Plot_File_Text_Angle_Form form,
                    double angle_degrees, const char* text);

// Group brackets "-opengroup" and "-closegroup".
void Plot_File_Open_Group();
void Plot_File_Close_Group();
