#include "report/report_layout.h"

#include "report/oli_channel.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Starts a keyword line in the first column: a line the text channel left pending in
// this stream is ended first.
bool Begin_Keyword(FILE* stream)
{
    return stream && OLI_Finish_Pending_Line(stream) == 0;
}

unsigned Hex(int value) { return static_cast<unsigned>(value); }
double Cm(float cm) { return static_cast<double>(cm); }

std::unique_ptr<OLI_Table> current_table;

} // namespace

void OLI_setFlags(FILE* stream, int flags)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_FLAGS " 0x%x\n", Hex(flags));
}

void OLI_reserveSpaceCM(FILE* stream, float cm)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_RESERVE " %.6g\n", Cm(cm));
}

void OLI_setYPositionCM(FILE* stream, int mode, float cm)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_YPOS " %d %.6g\n", mode, Cm(cm));
}

void OLI_setMarginsCM(FILE* stream, int mode, float left, float right)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_MARGINS " %d %.6g %.6g\n", mode, Cm(left), Cm(right));
}

void OLI_storeYPosition(FILE* stream, int slot)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_STORE_Y " %d\n", slot);
}

void OLI_restoreYPosition(FILE* stream, int slot)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_RESTORE_Y " %d\n", slot);
}

void OLI_setBookmark(FILE* stream, int mode, const char* text)
{
    if (!Begin_Keyword(stream)) return;
    if (!text) {
        std::fprintf(stream, OLI_KEYWORD_BOOKMARK " %d\n", mode);
        return;
    }
    std::string line = OLI_KEYWORD_BOOKMARK " " + std::to_string(mode) + " \xAE";
    for (const char* p = text; *p; ++p) line += (*p == '\n' || *p == '\r') ? ' ' : *p;
    line += "\xAF\n";
    std::fputs(line.c_str(), stream);
}

void OLI_setLayout(FILE* stream, int layout)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_LAYOUT " 0x%x\n", Hex(layout));
}

void OLI_setConvertionFlags(FILE* stream, int flags)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_CONVERSION " %d\n", flags);
}

void OLI_setMarginsChar(FILE* stream, int mode, int left, int right)
{
    if (Begin_Keyword(stream)) std::fprintf(stream, OLI_KEYWORD_MARGINS_CHAR " %d %d %d\n", mode, left, right);
}

void OLI_resetMaxMargin(FILE* stream)
{
    if (Begin_Keyword(stream)) std::fputs(OLI_KEYWORD_RESET_MAX_MARGIN "\n", stream);
}

int MT_String_Length(const char* text)
{
    if (!text) return 0;
    int n = 0;
    for (const char* p = text; *p;) {
        if (static_cast<unsigned char>(*p) == OLI_Report_Format::control_byte) {
            ++p;
            if (*p == '{') {
                while (*p && *p != '}' && *p != '\n') ++p;
                if (*p == '}') ++p;
            } else if (*p) {
                ++p;
            }
            continue;
        }
        if (*p != '\n' && *p != '\r') ++n;
        ++p;
    }
    return n;
}

OLI_Table* readOLITableFromFILE(FILE* stream)
{
    current_table.reset();
    if (!stream) return nullptr;
    auto table = std::make_unique<OLI_Table>();
    bool inside = false;
    std::string line;
    for (int c = std::fgetc(stream);; c = std::fgetc(stream)) {
        if (c != EOF && c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!inside) {
            inside = line == "#SHOWTABLE";
        } else if (line == "#END_OF_TEXT") {
            break;
        } else if (c != EOF || !line.empty()) {
            table->lines.push_back(line);
        }
        if (c == EOF) break;
        line.clear();
    }
    if (!inside) return nullptr;
    current_table = std::move(table);
    return current_table.get();
}

void deleteOLITable(OLI_Table* table)
{
    if (!table || table == current_table.get()) current_table.reset();
}
