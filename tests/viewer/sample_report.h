#pragma once
// A report and a drawing file written by the system's own report writers, for the
// viewer's tests and benchmark: the page head, numbered headings, paragraphs with tab
// stops, sub- and superscripts and verdict colours, the load table's block form, a
// row-wise table with rules, comment lines and a graphic of the corbel's kind (filled
// concrete, outlines, dimensions, label boxes, turned and anchored texts), which is also
// written as the drawing file. Header only, so that the benchmark can use it too.
#include "base/component_files.h"
#include "base/run_globals.h"
#include "report/drawing_file.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/page_head.h"
#include "report/plot_areas.h"
#include "report/plot_colour_records.h"
#include "report/plot_dimensions.h"
#include "report/plot_labels.h"
#include "report/plot_lines.h"
#include "report/plot_state.h"
#include "report/plot_texts.h"
#include "report/report_layout.h"
#include "report/table_blocks.h"
#include "report/text_writer.h"
#include "report/verdicts.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace sample {

// The corbel's outline in cm, its window and scale (1:10 on the page).
inline void Corbel_Graphic(FILE* report, FILE* drawing)
{
    const double x1 = -10.0, y1 = 93.0, x2 = 76.0, y2 = -4.0, scale = 0.1;
    Plot_Begin_Graphic(report, x1, y1, x2, y2, scale, scale, 0.0, nullptr);
    Plot_Set_Colour_Sections(1);
    if (drawing) {
        Plot_Open_Drawing_File(drawing, x1, y1, x2, y2, scale, 0.0, "%s: %s, L\x84ngsschnitt", "1", "Konsole");
        Plot_Set_Filling(0);
    }
    double x[] = {36, 66, 66, 36, 36, 0, 0, 36};
    double y[] = {23, 23, 63, 63, 83, 83, 0, 0};
    Plot_Set_Fill_Colour_RGB(224, 224, 224);
    Plot_Set_Fill_Index(34);
    Plot_Fill_Polygon(8, x, y);
    if (drawing) Plot_Set_Filling(-1);
    Plot_Set_Fill_Colour_RGB(0, 0, 0);
    Plot_Draw_Polyline(8, x, y);
    Plot_Set_Dash_Style(2);
    Plot_Draw_Line(36, 23, 36, 63);
    Plot_Set_Dash_Style(0);
    Plot_Set_Dimension_Options(24);
    Plot_Draw_Length_Dimension(36, 88, 66, 88, 0.1, 0);
    Plot_Draw_Length_Dimension(70, 23, 70, 63, 0.1, 0);
    Plot_Write_Sized_Label_Box(18, 87.4, 0.21, "36");
    Plot_Write_Text_Anchored(-6, 0, 2, 3, "Ma\xE1stab 1:%.1f", 10.0);
    Plot_Set_Text_Angle(1.5707963267948966);
    Plot_Write_Text_Centred_Angled(-3, 40, "St\x81tze");
    Plot_Set_Text_Angle(0.0);
    Plot_End_Graphic_Block();
    if (drawing) Plot_Close_Drawing_File();
}

// One chapter of the report: about two thirds of a page.
inline void Chapter(FILE* s, int n)
{
    OLI_Write_Heading_No_Bookmark(s, 1, 16, "Bemessung %d", n);
    OLI_Printf(s, "Beton C30/37: f" OLI_SEQ_SUB "ck" OLI_SEQ_RESET " = 30.0 N/mm" OLI_SEQ_SUP "2" OLI_SEQ_RESET
                  ", \xCC" OLI_SEQ_SUB "c" OLI_SEQ_RESET " \xF3 0.6" OLI_SEQ_SUP "." OLI_SEQ_RESET "f" OLI_SEQ_SUB
                  "ck" OLI_SEQ_RESET "\n");
    const double stops[] = {3.5, 7.0};
    OLI_Set_Tab_Stops(2, nullptr, stops, 2);
    OLI_Printf(s, "A" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET OLI_SEQ_TAB "= 250.0 kN" OLI_SEQ_TAB "%s\n", Get_Verdict_Ok());
    OLI_Printf(s, "H" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET OLI_SEQ_TAB "=  50.0 kN" OLI_SEQ_TAB "%s\n", Get_Verdict_Not_Ok());
    OLI_End_Text_Block(s);
    OLI_Write_Heading_No_Bookmark(s, 2, 0, "Lastkombinationen");
    OLI_End_Text_Block(s);
    std::fprintf(s, "#SHOWTABLE\n0 0 0\n1 1 -1 -1 3\n4.4 4.6 %.1f\n", 2 * 9.0 + 4.5);
    std::fprintf(s, " Lk       A" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET "      H" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET "\n");
    std::fprintf(s, "              kN       kN\n");
    for (int row = 0; row < 6; ++row) {
        std::fprintf(s, " %-4d", row + 1);
        OLI_Write_Cell_8_1(s, 100.0 + 25.0 * row);
        OLI_Write_Cell_8_1(s, 10.0 + 5.0 * row);
        std::fprintf(s, " Kombination %d\n", row + 1);
    }
    std::fprintf(s, "#END_OF_TEXT\n");
    OLI_setYPositionCM(s, 1, -0.5f);
    OLI_Write_Comment(s, "Kr\x84" "fte als Bemessungswerte, Lk %d ma\xE1gebend", n);
    const double values_a[] = {12.5, 3.25};
    const double values_b[] = {7.0, 1.5};
    OLI_Row_Table_Record records[2] = {};
    std::strcpy(records[0].name, "A" OLI_SEQ_SUB "s,erf" OLI_SEQ_RESET);
    std::strcpy(records[0].unit, "cm" OLI_SEQ_SUP "2");
    records[0].width = 8;
    records[0].decimals = 2;
    records[0].values = values_a;
    records[0].factor = 1.0;
    std::strcpy(records[1].name, "A" OLI_SEQ_SUB "s,vorh" OLI_SEQ_RESET);
    std::strcpy(records[1].unit, "cm" OLI_SEQ_SUP "2");
    records[1].width = 8;
    records[1].decimals = 2;
    records[1].values = values_b;
    records[1].factor = 1.0;
    OLI_Write_Row_Table(s, 2, 2, records);
    OLI_Printf(s, "Nachweis der Druckstrebe: V" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET " %s V" OLI_SEQ_SUB "Rd,max" OLI_SEQ_RESET
                  " %s\n",
               Get_Relation_Sign_Max(250.0, 400.0), Get_Verdict_Ok());
    OLI_End_Text_Block(s);
}

// Writes the report "<dir>/B1_01.OLI" with the page head, the given number of chapters and
// the corbel graphic (and, when drawing_name is given, the drawing file of the graphic
// under that name in dir). Returns the report's file name, "" when it could not be opened.
inline std::string Write_Report(const std::string& dir, int chapters, const char* drawing_name = nullptr)
{
    const std::string saved_path = Get_Component_Path() ? Get_Component_Path() : "";
    const std::string saved_oli = oli_file_name;
    Set_Component_Path((dir + "/B1").c_str());
    oli_file_name = "_01.OLI";
    OLI_Reset_Channel();
    FILE* s = OLI_Open_Report("1", "Konsole an St\x81tze", 1, 6.0, 0);
    std::string name;
    if (s) {
        name = dir + "/B1_01.OLI";
        OLI_Write_Heading_No_Bookmark(s, 1, 16, "Eingabeprotokoll");
        OLI_Printf(s, "Einzelkonsole an einer St\x81tze, Lastkonsole\n");
        OLI_End_Text_Block(s);
        OLI_reserveSpaceCM(s, 9.7f);
        OLI_storeYPosition(s, 2);
        FILE* drawing = drawing_name ? std::fopen((dir + "/" + drawing_name).c_str(), "w") : nullptr;
        Corbel_Graphic(s, drawing);
        OLI_setMarginsCM(s, 1, 0.0f, 0.0f);
        for (int n = 1; n <= chapters; ++n) Chapter(s, n);
        OLI_Close_Report(s);
    }
    OLI_Reset_Channel();
    Set_Component_Path(saved_path.c_str());
    oli_file_name = saved_oli;
    return name;
}

} // namespace sample
