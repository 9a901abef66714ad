#include "sheets/annex/nad_ec2_sheet.h"

#include "annex/nad_ec2.h"
#include "annex/nad_ec2_report.h"
#include "sheets/annex/nad_sheet_fields.h"
#include "sheets/annex/nad_sheet_rows.h"
#include "platform/screen/framebuffer.h"
#include "toolkit/scroll_area.h"

#include <cstring>
#include <initializer_list>
#include <string>

int nad_ec2_sheet_editable = 0;
int nad_ec2_sheet_open[3] = {1, 0, 1};

namespace {

constexpr int LINE = 16;
constexpr int FIELD_X = 136;
const char* const GAMMA = "\xC0";
const char* const ALPHA = "\xBA";
const char* const THETA = "\xB0";
const char* const DELTA = "\xA3";
const char* const RHO = "\xCB";
const char* const BETA = "\xBB";
const char* const LAMBDA = "\xC5";
const char* const NU = "\xC7";
const char* const MU = "\xC6";

int area_ = 0;
NAD_EC2_Params* rec_ = nullptr;
// The clause and paragraph of the rows being added: what names a field in a refusal.
std::string clause_, paragraph_;

constexpr NAD_Value_Kind PARTIAL = NAD_PARTIAL_FACTOR, SHARE = NAD_SHARE, REDUCTION = NAD_REDUCTION_FACTOR,
                         COEFFICIENT = NAD_COEFFICIENT, POSITIVE = NAD_POSITIVE_COEFFICIENT, COVER = NAD_COVER;

// A field's name: its symbol with the subscript, a remark, and the clause it stands in.
std::string Name(const char* symbol, const char* subscript, const char* remark = "")
{
    std::string name = std::string(symbol) + subscript;
    if (*remark) name += std::string(", ") + remark;
    return name + " (" + clause_ + (paragraph_.empty() ? "" : " " + paragraph_) + ")";
}

// A block of lines: the clause and its paragraph in the first column, the explanation
// lines in the third. Returns the y below the longer of the two.
int Block(int y, const char* clause, const char* paragraph, std::initializer_list<const char*> lines)
{
    if (clause && *clause == '(') {
        paragraph_ = clause;  // a further paragraph of the clause above
    } else if (clause && *clause) {
        clause_ = clause;
        paragraph_.clear();
    }
    if (paragraph && *paragraph) paragraph_ = paragraph;
    int n = 0;
    for (const char* line : lines) {
        const char* first = n == 0 ? clause : n == 1 ? paragraph : "";
        NAD_EC2_Sheet_Row(area_, y + LINE * n, LINE, first, "", line);
        ++n;
    }
    // A paragraph below a block of one line, or a clause without explanation.
    for (; n < 2 && paragraph && *paragraph; ++n)
        NAD_EC2_Sheet_Row(area_, y + LINE * n, LINE, n ? paragraph : clause, "", "");
    return y + LINE * n;
}

// One plain line of the explanation column only.
int Line(int y, const char* text) { return NAD_EC2_Sheet_Row(area_, y, LINE, "", "", text); }

void Symbol(int x, int y, const char* symbol, const char* subscript)
{
    NAD_Sheet_Symbol(area_, x, y + 13, symbol, subscript);
}

void Field(int x, int y, double* value, const char* format, NAD_Value_Kind kind, const std::string& name)
{
    NAD_Sheet_Number_Field(area_, x, y + 13, value, format, NAD_SHEET_TEXT_FONT, BLACK_CI, &nad_ec2_sheet_editable,
                           {kind, name});
}

// A reduction factor alpha with its subscript and its field on the last line but one of
// the block that ends at y.
void Alpha_Field(int y, const char* subscript, double* value)
{
    Symbol(67, y - 2 * LINE, ALPHA, subscript);
    Field(FIELD_X, y - 2 * LINE, value, "%5.2f", REDUCTION, Name(ALPHA, subscript));
}

// A value line: the symbol at x 67, the field at x 136, an explanation.
int Value(int y, const char* symbol, const char* subscript, double* value, const char* format, NAD_Value_Kind kind,
          const char* explanation = "")
{
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "", explanation);
    Symbol(67, y, symbol, subscript);
    Field(FIELD_X, y, value, format, kind, Name(symbol, subscript));
    return y + LINE;
}

void Text(int x, int y, const char* text)
{
    Area_Add_Text(area_, x, y + 13, text, NAD_SHEET_TEXT_FONT, BLACK_CI, 0);
}

void Radio(int x, int y, int value, int* target, const char* label = "")
{
    Area_Add_Radio_Button(area_, x, y + 13, label, NAD_SHEET_TEXT_FONT, BLACK_CI, value, target,
                          &nad_ec2_sheet_editable);
}

// A parameter given either as a plain value (form 1) or as the coefficient x of its
// clause's function (form 2): two lines, each led by its radio button, then the note.
int Form_Pair(int y, const char* symbol, const char* subscript, int* form, double* value, const char* picture,
              NAD_Value_Kind kind, const char* coefficient_format = "%5.3f",
              const char* function_text = "= Funkt. von x")
{
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "");
    Radio(75, y, 1, form);
    Symbol(80, y, symbol, subscript);
    if (*form == 1) Field(FIELD_X, y, value, "%5.2f", kind, Name(symbol, subscript));
    y += LINE;
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "");
    Radio(75, y, 2, form);
    Symbol(80, y, symbol, subscript);
    Area_Add_Bitmap(area_, picture, 206, y, 381, y + LINE - 1, Nearest_RGB_Color(255, 255, 255));
    y += LINE;
    if (*form == 1) {
        Text(100, y - LINE, "   x    ");
        NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "(Funktion wird ignoriert)");
    } else if (!rec_->na_de_flag) {
        Text(96, y - LINE, "   mit x =");
        Field(FIELD_X + 20, y - LINE, value, coefficient_format, kind, Name("x", "", "der Funktion"));
        NAD_EC2_Sheet_Row(area_, y, LINE, "", "", function_text);
    } else {
        Text(FIELD_X, y - LINE, "s. NA-DE");
        NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "(Fkt. wird ignoriert)");
    }
    return y + LINE;
}

int Situations(int y, double* gamma_c, double* gamma_s, bool all)
{
    static const char* const names[4] = {"st\x84ndig und vor\x81""bergehend", "Erm\x81""dung", "Erdbeben",
                                         "au\xE1""ergew\x94hnlich"};
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "Bemessungssituation:");
    Symbol(76, y, GAMMA, "c");
    Symbol(FIELD_X, y, GAMMA, "s");
    y += LINE;
    for (int k = 0; k < 4; ++k) {
        if (k > 0 && !all) break;
        NAD_EC2_Sheet_Row(area_, y, LINE, "", "", names[k]);
        Field(76, y, &gamma_c[k], "%5.2f", PARTIAL, Name(GAMMA, "c", names[k]));
        Field(FIELD_X, y, &gamma_s[k], "%5.2f", PARTIAL, Name(GAMMA, "s", names[k]));
        y += LINE;
    }
    return y;
}

bool Shown(int group) { return nad_ec2_row_visible[group] != 0; }

int Building_Rows(int y, NAD_EC2_Params* p)
{
    const bool building = Shown(30);
    if (building && Shown(0)) {
        y = Block(y, "2.4.2.4", "(1)", {"Teilsicherheitsbeiwerte f\x81r", "Beton und Betonstahl",
                                         "im Grenzzustand der Tragf\x84higkeit"});
        y = Situations(y, p->gamma_c, p->gamma_s, Shown(1));
        y = Block(y, "", "", {"im Grenzzustand der", "Gebrauchstauglichkeit"});
        NAD_EC2_Sheet_Row(area_, y - 2 * LINE, 0, "(2)", "", "");
        paragraph_ = "(2)";
        Field(76, y - LINE, &p->gamma_c_sls, "%5.2f", PARTIAL, Name(GAMMA, "c"));
        Field(FIELD_X, y - LINE, &p->gamma_s_sls, "%5.2f", PARTIAL, Name(GAMMA, "s"));
    }
    if (building && (Shown(2) || Shown(3))) {
        y = Block(y, "3.1.6", "", {"Bemessungswerte der Betondruck-", "und Betonzugfestigkeit"});
        if (Shown(2)) {
            y = Block(y, "(1)P", "", {"Abminderungsbeiwert f\x81r die", "Betondruckfestigkeit"});
            Alpha_Field(y, "cc", &p->alpha_cc);
        }
        if (Shown(3)) {
            y = Block(y, "(2)P", "", {"Abminderungsbeiwert f\x81r die", "Betonzugfestigkeit"});
            Alpha_Field(y, "ct", &p->alpha_ct);
        }
    }
    if (Shown(4)) {
        y = Block(y, "11.3.5", "(1)", {"Abminderungsbeiwert f\x81r die", "Betondruckfestigkeit bei", "Leichtbeton"});
        Alpha_Field(y, "lcc", &p->alpha_lcc);
        y = Block(y, "", "(2)", {"Abminderungsbeiwert f\x81r die", "Betonzugfestigkeit bei", "Leichtbeton"});
        Alpha_Field(y, "lct", &p->alpha_lct);
    }
    if (Shown(5)) {
        y = Block(y, "12.3.1", "(1)", {"Abminderungsbeiwert f\x81r die", "Betondruckfestigkeit bei",
                                        "unbewehrtem Beton"});
        Alpha_Field(y, "cc,pl", &p->alpha_cc_pl);
        Symbol(67, y - LINE, ALPHA, "ct,pl");
        Field(FIELD_X, y - LINE, &p->alpha_ct_pl, "%5.2f", REDUCTION, Name(ALPHA, "ct,pl"));
    }
    if (Shown(6)) {
        y = Block(y, "4.4.1.2", "(5)", {"Mindestbetondeckung", "Mindestbetondeckung in Abh\x84ngig-",
                                         "keit von der Expositionsklasse [cm]", "f\x81r die Anforderungsklasse S4",
                                         "(vgl. Tabelle 4.4N)"});
        NAD_EC2_Sheet_Row(area_, y, LINE, "", "Exp.", "");
        Symbol(100, y, "C", "min,dur");
        Symbol(160, y, DELTA, "c dur,\xC0");
        y += LINE;
        for (int i = 0; i < 12; ++i) {
            char name[6];
            std::memcpy(name, p->exposure_class_name[i], 5);
            name[5] = '\0';
            NAD_EC2_Sheet_Row(area_, y, LINE, "", name, "");
            Field(100, y, &p->c_min_dur[i], "%5.2f", COVER, Name("C", "min,dur", name));
            Field(160, y, &p->delta_c_dur_gamma[i], "%5.2f", COVER, Name(DELTA, "c dur,\xC0", name));
            y += LINE;
        }
        y = Block(y, "", "(6)", {"Mindestbetondeckung: additives", "Sicherheitselement [cm]"});
        y = Block(y, "", "(7)", {"Mindestbetondeckung: Verwendung", "von rostfreiem Stahl [cm]"});
        Symbol(67, y - 2 * LINE, DELTA, "c dur,st");
        Field(FIELD_X, y - LINE, &p->delta_c_dur_st, "%5.2f", COVER, Name(DELTA, "c dur,st"));
        y = Block(y, "", "(8)", {"Mindestbetondeckung: Beton mit", "zus\x84tzlichem Schutz [cm]"});
        Symbol(67, y - 2 * LINE, DELTA, "c dur,add");
        Field(FIELD_X, y - LINE, &p->delta_c_dur_add, "%5.2f", COVER, Name(DELTA, "c dur,add"));
        y = Block(y, "4.4.1.3", "(1)P", {"Vorhaltema\xE1", "Vorhaltema\xE1 f\x81r die", "Betondeckung [cm]"});
        Symbol(67, y - LINE, DELTA, "c dev");
        Field(FIELD_X, y - LINE, &p->delta_c_dev, "%5.2f", COVER, Name(DELTA, "c dev"));
    }
    if (Shown(32)) {
        y = Block(y, "5.2", "(5)", {"Imperfektionen", "Grundwert der Schiefstellung"});
        Symbol(67, y - LINE, THETA, "0");
        Text(100, y - LINE, "1/");
        Field(FIELD_X, y - LINE, &p->theta_0_denominator, "%5.0f", NAD_DIVISOR, Name(THETA, "0", "= 1/x: x"));
    }
    if (Shown(7)) {
        y = Block(y, "5.5", "(4)", {"Linear-elastische Berechnung mit", "begrenzter Umlagerung",
                                     "begrenzter Umlagerung: Beiwerte", "zur Ermittlung des erlaubten",
                                     "Umlagerungsverh\x84ltnisses"});
        y = Value(y, "k", "1", &p->k1_redistribution, "%5.2f", COEFFICIENT);
        y = Form_Pair(y, "k", "2", &p->k2_form, &p->k2_redistribution, "NAD\\NAD_Func1.bmp", COEFFICIENT, "%5.2f",
                      "= Funktion von x");
        y = Value(y, "k", "3", &p->k3_redistribution, "%5.2f", COEFFICIENT);
        y = Form_Pair(y, "k", "4", &p->k4_form, &p->k4_redistribution, "NAD\\NAD_Func1.bmp", COEFFICIENT, "%5.2f",
                      "= Funktion von x");
        y = Value(y, "k", "5", &p->k5_redistribution, "%5.2f", COEFFICIENT);
        y = Value(y, "k", "6", &p->k6_redistribution, "%5.2f", COEFFICIENT);
    }
    if (Shown(8)) {
        y = Block(y, "5.8.3.1", "(1)", {"Grenzwerte der Schlankheit f\x81r", "Einzeldruckglieder"});
        y = Form_Pair(y, LAMBDA, "lim", &p->lambda_lim_form, &p->lambda_lim_factor, "NAD\\NAD_Func8.bmp", NAD_SLENDERNESS_FACTOR);
    }
    if (Shown(9)) {
        y = Block(y, "5.8.6", "(3)",
                  {"Allgemeines Verfahren zur Ermittlung", "der Knicksicherheit (Th.II.O. im Zust.2)",
                   "Sicherheitsbeiwert f\x81r den E-Modul", "zur Berechnung von Form\x84nderungen"});
        y = Value(y, GAMMA, "cE", &p->gamma_cE, "%5.2f", PARTIAL);
    }
    if (Shown(10) && building) {
        y = Block(y, "6.2.2", "(1)", {"Querkraftbemesung, Bauteile ohne", "erforderliche Querkraftbewehrung",
                                       "Beiwerte zur Ermittlung des", "Querkraftwiderstandes"});
        y = Value(y, "C", "Rd,c", &p->c_rd_c, "%5.3f", COEFFICIENT, "(C Rd,c = x / \xC0 c)");
        y = Form_Pair(y, "v", "min", &p->v_min_form, &p->v_min_factor, "NAD\\NAD_Func2a.bmp", COEFFICIENT, "%6.4f");
        y = Value(y, "k", "1", &p->k1_shear, "%5.2f", COEFFICIENT);
    }
    if (Shown(10)) {
        y = Block(y, "6.2.2", "(6)", {"Festigkeitsabminderungsbeiwert", "f\x81r Querkraft"});
        y = Form_Pair(y, NU, "", &p->nu_v_form, &p->nu_v, "NAD\\NAD_Func2b.bmp", REDUCTION);
    }
    if (Shown(11)) {
        y = Block(y, "6.3.2(4)", "", {"Festigkeitsabminderungsbeiwert", "f\x81r Torsion"});
        y = Form_Pair(y, NU, "t", &p->nu_v_form, &p->nu_t, "NAD\\NAD_Func2b.bmp", REDUCTION);
    }
    if (Shown(14)) {
        y = Block(y, "11.6.1", "(1)", {"Beiwerte zur Ermittlung des Quer-", "kraftwiderstandes bei Leichtbeton"});
        y = Value(y, "C", "lRd,c", &p->c_lrd_c, "%5.3f", COEFFICIENT);
        y = Form_Pair(y, "v", "l,min", &p->v_l_min_form, &p->v_l_min_factor, "NAD\\NAD_Func2c.bmp", COEFFICIENT, "%6.4f");
        y = Value(y, "k", "l1", &p->k_l1, "%5.2f", COEFFICIENT);
        y = Block(y, "", "(2)", {"Festigkeitsabminderungsbeiwert", "bei Leichtbeton f\x81r Querkraft"});
        y = Form_Pair(y, NU, "l", &p->nu_l_form, &p->nu_l, "NAD\\NAD_Func2d.bmp", REDUCTION);
    }
    if (Shown(12)) {
        y = Line(y, "bei Leichtbeton f\x81r Torsion");
        y = Form_Pair(y, NU, "l", &p->nu_l_form, &p->nu_l_torsion, "NAD\\NAD_Func2d.bmp", REDUCTION);
    }
    if (Shown(13)) {
        y = Block(y, "12.6.3", "(2)", {"Querkraftbemesung, Bauteile aus", "unbewehrtem Beton",
                                        "Beiwert f\x81r die Bemessungs-", "spannung"});
        y = Value(y, "k", "p", &p->k_p, "%5.2f", COEFFICIENT);
    }
    if (Shown(10) && building) {
        y = Block(y, "6.2.3", "(2)", {"Querkraftbemesung, Bauteile mit", "erforderlicher Querkraftbewehrung",
                                       "Grenzen f\x81r die Druckstrebenneigung"});
        y = Value(y, "min cot \xB0", "", &p->cot_theta_min, "%5.2f", POSITIVE, "untere Grenze");
        y = Value(y, "max cot \xB0", "", &p->cot_theta_max, "%5.2f", POSITIVE, "obere Grenze");
        y = Block(y, "", "(3)", {"Beiwerte zur Ermittlung der maximalen", "Querkrafttragf\x84higkeit",
                                  "Beiwert zur Ber\x81""cksichtigung des", "Spannungszustands im Druckgurt"});
        y = Value(y, ALPHA, "cw", &p->alpha_cw, "%5.2f", POSITIVE);
        y = Block(y, "", "", {"Festigkeitsabminderungsbeiwert f\x81r", "unter Querkraft gerissenem Beton"});
        y = Form_Pair(y, NU, "1", &p->nu_1_form, &p->nu_1, "NAD\\NAD_Func7a.bmp", REDUCTION);
    }
    if (Shown(14)) {
        y = Block(y, "11.6.2", "(1)", {"Festigkeitsabminderungsbeiwert f\x81r", "unter Querkraft geriss. Leichtbeton"});
        y = Form_Pair(y, NU, "1l", &p->nu_1l_form, &p->nu_1l, "NAD\\NAD_Func7b.bmp", REDUCTION);
    }
    if (Shown(15)) {
        y = Block(y, "6.2.4", "", {"Schubkr\x84""fte zwischen Balkensteg", "und Gurten (Plattenbalken, Doppel-T)"});
        y = Value(y, "cot \xB0", "fz", &p->cot_theta_f_tension, "%5.2f", POSITIVE, "Druckstrebenneigung f\x81r Zuggurte");
        y = Value(y, "cot \xB0", "fd", &p->cot_theta_f_compression, "%5.2f", POSITIVE, "Druckstrebenneigung f\x81r Druckgurte");
        y = Value(y, "k", "", &p->k_flange, "%5.2f", COEFFICIENT, "Beiwert f\x81r die aufnehmbare Zug-");
        y = Line(y, "spannung ohne Anschlussbewehrung");
    }
    if (Shown(16)) {
        static const char glyphs[] = "Rauhigkeitsbeiwerte c, \xC6 und \xC7";
        y = Block(y, "6.2.5", "", {"Schubkraft\x81""bertragung in Fugen", glyphs, "in Abh\x84ngigkeit von der",
                                    "Oberfl\x84""chenkategorie"});
        // Three fields with their symbols do not fit the parameter column: c and mu stand
        // there, nu leads the explanation column, followed by the surface's name.
        for (int i = 0; i < 4; ++i) {
            char name[12];
            std::memcpy(name, p->roughness_name[i], 11);
            name[11] = '\0';
            NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "");
            Text(62, y, "c");
            Field(76, y, &p->roughness_c[i], "%4.2f", COEFFICIENT, Name("c", "", name));
            Text(123, y, MU);
            Field(140, y, &p->roughness_mu[i], "%4.2f", COEFFICIENT, Name(MU, "", name));
            Text(206, y, NU);
            Field(222, y, &p->roughness_nu[i], "%4.2f", REDUCTION, Name(NU, "", name));
            Text(270, y, name);
            y += LINE;
        }
    }
    if (Shown(17)) {
        y = Block(y, "6.8.4", "(1)", {"Nachweis gegen Erm\x81""dung f\x81r", "Beton- und Spannstahl",
                                       "Sicherheitsbeiwert f\x81r die", "Einwirkungen"});
        y = Value(y, GAMMA, "F,fat", &p->gamma_F_fat, "%5.2f", PARTIAL);
    }
    if (Shown(17) && building) {
        y = Block(y, "6.8.7", "(1)", {"Nachweis gegen Erm\x81""dung des", "Betons unter Druck- oder",
                                       "Querkraftbeanspruchung", "Beiwert zur Ermittlung der",
                                       "Bemessungsfestigkeit des Betons"});
        y = Value(y, "k", "1", &p->k1_fatigue, "%5.2f", COEFFICIENT);
    }
    if (Shown(18)) {
        y = Block(y, "7.3.4", "(3)", {"Berechnung der Rissbreite", "Beiwerte zur Ermittlung des maximalen",
                                       "Rissabstands bei abgeschlossenem", "Rissbild"});
        y = Value(y, "k", "3", &p->k3_crack, "%5.2f", COEFFICIENT);
        y = Value(y, "k", "4", &p->k4_crack, "%5.3f", COEFFICIENT);
    }
    if (Shown(19)) {
        y = Block(y, "7.4.2", "(2)", {"Begrenzung der Verformungen", "ohne direkte Berechnung", "Biegeschlankheit:",
                                       "Beiwert zur Ber\x81""cksichtigung des", "statischen Systems",
                                       "(vgl. Tabelle 7.4N)"});
        for (int i = 0; i < 5; ++i) y = Value(y, "K", NAD_EC2_Static_System_Name[i], &p->k_system[i], "%5.2f", POSITIVE);
    }
    if (Shown(20)) {
        y = Block(y, "8.2", "(2)", {"Stababst\x84nde von Betonst\x84hlen", "Beiwert f\x81r den lichten Abstand zw.",
                                     "parellelen Einzelst\x84hlen od. Stahllagen"});
        y = Value(y, "k", "1", &p->k1_bar_spacing, "%5.2f", COEFFICIENT);
    }
    if (Shown(21)) {
        y = Block(y, "9.2.1.1", "(1)", {"Mindestbewehrung f\x81r Balken [cm\xFD]"});
        y = Form_Pair(y, "A", "s,min", &p->as_min_beam_form, &p->as_min_beam_factor, "NAD\\NAD_Func5.bmp", COEFFICIENT);
    }
    if (Shown(22)) {
        y = Block(y, "9.2.1.2", "(1)", {"Mindestst\x81tzmomente", "an gelenkigen Endauflagern",
                                         "Anteil des gr\x94\xE1ten Feldmoments", "am St\x81tzmoment"});
        y = Value(y, BETA, "1", &p->beta_1, "%5.2f", SHARE);
    }
    if (Shown(23)) {
        y = Block(y, "9.2.1.4", "(1)", {"Verankerung der unteren", "Bewehrung an Endauflagern",
                                         "Mindestanteil der Feldbewehrung", "an der unteren Bewehrung"});
        y = Value(y, BETA, "2", &p->beta_2, "%5.2f", SHARE);
    }
    if (Shown(24)) {
        y = Block(y, "9.2.2", "(5)", {"Querkraftbewehrung", "Mindestbewehrungsgrad der"});
        y = Form_Pair(y, RHO, "w,min", &p->rho_w_min_form, &p->rho_w_min_factor, "NAD\\NAD_Func6.bmp", COEFFICIENT);
    }
    if (Shown(25) && building) {
        y = Block(y, "9.5.2", "(2)", {"Mindestbewehrung f\x81r St\x81tzen [cm\xFD]"});
        y = Form_Pair(y, "A", "s,min", &p->as_min_column_form, &p->as_min_column_factor, "NAD\\NAD_Func3a.bmp", COEFFICIENT);
        y = Value(y, "min A", "", &p->as_min_column_floor, "%6.4f", COEFFICIENT, "(min A \xFD A c)");
    }
    if (Shown(26)) {
        y = Block(y, "9.6.2", "(1)", {"Vertikale Mindestbewehrung", "f\x81r W\x84nde [cm\xFD]"});
        y = Form_Pair(y, "A", "s,vmin", &p->as_vmin_wall_form, &p->as_vmin_wall_factor, "NAD\\NAD_Func3b.bmp", COEFFICIENT);
    }
    return y;
}

int Fire_Rows(int y, NAD_EC2_Params* p)
{
    y = Block(y, "2.3", "(2)", {"Bemessungswerte der", "Materialeigenschaften", "Materialsicherheitsbeiwert"});
    Symbol(67, y - LINE, GAMMA, "M,fi");
    Field(FIELD_X, y - LINE, &p->gamma_M_fi, "%5.2f", PARTIAL, Name(GAMMA, "M,fi"));
    y = Block(y, "3.2.3", "(5)", {"Betonstahl", "Betonstahl-Klasse"});
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "Klasse", "");
    Radio(140, y, 0, &p->fire_steel_class, "N");
    Radio(180, y, 1, &p->fire_steel_class, "X");
    y += LINE;
    y = Block(y, "3.3.3", "(1)", {"thermische Leitf\x84higkeit des Betons"});
    // The plain form takes the limit chosen in the design options: no field.
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "");
    Radio(75, y, 1, &p->conductivity_form);
    Symbol(80, y, LAMBDA, "c");
    Text(100, y, "=  Grenzwert");
    y += LINE;
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "");
    Radio(75, y, 2, &p->conductivity_form);
    Symbol(80, y, LAMBDA, "c");
    Area_Add_Bitmap(area_, "NAD\\NAD_Func4.bmp", 206, y, 381, y + LINE - 1, Nearest_RGB_Color(255, 255, 255));
    if (p->conductivity_form == 1) {
        Text(100, y, "   x    ");
        y = Line(y + LINE, "(Funktion wird ignoriert)");
    } else {
        Text(96, y, "   mit x =");
        Field(FIELD_X + 20, y, &p->conductivity_factor, "%5.3f", COEFFICIENT, Name("x", "", "der Funktion"));
        y = Line(y + LINE, "= Funkt. von x");
    }
    y = Block(y, "6.1", "(5)", {"Hochfester Beton", "Beton-Klasse f\x81r hochfesten Beton"});
    NAD_EC2_Sheet_Row(area_, y, LINE, "", "Klasse", "");
    Radio(130, y, 1, &p->hsc_fire_class, "1");
    Radio(160, y, 2, &p->hsc_fire_class, "2");
    Radio(190, y, 3, &p->hsc_fire_class, "3");
    y += LINE;
    if (Shown(28)) {
        y = Block(y, "6.4.2.1", "(3)", {"St\x81tzen und W\x84nde", "Beiwert f\x81r die Querschnittsreduktion",
                                         "bei hochfestem Beton"});
        Symbol(67, y - LINE, "k", "");
        Field(FIELD_X, y - LINE, &p->k_hsc_section, "%5.3f", COEFFICIENT, Name("k", ""));
    }
    if (Shown(29)) {
        y = Block(y, "6.4.2.2", "(2)", {"Balken und Platten", "Beiwert f\x81r die Momententragf\x84higkeit",
                                         "bei hochfestem Beton"});
        Symbol(67, y - LINE, "k", "m");
        Field(FIELD_X, y - LINE, &p->k_m_hsc, "%5.3f", COEFFICIENT, Name("k", "m"));
    }
    return y;
}

int Bridge_Rows(int y, NAD_EC2_Params* p)
{
    if (Shown(0)) {
        y = Block(y, "2.4.2.4", "(1)", {"Teilsicherheitsbeiwerte f\x81r", "Beton und Betonstahl nach Tab. 2.1DE"});
        y = Situations(y, p->bridge_gamma_c, p->bridge_gamma_s, Shown(1));
    }
    if (Shown(2)) {
        y = Block(y, "3.1.6", "(101)P", {"Abminderungsbeiwert f\x81r die", "Betondruckfestigkeit"});
        Alpha_Field(y, "cc", &p->bridge_alpha_cc);
    }
    if (Shown(3)) {
        y = Block(y, "", "(102)P", {"Abminderungsbeiwert f\x81r die", "Betonzugfestigkeit"});
        Alpha_Field(y, "ct", &p->bridge_alpha_ct);
    }
    if (Shown(0)) {
        y = Block(y, "5.10.9", "(1)P", {"Streuung der Vorspannkraft", "im Grenzz. d. Gebrauchstauglichkeit",
                                         "und der Erm\x81""dung"});
        // Two fields with their symbols beside them do not fit the parameter column: the
        // symbols head the two columns of fields, on the block's last line.
        Symbol(81, y - LINE - 2, "r", "sup");
        Symbol(147, y - LINE - 2, "r", "inf");
        NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "sofortiger oder ohne Verbund");
        Field(72, y, &p->r_sup_pre, "%5.2f", POSITIVE, Name("r", "sup", "sofort/ohne Verbund"));
        Field(136, y, &p->r_inf_pre, "%5.2f", POSITIVE, Name("r", "inf", "sofort/ohne Verbund"));
        y += LINE;
        NAD_EC2_Sheet_Row(area_, y, LINE, "", "", "Nachtr\x84glicher Verbund");
        Field(72, y, &p->r_sup_post, "%5.2f", POSITIVE, Name("r", "sup", "nachtr\x84glicher Verbund"));
        Field(136, y, &p->r_inf_post, "%5.2f", POSITIVE, Name("r", "inf", "nachtr\x84glicher Verbund"));
        y += LINE;
    }
    if (Shown(10)) {
        y = Block(y, "6.2.2", "(101)", {"Beiwerte zur Ermittlung des", "Querkraftwiderstandes"});
        y = Value(y, "C", "Rd,c", &p->bridge_c_rd_c, "%5.3f", COEFFICIENT);
        y = Form_Pair(y, "v", "min", &p->bridge_v_min_form, &p->bridge_v_min_factor, "NAD\\NAD_Func2a.bmp", COEFFICIENT, "%6.4f");
        y = Value(y, "k", "1", &p->bridge_k1_shear, "%5.2f", COEFFICIENT);
        y = Block(y, "6.2.3", "(103)", {"Grenzen f\x81r die Druckstrebenneigung"});
        y = Value(y, "min cot \xB0", "", &p->bridge_cot_theta_min, "%5.2f", POSITIVE, "untere Grenze");
        y = Value(y, "max cot \xB0", "", &p->bridge_cot_theta_max, "%5.2f", POSITIVE, "obere Grenze");
        y = Value(y, ALPHA, "cw", &p->bridge_alpha_cw, "%5.2f", POSITIVE);
        y = Form_Pair(y, NU, "1", &p->bridge_nu_1_form, &p->bridge_nu_1, "NAD\\NAD_Func7a.bmp", REDUCTION);
    }
    if (Shown(17)) {
        y = Block(y, "6.8.7", "(101)", {"Beiwert zur Ermittlung der", "Bemessungsfestigkeit des Betons"});
        y = Value(y, "k", "1", &p->bridge_k1_fatigue, "%5.2f", COEFFICIENT);
    }
    if (Shown(2)) {
        y = Block(y, "7.2", "(102)", {"Begrenzung der Spannungen", "Faktor f\x81r zul\x84ssige", "Betondruckspannung"});
        y = Value(y, "k", "1", &p->bridge_k1_stress, "%5.2f", REDUCTION);
        y = Value(y, "k", "2", &p->bridge_k2_stress, "%5.2f", REDUCTION, "Faktor f\x81 Betondruckspannung");
        y = Line(y, "(lineares Kriechen)");
        y = Value(y, "k", "3", &p->bridge_k3_stress, "%5.2f", REDUCTION, "Faktor f\x81 Stahlspannung");
        y = Value(y, "k", "4", &p->bridge_k4_stress, "%5.2f", REDUCTION, "Faktor f\x81 Stahlspannung");
        y = Line(y, "(infolge indirekter Einwirkung)");
        y = Value(y, "k", "5", &p->bridge_k5_stress, "%5.2f", REDUCTION, "Faktor f\x81 Spannstahlspannung");
    }
    if (Shown(25)) {
        y = Block(y, "9.5.2", "(2)", {"Mindestbewehrung f\x81r St\x81tzen [cm\xFD]"});
        y = Form_Pair(y, "A", "s,min", &p->bridge_as_min_column_form, &p->bridge_as_min_column_factor,
                      "NAD\\NAD_Func3a.bmp", COEFFICIENT);
        y = Value(y, "min A", "", &p->bridge_as_min_column_floor, "%6.4f", COEFFICIENT);
    }
    return y;
}

} // namespace

int NAD_EC2_Sheet_Row(int area, int y, int height, const char* clause, const char* parameter,
                      const char* explanation)
{
    return NAD_Sheet_Clause_Row(area, y, height, clause, parameter, explanation);
}

void NAD_EC2_Sheet(int area, NAD_EC2_Params* record, int editable)
{
    if (!record) return;
    nad_ec2_sheet_editable = editable ? 1 : 0;
    area_ = area;
    rec_ = record;
    NAD_EC2_Set_Row_Filter();
    Area_Clear(area);
    int y = NAD_Sheet_Section_Head(area, 7, "EN 1992-1-1 (Eurocode 2, Hochbau)", &nad_ec2_sheet_open[0]);
    if (nad_ec2_sheet_open[0]) y = Building_Rows(NAD_Sheet_Head_Row(area, y), record) + 6;
    if (Shown(27)) {
        y = NAD_Sheet_Section_Head(area, y, "EN 1992-1-2 (Eurocode 2, Brandfall)", &nad_ec2_sheet_open[1]);
        if (nad_ec2_sheet_open[1]) y = Fire_Rows(NAD_Sheet_Head_Row(area, y), record) + 6;
    }
    if (Shown(31)) {
        y = NAD_Sheet_Section_Head(area, y, "EN 1992-2 (Eurocode 2, Betonbr\x81""cken)", &nad_ec2_sheet_open[2]);
        if (nad_ec2_sheet_open[2]) y = Bridge_Rows(NAD_Sheet_Head_Row(area, y), record) + 6;
    }
    // The German annex fixes the high-strength fire factors (as the check of the part does).
    if (record->na_de_flag) {
        record->k_hsc_section = 1.0;
        record->k_m_hsc = 1.0;
    }
    Area_Update(area);
}
