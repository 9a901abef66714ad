#include "material/masonry_report.h"

#include "material/masonry.h"
#include "platform/format_number.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* DOT = "\xCE/.\xCEr";

// A strength cell of width 6 with 2 decimals; dashes below 0.01.
std::string Strength_Cell(double value)
{
    if (value < 0.01) return "  --- ";
    return Format_Number_Text(value, 6, 2, 0, 0);
}

// The modulus cell of width 10 without decimals; dashes below 0.1.
std::string Modulus_Cell(double value)
{
    if (value < 0.1) return "      --- ";
    return Format_Number_Text(value, 10, 0, 0, 0);
}

// A text field of the record, which need not end inside its array.
std::string Field_Text(const char (&text)[MASONRY_TEXT_SIZE])
{
    return std::string(text, strnlen(text, MASONRY_TEXT_SIZE));
}

}  // namespace

void Write_Masonry_Report_Table(FILE* stream, const Masonry_Record* record)
{
    if (!stream || !record) return;
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);

    const bool eurocode = masonry_ec6_params != nullptr;
    const bool flexural = record->fxk1 >= 0.001 || record->fxk2 >= 0.001;

    // The values.
    std::fputs("#SHOWTABLE\n0 0 0\n1 1 -1 -1 1\n13.5\n", stream);
    std::fputs("  SFK      MG    f\xCE\\k\xCEr    \xC1    \xC0\xCE\\M\xCEr     f\xCE\\d\xCEr       "
               "E\xCE\\M\xCEr     f\xCE\\bk\xCEr   f\xCE\\vk0\xCEr  ",
               stream);
    std::fputs(eurocode ? "f\xCE\\bt\xCEr  " : "f\xCE\\bz\xCEr  ", stream);
    if (flexural) std::fputs(" f\xCE\\xk1\xCEr  f\xCE\\xk2\xCEr ", stream);
    std::fputs("\n", stream);
    std::fputs("               MN/m\xFD             MN/m\xFD     MN/m\xFD  MN/m\xFD MN/m\xFD MN/m\xFD ", stream);
    if (flexural) std::fputs("MN/m\xFD MN/m\xFD ", stream);
    std::fputs("\n", stream);

    const std::string class_text = Field_Text(record->strength_class_text);
    const std::string mortar_text = Field_Text(record->mortar_group_text);
    std::fprintf(stream, " %4s %8s%s%6.2lf%6.3lf%s%s ", class_text.c_str(), mortar_text.c_str(),
                 Strength_Cell(record->fk).c_str(), record->reduction_factor, record->gamma_M,
                 Strength_Cell(record->fd).c_str(), Modulus_Cell(record->E_M).c_str());
    std::fprintf(stream, "%s%s%s", Strength_Cell(record->fbk).c_str(), Strength_Cell(record->fvk0).c_str(),
                 Strength_Cell(record->fbt).c_str());
    if (flexural)
        std::fprintf(stream, "%s%s", Strength_Cell(record->fxk1).c_str(), Strength_Cell(record->fxk2).c_str());
    std::fputs("\n", stream);
    std::fputs("#END_OF_TEXT\n", stream);

    OLI_setYPositionCM(stream, 1, -0.5f);

    // The legend.
    std::fprintf(stream, "#SHOWTABLE\n0 0 %d\n", flexural ? 5 : 4);
    std::fputs("  SFK: Steinfestigkeitsklasse,  MG: M\x94rtelgruppe\n", stream);
    std::fputs("  charakteristische Druckfestigkeit von Mauerwerk mit M\x94rtel f\xCE\\k\xCEr,  "
               "Abminderungsbeiwert \xC1\n",
               stream);
    std::fprintf(stream,
                 "  Materialsicherheit \xC0\xCE\\M\xCEr = k\xCE\\0\xCEr%s\xC0\xCE\\M0\xCEr,  "
                 "Bemessungsdruckfestigkeit f\xCE\\d\xCEr = \xC1%sf\xCE\\k\xCEr/\xC0\xCE\\M\xCEr,  "
                 "Elastizit\x84tsmodul E\xCE\\M\xCEr\n",
                 DOT, DOT);
    if (eurocode)
        std::fputs("  normierte Mauersteindruckfestigkeit f\xCE\\bk\xCEr,  charakteristische "
                   "Haftscherfestigkeit f\xCE\\vk0\xCEr,  rechnerische Steinzugfestigkeit f\xCE\\bt\xCEr\n",
                   stream);
    else
        std::fputs("  charakteristische Steindruckfestigkeit f\xCE\\bk\xCEr,  abgeminderte "
                   "Haftscherfestigkeit f\xCE\\vk0\xCEr,  Steinzugfestigkeit f\xCE\\bz\xCEr\n",
                   stream);
    if (flexural)
        std::fputs("  charakteristische Biegezugfestigkeiten f\xCE\\xk1\xCEr parallel zur Lagerfuge, "
                   "f\xCE\\xk2\xCEr senkrecht zur Lagerfuge\n",
                   stream);
    std::fputs("0 0 -1 -1\n", stream);

    // The explanation of the strength of a table record under the Eurocode set.
    if (eurocode && !record->user_defined) {
        std::string text;
        Calc_Masonry_Strength(record->strength_class, record->mortar_group, record->unit_material,
                              record->unit_shape, record->unit_variant, 0, record->longitudinal_joint,
                              &text, nullptr);
        if (!(record->fk <= 0.001 && text.empty())) std::fprintf(stream, "%s", text.c_str());
    }
    std::fputs("#END_OF_TEXT\n", stream);
}
