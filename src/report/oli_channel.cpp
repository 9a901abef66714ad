#include "report/oli_channel.h"

#include <cstdarg>
#include <cstring>
#include <string>

const OLI_Text_Attributes OLI_DEFAULT_ATTRIBUTES = {
    0u,       // flags
    nullptr,  // extra part 1
    nullptr,  // extra part 2
    4,        // text style
    0.0,      // space before
    0.0,      // space after
    2, 2,     // kinds of the spaces
    0.0, 0.0, // indents
    2, 2,     // kinds of the indents
    1.0,      // line factor
    0, 0,     // two integers
    nullptr,  // tab callback
    nullptr,  // context
};

int32_t oli_channel_mode = OLI_MODE_UNINITIALISED;
OLI_Text_Attributes oli_requested_attributes = OLI_DEFAULT_ATTRIBUTES;
OLI_Text_Attributes oli_attributes_in_effect = OLI_DEFAULT_ATTRIBUTES;
OLI_Tab_Stops oli_tab_stops = {};

namespace {

// The stream of the channel's last text, so that a layout call on another stream does
// not end a line that is pending elsewhere.
FILE* channel_stream = nullptr;

// Paragraph flags that the record writer derives from the record's contents.
constexpr uint32_t DERIVED_FLAGS = 0x01u | 0x02u | 0x10u | 0x20u | 0x40u | 0x200u | 0x400u | 0x800u;

bool Same_Bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

int32_t Next_Count(int32_t counter)
{
    return static_cast<int32_t>(static_cast<uint32_t>(counter) + 1u);
}

// Writes the bytes as they are; false on a write error.
// The writes call this runtime's stdio directly, not through the table registered with
// the environment at start-up (zav_stdio_table): that table holds these very functions,
// so the bytes land in the same stream alike, and the direct call also serves the
// writers used before start-up has registered it (tests, tools).
bool Put(FILE* stream, const char* bytes, size_t n)
{
    return n == 0 || std::fwrite(bytes, 1, n, stream) == n;
}
bool Put(FILE* stream, const char* text) { return Put(stream, text, std::strlen(text)); }

bool Put_Format(FILE* stream, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
bool Put_Format(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int r = std::vfprintf(stream, format, args);
    va_end(args);
    return r >= 0;
}

// A length with its unit code: "%d %.6g".
bool Put_Length(FILE* stream, int32_t kind, double cm)
{
    return Put_Format(stream, "%d %.6g", OLI_Unit_Code(kind), cm);
}

// Formats into text; false on a formatting failure. Any length is kept whole.
bool Format_Text(std::string& text, const char* format, va_list args)
{
    char small[1000];
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(small, sizeof small, format, args);
    bool ok = n >= 0;
    if (ok && static_cast<size_t>(n) < sizeof small) {
        text.assign(small, static_cast<size_t>(n));
    } else if (ok) {
        text.assign(static_cast<size_t>(n) + 1, '\0');
        ok = std::vsnprintf(text.data(), text.size(), format, again) == n;
        text.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return ok;
}

void Init_Channel(int32_t change_counter)
{
    oli_requested_attributes = OLI_DEFAULT_ATTRIBUTES;
    oli_attributes_in_effect = OLI_DEFAULT_ATTRIBUTES;
    oli_tab_stops.count = 0;
    oli_tab_stops.change_counter = change_counter;
    oli_tab_stops.last_written = 0;
    oli_channel_mode = OLI_MODE_READY;
}

// The transition record of a paragraph change or a block end; consumes the requested
// space before.
OLI_Transition_Record Build_Transition()
{
    OLI_Transition_Record t = {0, 0.0, 2};
    if ((oli_requested_attributes.flags & 0x80u) && (oli_attributes_in_effect.flags & 0x80u))
        t.kind = 0x100;
    if (oli_requested_attributes.space_before != 0.0) {
        t.kind |= 0x1000;
        t.space = oli_requested_attributes.space_before;
    }
    if (oli_attributes_in_effect.flags & 0x2000u) t.kind |= 0x2000;
    oli_requested_attributes.space_before = 0.0;
    return t;
}

// Back to a ready channel after a block end.
void Reset_Channel()
{
    oli_requested_attributes = OLI_DEFAULT_ATTRIBUTES;
    oli_tab_stops.change_counter = Next_Count(oli_tab_stops.change_counter);
    oli_tab_stops.count = 0;
    oli_channel_mode = OLI_MODE_READY;
}

// The running text, split into lines (step after the paragraph bookkeeping).
int Write_Text(FILE* stream, const char* text)
{
    const char* p = text;
    while (*p) {
        const char* nl = std::strchr(p, '\n');
        size_t len = nl ? static_cast<size_t>(nl - p) : std::strlen(p);
        if (oli_channel_mode != OLI_MODE_LINE_PENDING) {
            if (!Put(stream, " ")) return -1;
            oli_channel_mode = OLI_MODE_LINE_PENDING;
        }
        if (!Put(stream, p, len)) return -1;
        if (!nl) break;
        if (!Put(stream, "\n")) return -1;
        oli_channel_mode = OLI_MODE_BLOCK_OPEN;
        p = nl + 1;
    }
    return 0;
}

} // namespace

bool OLI_Same_Attributes(const OLI_Text_Attributes& a, const OLI_Text_Attributes& b)
{
    return a.flags == b.flags && a.extra_part_1 == b.extra_part_1 && a.extra_part_2 == b.extra_part_2 &&
           a.text_style == b.text_style && Same_Bits(a.space_before, b.space_before) &&
           Same_Bits(a.space_after, b.space_after) && a.space_before_kind == b.space_before_kind &&
           a.space_after_kind == b.space_after_kind && Same_Bits(a.first_indent, b.first_indent) &&
           Same_Bits(a.second_indent, b.second_indent) && a.first_indent_kind == b.first_indent_kind &&
           a.second_indent_kind == b.second_indent_kind && Same_Bits(a.line_factor, b.line_factor) &&
           a.int_1 == b.int_1 && a.int_2 == b.int_2 && a.tab_callback == b.tab_callback &&
           a.context == b.context;
}

void OLI_Init_Channel_If_Needed()
{
    if (oli_channel_mode == OLI_MODE_UNINITIALISED) Init_Channel(0);
}

int OLI_Unit_Code(int32_t kind)
{
    if (kind & 0x2) return 2;
    if (kind & 0x1) return 1;
    return 4;
}

// ---------------------------------------------------------------------------------
// Records

int OLI_Write_Paragraph_Record(FILE* stream, const OLI_Text_Attributes* attributes, int with_keyword)
{
    if (!stream) return -1;
    const OLI_Text_Attributes& a = attributes ? *attributes : OLI_DEFAULT_ATTRIBUTES;
    if (with_keyword && !Put(stream, "\n#SHOWPARA\n")) return -1;

    uint32_t flags = a.flags & ~DERIVED_FLAGS;
    if (a.extra_part_1) flags |= 0x01u;
    if (a.extra_part_2) flags |= 0x02u;
    if (a.space_before != 0.0) flags |= 0x10u;
    if (a.first_indent != 0.0 || a.second_indent != 0.0) flags |= 0x20u;
    if (a.tab_callback) flags |= 0x40u;
    if (a.int_1 != 0 || a.int_2 != 0) flags |= 0x200u;
    if (a.line_factor != 1.0) flags |= 0x400u;
    if (a.space_after != 0.0) flags |= 0x800u;

    if (!Put_Format(stream, "0x%x\n", flags)) return -1;
    if ((flags & 0x01u) && !a.extra_part_1(stream, a.context)) return -1;
    if ((flags & 0x02u) && !a.extra_part_2(stream, a.context)) return -1;
    if (!Put_Format(stream, "%d\n", a.text_style)) return -1;
    if ((flags & 0x10u) && !(Put_Length(stream, a.space_before_kind, a.space_before) && Put(stream, "\n")))
        return -1;
    if ((flags & 0x20u) &&
        !(Put_Length(stream, a.first_indent_kind, a.first_indent) && Put(stream, " ") &&
          Put_Length(stream, a.second_indent_kind, a.second_indent) && Put(stream, "\n")))
        return -1;
    if ((flags & 0x40u) && !a.tab_callback(stream, a.context)) return -1;
    if ((flags & 0x400u) && !Put_Format(stream, "%.6g\n", a.line_factor)) return -1;
    if ((flags & 0x800u) && !(Put_Length(stream, a.space_after_kind, a.space_after) && Put(stream, "\n")))
        return -1;
    if ((flags & 0x200u) && !Put_Format(stream, "%d %d\n", a.int_1, a.int_2)) return -1;
    return 0;
}

int OLI_Write_Transition_Record(FILE* stream, const OLI_Transition_Record* record, int final)
{
    if (!stream) return -1;
    static const OLI_Transition_Record default_record = {0, 0.0, 2};
    const OLI_Transition_Record& t = record ? *record : default_record;
    uint32_t kind = static_cast<uint32_t>(t.kind) & ~(0x1000u | 0x4u);
    if (t.space != 0.0) kind |= 0x1000u;
    if (!final) kind |= 0x4u;
    if (!Put_Format(stream, "0x%x\n", kind)) return -1;
    if ((kind & 0x1000u) && !(Put_Length(stream, t.space_kind, t.space) && Put(stream, "\n"))) return -1;
    if (final && !Put(stream, "-1\n")) return -1;
    return 0;
}

int OLI_Write_Paragraph_Head(FILE* stream, const OLI_Text_Attributes* attributes)
{
    return OLI_Write_Paragraph_Record(stream, attributes, 1);
}

int OLI_Write_Paragraph_Change(FILE* stream, const OLI_Transition_Record* record,
                               const OLI_Text_Attributes* attributes)
{
    if (OLI_Write_Transition_Record(stream, record, 0) != 0) return -1;
    return OLI_Write_Paragraph_Record(stream, attributes, 0);
}

int OLI_Write_Block_End_Record(FILE* stream, const OLI_Transition_Record* record)
{
    return OLI_Write_Transition_Record(stream, record, 1);
}

int OLI_Write_Minus_One(FILE* stream) { return stream && Put(stream, "-1\n") ? 0 : -1; }
int OLI_Write_End_Of_Text(FILE* stream) { return stream && Put(stream, "#END_OF_TEXT\n") ? 0 : -1; }
int OLI_Write_Zero_Line(FILE* stream) { return stream && Put(stream, "0\n\n") ? 0 : -1; }

int OLI_Write_Tab_Record(FILE* stream, int kind, const int* kinds, const double* positions, int n)
{
    if (!stream) return 0;
    if (n < 0 || !positions) n = 0;
    if (!Put_Format(stream, "0x%x %d\n", 0u, n)) return 0;
    for (int i = 0; i < n; ++i) {
        if (!(Put_Length(stream, kinds ? kinds[i] : kind, positions[i]) && Put(stream, "\n"))) return 0;
    }
    return 1;
}

int OLI_Write_Tab_Grid_Record(FILE* stream, int kind, double spacing)
{
    if (!stream) return 0;
    if (!Put(stream, "0x2\n")) return 0;
    return Put_Length(stream, kind, spacing) && Put(stream, "\n") ? 1 : 0;
}

int OLI_Write_Current_Tabs(FILE* stream, void* /*context*/)
{
    if (oli_tab_stops.count < 0)
        return OLI_Write_Tab_Grid_Record(stream, oli_tab_stops.kinds[0], oli_tab_stops.positions[0]);
    int n = oli_tab_stops.count;
    if (n > OLI_Report_Format::max_tab_stops) n = OLI_Report_Format::max_tab_stops;
    return OLI_Write_Tab_Record(stream, 17, oli_tab_stops.kinds, oli_tab_stops.positions, n);
}

// ---------------------------------------------------------------------------------
// The channel

int OLI_Printf(FILE* stream, const char* format, ...)
{
    if (!stream || !format) return -1;
    std::string formatted;
    va_list args;
    va_start(args, format);
    bool ok = Format_Text(formatted, format, args);
    va_end(args);
    if (!ok) return -1;
    // The text ends at its first NUL, as every writer of the report treats it.
    const char* text = formatted.c_str();

    OLI_Init_Channel_If_Needed();
    channel_stream = stream;

    if (oli_channel_mode == OLI_MODE_READY) {
        if (OLI_Write_Paragraph_Record(stream, &oli_requested_attributes, 1) != 0) return -1;
        if (!Put(stream, "-1\n")) return -1;
        oli_requested_attributes.space_before = 0.0;
        oli_attributes_in_effect = oli_requested_attributes;
        oli_channel_mode = OLI_MODE_BLOCK_OPEN;
        oli_tab_stops.change_counter = 0;
        oli_tab_stops.last_written = 0;
    } else if (!OLI_Same_Attributes(oli_requested_attributes, oli_attributes_in_effect) ||
               oli_tab_stops.change_counter != oli_tab_stops.last_written) {
        // Paragraph change inside the open block.
        if (oli_channel_mode == OLI_MODE_LINE_PENDING) {
            if (!Put(stream, "\n")) return -1;
            oli_channel_mode = OLI_MODE_BLOCK_OPEN;
        }
        OLI_Transition_Record t = Build_Transition();
        if (!Put(stream, "#END_OF_TEXT\n")) return -1;
        if (OLI_Write_Transition_Record(stream, &t, 0) != 0) return -1;
        if (OLI_Write_Paragraph_Record(stream, &oli_requested_attributes, 0) != 0) return -1;
        if (!Put(stream, "-1\n")) return -1;
        oli_attributes_in_effect = oli_requested_attributes;
        oli_tab_stops.last_written = oli_tab_stops.change_counter;
    }

    return Write_Text(stream, text);
}

int OLI_End_Text_Block(FILE* stream)
{
    if (oli_channel_mode == OLI_MODE_UNINITIALISED) {
        Init_Channel(1);
        return -1;
    }
    if (!stream) {
        Reset_Channel();
        return -1;
    }
    int result = -1;
    if (oli_channel_mode == OLI_MODE_LINE_PENDING) {
        Put(stream, "\n");  // the block ends either way
        oli_channel_mode = OLI_MODE_BLOCK_OPEN;
    }
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN) {
        if (Put(stream, "#END_OF_TEXT\n")) {
            OLI_Transition_Record t = Build_Transition();
            result = OLI_Write_Transition_Record(stream, &t, 1);
        }
    }
    Reset_Channel();
    return result;
}

void OLI_Reset_Channel()
{
    if (oli_channel_mode == OLI_MODE_UNINITIALISED)
        Init_Channel(1);
    else
        Reset_Channel();
    channel_stream = nullptr;
}

int OLI_Finish_Pending_Line(FILE* stream)
{
    if (!stream || stream != channel_stream || oli_channel_mode != OLI_MODE_LINE_PENDING) return 0;
    if (!Put(stream, "\n")) return -1;
    oli_channel_mode = OLI_MODE_BLOCK_OPEN;
    return 0;
}

// ---------------------------------------------------------------------------------
// Plain text

namespace {

// Code page 1252 byte of each code page 850 byte 0x80..0xFF: the same character where
// code page 1252 has it, else a look-alike (box lines, shades and blocks).
const unsigned char cp850_to_cp1252[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7,  // 0x80
    0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,  // 0x88
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9,  // 0x90
    0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,  // 0x98
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA,  // 0xA0
    0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,  // 0xA8
    '_',  '_',  '_',  0xA6, 0xA6, 0xC1, 0xC2, 0xC0,  // 0xB0
    0xA9, 0xA6, 0xA6, '+',  '+',  0xA2, 0xA5, '+',   // 0xB8
    '+',  '-',  '-',  '+',  '-',  '+',  0xE3, 0xC3,  // 0xC0
    '+',  '+',  '-',  '-',  0xA6, '-',  '+',  0xA4,  // 0xC8
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 'i',  0xCD, 0xCE,  // 0xD0
    0xCF, '+',  '+',  '_',  '_',  0xA6, 0xCC, 0xB7,  // 0xD8
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE,  // 0xE0
    0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,  // 0xE8
    0xAD, 0xB1, '_',  0xBE, 0xB6, 0xA7, 0xF7, 0xB8,  // 0xF0
    0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, '_',  ' ',   // 0xF8
};

} // namespace

void OLI_Strip_Control_Codes(char* text, int strip, int convert)
{
    if (!text) return;
    if (strip) {
        const char* in = text;
        char* out = text;
        while (*in) {
            if (static_cast<unsigned char>(*in) != OLI_Report_Format::control_byte) {
                *out++ = *in++;
                continue;
            }
            ++in;                    // the control byte
            if (*in == '\0') break;  // at the end of the text: nothing follows
            if (*in != '{') {
                ++in;                // its one character
                continue;
            }
            ++in;                    // a group runs to its '}'
            while (*in && *in != '}' && *in != '\n') ++in;
            if (*in == '}') ++in;    // a line end stays; the text's end ends it all
        }
        *out = '\0';
    }
    if (convert) {
        for (char* p = text; *p; ++p) {
            unsigned char c = static_cast<unsigned char>(*p);
            if (c >= 0x80)
                *p = static_cast<char>(cp850_to_cp1252[c - 0x80]);
            else if (c == 0x0F)
                *p = static_cast<char>(0xA4);
            else if (c == 0x14)
                *p = static_cast<char>(0xB6);
            else if (c == 0x15)
                *p = static_cast<char>(0xA7);
        }
    }
}
