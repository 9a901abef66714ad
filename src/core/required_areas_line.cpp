// The report line of the required reinforcement areas.
#include "core/required_areas_line.h"

#include <cmath>

#include "core/corbel_model.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"

namespace {

// Report bytes (code page 850): 0xFD the raised 2, 0xB2 the sum sign of the report font.
#define CM2 "cm\xFD"

// An area of this magnitude or less is not worth a word.
constexpr double kShownAbove = 0.01;
// Below this an area is the design's failure mark (-1.0) and is written as "Fehler".
constexpr double kFailedBelow = -0.1;
// Items a line may hold; A s,v1 with its lever arm takes two places.
constexpr int kItemsPerLine = 5;

// One item of the line: the letters after "A" and before the subscript ("s" or "sb"), the
// rest of the subscript, the value and, for A s,v1, its lever arm.
struct Area_Item {
    const char* base;
    const char* subscript;
    double value;
    bool with_lever_arm;
    double lever_arm;
};

bool Is_Row_In_Results(const Corbel_Model* model, int row)
{
    return model->results != nullptr && row >= 0 && row < model->load_count[0];
}

// Writes the line's items, breaking it before an item that does not fit.
class Line_Writer {
public:
    Line_Writer(FILE* stream, bool tabs, const char* per_metre)
        : stream_(stream), tabs_(tabs), per_metre_(per_metre) {}

    void Write_Area(const Area_Item& item)
    {
        // A value that is not a number cannot be a design result: it is shown as failed.
        const bool finite = std::isfinite(item.value);
        if (finite && !(std::fabs(item.value) > kShownAbove)) return;
        const bool failed = !finite || item.value < kFailedBelow;
        const int places = item.with_lever_arm && !failed && item.value > 0.0 ? 2 : 1;
        Separate(places);
        if (failed) {
            OLI_Printf(stream_, "%sA" OLI_SEQ_SUB "%s%s" OLI_SEQ_RESET " Fehler%s" OLI_SEQ_RESET,
                       Get_Red_Colour_Code(), item.base, item.subscript, Get_Colour_Off_Code());
        } else if (item.with_lever_arm) {
            OLI_Printf(stream_,
                       "A" OLI_SEQ_SUB "%s%s" OLI_SEQ_RESET " = %.2lf " CM2 "%s bei z" OLI_SEQ_SUB
                       "3" OLI_SEQ_RESET " = %.1lf cm",
                       item.base, item.subscript, item.value, per_metre_, item.lever_arm);
        } else {
            OLI_Printf(stream_, "A" OLI_SEQ_SUB "%s%s" OLI_SEQ_RESET " = %.2lf " CM2 "%s", item.base,
                       item.subscript, item.value, per_metre_);
        }
        used_ += places;
    }

    // The total of one combination: behind a blank, or on a new line when this one is full.
    void Write_Total(double value)
    {
        if (!(value > kShownAbove)) return;
        if (used_ >= kItemsPerLine) {
            Break_Line();
        } else if (used_ == 0) {
            First_Item_Tab();
        } else {
            OLI_Printf(stream_, " ");
        }
        OLI_Printf(stream_, "(\xB2" "A" OLI_SEQ_SUB "s%s" OLI_SEQ_RESET " = %.2lf " CM2 "%s)", "t", value,
                   per_metre_);
        used_ += 1;
    }

private:
    void First_Item_Tab()
    {
        if (tabs_ && !first_written_) OLI_Printf(stream_, OLI_SEQ_TAB);
        first_written_ = true;
    }

    void Break_Line()
    {
        OLI_Printf(stream_, "\n%s", tabs_ ? OLI_SEQ_TAB : "");
        used_ = 0;
        first_written_ = true;
    }

    void Separate(int places)
    {
        if (used_ == 0) {
            First_Item_Tab();
        } else if (used_ + places > kItemsPerLine) {
            Break_Line();
        } else {
            OLI_Printf(stream_, ", ");
        }
    }

    FILE* stream_;
    bool tabs_;
    const char* per_metre_;
    int used_ = 0;               // places taken on the current line
    bool first_written_ = false; // the tab in front of the first item is written
};

}  // namespace

void Write_Required_Areas_Line(Corbel_Model* model, int row, FILE* report, const char* heading,
                               int summary)
{
    if (report == nullptr || model == nullptr) return;
    if (!summary && !Is_Row_In_Results(model, row)) return;

    const double tab_position = 7.0;
    OLI_Set_Tab_Stops(2, nullptr, &tab_position, 1);

    const bool has_heading = heading != nullptr && heading[0] != '\0';
    if (has_heading) {
        OLI_Printf(report, "%s%s", report_line_prefix, heading);
        OLI_Printf(report, ": " OLI_SEQ_TAB);
    }

    const char* per_metre = model->execution == EXECUTION_BEAM_END ? "/m" : "";
    Line_Writer line(report, has_heading, per_metre);

    if (summary) {
        const Load_Case_Summary& s = model->summary;
        const Area_Item items[] = {
            {"s", ",h", s.final_As_h, false, 0.0},  {"s", ",v", s.As_v, false, 0.0},
            {"s", ",s", s.As_s, false, 0.0},        {"s", ",h1", s.As_h1, false, 0.0},
            {"s", ",v1", s.As_v1, true, s.z3},      {"s", ",v2", s.As_v2, false, 0.0},
            {"sb", ",v", s.final_Asb_v, false, 0.0}, {"sb", ",h", s.final_Asb_h, false, 0.0},
            {"s", ",Nase", s.As_nose, false, 0.0},
        };
        for (const Area_Item& item : items) line.Write_Area(item);
    } else {
        const Load_Case_Result& r = model->results[row];
        const Area_Item items[] = {
            {"s", ",h", r.As_h, false, 0.0},   {"s", ",v", r.As_v, false, 0.0},
            {"s", ",s", r.As_s, false, 0.0},   {"s", ",h1", r.As_h1, false, 0.0},
            {"s", ",v1", r.As_v1, true, r.z3}, {"s", ",v2", r.As_v2, false, 0.0},
            {"sb", ",v", r.Asb_v, false, 0.0}, {"sb", ",h", r.Asb_h, false, 0.0},
            {"s", ",Nase", r.As_nose, false, 0.0},
        };
        for (const Area_Item& item : items) line.Write_Area(item);
        line.Write_Total(r.Ast);
    }
    OLI_Printf(report, "\n");
}

void Write_Load_Case_Forces(Corbel_Model* model, int row, FILE* report)
{
    if (report == nullptr || model == nullptr || !Is_Row_In_Results(model, row)) return;

    double factor = 1.0;
    const char* unit = "";
    if (model->unit_switch == LOAD_UNIT_KN_KNM || model->unit_switch == LOAD_UNIT_KN_KNCM) {
        factor = 0.001;
        unit = "kN";
    } else if (model->unit_switch == LOAD_UNIT_N_NM) {
        unit = "N";
    }

    const Load_Case_Result& r = model->results[row];
    // 0x94 = ö, 0xE1 = ß.
    OLI_Printf(report, "%s%s: ", report_line_prefix, "Bemessungsgr\x94\xE1" "en");
    bool first = true;
    const double A = r.A * factor;
    if (std::fabs(A) > 0.01) {
        OLI_Printf(report, "%sA" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET " = %.2lf %s", OLI_SEQ_TAB, A, unit);
        first = false;
    }
    const double H = r.H * factor;
    if (std::fabs(H) > 0.01)
        OLI_Printf(report, "%sH" OLI_SEQ_SUB "Ed" OLI_SEQ_RESET " = %.2lf %s", first ? OLI_SEQ_TAB : ", ", H,
                   unit);
    OLI_Printf(report, "\n");
}
