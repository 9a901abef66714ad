// Reports of positions at the edges of the input: a tie axis at or below mid-height, values
// too large to be shown, a fatigue load without equilibrium in the cracked section, a bridge
// with a steel that bridges do not take. None may end in a success, and no report shows a
// number that is not one.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "annex/nad_choice.h"
#include "base/alloc.h"
#include "base/component_files.h"
#include "base/run_globals.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/corbel_work.h"
#include "material/material_set.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class EdgeInputReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        NAD_Select_By_Name("Deutschland");
        saved_path_ = Get_Component_Path();
        saved_oli_ = oli_file_name;
        saved_spf_ = spf_file_name;
        Set_Component_Path(dir_.file("B1").c_str());
        oli_file_name = "_01.OLI";
        spf_file_name = dir_.file("B10001.SPF");
        Set_Corbel_Defaults(&corbel_model);
    }
    void TearDown() override
    {
        Set_Corbel_Defaults(&corbel_model);
        Set_Component_Path(saved_path_.c_str());
        oli_file_name = saved_oli_;
        spf_file_name = saved_spf_;
        Free_Material_Set(&corbel_material_set);
        corbel_material_set_ready = 0;
        OLI_Reset_Channel();
        verdict_failed = 0;
        NAD_Select_By_Name("Deutschland");
    }
    // Rows of (A, H) in N.
    static void Rows(int k, const std::vector<std::pair<double, double>>& rows)
    {
        Alloc_Load_Table(&corbel_model, static_cast<int>(rows.size()), k);
        for (size_t i = 0; i < rows.size(); ++i) {
            corbel_model.load_table[k][i].A = rows[i].first;
            corbel_model.load_table[k][i].H = rows[i].second;
        }
        Alloc_Load_Case_Results(&corbel_model);
    }
    std::string Report()
    {
        EXPECT_EQ(Write_Corbel_Report(), 0);
        return Read_File_Bytes(dir_.file("B1_01.OLI"));
    }

    Temp_Dir dir_;
    std::string saved_path_, saved_oli_, saved_spf_;
};

} // namespace

TEST_F(EdgeInputReport, NoSuccessAndNoNonNumberAtTheEdges)
{
    struct Case {
        const char* what;
        std::function<void(Corbel_Model&)> set;
        std::string shows;
    };
    const std::vector<Case> cases = {
        {"tie axis below mid-height, Heft 430, fatigue",
         [](Corbel_Model& m) {
             m.method = 4;
             m.hk = 10.0;
             m.d1k = 8.0;
             m.lk = 120.0;
             m.load_a = 61.1;
             m.lp = 5.0;
             m.fatigue_check = 1;
             Rows(0, {{6550.0, 126680.0}});
             Rows(1, {{6550.0, 126680.0}, {3000.0, 60000.0}});
         },
         "Fehler d\xCE\\1k\xCEr \xF2 h\xCE\\k\xCEr/2"},
        {"hk of 1e308", [](Corbel_Model& m) { m.hk = 1e308; },
         "Fehler h\xCE\\k\xCEr: ung\x81ltiger Zahlenwert"},
        {"lk of 1e308", [](Corbel_Model& m) { m.lk = 1e308; },
         "Fehler l\xCE\\k\xCEr: ung\x81ltiger Zahlenwert"},
        {"load of 1e12 kN in row 2", [](Corbel_Model& m) { m.load_table[0][1].A = 1e15; },
         "Fehler Lk 2: A\xCE\\Ed\xCEr: ung\x81ltiger Zahlenwert"},
        {"fatigue load the cracked section cannot balance",
         [](Corbel_Model& m) {
             m.fatigue_check = 1;
             Rows(1, {{280000.0, 56000.0}, {1e8, 2e7}});
         },
         "kein Gleichgewicht im gerissenen Querschnitt"},
    };
    const std::regex non_number("(^|[^A-Za-z])(nan|inf)([^A-Za-z]|$)|[0-9]{16}", std::regex::icase);
    for (const Case& c : cases) {
        Set_Corbel_Defaults(&corbel_model);
        Rows(0, {{420000.0, 84000.0}, {365000.0, 73000.0}});
        c.set(corbel_model);
        const std::string report = Report();
        EXPECT_TRUE(Has(report, c.shows)) << c.what << "\n" << report;
        EXPECT_FALSE(Has(report, "Bemessung erfolgreich")) << c.what;
        EXPECT_FALSE(std::regex_search(report, non_number)) << c.what << "\n" << report;
    }
}

// The steels that bridges do not take become the bridge steel under every annex, not only
// under the German one (whose own rules on concrete and ductility stay its own).
TEST_F(EdgeInputReport, BridgeSteelMappingUnderEveryAnnex)
{
    for (const char* annex : {"Deutschland", "EC-Standardparameter"}) {
        for (int steel : {5, 6}) {
            NAD_Select_By_Name(annex);
            Set_Corbel_Defaults(&corbel_model);
            corbel_model.norm_code = CORBEL_NORM_BRIDGES;
            corbel_model.steel_class[0] = steel;
            Rows(0, {{420000.0, 84000.0}});
            const std::string report = Report();
            EXPECT_EQ(corbel_model.steel_class[0], 4) << annex << " " << steel;
            EXPECT_FALSE(Has(report, "GFK")) << annex << " " << steel;
            EXPECT_TRUE(Has(report, "Bewehrung: B500B")) << annex << " " << steel;
        }
    }
    // A building keeps its steel.
    NAD_Select_By_Name("EC-Standardparameter");
    Set_Corbel_Defaults(&corbel_model);
    corbel_model.steel_class[0] = 5;
    Check_Corbel_Model(&corbel_model, nullptr, 0, 0);
    EXPECT_EQ(corbel_model.steel_class[0], 5);
}
