#pragma once
// The results table of the corbel report ("Ergebnistabelle"): design forces and required
// reinforcement areas of every ultimate-limit-state combination, the governing values
// underlined, followed by a legend of the symbols. Written at the detail level
// "tabellarisch" after all rows were designed and the envelope was formed.
#include <cstdio>

struct Corbel_Model;

// Writes the heading "Ergebnistabelle" and, when a force column has a value, the table and
// its legend. Reads the ULS rows, their results, the unit switch and the envelope; writes
// nothing in the model. Nothing for a null model or stream.
void Write_Corbel_Results_Table(const Corbel_Model* model, FILE* report);
