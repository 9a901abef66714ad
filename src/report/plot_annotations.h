#pragma once
// Annotated reinforcement lines and diagrams of values along a member, drawn through the
// primitives into the report graphic and an open drawing file, each as one group (the
// text angle, the rotation and, with a drawing file, pen, filling, line type and font are
// put back at its end).
//
// Sizes are record units (centimetres on the page), turned into drawing units by the x
// scale for x components and the y scale for y components. Texts are code page 850.
#include <cstdint>

// Steel grades of the reinforcement annotation by index: 0 "BSt 220/340", 1 "BSt 420S",
// 2 "BSt 500S"; any other index has no name.
const char* Plot_Rebar_Grade_Name(int index);
// Bar diameters of the reinforcement annotation in mm by index 0 to 9: 6, 8, 12, 14, 16,
// 18, 20, 22, 25, 28; any other index gives 0.
int Plot_Rebar_Diameter_Mm(int index);

// A reinforcement line from (x1, y1) to (x2, y2) with its data. Nothing, and 0, when the
// line is shorter than 5 drawing units; else 1 for one group: pen class 1, solid; the
// line run on by size beyond both ends, marks at right angles at both ends (6 * size to
// the left of its direction and 4.4 * size to the right), 45-degree ticks
// (0.6 * sqrt 2 * size); then along the line (text angle of its direction), text height
// 2.1 * size and record " 8 6": the area "%5.2f cm²" at 1.6 * size left of the line, the
// diameter glyph of the symbol font "DURCHM.OCM" and "   %d/%4.1f" (bar diameter,
// spacing) at 4.8 * size; at text height 1.8 * size "C=%.0fcm V=%.0f" (cover * 100, the V
// value) at 1.6 * size right of it and the grade name, with " Nr. %i" when number is 1 or
// more, at 4.0 * size right of it. Texts are centred on the middle of the line.
int Plot_Draw_Rebar_Annotation(double x1, double y1, double x2, double y2, double size,
                               int grade_index, int diameter_index, double area,
                               double spacing, double cover, double v_value, int number);

// A bar mark written heavy: the number ("%d") as four plain texts (Plot_Write_Text_Plain)
// at (x, y), (x + 0.01, y), (x + 0.02, y) and (x + 0.03, y), drawing units, whose strokes
// run together into one bold mark. In an open drawing file the four are one group
// ("-opengroup" ... "-closegroup"), so that the plan tool moves them as one.
void Plot_Write_Drawing_Text_Block(double x, double y, int number);

// Values along a member. The arrays belong to the record: Member_Diagram_Init allocates
// them, Member_Diagram_Copy copies them, Member_Diagram_Free frees them. An allocation
// failure ends the run (allocation layer).
struct Member_Diagram {
    double x1, y1, x2, y2;   // the member's ends, drawing units
    int32_t side;            // 0: positive values on the left of the member's direction,
                             // otherwise on its right
    int32_t fill_index;      // of the area under the values (11)
    int32_t member_pen;      // pen class of the member line (1)
    int32_t outline_pen;     // pen class of the outline and the ordinates (2)
    int32_t n;               // number of values
    double* positions;       // n distances from the first end along the member, drawing units
    double* values;          // n values
    double value_scale;      // record units per unit of value (1.0)
    int32_t decimals;        // of the value labels, 0 to 9 (2)
    double text_height;      // of the labels, record units (0.25)
    int32_t first_letter;    // letter at the first end, the next one at the second;
                             // 0: no letters ('A')
};

// Sets the ends to 0, the fields to the defaults given above and n (a negative n gives 0)
// and allocates two zeroed arrays of n doubles (none for n = 0). Arrays the record held
// before are not freed.
void Member_Diagram_Init(Member_Diagram* diagram, int n);
// Deep copy: the destination's arrays are freed, then the record and its arrays are
// copied. Copying a record onto itself changes nothing.
void Member_Diagram_Copy(Member_Diagram* destination, const Member_Diagram* source);
// Frees the two arrays; n becomes 0.
void Member_Diagram_Free(Member_Diagram* diagram);

// Draws the diagram: nothing when the member is shorter than 0.1 record units, n is below
// 1 or an array is missing; else one group: the member line, the area between it and the
// values (at right angles, value * value_scale record units from it) filled with the fill
// index while colour output is on and outlined, the ordinates in the dash pattern
// "0.1 0.1", each value labelled with the record's decimals beyond its point, and the
// ends' letters in circles on filled discs just beyond the member's ends.
void Plot_Draw_Member_Diagram(const Member_Diagram* diagram);
