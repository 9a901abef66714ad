#pragma once
// Extents of the corbel drawings in cm of the model: the width and height that the
// sketch on screen and the longitudinal-section graphic of the report scale to fit.
//
// Mode 0 draws the geometry with the ties of the strut-and-tie model; mode 1 draws the
// chosen reinforcement instead, but only while the model's switch "Bewehrung wählen" is
// on (otherwise it is drawn, and measured, as mode 0).
struct Corbel_Model;

// Writes the width and height of the drawing (cm) into the pointers that are not null.
// A support corbel (system 1) is measured as such; every other system value as a load
// corbel. The inclined reinforcement of an indirect load transfer widens or deepens the
// drawing only when its tangent is not 0 (an inclination of about 0 degrees, which the data
// check has not yet clamped, adds nothing rather than dividing by 0).
void Get_Corbel_Extents(const Corbel_Model* model, int mode, double* width, double* height);
