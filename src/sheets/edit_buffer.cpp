#include "sheets/edit_buffer.h"

#include "sheets/program/corbel_dialogs.h"
#include "core/corbel_model.h"
#include "core/edit_buffer_hooks.h"
#include "base/alloc.h"
#include "platform/screen/screen.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

Corbel_Edit_Buffer corbel_edit_buffer;
Screen_Palette screen_palette;

void (*release_load_tables_fn)(Corbel_Model* model) = nullptr;
void (*release_rebar_tables_fn)(Corbel_Model* model) = nullptr;

namespace {

// The model's integer behind each count of the buffer, in Edit_Buffer_Count order.
int* Count_Cell(Corbel_Model* m, int k)
{
    Corbel_Rebar_Choice& r = m->rebar;
    switch (k) {
    case COUNT_MAIN_TIE_LEGS: return &r.beam_end_legs;
    case COUNT_SPLIT_V_NUMBER: return &r.group[0].count;
    case COUNT_SPLIT_V_LEGS: return &r.group[0].legs;
    case COUNT_SPLIT_H_NUMBER: return &r.group[1].count;
    case COUNT_SPLIT_H_LEGS: return &r.group[1].legs;
    case COUNT_HANGER_NUMBER: return &r.group[2].count;
    case COUNT_HANGER_LEGS: return &r.group[2].legs;
    case COUNT_INCLINED_NUMBER: return &r.group[3].count;
    case COUNT_INCLINED_EXTRA: return &r.group[3].legs;
    case COUNT_ANCHOR_V_NUMBER: return &r.group[4].count;
    case COUNT_ANCHOR_V_LEGS: return &r.group[4].legs;
    case COUNT_ANCHOR_H_NUMBER: return &r.group[5].count;
    case COUNT_ANCHOR_H_LEGS: return &r.group[5].legs;
    case COUNT_MEMBER_TOP: return &r.member_count[0];
    case COUNT_MEMBER_BOTTOM: return &r.member_count[1];
    case COUNT_END_TOP: return &r.end_count[0];
    default: return &r.end_count[1];
    }
}

} // namespace

void Fill_Edit_Buffer(Corbel_Model* model)
{
    Corbel_Edit_Buffer& b = corbel_edit_buffer;
    if (!model || b.edit_buffer_loaded == 1) return;
    b.edit_buffer_loaded = 1;

    // The "value given" flags follow the model only when it is new to the sheets: later
    // fills keep what the user set. A model that was read, imported or reset since the
    // last fill is new, so its plate, chamfer and load share are not zeroed by flags
    // that belonged to the model it replaced.
    if (b.first_fill_done == 0 || b.seen_generation != corbel_load_generation) {
        b.first_fill_done = 1;
        b.seen_generation = corbel_load_generation;
        b.keep_load_share = model->load_share > 0.01;
        b.chamfer_box = model->hk_end > 0.01;
        b.bearing_plate_box = model->lp > 0.01;
        // Nothing the user did changed the system of this model.
        b.remembered_system = -1;
        b.plate_width_cut = 0;
    }

    b.code_choice = model->norm_code == CORBEL_NORM_BUILDINGS ? 0 : 1;
    b.load_share_pct = model->load_share * 100.0;
    b.load_share_rest_pct = 100.0 - b.load_share_pct;
    for (int k = 0; k < EDIT_BUFFER_REBAR_COUNTS; ++k) b.rebar_count[k] = *Count_Cell(model, k);
}

void Apply_Edit_Buffer(Corbel_Model* model)
{
    Corbel_Edit_Buffer& b = corbel_edit_buffer;
    if (!model || b.edit_buffer_loaded == 0) return;
    b.edit_buffer_loaded = 0;

    model->norm_code = b.code_choice == 0 ? CORBEL_NORM_BUILDINGS : CORBEL_NORM_BRIDGES;
    if (model->system == SYSTEM_LOAD_CORBEL && model->connection != CONNECTION_BEAM && b.chamfer_box == 0)
        model->hk_end = 0.0;
    if (b.bearing_plate_box == 0) model->lp = 0.0;
    for (int k = 0; k < EDIT_BUFFER_REBAR_COUNTS; ++k)
        *Count_Cell(model, k) = static_cast<int>(b.rebar_count[k] + 0.1);
    model->load_share = b.keep_load_share ? 0.01 * b.load_share_pct : 0.0;

    if (release_load_tables_fn) release_load_tables_fn(model);
    if (release_rebar_tables_fn) release_rebar_tables_fn(model);
    if (b.plate_width_cut && model->bp == b.plate_width_shown) model->bp = b.plate_width_entered;
    const double entered = model->bp;
    Check_Corbel_Model(model, nullptr, 0, 0);
    b.plate_width_cut = model->execution == EXECUTION_SINGLE && model->bp < entered - 0.001;
    b.plate_width_entered = entered;
    b.plate_width_shown = model->bp;
}

double* Plate_Width_Typed(double* value)
{
    corbel_edit_buffer.plate_width_cut = 0;
    return Clamp_Non_Negative(value);
}

void Mark_Load_Share_Edited(int)
{
    corbel_edit_buffer.keep_load_share = 1;
}

void Init_Screen_Palette()
{
    Screen_Palette& p = screen_palette;
    p.unit_text = Nearest_RGB_Color(160, 160, 160);
    p.tint_1 = Nearest_RGB_Color(230, 238, 230);
    p.tint_2 = Nearest_RGB_Color(255, 219, 183);
    p.tint_3 = Nearest_RGB_Color(192, 192, 214);
    p.concrete_fill = Nearest_RGB_Color(233, 233, 233);
    p.tint_4 = Nearest_RGB_Color(219, 232, 219);
    p.tint_5 = Nearest_RGB_Color(180, 180, 180);
    p.sketch_tint = Nearest_RGB_Color(228, 228, 196);
    p.slab_fill = Nearest_RGB_Color(224, 224, 224);
    p.highlight_band = Nearest_RGB_Color(255, 255, 196);
    p.tint_6 = Nearest_RGB_Color(255, 100, 100);
    p.tint_7 = Nearest_RGB_Color(255, 231, 231);
    p.tint_8 = Nearest_RGB_Color(255, 196, 196);
    p.tint_9 = Nearest_RGB_Color(255, 231, 206);
    p.tint_10 = Nearest_RGB_Color(125, 172, 125);
    p.tint_11 = Nearest_RGB_Color(196, 217, 196);
    p.tint_12 = Nearest_RGB_Color(213, 213, 255);
    p.member_bar_blue = Nearest_RGB_Color(196, 196, 255);
    p.env_default = GetZAVColor(-1);
    p.note_brown = Nearest_RGB_Color(128, 64, 0);
    p.tint_13 = Nearest_RGB_Color(255, 128, 0);
    p.light_grey = Nearest_RGB_Color(192, 192, 192);
    p.load_arrow_red = Nearest_RGB_Color(177, 0, 0);
    p.sketch_background = GetZAVColor(-21);
    p.choice_free = Nearest_RGB_Color(170, 0, 0);
    p.choice_green = Nearest_RGB_Color(0, 128, 0);
    p.warning_red = Nearest_RGB_Color(255, 0, 0);
    p.label_brown = Nearest_RGB_Color(128, 64, 0);
    p.info_blue = Nearest_RGB_Color(4, 2, 252);
    p.frame_grey = Nearest_RGB_Color(130, 130, 130);
    p.white = Nearest_RGB_Color(255, 255, 255);
    p.text_black = Nearest_RGB_Color(0, 0, 0);
    p.cell_off = 0;
    p.cell_on = 1;
    p.font_index = 0x1002;
    p.font_normal = 0x1000;
    p.font_heading = 0x11000;
    p.font_heading_alt = 0x11001;
}

namespace {

// The cells in blocks that are never given back nor moved: a widget of an earlier build
// that is still drawn keeps a valid (if reused) cell.
constexpr size_t CELL_BLOCK = 1024;
std::vector<std::unique_ptr<int32_t[]>> cell_blocks;
size_t cells_used = 0;

} // namespace

int Reset_Widget_Value_Ring()
{
    for (auto& block : cell_blocks) std::memset(block.get(), 0, CELL_BLOCK * sizeof(int32_t));
    cells_used = 0;
    return 0;
}

int32_t* Next_Widget_Value_Cell(int32_t state)
{
    if (cells_used == cell_blocks.size() * CELL_BLOCK) {
        int32_t* block = new (std::nothrow) int32_t[CELL_BLOCK]();
        if (!block) Abort_Out_Of_Memory();
        cell_blocks.emplace_back(block);
    }
    int32_t* cell = &cell_blocks[cells_used / CELL_BLOCK][cells_used % CELL_BLOCK];
    ++cells_used;
    *cell = state;
    return cell;
}
