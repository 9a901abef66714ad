#include "core/startup.h"

#include "base/alloc.h"
#include "base/component_files.h"
#include "base/version_text.h"
#include "core/corbel_calculation.h"
#include "core/corbel_model.h"
#include "core/position_file.h"
#include "platform/atomic_file.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "platform/paths.h"
#include "report/page_head.h"
#include "report/position_title.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The highest Pos-Id: the drawing's name holds it in four digits, and a longer or
// negative one would give the name of another position's drawing (B1 with 10001 and B11
// with 1 both B110001.SPF).
constexpr int POS_ID_MAX = 9999;

// One command-line number. A word that is not a number is refused: taking it as 0, or
// as the number it starts with ("1x", "0x10"), would silently name the files of another
// position; so is a number beyond the range given (by default that of an int, as a
// larger one would be cut to another one: 4294967297 to 1).
bool Parse_Int_Argument(const char* name, const char* text, int* value, long long lowest = INT_MIN,
                        long long highest = INT_MAX)
{
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0') return false;
    if (errno == ERANGE || number < lowest || number > highest) {
        std::fprintf(stderr, "Die %s \"%s\" liegt au\xC3\x9F" "erhalb des Bereichs von %lld bis %lld.\n", name, text,
                     lowest, highest);
        return false;
    }
    *value = static_cast<int>(number);
    return true;
}

// Standard input, output and error closed by whoever started us: each gets /dev/null, so
// that the files the run opens do not take their numbers and a message meant for
// standard error never lands in a report.
void Open_Missing_Standard_Streams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int opened = ::open("/dev/null", O_RDWR);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

// The program's version comes from EXEC's folder of the program: a report without it is
// said, with what is missing.
void Check_Program_Version(const char* exec)
{
    const char* const consequence = "die Druckliste erh\xE4lt keine Angabe der Programmversion";
    struct stat info;
    const std::string folder = Map_Path(exec);
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        Tell_File_Problem("Der Installationsordner", (folder + " (EXEC)").c_str(), "ist nicht vorhanden", consequence);
        return;
    }
    const char* directory = Get_Program_Directory_Name(CurOb_Application_Number());
    if (!directory) {
        const char* number = std::getenv("ZAV_APPLICATION_NUMBER");
        const std::string named = std::string("ZAV_APPLICATION_NUMBER=") + (number ? number : "");
        Tell_File_Problem("Die Umgebungsvariable", named.c_str(), "nennt kein Programm dieser Familie", consequence);
        return;
    }
    if (Get_Program_Version_Text(directory)) return;
    const std::string version = Map_Path(Program_Version_Path(exec, directory));
    Tell_File_Problem("Die Versionsdatei", version.c_str(), "kann nicht gelesen werden", consequence);
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
    Open_Missing_Standard_Streams();
    Fail_Writes_Beyond_File_Size_Limit();
    // Memory that runs out in the middle of the run ends it as every other allocation
    // failure does, with the run's exit code.
    std::set_new_handler(Abort_Out_Of_Memory);
    if (argc <= 4) return Print_Usage(argv[0]);

    // All three are checked before any file is touched.
    int icon_id = 0, pos_id = 0, file_number = 0;
    if (!Parse_Int_Argument("Icon-Id", argv[2], &icon_id) || !Parse_Int_Argument("File-Id", argv[3], &file_number) ||
        !Parse_Int_Argument("Pos-Id", argv[4], &pos_id, 0, POS_ID_MAX))
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

    // An empty EXEC names no folder at all: it counts as not set.
    const char* exec = std::getenv("EXEC");
    if (!exec || !*exec) {
        Tell_File_Problem("Die Umgebungsvariable", "EXEC", "ist nicht gesetzt",
                          "ohne das Installationsverzeichnis endet das Programm");
        return 0;
    }
    const char* private_path = CurOb_Privat_Datapath();
    if (!private_path) return 0;
    private_data_path = private_path;

    if (refresh_mode) {
        // The program's version is read below EXEC; a report without it is said.
        Check_Program_Version(exec);
        // Everything a refresh run has to say goes to standard error, also the notes of
        // the parts that write on standard output (the annexes, the message sink).
        std::fflush(stdout);
        ::dup2(STDERR_FILENO, STDOUT_FILENO);
        // A run ended from outside leaves no temporary report or drawing behind.
        Remove_Temporaries_On_Signals();
    }

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

    if (refresh_mode) return Run_Refresh();

    return CORBEL_RUN_INTERACTIVE;
}

int Run_Refresh()
{
    // Nothing is shown: a read error ends the run here (after saying on standard error
    // what could not be read); the report is written otherwise, and the run ends with
    // exit code 1 either way, as the environment expects. The input read is the one the
    // report and drawing are computed from: no other run changes it in between.
    const Position_Lock lock;
    if (Read_Position_Input()) Write_Corbel_Report();
    return 1;
}
