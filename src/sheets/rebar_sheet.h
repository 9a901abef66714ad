#pragma once
// Register page 3: the reinforcement choice ("Bewehrung wählen") with the corbel sketch in
// mode 1 and, after a calculation with online calculation on, each chosen quantity beside
// its required value and a mark. The main tie of a single corbel is a table of up to 10
// layers, re-made at every build and read back into the model before.
struct Corbel_Model;

// One row of the layer table.
struct Bar_Choice_Row {
    double count;
    int diameter;  // index into the bar diameters
    int editable;
};

// The five table slots the page walks (only the first is used); -1 when free.
extern int rebar_table_handles[5];

void Draw_Rebar_Choice_Sheet(Corbel_Model* model, int area, int x, int* y, int step,
                             int small_step, int width);

// The row function of the layer table.
int Draw_Bar_Choice_Row(int mode, int area, int x, int y, void* row);

// Number-field check of stirrup legs: above 0.01 and below 2 becomes 2; 0 stays.
double* Raise_Below_Two(double* value);

// The page's events to its tables: 2 rows changed, -1 handled, else the last table's code
// (0 without a table).
int Handle_Rebar_Page_Events();

// Reads the layer table back into the model's main-tie layers (count and diameter per row,
// counts as trunc(count + 0.1)) and frees every table of the page.
void Release_Rebar_Tables(Corbel_Model* model);
