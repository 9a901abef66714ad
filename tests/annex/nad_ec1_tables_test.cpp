#include "annex/nad_ec1_tables.h"

#include "annex/nad_sections.h"
#include "annex/nad_set.h"
#include "annex_env.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace {

// Four tables; the block of table 12 is not one of ours and is passed over.
const char* const definitions =
    "Tabellen\n"
    "#TAB1\nWindzonen\nGeschwindigkeitsdruck\n1 2 3 4\n11 12 7 8\n3 2 kN/m2\n"
    "#TAB12\nfremd\nfremd\n0 0 0 0\n0 0 0 0\n1 1 x\n"
    "#TAB3\nSchneelast\nZonen\n0 0 0 0\n0 0 0 0\n2 1 kN\n"
    "#TAB8\nT8\nS8\n0 0 0 0\n0 0 0 0\n1 1 a\n"
    "#TAB9\nT9\nS9\n0 0 0 0\n0 0 0 0\n1 1 b\n";

std::string Block(const std::string& name, int mode, const std::string& tables)
{
    return "#NAD\n" + name + "\n" + std::to_string(mode) + "\n\n~DATA\n1 2 2\n\n" + tables +
           "~TAB99\n 10 0 1 2 3 4 5 6 7 8 9 10\n\n";
}

const std::string table1_nord = "~TAB1\nWerte Nord\n 9 9 9\n 9 9 9\n\n";
const std::string table1_plain = "~TAB1\nWerte\n 1 2 3\n 4 5 6.125\n\n";
const std::string table3 = "~TAB3\nSchnee\n 0.5 0.75\n\n";
const std::string tables89 = "~TAB8\nacht\n 8\n\n~TAB9\nneun\n 9\n\n";

// DATA and DRAM in a temporary directory for the time of a test.
class NADEC1Tables : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::mkdir(data_.c_str(), 0755);
        ::mkdir((data_ + "/NAD").c_str(), 0755);
        ::mkdir(dram_.c_str(), 0755);
        Write_File_Bytes(data_ + "/NAD/WUSL-Tabs.def", To_CRLF(definitions));
    }
    void TearDown() override { NAD_Clear_Read_Failures(); }
    void Write_Builtin_Values(const std::string& bytes)
    {
        Write_File_Bytes(data_ + "/NAD/WUSL-Tabs.val", bytes);
    }
    NAD_EC1_Tables Defined()
    {
        NAD_EC1_Tables tables;
        EXPECT_EQ(NAD_EC1_Read_Definitions(&tables), 4);
        return tables;
    }

    Temp_Dir dir_;
    std::string data_ = dir_.file("data");
    std::string dram_ = dir_.file("dram");
    Env_Override data_env_{"DATA", data_.c_str()};
    Env_Override dram_env_{"DRAM", dram_.c_str()};
};

} // namespace

TEST_F(NADEC1Tables, DefinitionsAreReadOnceWithTheirShapes)
{
    NAD_EC1_Tables tables = Defined();
    ASSERT_TRUE(tables.tables[0]);
    const NAD_EC1_Table& t1 = *tables.tables[0];
    EXPECT_EQ(t1.title, "Windzonen"); // CR LF cut
    EXPECT_EQ(t1.subtitle, "Geschwindigkeitsdruck");
    EXPECT_EQ(t1.word, "kN/m2");
    EXPECT_EQ(t1.values_per_line, 3);
    EXPECT_EQ(t1.lines, 2);
    EXPECT_EQ(t1.second_group[0], 10); // 11 - 1, stored as a difference
    EXPECT_EQ(t1.values, std::vector<double>(6, 0.0));
    EXPECT_FALSE(tables.tables[1]);

    // A damaged size line ends the reading; the tables before it stay.
    Write_File_Bytes(data_ + "/NAD/WUSL-Tabs.def",
                     "#TAB2\nA\nB\n0 0 0 0\n0 0 0 0\n1 1 w\n"
                     "#TAB4\nC\nD\n0 0 0 0\n0 0 0 0\n-5 100000000 w\n"
                     "#TAB5\nE\nF\n0 0 0 0\n0 0 0 0\n1 1 w\n");
    EXPECT_EQ(NAD_EC1_Read_Definitions(&tables), 1);
    EXPECT_TRUE(tables.tables[1]);
    EXPECT_FALSE(tables.tables[0]);
    EXPECT_FALSE(tables.tables[3]);
    EXPECT_FALSE(tables.tables[4]);

    ::unsetenv("DATA");
    EXPECT_EQ(NAD_EC1_Read_Definitions(&tables), 0);
    EXPECT_FALSE(tables.tables[1]);
}

TEST_F(NADEC1Tables, GroupValuesNearTheIntLimitsMarkTheDefinitionsDamaged)
{
    // The second group is kept as differences to the first: values beyond a plausible
    // range end the reading like any malformed block, the tables before them stay.
    Write_File_Bytes(data_ + "/NAD/WUSL-Tabs.def",
                     "#TAB2\nA\nB\n-1000000 1000000 0 0\n1000000 -1000000 0 0\n1 1 w\n"
                     "#TAB4\nC\nD\n-2147483648 0 0 0\n2147483647 0 0 0\n1 1 w\n"
                     "#TAB5\nE\nF\n0 0 0 0\n0 0 0 0\n1 1 w\n");
    NAD_EC1_Tables tables;
    EXPECT_EQ(NAD_EC1_Read_Definitions(&tables), 1);
    ASSERT_TRUE(tables.tables[1]);
    EXPECT_EQ(tables.tables[1]->second_group[0], 2000000);
    EXPECT_EQ(tables.tables[1]->second_group[1], -2000000);
    EXPECT_FALSE(tables.tables[3]);
    EXPECT_FALSE(tables.tables[4]);
}

TEST_F(NADEC1Tables, ADimensionBeyondAnyTableMarksTheDefinitionsDamaged)
{
    // No values per line times a billion lines holds no value but would be written back
    // as a billion empty lines: each dimension is bounded on its own.
    Write_File_Bytes(data_ + "/NAD/WUSL-Tabs.def",
                     "#TAB1\nA\nB\n0 0 0 0\n0 0 0 0\n2 3 w\n"
                     "#TAB2\nC\nD\n0 0 0 0\n0 0 0 0\n0 1143867147 w\n");
    NAD_EC1_Tables tables;
    EXPECT_EQ(NAD_EC1_Read_Definitions(&tables), 1);
    ASSERT_TRUE(tables.tables[0]);
    EXPECT_EQ(tables.tables[0]->lines, 3);
    EXPECT_FALSE(tables.tables[1]);
}

TEST_F(NADEC1Tables, BlocksAreFoundByTheirWholeNameBeforeAPrefix)
{
    Write_Builtin_Values(To_CRLF(Block("Norddeutschland", 1, table1_nord) +
                                 Block("Nord   ", 1, table1_plain) +
                                 Block("Deutschland 2010 (alt)", 2, table3)));
    NAD_EC1_Tables tables = Defined();
    ASSERT_EQ(NAD_EC1_Load(0, "Nord", &tables), 1);
    EXPECT_EQ(tables.tables[0]->values_label, "Werte");
    EXPECT_EQ(tables.tables[0]->values[5], 6.125);
    EXPECT_EQ(tables.table_options[9], 10);

    // No block named exactly so: the first whose name line begins with the name.
    tables = Defined();
    ASSERT_EQ(NAD_EC1_Load(0, "Deutschland", &tables), 1);
    EXPECT_EQ(tables.mode, 2);
    EXPECT_EQ(tables.tables[2]->has_values, 1);
    EXPECT_EQ(tables.tables[0]->has_values, 0); // only table 3 in that block

    EXPECT_EQ(NAD_EC1_Load(0, "Sued", &tables), 0);
    EXPECT_EQ(NAD_EC1_Load(1, "Nord", &tables), 0); // no user value file
}

TEST_F(NADEC1Tables, ValueBlockReading)
{
    NAD_EC1_Tables tables = Defined();
    tables.tables[0]->values[0] = 42.0;
    // Only table 3; unknown table numbers and a twelve-option line (clamped to ten) pass.
    File_Stream block("~DATA\n1 2 2\n\n~TAB7\nnicht definiert\n 1\n\n" + table3 +
                      "~TAB99\n 12 0 1 2 3 4 5 6 7 8 9 10 11 12\n\n#NAD\nNext\n");
    NAD_EC1_Read(block.get(), &tables);
    EXPECT_EQ(tables.tables[0]->values[0], 42.0);
    EXPECT_EQ(tables.tables[0]->has_values, 0);
    EXPECT_EQ(tables.tables[2]->values, (std::vector<double>{0.5, 0.75}));
    EXPECT_EQ(tables.tables[2]->values_label, "Schnee");
    EXPECT_EQ(tables.table_options[9], 10);
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
    std::string rest(64, '\0');
    rest.resize(std::fread(&rest[0], 1, rest.size(), block.get()));
    EXPECT_EQ(rest, "Next\n"); // the block ends at the next "#NAD"

    // A table that breaks off keeps its former values and is noted as damage.
    File_Stream broken("~TAB1\nneu\n 7 7 7\n 7 x\n");
    NAD_EC1_Read(broken.get(), &tables);
    EXPECT_EQ(tables.tables[0]->values[0], 42.0);
    EXPECT_EQ(tables.tables[0]->has_values, 0);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC1");
}

TEST_F(NADEC1Tables, NADEFlagDropsOneTableAndSkipsAbsentOnes)
{
    Write_Builtin_Values(Block("X", 1, tables89));
    NAD_EC1_Tables tables = Defined();
    ASSERT_EQ(NAD_EC1_Load(0, "X", &tables), 1);
    NAD_EC1_Set_NA_DE_Flag(&tables, 1);
    EXPECT_EQ(tables.mode, 2);
    EXPECT_EQ(tables.tables[7]->has_values, 1);
    EXPECT_EQ(tables.tables[8]->has_values, 0);
    EXPECT_EQ(tables.tables[8]->values_label, "");

    ASSERT_EQ(NAD_EC1_Load(0, "X", &tables), 1);
    NAD_EC1_Set_NA_DE_Flag(&tables, 0);
    EXPECT_EQ(tables.mode, 1);
    EXPECT_EQ(tables.tables[7]->has_values, 0);
    EXPECT_EQ(tables.tables[8]->has_values, 1);

    // Without a definition file the slots are empty: the setter must not touch them.
    NAD_EC1_Tables empty;
    NAD_EC1_Set_NA_DE_Flag(&empty, 1);
    NAD_EC1_Set_NA_DE_Flag(&empty, 0);
    EXPECT_EQ(empty.mode, 1);
}

TEST_F(NADEC1Tables, UserFileWriteReportsSuccessAndReadsBack)
{
    NAD_EC1_Tables tables = Defined();
    Write_Builtin_Values(Block("EC-Standardparameter", 1, table1_plain + table3));
    NAD_EC1_Defaults(&tables);
    tables.table_options[3] = 7;
    tables.mode = 2;
    EXPECT_EQ(NAD_EC1_Write(0, "Erste", &tables), 1);
    tables.tables[0]->values[1] = 2.5;
    EXPECT_EQ(NAD_EC1_Write(1, "Zweite", &tables), 1);

    const std::string file = Read_File_Bytes(dram_ + "/WUSL-NADs.def");
    EXPECT_NE(file.find("#NAD\nErste\n2\n\n~DATA\n1 2 2\n\n~TAB1\nWerte\n  1.000  2.000  3.000\n"
                        "  4.000  5.000  6.125\n\n~TAB3\n"),
              std::string::npos);
    EXPECT_NE(file.find("~TAB99\n 10 0 1 2 3 7 5 6 7 8 9 10\n\n#NAD\nZweite\n"), std::string::npos);

    NAD_EC1_Tables back = Defined();
    ASSERT_EQ(NAD_EC1_Load(1, "Zweite", &back), 1);
    EXPECT_EQ(back.mode, 2);
    EXPECT_EQ(NAD_EC1_Compare(&back, &tables), 0);
    ASSERT_EQ(NAD_EC1_Load(1, "Erste", &back), 1);
    EXPECT_EQ(NAD_EC1_Compare(&back, &tables), 1);

    // Failures answer 0, never the 0 of a successful close.
    ::setenv("DRAM", (dram_ + "/fehlt").c_str(), 1);
    EXPECT_EQ(NAD_EC1_Write(0, "X", &tables), 0);
    ::unsetenv("DRAM");
    EXPECT_EQ(NAD_EC1_Write(0, "X", &tables), 0);
}

TEST_F(NADEC1Tables, ResetBringsBackTheStandardValuesOnly)
{
    Write_Builtin_Values(Block("EC-Standardparameter", 1, table3) +
                         Block("Deutschland", 2, table1_plain + tables89));
    NAD_EC1_Tables tables = Defined();
    ASSERT_EQ(NAD_EC1_Load(0, "Deutschland", &tables), 1);
    ASSERT_EQ(tables.tables[0]->has_values, 1);
    NAD_EC1_Defaults(&tables);
    EXPECT_EQ(tables.mode, 1);
    EXPECT_EQ(tables.first_setting, 2);
    EXPECT_EQ(tables.tables[0]->has_values, 0); // not kept from "Deutschland"
    EXPECT_EQ(tables.tables[2]->has_values, 1);
}

TEST_F(NADEC1Tables, CopyCompareAndValueSemantics)
{
    Write_Builtin_Values(Block("A", 2, table1_plain + table3));
    NAD_EC1_Tables a = Defined();
    NAD_EC1_Load(0, "A", &a);
    NAD_EC1_Tables b = Defined();
    b.mode = 1;
    b.tables[2]->has_values = 1;
    b.tables[2]->values[0] = 99.0;
    b.tables[8].reset(); // present in one only: left alone
    a.tables[8]->has_values = 1;
    a.first_setting = 5;

    NAD_EC1_Copy(&b, &a);
    EXPECT_EQ(b.mode, 1);
    EXPECT_EQ(b.first_setting, 5);
    EXPECT_EQ(b.tables[0]->values_label, "benutzerdefiniert, editierbar");
    EXPECT_EQ(b.tables[0]->values[5], 6.125);
    EXPECT_EQ(b.tables[2]->values[0], 0.5);
    EXPECT_EQ(b.tables[7]->has_values, 0);
    EXPECT_EQ(NAD_EC1_Compare(&a, &b), 0);
    b.tables[0]->values[2] += 0.00009;
    EXPECT_EQ(NAD_EC1_Compare(&a, &b), 0);
    b.tables[0]->values[2] += 0.0002;
    EXPECT_EQ(NAD_EC1_Compare(&a, &b), 1);
    b.tables[0]->values[2] = a.tables[0]->values[2];
    b.tables[2]->has_values = 0;
    EXPECT_EQ(NAD_EC1_Compare(&a, &b), 1);

    // A copy of the record (or of a whole set) owns its own tables.
    NAD_EC1_Tables c = a;
    c.tables[0]->values[0] = -1.0;
    c.tables[0]->values_label = "anders";
    EXPECT_EQ(a.tables[0]->values[0], 1.0);
    EXPECT_EQ(a.tables[0]->values_label, "Werte");
    NAD_Set set;
    set.ec1 = a;
    NAD_Set other = set;
    NAD_EC1_Free_Tables(&set.ec1);
    EXPECT_FALSE(set.ec1.tables[0]);
    EXPECT_EQ(other.ec1.tables[0]->values[5], 6.125);
}
