#include "toolkit/form_widgets.h"

#include "base/number_words.h"
#include "base/numeric.h"
#include "base/text_blocks.h"
#include "platform/screen/screen.h"
#include "toolkit/colour_ramp.h"
#include "toolkit/form_core.h"
#include "base/message_sink.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Widget_State {
    int state;      // 1, -1 or other
    int colour;     // text colour
    int* editable;  // the word handed to the area
};

Widget_State State_Of(const int* editable)
{
    const int state = editable ? *editable : 1;
    if (state == 1) return {1, Form_Get_Text_Colour(), &form_editable_yes};
    if (state == -1) return {-1, Lighten_Colour_Index(Form_Get_Text_Colour(), 40.0), &form_editable_no};
    return {0, Form_Inactive_Colour(), &form_editable_no};
}

int Field_Font() { return Form_Get_Font() & 0x70000; }

// The plain number field of every form: the grey ground of read-only fields first.
int Add_Number(int x, int y, double* value, int width, int decimals, const int* colour, int* editable)
{
    const int area = Form_Get_Area();
    if (area < 0 || width < 1 || !value) return 0;
    const Widget_State st = State_Of(editable);
    const int pixels = 8 * width + 15;
    if (st.state == -1) Area_Add_Box(area, x, y - 13, x + pixels, y + 5, Form_Get_Readonly_Ground());
    char format[32];
    std::snprintf(format, sizeof format, "%%%d.%df", width, std::max(decimals, 0));
    Area_Add_Float_Field(area, x + 7, y, value, format, Field_Font(), colour && st.state == 1 ? *colour : st.colour,
                         st.editable);
    Form_Set_Last_Widget(x, y - 13, x + pixels, y + 5, editable);
    return pixels;
}

// Choice entries live as long as the area's current build: the area keeps pointers to them.
struct Entry_Pool {
    unsigned serial = 0;
    std::vector<std::unique_ptr<Choice_Entry[]>> tables;
};
Entry_Pool entry_pools[AREA_COUNT];

Choice_Entry* New_Entries(int area, int count)
{
    Entry_Pool& pool = entry_pools[area];
    if (pool.serial != Form_Build_Serial(area)) {
        pool.tables.clear();
        pool.serial = Form_Build_Serial(area);
    }
    pool.tables.emplace_back(new Choice_Entry[count]);
    return pool.tables.back().get();
}

int Round_Half_Away(double v) { return static_cast<int>(v < 0.0 ? v - 0.5 : v + 0.5); }

} // namespace

// ---- Number fields ----------------------------------------------------------------------

int Form_Add_Float_Field(int x, int y, double* value, int width, int decimals, int* editable)
{
    return Add_Number(x, y, value, width, decimals, nullptr, editable);
}

int Form_Add_Float_Field_Coloured(int x, int y, double* value, int width, int decimals, int colour, int* editable)
{
    return Add_Number(x, y, value, width, decimals, &colour, editable);
}

int Form_Add_Int_Field(int x, int y, int* value, int width, int* editable)
{
    if (Form_Get_Area() < 0 || width < 1 || !value) return 0;
    double* shadow = Form_Int_Shadow(value);
    return shadow ? Add_Number(x, y, shadow, width, 0, nullptr, editable) : 0;
}

int Form_Add_Int_Field_Limited(int x, int y, int* value, int width, int min, int max, int* editable)
{
    if (Form_Get_Area() < 0 || width < 1 || !value) return 0;
    double* shadow = Form_Int_Shadow(value);
    if (!shadow) return 0;
    *shadow = std::clamp(*shadow, static_cast<double>(min), static_cast<double>(max));
    *value = Round_Half_Away(*shadow);
    return Add_Number(x, y, shadow, width, 0, nullptr, editable);
}

int Form_Add_Scaled_Field(int x, int y, double* value, double factor, int width, int decimals, int* editable)
{
    if (Form_Get_Area() < 0 || width < 1 || !value) return 0;
    if (factor != 1.0) Form_Unit_Scale(value, factor);
    return Add_Number(x, y, value, width, decimals, nullptr, editable);
}

int Form_Add_Float_Field_Limited(int x, int y, double* value, double factor, int width, int decimals, double min,
                                 double max, const char* name, int* editable)
{
    if (Form_Get_Area() < 0 || width < 1 || !value) return 0;
    if (factor != 1.0) Form_Unit_Scale(value, factor);
    if (name) {
        // The limit is put into words first: the name is printed as it stands.
        const int d = std::max(decimals, 0);
        char number[64], text[512];
        if (Round_To_Decimals(*value - max, d) > 0.0) {
            std::snprintf(number, sizeof number, "%.*f", d, max);
            std::snprintf(text, sizeof text, "%s darf den Wert %s nicht \x81" "berschreiten", name, number);
            Msg_Hint_With_Mode(0, "%s", text);
        } else if (Round_To_Decimals(*value - min, d) < 0.0) {
            std::snprintf(number, sizeof number, "%.*f", d, min);
            std::snprintf(text, sizeof text, "%s darf den Wert %s nicht unterschreiten", name, number);
            Msg_Hint_With_Mode(0, "%s", text);
        }
    }
    *value = std::clamp(*value, min, max);
    return Add_Number(x, y, value, width, decimals, nullptr, editable);
}

int Form_Add_Float_Field_Labelled(int x, int y, const char* label, double* value, int width, int decimals,
                                  const char* unit, int* editable)
{
    return Form_Add_Scaled_Field_Labelled(x, y, label, nullptr, value, 1.0, width, decimals, unit, editable);
}

int Form_Add_Scaled_Field_Labelled(int x, int y, const char* label, const char* sub, double* value, double factor,
                                   int width, int decimals, const char* unit, int* editable)
{
    if (Form_Get_Area() < 0 || width < 1 || !value) return 0;
    int fx = x;
    if (label) fx += sub ? Form_Label_Sub(x, y, label, sub, editable) : Form_Label(x, y, label, editable);
    const int w = Form_Add_Scaled_Field(fx, y, value, factor, width, decimals, editable);
    int end = fx + w;
    if (unit && *unit) end += 3 + Form_Label(end + 3, y, unit, editable);
    return end - x;
}

// ---- Check boxes and choices ----------------------------------------------------------

int Form_Add_Check(int x, int y, const char* text, int* value, int* editable)
{
    const int area = Form_Get_Area();
    if (area < 0 || !value) return 0;
    if (!text) text = "";
    const int state = editable ? *editable : 1;
    const Widget_State st = State_Of(editable);
    const int colour = state == -1 ? Form_Get_Text_Colour() : st.colour;
    if (state == 1 || state == -1) {
        if (Form_Get_Ground_Colour() == Nearest_RGB_Color(255, 251, 240))
            Area_Add_Box(area, x, y - 10, x + 10, y, WHITE_CI);
    }
    int font = Form_Get_Font();
    if (*value && state != 0) font |= 0x10000;
    Area_Add_Check_Box(area, x + 20, y, text, font, colour, value, st.editable);
    if (state == -1 && *text) Area_Add_Text(area, x + 20, y, text, font, colour, 0);
    const int w = *text ? Form_Label_Width(text, font) + 20 : 13;
    Form_Set_Last_Widget(x, y - 13, x + w, y + 5, editable);
    return w;
}

int Form_Add_Choice(int x, int y, const char* names, const int* colours, int stride, int count, int* index,
                    int* editable)
{
    const int area = Form_Get_Area();
    if (area < 0 || !names || !index || count < 1 || stride < 2) return 0;
    const Widget_State st = State_Of(editable);
    const int font = Form_Get_Font();
    Choice_Entry* entries = New_Entries(area, count);
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        entries[i].text = names + static_cast<size_t>(i) * stride;
        entries[i].colour = colours ? colours[i] : st.colour;
        widest = std::max(widest, Form_Label_Width(entries[i].text, font));
    }
    const int chars = widest / 8;
    const int width = chars * 8 + 33;
    if (st.state == -1) Area_Add_Box(area, x, y - 13, x + width - 1, y + 5, Form_Get_Readonly_Ground());
    // An index beyond the list means no entry of it (the material choices then add no
    // rows): it stays as it is, though the area would take it back to the first entry.
    const int kept = *index;
    Area_Add_Choice(area, x + 7, y, entries, font, chars, count, index, st.editable);
    if (kept >= count) *index = kept;
    Form_Set_Last_Widget(x, y - 13, x + width, y + 5, editable);
    return width;
}

// ---- Grade lists ----------------------------------------------------------------------

namespace {

Grade_List* New_List(int long_form, int entry_size, int capacity)
{
    Grade_List* l = static_cast<Grade_List*>(std::calloc(1, sizeof(Grade_List)));
    if (!l) return nullptr;
    l->long_form = long_form;
    l->entry_size = entry_size;
    l->names = static_cast<char*>(std::calloc(static_cast<size_t>(capacity), static_cast<size_t>(entry_size)));
    l->colours = static_cast<int*>(std::calloc(static_cast<size_t>(capacity), sizeof(int)));
    l->flags = static_cast<int*>(std::calloc(static_cast<size_t>(capacity), sizeof(int)));
    l->codes = static_cast<int*>(std::calloc(static_cast<size_t>(capacity), sizeof(int)));
    if (!l->names || !l->colours || !l->flags || !l->codes) {
        Grade_List_Free(l);
        return nullptr;
    }
    return l;
}

void Add_Entry(Grade_List* l, const char* name, int colour, int flags, int code)
{
    std::snprintf(l->names + static_cast<size_t>(l->count) * l->entry_size, static_cast<size_t>(l->entry_size), "%s",
                  name);
    l->colours[l->count] = colour;
    l->flags[l->count] = flags;
    l->codes[l->count] = code;
    ++l->count;
}

void Add_Separator(Grade_List* l, int colour) { Add_Entry(l, "-------", colour, GRADE_SEPARATOR, -1); }

} // namespace

Grade_List* Concrete_Grade_List_Create(int long_form, int options)
{
    Grade_List* l = New_List(long_form, 9, 40);
    if (!l) return nullptr;
    l->alpha_option = (options & 8) ? 1 : 0;
    if (options & 1) {
        const char* old[] = {"B15", "B25", "B35", "B45", "B55"};
        for (int i = 0; i < 5; ++i) Add_Entry(l, old[i], Nearest_Color_Index(0, 164, 0), GRADE_OLD_CONCRETE, i);
        if (long_form) Add_Separator(l, Nearest_Color_Index(234, 164, 0));
    }
    if (!long_form) return l;
    const char* classes[] = {"C12/15", "C16/20", "C20/25", "C25/30", "C30/37", "C35/45",  "C40/50",  "C45/55",
                             "C50/60", "C55/67", "C60/75", "C70/85", "C80/95", "C90/105", "C100/115"};
    for (int i = 0; i < 15; ++i) Add_Entry(l, classes[i], BLACK_CI, 0, 5 + i);
    if (options & 2) {
        const int brown = Nearest_Color_Index(155, 126, 66);
        Add_Separator(l, brown);
        const char* light[] = {"LC12/13", "LC16/18", "LC20/22", "LC25/28", "LC30/33", "LC35/38",
                               "LC40/44", "LC45/50", "LC50/55", "LC55/60", "LC60/66"};
        for (int i = 0; i < 11; ++i) Add_Entry(l, light[i], brown, GRADE_LIGHTWEIGHT, 5 + i);
    }
    if (options & 4) {
        const int blue = Nearest_Color_Index(0, 0, 255);
        Add_Separator(l, blue);
        Add_Entry(l, "frei", blue, GRADE_FREE_CONCRETE, 20);
    }
    return l;
}

Grade_List* Steel_Grade_List_Create(int variant)
{
    Grade_List* l = New_List(variant, 13, 8);
    if (!l) return nullptr;
    const char* old[] = {"BSt 220/340", "BSt 420 S", "BSt 500 S"};
    for (int i = 0; i < 3; ++i) Add_Entry(l, old[i], Nearest_Color_Index(0, 164, 0), GRADE_OLD_STEEL, i);
    if (variant == 0) return l;
    Add_Separator(l, BLACK_CI);
    Add_Entry(l, variant == 2 ? "B500A" : "BSt 500 (A)", BLACK_CI, 0, 3);
    Add_Entry(l, variant == 2 ? "B500B" : "BSt 500 (B)", BLACK_CI, 0, 4);
    const int blue = Nearest_Color_Index(0, 0, 255);
    Add_Separator(l, blue);
    Add_Entry(l, "frei", blue, GRADE_FREE_STEEL, 5);
    return l;
}

void Grade_List_Free(Grade_List* list)
{
    if (!list) return;
    std::free(list->names);
    std::free(list->colours);
    std::free(list->flags);
    std::free(list->codes);
    std::free(list);
}

int Grade_List_Find(const Grade_List* list, int code, int flag_mask)
{
    if (!list) return 0;
    for (int i = 0; i < list->count; ++i)
        if (list->codes[i] == code && (flag_mask == 0 || (list->flags[i] & flag_mask))) return i;
    return 0;
}

void Grade_List_Get(const Grade_List* list, int index, int* code, int* flags)
{
    int c = -1, f = 0;
    if (list && index >= 0 && index < list->count) {
        int i = index;
        while (i > 0 && (list->flags[i] & GRADE_SEPARATOR)) --i;
        if (list->flags[i] & GRADE_SEPARATOR) i = 0;
        c = list->codes[i];
        f = list->flags[i];
    }
    if (code) *code = c;
    if (flags) *flags = f;
}

int Form_Add_Grade_Choice(int x, int y, Grade_List* list, int* index, int* editable)
{
    if (!list || !index) return 0;
    if (*index < list->count)
        while (*index > 0 && (list->flags[*index] & GRADE_SEPARATOR)) --*index;
    return Form_Add_Choice(x, y, list->names, list->colours, list->entry_size, list->count, index, editable);
}

namespace {
int concrete_row_editable = 1;
int steel_row_editable = 1;

int Grade_Row(int x, int y, const char* label, Grade_List* list, int* index, int* editable)
{
    if (Form_Get_Area() < 0) return 0;
    const int colour = Form_Get_Text_Colour();
    Form_Set_Text_Colour(BLACK_CI);
    Form_Label_Shadow(x, y, label, nullptr);
    Form_Set_Text_Colour(colour);
    Form_Add_Grade_Choice(x + 75, y, list, index, editable);
    return 0;
}
} // namespace

int Form_Add_Concrete_Grade_Row(int x, int y, Grade_List* list, int* index)
{
    return Grade_Row(x, y, "Betong\x81te", list, index, &concrete_row_editable);
}

int Form_Add_Steel_Grade_Row(int x, int y, Grade_List* list, int* index)
{
    return Grade_Row(x, y, "Stahlg\x81te", list, index, &steel_row_editable);
}

// ---- Remark dialog ----------------------------------------------------------------------

namespace {
char* remark_buffer = nullptr;

void Build_Remark(int area, int)
{
    Area_Add_Text_Box(area, 10, 10, 430, 210, remark_buffer, 5000, BLACK_CI, WHITE_CI, 1, &form_editable_yes);
}
} // namespace

int Form_Edit_Remark(char** text)
{
    if (!text) return 0;
    char* buffer = Dup_String_Bounded(*text ? *text : "", 5000);
    if (!buffer) return 0;
    char* outer = remark_buffer;
    remark_buffer = buffer;
    const int result = Form_Run_Simple_Dialog("Vorbemerkung", 220, 440, "Vorbemerkung", Build_Remark);
    remark_buffer = outer;
    if (result == 1) {
        char* copy = Dup_String_Bounded(buffer, static_cast<int>(std::strlen(buffer)));
        if (copy) {
            std::free(*text);
            *text = copy;
        }
    }
    std::free(buffer);
    return result;
}

// ---- Program hints ----------------------------------------------------------------------

namespace {
int reactivate_request = 0;
}

void Form_Add_Hints_Page(int area, int flags[4])
{
    if (!flags || area < 0) return;
    const int outer = Form_Get_Area();
    Form_Set_Area(area);
    if (reactivate_request) {
        for (int i = 0; i < 4; ++i) flags[i] = 1;
        reactivate_request = 0;
    }
    int n = 0;
    for (int i = 0; i < 4; ++i) n += flags[i] == 0;
    int width = 0, height = 0;
    Area_Get_Size(area, &width, &height);

    const char* title = "Programmhinweise";
    const int tw = Form_Label_Width(title, Form_Get_Font() | 0x20000);
    Area_Add_Box(area, 7, 205 - 12, 10 + tw + 3, 205 + 5, Form_Get_Ground_Colour());
    Form_Label_Shadow(10, 205, title, nullptr);
    const char* lines[] = {"Programmhinweise machen den Anwender darauf aufmerksam, dass die",
                           "aktuellen Einstellungen entweder den Anwendungsvoraussetzungen nicht",
                           ("entsprechen oder zu ung\x81ltigen bzw. au\xE1" "ergew\x94hnlichen Ergebnissen"),
                           "f\x81hren."};
    for (int i = 0; i < 4; ++i) Form_Label_Small(10, 221 + 10 * i, lines[i], nullptr);

    char line1[160], line2[80];
    std::snprintf(line1, sizeof line1, "Von insgesamt %s m\x94glichen Programmhinweisen %s", Get_Count_Word(4),
                  n < 2 ? "ist" : "sind");
    std::snprintf(line2, sizeof line2, "%s deaktiviert.", Get_Count_Word(n));
    Form_Label_Centred(90, line1, nullptr);
    Form_Label_Centred(108, line2, nullptr);

    static int button_editable = 0;
    button_editable = n >= 1 ? 1 : 0;
    char tip[80];
    std::snprintf(tip, sizeof tip, "%d %s wieder aktivieren", n, n < 2 ? "Hinweis" : "Hinweise");
    Area_Add_Bitmap_Button(area, (width - 212) / 2, 130, 212, 21, "but_hinweise_reaktivieren.bmp", 0,
                           Nearest_RGB_Color(255, 251, 240), 18, tip, 1, &reactivate_request, &button_editable);
    Form_Set_Area(outer);
}
