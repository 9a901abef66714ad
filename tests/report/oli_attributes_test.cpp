#include "report/oli_attributes.h"
#include "report/oli_channel.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class ReportAttributes : public ::testing::Test {
protected:
    void SetUp() override { oli_channel_mode = OLI_MODE_UNINITIALISED; }
    // Opens a block with one line; the bytes after it show what the setters caused.
    void Open() { ASSERT_EQ(OLI_Printf(out.get(), "a\n"), 0); }
    std::string After_Opening() const { return out.bytes().substr(std::string("\n#SHOWPARA\n0x0\n4\n-1\n a\n").size()); }
    File_Stream out;
};

} // namespace

TEST_F(ReportAttributes, SpacesAddUpAndActOnce)
{
    Open();
    OLI_Add_Paragraph_Space(0.3);
    OLI_Add_Paragraph_Space(0.3);
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    EXPECT_EQ(OLI_Printf(out.get(), "c\n"), 0);
    EXPECT_EQ(After_Opening(), "#END_OF_TEXT\n0x1004\n2 0.6\n0x0\n4\n-1\n b\n c\n");
}

TEST_F(ReportAttributes, UnchangedValuesCauseNoChange)
{
    Open();
    OLI_Set_Text_Style(4);
    OLI_Clear_Tab_Stops();          // none set
    OLI_Set_Tab_Stops(2, nullptr, nullptr, 3);
    OLI_Set_Tab_Grid(2, 0.0);
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    EXPECT_EQ(After_Opening(), " b\n");
}

TEST_F(ReportAttributes, SettersReachTheRecord)
{
    Open();
    OLI_Set_Text_Indent(1.5);
    OLI_Set_Second_Indent(0.5);
    OLI_Set_Line_Factor(1.2);
    OLI_Set_Space_After(0.25);
    OLI_Set_Paragraph_Flags(0xFFFFFFFFu);  // only 0x08, 0x80 and 0x100 are taken
    OLI_Set_Text_Style(3);
    EXPECT_EQ(OLI_Get_Text_Indent(), 1.5);
    EXPECT_EQ(OLI_Get_Second_Indent(), 0.5);
    EXPECT_EQ(OLI_Get_Line_Factor(), 1.2);
    EXPECT_EQ(OLI_Get_Space_After(), 0.25);
    EXPECT_EQ(OLI_Get_Text_Style(), 3);
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    EXPECT_EQ(After_Opening(), "#END_OF_TEXT\n0x4\n0xda8\n3\n2 1.5 2 0.5\n1.2\n2 0.25\n-1\n b\n");

    OLI_Reset_Text_Attributes();
    EXPECT_EQ(OLI_Get_Text_Indent(), 0.0);
    EXPECT_EQ(OLI_Get_Text_Style(), 4);
    // The reset alone counts as a change, even towards the same values; bit 0x80 in
    // both records gives the transition bit 0x100.
    OLI_Reset_Text_Attributes();
    OLI_Set_Text_Indent(1.5);
    OLI_Set_Second_Indent(0.5);
    OLI_Set_Line_Factor(1.2);
    OLI_Set_Space_After(0.25);
    OLI_Set_Paragraph_Flags(0x188u);
    OLI_Set_Text_Style(3);
    EXPECT_EQ(OLI_Printf(out.get(), "c\n"), 0);
    EXPECT_EQ(After_Opening(), "#END_OF_TEXT\n0x4\n0xda8\n3\n2 1.5 2 0.5\n1.2\n2 0.25\n-1\n b\n"
                               "#END_OF_TEXT\n0x104\n0xda8\n3\n2 1.5 2 0.5\n1.2\n2 0.25\n-1\n c\n");
}

TEST_F(ReportAttributes, TabStopsLastUntilTheBlockEnds)
{
    Open();
    const double at[] = {3.0, 6.0};
    OLI_Set_Tab_Stops(2, nullptr, at, 2);
    EXPECT_EQ(OLI_Printf(out.get(), "b\n"), 0);
    // Clearing keeps the callback: the next record carries an empty list.
    OLI_Clear_Tab_Stops();
    EXPECT_EQ(OLI_Printf(out.get(), "c\n"), 0);
    OLI_Set_Tab_Grid(2, 2.5);
    EXPECT_EQ(OLI_Printf(out.get(), "d\n"), 0);
    OLI_Set_Tab_Grid(2, -1.0);
    EXPECT_EQ(OLI_Printf(out.get(), "e\n"), 0);
    EXPECT_EQ(OLI_End_Text_Block(out.get()), 0);
    EXPECT_EQ(OLI_Printf(out.get(), "f\n"), 0);
    EXPECT_EQ(After_Opening(), "#END_OF_TEXT\n0x4\n0x40\n4\n0x0 2\n2 3\n2 6\n-1\n b\n"
                               "#END_OF_TEXT\n0x4\n0x40\n4\n0x0 0\n-1\n c\n"
                               "#END_OF_TEXT\n0x4\n0x40\n4\n0x2\n2 2.5\n-1\n d\n"
                               "#END_OF_TEXT\n0x4\n0x40\n4\n0x0 0\n-1\n e\n"
                               "#END_OF_TEXT\n0x0\n-1\n"
                               "\n#SHOWPARA\n0x0\n4\n-1\n f\n");
}

TEST_F(ReportAttributes, TabStopsBeforeFirstUseAreLost)
{
    const double at[] = {3.0};
    OLI_Set_Tab_Stops(2, nullptr, at, 1);
    EXPECT_EQ(oli_channel_mode, OLI_MODE_UNINITIALISED);  // tab setters do not initialise
    EXPECT_EQ(OLI_Printf(out.get(), "a\n"), 0);
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x0\n4\n-1\n a\n");
}
