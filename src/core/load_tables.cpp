// The two load-combination tables of a corbel position: allocation, the block of the
// position file and the report section "Bemessungsgrößen".
#include "core/load_tables.h"

#include "base/alloc.h"
#include "base/component_files.h"
#include "core/corbel_model.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/page_head.h"
#include "report/report_layout.h"
#include "report/text_utils.h"
#include "report/verdicts.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

const int LOAD_TABLES_VERSION = 0;
// Characters of a name that the position file keeps.
const int FILE_NAME_LENGTH = 40;

// The bytes that end a token of "%s" in the "C" locale.
bool Is_Space_Byte(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool Valid_Table(int k) { return k == 0 || k == 1; }

// Rows of table k that really exist (0 without an array).
int Row_Count(const Corbel_Model* model, int k)
{
    if (!model->load_table[k] || model->load_count[k] < 1) return 0;
    return model->load_count[k];
}

// Makes sure the field is a terminated text, whatever was stored in it.
void Terminate_Name(Load_Combination& row) { row.name[sizeof(row.name) - 1] = '\0'; }

// Reads one whitespace-delimited name token: its first 40 characters go into the field,
// the rest of the token is dropped. A longer token is never written by the program; a
// damaged or hand-edited file must not overrun the field. false at the end of the file.
bool Read_Name_Token(FILE* stream, char* name)
{
    if (std::fscanf(stream, "%40s", name) != 1) return false;
    int c;
    while ((c = std::fgetc(stream)) != EOF && !Is_Space_Byte(c)) {
    }
    if (c != EOF) std::ungetc(c, stream);
    return true;
}

// Copy of a name for the report: white space as blanks, trimmed.
std::string Report_Name(const Load_Combination& row)
{
    char text[sizeof(row.name)];
    std::memcpy(text, row.name, sizeof(text));
    text[sizeof(text) - 1] = '\0';
    for (char* p = text; *p; ++p)
        if (Is_Space_Byte(static_cast<unsigned char>(*p))) *p = ' ';
    Trim_Blanks(text);
    return text;
}

struct Report_Units {
    double factor;
    const char* unit;    // in running text
    const char* column;  // column header of the table form
};

Report_Units Units_For(int unit_switch, int execution)
{
    bool per_metre = execution == EXECUTION_BEAM_END;
    if (unit_switch == LOAD_UNIT_KN_KNM || unit_switch == LOAD_UNIT_KN_KNCM)
        return per_metre ? Report_Units{0.001, "kN/m", "  kN/m"} : Report_Units{0.001, "kN", "  kN  "};
    if (unit_switch == LOAD_UNIT_N_NM)
        return per_metre ? Report_Units{1.0, "N/m", "  N/m "} : Report_Units{1.0, "N", "  N   "};
    return Report_Units{1.0, "", "      "};
}

struct Shown_Columns {
    bool A = false;
    bool H = false;
    int count() const { return (A ? 1 : 0) + (H ? 1 : 0); }
};

// Raises the column flags for the rows that are shown: of table 0 the significant rows
// only, of table 1 every row.
void Add_Columns(Shown_Columns& columns, const Load_Combination* rows, int n, double f, bool significant_only)
{
    for (int i = 0; i < n; ++i) {
        if (significant_only && !Is_Load_Nonzero(rows[i].A, rows[i].H)) continue;
        if (std::fabs(rows[i].A * f) > 0.01) columns.A = true;
        if (std::fabs(rows[i].H * f) > 0.01) columns.H = true;
    }
}

// The table block, written straight into the stream after the open paragraph block.
void Write_Table_Form(FILE* stream, const Load_Combination* rows, int n, bool significant_only,
                      const Shown_Columns& columns, const Report_Units& units)
{
    OLI_End_Text_Block(stream);
    std::fprintf(stream, "#SHOWTABLE\n0 0 0\n1 1 -1 -1 3\n4.4 4.6 %.1lf\n", columns.count() * 9.0 + 4.5);
    std::fprintf(stream, " Lk  ");
    if (columns.A) std::fprintf(stream, "     A" OLI_CTL "\\Ed" OLI_CTL "r ");
    if (columns.H) std::fprintf(stream, "     H" OLI_CTL "\\Ed" OLI_CTL "r ");
    std::fprintf(stream, "\n");
    std::fprintf(stream, "     ");
    for (int i = 0; i < columns.count(); ++i) std::fprintf(stream, "   %6s", units.column);
    std::fprintf(stream, "\n");
    for (int i = 0; i < n; ++i) {
        const Load_Combination& row = rows[i];
        if (significant_only && !Is_Load_Nonzero(row.A, row.H)) continue;
        std::fprintf(stream, " %-4d", i + 1);
        if (columns.A) OLI_Write_Cell_8_1(stream, row.A * units.factor);
        if (columns.H) OLI_Write_Cell_8_1(stream, row.H * units.factor);
        std::string name = Report_Name(row);
        if (!name.empty()) std::fprintf(stream, " %s", name.c_str());
        std::fprintf(stream, "\n");
    }
    std::fprintf(stream, "#END_OF_TEXT\n");
    OLI_setYPositionCM(stream, 1, -0.5f);
    OLI_setFlags(stream, 896);
}

// The list form: one line per shown row, the name (grey) on a line of its own.
void Write_List_Form(FILE* stream, const Load_Combination* rows, int n, bool significant_only,
                     const Shown_Columns& columns, const Report_Units& units)
{
    OLI_Set_Tab_Grid(2, 5.0);
    for (int i = 0; i < n; ++i) {
        const Load_Combination& row = rows[i];
        if (significant_only && !Is_Load_Nonzero(row.A, row.H)) continue;
        OLI_Printf(stream, "%sLk %d", report_line_prefix, i + 1);
        std::string name = Report_Name(row);
        if (name.empty()) {
            OLI_Printf(stream, ":");
        } else {
            std::fprintf(stream, ": " OLI_CTL "t%s\n", Colour_Text_Grey(name.c_str()));
            std::fprintf(stream, "%s", report_line_prefix);
        }
        OLI_Printf(stream, " " OLI_CTL "t");
        const char* separator = "";
        double a = row.A * units.factor;
        double h = row.H * units.factor;
        if (columns.A && std::fabs(a) > 0.01) {
            OLI_Printf(stream, "%sA" OLI_CTL "\\Ed" OLI_CTL "r = %.1lf %s", separator, a, units.unit);
            separator = ", ";
        }
        if (columns.H && std::fabs(h) > 0.01) {
            OLI_Printf(stream, "%sH" OLI_CTL "\\Ed" OLI_CTL "r = %.1lf %s", separator, h, units.unit);
            separator = ", ";
        }
        OLI_Printf(stream, "\n");
    }
    OLI_End_Text_Block(stream);
}

void Write_Table_Body(FILE* stream, const Load_Combination* rows, int n, bool significant_only,
                      const Shown_Columns& columns, const Report_Units& units)
{
    if (n > 4)
        Write_Table_Form(stream, rows, n, significant_only, columns, units);
    else
        Write_List_Form(stream, rows, n, significant_only, columns, units);
}

} // namespace

// ---------------------------------------------------------------------------------
// Tables

void Alloc_Load_Table(Corbel_Model* model, int count, int k)
{
    if (!model || !Valid_Table(k)) return;
    if (k == 0 && count < 1) count = 1;
    model->load_count[k] = count;
    if (!model->load_table[k] && count < 1) {
        model->load_table[k] = nullptr;
        return;
    }
    if (model->load_table[k]) {
        Mem_Free(__FILE__, __LINE__, "lasten_127", model->load_table[k]);
        model->load_table[k] = nullptr;
        if (count < 1) return;
    }
    void* block = Mem_Calloc(__FILE__, __LINE__, "lasten_127", static_cast<uint32_t>(count),
                             static_cast<uint32_t>(sizeof(Load_Combination)));
    if (!block) Abort_Out_Of_Memory();
    model->load_table[k] = static_cast<Load_Combination*>(block);
    for (int i = 0; i < count; ++i) std::strcpy(model->load_table[k][i].name, " ");
}

void Copy_Load_Combination(const Load_Combination* source, Load_Combination* destination)
{
    if (!source || !destination) return;
    if (source != destination) {
        std::memcpy(destination->name, source->name, sizeof(destination->name));
        destination->name[sizeof(destination->name) - 1] = '\0';
    }
    destination->H = source->H;
    destination->A = source->A;
}

int Load_Table_In_Use(const Corbel_Model* model, int k)
{
    if (!model || !Valid_Table(k)) return 0;
    int n = Row_Count(model, k);
    if (n == 0) return 0;
    if (k == 1) return n > 1 ? 1 : 0;
    for (int i = 0; i < n; ++i)
        if (Is_Load_Nonzero(model->load_table[0][i].A, model->load_table[0][i].H)) return 1;
    return 0;
}

// ---------------------------------------------------------------------------------
// Position-file block

int Write_Load_Tables(FILE* stream, Corbel_Model* model)
{
    if (!stream || !model) return 1;
    if (std::fprintf(stream, " %d\n", LOAD_TABLES_VERSION) < 0) return 1;
    if (std::fprintf(stream, " %d", model->unit_switch) < 0) return 1;
    for (int k = 0; k < 2; ++k) {
        int n = Row_Count(model, k);
        if (std::fprintf(stream, " %d\n", n) < 0) return 1;
        for (int i = 0; i < n; ++i) {
            Load_Combination& row = model->load_table[k][i];
            Terminate_Name(row);
            Pad_With_Blanks(row.name, FILE_NAME_LENGTH + 1);
            // Every white-space byte, not only the blank, would split the token when it is
            // read back; all of them are written as '~' and read back as blanks.
            for (char* p = row.name; *p; ++p)
                if (Is_Space_Byte(static_cast<unsigned char>(*p))) *p = '~';
            if (std::fprintf(stream, " %s\n", row.name) < 0) return 1;
            Replace_Tildes_With_Blanks(row.name);
            Trim_Blanks(row.name);
            if (std::fprintf(stream, " %lf %lf\n", row.H, row.A) < 0) return 1;
        }
    }
    return 0;
}

int Read_Load_Tables(FILE* stream, Corbel_Model* model)
{
    if (!stream || !model) return 1;
    int version = 0;
    if (!Scan_Int(stream, &version)) return 1;
    // This block always speaks of the input file, also during an import.
    if (!Check_File_Version(version, LOAD_TABLES_VERSION, 0)) return 1;
    if (!Scan_Int(stream, &model->unit_switch)) return 1;
    for (int k = 0; k < 2; ++k) {
        int count = 0;
        if (!Scan_Int(stream, &count)) return 1;
        // A damaged count must not become a request for gigabytes.
        if (count > LOAD_TABLE_MAX_ROWS) return 1;
        Alloc_Load_Table(model, count, k);
        int n = Row_Count(model, k);
        for (int i = 0; i < n; ++i) {
            Load_Combination& row = model->load_table[k][i];
            if (!Read_Name_Token(stream, row.name)) return 1;
            Replace_Tildes_With_Blanks(row.name);
            Trim_Blanks(row.name);
            if (std::fscanf(stream, "%lf%lf", &row.H, &row.A) != 2) return 1;
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------------
// Report

void Report_Load_Tables(Corbel_Model* model, FILE* stream)
{
    if (!model || !stream) return;
    bool with_fatigue_table = model->system == SYSTEM_LOAD_CORBEL && model->connection == CONNECTION_COLUMN &&
                              model->load_transfer == LOAD_TRANSFER_DIRECT &&
                              model->execution == EXECUTION_SINGLE && model->fatigue_check;
    int n0 = Row_Count(model, 0);
    int n1 = Row_Count(model, 1);
    const Load_Combination* rows0 = model->load_table[0];
    const Load_Combination* rows1 = model->load_table[1];
    if (n1 < 2 && (n0 == 0 || (n0 == 1 && !Is_Load_Nonzero(rows0[0].A, rows0[0].H)))) return;

    Report_Units units = Units_For(model->unit_switch, model->execution);
    OLI_End_Text_Block(stream);

    if (model->print_options.switches[EC2_PRINT_SKETCHES]) {
        // The sign sketch of the forces, placed to the right of the tables.
        double indent = OLI_Get_Text_Indent();
        OLI_storeYPosition(stream, 1);
        OLI_setMarginsCM(stream, 1, 14.0f, 0.0f);
        OLI_setYPositionCM(stream, 1, -0.5f);
        OLI_Write_Font_Glyph_Graphic(stream, "schnittgroessen", 3.0, 2.5);
        OLI_restoreYPosition(stream, 1);
        OLI_setMarginsCM(stream, 1, static_cast<float>(indent), 0.0f);
    }

    OLI_setFlags(stream, 640);
    OLI_Printf(stream, OLI_SEQ_EMPH "Bemessungsgr\x94\xE1" "en (GZT)\n");
    Shown_Columns columns;
    Add_Columns(columns, rows0, n0, units.factor, true);
    Write_Table_Body(stream, rows0, n0, true, columns, units);

    if (!with_fatigue_table) return;
    OLI_setFlags(stream, 640);
    OLI_Printf(stream, OLI_SEQ_EMPH "Bemessungsgr\x94\xE1" "en (Erm\x81" "dungsnachweis, GZG)\n");
    if (n1 == 0) {
        OLI_Set_Tab_Grid(2, 5.0);
        OLI_End_Text_Block(stream);
        return;
    }
    Add_Columns(columns, rows1, n1, units.factor, false);
    Write_Table_Body(stream, rows1, n1, false, columns, units);
}
