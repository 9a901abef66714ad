#pragma once
// Laid-out pages to PDF and PNG with cairo.
//
// The PDF holds every page at its size, the outline of the document and its title. PNG
// files hold one page each on white at the given resolution. Files are replaced whole
// (platform/atomic_file.h): a failed write leaves no half-written file behind, and the
// PNG pages of one document take their places together.
#include "viewer/page_model.h"

#include <cairo.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class Atomic_File;

constexpr double PNG_DEFAULT_DPI = 150.0;

// A PDF written page by page into a stream (the pages need not be kept): Add each page,
// then Finish with the outline; false when cairo or the stream failed.
class Pdf_Pages {
public:
    Pdf_Pages(FILE* stream, const std::string& title);
    ~Pdf_Pages();
    Pdf_Pages(const Pdf_Pages&) = delete;
    Pdf_Pages& operator=(const Pdf_Pages&) = delete;
    bool Add(const Page& page);
    bool Finish(const std::vector<Outline_Entry>& outline);

private:
    FILE* stream_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

// "Die Datei <path> kann nicht geschrieben werden: <reason>." (the reason in German, UTF-8,
// left out for an error number 0).
std::string Unwritable(const std::string& path, int error_number);

// Writes the document as PDF into the stream; false when cairo or the stream failed.
bool Write_Pdf_Stream(const Laid_Out_Document& doc, FILE* stream);

// Writes the PDF file; false with a message in error when it could not be written.
bool Write_Pdf_File(const Laid_Out_Document& doc, const std::string& path, std::string& error);

// The PNG file of page (1-based) of count pages for the output name "dir/name.png":
// "dir/name-<page>.png", the number filled with zeros to the width of count.
std::string Png_Page_Name(const std::string& path, int page, int count);

// The PNG files of a document's pages: each is written beside its name as it comes, and
// all take their places together at the end, so that a run that fails halfway leaves the
// earlier set whole.
class Png_Pages {
public:
    Png_Pages();
    ~Png_Pages();
    Png_Pages(const Png_Pages&) = delete;
    Png_Pages& operator=(const Png_Pages&) = delete;
    // Writes the page for the file name; false with a message in error when it could not.
    bool Add(const Page& page, const std::string& name, double dpi, std::string& error);
    // Puts every page written in place and lists them in files; false with a message in
    // error when one of them could not be (then none is).
    bool Commit(std::vector<std::string>& files, std::string& error);

private:
    std::vector<std::unique_ptr<Atomic_File>> files_;
    std::vector<std::string> names_;
};

// Writes one PNG file a page (names by Png_Page_Name) and lists them in files; false
// with a message in error at the first that could not be written.
bool Write_Png_Files(const Laid_Out_Document& doc, const std::string& path, double dpi,
                     std::vector<std::string>& files, std::string& error);

// One page as an image surface (ARGB32, white background) at the resolution; the caller
// destroys it. For tests and the PNG files.
cairo_surface_t* Render_Page_Image(const Page& page, double dpi);
