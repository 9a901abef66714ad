#include "sheets/annex/nad_ec3_sheet.h"

#include "annex/nad_ec3.h"
#include "annex/nad_report.h"
#include "platform/screen/screen.h"
#include "sheets/annex/nad_sheet_fields.h"
#include "toolkit/scroll_area.h"

#include <string>

namespace {

// Screen bytes (code page 850 with the environment's symbols).
#define AE "\x84"
#define OE "\x94"
#define UE "\x81"
#define SZ "\xE1"
#define GAMMA "\xC0"
#define ETA "\xC1"
#define BETA "\xBB"
#define LAMBDA "\xC5"
#define CHI "\xDB"

constexpr int FONT = 0x1000;
constexpr int SMALL_FONT = 0x1002;
constexpr int BOLD = 0x10000;
constexpr int ROW_PITCH = 22;
constexpr int CLAUSE_X = 10;
constexpr int PARAMETER_X = 67;
constexpr int FIELD_X = 130;
constexpr int EXPLANATION_X = 206;
// The explanation band holds the widest explanation ("bzw. Beanspruchbarkeit von
// Schraube," ends at 423).
constexpr int EXPLANATION_RIGHT = 430;
constexpr int BUTTON_X = PARAMETER_X + 16;  // check boxes and radio buttons sit left of their label

// Writes the rows of one page into the area, keeping the running y (the base line of
// the next text) and whether the next row opens its group.
class Page {
public:
    Page(int area, int* y, int* editable) : area_(area), y_(y), editable_(editable)
    {
        band_ = Nearest_RGB_Color(222, 228, 240);
        text_ = BLACK_CI;
    }

    void Heading(const char* title)
    {
        *y_ += 22;
        Area_Add_Text(area_, 4, *y_, title, FONT | BOLD, text_, 0);
        *y_ += 20;
        Area_Add_Text(area_, CLAUSE_X, *y_, "Kapitel", SMALL_FONT, DGREY_CI, 0);
        Area_Add_Text(area_, PARAMETER_X, *y_, "Parameter", SMALL_FONT, DGREY_CI, 0);
        Area_Add_Text(area_, EXPLANATION_X, *y_, "Erl" AE "uterung", SMALL_FONT, DGREY_CI, 0);
        *y_ += 8;
    }

    // A group's title (one or two lines); the next row opens the group.
    void Group(const char* line1, const char* line2 = nullptr)
    {
        *y_ += 16;
        Area_Add_Text(area_, PARAMETER_X, *y_, line1, FONT | BOLD, text_, 0);
        if (line2) {
            *y_ += 15;
            Area_Add_Text(area_, PARAMETER_X, *y_, line2, FONT | BOLD, text_, 0);
        }
        *y_ += 4;
        first_ = true;
    }

    // One row: the bands, the clause and the explanation; answers the text base line.
    int Row(const char* clause, const char* explanation)
    {
        const int top = *y_ + (first_ ? 2 : 0);
        const int bottom = *y_ + ROW_PITCH - 1;
        Area_Add_Box(area_, 4, top, 56, bottom, band_);
        Area_Add_Box(area_, 200, top, EXPLANATION_RIGHT, bottom, band_);
        const int base = *y_ + 16;
        if (clause) Area_Add_Text(area_, CLAUSE_X, base, clause, SMALL_FONT, text_, 0);
        if (explanation) Area_Add_Text(area_, EXPLANATION_X, base, explanation, FONT, text_, 0);
        *y_ += ROW_PITCH;
        first_ = false;
        return base;
    }

    // A text in the parameter column.
    void Label(int base, const char* text, int x = PARAMETER_X) { Area_Add_Text(area_, x, base, text, FONT, text_, 0); }

    // The symbol gamma with its index in the small font.
    void Gamma(int base, const char* index, int x = PARAMETER_X)
    {
        Area_Add_Text(area_, x, base, GAMMA, FONT, text_, 0);
        Area_Add_Text(area_, x + 8, base + 3, index, SMALL_FONT, text_, 0);
    }
    // Another symbol, its index (if any) in the small font right behind it.
    void Symbol(int base, const char* symbol, const char* index = nullptr)
    {
        Area_Add_Text(area_, PARAMETER_X, base, symbol, FONT, text_, 0);
        if (index)
            Area_Add_Text(area_, PARAMETER_X + Get_Text_Width_In_Font(symbol, FONT) + 1, base + 3, index, SMALL_FONT,
                          text_, 0);
    }

    void Field(int base, double* value, const char* format, NAD_Value_Kind kind, const std::string& name,
               int x = FIELD_X)
    {
        NAD_Sheet_Number_Field(area_, x, base, value, format, FONT, text_, editable_, {kind, name});
    }
    void Check(int base, int x, const char* label, int* value)
    {
        Area_Add_Check_Box(area_, x, base, label, FONT, text_, value, editable_);
    }
    void Radio(int base, int x, const char* label, int value, int* target)
    {
        Area_Add_Radio_Button(area_, x, base, label, FONT, text_, value, target, editable_);
    }

private:
    int area_;
    int* y_;
    int* editable_;
    int band_ = 0;
    int text_ = 0;
    bool first_ = true;
};

// The three factors of 6.1(1) of one design situation, one row each (gamma_M2 with rule 1).
void Steel_Factors(Page& page, double* gamma_M, const char* situation)
{
    const int* rule = nad_ec3_row_visible;
    static const char* const index[3] = {"M0", "M1", "M2"};
    static const char* const meaning[3] = {"Querschnittsversagen", "Stabilit" AE "tsversagen",
                                           "Bruchversagen infolge Zug"};
    for (int k = 0; k < (rule[1] ? 3 : 2); ++k) {
        const int base = page.Row(nullptr, meaning[k]);
        page.Gamma(base, index[k]);
        page.Field(base, &gamma_M[k], "%5.2f", NAD_PARTIAL_FACTOR,
                   std::string(GAMMA) + index[k] + " (6.1(1), " + situation + ")");
    }
}

} // namespace

void NAD_EC3_1_Sheet(int area, int* y, NAD_EC3_1_Params* p, int* editable)
{
    if (!y || !p) return;
    NAD_EC3_Set_Row_Filter();
    const int* rule = nad_ec3_row_visible;
    Page page(area, y, editable);
    if (rule[0] || rule[5] || rule[10]) {
        page.Heading("EN 1993-1-1 (Eurocode 3, Grundnorm)");
        page.Group("Allgemeines");
    }
    if (rule[0]) {
        page.Group("Teilsicherheitsbeiwerte f" UE "r", "Baustahl");
        // With rule 2 the factors serve connections too.
        int base = page.Row("6.1(1)", rule[2] ? "bzw. Beanspruchbarkeit von Schraube," : nullptr);
        page.Label(base, "st" AE "ndige und vor" UE "ber-");
        base = page.Row(nullptr, rule[2] ? "Schwei" SZ "naht, Blech auf Lochleibung" : nullptr);
        page.Label(base, "gehende Situation");
        Steel_Factors(page, p->gamma_M, "st" AE "ndige und vor" UE "bergehende Situation");
        if (rule[4]) {
            base = page.Row(nullptr, nullptr);
            page.Label(base, "au" SZ "ergew" OE "hnliche");
            base = page.Row(nullptr, nullptr);
            page.Label(base, "Situation");
            Steel_Factors(page, p->gamma_M_accidental, "au" SZ "ergew" OE "hnliche Situation");
        }
    }
    if (rule[10]) {
        page.Group("Imperfektionen f" UE "r die", "Tragwerksberechnung");
        int base = page.Row("5.3.2(3)b)", "eingepr" AE "gte Vorkr" UE "mmung von");
        page.Label(base, " elastisch   plastisch", 90);
        page.Row(nullptr, "Bauteilen");
        static const char* const curve[5] = {"Knicklinie a0", "a", "b", "c", "d"};
        for (int k = 0; k < 5; ++k) {
            base = page.Row(nullptr, nullptr);
            const std::string curve_name = std::string(" (5.3.2(3)b), ") + (k == 0 ? "" : "Knicklinie ") + curve[k];
            page.Field(base, &p->e0_elastic[k], "1/%-3.0f", NAD_DIVISOR, "e0/L = 1/x elastisch" + curve_name, 90);
            page.Field(base, &p->e0_plastic[k], "1/%-3.0f", NAD_DIVISOR, "e0/L = 1/x plastisch" + curve_name, 145);
            page.Label(base, curve[k], k == 0 ? EXPLANATION_X : EXPLANATION_X + 60);
        }
    }
    if (rule[5]) {
        page.Group("Biegedrillknicken");
        int base = page.Row("6.3.2.2(2)", "Faktor f zur Modifizierung");
        page.Check(base, BUTTON_X, "ansetzen", &p->f_modification_flag);
        page.Row(nullptr, "von " CHI "LT, Allgemeiner Fall");
        page.Group("Biegedrillknicken gewalzter oder", "gleichartig geschwei" SZ "ter Querschnitte");
        base = page.Row("6.3.2.3(1)", "Schlankheitsgrad Gl. (6.57)");
        page.Symbol(base, LAMBDA, "LT,0");
        page.Field(base, &p->lambda_LT0, "%5.3f", NAD_COEFFICIENT, "Lambda LT,0 (6.3.2.3(1))", 150);
        base = page.Row(nullptr, "Korrekturfaktor Gl. (6.57)");
        page.Symbol(base, BETA);
        page.Field(base, &p->beta, "%5.2f", NAD_COEFFICIENT, "Beta (6.3.2.3(1))", 150);
        base = page.Row("6.3.2.3(2)", "Faktor f zur Modifizierung von " CHI "LT");
        page.Radio(base, BUTTON_X, "nach Gl. (6.58)", 1, &p->f_flag);
        base = page.Row(nullptr, nullptr);
        page.Radio(base, BUTTON_X, "Faktor f vorgeben", 0, &p->f_flag);
        base = page.Row(nullptr, nullptr);
        page.Label(base, "f", 100);
        page.Field(base, &p->f, "%5.2f", NAD_COEFFICIENT, "f (6.3.2.3(2))");
        base = page.Row(nullptr, "Korrekturbeiwert kc");
        page.Radio(base, BUTTON_X, "aus Tabelle 6.6", 0, &p->kc_flag);
        base = page.Row(nullptr, nullptr);
        page.Radio(base, BUTTON_X, "kc", 1, &p->kc_flag);
        page.Field(base, &p->kc, "%5.3f", NAD_REDUCTION_FACTOR, "kc (6.3.2.3(2))", 120);
    }
    if (rule[9]) {
        page.Heading("EN 1993-1-2 (Eurocode 3, Brandfall)");
        page.Group("Mechanisches Verhalten");
        const int base = page.Row("2.3(1)", "Materialsicherheit (Brandfall)");
        page.Gamma(base, "M,fi");
        page.Field(base, &p->gamma_M_fi, "%5.2f", NAD_PARTIAL_FACTOR, GAMMA "M,fi (EN 1993-1-2, 2.3(1))");
    }
}

void NAD_EC3_8_Sheet(int area, int* y, NAD_EC3_8_Params* p, int* editable)
{
    if (!y || !p) return;
    NAD_EC3_Set_Row_Filter();
    const int* rule = nad_ec3_row_visible;
    Page page(area, y, editable);
    if (rule[0] && rule[3]) {
        page.Heading("EN 1993-1-8 (Eurocode 3, Anschl" UE "sse)");
        page.Group("Bemessungskonzepte");
        page.Group("Teilsicherheitsbeiwerte f" UE "r", "Anschl" UE "sse");
        static const char* const index[6] = {"M2", "M3", "M3,ser", "M4", "M5", "M7"};
        static const char* const meaning[6] = {
            "Schrauben, Bolzen, Schwei" SZ "n" AE "hte",     "Gleitfestigkeit (Kat.C, GZT)",
            "Gleitfestigkeit (Kat.B, GZG)", "Hohlprofile in Fachwerken",
            "Bolzen (GZG)",                 "Vorspannung hochfester Schrauben",
        };
        for (int k = 0; k < 6; ++k) {
            const int base = page.Row(k == 0 ? "2.2(2)" : nullptr, meaning[k]);
            page.Gamma(base, index[k]);
            page.Field(base, &p->gamma_M_connection[k], "%5.2f", NAD_PARTIAL_FACTOR,
                       std::string(GAMMA) + index[k] + " (EN 1993-1-8, 2.2(2))", 140);
        }
        page.Row(nullptr, "Verankerung");
    }
    if (rule[6]) {
        page.Heading("EN 1993-1-5 (Eurocode 3, Plattenbeulen)");
        page.Group("Schubverzerrungen");
        int base = page.Row("3.1(1)", "Anmerkungen");
        for (int note = 1; note <= 3; ++note) {
            char label[2] = {static_cast<char>('0' + note), 0};
            page.Radio(base, BUTTON_X + 40 * (note - 1), label, note, &p->shear_lag_note);
        }
        page.Group("Schubbeulen");
        base = page.Row("5.1(2)", "Beiwert");
        page.Symbol(base, ETA);
        page.Field(base, &p->eta, "%5.2f", NAD_POSITIVE_COEFFICIENT, "Eta (EN 1993-1-5, 5.1(2))");
    }
    if (rule[7]) {
        page.Heading("EN 1993-1-9 (Eurocode 3, Erm" UE "dung)");
        page.Group("Teilsicherheitsbeiwerte f" UE "r", "die Erm" UE "dungsfestigkeit");
        int base = page.Row("3(7)", nullptr);
        page.Label(base, "     Schadensfolgen       ");
        base = page.Row(nullptr, nullptr);
        page.Label(base, "  niedrig             hoch");
        base = page.Row(nullptr, "Schadenstoleranz");
        const std::string mf = GAMMA "Mf (EN 1993-1-9, 3(7), ";
        page.Field(base, &p->gamma_Mf[0], "%5.2f", NAD_PARTIAL_FACTOR, mf + "Schadenstoleranz, niedrig)", PARAMETER_X);
        page.Field(base, &p->gamma_Mf[1], "%5.2f", NAD_PARTIAL_FACTOR, mf + "Schadenstoleranz, hoch)", FIELD_X);
        base = page.Row(nullptr, "Versagen ohne Vorank" UE "ndigung");
        page.Field(base, &p->gamma_Mf[2], "%5.2f", NAD_PARTIAL_FACTOR, mf + "ohne Vorank" UE "ndigung, niedrig)",
                   PARAMETER_X);
        page.Field(base, &p->gamma_Mf[3], "%5.2f", NAD_PARTIAL_FACTOR, mf + "ohne Vorank" UE "ndigung, hoch)", FIELD_X);
    }
    if (rule[8]) {
        page.Heading("EN 1993-6 (Eurocode 3, Kranbahnen)");
        page.Group("Elastisches Verhalten");
        const int base = page.Row("7.5(1)", "Materialsicherheit (GZG)");
        page.Gamma(base, "M,ser");
        page.Field(base, &p->gamma_M_ser, "%5.2f", NAD_PARTIAL_FACTOR, GAMMA "M,ser (EN 1993-6, 7.5(1))");
    }
}

void NAD_EC3_Sheet(int area, NAD_EC3_Params* part, int* editable)
{
    if (!part) return;
    Area_Clear(area);
    int y = 20;
    NAD_EC3_1_Sheet(area, &y, &part->ec3_1, editable);
    NAD_EC3_8_Sheet(area, &y, &part->ec3_8, editable);
    Area_Update(area);
}
