#include "annex/nad_report.h"

#include <cstdio>
#include <string>

#include "annex/app_profiles.h"
#include "annex/nad_choice.h"
#include "annex/nad_ec0_report.h"
#include "annex/nad_ec2_report.h"
#include "annex/nad_ec5_report.h"
#include "annex/nad_file.h"
#include "annex/nad_legacy.h"
#include "annex/nad_report_blocks.h"
#include "annex/nad_set.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"

// Report-font bytes (code page 850), spliced as separate literals.
#define UML_ae "\x84"
#define UML_oe "\x94"
#define UML_ue "\x81"
#define UML_sz "\xE1"
#define GAMMA "\xC0"
#define LAMBDA "\xC5"
#define BETA "\xBB"
#define SUB(text) OLI_SEQ_SUB text OLI_SEQ_RESET

int nad_ec3_row_visible[NAD_EC3_ROW_RULES];
int nad_ec6_row_visible[NAD_EC6_ROW_RULES];
int nad_ec9_row_visible[NAD_EC9_ROW_RULES];

namespace {

// The row of a factor: the clause in its column, the symbol padded to 7 visible
// characters (its in-band sequences take no room), the value and the meaning, so that
// the meaning starts at the column of the other rows.
void Factor_Row(FILE* stream, const char* clause, const char* symbol, const char* format, double value,
                const char* meaning)
{
    std::string padded = symbol;
    int visible = MT_String_Length(symbol);
    if (visible < 7) padded.append(static_cast<size_t>(7 - visible), ' ');
    char number[64];
    std::snprintf(number, sizeof number, format, value);
    std::fprintf(stream, " %-12s %s = %s               %-40s\n", clause, padded.c_str(), number, meaning);
}

void Factor_Row(FILE* stream, const char* symbol, double value, const char* meaning)
{
    Factor_Row(stream, "", symbol, "%-5.2f", value, meaning);
}

// The three factors of 6.1(1) of one design situation (gamma_M2 with rule 1).
void Steel_Factor_Rows(FILE* stream, const double* gamma_M)
{
    Factor_Row(stream, GAMMA SUB("M0"), gamma_M[0], "Querschnittsversagen");
    Factor_Row(stream, GAMMA SUB("M1"), gamma_M[1], "Stabilit" UML_ae "tsversagen");
    if (nad_ec3_row_visible[1]) Factor_Row(stream, GAMMA SUB("M2"), gamma_M[2], "Bruchversagen infolge Zug");
}

} // namespace

// ---------------------------------------------------------------------------------
// EN 1993 report tables

// EN 1993-1-1 and 1-2: imperfections, partial factors, lateral-torsional buckling, fire.
void NAD_EC3_1_Report_Rows(FILE* stream, const NAD_EC3_1_Params& p, const char* annex_name)
{
    const int* rule = nad_ec3_row_visible;
    if (!rule[0] && !rule[5] && !rule[9] && !rule[10]) return;
    NAD_Write_Norm_Title(stream, 12, annex_name);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_Open_Clause_Table(stream);
    if (rule[10]) {
        static const char* const curve[5] = {"a0", "a", "b", "c", "d"};
        std::fputs(" 5.3.2(3)b)   e" SUB("0") "/L   elastisch  plastisch   eingepr" UML_ae
                   "gte Vorkr" UML_ue "mmung von Bauteilen\n",
                   stream);
        for (int i = 0; i < 5; ++i)
            std::fprintf(stream, "              %-5s  1/%-7.0f  1/%.0f\n", curve[i], p.e0_elastic[i], p.e0_plastic[i]);
    }
    if (rule[0]) {
        std::fputs(" 6.1(1)       st" UML_ae "ndige/vor" UML_ue "berg. Situation  Teilsicherheitsbeiwerte f" UML_ue "r Baustahl\n",
                   stream);
        if (rule[2])
            std::fputs("                                            bzw. Beanspruchbarkeit von Schrauben,\n"
                       "                                            Schwei" UML_sz "naht, Blech auf Lochleibung\n",
                       stream);
        Steel_Factor_Rows(stream, p.gamma_M);
        if (rule[4]) {
            std::fputs("              au" UML_sz "ergew" UML_oe "hnliche Situation\n", stream);
            Steel_Factor_Rows(stream, p.gamma_M_accidental);
        }
    }
    if (rule[5]) {
        std::fprintf(stream, " 6.3.2.2(2)   Faktor f %-15s      Allgemeiner Fall: Faktor f zur Modifizierung\n",
                     p.f_modification_flag ? "ansetzen" : "nicht ansetzen");
        Factor_Row(stream, "6.3.2.3(1)", LAMBDA SUB("LT,0"), "%-5.3f", p.lambda_LT0, "Schlankheitsgrad Gl. (6.57)");
        Factor_Row(stream, BETA, p.beta, "Korrekturfaktor Gl. (6.57)");
        if (p.kc_flag)
            Factor_Row(stream, "6.3.2.3(2)", "k" SUB("c"), "%-5.3f", p.kc, "Korrekturbeiwert");
        else
            std::fputs(" 6.3.2.3(2)   k" SUB("c") " aus Tabelle 6.6            Korrekturbeiwert\n", stream);
        if (p.f_flag == 0) Factor_Row(stream, "f", p.f, "Faktor f zur Modifizierung");
    }
    if (rule[9]) {
        Factor_Row(stream, "2.3(1)", GAMMA SUB("M,fi"), "%-5.2f", p.gamma_M_fi,
                   "Brandfall: Teilsicherheitsbeiwert f" UML_ue "r");
        std::fputs("                                                       mechanisches Versagen\n", stream);
    }
    std::fputs("#END_OF_TEXT\n", stream);
}

namespace {
const char* const connection_symbol[6] = {
    GAMMA SUB("M2"), GAMMA SUB("M3"), GAMMA SUB("M3,ser"), GAMMA SUB("M4"), GAMMA SUB("M5"), GAMMA SUB("M7"),
};
const char* const connection_meaning[6] = {
    "Schrauben, Bolzen, Schwei" UML_sz "n" UML_ae "hte, Bleche",
    "Gleitfestigkeit (Kat.C, GZT)",
    "Gleitfestigkeit (Kat.B, GZG)",
    "Hohlprofile in Fachwerken",
    "Bolzen (GZG)",
    "Vorspannung hochfester Schrauben",
};
} // namespace

// EN 1993-1-8: the partial factors of connections.
void NAD_EC3_8_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name)
{
    if (!nad_ec3_row_visible[0] || !nad_ec3_row_visible[3]) return;
    NAD_Write_Norm_Title(stream, 13, annex_name);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_Open_Clause_Table(stream);
    std::fputs(" 2.2(2)                                     Teilsicherheitsbeiwerte f" UML_ue "r Anschl" UML_ue "sse\n",
               stream);
    for (int i = 0; i < 6; ++i) Factor_Row(stream, connection_symbol[i], p.gamma_M_connection[i], connection_meaning[i]);
    std::fputs("#END_OF_TEXT\n", stream);
}

// EN 1993-1-5: shear lag and shear buckling.
void NAD_EC3_1_5_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name)
{
    if (!nad_ec3_row_visible[6]) return;
    NAD_Write_Norm_Title(stream, 24, annex_name);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_Open_Clause_Table(stream);
    std::fprintf(stream, " 3.1(1)       Anmerkung %d                   zur Ber" UML_ue "cksichtigung der Schubverzerrungen\n",
                 p.shear_lag_note);
    Factor_Row(stream, "5.1(2)", "\xC1", "%-5.2f", p.eta, "Beiwert zur Berechnung des Schubbeulens");
    std::fputs("#END_OF_TEXT\n", stream);
}

// EN 1993-1-9: partial factors of the fatigue strength by consequence of failure.
void NAD_EC3_1_9_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name)
{
    if (!nad_ec3_row_visible[7]) return;
    NAD_Write_Norm_Title(stream, 26, annex_name);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_Open_Clause_Table(stream);
    std::fputs(" 3(7)         Schadensfolgen                Teilsicherheitsbeiwert f" UML_ue "r Erm" UML_ue "dung\n", stream);
    std::fputs("              niedrig   hoch\n", stream);
    std::fprintf(stream, "              %-5.2f     %-5.2f               Schadenstoleranz\n", p.gamma_Mf[0], p.gamma_Mf[1]);
    std::fprintf(stream, "              %-5.2f     %-5.2f               Versagen ohne Vorank" UML_ue "ndigung\n",
                 p.gamma_Mf[2], p.gamma_Mf[3]);
    std::fputs("#END_OF_TEXT\n", stream);
}

// EN 1993-6: the partial factor of the serviceability limit state.
void NAD_EC3_6_Report_Rows(FILE* stream, const NAD_EC3_8_Params& p, const char* annex_name)
{
    if (!nad_ec3_row_visible[8]) return;
    NAD_Write_Norm_Title(stream, 27, annex_name);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_Open_Clause_Table(stream);
    Factor_Row(stream, "7.5(1)", GAMMA SUB("M,ser"), "%-5.2f", p.gamma_M_ser, "Teilsicherheitsbeiwert (GZG)");
    std::fputs("#END_OF_TEXT\n", stream);
}

// The same tables for the annex in force, each after filling the row flags.
void NAD_EC3_1_Report_Rows(FILE* stream)
{
    const NAD_EC3_Params* part = stream ? NAD_Get_EC3_Params() : nullptr;
    if (!part) return;
    NAD_EC3_Set_Row_Filter();
    NAD_EC3_1_Report_Rows(stream, part->ec3_1, NAD_Report_Annex_Name());
}

namespace {
void Active_EC3_8_Table(FILE* stream, void (*table)(FILE*, const NAD_EC3_8_Params&, const char*))
{
    const NAD_EC3_Params* part = stream ? NAD_Get_EC3_Params() : nullptr;
    if (!part) return;
    NAD_EC3_Set_Row_Filter();
    table(stream, part->ec3_8, NAD_Report_Annex_Name());
}
} // namespace

void NAD_EC3_8_Report_Rows(FILE* stream) { Active_EC3_8_Table(stream, NAD_EC3_8_Report_Rows); }
void NAD_EC3_1_5_Report_Rows(FILE* stream) { Active_EC3_8_Table(stream, NAD_EC3_1_5_Report_Rows); }
void NAD_EC3_1_9_Report_Rows(FILE* stream) { Active_EC3_8_Table(stream, NAD_EC3_1_9_Report_Rows); }
void NAD_EC3_6_Report_Rows(FILE* stream) { Active_EC3_8_Table(stream, NAD_EC3_6_Report_Rows); }

// ---------------------------------------------------------------------------------
// EN 1993, EN 1996 and EN 1999 reports

void NAD_EC3_Set_Row_Filter()
{
    NAD_Scan_App_Profiles();
    for (int& flag : nad_ec3_row_visible) flag = 0;
    if (NAD_Use_Rule_Strings()) {
        for (int k = 0; k < NAD_EC3_ROW_RULES; ++k) nad_ec3_row_visible[k] = NAD_Rule_Visible(3, k);
        return;
    }
    auto set = [](std::initializer_list<int> rules) {
        for (int k : rules) nad_ec3_row_visible[k] = 1;
    };
    switch (NAD_Get_Current_App()) {
    case 150: set({0, 1, 2, 3}); break;
    case 151: set({0, 1, 4, 5}); break;
    case 152:
    case 153: set({0, 1, 2}); break;
    case 154: set({0, 1, 2, 6}); break;
    case 34:
    case 242: set({0, 4}); break;
    default: break;
    }
    if (nad_no_profile)
        for (int& flag : nad_ec3_row_visible) flag = 1;
}

void NAD_EC3_Write_Report(FILE* stream, const NAD_EC3_Params* part, const char* annex_name)
{
    if (!stream || !part) return;
    if (!annex_name) annex_name = "";
    OLI_Finish_Pending_Line(stream);
    NAD_EC3_1_Report_Rows(stream, part->ec3_1, annex_name);
    NAD_EC3_8_Report_Rows(stream, part->ec3_8, annex_name);
    NAD_EC3_1_5_Report_Rows(stream, part->ec3_8, annex_name);
    NAD_EC3_1_9_Report_Rows(stream, part->ec3_8, annex_name);
    NAD_EC3_6_Report_Rows(stream, part->ec3_8, annex_name);
}

void NAD_EC3_Report(FILE* stream)
{
    if (!stream) return;
    const NAD_EC3_Params* part = NAD_Get_EC3_Params();
    if (!part) return;
    OLI_setFlags(stream, 896);
    OLI_setMarginsCM(stream, 1, 0.0f, 0.0f);
    OLI_reserveSpaceCM(stream, 6.0f);
    NAD_Write_Annex_Heading(stream);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_EC3_Set_Row_Filter();
    NAD_EC3_Write_Report(stream, part, NAD_Report_Annex_Name());
}

void NAD_EC6_Set_Row_Filter()
{
    NAD_Scan_App_Profiles();
    if (NAD_Use_Rule_Strings()) {
        nad_ec6_row_visible[0] = NAD_Rule_Visible(6, 0);
        nad_ec6_row_visible[1] = NAD_Rule_Visible(6, 1);
        return;
    }
    const int app = NAD_Get_Current_App();
    nad_ec6_row_visible[0] = 1;
    nad_ec6_row_visible[1] = app == 100 || app == 94;
}

void NAD_EC6_Write_Report(FILE* stream, const NAD_EC6_Params* part)
{
    if (!stream || !part) return;
    OLI_Finish_Pending_Line(stream);
    NAD_Write_Norm_Title(stream, 22, nullptr);
    OLI_setYPositionCM(stream, 1, -0.5f);
    OLI_setMarginsCM(stream, 1, 0.0f, 0.0f);
    NAD_Open_Clause_Table(stream);
    if (nad_ec6_row_visible[0]) {
        std::fputs(" 2.4.3                                      Teilsicherheitsbeiwerte f" UML_ue "r Mauerwerk\n"
                   "                                            im Grenzzustand der Tragf" UML_ae "higkeit f" UML_ue
                   "r die\n",
                   stream);
        Factor_Row(stream, GAMMA SUB("M"), part->gamma_M,
                   "- st" UML_ae "ndige und vor" UML_ue "bergehende Bemessungssituation");
        if (nad_ec6_row_visible[1]) {
            Factor_Row(stream, GAMMA SUB("M"), part->gamma_M_accidental,
                       "- au" UML_sz "ergew" UML_oe "hnliche Bemessungssituation");
            Factor_Row(stream, GAMMA SUB("M"), part->gamma_M_seismic, "- Erdbeben-Bemessungssituation");
        }
        Factor_Row(stream, "2.4.4", GAMMA SUB("M"), "%-5.2f", part->gamma_M_ser,
                   "im Grenzzustand der Gebrauchstauglichkeit");
    }
    std::fputs("#END_OF_TEXT\n", stream);
}

void NAD_EC6_Report(FILE* stream)
{
    if (!stream) return;
    const NAD_EC6_Params* part = NAD_Get_EC6_Params();
    if (!part) return;
    NAD_EC6_Set_Row_Filter();
    OLI_setFlags(stream, 0x380);
    OLI_reserveSpaceCM(stream, 6.0f);
    NAD_Write_Annex_Heading(stream);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_EC6_Write_Report(stream, part);
}

void NAD_EC9_Set_Row_Filter()
{
    NAD_Scan_App_Profiles();
    const bool rules = NAD_Use_Rule_Strings() != 0;
    for (int k = 0; k < NAD_EC9_ROW_RULES; ++k) nad_ec9_row_visible[k] = rules ? NAD_Rule_Visible(9, k) : 1;
}

void NAD_EC9_Write_Report(FILE* stream, const NAD_EC9_Params* part)
{
    if (!stream || !part) return;
    OLI_Finish_Pending_Line(stream);
    NAD_Write_Norm_Title(stream, 29, nullptr);
    OLI_setYPositionCM(stream, 1, -0.5f);
    NAD_Open_Clause_Table(stream);
    const int* rule = nad_ec9_row_visible;
    if (rule[0]) {
        std::fputs(" 6.1.3(1)     Teilsicherheitsbeiwerte f" UML_ue "r   Querschnitte / Bauteile \n", stream);
        Factor_Row(stream, GAMMA SUB("M0"), part->gamma_M0, "Querschnittsversagen");
        Factor_Row(stream, GAMMA SUB("M1"), part->gamma_M1, "Stabilit" UML_ae "tsversagen");
        if (rule[1]) Factor_Row(stream, GAMMA SUB("M2"), part->gamma_M2, "Bruchversagen infolge Zug");
    }
    std::fputs(" 6.2.1(5)     Beanspruchbark. d. Querschn.\n", stream);
    Factor_Row(stream, "C", part->C, "Konstante, ANMERKUNG 2");
    if (rule[0] && rule[2]) {
        std::fputs(" 8.1.1(2)     Teilsicherheitsbeiwerte f" UML_ue "r   Anschl" UML_ue "sse\n", stream);
        Factor_Row(stream, GAMMA SUB("Mp"), part->gamma_Mp, "Bolzenverbindungen");
        Factor_Row(stream, GAMMA SUB("Mw"), part->gamma_Mw, "Schwei" UML_sz "verbindungen");
        Factor_Row(stream, GAMMA SUB("Ms,ser"), part->gamma_Ms_ser, "Gleitwiderstand im GZ d. Gebrauchst.");
        Factor_Row(stream, GAMMA SUB("Ms,ult"), part->gamma_Ms_ult, "Gleitwiderstand im GZ d. Tragf.");
        Factor_Row(stream, GAMMA SUB("Ma"), part->gamma_Ma, "Geklebte Verbindungen");
        Factor_Row(stream, GAMMA SUB("Mp,ser"), part->gamma_Mp_ser, "Bolzen im GZ d. Gebrauchst.");
    }
    std::fputs("#END_OF_TEXT\n", stream);
}

void NAD_EC9_Report(FILE* stream)
{
    if (!stream) return;
    const NAD_EC9_Params* part = NAD_Get_EC9_Params();
    if (!part) return;
    NAD_EC9_Set_Row_Filter();
    OLI_setFlags(stream, 0x380);
    OLI_reserveSpaceCM(stream, 6.0f);
    NAD_EC9_Write_Report(stream, part);
}

// ---------------------------------------------------------------------------------
// Printers, export and entries

void NAD_Print_Load_Factor_Report(FILE* stream) { NAD_EC0_Report(stream); }

void NAD_Print_Part_Reports(FILE* stream)
{
    if (!stream) return;
    NAD_EC2_Report(stream);
    NAD_EC3_Report(stream);
    NAD_EC5_Report(stream);
    NAD_EC6_Report(stream);
    NAD_EC9_Report(stream);
}

int NAD_Export_Active_Set(const char* path_stem)
{
    if (!path_stem) return 0;
    NAD_Get_EC2_Params();  // makes sure an annex is chosen and loaded
    const std::string path = std::string(path_stem) + "_EC2.NAD";
    Atomic_File file(path.c_str());
    if (!file.Stream()) return 0;
    NAD_Write_Set(file.Stream(), &active_nad_set);
    return file.Commit() ? 1 : 0;
}

int NAD_Legacy_Hook() { return 0; }

void NAD_Open_Selection_Sheet_Alt() { NAD_Open_Selection_Sheet(); }

void NAD_Save_Choice_Alt(FILE* stream, int unused) { NAD_Save_Choice(stream, unused); }

void NAD_Print_Load_Factors(FILE* stream) { NAD_Print_Load_Factor_Report(stream); }

void NAD_Print_Load_Factors_Alt(FILE* stream) { NAD_Print_Load_Factor_Report(stream); }

int NAD_Read_Legacy_Choice_Alt(FILE* stream) { return NAD_Read_Legacy_Choice(stream); }
