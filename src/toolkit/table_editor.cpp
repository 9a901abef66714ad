#include "toolkit/table_editor.h"

#include "platform/screen/screen.h"
#include "platform/screen/bitmaps.h"
#include "platform/screen/editors.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

Table_Editor table_editors[TABLE_EDITOR_COUNT];

namespace {

bool first_create_done = false;
int current_table = -1;
Table_Editor_Column* current_column = nullptr;

// ---- The five icons: our pixels, index 0 transparent ------------------------------------

// Rows of digits, '.' transparent.
template <int W, int H>
struct Icon_Pixels {
    unsigned char pixels[W * H];
    explicit Icon_Pixels(const char* const (&rows)[H])
    {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const char c = rows[y][x];
                pixels[y * W + x] = c == '.' ? 0 : static_cast<unsigned char>(c - '0');
            }
    }
};

const char* const delete_rows[16] = {
    "..............", "....111111....", "...12222221...", "..1111111111..", "...13333331...", "...13434341...",
    "...13434341...", "...13434341...", "...13434341...", "...13434341...", "...13434341...", "...13434341...",
    "...13434341...", "...15555551...", "....111111....", "..............",
};
const char* const dup_rows[16] = {
    "..................", ".11111111.........", ".12222221.........", ".12333321.........", ".1222222111111111.",
    ".1233332122222221.", ".1222222123333321.", ".1233332122222221.", ".1111111122662221.", "........126666621.",
    "........122662221.", "........123333321.", "........155555551.", "........111111111.", "..................",
    "..................",
};
const char* const dup_off_rows[16] = {
    "..................", ".11111111.........", ".12222221.........", ".12333321.........", ".1222222111111111.",
    ".1233332122222221.", ".1222222123333321.", ".1233332122222221.", ".1111111122442221.", "........124444421.",
    "........122442221.", "........123333321.", "........155555551.", "........111111111.", "..................",
    "..................",
};
const char* const append_rows[16] = {
    "...................................", "...................................",
    ".1111111111111111111111111.........", ".1222222222222222222222221.........",
    ".1222222222222222222222221....33...", ".1222222222222222222222221....33...",
    ".1222222222222222222222221..333333.", ".1222222222222222222222221..333333.",
    ".1222222222222222222222221....33...", ".1222222222222222222222221....33...",
    ".1111111111111111111111111.........", "...................................",
    "...................................", "...................................",
    "...................................", "...................................",
};
const char* const column_rows[16] = {
    "............................", ".11111111111111111111111111.",
    ".16666666666666666666666661.", ".16222222222222222222222261.",
    ".16222222222222222222222261.", ".16222222222233222222222261.",
    ".16222222222333322222222261.", ".16222222223333332222222261.",
    ".16222222233333333222222261.", ".16222222222244222222222261.",
    ".16222222222244222222222261.", ".16222222222255222222222261.",
    ".16777777777777777777777761.", ".16666666666666666666666661.",
    ".11111111111111111111111111.", "............................",
};

int delete_palette[6];
int dup_palette[7];
int dup_off_palette[6];
int append_palette[4];
int column_palette[8];

const Icon_Pixels<14, 16> delete_pixels(delete_rows);
const Icon_Pixels<18, 16> dup_pixels(dup_rows);
const Icon_Pixels<18, 16> dup_off_pixels(dup_off_rows);
const Icon_Pixels<35, 16> append_pixels(append_rows);
const Icon_Pixels<28, 16> column_pixels(column_rows);

const ZAV_TreeView_Image delete_icon{14, 16, delete_palette, 6, delete_pixels.pixels};
const ZAV_TreeView_Image dup_icon{18, 16, dup_palette, 7, dup_pixels.pixels};
const ZAV_TreeView_Image dup_off_icon{18, 16, dup_off_palette, 6, dup_off_pixels.pixels};
const ZAV_TreeView_Image append_icon{35, 16, append_palette, 4, append_pixels.pixels};
const ZAV_TreeView_Image column_icon{28, 16, column_palette, 8, column_pixels.pixels};

struct Palette_Colour {
    int red, green, blue;
};

// Entry 0 stays transparent; the others take the screen colours nearest to the given ones.
template <size_t N>
void Fill_Palette(int (&palette)[N + 1], const Palette_Colour (&colours)[N], int (*nearest)(int, int, int))
{
    palette[0] = 0;
    for (size_t i = 0; i < N; ++i) palette[i + 1] = nearest(colours[i].red, colours[i].green, colours[i].blue);
}

void Build_Palettes()
{
    Fill_Palette(delete_palette, {{0, 0, 0}, {255, 255, 255}, {255, 255, 0}, {239, 195, 0}, {224, 160, 64}},
                 Nearest_Color_Index);
    Fill_Palette(dup_palette,
                 {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}, {255, 138, 138}, {187, 187, 187}, {255, 0, 0}},
                 Nearest_RGB_Color);
    Fill_Palette(dup_off_palette,
                 {{208, 208, 208}, {240, 240, 240}, {64, 160, 192}, {128, 192, 192}, {176, 176, 176}},
                 Nearest_Color_Index);
    Fill_Palette(append_palette, {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}}, Nearest_Color_Index);
    Fill_Palette(column_palette,
                 {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}, {0, 128, 128}, {128, 128, 128}, {200, 200, 170},
                  {0, 160, 192}},
                 Nearest_Color_Index);
}

// ---- Slots and rows -----------------------------------------------------------------------

Table_Editor* Slot(int table)
{
    if (table < 0 || table >= TABLE_EDITOR_COUNT || !table_editors[table].in_use) return nullptr;
    return &table_editors[table];
}

// A new row node with a copy of row_size bytes of source (zeros for null); null when
// memory is short.
Table_Editor_Row* New_Row(const Table_Editor& t, const void* source)
{
    const size_t size = t.row_size > 0 ? static_cast<size_t>(t.row_size) : 1;
    void* data = std::calloc(1, size);
    if (!data) return nullptr;
    auto* row = static_cast<Table_Editor_Row*>(std::calloc(1, sizeof(Table_Editor_Row)));
    if (!row) {
        std::free(data);
        return nullptr;
    }
    if (source && t.row_size > 0) std::memcpy(data, source, static_cast<size_t>(t.row_size));
    row->data = data;
    return row;
}

void Link_After(Table_Editor& t, Table_Editor_Row* after, Table_Editor_Row* row)
{
    row->prev = after;
    row->next = after ? after->next : t.first_row;
    if (row->next) row->next->prev = row;
    else t.last_row = row;
    if (after) after->next = row;
    else t.first_row = row;
    ++t.row_count;
}

void Unlink_And_Free(Table_Editor& t, Table_Editor_Row* row)
{
    if (row->prev) row->prev->next = row->next;
    else t.first_row = row->next;
    if (row->next) row->next->prev = row->prev;
    else t.last_row = row->prev;
    if (t.cursor == row) t.cursor = nullptr;
    --t.row_count;
    std::free(row->data);
    std::free(row);
}

// The row node a click cell left, when it still belongs to the table.
Table_Editor_Row* Own_Row(const Table_Editor& t, const void* target)
{
    for (Table_Editor_Row* r = t.first_row; r; r = r->next)
        if (r == target) return r;
    return nullptr;
}

double Row_Value(const Table_Editor_Row* r, int offset)
{
    double v;
    std::memcpy(&v, static_cast<const char*>(r->data) + offset, sizeof v);
    return v;
}

void Set_Row_Value(Table_Editor_Row* r, int offset, double v)
{
    std::memcpy(static_cast<char*>(r->data) + offset, &v, sizeof v);
}

bool Column_Fits(const Table_Editor& t, const Table_Editor_Column* c)
{
    return c && c->offset >= 0 && static_cast<size_t>(c->offset) + sizeof(double) <= static_cast<size_t>(t.row_size);
}

int Sort(bool ascending)
{
    Table_Editor* t = Slot(current_table);
    if (!t || !t->first_row || !Column_Fits(*t, current_column)) return 0;
    void* scratch = std::malloc(static_cast<size_t>(t->row_size));
    if (!scratch) return 0;
    const int offset = current_column->offset;
    const size_t size = static_cast<size_t>(t->row_size);
    for (Table_Editor_Row* i = t->first_row; i; i = i->next) {
        double vi = Row_Value(i, offset);
        for (Table_Editor_Row* j = i->next; j; j = j->next) {
            const double vj = Row_Value(j, offset);
            if (ascending ? vi > vj : vj > vi) {
                std::memcpy(scratch, i->data, size);
                std::memcpy(i->data, j->data, size);
                std::memcpy(j->data, scratch, size);
                vi = Row_Value(i, offset);
            }
        }
    }
    std::free(scratch);
    return 0;
}

// ---- The fill sheet -----------------------------------------------------------------------

Sheet_Centre fill_centre;

void Text(int x1, int y1, int x, int y, const char* text, int font)
{
    Draw_Funny_Text_to_PS(x1 + x, y1 + y, text, font, BLACK_CI, 2);
}

int Radio(int x1, int y1, int x, int y, int value, int* choice, const char* text)
{
    const int b = Add_Alternativ_Button_to_PS(x1 + x, y1 + y, 1, 3, 1, value, 0, RADIO_BUTTON_LAYOUT, choice);
    Add_Aligned_Connected_Text_to_Button_of_PS(b, text, 4096, BLACK_CI, 0);
    return b;
}

// Characters that the column's format gives for 1.0: the width of the start and
// increment fields.
int Format_Width(const char* format)
{
    char shown[128];
    const int n = std::snprintf(shown, sizeof shown, format, 1.0);
    return n < 1 ? 1 : n > 40 ? 40 : n;
}

void Fill(Table_Editor& t, const Table_Editor_Column& c, int choice, double first, double last, double start,
          double increment)
{
    int k = 0;
    int number = 0;
    for (Table_Editor_Row* r = t.first_row; r; r = r->next) {
        ++number;
        if (choice == 2 && number < first) continue;
        Set_Row_Value(r, c.offset, start + k * increment);
        ++k;
        if (choice == 2 && number == last) break;
    }
}

} // namespace

// ---- Slots --------------------------------------------------------------------------------

int Table_Editor_Create(int area, int y, int x1, int x2, int row_height, int row_size, Table_Row_Function draw_row)
{
    if (!first_create_done) {
        for (Table_Editor& t : table_editors) t = Table_Editor{};
        Build_Palettes();
        first_create_done = true;
    }
    for (int i = 0; i < TABLE_EDITOR_COUNT; ++i) {
        if (table_editors[i].in_use) continue;
        Table_Editor& t = table_editors[i];
        t = Table_Editor{};
        t.in_use = 1;
        t.area = area;
        t.y = y;
        t.x1 = x1;
        t.x2 = x2;
        t.row_height = row_height;
        t.row_size = row_size > 0 ? row_size : 0;
        t.draw_row = draw_row;
        return i;
    }
    return -1;
}

void Table_Editor_Enable(int table, int kind, int dx, int dy)
{
    Table_Editor* t = Slot(table);
    if (!t) return;
    switch (kind) {
    case 1: t->delete_on = 1, t->delete_dx = dx, t->delete_dy = dy; break;
    case 2: t->dup_on = 1, t->dup_dx = dx, t->dup_dy = dy; break;
    case 3: t->append_on = 1, t->append_dx = dx, t->append_dy = dy; break;
    case 4: t->numbers_on = 1, t->numbers_dx = dx, t->numbers_dy = dy; break;
    default: break;
    }
}

void Table_Editor_Set_Max_Rows(int table, int n)
{
    if (Table_Editor* t = Slot(table)) t->max_rows = n;
}

void Table_Editor_Set_Template(int table, const void* row)
{
    Table_Editor* t = Slot(table);
    if (!t) return;
    if (!t->template_row) {
        t->template_row = New_Row(*t, row);
        return;
    }
    if (row && t->row_size > 0) std::memcpy(t->template_row->data, row, static_cast<size_t>(t->row_size));
}

void Table_Editor_Add_Row(int table, const void* row)
{
    Table_Editor* t = Slot(table);
    if (!t) return;
    if (Table_Editor_Row* r = New_Row(*t, row)) Link_After(*t, t->last_row, r);
}

Table_Editor_Column* Table_Editor_Add_Column(int table, int x, int y, int width, int flags, const char* format,
                                             int offset)
{
    Table_Editor* t = Slot(table);
    if (!t) return nullptr;
    auto* c = static_cast<Table_Editor_Column*>(std::calloc(1, sizeof(Table_Editor_Column)));
    if (!c) return nullptr;
    std::snprintf(c->format, sizeof c->format, "%s", format ? format : "%14.6f");
    c->x = x;
    c->y = y;
    c->width = width;
    c->offset = offset;
    c->sortable = flags & 1;
    c->fillable = (flags >> 1) & 1;
    if (t->last_column) t->last_column->next = c;
    else t->first_column = c;
    t->last_column = c;
    return c;
}

void* Table_Editor_First_Row(int table)
{
    Table_Editor* t = Slot(table);
    if (!t) return nullptr;
    t->cursor = t->first_row;
    return t->cursor ? t->cursor->data : nullptr;
}

void* Table_Editor_Next_Row(int table)
{
    Table_Editor* t = Slot(table);
    if (!t || !t->cursor) return nullptr;
    t->cursor = t->cursor->next;
    return t->cursor ? t->cursor->data : nullptr;
}

int Table_Editor_Row_Count(int table)
{
    const Table_Editor* t = Slot(table);
    return t ? t->row_count : 0;
}

int Table_Editor_Row_Number(int table, const void* data)
{
    const Table_Editor* t = Slot(table);
    if (!t) return 0;
    int n = 1;
    for (const Table_Editor_Row* r = t->first_row; r; r = r->next, ++n)
        if (r->data == data) return n;
    return 0;
}

void Table_Editor_Clear_Rows(int table)
{
    Table_Editor* t = Slot(table);
    if (!t) return;
    while (t->first_row) Unlink_And_Free(*t, t->first_row);
    t->cursor = nullptr;
    t->delete_target = t->dup_target = nullptr;
}

void Table_Editor_Move(int table, int y, int x1)
{
    Table_Editor* t = Slot(table);
    if (!t) return;
    const int dx = x1 - t->x1, dy = y - t->y;
    t->x1 = x1;
    t->x2 += dx;
    t->y = y;
    for (Table_Editor_Column* c = t->first_column; c; c = c->next) {
        c->x += dx;
        c->y += dy;
    }
}

void Table_Editor_Delete(int table)
{
    Table_Editor* t = Slot(table);
    if (!t) return;
    Table_Editor_Clear_Rows(table);
    if (t->template_row) {
        std::free(t->template_row->data);
        std::free(t->template_row);
    }
    for (Table_Editor_Column* c = t->first_column; c;) {
        Table_Editor_Column* next = c->next;
        std::free(c);
        c = next;
    }
    if (current_table == table) {
        current_table = -1;
        current_column = nullptr;
    }
    *t = Table_Editor{};
}

void Table_Editor_Delete_For_Area(int area)
{
    for (int i = 0; i < TABLE_EDITOR_COUNT; ++i)
        if (table_editors[i].in_use && table_editors[i].area == area) Table_Editor_Delete(i);
}

// ---- Drawing ------------------------------------------------------------------------------

void Table_Editor_Draw(int table)
{
    Table_Editor* t = Slot(table);
    if (!t) return;
    const int band = Nearest_Color_Index(232, 232, 232);
    const int grey = Nearest_Color_Index(130, 130, 130);
    const int area = t->area;
    const bool room = t->max_rows == 0 || t->row_count < t->max_rows;
    int y = t->y;
    int n = 1;
    for (Table_Editor_Row* r = t->first_row; r; r = r->next, ++n, y += t->row_height) {
        Area_Add_Box(area, t->x1, r == t->first_row ? y - 6 : y, t->x2, y + t->row_height, band);
        if (t->draw_row) t->draw_row(1, area, t->x1, y, r->data);
        if (t->delete_on) {
            const int x = t->x1 + t->delete_dx, iy = y + t->delete_dy;
            Area_Add_Icon(area, &delete_icon, x, iy, x + 13, iy + 15, -1);
            Area_Add_Click_Cell_Ptr(area, x, iy, x + 13, iy + 15, r, &t->delete_target);
            Area_Set_Click_Cursor(area, 18);
            Area_Set_Click_Tip(area, "Zeile l\x94schen", 266246, BLACK_CI, 0);
        }
        if (t->dup_on) {
            const int x = t->x1 + t->dup_dx, iy = y + t->dup_dy;
            if (room) {
                Area_Add_Icon(area, &dup_icon, x, iy, x + 17, iy + 15, -1);
                Area_Add_Click_Cell_Ptr(area, x, iy, x + 17, iy + 15, r, &t->dup_target);
                Area_Set_Click_Cursor(area, 18);
                Area_Set_Click_Tip(area, "Zeile duplizieren", 266246, BLACK_CI, 0);
            } else {
                Area_Add_Icon(area, &dup_off_icon, x, iy, x + 17, iy + 15, -1);
            }
        }
        if (t->numbers_on) {
            char number[16];
            std::snprintf(number, sizeof number, "%d:", n);
            Area_Add_Text(area, t->x1 + t->numbers_dx, y + t->numbers_dy, number, 4096, grey, 1);
        }
    }
    if (t->append_on && room) {
        Area_Add_Box(area, t->x1, y, t->x2, y + t->row_height - 5, band);
        const int x = t->x1 + t->append_dx, iy = y + t->append_dy;
        Area_Add_Icon(area, &append_icon, x, iy, x + 34, iy + 15, -1);
        Area_Add_Click_Cell(area, x, iy, x + 34, iy + 15, 1, &t->append_target);
        Area_Set_Click_Cursor(area, 18);
        Area_Set_Click_Tip(area, "neue Zeile anf\x81gen", 266246, BLACK_CI, 0);
    }
    for (Table_Editor_Column* c = t->first_column; c; c = c->next) {
        Area_Add_Icon(area, &column_icon, c->x - 14, c->y - 8, c->x + 14, c->y + 8, -1);
        Area_Add_Click_Cell_Ptr(area, c->x - 14, c->y - 8, c->x + 14, c->y + 8, c, &t->column_target);
        Area_Set_Click_Cursor(area, 18);
    }
}

// ---- Events -------------------------------------------------------------------------------

int Table_Editor_Handle_Event(int table)
{
    Table_Editor* t = Slot(table);
    if (!t) return 0;
    const int area = t->area;
    if (!M_LEFT) {
        Area_Track(area);
        if (!M_LEFT) return 0;
    }
    int w = 0, h = 0;
    Area_Get_Size(area, &w, &h);
    // Where the (real or simulated) click lies. Kept here rather than read back from the
    // pointer words: the field editor's wait for the release puts the true pointer
    // state back into them, and a second Up or Down must go on from the simulated row.
    int click_x = M_XPOS, click_y = M_YPOS;
    for (;;) {
        M_XPOS = click_x;
        M_YPOS = click_y;
        int ox = 0, oy = 0, sx = 0, sy = 0;
        Area_Get_Origin(area, &ox, &oy);
        Area_Query_Scroll(area, &sx, &sy);
        const int zx1 = ox + t->x1 - sx, zx2 = ox + t->x2 - sx;
        const int zy1 = oy - sy + t->y - (t->first_column ? 25 : 0);
        const int zy2 = oy - sy + t->y + (t->row_count + t->append_on) * t->row_height;
        if (click_x < zx1 || click_x > zx2 || click_y < zy1 || click_y > zy2) return 0;

        LAST_SHEET_EDIT_KEY = 0;
        if (Area_Handle_Event(area) == 0) {
            while (M_LEFT) Get_Mouse_Event();
            return 1;
        }
        if (t->delete_on && t->delete_target) {
            Table_Editor_Row* r = Own_Row(*t, t->delete_target);
            t->delete_target = nullptr;
            if (r) Unlink_And_Free(*t, r);
            return 2;
        }
        if (t->dup_on && t->dup_target) {
            Table_Editor_Row* r = Own_Row(*t, t->dup_target);
            t->dup_target = nullptr;
            Table_Editor_Row* copy = r ? New_Row(*t, r->data) : nullptr;
            if (!copy) return 1;  // nothing changed
            Link_After(*t, r, copy);
            return 2;
        }
        if (t->append_on && t->append_target) {
            t->append_target = 0;
            Table_Editor_Row* row = New_Row(*t, t->template_row ? t->template_row->data : nullptr);
            if (!row) return 1;
            Link_After(*t, t->last_row, row);
            return 2;
        }
        if (t->first_column && t->column_target) {
            current_column = nullptr;
            for (Table_Editor_Column* c = t->first_column; c; c = c->next)
                if (c == t->column_target) current_column = c;
            t->column_target = nullptr;
            if (current_column) {
                current_table = table;
                static ZAV_Menu_Entry sort_menu[] = {
                    {"aufsteigend", 1, nullptr, Table_Editor_Sort_Ascending},
                    {"absteigend", 1, nullptr, Table_Editor_Sort_Descending},
                    {nullptr, 0, nullptr, nullptr},
                };
                ZAV_Menu_Entry menu[] = {
                    {"Spalte sortieren", current_column->sortable, sort_menu, nullptr},
                    {"Spalte belegen", current_column->fillable, nullptr, Table_Editor_Fill_Column},
                    {nullptr, 0, nullptr, nullptr},
                };
                Menue_Manager(menu, -1, -1);
            }
            current_table = -1;
            current_column = nullptr;
            Area_Update(area);
            return 1;
        }

        const int key = LAST_SHEET_EDIT_KEY;
        LAST_SHEET_EDIT_KEY = 0;
        // Up and Down: a click on the same place of the neighbouring row, the area
        // scrolled by a row when that row lies at its edge.
        if (key == ZAV_KEY_UP) {
            click_y -= t->row_height;
            if (click_y <= oy + 9 && sy > 0) {
                int dx = 0, dy = -t->row_height;
                Area_Scroll_By(area, &dx, &dy);
                click_y -= dy;
                Area_Update(area);
            }
        } else if (key == ZAV_KEY_DOWN) {
            click_y += t->row_height;
            if (click_y > oy + h - t->row_height + 10) {
                int dx = 0, dy = t->row_height;
                Area_Scroll_By(area, &dx, &dy);
                click_y -= dy;
                Area_Update(area);
            }
        } else {
            return 1;
        }
        M_LEFT = 1;
    }
}

// ---- Column menu --------------------------------------------------------------------------

void Table_Editor_Set_Current_Column(int table, Table_Editor_Column* column)
{
    current_table = column ? table : -1;
    current_column = column;
}

int Table_Editor_Sort_Ascending() { return Sort(true); }
int Table_Editor_Sort_Descending() { return Sort(false); }

int Table_Editor_Fill_Column()
{
    Table_Editor* t = Slot(current_table);
    if (!t || !Column_Fits(*t, current_column)) return 0;
    // The sheet waits for its buttons; without a screen nobody could press them.
    if (!Get_Screen_State().graphics_on) return 0;
    const Table_Editor_Column& c = *current_column;

    fill_centre.Ensure();
    int x1 = fill_centre.x - 163, y1 = fill_centre.y - 119, x2 = fill_centre.x + 163, y2 = fill_centre.y + 119;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
    fill_centre.x = (x1 + x2) / 2;
    fill_centre.y = (y1 + y2) / 2;

    int choice = 1;
    double first = 1.0, last = 1000.0, start = 1.0, increment = 0.0;
    const int buffering = pxBuff(-1);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Tabellenspalte belegen", 11, 1);
    Text(x1, y1, 21, 60, "anwenden auf", 4096);
    Radio(x1, y1, 110, 50, 1, &choice, "gesamte Spalte");
    Radio(x1, y1, 110, 67, 2, &choice, "Zeilenausschnitt");
    Text(x1, y1, 21, 104, "erste Zeile", 4096);
    const int first_field = Add_Float_to_PS(x1 + 90, y1 + 91, 5, "%5.0f", &first, 4);
    Change_Activity_PS(first_field, 0);
    Text(x1, y1, 168, 104, "letzte Zeile", 4096);
    const int last_field = Add_Float_to_PS(x1 + 237, y1 + 91, 5, "%5.0f", &last, 5);
    Change_Activity_PS(last_field, 0);
    const int width = Format_Width(c.format);
    Text(x1, y1, 21, 141, "Startwert", 4096);
    Text(x1, y1, 22, 153, "(f\x81r erste Zeile)", 4098);
    Add_Float_to_PS(x1 + 197, y1 + 133, width, c.format, &start, 0);
    Text(x1, y1, 21, 173, "Inkrement", 4096);
    Text(x1, y1, 22, 185, "(Zuwachs f\x81r jede weitere Zeile)", 4098);
    Add_Float_to_PS(x1 + 197, y1 + 165, width, c.format, &increment, 0);
    Add_Single_Button_to_PS(x1 + 19, y1 + 210, 0, 2, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Help_to_PS(x1 + 152, y1 + 210, "");
    Add_Single_Button_to_PS(x1 + 285, y1 + 210, 0, 1, nullptr, SYMBOLIC_OK_RASTER, 0);
    msStCu(x1 + 27, y1 + 218);
    Set_Prop_Sheet_Edit_Float_Auto_Mode();
    Activate_Prop_Sheet();
    pxBuff(buffering);

    for (;;) {
        const int code = Edit_Prop_Sheet();
        if (code == 3) {
            const int state = choice == 2 ? 1 : 0;
            Change_Activity_PS(first_field, state);
            Change_Activity_PS(last_field, state);
        }
        if (code == 3 || code == 4) {
            if (last < first) {
                last = first;
                Change_Activity_PS(last_field, 1);
            }
        } else if (code == 5) {
            if (last < first) {
                first = last;
                Change_Activity_PS(first_field, 1);
            }
        } else if (code == 1 || code == 2) {
            fill_centre.Follow_Move();
            Undefine_Prop_Sheet();
            if (code == 1) Fill(*t, c, choice, first, last, start, increment);
            return 0;
        }
    }
}
