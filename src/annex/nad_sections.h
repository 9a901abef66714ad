#pragma once
// Shared pieces of the annex code: the search for a section line in an annex text file,
// the diagnostic trace switch of the part readers, their read status, and the edition
// switches that choose between editions of a standard.
#include <cstdio>
#include <string>
#include <vector>

// While non-zero, the part readers write a trace line (part name and block version, or a
// failure line) to standard output and NAD_Find_Section writes every line it skips.
extern int nad_trace;

// Searches from the current position for a line that begins with the keyword.
// 1: found; with a version pointer, an integer right behind the keyword is stored there;
//    the stream stands behind that line.
// 2: a line beginning with the stop tag came first (null stop tag: none); the stream is
//    back where the search began.
// 0: neither before the end of the stream (or a null stream/keyword); the stream is back
//    where the search began.
// Lines may end in LF or CR LF.
int NAD_Find_Section(FILE* stream, const char* keyword, const char* stop_tag, int* version);

// Read status of the part readers. A part reader that meets a short or malformed section
// keeps what it read (defaults for the rest) and notes the failure here, so that a loader
// can tell a damaged annex file from a sound one: clear before reading, ask afterwards.
void NAD_Clear_Read_Failures();
void NAD_Note_Read_Failure(const char* part_name);
// Number of failures noted since the last clear.
int NAD_Read_Failure_Count();
// The part names noted since the last clear, in order, separated by ", " (e.g. "EC2, EC5").
std::string NAD_Read_Failure_Parts();
// The same one by one; a part whose section is missing altogether is noted as
// "<part> fehlt", the file's head as "NAD".
std::vector<std::string> NAD_Read_Failure_List();

// Edition switches.
// DIN 1045-1: 1 = July 2001 with corrigendum 2 and the technical reports of 2003 (start
// value); 0 = August 2008 and the reports of 2009.
extern int din1045_1_edition;
// Not 0: the fire part of EN 1992 is cited as the prestandard ENV 1992-1-2 (start value 0).
extern int en1992_1_2_edition;
// Not 0: EN 1993-1-1 and EN 1993-1-8 are cited in their editions of 2022/2024 (start 0).
extern int en1993_edition;

void Set_DIN1045_1_Edition(int edition);
int Get_DIN1045_1_Edition();
void Set_EN1992_1_2_Edition(int edition);
int Get_EN1992_1_2_Edition();
void Set_EN1993_Edition(int edition);
int Get_EN1993_Edition();
// Back to citing EN 1993 in its older editions (the start value); the other switches stay.
void Reset_Edition_Switch();
