// Writes the example position B1_01 into a directory (examples/ in the source tree): the
// position input "B1_01.INP", made by the program's own writer from a new position with
// its defaults and several load combinations, and the position text "B1_01.TXT" with the
// position number and title.
//
//   make_example_position <directory>
#include "annex/nad_choice.h"
#include "core/corbel_model.h"
#include "core/load_tables.h"
#include "core/position_file.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Example_Row {
    const char* name;
    double A_kN;
    double H_kN;
};

// Design forces of the ultimate limit state: a precast beam on a column corbel.
const Example_Row uls_rows[] = {
    {"Eigengewicht + Nutzlast", 420.0, 84.0},
    {"Eigengewicht + Schnee", 365.0, 73.0},
    {"Eigengewicht + Nutzlast + Wind", 398.0, 110.0},
    {"nur Eigengewicht", 245.0, 49.0},
};

// Forces for the fatigue and serviceability checks (upper and lower level).
const Example_Row sls_rows[] = {
    {"Oberlast", 280.0, 56.0},
    {"Unterlast", 170.0, 34.0},
};

template <size_t N>
void Fill_Table(int k, const Example_Row (&rows)[N])
{
    Alloc_Load_Table(&corbel_model, static_cast<int>(N), k);
    for (size_t i = 0; i < N; ++i) {
        Load_Combination& row = corbel_model.load_table[k][i];
        std::snprintf(row.name, sizeof row.name, "%s", rows[i].name);
        row.A = rows[i].A_kN * 1000.0;  // the tables keep N
        row.H = rows[i].H_kN * 1000.0;
    }
}

bool Write_Text_File(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s directory\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];

    Set_Corbel_Defaults(&corbel_model);
    Fill_Table(0, uls_rows);
    Fill_Table(1, sls_rows);
    Alloc_Load_Case_Results(&corbel_model);
    Check_Corbel_Model(&corbel_model, nullptr, 0, 0);

    const std::string inp = directory + "/B1_01.INP";
    FILE* f = std::fopen(inp.c_str(), "w");
    if (!f) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], inp.c_str());
        return 1;
    }
    bool ok = Write_Corbel_Model(f, &corbel_model) == 0;
    NAD_Write_Active_Name(f);
    if (std::ferror(f)) ok = false;
    if (std::fclose(f) != 0) ok = false;
    if (!ok) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], inp.c_str());
        return 1;
    }
    std::printf("%s\n", inp.c_str());

    const std::string txt = directory + "/B1_01.TXT";
    if (!Write_Text_File(txt, "1.01:Konsole an Innenstuetze Achse B/3\n")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], txt.c_str());
        return 1;
    }
    std::printf("%s\n", txt.c_str());
    return 0;
}
