#include "platform/screen/nad_sheet_images.h"
#include "platform/screen/image_canvas.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <initializer_list>

namespace {

using screen::Image_Canvas;

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0x000000;
constexpr uint32_t HEADING = 0xDCE6F0;  // ground of heading rows
constexpr uint32_t RULE = 0xA0A0A0;
constexpr int PITCH = 22;

// ---- Formula pictures of the EN 1992 page: one line, 176 x 16 ------------------------

Screen_Image Formula(const char* text)
{
    Image_Canvas c(176, 16, WHITE);
    c.Text(2, 12, text, BLACK);
    return c.image;
}

// ---- Label pictures of the EN 1990 page ------------------------------------------------

// A picture of width 420: a heading row with the title and column heads, then one row a
// label (an empty label leaves an empty row), rules between the rows.
Screen_Image Rows(const char* title, std::initializer_list<const char*> columns, std::initializer_list<int> column_x,
                  const std::vector<const char*>& labels)
{
    const int rows = static_cast<int>(labels.size()) + 1;
    Image_Canvas c(420, PITCH * rows, WHITE);
    c.Rect(0, 0, 419, PITCH - 2, HEADING);
    c.Text(4, 15, title, BLACK);
    auto x = column_x.begin();
    for (const char* head : columns) c.Text(*x++, 15, head, BLACK);
    for (int k = 0; k < rows - 1; ++k) {
        const int top = PITCH * (k + 1);
        c.Rect(0, top + PITCH - 1, 419, top + PITCH - 1, RULE);
        if (labels[k]) c.Text(4, top + 15, labels[k], BLACK);
    }
    return c.image;
}

const std::vector<const char*> building_actions = {
    "st\x84ndige Lasten", "ver\x84nderliche Lasten", "Fl\x81ssigkeitsdruck/Maschinenlasten", "Zwang",
    "Vorspannung", "au\xE1" "ergew\x94hnliche Einwirkungen", "Erdbeben",
};
const std::vector<const char*> building_categories = {
    "A, B  Wohn-, B\x81ror\x84ume", "C, D  Versammlungs-, Verkaufsr\x84ume", "E  Lagerr\x84ume",
    "F  Fahrzeuge bis 30 kN", "G  Fahrzeuge bis 160 kN", "H  D\x84" "cher", "Schnee/Eis bis 1000 m \x81.NN",
    "Schnee/Eis \x81" "ber 1000 m \x81.NN", "Wind", "Temperatur", "Baugrundsetzungen", "sonstige Einwirkungen",
};

Screen_Image Building_Picture()
{
    // Heading rows at 0, 6, 13, 21 and 27 of 42.
    std::vector<const char*> rows;
    auto situation = [&rows](const char* title, std::initializer_list<int> actions) {
        rows.push_back(title);
        for (int a : actions) rows.push_back(a ? building_actions[a - 1] : nullptr);
    };
    situation(nullptr, {1, 2, 3, 4, 5});
    situation("au\xE1" "ergew\x94hnliche Bemessungssituation", {1, 2, 3, 4, 5, 6});
    situation("Erdbebenbemessungssituation", {1, 2, 3, 4, 5, 0, 7});
    situation("Gebrauchstauglichkeit und Erm\x81" "dung", {1, 2, 3, 4, 5});
    rows.push_back("Kombinationsbeiwerte");
    for (int k = 0; k < 12; ++k) {
        rows.push_back(building_categories[k]);
        if (k == 2 || k == 5) rows.push_back(nullptr);
    }
    rows.erase(rows.begin());  // the first heading is the picture's own
    Screen_Image image = Rows("st\x84ndige und vor\x81" "bergehende Situation", {"\xC0 sup", "\xC0 inf"}, {262, 321},
                              rows);
    // The later headings: shaded like the first.
    Image_Canvas c(0, 0, WHITE);
    c.image = image;
    for (int row : {6, 13, 21, 27}) {
        for (int y = PITCH * row; y < PITCH * row + PITCH - 1; ++y)
            for (int x = 0; x < 420; ++x)
                if (c.image.At(x, y) == WHITE) c.Set(x, y, HEADING);
    }
    c.Text(231, PITCH * 27 + 15, "psi 0", BLACK);
    c.Text(281, PITCH * 27 + 15, "psi 1", BLACK);
    c.Text(331, PITCH * 27 + 15, "psi 2", BLACK);
    c.Text(381, PITCH * 27 + 15, "psi 2E", BLACK);
    return c.image;
}

const char* const bridge_actions[15] = {
    "st\x84ndige Lasten", "Vorspannung linear", "Vorspannung nichtlinear", "Vorspannung lokal",
    "Setzung linear", "Setzung nichtlinear", "Stra\xE1" "enverkehr", "Fu\xE1g\x84ngerverkehr",
    "Schienenverkehr Lastgruppe 11 bis 31", "Schienenverkehr Lastgr. 16, 17, SW/2", "ver\x84nderliche Lasten",
    "Bauausf\x81hrung", "Temperatur", "au\xE1" "ergew\x94hnliche Einwirkungen", "Erdbeben",
};

Screen_Image Bridge_Gamma(const char* title, int last_action)
{
    std::vector<const char*> rows;
    for (int a = 1; a <= 11; ++a) rows.push_back(bridge_actions[a - 1]);
    rows.push_back(bridge_actions[12]);  // action 12, the construction stage, has no row
    if (last_action) rows.push_back(bridge_actions[last_action - 1]);
    return Rows(title, {"\xC0 sup", "\xC0 inf"}, {262, 321}, rows);
}

Screen_Image Bridge_Psi(const char* title, int count, bool railway)
{
    static char numbers[40][12];
    std::vector<const char*> rows;
    for (int k = 0; k < count; ++k) {
        std::snprintf(numbers[k], sizeof numbers[k], "%d", k + 1);
        rows.push_back(numbers[k]);
    }
    if (railway) {
        rows.push_back("\xBA 1 Gleis belastet");
        rows.push_back("\xBA 2 Gleise belastet");
        rows.push_back("\xBA 3 oder mehr Gleise");
    }
    return Rows(title, {"psi 0", "psi 1", "psi 2"}, {231, 281, 331}, rows);
}

// ---- The bands of the EN 1995 page -------------------------------------------------

Screen_Image Ec5_Bands()
{
    struct Band {
        int top, width, height;
        const char* title;
    };
    const Band bands[9] = {
        {0, 368, 130, "KLED / Nutzungsklasse 1 2 3"},
        {142, 368, 95, "Tab. NA.1 Index (b)"},
        {244, 368, 60, "k def / Nutzungsklasse 1 2 3"},
        {310, 368, 105, "w inst, w fin, w net,fin: normal / Kragarm"},
        {418, 368, 123, "\xC0 M Vollholz, Brettschichtholz, au\xE1" "ergew\x94hnlich"},
        {540, 376, 157, "k cr: Verfahren 1 / Verfahren 2"},
        {700, 376, 129, "w net,fin: charakteristisch / quasist\x84ndig"},
        {832, 376, 112, "\xC0 M Brandschutz"},
        {940, 376, 109, "k shape = 1 + Faktor h/b, h\x94" "chstens"},
    };
    Image_Canvas c(376, 1049, WHITE);
    for (const Band& b : bands) {
        c.Rect(0, b.top, b.width - 1, b.top, RULE);
        c.Rect(0, b.top + b.height - 1, b.width - 1, b.top + b.height - 1, RULE);
        c.Text(8, b.top + 18, b.title, BLACK);
    }
    return c.image;
}

struct Maker {
    const char* name;
    std::function<Screen_Image()> make;
};

const Maker makers[] = {
    {"NAD/NAD_Func1.bmp", [] { return Formula("x (0,64 + 0,8 xu/d)"); }},
    {"NAD/NAD_Func2a.bmp", [] { return Formula("x k^3/2 fck^1/2"); }},
    {"NAD/NAD_Func2b.bmp", [] { return Formula("x (1 - fck/250)"); }},
    {"NAD/NAD_Func2c.bmp", [] { return Formula("x k^3/2 flck^1/2"); }},
    {"NAD/NAD_Func2d.bmp", [] { return Formula("x eta1 (1 - flck/250)"); }},
    {"NAD/NAD_Func3a.bmp", [] { return Formula("x NEd / fyd"); }},
    {"NAD/NAD_Func3b.bmp", [] { return Formula("x Ac"); }},
    {"NAD/NAD_Func4.bmp", [] { return Formula("lambda cu + x (lambda co - lambda cu)"); }},
    {"NAD/NAD_Func5.bmp", [] { return Formula("x fctm/fyk bt d"); }},
    {"NAD/NAD_Func6.bmp", [] { return Formula("x fck^1/2 / fyk"); }},
    {"NAD/NAD_Func7a.bmp", [] { return Formula("x (1 - fck/250)"); }},
    {"NAD/NAD_Func7b.bmp", [] { return Formula("x (1 - flck/250)"); }},
    {"NAD/NAD_Func8.bmp", [] { return Formula("x / n^1/2"); }},
    {"NAD/NAD-Kbws.bmp", Building_Picture},
    {"NAD/NAD_bridge_str_b.bmp", [] { return Bridge_Gamma("st\x84ndige und vor\x81" "bergehende Situation", 0); }},
    {"NAD/NAD_bridge_ausser.bmp", [] { return Bridge_Gamma("au\xE1" "ergew\x94hnliche Situation", 14); }},
    {"NAD/NAD_bridge_erdbeben.bmp", [] { return Bridge_Gamma("Erdbebensituation", 15); }},
    {"NAD/NAD_bridge_gebrauch.bmp", [] { return Bridge_Gamma("Gebrauchstauglichkeit und Erm\x81" "dung", 0); }},
    {"NAD/NAD_bridge_str_psi.bmp", [] { return Bridge_Psi("Stra\xE1" "enbr\x81" "cken", 14, false); }},
    {"NAD/NAD_bridge_fuss_psi.bmp", [] { return Bridge_Psi("Fu\xE1g\x84ngerbr\x81" "cken", 7, false); }},
    {"NAD/NAD_bridge_bahn_psi.bmp", [] { return Bridge_Psi("Eisenbahnbr\x81" "cken", 31, true); }},
    {"NAD/EC5GrobiNads.bmp", Ec5_Bands},
};

} // namespace

const std::vector<std::string>& Nad_Sheet_Bitmap_Names()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const Maker& m : makers) n.push_back(m.name);
        return n;
    }();
    return names;
}

bool Make_Nad_Sheet_Bitmap(const std::string& name, Screen_Image& image)
{
    for (const Maker& m : makers)
        if (name == m.name) {
            image = m.make();
            return true;
        }
    return false;
}
