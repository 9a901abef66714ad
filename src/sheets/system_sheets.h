#pragma once
// Register page 1 of the main sheet: the system and materials sheet (left), the geometry
// sheet with the corbel sketch (right) and, below both, the required reinforcement of the
// last calculation. Each sheet adds its items from *y downwards and leaves *y below them;
// the widgets write straight into the model or into the edit buffer, and the main loop
// rebuilds the page after every change.
struct Corbel_Model;

void Draw_System_Sheet(Corbel_Model* model, int area, int x, int* y, int step, int small_step,
                       int width);
void Draw_Geometry_Sheet(Corbel_Model* model, int area, int x, int* y, int step,
                         int small_step, int width);
// The report's closing verdict of the last online calculation, in a row of its own:
// "Bemessung erfolgreich" in blue, or "Fehler bei der Bemessung !!" in red followed by the
// failed parts as the report names them. Nothing without valid online results, with an
// input error or without load (the report then closes without a verdict). own_line draws
// the separator above it first.
void Draw_Design_Verdict(Corbel_Model* model, int area, int x, int* y, int step, int width, bool own_line);
void Draw_Required_Rebar_Panel(Corbel_Model* model, int area, int x, int* y, int step,
                               int small_step, int width);

// The page title "Q7-EC2" with the program code of the page head.
void Format_Page_Title(char* out, int size);
