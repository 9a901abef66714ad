#include "sheets/material/material_form_widgets.h"

#include "platform/screen/screen.h"
#include "toolkit/form_core.h"
#include "toolkit/form_widgets.h"
#include "toolkit/scroll_area.h"

#include <cstdio>

namespace {

int material_dialogs = 0;
int concrete_editable = 1;
int steel_editable = 1;
int concrete_block_editable = 1;
int steel_block_editable = 1;
int concrete_link = 0;  // set to 1 by a click on the link
int steel_link = 0;
int ecm_readonly = -1;

const char* const kMNm2 = "MN/m\xFD";
const char* const kPerMille = "\x89";
const char* const kKgm3 = "kg/m\xFA";

// Makes the area current for the widgets and gives the outer one back.
struct Area_Scope {
    int outer;
    explicit Area_Scope(int area) : outer(Form_Get_Area()) { Form_Set_Area(area); }
    ~Area_Scope() { Form_Set_Area(outer); }
};

int Link(int x, int y, const char* text, int* target)
{
    const int colour = Form_Get_Text_Colour();
    Form_Set_Text_Colour(Nearest_Color_Index(0, 0, 255));
    Form_Label_Click(x, y, text, 1, target, nullptr);
    Form_Set_Text_Colour(colour);
    return 23;
}

// A labelled row of the parameter blocks: label at x, field at x + 75, unit 3 px behind.
void Row(int x, int y, const char* label, const char* sub, double* value, double factor, int decimals,
         const char* unit, int* editable)
{
    if (sub)
        Form_Label_Sub(x, y, label, sub, &concrete_block_editable);
    else
        Form_Label(x, y, label, &concrete_block_editable);
    const int w = Form_Add_Scaled_Field(x + 75, y, value, factor, 8, decimals, editable);
    if (unit) Form_Label(x + 75 + w + 3, y, unit, &concrete_block_editable);
}

Concrete_Class_Data* dialog_concrete = nullptr;
Steel_Class_Data* dialog_steel = nullptr;

void Build_Concrete_Page(int area, int) { Form_Add_Concrete_Parameters(area, 20, 0, dialog_concrete); }
void Build_Steel_Page(int area, int) { Form_Add_Steel_Parameters(area, 20, 15, dialog_steel); }

} // namespace

void Form_Set_Material_Dialogs(int flag) { material_dialogs = flag; }

int Form_Add_Concrete_Row(int area, int x, int y, Concrete_Class_Data* record, Grade_List* list, int* index)
{
    Area_Scope scope(area);
    Form_Label(x, y, "Betong\x81te", nullptr);
    return Form_Add_Concrete_Choice(area, x + 75, y, record, list, index);
}

int Form_Add_Concrete_Choice(int area, int x, int y, Concrete_Class_Data* record, Grade_List* list, int* index)
{
    if (!record || !list || !index) return 0;
    Area_Scope scope(area);
    if (concrete_link) {
        concrete_link = 0;
        Form_Define_Concrete_Dialog(record);
    }
    const bool beyond = *index >= list->count;
    Form_Add_Grade_Choice(x, y, list, index, &concrete_editable);
    int height = 0;
    // The factor alpha_c, where the list offers it, in the next row.
    auto add_alpha = [&] {
        if (!list->alpha_option) return;
        height += 23;
        Form_Label_Sub(x - 75, y + height, "\xBA", "c", nullptr);
        Form_Add_Scaled_Field(x, y + height, &record->alpha, 1.0, 8, 3, &concrete_editable);
    };
    if (beyond) {
        add_alpha();
        return height;
    }
    int code = 0, flags = 0;
    Grade_List_Get(list, *index, &code, &flags);
    if (code == 20) {
        if (!material_dialogs) {
            Form_Add_Concrete_Parameters(area, x - 75, y - 34, record);
            return 183;
        }
        return Link(x - 75, y + 23, "-> Betonparameter definieren", &concrete_link);
    }
    if (flags & GRADE_LIGHTWEIGHT) {
        height += 23;
        Form_Label(x - 75, y + height, "Rohdichte", nullptr);
        Form_Add_Density_Field(x, y + height, &record->density, &concrete_editable);
        Form_Label(x + 79 + 3, y + height, kKgm3, nullptr);
    }
    add_alpha();
    return height;
}

int Form_Add_Steel_Choice(int area, int x, int y, Steel_Class_Data* steel, Grade_List* list, int* index)
{
    if (!steel || !list || !index) return 0;
    Area_Scope scope(area);
    if (steel_link) {
        steel_link = 0;
        Form_Define_Steel_Dialog(steel);
    }
    Form_Label_Shadow(x, y, "Stahlg\x81te", nullptr);
    const bool beyond = *index >= list->count;
    Form_Add_Grade_Choice(x + 75, y, list, index, &steel_editable);
    if (beyond) return 0;
    int code = 0;
    Grade_List_Get(list, *index, &code, nullptr);
    if (code != 5) return 0;
    if (!material_dialogs) return Form_Add_Steel_Parameters(area, x, y, steel);
    return Link(x, y + 23, "-> Stahlparameter definieren", &steel_link);
}

int Form_Add_Concrete_Parameters(int area, int x, int y, Concrete_Class_Data* r)
{
    if (!r) return 0;
    Area_Scope scope(area);
    if (Form_Get_Area() < 0) return 0;
    Area_Add_Bitmap(area, "tools\\bemop_fcd.bmp", x + 200, y, x + 420, y + 192, Nearest_RGB_Color(239, 253, 238));
    Form_Label(x, y + 57, "Rohdichte", &concrete_block_editable);
    Form_Add_Density_Field(x + 75, y + 57, &r->density, &concrete_block_editable);
    Form_Label(x + 75 + 79 + 3, y + 57, kKgm3, &concrete_block_editable);
    Row(x, y + 80, "\xBA", nullptr, &r->alpha, 1.0, 3, nullptr, &concrete_block_editable);
    Row(x, y + 103, "f", "ck", &r->fck, 0.001, 2, kMNm2, &concrete_block_editable);
    Row(x, y + 126, "\xBE", "c2", &r->eps_c2, -1000.0, 3, kPerMille, &concrete_block_editable);
    Row(x, y + 149, "\xBE", "c2u", &r->eps_c2u, -1000.0, 3, kPerMille, &concrete_block_editable);
    Row(x, y + 172, "n", nullptr, &r->n, 1.0, 2, nullptr, &concrete_block_editable);
    int* ecm_word = r->law_flag ? &ecm_readonly : &concrete_block_editable;
    Row(x, y + 207, "E", "cm", &r->ecm, 0.001, 1, kMNm2, ecm_word);
    Form_Add_Check(x + 205, y + 207, "E-Modul automatisch ermitteln", &r->law_flag, &concrete_block_editable);
    // Both values are shown in MN/m² here.
    if (r->law_flag) r->ecm = Calc_Concrete_Ecm_kN(r->fck * 1000.0) * 0.001;
    return 183;
}

int Form_Add_Steel_Parameters(int area, int x, int y, Steel_Class_Data* s)
{
    if (!s) return 0;
    Area_Scope scope(area);
    if (Form_Get_Area() < 0) return 0;
    Area_Add_Bitmap(area, "tools\\bemop_fyk.bmp", x + 220, y, x + 436, y + 141, Nearest_RGB_Color(239, 253, 238));
    Row(x, y + 23, "f", "yk", &s->fyk, 0.001, 2, kMNm2, &steel_block_editable);
    Row(x, y + 46, "f", "tk", &s->ftk, 0.001, 2, kMNm2, &steel_block_editable);
    Row(x, y + 69, "\xBE", "su", &s->eps_uk, 1000.0, 3, kPerMille, &steel_block_editable);
    Row(x, y + 92, "E", "s", &s->es, 0.001, 1, kMNm2, &steel_block_editable);
    return 107;
}

int Form_Define_Concrete_Dialog(Concrete_Class_Data* record)
{
    if (!record) return 0;
    // The caller's record as it came: a cancel gives it back, not the defaults below.
    const Concrete_Class_Data before = *record;
    Init_Concrete_Class_Record(record, 3, 0, 2200.0);
    Concrete_Class_Data* outer = dialog_concrete;
    dialog_concrete = record;
    const int result =
        Form_Run_Simple_Dialog("Freie Definition des Betons", 220, 440, "Betonparameter", Build_Concrete_Page);
    dialog_concrete = outer;
    if (result == 0) *record = before;
    return result;
}

int Form_Define_Steel_Dialog(Steel_Class_Data* steel)
{
    if (!steel) return 0;
    const Steel_Class_Data before = *steel;
    Init_BSt500_Steel_Record(steel, 0);
    Steel_Class_Data* outer = dialog_steel;
    dialog_steel = steel;
    const int result =
        Form_Run_Simple_Dialog("Freie Definition des Stahls", 170, 470, "Stahlparameter", Build_Steel_Page);
    dialog_steel = outer;
    if (result == 0) *steel = before;
    return result;
}
