#pragma once
// Laid-out pages to PDF and PNG with cairo.
//
// The PDF holds every page at its size, the outline of the document and its title. PNG
// files hold one page each on white at the given resolution. Files are replaced whole
// (platform/atomic_file.h): a failed write leaves no half-written file behind.
#include "viewer/page_model.h"

#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

constexpr double PNG_DEFAULT_DPI = 150.0;

// Writes the document as PDF into the stream; false when cairo or the stream failed.
bool Write_Pdf_Stream(const Laid_Out_Document& doc, FILE* stream);

// Writes the PDF file; false with a message in error when it could not be written.
bool Write_Pdf_File(const Laid_Out_Document& doc, const std::string& path, std::string& error);

// The PNG file of page (1-based) of count pages for the output name "dir/name.png":
// "dir/name-<page>.png", the number filled with zeros to the width of count.
std::string Png_Page_Name(const std::string& path, int page, int count);

// Writes one PNG file a page (names by Png_Page_Name) and lists them in files; false
// with a message in error at the first that could not be written.
bool Write_Png_Files(const Laid_Out_Document& doc, const std::string& path, double dpi,
                     std::vector<std::string>& files, std::string& error);

// One page as an image surface (ARGB32, white background) at the resolution; the caller
// destroys it. For tests and the PNG files.
cairo_surface_t* Render_Page_Image(const Page& page, double dpi);
