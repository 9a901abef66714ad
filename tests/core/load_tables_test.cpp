#include "core/load_tables.h"

#include "base/alloc.h"
#include "core/corbel_model.h"
#include "core/startup.h"
#include "platform/messages.h"
#include "report/oli_channel.h"
#include "test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

const std::string GREY = "\xCE{C 1 110 110 110}", OFF = "\xCE{C 768}";
const std::string A_ED = "A\xCE\\Ed\xCEr", H_ED = "H\xCE\\Ed\xCEr";

// A model that owns nothing but its two load tables, freed at the end.
class LoadTables : public ::testing::Test {
protected:
    Corbel_Model m{};

    void SetUp() override
    {
        Clear_Shown_Messages();
        refresh_mode = 0;
        Init_EC2_Print_Options(&m.print_options);
        m.connection = CONNECTION_COLUMN;
    }
    void TearDown() override
    {
        for (Load_Combination* table : m.load_table) MEM_FREE(table);
        refresh_mode = 0;
        OLI_Reset_Channel();
    }
    void Set_Row(int k, int i, const char* name, double A, double H)
    {
        std::snprintf(m.load_table[k][i].name, sizeof(m.load_table[k][i].name), "%s", name);
        m.load_table[k][i].A = A;
        m.load_table[k][i].H = H;
    }
    std::string Write()
    {
        File_Stream f;
        EXPECT_EQ(Write_Load_Tables(f.get(), &m), 0);
        return f.bytes();
    }
    int Read(const std::string& bytes)
    {
        File_Stream f(bytes);
        return Read_Load_Tables(f.get(), &m);
    }
    std::string Report(const Corbel_Model& model)
    {
        File_Stream f;
        OLI_Reset_Channel();
        Report_Load_Tables(const_cast<Corbel_Model*>(&model), f.get());
        OLI_Reset_Channel();
        return f.bytes();
    }
};

} // namespace

TEST_F(LoadTables, AllocationKeepsOneDesignRowAndNamesRowsBlank)
{
    Alloc_Load_Table(&m, 0, 0);
    ASSERT_EQ(m.load_count[0], 1);
    EXPECT_STREQ(m.load_table[0][0].name, " ");
    Alloc_Load_Table(&m, 3, 1);
    ASSERT_EQ(m.load_count[1], 3);
    EXPECT_STREQ(m.load_table[1][2].name, " ");
    Alloc_Load_Table(&m, -3, 1);  // frees the array; the count is kept as given
    EXPECT_EQ(m.load_table[1], nullptr);
}

TEST_F(LoadTables, BlockLayoutAndRoundTrip)
{
    Alloc_Load_Table(&m, 3, 0);
    Alloc_Load_Table(&m, 1, 1);
    m.unit_switch = 2;
    Set_Row(0, 0, "  LK 1 ~Wind~  ", 250000.0, -12500.5);
    Set_Row(0, 1, "A name that is far longer than forty characters", 1.0, 2.0);
    Set_Row(0, 2, "", 0.0, 0.0);
    Set_Row(1, 0, "oben", 150000.0, 0.0);
    std::string bytes = Write();
    EXPECT_EQ(bytes, " 0\n 2 3\n"
                     " ~~LK~1~~Wind~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n -12500.500000 250000.000000\n"
                     " A~name~that~is~far~longer~than~forty~cha\n 2.000000 1.000000\n"
                     " " + std::string(40, '~') + "\n 0.000000 0.000000\n"
                     " 1\n oben~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n 0.000000 150000.000000\n");
    // In memory the names are now cut and trimmed, '~' reads as a blank.
    EXPECT_STREQ(m.load_table[0][0].name, "LK 1  Wind");
    EXPECT_STREQ(m.load_table[0][1].name, "A name that is far longer than forty cha");

    Alloc_Load_Table(&m, 1, 0);
    Alloc_Load_Table(&m, 0, 1);
    ASSERT_EQ(Read(To_CRLF(bytes)), 0);
    EXPECT_EQ(m.unit_switch, 2);
    ASSERT_EQ(m.load_count[0], 3);
    EXPECT_STREQ(m.load_table[0][0].name, "LK 1  Wind");
    EXPECT_EQ(m.load_table[0][0].H, -12500.5);
    EXPECT_STREQ(m.load_table[0][2].name, "");
    ASSERT_EQ(m.load_count[1], 1);
    EXPECT_EQ(m.load_table[1][0].A, 150000.0);

    // A design table stored with no rows still reads one.
    ASSERT_EQ(Read(" 0\n 0 0\n Eigengewicht\n 5 7\n 0\n"), 0);
    ASSERT_EQ(m.load_count[0], 1);
    EXPECT_EQ(m.load_table[0][0].A, 7.0);
}

// Names taken over from imported labels may carry tabs or line ends; written as they are
// they split the token, and the whole position would then read as defaults.
TEST_F(LoadTables, WhiteSpaceInsideANameDoesNotBreakTheFile)
{
    Alloc_Load_Table(&m, 2, 0);
    Set_Row(0, 0, "Lk\t1\r\nneu\vx\fy", 1000.0, 2000.0);
    Set_Row(0, 1, "zweite", 3000.0, 4000.0);
    std::string bytes = Write();
    EXPECT_NE(bytes.find(" Lk~1~~neu~x~y~"), std::string::npos);
    EXPECT_STREQ(m.load_table[0][0].name, "Lk 1  neu x y");  // as it will read back
    ASSERT_EQ(Read(bytes), 0);
    EXPECT_STREQ(m.load_table[0][0].name, "Lk 1  neu x y");
    EXPECT_STREQ(m.load_table[0][1].name, "zweite");
    EXPECT_EQ(m.load_table[0][1].H, 4000.0);
}

TEST_F(LoadTables, DamagedBlocks)
{
    // A token longer than the field keeps its first 40 characters; the rest is dropped and
    // the forces behind it are still read.
    ASSERT_EQ(Read(" 0\n 0 1\n Lang~" + std::string(300, 'X') + "\n 11.0 22.0\n 0\n"), 0);
    EXPECT_EQ(std::string(m.load_table[0][0].name), "Lang " + std::string(35, 'X'));
    EXPECT_EQ(m.load_table[0][0].A, 22.0);

    // A row count no position has is refused before anything is allocated.
    Load_Combination* before = m.load_table[0];
    EXPECT_EQ(Read(" 0\n 0 100001\n"), 1);
    EXPECT_EQ(m.load_table[0], before);
    EXPECT_EQ(Read(" 0\n 0 1\n a\n 1 2\n 2000000000\n"), 1);
    EXPECT_EQ(Read(" 0\n 0 1\n a\n 1 2\n 100000\n"), 1);  // allowed, but the rows are missing
    EXPECT_EQ(m.load_count[1], 100000);
    EXPECT_EQ(Read(" 0\n 0 1\n a\n 1 2\n -5\n"), 0);  // an empty fatigue table
    EXPECT_EQ(m.load_table[1], nullptr);

    // Truncated or garbled: 1, and the rows read so far stay.
    EXPECT_EQ(Read(" 0\n 0 2\n erste\n 1.5 2.5\n zweite\n 3.0"), 1);
    EXPECT_STREQ(m.load_table[0][0].name, "erste");
    EXPECT_EQ(Read(" 0\n 0 1\n name\n x 1.0\n 0\n"), 1);

    // A newer block is refused with the input-file wording, silently in a refresh run;
    // 9999 and above are never newer.
    EXPECT_EQ(Read(" 1\n 0 1\n a\n 1 2\n 0\n"), 1);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text.substr(0, 36), "!! ACHTUNG !!\nDie Eingabedatei ist a");
    refresh_mode = 1;
    EXPECT_EQ(Read(" 5\n 0 1\n a\n 1 2\n 0\n"), 1);
    EXPECT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Read(" 9999\n 0 1\n a\n 1 2\n 0\n"), 0);
}

TEST_F(LoadTables, TableInUse)
{
    EXPECT_EQ(Load_Table_In_Use(&m, 0), 0);  // no array yet
    Alloc_Load_Table(&m, 2, 0);
    Set_Row(0, 0, "", 1.0, -1.0);  // exactly 1.0 N is not significant
    EXPECT_EQ(Load_Table_In_Use(&m, 0), 0);
    Set_Row(0, 1, "", 0.0, -1.01);
    EXPECT_EQ(Load_Table_In_Use(&m, 0), 1);
    Alloc_Load_Table(&m, 1, 1);
    EXPECT_EQ(Load_Table_In_Use(&m, 1), 0);
    Alloc_Load_Table(&m, 2, 1);
    EXPECT_EQ(Load_Table_In_Use(&m, 1), 1);
}

TEST_F(LoadTables, ReportListAndTableForms)
{
    m.print_options.switches[EC2_PRINT_SKETCHES] = 0;
    Alloc_Load_Table(&m, 1, 0);
    Set_Row(0, 0, "leer", 1.0, 0.5);
    EXPECT_EQ(Report(m), "");  // a single insignificant row: no section

    Alloc_Load_Table(&m, 4, 0);
    Set_Row(0, 0, "Eigengewicht", 250000.0, 50000.0);
    Set_Row(0, 1, "", 0.5, 0.8);  // not significant: left out, its number skipped
    Set_Row(0, 2, "", 125000.0, 0.0);
    std::string r = Report(m);
    EXPECT_NE(r.find("\xCEHBemessungsgr\x94\xE1" "en (GZT)\n"), std::string::npos);
    EXPECT_NE(r.find(" Lk 1: \xCEt" + GREY + "Eigengewicht" + OFF + "\n \xCEt" + A_ED + " = 250.0 kN, " + H_ED +
                     " = 50.0 kN\n Lk 3: \xCEt" + A_ED + " = 125.0 kN\n#END_OF_TEXT"),
              std::string::npos);
    EXPECT_EQ(r.find("#SHOWTABLE"), std::string::npos);

    // From five rows a table block; with the sketches switch the sign sketch first.
    m.print_options.switches[EC2_PRINT_SKETCHES] = 1;
    Alloc_Load_Table(&m, 5, 0);
    for (int i = 0; i < 5; ++i) Set_Row(0, i, i == 4 ? " letzte " : "", 1000.0 * (i + 1), 0.0);
    r = Report(m);
    EXPECT_LT(r.find("schnittgroessen"), r.find("(GZT)"));
    EXPECT_NE(r.find("#SHOWTABLE\n0 0 0\n1 1 -1 -1 3\n4.4 4.6 13.5\n Lk       " + A_ED +
                     " \n          kN  \n 1         1.0\n"),
              std::string::npos);
    EXPECT_NE(r.find(" 5         5.0 letzte\n#END_OF_TEXT\n#OLI_YPOS 1 -0.5\n#OLI_FLAGS 0x380\n"), std::string::npos);

    // A beam-end corbel carries its forces per metre; unit switch 2 shows N unscaled.
    m.execution = EXECUTION_BEAM_END;
    m.unit_switch = 2;
    for (int i = 0; i < 5; ++i) Set_Row(0, i, "", 0.0, 1500.0);
    EXPECT_NE(Report(m).find(" Lk       " + H_ED + " \n          N/m \n 1      1500.0\n"), std::string::npos);
}

TEST_F(LoadTables, ReportFatigueTableOnlyForASingleDirectLoadCorbelOnAColumn)
{
    m.print_options.switches[EC2_PRINT_SKETCHES] = 0;
    m.fatigue_check = 1;
    Alloc_Load_Table(&m, 1, 0);
    Set_Row(0, 0, "", 100000.0, 0.0);
    Alloc_Load_Table(&m, 2, 1);
    Set_Row(1, 0, "Oberlast", 0.5, 20000.0);  // every row of table 1 is shown
    Set_Row(1, 1, "", 40000.0, 0.0);
    std::string r = Report(m);
    size_t fatigue = r.find("\xCEHBemessungsgr\x94\xE1" "en (Erm\x81" "dungsnachweis, GZG)\n");
    ASSERT_NE(fatigue, std::string::npos);
    // The H column comes in with table 1.
    EXPECT_NE(r.find("Lk 1: \xCEt" + GREY + "Oberlast" + OFF + "\n \xCEt" + H_ED + " = 20.0 kN\n Lk 2: \xCEt" +
                         A_ED + " = 40.0 kN\n",
                     fatigue),
              std::string::npos);

    for (int variant = 0; variant < 4; ++variant) {
        Corbel_Model k = m;
        (variant == 0 ? k.system : variant == 1 ? k.connection : variant == 2 ? k.load_transfer : k.execution) ^= 1;
        EXPECT_EQ(Report(k).find("GZG"), std::string::npos) << variant;
    }
}
