#pragma once
// Helpers of the drawing-writer tests.
#include <string>

#include "report/plot_state.h"

// The text with the characters «, » and ß (written as UTF-8 in the tests) turned into
// their code page 850 bytes 0xAE, 0xAF and 0xE1.
inline std::string Cp850(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\xC2\xAB") == 0) {
            out += '\xAE';
            ++i;
        } else if (text.compare(i, 2, "\xC2\xBB") == 0) {
            out += '\xAF';
            ++i;
        } else if (text.compare(i, 2, "\xC3\x9F") == 0) {
            out += '\xE1';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Keeps the run-wide plot state as it was before the object was made.
class Plot_State_Guard {
public:
    Plot_State_Guard() : saved_(plot_state) {}
    ~Plot_State_Guard() { plot_state = saved_; }
    Plot_State_Guard(const Plot_State_Guard&) = delete;
    Plot_State_Guard& operator=(const Plot_State_Guard&) = delete;

private:
    Plot_State saved_;
};
