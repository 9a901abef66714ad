#include "viewer/cairo_output.h"

#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/error_text.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>

namespace {

constexpr double POINTS_PER_CM = 72.0 / 2.54;
constexpr double PI = 3.14159265358979323846;

cairo_status_t Write_To_File(void* closure, const unsigned char* data, unsigned int length)
{
    auto* stream = static_cast<FILE*>(closure);
    return std::fwrite(data, 1, length, stream) == length ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

// Memory that ran out is no fault of the file being written: it goes up as such, so that
// it is not said to be a file that cannot be written.
cairo_status_t Unless_Out_Of_Memory(cairo_status_t status)
{
    if (status == CAIRO_STATUS_NO_MEMORY) throw std::bad_alloc();
    return status;
}

void Set_Colour(cairo_t* cr, const Rgb& c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void Contours_Path(cairo_t* cr, const Page_Fill& fill)
{
    cairo_new_path(cr);
    for (const std::vector<Page_Point>& contour : fill.contours) {
        if (contour.empty()) continue;
        cairo_move_to(cr, contour[0].x, contour[0].y);
        for (size_t k = 1; k < contour.size(); ++k) cairo_line_to(cr, contour[k].x, contour[k].y);
        cairo_close_path(cr);
    }
}

// Parallel lines at the angle across the clip's extents.
void Hatch(cairo_t* cr, double angle_deg, double spacing)
{
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
    const double reach = std::hypot(x2 - x1, y2 - y1) / 2.0 + spacing;
    const double count = std::ceil(reach / spacing);
    if (!(count <= 20000.0)) return;  // absurd spacing for the area: leave the hatch out
    const int lines = static_cast<int>(count);
    const double a = -angle_deg * PI / 180.0;
    const double ux = std::cos(a), uy = std::sin(a), nx = -uy, ny = ux;
    for (int k = -lines; k <= lines; ++k) {
        const double ox = cx + nx * k * spacing, oy = cy + ny * k * spacing;
        cairo_move_to(cr, ox - ux * reach, oy - uy * reach);
        cairo_line_to(cr, ox + ux * reach, oy + uy * reach);
    }
    cairo_stroke(cr);
}

void Draw_Item(cairo_t* cr, const Page_Text& t)
{
    if (t.utf8.empty() || !(t.size > 0.0)) return;
    cairo_font_face_t* face = Cairo_Face(t.face);
    if (!face) return;
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, t.size);
    Set_Colour(cr, t.colour);
    if (t.angle == 0.0) {
        cairo_move_to(cr, t.x, t.y);
        cairo_show_text(cr, t.utf8.c_str());
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, t.x, t.y);
    cairo_rotate(cr, -t.angle * PI / 180.0);
    cairo_move_to(cr, 0.0, 0.0);
    cairo_show_text(cr, t.utf8.c_str());
    cairo_restore(cr);
}

void Set_Pen(cairo_t* cr, double width, const Rgb& colour, const std::vector<double>& dashes)
{
    Set_Colour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_dash(cr, dashes.empty() ? nullptr : dashes.data(), static_cast<int>(dashes.size()), 0.0);
}

void Draw_Item(cairo_t* cr, const Page_Line& l)
{
    Set_Pen(cr, l.width, l.colour, l.dashes);
    cairo_move_to(cr, l.x1, l.y1);
    cairo_line_to(cr, l.x2, l.y2);
    cairo_stroke(cr);
}

void Draw_Item(cairo_t* cr, const Page_Line_Run& run)
{
    Set_Pen(cr, run.width, run.colour, run.dashes);
    cairo_new_path(cr);
    for (size_t k = 0; k + 1 < run.ends.size(); k += 2) {
        cairo_move_to(cr, run.ends[k].x, run.ends[k].y);
        cairo_line_to(cr, run.ends[k + 1].x, run.ends[k + 1].y);
    }
    cairo_stroke(cr);
}

void Draw_Item(cairo_t* cr, const Page_Fill& f)
{
    Contours_Path(cr, f);
    Set_Colour(cr, f.colour);
    if (f.kind == Fill_Kind::Solid) {
        cairo_fill(cr);
        return;
    }
    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, f.hatch_width);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    if (f.hatch_spacing > 0.0) {
        Hatch(cr, f.hatch_angle, f.hatch_spacing);
        if (f.kind == Fill_Kind::Cross) Hatch(cr, f.hatch_angle + 90.0, f.hatch_spacing);
    }
    cairo_restore(cr);
}

void Draw_Page(cairo_t* cr, const Page& page)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    for (const Page_Item& item : page.items) std::visit([cr](const auto& i) { Draw_Item(cr, i); }, item);
}

std::string Outline_Link(const Outline_Entry& e)
{
    char link[80];
    std::snprintf(link, sizeof link, "page=%d pos=[0 %.2f]", e.page + 1, e.y * POINTS_PER_CM);
    return link;
}

} // namespace

Pdf_Pages::Pdf_Pages(FILE* stream, const std::string& title) : stream_(stream)
{
    if (!stream) return;
    const Page blank;  // its size until the first page sets its own
    surface_ = cairo_pdf_surface_create_for_stream(Write_To_File, stream, blank.width * POINTS_PER_CM,
                                                   blank.height * POINTS_PER_CM);
    if (!title.empty()) cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "corbel-view");
    cr_ = cairo_create(surface_);
}

Pdf_Pages::~Pdf_Pages()
{
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

bool Pdf_Pages::Add(const Page& page)
{
    if (!cr_) return false;
    Unless_Out_Of_Memory(cairo_status(cr_));
    cairo_pdf_surface_set_size(surface_, page.width * POINTS_PER_CM, page.height * POINTS_PER_CM);
    cairo_save(cr_);
    cairo_scale(cr_, POINTS_PER_CM, POINTS_PER_CM);
    Draw_Page(cr_, page);
    cairo_restore(cr_);
    cairo_show_page(cr_);
    return Unless_Out_Of_Memory(cairo_status(cr_)) == CAIRO_STATUS_SUCCESS;
}

bool Pdf_Pages::Finish(const std::vector<Outline_Entry>& outline)
{
    if (!cr_) return false;
    std::vector<int> ids;
    for (const Outline_Entry& e : outline) {
        const int parent = e.parent >= 0 && e.parent < static_cast<int>(ids.size()) ? ids[e.parent]
                                                                                    : CAIRO_PDF_OUTLINE_ROOT;
        ids.push_back(cairo_pdf_surface_add_outline(surface_, parent, e.title.c_str(), Outline_Link(e).c_str(),
                                                    CAIRO_PDF_OUTLINE_FLAG_OPEN));
    }
    const bool drawn = Unless_Out_Of_Memory(cairo_status(cr_)) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr_);
    cr_ = nullptr;
    cairo_surface_finish(surface_);
    const cairo_status_t status = cairo_surface_status(surface_);
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    const bool written = Unless_Out_Of_Memory(status) == CAIRO_STATUS_SUCCESS;
    return drawn && written && !std::ferror(stream_);
}

bool Write_Pdf_Stream(const Laid_Out_Document& doc, FILE* stream)
{
    Pdf_Pages pdf(stream, doc.title);
    for (const Page& page : doc.pages) pdf.Add(page);
    return pdf.Finish(doc.outline);
}

bool Write_Pdf_File(const Laid_Out_Document& doc, const std::string& path, std::string& error)
{
    Atomic_File file(path.c_str());
    if (!file.Stream() || !Write_Pdf_Stream(doc, file.Stream()) || !file.Commit()) {
        error = Unwritable(path, file.Error());
        return false;
    }
    return true;
}

std::string Unwritable(const std::string& path, int error_number)
{
    std::string text = "Die Datei " + path + " kann nicht geschrieben werden";
    if (error_number != 0) text += ": " + Cp1252_To_Utf8(German_Error_Text(error_number));
    return text + ".";
}

std::string Png_Page_Name(const std::string& path, int page, int count)
{
    std::string stem = path;
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) stem = path.substr(0, dot);
    const int width = static_cast<int>(std::to_string(std::max(count, 1)).size());
    char number[24];
    std::snprintf(number, sizeof number, "-%0*d.png", width, page);
    return stem + number;
}

cairo_surface_t* Render_Page_Image(const Page& page, double dpi)
{
    const double px_per_cm = dpi / 2.54;
    const int w = std::max(1, static_cast<int>(std::lround(page.width * px_per_cm)));
    const int h = std::max(1, static_cast<int>(std::lround(page.height * px_per_cm)));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_scale(cr, px_per_cm, px_per_cm);
    Draw_Page(cr, page);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    if (status == CAIRO_STATUS_NO_MEMORY || cairo_surface_status(surface) == CAIRO_STATUS_NO_MEMORY) {
        cairo_surface_destroy(surface);
        throw std::bad_alloc();
    }
    return surface;
}

Png_Pages::Png_Pages() = default;
Png_Pages::~Png_Pages() = default;

bool Png_Pages::Add(const Page& page, const std::string& name, double dpi, std::string& error)
{
    cairo_surface_t* surface = Render_Page_Image(page, dpi);
    auto file = std::make_unique<Atomic_File>(name.c_str());
    const cairo_status_t status = !file->Stream() ? CAIRO_STATUS_WRITE_ERROR
                                  : cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS
                                      ? cairo_surface_status(surface)
                                      : cairo_surface_write_to_png_stream(surface, Write_To_File, file->Stream());
    cairo_surface_destroy(surface);
    // Written whole, the page waits beside its name for the others.
    if (Unless_Out_Of_Memory(status) == CAIRO_STATUS_SUCCESS && file->Finish()) {
        files_.push_back(std::move(file));
        names_.push_back(name);
        return true;
    }
    error = Unwritable(name, file->Error());
    return false;
}

bool Png_Pages::Commit(std::vector<std::string>& files, std::string& error)
{
    std::vector<Atomic_File*> list;
    for (const auto& file : files_) list.push_back(file.get());
    if (Commit_In_Order(list.data(), list.size())) {
        files.insert(files.end(), names_.begin(), names_.end());
        return true;
    }
    error = Unwritable(names_.empty() ? std::string() : names_.front(), 0);
    for (size_t k = 0; k < files_.size(); ++k)
        if (files_[k]->Error() != 0) {
            error = Unwritable(names_[k], files_[k]->Error());
            break;
        }
    return false;
}

bool Write_Png_Files(const Laid_Out_Document& doc, const std::string& path, double dpi,
                     std::vector<std::string>& files, std::string& error)
{
    const int count = static_cast<int>(doc.pages.size());
    Png_Pages pages;
    for (int k = 0; k < count; ++k)
        if (!pages.Add(doc.pages[k], Png_Page_Name(path, k + 1, count), dpi, error)) return false;
    return pages.Commit(files, error);
}
