// Envelope and governing row over the per-combination results.
#include "core/corbel_results.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/corbel_model.h"

namespace {

// A model whose ULS table has the given results (the test owns the rows).
struct Results_Model {
    Corbel_Model model{};
    std::vector<Load_Case_Result> rows;

    explicit Results_Model(std::vector<Load_Case_Result> r) : rows(std::move(r))
    {
        model.load_count[0] = static_cast<int>(rows.size());
        model.results = rows.empty() ? nullptr : rows.data();
        Reset_Load_Case_Summary(&model.summary);
    }
    const Load_Case_Summary& s() const { return model.summary; }
};

// A designed row: tie, hanger and inclined areas with their total.
Load_Case_Result Row(double as_h, double as_v = 0.0, double as_s = 0.0)
{
    Load_Case_Result r{};
    r.As_h = as_h;
    r.As_v = as_v;
    r.As_s = as_s;
    const bool failed = as_h < -0.01 || as_v < -0.01 || as_s < -0.01;
    r.Ast = failed ? -1.0 : as_h + as_v + as_s;
    return r;
}

// Governing row (numbered from 1) for a list of totals.
int Governing(std::vector<Load_Case_Result> rows)
{
    Results_Model m(std::move(rows));
    Evaluate_Load_Case_Results(&m.model);
    return m.s().governing_case;
}

TEST(CorbelGoverningRow, LargestTotalGovernsTiesKeepTheEarlierAndAFailureStays)
{
    EXPECT_EQ(Governing({Row(2.0, 1.0), Row(4.0), Row(3.0), Row(1.0, 3.0)}), 2);
    EXPECT_EQ(Governing({Row(0.0), Row(0.0)}), 1);  // the first row starts as governing
    EXPECT_EQ(Governing({Row(5.0), Row(-1.0), Row(9.0), Row(-1.0)}), 2);
    EXPECT_EQ(Governing({Row(1.0, -1.0), Row(9.0)}), 1);

    Results_Model m({Row(5.0), Row(-1.0), Row(9.0)});
    EXPECT_EQ(Evaluate_Load_Case_Results(&m.model), 0);
    EXPECT_DOUBLE_EQ(m.s().Ast, -1.0);
    EXPECT_EQ(m.s().design_failed, 1);
}

TEST(CorbelEnvelope, LargestOfEveryFieldSmallestStrutAngle)
{
    Load_Case_Result a = Row(3.0, 1.0, 0.5);
    a.Asb_h = 0.7;
    a.Asb_v = 0.2;
    a.z3 = 20.0;
    a.theta_A = 40.0;
    Load_Case_Result b = Row(2.0, 4.0, 0.1);
    b.Asb_h = 0.1;
    b.Asb_v = 0.8;
    b.z3 = 25.0;
    b.theta_A = 35.0;
    Results_Model m({a, b});
    ASSERT_EQ(Evaluate_Load_Case_Results(&m.model), 1);
    const Load_Case_Summary& s = m.s();
    EXPECT_DOUBLE_EQ(s.As_h, 3.0);
    EXPECT_DOUBLE_EQ(s.As_v, 4.0);
    EXPECT_DOUBLE_EQ(s.Asb_v, 0.8);
    EXPECT_DOUBLE_EQ(s.Asb_h, 0.7);
    EXPECT_DOUBLE_EQ(s.z3, 25.0);
    EXPECT_DOUBLE_EQ(s.theta_A, 35.0);
    EXPECT_DOUBLE_EQ(s.Ast, 6.1);
    EXPECT_EQ(s.governing_case, 2);
    // The final areas start as copies of the envelope (vertical before horizontal).
    EXPECT_DOUBLE_EQ(s.final_As_h, 3.0);
    EXPECT_DOUBLE_EQ(s.final_Asb_v, 0.8);
    EXPECT_DOUBLE_EQ(s.final_Asb_h, 0.7);
}

TEST(CorbelEnvelope, FailedFieldStaysFailedAgainstLargerLaterValues)
{
    Load_Case_Result a = Row(2.0);
    a.Asb_h = -1.0;  // a stirrup area that could not be determined
    Load_Case_Result b = Row(6.0);
    b.Asb_h = 3.0;
    Results_Model m({a, b});
    EXPECT_EQ(Evaluate_Load_Case_Results(&m.model), 0);
    EXPECT_DOUBLE_EQ(m.s().Asb_h, -1.0);
    EXPECT_DOUBLE_EQ(m.s().final_Asb_h, -1.0);
    EXPECT_DOUBLE_EQ(m.s().As_h, 6.0);  // the other fields go on
    EXPECT_EQ(m.s().design_failed, 1);
}

TEST(CorbelEnvelope, StrutAngleWithoutAnyRowIsZero)
{
    // No rows at all: everything 0, no governing row, nothing failed.
    Results_Model empty({});
    empty.model.summary.As_h = 7.0;
    empty.model.summary.design_failed = 1;
    EXPECT_EQ(Evaluate_Load_Case_Results(&empty.model), 1);
    EXPECT_EQ(empty.s().governing_case, -1);
    EXPECT_DOUBLE_EQ(empty.s().theta_A, 0.0);
    EXPECT_DOUBLE_EQ(empty.s().As_h, 0.0);
    EXPECT_EQ(empty.s().design_failed, 0);

    // Rows of the column procedure leave the strut angle at 0, which is the smallest.
    Load_Case_Result beam = Row(1.0);
    beam.theta_A = 30.0;
    Results_Model mixed({beam, Row(1.0)});
    Evaluate_Load_Case_Results(&mixed.model);
    EXPECT_DOUBLE_EQ(mixed.s().theta_A, 0.0);
}

// The required areas are unknown only when no loaded row was designed to the end; a row
// whose bearing or strut check failed still has its areas. When some were, the rows that
// were not are named: the envelope is a lower bound.
TEST(CorbelEnvelope, NoneDesignedOnlyWhenNoLoadedRowHasAreas)
{
    auto loaded = [](Load_Case_Result r, unsigned failed = 0) {
        r.A = 100000.0;
        r.failed_checks = failed;
        return r;
    };
    const Load_Case_Result stopped = loaded(Row(0.0), DESIGN_NOT_CARRIED_OUT);
    const Load_Case_Result unloaded = Row(0.0);
    struct Case {
        std::vector<Load_Case_Result> rows;
        int none_designed;
        const char* undesigned;
    };
    const Load_Case_Result designed = loaded(Row(2.0));
    const Case cases[] = {
        {{stopped, stopped}, 1, ""},
        {{unloaded, stopped}, 1, ""},
        {{loaded(Row(-1.0))}, 1, ""},
        {{stopped, loaded(Row(3.0), DESIGN_CHECK_BEARING | DESIGN_CHECK_STRUT)}, 0, "Lk 1"},
        {{designed, stopped}, 0, "Lk 2"},
        {{unloaded}, 0, ""},
        {{designed, stopped, unloaded, stopped, stopped, stopped, stopped}, 0, "Lk 2, 4, 5, 6 u.a."},
    };
    for (const Case& c : cases) {
        Results_Model m(c.rows);
        Evaluate_Load_Case_Results(&m.model);
        EXPECT_EQ(m.s().none_designed, c.none_designed) << &c - cases;
        EXPECT_EQ(Undesigned_Combinations(m.model), c.undesigned) << &c - cases;
    }
}

TEST(CorbelEnvelope, RepeatedEvaluationStartsAfresh)
{
    // The calculation evaluates twice per run and the fatigue check adds to the final
    // areas in between; a second evaluation must not build on the first.
    Results_Model m({Row(2.0), Row(3.0)});
    Evaluate_Load_Case_Results(&m.model);
    m.model.summary.final_As_h += 1.5;
    m.model.summary.fatigue_failed = 1;
    Evaluate_Load_Case_Results(&m.model);
    EXPECT_DOUBLE_EQ(m.s().final_As_h, 3.0);
    EXPECT_DOUBLE_EQ(m.s().As_h, 3.0);
    EXPECT_EQ(m.s().fatigue_failed, 0);
    EXPECT_EQ(m.s().governing_case, 2);
}

}  // namespace
