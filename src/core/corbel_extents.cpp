#include "core/corbel_extents.h"

#include <algorithm>
#include <cmath>

#include "core/corbel_model.h"
#include "core/corbel_plot.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Anchorage length of the inclined bars and of the main tie among the page's values.
constexpr int kMainTieAnchorage = 0;
constexpr int kInclinedAnchorage = 3;

}  // namespace

void Get_Corbel_Extents(const Corbel_Model* model, int mode, double* width, double* height)
{
    double w = 0.0, h = 0.0;
    if (model) {
        const Corbel_Model& md = *model;
        const Corbel_Rebar_Choice& rb = md.rebar;
        const bool rebar = mode == 1 && md.rebar_chosen != 0;
        const bool beam_end = md.execution == EXECUTION_BEAM_END;
        const bool indirect = md.load_transfer == LOAD_TRANSFER_INDIRECT;
        const double m1 = md.h, m2 = md.beam_height;
        const double lk = md.lk, hk = md.hk, d1k = md.d1k, d1 = md.d1;
        const double cv = rb.cover_v, ch = rb.cover_h;
        const double m = rb.anchorage[kInclinedAnchorage];
        const double t = Snap_Unit_Values(std::tan(md.inclination * kRadiansPerDegree));
        // The inclined geometry divides by the tangent: without one there is none.
        const bool inclined = indirect && t != 0.0;
        // Axis distance and end distance of the inclined tie or bars.
        const double a = rebar ? cv : d1k;
        const double c = rebar ? ch : d1k;

        if (md.system == SYSTEM_SUPPORT_CORBEL) {
            h = m1;
            w = (beam_end ? (md.at_slab ? 2.0 * m2 : m2) : 1.5 * m1) + lk;
            if (inclined) {
                const double q = (hk - a) / t;
                if (q < lk - c) {
                    const double p = (lk - q) * t;
                    if (m1 - (hk + d1) < p) h = hk + d1 + p;
                }
                w = rebar ? std::max(w, ch + m + (m1 - cv - ch) / t)
                          : std::max(w, (m1 - d1k - d1) / t + d1k);
            }
        } else if (md.connection == CONNECTION_BEAM) {
            h = m1;
            w = lk + (beam_end ? (md.at_slab ? 2.0 * m2 : m1) : 1.5 * m1);
            if (inclined) {
                const double q = (hk - a) / t;
                if (q < lk - c) {
                    const double p = (lk - q) * t + a;
                    if (m1 - hk < p) h = p + a + hk;
                }
                w = rebar ? std::max(w, (m1 - cv - ch) / t + m + ch)
                          : std::max(w, (m1 - d1 - d1k) / t + d1k);
            }
        } else {
            if (beam_end) {
                w = (md.at_slab ? 2.0 * m2 : m1) + lk;
                h = m2;
            } else {
                w = m1 + lk;
                h = 2.0 * hk + (indirect ? 0.0 : md.load_height);
            }
            if (inclined) {
                const double g = rebar ? cv + m : d1k;
                const double gc = rebar ? ch : d1k;
                h = std::max(h, hk / 2.0 + g + (m1 + lk - 2.0 * gc) * t);
            }
        }

        // The main tie of a corbel on a beam runs on into the beam by its anchorage.
        const bool into_beam =
            md.system == SYSTEM_SUPPORT_CORBEL || md.connection == CONNECTION_BEAM;
        if (into_beam && rebar && rb.layers >= 1)
            w = std::max(w, lk + rb.member_axis_given + md.summary.z3 +
                                rb.anchorage[kMainTieAnchorage]);
    }
    if (width) *width = w;
    if (height) *height = h;
}
