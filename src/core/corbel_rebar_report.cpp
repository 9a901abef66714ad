// The block "Nachweis der Bewehrung" of the corbel report.
//
// Every line sets a provided value of the chosen reinforcement against the required one.
// The verdict is taken from the two numbers as the line prints them (Shown below), so a
// reader never sees "2.00 > 2.01 ok": the sign, the verdict and the failure flag all follow
// the printed digits.
#include "core/corbel_rebar_report.h"

#include "annex/nad_choice.h"
#include "base/rebar.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "core/detailing.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/string_format.h"
#include "report/verdicts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Report bytes (code page 850 and the channel's in-band sequences), each a literal of its
// own so that no hex escape can swallow the letter after it.
#define SUB(x) OLI_CTL "\\" x OLI_CTL "r"  // lowered index
#define TAB OLI_SEQ_TAB
#define PHI "\x8C"     // bar diameter
#define SQUARE "\xFD"  // raised 2
#define ARROW "\x88"
#define AE "\x84"
#define UE "\x81"
#define SZ "\xE1"
#define UC_UE "\x9A"
#define GREATER_EQ "\xF2"

const char* const TEXT_PLATE = ARROW "  Ankerplatte erf.";
const char* const TEXT_ANCHOR_BODIES = ARROW "  Tr" AE "gerzugbewehrung mit Ankerk" "\x94" "rpern verankern";
const char* const TEXT_AXIS_WARNING =
    "Achsabstand " UE "berpr" UE "fen, Berechnungsmodell entspricht nicht der Ausf" UE "hrung";
const char* const TEXT_PLATE_WARNING = "Ankerplatten sind gesondert zu bemessen";

// The value as "%.*f" prints it, so that comparisons see the printed digits.
double Shown(double x, int decimals)
{
    if (!std::isfinite(x)) return x;
    const std::string text = Format_String("%.*f", decimals, x);
    return std::strtod(text.c_str(), nullptr);
}

// How far a provided axis distance may lie beyond the design's one (printed with one
// decimal) before the lever arm of the design no longer holds for the bars.
constexpr double kAxisTolerance = 0.05;

// Values printed from decimal texts differ by at least 0.01 when they differ at all.
bool At_Least(double a, double b) { return a >= b - 1e-9; }

#define TEXT_UNKNOWN " nicht ermittelbar"

class Rebar_Report {
public:
    Rebar_Report(Corbel_Model& m, FILE* out, int detail)
        : m_(m), r_(m.rebar), s_(m.summary), out_(out), detail_(detail), params_(NAD_Get_EC2_Params()),
          missing_(Undesigned_Combinations(m))
    {
        p_ = report_line_prefix ? report_line_prefix : "";
        beam_end_ = m.execution == EXECUTION_BEAM_END;
        load_corbel_ = m.system == SYSTEM_LOAD_CORBEL;
        on_column_ = load_corbel_ && m.connection == CONNECTION_COLUMN;
        unit_ = beam_end_ ? "/m" : "";
        layers_ = std::clamp(r_.layers, 0, CORBEL_MAX_LAYERS);
        for (int g = 0; g < 6; ++g) {
            const Bar_Group& b = r_.group[g];
            d_[g] = b.count > 0 && b.legs > 0 ? Cm(b.diameter) : 0.0;
        }
        // The inclined bars carry only a hung-up load.
        if (m.load_transfer != LOAD_TRANSFER_INDIRECT) d_[3] = 0.0;
        for (int i = 0; i < 2; ++i) {
            d_member_[i] = r_.member_count[i] > 0 ? Cm(r_.member_diameter[i]) : 0.0;
            // The corbel's own longitudinal bars belong to a beam-end corbel only; a single
            // corbel keeps the page's counts but has no such bars (and no area for them).
            d_end_[i] = beam_end_ && r_.end_count[i] > 0 ? Cm(r_.end_diameter[i]) : 0.0;
        }
    }

    void Write()
    {
        const double stops[3] = {16.0, 22.0, 34.0};
        if (out_) OLI_Set_Tab_Stops(2, nullptr, stops, 3);
        Cover_Line(r_.cover_v, r_.min_cover_v, true);
        Cover_Line(r_.cover_h, r_.min_cover_h, false);
        Member_Bars();
        Main_Tie();
        Main_Tie_Mandrels_And_Anchorage();
        Inclined_Bars();
        Splitting_Stirrups();
        Vertical_Bars();
        Anchorage_Bars();
        Axis_Distances();
        Warnings();
    }

    // A provided axis distance beyond the design's one by more than its print shows.
    bool Axis_Failed() const { return axis_failed_; }

private:
    static double Cm(int index) { return Get_Rebar_Diameter_Cm(index, -1.0); }
    static int Mm(int index) { return Get_Rebar_Diameter_Mm(index, -1.0); }

    void Put(const std::string& text) { OLI_Printf(out_, "%s", text.c_str()); }
    void Put(const char* text) { OLI_Printf(out_, "%s", text); }

    // "  S  erf A = R cm²  verdict" after a provided area, or the not-determinable form.
    // main_tie closes the text runs of the main tie's line ("╬r").
    void Area_Rule(const char* index, double provided, double required, bool main_tie)
    {
        const char* const close = main_tie ? OLI_SEQ_RESET : "";
        if (s_.none_designed) {
            Put(Format_String(", erf A" OLI_CTL "\\%s" OLI_CTL "r" TEXT_UNKNOWN "%s", index, close));
        } else if (!missing_.empty() && required >= -0.1) {
            // Combinations are missing from the envelope: what it holds is a lower bound. Only
            // a provided area below it can be judged (not enough); none is judged enough.
            const std::string why = " (" + missing_ + " nicht bemessbar)";
            const double a = Shown(provided, 2), b = Shown(required, 2);
            if (required <= 0.01)
                Put(Format_String(", erf A" OLI_CTL "\\%s" OLI_CTL "r" TEXT_UNKNOWN "%s%s", index, why.c_str(), close));
            else if (At_Least(a, b))
                Put(Format_String(", erf A" OLI_CTL "\\%s" OLI_CTL "r " GREATER_EQ " %.2lf cm" SQUARE "%s%s%s", index,
                                  required, unit_, why.c_str(), close));
            else
                Put(Format_String("  %s  erf A" OLI_CTL "\\%s" OLI_CTL "r " GREATER_EQ " %.2lf cm" SQUARE "%s%s  %s%s",
                                  Get_Relation_Sign_Min(a, b), index, required, unit_, why.c_str(),
                                  Get_Verdict_Not_Ok(), close));
        } else if (required > 0.01) {
            const double a = Shown(provided, 2), b = Shown(required, 2);
            const char* const verdict = At_Least(a, b) ? Get_Verdict_Ok() : Get_Verdict_Not_Ok();
            Put(Format_String("  %s  erf A" OLI_CTL "\\%s" OLI_CTL "r = %.2lf cm" SQUARE "%s  %s%s",
                              Get_Relation_Sign_Min(a, b), index, required, unit_, verdict, close));
        } else if (required < -0.1) {
            Put(Format_String(", erf A" OLI_CTL "\\%s" OLI_CTL "r = %s%s", index, Get_Verdict_Not_Ok(), close));
        }
    }

    // A group's area line after its bar description, closed by the line end.
    void Area_Line(const char* index, double provided, double required)
    {
        Put(Format_String(", vorh A" OLI_CTL "\\%s" OLI_CTL "r = %.2lf cm" SQUARE "%s", index, provided, unit_));
        Area_Rule(index, provided, required, false);
        Put("\n");
    }

    // "  S  erf <symbol> = R cm  verdict" after a chosen length or diameter; nothing when
    // nothing was chosen.
    void Chosen_Rule(const char* symbol, double chosen, double required)
    {
        if (Required_Value_Unknown(required)) {
            Put(Format_String(", erf %s" TEXT_UNKNOWN, symbol));
            return;
        }
        if (chosen <= 0.01) return;
        const double a = Shown(chosen, 1), b = Shown(required, 1);
        const char* const verdict = At_Least(a, b) ? Get_Verdict_Ok() : Get_Verdict_Not_Ok();
        Put(Format_String("  %s  erf %s = %.1lf cm  %s", Get_Relation_Sign_Min(a, b), symbol, required, verdict));
    }

    void Cover_Line(double cover, double nominal, bool vertical)
    {
        if (cover == 0.0) return;
        Put(Format_String("%sBetondeckung (Verlegema" SZ ")", p_));
        if (detail_ >= 2) {
            const int group = vertical ? 0 : 1;
            if (r_.group[group].count > 0)
                Put(vertical ? " zur vertikalen B" UE "gelbewehrung" : " zur horizontalen B" UE "gelbewehrung");
            else if (layers_ > 0 && r_.layer_bars[0] > 0)
                Put(" zur Hauptzugbewehrung");
        }
        if (nominal > 0.01) Put(":");
        const char* const index = vertical ? "v" : "h";
        Put(Format_String(" c" OLI_CTL "\\v,%s" OLI_CTL "r = %.1lf cm", index, cover));
        if (nominal > 0.01) {
            const double a = Shown(cover, 1), b = Shown(nominal, 2);
            const char* const verdict = At_Least(a, b) ? Get_Verdict_Ok() : Get_Verdict_Not_Ok();
            Put(Format_String("  %s  c" OLI_CTL "\\nom,%s" OLI_CTL "r = %.2lf cm  %s", Get_Relation_Sign_Min(a, b), index,
                              nominal, verdict));
        }
        Put("\n");
    }

    // The longitudinal bars of the supporting member and of a beam-end corbel.
    void Member_Bars()
    {
        static const char* const beam_end_labels[2] = {"Tr" AE "gerl" AE "ngsbewehrung oben " TAB,
                                                       "Tr" AE "gerl" AE "ngsbewehrung unten " TAB};
        static const char* const column_labels[2] = {"St" UE "tzenbew. links " TAB,
                                                     "St" UE "tzenbew. rechts " TAB};
        static const char* const field_labels[2] = {"Feldbewehrung oben " TAB "Stabstahl, ",
                                                    "Feldbewehrung unten " TAB "Stabstahl, "};
        const bool single_on_column = on_column_ && !beam_end_;
        for (int i = 0; i < 2; ++i) {
            if (r_.member_count[i] <= 0 || d_member_[i] <= 0.01) continue;
            const char* const label = beam_end_ ? beam_end_labels[i] : single_on_column ? column_labels[i] : field_labels[i];
            const char* const index = single_on_column ? (i == 0 ? "l" : "r") : (i == 0 ? "o" : "u");
            Put(p_);
            Put(label);
            Put(Format_String("%d" PHI "%d, vorh A" OLI_CTL "\\s%s" OLI_CTL "r = %.2lf cm" SQUARE "\n",
                              r_.member_count[i], Mm(r_.member_diameter[i]), index, r_.As_member[i]));
        }
        // The field bars anchored from e: the upper ones of a corbel on a beam, the lower ones
        // of a support corbel.
        const bool field = (!load_corbel_ && d_member_[1] > 0.01) ||
                           (m_.connection == CONNECTION_BEAM && d_member_[0] > 0.01);
        if (Required_Value_Unknown(s_.l_req_field) && field) {
            Put(TAB "Verankerungsl" AE "nge: " TAB "erf l" SUB("v") TEXT_UNKNOWN);
            Put(Format_String(", vorh l" SUB("v") " = %.1lf cm\n", s_.l_prov_field));
        } else if (s_.l_req_field > 0.01 && field) {
            const double need = Shown(s_.l_req_field, 1), have = Shown(s_.l_prov_field, 1);
            Put(TAB "Verankerungsl" AE "nge: ");
            Put(Format_String(TAB "erf l" SUB("v") " = %.1lf cm", s_.l_req_field));
            Put(Format_String("  %s  vorh l" SUB("v") " = %.1lf cm", Get_Relation_Sign_Le(need, have), s_.l_prov_field));
            if (At_Least(have, need)) {
                Put(Format_String("  %s\n", Get_Verdict_Ok()));
            } else if (std::fabs(s_.As_h1) > 0.001) {
                Put(Format_String("  " ARROW "  Verankerung A" SUB("s,h1") " erf. %s\n", Get_Verdict_Purple_Marks()));
                field_needs_loops_ = true;
            } else {
                Put(Format_String("  %s\n", Get_Verdict_Not_Ok()));
            }
        }
        static const char* const end_labels[2] = {"Konsoll" AE "ngsbewehrung oben " TAB,
                                                  "Konsoll" AE "ngsbewehrung unten " TAB};
        static const char* const end_index[2] = {"sk,o", "sk,u"};
        for (int i = 0; i < 2; ++i) {
            if (d_end_[i] <= 0.01) continue;
            Put(p_);
            Put(end_labels[i]);
            Put(Format_String("%d" PHI "%d, vorh A" OLI_CTL "\\%s" OLI_CTL "r = %.2lf cm" SQUARE "\n", r_.end_count[i],
                              Mm(r_.end_diameter[i]), end_index[i], r_.As_end[i]));
        }
    }

    void Main_Tie()
    {
        if (layers_ <= 0 && std::fabs(s_.final_As_h) <= 0.001) return;
        Put(Format_String("%sHauptzugbewehrung " TAB, p_));
        if (beam_end_) {
            Put(Format_String(PHI "%d/%.1lf cm", Mm(r_.layer_diameter[0]), r_.spacing[0]));
            Put(Format_String(" (%s, %d-schn.)", m_.at_slab ? "Schlaufen" : "B" UE "gel", r_.beam_end_legs));
            Put(", ");
        } else {
            const bool lengths = std::fabs(s_.l_req_main) > 0.01 || std::fabs(s_.l_main_member) > 0.01;
            const double d1 = d_[0];
            for (int i = 0; i < layers_; ++i) {
                const int index = r_.layer_diameter[i];
                const double d = Cm(index);
                // Further layers stand under the first.
                if (i > 0) Put(TAB);
                if (layers_ > 1) Put(Format_String("%d. Lage:", i + 1));
                Put(Format_String("%d " PHI "%d", r_.layer_bars[i], Mm(index)));
                if (layers_ == 1 && !lengths) Put(r_.loops ? " (Schlaufen, 2-schn.)" : " (Stabstahl)");
                if (r_.compute_anchorage && !(on_column_ && s_.short_main)) {
                    const double D = Round_To_Tenth(
                        Calc_Mandrel_Diameter(4, m_.lightweight, MANDREL_KIND_STIRRUP, d, r_.cover_v + d1, 10.0, nullptr));
                    Put(Format_String(", D" SUB("min,k") " = %.1lf cm", D));
                }
                if (layers_ > 1) {
                    const double area = r_.layer_bars[i] * Get_Circle_Area(d) * (r_.loops ? 2.0 : 1.0);
                    Put(Format_String(", vorh A" SUB("s,h") " = %.2lf cm" SQUARE "%s", area, unit_));
                    if (i > 0) {
                        const double spacing = r_.spacing[2] > 0.01 ? r_.spacing[2]
                                                                    : Get_Bar_Axis_Spacing(&r_, i - 1, i, 0, params_);
                        Put(Format_String(", d" SUB("v") " = %.1lf cm", spacing));
                    }
                }
                Put("\n");
            }
            // The total stands under the layers.
            Put(TAB);
        }
        Put(Format_String("vorh A" SUB("s,h") " = %.2lf cm" SQUARE "%s", r_.As_h, unit_));
        Area_Rule("s,h", r_.As_h, s_.final_As_h, true);
        if (r_.spacing[2] > 0.01) Put(Format_String(", d" SUB("v") " = %.1lf cm", r_.spacing[2]));
        Put("\n");
    }

    const char* Member_Word() const { return on_column_ ? "St" UE "tze" : "Tr" AE "ger"; }

    // "Biegerollendurchmesser:" with the corbel line and the supporting member's line.
    void Mandrel_Lines(double D_corbel, double chosen_corbel, double D_member, double chosen_member)
    {
        const bool corbel = D_corbel > 0.01;
        if (corbel) {
            Put(Format_String("%s " TAB "Biegerollendurchmesser:", p_));
            Put(Format_String(" " TAB "Konsole gew D = %.1lf cm", chosen_corbel));
            Chosen_Rule("D", chosen_corbel, D_corbel);
            Put("\n");
        }
        if (D_member > 0.01) {
            Put(Format_String("%s " TAB, p_));
            Put(corbel ? " " TAB : "Biegerollendurchmesser:");
            Put(Format_String(" " TAB "%s gew D = %.1lf cm", Member_Word(), chosen_member));
            Chosen_Rule("D", chosen_member, D_member);
            Put("\n");
        }
    }

    // Required against available anchorage length in the corbel, chosen against required
    // length in the supporting member. Returns whether a length line was written.
    bool Anchorage_Lines(double in_corbel, double available, int needs_plate, double in_member, double chosen)
    {
        const bool corbel = std::fabs(in_corbel) > 0.01, member = std::fabs(in_member) > 0.01;
        if (!corbel && !member) return false;
        Put(Format_String(TAB "Verankerungsl" AE "nge%s: ", corbel && member ? "n" : ""));
        if (corbel && Required_Value_Unknown(in_corbel)) {
            Put(Format_String(TAB "Konsole erf l" SUB("v") TEXT_UNKNOWN ", vorh l" SUB("v") " = %.1lf cm\n", available));
        } else if (corbel) {
            const double need = Shown(in_corbel, 1), have = Shown(available, 1);
            Put(Format_String(TAB "Konsole erf l" SUB("v") " = %.1lf cm  %s  vorh l" SUB("v") " = %.1lf cm  ", in_corbel,
                              Get_Relation_Sign_Le(need, have), available));
            if (needs_plate) {
                OLI_Write_Warning_Line(out_, TEXT_PLATE);
                plate_warning_ = true;
            } else {
                Put(Format_String("%s\n", At_Least(have, need) ? Get_Verdict_Ok() : Get_Verdict_Not_Ok()));
            }
        }
        if (member) {
            if (corbel) Put(TAB TAB);
            if (Required_Value_Unknown(in_member) && chosen <= 0.01) {
                Put(Format_String(TAB "%s erf l" SUB("v") TEXT_UNKNOWN "\n", Member_Word()));
                return true;
            }
            Put(Format_String(TAB "%s gew l" SUB("v") " = %.1lf cm", Member_Word(), chosen));
            Chosen_Rule("l" SUB("v"), chosen, in_member);
            Put("\n");
        }
        return true;
    }

    void Main_Tie_Mandrels_And_Anchorage()
    {
        const bool lengths = std::fabs(s_.l_req_main) > 0.01 || std::fabs(s_.l_main_member) > 0.01;
        if (lengths && !beam_end_ && layers_ == 1)
            Put(Format_String("%s%s", p_, r_.loops ? "(Schlaufen, 2-schn.) " : "(Stabstahl) "));
        Mandrel_Lines(s_.D_corbel, r_.anchorage[4], s_.D_column, r_.anchorage[5]);
        if (!Anchorage_Lines(s_.l_req_main, s_.l_prov_main, s_.short_main, s_.l_main_member, r_.anchorage[0])) return;
        if (detail_ < 2) return;
        if (on_column_ && !beam_end_) {
            const bool horizontal = std::fabs(s_.l_req_main) > 0.01, vertical = r_.anchorage[0] > 0.01;
            if (!horizontal && !vertical) return;
            Put(Format_String(TAB "Abmessungen %s (1. Lage): ", r_.loops ? "der Schlaufe" : "des Stabs"));
            if (horizontal)
                Put(Format_String("l" SUB("v,hor") " = %.1lf cm", m_.lk + m_.h - 2.0 * r_.cover_h - d_[1]));
            if (horizontal && vertical) Put(", ");
            if (vertical) Put(Format_String("l" SUB("v,ver") " = %.1lf cm", r_.anchorage[0] + r_.anchorage[5]));
            Put("\n");
        } else {
            Bar_Length_Line();
            if (s_.short_anch) OLI_Write_Warning_Line(out_, TEXT_ANCHOR_BODIES);
        }
    }

    // The main tie's bar as cut, where it runs straight from the corbel into the supporting
    // member: the leg in the corbel, measured as for a corbel on a column (from the
    // corbel's end, less the horizontal cover and the horizontal splitting bars), up to the
    // corbel's root, and the chosen length in the member beyond it. No bend lies in the
    // member, so no mandrel is added; a loop's bend lies at the corbel's end, within the
    // leg, and the loop's length is that of its legs. Without a chosen length in the
    // member the bar's length is not known and no line is written.
    void Bar_Length_Line()
    {
        const double in_member = r_.anchorage[0];
        if (in_member <= 0.01) return;
        const bool loops = beam_end_ ? m_.at_slab != 0 : r_.loops != 0;
        const double length = m_.lk - r_.cover_h - d_[1] + in_member;
        Put(Format_String(TAB "L" AE "nge %s: l" SUB("s") " = %.1lf cm\n", loops ? "der Schlaufen" : "der St" AE "be",
                          length));
    }

    void Inclined_Bars()
    {
        const Bar_Group& g = r_.group[3];
        if (d_[3] <= 0.0 && std::fabs(s_.As_s) <= 0.001) return;
        const bool lengths = std::fabs(s_.l_req_incl) > 0.01 || std::fabs(s_.l_lap_incl) > 0.01;
        const char* const kind = r_.inclined_loops ? "(Schlaufen, 2-schn.)" : "(Stabstahl)";
        Put(Format_String("%sSchr" AE "gbewehrung " TAB "%d " PHI "%d", p_, g.count, Mm(g.diameter)));
        if (!lengths) Put(Format_String(" %s", kind));
        Area_Line("s,s", r_.As_s, s_.As_s);
        if (!lengths) return;
        Put(Format_String("%s%s ", p_, kind));
        Mandrel_Lines(s_.D_incl_loop, r_.anchorage[6], s_.D_incl_member, r_.anchorage[7]);
        Anchorage_Lines(s_.l_req_incl, s_.l_prov_incl, s_.short_incl, s_.l_lap_incl, r_.anchorage[3]);
    }

    // "<label><count> <diameter> (<form>, <legs>-schn.)" and the area line of one bar group.
    void Group_Line(const char* label, const Bar_Group& g, const char* form, const char* index,
                    double provided, double required)
    {
        Put(Format_String("%s%s%d " PHI "%d", p_, label, g.count, Mm(g.diameter)));
        Put(Format_String(" (%s, %d-schn.)", form, g.legs));
        Area_Line(index, provided, required);
    }

    void Splitting_Stirrups()
    {
        if (d_[1] > 0.01 || std::fabs(s_.final_Asb_h) > 0.001)
            Group_Line("Spaltzugbewehrung " TAB "horizontal ", r_.group[1], on_column_ ? "B" UE "gel" : "Schlaufen",
                       "sb,h", r_.Asb_h, s_.final_Asb_h);
        if (d_[0] > 0.01 || std::fabs(s_.final_Asb_v) > 0.001)
            Group_Line("Spaltzugbewehrung " TAB "vertikal ", r_.group[0], "B" UE "gel", "sb,v", r_.Asb_v,
                       s_.final_Asb_v);
    }

    void Vertical_Bars()
    {
        const Bar_Group& g = r_.group[2];
        if (d_[2] <= 0.01 && std::fabs(s_.As_v) <= 0.001) return;
        Put(p_);
        Put(on_column_ ? "Aufh" AE "ngebewehrung " TAB : "Vertikalbewehrung " TAB);
        if (!beam_end_) Put(Format_String("%d", g.count));
        Put(Format_String(PHI "%d", Mm(g.diameter)));
        if (beam_end_) Put(Format_String("/%.1lf cm", r_.spacing[1]));
        Put(Format_String(" (B" UE "gel, %d-schn.)", g.legs));
        Area_Line("s,v", r_.As_v, s_.As_v);
        if (s_.D_vert > 0.01) {
            Put(Format_String("%s " TAB "Biegerollendurchmesser: ", p_));
            Put(Format_String(TAB "gew D = %.1lf cm", r_.anchorage[8]));
            Chosen_Rule("D", r_.anchorage[8], s_.D_vert);
            Put("\n");
        }
    }

    void Anchorage_Bars()
    {
        if (d_[5] > 0.0 || std::fabs(s_.As_h1) > 0.001) {
            Group_Line("Verankerung horiz. " TAB, r_.group[5], "Schlaufen", "s,h1", r_.As_h1, s_.As_h1);
            const bool on_beam = !load_corbel_ || m_.connection == CONNECTION_BEAM;
            if (on_beam && field_needs_loops_) Anchorage_Bar_Lengths();
        }
        if (d_[4] > 0.0 || std::fabs(s_.As_v1) > 0.001)
            Group_Line("Verankerung vertikal " TAB, r_.group[4], "B" UE "gel", "sb,v1", r_.As_v1, s_.As_v1);
    }

    // The anchorage loops that take over the anchorage of the field bars.
    void Anchorage_Bar_Lengths()
    {
        if (s_.l_req_anch > 0.01) {
            const double need = Shown(s_.l_req_anch, 1), have = Shown(s_.l_prov_anch, 1);
            Put(TAB "Verankerungsl" AE "nge: ");
            Put(Format_String(TAB "erf l" SUB("v") " = %.1lf cm", s_.l_req_anch));
            Put(Format_String("  %s  vorh l" SUB("v") " = %.1lf cm", Get_Relation_Sign_Le(need, have), s_.l_prov_anch));
            if (s_.short_anch) {
                Put("\n" TAB TAB TAB);
                OLI_Write_Warning_Line(out_, TEXT_ANCHOR_BODIES);
            } else {
                Put(Format_String("  %s" OLI_SEQ_RESET "\n", At_Least(have, need) ? Get_Verdict_Ok() : Get_Verdict_Not_Ok()));
            }
        }
        if (s_.l_lap_anch > 0.01) {
            Put(TAB UC_UE "bergreifungsl" AE "nge: ");
            Put(Format_String(TAB "gew l" SUB("v") " = %.1lf cm", r_.anchorage[1]));
            Chosen_Rule("l" SUB("v"), r_.anchorage[1], s_.l_lap_anch);
            Put("\n");
        }
    }

    // "vorh <symbol> = x cm  S  clc <symbol> = y cm  verdict": a provided axis distance above
    // the one of the calculation model gets the warning marks and calls for the warning.
    // Beyond what the printed digit of the model's value can hold (half its last place), the
    // lever arm of the design is longer than the bars give: the design is not confirmed.
    void Axis_Value(const char* symbol, double provided, double model)
    {
        Put(Format_String("%sAchsabstand " TAB "vorh %s = %.2lf cm", p_, symbol, provided));
        if (model <= 0.01) return;
        const double a = Shown(provided, 2), b = Shown(model, 1);
        const bool ok = At_Least(b, a);
        if (!ok) axis_warning_ = true;
        if (a > b + kAxisTolerance + 1e-9) axis_failed_ = true;
        Put(Format_String("  %s  clc %s = %.1lf cm  %s" OLI_SEQ_RESET, Get_Relation_Sign_Max(a, b), symbol, model,
                          ok ? Get_Verdict_Ok() : Get_Verdict_Purple_Marks()));
    }

    // "  mit Stababstand <symbol> = s cm  S  min <symbol> = m cm  verdict".
    void Spacing_Check(const char* symbol, double spacing, double minimum)
    {
        const double a = Shown(spacing, 2), b = Shown(minimum, 1);
        Put(Format_String("  mit Stababstand %s = %.2lf cm", symbol, spacing));
        Put(Format_String("  %s  min %s = %.1lf cm  %s", Get_Relation_Sign_Min(a, b), symbol, minimum,
                          At_Least(a, b) ? Get_Verdict_Ok() : Get_Verdict_Not_Ok()));
    }

    void Axis_Distances()
    {
        if (r_.tie_axis_required > 0.01) {
            Axis_Value("d" SUB("1k"), r_.tie_axis_required, r_.tie_axis_given);
            if (!beam_end_ && layers_ > 1) {
                Put("\n" TAB);
                if (r_.spacing[2] > 0.01)
                    Spacing_Check("d" SUB("v"), r_.spacing[2], Get_Required_Bar_Spacing(&r_, 0, params_));
                else
                    Put("  mit Mindest-Stababstand je Lage");
            }
            Put("\n");
        }
        if (r_.member_axis_required > 0.01) {
            Axis_Value("e" SUB("1"), r_.member_axis_required, r_.member_axis_given);
            if (r_.group[2].count > 1) {
                Put("\n" TAB);
                if (r_.spacing[3] > 0.01)
                    Spacing_Check("d" SUB("h"), r_.spacing[3], Get_Required_Bar_Spacing(&r_, 1, params_));
                else
                    Put(OLI_SEQ_RESET "  mit Mindest-Stababstand");
            }
            Put("\n");
        }
        if (r_.inclined_axis_required > 0.01) {
            Put(Format_String("%sAchsabstand " TAB, p_));
            Put(Format_String("vorh d" SUB("1s") " = %.2lf cm (Verankerung der Schr" AE "gbewehrung im Tr" AE "ger)\n",
                              r_.inclined_axis_required));
        }
    }

    void Warnings()
    {
        if (!out_ || (!axis_warning_ && !plate_warning_)) return;
        if (detail_ >= 1) OLI_Add_Paragraph_Space(0.3);
        if (axis_warning_) OLI_Write_Warning_Line(out_, TEXT_AXIS_WARNING);
        if (plate_warning_) OLI_Write_Warning_Line(out_, TEXT_PLATE_WARNING);
    }

    Corbel_Model& m_;
    const Corbel_Rebar_Choice& r_;
    const Load_Case_Summary& s_;
    FILE* out_;
    int detail_;
    const NAD_EC2_Params* params_;
    // The combinations missing from the envelope; empty when it is complete.
    const std::string missing_;
    const char* p_;
    const char* unit_;
    bool beam_end_, load_corbel_, on_column_;
    int layers_;
    double d_[6];         // groups 1..6, cm; 0 without bars or legs
    double d_member_[2];  // groups 7, 8
    double d_end_[2];     // groups 9, 10
    bool field_needs_loops_ = false;  // the field bars are anchored by the loops of group 6
    bool axis_warning_ = false;
    bool plate_warning_ = false;
    bool axis_failed_ = false;
};

}  // namespace

void Report_Chosen_Reinforcement(Corbel_Model* model, FILE* report, int detail)
{
    verdict_failed = 0;
    if (model == nullptr) return;
    model->summary.rebar_failed = 0;
    model->summary.axis_failed = 0;
    if (report == nullptr) return;
    Rebar_Report r(*model, report, std::clamp(detail, 0, 2));
    r.Write();
    model->summary.rebar_failed = verdict_failed;
    model->summary.axis_failed = r.Axis_Failed() ? 1 : 0;
    OLI_Clear_Tab_Stops();
    OLI_End_Text_Block(report);
}

void Judge_Chosen_Reinforcement(Corbel_Model* model)
{
    if (model == nullptr) return;
    verdict_failed = 0;
    // Without a stream every line is left unwritten; the verdicts are taken all the same.
    Rebar_Report r(*model, nullptr, 2);
    r.Write();
    model->summary.rebar_failed = verdict_failed;
    model->summary.axis_failed = r.Axis_Failed() ? 1 : 0;
}
