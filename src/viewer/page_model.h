#pragma once
// Laid-out pages: what the layout of a report or a drawing produces and the cairo output
// draws. Lengths are centimetres on the page, x to the right and y downwards from the
// page's top left corner; angles are degrees counter-clockwise on the page.
#include "viewer/faces.h"
#include "viewer/report_text.h"

#include <string>
#include <variant>
#include <vector>

struct Page_Point {
    double x = 0.0, y = 0.0;
};

struct Page_Text {
    double x = 0.0, y = 0.0;   // start of the baseline
    double size = 0.3;         // em size
    double angle = 0.0;
    Face_Key face;
    Rgb colour;
    std::string utf8;
};

struct Page_Line {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    double width = 0.02;
    Rgb colour;
    std::vector<double> dashes;  // empty: solid
};

// Straight lines of one pen drawn as one: the lines of a drawing that follow one another
// in the same pen (a drawing holds hundreds of thousands, a page item each would take
// many times the file's size).
struct Page_Line_Run {
    std::vector<Page_Point> ends;  // two a line: its start and its end
    double width = 0.02;
    Rgb colour;
    std::vector<double> dashes;  // empty: solid; the pattern starts anew at each line
};

enum class Fill_Kind { Solid, Hatch, Cross };

struct Page_Fill {
    std::vector<std::vector<Page_Point>> contours;  // filled even-odd, no outline
    Rgb colour;
    Fill_Kind kind = Fill_Kind::Solid;
    double hatch_angle = 0.0;     // Hatch and Cross: direction of the lines
    double hatch_spacing = 0.1;
    double hatch_width = 0.01;
};

using Page_Item = std::variant<Page_Text, Page_Line, Page_Line_Run, Page_Fill>;

struct Page {
    double width = 21.0, height = 29.7;
    std::vector<Page_Item> items;
};

// An entry of the document outline (PDF bookmarks).
struct Outline_Entry {
    int parent = -1;              // index of the parent entry, -1 at the top
    std::string title;            // UTF-8
    int page = 0;                 // 0-based
    double y = 0.0;
};

// What was read and drawn. "Skipped" are parts the viewer does not know (never fatal);
// "left out" are known parts it cannot draw (symbol-font glyphs the viewer's own set
// lacks, images, xy-plots).
struct View_Counts {
    int unknown_keywords = 0;
    int unknown_records = 0;
    int unknown_sequences = 0;
    int malformed_lines = 0;
    int stray_lines = 0;          // text outside any block, drawn as text
    int left_out = 0;
    std::vector<std::string> left_out_kinds;  // one entry per left-out element
    // Drawing files: entities read.
    int lines = 0, areas = 0, texts = 0;

    int Skipped() const { return unknown_keywords + unknown_records + unknown_sequences + malformed_lines; }
    void Leave_Out(const std::string& what)
    {
        ++left_out;
        left_out_kinds.push_back(what);
    }
};

struct Laid_Out_Document {
    std::vector<Page> pages;
    int page_count = 0;           // pages laid out (also when they were handed on in pieces)
    std::vector<Outline_Entry> outline;
    std::string title;            // UTF-8: the first contents entry or the drawing's title
    View_Counts counts;
};
