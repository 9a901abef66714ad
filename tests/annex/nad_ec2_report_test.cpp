#include "annex/nad_ec2_report.h"

#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "annex/nad_set.h"
#include "cp850_notation.h"
#include "report_sandbox.h"
#include "report/oli_channel.h"
#include "test_support.h"
#include "written_text.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

// The three tables of the Eurocode recommended values with every row group shown, as
// the report of an annex named "Deutschland" prints them.
const char* const golden_building_table =
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1992-1-1 (EC 2, Hochbau), NA Deutschland\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 2.4.2.4(1)                                 Teilsicherheitsbeiwerte f{ue}r Beton und Betonstahl\n"
    "              {g}_[c] = 1.50  {g}_[s] = 1.15          st{ae}ndige und vor{ue}bergehende Bemessungssituation\n"
    "              {g}_[c] = 1.50  {g}_[s] = 1.15          Bemessungssituation f{ue}r Erm{ue}dung\n"
    "              {g}_[c] = 1.50  {g}_[s] = 1.15          Bemessungssituation f{ue}r Erdbeben\n"
    "              {g}_[c] = 1.20  {g}_[s] = 1.00          au{ss}ergew{oe}hnliche Bemessungssituation\n"
    " 2.4.2.4(2)   {g}_[c] = 1.00  {g}_[s] = 1.00          Grenzzustand der Gebrauchstauglichkeit\n"
    " 3.1.6(1)P    {a}_[cc] = 1.00                    Abminderungsbeiwert f{ue}r die Betondruckfestigkeit\n"
    " 3.1.6(2)P    {a}_[ct] = 1.00                    Abminderungsbeiwert f{ue}r die Betonzugfestigkeit\n"
    " 4.4.1.2(5)   Exp.Kl.    C_[min,dur]  {D}c_[dur,{g}]  Mindestbetondeckung in Abh{ae}ngigkeit von der\n"
    "                ---      0.00      0.00     Expositionsklasse C_[min,dur] [cm]\n"
    " 4.4.1.2(6)     X0       1.00      0.00     Mindestbetondeckung: additives Sicherheitselement {D}c_[dur,{g}] [cm]\n"
    "                XC1      1.50      0.00\n"
    "                XC2      2.50      0.00\n"
    "                XC3      2.50      0.00\n"
    "                XC4      3.00      0.00\n"
    "                XD1      3.50      0.00\n"
    "                XD2      4.00      0.00\n"
    "                XD3      4.50      0.00\n"
    "                XS1      3.50      0.00\n"
    "                XS2      4.00      0.00\n"
    "                XS3      4.50      0.00\n"
    " 4.4.1.2(7)   {D}c_[dur,st] = 0.00               Mindestbetondeckung: Verwendung von rostfreiem Stahl [cm]\n"
    " 4.4.1.2(8)   {D}c_[dur,add] = 0.00              Mindestbetondeckung: Beton mit zus{ae}tzlichem Schutz [cm]\n"
    " 4.4.1.3(1)P  {D}c_[dev] = 1.00                  Vorhaltema{ss} f{ue}r die Betondeckung [cm]\n"
    " 5.2(6)       {t}_[0] = 1/200                    Imperfektion: Grundwert der Schiefstellung\n"
    " 5.5(4)       k_[1] = 0.44                     Umlagerung: Beiwerte zur Ermittlung des erlaubten\n"
    "              k_[2] = 1.25 (0.6+0.0014/{e}_[cu2])               Umlagerungsverh{ae}ltnisses\n"
    "              k_[3] = 0.54\n"
    "              k_[4] = 1.25 (0.6+0.0014/{e}_[cu2])\n"
    "              k_[5] = 0.70\n"
    "              k_[6] = 0.80\n"
    " 5.8.3.1(1)   {l}_[lim] = 10.78 / n^[1/2]           Grenzwert der Schlankheit f{ue}r Einzeldruckglieder\n"
    " 5.8.6(3)     {g}_[cE] = 1.20                    Teilsicherheitsbeiwert f{ue}r den E-Modul beim Nachweis\n"
    "                                            der Knicksicherheit (Th. II. O. im Zust. 2)\n"
    " 6.2.2(1)     C_[Rd,c] =  0.18 / {g}_[c]            Beiwerte zur Ermittlung des Querkraftwiderstandes\n"
    "              {n}_[min] = 0.0525/{g}_[c] k^[3/2] f_[ck]^[1/2]\n"
    "              k_[1] = 0.15\n"
    " 6.2.2(6)     {n}_[V] = 0.600(1 - f_[ck]/250)       Festigkeitsabminderungsbeiwert f{ue}r Querkraft\n"
    " 6.3.2(4)     {n}_[T] = 0.600(1 - f_[ck]/250)       Festigkeitsabminderungsbeiwert f{ue}r Torsion\n"
    " 6.2.3(2)     min cot {t} = 1.00              untere Grenze der Druckstrebenneigung\n"
    "              max cot {t} = 2.50              obere Grenze der Druckstrebenneigung\n"
    " 6.2.3(3)     {a}_[cw] = 1.00                    Beiwert zur Ber{ue}cksichtigung des Spannungszustands im Druckgurt\n"
    "              {n}_[1] = 0.60 (1 - f_[ck]/250)       Beiwert zur Ermittlung der maximalen Querkrafttragf{ae}higkeit\n"
    " 6.2.4(4)     cot {t}_[fz] = 1.00                Anschl{ue}sse: Druckstrebenneigung f{ue}r Zuggurte\n"
    "              cot {t}_[fd] = 1.20                Anschl{ue}sse: Druckstrebenneigung f{ue}r Druckgurte\n"
    " 6.2.4(6)     k = 0.40                      Anschl{ue}sse: Beiwert f{ue}r die aufnehmbare Zugspannung ohne\n"
    "                                                        Anschlussbewehrung\n"
    " 6.2.5(1)     c = 0.50  {m} = 0.90  {n} = 0.60  Fugen: Rauhigkeitsbeiwerte f{ue}r verzahnte Fugen\n"
    "              c = 0.40  {m} = 0.70  {n} = 0.60                                 raue Fugen\n"
    "              c = 0.20  {m} = 0.60  {n} = 0.60                                 glatte Fugen\n"
    "              c = 0.05  {m} = 0.50  {n} = 0.60                                 sehr glatte Fugen\n"
    " 6.8.4(1)     {g}_[F,fat] = 1.00                 Erm{ue}dung: Sicherheitsbeiwert f{ue}r die Einwirkungen\n"
    " 6.8.7(1)     k_[1] = 0.85                     Erm{ue}dung: Beiwert zur Ermittlung der Bemessungsfestigkeit des\n"
    "                                                      Betons\n"
    " 7.3.4(3)     k_[3] = 3.40                     Risse: Beiwert zur Ermittlung des maximalen Rissabstands bei\n"
    "                                                   abgeschlossenem Rissbild\n"
    "              k_[4] = 0.425                    Risse: Beiwert zur Ermittlung des maximalen Rissabstands bei\n"
    "                                                   abgeschlossenem Rissbild\n"
    " 7.4.2(2)     K_[Einfeld    ] = 1.00           Verformungen ohne direkte Berechnung (Biegeschlankheit):\n"
    "              K_[Endfeld    ] = 1.30           Beiwert zur Ber{ue}cksichtigung des statischen Systems\n"
    "              K_[Mittelfeld ] = 1.50\n"
    "              K_[Flachdecke ] = 1.20\n"
    "              K_[Kragtr{ae}ger ] = 0.40\n"
    " 8.2(2)       k_[1] = 1.00                     Stababst{ae}nde: Beiwert f{ue}r den lichten Abstand zwischen\n"
    "                                                          parallelen Betonst{ae}hlen oder Stahllagen\n"
    " 9.2.1.1(1)   A_[s,min] =  0.26 f_[ctm]/f_[yk] b_[t] d  Mindestbewehrung f{ue}r Balken und Platten [cm{2}]\n"
    "                     {>=} 0.0013 b_[t] d\n"
    " 9.2.1.2(1)   {b}_[1] = 0.15                     Mindestst{ue}tzmomente an gelenkigen Endauflagern:\n"
    "                                            Anteil des gr{oe}{ss}ten Feldmoments am St{ue}tzmoment\n"
    " 9.2.1.4(1)   {b}_[2] = 0.25                     Verankerung der unteren Bewehrung an Endauflagern:\n"
    "                                            Mindestanteil der gr{oe}{ss}ten Feldbewehrung an der unteren Bew.\n"
    " 9.2.2(5)     {r}_[w,min] = 0.080 f_[ck]^[1/2] / f_[yk]   Mindestbewehrungsgrad der Querkraftbewehrung\n"
    " 9.5.2(2)     A_[s,min] = 0.100 N_[Ed]/f_[yd]        Mindestbewehrung f{ue}r St{ue}tzen [cm{2}]\n"
    "                     {>=} 0.002 A_[c]\n"
    " 9.6.2(1)     A_[s,vmin] = 0.002 A_[c]            Vertikale Mindestbewehrung f{ue}r W{ae}nde [cm{2}]\n"
    " 11.3.5(1)    {a}_[lcc] = 0.85                   Leichtbeton: Abminderungsbeiwert f{ue}r die Betondruckfestigkeit\n"
    " 11.3.5(2)    {a}_[lct] = 0.85                   Leichtbeton: Abminderungsbeiwert f{ue}r die Betonzugfestigkeit\n"
    " 11.6.1(1)    C_[lRd,c] = 0.15 / {g}_[c]            Leichtbeton: Beiwerte zur Ermittlung des Querkraftwiderstandes\n"
    "              {n}_[l,min] = 0.0420 k^[3/2] f_[lck]^[1/2]\n"
    "              k_[l1] = 0.15\n"
    " 11.6.1(2)    {n}_[l] = 0.500 {h}_[1] (1 - f_[lck]/250)  Leichtbeton: Festigkeitsabminderungsbeiwert f{ue}r Querkraft\n"
    "              {n}_[l] = 0.500 {h}_[1] (1 - f_[lck]/250)  Leichtbeton: Festigkeitsabminderungsbeiwert f{ue}r Torsion\n"
    " 11.6.2(1)    {n}_[1l] = 0.500 {h}_[1] (1 - f_[lck]/250) Leichtbeton: Beiwert zur Ermittlung der maximalen\n"
    "                                                         Querkrafttragf{ae}higkeit\n"
    " 12.3.1(1)    {a}_[cc,pl] = 0.80                 unbew.Beton: Abminderungsbeiwert f{ue}r die Betondruckfestigkeit\n"
    "              {a}_[ct,pl] = 0.80                 unbew.Beton: Abminderungsbeiwert f{ue}r die Betonzugfestigkeit\n"
    " 12.6.3(2)    k_[p] = 1.50                     unbew.Beton: Beiwert zur Ermittlung der Bemessungsspannung\n"
    "                                                         bei der Querkraftbemessung\n"
    "#END_OF_TEXT\n";

const char* const golden_fire_table =
    "#OLI_RESERVE 4\n"
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1992-1-2 (EC 2, Brandfall)\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#OLI_MARGINS 1 0 0\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 2.3(2)       {g}_[M,fi] = 1.00                  Materialsicherheitsbeiwert\n"
    " 3.2.3(5)     Klasse N (Tabelle 3.2a)       Betonstahl-Klasse zur Beschreibung der Spannungs-Dehnungs-\n"
    "                                            beziehung bei erh{oe}hten Temperaturen\n"
    " 3.3.3(1)     {l}_[c] = {l}_[co] oder {l}_[cu]             thermische Leitf{ae}higkeit des Betons\n"
    "              s. Bemessungsoptionen         {l}_[co] oberer Grenzwert, {l}_[cu] unterer Grenzwert n. 3.3.3(2)\n"
    " 6.1(5)       Klasse 1 (Tabelle 6.1N)       hochfester Beton: Beton-Klasse zur Beschreibung der\n"
    "                                                              Festigkeitsreduktion\n"
    " 6.4.2.1(3)   k = 1.100                     hochfester Beton: Beiwert f{ue}r die Querschnittsreduktion\n"
    " 6.4.2.2(2)   k_[m] = 0.950                    hochfester Beton: Beiwert f{ue}r die Momententragf{ae}higkeit\n"
    "                                                              bei Brandbeanspruchung in der Zugzone\n"
    "#END_OF_TEXT\n";

const char* const golden_bridge_table =
    "#OLI_RESERVE 4\n"
    "#SHOWTABLE\n"
    "0 0 1\n"
    " EN 1992-2 (EC 2, Betonbr{ue}cken)\n"
    "0 0 -1 -1\n"
    "#END_OF_TEXT\n"
    "#OLI_YPOS 1 -0.5\n"
    "#OLI_MARGINS 1 0 0\n"
    "#SHOWTABLE\n"
    "0 0 0\n"
    "1 0 -1 -1 2\n"
    " 12 42\n"
    " Kapitel      Wert                          Bedeutung\n"
    " 2.4.2.4(1)                                 Teilsicherheitsbeiwerte f{ue}r Beton und Betonstahl\n"
    "              {g}_[c] = 1.50  {g}_[s] = 1.15          st{ae}ndige und vor{ue}bergehende Bemessungssituation\n"
    "              {g}_[c] = 1.50  {g}_[s] = 1.15          Bemessungssituation f{ue}r Erm{ue}dung\n"
    "              {g}_[c] = 1.50  {g}_[s] = 1.15          Bemessungssituation f{ue}r Erdbeben\n"
    "              {g}_[c] = 1.20  {g}_[s] = 1.00          au{ss}ergew{oe}hnliche Bemessungssituation\n"
    " 5.10.9(1)P                                 Streuung der Vorspannkraft\n"
    "              P_[sup] = 1.05  P_[inf] = 0.95      Sofortiger oder ohne Verbund\n"
    "              P_[sup] = 1.10  P_[inf] = 0.90      Nachtr{ae}glicher Verbund\n"
    " 3.1.6(101)P  {a}_[cc] = 0.85                    Abminderungsbeiwert f{ue}r die Betondruckfestigkeit\n"
    " 3.1.6(102)P  {a}_[ct] = 1.00                    Abminderungsbeiwert f{ue}r die Betonzugfestigkeit\n"
    " 6.2.2(101)   C_[Rd,c] =  0.18 / {g}_[c]            Beiwerte zur Ermittlung des Querkraftwiderstandes\n"
    "              {n}_[min] = 0.0525/{g}_[c] k^[3/2] f_[ck]^[1/2]\n"
    "              k_[1] = 0.15\n"
    " 6.2.3(2)     min cot {t} = 1.00              untere Grenze der Druckstrebenneigung\n"
    "              max cot {t} = 2.50              obere Grenze der Druckstrebenneigung\n"
    " 6.2.3(103)   {a}_[cw] = 1.00                    Beiwert zur Ber{ue}cksichtigung des Spannungszustands im Druckgurt\n"
    "              {n}_[1] = 0.60 (1 - f_[ck]/250)       Beiwert zur Ermittlung der maximalen Querkrafttragf{ae}higkeit\n"
    " 6.8.7(101)   k_[1] = 0.85                     Erm{ue}dung: Beiwert zur Ermittlung der Bemessungsfestigkeit des\n"
    "                                                      Betons\n"
    " 7.2(102)     k_[1] = 0.60                     Beiwert zur Ermittlung der zul. Betondruckspannung\n"
    " 7.2(3)       k_[2] = 0.45                     Beiwert zur Ermittlung der Betondruckspannung f{ue}r\n"
    "                                            lineares Kriechen\n"
    "              k_[3] = 0.80                     Beiwert zur Ermittlung der Stahlspannung\n"
    "              k_[4] = 1.00                     Beiwert zur Ermittlung der Stahlspannung f{ue}r\n"
    "                                            indirekte Einwirkungen\n"
    "              k_[5] = 0.65                     Beiwert zur Ermittlung der Spannstahlspannung\n"
    " 9.5.2(2)     A_[s,min] = 0.100 N_[Ed]/f_[yd]        Mindestbewehrung f{ue}r St{ue}tzen [cm{2}]\n"
    "                     {>=} 0.002 A_[c]\n"
    "#END_OF_TEXT\n";

void Show_All_Groups()
{
    for (int& flag : nad_ec2_row_visible) flag = 1;
}

void Show_Only(std::initializer_list<int> groups)
{
    for (int& flag : nad_ec2_row_visible) flag = 0;
    for (int g : groups) nad_ec2_row_visible[g] = 1;
}

NAD_EC2_Params Recommended()
{
    NAD_EC2_Params p;
    NAD_EC2_Defaults(&p);
    return p;
}

std::string Rows_Of(const NAD_EC2_Params& p, const char* name = "Deutschland")
{
    return Output([&](FILE* f) { NAD_EC2_Write_Rows(f, &p, name); });
}

std::string Fire_Rows_Of(const NAD_EC2_Params& p)
{
    return Text_Of(NAD_EC2_Write_Fire_Rows, p);
}

std::string Bridge_Rows_Of(const NAD_EC2_Params& p)
{
    return Text_Of(NAD_EC2_Write_Bridge_Rows, p);
}

// The lines of a report text, without their line ends.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool Has_Line(const std::string& text, const std::string& line)
{
    for (const std::string& l : Lines(text))
        if (l == line) return true;
    return false;
}

// The lines of a table that begin with the clause (in the clause column).
std::vector<std::string> Clause_Lines(const std::string& text, const std::string& clause)
{
    std::vector<std::string> found;
    for (const std::string& l : Lines(text))
        if (l.rfind(" " + clause + " ", 0) == 0) found.push_back(l);
    return found;
}

} // namespace

TEST(EC2ReportRows, RecommendedValuesGoldenBytes)
{
    Show_All_Groups();
    NAD_EC2_Params p = Recommended();
    EXPECT_EQ(Rows_Of(p), Cp850(golden_building_table));
    EXPECT_EQ(Fire_Rows_Of(p), Cp850(golden_fire_table));
    EXPECT_EQ(Bridge_Rows_Of(p), Cp850(golden_bridge_table));
}

TEST(EC2ReportRows, FormsGermanAnnexAndOlderStandards)
{
    Show_All_Groups();
    // Form flag 1 prints the plain value; any other value the function form, as 2 does.
    NAD_EC2_Params p = Recommended();
    p.k2_form = p.as_min_beam_form = p.lambda_lim_form = p.nu_l_form = 1;
    std::string plain = Rows_Of(p);
    for (const char* line : {
             "              k_[2] = 1.25                                 Umlagerungsverh{ae}ltnisses",
             " 5.8.3.1(1)   {l}_[lim] = 10.78                  Grenzwert der Schlankheit f{ue}r Einzeldruckglieder",
             " 9.2.1.1(1)   A_[s,min] = 0.26  cm{2}            Mindestbewehrung f{ue}r Balken und Platten [cm{2}]",
             " 11.6.1(2)    {n}_[l] = 0.500 {h}_[1]                 Leichtbeton: Festigkeitsabminderungsbeiwert f{ue}r Querkraft",
         })
        EXPECT_TRUE(Has_Line(plain, Cp850(line))) << line;
    EXPECT_EQ(plain.find(Cp850("{>=} 0.0013")), std::string::npos);  // the bound belongs to the function
    NAD_EC2_Params odd = Recommended();
    odd.lambda_lim_form = 7;
    odd.k2_form = 0;
    EXPECT_EQ(Rows_Of(odd), Rows_Of(Recommended()));

    // Under the German annex four function-form rows and k_p refer to it; a plain value is
    // printed whatever the flag; columns and the bridge table have no such reference.
    NAD_EC2_Params german = Recommended();
    german.na_de_flag = 1;
    std::string de = Rows_Of(german);
    for (const char* line : {
             " 5.8.3.1(1)   {l}_[lim] s. NA-DE                 Grenzwert der Schlankheit f{ue}r Einzeldruckglieder",
             " 9.2.1.1(1)   A_[s,min] s. NA-DE               Mindestbewehrung f{ue}r Balken und Platten [cm{2}]",
             " 9.2.2(5)     {r}_[w,min] s. NA-DE               Mindestbewehrungsgrad der Querkraftbewehrung",
             " 9.6.2(1)     A_[s,vmin] s. NA-DE              Vertikale Mindestbewehrung f{ue}r W{ae}nde [cm{2}]",
             " 12.6.3(2)    k_[p] s. NA-DE                   unbew.Beton: Beiwert zur Ermittlung der Bemessungsspannung",
             " 9.5.2(2)     A_[s,min] = 0.100 N_[Ed]/f_[yd]        Mindestbewehrung f{ue}r St{ue}tzen [cm{2}]",
         })
        EXPECT_TRUE(Has_Line(de, Cp850(line))) << line;
    EXPECT_EQ(de.find(Cp850("{>=} 0.0013")), std::string::npos);
    german.lambda_lim_form = 1;
    EXPECT_NE(Rows_Of(german).find(Cp850(" 5.8.3.1(1)   {l}_[lim] = 10.78 ")), std::string::npos);
    EXPECT_EQ(Bridge_Rows_Of(german), Bridge_Rows_Of(Recommended()));

    // The values of the older standards: no lower bound of columns at 0.
    NAD_EC2_Params din;
    NAD_EC2_Defaults_For_Norm(1, &din);
    std::string rows = Rows_Of(din, "EC-Standardparameter");
    EXPECT_EQ(Clause_Lines(rows, "9.5.2(2)").size(), 1u);
    EXPECT_EQ(rows.find(Cp850("{>=} 0.000 A_[c]")), std::string::npos);
    EXPECT_TRUE(Has_Line(rows, Cp850(" 9.2.1.2(1)   {b}_[1] = 0.25                     Mindestst{ue}tzmomente an "
                                     "gelenkigen Endauflagern:")));
    EXPECT_TRUE(Has_Line(rows, " EN 1992-1-1 (EC 2, Hochbau), NA EC-Standardparameter"));

    // Fire: conductivity by its function, steel class X.
    p = Recommended();
    p.conductivity_form = 2;
    p.conductivity_factor = 0.25;
    p.fire_steel_class = 1;
    std::string fire = Fire_Rows_Of(p);
    EXPECT_TRUE(Has_Line(fire, Cp850(" 3.3.3(1)     {l}_[c] = {l}_[cu] + 0.250 ({l}_[co]-{l}_[cu])    thermische "
                                     "Leitf{ae}higkeit des Betons")));
    EXPECT_TRUE(Has_Line(fire, " 3.2.3(5)     Klasse X (Tabelle 3.2b)       Betonstahl-Klasse zur Beschreibung der "
                               "Spannungs-Dehnungs-"));
    EXPECT_EQ(fire.find("Bemessungsoptionen"), std::string::npos);
}

TEST(EC2ReportRows, RowGroupsDecideWhatIsPrinted)
{
    NAD_EC2_Params p = Recommended();

    // Nothing but the frame: heading, head line, end.
    Show_Only({});
    std::string empty = Rows_Of(p);
    EXPECT_EQ(empty, "#SHOWTABLE\n0 0 1\n EN 1992-1-1 (EC 2, Hochbau), NA Deutschland\n0 0 -1 -1\n#END_OF_TEXT\n"
                     "#OLI_YPOS 1 -0.5\n#SHOWTABLE\n0 0 0\n1 0 -1 -1 2\n 12 42\n"
                     " Kapitel      Wert                          Bedeutung\n#END_OF_TEXT\n");
    EXPECT_EQ(Fire_Rows_Of(p), "");
    EXPECT_EQ(Bridge_Rows_Of(p), "");

    // The building rows of 2.4.2.4, 6.2.2(1), 6.2.3, 6.8.7(1) and 9.5.2(2) need group 30.
    Show_Only({0, 1, 10, 17, 25});
    std::string without_30 = Rows_Of(p);
    for (const char* clause : {"2.4.2.4(1)", "2.4.2.4(2)", "6.2.2(1)", "6.2.3(2)", "6.2.3(3)", "6.8.7(1)", "9.5.2(2)"})
        EXPECT_TRUE(Clause_Lines(without_30, clause).empty()) << clause;
    for (const char* clause : {"6.2.2(6)", "6.8.4(1)"}) EXPECT_EQ(Clause_Lines(without_30, clause).size(), 1u) << clause;

    // Group 30 with group 0: the persistent situation and serviceability; group 1 adds the
    // other three situations.
    Show_Only({30, 0});
    std::string persistent = Rows_Of(p);
    EXPECT_EQ(Lines(persistent).size(), Lines(empty).size() + 3);
    Show_Only({30, 0, 1});
    EXPECT_EQ(Lines(Rows_Of(p)).size(), Lines(empty).size() + 6);

    // The fire table needs group 27, its last two rows groups 28 and 29.
    Show_Only({27});
    std::string fire = Fire_Rows_Of(p);
    EXPECT_EQ(fire.rfind("#OLI_RESERVE 4\n#SHOWTABLE\n0 0 1\n EN 1992-1-2 (EC 2, Brandfall)\n", 0), 0u);
    EXPECT_TRUE(Clause_Lines(fire, "6.4.2.1(3)").empty());
    EXPECT_TRUE(Clause_Lines(fire, "6.4.2.2(2)").empty());
    EXPECT_EQ(Clause_Lines(fire, "6.1(5)").size(), 1u);

    // The bridge table needs group 31; its rows follow groups 0, 2, 3, 10, 17 and 25
    // without group 30.
    Show_Only({31, 2});
    std::string bridge = Bridge_Rows_Of(p);
    EXPECT_EQ(Clause_Lines(bridge, "3.1.6(101)P").size(), 1u);
    EXPECT_EQ(Clause_Lines(bridge, "7.2(102)").size(), 1u);
    EXPECT_TRUE(Clause_Lines(bridge, "2.4.2.4(1)").empty());
    EXPECT_TRUE(Clause_Lines(bridge, "9.5.2(2)").empty());
}

TEST(EC2ReportRows, SafeOnUnusualInput)
{
    Show_All_Groups();
    NAD_EC2_Params p = Recommended();
    // Name slots filled to the last byte (no terminator) print at most their slot.
    std::memset(p.exposure_class_name[3], 'Q', sizeof p.exposure_class_name[3]);
    std::memset(p.roughness_name[1], 'R', sizeof p.roughness_name[1]);
    std::string rows = Rows_Of(p);
    EXPECT_TRUE(Has_Line(rows, "              QQQQQ      2.50      0.00"));
    EXPECT_NE(rows.find("RRRRRRRRRRRe Fugen\n"), std::string::npos);

    // Null stream or record write nothing; a null name is the empty name.
    NAD_EC2_Write_Rows(nullptr, &p, "x");
    NAD_EC2_Report(nullptr);
    File_Stream out;
    NAD_EC2_Write_Rows(out.get(), nullptr, "x");
    NAD_EC2_Write_Fire_Rows(out.get(), nullptr);
    EXPECT_EQ(out.bytes(), "");
    NAD_EC2_Write_Rows(out.get(), &p, nullptr);
    EXPECT_EQ(out.bytes().find("#SHOWTABLE\n0 0 1\n EN 1992-1-1 (EC 2, Hochbau), NA \n"), 0u);

    // A line of running text left pending by the report channel is ended first, so that
    // the table block starts in the first column.
    File_Stream report;
    OLI_Reset_Channel();
    ASSERT_EQ(OLI_Printf(report.get(), "Parameter"), 0);
    NAD_EC2_Write_Rows(report.get(), &p, "Deutschland");
    EXPECT_NE(report.bytes().find("Parameter\n#SHOWTABLE\n0 0 1\n"), std::string::npos);
    OLI_Reset_Channel();
}

TEST(EC2ReportFilter, ProfilesOfTheRunningProgram)
{
    {   // No profile: every group.
        Report_Sandbox sandbox(127);
        Show_Only({});
        NAD_EC2_Set_Row_Filter();
        for (int g = 0; g < NAD_EC2_ROW_GROUPS; ++g) EXPECT_EQ(nad_ec2_row_visible[g], 1) << g;
    }
    // Rule strings: EN 1992 shows group 0 and group 5 only; neither 30 nor 31 is given,
    // so the application number picks the table. A rule beyond the string is hidden.
    const std::string rules = "#NADS -1\n1 1 100001 1 0 1 1 0 0 1\n";
    for (int app : {127, 114}) {
        Report_Sandbox sandbox(app);
        sandbox.Add_Profile(app, rules);
        NAD_EC2_Set_Row_Filter();
        for (int g = 0; g < NAD_EC2_ROW_GROUPS; ++g) {
            int expected = g == 0 || g == 5 || (g == 30 && app == 127) || (g == 31 && app == 114);
            EXPECT_EQ(nad_ec2_row_visible[g], expected) << "app " << app << " group " << g;
        }
    }
    {   // A parts mask only: the basic groups and the built-in rows of the program.
        Report_Sandbox sandbox(127);
        sandbox.Add_Profile(127, "#NADS 4\n");
        NAD_EC2_Set_Row_Filter();
        for (int g = 0; g < NAD_EC2_ROW_GROUPS; ++g) {
            int expected = g == 30 || g == 0 || g == 2 || g == 1 || g == 3 || g == 6 || g == 16 || g == 17 || g == 20;
            EXPECT_EQ(nad_ec2_row_visible[g], expected) << g;
        }
    }
    {   // The bridge programs trade the building rows for the EN 1992-2 table.
        Report_Sandbox sandbox(114);
        sandbox.Add_Profile(114, "#NADS 4\n");
        NAD_EC2_Set_Row_Filter();
        EXPECT_EQ(nad_ec2_row_visible[30], 0);
        EXPECT_EQ(nad_ec2_row_visible[31], 1);
        EXPECT_EQ(nad_ec2_row_visible[0], 1);
        EXPECT_EQ(nad_ec2_row_visible[25], 1);
    }
}

TEST(EC2ReportFilter, WholeEchoOfTheAnnexInForce)
{
    Report_Sandbox sandbox(127);
    File_Stream out;
    NAD_EC2_Report(out.get());
    std::string echo = out.bytes();

    const std::string head = "#OLI_FLAGS 0x380\n#OLI_RESERVE 6\n#SHOWTABLE\n1 1 0\n"
                             " Ausgew\x84hlte Bemessungsparameter des nationalen Anhangs\n"
                             " Deutschland\n0 0 -1 -1\n#END_OF_TEXT\n#OLI_YPOS 1 -0.5\n";
    ASSERT_EQ(echo.rfind(head, 0), 0u);

    // The three tables of the annex in force follow, as the record-based writers print
    // them with every group shown (no profile).
    const NAD_EC2_Params* in_force = NAD_Get_EC2_Params();
    Show_All_Groups();
    EXPECT_EQ(echo, head + Rows_Of(*in_force) + Fire_Rows_Of(*in_force) + Bridge_Rows_Of(*in_force));
    // "Deutschland" follows the German annex.
    EXPECT_EQ(in_force->na_de_flag, 1);
    EXPECT_FALSE(Clause_Lines(echo, "12.6.3(2)").empty());
    EXPECT_NE(echo.find(Cp850(" 12.6.3(2)    k_[p] s. NA-DE")), std::string::npos);

    // The corbel report's entry prints the EN 1992-1-1 table alone.
    File_Stream rows;
    NAD_EC2_Report_Rows(rows.get());
    EXPECT_EQ(rows.bytes(), Rows_Of(*in_force));
}
