// The page layout of reports: flow, page breaks, the layout keyword lines, text lines,
// tables and graphics on A4.
#include "viewer/page_layout.h"
#include "viewer/report_styles.h"
#include "page_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

std::string Para(const std::string& lines, const std::string& record = "0x0\n4\n")
{
    return "\n#SHOWPARA\n" + record + "-1\n" + lines + "#END_OF_TEXT\n0x0\n-1\n";
}

struct Found {
    int page = -1;
    const Page_Text* text = nullptr;
};

// The first text item whose text contains the words.
Found Find(const Laid_Out_Document& doc, const std::string& words)
{
    for (size_t p = 0; p < doc.pages.size(); ++p)
        for (const Page_Item& item : doc.pages[p].items)
            if (const auto* t = std::get_if<Page_Text>(&item); t && t->utf8.find(words) != std::string::npos)
                return {static_cast<int>(p), t};
    return {};
}

Laid_Out_Document Lay_Out(const std::string& report) { return Lay_Out_Report(Read_Report(report)); }

const double LINE = 0.38;  // style 4

TEST(PageLayout, ReserveBreaksThePageButNeverLeavesAnEmptyOne)
{
    const auto doc = Lay_Out("#NEWPAGE\n#OLI_RESERVE 30\n" + Para(" eins\n") + "#OLI_RESERVE 26\n" + Para(" zwei\n") +
                             "#NEWPAGE\n#NEWPAGE\n" + Para(" drei\n"));
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(Find(doc, "eins").page, 0);
    EXPECT_EQ(Find(doc, "zwei").page, 1);
    EXPECT_EQ(Find(doc, "drei").page, 2);
    EXPECT_EQ(Find(doc, "Seite 1 von 3").page, 0);
    EXPECT_EQ(Find(doc, "Seite 3 von 3").page, 2);
    EXPECT_NEAR(Find(doc, "zwei").text->x, PAGE_LEFT, 1e-9);
}

TEST(PageLayout, TextFlowsOverPagesAndNegativeStepsTakeBackOnlySpace)
{
    std::string lines;
    for (int k = 0; k < 80; ++k) lines += " Zeile " + std::to_string(k) + "\n";
    const auto doc = Lay_Out(Para(lines) + "#OLI_YPOS 1 -5\n" + Para(" danach\n") + "#OLI_YPOS 1 0.5\n" + Para(" weiter\n"));
    ASSERT_EQ(doc.pages.size(), 2u);
    const int per_page = static_cast<int>((A4_HEIGHT - PAGE_TOP - PAGE_BOTTOM_MARGIN) / LINE);
    EXPECT_EQ(Find(doc, "Zeile " + std::to_string(per_page - 1)).page, 0);
    EXPECT_EQ(Find(doc, "Zeile " + std::to_string(per_page)).page, 1);
    const double last = Find(doc, "Zeile 79").text->y;
    EXPECT_NEAR(Find(doc, "danach").text->y - last, LINE, 1e-9);
    EXPECT_NEAR(Find(doc, "weiter").text->y - Find(doc, "danach").text->y, LINE + 0.5, 1e-9);
}

TEST(PageLayout, StoredPositionCarriesThePageHeadBesideTheText)
{
    const auto doc = Lay_Out("#OLI_RESERVE 6\n#CONTENTS\n POS. 7: Konsole\n#OLI_STORE_Y 1\n#OLI_MARGINS 1 12 0\n"
                             "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n \xCESQ7 Version 1.0\n#END_OF_TEXT\n"
                             "#OLI_RESTORE_Y 1\n#OLI_MARGINS 1 0 0\n" +
                             Para(" Eingabe\n"));
    const Found version = Find(doc, "Q7 Version"), text = Find(doc, "Eingabe");
    ASSERT_TRUE(version.text && text.text);
    EXPECT_NEAR(version.text->x, PAGE_LEFT + 12.0 + Style_Char_Width(4) / 2.0, 1e-9);  // after the mark's gap
    EXPECT_NEAR(text.text->x, PAGE_LEFT, 1e-9);
    EXPECT_NEAR(text.text->y, version.text->y, 1e-9);  // beside it, on the same line
    EXPECT_EQ(doc.title, "POS. 7: Konsole");
    EXPECT_TRUE(Find(doc, "POS. 7: Konsole").text);  // the page's head line
}

TEST(PageLayout, BookmarksBuildTheOutline)
{
    const auto doc = Lay_Out("#OLI_BOOKMARK 16 \xAE\xCE@1. Eingabe\xAF\n#OLI_BOOKMARK 0 \xAE\xCE@1.1. Daten\xAF\n" +
                             Para(" a\n") + "#NEWPAGE\n#OLI_BOOKMARK 16 \xAE\xCE@2. Bemessung\xAF\n" +
                             "#OLI_BOOKMARK 0 \xAE\xCE{C 1 230 0 0}2.1. Lk 1\xCE{C 768}\xAF\n#OLI_BOOKMARK 17\n"
                             "#OLI_BOOKMARK 15 \xAE\xAF\n#OLI_BOOKMARK 0 \xAE Anhang \xAF\n" +
                             Para(" b\n"));
    ASSERT_EQ(doc.outline.size(), 5u);
    EXPECT_EQ(doc.outline[0].title, "1. Eingabe");
    EXPECT_EQ(doc.outline[0].parent, -1);
    EXPECT_EQ(doc.outline[1].parent, 0);
    EXPECT_EQ(doc.outline[2].parent, -1);
    EXPECT_EQ(doc.outline[2].page, 1);
    EXPECT_EQ(doc.outline[3].title, "2.1. Lk 1");
    EXPECT_EQ(doc.outline[3].parent, 2);
    EXPECT_EQ(doc.outline[4].title, "Anhang");
    EXPECT_EQ(doc.outline[4].parent, -1);

    // Numbered headings nest by their numbers whatever modes the writer gave them.
    auto mark = [](int mode, const std::string& title) {
        return "#OLI_BOOKMARK " + std::to_string(mode) + " \xAE\xCE@" + title + "\xAF\n";
    };
    const auto numbered = Lay_Out(mark(16, "1. Eingabe") + "#OLI_BOOKMARK 17\n" + mark(0, "2. Hinweis") +
                                  mark(0, "2.1. Text") + mark(16, "3. Bemessung") + mark(0, "3.1. Tabelle") +
                                  mark(16, "3.2. Lk 3") + "#OLI_BOOKMARK 17\n#OLI_BOOKMARK 17\n" +
                                  mark(0, "3.12. Lk 12") + mark(0, "4. Endergebnis") + Para(" a\n"));
    std::vector<int> parents;
    for (const Outline_Entry& e : numbered.outline) parents.push_back(e.parent);
    EXPECT_EQ(parents, (std::vector<int>{-1, -1, 1, -1, 3, 3, 3, -1}));
}

TEST(PageLayout, WrappedLinesKeepSymbolValueUnitAndVerdictTogether)
{
    // Style 4 holds 96 characters a line.
    const auto doc = Lay_Out(
        Para(" Bewehrung n. EC 2, 3.2.7(2a): B500A, \xBE\xCE\\uk\xCEr = 25.0\x89, f\xCE\\yd\xCEr = 434.78 N/mm\xFD, "
             "f\xCE\\td\xCEr = 456.52 N/mm\xFD, E\xCE\\s\xCEr = 200000.0 N/mm\xFD\n"
             " Spaltzugbewehrung \xCEthorizontal 3 \x8C" "8 (B\x81gel, 2-schn.), vorh A\xCE\\sb,h\xCEr = 3.02 cm\xFD  <  "
             "erf A\xCE\\sb,h\xCEr = 4.72 cm\xFD  nicht ok !!\n"
             " Biegerollendurchmesser f\x81r St\x84" "be: D = 15\xCE/.\xCEr\x8C\xCE\\s\xCEr = 21.0 cm f\x81r min c = "
             "58.0 mm > 50 mm und > 3\xCE/.\xCEr\x8C\xCE\\s\xCEr = 42 mm\n",
             "0x40\n4\n0x0 1\n2 3\n"));
    std::vector<std::string> lines;  // the visual lines' texts, runs joined
    double y = -1.0;
    for (const Page_Item& item : doc.pages[0].items)
        if (const auto* t = std::get_if<Page_Text>(&item); t && t->y > PAGE_TOP) {
            if (std::fabs(t->y - y) > 0.1) lines.emplace_back();
            if (std::fabs(t->y - y) > 0.1) y = t->y;
            lines.back() += t->utf8;
        }
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].rfind("Es", 0), 0u) << lines[1];
    EXPECT_EQ(lines[3].rfind("<", 0), 0u) << lines[3];
    EXPECT_NE(lines[3].find("4.72 cm²  nicht ok !!"), std::string::npos) << lines[3];
    EXPECT_EQ(lines[5].rfind(">", 0), 0u) << lines[5];

    // A line the writer counted to fit (96 characters) stays one line even where its tab
    // jump would reach beyond the width: the jump shrinks.
    const auto fitted = Lay_Out(Para(" " + std::string(40, 'a') + "\xCEt" + std::string(55, 'b') + "\n",
                                     "0x40\n4\n0x0 1\n2 12\n"));
    const Found b = Find(fitted, "bbbb");
    ASSERT_TRUE(b.text);
    EXPECT_EQ(b.text->utf8.size(), 55u);
    EXPECT_LE(b.text->x + 55 * Style_Char_Width(4), PAGE_LEFT + 17.0 + 1e-9);
}

TEST(PageLayout, HeadingsAtThePageFootMoveWithTheirFirstBlockAndLastRowsKeepCompany)
{
    // 60 lines (22.8 cm) leave 2.9 cm; the heading fits, the reservation after it does not.
    std::string lines;
    for (int k = 0; k < 60; ++k) lines += " Zeile " + std::to_string(k) + "\n";
    const auto doc = Lay_Out(Para(lines) + "#OLI_YPOS 1 0.254\n#OLI_RESERVE 0.5\n"
                             "#OLI_BOOKMARK 16 \xAE\xCE@3. Bemessung\xAF\n" +
                             Para(" \xCE@3. Bemessung\n", "0x0\n5\n") + "#OLI_YPOS 1 -0.19\n#OLI_RESERVE 3\n" +
                             Para(" Inhalt\n"));
    ASSERT_EQ(doc.pages.size(), 2u);
    const Found heading = Find(doc, "3. Bemessung"), content = Find(doc, "Inhalt");
    EXPECT_EQ(heading.page, 1);
    EXPECT_EQ(content.page, 1);
    EXPECT_LT(heading.text->y, content.text->y);
    EXPECT_LT(heading.text->y, PAGE_TOP + 0.5);
    EXPECT_EQ(doc.outline[0].page, 1);
    EXPECT_NEAR(doc.outline[0].y, PAGE_TOP, 1e-9);

    // A table whose last row would stand alone on the next page takes one more along.
    std::string rows;
    for (int k = 0; k < 4; ++k) rows += " Lk " + std::to_string(k) + "\n";
    std::string fill;
    for (int k = 0; k < 63; ++k) fill += " Zeile " + std::to_string(k) + "\n";
    const auto table = Lay_Out(Para(fill) + "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n" + rows + " Gesamt\n#END_OF_TEXT\n");
    EXPECT_EQ(Find(table, "Gesamt").page, 1);
    EXPECT_EQ(Find(table, "Lk 3").page, 1);
    EXPECT_EQ(Find(table, "Lk 2").page, 0);

    // So does the sum line that ends a block of text lines, after a change of paragraph.
    const auto block = Lay_Out(Para(fill) + "\n#SHOWPARA\n0x0\n4\n-1\n" + rows +
                               "#END_OF_TEXT\n0x4\n0x0\n4\n-1\n \xCE_Gesamt\xCEr: 12 cm\xFD\n#END_OF_TEXT\n0x0\n-1\n");
    EXPECT_EQ(Find(block, "Gesamt").page, 1);
    EXPECT_EQ(Find(block, "Lk 3").page, 1);
    EXPECT_EQ(Find(block, "Lk 2").page, 0);
}

TEST(PageLayout, LabelLinesKeepTheirValuesAndNoHeadingEndsAPage)
{
    std::string fill;
    for (int k = 0; k < 66; ++k) fill += " Zeile " + std::to_string(k) + "\n";
    // At the page foot: an underlined label over its value line, a line whose values
    // continue further tab stops in on the next line, a title and its indented rest.
    for (const std::string& pair : {std::string(" \xCE_Biegerollendurchmesser in der Konsole\n D = 5.6 cm\n"),
                                    std::string(" Biegerollendurchmesser: \xCEtKonsole gew D = 5.6 cm\n"
                                                " \xCEt\xCEtSt\x81tze gew D = 21.0 cm\n"),
                                    std::string(" Biegerollendurchmesser (Heft 525)\n   Deutscher Ausschuss\n")}) {
        const auto doc = Lay_Out(Para(fill + pair, "0x40\n4\n0x0 1\n2 4\n"));
        EXPECT_EQ(Find(doc, "Biegerollendurchmesser").page, 1) << pair;
        EXPECT_EQ(Find(doc, "Zeile 65").page, 0) << pair;
    }

    // A label in the second column after a pair does not pull the pair's value line away.
    fill.resize(fill.find(" Zeile 65\n"));
    const auto chain = Lay_Out(Para(fill + " Biegerollendurchmesser: \xCEtKonsole gew D = 5.6 cm\n"
                                           " \xCEt\xCEtSt\x81tze gew D = 21.0 cm\n"
                                           " \xCEtVerankerungsl\x84ngen: \xCEtKonsole erf l = 39.3 cm\n"
                                           " \xCEt\xCEtSt\x81tze gew l = 57.8 cm\n",
                                    "0x40\n4\n0x0 1\n2 4\n"));
    EXPECT_EQ(Find(chain, "Biegerollendurchmesser").page, 0);
    EXPECT_EQ(Find(chain, "tze gew D").page, 0);
    EXPECT_EQ(Find(chain, "Verankerungsl").page, 1);

    // A reservation larger than the page below a heading that opens the page breaks
    // nothing; a graphic too tall for the room below its heading shrinks to it.
    const auto tall = Lay_Out("#OLI_RESERVE 26\n" + Para(" \xCE@5. Gew\x84hlte Bewehrung\n", "0x0\n5\n") +
                              "#OLI_RESERVE 25.5\n#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 10 30 0\n 1 0 0 0 30\n -1\n");
    ASSERT_EQ(tall.pages.size(), 1u);
    const Found heading = Find(tall, "5. Gew");
    for (const Page_Line& l : Page_Lines_Of(tall.pages[0])) {
        EXPECT_GT(std::min(l.y1, l.y2), heading.text->y);
        EXPECT_LE(std::max(l.y1, l.y2), A4_HEIGHT - PAGE_BOTTOM_MARGIN + 1e-9);
    }

    // No line breaks right after the arrow: it goes to the next line with its value.
    const auto arrow = Lay_Out(Para(" " + std::string(80, 'x') + " 4.72 cm\xFD  \x88 erf A = 9.44 cm\xFD\n"));
    const Found value = Find(arrow, "erf");
    ASSERT_TRUE(value.text);
    EXPECT_NE(value.text->utf8.find("⇒"), std::string::npos) << value.text->utf8;
}

TEST(PageLayout, LongLinesBreakAtABlankAndContinueAtTheSecondIndent)
{
    std::string words;
    for (int k = 0; k < 30; ++k) words += "Wort" + std::to_string(k % 10) + " ";
    const auto doc = Lay_Out(Para(" " + words + "Ende\n", "0x20\n4\n2 1 2 2\n"));
    const Found first = Find(doc, "Wort0 Wort1"), end = Find(doc, "Ende");
    ASSERT_TRUE(first.text && end.text);
    EXPECT_NEAR(first.text->x, PAGE_LEFT + 1.0, 1e-9);
    EXPECT_NEAR(end.text->x, PAGE_LEFT + 2.0, 1e-9);
    // (17 - 1) cm hold 90 characters: 15 words of 6 characters, the blank at the break gone;
    // then 84 characters: 14 words.
    EXPECT_EQ(first.text->utf8.size(), 15u * 6 - 1);
    EXPECT_EQ(end.text->utf8, "Wort9 Ende");  // 14 words of the third line's 84 characters

    // Room for one more line at the page foot: a line that wraps in two goes to the next page
    // whole, its verdict with its value.
    std::string fill;
    for (int k = 0; k < 100; ++k) fill += " Zeile " + std::to_string(k) + "\n";
    const auto flow = Lay_Out(Para(fill));
    int room = 0;  // lines a page holds
    while (Find(flow, "Zeile " + std::to_string(room)).page == 0) ++room;
    fill.clear();
    for (int k = 0; k + 1 < room; ++k) fill += " Zeile " + std::to_string(k) + "\n";
    const auto foot = Lay_Out(Para(fill + " Spaltzugbewehrung " + std::string(60, 'x') +
                                   ", vorh A = 3.02 cm\xFD  <  erf A = 9.77 cm\xFD  nicht ok !!\n Ende\n"));
    EXPECT_EQ(Find(foot, "Zeile " + std::to_string(room - 2)).page, 0);
    EXPECT_EQ(Find(foot, "Spaltzugbewehrung").page, 1);
    EXPECT_EQ(Find(foot, "nicht ok").page, 1);
}

TEST(PageLayout, TabsJumpToStopsGridsAndTableColumns)
{
    const double cw = Style_Char_Width(4);
    const auto doc = Lay_Out(Para(" a\xCEtListe\xCEtzwei\xCEtdrei\n", "0x40\n4\n0x0 2\n2 3.5\n2 7\n") +
                             Para(" b\xCEtGitter\n", "0x40\n4\n0x2\n2 5\n") +
                             "#SHOWTABLE\n0 0 0\n0 0 -1 -1 2\n 12 42\n x\xCEtSpalte\n#END_OF_TEXT\n");
    EXPECT_NEAR(Find(doc, "Liste").text->x, PAGE_LEFT + 3.5, 1e-9);
    EXPECT_NEAR(Find(doc, "zwei").text->x, PAGE_LEFT + 7.0, 1e-9);
    EXPECT_NEAR(Find(doc, "drei").text->x, PAGE_LEFT + 7.0 + 4 * cw + cw, 1e-9);  // no stop left: one blank
    EXPECT_NEAR(Find(doc, "Gitter").text->x, PAGE_LEFT + 5.0, 1e-9);
    EXPECT_NEAR(Find(doc, "Spalte").text->x, PAGE_LEFT + 12 * cw, 1e-9);

    // Stops that do not fit the 17 cm of a line are not centimetres: one character each.
    const auto wide = Lay_Out(Para(" Label\xCEtWert\n", "0x40\n4\n0x0 3\n2 16\n2 22\n2 34\n"));
    EXPECT_NEAR(Find(wide, "Wert").text->x, PAGE_LEFT + 6 * cw, 1e-9);
}

TEST(PageLayout, HeadingsBoldTableHeadsRuledSubscriptsInTheirCells)
{
    const auto doc = Lay_Out(Para(" \xCE@1. Bemessung\n", "0x0\n5\n") + Para(" \xCE" "H\xCE@1.1. Daten\xCEr\n") +
                             "#SHOWTABLE\n0 0 0\n1 0 -1 -1 2\n 4 12\n Lk   A\xCE\\Ed\xCEr\n 1    100.0\n#END_OF_TEXT\n");
    EXPECT_TRUE(Find(doc, "1. Bemessung").text->face.bold);
    EXPECT_NEAR(Find(doc, "1. Bemessung").text->size, Style_Font_Size(5), 1e-12);
    EXPECT_TRUE(Find(doc, "1.1. Daten").text->face.bold);
    const Found head = Find(doc, "Lk"), row = Find(doc, "100.0"), sub = Find(doc, "Ed");
    EXPECT_TRUE(head.text->face.bold);
    EXPECT_FALSE(row.text->face.bold);
    // The subscript sits lower, smaller, in the cells after "A".
    EXPECT_NEAR(sub.text->x, PAGE_LEFT + 6 * Style_Char_Width(4), 1e-9);
    EXPECT_GT(sub.text->y, head.text->y);
    EXPECT_LT(sub.text->size, head.text->size);
    // One rule under the head line, across the widest line (12 characters).
    int rules = 0;
    for (const Page_Item& item : doc.pages[0].items)
        if (const auto* l = std::get_if<Page_Line>(&item); l && l->y1 == l->y2 && l->y1 > head.text->y &&
                                                            l->y1 < row.text->y) {
            ++rules;
            EXPECT_NEAR(l->x2 - l->x1, 12 * Style_Char_Width(4), 1e-9);
        }
    EXPECT_EQ(rules, 1);
}

TEST(PageLayout, GraphicsStandInTheirWindowAndShrinkOnlyWhenTooLarge)
{
    // A window of 10 by 5 cm with y running down the page, then one wider than the text.
    const auto doc = Lay_Out("#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 10 5 0\n 1 0 0 10 0\n 24  1 2 3 1\n -1\n" +
                             Para(" unter\n") +
                             "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 34 0 1\n 1 0 0 34 0\n -1\n");
    const std::vector<Page_Line> lines = Page_Lines_Of(doc.pages[0]);
    std::vector<const Page_Fill*> fills;
    for (const Page_Item& item : doc.pages[0].items)
        if (const auto* f = std::get_if<Page_Fill>(&item)) fills.push_back(f);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(fills.size(), 1u);
    // y = 0 is the window's far edge: the top of the 5 cm high frame.
    EXPECT_NEAR(lines[0].x1, PAGE_LEFT, 1e-9);
    EXPECT_NEAR(lines[0].x2, PAGE_LEFT + 10.0, 1e-9);
    EXPECT_NEAR(lines[0].y1, PAGE_TOP, 1e-9);
    EXPECT_NEAR(fills[0]->contours[0][0].y, PAGE_TOP + 1.0, 1e-9);  // corner (1, 1)
    EXPECT_NEAR(fills[0]->contours[0][2].y, PAGE_TOP + 2.0, 1e-9);  // corner (3, 2)
    EXPECT_GT(Find(doc, "unter").text->y, PAGE_TOP + 5.0);  // the next line right under it
    EXPECT_LT(Find(doc, "unter").text->y, PAGE_TOP + 5.0 + LINE);
    // The wide one is scaled to the 17 cm of the text area.
    EXPECT_NEAR(lines[1].x2 - lines[1].x1, 17.0, 1e-9);

    // After a near-full page, a graphic whose label and arrow reach 1 cm above its window
    // (y runs down: -1 is above 0) goes to the next page and starts below its head, and
    // the text after it stands below all it drew.
    std::string fill;
    for (int k = 0; k < 66; ++k) fill += " Zeile " + std::to_string(k) + "\n";
    const auto reaching = Lay_Out(Para(fill) + "#OLI_RESERVE 3\n#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 8 3 0\n"
                                  " 1 0 0 8 0\n 1 4 -1 4 0\n 9 0 -0.5 0 -0.5 225 \xAEMa\xE1stab\xAF\n -1\n"
                                  "#OLI_YPOS 4 0\n" +
                                  Para(" darunter\n"));
    ASSERT_EQ(reaching.pages.size(), 2u);
    double top = 100.0, bottom = 0.0;
    for (const Page_Line& l : Page_Lines_Of(reaching.pages[1])) {
        top = std::min({top, l.y1, l.y2});
        bottom = std::max({bottom, l.y1, l.y2});
    }
    EXPECT_NEAR(top, PAGE_TOP, 1e-9);              // the arrow's tip at the flow position
    EXPECT_NEAR(bottom, PAGE_TOP + 1.0, 1e-9);     // the window's top edge a centimetre lower
    const Found label = Find(reaching, "Maßstab"), after = Find(reaching, "darunter");
    EXPECT_EQ(label.page, 1);
    EXPECT_GE(label.text->y - label.text->size * 0.8, PAGE_TOP - 1e-9);
    EXPECT_GT(after.text->y, PAGE_TOP + 4.0);      // below the 3 cm of the window
}

} // namespace
