#include "annex/nad_report_blocks.h"

#include "annex/nad_choice.h"
#include "annex/norm_texts.h"

const char* NAD_Report_Annex_Name()
{
    const char* name = NAD_Get_Active_Name();
    return name ? name : "";
}

void NAD_Write_Heading_Block(FILE* stream, const char* title_line, const char* annex_name)
{
    std::fputs("#SHOWTABLE\n1 1 0\n", stream);
    std::fputs(title_line, stream);
    std::fprintf(stream, " %s\n", annex_name);
    std::fputs("0 0 -1 -1\n#END_OF_TEXT\n", stream);
}

void NAD_Write_Annex_Heading(FILE* stream)
{
    // 0x84: a-umlaut
    NAD_Write_Heading_Block(stream, " Ausgew\x84" "hlte Bemessungsparameter des nationalen Anhangs\n",
                            NAD_Report_Annex_Name());
}

void NAD_Write_Norm_Title(FILE* stream, int norm_code, const char* annex_name)
{
    std::fputs("#SHOWTABLE\n0 0 1\n", stream);
    std::fprintf(stream, " %s", Get_Norm_Designation(norm_code, 0, 0));
    if (annex_name) std::fprintf(stream, ", NA %s", annex_name);
    std::fputs("\n0 0 -1 -1\n#END_OF_TEXT\n", stream);
}

void NAD_Open_Clause_Table(FILE* stream)
{
    std::fputs("#SHOWTABLE\n0 0 0\n"
               "1 0 -1 -1 2\n 12 42\n"
               " Kapitel      Wert                          Bedeutung\n",
               stream);
}
