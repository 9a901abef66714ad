// The report line of the required reinforcement areas: which areas are written, how, and
// where the line breaks.
#include "core/required_areas_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "core/corbel_model.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

namespace {

const std::string kGesamt = "\xCE_Gesamt\xCEr";
const std::string kTab = "\xCEt";

// The running text the channel wrote: its text lines without the channel's leading blank.
std::string Text_Of(const std::string& report)
{
    std::istringstream lines(report);
    std::string line, text;
    while (std::getline(lines, line))
        if (!line.empty() && line[0] == ' ') text += line.substr(1) + "\n";
    return text;
}

std::string Area(const char* sub, const char* value) { return std::string("A\xCE\\") + sub + "\xCEr = " + value + " cm\xFD"; }

class RequiredAreasLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clear_Corbel_Model(&m);
        Alloc_Load_Table(&m, 2, 0);
        m.load_count[0] = 2;
        Alloc_Load_Case_Results(&m);
    }
    std::string Line(int row, const char* heading = "\xCE_Gesamt\xCEr", int summary = 0)
    {
        File_Stream out;
        Write_Required_Areas_Line(&m, row, out.get(), heading, summary);
        OLI_End_Text_Block(out.get());
        return Text_Of(out.bytes());
    }
    Corbel_Model& m = corbel_model;
};

TEST_F(RequiredAreasLine, WritesOnlyTheAreasWorthAWord)
{
    m.results[0].As_v = 2.5;
    m.results[0].As_h = 0.005;  // too small to mention
    m.results[0].As_s = 0.01;   // not above 0.01 either
    EXPECT_EQ(Line(0), kGesamt + ": " + kTab + kTab + Area("s,v", "2.50") + "\n");

    m.results[0] = Load_Case_Result{};
    m.results[0].As_h = -0.1;   // still a number
    m.results[0].Asb_v = -0.11; // the failure mark
    m.results[0].As_s = NAN;    // never "nan" in the report
    const std::string red = Get_Red_Colour_Code(), off = Get_Colour_Off_Code();
    EXPECT_EQ(Line(0), kGesamt + ": " + kTab + kTab + Area("s,h", "-0.10") + ", " + red + "A\xCE\\s,s\xCEr Fehler" +
                           off + "\xCEr, " + red + "A\xCE\\sb,v\xCEr Fehler" + off + "\xCEr\n");
}

TEST_F(RequiredAreasLine, BreaksAfterFivePlacesWithTheLeverArmItemTakingTwo)
{
    Load_Case_Result& r = m.results[0];
    r.As_h = 1; r.As_v = 2; r.As_s = 3; r.As_h1 = 4; r.As_v2 = 6; r.Asb_v = 7; r.Asb_h = 8;
    EXPECT_EQ(Line(0), kGesamt + ": " + kTab + kTab + Area("s,h", "1.00") + ", " + Area("s,v", "2.00") + ", " +
                           Area("s,s", "3.00") + ", " + Area("s,h1", "4.00") + ", " + Area("s,v2", "6.00") + "\n" +
                           kTab + Area("sb,v", "7.00") + ", " + Area("sb,h", "8.00") + "\n");

    r = Load_Case_Result{};
    r.As_h = 1; r.As_v = 2; r.As_s = 3; r.As_h1 = 4; r.As_v1 = 5; r.z3 = 25.04; r.Ast = 6;
    EXPECT_EQ(Line(0), kGesamt + ": " + kTab + kTab + Area("s,h", "1.00") + ", " + Area("s,v", "2.00") + ", " +
                           Area("s,s", "3.00") + ", " + Area("s,h1", "4.00") + "\n" + kTab + Area("s,v1", "5.00") +
                           " bei z\xCE\\" "3\xCEr = 25.0 cm (\xB2" + Area("st", "6.00") + ")\n");

    // Five places taken: the total goes to a new line. Without a heading no tab at all.
    r = Load_Case_Result{};
    r.As_h = 1; r.As_v = 2; r.As_s = 3; r.As_h1 = 4; r.As_v2 = 6; r.Ast = 6;
    EXPECT_EQ(Line(0, ""), Area("s,h", "1.00") + ", " + Area("s,v", "2.00") + ", " + Area("s,s", "3.00") + ", " +
                               Area("s,h1", "4.00") + ", " + Area("s,v2", "6.00") + "\n(\xB2" + Area("st", "6.00") +
                               ")\n");
}

TEST_F(RequiredAreasLine, SummaryReadsTheFinalAreasAndBeamEndAreasArePerMetre)
{
    Load_Case_Summary& s = m.summary;
    s.As_h = 9; s.Asb_v = 9; s.Asb_h = 9;  // the envelope before the fatigue check: not written
    s.final_As_h = 1.25; s.final_Asb_v = 2; s.final_Asb_h = 3; s.Ast = 5;
    m.execution = EXECUTION_BEAM_END;
    EXPECT_EQ(Line(-1, "maximale Bewehrung", 1), "maximale Bewehrung: " + kTab + kTab + Area("s,h", "1.25") +
                                                     "/m, " + Area("sb,v", "2.00") + "/m, " + Area("sb,h", "3.00") +
                                                     "/m\n");
}

TEST_F(RequiredAreasLine, RowsOutsideTheResultsWriteNothing)
{
    EXPECT_EQ(Line(2) + Line(-1), "");
}

}  // namespace
