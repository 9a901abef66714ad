#pragma once
// Paragraph attributes and tab stops of the report text channel.
//
// The setters change the requested attributes; the channel compares them with those in
// effect at the next text and writes a paragraph change when they differ. The space
// before is consumed once written, so several OLI_Add_Paragraph_Space calls before the
// next text add up and act once. Tab stops last until the end of the paragraph block in
// which they were set (OLI_End_Text_Block clears them) or until they are cleared.
//
// Every operation that touches the attributes initialises the channel first; the tab
// operations do not (tab stops set before the channel's first use are lost). Lengths
// are centimetres.
#include <cstdint>

void OLI_Reset_Text_Attributes();
void OLI_Set_Text_Style(int style);
void OLI_Add_Paragraph_Space(double cm);
// Marks the paragraph in effect so that the next text starts a new one (transition bit
// 0x2000) even when the requested attributes are unchanged.
void OLI_Force_New_Paragraph();
void OLI_Set_Space_After(double cm);
void OLI_Set_Line_Factor(double factor);
void OLI_Set_Text_Indent(double cm);
void OLI_Set_Second_Indent(double cm);
// Takes bits 0x08, 0x80 and 0x100 from flags; the other bits stay.
void OLI_Set_Paragraph_Flags(uint32_t flags);

int OLI_Get_Text_Style();
double OLI_Get_Space_After();
double OLI_Get_Line_Factor();
double OLI_Get_Text_Indent();
double OLI_Get_Second_Indent();

void OLI_Clear_Tab_Stops();
// n stops at positions (cm), each of kinds[i] or, when kinds is null, of kind. More than
// 100 are cut to 100; n <= 0 or no positions clears the stops.
void OLI_Set_Tab_Stops(int kind, const int* kinds, const double* positions, int n);
// One stop repeated every spacing cm; a spacing <= 0 clears the stops.
void OLI_Set_Tab_Grid(int kind, double spacing);
