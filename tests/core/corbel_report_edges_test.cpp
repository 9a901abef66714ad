// Refresh runs of the example position 1 changed at the edges of its input, where a report
// once said less (or other) than the design did: lightweight concrete, a hung-up load with a
// horizontal force, negative horizontal forces, a load that leaves no room to anchor the tie,
// loads that no combination can be designed for.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "edited_input.h"
#include "report/oli_channel.h"
#include "test_support.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The number that follows the first occurrence of `label` (NAN when there is none).
double Number_After(const std::string& text, const std::string& label, size_t from = 0)
{
    const size_t at = text.find(label, from);
    return at == std::string::npos ? NAN : std::strtod(text.c_str() + at + label.size(), nullptr);
}

#define SUB OLI_SEQ_SUB
#define END OLI_SEQ_RESET

// The report of a refresh run of example position 1 as `change` leaves its input.
std::string Report_Of(const std::function<void(Corbel_Model&)>& change)
{
    Run_Result r;
    const std::string report = Refreshed_Example_Report(1, change, &r);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "");
    return report;
}

// One combination of A and H (kN).
void One_Row(Corbel_Model& m, double A, double H)
{
    Alloc_Load_Table(&m, 1, 0);
    m.load_table[0][0].A = A * 1000.0;
    m.load_table[0][0].H = H * 1000.0;
}

// The detail level, with the intermediate results that carry the anchorage lines.
void Detail(Corbel_Model& m, int level)
{
    m.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = level;
    m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 1;
}

const std::string kVRdMax = "V" SUB "Rd,max" END " = ";

}  // namespace

// A lightweight concrete is named by its LC class with its density, under EN 1992-2 too,
// and the strut capacity of "Heft 600" is reduced by eta1 as the bearing limit is.
TEST(CorbelReportEdges, LightweightConcreteIsNamedAndWeakensTheStrut)
{
    auto heft_600 = [](Corbel_Model& m, int concrete) {
        m.method = 2;
        m.concrete_class = concrete;
        m.density = 1000.0;
        One_Row(m, 420.0, 84.0);
        Detail(m, 1);
    };
    const std::string normal = Report_Of([&](Corbel_Model& m) { heft_600(m, 9); });
    const std::string light = Report_Of([&](Corbel_Model& m) { heft_600(m, 24); });
    EXPECT_TRUE(Has(normal, "C30/37"));
    EXPECT_TRUE(Has(light, "LC30/33 (\xCB = 1000 kg/m" OLI_SEQ_SUP "3" END ")"));
    EXPECT_FALSE(Has(light, " C30/37"));

    const double eta1 = 0.4 + 0.6 * 1000.0 / 2200.0;
    ASSERT_FALSE(std::isnan(Number_After(normal, kVRdMax)));
    EXPECT_NEAR(Number_After(light, kVRdMax), eta1 * Number_After(normal, kVRdMax), 0.1);

    auto bridge_of = [&](int concrete) {
        return Report_Of([&](Corbel_Model& m) {
            heft_600(m, concrete);
            m.norm_code = m.safety_factors.norm_code = 21;
            m.steel_class[0] = m.steel_class[1] = 4;  // bridges take high-ductility steel
        });
    };
    const std::string bridge = bridge_of(25);
    EXPECT_TRUE(Has(bridge, "Leichtbeton: Die Zustimmung"));
    EXPECT_TRUE(Has(bridge, "LC35/38 (\xCB = 1000 kg/m"));
    EXPECT_FALSE(Has(bridge, "C35/45"));
    // The bridge's material set knows no lightweight concrete: eta1 must still reach the strut.
    EXPECT_NEAR(Number_After(bridge, kVRdMax), eta1 * Number_After(bridge_of(10), kVRdMax), 0.1);
}

// A hung-up load takes no H: the notes, the combination's forces and the results table say
// so. The inclined bars carry the lower share at the flatter of their inclination and the
// strut's slope, and the report names that angle beside the one drawn.
TEST(CorbelReportEdges, HungUpLoadShowsHUnusedAndHangsOnTheFlatterAngle)
{
    auto hung_up = [](Corbel_Model& m, double inclination, int level) {
        m.load_transfer = LOAD_TRANSFER_INDIRECT;
        m.load_share = 0.6;
        m.inclination = inclination;
        One_Row(m, 300.0, 60.0);
        Detail(m, level);
    };
    const std::string standard = Report_Of([&](Corbel_Model& m) { hung_up(m, 45.0, 1); });
    EXPECT_TRUE(Has(standard, "Angeh\x84ngte Last: Horizontallasten werden nicht angesetzt."));
    EXPECT_TRUE(Has(standard, "H = 60.00 kN (nicht angesetzt)"));
    // The bars at 45 degrees are flatter than the strut here: 120 kN / sin 45.
    EXPECT_TRUE(Has(standard, "(\xBB = 45.0\xF8):"));
    EXPECT_NEAR(Number_After(standard, "Z" SUB "S" END " = "), 120.0 / std::sin(M_PI / 4.0), 0.05);

    // Bars steeper than the strut: the strut's slope gives the force and is named.
    const std::string steep = Report_Of([&](Corbel_Model& m) { hung_up(m, 70.0, 1); });
    const size_t at = steep.find("(\xBB = 70.0\xF8, ma\xE1gebend Druckstrebe ");
    ASSERT_NE(at, std::string::npos);
    const double strut = Number_After(steep, "Druckstrebe ", at);
    EXPECT_LT(strut, 70.0);
    EXPECT_NEAR(Number_After(steep, "Z" SUB "S" END " = "), 120.0 / std::sin(strut * M_PI / 180.0), 0.2);

    const std::string table = Report_Of([&](Corbel_Model& m) { hung_up(m, 45.0, 3); });
    EXPECT_TRUE(Has(table, "   (60.00)"));
    EXPECT_TRUE(Has(table, "(H" SUB "Ed" END "): bei angeh\x84ngter Last nicht angesetzt"));
}

// A negative H is designed as 0 and says so, as a negative A does; no note without one.
TEST(CorbelReportEdges, NegativeHorizontalForceIsNoted)
{
    const std::string negative = Report_Of([](Corbel_Model& m) { One_Row(m, 420.0, -84.0); });
    EXPECT_TRUE(Has(negative, "Negative Horizontallasten werden ignoriert."));
    const std::string positive = Report_Of([](Corbel_Model& m) { One_Row(m, 420.0, 84.0); });
    EXPECT_FALSE(Has(positive, "Negative Horizontallasten"));
}

// A small load with a large H moves the load point of the compression zone beyond the
// corbel: no anchorage length is left. It is shown as 0, never negative, and fails.
TEST(CorbelReportEdges, NoRoomToAnchorShowsZeroAndFails)
{
    const std::string report = Report_Of([](Corbel_Model& m) {
        m.method = 3;
        One_Row(m, 5.0, 100.0);
        Detail(m, 2);
    });
    const std::string label = "vorh l" SUB "v" END " = l" SUB "k" END "-";
    const size_t at = report.find(label);
    ASSERT_NE(at, std::string::npos);
    const size_t end = report.find('\n', at);
    EXPECT_EQ(report.substr(end - 9, 9), " = 0.0 cm") << report.substr(at, end - at);
    const size_t check = report.find(">  vorh l" SUB "v" END " = 0.0 cm");
    ASSERT_NE(check, std::string::npos);
    EXPECT_TRUE(Has(report.substr(check, report.find('\n', check) - check), "nicht ok"));
}

// No combination can be designed: the required areas, and the anchorage and lap lengths that
// follow from them, are unknown. Their lines say so and are never judged against no steel.
TEST(CorbelReportEdges, NoDesignedRowLeavesRequiredValuesUnknown)
{
    const std::string report = Report_Of([](Corbel_Model& m) {
        Alloc_Load_Table(&m, 4, 0);
        for (int i = 0; i < 4; ++i) {
            m.load_table[0][i].A = 2000000.0;
            m.load_table[0][i].H = 400000.0;
        }
        Detail(m, 2);
    });
    const size_t chosen = report.find("Minimale Verankerungs-");
    ASSERT_NE(chosen, std::string::npos);
    const std::string tail = report.substr(chosen);
    for (const std::string unknown : {"A" SUB "s,erf" END " nicht ermittelbar", "erf l" SUB "v" END " nicht ermittelbar\n",
                                      "Konsole erf l" SUB "v" END " nicht ermittelbar, vorh l" SUB "v" END " = 18.0 cm\n",
                                      "erf A" SUB "s,h" END " nicht ermittelbar"})
        EXPECT_TRUE(Has(tail, unknown)) << unknown;
    EXPECT_FALSE(Has(tail, "= 0.00 cm"));
    // The lines of the lengths carry no verdict.
    for (size_t at = tail.find("erf l" SUB "v"); at != std::string::npos; at = tail.find("erf l" SUB "v", at + 1))
        EXPECT_FALSE(Has(tail.substr(at, tail.find('\n', at) - at), "ok")) << tail.substr(at, 80);
}
