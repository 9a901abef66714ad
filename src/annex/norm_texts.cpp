#include "annex/norm_texts.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "annex/nad_sections.h"

// German letters of the report texts, code page 850 (spliced: a hex escape directly
// followed by a letter a-f would swallow it).
#define UML_ae "\x84"
#define UML_oe "\x94"
#define UML_ue "\x81"
#define UML_sz "\xE1"
#define UML_AE "\x8E"
#define UML_OE "\x99"

namespace {

// One designation in its four forms.
struct Designation {
    const char* plain;
    const char* with_edition;
    const char* short_form;
    const char* short_with_edition;
};

// Designations by norm code 0..34 (the DIN 1045-1 switch at 1, EN 1993 switch at 0).
// Codes without a designation have null texts.
const Designation designations[35] = {
    /* 0 */ {"DIN 1045", "DIN 1045 (7.88)", "DIN 1045", "DIN 1045 (7.88)"},
    /* 1 */ {"DIN 1045-1", "DIN 1045-1 (7.01) mit Ber.2 (6.05)", "DIN 1045-1", "DIN 1045-1 (7.01)"},
    /* 2 */ {"DIN-Fachbericht 102", "DIN-Fachbericht 102 (3.03)", "DIN-Fb 102", "DIN-Fb 102 (3.03)"},
    /* 3 */ {UML_OE "NORM B 4700", UML_OE "NORM B 4700 (6.01)", UML_OE "N B 4700", UML_OE "N B 4700 (6.01)"},
    /* 4 */ {"EN 1992-1-1 (EC 2, Hochbau)", "EN 1992-1-1 (EC 2, Hochbau, 1.11)", "EC 2", "EC 2 (1.11)"},
    /* 5 */ {"DIN-Fachbericht 101", "DIN-Fachbericht 101 (3.03)", "DIN-Fb 101", "DIN-Fb 101 (3.03)"},
    /* 6 */ {"DIN-Fachbericht 103", "DIN-Fachbericht 103 (3.03)", "DIN-Fb 103", "DIN-Fb 103 (3.03)"},
    /* 7 */ {"DIN-Fachbericht 104", "DIN-Fachbericht 104 (3.03)", "DIN-Fb 104", "DIN-Fb 104 (3.03)"},
    /* 8 */ {"DIN 1055-100", "DIN 1055-100 (3.01)", "DIN 1055-100", "DIN 1055-100 (3.01)"},
    /* 9 */ {"DIN 1053-100", "DIN 1053-100 (9.07)", "DIN 1053-100", "DIN 1053-100 (9.07)"},
    /* 10 */ {"EN 1992-1-2 (EC 2, Brandfall)", "EN 1992-1-2 (EC 2, Brandfall, 12.10)", "EC 2-1-2",
              "EC 2-1-2 (12.10)"},
    /* 11 */ {"EN 1990 (EC 0)", "EN 1990 (EC 0, 12.10)", "EC 0", "EC 0 (12.10)"},
    /* 12 */ {"EN 1993-1-1 (EC 3, Hochbau)", "EN 1993-1-1 (EC 3, Hochbau, 12.10)", "EC 3-1-1",
              "EC 3-1-1 (12.10)"},
    /* 13 */ {"EN 1993-1-8 (EC 3, Anschl" UML_ue "sse)", "EN 1993-1-8 (EC 3, Anschl" UML_ue "sse, 12.10)", "EC 3-1-8",
              "EC 3-1-8 (12.10)"},
    /* 14 */ {nullptr, nullptr, nullptr, nullptr},
    /* 15 */ {nullptr, nullptr, nullptr, nullptr},
    /* 16 */ {"DIN 18800", "DIN 18800 (11.08)", "DIN 18800", "DIN 18800 (11.08)"},
    /* 17 */ {nullptr, nullptr, nullptr, nullptr},
    /* 18 */ {nullptr, nullptr, nullptr, nullptr},
    /* 19 */ {nullptr, nullptr, nullptr, nullptr},
    /* 20 */ {nullptr, nullptr, nullptr, nullptr},
    /* 21 */ {"EN 1992-2 (EC 2, Betonbr" UML_ue "cken)", "EN 1992-2 (EC 2, Betonbr" UML_ue "cken, 12.10)", "EC 2-2",
              "EC 2-2 (12.10)"},
    /* 22 */ {"EN 1996-1-1 (EC 6)", "EN 1996-1-1 (EC 6, 2.13)", "EC 6", "EC 6 (2.13)"},
    /* 23 */ {"EN 1991 (EC 1)", "EN 1991 (EC 1, 12.10)", "EC 1", "EC 1 (12.10)"},
    /* 24 */ {"EN 1993-1-5 (EC 3, Plattenbeulen)", "EN 1993-1-5 (EC 3, Plattenbeulen, 10.19)", "EC 3-1-5",
              "EC 3-1-5 (10.19)"},
    /* 25 */ {"DIN 18800", "DIN 18800 (11.08)", "DIN 18800", "DIN 18800 (11.08)"},
    /* 26 */ {"EN 1993-1-9 (EC 3, Erm" UML_ue "dung)", "EN 1993-1-9 (EC 3, Erm" UML_ue "dung, 12.10)", "EC 3-1-9",
              "EC 3-1-9 (12.10)"},
    /* 27 */ {"EN 1993-6 (EC 3, Kranbahnen)", "EN 1993-6 (EC 3, Kranbahnen, 12.10)", "EC 3-6", "EC 3-6 (12.10)"},
    /* 28 */ {nullptr, nullptr, nullptr, nullptr},
    /* 29 */ {"EN 1999-1-1 (EC 9)", "EN 1999-1-1 (EC 9, 3.14)", "EC 9-1-1", "EC 9-1-1 (3.14)"},
    /* 30 */ {nullptr, nullptr, nullptr, nullptr},
    /* 31 */ {"EN 1993-1-2 (EC 3, Brandfall)", "EN 1993-1-2 (EC 3, Brandfall, 12.10)", "EC 3-1-2",
              "EC 3-1-2 (12.10)"},
    /* 32 */ {"EN 1991-1-2 (EC 1, Brandfall)", "EN 1991-1-2 (EC 1, Brandfall, 12.10)", "EC 1-1-2",
              "EC 1-1-2 (12.10)"},
    /* 33 */ {"prEN 1993-1-14 (EC 3, FE-Methoden)", "prEN 1993-1-14 (EC 3, FE-Methoden, 9.23)", "prEC 3-1-14",
              "prEC 3-1-14 (9.23)"},
    /* 34 */ {"EN 1992-4 (EC 2, Verankerungen)", "EN 1992-4 (EC 2, Verankerungen, 4.19)", "EC 2-4",
              "EC 2-4 (4.19)"},
};

// Replaces the first occurrence of `from` in the text by `to`.
void Replace_First(std::string& text, const char* from, const char* to)
{
    size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, std::strlen(from), to);
}

// Lines of a literature entry; the lines of the German national annex are kept apart
// because they appear only while "Deutschland" is in force.
struct Literature {
    std::vector<const char*> lines;
    std::vector<const char*> german_annex_lines;
};

Literature Literature_Of(int code)
{
    switch (code) {
    case 0:
        return {{"DIN 1045 Beton und Stahlbeton: Bemessung und Ausf" UML_ue "hrung, Ausgabe Juli 1988",
                 "Erl" UML_ae "uterungen zu DIN 1045 Beton und Stahlbeton, Ausgabe 07.88,",
                 "  Heft 400, Deutscher Ausschuss f" UML_ue "r Stahlbeton, Beuth Verlag GmbH, 1989"},
                {}};
    case 1:
        if (Get_DIN1045_1_Edition() == 0)
            return {{"DIN 1045-1 Tragwerke aus Beton, Stahlbeton und Spannbeton, Teil 1: Bemessung und Konstruktion,",
                     "  Ausgabe August 2008",
                     "Erl" UML_ae "uterungen zu DIN 1045-1, Heft 525, Deutscher Ausschuss f" UML_ue
                     "r Stahlbeton, Beuth Verlag GmbH, 2010"},
                    {}};
        return {{"DIN 1045-1 Tragwerke aus Beton, Stahlbeton und Spannbeton, Teil 1: Bemessung und Konstruktion,",
                 "  Ausgabe Juli 2001.  Berichtigung 2 zur DIN 1045-1 (7.01), Juni 2005",
                 "Erl" UML_ae "uterungen zu DIN 1045-1, Heft 525, Deutscher Ausschuss f" UML_ue
                 "r Stahlbeton, Beuth Verlag GmbH, 2003",
                 "Berichtigung 1 zum DAfStb-Heft 525, Mai 2005"},
                {}};
    case 2:
        return {{"DIN-Fachbericht 102: Betonbr" UML_ue "cken, M" UML_ae "rz 2009"}, {}};
    case 3:
        return {{UML_OE "NORM B 4700 Stahlbetontragwerke: EUROCODE-nahe Berechnung, Bemessung und konstruktive "
                    "Durchbildung.",
                 "  " UML_OE "sterreichisches Normungsinstitut, Ausgabe: 2001-06-01"},
                {}};
    case 4:
        return {{"EN 1992-1-1, Eurocode 2: Bemessung und Konstruktion von Stahlbeton- und Spannbetonbauteilen -",
                 "  Teil 1-1: Allgemeine Bemessungsregeln und Regeln f" UML_ue "r den Hochbau;",
                 "  Deutsche Fassung EN 1992-1-1:2004 + AC:2010, Ausgabe Januar 2011"},
                {"EN 1992-1-1/NA, Nationaler Anhang zur EN 1992-1-1, Ausgabe April 2013"}};
    case 5:
        return {{"DIN-Fachbericht 101: Einwirkungen auf Br" UML_ue "cken, M" UML_ae "rz 2009"}, {}};
    case 6:
    case 7:
        return {};
    case 8:
        return {{"DIN 1055-100 Einwirkungen auf Tragwerke - Teil 100:",
                 "  Grundlagen der Tragwerksplanung, Sicherheitskonzept und Bemessungsregeln, Ausgabe M" UML_ae "rz 2001"},
                {}};
    case 9:
        return {{"DIN 1053-100 Mauerwerk - Berechnung auf Grundlage des semiprobabilistischen Sicherheitskonzepts,",
                 "  Ausgabe September 2007"},
                {}};
    case 10:
        if (Get_EN1992_1_2_Edition() == 0)
            return {{"EN 1992-1-2, Eurocode 2: Bemessung und Konstruktion von Stahlbeton- und Spannbetontragwerken -",
                     "  Teil 1-2: Allgemeine Regeln - Tragwerksbemessung f" UML_ue "r den Brandfall;",
                     "  Deutsche Fassung EN 1992-1-2:2004 + AC:2008, Ausgabe Dezember 2010"},
                    {"EN 1992-1-2/NA, Nationaler Anhang zur EN 1992-1-2, Ausgabe Dezember 2010"}};
        return {{"ENV 1992-1-2, Eurocode 2 (Vornorm): Planung von Stahlbeton- und Spannbetontragwerken -",
                 "  Teil 1-2: Allgemeine Regeln - Tragwerksbemessung f" UML_ue "r den Brandfall;",
                 "  Deutsche Fassung ENV 1992-1-2:1995, Ausgabe Mai 1997"},
                {"ENV 1992-1-2/NA, Nationaler Anhang zur DIN V ENV 1992-1-2, DIN-Fachbericht 92, 2000"}};
    case 11:
        return {{"EN 1990, Eurocode 0: Grundlagen der Tragwerksplanung;",
                 "  Deutsche Fassung EN 1990:2002 + A1:2005 + A1:2005/AC:2010, Ausgabe Dezember 2010"},
                {"EN 1990/NA, Nationaler Anhang zur EN 1990, Ausgabe Dezember 2010"}};
    case 12:
        if (Get_EN1993_Edition() == 0)
            return {{"EN 1993-1-1, Eurocode 3: Bemessung und Konstruktion von Stahlbauten -",
                     "  Teil 1-1: Allgemeine Bemessungsregeln und Regeln f" UML_ue "r den Hochbau;",
                     "  Deutsche Fassung EN 1993-1-1:2005 + AC:2009, Ausgabe Dezember 2010",
                     "  EN 1993-1-1/A1, Erg" UML_ae "nzungen zur EN 1993-1-1, Ausgabe Juli 2014"},
                    {"EN 1993-1-1/NA, Nationaler Anhang zur EN 1993-1-1, Ausgabe Oktober 2022"}};
        return {{"EN 1993-1-1, Eurocode 3: Bemessung und Konstruktion von Stahlbauten -",
                 "  Teil 1-1: Allgemeine Bemessungsregeln und Regeln f" UML_ue "r den Hochbau;",
                 "  Deutsche Fassung EN 1993-1-1:2022, Ausgabe April 2025"},
                {"EN 1993-1-1/NA, Nationaler Anhang zur EN 1993-1-1, Ausgabe April 2026"}};
    case 13:
        if (Get_EN1993_Edition() == 0)
            return {{"EN 1993-1-8, Eurocode 3: Bemessung und Konstruktion von Stahlbauten -",
                     "  Teil 1-8: Bemessung von Anschl" UML_ue "ssen;",
                     "  Deutsche Fassung EN 1993-1-8:2005 + AC:2009, Ausgabe Dezember 2010"},
                    {"EN 1993-1-8/NA, Nationaler Anhang zur EN 1993-1-8, Ausgabe November 2020"}};
        return {{"EN 1993-1-8, Eurocode 3: Bemessung und Konstruktion von Stahlbauten -",
                 "  Teil 1-8: Bemessung von Anschl" UML_ue "ssen;  Deutsche Fassung EN 1993-1-8:2024, Ausgabe April 2025"},
                {"EN 1993-1-8/NA, Nationaler Anhang zur EN 1993-1-8, Ausgabe April 2026"}};
    case 14:
        return {{"DIN 4085, Baugrund - Berechnung des Erddrucks, August 2017"}, {}};
    case 15:
        return {{"DIN 1054, Baugrund - Sicherheitsnachweise im Erd- und Grundbau, April 2021"}, {}};
    case 16:
        return {{"DIN 18800-1: Stahlbauten - Teil 1: Bemessung und Konstruktion, Ausgabe November 2008",
                 "DIN 18800-2: Stahlbauten - Teil 2: Stabilit" UML_ae "tsf" UML_ae
                 "lle - Knicken von St" UML_ae "ben und Stabwerken,",
                 "  Ausgabe November 2008",
                 "DIN 18800-3: Stahlbauten - Teil 3: Stabilit" UML_ae "tsf" UML_ae "lle - Plattenbeulen, Ausgabe November 2008"},
                {}};
    case 17:
        return {{"DIN 1052 Teil 1: Holzbauwerke - Berechnung und Ausf" UML_ue "hrung, Ausgabe April 1988",
                 "DIN 1052-1/A 1 Holzbauwerke - Teil 1: Berechnung und Ausf" UML_ue "hrung - " UML_AE
                 "nderung 1, Ausgabe Oktober 1996"},
                {}};
    case 18:
        return {{"DIN 1052: Entwurf, Berechnung und Bemessung von Holzbauwerken - Allgemeine Bemessungsregeln",
                 "  und Bemessungsregeln f" UML_ue "r den Hochbau, Ausgabe Dezember 2008"},
                {}};
    case 19:
        return {{"EN 1995-1-1, Eurocode 5: Bemessung und Konstruktion von Holzbauten -",
                 "  Teil 1-1: Allgemeines - Allgemeine Regeln und Regeln f" UML_ue "r den Hochbau;",
                 "  Deutsche Fassung EN 1995-1-1:2004 + AC:2006 + A1:2008, Ausgabe Dezember 2010"},
                {"EN 1995-1-1/NA, Nationaler Anhang zur EN 1995-1-1, Ausgabe Dezember 2010",
                 "DIN 1052-10: Herstellung und Ausf" UML_ue "hrung von Holzbauwerken -",
                 "  Teil 10: Erg" UML_ae "nzende Bestimmungen, Ausgabe Mai 2012"}};
    case 20:
        return {{"EN 1995-1-2, Eurocode 5: Bemessung und Konstruktion von Holzbauten -",
                 "  Teil 1-2: Allgemeine Regeln - Tragwerksbemessung f" UML_ue "r den Brandfall;",
                 "  Deutsche Fassung EN 1995-1-2:2004 + AC:2009, Ausgabe Dezember 2010"},
                {"EN 1995-1-2/NA, Nationaler Anhang zur EN 1995-1-2, Ausgabe Dezember 2010"}};
    case 21:
        return {{"EN 1992-2, Eurocode 2: Bemessung und Konstruktion von Stahlbeton- und Spannbetontragwerken -",
                 "  Teil 2: Betonbr" UML_ue "cken - Bemessungs- und Konstruktionsregeln;",
                 "  Deutsche Fassung EN 1992-2:2005 + AC:2008, Ausgabe Dezember 2010"},
                {"EN 1992-2/NA, Nationaler Anhang zur EN 1992-2, Ausgabe April 2013"}};
    case 22:
        return {{"EN 1996-1-1, Eurocode 6: Bemessung und Konstruktion von Mauerwerksbauten -",
                 "  Teil 1-1: Allgemeine Regeln f" UML_ue "r bewehrtes und unbewehrtes Mauerwerk;",
                 "  Deutsche Fassung EN 1996-1-1:2005 + A1:2012, Ausgabe Februar 2013"},
                {"EN 1996-1-1/NA, Nationaler Anhang zur EN 1996-1-1, Ausgabe Dezember 2019"}};
    case 23:
        return {{"EN 1991, Eurocode 1: Einwirkungen auf Tragwerke;",
                 "  Deutsche Fassung EN 1991:2010, Ausgabe Dezember 2010"},
                {"EN 1991/NA, Nationaler Anhang zur EN 1991, Ausgabe Dezember 2010"}};
    case 24:
        return {{"EN 1993-1-5, Eurocode 3: Bemessung und Konstruktion von Stahlbauten - Teil 1-5: Plattenf" UML_oe
                 "rmige Bauteile;",
                 "  Deutsche Fassung EN 1993-1-5:2006 + AC:2009 + A1:2017 + A2:2019, Ausgabe Oktober 2019"},
                {"EN 1993-1-5/NA, Nationaler Anhang zur EN 1993-1-5, Ausgabe Dezember 2010"}};
    case 25:
        return {{"DIN 18800-1: Stahlbauten - Teil 1: Bemessung und Konstruktion, Ausgabe November 2008"}, {}};
    case 26:
        return {{"EN 1993-1-9, Eurocode 3: Bemessung und Konstruktion von Stahlbauten - Teil 1-9: Erm" UML_ue "dung;",
                 "  Deutsche Fassung EN 1993-1-9:2006 + AC:2009, Ausgabe Dezember 2010"},
                {"EN 1993-1-9/NA, Nationaler Anhang zur EN 1993-1-9, Ausgabe Dezember 2010"}};
    case 27:
        return {{"EN 1993-6, Eurocode 3: Bemessung und Konstruktion von Stahlbauten - Teil 6: Kranbahnen;",
                 "  Deutsche Fassung EN 1993-6:2007 + AC:2009, Ausgabe Dezember 2010"},
                {"EN 1993-6/NA, Nationaler Anhang zur EN 1993-6, Ausgabe Dezember 2010"}};
    case 28:
        return {{"EN 1991-3, Eurocode 1: Einwirkungen auf Tragwerke -",
                 "  Teil 3: Einwirkungen infolge von Kranen und Maschinen;",
                 "  Deutsche Fassung EN 1991-3:2006, Ausgabe Dezember 2010"},
                {"EN 1991-3/NA, Nationaler Anhang zur EN 1991-3, Ausgabe Dezember 2010"}};
    case 29:
        return {{"EN 1999-1-1, Eurocode 9: Bemessung und Konstruktion von Aluminiumtragwerken -",
                 "  Teil 1-1: Allgemeine Bemessungsregeln;",
                 "  Deutsche Fassung EN 1999-1-1:2007 + A1:2009 + A2:2013, Ausgabe M" UML_ae "rz 2014"},
                {"EN 1999-1-1/NA, Nationaler Anhang zur EN 1999-1-1, Ausgabe Mai 2013",
                 "EN 1999-1-1/NA - A1:2014 + A2:2015 + A3:2015, " UML_AE "nderungen"}};
    case 30:
        return {{"DAfStb-Richtlinie: Betonbau beim Umgang mit wassergef" UML_ae "hrdenden Stoffen (WU-Richtlinie)",
                 "  Ausgabe Dezember 2017"},
                {}};
    case 31:
        return {{"EN 1993-1-2, Eurocode 3: Bemessung und Konstruktion von Stahlbauten - Teil 1-2: Allgemeine Regeln -",
                 "  Tragwerksbemessung f" UML_ue "r den Brandfall; Deutsche Fassung EN 1993-1-2, Ausgabe Dezember 2010"},
                {"EN 1993-1-2/NA, Nationaler Anhang zur EN 1993-1-2, Ausgabe Dezember 2010"}};
    case 32:
        return {{"EN 1991-1-2, Eurocode 1: Einwirkungen auf Tragwerke - Teil 1-2: Allgemeine Einwirkungen -",
                 "  Brandeinwirkungen auf Tragwerke; Deutsche Fassung EN 1991-1-2, Ausgabe Dezember 2010"},
                {"EN 1991-1-2/NA, Nationaler Anhang zur EN 1991-1-2, Ausgabe September 2015"}};
    case 33:
        return {{"prEN 1993-1-14, Eurocode 3: Bemessung und Konstruktion von Stahlbauten -",
                 "  Teil 1-14: Bemessung mithilfe von Finite-Element-Berechnung;",
                 "  Deutsche und englische Fassung prEN 1993-1-14:2023, Ausgabe September 2023"},
                {}};
    case 34:
        return {{"EN 1992-4, Eurocode 2: Bemessung und Konstruktion von Stahlbeton- und Spannbetontragwerken -",
                 "  Teil 4: Bemessung der Verankerung von Befestigungen in Beton;",
                 "  Deutsche Fassung EN 1992-4:2018, Ausgabe April 2019"},
                {"EN 1992-4/NA, Nationaler Anhang zur EN 1992-4, Ausgabe April 2019"}};
    case 35:
        return {{"EN 1993-1-13, Eurocode 3: Bemessung und Konstruktion von Stahlbauten -",
                 "  Teil 1-13: Tr" UML_ae "ger mit gro" UML_sz "en Steg" UML_oe "ffnungen;",
                 "  Deutsche Fassung EN 1993-1-13:2024, Ausgabe April 2025"},
                {"EN 1993-1-13/NA, Nationaler Anhang zur EN 1993-1-13, Ausgabe April 2026"}};
    default:
        return {{""}, {}};  // an unknown code: one empty line
    }
}

} // namespace

const char* Get_Norm_Designation(int norm_code, int with_edition, int short_form)
{
    static std::string designation;

    designation.clear();
    if (norm_code < 0 || norm_code > 34) return designation.c_str();
    const Designation& d = designations[norm_code];
    const char* text = short_form ? (with_edition ? d.short_with_edition : d.short_form)
                                  : (with_edition ? d.with_edition : d.plain);
    if (text == nullptr) return designation.c_str();
    designation = text;

    if (with_edition && Get_DIN1045_1_Edition() == 0) {
        if (norm_code == 1)
            designation = "DIN 1045-1 (8.08)";
        else if (norm_code == 2 || norm_code == 5 || norm_code == 6 || norm_code == 7)
            Replace_First(designation, "(3.03)", "(3.09)");
    }
    if (with_edition && Get_EN1993_Edition() != 0 && (norm_code == 12 || norm_code == 13))
        Replace_First(designation, "12.10", "04.25");
    return designation.c_str();
}

int Get_Norm_Literature(int norm_code, const char* lines[NORM_LITERATURE_MAX_LINES])
{
    static std::array<std::string, NORM_LITERATURE_MAX_LINES> buffer;

    Literature entry = Literature_Of(norm_code);
    std::vector<const char*> all = entry.lines;
    // Only entries with a German annex line ask for the annex in force: the first such
    // question may choose and load the annex.
    if (!entry.german_annex_lines.empty()) {
        const char* name = NAD_Get_Active_Name();
        if (name != nullptr && std::strcmp(name, NAD_NAME_GERMANY) == 0)
            all.insert(all.end(), entry.german_annex_lines.begin(), entry.german_annex_lines.end());
    }

    int count = 0;
    for (const char* line : all) {
        if (count == NORM_LITERATURE_MAX_LINES) break;
        buffer[count] = line;
        if (lines != nullptr) lines[count] = buffer[count].c_str();
        ++count;
    }
    return count;
}
