#pragma once
// Anchorage, lap lengths and mandrel diameters of the chosen reinforcement of a corbel:
// required and available anchorage lengths of the main tie, the inclined bars, the
// supporting beam's field bars, the anchorage loops and the horizontal splitting loops;
// the laps in the supporting column or beam; the mandrel diameters. EN 1992-1-1 8.3, 8.4,
// 8.7 with the rules of the German annex when the annex in force asks for them.
//
// Units: lengths and bar diameters cm, areas cm²; the report shows diameters in mm.
#include <cstdio>

struct Corbel_Model;

// Checks the detailing of the chosen bars after the design of all load combinations (and
// the fatigue check, whose raised final areas it reads). The results go to the model's
// result summary (l_req_main .. l_prov_anch, short_main, short_incl, short_anch; lengths and
// diameters rounded to 0.1 cm), all cleared first; with no reinforcement chosen or the
// anchorage switch off nothing else happens. The user's empty anchorage values (below
// 0.01) of the reinforcement choice take the computed ones that are not negative.
//
// Report lines (the section "Minimale Verankerungs-, Übergreifungslängen und
// Biegerollendurchmesser") are written only with a report stream, detail level 1 or 2 and
// the print option "Zwischenergebnisse" on; the values are the same either way.
void Check_Corbel_Anchorage(Corbel_Model* model, FILE* report, int detail);

// The lap factor alpha_6 for a lapped share r (the required area of the lapped bars over the
// provided area of the bars they are lapped with). Without the German annex EN 1992-1-1
// (8.10): sqrt(r / 0.25) between 1.0 and 1.5. With it the share-weighted factors of the two
// diameters (cm): 1.2 or 1.4 below 16 mm, 1.4 or 2.0 from 16 mm, the larger value from a
// share of 33 %; a share above 1 (more steel required than the member bars provide) counts
// as a full lap.
double Calc_Lap_Factor_Alpha6(double r, double phi_lapped, double phi_member, int german_annex);
