// The partial safety factors in the report, the closing headlines and the sibling probe.
#include "core/safety_factor_display.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "core/safety_factors.h"
#include "platform/paths.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"

namespace {

// The report font prints the byte 0xC0 as the Greek gamma.
#define GAMMA "\xC0"
// Code page 850 bytes of the umlauts in the group titles.
#define UML_ae "\x84"
#define UML_ue "\x81"

struct Factor_Group {
    int bit;
    const char* title;
    const char* concrete_text;
    const char* steel_text;
    double NAD_Safety_Factors::*concrete;
    double NAD_Safety_Factors::*steel;
};

const Factor_Group factor_groups[] = {
    {SAFETY_FACTOR_ULS, "Tragf" UML_ae "higkeit", "Beton " GAMMA OLI_SEQ_SUB "c" OLI_SEQ_RESET " = %.2lf",
     "Bewehrung " GAMMA OLI_SEQ_SUB "s" OLI_SEQ_RESET " = %.2lf", &NAD_Safety_Factors::gamma_c,
     &NAD_Safety_Factors::gamma_s},
    {SAFETY_FACTOR_SLS, "Gebrauchstauglichkeit", "Beton " GAMMA OLI_SEQ_SUB "c" OLI_SEQ_RESET " = %.2lf",
     "Bewehrung " GAMMA OLI_SEQ_SUB "s" OLI_SEQ_RESET " = %.2lf", &NAD_Safety_Factors::gamma_c_sls,
     &NAD_Safety_Factors::gamma_s_sls},
    {SAFETY_FACTOR_FATIGUE, "Erm" UML_ue "dung", "Beton " GAMMA OLI_SEQ_SUB "c,fat" OLI_SEQ_RESET " = %.2lf",
     "Bewehrung " GAMMA OLI_SEQ_SUB "s,fat" OLI_SEQ_RESET " = %.2lf", &NAD_Safety_Factors::gamma_c_fat,
     &NAD_Safety_Factors::gamma_s_fat},
};

// The concrete text, the separator when both are shown, and the steel text.
void Write_Pair(FILE* report, const NAD_Safety_Factors& record, const Factor_Group& group, int bits)
{
    const bool concrete = (bits & SAFETY_FACTOR_CONCRETE) != 0;
    const bool steel = (bits & SAFETY_FACTOR_STEEL) != 0;
    if (concrete) OLI_Printf(report, group.concrete_text, record.*group.concrete);
    if (concrete && steel) OLI_Printf(report, ",  ");
    if (steel) OLI_Printf(report, group.steel_text, record.*group.steel);
}

} // namespace

void Write_Safety_Factor_Lines(const NAD_Safety_Factors* record, FILE* report, int bits)
{
    if (!record || !report) return;
    if (bits & SAFETY_FACTOR_ULS_PLAIN) {
        OLI_Printf(report, "%s", report_line_prefix);
        Write_Pair(report, *record, factor_groups[0], bits);
        OLI_Printf(report, "\n");
        return;
    }
    if (bits == 0) {
        for (const Factor_Group& group : factor_groups) OLI_Printf(report, "%s%s \n", report_line_prefix, group.title);
        return;
    }
    const bool both = (bits & SAFETY_FACTOR_CONCRETE) && (bits & SAFETY_FACTOR_STEEL);
    for (const Factor_Group& group : factor_groups) {
        if (!(bits & group.bit)) continue;
        OLI_Printf(report, "%s%s%s ", report_line_prefix, group.title, both ? ": " : "");
        Write_Pair(report, *record, group, bits);
        OLI_Printf(report, "\n");
    }
}

const char* Get_Design_Ok_Headline()
{
    static char headline[96];
    std::snprintf(headline, sizeof headline, "%sBemessung erfolgreich%s", Get_Blue_Colour_Code(),
                  Get_Colour_Off_Code());
    return headline;
}

const char* Get_Design_Failed_Headline()
{
    static char headline[96];
    std::snprintf(headline, sizeof headline, "%sFehler bei der Bemessung !!%s", Get_Red_Colour_Code(),
                  Get_Colour_Off_Code());
    return headline;
}

int Sibling_Program_Installed()
{
    const char* exec = std::getenv("EXEC");
    if (!exec) return 0;
    const std::string path = std::string(exec) + "\\Q7-VARKO\\varko.exe";
    if (path.size() >= PATH_MAX) return 0;
    return ::access(Map_Path(path).c_str(), F_OK) == 0 ? 1 : 0;
}
