#include "material/masonry_report.h"

#include "annex/nad_ec6_ec9.h"
#include "material/masonry.h"
#include "report/oli_channel.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class MasonryReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        OLI_Reset_Channel();
        NAD_EC6_Defaults(&standard);
        NAD_EC6_Defaults_NA_DE(&german);
        Use(nullptr, 0);
    }
    void TearDown() override
    {
        Use(nullptr, 0);
        OLI_Reset_Channel();
    }
    static void Use(NAD_EC6_Params* params, int use_values)
    {
        masonry_ec6_params = params;
        masonry_use_ec6_values = use_values;
        masonry_plain_text = 0;
    }
    static Masonry_Record Computed(int sfk, int mg, int material, int shape)
    {
        Masonry_Record record;
        Reset_Masonry_Record(&record);
        record.strength_class = sfk;
        record.mortar_group = mg;
        record.unit_material = material;
        record.unit_shape = shape;
        Calc_Masonry_Record(&record);
        return record;
    }

    NAD_EC6_Params standard;
    NAD_EC6_Params german;
    File_Stream out;
};

const std::string VALUES_HEAD = "#SHOWTABLE\n0 0 0\n1 1 -1 -1 1\n13.5\n";
const std::string HEAD =
    "  SFK      MG    f\xCE\\k\xCEr    \xC1    \xC0\xCE\\M\xCEr     f\xCE\\d\xCEr       E\xCE\\M\xCEr     f\xCE\\bk\xCEr   "
    "f\xCE\\vk0\xCEr  ";
const std::string UNITS =
    "               MN/m\xFD             MN/m\xFD     MN/m\xFD  MN/m\xFD MN/m\xFD MN/m\xFD ";
const std::string LEGEND_COMMON =
    "  SFK: Steinfestigkeitsklasse,  MG: M\x94rtelgruppe\n"
    "  charakteristische Druckfestigkeit von Mauerwerk mit M\x94rtel f\xCE\\k\xCEr,  Abminderungsbeiwert \xC1\n"
    "  Materialsicherheit \xC0\xCE\\M\xCEr = k\xCE\\0\xCEr\xCE/.\xCEr\xC0\xCE\\M0\xCEr,  Bemessungsdruckfestigkeit "
    "f\xCE\\d\xCEr = \xC1\xCE/.\xCErf\xCE\\k\xCEr/\xC0\xCE\\M\xCEr,  Elastizit\x84tsmodul E\xCE\\M\xCEr\n";
const std::string LEGEND_EC =
    "  normierte Mauersteindruckfestigkeit f\xCE\\bk\xCEr,  charakteristische Haftscherfestigkeit f\xCE\\vk0\xCEr,  "
    "rechnerische Steinzugfestigkeit f\xCE\\bt\xCEr\n";
const std::string LEGEND_DIN =
    "  charakteristische Steindruckfestigkeit f\xCE\\bk\xCEr,  abgeminderte Haftscherfestigkeit f\xCE\\vk0\xCEr,  "
    "Steinzugfestigkeit f\xCE\\bz\xCEr\n";
const std::string LEGEND_FLEXURAL =
    "  charakteristische Biegezugfestigkeiten f\xCE\\xk1\xCEr parallel zur Lagerfuge, f\xCE\\xk2\xCEr senkrecht zur "
    "Lagerfuge\n";

} // namespace

TEST_F(MasonryReport, DinRecordWholeTable)
{
    const Masonry_Record record = Computed(5, 1, 1, 1);  // SFK 12, MG II, calcium silicate, perforated
    Write_Masonry_Report_Table(out.get(), &record);
    EXPECT_EQ(out.bytes(), VALUES_HEAD + HEAD + "f\xCE\\bz\xCEr  \n" + UNITS + "\n" +
                               "   12       II  3.70  0.85 1.875  1.68      3515  12.00  0.08  0.40\n"
                               "#END_OF_TEXT\n"
                               "#OLI_YPOS 1 -0.5\n"
                               "#SHOWTABLE\n0 0 4\n" +
                               LEGEND_COMMON + LEGEND_DIN + "0 0 -1 -1\n#END_OF_TEXT\n");
}

TEST_F(MasonryReport, EurocodeRecordWithExplanation)
{
    Use(&german, 0);
    const Masonry_Record record = Computed(7, 3, 0, 2);  // SFK 20, MG III, clay, solid
    Write_Masonry_Report_Table(out.get(), &record);
    std::string explanation;
    Calc_Masonry_Strength(7, 3, 0, 2, -1, 0, 0, &explanation, nullptr);
    ASSERT_FALSE(explanation.empty());
    EXPECT_EQ(out.bytes(), VALUES_HEAD + HEAD + "f\xCE\\bt\xCEr  \n" + UNITS + "\n" +
                               "   20      III  9.07  0.85 1.500  5.14      9975  25.00  0.22  0.80\n"
                               "#END_OF_TEXT\n"
                               "#OLI_YPOS 1 -0.5\n"
                               "#SHOWTABLE\n0 0 4\n" +
                               LEGEND_COMMON + LEGEND_EC + "0 0 -1 -1\n" + explanation + "#END_OF_TEXT\n");
}

TEST_F(MasonryReport, FlexuralColumnsAndFallbackExplanation)
{
    Use(&standard, 0);
    const Masonry_Record record = Computed(7, 3, 0, 2);
    Write_Masonry_Report_Table(out.get(), &record);
    const std::string bytes = out.bytes();
    EXPECT_NE(bytes.find("f\xCE\\bt\xCEr   f\xCE\\xk1\xCEr  f\xCE\\xk2\xCEr \n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find(UNITS + "MN/m\xFD MN/m\xFD \n"), std::string::npos);
    // No Eurocode unit values: dashes; the flexural strengths as numbers.
    const std::string dashes = "  --- ";
    EXPECT_NE(bytes.find("   20      III  7.50  1.00 1.500  5.00" + std::string("      --- ") + " " + dashes + dashes +
                         dashes + "  0.10  0.20\n"),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("#SHOWTABLE\n0 0 5\n" + LEGEND_COMMON + LEGEND_EC + LEGEND_FLEXURAL + "0 0 -1 -1\n" +
                         " Die Druckfestigkeit von Mauerwerk kann nach EC 6 nicht bestimmt werden, da\n"),
              std::string::npos)
        << bytes;
    EXPECT_EQ(bytes.substr(bytes.size() - 13), "#END_OF_TEXT\n");
}

TEST_F(MasonryReport, RecordsWithoutExplanation)
{
    Use(&german, 0);
    Masonry_Record record;
    Reset_Masonry_Record(&record);
    record.user_defined = 1;
    record.fk = 4.0;
    record.E_M = 0.05;
    Calc_Masonry_Record(&record);  // refused (no E_M, no fbk): the texts stay empty
    Write_Masonry_Report_Table(out.get(), &record);
    const std::string dashes = "  --- ";
    EXPECT_NE(out.bytes().find("\n" + std::string(5 + 9, ' ') + "  4.00  0.00 0.000" + dashes + "      --- " +
                               " " + dashes + dashes + dashes + "\n#END_OF_TEXT\n"),
              std::string::npos)
        << out.bytes();
    EXPECT_EQ(out.bytes().substr(out.bytes().size() - 23), "0 0 -1 -1\n#END_OF_TEXT\n");

    // A table record outside the tables: no strength, no text.
    Reset_Masonry_Record(&record);
    record.strength_class = 12;
    File_Stream second;
    Write_Masonry_Report_Table(second.get(), &record);
    EXPECT_EQ(second.bytes().substr(second.bytes().size() - 23), "0 0 -1 -1\n#END_OF_TEXT\n");
}

TEST_F(MasonryReport, MissingStreamOrRecordAndOpenTextBlock)
{
    const Masonry_Record record = Computed(5, 1, 1, 1);
    Write_Masonry_Report_Table(nullptr, &record);
    Write_Masonry_Report_Table(out.get(), nullptr);
    EXPECT_EQ(out.bytes(), "");

    // Running text before the table: its block is ended first.
    OLI_Printf(out.get(), "Mauerwerk");
    Write_Masonry_Report_Table(out.get(), &record);
    EXPECT_EQ(out.bytes().rfind("\n#SHOWPARA\n0x0\n4\n-1\n Mauerwerk\n#END_OF_TEXT\n0x0\n-1\n#SHOWTABLE\n", 0), 0u)
        << out.bytes();
    EXPECT_EQ(oli_channel_mode, OLI_MODE_READY);
}
