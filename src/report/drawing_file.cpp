#include "report/drawing_file.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <string>

#include "base/point_arrays.h"
#include "base/utilities.h"
#include "platform/atomic_file.h"
#include "report/plot_state.h"
#include "report/string_format.h"

namespace {

FILE* File() { return plot_state.plot_file_stream; }

// The title as one line of plain text: a CR or LF in it would break the header's line
// structure.
std::string Title_Line(const char* title) { return Blank_Control_Bytes(title ? title : ""); }

void Write_Head(FILE* stream, const char* title, double width, double height)
{
    std::fprintf(stream, PLOT_FILE_MAGIC "\n%s\n%lf %lf\n0\n\n", Title_Line(title).c_str(),
                 width, height);
    std::fputs("*TABLES\n", stream);
}

// Seven pens of colour c: widths 0.18 to 1.0 and a hairline.
void Write_Pens_Of_Colour(FILE* stream, int c)
{
    const int p = 7 * c;
    std::fprintf(stream,
                 " %d  0.180000 %d\n %d  0.200000 %d\n %d  0.350000 %d\n %d  0.500000 %d\n"
                 " %d  0.750000 %d\n %d  1.000000 %d\n %d  0.020000 %d\n",
                 p, c, p + 1, c, p + 2, c, p + 3, c, p + 4, c, p + 5, c, p + 6, c);
}

struct Font_Row {
    const char* size;  // as the name shows it
    int flag;
    double height;
};
constexpr Font_Row kFontRows[PLOT_FILE_FONTS / 2] = {
    {"0.18", 0, 1.8}, {"0.20", 0, 2.0}, {"0.35", 1, 3.5},
    {"0.50", 0, 5.0}, {"0.70", 1, 7.0}, {"1.0 ", 1, 10.0},
};

// The font table: each size upright and italic. The grey variant sets its numbers and
// heights in columns and names the last font "1.00".
void Write_Fonts(FILE* stream, bool grey)
{
    std::fputs("-fonts 12\n", stream);
    for (int f = 0; f < PLOT_FILE_FONTS; ++f) {
        const Font_Row& row = kFontRows[f / 2];
        const bool italic = f % 2 != 0;
        const char* const style = italic ? "kursiv" : "normal";
        const double slant = italic ? 15.0 : 0.0;
        if (grey) {
            const char* size = f == PLOT_FILE_FONTS - 1 ? "1.00" : row.size;
            std::fprintf(stream, "%3d \xAE %s  %s  \xAF 0 %d %9lf 0.700000 3.000000 %lf 1\n", f,
                         size, style, row.flag, row.height, slant);
        } else {
            std::fprintf(stream, " %d \xAE %s  %s  \xAF 0 %d %lf 0.700000 3.000000 %lf 1\n", f,
                         row.size, style, row.flag, row.height, slant);
        }
    }
}

// The coordinate system, the layers and the end of the tables (both variants).
void Write_Tail(FILE* stream, double xmin, double ymin, double scale)
{
    const double factor = 100.0 / scale;
    std::fprintf(stream, "-coordinates 1\n");
    std::fprintf(stream, " 0 \xAE" "1:%.0lf\xAF %.0lf 0 %lf %lf 0 0.0 0.0 0 0.0 0.0\n", factor,
                 factor, -xmin * scale, -ymin * scale);
    std::fputs("-layers 5\n"
               " 0 \xAE" "Folie 1\xAF 1 1 \xAESchnitt\xAF\n"
               " 1 \xAE" "Folie 2\xAF 1 1 \xAE" "Bewehrung\xAF\n"
               " 2 \xAE" "Folie 3\xAF 1 1 \xAEVerma\xE1ung\xAF\n"
               " 3 \xAE" "Folie 4\xAF 1 1 \xAESchraffur\xAF\n"
               " 4 \xAE" "Folie 5\xAF 1 1 \xAETexte\xAF\n",
               stream);
    std::fputs("*EOT\n\n", stream);
}

void Restart_Numbers()
{
    plot_state.next_point_number = 1;
    plot_state.next_entity_number = 1;
}

// The file behind the drawing file's stream when it was opened by name; it closes that
// stream itself when it takes the old file's place.
std::unique_ptr<Atomic_File> named_file;

// While keep_named is set, a drawing opened by name is finished on close but not put in
// place: it waits here for the file it belongs to.
bool keep_named = false;
std::unique_ptr<Atomic_File> kept_drawing;

// Writes the trailer of the open drawing file and closes it (the one close of its
// stream). False when a write or the close failed.
bool Finish_Open_File()
{
    FILE* stream = plot_state.plot_file_stream;
    if (stream == nullptr) return true;
    plot_state.plot_file_stream = nullptr;
    std::fputs("*EOI\n\n", stream);
    if (named_file && named_file->Stream() == stream) {
        std::unique_ptr<Atomic_File> file = std::move(named_file);
        if (!keep_named) return file->Commit();
        const bool whole = file->Finish();
        kept_drawing = std::move(file);
        return whole;
    }
    bool ok = std::ferror(stream) == 0;
    if (std::fclose(stream) != 0) ok = false;
    return ok;
}

}  // namespace

void Plot_Write_Header_Colour(FILE* stream, const char* title, double xmin, double ymin,
                              double xmax, double ymax, double scale)
{
    if (stream == nullptr) return;
    const int colours = plot_state.colour_count;
    Write_Head(stream, title, (xmax - xmin) * scale, (ymax - ymin) * scale);

    std::fprintf(stream,
                 "-colors %d\n 1  0 0 194\n 2  255 0 0\n 3  68 255 0\n 4  255 101 255\n"
                 " 5  255 255 0\n",
                 colours);
    for (int k = 6, grey = 20; k <= colours; ++k, grey += 20)
        std::fprintf(stream, "%d  %d %d %d\n", k, grey, grey, grey);

    std::fprintf(stream, "-pens %d\n", (colours + 1) * 7);
    for (int c = 0; c <= colours; ++c) Write_Pens_Of_Colour(stream, c);

    std::fputs("-linetypes 4\n 0 0 1\n 1 1 0 2.0 1.0\n 2 2 0 3.0 1.0 1.0 1.0\n 3 1 0 1.0 2.0\n",
               stream);

    Write_Fonts(stream, false);

    std::fprintf(stream, "-fillings %d\n", colours * 3 + 3);
    for (int c = 0; c <= colours; ++c) {
        std::fprintf(stream, " %d -45.000000 1   0 1.000000 %d 0\n", 3 * c, 7 * c + 6);
        std::fprintf(stream, " %d 45.000000 2   0 1.000000 %d 0    1 1.000000 %d 1 \n",
                     3 * c + 1, 7 * c + 6, 7 * c + 6);
        std::fprintf(stream, " %d 0.000000 1   0 0.010000 %d 0\n", 3 * c + 2, 7 * c);
    }

    Write_Tail(stream, xmin, ymin, scale);
    Restart_Numbers();
}

void Plot_Write_Header_Grey(FILE* stream, const char* title, double xmin, double ymin,
                            double xmax, double ymax, double scale)
{
    if (stream == nullptr) return;
    plot_state.colour_count = PLOT_FILE_COLOUR_COUNT;
    const int colours = PLOT_FILE_COLOUR_COUNT;
    Write_Head(stream, title, (xmax - xmin) * scale, (ymax - ymin) * scale);

    std::fputs("-colors 5\n 1 100 100 100\n 2 133 133 133\n 3 165 165 165\n"
               " 4  198 198 198\n 5  230 230 230\n",
               stream);

    std::fprintf(stream, "-pens %d\n", (colours + 1) * 7 + 1);
    for (int c = 0; c <= colours; ++c) Write_Pens_Of_Colour(stream, c);
    std::fprintf(stream, " %d  0.0001 %d\n\n", (colours + 1) * 7, colours);

    std::fputs("-linetypes 5\n0 0 1\n1 1 0 2.0 1.0\n2 2 0 3.0 1.0 0.5 1.0\n3 1 0 1.0 2.0\n"
               "4 1 0 0.1 20.0\n",
               stream);

    Write_Fonts(stream, true);

    std::fprintf(stream, "-fillings %d\n", colours + 3);
    for (int c = 0; c <= colours; ++c)
        std::fprintf(stream, " %d 00.0 1 0 0.20000 %d 0\n", c, 7 * c + 2);
    std::fprintf(stream, " %d 0.000000 1   0 1.000000 1 0\n", colours + 1);
    std::fprintf(stream, " %d 0.000000 1   0 10000.000000 1 4\n", colours + 2);

    Write_Tail(stream, xmin, ymin, scale);
    Restart_Numbers();
}

void Plot_Open_Drawing_File_With(FILE* stream, double x1, double y1, double x2, double y2,
                                 double scale, double angle, const char* title,
                                 Plot_Header_Writer header)
{
    Plot_State& s = plot_state;
    if (s.plot_file_stream != nullptr && s.plot_file_stream == stream) {
        // The same stream again: end the drawing in it, but keep the stream the caller
        // is about to write the next one into.
        std::fputs("*EOI\n\n", stream);
        s.plot_file_stream = nullptr;
    }
    Finish_Open_File();
    s.plot_file_stream = stream;
    s.drawing_scale = scale;
    if (stream == nullptr) return;

    double cx[4] = {x1, x2, x1, x2};
    double cy[4] = {y1, y1, y2, y2};
    Transform_Points(cx, cy, 4, 0.0, 0.0, angle, 1.0);
    const double xmin = *std::min_element(cx, cx + 4), xmax = *std::max_element(cx, cx + 4);
    const double ymin = *std::min_element(cy, cy + 4), ymax = *std::max_element(cy, cy + 4);

    (header ? header : Plot_Write_Header_Colour)(stream, title, xmin, ymin, xmax, ymax, scale);
    std::fputs("*ENTITIES\n", stream);
    std::fputs("-setcoorsys 0\n", stream);
    std::fprintf(stream, "-setlayer %d\n", 0);

    // Filling 0 is the first hatch, not "no filling": areas drawn before the caller
    // chooses a filling are hatched.
    s.pen = 0;
    s.filling = 0;
    s.line_type = 0;
    s.font = 0;
}

namespace {

// The openers with a title format: the title is formatted, then opened with the header.
void Open_With_Formatted_Title(FILE* stream, double x1, double y1, double x2, double y2,
                               double scale, double angle, Plot_Header_Writer header,
                               const char* title_format, va_list args)
{
    const std::string title = Format_String_Cut(PLOT_FILE_TITLE_MAX, title_format, args);
    Plot_Open_Drawing_File_With(stream, x1, y1, x2, y2, scale, angle, title.c_str(), header);
}

}  // namespace

void Plot_Open_Drawing_File(FILE* stream, double x1, double y1, double x2, double y2,
                            double scale, double angle, const char* title_format, ...)
{
    va_list args;
    va_start(args, title_format);
    Open_With_Formatted_Title(stream, x1, y1, x2, y2, scale, angle, Plot_Write_Header_Colour,
                              title_format, args);
    va_end(args);
}

void Plot_Open_Drawing_File_Grey(FILE* stream, double x1, double y1, double x2, double y2,
                                 double scale, double angle, const char* title_format, ...)
{
    va_list args;
    va_start(args, title_format);
    Open_With_Formatted_Title(stream, x1, y1, x2, y2, scale, angle, Plot_Write_Header_Grey,
                              title_format, args);
    va_end(args);
}

bool Plot_Open_Drawing_File_Named(const char* path, double x1, double y1, double x2, double y2,
                                  double scale, double angle, const char* title_format, ...)
{
    if (path == nullptr) return false;
    auto file = std::make_unique<Atomic_File>(path);
    FILE* stream = file->Stream();
    if (stream == nullptr) {
        // Kept with its error: the file it belongs to must not be put in place alone.
        if (keep_named) kept_drawing = std::move(file);
        return false;
    }
    // A drawing file still open is finished before this one takes the slot.
    Finish_Open_File();
    named_file = std::move(file);
    va_list args;
    va_start(args, title_format);
    Open_With_Formatted_Title(stream, x1, y1, x2, y2, scale, angle, Plot_Write_Header_Colour,
                              title_format, args);
    va_end(args);
    return true;
}

bool Plot_Close_Drawing_File() { return Finish_Open_File(); }

void Plot_Keep_Named_Drawings(bool keep) { keep_named = keep; }

std::unique_ptr<Atomic_File> Plot_Take_Kept_Drawing() { return std::move(kept_drawing); }

void Plot_Set_Pen(int n)
{
    const int last = (plot_state.colour_count + 1) * 7 - 1;
    plot_state.pen = n < 0 ? 0 : std::min(n, last);
}

void Plot_Set_Filling(int n)
{
    const int last = plot_state.colour_count * 3 + 2;
    plot_state.filling = n < 0 ? -1 : std::min(n, last);
}

void Plot_Set_Line_Type(int n) { plot_state.line_type = std::clamp(n, 0, PLOT_FILE_LINE_TYPES - 1); }

void Plot_Set_Font(int n) { plot_state.font = std::clamp(n, 0, PLOT_FILE_FONTS - 1); }

void Plot_Set_Layer(int n)
{
    Write_If_Open(File(), "-setlayer %d\n", std::clamp(n, 0, PLOT_FILE_LAYERS - 1));
}

double Plot_File_Y(double y)
{
    return plot_state.y_mirror_mode == 2 ? plot_state.mirror_sum - y : y;
}

void Plot_File_Line(double x1, double y1, double x2, double y2)
{
    Plot_State& s = plot_state;
    if (s.plot_file_stream == nullptr) return;
    const int e = s.next_entity_number, p = s.next_point_number;
    std::fprintf(s.plot_file_stream, "-line @%d ( @%d %lf %lf ) #%d %d %d 1 0.0\n", e, p, x1,
                 Plot_File_Y(y1), p + 1, s.pen, s.line_type);
    std::fprintf(s.plot_file_stream, "-point @%d %lf %lf\n", p + 1, x2, Plot_File_Y(y2));
    s.next_entity_number = e + 1;
    s.next_point_number = p + 2;
}

void Plot_File_Contour_Rows(int n, const double x[], const double y[])
{
    Plot_State& s = plot_state;
    if (s.plot_file_stream == nullptr) return;
    const int first = s.next_point_number;
    for (int i = 0; i < n; ++i) {
        const int p = s.next_point_number;
        std::fprintf(s.plot_file_stream, " 0 ( @%d ( @%d %lf %lf ) #%d %d 0 1 0.0 )\n",
                     s.next_entity_number, p, x[i], Plot_File_Y(y[i]), i < n - 1 ? p + 1 : first,
                     s.pen);
        s.next_entity_number += 1;
        s.next_point_number += 1;
    }
}

void Plot_File_Area(int n, const double x[], const double y[])
{
    Plot_State& s = plot_state;
    if (s.plot_file_stream == nullptr || s.filling < 0 || n < 1) return;
    std::fprintf(s.plot_file_stream, "-area / 0 %d\n %d", s.filling, n);
    Plot_File_Contour_Rows(n, x, y);
}

void Plot_File_Text(double x, double y, int keypad, Plot_File_Text_Angle_Form form,
                    double angle_degrees, const char* text)
{
    Plot_State& s = plot_state;
    if (s.plot_file_stream == nullptr) return;
    FILE* f = s.plot_file_stream;
    if (text == nullptr) text = "";
    const int length = static_cast<int>(std::strlen(text)) + 1;
    switch (form) {
    case PLOT_FILE_TEXT_ANGLE:
        std::fprintf(f, "-text / 1 %d %d 2 1 %d %lf %lf %lf 1.2 0. 0.\n", length, s.font, keypad,
                     x, Plot_File_Y(y), angle_degrees);
        break;
    case PLOT_FILE_TEXT_FLAT:
        std::fprintf(f, "-text / 1 %d %d 2 1 %d %lf %lf 0. 1.2 0. 0.\n", length, s.font, keypad,
                     x, Plot_File_Y(y));
        break;
    case PLOT_FILE_TEXT_UPRIGHT:
        std::fprintf(f, "-text / 1 %d %d 2 1 %d %lf %lf 90. 1.2 0. 0.\n", length, s.font,
                     keypad, x, Plot_File_Y(y));
        break;
    }
    std::fprintf(f, "    \xAE%s\xAF\n", text);
}

void Plot_File_Open_Group() { Write_If_Open(File(), "-opengroup\n"); }
void Plot_File_Close_Group() { Write_If_Open(File(), "-closegroup\n"); }
