#include "report/report_symbols.h"

#include "report/oli_channel.h"

const char* const report_times_sign = OLI_SEQ_SUP "." OLI_SEQ_RESET;

const char* const report_symbol_texts[REPORT_SYMBOL_COUNT] = {
    "\xA3", "\xCC", "\xF3", "\x88", "\x89", "\xBA",
};
