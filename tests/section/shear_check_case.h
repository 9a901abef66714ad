#pragma once
// A section check case: C30/37 with B500B stirrups, γc 1.5, γs 1.15, a 30 × 60 rectangle,
// d 55, both edge distances 5, by the Eurocode recommended values unless chosen otherwise.
#include "annex/nad_ec2.h"
#include "material/material_set.h"
#include "section/section_checks.h"

struct Shear_Check_Case {
    enum Standard { EUROCODE, GERMAN_ANNEX, DIN1045_1, DIN1045_1988 };

    Material_Set set{};
    Concrete_Record concrete{};
    Steel_Record steel{};
    NAD_EC2_Params annex{};
    Calc_Work_Record r{};

    explicit Shear_Check_Case(Standard standard = EUROCODE)
    {
        set.new_standard = standard != DIN1045_1988;
        set.en1992_1_1 = standard == EUROCODE || standard == GERMAN_ANNEX;
        set.situation_code = 2;
        set.gamma_c = 1.5;
        set.gamma_s = 1.15;
        if (standard == GERMAN_ANNEX)
            NAD_EC2_Defaults_NA_DE(&annex);
        else
            NAD_EC2_Defaults_For_Norm(standard == EUROCODE ? 4 : 1, &annex);
        set.annex = &annex;
        set.n_concrete = set.n_steel = 1;
        set.concrete = &concrete;
        set.steel = &steel;
        concrete.class_index = 9;
        concrete.fck = 30.0;
        concrete.fctm = 2.9;
        concrete.fcd = (standard == EUROCODE) ? 20.0 : 17.0;
        concrete.eta1 = 1.0;
        steel.steel_index = 4;
        steel.fyk = 500.0;
        steel.fyd = 500.0 / 1.15;
        if (standard == DIN1045_1988) {
            concrete.class_index = 1;  // B25
            concrete.fck = 25.0;
            concrete.fcd = 17.5;
            steel.steel_index = 1;     // BSt 420
        }

        r.shape = 0;
        r.width_1 = 30.0;
        r.height = 60.0;
        r.d = 55.0;
        r.extra_1 = 1800.0;
        r.extra_2 = 540000.0;
        r.level_3 = 30.0;
        r.edge_top = 5.0;
        r.edge_bottom = 5.0;
        r.material = &set;
        r.steel_index = (standard == DIN1045_1988) ? 1 : 4;
        r.apply_vmin = 1;
        r.roughness_class = 2;
        r.stress_factor = 1.0;
    }
};
