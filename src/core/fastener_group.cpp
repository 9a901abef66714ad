#include "core/fastener_group.h"

#include <cmath>

#include "report/oli_channel.h"
#include "report/report_symbols.h"
#include "report/verdicts.h"

// Report texts are code page 850 with the channel's in-band sequences: 0xCE '\' starts a
// subscript, 0xCE 'r' ends it, 0xCE '/' a superscript, 0xCE 't' a tab; 0xB2 is the sum
// sign and 0xFD the square. Byte escapes are split from following text so that no hex
// letter is swallowed.

Fastener_Group_Statics fastener_group_statics;

namespace {

constexpr double TINY = 0.001;

double Weight(const double* w, int i) { return w ? w[i] : 1.0; }

} // namespace

void Get_Fastener_Group_Properties(int n, const double* y, const double* z, const double* w,
                                   double* ys, double* zs, double* area, double* szz,
                                   double* syy, double* ip, int mode, double y0, double z0)
{
    double sum_w = 0.0, sum_y = 0.0, sum_z = 0.0, s_zz = 0.0, s_yy = 0.0;
    if (n >= 1 && y && z) {
        for (int i = 0; i < n; ++i) {
            double wi = Weight(w, i);
            sum_w += wi;
            sum_y += wi * y[i];
            sum_z += wi * z[i];
        }
        if (sum_w > TINY) {
            sum_y /= sum_w;
            sum_z /= sum_w;
        }
        double yr = y0, zr = z0;
        if (mode == 0) {
            yr = sum_y;
            zr = sum_z;
        } else if (mode == 1) {
            yr = 0.0;
            zr = 0.0;
        }
        for (int i = 0; i < n; ++i) {
            double wi = Weight(w, i);
            s_zz += wi * (z[i] - zr) * (z[i] - zr);
            s_yy += wi * (y[i] - yr) * (y[i] - yr);
        }
    }
    if (ys) *ys = sum_y;
    if (zs) *zs = sum_z;
    if (area) *area = sum_w;
    if (szz) *szz = s_zz;
    if (syy) *syy = s_yy;
    if (ip) *ip = s_yy + s_zz;
}

namespace {

void Write_Group_Lines(FILE* report, const Fastener_Group_Statics& g, double vy, double vz,
                       double m, bool weighted)
{
    const char* p = report_line_prefix;
    const char* x = report_times_sign;
    OLI_Printf(report,
               "%sSchwerpunktskoordinaten  y\xCE\\s\xCEr' = %.1lf mm,  z\xCE\\s\xCEr' = %.1lf mm\n",
               p, g.ys, g.zs);
    OLI_Printf(report,
               "%sQuerschnittsfl\x84" "che  A' = n\xCE\\x\xCEr%sn\xCE\\z\xCEr = %.0lf,  "
               "polares Tr\x84" "gheitsmoment I\xCE\\p\xCEr' = \xB2y\xCE\\i\xCEr'\xFD + "
               "\xB2z\xCE\\i\xCEr'\xFD = %.2lf cm\xFD\n",
               p, x, g.area, g.ip * 0.01);
    OLI_Printf(report,
               "%sSchnittgr\x94\xE1" "en im Schwerpunkt  V\xCE\\y\xCEr' = %.1lf kN,  "
               "V\xCE\\z\xCEr' = %.1lf kN,  M\xCE\\x\xCEr' = %.2lf kNm\n",
               p, vy * 0.001, vz * 0.001, m * 1e-6);
    if (!weighted) {
        OLI_Printf(report,
                   "%sBeanspruchung  T\xCE\\y,i\xCEr\xCEr = V\xCE\\y\xCEr'/A' - "
                   "M\xCE\\x\xCEr'/I\xCE\\p\xCEr'%sz\xCE\\i\xCEr',  T\xCE\\z,i\xCEr\xCEr = "
                   "V\xCE\\z\xCEr'/A' + M\xCE\\x\xCEr'/I\xCE\\p\xCEr'%sy\xCE\\i\xCEr',  "
                   "T\xCE\\i\xCEr\xCEr = (T\xCE\\y,i\xCEr\xFD + T\xCE\\z,i\xCEr\xFD)\xCE/1/2\xCEr\n",
                   p, x, x);
    } else {
        OLI_Printf(report,
                   "%sBeanspruchung  T\xCE\\y,i\xCEr\xCEr = f\xCE\\vt,i\xCEr %s (V\xCE\\y\xCEr'/A' - "
                   "M\xCE\\x\xCEr'/I\xCE\\p\xCEr'%sz\xCE\\i\xCEr'),  T\xCE\\z,i\xCEr\xCEr = "
                   "f\xCE\\vt,i\xCEr %s (V\xCE\\z\xCEr'/A' + M\xCE\\x\xCEr'/I\xCE\\p\xCEr'%sy"
                   "\xCE\\i\xCEr'),  T\xCE\\i\xCEr\xCEr = (T\xCE\\y,i\xCEr\xFD + "
                   "T\xCE\\z,i\xCEr\xFD)\xCE/1/2\xCEr\n",
                   p, x, x, x, x);
    }
}

} // namespace

double Design_Fastener_Group(int n, const double* y, const double* z, const double* w,
                             double vy, double vz, double mx, double yf, double zf, int index,
                             int mode, double* ty, double* tz, double* mrest, FILE* report,
                             int detail)
{
    if (ty && tz) {
        *ty = 0.0;
        *tz = 0.0;
    } else {
        index = -1;
    }
    // An index the group does not have would name a fastener that is not there.
    if (index < 0 || index >= n) index = -1;
    if (mrest) *mrest = 0.0;
    if ((std::fabs(vy) < TINY && std::fabs(vz) < TINY && std::fabs(mx) < TINY) || n < 1 || !y ||
        !z)
        return 0.0;

    Fastener_Group_Statics& g = fastener_group_statics;
    Get_Fastener_Group_Properties(n, y, z, w, &g.ys, &g.zs, &g.area, &g.szz, &g.syy, &g.ip, 0,
                                  0.0, 0.0);
    if (mode == 1)
        g.ip = g.syy;
    else if (mode == 2)
        g.ip = g.szz;
    else
        g.ip = g.syy + g.szz;

    // The moment about the centroid.
    const double m = mx + vy * (g.zs - zf) + vz * (yf - g.ys);
    // Without a polar moment the group takes the shear alone; this is the moment left over.
    const bool takes_moment = g.ip > TINY;
    const double moment_left = (!takes_moment && std::fabs(m) > TINY) ? m : 0.0;
    const bool note_due = moment_left != 0.0;

    double result = 0.0, result_rest = 0.0;
    double t_y = 0.0, t_z = 0.0;
    int max_i = -1;
    double max_t = -1.0, max_rest = 0.0;
    for (int i = 0; i < n; ++i) {
        const double wi = Weight(w, i);
        double fy = 0.0, fz = 0.0;
        if (g.area > TINY) {
            fy = wi * vy / g.area;
            fz = wi * vz / g.area;
        }
        if (takes_moment) {
            if (mode != 2) fz += wi * (y[i] - g.ys) * m / g.ip;
            if (mode != 1) fy -= wi * (z[i] - g.zs) * m / g.ip;
        }
        const double t = std::sqrt(fy * fy + fz * fz);
        if (i == index) {
            *ty = t_y = fy;
            *tz = t_z = fz;
            result = t;
            result_rest = moment_left;
            break;
        }
        if (t > max_t) {
            max_t = t;
            max_i = i;
        }
        if (std::fabs(moment_left) > std::fabs(max_rest)) max_rest = moment_left;
    }
    if (index < 0) {
        result = max_t;
        result_rest = max_rest;
    }

    if (report) {
        const char* p = report_line_prefix;
        if (detail > 0 && mode <= 0) Write_Group_Lines(report, g, vy, vz, m, w != nullptr);
        if (index >= 0) {
            const int k = index + 1;
            OLI_Printf(report, "%s%s %d: \xCEt", p, "Punkt", k);
            OLI_Printf(report, "y\xCE\\%d\xCEr' = %.1lf mm \xCEtz\xCE\\%d\xCEr' = %.1lf mm \xCEt", k,
                       y[index] - g.ys, k, z[index] - g.zs);
            const bool vy_acts = std::fabs(vy) >= TINY;
            const bool m_acts = std::fabs(m) >= TINY;
            if ((vy_acts && (std::fabs(vz) >= TINY || m_acts)) || (!vy_acts && m_acts))
                OLI_Printf(report,
                           "T\xCE\\y,%d\xCEr = %.2lf kN \xCEtT\xCE\\z,%d\xCEr = %.2lf kN \xCEt"
                           "T\xCE\\%d\xCEr = %.2lf kN\n",
                           k, t_y * 0.001, k, t_z * 0.001, k, result * 0.001);
            else if (vy_acts)
                OLI_Printf(report, "T\xCE\\%d\xCEr = T\xCE\\y,%d\xCEr = %.2lf kN\n", k, k,
                           result * 0.001);
            else
                OLI_Printf(report, "T\xCE\\%d\xCEr = T\xCE\\z,%d\xCEr = %.2lf kN\n", k, k,
                           result * 0.001);
        } else if (result > TINY) {
            OLI_Printf(report,
                       "%sMaximale Beanspruchung  max T\xCE\\i\xCEr = T\xCE\\%d\xCEr = %.2lf kN  "
                       "bei %d Schrauben\n",
                       p, max_i + 1, result * 0.001, n);
        } else {
            OLI_Printf(report, "%sMaximale Beanspruchung nicht ermittelbar %s\n", p,
                       Get_Verdict_Red_Marks());
        }
        if (note_due) {
            char text[300];
            std::snprintf(text, sizeof text,
                          "I\xCE\\p\xCEr' = 0: Das Exzentrizit\x84tsmoment M' = %.2lf kNm kann "
                          "nicht aufgenommen werden (n\xCE\\x\xCEr%sn\xCE\\z\xCEr < 2)",
                          result_rest * 1e-6, report_times_sign);
            OLI_Write_Warning_Line(report, text);
        }
    }

    if (mrest) *mrest = result_rest;
    return result;
}

double Get_Steel_Epsilon(double fy, double e, FILE* report)
{
    if (fy < TINY) return 0.0;
    if (e < TINY) e = 210000.0;
    const double r = 235.0 / fy;
    const double epsilon = std::sqrt(r * e * 4.7619047619047615e-06);
    if (report) {
        const bool e_differs = std::fabs(e - 210000.0) > 1.0;
        // The closing bracket raised to the power 0.5.
        const char* closing = ")\xCE/0.5\xCEr";
        OLI_Printf(report, "\xBE");
        if (std::fabs(r) > 0.1) {
            OLI_Printf(report, " = (");
            OLI_Printf(report, "235/%.0lf", fy);
            if (e_differs) {
                OLI_Printf(report, "%s", report_times_sign);
                OLI_Printf(report, "%.0lf/210000", e);
            }
            OLI_Printf(report, "%s", closing);
        } else if (e_differs) {
            OLI_Printf(report, " = (");
            OLI_Printf(report, "%.0lf/210000", e);
            OLI_Printf(report, "%s", closing);
        }
        OLI_Printf(report, " = %.3lf", epsilon);
    }
    return epsilon;
}
