#pragma once
// Design of one ultimate-limit-state load combination of the corbel position: takes the
// row's forces, fills the work record of the beam-side or column-side procedure from the
// model, sets up the corbel's material set, runs the procedure, stores the outcome in the
// row's Load_Case_Result and, with a report stream, writes the design of the combination.
#include <cstdio>

struct Corbel_Model;
struct Load_Case_Result;
struct Material_Set;

// Notes written while one combination is designed: Design_Load_Case sets it to 0, the two
// design procedures add 1 per note (on every run, silent or not), and the report lists the
// messages under "Meldungen zur Berechnung" only when it is at least 1.
extern int calc_note_count;

// Designs row `index` of the model's ultimate-limit-state table.
// detail_level: 0 minimal, 1 standard, 2 ausführlich (as mapped by the calculation).
// Returns 0 when the row was not designed (index outside the table, no load above 1 kN)
// or was designed, whatever its verdicts; 1 when the design could not be carried out
// (material data unusable, geometry fault, or the procedure failed). After a material or
// geometry fault the row's result only marks the design as not carried out; after a
// procedure fault its A and H (N) are stored as well. A null model returns 0.
int Design_Load_Case(Corbel_Model* model, int index, FILE* report, int detail_level);

// Whether the corbel's calculated material set can be designed with: partial factors and
// design strengths of the concrete and the main steel above zero (a factor entered as 0 or
// a free material without values fails) and a concrete whose section laws can be computed.
bool Corbel_Material_Usable(const Corbel_Model& model, const Material_Set& set);

// Whether the corbel has a bearing plate that the design takes over (length and width
// given): only then do its bearing pressure and the dry bed joint enter the design.
bool Has_Bearing_Plate(const Corbel_Model& model);

// A load corbel on a column, single corbel, whose load hangs below it: its procedure takes
// no horizontal force.
bool Is_Hung_Up_Load(const Corbel_Model& model);

// Takes the results of the procedure that has just run (beam_corbel_work when beam is set,
// else column_corbel_work) into a row's result: the areas, the stirrup area by the
// direction its text begins with, the values the report and the envelope read, and the
// checks that failed; the beam-only fields are left as they are after the column
// procedure. Of the tie, hanger and inclined areas one below -0.01 (or not a number) is
// stored as -1.0 and makes the total -1.0; one from -0.01 up to 0 is stored as 0.0. Null
// result: nothing.
void Store_Design_Results(Load_Case_Result* result, int beam);

// Method class of the beam-side and the column-side procedure for the model's method index
// 0..5 (the row of the design procedures); an index outside 0..5 is taken as the nearest.
int Beam_Corbel_Method_Class(int method_index);
int Column_Corbel_Method_Class(int method_index);

// The method name that the column design text prints after "Verfahren nach", by column
// method class 0..6; "???" for any other class. Static text.
const char* Column_Corbel_Method_Name(int method_class);
