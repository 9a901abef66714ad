#pragma once
// A report or drawing file rendered as a whole: what corbel-view and the report
// preview and print stand-ins do.
//
// A file whose first line is the drawing file's is a drawing; every other text file is
// read as a report. A file that cannot be read, or that holds NUL bytes (no text), is
// refused with a message in German.
#include "viewer/page_model.h"

#include <string>
#include <vector>

struct View_Outcome {
    bool ok = false;
    std::string error;                // German message when not ok
    std::vector<std::string> files;   // the files written
    int pages = 0;
    View_Counts counts;
};

// The largest file the viewer reads: above the largest report the program writes (100,000
// load combinations at full detail, about 137 MB). A report is read and laid out in
// pieces, page by page, so that its length does not decide the memory it takes.
constexpr long long VIEW_FILE_MAX = 256LL << 20;

// Reads and lays out the whole file at once, every page kept (a drawing is read as a
// stream; a report is read whole: for small ones); false with a message in error when it
// cannot be read.
bool Load_View_File(const std::string& input, Laid_Out_Document& doc, std::string& error);

// The PDF beside the input: its name with the extension replaced by ".pdf"; an input
// whose extension is ".pdf" already (in any case) gets ".pdf" added, so that the name is
// never the input's.
std::string Default_View_Output(const std::string& input);

// True when the name ends in ".png" (any case).
bool Is_Png_Name(const std::string& name);

// "Nicht genug Arbeitsspeicher für die Datei <path>."
std::string View_Out_Of_Memory(const std::string& path);

// Renders the input to a PDF (pdf_name, "" for none) and one PNG a page (named from
// png_name by Png_Page_Name, "" for none) at once. Memory that runs out on the way ends
// the rendering with View_Out_Of_Memory, never with a file said to be unwritable. The
// input is opened by its name once and every pass reads that file; one changed in its
// place while it was read (other pages than counted) is refused ("... wurde während des
// Lesens geändert."), nothing put in place. An output that is the input itself (the same
// file, however named) is refused before anything is written and again before the files
// are put in place; the temporary files that runs killed while writing an output left
// beside it are removed.
View_Outcome Render_View_Files(const std::string& input, const std::string& pdf_name, const std::string& png_name);

// Renders the input to output ("" for the default): a PDF of all pages, or one PNG a page
// (numbered, viewer/cairo_output.h) when output ends in ".png".
View_Outcome Render_View_File(const std::string& input, const std::string& output);

// One German sentence on what was skipped or left out, "" when nothing was.
std::string View_Counts_Summary(const View_Counts& counts);
