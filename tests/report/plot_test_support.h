#pragma once
// Helpers of the drawing-writer tests.
#include <cstdio>
#include <string>

#include "report/plot_state.h"
#include "test_support.h"

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

// Graphic blocks begun into one temporary stream; what the tests compare is what was
// written after the head of the last block begun (or after the last Skip).
class Graphic_Capture {
public:
    // Begins a graphic block without captions and skips its head.
    void Begin(double x1, double y1, double x2, double y2, double x_scale, double y_scale,
               double angle)
    {
        Plot_Begin_Graphic(stream_.get(), x1, y1, x2, y2, x_scale, y_scale, angle, nullptr);
        Skip();
    }
    FILE* get() const { return stream_.get(); }
    std::string Bytes() const { return stream_.bytes(); }
    std::string Records() const { return Bytes().substr(head_); }
    // What is written from here on is what Records gives.
    void Skip() { head_ = Bytes().size(); }

private:
    File_Stream stream_;
    size_t head_ = 0;
};
