#include "material/material_report.h"

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "material/material_set.h"
#include "platform/format_number.h"
#include "report/oli_channel.h"
#include "report/report_layout.h"

namespace {

// Signs of the report font (code page 850 bytes that the font draws as its own glyphs).
#define SIGN_ALPHA "\xBA"
#define SIGN_BETA "\xBB"
#define SIGN_EPSILON "\xBE"
#define SIGN_GAMMA "\xC0"
#define SIGN_RHO "\xCB"
#define SIGN_SIGMA "\xCC"
#define SIGN_TAU "\xD6"
#define SIGN_GE "\xF2"
#define SIGN_PER_MILLE "\x89"
#define SUB OLI_CTL "\\"
#define SUP OLI_CTL "/"
#define END OLI_CTL "r"
#define MN_PER_M2 "MN/m" SUP "2" END

constexpr const char* kTableHead = "#SHOWTABLE\n0 0 0\n1 1 -1 -1 1\n";
constexpr const char* kEndOfText = "#END_OF_TEXT\n";
constexpr const char* kNoColumns = "0 0 -1 -1\n";
constexpr float kLineHeightCm = 0.45f;

// Formatted writes into the report stream; the first failed write is remembered.
class Report_Writer {
public:
    explicit Report_Writer(FILE* stream) : stream_(stream) {}
    void Put(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        va_list args;
        va_start(args, format);
        if (std::vfprintf(stream_, format, args) < 0) failed_ = true;
        va_end(args);
    }
    void Text(const char* text)
    {
        if (std::fputs(text, stream_) < 0) failed_ = true;
    }
    bool Failed() const { return failed_ || std::ferror(stream_); }

private:
    FILE* stream_;
    bool failed_ = false;
};

// The records of an array that fall into [first, last] (last below 0: to the end).
std::vector<int> Listed_Records(int count, int first, int last)
{
    std::vector<int> indices;
    if (first < 0) first = 0;
    if (last < 0 || last >= count) last = count - 1;
    for (int i = first; i <= last; ++i) indices.push_back(i);
    return indices;
}

bool Same_Steel(const Steel_Record& a, const Steel_Record& b)
{
    if (a.steel_index != b.steel_index) return false;
    if (a.steel_index < STEEL_FREE) return true;
    return a.fyk == b.fyk && a.ftk == b.ftk && a.eps_uk == b.eps_uk && a.es == b.es;
}

// A record's name, which need not end inside its array.
template <size_t N>
std::string Name_Text(const char (&name)[N])
{
    return std::string(name, strnlen(name, N));
}

// Name of a concrete for the table: the LC class name for lightweight concrete.
std::string Concrete_Table_Name(const Concrete_Record& c)
{
    const int row = c.class_index - CONCRETE_FIRST_CLASS;
    if (c.lightweight && row >= 0 && row < CONCRETE_LC_COUNT)
        return lightweight_concrete_class_names[row];
    return Name_Text(c.name);
}

// A legend block, set 0.5 cm up against the table before it.
void Write_Legend(FILE* stream, Report_Writer& out, const std::vector<const char*>& lines)
{
    OLI_setYPositionCM(stream, 1, -0.5f);
    out.Put("#SHOWTABLE\n0 0 %d\n", static_cast<int>(lines.size()));
    for (const char* line : lines) out.Text(line);
    out.Text(kNoColumns);
    out.Text(kEndOfText);
}

// A note block, set 0.6 cm up against what stands before it.
void Write_Note(FILE* stream, Report_Writer& out, const char* line)
{
    OLI_setYPositionCM(stream, 1, -0.6f);
    out.Text("#SHOWTABLE\n0 0 1\n");
    out.Text(line);
    out.Text(kNoColumns);
    out.Text(kEndOfText);
}

void Write_Old_Concrete_Table(FILE* stream, Report_Writer& out, const Material_Set& set,
                              const std::vector<int>& rows, bool legends)
{
    OLI_reserveSpaceCM(stream, kLineHeightCm * static_cast<float>(rows.size() + 3));
    out.Text(kTableHead);
    out.Text("5.5\n");
    out.Put(" Beton   %s" SUB "WN" END "    %s" SUB "R" END "    %s" SUB "b1" END
            "     n       E" SUB "b" END "\n",
            SIGN_BETA, SIGN_BETA, SIGN_EPSILON);
    out.Put("        " MN_PER_M2 "  " MN_PER_M2 "   %s      -      " MN_PER_M2 "\n", SIGN_PER_MILLE);
    for (int i : rows) {
        const Concrete_Record& c = set.concrete[i];
        out.Put(" %s %6.1lf %6.1lf%6.2lf%8.2lf%9.1lf\n", Name_Text(c.name).c_str(), c.fck, c.fcd, c.eps_c2, c.n_exp,
                c.e_modulus);
    }
    out.Text(kEndOfText);
    if (!legends) return;

    char law_line[256];
    std::snprintf(law_line, sizeof law_line,
                  "  Betonspannungen %s" SUB "b" END " = %s" SUB "R" END " (1-(1-%s" SUB "b" END
                  "/%s" SUB "b1" END ")" SUP "n" END ") f\x81r 0%s%s" SUB "b" END ">%s" SUB "b1" END
                  "  und  %s" SUB "b" END " = %s" SUB "R" END " f\x81r %s" SUB "b1" END "%s%s" SUB
                  "b" END ">%s" SUB "b1u" END "\n",
                  SIGN_SIGMA, SIGN_BETA, SIGN_EPSILON, SIGN_EPSILON, SIGN_GE, SIGN_EPSILON,
                  SIGN_EPSILON, SIGN_SIGMA, SIGN_BETA, SIGN_EPSILON, SIGN_GE, SIGN_EPSILON,
                  SIGN_EPSILON);
    Write_Legend(stream, out,
                 {"  W\x81rfeldruckfestigkeit " SIGN_BETA SUB "WN" END
                  ",  Rechenwert der Betondruckfestigkeit " SIGN_BETA SUB "R" END "\n",
                  "  Dehnung beim Erreichen der Festigkeitsgrenze " SIGN_EPSILON SUB "b1" END
                  ",  Elastizit\x84tsmodul E" SUB "b" END "\n",
                  law_line});
}

void Write_Concrete_Table(FILE* stream, Report_Writer& out, const Material_Set& set,
                          const std::vector<int>& rows, bool legends)
{
    const bool nonlinear = set.concrete[rows.front()].law_kind == 1;
    const bool oenorm = set.oenorm != 0;
    bool density = false;
    for (int i : rows) density = density || set.concrete[i].lightweight;

    OLI_reserveSpaceCM(stream, kLineHeightCm * static_cast<float>(rows.size() + 3));
    out.Text(kTableHead);
    out.Text("8.5\n");
    if (nonlinear)
        out.Put(" Beton     f" SUB "ck" END "   f" SUB "cm" END "  %s" SUB "c1" END "   %s" SUB
                "c1u" END "   n" SUB "c" END " ",
                SIGN_EPSILON, SIGN_EPSILON);
    else
        out.Put(" Beton     f" SUB "ck" END "   %s   %s" SUB "c2" END "   %s" SUB "c2u" END
                "   n" SUB "c" END " ",
                oenorm ? SIGN_TAU SUB "d" END : "f" SUB "cd" END, SIGN_EPSILON, SIGN_EPSILON);
    if (density) out.Put("  %s" SUB "c" END " ", SIGN_RHO);
    out.Text("    E" SUB "cm" END "   f" SUB "ctm" END " \n");
    if (nonlinear)
        out.Put("          " MN_PER_M2 " " MN_PER_M2 "  %s     %s     -   ", SIGN_PER_MILLE,
                SIGN_PER_MILLE);
    else
        out.Put("          " MN_PER_M2 " %s  %s     %s     -   ", MN_PER_M2, SIGN_PER_MILLE,
                SIGN_PER_MILLE);
    if (density) out.Text("kg/m" SUP "3" END);
    out.Text("  " MN_PER_M2 "  " MN_PER_M2 "\n");

    for (int i : rows) {
        const Concrete_Record& c = set.concrete[i];
        const std::string name_text = Concrete_Table_Name(c);
        const char* name = name_text.c_str();
        const char* n_cell = Format_Material_Value(c.n_exp);
        if (nonlinear)
            out.Put("%-8s%6.1lf%6.1lf%6.2lf%6.2lf%s", name, c.fck, c.fcm, c.eps_c2, c.eps_cu, n_cell);
        else if (oenorm)
            out.Put("%-8s%6.1lf%6.3lf%6.2lf%6.2lf%s", name, c.fck,
                    Get_Concrete_Tau_Rd(c.class_index, c.fck), c.eps_c2, c.eps_cu, n_cell);
        else
            out.Put("%-8s%6.1lf%6.1lf%6.2lf%6.2lf%s", name, c.fck, c.fcd, c.eps_c2, c.eps_cu, n_cell);
        if (density) out.Put("%5.0lf", c.density);
        out.Put("%9.1lf%6.3lf\n", c.e_modulus, c.fctm);
    }
    out.Text(kEndOfText);
    if (!legends) return;

    char design_line[128];
    char law_line[320];
    std::snprintf(design_line, sizeof design_line,
                  " Bemessungswert der Zylinderdruckfestigkeit f" SUB "cd" END " = %sf" SUB "ck" END
                  " / %s" SUB "c" END "\n",
                  SIGN_ALPHA, SIGN_GAMMA);
    std::snprintf(law_line, sizeof law_line,
                  " Betonspannungen %s" SUB "c" END " = f" SUB "cd" END " (1-(1-%s" SUB "c" END
                  "/%s" SUB "c2" END ")" SUP "n" END ") f\x81r 0%s%s" SUB "c" END ">%s" SUB "c2" END
                  "  und  %s" SUB "c" END " = f" SUB "cd" END " f\x81r %s" SUB "c2" END "%s%s" SUB
                  "c" END ">%s" SUB "c2u" END "\n",
                  SIGN_SIGMA, SIGN_EPSILON, SIGN_EPSILON, SIGN_GE, SIGN_EPSILON, SIGN_EPSILON,
                  SIGN_SIGMA, SIGN_EPSILON, SIGN_GE, SIGN_EPSILON, SIGN_EPSILON);
    std::vector<const char*> lines = {
        " Charakteristische Druckfestigkeit f" SUB "ck" END
        ", Mittelwert der Zylinderdruckfestigkeit f" SUB "cm" END "\n",
        design_line};
    if (oenorm) lines.push_back("  Rechenwert der Schubspannungen " SIGN_TAU SUB "d" END "\n");
    lines.push_back(" Dehnung beim Erreichen der Festigkeitsgrenze " SIGN_EPSILON SUB "c2" END
                    ",  Bruchdehnung " SIGN_EPSILON SUB "c2u" END "\n");
    lines.push_back(law_line);
    lines.push_back(density ? " Elastizit\x84tsmodul E" SUB "cm" END
                              ", Mittelwert der zentrischen Zugfestigkeit f" SUB "ctm" END
                              ", Rohdichte " SIGN_RHO SUB "c" END "\n"
                            : " Elastizit\x84tsmodul E" SUB "cm" END
                              ", Mittelwert der zentrischen Zugfestigkeit f" SUB "ctm" END "\n");
    Write_Legend(stream, out, lines);
}

void Write_Steel_Table(FILE* stream, Report_Writer& out, const Material_Set& set,
                       const std::vector<int>& rows, bool legends)
{
    // One row per distinct steel.
    std::vector<const Steel_Record*> steels;
    for (int i : rows) {
        const Steel_Record& s = set.steel[i];
        bool seen = false;
        for (const Steel_Record* t : steels) seen = seen || Same_Steel(*t, s);
        if (!seen) steels.push_back(&s);
    }

    const bool old = set.new_standard == 0;
    OLI_reserveSpaceCM(stream, kLineHeightCm * static_cast<float>(steels.size() + 3));
    out.Text(kTableHead);
    out.Text("12.5\n");
    if (old) {
        out.Put(" Bewehrung      %s" SUB "S" END "      E" SUB "s" END "\n", SIGN_BETA);
        for (const Steel_Record* s : steels) out.Put("%-13s %6.1lf%9.1lf\n", Name_Text(s->name).c_str(), s->fyk, s->es);
    } else {
        out.Put(" Bewehrung     f" SUB "yk" END "    f" SUB "tk" END "   %s" SUB "su" END "     E" SUB
                "s" END "\n",
                SIGN_EPSILON);
        out.Put("              " MN_PER_M2 "  " MN_PER_M2 "   %s     " MN_PER_M2 "\n", SIGN_PER_MILLE);
        for (const Steel_Record* s : steels)
            out.Put("%-13s%6.1lf %6.1lf%6.2lf%9.1lf\n", Name_Text(s->name).c_str(), s->fyk, s->ftk,
                    s->eps_uk, s->es);
    }
    out.Text(kEndOfText);
    if (!legends) return;
    if (old)
        Write_Legend(stream, out,
                     {" Streckgrenze der Bewehrung " SIGN_BETA SUB "S" END "\n",
                      " Elastizit\x84tsmodul E" SUB "s" END "\n"});
    else
        Write_Legend(stream, out,
                     {" Bemessungswert der Streckgrenze f" SUB "yd" END " = f" SUB "yk" END
                      " / " SIGN_GAMMA SUB "s" END "\n",
                      " Bemessungswert der Zugfestigkeit f" SUB "td" END " = f" SUB "tk" END
                      " / " SIGN_GAMMA SUB "s" END "\n",
                      " Stahlbruchdehnung " SIGN_EPSILON SUB "su" END ", Elastizit\x84tsmodul E" SUB
                      "s" END "\n"});
}

}  // namespace

int Write_Material_Report_Tables(FILE* stream, const Material_Set* set, int no_legends,
                                 int keep_y_position, int first, int last, int left_margin)
{
    if (!stream || !set) return 1;
    if (oli_channel_mode == OLI_MODE_BLOCK_OPEN || oli_channel_mode == OLI_MODE_LINE_PENDING)
        OLI_End_Text_Block(stream);

    Report_Writer out(stream);
    const bool legends = !no_legends;
    if (keep_y_position) OLI_storeYPosition(stream, 1);
    OLI_resetMaxMargin(stream);
    if (left_margin > 0) OLI_setMarginsChar(stream, 1, left_margin, 0);

    const std::vector<int> concretes =
        set->concrete ? Listed_Records(set->n_concrete, first, last) : std::vector<int>{};
    const std::vector<int> steels =
        set->steel ? Listed_Records(set->n_steel, first, last) : std::vector<int>{};

    if (!concretes.empty()) {
        if (set->new_standard)
            Write_Concrete_Table(stream, out, *set, concretes, legends);
        else
            Write_Old_Concrete_Table(stream, out, *set, concretes, legends);
    }
    if (!steels.empty()) Write_Steel_Table(stream, out, *set, steels, legends);

    bool glass_fibre = false, lattice_girder = false;
    for (int i : steels) {
        glass_fibre = glass_fibre || set->steel[i].steel_index == STEEL_GLASS_FIBRE;
        lattice_girder = lattice_girder || set->steel[i].steel_index == STEEL_LATTICE_GIRDER;
    }
    if (glass_fibre)
        Write_Note(stream, out,
                   " ComBAR GFK: Bewehrung aus glasfaserverst\x84rktem Kunststoff von Sch\x94"
                   "ck Bauteile GmbH (Zulassung Z-1.6-238 vom 8.7.2019)\n");
    if (lattice_girder)
        Write_Note(stream, out,
                   " Gittertr\x84ger: Synonym f\x81r Bewehrung mit f" SUB "yk" END " = 420 N/mm" SUP
                   "2" END " (weitere Informationen s. Handbuch)\n");

    if (left_margin > 0) OLI_setMarginsChar(stream, 1, 0, 0);
    if (keep_y_position) OLI_restoreYPosition(stream, 1);
    return out.Failed() ? 1 : 0;
}

char* Format_Material_Value(double value)
{
    static char cell[32];
    if (!(value >= 0.0)) {
        std::snprintf(cell, sizeof cell, "  --- ");
    } else if (value >= 100.0) {
        std::snprintf(cell, sizeof cell, " Block");
    } else if (formatNumber(cell, sizeof cell, value, 6, 2, 0, 0) < 0) {
        cell[0] = '\0';
    }
    return cell;
}

void Set_Free_Material_Values(Material_Set* set, int kind, int index, double a, double b,
                              double c, double d, double e, double f, double g)
{
    if (!set) return;
    if (kind == 0) {
        if (set->n_concrete < 1 || !set->concrete) return;
        Concrete_Record& r = set->concrete[0];
        r.fck = a;
        r.alpha_cc = (a >= 0.001) ? b / a : 0.0;
        r.value_2 = r.alpha_cc;
        r.eps_c2 = c;
        r.eps_cu = d;
        r.n_exp = e;
        r.e_modulus = f;
        r.fctm = g;
        r.fcd = 0.0;
        r.fcm = 0.0;
    } else if (kind == 1) {
        if (index < 0 || index >= set->n_steel || !set->steel) return;
        Steel_Record& r = set->steel[index];
        r.fyk_c = r.fyk = a;
        r.ftk = b;
        r.eps_uk = d;
        r.es = e;
        r.value_4 = 0.0;
        r.fyd = 0.0;
        r.ftd = 0.0;
    }
}
