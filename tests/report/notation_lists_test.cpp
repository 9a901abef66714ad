#include "report/notation_lists.h"

#include "report/cell_texts.h"
#include "report/oli_channel.h"
#include "report/text_writer.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const std::string R = "\xCE" "r";

// The full text of a notation as the lists keep it.
std::string Full(const std::string& symbol, const std::string& meaning) { return symbol + R + " - " + meaning + R; }

// The running-text lines of a report (they begin with the channel's blank), without
// that blank and the line end.
std::vector<std::string> Text_Lines(const File_Stream& stream)
{
    std::vector<std::string> lines;
    const std::string all = stream.bytes();
    for (size_t start = 0, end; start < all.size(); start = end + 1) {
        end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        if (end > start && all[start] == ' ') lines.push_back(all.substr(start + 1, end - start - 1));
    }
    return lines;
}

void Set_Left_Margin(double cm)
{
    File_Stream scratch;
    OLI_Set_Left_Margin(scratch.get(), cm);
}

class NotationLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        oli_channel_mode = OLI_MODE_UNINITIALISED;
        OLI_Clear_Notations();
        OLI_Mark_Notations();
        OLI_Clear_Literature();
        oli_notation_list_on = oli_literature_list_on = 1;
        OLI_Set_Text_Width(17.0);
        Set_Left_Margin(0.0);
    }
    void TearDown() override
    {
        OLI_Clear_Notations();
        OLI_Clear_Literature();
        Set_Left_Margin(0.0);
    }
};

} // namespace

TEST_F(NotationLists, RepeatedSymbolKeepsFirstMeaningAndMarkRestoresTheList)
{
    OLI_Set_Column_Style(6);
    OLI_Add_Notation("f" "\xCE" "\\" "ck", "Betondruckfestigkeit %s", "C30/37");
    OLI_Add_Notation("A%", "Anteil %d %%", 5);  // the symbol is text, never a format
    OLI_Add_Notation("A%", "anderer Anteil");
    OLI_Add_Notation_Indexed("A%d", "Stahlfl\x84" "che Lage %d", 2);
    OLI_Mark_Notations();
    OLI_Add_Notation("x", "eins");
    OLI_Add_Notation("y", "zwei");
    EXPECT_EQ(OLI_Count_Notations(), 5);
    OLI_Back_To_Notation_Mark();
    OLI_Add_Notation("x", "neu");  // dropped entries are gone: the symbol is free again

    // Text style 3; the second column at the widest symbol's visible width + 1.
    File_Stream out;
    OLI_Write_Notation_Table(out.get());
    EXPECT_EQ(out.bytes(), "\n#SHOWPARA\n0x40\n3\n0x0 1\n2 4\n-1\n"
                           " f\xCE\\ck\xCEtBetondruckfestigkeit C30/37\n"
                           " A%\xCEtAnteil 5 %\n"
                           " A2\xCEtStahlfl\x84" "che Lage 2\n"
                           " x\xCEtneu\n"
                           "#END_OF_TEXT\n0x0\n-1\n");
    EXPECT_EQ(OLI_Get_Column_Style(), 6);
    EXPECT_FALSE(OLI_Columns_Open());
    OLI_Set_Column_Style(7);

    OLI_Drop_Notations(-2);  // nothing
    OLI_Drop_Notations(1);
    EXPECT_EQ(OLI_Count_Notations(), 3);
    OLI_Drop_Notations(10);
    OLI_Back_To_Notation_Mark();  // the mark lies above: the list does not grow back
    EXPECT_EQ(OLI_Count_Notations(), 0);
}

TEST_F(NotationLists, CitedNotationsShareOneLiteratureNumber)
{
    EXPECT_EQ(OLI_Add_Literature("EN 1992-1-1"), 1);
    OLI_Add_Notation_Cited("z", "Hebelarm nach [%d]", "DAfStb Heft 600");
    OLI_Add_Notation_Cited_Indexed("a%d", "Abstand [%d]", 3, "DAfStb Heft 600");
    OLI_Add_Notation_Cited("c", "Betondeckung [%d]", "EN 1992-1-1");
    EXPECT_EQ(OLI_Add_Literature("DAfStb Heft 600"), 2);  // held once

    File_Stream out;
    OLI_Write_Notation_Table(out.get());
    const std::vector<std::string> expected = {"z\xCEtHebelarm nach [2]", "a3\xCEtAbstand [2]",
                                               "c\xCEtBetondeckung [1]"};
    EXPECT_EQ(Text_Lines(out), expected);
}

TEST_F(NotationLists, RunningLinesFollowTheWidthLeftOfTheMargin)
{
    // Full texts of 30 characters count 34 each against the line length.
    const std::string m(21, 'm');
    for (int i = 1; i <= 5; ++i) OLI_Add_Notation(("S" + std::to_string(i)).c_str(), "%s", m.c_str());

    Set_Left_Margin(8.5);  // 8.5 of 17 cm: a line length of 80 takes two texts
    File_Stream half;
    OLI_Write_Notations(half.get());
    const std::vector<std::string> expected = {
        Full("S1", m) + "     " + Full("S2", m) + "  ",
        Full("S3", m) + "     " + Full("S4", m) + "  ",
        Full("S5", m) + "  ",
    };
    EXPECT_EQ(Text_Lines(half), expected);
    const std::string all = half.bytes();
    EXPECT_EQ(all.substr(all.size() - 16), "#OLI_YPOS 1 0.4\n");

    Set_Left_Margin(0.0);  // the full width takes four (a fifth would make 170)
    File_Stream full;
    OLI_Write_Notations(full.get());
    ASSERT_EQ(Text_Lines(full).size(), 2u);
    EXPECT_EQ(Text_Lines(full)[1], Full("S5", m) + "  ");
}

TEST_F(NotationLists, ShortNotationsNeverMakeALineOverlong)
{
    // Texts of 9 characters count 13: twelve fit the running length of 160, but their
    // line would have 165 characters.
    std::vector<std::string> texts;
    for (int i = 0; i < 24; ++i) {
        std::string symbol(1, static_cast<char>('A' + i));
        OLI_Add_Notation(symbol.c_str(), "m");
        texts.push_back(Full(symbol, "m"));
    }
    File_Stream out;
    OLI_Write_Notations(out.get());
    const std::vector<std::string> lines = Text_Lines(out);
    ASSERT_EQ(lines.size(), 3u);  // eleven, eleven, two
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 160u);
        ASSERT_EQ(line.substr(line.size() - 2), "  ");
        std::string rest = line.substr(0, line.size() - 2);
        for (size_t cut; (cut = rest.find("     ")) != std::string::npos; rest.erase(0, cut + 5))
            found.push_back(rest.substr(0, cut));
        found.push_back(rest);
    }
    EXPECT_EQ(found, texts);  // every text, in order
}

TEST_F(NotationLists, StorageIsBoundedAndTextsAreCut)
{
    const std::string long_symbol(40, 's');
    OLI_Add_Notation(long_symbol.c_str(), "erste");
    OLI_Add_Notation((long_symbol.substr(0, 25) + "anders").c_str(), "zweite");  // same kept symbol
    // A meaning cut right behind a control byte loses that byte as well.
    OLI_Add_Notation("m", "%s", (std::string(199, 'x') + "\xCE" "u" + std::string(50, 'y')).c_str());
    File_Stream out;
    OLI_Write_Notation_Table(out.get());
    const std::vector<std::string> expected = {long_symbol.substr(0, 25) + "\xCEterste",
                                               "m\xCEt" + std::string(199, 'x')};
    EXPECT_EQ(Text_Lines(out), expected);

    for (int i = 0; i < OLI_MAX_NOTATIONS + 10; ++i) OLI_Add_Notation(("n" + std::to_string(i)).c_str(), "%d", i);
    EXPECT_EQ(OLI_Count_Notations(), OLI_MAX_NOTATIONS);

    for (int i = 1; i <= OLI_MAX_LITERATURE; ++i) OLI_Add_Literature(("Quelle " + std::to_string(i)).c_str());
    EXPECT_EQ(OLI_Add_Literature("noch eine"), 0);
    EXPECT_EQ(OLI_Add_Literature("Quelle 7"), 7);
    OLI_Clear_Notations();
    OLI_Add_Notation_Cited("q", "nach [%d]", "noch eine");  // cannot be cited: dropped
    OLI_Add_Notation_Cited("r", "nach [%d]", "Quelle 7");
    EXPECT_EQ(OLI_Count_Notations(), 1);

    // A text beyond 200 characters is kept cut and found again by its kept part.
    OLI_Clear_Literature();
    const std::string long_text(250, 'L');
    EXPECT_EQ(OLI_Add_Literature(long_text.c_str()), 1);
    EXPECT_EQ(OLI_Add_Literature((long_text.substr(0, 200) + "anders").c_str()), 1);
}

TEST_F(NotationLists, LiteratureTablesAndSwitches)
{
    File_Stream none;
    OLI_Write_Literature(none.get());  // no entries: not even the caption
    OLI_Add_Literature("EN 1992-1-1:2004 + AC:2010");
    OLI_Add_Literature("DAfStb Heft 600");
    OLI_Add_Notation("a", "b");
    oli_literature_list_on = oli_notation_list_on = 0;
    OLI_Write_Literature(none.get());
    OLI_Write_Notations(none.get());  // only the step
    OLI_Write_Notation_Table(none.get());
    EXPECT_EQ(none.bytes(), "#OLI_YPOS 1 0.19\n#OLI_YPOS 1 0.19\n");

    oli_literature_list_on = 1;
    File_Stream out;
    OLI_Write_Literature(out.get());
    EXPECT_EQ(out.bytes(), "#OLI_RESERVE 1.43\n"
                           "#SHOWTABLE\n 0 1 0\n Literatur und Normen:\n0 0 -1 -1\n#END_OF_TEXT\n"
                           "#OLI_YPOS 1 -0.8\n"
                           "#OLI_CONVERSION 1\n"
                           "#SHOWTABLE\n 0 0 2\n  [1] EN 1992-1-1:2004 + AC:2010\n  [2] DAfStb Heft 600\n"
                           "0 0 -1 -1\n#END_OF_TEXT\n"
                           "#OLI_CONVERSION 0\n");
}

TEST_F(NotationLists, SymbolPicturesGolden)
{
    OLI_Set_Symbol_Font("Symbole\\");
    File_Stream out;
    OLI_Write_Symbol(out.get(), 1.5, 0.8, "Pfeil");
    OLI_Write_Symbol_Framed(out.get(), 2.0, 1.0, "Lager.sym");
    OLI_Write_Symbol(nullptr, 1.0, 1.0, "x");
    EXPECT_EQ(out.bytes(), "\n#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 1.5 0 0.8\n"
                           " 27 0 0.8 %FONT%\\Symbole\\Pfeil\n-1\n#OLI_YPOS 1 -0.3\n"
                           "\n#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 2.0 0 1.0\n"
                           " 27 0 1.0 %FONT%\\Lager.sym\n"
                           " 1  0.000000 0.000000 0.000000 1.000000\n"
                           " 1  0.000000 1.000000 2.000000 1.000000\n"
                           " 1  2.000000 1.000000 2.000000 0.000000\n"
                           " 1  2.000000 0.000000 0.000000 0.000000\n"
                           "-1\n#OLI_YPOS 1 -0.3\n");
    OLI_Set_Symbol_Font("");
}
