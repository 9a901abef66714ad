#include "annex/nad_ec0_report.h"

#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex/nad_ec0.h"
#include "annex/nad_report_blocks.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"

// Report texts are code page 850; the Greek letters are single bytes of the report font.
#define EC0_GAMMA "\xC0"
#define EC0_PSI "\xB8"

namespace {

const char* const building_action_label[NAD_EC0_BUILDING_ACTIONS] = {
    "st\x84ndige Lasten",
    "ver\x84nderliche Lasten",
    "Fl\x81ssigkeitsdruck/Maschinenlasten",
    "Zwang",
    "Vorspannung",
    ("au\xE1" "ergew\x94hnliche Einwirkungen"),
    "Erdbeben",
};

const char* const building_category_label[NAD_EC0_BUILDING_CATEGORIES] = {
    "Wohn-, B\x81ror\x84ume",
    "Versammlungs-, Verkaufsr\x84ume",
    "Lagerr\x84ume",
    "Fahrzeuge bis 30 kN",
    "Fahrzeuge bis 160 kN",
    "D\x84" "cher",
    "Schnee/Eis bis 1000 m \x81.NN",
    "Schnee/Eis \x81" "ber 1000 m \x81.NN",
    "Wind",
    "Temperatur",
    "Baugrundsetzungen",
    "sonstige Einwirkungen",
};

const char* const building_category_letter[NAD_EC0_BUILDING_CATEGORIES] = {
    "A, B", "C, D", "  E ", "  F ", "  G ", "  H ", "", "", "", "", "", "",
};

const char* const bridge_action_label[NAD_EC0_BRIDGE_ACTIONS] = {
    "st\x84ndige Lasten",
    "Vorspannung linear",
    "Vorspannung nichtlinear",
    "Vorspannung lokal",
    "Setzung linear",
    "Setzung nichtlinear",
    "Stra\xE1" "enverkehr",
    "Fu\xE1g\x84ngerverkehr",
    "Schienenverkehr Lastgruppe 11 bis 31",
    "Schienenverkehr Lastgr. 16, 17, SW/2",
    "ver\x84nderliche Lasten",
    "Bauausf\x81hrung",
    "Temperatur",
    "au\xE1" "ergw\x94hnliche Einwirkungen",
    "Erdbeben",
};

const char* const road_label[NAD_EC0_ROAD_ACTIONS] = {
    "gr1a Doppelachse",
    "gr1a Gleichm\x84\xE1ig verteilte Last",
    "gr1a Geh- und Radwegbelastung",
    "gr1b (Einzelachse)",
    ("gr2 (Horizontalkr\x84" "fte"),
    "gr3 (Gehwegbelastung)",
    "gr4 (LM4 - Menschengedr\x84nge)",
    "gr5 (LM5 - Spezialfahrzeuge)",
    "Wind st\x84ndige Bemessungssituation",
    "Temperatur",
    "Baugrundsetzungen",
    "Temperaturlasten",
    "Schneelasten (Bauzeit)",
    "Lasten aus Bauausf\x81hrung",
};

// Symbols with a subscript: the markup takes four bytes that the wider label column
// (37 instead of 33) gives back, so the values stay aligned.
const char* const foot_label[NAD_EC0_FOOT_ACTIONS] = {
    "gr" OLI_SEQ_SUB "1" OLI_SEQ_RESET,
    "Q" OLI_SEQ_SUB "fwk" OLI_SEQ_RESET,
    "gr" OLI_SEQ_SUB "2" OLI_SEQ_RESET,
    "F" OLI_SEQ_SUB "wk" OLI_SEQ_RESET,
    "T" OLI_SEQ_SUB "k" OLI_SEQ_RESET,
    "Q" OLI_SEQ_SUB "Sn,k" OLI_SEQ_RESET,
    "Q" OLI_SEQ_SUB "c" OLI_SEQ_RESET,
};

const char* const rail_label[NAD_EC0_RAIL_ACTIONS] = {
    "LM 71",
    "SW/0",
    "SW/2",
    "Unbeladener Zug",
    "HSLM",
    "Seitensto\xE1",
    "Lasten auf Dienstwege",
    "Betriebslastenzug",
    "Horizontaler Erddruck infolge",
    "Aerodynamische Einwirkungen",
    "gr11 (LM 71 + SW/0)",
    "gr12 (LM 71 + SW/0)",
    "gr13 (Bremsen/Anfahren)",
    "gr14 (Zentrifugalkraft/Seitensto\xE1)",
    "gr15 (unbeladener Zug)",
    "gr16 (SW/2)",
    "gr17 (SW/2)",
    "gr21 (LM 71 +SW/0)",
    "gr22 (LM 71 +SW/0)",
    "gr23 (Bremsen/Anfahren)",
    "gr24 (Zentrifugalkraft/Seitensto\xE1)",
    "gr26 (SW/2)",
    "gr27 (SW/2)",
    "gr31 (LM 71 +SW/0)",
    "Aerodynamische Einwirkungen",
    "Allgemeine Lasten aus",
    "F" OLI_SEQ_SUB "wk" OLI_SEQ_RESET,
    "F" OLI_SEQ_SUB "W" OLI_SEQ_SUP "**" OLI_SEQ_RESET,
    "T" OLI_SEQ_SUB "k" OLI_SEQ_RESET,
    "Q" OLI_SEQ_SUB "Sn,k" OLI_SEQ_RESET " (Bauausf\x81hrung)",
    "Q" OLI_SEQ_SUB "c" OLI_SEQ_RESET,
};

// Label widths of the railway rows: the rows with markup get its bytes back.
int Rail_Label_Width(int row) {
    switch (row) {
        case 26: return 38;
        case 27: return 40;
        case 28:
        case 29:
        case 30: return 38;
        default: return 34;
    }
}

const char* const situation_heading[NAD_EC0_SITUATIONS] = {
    " " OLI_SEQ_EMPH "Teilsicherheitsfaktoren f\x81r Einwirkungen\n"
    "  der st\x84ndigen und vor\x81" "bergehenden Bemessungssituation\n",
    " " OLI_SEQ_EMPH "Teilsicherheitsfaktoren f\x81r Einwirkungen\n"
    "  der au\xE1" "ergew\x94hnlichen Bemessungssituation\n",
    " " OLI_SEQ_EMPH "Teilsicherheitsfaktoren f\x81r Einwirkungen\n"
    "  der Erdbebenbemessungssituation\n",
    " " OLI_SEQ_EMPH "Teilsicherheitsfaktoren f\x81r Einwirkungen\n"
    "  der Gebrauchstauglichkeits- und Erm\x81" "dungsnachweise\n",
};

// One table of partial factors: the rows of the actions listed (-1 ends the list).
void Write_Gamma_Table(FILE* s, int situation, const char* columns, int label_width,
                       const char* const* labels, const double (*pairs)[2], const int* actions) {
    std::fprintf(s, "#SHOWTABLE\n0 1 1\n");
    std::fputs(situation_heading[situation], s);
    std::fputs(columns, s);
    std::fprintf(s, " %-*s", label_width, "Einwirkungsart");
    std::fputs(" " EC0_GAMMA OLI_SEQ_SUB "F,sup" OLI_SEQ_RESET " " EC0_GAMMA OLI_SEQ_SUB "F,inf"
               OLI_SEQ_RESET "\n", s);
    for (const int* a = actions; *a >= 0; ++a)
        std::fprintf(s, " %-*s %5.2f %5.2f\n", label_width, labels[*a], pairs[*a][0], pairs[*a][1]);
    std::fprintf(s, "#END_OF_TEXT\n");
}

// Two tables side by side: the first at the left margin, the second beside it.
void Begin_Left(FILE* s) {
    OLI_storeYPosition(s, 4);
    OLI_setMarginsCM(s, 1, 0, 0);
}
void Begin_Right(FILE* s, float left_cm) {
    OLI_restoreYPosition(s, 4);
    OLI_setMarginsCM(s, 0x10001, left_cm, 0);
}
void End_Pair(FILE* s) {
    OLI_setYPositionCM(s, 4, 0);
    OLI_setMarginsCM(s, 1, 0, 0);
}

// The four partial factor tables in two pairs side by side: persistent beside accidental,
// seismic beside serviceability. `actions` lists the rows of each situation.
template <int N>
void Write_Gamma_Tables(FILE* s, const char* columns, int label_width, const char* const* labels,
                        const double (&gamma)[NAD_EC0_SITUATIONS][N][2],
                        const int* const (&actions)[NAD_EC0_SITUATIONS], float right_cm) {
    static const int pairs[2][2] = {{NAD_EC0_PERSISTENT, NAD_EC0_ACCIDENTAL},
                                    {NAD_EC0_SEISMIC, NAD_EC0_SERVICEABILITY}};
    for (int k = 0; k < 2; ++k) {
        const int left = pairs[k][0];
        const int right = pairs[k][1];
        if (k > 0) OLI_reserveSpaceCM(s, 5.0f);
        Begin_Left(s);
        Write_Gamma_Table(s, left, columns, label_width, labels, gamma[left], actions[left]);
        Begin_Right(s, right_cm);
        Write_Gamma_Table(s, right, columns, label_width, labels, gamma[right], actions[right]);
        End_Pair(s);
    }
}

void Write_Title(FILE* s, const char* title, const char* annex_name) {
    NAD_Write_Heading_Block(s, title, annex_name);
    OLI_setYPositionCM(s, 1, -0.5f);
}

// Opens a table of combination factors: its title, the columns and the head row.
void Open_Psi_Table(FILE* s, const char* title, const char* columns, int label_width) {
    std::fprintf(s, "#SHOWTABLE\n0 1 0\n");
    std::fputs(title, s);
    std::fputs(columns, s);
    std::fprintf(s, " %-*s", label_width, "Einwirkung");
    std::fputs("    " EC0_PSI OLI_SEQ_SUB "0" OLI_SEQ_RESET "    " EC0_PSI OLI_SEQ_SUB "1"
               OLI_SEQ_RESET "    " EC0_PSI OLI_SEQ_SUB "2" OLI_SEQ_RESET "\n", s);
}

void Write_Building_Block(FILE* s, const NAD_EC0_Params& p, const char* annex_name) {
    OLI_setFlags(s, 0x380);
    OLI_reserveSpaceCM(s, 6.0f);
    Write_Title(s, " Lastfaktoren (Hochbau) des nationalen Anhangs\n", annex_name);

    // The seismic table leaves out the accidental action and the accidental table the
    // seismic one.
    static const int persistent[] = {0, 1, 2, 3, 4, -1};
    static const int accidental[] = {0, 1, 2, 3, 4, 5, -1};
    static const int seismic[] = {0, 1, 2, 3, 4, 6, -1};
    static const int* const actions[NAD_EC0_SITUATIONS] = {persistent, accidental, seismic, persistent};
    Write_Gamma_Tables(s, "1 0 -1 -1 2\n 34 40\n", 33, building_action_label, p.building_gamma, actions,
                       9.5f);

    OLI_reserveSpaceCM(s, 8.0f);
    std::fprintf(s, "#SHOWTABLE\n0 1 1\n");
    std::fputs(" " OLI_SEQ_EMPH "Kombinationsbeiwerte\n", s);
    std::fputs("  " EC0_PSI OLI_SEQ_SUB "2E" OLI_SEQ_RESET " = " EC0_PSI OLI_SEQ_SUB "2"
               OLI_SEQ_RESET " der Erdbebenbemessungssituation\n", s);
    std::fputs("1 0 -1 -1 4\n 30 41 47 53\n", s);
    std::fputs(" Einwirkung                       Kategorie  " EC0_PSI OLI_SEQ_SUB "0" OLI_SEQ_RESET
               "    " EC0_PSI OLI_SEQ_SUB "1" OLI_SEQ_RESET "    " EC0_PSI OLI_SEQ_SUB "2"
               OLI_SEQ_RESET "    " EC0_PSI OLI_SEQ_SUB "2E" OLI_SEQ_RESET "\n", s);
    for (int c = 0; c < NAD_EC0_BUILDING_CATEGORIES; ++c) {
        const double* psi = p.building_psi[c];
        std::fprintf(s, " %-30s   %-5s   %5.2f %5.2f %5.2f %5.2f\n", building_category_label[c],
                     building_category_letter[c], psi[0], psi[1], psi[2], psi[3]);
    }
    std::fprintf(s, "#END_OF_TEXT\n");
    std::fprintf(s, "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n");
    std::fputs(" " OLI_SEQ_EMPH "Anmerkung:" OLI_SEQ_RESET " Fl\x81ssigkeitsdruck/Maschinenlasten, "
               "Zwang sowie Baugrundsetzungen, sonstige Einwirkungen\n", s);
    std::fputs("            sind nicht Teil der EN 1990 (Eurocode).\n", s);
    std::fprintf(s, "#END_OF_TEXT\n");
    OLI_resetMaxMargin(s);
}

void Write_Psi_Rows(FILE* s, int label_width, const char* const* labels, const double (*psi)[3],
                    int n) {
    for (int i = 0; i < n; ++i)
        std::fprintf(s, " %-*s %5.2f %5.2f %5.2f\n", label_width, labels[i], psi[i][0], psi[i][1],
                     psi[i][2]);
}

void Write_Bridge_Block(FILE* s, const NAD_EC0_Params& p, const char* annex_name) {
    OLI_setFlags(s, 0x380);
    OLI_reserveSpaceCM(s, 6.0f);
    NAD_Get_Current_App();
    if (nad_profile_current) {
        std::fprintf(s, "#SHOWTABLE\n1 0 0\n");
        std::fputs(" Nationale Anh\x84nge zu den Eurocodes\n", s);
        std::fprintf(s, "0 0 -1 -1\n#END_OF_TEXT\n");
    }
    Write_Title(s, " Lastfaktoren (Br\x81" "ckenbau) des nationalen Anhangs\n", annex_name);

    // Every situation shows actions 1 to 11 and 13.
    static const int shown[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, -1};
    static const int* const actions[NAD_EC0_SITUATIONS] = {shown, shown, shown, shown};
    Write_Gamma_Tables(s, "1 0 -1 -1 2\n 38 44\n", 37, bridge_action_label, p.bridge_gamma, actions, 9.0f);

    // Road bridges and footbridges on the left, railway bridges beside them.
    OLI_reserveSpaceCM(s, 11.0f);
    Begin_Left(s);
    Open_Psi_Table(s, " " OLI_SEQ_EMPH "Kombinationsbeiwerte Stra\xE1" "enbr\x81" "cken\n",
                   "1 0 -1 -1 3\n 34 40 46\n", 33);
    Write_Psi_Rows(s, 33, road_label, p.road_psi, NAD_EC0_ROAD_ACTIONS);
    std::fprintf(s, "#END_OF_TEXT\n");
    Open_Psi_Table(s, " " OLI_SEQ_EMPH "Kombinationsbeiwerte Fu\xE1g\x84ngerbr\x81" "cken\n",
                   "1 0 -1 -1 3\n 34 40 46\n", 33);
    Write_Psi_Rows(s, 37, foot_label, p.foot_psi, NAD_EC0_FOOT_ACTIONS);
    std::fprintf(s, "#END_OF_TEXT\n");

    Begin_Right(s, 9.0f);
    OLI_reserveSpaceCM(s, 12.0f);
    Open_Psi_Table(s, " " OLI_SEQ_EMPH "Kombinationsbeiwerte Eisenbahnbr\x81" "cken\n",
                   "1 0 -1 -1 3\n 35 41 47\n", 34);
    for (int i = 0; i < NAD_EC0_RAIL_ACTIONS; ++i) {
        const double* psi = p.rail_psi[i];
        const int width = Rail_Label_Width(i);
        // psi1 of these rows is the alpha factor by the number of loaded tracks.
        if (i == 0 || i == 1 || i == 8)
            std::fprintf(s, " %-*s %5.2f   a   %5.2f\n", width, rail_label[i], psi[0], psi[2]);
        else
            std::fprintf(s, " %-*s %5.2f %5.2f %5.2f\n", width, rail_label[i], psi[0], psi[1],
                         psi[2]);
        if (i == 8) std::fprintf(s, " %-34s\n", "\x9A" "berschreitung der Verkehrslasten");
        if (i == 25) std::fprintf(s, " %-34s\n", "Instandhaltung f\x81r Dienstgehwege");
    }
    std::fprintf(s, "#END_OF_TEXT\n");

    std::fprintf(s, "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n");
    std::fprintf(s, " " OLI_SEQ_EMPH "a " OLI_SEQ_RESET " %4.2f wenn nur 1 Gleis belastet wird\n",
                 p.rail_alpha[0]);
    std::fprintf(s, "    %4.2f wenn 2 Gleise gleichzeitg belastet werden\n", p.rail_alpha[1]);
    std::fprintf(s, "    %4.2f wenn 3 oder mehrere Gleise gleichzeitig\n", p.rail_alpha[2]);
    std::fprintf(s, "    belastet werden\n");
    std::fprintf(s, "#END_OF_TEXT\n");
    OLI_setMarginsCM(s, 1, 0, 0);
    OLI_resetMaxMargin(s);
}

}  // namespace

void NAD_EC0_Write_Report(FILE* stream, const NAD_EC0_Params* params, const char* annex_name) {
    if (stream == nullptr || params == nullptr) return;
    if (annex_name == nullptr) annex_name = "";
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);
    NAD_Scan_App_Profiles();  // reads the profiles on its first call only
    if (NAD_Rule_Visible(0, 0)) Write_Building_Block(stream, *params, annex_name);
    if (NAD_Rule_Visible(0, 1)) Write_Bridge_Block(stream, *params, annex_name);
}

void NAD_EC0_Report(FILE* stream) {
    if (stream == nullptr) return;
    const NAD_EC0_Params* params = NAD_Get_EC0_Params();
    NAD_EC0_Write_Report(stream, params, NAD_Get_Active_Name());
}
