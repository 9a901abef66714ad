// The screen side of the platform layer's message boxes and of the wait for a tool, and
// the sheets' install call of the periodic callbacks.
#include "platform/messages.h"
#include "platform/screen/screen.h"
#include "platform/screen/backend.h"
#include "platform/screen/bitmaps.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"
#include "platform/screen/message_boxes.h"
#include "platform/screen/sheets.h"
#include "platform/screen/texts.h"
#include "platform/tools.h"

#include <cstring>

namespace screen {
namespace {

int Run_Box(const std::string& title, const std::string& text, bool question, int symbol, bool default_yes,
            bool esc_goes_back)
{
    return Run_Message_Box(title, text, question ? BOX_YES_NO : BOX_OK, symbol, default_yes, esc_goes_back);
}

bool Headless_Driver() { return Current_Backend() && Current_Backend()->Headless(); }

// The box on the screen while the program waits for a tool: its text and ten squares of
// which one after the other is lit.
class Waiting_Box {
public:
    bool Open(const char* text, int text_x)
    {
        Close();
        if (!Get_Screen_State().graphics_on) return false;
        cx_ = NPIXEL_X / 2;
        cy_ = NPIXEL_Y / 2;
        x1_ = cx_ - 130, y1_ = cy_ - 30, x2_ = cx_ + 130, y2_ = cy_ + 30;
        shown_ = Save_Screen_Rectangle(x1_, y1_, x2_, y2_) != 0;
        if (!shown_) return false;
        lit_ = -1;
        black_ = Nearest_RGB_Color(0, 0, 0);
        white_ = Nearest_RGB_Color(255, 255, 255);
        blue_ = Nearest_RGB_Color(0, 128, 255);
        pxFgc(white_);
        pxRect(x1_, y1_, x2_, y2_);
        Frame(x1_, y1_, x2_, y2_, black_);
        pxFgc(black_);
        Pop_RFont(0x1000);  // the font stack's names are the environment's, inverted
        const int n = static_cast<int>(std::strlen(text));
        pxText(cx_ - text_x, cy_ - 10, text, n);
        pxText(cx_ - text_x + 1, cy_ - 10, text, n);
        Push_RFont();
        for (int i = 0; i < squares; ++i) Square(i, false);
        setMouseCursor(6);
        pxFlsh();
        return true;
    }
    void Close()
    {
        if (!shown_) return;
        shown_ = false;
        setMouseCursor(0);
        Restore_Screen_Rectangle(x1_, y1_, x2_, y2_);
        pxFlsh();
    }
    // Lights the next square.
    void Step()
    {
        if (!shown_) return;
        if (lit_ >= 0) Square(lit_, false);
        lit_ = (lit_ + 1) % squares;
        Square(lit_, true);
        pxFlsh();
    }

private:
    static constexpr int squares = 10;
    void Frame(int x1, int y1, int x2, int y2, int colour)
    {
        pxFgc(colour);
        pxLine(x1, y1, x2, y1);
        pxLine(x2, y1, x2, y2);
        pxLine(x2, y2, x1, y2);
        pxLine(x1, y2, x1, y1);
    }
    void Square(int i, bool lit)
    {
        const int x = cx_ - 110 + 23 * i;
        pxFgc(lit ? blue_ : white_);
        pxRect(x, cy_, x + 14, cy_ + 14);
        Frame(x, cy_, x + 14, cy_ + 14, lit ? black_ : blue_);
    }
    bool shown_ = false;
    int cx_ = 0, cy_ = 0, x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int black_ = 0, white_ = 0, blue_ = 0;
    int lit_ = -1;
};

Waiting_Box waiting_box;

} // namespace

void Connect_Screen_Services(bool on)
{
    if (!on) {
        Forget_Final_Box();
        Set_Periodic_Callback_Installer(nullptr);
        Set_Message_Screen(nullptr);
        Set_Tool_Wait_Screen(nullptr);
        return;
    }
    Message_Screen boxes;
    boxes.run_box = Run_Box;
    boxes.show_box = Show_Box;
    boxes.close_box = Close_Shown_Box;
    boxes.headless = Headless_Driver;
    // Running out of memory is said in a box drawn now, while there is memory to draw it.
    int count = 0;
    const char* const* lines = Out_Of_Memory_Lines(&count);
    Prepare_Final_Box(lines, count);
    boxes.final_box = Show_Final_Box;
    Set_Message_Screen(&boxes);
    Set_Periodic_Callback_Installer(Set_CallSometimesFunc_to_PS);
    Tool_Wait_Screen wait;
    wait.sleep_ms = Sleep_On_Clock;
    wait.open_box = [](const char* text, int text_x) { return waiting_box.Open(text, text_x); };
    wait.step_box = [] { waiting_box.Step(); };
    wait.close_box = [] { waiting_box.Close(); };
    Set_Tool_Wait_Screen(&wait);
}

} // namespace screen
