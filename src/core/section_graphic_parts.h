#pragma once
// Shared between the parts of the longitudinal-section graphic: the figures of one
// drawing, worked out once from the model, and the steps that draw the reinforcement.
#include "core/corbel_model.h"

struct NAD_EC2_Params;

struct Section_Figure {
    const Corbel_Model* model;
    const NAD_EC2_Params* params;  // options of the bar-spacing rules
    bool rebar;                    // mode 1 with the reinforcement chosen
    bool drawing_file;             // a drawing file is open: bars get their axis line too
    double N;                      // scale 1:N (paper cm k is k * N in the model)
    double w, h;                   // extents
    double m;                      // bottom margin (paper cm)
    // Model values under the names the drawing uses.
    double b1, b2;                 // member dimension in the plane; beam height or slab
    double lk, hk, hk2;            // corbel length, depth, chamfer
    double d1k, d1, e1;
    double lp, a, ah;              // bearing plate, load position, load height
    double t;                      // snapped tangent of the inclination (0: none)
    bool support;                  // system 1
    bool load;                     // system 0
    bool beam_end;                 // execution 1
    bool on_beam;                  // connection 0
    bool at_slab;
    bool indirect;                 // load transfer 1
    // Load corbel: joint face x0, loaded edge y0, free end xe.
    double x0, y0, xe;
};

// A dashed line: the dash record (count 2 and the pattern) before it and the solid record
// after it, both into the report graphic only.
void Section_Dash_Begin(const char* pattern);
void Section_Dash_End();

// The reinforcement of mode 1, drawn after the outline, plate and loads.
void Draw_Section_Rebar(const Section_Figure& f);
