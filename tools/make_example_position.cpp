// Writes the example positions of component B1 into a directory (examples/ in the source
// tree), each as the position input "B1_NN.INP", made by the program's own writer from a
// new position with its defaults and the changes listed below, and the position text
// "B1_NN.TXT" with the position number and title:
//
//   B1_01  single load corbel on a column, chosen bars, results as a table
//   B1_02  support corbel under a beam, no bars chosen, standard detail
//   B1_03  beam-end corbel at a slab, minimal detail
//   B1_04  load corbel on a column with the fatigue check and chosen bars, full detail
//   B1_05  a load position outside the corbel: the data check fails
//
//   make_example_position <directory>
#include "annex/nad_choice.h"
#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "core/position_file.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Example_Row {
    const char* name;
    double A_kN;
    double H_kN;
};

// Design forces of the ultimate limit state: a precast beam on a column corbel.
const std::vector<Example_Row> column_uls_rows = {
    {"Eigengewicht + Nutzlast", 420.0, 84.0},
    {"Eigengewicht + Schnee", 365.0, 73.0},
    {"Eigengewicht + Nutzlast + Wind", 398.0, 110.0},
    {"nur Eigengewicht", 245.0, 49.0},
};

// Forces for the fatigue and serviceability checks (upper and lower level).
const std::vector<Example_Row> column_sls_rows = {
    {"Oberlast", 280.0, 56.0},
    {"Unterlast", 170.0, 34.0},
};

void Fill_Table(int k, const std::vector<Example_Row>& rows)
{
    Alloc_Load_Table(&corbel_model, static_cast<int>(rows.size()), k);
    for (size_t i = 0; i < rows.size(); ++i) {
        Load_Combination& row = corbel_model.load_table[k][i];
        std::snprintf(row.name, sizeof row.name, "%s", rows[i].name);
        row.A = rows[i].A_kN * 1000.0;  // the tables keep N
        row.H = rows[i].H_kN * 1000.0;
    }
}

void Set_Detail_Level(int level) { corbel_model.print_options.switches[EC2_PRINT_DETAIL_LEVEL] = level; }

// The single load corbel on a column of a new position.
void Column_Corbel()
{
    Fill_Table(0, column_uls_rows);
    Fill_Table(1, column_sls_rows);
}

// A support corbel at the end of a beam, carrying the end of a secondary beam.
void Support_Corbel()
{
    Corbel_Model& m = corbel_model;
    m.system = SYSTEM_SUPPORT_CORBEL;
    m.connection = CONNECTION_BEAM;
    m.rebar_chosen = 0;
    m.b = 30.0;
    m.h = 70.0;
    m.d1 = 5.0;
    m.hk = 35.0;
    m.d1k = 5.0;
    m.lk = 25.0;
    m.lp = 10.0;
    m.bp = 20.0;
    m.load_a = 12.5;
    m.load_height = 0.0;
    m.method = 0;
    Set_Detail_Level(1);
    Fill_Table(0, {{"Volllast", 260.0, 26.0}, {"Eigengewicht", 150.0, 15.0}});
}

// A beam-end corbel ("Trägerkonsole") at a slab: the corbel runs along the slab's edge.
void Beam_End_Corbel_At_Slab()
{
    Corbel_Model& m = corbel_model;
    m.execution = EXECUTION_BEAM_END;
    m.connection = CONNECTION_BEAM;
    m.at_slab = 1;
    m.rebar_chosen = 0;
    m.b = 40.0;
    m.h = 60.0;
    m.d1 = 5.0;
    m.e1 = 5.0;
    m.beam_height = 24.0;
    m.lk = 20.0;
    m.hk = 30.0;
    m.d1k = 4.0;
    m.lp = 10.0;
    m.bp = 100.0;
    m.load_a = 10.0;
    m.load_height = 0.0;
    m.method = 1;
    Set_Detail_Level(0);
    Fill_Table(0, {{"Fertigteilplatten, Volllast", 95.0, 9.5}, {"Montagezustand", 40.0, 4.0}});
}

// The column corbel with the simplified fatigue check and its bars; every step written.
void Fatigue_Corbel()
{
    Corbel_Model& m = corbel_model;
    m.fatigue_check = 1;
    m.stress_range = 70.0;
    m.first_loading = 28.0;
    m.print_options.switches[EC2_PRINT_INTERMEDIATE] = 1;
    m.print_options.switches[EC2_PRINT_ANNEX] = 1;
    Set_Detail_Level(2);
    Fill_Table(0, {{"Kranbahn, Volllast", 350.0, 70.0}, {"Kranbahn, leer", 180.0, 36.0}});
    Fill_Table(1, {{"Oberlast", 260.0, 52.0}, {"Unterlast", 120.0, 24.0}, {"Leerlast", 90.0, 18.0}});
}

// The load stands beyond the corbel's end: the data check refuses the position.
void Input_Error()
{
    Corbel_Model& m = corbel_model;
    m.lk = 30.0;
    m.load_a = 35.0;
    m.lp = 0.0;
    m.bp = 0.0;
    Set_Detail_Level(1);
    Fill_Table(0, {{"Volllast", 300.0, 60.0}});
}

struct Example {
    int file_id;
    const char* position_text;  // "<number>:<title>"
    void (*make)();
};

const Example examples[] = {
    {1, "1.01:Konsole an Innenstuetze Achse B/3\n", Column_Corbel},
    {2, "1.02:Auflagerkonsole Unterzug U4\n", Support_Corbel},
    {3, "1.03:Traegerkonsole am Deckenrand Achse 7\n", Beam_End_Corbel_At_Slab},
    {4, "1.04:Kranbahnkonsole mit Ermuedungsnachweis\n", Fatigue_Corbel},
    {5, "1.05:Konsole mit Eingabefehler\n", Input_Error},
};

bool Write_Text_File(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

bool Write_Example(const std::string& directory, const Example& example, const char* program)
{
    Set_Corbel_Defaults(&corbel_model);
    example.make();
    Alloc_Load_Case_Results(&corbel_model);
    Check_Corbel_Model(&corbel_model, nullptr, 0, 0);

    char stem[32];
    std::snprintf(stem, sizeof stem, "/B1_%02d", example.file_id);
    const std::string inp = directory + stem + ".INP";
    FILE* f = std::fopen(inp.c_str(), "w");
    bool ok = f != nullptr;
    if (f) {
        ok = Write_Corbel_Model(f, &corbel_model) == 0;
        NAD_Write_Active_Name(f);
        if (std::ferror(f)) ok = false;
        if (std::fclose(f) != 0) ok = false;
    }
    if (!ok) {
        std::fprintf(stderr, "%s: cannot write %s\n", program, inp.c_str());
        return false;
    }
    std::printf("%s\n", inp.c_str());

    const std::string txt = directory + stem + ".TXT";
    if (!Write_Text_File(txt, example.position_text)) {
        std::fprintf(stderr, "%s: cannot write %s\n", program, txt.c_str());
        return false;
    }
    std::printf("%s\n", txt.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s directory\n", argv[0]);
        return 2;
    }
    for (const Example& example : examples)
        if (!Write_Example(argv[1], example, argv[0])) return 1;
    return 0;
}
