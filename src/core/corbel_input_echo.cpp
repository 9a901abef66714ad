// The input echo of the corbel report.
#include "core/corbel_input_echo.h"

#include <string>

#include "base/rebar.h"
#include "core/concrete_cover.h"
#include "core/corbel_model.h"
#include "core/corbel_text_bytes.h"
#include "core/corbel_work.h"
#include "core/design_load_case.h"
#include "core/load_tables.h"
#include "core/safety_factor_display.h"
#include "material/class_names.h"
#include "material/material_set.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"
#include "report/string_format.h"
#include "report/text_utils.h"
#include "report/text_writer.h"
#include "report/verdicts.h"

namespace {

// Report font symbols of the material lines.
#define EPSILON "\xBE"
#define PER_MILLE "\x89"
#define SIGMA "\xCC"
#define SUB OLI_SEQ_SUB
#define SUP OLI_SEQ_SUP
#define END OLI_SEQ_RESET
#define RHO "\xCB"

// Material-module indices from which a class is the user's own: its values are always
// echoed, since no class name tells the reader what they are.
constexpr int FIRST_USER_CONCRETE = 30;
constexpr int FIRST_USER_STEEL = 13;

// Designations of the design procedures by method index; 0 and 5 are the classic and the
// refined strut-and-tie models.
const char* const procedure_names[] = {
    "Stabwerk klassisch",   // 0
    "Heft 399, DAfStb",     // 1
    "Heft 600, DAfStb",     // 2
    "EC 2-1-1, 6.5",        // 3
    "Heft 430, DAfStb",     // 4
    "Stabwerk verfeinert",  // 5
};
constexpr int PROCEDURE_COUNT = sizeof(procedure_names) / sizeof(procedure_names[0]);

// A class name as the report shows it: blanks trimmed, "???" when nothing is left.
std::string Shown_Class_Name(const char* name)
{
    std::string text = name ? name : "";
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "???";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The concrete as the position has it: a lightweight concrete by its LC class (or as the
// user's own) and its dry density.
std::string Concrete_Name(const Corbel_Model& m)
{
    int lightweight = 0;
    const int concrete = Map_Concrete_Class_Index(m.concrete_class, &lightweight, m.density);
    if (!lightweight) return Shown_Class_Name(Get_Concrete_Class_Name(concrete));
    const int lc_row = concrete - CONCRETE_FIRST_CLASS;
    const char* name = lc_row >= 0 && lc_row < CONCRETE_LC_COUNT ? lightweight_concrete_class_names[lc_row]
                                                                  : Get_Concrete_Class_Name(concrete);
    return Shown_Class_Name(name) + " (" RHO " = " + Format_String("%.0lf", m.density) + " kg/m" SUP "3" END ")";
}

bool Load_Corbel_On_Column(const Corbel_Model& m)
{
    return m.system == SYSTEM_LOAD_CORBEL && m.connection == CONNECTION_COLUMN;
}

// A directly loaded single load corbel on a column with the fatigue check on: the only
// corbel whose echo names the fatigue materials, factors and parameters.
bool Fatigue_Case(const Corbel_Model& m)
{
    return Load_Corbel_On_Column(m) && m.execution == EXECUTION_SINGLE &&
           m.load_transfer == LOAD_TRANSFER_DIRECT && m.fatigue_check;
}

void Write_Cross_Section(FILE* f, const Corbel_Model& m, const char* p)
{
    const bool single = m.execution == EXECUTION_SINGLE;
    const bool load_corbel = m.system == SYSTEM_LOAD_CORBEL;
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Querschnitt" END, p);
    OLI_Printf(f, " (%s", single ? "Einzelkonsole" : "Tr" UML_ae "gerkonsole");
    if (!single && m.at_slab) OLI_Printf(f, " an einer Platte");
    OLI_Printf(f, ")\n");

    if (single) {
        if (load_corbel)
            OLI_Printf(f, "%sKonsole an eine%s\n", p,
                       m.connection == CONNECTION_BEAM ? "m Tr" UML_ae "ger" : "r St" UML_ue "tze");
        if (Load_Corbel_On_Column(m)) {
            OLI_Printf(f, "%sSt" UML_ue "tze: b = %.1lf cm, h = %.1lf cm\n", p, m.b, m.h);
        } else {
            OLI_Printf(f, "%sTr" UML_ae "ger: b = %.1lf cm, h = %.1lf cm, Achsabstand (Bemessung): d" SUB "1" END
                          " = %.1lf cm",
                       p, m.b, m.h, m.d1);
            OLI_Printf(f, ", e" SUB "1" END " = %.1lf cm\n", m.e1);
        }
    } else {
        // A load corbel hangs from the side of the beam: h is the beam's width and the beam
        // height its depth. The slab line of a load corbel follows the same reading
        // (slab thickness, then the width of the flush downstand beam).
        if (!m.at_slab) {
            OLI_Printf(f, "%sBalken: b = %.1lf cm, h = %.1lf cm", p, load_corbel ? m.h : m.beam_height,
                       load_corbel ? m.beam_height : m.h);
        } else {
            OLI_Printf(f, "%sPlatte: h = %.1lf cm", p, load_corbel ? m.beam_height : m.h);
            OLI_Printf(f, ", deckengleicher Unterzug: b = %.1lf cm", load_corbel ? m.h : m.beam_height);
        }
        OLI_Printf(f, ", Achsabstand (Bemessung): e" SUB "1" END " = %.1lf cm\n", m.e1);
    }

    OLI_Printf(f, "%sKonsole: l" SUB "k" END " = %.1lf cm, h" SUB "k" END " = %.1lf cm", p, m.lk, m.hk);
    if (Load_Corbel_On_Column(m) && m.hk_end > 0.01) OLI_Printf(f, ", h" SUB "k" END "' = %.1lf cm", m.hk_end);
    OLI_Printf(f, ", Achsabstand (Bemessung): d" SUB "1k" END " = %.1lf cm\n", m.d1k);

    if (m.lp > 0.01) {
        if (single)
            OLI_Printf(f, "%sLagerplatte: l" SUB "p" END " = %.1lf cm, b" SUB "p" END " = %.1lf cm\n", p, m.lp, m.bp);
        else
            OLI_Printf(f, "%sLagerplatte: l" SUB "p" END " = %.1lf cm\n", p, m.lp);
    }
}

// "Beton"/"Bewehrung" with the clause and a tab when details are shown, else ": " alone.
void Write_Material_Label(FILE* f, const char* word, const char* clause, bool details)
{
    if (details)
        OLI_Printf(f, "%s%s: " OLI_SEQ_TAB, word, clause);
    else
        OLI_Printf(f, "%s: ", word);
}

// The steel values; the label names the characteristic strain εuk, which is what is printed.
void Write_Steel_Values(FILE* f, double euk, double fy, double ft, double Es)
{
    OLI_Printf(f,
               ", " EPSILON SUB "uk" END " = %.1lf" PER_MILLE ", f" SUB "yd" END " = %.2lf N/mm" SQUARE
               ", f" SUB "td" END " = %.2lf N/mm" SQUARE ", E" SUB "s" END " = %.1lf N/mm" SQUARE,
               euk, fy, ft, Es);
}

void Write_Materials(FILE* f, const Corbel_Model& m, const char* p, int detail_level)
{
    const bool details = detail_level == 2 ||
                         (detail_level == 1 && m.print_options.switches[EC2_PRINT_INTERMEDIATE]);
    const int concrete = Map_Concrete_Class_Index(m.concrete_class, nullptr, m.density);
    const int steel = Map_Steel_Class_Index(m.steel_class[0]);
    const std::string concrete_name = Concrete_Name(m);
    const std::string steel_name = Shown_Class_Name(Get_Steel_Class_Name(steel, 0));

    const double tab = 22.0;
    OLI_Set_Tab_Stops(2, nullptr, &tab, 1);
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Materialkennwerte\n", p);
    OLI_Printf(f, "%s", p);
    Write_Material_Label(f, "Beton", " n. EC 2, 3.1.7(1)", details);
    OLI_Printf(f, "%s", concrete_name.c_str());
    if (details || concrete >= FIRST_USER_CONCRETE) {
        OLI_Printf(f,
                   ", " EPSILON SUB "c2" END " = %.2lf" PER_MILLE ", " EPSILON SUB "cu2" END " = %.2lf" PER_MILLE
                   ", f" SUB "cd" END " = %.2lf N/mm" SQUARE,
                   m.eps_c2, m.eps_cu2, m.fcd);
        OLI_Printf(f, "\n%s", p);
    } else {
        OLI_Printf(f, ", ");
    }
    Write_Material_Label(f, "Bewehrung", " n. EC 2, 3.2.7(2a)", details);
    OLI_Printf(f, "%s", steel_name.c_str());
    if (details || steel >= FIRST_USER_STEEL) Write_Steel_Values(f, m.euk[0], m.fyd[0], m.ftd[0], m.Es[0]);
    OLI_Printf(f, "\n");
    const std::string bridge_steel = Bridge_Steel_Line(m);
    if (!bridge_steel.empty()) OLI_Printf(f, "%s%s\n", p, bridge_steel.c_str());

    if (details && Fatigue_Case(m)) {
        // The fatigue check works with the serviceability factor of the steel; a missing
        // factor gives no design strength rather than an infinite one.
        const double gamma_s = m.safety_factors.gamma_s_sls;
        const double fy = gamma_s > 0.001 ? m.fyk[0] / gamma_s : 0.0;
        const double ft = gamma_s > 0.001 ? m.ftk[0] / gamma_s : 0.0;
        OLI_Printf(f, "%s" OLI_SEQ_EMPH "Erm" UML_ue "dung\n", p);
        OLI_Printf(f, "%s", p);
        Write_Material_Label(f, "Beton", " n. EC 2, 3.1.5(1)", true);
        OLI_Printf(f, "%s", concrete_name.c_str());
        OLI_Printf(f,
                   ", " EPSILON SUB "c1" END " = %.2lf" PER_MILLE ", " EPSILON SUB "cu1" END " = %.2lf" PER_MILLE
                   ", f" SUB "cm" END " = %.2lf N/mm" SQUARE,
                   m.eps_c1, m.eps_cu1, m.fcm);
        OLI_Printf(f, "\n%s", p);
        Write_Material_Label(f, "Bewehrung", " n. EC 2, 3.2.7(2a)", true);
        OLI_Printf(f, "%s", steel_name.c_str());
        Write_Steel_Values(f, m.euk[0], fy, ft, m.Es[0]);
        OLI_Printf(f, "\n");
    }
    OLI_Clear_Tab_Stops();
}

void Write_Partial_Factors(FILE* f, const Corbel_Model& m, const char* p)
{
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Materialsicherheitsbeiwerte\n", p);
    if (m.safety_factors.from_annex == 0)
        OLI_Printf(f, "%s" OLI_SEQ_VERSION "unabh" UML_ae "ngig von den Vorgaben des Eurocodes\n", p);
    switch (m.design_situation) {
    case SITUATION_PERSISTENT: OLI_Printf(f, "%sBemessungssituation: Grundkombination\n", p); break;
    case SITUATION_SEISMIC: OLI_Printf(f, "%sBemessungssituation: Erdbeben-Kombination\n", p); break;
    case SITUATION_ACCIDENTAL:
        OLI_Printf(f, "%sBemessungssituation: au" UML_ss "ergew" UML_oe "hnliche Kombination\n", p);
        break;
    default: break;
    }
    const int ultimate = SAFETY_FACTOR_CONCRETE | SAFETY_FACTOR_STEEL | SAFETY_FACTOR_ULS;
    Write_Safety_Factor_Lines(&m.safety_factors, f, Fatigue_Case(m) ? ultimate | SAFETY_FACTOR_SLS : ultimate);
}

void Write_Parameters(FILE* f, const Corbel_Model& m, const char* p)
{
    const bool on_column = Load_Corbel_On_Column(m);
    const bool indirect = m.load_transfer == LOAD_TRANSFER_INDIRECT;
    OLI_Printf(f, "%s" OLI_SEQ_EMPH "Parameter\n", p);
    OLI_Printf(f, "%sLastangriff bei " DELTA "a = %.1lf cm, " DELTA "h = %.1lf cm\n", p, m.load_a, m.load_height);
    OLI_Printf(f, "%sBemessungsverfahren n. %s\n", p,
               m.method >= 0 && m.method < PROCEDURE_COUNT ? procedure_names[m.method] : "???");

    if (on_column)
        OLI_Printf(f, "%sLastkonsole, %se Lasteinleitung\n", p, indirect ? "indirekt" : "direkt");
    else
        OLI_Printf(f, "%s%skonsole, Lasteinleitung mit Variante %d\n", p,
                   m.system == SYSTEM_LOAD_CORBEL ? "Last" : "Auflager", indirect ? 2 : 1);
    if (indirect) {
        OLI_Printf(f, on_column ? "%sVerteilungszahl %.2lf (Lastanteil der Aufh" UML_ae "ngebewehrung)\n"
                                : "%sVerteilungszahl %.2lf (Lastanteil der vertikalen Bewehrung)\n",
                   p, m.load_share);
        OLI_Printf(f, "%sNeigungswinkel der Schr" UML_ae "gbewehrung %.1lf" DEGREE "\n", p, m.inclination);
    }
    if (!(on_column && indirect)) {
        // A dry joint raises H to 0.2 A only on a bearing plate; without one the choice
        // stays in the input, unused, and the echo says so.
        if (m.bed_joint == 1 && !Has_Bearing_Plate(m))
            OLI_Printf(f, "%sLagerfuge trocken: ohne Lagerplatte nicht angesetzt\n", p);
        else if (m.lp > 0.01)
            OLI_Printf(f, "%sLagerpressung: Lagerfuge %s\n", p, m.bed_joint == 1 ? "trocken" : "Gleit-/Elastomerlager");
    }
    // The strut angle comes from the shear design of the supporting beam; the load tables
    // that follow end the line.
    if (m.execution == EXECUTION_SINGLE && !on_column && m.method == 3)
        OLI_Printf(f, "%saus Schubbemessung des Tr" UML_ae "gers: Druckstrebenwinkel " THETA " = %.1lf" DEGREE "%s", p,
                   m.strut_angle, m.strut_angle_mode == 0 ? " (minimal)" : "");
    if (Fatigue_Case(m)) {
        OLI_Printf(f, "%sErm" UML_ue "dungsnachweis n. 6.8.6(2) + 6.8.7(2) (vereinfachtes Verfahren)\n", p);
        OLI_Printf(f, "%s  Spannungsdifferenz der Bewehrung " DELTA SIGMA SUB "s" END " = %.1lf N/mm" SQUARE ", ", p,
                   m.stress_range);
        OLI_Printf(f, " Erstbelastung des Betons nach t" SUB "0" END " = %.0lf d\n", m.first_loading);
    }
}

// The cover rule for the exposure classes, with the chosen bars once for the vertical and
// once for the horizontal cover; written into f when it is given.
void Check_Durability(FILE* f, Corbel_Model& m, int detail_level)
{
    const int corrosion = m.exposure_first[0];
    const int attack = m.exposure_first[1];
    const Corbel_Rebar_Choice& r = m.rebar;
    double results[2] = {0.0, 0.0};
    int checks = 0;
    if (!m.rebar_chosen) {
        results[checks++] = Check_Concrete_Cover(corrosion, attack, 0, 0.0, 0.0, 0.0, m.fck, 0.0, "", f, detail_level);
    } else if (r.layers >= 1) {
        const double phi_s = Get_Rebar_Diameter_Cm(r.layer_diameter[0], -1.0);
        const double phi_sb = (r.group[0].legs > 1 && r.group[0].count > 0)
                                  ? Get_Rebar_Diameter_Cm(r.group[0].diameter, -1.0)
                                  : 0.0;
        results[checks++] = Check_Concrete_Cover(corrosion, attack, 0, phi_s, phi_sb, 0.0, m.fck, r.cover_v,
                                                 "vertikal", f, detail_level);
        results[checks++] = Check_Concrete_Cover(corrosion, attack, 0, phi_s, 0.0, 0.0, m.fck, r.cover_h,
                                                 "horizontal", f, detail_level);
    }
    for (int i = 0; i < checks; ++i)
        if (results[i] < -0.01) m.summary.cover_failed = 1;
}

// The durability section.
void Write_Durability(FILE* f, Corbel_Model& m, int detail_level)
{
    OLI_End_Text_Block(f);
    OLI_reserveSpaceCM(f, 3.0f);
    OLI_Write_Heading(f, report_heading_level, "Dauerhaftigkeit und Betondeckung");
    Check_Durability(f, m, detail_level);
}

} // namespace

std::string Bridge_Steel_Line(const Corbel_Model& m)
{
    if (m.bridge_steel_replaced == 0) return "";
    auto name = [](int steel_class) {
        return Shown_Class_Name(Get_Steel_Class_Name(Map_Steel_Class_Index(steel_class), 0));
    };
    return "Betonbr" UML_ue "cken: " + name(m.bridge_steel_replaced) + " nicht zugelassen, bemessen mit " +
           name(m.steel_class[0]);
}

void Write_Corbel_Input_Echo(Corbel_Model* model, FILE* report, int detail_level)
{
    if (!model || !report) return;
    Corbel_Model& m = *model;
    const char* p = report_line_prefix;
    Write_Cross_Section(report, m, p);
    Write_Materials(report, m, p, detail_level);
    Write_Partial_Factors(report, m, p);
    Write_Parameters(report, m, p);
    Report_Load_Tables(model, report);
    if (m.cover_from_exposure) Write_Durability(report, m, detail_level);
    OLI_End_Text_Block(report);
    OLI_End_Text_Block(report);
}

void Judge_Corbel_Durability(Corbel_Model* model)
{
    if (model && model->cover_from_exposure) Check_Durability(nullptr, *model, 0);
}
