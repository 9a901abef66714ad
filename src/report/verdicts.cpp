#include "report/verdicts.h"

#include <cstdio>
#include <string>

#include "report/oli_channel.h"

int verdict_failed = 0;
int colours_off = 0;
const char* report_line_prefix = "";
int ec3_condition_note_pending = 0;

void Set_Colours_Off(int flag) { colours_off = flag; }

namespace {

// A colour group with the first number 1 and the red, green and blue parts.
std::string Colour_Group(int red, int green, int blue)
{
    char group[48];
    std::snprintf(group, sizeof group, OLI_SEQ_GROUP "C %d %d %d %d}", 1, red, green, blue);
    return group;
}

// Copies the text into the function's buffer. The buffer keeps its storage while the text
// fits, so a text returned by an earlier call of the same function stays readable (with
// the new contents), as a static buffer would.
const char* Keep(std::string& buffer, const std::string& text)
{
    buffer.assign(text);
    return buffer.c_str();
}

const char* Text_Or_Empty(const char* text) { return text ? text : ""; }

} // namespace

// ---------------------------------------------------------------------------------
// Colour switches

const char* Get_Blue_Colour_Code()
{
    static std::string buffer;
    return Keep(buffer, Colour_Group(40, 140, 255));
}

const char* Get_Red_Colour_Code()
{
    static std::string buffer;
    return Keep(buffer, Colour_Group(230, 0, 0));
}

const char* Get_Purple_Colour_Code()
{
    static std::string buffer;
    return Keep(buffer, Colour_Group(165, 75, 165));
}

const char* Get_Grey_Colour_Code()
{
    static std::string buffer;
    return Keep(buffer, Colour_Group(110, 110, 110));
}

const char* Get_Colour_Off_Code()
{
    static std::string buffer;
    char group[24];
    std::snprintf(group, sizeof group, OLI_SEQ_GROUP "C %d}", 768);
    return Keep(buffer, group);
}

// ---------------------------------------------------------------------------------
// Verdict words

namespace {

// Colour switch, piece, switch back; the empty text with colours off.
const char* Verdict_Word(std::string& buffer, const char* colour, const char* piece)
{
    if (colours_off) return Keep(buffer, "");
    return Keep(buffer, std::string(colour) + piece + Get_Colour_Off_Code());
}

} // namespace

const char* Get_Verdict_Ok()
{
    static std::string buffer;
    return Verdict_Word(buffer, Get_Blue_Colour_Code(), OLI_SEQ_EMPH "ok");
}

// A failed verdict is a failure whether or not it is shown in colour.
const char* Get_Verdict_Not_Ok()
{
    static std::string buffer;
    verdict_failed = 1;
    return Verdict_Word(buffer, Get_Red_Colour_Code(), OLI_SEQ_EMPH "nicht ok !!");
}

const char* Get_Verdict_Red_Marks()
{
    static std::string buffer;
    verdict_failed = 1;
    return Verdict_Word(buffer, Get_Red_Colour_Code(), OLI_SEQ_EMPH "!!");
}

const char* Get_Verdict_Purple_Marks()
{
    static std::string buffer;
    return Verdict_Word(buffer, Get_Purple_Colour_Code(), OLI_SEQ_EMPH "!!");
}

const char* Get_Verdict_Purple_Ok()
{
    static std::string buffer;
    return Verdict_Word(buffer, Get_Purple_Colour_Code(), "ok");
}

const char* Get_Verdict_EC3_Condition()
{
    static std::string buffer;
    return Verdict_Word(buffer, Get_Purple_Colour_Code(), "EC 3-Bedingung !!");
}

// ---------------------------------------------------------------------------------
// Coloured texts. The buffers grow with the text, so a long text is coloured like a short
// one and never mistaken for a failure.

const char* Colour_Text_Grey(const char* text)
{
    static std::string buffer;
    return Keep(buffer, std::string(Get_Grey_Colour_Code()) + Text_Or_Empty(text) + Get_Colour_Off_Code());
}

const char* Colour_Text_Purple(const char* text)
{
    static std::string buffer;
    return Keep(buffer,
                std::string(Get_Purple_Colour_Code()) + Text_Or_Empty(text) + Get_Colour_Off_Code());
}

const char* Colour_Text_Red_Marked(const char* text)
{
    static std::string buffer;
    verdict_failed = 1;
    return Keep(buffer, std::string(Get_Red_Colour_Code()) + OLI_SEQ_EMPH + Text_Or_Empty(text) + " !!" +
                            Get_Colour_Off_Code());
}

// ---------------------------------------------------------------------------------
// Verdict texts without a line end

const char* Get_Verdict_Proof_Done()
{
    static std::string buffer;
    return Keep(buffer, std::string(Get_Blue_Colour_Code()) + "Nachweis erbracht" + Get_Colour_Off_Code());
}

const char* Get_Verdict_Capacity_Not_Ensured()
{
    static std::string buffer;
    return Keep(buffer, std::string(Get_Red_Colour_Code()) + "Tragf\x84" "higkeit nicht gew\x84" "hrleistet !!" +
                            Get_Colour_Off_Code());
}

const char* Get_Verdict_Capacity_Unknown()
{
    static std::string buffer;
    return Keep(buffer, std::string(Get_Red_Colour_Code()) + "Tragf\x84" "higkeit nicht ermittelbar !!" +
                            Get_Colour_Off_Code());
}

// ---------------------------------------------------------------------------------
// Relation signs

const char* Get_Relation_Sign_Max(double value, double limit)
{
    static std::string buffer;
    if (value < limit - 0.001) return Keep(buffer, "<");
    if (value <= limit + 0.001) return Keep(buffer, "=");
    return Keep(buffer, std::string(Get_Red_Colour_Code()) + OLI_SEQ_EMPH ">" OLI_SEQ_RESET +
                            Get_Colour_Off_Code());
}

const char* Get_Relation_Sign_Min(double value, double limit)
{
    static std::string buffer;
    if (value > limit + 0.001) return Keep(buffer, ">");
    if (value >= limit - 0.001) return Keep(buffer, "=");
    return Keep(buffer, std::string(Get_Red_Colour_Code()) + OLI_SEQ_EMPH "<" OLI_SEQ_RESET +
                            Get_Colour_Off_Code());
}

const char* Get_Relation_Sign_Le(float a, float b)
{
    if (a < b) return "<";
    if (a == b) return "\xF3";
    return ">";
}

const char* Get_Relation_Sign_Le_Judged(float a, float b, int failed)
{
    if (failed) return ">";
    return a < b ? "<" : "\xF3";
}

const char* Get_Relation_Sign_Ge(float a, float b)
{
    if (a > b) return ">";
    if (a == b) return "\xF2";
    return "<";
}

// ---------------------------------------------------------------------------------
// Verdict lines

void OLI_Write_Failed_Line(FILE* stream, const char* text)
{
    if (!stream) return;
    OLI_Printf(stream, "%s%s%s%s", report_line_prefix, Get_Red_Colour_Code(), Text_Or_Empty(text),
               Get_Colour_Off_Code());
    // The mark (empty with colours off) raises the flag either way.
    OLI_Printf(stream, " %s\n", Get_Verdict_Red_Marks());
    verdict_failed = 1;
}

void OLI_Write_Warning_Line(FILE* stream, const char* text)
{
    if (!stream) return;
    OLI_Printf(stream, "%s%s%s !%s\n", report_line_prefix, Get_Purple_Colour_Code(), Text_Or_Empty(text),
               Get_Colour_Off_Code());
}

void OLI_Write_Proof_Failed_Line(FILE* stream, const char* reference)
{
    if (!stream) return;
    OLI_Printf(stream, "%s" OLI_SEQ_EMPH "Der Nachweis konnte nicht erbracht werden", report_line_prefix);
    if (reference && *reference) OLI_Printf(stream, ", s. %s", reference);
    OLI_Printf(stream, " %s\n", Get_Verdict_Red_Marks());
    verdict_failed = 1;
}

namespace {

void Write_Error_Line(FILE* stream, const char* what, const char* text)
{
    if (!stream) return;
    OLI_Printf(stream, "%s" OLI_SEQ_EMPH "%s%s", report_line_prefix, Get_Red_Colour_Code(), what);
    if (text && *text) OLI_Printf(stream, " %s", text);
    OLI_Printf(stream, "%s %s\n", Get_Colour_Off_Code(), Get_Verdict_Red_Marks());
    verdict_failed = 1;
}

} // namespace

void OLI_Write_Calculation_Error_Line(FILE* stream, const char* text)
{
    Write_Error_Line(stream, "Fehler bei der Berechnung", text);
}

void OLI_Write_Data_Check_Error_Line(FILE* stream, const char* text)
{
    Write_Error_Line(stream, "Fehler beim Datencheck", text);
}

void OLI_Write_Ok_Line(FILE* stream, const char* text)
{
    if (!stream) return;
    OLI_Printf(stream, "%s%s  %s\n", report_line_prefix, Text_Or_Empty(text), Get_Verdict_Ok());
}

void OLI_Write_Not_Calculated_Line(FILE* stream, const char* name)
{
    if (!stream) return;
    OLI_Printf(stream, "%s", report_line_prefix);
    if (name && *name) OLI_Printf(stream, "%s: ", name);
    OLI_Printf(stream, "Berechnung nicht durchgef\x81" "hrt %s\n", Get_Verdict_Purple_Marks());
}

void OLI_Write_EC3_Condition_Note(FILE* stream)
{
    if (!stream || !ec3_condition_note_pending) return;
    OLI_Printf(stream, "%s%sBedingung nach EC 3-1-8 sollte eingehalten werden%s\n", report_line_prefix,
               Get_Purple_Colour_Code(), Get_Colour_Off_Code());
    ec3_condition_note_pending = 0;
}
