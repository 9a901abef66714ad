#include "toolkit/user_comment_sheet.h"

#include "base/alloc.h"
#include "base/string_helpers.h"
#include "base/text_blocks.h"
#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

Sheet_Centre centre;

} // namespace

int Add_Wrapped_Text_Items(int area, int x, int* y, const char* text, int wrap_width, int font, int colour,
                           int line_step)
{
    if (!text || !y) return 0;
    int pieces = 0;
    for (const std::string& piece : Wrap_Comment_Pieces(text, wrap_width)) {
        if (!piece.empty()) {
            Area_Add_Text(area, x, *y, piece.c_str(), font, colour, 0);
            ++pieces;
        }
        *y += line_step;
    }
    return pieces;
}

char* Edit_User_Comment(char* comment, const char* title)
{
    if (!Get_Screen_State().graphics_on) return comment;
    const int length = comment ? static_cast<int>(std::strlen(comment)) : 0;
    const int capacity = std::max(4 * length, 5000);
    // The box never puts its cursor behind the text's last character. A line end added
    // behind the comment is that character: the comment's own end can be reached, typed
    // at and selected. It is taken off again when the comment is confirmed.
    char* buffer = Dup_String_Bounded(comment ? comment : "", capacity + 1);
    if (!buffer) return comment;
    buffer[length] = '\n';

    int width = 600;
    const int height = 400;
    if (NPIXEL_X < 650) width = NPIXEL_X - 50;
    if (NPIXEL_Y - 49 <= width) width = NPIXEL_Y - 50;
    centre.Ensure();
    int x1 = centre.x - width / 2, y1 = centre.y - height / 2;
    int x2 = x1 + width - 1, y2 = y1 + height - 1;
    Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);

    const int buffering = pxBuff(-1);
    Define_Prop_Sheet(x1, y1, x2, y2, 1, 0, title ? title : "", 40, 1);
    // Below the sheet's title bar.
    const int ax1 = x1 + 2, ay1 = y1 + 24, ax2 = x2 - 2, ay2 = y2 - 2;
    const int area = Area_Create(ax1, ay1, ax2, ay2, 0, 0);
    if (area < 0) {
        Undefine_Prop_Sheet();
        pxBuff(buffering);
        MEM_FREE(buffer);
        return comment;
    }
    const int escape = Add_Escape_Area_to_PS(ax1, ay1, ax2, ay2, 1, 2000);
    Set_Escape_Area_to_MouseMoveEvent(escape, 1);
    Activate_Prop_Sheet();
    pxBuff(buffering);

    const int aw = ax2 - ax1, ah = ay2 - ay1;
    const int key = Nearest_RGB_Color(192, 192, 192);
    int editable = 1;
    int pressed = 0;
    int result = 0;  // 1 cancel, 3 confirm
    while (result == 0) {
        Area_Clear(area);
        Area_Add_Text(area, 85, 20, "Geben Sie hier Ihre Anmerkungen ein.", 0x1000, BLACK_CI, 0);
        Area_Add_Bitmap_Button(area, aw - 120, 15, 36, 36, "Glory3.bmp", 0, key, 18, "abbrechen", 1, &pressed,
                               &editable);
        Area_Add_Bitmap_Button(area, aw - 80, 15, 36, 36, "Glory3.bmp", 36, key, 18, "Hilfe", 2, &pressed, &editable);
        Area_Add_Bitmap_Button(area, aw - 40, 15, 36, 36, "Glory3.bmp", 72, key, 18, "best\x84tigen", 3, &pressed,
                               &editable);
        Area_Add_Text_Box(area, 5, 60, aw - 5, ah - 5, buffer, capacity + 1, BLACK_CI, Nearest_RGB_Color(255, 255, 255),
                          1, &editable);
        Area_Set_Activity(area, 1);
        Area_Update(area);
        Change_Activity_PS(escape, 1);

        const int code = Edit_Prop_Sheet();
        if (code != 2000) {
            // Anything else ends the sheet as its close button does: cancelled.
            result = 1;
            break;
        }
        pressed = 0;
        Area_Handle_Event(area);
        // A press that ended the text box's editing (on a button, say) is still down:
        // it belongs to the item under it.
        if (M_LEFT && pressed == 0) Area_Handle_Event(area);
        if (pressed == 2) Helpview("USER_COMMENT");
        else if (pressed == 1 || pressed == 3) result = pressed;
    }

    centre.Remember(x1, y1, x2, y2);
    Area_Delete(area);
    Undefine_Prop_Sheet();

    if (result != 3) {
        MEM_FREE(buffer);
        return comment;
    }
    const size_t end = std::strlen(buffer);
    if (end > 0 && buffer[end - 1] == '\n') buffer[end - 1] = '\0';
    char* edited = MEM_STRDUP(buffer);
    MEM_FREE(buffer);
    if (!edited) return comment;
    if (comment) MEM_FREE(comment);
    return edited;
}
