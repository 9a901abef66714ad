#include "core/corbel_extents.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/corbel_model.h"

namespace {

struct Extents {
    double w = -1.0, h = -1.0;
};

Extents Of(const Corbel_Model& m, int mode = 0)
{
    Extents e;
    Get_Corbel_Extents(&m, mode, &e.w, &e.h);
    return e;
}

// A single load corbel on a column of depth m1.
Corbel_Model Column_Corbel(double m1, double lk, double hk, double lh)
{
    Corbel_Model m{};
    m.system = SYSTEM_LOAD_CORBEL;
    m.connection = CONNECTION_COLUMN;
    m.h = m1;
    m.lk = lk;
    m.hk = hk;
    m.load_height = lh;
    m.d1k = 6.0;
    m.d1 = 6.0;
    m.inclination = 45.0;
    return m;
}

}  // namespace

TEST(CorbelExtents, PlainCorbelsOfEveryKind)
{
    Corbel_Model m = Column_Corbel(40, 40, 60, 0);
    EXPECT_EQ(Of(m).w, 80.0);
    EXPECT_EQ(Of(m).h, 120.0);
    m.load_height = 10.0;
    EXPECT_EQ(Of(m).h, 130.0);
    m.load_transfer = LOAD_TRANSFER_INDIRECT;  // a suspended load hangs below: no load height
    m.inclination = 0.0;
    EXPECT_EQ(Of(m).h, 120.0);

    Corbel_Model beam = Column_Corbel(50, 25, 40, 0);
    beam.connection = CONNECTION_BEAM;
    EXPECT_EQ(Of(beam).w, 100.0);  // the beam is drawn 1.5 m1 wide
    EXPECT_EQ(Of(beam).h, 50.0);
    beam.execution = EXECUTION_BEAM_END;
    beam.beam_height = 30.0;
    beam.at_slab = 1;
    EXPECT_EQ(Of(beam).w, 85.0);  // lk + twice the slab's m2

    Corbel_Model support = Column_Corbel(50, 25, 40, 0);
    support.system = SYSTEM_SUPPORT_CORBEL;
    EXPECT_EQ(Of(support).w, 100.0);
    support.execution = EXECUTION_BEAM_END;
    support.beam_height = 30.0;
    EXPECT_EQ(Of(support).w, 55.0);
    EXPECT_EQ(Of(support).h, 50.0);

    // Null pointers are skipped, a null model measures nothing.
    Get_Corbel_Extents(&support, 0, nullptr, nullptr);
    Extents none;
    Get_Corbel_Extents(nullptr, 0, &none.w, &none.h);
    EXPECT_EQ(none.w, 0.0);
    EXPECT_EQ(none.h, 0.0);
}

TEST(CorbelExtents, InclinedTieOfAnIndirectLoad)
{
    Corbel_Model m = Column_Corbel(36, 40, 30, 0);
    m.connection = CONNECTION_BEAM;
    m.load_transfer = LOAD_TRANSFER_INDIRECT;
    // tan 45 degrees is 1 after snapping: q = 24 < 34, p = 16 + 6, height p + d1k + hk.
    EXPECT_EQ(Of(m).h, 58.0);
    EXPECT_EQ(Of(m).w, 94.0);
    m.inclination = 45.02;  // tan = 1.0007 snaps to 1
    EXPECT_EQ(Of(m).h, 58.0);

    // A steep inclination needs no extra height but the tie's reach widens the drawing.
    m.inclination = 10.0;
    m.lk = 10.0;
    const double t = std::tan(10.0 * 0.017453292519943295);
    EXPECT_DOUBLE_EQ(Of(m).w, (36.0 - 6.0 - 6.0) / t + 6.0);

    // An inclination of 0 degrees (the page is drawn before the data check clamps it)
    // adds no inclined geometry instead of dividing by 0.
    m.inclination = 0.0;
    const Extents flat = Of(m);
    EXPECT_TRUE(std::isfinite(flat.w));
    EXPECT_TRUE(std::isfinite(flat.h));
    EXPECT_EQ(flat.w, 10.0 + 54.0);
    EXPECT_EQ(flat.h, 36.0);
    Corbel_Model column = Column_Corbel(40, 40, 20, 0);
    column.load_transfer = LOAD_TRANSFER_INDIRECT;
    column.inclination = 0.0;
    EXPECT_EQ(Of(column).h, 40.0);
    column.inclination = 45.0;  // hk / 2 + d1k + (m1 + lk - 2 d1k) t
    EXPECT_EQ(Of(column).h, 10.0 + 6.0 + (80.0 - 12.0));
}

TEST(CorbelExtents, ReinforcementWidensOnlyWhenChosen)
{
    Corbel_Model m = Column_Corbel(50, 25, 40, 0);
    m.connection = CONNECTION_BEAM;
    m.rebar.layers = 1;
    m.rebar.member_axis_given = 12.0;
    m.rebar.anchorage[0] = 60.0;
    m.summary.z3 = 20.0;
    EXPECT_EQ(Of(m, 1).w, 100.0);  // not chosen: measured as mode 0
    m.rebar_chosen = 1;
    EXPECT_EQ(Of(m, 0).w, 100.0);
    EXPECT_EQ(Of(m, 1).w, 25.0 + 12.0 + 20.0 + 60.0);
    m.rebar.layers = 0;
    EXPECT_EQ(Of(m, 1).w, 100.0);
    // On a column the main tie bends down into the column: no extra width.
    m.rebar.layers = 1;
    m.connection = CONNECTION_COLUMN;
    EXPECT_EQ(Of(m, 1).w, 75.0);

    // With reinforcement the inclined bars are measured at the covers and their anchorage.
    Corbel_Model incl = Column_Corbel(36, 40, 30, 0);
    incl.connection = CONNECTION_BEAM;
    incl.load_transfer = LOAD_TRANSFER_INDIRECT;
    incl.rebar_chosen = 1;
    incl.rebar.cover_v = incl.rebar.cover_h = 3.0;
    incl.rebar.anchorage[3] = 50.0;
    // q = 27 < 37, p = 13 + 3; width (36 - 6) / 1 + 50 + 3.
    EXPECT_EQ(Of(incl, 1).h, 16.0 + 3.0 + 30.0);
    EXPECT_EQ(Of(incl, 1).w, 94.0);
    incl.rebar.anchorage[3] = 80.0;
    EXPECT_EQ(Of(incl, 1).w, 113.0);
}
