#pragma once
// The report text channel: the single writer of running text into a design report.
//
// A report is one text file in code page 850 (OLI_Report_Format). Lines beginning with
// '#' are keyword lines, text lines begin with one blank (the channel's), and record
// lines of numbers stand inside blocks. The channel turns formatted text plus the
// requested paragraph attributes and tab stops (report/oli_attributes.h) into paragraph
// blocks:
//
//   (empty line)
//   #SHOWPARA
//   paragraph record            flags word "0x%x", text style, optional parts
//   -1
//    text lines ...
//   #END_OF_TEXT                 paragraph change: transition record, "0x%x" with
//   transition record            bit 0x4, then a paragraph record without keyword
//   paragraph record
//   -1
//    more text lines ...
//   #END_OF_TEXT                 block end: transition record ending in "-1"
//   0x0
//   -1
//
// Table and graphic blocks are written by their own writers straight into the same
// stream after ending the open paragraph block with OLI_End_Text_Block.
//
// Report bytes are code page 850; the control byte 0xCE introduces an in-band control
// sequence of one character. Use the OLI_SEQ_* literals below and splice them, e.g.
// OLI_SEQ_EMPH "%s" OLI_SEQ_RESET "\n": a hex escape followed by a letter in one literal
// ("\xCEb") would swallow the letter.
//
// The channel's state is global and serves one report at a time on the main thread.
#include <cstdint>
#include <cstdio>

// ---------------------------------------------------------------------------------
// The report format

#define OLI_CTL "\xCE"                  // the control byte as a literal to splice
#define OLI_SEQ_RESET OLI_CTL "r"       // ends every open style
#define OLI_SEQ_SUB OLI_CTL "\\"        // lowered run (index)
#define OLI_SEQ_SUP OLI_CTL "/"         // raised run (exponent)
#define OLI_SEQ_STYLE OLI_CTL "_"       // style run before sub-headings and key words
#define OLI_SEQ_UNDERLINE OLI_CTL "u"   // underline run
#define OLI_SEQ_BOLD OLI_CTL "b"        // bold run
#define OLI_SEQ_S OLI_CTL "s"           // style run known to the style re-opening
#define OLI_SEQ_EMPH OLI_CTL "H"        // emphasis (headings, verdicts, relation signs)
#define OLI_SEQ_TAB OLI_CTL "t"         // jump to the next tab stop of the paragraph
#define OLI_SEQ_NUMBER OLI_CTL "@"      // stands before a heading number
#define OLI_SEQ_VERSION OLI_CTL "S"     // page-head version line and note lines
#define OLI_SEQ_BETWEEN OLI_CTL "B"     // between two texts of one line
#define OLI_SEQ_GROUP OLI_CTL "{"       // a group, closed by the first '}'

struct OLI_Report_Format {
    static constexpr unsigned char control_byte = 0xCE;
    static constexpr const char* show_para = "#SHOWPARA";
    static constexpr const char* show_table = "#SHOWTABLE";
    static constexpr const char* show_grafic = "#SHOWGRAFIC";
    static constexpr const char* show_xyplot = "#SHOWXYPLOT";
    static constexpr const char* contents = "#CONTENTS";
    static constexpr const char* new_page = "#NEWPAGE";
    static constexpr const char* end_of_text = "#END_OF_TEXT";
    static constexpr int max_tab_stops = 100;
};

// Writes one extra part of a paragraph record; non-zero result = success.
using OLI_Part_Callback = int (*)(FILE* stream, void* context);

// Paragraph attributes. Lengths in cm; each length carries a kind (bit set) that is
// written as a one-digit unit code (OLI_Unit_Code).
struct OLI_Text_Attributes {
    uint32_t flags;                   // 0x2000: break forced (only in the copy in effect)
    OLI_Part_Callback extra_part_1;   // never set by the program
    OLI_Part_Callback extra_part_2;   // never set by the program
    int32_t text_style;               // font and size class, default 4
    double space_before;              // consumed once written
    double space_after;
    int32_t space_before_kind;
    int32_t space_after_kind;
    double first_indent;
    double second_indent;
    int32_t first_indent_kind;
    int32_t second_indent_kind;
    double line_factor;               // default 1.0
    int32_t int_1;                    // never set by the program
    int32_t int_2;
    OLI_Part_Callback tab_callback;   // OLI_Write_Current_Tabs once tab stops were set
    void* context;                    // handed to the three callbacks
};

extern const OLI_Text_Attributes OLI_DEFAULT_ATTRIBUTES;

// Field by field, the doubles compared by their bits (so an attribute set again to the
// value it has causes no paragraph change, and a NaN does not cause one at every text).
bool OLI_Same_Attributes(const OLI_Text_Attributes& a, const OLI_Text_Attributes& b);

// Tab stops of the channel.
struct OLI_Tab_Stops {
    int32_t count;                    // 0 none, 1..100 list, -1 grid (stop 0 = spacing)
    int32_t kinds[OLI_Report_Format::max_tab_stops];
    double positions[OLI_Report_Format::max_tab_stops];
    int32_t change_counter;           // raised by every tab change and attribute reset
    int32_t last_written;             // change counter when the paragraph in effect was written
};

// Transition record: what a paragraph change or a block end writes.
struct OLI_Transition_Record {
    int32_t kind;                     // 0x1000 space follows, 0x2000 forced, 0x100, 0x4
    double space;                     // cm
    int32_t space_kind;               // 2
};

// Channel modes.
enum : int32_t {
    OLI_MODE_UNINITIALISED = 0,
    OLI_MODE_READY = 1,               // no paragraph block open
    OLI_MODE_BLOCK_OPEN = 2,          // block open, no line pending
    OLI_MODE_LINE_PENDING = 3,        // block open, last line's "\n" not yet written
};

// The channel's state.
extern int32_t oli_channel_mode;
extern OLI_Text_Attributes oli_requested_attributes;  // what the next text is to carry
extern OLI_Text_Attributes oli_attributes_in_effect;  // those of the block open in the file
extern OLI_Tab_Stops oli_tab_stops;

// Initialises the channel when it is still in mode 0 (both attribute records = defaults,
// no tab stops, both counters 0, mode 1). Used by the channel and the attribute setters.
void OLI_Init_Channel_If_Needed();

// One-digit unit code of a length kind: 2 when bit 0x2 is set, else 1 for bit 0x1, else 4.
int OLI_Unit_Code(int32_t kind);

// ---------------------------------------------------------------------------------
// The channel

// Formats the arguments (printf conventions, "C" locale) and writes them as running text.
// A text of any length is written whole. 0 on success; -1 on a null stream, a formatting
// failure or a write error.
int OLI_Printf(FILE* stream, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Ends the open paragraph block. 0 on success; -1 when no block was open, on a null
// stream or on a write error. The channel is ready with default requested attributes
// and no tab stops afterwards in every case.
int OLI_End_Text_Block(FILE* stream);

// Makes the channel ready for a new report without writing anything: requested
// attributes back to the defaults, no tab stops, no block open. A block that an earlier
// report left open is forgotten rather than ended in the next report's file.
void OLI_Reset_Channel();

// When the channel has a line pending in this stream, ends it ("\n") so that a keyword
// line written next starts in the first column. 0, or -1 on a write error.
int OLI_Finish_Pending_Line(FILE* stream);

// Record writers (0 on success, -1 on a null stream or a write error).
int OLI_Write_Paragraph_Record(FILE* stream, const OLI_Text_Attributes* attributes, int with_keyword);
int OLI_Write_Transition_Record(FILE* stream, const OLI_Transition_Record* record, int final);
int OLI_Write_Paragraph_Head(FILE* stream, const OLI_Text_Attributes* attributes);
int OLI_Write_Paragraph_Change(FILE* stream, const OLI_Transition_Record* record,
                               const OLI_Text_Attributes* attributes);
int OLI_Write_Block_End_Record(FILE* stream, const OLI_Transition_Record* record);
int OLI_Write_Minus_One(FILE* stream);
int OLI_Write_End_Of_Text(FILE* stream);
int OLI_Write_Zero_Line(FILE* stream);

// Tab-stop parts: 1 on success, 0 on a null stream or a write error (the convention of
// the paragraph record's callbacks).
int OLI_Write_Tab_Record(FILE* stream, int kind, const int* kinds, const double* positions, int n);
int OLI_Write_Tab_Grid_Record(FILE* stream, int kind, double spacing);
int OLI_Write_Current_Tabs(FILE* stream, void* context);

// Plain text of a report text, in place: with strip, leaves out every control sequence
// (0xCE and its character, a group up to its '}'); with convert, turns the code page 850
// bytes into code page 1252. A null text does nothing.
void OLI_Strip_Control_Codes(char* text, int strip, int convert);
