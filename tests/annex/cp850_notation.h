#pragma once
// A readable ASCII notation for the expected bytes of report texts (code page 850 with
// the report font's Greek letters and in-band sequences), turned into those bytes:
//
//   {ae} {oe} {ue} {ss} {AE} {OE}   German letters (0x84 0x94 0x81 0xE1 0x8E 0x99)
//   {a} {b} {g} {D} {e} {h} {t} {l} {m} {n} {r}
//                                   alpha beta gamma Delta epsilon eta theta lambda mu nu rho
//   {>=} {2}                        greater-or-equal (0xF2), superscript two (0xFD)
//   _[text]  ^[text]                lowered / raised run: 0xCE '\' or 0xCE '/', the text,
//                                   0xCE 'r'
#include <stdexcept>
#include <string>

inline std::string Cp850(const std::string& notation)
{
    static const struct {
        const char* name;
        const char* bytes;
    } symbols[] = {
        {"ae", "\x84"}, {"oe", "\x94"}, {"ue", "\x81"}, {"ss", "\xE1"}, {"AE", "\x8E"}, {"OE", "\x99"},
        {"a", "\xE0"},  {"b", "\xBB"},  {"g", "\xC0"},  {"D", "\xA3"},  {"e", "\xBE"},  {"h", "\xC1"},
        {"t", "\xB0"},  {"l", "\xC5"},  {"m", "\xC6"},  {"n", "\xC7"},  {"r", "\xCB"},  {">=", "\xF2"},
        {"2", "\xFD"},
    };
    std::string out;
    int open_runs = 0;
    for (size_t i = 0; i < notation.size(); ++i) {
        char c = notation[i];
        if ((c == '_' || c == '^') && i + 1 < notation.size() && notation[i + 1] == '[') {
            out += '\xCE';
            out += c == '_' ? '\\' : '/';
            ++open_runs;
            ++i;
        } else if (c == ']' && open_runs > 0) {
            out += "\xCE" "r";
            --open_runs;
        } else if (c == '{') {
            size_t close = notation.find('}', i);
            if (close == std::string::npos) throw std::invalid_argument("unclosed {");
            std::string name = notation.substr(i + 1, close - i - 1);
            bool found = false;
            for (const auto& s : symbols) {
                if (name == s.name) {
                    out += s.bytes;
                    found = true;
                    break;
                }
            }
            if (!found) throw std::invalid_argument("unknown symbol {" + name + "}");
            i = close;
        } else {
            out += c;
        }
    }
    return out;
}
