#pragma once
// Message boxes on the screen (the drawn half of platform/messages.h): drawn over
// everything, centred, the pixels under them saved and put back when they close.
#include "platform/messages.h"

#include <string>

namespace screen {

enum Message_Box_Kind { BOX_OK, BOX_YES_NO, BOX_NONE };

// Symbols of the boxes: the platform's (MESSAGE_SYMBOL_...).

// Shows the box and waits for the answer: 1 yes or OK, 0 no. A question's default button
// (the one Enter presses; "Ja" when default_yes, else "Nein") is framed; Esc answers
// "Nein", or -1 (no answer) when esc_goes_back. With the headless driver the box is
// answered by the script: an OK box at once (a following "answer ok" line is taken), a
// question by the next line when it is "answer yes", "answer no", "key Enter" or
// "key Esc", else "no" with a warning on standard error. text: lines separated by '\n'.
int Run_Message_Box(const std::string& title, const std::string& text, Message_Box_Kind kind, int symbol,
                    bool default_yes = true, bool esc_goes_back = false);

// A box without buttons that stays until Close_Shown_Box (one at a time).
void Show_Box(const std::string& title, const std::string& text, int symbol);
void Close_Shown_Box();

// The OK box of a run that cannot go on. Prepare_Final_Box lays it out and draws it off
// the screen (the screen is left as it was) while memory is there; the lines must stay
// in place for the run. Show_Final_Box, for those very lines, puts the prepared pixels on
// the screen without taking memory and waits for OK (Enter, Esc or a click on it; the
// headless driver acknowledges it at once); false, showing nothing, for other lines or
// before the box was prepared.
void Prepare_Final_Box(const char* const* lines, int count);
bool Show_Final_Box(const char* const* lines, int count);
void Forget_Final_Box();

} // namespace screen
