#include "report/drawing_file.h"

#include "plot_test_support.h"
#include "report/page_head.h"
#include "report/plot_areas.h"
#include "report/plot_lines.h"
#include "report/plot_texts.h"
#include "test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

// The colour header of a window 0..2 by 0..1 at scale 5 (paper 10 by 5, 1:20), titled T.
const std::string kColourHeader = Cp850(R"(kvem-Kestrova (1.0)A
T
10.000000 5.000000
0

*TABLES
-colors 5
 1  0 0 194
 2  255 0 0
 3  68 255 0
 4  255 101 255
 5  255 255 0
-pens 42
 0  0.180000 0
 1  0.200000 0
 2  0.350000 0
 3  0.500000 0
 4  0.750000 0
 5  1.000000 0
 6  0.020000 0
 7  0.180000 1
 8  0.200000 1
 9  0.350000 1
 10  0.500000 1
 11  0.750000 1
 12  1.000000 1
 13  0.020000 1
 14  0.180000 2
 15  0.200000 2
 16  0.350000 2
 17  0.500000 2
 18  0.750000 2
 19  1.000000 2
 20  0.020000 2
 21  0.180000 3
 22  0.200000 3
 23  0.350000 3
 24  0.500000 3
 25  0.750000 3
 26  1.000000 3
 27  0.020000 3
 28  0.180000 4
 29  0.200000 4
 30  0.350000 4
 31  0.500000 4
 32  0.750000 4
 33  1.000000 4
 34  0.020000 4
 35  0.180000 5
 36  0.200000 5
 37  0.350000 5
 38  0.500000 5
 39  0.750000 5
 40  1.000000 5
 41  0.020000 5
-linetypes 4
 0 0 1
 1 1 0 2.0 1.0
 2 2 0 3.0 1.0 1.0 1.0
 3 1 0 1.0 2.0
-fonts 12
 0 « 0.18  normal  » 0 0 1.800000 0.700000 3.000000 0.000000 1
 1 « 0.18  kursiv  » 0 0 1.800000 0.700000 3.000000 15.000000 1
 2 « 0.20  normal  » 0 0 2.000000 0.700000 3.000000 0.000000 1
 3 « 0.20  kursiv  » 0 0 2.000000 0.700000 3.000000 15.000000 1
 4 « 0.35  normal  » 0 1 3.500000 0.700000 3.000000 0.000000 1
 5 « 0.35  kursiv  » 0 1 3.500000 0.700000 3.000000 15.000000 1
 6 « 0.50  normal  » 0 0 5.000000 0.700000 3.000000 0.000000 1
 7 « 0.50  kursiv  » 0 0 5.000000 0.700000 3.000000 15.000000 1
 8 « 0.70  normal  » 0 1 7.000000 0.700000 3.000000 0.000000 1
 9 « 0.70  kursiv  » 0 1 7.000000 0.700000 3.000000 15.000000 1
 10 « 1.0   normal  » 0 1 10.000000 0.700000 3.000000 0.000000 1
 11 « 1.0   kursiv  » 0 1 10.000000 0.700000 3.000000 15.000000 1
-fillings 18
 0 -45.000000 1   0 1.000000 6 0
 1 45.000000 2   0 1.000000 6 0    1 1.000000 6 1 
 2 0.000000 1   0 0.010000 0 0
 3 -45.000000 1   0 1.000000 13 0
 4 45.000000 2   0 1.000000 13 0    1 1.000000 13 1 
 5 0.000000 1   0 0.010000 7 0
 6 -45.000000 1   0 1.000000 20 0
 7 45.000000 2   0 1.000000 20 0    1 1.000000 20 1 
 8 0.000000 1   0 0.010000 14 0
 9 -45.000000 1   0 1.000000 27 0
 10 45.000000 2   0 1.000000 27 0    1 1.000000 27 1 
 11 0.000000 1   0 0.010000 21 0
 12 -45.000000 1   0 1.000000 34 0
 13 45.000000 2   0 1.000000 34 0    1 1.000000 34 1 
 14 0.000000 1   0 0.010000 28 0
 15 -45.000000 1   0 1.000000 41 0
 16 45.000000 2   0 1.000000 41 0    1 1.000000 41 1 
 17 0.000000 1   0 0.010000 35 0
-coordinates 1
 0 «1:20» 20 0 -0.000000 -0.000000 0 0.0 0.0 0 0.0 0.0
-layers 5
 0 «Folie 1» 1 1 «Schnitt»
 1 «Folie 2» 1 1 «Bewehrung»
 2 «Folie 3» 1 1 «Vermaßung»
 3 «Folie 4» 1 1 «Schraffur»
 4 «Folie 5» 1 1 «Texte»
*EOT

)");

const std::string kEntities = "*ENTITIES\n-setcoorsys 0\n-setlayer 0\n";
const std::string kTrailer = "*EOI\n\n";

class DrawingFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        plot_state.plot_file_stream = nullptr;
        plot_state.plot_graphic_stream = nullptr;
        plot_state.colour_count = 5;
        plot_state.rotation = 0.0;
        plot_state.text_angle = 0.0;
        plot_state.x_scale = plot_state.y_scale = 1.0;
        plot_state.y_mirror_mode = 0;
        plot_state.mirror_sum = 0.0;
    }
    // Opens a file of the directory for writing; the drawing file will own it.
    FILE* Open(const std::string& name) { return std::fopen(dir_.file(name).c_str(), "w"); }
    std::string Bytes(const std::string& name) { return Read_File_Bytes(dir_.file(name)); }

    Temp_Dir dir_;
    Plot_State_Guard guard_;
};

}  // namespace

TEST_F(DrawingFile, EmptyDrawingIsHeaderEntitiesAndTrailer)
{
    FILE* f = Open("a.spf");
    ASSERT_NE(f, nullptr);
    plot_state.next_entity_number = 40;
    plot_state.pen = 9;
    plot_state.filling = -1;
    Plot_Open_Drawing_File(f, 0.0, 0.0, 2.0, 1.0, 5.0, 0.0, "%s", "T");
    EXPECT_EQ(plot_state.plot_file_stream, f);
    EXPECT_EQ(plot_state.next_entity_number, 1);
    EXPECT_EQ(plot_state.next_point_number, 1);
    EXPECT_EQ(plot_state.pen, 0);
    EXPECT_EQ(plot_state.filling, 0);  // the first hatch, not "none"
    EXPECT_EQ(plot_state.drawing_scale, 5.0);
    Plot_Close_Drawing_File();
    EXPECT_EQ(plot_state.plot_file_stream, nullptr);
    EXPECT_EQ(Bytes("a.spf"), kColourHeader + kEntities + kTrailer);

    // Closing again, with nothing open, does nothing (and closes nothing twice).
    Plot_Close_Drawing_File();
    EXPECT_EQ(Bytes("a.spf"), kColourHeader + kEntities + kTrailer);
}

TEST_F(DrawingFile, PaperAndOffsetsFollowTheTurnedWindow)
{
    // A quarter turn maps the window 0..2 by 0..1 onto 0..1 by -2..0.
    FILE* f = Open("b.spf");
    Plot_Open_Drawing_File(f, 0.0, 0.0, 2.0, 1.0, 0.5, 1.5707963267948966, "Pos %d: %s", 3,
                           "Konsole\nzwei");
    Plot_Close_Drawing_File();
    const std::string bytes = Bytes("b.spf");
    // The title stays one line.
    const std::string head =
        "kvem-Kestrova (1.0)A\nPos 3: Konsole zwei\n0.500000 1.000000\n0\n\n*TABLES\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_NE(bytes.find(Cp850(" 0 «1:200» 200 0 -0.000000 1.000000 0 0.0 0.0 0 0.0 0.0\n")),
              std::string::npos);

    // A null stream only clears the drawing file and keeps the scale.
    Plot_Open_Drawing_File(nullptr, 0.0, 0.0, 1.0, 1.0, 2.5, 0.0, "x");
    EXPECT_EQ(plot_state.plot_file_stream, nullptr);
    EXPECT_EQ(plot_state.drawing_scale, 2.5);

    // Titles are cut at 254 characters.
    FILE* g = Open("c.spf");
    Plot_Open_Drawing_File(g, 0.0, 0.0, 1.0, 1.0, 1.0, 0.0, "%s", std::string(400, 'x').c_str());
    Plot_Close_Drawing_File();
    EXPECT_EQ(Bytes("c.spf").substr(21, 257), std::string(254, 'x') + "\n1.");
}

TEST_F(DrawingFile, OpeningAnotherFinishesTheFirst)
{
    FILE* first = Open("first.spf");
    FILE* second = Open("second.spf");
    Plot_Open_Drawing_File(first, 0.0, 0.0, 2.0, 1.0, 5.0, 0.0, "T");
    Plot_Draw_Line(0.0, 0.0, 1.0, 1.0);
    Plot_Open_Drawing_File(second, 0.0, 0.0, 2.0, 1.0, 5.0, 0.0, "T");
    // The first file is complete and closed: its bytes are all on disk.
    const std::string line = "-line @1 ( @1 0.000000 0.000000 ) #2 0 0 1 0.0\n"
                             "-point @2 1.000000 1.000000\n";
    EXPECT_EQ(Bytes("first.spf"), kColourHeader + kEntities + line + kTrailer);
    Plot_Draw_Line(0.0, 0.0, 1.0, 1.0);  // numbers restart with the new header
    Plot_Close_Drawing_File();
    EXPECT_EQ(Bytes("second.spf"), kColourHeader + kEntities + line + kTrailer);
}

TEST_F(DrawingFile, FileOpenedByNameTakesItsPlaceWhenClosed)
{
    ASSERT_TRUE(Write_File_Bytes(dir_.file("n.spf"), "earlier"));
    ASSERT_TRUE(Plot_Open_Drawing_File_Named(dir_.file("n.spf").c_str(), 0.0, 0.0, 2.0, 1.0, 5.0,
                                             0.0, "%s", "T"));
    FILE* named = plot_state.plot_file_stream;
    ASSERT_NE(named, nullptr);
    Plot_Draw_Line(0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(Bytes("n.spf"), "earlier");  // not before the drawing is whole
    // A name that cannot be opened changes nothing: the open drawing stays open.
    EXPECT_FALSE(Plot_Open_Drawing_File_Named(dir_.file("missing/x.spf").c_str(), 0.0, 0.0, 1.0,
                                              1.0, 1.0, 0.0, "T"));
    EXPECT_EQ(plot_state.plot_file_stream, named);
    EXPECT_TRUE(Plot_Close_Drawing_File());
    const std::string line = "-line @1 ( @1 0.000000 0.000000 ) #2 0 0 1 0.0\n"
                             "-point @2 1.000000 1.000000\n";
    EXPECT_EQ(Bytes("n.spf"), kColourHeader + kEntities + line + kTrailer);

    // Opening another drawing file finishes the named one in its place as well.
    ASSERT_TRUE(Plot_Open_Drawing_File_Named(dir_.file("m.spf").c_str(), 0.0, 0.0, 2.0, 1.0, 5.0,
                                             0.0, "T"));
    Plot_Open_Drawing_File(Open("o.spf"), 0.0, 0.0, 2.0, 1.0, 5.0, 0.0, "T");
    EXPECT_EQ(Bytes("m.spf"), kColourHeader + kEntities + kTrailer);
    EXPECT_TRUE(Plot_Close_Drawing_File());
    EXPECT_EQ(Bytes("o.spf"), kColourHeader + kEntities + kTrailer);
}

TEST_F(DrawingFile, SettersClampToTheTables)
{
    Plot_Set_Pen(50);
    EXPECT_EQ(plot_state.pen, 41);
    Plot_Set_Pen(-3);
    EXPECT_EQ(plot_state.pen, 0);
    Plot_Set_Filling(20);
    EXPECT_EQ(plot_state.filling, 17);
    Plot_Set_Filling(-7);
    EXPECT_EQ(plot_state.filling, -1);
    Plot_Set_Line_Type(9);
    EXPECT_EQ(plot_state.line_type, 3);
    Plot_Set_Font(-1);
    EXPECT_EQ(plot_state.font, 0);
    Plot_Set_Font(12);
    EXPECT_EQ(plot_state.font, 11);

    Plot_Set_Layer(2);  // no drawing file: nowhere to write
    File_Stream out;
    plot_state.plot_file_stream = out.get();
    Plot_Set_Layer(7);
    Plot_Set_Layer(-1);
    plot_state.plot_file_stream = nullptr;
    EXPECT_EQ(out.bytes(), "-setlayer 4\n-setlayer 0\n");
}

TEST_F(DrawingFile, GreyHeader)
{
    FILE* f = Open("grey.spf");
    plot_state.colour_count = 7;
    Plot_Open_Drawing_File_Grey(f, 0.0, 0.0, 2.0, 1.0, 5.0, 0.0, "T");
    EXPECT_EQ(plot_state.colour_count, 5);
    Plot_Close_Drawing_File();
    const std::string bytes = Bytes("grey.spf");
    auto between = [&](const std::string& from, const std::string& to) {
        const size_t a = bytes.find(from), b = bytes.find(to);
        return a == std::string::npos || b == std::string::npos ? std::string()
                                                                : bytes.substr(a, b - a);
    };
    EXPECT_EQ(between("-colors", "-pens"),
              "-colors 5\n 1 100 100 100\n 2 133 133 133\n 3 165 165 165\n 4  198 198 198\n"
              " 5  230 230 230\n");
    EXPECT_NE(between("-pens 43\n", "-linetypes").find(" 41  0.020000 5\n 42  0.0001 5\n\n"),
              std::string::npos);
    EXPECT_EQ(between("-linetypes", "-fonts"),
              "-linetypes 5\n0 0 1\n1 1 0 2.0 1.0\n2 2 0 3.0 1.0 0.5 1.0\n3 1 0 1.0 2.0\n"
              "4 1 0 0.1 20.0\n");
    const std::string fonts = between("-fonts", "-fillings");
    EXPECT_NE(fonts.find(Cp850("\n  0 « 0.18  normal  » 0 0  1.800000 0.700000 3.000000 "
                               "0.000000 1\n")),
              std::string::npos);
    EXPECT_NE(fonts.find(Cp850("\n  9 « 0.70  kursiv  » 0 1  7.000000 0.700000 3.000000 "
                               "15.000000 1\n 10 « 1.0   normal  » 0 1 10.000000 0.700000 "
                               "3.000000 0.000000 1\n 11 « 1.00  kursiv  » 0 1 10.000000 "
                               "0.700000 3.000000 15.000000 1\n")),
              std::string::npos);
    EXPECT_EQ(between("-fillings", "-coordinates"),
              "-fillings 8\n 0 00.0 1 0 0.20000 2 0\n 1 00.0 1 0 0.20000 9 0\n"
              " 2 00.0 1 0 0.20000 16 0\n 3 00.0 1 0 0.20000 23 0\n 4 00.0 1 0 0.20000 30 0\n"
              " 5 00.0 1 0 0.20000 37 0\n 6 0.000000 1   0 1.000000 1 0\n"
              " 7 0.000000 1   0 10000.000000 1 4\n");
    EXPECT_EQ(bytes.substr(bytes.find("-coordinates")),
              kColourHeader.substr(kColourHeader.find("-coordinates")) + kEntities + kTrailer);
}

TEST_F(DrawingFile, EntitiesOfOneFigure)
{
    // Window 0..4 by 3..0: y mirror mode 2, mirror sum 3; records scaled by 2.
    File_Stream graphic;
    Plot_Begin_Graphic(graphic.get(), 0.0, 3.0, 4.0, 0.0, 2.0, 2.0, 0.0, nullptr);
    FILE* f = Open("fig.spf");
    Plot_Open_Drawing_File(f, 0.0, 0.0, 4.0, 3.0, 2.0, 0.0, "T");
    Plot_Set_Pen(3);
    Plot_Set_Line_Type(1);
    Plot_Draw_Line(0.0, 0.0, 1.0, 1.0);
    Plot_Set_Filling(2);
    Plot_Fill_Rectangle(1.0, 1.0, 2.0, 2.0);
    Plot_Set_Font(4);
    Plot_Write_Text_Centred(1.5, 0.5, "B\xAEx");
    Plot_End_Graphic_Block();
    Plot_Close_Drawing_File();
    const std::string bytes = Bytes("fig.spf");
    EXPECT_EQ(bytes.substr(bytes.find("*ENTITIES")),
              Cp850(kEntities +
                    "-line @1 ( @1 0.000000 3.000000 ) #2 3 1 1 0.0\n"
                    "-point @2 1.000000 2.000000\n"
                    "-area / 0 2\n 4 0 ( @2 ( @3 1.000000 1.000000 ) #4 3 0 0 0.0 )\n"
                    " 0 ( @3 ( @4 1.000000 2.000000 ) #5 3 0 0 0.0 )\n"
                    " 0 ( @4 ( @5 2.000000 2.000000 ) #6 3 0 0 0.0 )\n"
                    " 0 ( @5 ( @6 2.0000 1.0000 ) #3 3 0 0 0.0 )\n"
                    "-text / 1 4 4 2 1 5 1.500000 2.500000 0. 1.2 0. 0.\n"
                    "    «B x»\n" +
                    kTrailer));
    EXPECT_EQ(graphic.bytes(), "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n"
                               "0.000000 8.000000 6.000000 0.000000\n"
                               " 1  0.000000 0.000000 2.000000 2.000000\n"
                               " 24  2.000000 2.000000 4.000000 4.000000\n" +
                                   Cp850(" 9 3.000000 1.000000 3.000000 1.000000 210 «B x»\n") +
                                   " -1\n");
}

TEST_F(DrawingFile, ReportCloseForgetsItsGraphicStream)
{
    // A report closed while its graphic block is still the graphic stream: later drawing
    // must not write into the closed stream.
    FILE* report = Open("r.oli");
    ASSERT_NE(report, nullptr);
    Plot_Begin_Graphic(report, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0, 0.0, nullptr);
    Plot_Redirect_Graphic(report);
    EXPECT_EQ(OLI_Close_Report(report), 0);
    EXPECT_EQ(plot_state.plot_graphic_stream, nullptr);
    Plot_Restore_Graphic();
    EXPECT_EQ(plot_state.plot_graphic_stream, nullptr);
    Plot_Draw_Line(0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(Bytes("r.oli").find(" 1  "), std::string::npos);

    // The end of a block clears the stream: the records of a later primitive are dropped.
    File_Stream out;
    Plot_Begin_Graphic(out.get(), 0.0, 0.0, 1.0, 1.0, 1.0, 1.0, 0.0, nullptr);
    Plot_End_Graphic_Block();
    Plot_Draw_Line(0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(out.bytes(), "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n"
                           "0.000000 1.000000 0.000000 1.000000\n -1\n");
}
