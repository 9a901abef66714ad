#pragma once
// The longitudinal-section graphic of the corbel: a scaled drawing of the column or beam
// and the corbel with bearing plate, loads and dimension lines and, in mode 1, the chosen
// reinforcement with bar labels and mandrel circles. It is written into the design report
// as a graphic block and, on request, into the position's stand-alone drawing file
// (spf_file_name).
//
// Model and paper are both measured in cm; at scale 1:N one model cm is 1/N cm of paper,
// so every fixed paper distance of k cm is k * N in the model. The model's y grows
// downward: the graphic's window runs from y = h + (m + 0.4) N at the bottom of the page
// to y = -0.4 N at the top (m the bottom margin: 1.2 cm for a load corbel on a beam, else
// 0.6 cm), and from x = -N to x = w + N (w, h the extents of Get_Corbel_Extents).
//
// The drawing file is named in cm at the factor 1/N, so its coordinate system reads
// "1:<100 N>" (the drawing writer names it for metres).
#include <cstdio>

struct Corbel_Model;

// Size of the last sized graphic (cm on the page): the box a fitted drawing must fill, set
// to 16.0 before each sizing by Place_Section_Graphic and Get_Section_Graphic_Height; read
// by the corbel report.
extern double graphic_width_cm;
extern double graphic_height_cm;

// Colours and fill indices of the section plot, refreshed at each sizing from the plot
// colour table.
enum Section_Pen : int {
    SECTION_CONCRETE_COLOUR,  // light grey
    SECTION_CONCRETE_FILL,    // fill style a (34)
    SECTION_REBAR_COLOUR,     // dark blue: main tie, inclined bars, longitudinal bars
    SECTION_REBAR_FILL,       // 64
    SECTION_REBAR2_COLOUR,    // green: stirrups, hangers of a beam-end corbel, scale label
    SECTION_REBAR2_FILL,      // 64
    SECTION_PLATE_COLOUR,     // grey: bearing plate
    SECTION_PLATE_FILL,       // fill style b (43)
    SECTION_PEN_COUNT
};
extern int section_plot_pens[SECTION_PEN_COUNT];

// Sizes the graphic and, with a report stream, draws it. The scale N (1:N) is taken when
// above 0.001 and the drawing then fits 17 cm x 22 cm of the page (else the first common
// scale at which it does, and the label names that scale); at 0.001 or below the scale is
// fitted into the box graphic_width_cm x graphic_height_cm
// (whole n, N = n / 100). Sets graphic_width_cm and graphic_height_cm and returns N; 0.0
// when the extents are below 1 cm (nothing drawn, the two sizes left as they are). Without
// a report stream nothing is drawn and no file is opened. With the plot-file flag the
// drawing file spf_file_name is written as well (when it cannot be opened, the report
// still gets the whole graphic). Mode 0: the geometry with the strut-and-tie lines; mode 1:
// the chosen reinforcement (only while the model's "Bewehrung wählen" is on). Each label
// stands where the drawing's rules put it, or as near to it as it crosses no line and no
// other label (report/plot_label_room.h), in the report and in the drawing file alike.
double Draw_Section_Plot(const Corbel_Model* model, FILE* report, int plot_file, double scale,
                         int mode);

// Sizes the graphic in a 16 cm box, ends the report's open text block, reserves the
// graphic's height in the report layout, stores the y position (slot 2), draws the graphic
// and resets the margins. Returns the scale N used; 0.0 at once, without touching the
// report, when mode is 1 and no reinforcement is chosen. With extents below 1 cm the
// default 16 cm are reserved and nothing is drawn. Without a report stream it only sizes:
// the report channel and layout are not touched at all.
double Place_Section_Graphic(const Corbel_Model* model, double scale, FILE* report,
                             int plot_file, int mode);

// The height in cm that Place_Section_Graphic would reserve for the same arguments, without
// drawing anything.
double Get_Section_Graphic_Height(const Corbel_Model* model, double scale, int mode);
