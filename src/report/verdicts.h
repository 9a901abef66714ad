#pragma once
// Verdict lines and report colours.
//
// Ready-made pieces of report text (code page 850 with the channel's in-band sequences)
// that say whether a check is met: colour switches, short verdict words, relation signs
// between a value and its limit, coloured texts and whole verdict lines. Every piece that
// reports a failure raises verdict_failed, from which the corbel report learns whether the
// design as a whole failed.
//
// Each function returning a text keeps it in a buffer of its own that the next call of the
// SAME function overwrites; texts of different functions may be used together in one
// formatted line.
#include <cstdio>

// 1 once a failed verdict was produced; the corbel report resets and reads it.
extern int verdict_failed;
// When set, the verdict words, marks and the fall-back of the coloured texts are empty
// texts (a failure still raises verdict_failed). The program never sets it.
extern int colours_off;
// Written at the start of every verdict line; the empty text.
extern const char* report_line_prefix;
// One-shot flag of OLI_Write_EC3_Condition_Note; nothing in the program sets it.
extern int ec3_condition_note_pending;

void Set_Colours_Off(int flag);

// Colour switches: "\xCE{C 1 r g b}"; the switch back is "\xCE{C 768}". They do not look
// at colours_off.
const char* Get_Blue_Colour_Code();    // 40 140 255: positive verdicts
const char* Get_Red_Colour_Code();     // 230 0 0: failed verdicts and errors
const char* Get_Purple_Colour_Code();  // 165 75 165: warnings
const char* Get_Grey_Colour_Code();    // 110 110 110: grey texts
const char* Get_Colour_Off_Code();     // back to the normal colour

// Verdict words: colour switch, piece, switch back; the empty text with colours off.
const char* Get_Verdict_Ok();            // blue "\xCEHok"
const char* Get_Verdict_Not_Ok();        // red "\xCEHnicht ok !!", raises verdict_failed
const char* Get_Verdict_Red_Marks();     // red "\xCEH!!", raises verdict_failed
const char* Get_Verdict_Purple_Marks();  // purple "\xCEH!!"
const char* Get_Verdict_Purple_Ok();     // purple "ok"
const char* Get_Verdict_EC3_Condition(); // purple "EC 3-Bedingung !!"

// Coloured texts: colour switch, text, switch back, whatever colours_off says; a text of
// any length is returned whole. Colour_Text_Red_Marked writes red, emphasis, the text and
// " !!" and raises verdict_failed. A null text counts as empty.
const char* Colour_Text_Grey(const char* text);
const char* Colour_Text_Purple(const char* text);
const char* Colour_Text_Red_Marked(const char* text);

// Verdict texts without a line end; none raises verdict_failed.
const char* Get_Verdict_Proof_Done();            // blue "Nachweis erbracht"
const char* Get_Verdict_Capacity_Not_Ensured();  // red: capacity not ensured
const char* Get_Verdict_Capacity_Unknown();      // red: capacity not determinable

// Relation signs between a value and its limit (tolerance 0.001); the failing sign is
// red and emphasised. They never raise verdict_failed and ignore colours_off.
const char* Get_Relation_Sign_Max(double value, double limit);  // "<", "=", red ">"
const char* Get_Relation_Sign_Min(double value, double limit);  // ">", "=", red "<"
// Compared in single precision: "<", the report font's less-or-equal sign 0xF3, ">".
const char* Get_Relation_Sign_Le(float a, float b);
// ">", the greater-or-equal sign 0xF2, "<".
const char* Get_Relation_Sign_Ge(float a, float b);
// The sign between a value and its limit in a check that decides with a tolerance of its
// own: ">" exactly when the check failed, else "<" or the less-or-equal sign (a value
// above the limit within the tolerance reads as equal), so that sign and verdict agree.
const char* Get_Relation_Sign_Le_Judged(float a, float b, int failed);

// Verdict lines, written through the report text channel and ended with a line end; a
// null stream writes nothing. A null text counts as empty.
void OLI_Write_Failed_Line(FILE* stream, const char* text);    // raises verdict_failed
void OLI_Write_Warning_Line(FILE* stream, const char* text);
void OLI_Write_Proof_Failed_Line(FILE* stream, const char* reference);  // raises
void OLI_Write_Calculation_Error_Line(FILE* stream, const char* text);  // raises
void OLI_Write_Data_Check_Error_Line(FILE* stream, const char* text);   // raises
void OLI_Write_Ok_Line(FILE* stream, const char* text);
void OLI_Write_Not_Calculated_Line(FILE* stream, const char* name);
void OLI_Write_EC3_Condition_Note(FILE* stream);
