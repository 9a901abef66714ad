#pragma once
// Form widgets for the older material records: the concrete and steel choices with the
// rows a grade needs (density of lightweight concrete, alpha, the parameters of a free
// grade or a link to its dialog), the parameter blocks and the dialogs that define a
// concrete or a steel freely. They add to the form layer's areas (toolkit/form_core.h).
#include "material/old_class_records.h"

struct Grade_List;

// 0 (at start): a free grade shows its parameters below the choice; nonzero: a link that
// opens the material dialog instead.
void Form_Set_Material_Dialogs(int flag);
// Label "Betongüte" and the concrete choice 75 pixels right; the height of the added rows.
int Form_Add_Concrete_Row(int area, int x, int y, Concrete_Class_Data* record, Grade_List* list, int* index);
// The choice at (x, y) and the rows of the chosen grade; the height added below it.
int Form_Add_Concrete_Choice(int area, int x, int y, Concrete_Class_Data* record, Grade_List* list, int* index);
int Form_Add_Steel_Choice(int area, int x, int y, Steel_Class_Data* steel, Grade_List* list, int* index);
// The parameter blocks in MN/m² and per mille; return 183 and 107.
int Form_Add_Concrete_Parameters(int area, int x, int y, Concrete_Class_Data* record);
int Form_Add_Steel_Parameters(int area, int x, int y, Steel_Class_Data* steel);
// Start from the default free grade (C25/30 values, BSt 500 (A)); a cancelled dialog gives
// the record back as it was before the call. -> the dialog's result.
int Form_Define_Concrete_Dialog(Concrete_Class_Data* record);
int Form_Define_Steel_Dialog(Steel_Class_Data* steel);
