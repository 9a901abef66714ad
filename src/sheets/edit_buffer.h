#pragma once
// The editing state of the main sheet's pages: the values the sheets show in another
// form than the corbel model keeps them (counts as number fields, the load share in
// percent, check boxes that stand for "value given"), the sketch scale, the screen
// palette every sheet draws with, and the ring of editable-state cells the scroll-area
// widgets point to.
//
// The main loop applies the buffer to the model before every calculation, save, export
// and report, and fills it again afterwards; a fill while loaded and an apply while not
// loaded do nothing, so an apply/fill pair around any calculation keeps what the user
// typed. Core code reaches the two through hooks (core/edit_buffer_hooks.h) that the
// interactive start registers.
#include <cstdint>

struct Corbel_Model;

// Number of bar counts and stirrup legs the reinforcement page shows as number fields.
constexpr int EDIT_BUFFER_REBAR_COUNTS = 17;

// Index of each count in Corbel_Edit_Buffer::rebar_count.
enum Edit_Buffer_Count {
    COUNT_MAIN_TIE_LEGS = 0,        // legs of the main-tie stirrups (1 for loops)
    COUNT_SPLIT_V_NUMBER,           // vertical splitting stirrups: number
    COUNT_SPLIT_V_LEGS,             //   legs
    COUNT_SPLIT_H_NUMBER,           // horizontal splitting stirrups or loops: number
    COUNT_SPLIT_H_LEGS,             //   legs
    COUNT_HANGER_NUMBER,            // hanger stirrups: number
    COUNT_HANGER_LEGS,              //   legs
    COUNT_INCLINED_NUMBER,          // inclined loops: number
    COUNT_INCLINED_EXTRA,           // a further inclined-bar integer, shown by no widget
    COUNT_ANCHOR_V_NUMBER,          // vertical anchorage stirrups: number
    COUNT_ANCHOR_V_LEGS,            //   legs
    COUNT_ANCHOR_H_NUMBER,          // horizontal anchorage loops: number
    COUNT_ANCHOR_H_LEGS,            //   legs
    COUNT_MEMBER_TOP,               // bars of the supporting member, top (or left)
    COUNT_MEMBER_BOTTOM,            //   bottom (or right)
    COUNT_END_TOP,                  // longitudinal bars of the corbel, top
    COUNT_END_BOTTOM,               //   bottom
};

struct Corbel_Edit_Buffer {
    int32_t edit_buffer_loaded = 0;  // 1 while the buffer holds the model's values
    int32_t first_fill_done = 0;     // 0 until the first fill of the run
    int32_t code_choice = 0;         // 0 "EC 2 Hochbau" (norm 4), 1 "EC 2 Betonbrücken" (21)
    // 1 when the load share is taken over into the model; set by the fill that follows a
    // new model and by an edit of the "Verteilungszahl" field (Mark_Load_Share_Edited).
    int32_t keep_load_share = 0;
    double load_share_pct = 0.0;       // load share in percent (parameter sheet)
    double load_share_rest_pct = 0.0;  // 100 minus it
    int32_t chamfer_box = 0;           // check box "abgeschrägt"
    int32_t bearing_plate_box = 0;     // check box "Lagerplatte"
    double rebar_count[EDIT_BUFFER_REBAR_COUNTS] = {};  // Edit_Buffer_Count order

    // Written by the sheets that show the corbel sketch, read by its drawing (always
    // equal, pixels per cm); the height is 0 while no sketch is shown.
    double sketch_scale_x = 0.0;
    double sketch_scale_y = 0.0;
    int32_t sketch_area_height = 0;

    // Read-only fields need a stable address: the required-reinforcement panel copies
    // its nine result values here (A s,h, s,v, s,s, s,h1, s,v1, s,v2, sb,v, sb,h, z3),
    // the reinforcement page its two required bar spacings.
    double required_panel[9] = {};
    double required_spacing[2] = {};
    int32_t anchorage_reset_request = 0;  // reset button of the reinforcement page

    // The system (load or support corbel) the geometry sheet last built with; -1 after a
    // new model was loaded, so that only the user's change of the system swaps the
    // support dimensions, never a model that was read, imported or reset.
    int32_t remembered_system = -1;

    // The model's load generation (corbel_load_generation) the buffer last filled from.
    uint32_t seen_generation = 0;

    // The bearing-plate width the data check cut to the column width b: the width as
    // entered and as cut. While the user types no other width, each apply offers the
    // check the entered width again, so that it comes back as far as b allows.
    int32_t plate_width_cut = 0;
    double plate_width_entered = 0.0;
    double plate_width_shown = 0.0;
};

extern Corbel_Edit_Buffer corbel_edit_buffer;

// Copies the model into the buffer (nothing while loaded). On the first fill after a new
// model was loaded (first of the run, or after a read, import, clearing or defaults) the
// three "value given" flags are derived from the model again and the remembered system
// returns to -1.
void Fill_Edit_Buffer(Corbel_Model* model);

// Copies the buffer back (nothing while not loaded), reads the page tables back into the
// model and frees them, and reruns the data check.
void Apply_Edit_Buffer(Corbel_Model* model);

// The page tables (load tables of page 2, layer table of page 3) hold model rows while
// their page is shown. The module that makes such a table sets its release function
// when it first makes one: it reads the rows back into the model and frees the tables
// (handles back to -1). Apply_Edit_Buffer calls both (load tables first) when set.
extern void (*release_load_tables_fn)(Corbel_Model* model);
extern void (*release_rebar_tables_fn)(Corbel_Model* model);

// The user edited the load share: from now on it is taken over into the model.
void Mark_Load_Share_Edited(int unused_new_value = 0);

// Check of the bearing-plate width field: not below 0, and the width the user typed
// replaces one the data check had cut.
double* Plate_Width_Typed(double* value);

// ---- screen palette ----

// Colour indices (Nearest_RGB_Color or the environment's colours), two fixed editable
// cells and four font codes; set once per run by Init_Screen_Palette. Order as stored.
struct Screen_Palette {
    int32_t unit_text;           // 160,160,160 units and notes behind number fields
    int32_t tint_1;              // 230,238,230
    int32_t tint_2;              // 255,219,183
    int32_t tint_3;              // 192,192,214
    int32_t concrete_fill;       // 233,233,233 concrete in the sketch
    int32_t tint_4;              // 219,232,219
    int32_t tint_5;              // 180,180,180
    int32_t sketch_tint;         // 228,228,196
    int32_t slab_fill;           // 224,224,224 slab and cross member in the sketch
    int32_t highlight_band;      // 255,255,196 bands behind buttons, highlighted rows
    int32_t tint_6;              // 255,100,100
    int32_t tint_7;              // 255,231,231
    int32_t tint_8;              // 255,196,196
    int32_t tint_9;              // 255,231,206
    int32_t tint_10;             // 125,172,125
    int32_t tint_11;             // 196,217,196
    int32_t tint_12;             // 213,213,255
    int32_t member_bar_blue;     // 196,196,255 member and longitudinal bars in the sketch
    int32_t env_default;         // the environment's face colour
    int32_t note_brown;          // 128,64,0 hints, values that meet their requirement
    int32_t tint_13;             // 255,128,0
    int32_t light_grey;          // 192,192,192
    int32_t load_arrow_red;      // 177,0,0 load arrows
    int32_t sketch_background;   // the environment's colour -21
    int32_t choice_free;         // 170,0,0 the entry "frei" of choice lists
    int32_t choice_green;        // 0,128,0 second group of choice entries
    int32_t warning_red;         // 255,0,0 failed checks, "<" marks
    int32_t label_brown;         // 128,64,0 load-table hints, import info boxes
    int32_t info_blue;           // 4,2,252 provided values, table entries, annex name
    int32_t frame_grey;          // 130,130,130 titles, separators, grey entries
    int32_t white;               // 255,255,255 key colour of the sheets' bitmaps
    int32_t text_black;          // 0,0,0 normal text
    int32_t cell_off;            // 0: editable state of widgets never editable
    int32_t cell_on;             // 1: editable state of widgets always editable
    int32_t font_index;          // 0x1002 indices, subscripts, small notes
    int32_t font_normal;         // 0x1000 normal text and number fields
    int32_t font_heading;        // 0x11000 headings (normal font drawn twice)
    int32_t font_heading_alt;    // 0x11001
};

extern Screen_Palette screen_palette;

void Init_Screen_Palette();

// ---- editable-state cells ----

// Widgets keep a pointer to a word that says whether they are editable; the sheets
// compute that state while they build a page and need a cell that outlives the build.
// A build takes as many cells as its widgets need (a load table of the most rows some
// 40,000); no two widgets of one build share a cell, and no cell ever moves or goes.

// All cells 0 and free again. Returns 0. Every page composer calls it first.
int Reset_Widget_Value_Ring();

// The next free cell, holding the state.
int32_t* Next_Widget_Value_Cell(int32_t state);

// Line steps every sheet is called with.
constexpr int SHEET_LINE_STEP = 22;
constexpr int SHEET_SMALL_STEP = 18;
