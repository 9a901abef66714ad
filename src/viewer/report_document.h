#pragma once
// Reader of the design report ("_%02d.OLI") into a sequence of items for the page layout.
//
// The reader is tolerant: it never fails on the content. Keyword lines it does not know,
// graphic records it does not know and lines outside any block are counted; stray text
// lines are kept as text so that nothing written is lost. Lines end in LF or CR LF; lines
// are never trimmed (a text line " -1" is text).
//
// Top level: "#SHOWPARA", "#SHOWTABLE", "#SHOWGRAFIC", "#SHOWXYPLOT" (skipped up to the
// next keyword line, counted as left out), "#CONTENTS" and its line, "#NEWPAGE", the
// layout keyword lines "#OLI_..." of report/report_layout.h, empty lines (skipped).
//
// Paragraph block: the paragraph record (flags, style and the parts the flags announce),
// "-1", text lines (the channel's leading blank removed), then at each "#END_OF_TEXT" a
// transition record: with bit 0x4 a change (a further paragraph record and "-1" follow),
// else the end of the block ("-1"); bit 0x1000 carries a space before what follows.
// Layout keyword lines may stand between text lines; an empty line counts as an empty
// text line; a block keyword ends a block that lacks its end.
//
// Table block: counts "a b n", a + b + n counted lines, the column-format line
// "p q r s [k ...]"; r = s = 0 is the compatibility form without body; otherwise with
// k > 0 a line of k widths, then body lines up to "#END_OF_TEXT" (or any other keyword
// line, which then is read at the top level).
//
// Graphic block: two caption groups (flags line and one line per set flag), the head
// kind ("-1", or "[-999 flags] kind" with an optional second window for flag 0x10000 and
// a value line for kind 3), the window "x1 x2 y1 y2", records up to "-1". A record is its
// number and its fields; a text field runs from the first byte 0xAE to the last 0xAF;
// record 27 carries a font reference instead. The bytes of an embedded image ("{" ... "}")
// are skipped, and so are the records that change nothing on the page (group brackets and
// the like, viewer/graphic_records.h).
#include "viewer/line_source.h"
#include "viewer/report_text.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// Paragraph attributes as the record gives them; lengths in cm (every unit code is read
// as centimetres). Bits 0x08, 0x80, 0x100 and the two integers of 0x200 are read and
// have no effect on the page.
struct Para_Attributes {
    uint32_t flags = 0;
    int style = 4;
    double space_before = 0.0;
    double first_indent = 0.0;
    double second_indent = 0.0;
    double line_factor = 1.0;
    double space_after = 0.0;
    bool tab_grid = false;          // tabs[0] is the grid spacing
    std::vector<double> tabs;       // list form: positions in cm
};

struct Para_Begin {                 // a paragraph record: the attributes of what follows
    Para_Attributes attributes;
};
struct Text_Line {                  // one text line of a paragraph block (bytes, no blank)
    std::string bytes;
};
struct Para_Space {                 // space before what follows (a transition's space)
    double cm = 0.0;
};
struct Para_End {};                 // end of a paragraph block

struct Layout_Command {             // a "#OLI_..." keyword line
    std::string keyword;            // e.g. "#OLI_YPOS"
    std::vector<double> numbers;    // its numbers ("0x.." words read as hexadecimal)
    std::string text;               // the bookmark text between 0xAE and 0xAF
    bool has_text = false;
};

struct Table_Block {
    int counts[3] = {0, 0, 0};      // title, caption and comment lines
    std::vector<std::string> titles, captions, comments;
    int format[4] = {0, 0, -1, -1}; // p q r s
    std::vector<double> widths;     // column boundaries in report characters
    bool compat = false;            // no body
    std::vector<std::string> body;  // the channel's blank removed
    int head_lines = 0;             // the first body lines that are column heads
};

struct Graphic_Record {
    int code = 0;
    std::vector<double> numbers;
    std::string text;               // between 0xAE and 0xAF (record 27: the font reference)
    bool has_text = false;
};

struct Graphic_Block {
    std::string captions[6];        // "" for a line not set
    int kind = -1;
    double window[4] = {0.0, 0.0, 0.0, 0.0};  // x1 x2 y1 y2
    bool window_read = false;
    std::vector<Graphic_Record> records;
};

struct Contents_Entry {
    std::string text;
};
struct New_Page {};
struct Stray_Line {                 // a line outside any block
    std::string bytes;
};
struct Left_Out {                   // a block the viewer does not draw
    std::string what;
};

using Report_Item = std::variant<Para_Begin, Text_Line, Para_Space, Para_End, Layout_Command, Table_Block,
                                 Graphic_Block, Contents_Entry, New_Page, Stray_Line, Left_Out>;

struct Read_Counts {
    int unknown_keywords = 0;       // keyword lines not known (skipped)
    int malformed_lines = 0;        // record lines that could not be read (skipped)
    int stray_lines = 0;            // lines outside any block (kept as text)
};

struct Report_Document {
    std::vector<Report_Item> items;
    Read_Counts counts;
};

// A report read item by item, from bytes or from a file read in pieces, so that a report
// of any length is read in a memory of its own (a paragraph block is read a line at a time;
// a table or a graphic is one item). A line longer than REPORT_LINE_MAX bytes is cut there
// (its rest skipped, counted as a line that could not be read).
constexpr size_t REPORT_LINE_MAX = VIEW_LINE_MAX;

class Report_Reader {
public:
    explicit Report_Reader(const std::string& bytes);
    explicit Report_Reader(FILE* file);          // not closed here
    explicit Report_Reader(const Report_Document& doc);  // items and counts read before
    ~Report_Reader();
    Report_Reader(const Report_Reader&) = delete;
    Report_Reader& operator=(const Report_Reader&) = delete;

    // The k-th item not yet taken (0: the next); null past the end.
    const Report_Item* Peek(size_t k = 0);
    // Takes the next item; false at the end.
    bool Next(Report_Item& item);
    Read_Counts Counts() const;
    // A file's read failed (its errno), or the file held a NUL (no text): the reading
    // ended there. (Bytes are the caller's to check.)
    int Read_Error() const;
    bool Holds_Nul() const;

    class Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// Reads report bytes.
Report_Document Read_Report(const std::string& bytes);
