#include "report/plot_dimension_chains.h"

#include "base/alloc.h"
#include "report/plot_state.h"

#include "plot_test_support.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class PlotDimensionChains : public ::testing::Test {
protected:
    void SetUp() override
    {
        graphic_.Begin(0.0, 0.0, 10.0, 5.0, 1.0, 1.0, 0.0);
        plot_state.dimension_options = 0;
        PtrArr_Init(&chain_, 0);
    }
    void TearDown() override
    {
        for (int i = 0; i < PtrArr_Count(&chain_); ++i) MEM_FREE(PtrArr_Get(&chain_, i));
        PtrArr_Release(&chain_);
    }
    void Add(double x, double y) { ASSERT_EQ(Plot_Chain_Add_Point(&chain_, x, y), 1); }

    // The dimension lines drawn, as the first line record of each dimension group, and
    // the labels (texts of the records 10) in order.
    std::vector<std::string> Lines() const { return After(" 38 0   0\n", "\n"); }
    std::vector<std::string> Labels() const { return After(" 210 \xAE", "\xAF"); }

    Plot_State_Guard guard_;
    Graphic_Capture graphic_;
    Ptr_Array chain_{};

private:
    std::vector<std::string> After(const std::string& mark, const std::string& end) const
    {
        const std::string bytes = graphic_.Records();
        std::vector<std::string> found;
        for (size_t at = bytes.find(mark); at != std::string::npos; at = bytes.find(mark, at + 1)) {
            const size_t from = at + mark.size();
            found.push_back(bytes.substr(from, bytes.find(end, from) - from));
        }
        return found;
    }
};

}  // namespace

TEST_F(PlotDimensionChains, PointsAreProjectedOrderedAndConsumed)
{
    // Off the line y = 2 and out of order: dimensioned 0-1 and 1-2.5 along y = 2.
    Add(0.0, 2.0);
    Add(2.5, 3.0);
    Add(1.0, 0.5);
    EXPECT_EQ(Plot_Draw_Dimension_Chain(&chain_, "mm", 0.0, 2.0, 0.0, 0.1, 1.0, 0), 0.0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{" 1  -0.100000 2.000000 1.100000 2.000000",
                                                 " 1  0.900000 2.000000 2.600000 2.000000"}));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(PtrArr_Count(&chain_), 0);

    // Descending y on a vertical chain; the word "CM" is not "cm": metres.
    Add(3.0, 0.0);
    Add(3.0, 0.5);
    Add(3.0, 1.25);
    Plot_Draw_Dimension_Chain_Sorted(&chain_, "CM", 3.0, 0.0, 1.5707963267948966, 0.1, 1.0, 0,
                                     PLOT_CHAIN_Y_DESCENDING);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"1", "1", "75", "50"}));
    EXPECT_EQ(PtrArr_Count(&chain_), 0);

    // A point that is not a number sorts last and gets no dimension of its own.
    for (double x : {2.0, std::nan(""), 0.0, std::nan(""), 1.0}) Add(x, 0.0);
    Plot_Draw_Dimension_Chain(&chain_, nullptr, 0.0, 0.0, 0.0, 0.1, 1.0, 0);
    EXPECT_EQ(Labels().size(), 6u);
    EXPECT_EQ(PtrArr_Count(&chain_), 0);
}

TEST_F(PlotDimensionChains, ChainsThatDrawNothing)
{
    // One point: left as it is.
    Add(1.0, 1.0);
    EXPECT_EQ(Plot_Draw_Dimension_Chain(&chain_, "mm", 0.0, 0.0, 0.0, 0.1, 1.0, 0), 0.0);
    ASSERT_EQ(PtrArr_Count(&chain_), 1);
    EXPECT_EQ(static_cast<Plot_Chain_Point*>(PtrArr_Get(&chain_, 0))->y, 1.0);
    EXPECT_EQ(Plot_Draw_Dimension_Chain(nullptr, "mm", 0.0, 0.0, 0.0, 0.1, 1.0, 0), 0.0);
    EXPECT_EQ(Plot_Chain_Add_Point(nullptr, 0.0, 0.0), 0);

    // A unit factor of 0 in centimetres: nothing drawn, the chain still consumed.
    Add(3.0, 1.0);
    EXPECT_EQ(Plot_Draw_Dimension_Chain(&chain_, "cm", 0.0, 0.0, 0.0, 0.1, 0.0, 0), 0.0);
    EXPECT_EQ(PtrArr_Count(&chain_), 0);

    // An unknown axis mode leaves the chain alone.
    Add(0.0, 0.0);
    Add(1.0, 0.0);
    EXPECT_EQ(Plot_Draw_Axis_Dimension_Chain(&chain_, "mm", 4, 0.0, 0.1, 1.0, 0), 0.0);
    EXPECT_EQ(PtrArr_Count(&chain_), 2);

    // Two points at the same x on a horizontal axis chain: no dimension, both freed.
    static_cast<Plot_Chain_Point*>(PtrArr_Get(&chain_, 1))->x = 0.000001;
    EXPECT_EQ(Plot_Draw_Axis_Dimension_Chain(&chain_, "mm", PLOT_AXIS_CHAIN_X_ASCENDING, 0.0,
                                             0.1, 1.0, 0),
              0.0);
    EXPECT_EQ(PtrArr_Count(&chain_), 0);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(PlotDimensionChains, AxisChainsAndArrays)
{
    // Descending x on the line y = 4; the result is the largest staggering of the chain.
    Add(0.0, 1.0);
    Add(2.0, 3.0);
    Add(2.15, 0.0);
    EXPECT_EQ(Plot_Draw_Axis_Dimension_Chain(&chain_, "mm", PLOT_AXIS_CHAIN_X_DESCENDING, 4.0,
                                             0.1, 1.0, 0),
              2.0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{" 1  2.250000 4.000000 1.900000 4.000000",
                                                 " 1  2.100000 4.000000 -0.100000 4.000000"}));

    // Arrays: projected onto the line from (0, 1) towards (-4, 1), ordered that way.
    const double x[] = {-1.0, -3.5, 0.0};
    const double y[] = {2.0, 0.0, 1.0};
    Plot_Draw_Dimension_Chain_Arrays(3, x, y, 0.0, 1.0, -4.0, 1.0, 0.1);
    ASSERT_EQ(Lines().size(), 4u);
    EXPECT_EQ(Lines()[2], " 1  0.100000 1.000000 -1.100000 1.000000");
    EXPECT_EQ(Lines()[3], " 1  -0.900000 1.000000 -3.600000 1.000000");
    EXPECT_EQ(x[1], -3.5);
    EXPECT_EQ(y[0], 2.0);
    EXPECT_EQ(Plot_Draw_Dimension_Chain_Arrays(1, x, y, 0.0, 0.0, 1.0, 0.0, 0.1), 0.0);
}
