#include "core/section_graphic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "base/alloc.h"
#include "base/rebar.h"
#include "base/run_globals.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "core/position_file.h"
#include "report/oli_channel.h"
#include "report/plot_state.h"
#include "report/position_title.h"
#include "file_size_limit.h"
#include "test_support.h"

namespace {

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Every dashed line is followed by the solid record before the next one begins, and the
// last one is closed.
bool Dashes_Closed(const std::string& report)
{
    bool dashed = false;
    std::istringstream in(report);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(" 38 2 ", 0) == 0) {
            if (dashed) return false;
            dashed = true;
        } else if (line == " 38 0   0") {
            dashed = false;
        }
    }
    return !dashed;
}

struct Segment {
    double x1, y1, x2, y2;
};

// The line entities of a drawing file ("-line ... ( @P x1 y1 ) ..." and "-point @Q x2 y2").
std::vector<Segment> File_Lines(const std::string& file)
{
    std::vector<Segment> lines;
    std::istringstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        Segment s;
        int e, p;
        if (std::sscanf(line.c_str(), "-line @%d ( @%d %lf %lf", &e, &p, &s.x1, &s.y1) != 4) continue;
        std::string next;
        if (!std::getline(in, next)) break;
        if (std::sscanf(next.c_str(), "-point @%d %lf %lf", &p, &s.x2, &s.y2) == 3) lines.push_back(s);
    }
    return lines;
}

class SectionGraphic : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_plot_ = plot_state;
        saved_spf_ = spf_file_name;
        OLI_Reset_Channel();
        spf_file_name = dir_.file("B10001.SPF");
        position_number = "1.01";
        position_title = "Test";
    }
    void TearDown() override
    {
        for (Corbel_Model* m : models_) {
            Init_EC2_Print_Options(&m->print_options);
            for (Load_Combination* t : m->load_table)
                if (t) MEM_FREE(t);
            if (m->results) MEM_FREE(m->results);
            delete m;
        }
        plot_state = saved_plot_;
        spf_file_name = saved_spf_;
        position_number.clear();
        position_title.clear();
        OLI_Reset_Channel();
    }

    // A checked model at the defaults (a single load corbel on a column) with the
    // reinforcement chosen and labelled; the change is made before the check.
    template <class Change>
    Corbel_Model& Model(Change change)
    {
        Corbel_Model* m = new Corbel_Model{};
        models_.push_back(m);
        Set_Corbel_Defaults(m);
        m->rebar_chosen = 1;
        m->print_options.switches[EC2_PRINT_EXTRA_INFO] = 1;
        change(*m);
        Check_Corbel_Model(m, nullptr, 0, 0);
        return *m;
    }
    Corbel_Model& Single()
    {
        return Model([](Corbel_Model&) {});
    }
    Corbel_Model& Beam_End()
    {
        return Model([](Corbel_Model& m) {
            m.execution = EXECUTION_BEAM_END;
            m.rebar.spacing[0] = 15.0;
            m.rebar.spacing[1] = 20.0;
        });
    }
    Corbel_Model& Chamfered()
    {
        return Model([](Corbel_Model& m) { m.hk_end = 15.0; });
    }

    // The report of one placed graphic.
    std::string Placed(const Corbel_Model& m, double scale, int mode, int plot_file = 0)
    {
        File_Stream report;
        OLI_Reset_Channel();
        last_scale_ = Place_Section_Graphic(&m, scale, report.get(), plot_file, mode);
        return report.bytes();
    }

    Temp_Dir dir_;
    double last_scale_ = 0.0;

private:
    std::vector<Corbel_Model*> models_;
    Plot_State saved_plot_{};
    std::string saved_spf_;
};

// A zero model whose drawing measures w = m1 + lk by h = 2 hk + lh (a load corbel on a
// column), or, on a beam, w = lk + 1.5 m1 by h = m1.
Corbel_Model Measured(int connection, double m1, double lk, double hk, double lh)
{
    Corbel_Model m{};
    m.connection = connection;
    m.h = m1;
    m.lk = lk;
    m.hk = hk;
    m.load_height = lh;
    m.d1k = m.d1 = 6.0;
    m.inclination = 45.0;
    return m;
}

}  // namespace

TEST_F(SectionGraphic, SizedAtAGivenScaleOrFittedIntoItsBox)
{
    // 60 x 40 cm on a column at 1:20: 3.0 + 2.0 wide, 2.0 + 1.4 high.
    Corbel_Model given = Measured(CONNECTION_COLUMN, 30, 30, 15, 10);
    EXPECT_DOUBLE_EQ(Get_Section_Graphic_Height(&given, 20.0, 0), 3.4);
    EXPECT_DOUBLE_EQ(graphic_width_cm, 5.0);
    const std::string report = Placed(given, 20.0, 0);
    EXPECT_EQ(last_scale_, 20.0);
    EXPECT_TRUE(Has(report, "#OLI_RESERVE 3.4\n#OLI_STORE_Y 2\n#SHOWGRAFIC\n"));
    EXPECT_TRUE(Has(report, " 225 \xAEMa\xE1stab 1:20.0\xAF\n")) << report;
    EXPECT_TRUE(Has(report, " -1\n#OLI_MARGINS 1 0 0\n"));

    // 100 x 50 cm on a beam fitted into 14 x 14 cm: n = 715, no scale label.
    Corbel_Model fitted = Measured(CONNECTION_BEAM, 50, 25, 40, 0);
    EXPECT_DOUBLE_EQ(Get_Section_Graphic_Height(&fitted, 0.0, 0), 50.0 / 7.15 + 2.0);
    EXPECT_FALSE(Has(Placed(fitted, 0.0, 0), "Ma\xE1stab"));
    EXPECT_DOUBLE_EQ(last_scale_, 7.15);

    // A scale at which the drawing would not fit the page (62 cm wide at 1:1) gives way to
    // the first common one at which it fits, and the label names it.
    EXPECT_DOUBLE_EQ(Get_Section_Graphic_Height(&given, 1.0, 0), 40.0 / 5.0 + 1.4);
    EXPECT_TRUE(Has(Placed(given, 1.0, 0), " 225 \xAEMa\xE1stab 1:5.0\xAF\n"));
    EXPECT_EQ(last_scale_, 5.0);

    // Any stored scale gets its whole label.
    EXPECT_TRUE(Has(Placed(given, 1e9, 0), "\xAEMa\xE1stab 1:1000000000.0\xAF"));

    // A drawing below 1 cm: the default 16 cm are reserved and nothing is drawn.
    Corbel_Model tiny = Measured(CONNECTION_COLUMN, 0.3, 0.2, 0.25, 0);
    EXPECT_EQ(Get_Section_Graphic_Height(&tiny, 0.0, 0), 16.0);
    EXPECT_EQ(Draw_Section_Plot(&tiny, nullptr, 0, 0.0, 0), 0.0);
    EXPECT_EQ(Placed(tiny, 10.0, 0), "#OLI_RESERVE 16\n#OLI_STORE_Y 2\n#OLI_MARGINS 1 0 0\n");
    EXPECT_EQ(last_scale_, 0.0);
}

TEST_F(SectionGraphic, HeightQueryLeavesTheReportAlone)
{
    File_Stream report;
    OLI_Reset_Channel();
    ASSERT_EQ(OLI_Printf(report.get(), "Gew\x84hlte Bewehrung\n"), 0);
    const std::string before = report.bytes();
    EXPECT_GT(Get_Section_Graphic_Height(&Single(), 0.0, 1), 1.0);
    EXPECT_EQ(report.bytes(), before);
    // The text block is still open and ends now.
    EXPECT_EQ(OLI_End_Text_Block(report.get()), 0);
    EXPECT_TRUE(Has(report.bytes(), "#END_OF_TEXT"));

    // Mode 1 without chosen reinforcement: nothing placed, the box height answered.
    Corbel_Model& plain = Model([](Corbel_Model& m) { m.rebar_chosen = 0; });
    EXPECT_EQ(Placed(plain, 10.0, 1), "");
    EXPECT_EQ(last_scale_, 0.0);
    EXPECT_EQ(Get_Section_Graphic_Height(&plain, 10.0, 1), 16.0);
}

// The single corbel, the beam-end corbel and the chamfered corbel, with and without
// reinforcement, at a given and at a fitted scale.
TEST_F(SectionGraphic, HeightQueryAndPlacementAgree)
{
    const Corbel_Model* corbels[] = {&Single(), &Beam_End(), &Chamfered()};
    const char* names[] = {"single", "beam-end", "chamfered"};
    for (int k = 0; k < 3; ++k) {
        for (double scale : {10.0, 0.0}) {
            for (int mode : {0, 1}) {
                SCOPED_TRACE(std::string(names[k]) + " scale " + std::to_string(scale) +
                             " mode " + std::to_string(mode));
                const Corbel_Model& m = *corbels[k];
                const double height = Get_Section_Graphic_Height(&m, scale, mode);
                const std::string report = Placed(m, scale, mode);
                EXPECT_EQ(graphic_height_cm, height);
                char reserve[64];
                std::snprintf(reserve, sizeof reserve, "#OLI_RESERVE %.6g\n",
                              static_cast<double>(static_cast<float>(height)));
                ASSERT_EQ(report.find(reserve), 0u) << report.substr(0, 40);

                // The window spans the graphic's size on the page.
                const size_t at = report.find("#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n");
                ASSERT_NE(at, std::string::npos);
                double x1, x2, y1, y2;
                ASSERT_EQ(std::sscanf(report.c_str() + at + 29, "%lf %lf %lf %lf", &x1, &x2, &y1,
                                      &y2),
                          4);
                EXPECT_NEAR(x2 - x1, graphic_width_cm, 1e-5);
                EXPECT_NEAR(y1 - y2, graphic_height_cm, 1e-5);
                EXPECT_EQ(last_scale_ == 10.0, scale == 10.0);

                // Opening records, balanced groups and dash records, a closed block.
                EXPECT_TRUE(Has(report, " 30\n 52\n 8 6\n 7 9\n 4 1\n 38 0   0\n"));
                EXPECT_EQ(Count_Of(report, "\n 30\n"), Count_Of(report, "\n 31\n"));
                EXPECT_TRUE(Dashes_Closed(report));
                EXPECT_TRUE(Has(report, " 31\n 53\n -1\n#OLI_MARGINS 1 0 0\n"));
                EXPECT_FALSE(Has(report, "nan") || Has(report, "inf"));
                EXPECT_EQ(Has(report, "\xAE" "A\xAF"), true);
                EXPECT_EQ(Has(report, "\x8C"), mode == 1);  // bar labels
            }
        }
    }
    // The chamfer adds its dimension (each dimension text is preceded by " 8 6").
    EXPECT_EQ(Count_Of(Placed(Chamfered(), 10.0, 0), " 8 6\n"),
              Count_Of(Placed(Single(), 10.0, 0), " 8 6\n") + 1);
}

TEST_F(SectionGraphic, GoldenSingleCorbelOnAColumn)
{
    const std::string golden =
        Read_File_Bytes(CORBEL_SOURCE_DIR "/tests/core/data/single_corbel_column_1to10.oli");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(Placed(Single(), 10.0, 0), golden);
}

TEST_F(SectionGraphic, DrawingFileBesideTheReport)
{
    const Corbel_Model& m = Single();
    const std::string alone = Placed(m, 10.0, 1, 0);
    EXPECT_FALSE(File_Exists(spf_file_name));
    // With a drawing file the bars are drawn with their axes, in the report too.
    const std::string with_file = Placed(m, 10.0, 1, 1);
    EXPECT_GT(Count_Of(with_file, "\n 1  "), Count_Of(alone, "\n 1  "));
    const std::string file = Read_File_Bytes(spf_file_name);
    EXPECT_EQ(file.rfind("kvem-Kestrova (1.0)A\n1.01: Test, L\x84ngsschnitt\n", 0), 0u);
    // Drawn in cm at 1/N: the file's coordinate system is named 1:(100 N).
    EXPECT_TRUE(Has(file, " 0 \xAE" "1:1000\xAF 1000 0 "));
    // The graphic's filling -1 keeps areas out; pen and dash records stay in the report.
    const size_t entities = file.find("*ENTITIES\n");
    ASSERT_NE(entities, std::string::npos);
    const std::string drawn = file.substr(entities);
    EXPECT_FALSE(Has(drawn, "-area"));
    EXPECT_FALSE(Has(drawn, "\n 4 ") || Has(drawn, "\n 38 "));
    EXPECT_TRUE(Has(file, "\xAEMa\xE1stab 1:10.0\xAF"));
    EXPECT_GT(File_Lines(file).size(), 50u);
    // Closed once, whole.
    EXPECT_EQ(file.substr(file.size() - 6), "*EOI\n\n");

    // A file that cannot be opened leaves the report as it is with the file.
    spf_file_name = dir_.file("missing/B10001.SPF");
    EXPECT_EQ(Placed(m, 10.0, 1, 1), with_file);
}

// A drawing that cannot be written whole (here: the disk allows no more than 1000 bytes
// a file) leaves the user's earlier drawing as it was, and no temporary file beside it.
TEST_F(SectionGraphic, FailedDrawingFileKeepsTheEarlierOne)
{
    const Corbel_Model& m = Single();
    const std::string earlier = "kvem-Kestrova (1.0)A\nfr\x81here Zeichnung\n";
    ASSERT_TRUE(Write_File_Bytes(spf_file_name, earlier));
    EXPECT_EQ(Run_With_File_Size_Limit(1000, [&] {
                  Placed(m, 10.0, 1, 1);
                  return plot_state.plot_file_stream == nullptr ? 0 : 1;
              }),
              0);
    EXPECT_EQ(Read_File_Bytes(spf_file_name), earlier);
    EXPECT_EQ(Folder_Names(dir_.path()), std::set<std::string>{"B10001.SPF"});

    // Written whole, the new drawing takes its place.
    Placed(m, 10.0, 1, 1);
    const std::string file = Read_File_Bytes(spf_file_name);
    EXPECT_GT(file.size(), 1000u);
    EXPECT_EQ(file.substr(file.size() - 6), "*EOI\n\n");
    EXPECT_EQ(Folder_Names(dir_.path()), std::set<std::string>{"B10001.SPF"});
}

// The main tie's layers lie one axis spacing of each pair of neighbours apart, from the
// first layer on.
TEST_F(SectionGraphic, MainTieLayersStepByThePitchOfEachPair)
{
    const int index[3] = {9, 5, 8};  // 25, 12 and 20 mm
    const Corbel_Model& m = Model([&](Corbel_Model& c) {
        c.rebar.layers = 3;
        for (int i = 0; i < 3; ++i) {
            c.rebar.layer_bars[i] = 2;
            c.rebar.layer_diameter[i] = index[i];
        }
        c.rebar.spacing[2] = 0.0;
    });
    Placed(m, 10.0, 1, 1);
    const std::vector<Segment> lines = File_Lines(Read_File_Bytes(spf_file_name));
    ASSERT_FALSE(lines.empty());

    double w, h;
    Get_Section_Graphic_Height(&m, 10.0, 1);
    h = (graphic_height_cm - 1.4) * 10.0;
    w = (graphic_width_cm - 2.0) * 10.0;
    const double mirror = h + 0.6 * 10.0;  // the file's y runs upward
    const double y0 = 0.5 * m.hk + m.load_height;
    const double x_start = m.h + m.lk - m.rebar.cover_h;
    const double d_sv = Get_Rebar_Diameter_Cm(m.rebar.group[0].diameter, -1.0);
    double offset = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double d = Get_Rebar_Diameter_Cm(index[i], -1.0);
        if (i > 0)
            offset += Get_Bar_Axis_Spacing(&m.rebar, i - 1, i, 0, NAD_Get_EC2_Params());
        const double y = mirror - (y0 + m.rebar.cover_v + d / 2.0 + offset + d_sv);
        bool found = false;
        for (const Segment& s : lines)
            found = found || (std::fabs(s.x1 - x_start) < 1e-6 && std::fabs(s.y1 - y) < 1e-6 &&
                              std::fabs(s.y2 - y) < 1e-6 && s.x2 < s.x1);
        EXPECT_TRUE(found) << "layer " << i << " at " << y;
    }
    EXPECT_LT(x_start, w);
}

// The corbel of the shipped example position, read as the program reads it, drawn with
// its reinforcement into an open report and into its drawing file.
TEST_F(SectionGraphic, ExamplePositionIntoAnOpenReport)
{
    Corbel_Model& m = Model([](Corbel_Model&) {});
    FILE* in = std::fopen(CORBEL_SOURCE_DIR "/examples/B1_01.INP", "r");
    ASSERT_NE(in, nullptr);
    ASSERT_EQ(Read_Corbel_Model(in, &m), 0);
    std::fclose(in);
    ASSERT_EQ(Read_Position_Title(CORBEL_SOURCE_DIR "/examples/B1_01.TXT"), 0);
    ASSERT_TRUE(m.print_options.switches[EC2_PRINT_GRAPHIC]);

    File_Stream report;
    OLI_Reset_Channel();
    ASSERT_EQ(OLI_Printf(report.get(), "Eingabeprotokoll\n"), 0);
    const double height = Get_Section_Graphic_Height(&m, m.print_options.scale, 1);
    EXPECT_EQ(Place_Section_Graphic(&m, m.print_options.scale, report.get(), 1, 1),
              m.print_options.scale);
    const std::string text = report.bytes();
    const size_t end = text.find("#END_OF_TEXT");
    const size_t reserve = text.find("#OLI_RESERVE");
    ASSERT_NE(end, std::string::npos);
    ASSERT_NE(reserve, std::string::npos);
    EXPECT_LT(end, reserve);
    EXPECT_EQ(graphic_height_cm, height);
    EXPECT_TRUE(Has(text, "#OLI_STORE_Y 2\n#SHOWGRAFIC\n"));
    EXPECT_TRUE(Has(text, "\xAEMa\xE1stab 1:10.0\xAF"));
    EXPECT_GT(Count_Of(text, "\n 20  64\n"), 3);  // bars
    EXPECT_EQ(Count_Of(text, "\x8C"), 0);       // the position asks for no bar labels
    EXPECT_EQ(text.rfind(" -1\n#OLI_MARGINS 1 0 0\n"), text.size() - 23);

    const std::string file = Read_File_Bytes(spf_file_name);
    EXPECT_EQ(file.rfind("kvem-Kestrova (1.0)A\n" + position_number + ": " + position_title +
                             ", L\x84ngsschnitt\n",
                         0),
              0u);
    EXPECT_GT(File_Lines(file).size(), 100u);
    EXPECT_EQ(file.substr(file.size() - 6), "*EOI\n\n");
}

// An indirect load whose inclination is still 0 (the report is composed before the data
// check clamps it) draws no inclined geometry instead of dividing by 0.
TEST_F(SectionGraphic, FlatInclinationDrawsNoInclinedGeometry)
{
    for (int connection : {CONNECTION_BEAM, CONNECTION_COLUMN}) {
        for (int mode : {0, 1}) {
            Corbel_Model& m = Model([&](Corbel_Model& c) {
                c.connection = connection;
                c.load_transfer = LOAD_TRANSFER_INDIRECT;
            });
            m.inclination = 0.0;
            const std::string report = Placed(m, 0.0, mode);
            EXPECT_TRUE(Has(report, "#SHOWGRAFIC"));
            EXPECT_FALSE(Has(report, "nan") || Has(report, "inf")) << connection << " " << mode;
        }
    }
}

// A chamfered corbel on a column (the free end 10 cm of 40): the horizontal splitting
// stirrups keep their spacing over the depth at the face, each reaching towards the free
// end only as far as the sloping bottom leaves it its cover.
TEST_F(SectionGraphic, HorizontalStirrupsUnderAChamferKeepTheirSpacing)
{
    const Corbel_Model& m = Model([](Corbel_Model& c) { c.hk_end = 30.0; });
    ASSERT_EQ(m.rebar.group[1].count, 3);
    Placed(m, 10.0, 1, 1);
    std::vector<Segment> stirrups;  // horizontal, ending at the column's far face less cover
    for (const Segment& s : File_Lines(Read_File_Bytes(spf_file_name)))
        if (std::fabs(s.y1 - s.y2) < 1e-9 && std::fabs(std::min(s.x1, s.x2) - m.rebar.cover_h) < 1e-6)
            stirrups.push_back(s);
    ASSERT_EQ(stirrups.size(), 3u);
    std::sort(stirrups.begin(), stirrups.end(), [](const Segment& a, const Segment& b) { return a.y1 < b.y1; });
    const double pitch = stirrups[1].y1 - stirrups[0].y1;
    EXPECT_GT(pitch, 10.0);
    EXPECT_NEAR(stirrups[2].y1 - stirrups[1].y1, pitch, 1e-6);
    // The lowest ends at the face, the highest at the free end less cover, the middle one
    // halfway along the chamfer.
    const double face = m.h, free_end = m.h + m.lk - m.rebar.cover_h;
    EXPECT_NEAR(std::max(stirrups[0].x1, stirrups[0].x2), face, 1e-6);
    EXPECT_NEAR(std::max(stirrups[1].x1, stirrups[1].x2), face + m.lk * pitch / 30.0, 1e-6);
    EXPECT_NEAR(std::max(stirrups[2].x1, stirrups[2].x2), free_end, 1e-6);
}
