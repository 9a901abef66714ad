#include "report/collected_lists.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "base/utilities.h"
#include "report/cell_texts.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/report_layout.h"
#include "report/text_writer.h"
#include "base/message_sink.h"

Collected_List collected_lists = {
    {},
    nullptr,
    nullptr,
    {},
    {},
    {},
    {0.0, 50.0, 0.0},
};

namespace {

bool Valid_List(int list) { return list >= 0 && list < COLLECTED_LIST_COUNT; }

// The open flags and the types are taken on first use.
void Ensure_Arrays()
{
    Collected_List& c = collected_lists;
    if (c.open_flags) return;
    size_t bytes = sizeof(int32_t) * COLLECTED_LIST_COUNT;
    c.open_flags = static_cast<int32_t*>(Realloc_Or_Exit(nullptr, bytes, 1));
    c.types = static_cast<int32_t*>(Realloc_Or_Exit(nullptr, bytes, 1));
    for (int i = 0; i < COLLECTED_LIST_COUNT; ++i) c.types[i] = 1;
}

bool Is_Open(int list)
{
    if (!Valid_List(list)) return false;
    Ensure_Arrays();
    return collected_lists.open_flags[list] != 0;
}

int Slot_Count(int list)
{
    int n = collected_lists.counts[list] + collected_lists.blank_counts[list];
    return std::clamp(n, 0, COLLECTED_LIST_ENTRIES);
}

// An entry of blanks only (the empty entry included) keeps its slot as an empty line.
bool Is_Blank(const char* entry)
{
    for (const char* p = entry; *p; ++p)
        if (*p != ' ') return false;
    return true;
}

bool Is_Continuation(const char* entry) { return entry[0] == '+'; }

void Close_List(int list) { collected_lists.open_flags[list] = 0; }

void End_Open_Paragraph(FILE* stream)
{
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);
}

// A list with two or three columns: each entry a cell, each blank entry a small space.
void Flush_Columns(int list, FILE* stream)
{
    Collected_List& c = collected_lists;
    if (c.types[list] == 3)
        OLI_Begin_Columns_3(c.column_positions[0], c.column_positions[1], c.column_positions[2]);
    else
        OLI_Begin_Columns_2(c.column_positions[0], c.column_positions[1]);
    int slots = Slot_Count(list);
    for (int i = 0; i < slots; ++i) {
        const char* entry = c.entries[list][i];
        if (Is_Blank(entry)) {
            OLI_Add_Paragraph_Space(0.19);
            continue;
        }
        OLI_Write_Column_Cell(stream, "%s", Is_Continuation(entry) ? entry + 1 : entry);
    }
    OLI_End_Columns(stream);
    c.types[list] = 1;
}

// A plain list as the lines of a table block.
void Flush_Table(int list, int mode, FILE* stream)
{
    Collected_List& c = collected_lists;
    End_Open_Paragraph(stream);
    std::fputs("#SHOWTABLE\n 0 0 0\n 0 0 -1 -1\n", stream);
    int slots = Slot_Count(list);
    for (int i = 0; i < slots; ++i) {
        const char* entry = c.entries[list][i];
        if (Is_Blank(entry)) {
            std::fputs(" \n", stream);
            continue;
        }
        bool continued = Is_Continuation(entry);
        const char* text = continued ? entry + 1 : entry;
        switch (mode) {
        case 1:
            if (continued) std::fprintf(stream, "   %s\n", text);
            else std::fprintf(stream, " " OLI_SEQ_SUP "o" OLI_SEQ_RESET " %s\n", text);
            break;
        case 2:
            if (continued) std::fprintf(stream, "    %s\n", text);
            else std::fprintf(stream, " %2d %s\n", i, text);
            break;
        case 3:
            if (continued) std::fprintf(stream, "     %s !\n", text);
            else std::fprintf(stream, " >>> %s !\n", text);
            break;
        default:
            std::fprintf(stream, " %s\n", text);
            break;
        }
    }
    std::fputs("#END_OF_TEXT\n", stream);
}

// A plain list as running text: comment lines (mode 4) or plain lines.
void Flush_Text(int list, int mode, FILE* stream)
{
    Collected_List& c = collected_lists;
    int slots = Slot_Count(list);
    for (int i = 0; i < slots; ++i) {
        const char* entry = c.entries[list][i];
        if (Is_Blank(entry)) {
            OLI_Printf(stream, "\n");
            continue;
        }
        bool continued = Is_Continuation(entry);
        if (mode == 4) {
            if (!continued) OLI_Write_Comment(stream, "%s", entry);
        } else {
            OLI_Printf(stream, "%s\n", continued ? entry + 1 : entry);
        }
    }
}

} // namespace

void OLI_Open_Collected_List(int list)
{
    if (!Valid_List(list)) return;
    Ensure_Arrays();
    Collected_List& c = collected_lists;
    c.open_flags[list] = 1;
    c.counts[list] = 0;
    c.blank_counts[list] = 0;
    c.widest[list] = 0;
}

void OLI_Open_Collected_List_2(int list, double first_cm, double second_cm)
{
    if (!Valid_List(list)) return;
    OLI_Open_Collected_List(list);
    collected_lists.types[list] = 2;
    collected_lists.column_positions[0] = first_cm;
    collected_lists.column_positions[1] = second_cm;
}

void OLI_Open_Collected_List_3(int list, double first_cm, double second_cm, double third_cm)
{
    if (!Valid_List(list)) return;
    OLI_Open_Collected_List(list);
    collected_lists.types[list] = 3;
    collected_lists.column_positions[0] = first_cm;
    collected_lists.column_positions[1] = second_cm;
    collected_lists.column_positions[2] = third_cm;
}

int OLI_Collected_List_Is_Open(int list) { return Is_Open(list) ? 1 : 0; }

void OLI_Add_To_Collected_List(int list, const char* format, ...)
{
    if (!Is_Open(list) || !format) return;
    Collected_List& c = collected_lists;
    int slot = c.counts[list] + c.blank_counts[list];
    if (slot < 0 || slot >= COLLECTED_LIST_ENTRIES) return;

    char* entry = c.entries[list][slot];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(entry, COLLECTED_ENTRY_SIZE, format, args);
    va_end(args);
    if (n < 0) entry[0] = '\0';

    if (Is_Blank(entry)) {
        ++c.blank_counts[list];
        return;
    }
    int count = ++c.counts[list];
    int width = MT_String_Length(entry);
    switch (c.types[list]) {
    case 2:
        if (count % 2 == 0)
            c.widest[list] = std::max(c.widest[list], static_cast<int>(std::lround(width + c.column_positions[1])));
        break;
    case 3:
        if (count % 3 == 0)
            c.widest[list] = std::max(c.widest[list], static_cast<int>(std::lround(width + c.column_positions[2])));
        break;
    default:
        c.widest[list] = std::max(c.widest[list], width);
        break;
    }
}

const char* OLI_Get_Collected_Entry(int list, int index)
{
    if (!Is_Open(list) || index < 0 || index >= Slot_Count(list)) return "?????";
    return collected_lists.entries[list][index];
}

int OLI_Collected_List_Size(int list)
{
    if (!Valid_List(list)) return 0;
    return collected_lists.counts[list] + collected_lists.blank_counts[list];
}

void OLI_Drop_Collected_Entries(int list, int n)
{
    if (!Valid_List(list)) return;
    int& count = collected_lists.counts[list];
    count = std::max(0, count - n);
}

void OLI_Flush_Collected_List(int list, int mode, FILE* stream)
{
    if (!Is_Open(list)) return;
    if (stream) {
        int type = collected_lists.types[list];
        if (type == 2 || type == 3)
            Flush_Columns(list, stream);
        else if (mode < 4)
            Flush_Table(list, mode, stream);
        else
            Flush_Text(list, mode, stream);
    }
    Close_List(list);
}

void OLI_Write_Collected_List_At(FILE* stream, int list, int compact, double width_cm)
{
    if (!Is_Open(list)) return;
    const Collected_List& c = collected_lists;
    double entries = c.counts[list];
    double blanks = c.blank_counts[list];
    double line = compact ? 0.286 : 0.38;
    double height;
    switch (c.types[list]) {
    case 2: height = (entries * 0.5 + 0.8) * line + blanks * 0.19; break;
    case 3: height = (entries / 3.0 + 0.8) * line + blanks * 0.19; break;
    default: height = (entries + 0.8) * line + blanks * 0.38; break;
    }
    double width = width_cm < 0.0 ? c.widest[list] * 0.18 : width_cm;

    End_Open_Paragraph(stream);
    OLI_reserveSpaceCM(stream, static_cast<float>(height + 0.5));
    int slot = OLI_Store_Position(stream);
    Plot_Begin_Graphic_Uniform(stream, 0.0, 0.0, width, height, 1.0, 0.0, nullptr);
    Plot_Draw_Rectangle(0.0, 0.0, width, height);
    Plot_End_Graphic_Block();
    OLI_Restore_Position(stream, slot);
    OLI_setYPositionCM(stream, 1, 0.19f);

    double left = OLI_Get_Left_Margin();
    OLI_Set_Left_Margin(stream, left + 0.3);
    OLI_Flush_Collected_List(list, compact ? 4 : 0, stream);
    OLI_Set_Left_Margin(stream, left);
}

void OLI_Write_Collected_List(FILE* stream, int list, double width_cm)
{
    OLI_Write_Collected_List_At(stream, list, 0, width_cm);
}

void OLI_Write_Collected_List_Compact(FILE* stream, int list, double width_cm)
{
    int32_t previous = oli_comment_switch;
    oli_comment_switch = 1;
    OLI_Write_Collected_List_At(stream, list, 1, width_cm);
    oli_comment_switch = previous;
}

// ---------------------------------------------------------------------------------
// The message sink's messages in the report

void Msg_Write_Current_To_Report(FILE* report)
{
    constexpr int report_list = 4;
    std::vector<std::string> texts;
    if (!Msg_Current_Plain_Texts(&texts)) return;
    OLI_Open_Collected_List(report_list);
    // The report marks the entries bold itself; the screen's style pairs stay out.
    for (const std::string& text : texts)
        OLI_Add_To_Collected_List(report_list, OLI_SEQ_BOLD "%s", text.c_str());
    OLI_Write_Collected_List(report, report_list, -1.0);
}
