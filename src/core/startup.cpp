#include "core/startup.h"

#include "base/alloc.h"
#include "base/component_files.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/position_file.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "report/position_title.h"

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One command-line number. A word that does not start with a number is refused: taking
// it as 0 would silently name the files of another position.
bool Parse_Int_Argument(const char* text, int* value)
{
    return std::sscanf(text, "%d", value) == 1;
}

// Whether the first word of the argument is "-refresh" (the rest is ignored).
bool Is_Refresh_Argument(const char* text)
{
    while (*text && std::isspace(static_cast<unsigned char>(*text))) ++text;
    static const char word[] = "-refresh";
    const size_t n = sizeof word - 1;
    return std::strncmp(text, word, n) == 0 &&
           (text[n] == '\0' || std::isspace(static_cast<unsigned char>(text[n])));
}

std::string Format_Suffix(const char* format, int number)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, format, number);
    return buf;
}

int Print_Usage(const char* program)
{
    std::printf("usage: %s Bauteilkennung Icon-Id File-Id Pos-Id\n", program ? program : "");
    return 0;
}

} // namespace

int Start_Corbel_Run(int argc, char** argv)
{
    // A file-size limit must fail the write (EFBIG), which is said and leaves no
    // temporary file behind, instead of killing the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc <= 4) return Print_Usage(argv[0]);

    int icon_id = 0, pos_id = 0, file_number = 0;
    if (!Parse_Int_Argument(argv[2], &icon_id) || !Parse_Int_Argument(argv[3], &file_number) ||
        !Parse_Int_Argument(argv[4], &pos_id))
        return Print_Usage(argv[0]);

    component_id = argv[1];
    file_id = file_number;
    if (argc > 5 && Is_Refresh_Argument(argv[5])) refresh_mode = 1;

    Set_Component_Path(component_id.c_str());

    inp_file_name = Format_Suffix("_%02d.INP", file_id);
    oli_file_name = Format_Suffix("_%02d.OLI", file_id);
    txt_file_name = Format_Suffix("_%02d.TXT", file_id);
    spf_file_name = component_id + Format_Suffix("%04d.SPF", pos_id);

    Load_Position_Title(component_id.c_str());

    // Without an installation folder there is nothing to run with; the environment expects
    // exit code 0, the user a word why nothing happened.
    const char* exec = std::getenv("EXEC");
    const char* private_path = exec ? CurOb_Privat_Datapath() : nullptr;
    if (!exec || !private_path) {
        Tell_File_Problem("Die Umgebungsvariable", "EXEC", "ist nicht gesetzt",
                          "ohne Installationsordner endet das Programm ohne Bearbeitung");
        return 0;
    }
    private_data_path = private_path;
    // The program's version is read below EXEC; the report goes without it.
    if (!*exec && refresh_mode)
        Tell_File_Problem("Die Umgebungsvariable", "EXEC", "ist leer",
                          "die Druckliste erh\xE4lt keine Angabe der Programmversion");

    Install_Stdio_And_Mouse_Wheel();

    // The model starts without tables and results, so that the first clearing or reading
    // frees nothing. (Only a second start-up inside one process finds blocks to give back.)
    for (int k = 0; k < 2; ++k) {
        if (corbel_model.load_table[k]) MEM_FREE(corbel_model.load_table[k]);
        corbel_model.load_table[k] = nullptr;
        corbel_model.load_count[k] = 0;
    }
    if (corbel_model.results) MEM_FREE(corbel_model.results);
    corbel_model.results = nullptr;

    if (refresh_mode) {
        // Nothing is shown: a read error ends the run here with exit code 1 (after saying
        // on standard error what could not be read); the report is written otherwise,
        // and the run ends with exit code 1 either way, as the environment expects.
        Read_Position_Input();
        Write_Corbel_Report();
        return 1;
    }

    return CORBEL_RUN_INTERACTIVE;
}
