#include "sheets/program/main_button_bar.h"

#include <algorithm>
#include <iterator>

namespace {

// Every button is 37 high with its four images in one column of the bitmap.
constexpr int ROW_NORMAL = 51;
constexpr int ROW_HOVER = 89;
constexpr int ROW_INACTIVE = 127;
constexpr int ROW_PRESSED = 165;
constexpr int ONLINE_ON_COLUMN = 345;
constexpr int ONLINE_OFF_COLUMN = 391;

constexpr Icon_Bar_Button Button(int code, const char* tip, int width, int column, int offset_x)
{
    return Icon_Bar_Button{
        .width = width,
        .height = 37,
        .normal_x = column,
        .normal_y = ROW_NORMAL,
        .hover_x = column,
        .hover_y = ROW_HOVER,
        .inactive_x = column,
        .inactive_y = ROW_INACTIVE,
        .pressed_x = column,
        .pressed_y = ROW_PRESSED,
        .offset_x = offset_x,
        .offset_y = 6,
        .enabled = 1,
        .code = code,
        .tool_tip = tip,
        .drop_down = nullptr,
    };
}

// The buttons as the bitmap draws them; a bar without its bitmap widens them to their
// words (Main_Button_Bar_Place).
const Icon_Bar_Button picture_buttons[7] = {
    Button(9, "Online-Berechnung an/aus", 45, ONLINE_ON_COLUMN, -10),
    Button(8, "nationaler Anhang zum EC", 42, 302, 45),
    Button(1, "Druckeinstellung", 42, 259, 90),
    Button(2, "Vorschau", 42, 216, 135),
    Button(3, "drucken", 42, 1, 180),
    Button(6, "Hilfe", 42, 130, 225),
    Button(7, "Ende", 42, 173, 270),
};
Icon_Bar_Button main_buttons[7] = {
    picture_buttons[0], picture_buttons[1], picture_buttons[2], picture_buttons[3],
    picture_buttons[4], picture_buttons[5], picture_buttons[6],
};

} // namespace

Icon_Bar main_button_bar = {
    .button_count = 7,
    .x1 = 300,
    .y1 = 3,
    .x2 = 525,
    .y2 = 42,
    .bitmap_file = "Buttons.bmp",
    .buttons = main_buttons,
};

void Main_Button_Bar_Place(int screen_width)
{
    const bool online = main_buttons[0].normal_x == ONLINE_ON_COLUMN;
    std::copy(std::begin(picture_buttons), std::end(picture_buttons), main_buttons);
    Main_Button_Bar_Show_Online(online);
    main_button_bar.x1 = screen_width - 321;
    main_button_bar.x2 = screen_width - 6;
    main_button_bar.y1 = 3;
    main_button_bar.y2 = 42;
    Icon_Bar_Fit_Words(&main_button_bar);
}

void Main_Button_Bar_Show_Online(int on)
{
    Icon_Bar_Button& b = main_buttons[0];
    const int column = on ? ONLINE_ON_COLUMN : ONLINE_OFF_COLUMN;
    b.normal_x = b.hover_x = b.inactive_x = b.pressed_x = column;
}
