#include "annex/nad_ec5_report.h"

#include <string>

#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex/nad_ec5.h"
#include "annex/nad_report_blocks.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"

// Report texts are code page 850; gamma is a single byte of the report font.
#define EC5_GAMMA "\xC0"
#define EC5_K_CR "k" OLI_SEQ_SUB "cr" OLI_SEQ_RESET

int nad_ec5_row_flags[NAD_EC5_ROW_FLAGS] = {1, 1, 1, 1, 1, 1, 1, 1, 1};

namespace {

bool Shown(int flag) { return nad_ec5_row_flags[flag] != 0; }

// The value column of the clause table is 29 characters wide; markup takes no room.
std::string Value_Cell(const std::string& text) {
    std::string cell = text;
    const int visible = MT_String_Length(text.c_str());
    if (visible < 29) cell.append(static_cast<size_t>(29 - visible), ' ');
    return cell;
}

void Clause_Row(FILE* s, const char* clause, const std::string& value, const char* meaning) {
    std::fprintf(s, " %-12s %s %s\n", clause, Value_Cell(value).c_str(), meaning);
}

void Switch_Row(FILE* s, const char* clause, int on, const char* on_text, const char* off_text,
                const char* meaning) {
    Clause_Row(s, clause, on ? on_text : off_text, meaning);
}

void Gamma_Row(FILE* s, double gamma, const char* material) {
    char value[64];
    std::snprintf(value, sizeof value, EC5_GAMMA OLI_SEQ_SUB "M" OLI_SEQ_RESET " = %.2f", gamma);
    Clause_Row(s, "", value, material);
}

// A clause whose value and meaning run on in one text (the German wall-diaphragm rows).
void Long_Row(FILE* s, const char* clause, const char* text, const char* reference) {
    std::fprintf(s, " %-12s %s%s\n", clause, text, reference);
}

void Write_Crack_Table(FILE* s, int method) {
    std::fprintf(s, "#SHOWTABLE\n0 1 2\n");
    std::fputs(" Rissfaktor\n", s);
    std::fputs(" " EC5_K_CR " zur Ber\x81" "cksichtigung des Einflusses von Rissen auf die "
               "wirksame Querschnittsbreite\n", s);
    std::fputs(" bei der Ermittlung der Schubspannungen aus Querkraft\n", s);
    std::fputs("0 0 -1 -1 0\n", s);
    if (method == 2) {
        std::fputs(" " EC5_K_CR " = 2.0/f" OLI_SEQ_SUB "v,k" OLI_SEQ_RESET " f\x81r Nadelholz\n", s);
        std::fputs(" " EC5_K_CR " = 0.67 f\x81r Laubholz\n", s);
        std::fputs(" " EC5_K_CR " = 2.5/f" OLI_SEQ_SUB "v,k" OLI_SEQ_RESET
                   " f\x81r Brettschichtholz\n", s);
        std::fputs(" " EC5_K_CR " = 1.0 f\x81r andere Holzwerkstoffe\n", s);
    } else {
        std::fputs(" " EC5_K_CR " = 0.67 f\x81r Voll- und Brettschichtholz\n", s);
        std::fputs(" " EC5_K_CR " = 1.00 f\x81r andere Holzwerkstoffe\n", s);
    }
    std::fprintf(s, "#END_OF_TEXT\n");
}

void Write_Clause_Table(FILE* s, const NAD_EC5_Params& p) {
    const double* m = p.gamma_M_material;
    NAD_Open_Clause_Table(s);
    Switch_Row(s, "2.3.1.2(2)P", p.load_duration_table, "Tabelle NA.1 anwenden",
               "Tabelle NA.1 nicht anwenden",
               "Zuordnung von Einwirkungen zu Klassen der Lasteinwirkungsdauer");
    Clause_Row(s, "2.4.1", "", "Teilsicherheitsbeiwerte");
    Gamma_Row(s, p.gamma_M_solid, "Vollholz");
    Gamma_Row(s, p.gamma_M_glulam, "Brettschichtholz");
    Gamma_Row(s, p.gamma_M_clt, "Brettsperrholz");
    Gamma_Row(s, m[NAD_EC5_LVL_PLYWOOD_OSB], "LVL, Sperrholz, OSB");
    Gamma_Row(s, m[NAD_EC5_PARTICLE_BOARD], "Spanplatten");
    Gamma_Row(s, m[NAD_EC5_HARD_FIBREBOARD], "Harte Faserplatten");
    Gamma_Row(s, m[NAD_EC5_MEDIUM_FIBREBOARD], "Mittelharte Faserplatten");
    Gamma_Row(s, m[NAD_EC5_MDF_FIBREBOARD], "MDF-Faserplatten");
    Gamma_Row(s, m[NAD_EC5_SOFT_FIBREBOARD], "Weiche Faserplatten");
    Gamma_Row(s, m[NAD_EC5_CONNECTIONS], "Verbindungen");
    Gamma_Row(s, m[NAD_EC5_PUNCHED_PLATES], "Nagelplatten");
    if (p.na_de_flag) {
        Gamma_Row(s, m[NAD_EC5_STEEL_IN_CONNECTIONS], "Stahl in Verbindungen");
        Gamma_Row(s, m[NAD_EC5_PLASTERBOARD], "Gipskarton, etc.");
        Switch_Row(s, "3.1.3", p.kmod_table, "Tabelle NA.4 anwenden", "Tabelle NA.4 nicht anwenden",
                   "Modifikationsbeiwerte");
        Switch_Row(s, "8.3.2", p.profiled_nail_table, "Tabelle NA.15 anwenden",
                   "Tabelle NA.15 nicht anwenden",
                   "f" OLI_SEQ_SUB "ax" OLI_SEQ_RESET ", f" OLI_SEQ_SUB "head" OLI_SEQ_RESET
                   " f\x81r profilierte N\x84gel");
        Switch_Row(s, "8.3.1.2", p.penetration_depth_rule, "NA.11 anwenden", "NA.11 nicht anwenden",
                   "Einschlagtiefen > 4 d");
        Switch_Row(s, "8.5.3 (2)", p.threaded_rods, "Gewindestangen nach NAD",
                   "keine Gewindestangen", "Gewindestangen zulassen");
        Switch_Row(s, "6.3.3 (7)", p.lateral_torsional_buckling, "Biegedrillknicken nach NAD",
                   "Biegedrillknicken nach EC 5", "Biegedrillknicknachweis");
        Switch_Row(s, "8.2.4 (1)", p.fasteners_simplified, "vereinfachtes Verf. nach NAD",
                   "Verfahren nach EC 5", "Verbindungsmittel");
        Long_Row(s, "9.2.4.2",
                 p.wall_diaphragm_reduction
                     ? "Abminderung der Tragf.        bei hor. Sto\xE1 und kurzen Tafeln"
                     : "Keine Abminderung der Tragf.",
                 " (NA.20)  ");
        Long_Row(s, "9.2.4.2",
                 p.sill_pressure_increase
                     ? "Erh\x94hung der char. Tragf.     bei Schwellenpressung um 20%"
                     : "Keine Erh\x94hung der char. Tragf.",
                 " (NA.21)  ");
        Long_Row(s, "6.1",
                 p.tension_joints
                     ? "Abm. der Zugfestigkeit        bei sym. ausgef\x81hrten Zugverbindungen."
                     : "keine Abm. der Zugfestigkeit      bei sym. ausgef\x81hrten Zugverbindungen.",
                 " (NA.8.1.6)  ");
        Long_Row(s, "8.6",
                 p.steel_part_drilling
                     ? "Bohrlochdurchmesser bei       Stahlteilen um 1mm erh\x94hen"
                     : "keine Erh\x94hung des Bohrlochdurchmessers bei Stahlteilen",
                 " (NA.7)  ");
    }
    std::fputs(" \n", s);
    std::fprintf(s, "#END_OF_TEXT\n");
    // The crack factor follows the clause table: under the German annex its rule, unless
    // the crack factor table stands above already; otherwise the Eurocode values.
    if (p.na_de_flag) {
        if (!Shown(NAD_EC5_FLAG_CRACK)) Write_Crack_Table(s, 2);
    } else {
        Write_Crack_Table(s, 1);
    }
}

}  // namespace

void NAD_EC5_Set_Row_Filter() {
    NAD_Scan_App_Profiles();  // reads the profiles on its first call only
    if (NAD_Use_Rule_Strings()) {
        for (int i = 0; i < NAD_EC5_ROW_FLAGS; ++i) nad_ec5_row_flags[i] = NAD_Rule_Visible(5, i) ? 1 : 0;
        return;
    }
    const int app = NAD_Get_Current_App();
    for (int i = 0; i < NAD_EC5_ROW_FLAGS; ++i) nad_ec5_row_flags[i] = 1;
    if (!nad_profile_current) return;
    if (app == 220 || app == 242) {
        nad_ec5_row_flags[NAD_EC5_FLAG_CLAUSES] = 0;
        nad_ec5_row_flags[NAD_EC5_FLAG_TORSION] = app == 242 ? 1 : 0;
    } else if (app >= 73 && app <= 76) {
        for (int i = 0; i < NAD_EC5_ROW_FLAGS; ++i) nad_ec5_row_flags[i] = 0;
        nad_ec5_row_flags[NAD_EC5_FLAG_CLAUSES] = 1;
    }
}

void NAD_EC5_Write_Report(FILE* s, const NAD_EC5_Params* params, const char* annex_name) {
    if (s == nullptr || params == nullptr) return;
    const NAD_EC5_Params& p = *params;
    if (annex_name == nullptr) annex_name = "";
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(s);
    const bool side_by_side = Shown(NAD_EC5_FLAG_APPLICATION);

    OLI_setFlags(s, 0x380);
    OLI_setMarginsCM(s, 1, 0, 0);
    OLI_reserveSpaceCM(s, 6.0f);

    bool any = false;
    for (int i = NAD_EC5_FLAG_APPLICATION; i <= NAD_EC5_FLAG_CLAUSES; ++i) any = any || Shown(i);
    if (any) {
        std::fprintf(s, "#SHOWTABLE\n1 3 0\n");
        std::fputs(" Ausgew\x84hlte Nachweisparameter des nationalen Anhangs\n", s);
        std::fprintf(s, " %s\n", annex_name);
        std::fputs(" \n", s);
        std::fputs(" DIN EN 1995-1-1 und DIN EN 1995-1-2 (EC5)\n", s);
        std::fputs("0 0 0 0 0\n", s);
        std::fprintf(s, "#END_OF_TEXT\n");
        OLI_setYPositionCM(s, 1, -0.5f);
        if (side_by_side) OLI_storeYPosition(s, 4);
    }

    if (Shown(NAD_EC5_FLAG_MATERIAL)) {
        std::fprintf(s, "#SHOWTABLE\n0 1 0\n");
        std::fputs(" Materialsicherheitsbeiwerte\n", s);
        std::fputs("1 0 -1 -1 2\n 27 45\n", s);
        std::fputs(" Bemessungssituation         Holzart            Wert\n", s);
        std::fprintf(s, " st\x84ndig/vor\x81" "bergehend       Vollholz           %.2f\n", p.gamma_M_solid);
        std::fprintf(s, "                             Brettschichtholz   %.2f\n", p.gamma_M_glulam);
        std::fprintf(s, " au\xE1" "ergew\x94hnlich             alle Arten         %.2f\n",
                     p.gamma_M_accidental);
        std::fprintf(s, " Brandschutz                 alle Arten         %.2f\n", p.gamma_M_fire);
        std::fprintf(s, "#END_OF_TEXT\n");
        if (side_by_side) {
            // The next tables stand beside this one.
            OLI_restoreYPosition(s, 4);
            OLI_setMarginsCM(s, 0x10001, 11.0f, 0);
        }
    }

    static const char* const duration[NAD_EC5_LOAD_DURATIONS] = {
        " st\x84ndig    ", " lange      ", " mittel     ", " kurz       ", " sehr kurz  "};
    if (Shown(NAD_EC5_FLAG_MODIFICATION)) {
        std::fprintf(s, "#SHOWTABLE\n0 1 0\n");
        std::fputs(" Modifikationsbeiwerte\n", s);
        std::fputs("2 0 -1 -1 1\n 10\n", s);
        std::fputs("            Nutzungsklasse\n", s);
        std::fputs(" KLED        1     2     3\n", s);
        for (int d = 0; d < NAD_EC5_LOAD_DURATIONS; ++d)
            std::fprintf(s, "%s%.2f  %.2f  %.2f\n", duration[d], p.k_mod[d][0], p.k_mod[d][1],
                         p.k_mod[d][2]);
        std::fprintf(s, "#END_OF_TEXT\n");
    }
    if (Shown(NAD_EC5_FLAG_DEFORMATION)) {
        std::fprintf(s, "#SHOWTABLE\n0 1 0\n");
        std::fputs(" Verformungsbeiwerte\n", s);
        std::fputs("2 0 -1 -1 1\n 10\n", s);
        std::fputs("            Nutzungsklasse\n", s);
        std::fputs("             1     2     3\n", s);
        std::fprintf(s, " k" OLI_SEQ_SUB "def" OLI_SEQ_RESET "       %.2f  %.2f  %.2f\n", p.k_def[0],
                     p.k_def[1], p.k_def[2]);
        std::fprintf(s, "#END_OF_TEXT\n");
    }
    if (Shown(NAD_EC5_FLAG_DEFLECTION)) {
        const auto& w = p.deflection_limits;
        std::fprintf(s, "#SHOWTABLE\n0 1 1\n");
        std::fputs(" Verformungsgrenzwerte\n", s);
        std::fputs(" gem\x84\xE1 DIN EN 1995-1-1 Abschnitt 7.2 Tab. 7.2\n", s);
        std::fputs("1 0 -1 -1 1\n 10\n", s);
        std::fputs(" Nachweis     normal    Kragarm\n", s);
        std::fprintf(s, " w" OLI_SEQ_SUB "inst" OLI_SEQ_RESET "        l/%3.0f     l/%3.0f\n",
                     w[NAD_EC5_W_INST][0], w[NAD_EC5_W_INST][1]);
        std::fprintf(s, " w" OLI_SEQ_SUB "fin" OLI_SEQ_RESET "         l/%3.0f     l/%3.0f\n",
                     w[NAD_EC5_W_FIN][0], w[NAD_EC5_W_FIN][1]);
        std::fprintf(s, " w" OLI_SEQ_SUB "net,fin" OLI_SEQ_RESET "     l/%3.0f     l/%3.0f\n",
                     w[NAD_EC5_W_NET_FIN][0], w[NAD_EC5_W_NET_FIN][1]);
        std::fprintf(s, "#END_OF_TEXT\n");
        if (side_by_side) {
            OLI_setMarginsCM(s, 1, 0, 0);
            OLI_setYPositionCM(s, 1, -6.2f);
        }
    }
    if (Shown(NAD_EC5_FLAG_CRACK)) Write_Crack_Table(s, p.crack_factor_method);
    if (Shown(NAD_EC5_FLAG_TORSION)) {
        std::fprintf(s, "#SHOWTABLE\n0 2 0\n");
        std::fputs(" Abminderungsfaktor zum Nachweis der Torsionsspannungen:\n", s);
        std::fprintf(s, " k" OLI_SEQ_SUB "shape" OLI_SEQ_RESET " = 1 + %.2f h/b, h\x94" "chstens %.2f\n",
                     p.k_shape_factor, p.k_shape_max);
        std::fputs("0 0 0 0 0\n", s);
        std::fprintf(s, "#END_OF_TEXT\n");
    }
    if (Shown(NAD_EC5_FLAG_NET_DEFLECTION)) {
        std::fprintf(s, "#SHOWTABLE\n0 3 1\n");
        std::fputs(" Ermittlung der Netto-Enddurchbiegung nach EC5 (7.2): \n", s);
        std::fputs(" w" OLI_SEQ_SUB "net,fin" OLI_SEQ_RESET " = w" OLI_SEQ_SUB "inst" OLI_SEQ_RESET
                   " + w" OLI_SEQ_SUB "creep" OLI_SEQ_RESET " - w" OLI_SEQ_SUB "c" OLI_SEQ_RESET
                   " aus\n", s);
        if (p.net_deflection_combination == 2) {
            std::fputs(" quasist\x84ndiger Kombination\n", s);
            std::fputs(" gem\x84\xE1 NAD Deutschland \x8E" "nderung A1, (NA.A1)\n", s);
        } else {
            std::fputs(" charakteristischer Kombination\n", s);
            std::fputs(" gem\x84\xE1 EC5 (7.2) (2.2)...(2.5)\n", s);
        }
        std::fputs("0 0 -1 -1\n", s);
        std::fprintf(s, "#END_OF_TEXT\n");
    }
    if (Shown(NAD_EC5_FLAG_APPLICATION)) {
        std::fprintf(s, "#SHOWTABLE\n0 2 0\n");
        std::fputs(" Ermittlung der bezogenen Kippschlankheit beim Biegedrillknicknachweis "
                   "(nur f\x81r Brettschichtholz):\n", s);
        std::fprintf(s, " Faktor gem\x84\xE1 NCI Zu 6.3.3(2) = %.2f\n", p.slenderness_factor);
        std::fputs("0 0 -1 -1\n", s);
        std::fprintf(s, "#END_OF_TEXT\n");
    }
    if (Shown(NAD_EC5_FLAG_CLAUSES)) Write_Clause_Table(s, p);
}

void NAD_EC5_Report(FILE* stream) {
    if (stream == nullptr) return;
    const NAD_EC5_Params* params = NAD_Get_EC5_Params();
    NAD_EC5_Set_Row_Filter();
    NAD_EC5_Write_Report(stream, params, NAD_Get_Active_Name());
}
