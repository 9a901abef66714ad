#pragma once
// Dimension lines of the drawing writer: the distance between two points drawn as a
// dimension line that runs on by `size` beyond both points, extension marks at right
// angles (4 * size on the text side, 2 * size on the other), end marks (45-degree ticks,
// or dots while dimension option bit 8 is set) and the measured value as text beside the
// middle of the line, with an optional smaller text raised after it.
//
// Every dimension is one group of the report graphic (records 30/31, with 52/53 while
// colour records are on) and, while a drawing file is open, is drawn there with pen 1,
// line type 0 and font 2; pen, filling, line type, font, text angle and rotation are as
// before afterwards. The group saves into the plot state's single slot, so a dimension
// drawn inside a caller's group overwrites what that group saved.
//
// Units: points are drawing units; `size` is a record-unit length (centimetres on the
// page), divided by the x or the y scale of the open graphic where it becomes a length
// in the drawing.
//
// Dimension options (Plot_Set_Dimension_Options): bit 1 drops the extension and end mark
// at the first point, bit 2 those at the second, bit 8 draws dots of 0.075 record units
// instead of ticks, bit 16 keeps the scaled and metre dimensions in plain units.
//
// Staggering: a dimension too short for its text (placement 0) moves the text further
// off the line, alternately 2.8 and 4.0 times 2 * size while the dimension flag is set,
// so that the texts of neighbouring short dimensions do not overlap. The alternation
// restarts with every graphic (Plot_Begin_Graphic) and every dimension whose text fits.

// Placement codes of the dimension text.
constexpr int PLOT_DIM_BEFORE_FIRST = -1;  // beside the line, before the first point
constexpr int PLOT_DIM_MIDDLE = 0;         // beside the middle; staggered when short
constexpr int PLOT_DIM_AFTER_SECOND = 1;   // beside the line, after the second point
constexpr int PLOT_DIM_MIDDLE_OR_BEFORE = -2;  // middle when it fits, else before
constexpr int PLOT_DIM_MIDDLE_OR_AFTER = 2;    // middle when it fits, else after

// Dimension option bits.
constexpr int PLOT_DIM_NO_FIRST_MARK = 1;
constexpr int PLOT_DIM_NO_SECOND_MARK = 2;
constexpr int PLOT_DIM_DOTS = 8;
constexpr int PLOT_DIM_PLAIN_UNITS = 16;

// The core: dimension from (x1, y1) to (x2, y2) labelled with text and the raised text
// (null or empty: none). fit_width is the text's width in drawing units: with placement 0
// a dimension whose length (rounded to 2 decimals) is below it counts as too short and
// its text is staggered. Placements -1 and 1 put the text outside the measured length;
// any other code beside the middle without staggering.
// Result: how far the text was moved off its ordinary place, in units of 2 * size / y
// scale: 0 for a text in its ordinary place, 2.0 or 3.2 for a staggered one. A length
// below 0.01, or one that is not a finite number, draws only the group records and
// gives 0.
double Plot_Draw_Dimension(double x1, double y1, double x2, double y2, double size,
                           const char* text, const char* raised_text, double fit_width,
                           int placement);

// Dimension labelled with its own length rounded to one decimal: the whole units as text
// and the first decimal as raised digit (24.5 reads "24" with a raised "5"; 24.0 reads
// "24" with a raised blank). Placements -2 and 2 choose between the middle and the side
// by whether the text (2 * size / larger scale per character) fits the whole units.
// Result as Plot_Draw_Dimension.
double Plot_Draw_Length_Dimension(double x1, double y1, double x2, double y2, double size,
                                  int placement);

// Dimension labelled with its length divided by the unit factor, rounded to halves: a
// remainder from 0.75 up gives the next whole number, from 0.25 up the whole number with a
// raised "5", below that the whole number alone. Values below 100 read "%.0f"; from 100
// up "%.2f" of a hundredth of the value (centimetres as metres) unless option bit 16 is
// set. The magnitude of the factor counts; a factor within 1e-5 of 0 draws nothing and
// gives 0.
double Plot_Draw_Scaled_Dimension(int placement, double x1, double y1, double x2, double y2,
                                  double size, double unit_factor);
// The same with the placement last.
double Plot_Draw_Scaled_Dimension_Checked(double x1, double y1, double x2, double y2,
                                          double size, double unit_factor, int placement);

// Dimension of a length in metres, rounded to 3 decimals: below 1 m (option bit 16 clear)
// as whole centimetres, otherwise as metres with two decimals; either with a raised "5"
// for a half centimetre. Placement 0. A length below 0.01 draws nothing (not even a
// group) and gives 0.
double Plot_Draw_Metre_Dimension(double x1, double y1, double x2, double y2, double size);

// Plot_Draw_Length_Dimension of the two points moved by offset (drawing units) at right
// angles to the left of the direction from the first to the second point.
double Plot_Draw_Offset_Dimension(double x1, double y1, double x2, double y2, double offset,
                                  double size, int placement);
