// Rules of reinforcement detailing (EN 1992-1-1, 8.2 to 8.4, and the older rules that the
// anchorage routine still knows by norm code) and the tables of standard welded meshes.
#include "core/detailing.h"

#include "annex/nad_choice.h"
#include "annex/nad_ec2.h"
#include "base/plane_geometry.h"
#include "material/material_props.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Report pieces (code page 850 with the channel's in-band sequences).
#define RPT_DOT OLI_CTL "/." OLI_CTL "r"                   // raised multiplication dot
#define RPT_PHI_S "\x8C" OLI_CTL "\\s" OLI_CTL "r"          // bar diameter, index s
#define RPT_ALPHA_I "\xBA" OLI_CTL "\\i" OLI_CTL "r"        // factor alpha, index i
#define RPT_LB_RQD "l" OLI_CTL "\\b,rqd" OLI_CTL "r"
#define RPT_GE "\xF2"                                       // greater-or-equal sign
#define RPT_FUER "f\x81r"                                   // "für"
#define RPT_SQ "\xFD"                                       // superscript two

// One line of the mandrel rules by diameter: D = factor * phi for phi (mm) below the
// limit (factor 4) or above it (factor 7).
double Mandrel_By_Diameter(const char* title, double phi, double limit_mm, double u, FILE* report)
{
    double factor = phi < limit_mm - 0.001 ? 4.0 : 7.0;
    double d = factor * phi;
    if (report)
        OLI_Printf(report,
                   "%s: D = %.0lf" RPT_DOT RPT_PHI_S " = %.1lf cm " RPT_FUER " " RPT_PHI_S
                   " = %.0lf mm %s %.0lf mm\n",
                   title, factor, d / u, phi, factor < 5.0 ? "<" : RPT_GE, limit_mm);
    return d;
}

// The rule for bars by the concrete cover at right angles to the plane of the bend
// (c and phi in mm).
double Mandrel_By_Cover(double phi, double c, double u, FILE* report)
{
    double factor;
    double limit;       // 100 or 50 mm
    double phi_factor;  // 7 or 3
    if (c > 100.001 && c > 7.0 * phi + 0.001) {
        factor = 10.0;
        limit = 100.0;
        phi_factor = 7.0;
    } else {
        limit = 50.0;
        phi_factor = 3.0;
        factor = (c > 50.001 && c > 3.0 * phi + 0.001) ? 15.0 : 20.0;
    }
    double d = factor * phi;
    if (report) {
        OLI_Printf(report, "Biegerollendurchmesser " RPT_FUER " St\x84" "be: D = %.0lf" RPT_DOT RPT_PHI_S " = %.1lf cm",
                   factor, d / u);
        OLI_Printf(report, " " RPT_FUER " min c = %.1lf mm", c);
        OLI_Printf(report, " %s %.0lf mm", Get_Relation_Sign_Le(static_cast<float>(c), static_cast<float>(limit - 0.001)),
                   limit);
        OLI_Printf(report, " und %s %.0lf" RPT_DOT RPT_PHI_S " = %.0lf mm",
                   Get_Relation_Sign_Le(static_cast<float>(c), static_cast<float>(phi_factor * phi + 0.001)),
                   phi_factor, phi_factor * phi);
        OLI_Printf(report, "\n");
    }
    return d;
}

// Bond stress of the older rule by [bar index][class index], N/mm2.
const double old_bond_stress[3][5] = {
    {0.6, 0.7, 0.8, 0.9, 1.0},
    {1.4, 1.8, 2.2, 2.6, 3.0},
    {1.4, 1.8, 2.2, 2.6, 3.0},
};

struct Mesh_Class {
    const char* name;
    double area;       // cm2/m
    double spacing;    // cm
    int diameter_index;
    int bars;
    double length_value;
    double weight;
};

const Mesh_Class mesh_classes[MESH_CLASS_COUNT] = {
    {"Q188", 1.88, 15.0, 0, 16, 20.0, 41.7},  {"Q257", 2.57, 15.0, 1, 16, 30.0, 56.8},
    {"Q335", 3.35, 15.0, 2, 16, 30.0, 74.3},  {"Q424", 4.24, 15.0, 3, 16, 40.0, 84.4},
    {"Q524", 5.24, 15.0, 4, 16, 40.0, 100.9}, {"Q636", 6.36, 10.0, 3, 24, 40.0, 132.0},
    {"R188", 1.88, 15.0, 0, 16, 20.0, 33.6},  {"R257", 2.57, 15.0, 1, 16, 20.0, 41.2},
    {"R335", 3.35, 15.0, 2, 16, 20.0, 50.2},  {"R424", 4.24, 15.0, 3, 16, 30.0, 67.2},
    {"R524", 5.24, 15.0, 4, 16, 30.0, 75.7},
};
const int MESH_Q_CLASS_COUNT = 6;  // the Q meshes come first

bool Valid_Mesh(int mesh_class) { return mesh_class >= 0 && mesh_class < MESH_CLASS_COUNT; }

} // namespace

// ---------------------------------------------------------------------------------
// Bar spacing

double Calc_Min_Bar_Spacing(double d1, double d2, const NAD_EC2_Params* params)
{
    if (d1 < 0.001 && d2 < 0.001) return 2.0;
    double k = params ? params->k1_bar_spacing : 1.0;
    if (d1 < 0.001) d1 = d2;
    if (d2 < 0.001) d2 = d1;
    double dmax = std::max(d1, d2);
    return std::max(k * dmax, 2.0) + (d1 + d2) * 0.5;
}

// ---------------------------------------------------------------------------------
// Mandrel diameter

double Calc_Mandrel_Diameter(int norm_code, int lightweight, int kind, double phi, double cover,
                             double unit_factor, FILE* report)
{
    double u = unit_factor < 0.001 ? 1.0 : unit_factor;
    phi *= u;
    cover *= u;
    double d;
    bool eurocode = norm_code == 4 || norm_code == 21;
    if (kind != MANDREL_KIND_BAR) {
        d = Mandrel_By_Diameter("Biegerollendurchmesser " RPT_FUER " B\x81gel/Schlaufen", phi, 20.0, u, report);
    } else if (norm_code < 0 || (eurocode && NAD_Get_NA_DE_Flag())) {
        d = Mandrel_By_Cover(phi, cover, u, report);
    } else if (eurocode) {
        d = Mandrel_By_Diameter("Biegerollendurchmesser " RPT_FUER " St\x84" "be", phi, 16.0, u, report);
    } else {
        d = Mandrel_By_Diameter("Biegerollendurchmesser", phi, 20.0, u, report);
    }
    if (lightweight) {
        d *= 1.5;
        if (report) OLI_Printf(report, "Leichtbeton 1.5" RPT_DOT "D = %.1lf cm\n", d / u);
    }
    return d / u;
}

// ---------------------------------------------------------------------------------
// Anchorage length

namespace {

// The share As,req/As,prov by which a bar's length is reduced when it carries less than its
// full design stress. A bar never carries more than fyd: a provided area below the required
// one (an area check that fails on its own) leaves the full length, not a longer one.
double Stress_Ratio(double as_req, double as_prov) { return std::min(as_req / as_prov, 1.0); }

// The older rule (norm codes below 1): bond stress from the table.
double Old_Anchorage_Length(int bar_index, double fyk, double gamma_s, int class_index, double h1,
                            double h2, double phi, double as_req, double as_prov, double alpha_i,
                            double k, double* lb_rqd, double* lb_min, int kind)
{
    if (bar_index > 2 || class_index > 4) return -1.0;
    double h = h1 + h2;
    double tau = old_bond_stress[bar_index][class_index];
    double factor = (h <= 25.0 || (h1 <= 25.0 && h2 >= 30.0)) ? 1.0 : 0.5;
    double lb = (fyk * 0.25) / (gamma_s * tau * factor) * phi;
    double lbd = 0.0;
    double bound = 0.0;
    if (kind == 0) {
        bound = phi * k;
        lbd = std::max(alpha_i * Stress_Ratio(as_req, as_prov) * lb, bound);
    } else if (kind == 1) {
        bound = std::max(phi * k, 20.0);
        lbd = std::max(alpha_i * lb, bound);
    }
    if (lb_rqd) *lb_rqd = lb;
    if (lb_min) *lb_min = bound;
    return lbd;
}

// The bond condition of a bar with h1 cm of concrete below and h2 above it; true for
// good bond.
bool Good_Bond(int norm_code, double h1, double h2, double limit)
{
    double h = h1 + h2;
    if (h1 <= 0.01) return true;
    if (h2 < 0.01) return false;
    if (h > 60.001) return h2 >= 29.999;
    if (norm_code == 3) {
        if (h > 25.001) return !(h2 < h / 2.0 - 0.001);
        return true;
    }
    if (norm_code != 4 && norm_code != 21) {
        if (h > 30.001) return !(h2 < h - 30.001);
        return true;
    }
    if (h <= limit + 0.001) return true;
    return h - 0.001 - limit <= h2;
}

} // namespace

double Calc_Anchorage_Length(int norm_code, int bar_index, double fyk, double gamma_s,
                             int class_index, double fck, double density, double fctm,
                             double gamma_c, const double bar_position[2], double phi,
                             double as_req, double as_prov, double alpha_i, double k,
                             double* lb_rqd, double* lb_min, int kind,
                             const NAD_EC2_Params* params, int* flags, FILE* report)
{
    if (lb_rqd) *lb_rqd = 0.0;
    if (lb_min) *lb_min = 0.0;
    if (as_prov < 0.001 || gamma_s < 0.001 || gamma_c < 0.001 || bar_index < 0 || class_index < 0 ||
        (norm_code > 0 && !params))
        return -1.0;
    double h1 = bar_position ? bar_position[0] : 0.0;
    double h2 = bar_position ? bar_position[1] : 0.0;
    if (norm_code < 1)
        return Old_Anchorage_Length(bar_index, fyk, gamma_s, class_index, h1, h2, phi, as_req, as_prov,
                                    alpha_i, k, lb_rqd, lb_min, kind);

    // 1. Design values.
    double fyd = fyk / gamma_s;
    bool na_de = params->na_de_flag != 0;
    double alpha_ct = norm_code == 21 ? params->bridge_alpha_ct : params->alpha_ct;
    double limit = 25.0;
    if (na_de) {
        alpha_ct = 1.0;
        limit = 30.0;
    }
    if (fck > 60.0) fck = 60.0;

    // 2. Bond condition.
    bool good = Good_Bond(norm_code, h1, h2, limit);
    double eta1 = good ? 1.0 : 0.7;
    if (!good && flags) *flags |= 1;
    if (report) {
        const char* word = good ? "gut" : "m\x84\xE1ig";
        if (h1 <= 0.01)
            OLI_Printf(report, "Verbundbereich gut\n");
        else if (h2 < 0.01)
            OLI_Printf(report, "Verbundbereich m\x84\xE1ig\n");
        else
            OLI_Printf(report, "Verbundbereich " RPT_FUER " h = %.1lf cm, h" OLI_CTL "\\z" OLI_CTL "r = %.2lf cm: %s\n",
                       h1 + h2, h2, word);
    }

    // 3. Bond strength.
    double fbd = Get_Bond_Strength_Basis(norm_code, class_index, fck, density, fctm) * eta1 * alpha_ct / gamma_c;
    if (phi > 3.2) fbd *= (132.0 - 10.0 * phi) * 0.01;
    // Without a usable bond strength no anchorage length exists (a free concrete without
    // fctm, or a bar too thick for the reduction): refuse like any other bad input.
    if (!(fbd > 1e-6)) return -1.0;
    if (report)
        OLI_Printf(report,
                   "Bemessungswert der Verbundfestigkeit " RPT_FUER " f" OLI_CTL "\\ck" OLI_CTL "r = %.1lf N/mm" RPT_SQ
                   ", " RPT_PHI_S " = %.1lf mm: f" OLI_CTL "\\bd" OLI_CTL "r = %.2lf N/mm" RPT_SQ "\n",
                   fck, 10.0 * phi, fbd);

    // 4. Basic anchorage length.
    double rqd = phi * 0.25 * fyd / fbd;
    if (report)
        OLI_Printf(report,
                   "Grundwert der Verankerungsl\x84nge " RPT_FUER " f" OLI_CTL "\\yd" OLI_CTL "r = %.1lf N/mm" RPT_SQ
                   ": " RPT_LB_RQD " = 0.25" RPT_DOT RPT_PHI_S RPT_DOT "f" OLI_CTL "\\yd" OLI_CTL "r/f" OLI_CTL
                   "\\bd" OLI_CTL "r = %.2lf cm\n",
                   fyd, rqd);

    // 5. Minimum and design length.
    double r = Stress_Ratio(as_req, as_prov);
    bool first_form = norm_code == 1 || ((norm_code == 4 || norm_code == 21) && na_de);
    double minimum = 0.0;
    double lbd = 0.0;
    double before_bound = 0.0;
    if (kind == 0 || kind == 1) {
        if (first_form) {
            minimum = std::max(phi * k, 0.3 * alpha_i * rqd);
            if (kind == 1) minimum = std::max(minimum, 20.0);
            before_bound = alpha_i * rqd * r;
        } else if (kind == 1) {
            // Laps (EN 1992-1-1 (8.11)): at least 0.3 * alpha_6 * lb,rqd, 15 phi and 20 cm.
            minimum = std::max(std::max(0.3 * alpha_i * rqd, 15.0 * phi), 20.0);
            rqd *= r;
            before_bound = alpha_i * rqd;
        } else {
            minimum = std::max(std::max(10.0 * phi, 10.0), 0.3 * rqd);
            rqd *= r;
            before_bound = alpha_i * rqd;
        }
        lbd = std::max(before_bound, minimum);

        // 6. Report.
        if (report) {
            const char* head = "Bemessungswert der Verankerungsl\x84nge " RPT_FUER " " RPT_ALPHA_I " = %.2lf";
            if (first_form) {
                if (kind == 1)
                    OLI_Printf(report,
                               "Mindestverankerungsl\x84nge l" OLI_CTL "\\b,min" OLI_CTL "r = max(0.3" RPT_DOT RPT_ALPHA_I
                               RPT_DOT RPT_LB_RQD "; %.1lf" RPT_DOT RPT_PHI_S "; 20 cm) = %.2lf cm\n",
                               k, minimum);
                else
                    OLI_Printf(report,
                               "Mindestverankerungsl\x84nge l" OLI_CTL "\\b,min" OLI_CTL "r = max(0.3" RPT_DOT RPT_ALPHA_I
                               RPT_DOT RPT_LB_RQD "; %.1lf" RPT_DOT RPT_PHI_S ") = %.2lf cm\n",
                               k, minimum);
                OLI_Printf(report, head, alpha_i);
                // The areas are shown where their ratio shortens the length.
                if (as_prov - as_req > 0.01) {
                    OLI_Printf(report,
                               ", A" OLI_CTL "\\s,erf" OLI_CTL "r = %.2lf cm" RPT_SQ ", A" OLI_CTL "\\s,vorh" OLI_CTL
                               "r = %.2lf cm" RPT_SQ ":\n",
                               as_req, as_prov);
                    OLI_Printf(report, "  l" OLI_CTL "\\b" OLI_CTL "r = A" OLI_CTL "\\s,erf" OLI_CTL "r/A" OLI_CTL
                                       "\\s,vorh" OLI_CTL "r" RPT_DOT);
                } else {
                    OLI_Printf(report, ": l" OLI_CTL "\\b" OLI_CTL "r = ");
                }
            } else {
                if (kind == 1)
                    OLI_Printf(report,
                               "Mindest\x81" "bergreifungsl\x84nge l" OLI_CTL "\\0,min" OLI_CTL "r = max(0.3" RPT_DOT
                               RPT_ALPHA_I RPT_DOT RPT_LB_RQD "; 15" RPT_DOT RPT_PHI_S "; 20 cm) = %.2lf cm\n",
                               minimum);
                OLI_Printf(report, head, alpha_i);
                OLI_Printf(report, ": l" OLI_CTL "\\b" OLI_CTL "r = ");
            }
            OLI_Printf(report, RPT_ALPHA_I RPT_DOT RPT_LB_RQD " = %.2lf cm", before_bound);
            OLI_Printf(report, "\n");
        }
    }

    // 7. Outputs.
    if (lb_rqd) *lb_rqd = rqd;
    if (lb_min) *lb_min = minimum;
    return lbd;
}

// ---------------------------------------------------------------------------------
// Welded meshes

double Get_Mesh_Area_Or_Choose(int* mesh_class, double a1, double a2)
{
    if (!mesh_class) return -1.0;
    int c = *mesh_class;
    if (c >= 0) return Valid_Mesh(c) ? mesh_classes[c].area : -1.0;
    double a = std::max(a1, a2);
    if (a < -0.001) return -1.0;
    if (a < 0.001) {
        *mesh_class = 0;
        return 0.0;
    }
    for (int i = 0; i < MESH_Q_CLASS_COUNT; ++i) {
        if (mesh_classes[i].area > a) {
            *mesh_class = i;
            return mesh_classes[i].area;
        }
    }
    *mesh_class = -1;
    return -1.0;
}

double Get_Mesh_Length_Value(int mesh_class) { return Valid_Mesh(mesh_class) ? mesh_classes[mesh_class].length_value : 0.0; }
int Get_Mesh_Diameter_Index(int mesh_class) { return Valid_Mesh(mesh_class) ? mesh_classes[mesh_class].diameter_index : 0; }
double Get_Mesh_Bar_Spacing(int mesh_class) { return Valid_Mesh(mesh_class) ? mesh_classes[mesh_class].spacing : 0.0; }
double Get_Mesh_Area(int mesh_class) { return Valid_Mesh(mesh_class) ? mesh_classes[mesh_class].area : 0.0; }
int Get_Mesh_Bar_Count(int mesh_class) { return Valid_Mesh(mesh_class) ? mesh_classes[mesh_class].bars : 0; }
double Get_Mesh_Weight(int mesh_class) { return Valid_Mesh(mesh_class) ? mesh_classes[mesh_class].weight : 0.0; }
double Get_Mesh_Length() { return 600.0; }

double Get_Mesh_Usable_Width(int mesh_class)
{
    if (!Valid_Mesh(mesh_class)) return 0.0;
    double width = std::strcmp(mesh_classes[mesh_class].name, "Q636") == 0 ? 235.0 : 230.0;
    return width - 2.0 * 2.5;
}

const char* Get_Mesh_Name(int mesh_class)
{
    static char buffer[8];
    std::strcpy(buffer, Valid_Mesh(mesh_class) ? mesh_classes[mesh_class].name : "  ??  ");
    return buffer;
}

// ---------------------------------------------------------------------------------
// Bar counts and areas

double Count_Bars_For_Area(int* count, double d, double as_req)
{
    if (!count) return -1.0;
    double a1 = d * d * M_PI / 400.0;
    if (*count > 0) {
        double area = *count * a1;
        return std::fabs(area - as_req) < 0.05 ? as_req : area;
    }
    if (*count == 0) return 0.0;
    if (as_req < -0.001 || d <= 0.001) return -1.0;
    double q = as_req / a1 + 0.99;
    int n = q >= 99.0 ? 99 : static_cast<int>(q);
    if (n * a1 < as_req) ++n;
    *count = n;
    return n * a1;
}

double Bar_Area_Per_Unit(double* n, double d, int count, double as_req)
{
    if (!n) return -1.0;
    double area = d * d * count * M_PI / 4.0;
    if (*n > 0.001) return area / *n;
    if (*n >= -0.001) return 0.0;
    if (as_req < -0.001 || d <= 0.001) return -1.0;
    if (as_req < 0.001) {
        *n = 0.0;
        return 0.0;
    }
    // The whole number of units that the bars can serve; huge ratios are kept finite.
    double units = std::trunc(std::min(area / as_req, 1.0e9));
    *n = units;
    return units > 0.0 ? area / units : 0.0;
}

// ---------------------------------------------------------------------------------
// Small forwarders and the cover sum

double Choose_Drawing_Scale_Alias(double width, double height, double room_x, double room_y, int exact)
{
    return Choose_Drawing_Scale(width, height, room_x, room_y, exact);
}

double Calc_Cover_Sum(int flag, int exposure_class, double v1, double v2, const NAD_EC2_Params* params)
{
    // Minimum cover for durability less the reductions, the bond covers v1 and v2 (the bar
    // diameters) and at least 1 cm; plus the allowance for deviation (1.0 cm under the
    // German annex for X0 and XC1). Without parameters: 0.0 and 1.5 cm. The flag asks
    // for millimetres instead of centimetres.
    double c_dur = 0.0;
    double delta = 1.5;
    if (params && exposure_class >= 0 && exposure_class < 12) {
        c_dur = params->c_min_dur[exposure_class] + params->delta_c_dur_gamma[exposure_class] -
                (params->delta_c_dur_st + params->delta_c_dur_add);
        delta = params->delta_c_dev;
        if (params->na_de_flag && exposure_class <= 2) delta = 1.0;
    }
    double c_min = std::max(std::max(c_dur, 1.0), std::max(v1, v2));
    double result = c_min + delta;
    return flag ? result * 10.0 : result;
}
