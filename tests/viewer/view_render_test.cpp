// Reports and drawing files written by the system's own writers, rendered to PDF and PNG
// end to end: the pages, the text of every line, aligned table columns, the graphic
// where its window says, the drawing's entities; corbel-view and the preview and print
// stand-ins.
#include "viewer/cairo_output.h"
#include "viewer/drawing_document.h"
#include "viewer/page_layout.h"
#include "viewer/quick_oli.h"
#include "viewer/view_file.h"

#include "platform/messages.h"
#include "platform/report_viewer.h"
#include "platform/screen/screen.h"
#include "report/oli_channel.h"
#include "report/page_head.h"
#include "dummy_window.h"
#include "file_size_limit.h"
#include "page_lines.h"
#include "sample_report.h"
#include "test_support.h"

#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string PDFTOTEXT = "/usr/bin/pdftotext";

// Letters and digits of ASCII only: what survives every glyph mapping and spacing.
std::string Alnum(const std::string& text)
{
    std::string out;
    for (unsigned char c : text)
        if (c < 0x80 && std::isalnum(c)) out += static_cast<char>(c);
    return out;
}

// The text lines of a report file as plain text: lines that begin with a blank, outside
// graphic blocks, and the contents line.
std::vector<std::string> Report_Text_Lines(const std::string& bytes)
{
    std::vector<std::string> out;
    std::istringstream in(bytes);
    int in_graphic = 0;  // "-1" lines still to pass in a graphic block
    for (std::string line; std::getline(in, line);) {
        if (line == "#SHOWGRAFIC") in_graphic = 2;
        if (in_graphic) {
            if (line == "-1" || line == " -1") --in_graphic;
            continue;
        }
        // Not text: lines of numbers alone (a table's counts, format and widths lines).
        if (line.empty() || line[0] != ' ' || line.find_first_not_of(" 0123456789.-") == std::string::npos) continue;
        std::vector<char> text(line.begin(), line.end());
        text.push_back('\0');
        OLI_Strip_Control_Codes(text.data(), 1, 0);
        out.push_back(text.data());
    }
    return out;
}

Run_Result Pdf_Text(const std::string& pdf, const std::vector<std::string>& options)
{
    std::vector<std::string> args = options;
    args.push_back(pdf);
    args.push_back("-");
    return Run_Program(PDFTOTEXT, args, "", {});
}

class ViewRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("EXEC", (std::string(CORBEL_SOURCE_DIR) + "/data").c_str(), 1);
        report_ = sample::Write_Report(dir_.path(), 8, "B10001.SPF");
        ASSERT_FALSE(report_.empty());
    }
    void TearDown() override { ::unsetenv("EXEC"); }
    bool Have_Pdftotext() const { return File_Exists(PDFTOTEXT); }

    Temp_Dir dir_;
    std::string report_;
};

TEST_F(ViewRender, EveryTextLineOfAWrittenReportIsOnItsPages)
{
    const View_Outcome outcome = Render_View_File(report_, "");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.files, (std::vector<std::string>{dir_.file("B1_01.pdf")}));
    EXPECT_EQ(outcome.counts.Skipped(), 0);
    EXPECT_EQ(outcome.counts.stray_lines, 0);
    EXPECT_EQ(outcome.counts.left_out, 0);
    EXPECT_EQ(View_Counts_Summary(outcome.counts), "");
    EXPECT_EQ(outcome.pages, 3);  // eight chapters of two thirds of a page after the page head
    if (!Have_Pdftotext()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";

    const Run_Result text = Pdf_Text(dir_.file("B1_01.pdf"), {"-raw"});
    ASSERT_EQ(text.exit_code, 0) << text.err;
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\f'), outcome.pages);
    const std::string all = Alnum(text.out);
    const std::vector<std::string> lines = Report_Text_Lines(Read_File_Bytes(report_));
    ASSERT_GT(lines.size(), 40u);
    for (const std::string& line : lines) EXPECT_NE(all.find(Alnum(line)), std::string::npos) << line;
    // Texts of the graphic, and the report font's symbols as their characters.
    for (const char* label : {"Mastab1100", "Sttze", "36", "30", "40"}) EXPECT_NE(all.find(label), std::string::npos);
    EXPECT_NE(text.out.find("σc ≤ 0.6"), std::string::npos);
    EXPECT_NE(text.out.find("Seite 3"), std::string::npos);
}

TEST_F(ViewRender, TableColumnsAlignOnThePage)
{
    ASSERT_TRUE(Render_View_File(report_, "").ok);
    if (!Have_Pdftotext()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const Run_Result boxes = Pdf_Text(dir_.file("B1_01.pdf"), {"-bbox", "-f", "1", "-l", "1"});
    ASSERT_EQ(boxes.exit_code, 0);
    // The words of the first page with their right edges and their lines.
    struct Word {
        std::string text;
        double right, top;
    };
    std::vector<Word> words;
    const std::regex pattern("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>");
    for (auto it = std::sregex_iterator(boxes.out.begin(), boxes.out.end(), pattern); it != std::sregex_iterator(); ++it)
        words.push_back({(*it)[3], std::stod((*it)[2]), std::stod((*it)[1])});
    // The load table's rows: "A" and "H" on one line; their right edges line up.
    std::vector<double> right_a, right_h;
    for (int row = 0; row < 6; ++row) {
        char a[16], h[16];
        std::snprintf(a, sizeof a, "%.1f", 100.0 + 25.0 * row);
        std::snprintf(h, sizeof h, "%.1f", 10.0 + 5.0 * row);
        const auto wa = std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == a; });
        ASSERT_NE(wa, words.end()) << a;
        const auto wh = std::find_if(words.begin(), words.end(),
                                     [&](const Word& w) { return w.text == h && std::fabs(w.top - wa->top) < 1.0; });
        ASSERT_NE(wh, words.end()) << h;
        right_a.push_back(wa->right);
        right_h.push_back(wh->right);
    }
    for (int row = 1; row < 6; ++row) {
        EXPECT_NEAR(right_a[row], right_a[0], 0.05);
        EXPECT_NEAR(right_h[row], right_h[0], 0.05);
    }
    // Nine characters of style 4 (17 cm / 96 each) apart.
    EXPECT_NEAR(right_h[0] - right_a[0], 9 * 17.0 / 96 * 72 / 2.54, 0.05);
}

// Pixel of an image surface: 0 black .. 255 white per channel.
struct Pixel {
    int r, g, b;
};
Pixel At(cairo_surface_t* image, double x_cm, double y_cm, double dpi)
{
    const int x = static_cast<int>(std::lround(x_cm * dpi / 2.54)), y = static_cast<int>(std::lround(y_cm * dpi / 2.54));
    const unsigned char* data = cairo_image_surface_get_data(image);
    const auto p = reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(image))[x];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

TEST(ViewPixels, TheGraphicsFrameIsWhereItsWindowSays)
{
    // A frame of 10 by 4 cm whose y runs down the page (the first y, 4, at the bottom) in
    // thick lines, and a red square near the bottom.
    const std::string report =
        "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 10 4 0\n 4 3\n"
        " 1 0 0 10 0\n 1 10 0 10 4\n 1 10 4 0 4\n 1 0 4 0 0\n"
        "50 255 0 0\n 20  5\n 24  1 3.5 2 3\n -1\n";
    Laid_Out_Document doc = Lay_Out_Report(Read_Report(report));
    ASSERT_EQ(doc.pages.size(), 1u);
    const double dpi = 100.0, left = 2.5, top = 2.0;
    cairo_surface_t* image = Render_Page_Image(doc.pages[0], dpi);
    ASSERT_EQ(cairo_image_surface_get_width(image), static_cast<int>(std::lround(21.0 * dpi / 2.54)));
    auto dark = [&](double x, double y) { return At(image, x, y, dpi).g < 100; };
    EXPECT_TRUE(dark(left + 5.0, top));          // the far edge y = 0 on top
    EXPECT_TRUE(dark(left + 5.0, top + 4.0));    // the first y at the bottom
    EXPECT_TRUE(dark(left, top + 2.0));
    EXPECT_TRUE(dark(left + 10.0, top + 2.0));
    EXPECT_FALSE(dark(left + 5.0, top + 2.0));   // white inside
    EXPECT_FALSE(dark(left + 5.0, top + 4.5));   // and under it
    const Pixel red = At(image, left + 1.5, top + 3.25, dpi);  // (1.5, 3.25)
    EXPECT_GT(red.r, 200);
    EXPECT_LT(red.g, 60);
    const Pixel beside = At(image, left + 1.5, top + 2.75, dpi);  // (1.5, 2.75): outside it
    EXPECT_GT(beside.g, 200);
    cairo_surface_destroy(image);
}

TEST(ViewHostile, NumbersBeyondReasonStayHarmless)
{
    // Out-of-range counts, codes and lengths, not-a-numbers and one very long line: read,
    // laid out and written in a moment, nothing undefined.
    const std::string report =
        "#OLI_STORE_Y 1e300\n#OLI_RESTORE_Y -7\n#OLI_YPOS 1 -1e300\n#OLI_RESERVE nan\n#OLI_BOOKMARK 1e300 \xAEx\xAF\n"
        "\n#SHOWPARA\n0xffffffffff0\n1e300\n0x0 99999999\n2 3\n-1\n " + std::string(200000, 'x') + " y\n"
        "#END_OF_TEXT\n0x1000\n2 -1e300\n-1\n"
        "#SHOWTABLE\n1e300 2147483647 -5\n a\n 2147483647 2147483647 -1 -1 1e300\n 1e300 nan\n \xCE{\xCEL 0 -1 -1 1e300 -1e300 }\n"
        "#END_OF_TEXT\n"
        "#SHOWGRAFIC\n 1e300 0 0\n c\n 0 0 0\n-999 1e300 -1e300\n0 1e300 0 1e-300\n"
        " 18 2147483647 1 2\n 18 1e300\n 13 1e300\n 6 1e300\n 38 2 1e-9 1e-9 0\n 1 0 0 1 1\n 20 nan\n"
        " 9 1 1 1 1 1e300 \xAEt\xAF\n 4 -1e300\n 14 1e300 0\n 10 0 0 0 0 -1 \xAEu\xAF\n -1\n";
    Laid_Out_Document doc = Lay_Out_Report(Read_Report(report));
    ASSERT_FALSE(doc.pages.empty());
    EXPECT_LT(doc.pages.size(), 1000u);
    File_Stream pdf;
    EXPECT_TRUE(Write_Pdf_Stream(doc, pdf.get()));

    const std::string drawing = std::string(PLOT_FILE_MAGIC) +
                                "\nT\n1e300 nan\n0\n\n*TABLES\n-pens 1\n 0 1e300 2147483647\n-linetypes 1\n 0 99999 0 1e-9\n"
                                "-fonts 1\n 0 \xAE" "a\xAF 0 0 1e300 0.7 3 0 1\n-fillings 1\n 0 45 2 0 1e-300 0 0\n"
                                "-coordinates 1\n 0 \xAE" "1:0\xAF 0 0 0 0\n*EOT\n\n*ENTITIES\n"
                                "-line @1 ( @1 0 0 ) #2 0 0 1 0.0\n-point @2 1e300 -1e300\n"
                                "-area / 0 0\n 2 0 ( @3 ( @4 0 0 ) #5 0 0 0 1e300 )\n 0 ( @5 ( @5 1 1 ) #4 0 0 0 -1e-300 )\n"
                                "-text / 1 3 2147483647 2 1 -99 nan 0 1e300 1.2 0. 0.\n    \xAEq\xAF\n-frobnicate\n*EOI\n";
    Laid_Out_Document plan;
    ASSERT_TRUE(Lay_Out_Drawing(drawing, plan));
    EXPECT_EQ(plan.counts.unknown_records, 1);
    File_Stream plan_pdf;
    Write_Pdf_Stream(plan, plan_pdf.get());  // may fail on coordinates cairo refuses; must not crash
    cairo_surface_destroy(Render_Page_Image(plan.pages[0], 30.0));
}

TEST(ViewHostile, APointGivenTwiceIsWhereItWasGivenLast)
{
    // Points out of the order of their numbers, point 3 given twice: both lines end where
    // it was given last, and a point never given is the origin.
    const std::string drawing = std::string(PLOT_FILE_MAGIC) +
                                "\nT\n\n*TABLES\n*EOT\n*ENTITIES\n-line @1 ( @9 0 0 ) #3 0 0 1 0.0\n-point @3 10 0\n"
                                "-line @2 ( @1 0 10 ) #3 0 0 1 0.0\n-point @3 10 10\n-line @3 ( @7 0 10 ) #8 0 0 1 0.0\n*EOI\n";
    Laid_Out_Document plan;
    ASSERT_TRUE(Lay_Out_Drawing(drawing, plan));
    const std::vector<Page_Line> lines = Page_Lines_Of(plan.pages[0]);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_DOUBLE_EQ(lines[0].x2, lines[1].x2);
    EXPECT_DOUBLE_EQ(lines[0].y2, lines[1].y2);
    EXPECT_DOUBLE_EQ(lines[1].y1, lines[1].y2);  // level from (0, 10) to (10, 10)
    EXPECT_DOUBLE_EQ(lines[2].x2, lines[0].x1);  // to the origin, where the first begins
    EXPECT_DOUBLE_EQ(lines[2].y2, lines[0].y1);
}

TEST_F(ViewRender, TheDrawingFileRendersWithItsEntitiesCounted)
{
    const std::string drawing = dir_.file("B10001.SPF");
    const std::string bytes = Read_File_Bytes(drawing);
    auto count = [&](const std::string& entity) {
        int n = 0;
        for (size_t at = bytes.find("\n" + entity); at != std::string::npos; at = bytes.find("\n" + entity, at + 1)) ++n;
        return n;
    };
    const View_Outcome outcome = Render_View_File(drawing, dir_.file("zeichnung.png"));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.files, (std::vector<std::string>{dir_.file("zeichnung-1.png")}));
    EXPECT_EQ(outcome.counts.lines, count("-line "));
    EXPECT_EQ(outcome.counts.areas, count("-area "));
    EXPECT_EQ(outcome.counts.texts, count("-text "));
    EXPECT_GT(outcome.counts.lines, 20);
    EXPECT_EQ(outcome.counts.areas, 1);
    EXPECT_EQ(outcome.counts.Skipped(), 0);

    Laid_Out_Document doc;
    std::string error;
    ASSERT_TRUE(Load_View_File(drawing, doc, error));
    EXPECT_EQ(doc.title, "1: Konsole, Längsschnitt");
    // Paper-true at 1:10: the column's 36 cm are 3.6 cm wide on the page.
    double min_x = 1e9, max_x = -1e9;
    for (const Page_Item& item : doc.pages[0].items)
        if (const auto* fill = std::get_if<Page_Fill>(&item)) {
            for (const Page_Point& p : fill->contours[0]) min_x = std::min(min_x, p.x), max_x = std::max(max_x, p.x);
            EXPECT_EQ(fill->kind, Fill_Kind::Hatch);
        }
    EXPECT_NEAR(max_x - min_x, 6.6, 1e-6);
}

TEST_F(ViewRender, TheSignSketchIsDrawnInItsBoxAndUnknownGlyphsAreSaidLeftOut)
{
    FILE* s = std::fopen(dir_.file("glyph.OLI").c_str(), "w");
    ASSERT_TRUE(s);
    OLI_Write_Font_Glyph_Graphic(s, "schnittgroessen", 3.0, 2.5);
    OLI_Write_Font_Glyph_Graphic(s, "UserCommentLogo", 3.0, 2.5);
    std::fputs("#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 1 0 1\n 99 1 2\n -1\n", s);
    std::fclose(s);
    const View_Outcome outcome = Render_View_File(dir_.file("glyph.OLI"), "");
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.counts.left_out, 1);
    EXPECT_EQ(outcome.counts.unknown_records, 1);
    const std::string summary = View_Counts_Summary(outcome.counts);
    EXPECT_NE(summary.find("1 unbekannter Datensatz"), std::string::npos) << summary;
    EXPECT_NE(summary.find("UserCommentLogo.ocm"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("schnittgroessen"), std::string::npos) << summary;

    // The sketch: lines, arrow heads and the letters A and H, all inside its 3 x 2.5 cm.
    Laid_Out_Document doc;
    std::string error;
    ASSERT_TRUE(Load_View_File(dir_.file("glyph.OLI"), doc, error));
    int lines = 0, heads = 0;
    std::string letters;
    auto inside = [](double x, double y) {
        return x >= PAGE_LEFT - 1e-9 && x <= PAGE_LEFT + 3.0 + 1e-9 && y >= PAGE_TOP - 1e-9 && y <= PAGE_TOP + 2.5 + 1e-9;
    };
    for (const Page_Line& l : Page_Lines_Of(doc.pages[0])) {
        ++lines;
        EXPECT_TRUE(inside(l.x1, l.y1) && inside(l.x2, l.y2));
    }
    for (const Page_Item& item : doc.pages[0].items) {
        if (const auto* f = std::get_if<Page_Fill>(&item)) {
            ++heads;
            for (const Page_Point& p : f->contours[0]) EXPECT_TRUE(inside(p.x, p.y));
        } else if (const auto* t = std::get_if<Page_Text>(&item); t && t->face.family == Face_Family::Sans) {
            letters += t->utf8;
            EXPECT_TRUE(inside(t->x, t->y) && inside(t->x + Text_Advance_Em(t->face, t->utf8) * t->size, t->y - t->size));
        }
    }
    EXPECT_GE(lines, 8);
    EXPECT_EQ(heads, 2);
    EXPECT_EQ(letters, "AH");
}

TEST(ViewLarge, AReportAboveTheFormerBoundIsReadInPiecesInAMemoryOfItsOwn)
{
    // Beyond 64 MiB: a paragraph, a graphic carrying 65 MiB of an embedded image's bytes
    // (read and passed over), and the last paragraph.
    Temp_Dir dir;
    const std::string path = dir.file("gross.OLI");
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("#CONTENTS\n POS. 9: gross\n\n#SHOWPARA\n0x0\n4\n-1\n Anfang\n#END_OF_TEXT\n0x0\n-1\n", f);
    std::fputs("#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 1 0 1\n{\n", f);
    const std::string row = std::string(1023, 'F') + "\n";
    for (int k = 0; k < 65 * 1024; ++k) std::fwrite(row.data(), 1, row.size(), f);
    std::fputs("}\n -1\n\n#SHOWPARA\n0x0\n4\n-1\n Ende des Berichts\n#END_OF_TEXT\n0x0\n-1\n", f);
    ASSERT_EQ(std::fclose(f), 0);

    // Rendered in a child, which tells how far its peak memory grew (in MiB).
    const int grown = Run_With_File_Size_Limit(RLIM_INFINITY, [&] {
        struct rusage before, after;
        ::getrusage(RUSAGE_SELF, &before);
        const View_Outcome outcome = Render_View_File(path, dir.file("gross.pdf"));
        ::getrusage(RUSAGE_SELF, &after);
        if (!outcome.ok || outcome.pages != 1) return 254;
        return static_cast<int>(std::min<long>(250, (after.ru_maxrss - before.ru_maxrss) / 1024));
    });
    ASSERT_GE(grown, 0);
    ASSERT_NE(grown, 254);
    EXPECT_LT(grown, 32);
    if (File_Exists(PDFTOTEXT)) {
        EXPECT_NE(Pdf_Text(dir.file("gross.pdf"), {}).out.find("Ende des Berichts"), std::string::npos);
    }

    // A file beyond every report the program writes is refused in German.
    ASSERT_EQ(::truncate(path.c_str(), VIEW_FILE_MAX + 1), 0);
    const View_Outcome refused = Render_View_File(path, dir.file("gross.pdf"));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, "Die Datei " + path + " ist gr\xC3\xB6\xC3\x9F" "er als 256 MiB und kann kein Bericht des Programms sein.");
}

// The written drawing's entities again and again (their points numbered anew each time),
// up to some megabytes.
std::string Large_Drawing(const std::string& drawing, size_t bytes)
{
    const size_t begin = drawing.find("*ENTITIES\n") + 10, end = drawing.rfind("*EOI");
    const std::string entities = drawing.substr(begin, end - begin);
    std::string out = drawing.substr(0, begin);
    for (long copy = 0; out.size() < bytes; ++copy)
        for (size_t k = 0; k < entities.size(); ++k) {
            out += entities[k];
            if ((entities[k] == '@' || entities[k] == '#') && std::isdigit(static_cast<unsigned char>(entities[k + 1]))) {
                char* after = nullptr;
                out += std::to_string(std::strtol(entities.c_str() + k + 1, &after, 10) + copy * 100000);
                k = static_cast<size_t>(after - entities.c_str()) - 1;
            }
        }
    return out + "*EOI\n";
}

// The peak memory (MiB) of corbel-view rendering the input in the folder to a PDF (freed
// memory given back at once also under the address sanitizer); -1 when it failed.
int Viewer_Peak_Mib(const std::string& folder, const std::string& input)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        ::setenv("ASAN_OPTIONS", "quarantine_size_mb=0:detect_leaks=0", 1);
        if (!std::freopen("/dev/null", "w", stdout)) ::_exit(127);
        ::execl(CORBEL_VIEW_EXE, CORBEL_VIEW_EXE, input.c_str(), "-o", "peak.pdf", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return static_cast<int>(usage.ru_maxrss / 1024);
}

// A limit of the address space for a child: in MiB.
std::function<void()> Address_Space(rlim_t mib)
{
    return [mib] {
        struct rlimit rl{RLIM_INFINITY, RLIM_INFINITY};
        ::getrlimit(RLIMIT_AS, &rl);
        rl.rlim_cur = std::min(rl.rlim_max, mib << 20);
        ::setrlimit(RLIMIT_AS, &rl);
    };
}

TEST_F(ViewRender, MemoryFollowsWhatAPageNeedsAndRunningOutIsSaid)
{
    // Beyond what a small drawing takes: for a drawing of 8 MB a fraction of its size (once
    // twelve times it), for a graphic of a million group brackets next to nothing (once
    // 150 MB).
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B19999.SPF"), Large_Drawing(Read_File_Bytes(dir_.file("B10001.SPF")), 8000000)));
    std::string brackets = "#SHOWGRAFIC\n 0 0 0\n 0 0 0\n-1\n0 10 0 10\n";
    for (int k = 0; k < 1000000; ++k) brackets += " 30\n";
    ASSERT_TRUE(Write_File_Bytes(dir_.file("B1_99.OLI"), brackets + " -1\n"));
    const int small = Viewer_Peak_Mib(dir_.path(), "B10001.SPF");
    ASSERT_GT(small, 0);
    EXPECT_LT(Viewer_Peak_Mib(dir_.path(), "B19999.SPF"), small + 24);
    EXPECT_LT(Viewer_Peak_Mib(dir_.path(), "B1_99.OLI"), small + 8);

    // The address sanitizer cannot run in a bounded address space: under it, the bounds are
    // tried on a viewer built without it (scripts/test builds one), where there is one.
    std::string viewer = CORBEL_VIEW_EXE;
#ifdef __SANITIZE_ADDRESS__
    const char* plain = std::getenv("CORBEL_PLAIN_VIEW_EXE");
    if (!plain || !File_Exists(plain)) GTEST_SKIP() << "no viewer built without the address sanitizer";
    viewer = plain;
#endif
    EXPECT_EQ(Run_Program(viewer, {"B1_99.OLI"}, dir_.path(), {}, Address_Space(64)).exit_code, 0);
    // Memory that runs out ends the viewer with a German message and exit code 1: not an
    // abort, nor a file said to be unwritable, and no file is left behind.
    const std::set<std::string> names = Folder_Names(dir_.path());
    const Run_Result r = Run_Program(viewer, {"B19999.SPF", "-o", "knapp.pdf"}, dir_.path(), {}, Address_Space(20));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "corbel-view: Nicht genug Arbeitsspeicher f\xC3\xBCr die Datei B19999.SPF.\n");
    EXPECT_EQ(Folder_Names(dir_.path()), names);
}

TEST_F(ViewRender, CommandLine)
{
    const std::string exe = CORBEL_VIEW_EXE;
    Run_Result r = Run_Program(exe, {"B1_01.OLI"}, dir_.path(), {});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "B1_01.pdf\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Read_File_Bytes(dir_.file("B1_01.pdf")).substr(0, 5), "%PDF-");

    r = Run_Program(exe, {"B1_01.OLI", "-o", "seiten.PNG"}, dir_.path(), {});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "seiten-1.png\nseiten-2.png\nseiten-3.png\n");
    EXPECT_EQ(Read_File_Bytes(dir_.file("seiten-3.png")).substr(1, 3), "PNG");

    r = Run_Program(exe, {"fehlt.OLI"}, dir_.path(), {});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("fehlt.OLI ist nicht lesbar (Datei oder Ordner nicht vorhanden)."), std::string::npos) << r.err;
    EXPECT_FALSE(File_Exists(dir_.file("fehlt.pdf")));

    // What cannot be written is said with the reason; of a PNG set whose second page cannot
    // be written (a folder in its place), the first and third stay as they were.
    r = Run_Program(exe, {"B1_01.OLI", "-o", "kein/x.pdf"}, dir_.path(), {});
    EXPECT_EQ(r.err, "corbel-view: Die Datei kein/x.pdf kann nicht geschrieben werden: Datei oder Ordner nicht "
                     "vorhanden.\n");
    r = Run_Program(exe, {"B1_01.OLI", "-o", "/dev/full"}, dir_.path(), {});
    EXPECT_EQ(r.err, "corbel-view: Die Datei /dev/full kann nicht geschrieben werden: kein Speicherplatz mehr auf dem "
                     "Datentr\xC3\xA4ger.\n");
    for (const char* page : {"seiten-1.png", "seiten-3.png"}) ASSERT_TRUE(Write_File_Bytes(dir_.file(page), "alt"));
    ASSERT_EQ(::remove(dir_.file("seiten-2.png").c_str()), 0);
    ASSERT_EQ(::mkdir(dir_.file("seiten-2.png").c_str(), 0755), 0);
    r = Run_Program(exe, {"B1_01.OLI", "-o", "seiten.png"}, dir_.path(), {});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "corbel-view: Die Datei seiten-2.png kann nicht geschrieben werden: der Name bezeichnet einen "
                     "Ordner.\n");
    EXPECT_EQ(Read_File_Bytes(dir_.file("seiten-1.png")) + Read_File_Bytes(dir_.file("seiten-3.png")), "altalt");

    Write_File_Bytes(dir_.file("binär.OLI"), std::string("\x89PNG\0\0", 6));
    EXPECT_EQ(Run_Program(exe, {"binär.OLI"}, dir_.path(), {}).exit_code, 1);
    EXPECT_EQ(Run_Program(exe, {}, dir_.path(), {}).exit_code, 1);
    EXPECT_EQ(Run_Program(exe, {"a.OLI", "b.OLI"}, dir_.path(), {}).exit_code, 1);
}

// An output that is the input itself (by its name in any case, a link or the default name
// of a PDF) is refused, and the input stays as it was.
TEST_F(ViewRender, TheOutputIsNeverTheInput)
{
    const std::string report = Read_File_Bytes(report_);
    ASSERT_EQ(::symlink("B1_01.OLI", dir_.file("verweis.pdf").c_str()), 0);
    for (const std::string output : {"B1_01.OLI", "b1_01.oli", "verweis.pdf", "./B1_01.OLI"}) {
        const Run_Result r = Run_Program(CORBEL_VIEW_EXE, {"B1_01.OLI", "-o", output}, dir_.path(), {});
        EXPECT_EQ(r.exit_code, 1) << output;
        EXPECT_EQ(r.err, "corbel-view: Die Datei " + output +
                             " ist die Eingabedatei selbst: sie wird nicht \xC3\xBC" "berschrieben.\n");
        EXPECT_EQ(Read_File_Bytes(report_), report);
    }
    // A report named as a PDF gets a PDF of its own name beside it.
    ASSERT_TRUE(Write_File_Bytes(dir_.file("bericht.PDF"), report));
    const Run_Result r = Run_Program(CORBEL_VIEW_EXE, {"bericht.PDF"}, dir_.path(), {});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "bericht.PDF.pdf\n");
    EXPECT_EQ(Read_File_Bytes(dir_.file("bericht.PDF")), report);
}

const std::string STRACE = "/usr/bin/strace";

bool Strace_Works()
{
    return File_Exists(STRACE) && Run_Program(STRACE, {"-o", "/dev/null", "true"}, "", {}).exit_code == 0;
}

// The input is opened by its name once, however many passes read it: a report put in its
// place meanwhile is never read in part (the old report's page count on the new one's
// pages), nor a file under one of the output's names taken for the input checked.
TEST_F(ViewRender, TheInputIsOpenedOnce)
{
    if (!Strace_Works()) GTEST_SKIP() << "no strace, or no tracing allowed here";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"B1_01.OLI", "-o", "v.pdf"},
                                                {"B1_01.OLI", "-o", "v.png"}, {"B10001.SPF", "-o", "v.pdf"}}) {
        std::vector<std::string> traced = {"-f", "-qq", "-o", "opens.log", "-e", "trace=open,openat", CORBEL_VIEW_EXE};
        traced.insert(traced.end(), args.begin(), args.end());
        ASSERT_EQ(Run_Program(STRACE, traced, dir_.path(), {"ASAN_OPTIONS=detect_leaks=0"}).exit_code, 0);
        const std::string log = Read_File_Bytes(dir_.file("opens.log"));
        const std::string input = "\"" + args[0] + "\"";
        int opens = 0;
        for (size_t at = log.find(input); at != std::string::npos; at = log.find(input, at + 1)) ++opens;
        EXPECT_EQ(opens, 1) << args[0] << " " << args[2];
    }
}

// As a refresh run: TERM, INT and HUP while the PDF is written remove its temporary file;
// a KILL's leftover goes with the next run on the same output; a file-size limit is an
// output that cannot be written. strace sends the signals at the PDF's second write.
TEST_F(ViewRender, SignalsAndFileSizeLimitsLeaveNoTemporaryFile)
{
    auto temporaries = [this] {
        int count = 0;
        for (const std::string& name : Folder_Names(dir_.path())) count += name.find(".tmp") != std::string::npos;
        return count;
    };
    const Run_Result limited = Run_Program(CORBEL_VIEW_EXE, {"B1_01.OLI", "-o", "aus.pdf"}, dir_.path(), {}, [] {
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit rl{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &rl);
    });
    EXPECT_EQ(limited.exit_code, 1);
    EXPECT_EQ(limited.err, "corbel-view: Die Datei aus.pdf kann nicht geschrieben werden: die Datei wird zu gro\xC3\x9F.\n");
    EXPECT_EQ(temporaries(), 0);

    auto view_signalled = [&](const std::string& signal) {
        return Run_Program(STRACE,
                           {"-f", "-qq", "-o", "/dev/null", "-e", "trace=write", "-e",
                            "inject=write:signal=" + signal + ":when=2", CORBEL_VIEW_EXE, "B1_01.OLI", "-o", "aus.pdf"},
                           dir_.path(), {"ASAN_OPTIONS=detect_leaks=0"}, [] {
                               // As a shell leaves them (a test started in the background ignores SIGINT).
                               for (int ending : {SIGTERM, SIGINT, SIGHUP}) std::signal(ending, SIG_DFL);
                           });
    };
    if (!Strace_Works()) GTEST_SKIP() << "no strace, or no tracing allowed here";
    for (const char* signal : {"SIGTERM", "SIGINT", "SIGHUP"}) {
        EXPECT_EQ(view_signalled(signal).exit_code, -1) << signal;
        EXPECT_EQ(temporaries(), 0) << signal;
    }
    EXPECT_EQ(view_signalled("SIGKILL").exit_code, -1);
    EXPECT_EQ(temporaries(), 1);
    EXPECT_EQ(Run_Program(CORBEL_VIEW_EXE, {"B1_01.OLI", "-o", "aus.pdf"}, dir_.path(), {}).exit_code, 0);
    EXPECT_EQ(temporaries(), 0);
}

TEST_F(ViewRender, PreviewAndPrintThroughTheEnvironmentsCalls)
{
    Install_Report_Viewer();
    Clear_Shown_Messages();
    EXPECT_EQ(Quick_OLI_View(dir_.file("B1").c_str(), report_.c_str()), 0);
    EXPECT_TRUE(File_Exists(dir_.file("B1_01.pdf")));
    EXPECT_TRUE(File_Exists(dir_.file("B1_01-1.png")));
    EXPECT_TRUE(File_Exists(dir_.file("B1_01-3.png")));

    Temp_Dir queue;
    ::setenv(PRINT_COMMAND_VARIABLE, ("cp -t " + queue.path()).c_str(), 1);
    EXPECT_EQ(Quick_OLI_Print(dir_.file("B1").c_str(), report_.c_str()), 0);
    EXPECT_EQ(Read_File_Bytes(queue.file("B1_01.pdf")), Read_File_Bytes(dir_.file("B1_01.pdf")));

    ::setenv(PRINT_COMMAND_VARIABLE, "false", 1);
    EXPECT_EQ(Quick_OLI_Print(dir_.file("B1").c_str(), report_.c_str()), 1);
    ::unsetenv(PRINT_COMMAND_VARIABLE);
    EXPECT_EQ(Quick_OLI_Print(dir_.file("B1").c_str(), report_.c_str()), 0);
    EXPECT_EQ(Quick_OLI_View(dir_.file("B1").c_str(), dir_.file("fehlt.OLI").c_str()), 1);
    // Each call said what became of the report: where the PDF is, what the command did.
    const std::string pdf = dir_.file("B1_01.pdf");
    const std::vector<std::string> said = [] {
        std::vector<std::string> texts;
        for (const Shown_Message& m : Shown_Messages()) texts.push_back(m.text);
        return texts;
    }();
    ASSERT_EQ(said.size(), 5u);
    EXPECT_EQ(said[0], "Vorschau: der Bericht steht in\n" + pdf);
    EXPECT_EQ(said[1], "Der Bericht " + pdf + "\nwurde an den Druckbefehl \"cp -t " + queue.path() + "\" \xFC" "bergeben.");
    EXPECT_NE(said[2].find("Druckbefehl \"false\" ist fehlgeschlagen (Ende mit 1)"), std::string::npos) << said[2];
    EXPECT_EQ(said[3], "Kein Druckbefehl eingestellt (CORBEL_PRINT_COMMAND).\nDer Bericht liegt als " + pdf + " vor.");
    EXPECT_NE(said[4].find("fehlt.OLI"), std::string::npos);

    Set_Report_Viewer(nullptr, nullptr);
    Clear_Shown_Messages();
}

// In a window session the preview hands the PDF to CORBEL_VIEW_COMMAND (started without a
// shell, not awaited) and names both in its box, which Enter acknowledges.
TEST_F(ViewRender, PreviewInAWindowStartsTheViewCommand)
{
    if (!Start_Dummy_Window("640x480")) {
        Screen_Reset_For_Tests();
        GTEST_SKIP() << "SDL cannot start here";
    }
    Temp_Dir shown;
    ::setenv(VIEW_COMMAND_VARIABLE, ("cp -t " + shown.path()).c_str(), 1);
    Install_Report_Viewer();
    Clear_Shown_Messages();
    SDL_Event enter{};
    enter.type = SDL_KEYDOWN;
    enter.key.keysym.sym = SDLK_RETURN;
    SDL_PushEvent(&enter);
    EXPECT_EQ(Quick_OLI_View(dir_.file("B1").c_str(), report_.c_str()), 0);
    ::unsetenv(VIEW_COMMAND_VARIABLE);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].text, "Vorschau: der Bericht steht in\n" + dir_.file("B1_01.pdf") +
                                            "\nund wird mit \"cp -t " + shown.path() + "\" angezeigt.");
    // The viewer command runs on its own: wait until its copy is whole (a loaded machine may
    // take its time).
    const std::string pdf = Read_File_Bytes(dir_.file("B1_01.pdf"));
    for (int i = 0; i < 6000 && Read_File_Bytes(shown.file("B1_01.pdf")) != pdf; ++i) ::usleep(10000);
    EXPECT_EQ(Read_File_Bytes(shown.file("B1_01.pdf")), pdf);
    Set_Report_Viewer(nullptr, nullptr);
    Clear_Shown_Messages();
    Screen_Reset_For_Tests();
}

} // namespace

namespace {

// The box of a graphic's label on the page (y down): corners counter-clockwise from the
// start of the baseline, from the baseline up to the capital height, a hundredth of a
// centimetre inside the advance (the side bearings).
std::vector<Page_Point> Label_Box(const Page_Text& t)
{
    const double a = t.angle * M_PI / 180.0, w = Text_Advance_Em(t.face, t.utf8) * t.size - 0.02;
    const double h = SANS_CAP_HEIGHT_EM * t.size - 0.02;
    const Page_Point u{std::cos(a), -std::sin(a)}, v{-std::sin(a), -std::cos(a)};
    const Page_Point o{t.x + 0.01 * u.x + 0.01 * v.x, t.y + 0.01 * u.y + 0.01 * v.y};
    return {o,
            {o.x + w * u.x, o.y + w * u.y},
            {o.x + w * u.x + h * v.x, o.y + w * u.y + h * v.y},
            {o.x + h * v.x, o.y + h * v.y}};
}

// Do two convex polygons (a segment is one of two points) overlap? Separating axes.
bool Overlap(const std::vector<Page_Point>& a, const std::vector<Page_Point>& b, double grow)
{
    for (const auto* shape : {&a, &b})
        for (size_t k = 0; k < shape->size(); ++k) {
            const Page_Point p = (*shape)[k], q = (*shape)[(k + 1) % shape->size()];
            const double nx = q.y - p.y, ny = p.x - q.x, length = std::hypot(nx, ny);
            if (length < 1e-12) continue;
            auto span = [&](const std::vector<Page_Point>& shape, double& lo, double& hi) {
                lo = 1e100, hi = -1e100;
                for (const Page_Point& r : shape) {
                    const double d = (r.x * nx + r.y * ny) / length;
                    lo = std::min(lo, d), hi = std::max(hi, d);
                }
            };
            double a_lo, a_hi, b_lo, b_hi;
            span(a, a_lo, a_hi);
            span(b, b_lo, b_hi);
            if (a_hi + grow < b_lo || b_hi + grow < a_lo) return false;
        }
    return true;
}

// No label of a graphic (the proportional face) is crossed by a line of its page or
// overlaps another label.
void Expect_Labels_Clear(const Laid_Out_Document& doc, const std::string& what)
{
    for (size_t p = 0; p < doc.pages.size(); ++p) {
        std::vector<const Page_Text*> labels;
        for (const Page_Item& item : doc.pages[p].items)
            if (const auto* t = std::get_if<Page_Text>(&item); t && t->face.family == Face_Family::Sans &&
                                                               t->utf8.find_first_not_of(' ') != std::string::npos)
                labels.push_back(t);
        const std::vector<Page_Line> lines = Page_Lines_Of(doc.pages[p]);
        for (size_t i = 0; i < labels.size(); ++i) {
            const std::vector<Page_Point> box = Label_Box(*labels[i]);
            for (const Page_Line& l : lines)
                EXPECT_FALSE(Overlap(box, {{l.x1, l.y1}, {l.x2, l.y2}}, l.width / 2.0))
                    << what << " page " << p + 1 << ": \"" << labels[i]->utf8 << "\" crossed by the line (" << l.x1
                    << ", " << l.y1 << ")-(" << l.x2 << ", " << l.y2 << ")";
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(Overlap(box, Label_Box(*labels[j]), 0.0))
                    << what << " page " << p + 1 << ": \"" << labels[i]->utf8 << "\" on \"" << labels[j]->utf8 << "\"";
        }
    }
}

// The example positions' reports as the program writes them, and one position with 1000
// load combinations; each is laid out and written to PDF.
class ViewExamples : public ::testing::Test {
protected:
    // Refresh run of the example n (its input made by `edit`), the report's path.
    std::string Report(int n, const std::function<std::string(std::string)>& edit = nullptr)
    {
        const std::string stem = "B1_0" + std::to_string(n);
        std::string input = Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/" + stem + ".INP");
        if (edit) input = edit(input);
        Write_File_Bytes(dir_.file(stem + ".INP"), input);
        Write_File_Bytes(dir_.file(stem + ".TXT"), Read_File_Bytes(CORBEL_SOURCE_DIR "/examples/" + stem + ".TXT"));
        const std::string number = std::to_string(n);
        Run_Program(CORBEL_EXE, {"B1", "0", number, number, "-refresh"}, dir_.path(),
                    {"EXEC=" CORBEL_SOURCE_DIR "/data", "DATA=" CORBEL_SOURCE_DIR "/data", "DRAM=" + dir_.path(),
                     "TEMP=" + dir_.path()});
        return dir_.file(stem + ".OLI");
    }

    // What a reader of the printed report sees: the page heads, the letters, headings with
    // content below them on their page, bookmarks under their parent heading, no line
    // broken after "=" or beyond the text area. Returns the PDF's text.
    std::string Check(const std::string& report)
    {
        Laid_Out_Document doc;
        std::string error;
        EXPECT_TRUE(Load_View_File(report, doc, error)) << error;
        const size_t pages = doc.pages.size();
        for (size_t p = 0; p < pages; ++p) {
            const std::string head = "Seite " + std::to_string(p + 1) + " von " + std::to_string(pages);
            bool headed = false;
            for (const Page_Item& item : doc.pages[p].items)
                if (const auto* t = std::get_if<Page_Text>(&item)) {
                    headed = headed || t->utf8 == head;
                    // No text line runs beyond the text area (wide tables are set narrower).
                    const bool line = t->face.family == Face_Family::Mono;
                    EXPECT_TRUE(!line || t->x + Text_Advance_Em(t->face, t->utf8) * t->size <= PAGE_LEFT + 17.01)
                        << t->utf8;
                }
            EXPECT_TRUE(headed) << report << " " << head;
        }
        std::map<std::string, int> numbered;  // heading number -> outline entry
        for (size_t k = 0; k < doc.outline.size(); ++k) {
            const Outline_Entry& e = doc.outline[k];
            const std::string number = e.title.substr(0, e.title.find(' '));
            const size_t cut = number.find_last_of('.', number.size() - 2);
            const std::string parent = cut == std::string::npos ? "" : number.substr(0, cut + 1);
            EXPECT_EQ(e.parent, numbered.count(parent) ? numbered[parent] : -1) << e.title;
            numbered[number] = static_cast<int>(k);
            // Something of its section stands below the heading on its page.
            double heading_y = -1.0, below = -1.0;
            for (const Page_Item& item : doc.pages[e.page].items)
                if (const auto* t = std::get_if<Page_Text>(&item)) {
                    if (heading_y < 0.0 && t->utf8.find(e.title) != std::string::npos) heading_y = t->y;
                    below = std::max(below, t->y);
                }
            EXPECT_GT(below, heading_y + 0.1) << e.title << " alone at the foot of page " << e.page + 1;
        }
        EXPECT_EQ(doc.counts.left_out, 0) << View_Counts_Summary(doc.counts);
        Expect_Labels_Clear(doc, report);
        // Laid out in pieces, page by page, the same pages.
        const std::string pdf = report.substr(0, report.size() - 4) + ".pdf";
        const View_Outcome outcome = Render_View_File(report, pdf);
        EXPECT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(outcome.pages, static_cast<int>(pages));
        const std::string text = Pdf_Text(pdf, {"-layout"}).out;
        for (const char* wrong : {"Ó", "Ã", "ã", "┼", "Φ", "=\n"}) EXPECT_EQ(text.find(wrong), std::string::npos) << wrong;
        return text;
    }

    Temp_Dir dir_;
};

TEST_F(ViewExamples, ATallCorbelsGraphicsStayWithinTheTextAreaAtTheScaleTheyName)
{
    if (!File_Exists(PDFTOTEXT)) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    // The first example with hk = 150 cm: at the 1:10 asked the graphic would not fit.
    const std::string report = Report(1, [](std::string input) {
        const size_t at = input.find(" 40.000000 0.000000 6.000000");
        return input.replace(at, 10, " 150.000000");
    });
    const std::string text = Check(report);
    EXPECT_NE(text.find("Maßstab 1:15.0"), std::string::npos);
    Laid_Out_Document doc;
    std::string error;
    ASSERT_TRUE(Load_View_File(report, doc, error)) << error;
    EXPECT_LE(doc.pages.size(), 5u);
    for (const Page& page : doc.pages)
        for (const Page_Line& l : Page_Lines_Of(page)) {
            EXPECT_GE(std::min(l.x1, l.x2), PAGE_LEFT - 1e-6);
            EXPECT_LE(std::max(l.x1, l.x2), PAGE_LEFT + 17.0 + 1e-6);
            EXPECT_GE(std::min(l.y1, l.y2), PAGE_TOP - 1e-6);
            EXPECT_LE(std::max(l.y1, l.y2), A4_HEIGHT - PAGE_BOTTOM_MARGIN + 1e-6);
        }
}

TEST_F(ViewExamples, EveryExampleReportAndOneOf1000CombinationsReadAsPrinted)
{
    if (!File_Exists(PDFTOTEXT)) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    for (int n = 1; n <= 5; ++n) {
        const std::string text = Check(Report(n));
        // The drawing file beside the report, where one was asked for.
        const std::string drawing = dir_.file("B1000" + std::to_string(n) + ".SPF");
        Laid_Out_Document plan;
        std::string error;
        if (File_Exists(drawing) && Load_View_File(drawing, plan, error)) Expect_Labels_Clear(plan, drawing);
        for (const char* symbol : {"0.5·hk", "αcc = 0.85", "ν1", "λlim", "η1", "15·⌀s"})
            EXPECT_TRUE(n != 4 || text.find(symbol) != std::string::npos) << symbol;  // the annex table
    }
    // The first example with its four load combinations made 1000.
    const std::string big = Report(1, [](std::string input) {
        const size_t from = input.find("\n 0 4\n"), to = input.find("\n 2\n Oberlast");
        std::string rows = "\n 0 1000\n";
        for (int k = 0; k < 1000; ++k) {
            std::string name = "Lk~" + std::to_string(k + 1) + "~Eigengewicht~+~Nutzlast";
            name.resize(40, '~');
            const double a = 200000.0 + (k * 37 % 300) * 1000.0;
            char values[64];
            std::snprintf(values, sizeof values, " %f %f\n", 0.2 * a, a);
            rows += " " + name + "\n" + values;
        }
        rows.pop_back();
        return input.substr(0, from) + rows + input.substr(to);
    });
    const std::string text = Check(big);
    EXPECT_NE(text.find("Lk 1000"), std::string::npos);
    EXPECT_NE(text.find("Seite 30 von"), std::string::npos);
}

} // namespace
