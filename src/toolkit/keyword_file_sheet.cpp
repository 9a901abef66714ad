#include "toolkit/keyword_file_sheet.h"

#include "base/keyword_files.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/screen/screen.h"
#include "platform/screen/editors.h"
#include "platform/screen/sheets.h"

#include <cstring>
#include <string>

namespace {

constexpr int name_capacity = 260;

// Kept for the whole run: where the sheet was closed, the name entered last and the
// browse dialog's starting directory.
Sheet_Centre centre;
char last_name[name_capacity + 1] = "";
std::string browse_directory = "C:\\";

void Trim_Trailing_Blanks(char* text)
{
    size_t n = std::strlen(text);
    while (n > 0 && text[n - 1] == ' ') text[--n] = '\0';
}

} // namespace

FILE* Open_File_By_Sheet(int mode)
{
    centre.Ensure();
    int x1 = centre.x - 215, y1 = centre.y - 62, x2 = centre.x + 215, y2 = centre.y + 61;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);

    char name[name_capacity + 1];
    std::snprintf(name, sizeof name, "%-*s", name_capacity, last_name);
    const char* title = mode == 0 ? "DATEI \x99" "FFNEN ZUM LESEN" : "DATEI \x99" "FFNEN ZUM SCHREIBEN";

    const int buffering = pxBuff(-1);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, title, 0, 1);
    Draw_Funny_Text_to_PS(x1 + 11, y1 + 51, "Bitte geben Sie den Dateinamen mit dem gesamten Pfad ein:", 0x1000,
                          BLACK_CI, 2);
    // The field ends before the browse button (a field of n characters is n character
    // widths and 16 pixels wide); a longer name scrolls in it.
    const int browse_x = x1 + 397;
    const int field_chars = (browse_x - 6 - (x1 + 11) - 16) / (Get_Text_Width_In_Font("X", 0x1000) + 1);
    const int field = Add_String_to_PS(x1 + 11, y1 + 61, field_chars, name, name_capacity, 3);
    Add_Single_Button_to_PS(browse_x, y1 + 61, 0, 4, "...", "expl_but.bmp", 2);
    Add_Single_Button_to_PS(x1 + 19, y2 - 33, 0, 2, nullptr, SYMBOLIC_BREAK_RASTER, 0);
    Add_Single_Button_to_PS(x2 - 45, y2 - 33, 0, 1, nullptr, SYMBOLIC_OK_RASTER, 0);
    Activate_Prop_Sheet();
    pxBuff(buffering);

    int code = 0;
    for (;;) {
        code = Edit_Prop_Sheet();
        if (code == 4) {
            InitZAVGetFileNameEx("Dateiname", "alle Dateien (*.*)", browse_directory.c_str(),
                                 mode == 0 ? 0x1009 : 0x2004);
            char chosen[name_capacity + 1] = "";
            if (ZAVGetFileNameEx(chosen, sizeof chosen)) {
                std::snprintf(name, sizeof name, "%-*s", name_capacity, chosen);
                const char* slash = std::strrchr(chosen, '\\');
                if (slash) browse_directory.assign(chosen, static_cast<size_t>(slash - chosen + 1));
                Change_Activity_PS(field, 1);
            }
            continue;
        }
        if (code == 1 || code == 2) break;
    }
    centre.Remember(x1, y1, x2, y2);
    Undefine_Prop_Sheet();
    if (code != 1) return nullptr;

    Trim_Trailing_Blanks(name);
    std::snprintf(last_name, sizeof last_name, "%s", name);
    FILE* f = name[0] ? Fopen_Mapped(name, mode == 0 ? "r" : "w") : nullptr;
    if (!f) {
        char message[name_capacity + 64];
        std::snprintf(message, sizeof message, "Die Datei: %s kann nicht ge\x94" "ffnet werden.", name);
        PrintMessage(message);
    }
    return f;
}

int Import_Keyword_Block(double* values, int* rows, int columns, int stride, int max_rows, char* labels,
                         int label_width, int letter, Keyword_Block_Stop* stop)
{
    FILE* f = Open_File_By_Sheet(0);
    if (!f) return 1;
    const int result =
        Read_Keyword_Block(f, values, columns, stride, max_rows * stride, labels, label_width, letter, rows, stop);
    std::fclose(f);
    return result;
}

int Write_Section_Template(double r, double h, double c1, double c2, int line_flag, int n)
{
    FILE* f = Open_File_By_Sheet(1);
    if (!f) return 0;
    int ok = Write_Section_Template_To(f, r, h, c1, c2, line_flag, n);
    if (std::fclose(f) != 0) ok = 0;
    return ok;
}
