#include "report/plot_fill_legend.h"

#include "base/component_files.h"
#include "base/ptr_array.h"
#include "platform/report_viewer.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/plot_state.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class FillLegend : public ::testing::Test {
protected:
    void SetUp() override
    {
        oli_channel_mode = OLI_MODE_UNINITIALISED;
        OLI_Reset_Text_Attributes();
        plot_state.colour_output = 1;
        plot_state.colour_records = 1;
    }
    // The graphic block of the report: from "#SHOWGRAFIC" to the end.
    static std::string Block(const std::string& report)
    {
        size_t at = report.find("#SHOWGRAFIC");
        return at == std::string::npos ? std::string() : report.substr(at);
    }

    Plot_State_Guard guard_;
    File_Stream out_;
};

}  // namespace

TEST_F(FillLegend, SixtyFiveNumberedSamplesInRowsOfSix)
{
    Plot_Write_Fill_Legend(out_.get());
    const std::string report = out_.bytes();
    ASSERT_NE(report.find(OLI_SEQ_BOLD "Auswahl an F\x81" "llmustern zur Schichtdarstelllung im Ausdruck:"),
              std::string::npos);
    const std::string block = Block(report);
    const std::string head =
        "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0.000000 15.000000 26.000000 0.000000\n";
    const std::string first_sample = Cp850(
        " 20  0\n"
        " 24  0.000000 0.000000 2.500000 2.000000\n"
        " 1  0.000000 0.000000 0.000000 2.000000\n"
        " 1  0.000000 2.000000 2.500000 2.000000\n"
        " 1  2.500000 2.000000 2.500000 0.000000\n"
        " 1  2.500000 0.000000 0.000000 0.000000\n"
        " 20  0\n"
        " 24  1.000000 0.750000 1.500000 1.250000\n"
        " 9 1.250000 1.000000 1.250000 1.000000 210 «0»\n"
        " 20  1\n");
    EXPECT_EQ(block.substr(0, head.size() + first_sample.size()), head + first_sample);
    EXPECT_EQ(block.substr(block.size() - 4), " -1\n");
    EXPECT_EQ(plot_state.plot_graphic_stream, nullptr);  // later records go nowhere

    EXPECT_EQ(Count_Of(block, " 9 "), 65);
    // Sample 6 opens the second row, sample 64 stands fifth in the eleventh.
    EXPECT_NE(block.find(Cp850(" 9 1.250000 3.000000 1.250000 3.000000 210 «6»\n")), std::string::npos);
    EXPECT_NE(block.find(Cp850(" 9 11.250000 21.000000 11.250000 21.000000 210 «64»\n")),
              std::string::npos);
    EXPECT_NE(block.find(" 20  64\n"), std::string::npos);
}

TEST_F(FillLegend, WithoutColourOutputEverySampleIsIndexZero)
{
    plot_state.colour_output = 0;
    Plot_Write_Fill_Legend(out_.get());
    const std::string block = Block(out_.bytes());
    EXPECT_EQ(Count_Of(block, " 20  0\n"), 130);
    EXPECT_EQ(Count_Of(block, " 20  "), 130);
}

TEST_F(FillLegend, PreviewWritesTheTemporaryReportAndLeavesTheWriterAlone)
{
    Temp_Dir dir;
    Set_Component_Path(dir.file("K1").c_str());
    File_Stream graphic;
    plot_state.plot_graphic_stream = graphic.get();
    plot_state.x_scale = 7.0;
    oli_channel_mode = OLI_MODE_BLOCK_OPEN;  // a report paragraph is open meanwhile
    const int calls = Get_Report_Viewer_State().calls;

    EXPECT_EQ(Plot_Preview_Fill_Legend(), 0);
    EXPECT_EQ(Get_Report_Viewer_State().calls, calls + 1);
    EXPECT_EQ(Get_Report_Viewer_State().file_name, dir.file("K1.TMP"));
    const std::string preview = Read_File_Bytes(dir.file("K1.TMP"));
    EXPECT_NE(preview.find("#SHOWGRAFIC"), std::string::npos);
    EXPECT_EQ(preview.substr(preview.size() - 4), " -1\n");

    EXPECT_EQ(plot_state.plot_graphic_stream, graphic.get());
    EXPECT_EQ(plot_state.x_scale, 7.0);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_BLOCK_OPEN);
    EXPECT_EQ(graphic.bytes(), "");
    oli_channel_mode = OLI_MODE_UNINITIALISED;

    Set_Component_Path(dir.file("fehlt/K1").c_str());
    EXPECT_EQ(Plot_Preview_Fill_Legend(), 0);
    EXPECT_EQ(Get_Report_Viewer_State().calls, calls + 1);
}

TEST(PlotSortOrders, OrderPointListsByEitherValue)
{
    const std::vector<Plot_Value_Pair> points = {{2.0, 5.0}, {-1.0, 7.0}, {4.0, -3.0}, {2.0, 0.0}};
    auto sorted = [&](int (*compare)(const void*, const void*)) {
        std::vector<Plot_Value_Pair> p = points;
        std::qsort(p.data(), p.size(), sizeof(Plot_Value_Pair), compare);
        std::vector<double> keys;
        for (const Plot_Value_Pair& q : p) keys.push_back(compare == Plot_Compare_First_Descending ||
                                                                  compare == Plot_Compare_First_Ascending
                                                              ? q.first
                                                              : q.second);
        return keys;
    };
    EXPECT_EQ(sorted(Plot_Compare_First_Descending), (std::vector<double>{4.0, 2.0, 2.0, -1.0}));
    EXPECT_EQ(sorted(Plot_Compare_First_Ascending), (std::vector<double>{-1.0, 2.0, 2.0, 4.0}));
    EXPECT_EQ(sorted(Plot_Compare_Second_Descending), (std::vector<double>{7.0, 5.0, 0.0, -3.0}));
    EXPECT_EQ(sorted(Plot_Compare_Second_Ascending), (std::vector<double>{-3.0, 0.0, 5.0, 7.0}));

    // Ties compare equal; the comparisons serve a pointer array of points as well.
    EXPECT_EQ(Plot_Compare_First_Ascending(&points[0], &points[3]), 0);
    EXPECT_EQ(Plot_Compare_Second_Descending(&points[0], &points[3]), -1);
    Ptr_Array array{};
    ASSERT_EQ(PtrArr_Init(&array, 4), 1);
    for (int i = 0; i < 4; ++i) PtrArr_Set(&array, i, const_cast<Plot_Value_Pair*>(&points[i]));
    PtrArr_Sort(&array, Plot_Compare_Second_Ascending);
    EXPECT_EQ(PtrArr_Get(&array, 0), &points[2]);
    EXPECT_EQ(PtrArr_Get(&array, 3), &points[1]);
    PtrArr_Release(&array);
}

TEST(PlotSortOrders, ValuesThatAreNotNumbersSortToOneEnd)
{
    // qsort needs a total order: a NaN compared as equal to everything could leave the
    // numbers unsorted around it.
    const double nan = std::nan("");
    std::vector<Plot_Value_Pair> p = {{3.0, nan}, {nan, 1.0}, {1.0, 2.0}, {nan, 0.0}, {2.0, 3.0}};
    std::qsort(p.data(), p.size(), sizeof(Plot_Value_Pair), Plot_Compare_First_Ascending);
    EXPECT_EQ(p[0].first, 1.0);
    EXPECT_EQ(p[1].first, 2.0);
    EXPECT_EQ(p[2].first, 3.0);
    EXPECT_TRUE(std::isnan(p[3].first) && std::isnan(p[4].first));
    std::qsort(p.data(), p.size(), sizeof(Plot_Value_Pair), Plot_Compare_Second_Descending);
    EXPECT_TRUE(std::isnan(p[0].second));
    EXPECT_EQ(p[1].second, 3.0);
    EXPECT_EQ(p[4].second, 0.0);
    EXPECT_EQ(Plot_Compare_First_Descending(&p[0], &p[0]), 0);
    const Plot_Value_Pair both_nan[2] = {{nan, 0.0}, {nan, 5.0}};
    EXPECT_EQ(Plot_Compare_First_Ascending(&both_nan[0], &both_nan[1]), 0);
}
