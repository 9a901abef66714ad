// The material report tables: rows, variants, legends, notes and layout calls.
#include <gtest/gtest.h>

#include <string>

#include "annex/nad_ec2.h"
#include "annex/nad_sections.h"
#include "material/material_report.h"
#include "material/material_set.h"
#include "report/oli_channel.h"
#include "test_support.h"

namespace {

// A computed EN 1992-1-1 (or DIN 1045 (1988)) set of one concrete and two steels.
struct Report_Set {
    Material_Set set{};
    int edition = Get_DIN1045_1_Edition();

    Report_Set(int concrete_class, int steel_0, int steel_1, bool old_standard = false)
    {
        Clear_Material_Set(&set);
        EXPECT_EQ(Alloc_Material_Set(&set, 1, 2), 0);
        set.new_standard = set.en1992_1_1 = old_standard ? 0 : 1;
        set.situation_code = 2;
        set.gamma_c = 1.5;
        set.gamma_s = 1.15;
        NAD_EC2_Defaults_For_Norm(4, set.annex);
        set.concrete[0].class_index = concrete_class;
        set.concrete[0].density = 2200.0;
        set.concrete[0].alpha_cc = 0.85;
        set.steel[0].steel_index = steel_0;
        set.steel[1].steel_index = steel_1;
    }
    std::string Report(int no_legends = 0, int keep_y = 0, int first = 0, int last = -1, int margin = 0)
    {
        Calc_Material_Set(&set, 0);
        OLI_Reset_Channel();
        File_Stream report;
        EXPECT_EQ(Write_Material_Report_Tables(report.get(), &set, no_legends, keep_y, first, last, margin), 0);
        return report.bytes();
    }
    ~Report_Set()
    {
        Free_Material_Set(&set);
        Set_DIN1045_1_Edition(edition);
    }
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(MaterialReportTables, EurocodeSet)
{
    Report_Set s(9, 4, 4);
    const std::string r = s.Report();
    EXPECT_TRUE(Has(r, "8.5\n Beton     f\xCE\\ck\xCEr   f\xCE\\cd\xCEr   \xBE\xCE\\c2\xCEr   \xBE\xCE\\c2u\xCEr   "
                       "n\xCE\\c\xCEr     E\xCE\\cm\xCEr   f\xCE\\ctm\xCEr \n"))
        << r;
    EXPECT_TRUE(Has(r, "\n C30/37   30.0  17.0 -2.00 -3.50  2.00  32836.6 2.896\n#END_OF_TEXT\n")) << r;
    EXPECT_TRUE(Has(r, "#OLI_YPOS 1 -0.5\n#SHOWTABLE\n0 0 5\n Charakteristische"));
    EXPECT_TRUE(Has(r, " Bemessungswert der Zylinderdruckfestigkeit f\xCE\\cd\xCEr = \xBA" "f\xCE\\ck\xCEr / \xC0\xCE\\c\xCEr\n"));
    // Two equal steels give one row, with the design law 1.05 fyk and 25 per mille.
    EXPECT_EQ(r.find(" B500B    "), r.rfind(" B500B    "));
    EXPECT_TRUE(Has(r, "12.5\n Bewehrung     f\xCE\\yk\xCEr    f\xCE\\tk\xCEr   \xBE\xCE\\su\xCEr     E\xCE\\s\xCEr\n"));
    EXPECT_TRUE(Has(r, " B500B        500.0  525.0 25.00 200000.0\n"));
    EXPECT_TRUE(Has(r, "#SHOWTABLE\n0 0 3\n Bemessungswert der Streckgrenze"));
    EXPECT_FALSE(Has(r, "ComBAR"));
}

TEST(MaterialReportTables, NotesForGlassFibreAndLatticeGirder)
{
    Report_Set s(9, 5, 6);
    const std::string r = s.Report();
    EXPECT_TRUE(Has(r, " ComBAR GFK   580.0"));
    EXPECT_TRUE(Has(r, "#OLI_YPOS 1 -0.6\n#SHOWTABLE\n0 0 1\n ComBAR GFK: Bewehrung aus glasfaserverst\x84rktem "
                       "Kunststoff von Sch\x94" "ck Bauteile GmbH (Zulassung Z-1.6-238 vom 8.7.2019)\n"))
        << r;
    EXPECT_TRUE(Has(r, "#OLI_YPOS 1 -0.6\n#SHOWTABLE\n0 0 1\n Gittertr\x84ger: Synonym f\x81r Bewehrung mit "
                       "f\xCE\\yk\xCEr = 420 N/mm\xCE/2\xCEr (weitere Informationen s. Handbuch)\n"));
}

TEST(MaterialReportTables, OldStandardSet)
{
    Report_Set s(2, 1, 1, true);
    const std::string r = s.Report();
    EXPECT_TRUE(Has(r, "5.5\n Beton   \xBB\xCE\\WN\xCEr    \xBB\xCE\\R\xCEr    \xBE\xCE\\b1\xCEr     n       E\xCE\\b\xCEr\n"));
    EXPECT_TRUE(Has(r, "\n  B35   35.0   23.0 -2.00    2.00  34000.0\n#END_OF_TEXT\n")) << r;
    EXPECT_TRUE(Has(r, " BSt 420       420.0 210000.0\n"));
    EXPECT_TRUE(Has(r, "#SHOWTABLE\n0 0 2\n Streckgrenze der Bewehrung \xBB\xCE\\S\xCEr\n"));
}

TEST(MaterialReportTables, ConcreteTableVariants)
{
    {
        Report_Set s(24, 11, 11);  // ÖNORM: τd with three decimals and its legend line
        s.set.en1992_1_1 = 0, s.set.oenorm = 1;
        const std::string r = s.Report();
        EXPECT_TRUE(Has(r, " \x99-C30/37  27.8 0.270")) << r;
        EXPECT_TRUE(Has(r, "#SHOWTABLE\n0 0 6\n"));
        EXPECT_TRUE(Has(r, "  Rechenwert der Schubspannungen \xD6\xCE\\d\xCEr\n"));
    }
    {
        Report_Set s(9, 4, 4);  // lightweight: the LC name and the density column
        s.set.concrete[0].density = 1800.0;
        const std::string r = s.Report();
        EXPECT_TRUE(Has(r, "  \xCB\xCE\\c\xCEr ")) << r;
        EXPECT_TRUE(Has(r, " LC30/33  30.0"));
        EXPECT_TRUE(Has(r, " 1800"));
    }
}

TEST(MaterialReportTables, SwitchesAndLayout)
{
    Report_Set s(9, 4, 7);
    const std::string r = s.Report(1, 1, 1, 1, 4);
    EXPECT_EQ(r.rfind("#OLI_STORE_Y 1\n", 0), 0u) << r;
    EXPECT_TRUE(Has(r, "#OLI_MARGINS_CHAR 1 4 0\n"));
    EXPECT_TRUE(Has(r, "#OLI_MARGINS_CHAR 1 0 0\n#OLI_RESTORE_Y 1\n"));
    EXPECT_FALSE(Has(r, "#OLI_YPOS 1 -0.5"));  // no legends
    // Records 1..1: no concrete, only the second steel.
    EXPECT_FALSE(Has(r, " Beton"));
    EXPECT_FALSE(Has(r, " B500B"));
    EXPECT_TRUE(Has(r, " B550A    "));
    EXPECT_EQ(Write_Material_Report_Tables(nullptr, &s.set, 0, 0, 0, -1, 0), 1);
}

TEST(MaterialReportTables, FormatMaterialValue)
{
    EXPECT_STREQ(Format_Material_Value(-0.5), "  --- ");
    EXPECT_STREQ(Format_Material_Value(100.0), " Block");
    EXPECT_STREQ(Format_Material_Value(10000.0), " Block");
    EXPECT_STREQ(Format_Material_Value(1.55), "  1.55");
    EXPECT_STREQ(Format_Material_Value(99.5), " 99.50");
}

TEST(SetFreeMaterialValues, FreeConcreteAndSteel)
{
    Report_Set s(30, 13, 4);
    Set_Free_Material_Values(&s.set, 0, 0, 30.0, 25.5, -2.2, -3.3, 0.0, 0.0, 0.0);
    Set_Free_Material_Values(&s.set, 1, 0, 500.0, 540.0, 99.0, 50.0, 200000.0, 0, 0);
    Set_Free_Material_Values(&s.set, 1, 2, 1, 1, 1, 1, 1, 1, 1);  // no such record: nothing
    s.Report();
    // Only values below 0.001 are derived (Ecm, fctm, fcm, n, fcd); the strains stand.
    const Concrete_Record& c = s.set.concrete[0];
    EXPECT_DOUBLE_EQ(c.alpha_cc, 0.85);
    EXPECT_NEAR(c.e_modulus, 32836.6, 0.05);
    EXPECT_NEAR(c.fcm, 38.0, 1e-12);
    EXPECT_NEAR(c.fcd, 17.0, 1e-12);
    EXPECT_EQ(c.eps_c2, -2.2);
    EXPECT_EQ(c.eps_cu, -3.3);
    const Steel_Record& st = s.set.steel[0];
    EXPECT_EQ(st.fyk_c, 500.0);
    EXPECT_EQ(st.ftk, 540.0);
    EXPECT_EQ(st.eps_uk, 50.0);
    EXPECT_NEAR(st.fyd, 500.0 / 1.15, 1e-9);
    Set_Free_Material_Values(&s.set, 0, 0, 0.0, 25.5, -2.0, -3.5, 2.0, 0.0, 0.0);
    EXPECT_EQ(s.set.concrete[0].alpha_cc, 0.0);  // no strength: the factor is left to the annex
}

}  // namespace
