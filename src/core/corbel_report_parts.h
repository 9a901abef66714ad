#pragma once
// Stand-ins for the blocks of the corbel report that are written elsewhere: the input echo,
// the results table and the reinforcement report. Replaced by their own headers.
#include <cstdio>

struct Corbel_Model;

void Write_Corbel_Input_Echo(Corbel_Model* model, FILE* report, int detail);
void Write_Corbel_Results_Table(Corbel_Model* model, FILE* report);
void Report_Chosen_Reinforcement(Corbel_Model* model, FILE* report, int detail);
