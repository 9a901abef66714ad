#pragma once
// Symbol texts of the report font that the design texts insert through "%s".
//
// Each is a short code page 850 text; the report font prints these bytes as the symbols
// named below (not as the letters code page 850 shows for them).

// The raised multiplication dot: 0xCE '/' '.' 0xCE 'r'.
extern const char* const report_times_sign;

// One-byte symbol texts, indexed by the constants below.
enum Report_Symbol {
    REPORT_SYMBOL_DELTA = 0,       // 0xA3, difference (stands before a letter)
    REPORT_SYMBOL_SIGMA = 1,       // 0xCC, stress
    REPORT_SYMBOL_LESS_EQUAL = 2,  // 0xF3, less-or-equal
    REPORT_SYMBOL_ARROW = 3,       // 0x88, arrow ("gives")
    REPORT_SYMBOL_EPS_UK = 4,      // 0x89, written after the ultimate strain epsilon uk
    REPORT_SYMBOL_MODULAR = 5,     // 0xBA, before the subscript of the modular ratio
    REPORT_SYMBOL_COUNT = 6
};
extern const char* const report_symbol_texts[REPORT_SYMBOL_COUNT];
