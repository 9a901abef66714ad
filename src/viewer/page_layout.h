#pragma once
// Page layout of a report on A4 and of a drawing file on one page.
//
// Report pages (what the report format leaves to the viewer, decided here):
// - A4 portrait; the text area is 17 cm wide from 2.5 cm on the left, from 2.0 cm below
//   the top edge down to 2.0 cm above the bottom edge. Each page carries the report's
//   contents entry (the position) on the left and "Seite n von m" on the right above
//   the text area, in the small style.
// - Text: the monospaced face sized per text style (viewer/report_styles.h); every byte
//   is one character cell, sub- and superscripts drawn smaller in their full cell, so
//   that the blanks of the writers align columns as they counted them. A line wider than
//   the text area breaks at its last blank that fits; the rest continues at the second
//   indent, but never inside a group: not after "=", a relation sign, the arrow "⇒" or
//   a qualifier ("erf", "vorh", ...), not between a number and its unit, not before a
//   verdict ("ok", "nicht ok !!") or a comma; a break before a symbol or a relation sign is preferred, any
//   blank is the last resort. A line the writer counted to fit (each byte and tab jump
//   one character) never breaks: its tab jumps shrink. Every text line is a paragraph:
//   the first indent moves its start. Style 5 (first-level headings, title lines) is bold.
//   The raised "." of the writers is the multiplication dot "·" on the middle of the line.
// - Keeping together: a heading (a line with the heading-number mark, a style-5 line, a
//   line bold or underlined from end to end) and whatever stands between it and its first
//   block (text line, table row or graphic) move to the next page when that block does not
//   fit below it; a heading never ends a page (where a new page would give the block no
//   more room, as under a heading that opens the page, nothing breaks, and a graphic's
//   room is what the page leaves below its heading). The line before the last line of a
//   text block or a table goes along with it, so that a sum line never stands alone at
//   the top of a page, and so does the line before a line that begins further in than it
//   (more tab stops in, or after more blanks: the values or the rest that continue it).
// - Tab stops are centimetres from the left margin (every unit code); no further stop:
//   one character. A list whose last stop lies beyond the line's width cannot be meant
//   in centimetres (the corbel's reinforcement lines set 16, 22 and 34): its jumps are
//   one character each, and so is a grid step beyond the width. In tables the column
//   boundaries are the stops. A line breaks at a blank or a tab jump.
// - Paragraph space before (record and transitions) and space after are added where they
//   stand; the line factor scales the line height.
// - Tables: 0.2 cm of space above (not at a page's top) and below; title lines in style 5, caption lines in
//   style 4, comment lines in style 3, the body in style 4 with its column heads bold and
//   a rule under them. The column widths are boundary positions in characters of the
//   body's style. Rows never break: a body whose widest row does not fit in style 4 is
//   set in the first of the narrower styles 0, 3, 8, 2 in which it fits.
//   In-cell groups: "L k x1 x2 a b" a line from a / b of the line's height below its top
//   (0 top, 1 bottom), across the table when x1 and x2 are -1, else from x1 to x2 cm from
//   the table's left edge; "R p x1 x2 a b" a rectangle the same way (-1 for a and b: the
//   whole line), pattern 0 white, any other a light grey behind the text.
// - Graphics: their window at the left margin, scaled down only when wider than the space
//   between the margins or taller than the text area below its heading (the corbel's
//   graphic takes a scale at which it fits, so that its printed scale stays true); what the records draw beyond the
//   window (labels, load arrows) takes room too: the highest point drawn stands at the
//   flow position, below what was written before, and the flow continues below the
//   lowest. Caption lines 1 to 3 above, 4 to 6 below (style 4).
// - Layout keyword lines (report/report_layout.h): RESERVE breaks the page when less than
//   the amount is left (not at a page's top); YPOS mode 1 moves the position, but a
//   negative move never goes back above the bottom of what was drawn last (it takes back
//   space, not text); mode 4 goes down to the lowest point drawn on the page; MARGINS
//   sets the margins from the text area's edges (MARGINS_CHAR in characters of style 4);
//   STORE_Y and RESTORE_Y keep and return to a position on the same page (a restore on a
//   later page does nothing); BOOKMARK builds the outline: a title that begins with a
//   heading number ("3.2.") stands under the latest entry whose number begins it ("3."),
//   at the top without one; other titles: mode 16 a new top entry that opens a group,
//   mode 17 closes the deepest group, other modes an entry in the open group; texts
//   without sequences, empty ones ignored; FLAGS, LAYOUT, CONVERSION and
//   RESET_MAX_MARGIN change nothing on the page.
// - "#NEWPAGE" starts a page unless the current one is still empty; a line outside any
//   block is drawn as a text line of style 4.
//
// A drawing file is laid out by viewer/drawing_document.h.
#include "viewer/page_model.h"
#include "viewer/report_document.h"

constexpr double A4_WIDTH = 21.0;
constexpr double A4_HEIGHT = 29.7;
constexpr double PAGE_LEFT = 2.5;
constexpr double PAGE_TOP = 2.0;
constexpr double PAGE_BOTTOM_MARGIN = 2.0;
constexpr double TABLE_SPACE = 0.2;

#include <functional>

Laid_Out_Document Lay_Out_Report(const Report_Document& report);

// Where the pages of a report laid out in pieces go, one by one as each is finished: take
// gets each page (false: it failed, the layout goes on without handing further pages);
// page_total > 0 numbers the pages "Seite n von m" (the count of a first pass).
struct Page_Sink {
    std::function<bool(const Page&)> take;
    size_t page_total = 0;
};

// Lays out the report as the reader reads it; the pages go to the sink and are not kept
// (the result holds no pages, but their count, the outline, title and counts).
Laid_Out_Document Lay_Out_Report_In_Pieces(Report_Reader& reader, const Page_Sink& sink);
