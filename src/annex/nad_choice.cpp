#include "annex/nad_choice.h"

#include "annex/app_profiles.h"
#include "annex/nad_file.h"
#include "annex/nad_sections.h"
#include "annex/nad_set.h"
#include "base/guillemet.h"
#include "base/keyword_lines.h"
#include "base/run_globals.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "platform/messages.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <limits>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const NAD_NAME_STANDARD = "EC-Standardparameter";
const char* const NAD_NAME_GERMANY = "Deutschland";
const char* const NAD_NAME_LOCAL = "lokale Definitionen";

std::vector<std::string> nad_list_names;
std::vector<int> nad_list_codes;
std::vector<int> nad_list_file_numbers;
int nad_list_count = 0;
std::vector<NAD_List_Duplicate> nad_list_duplicates;

std::string active_nad_name;
int active_nad_code = -1;

namespace {

// Whether the chosen name has been made the set in force. Building the list may choose
// "Deutschland" without loading it; the getters then load it before handing out values.
bool choice_applied = false;

NAD_Warning_Hook warning_hook = nullptr;
NAD_Selection_Hook selection_hook = nullptr;

void Add_Entry(const std::string& name, int code, int file_number)
{
    nad_list_names.push_back(name);
    nad_list_codes.push_back(code);
    nad_list_file_numbers.push_back(file_number);
    nad_list_count = static_cast<int>(nad_list_names.size());
}

void Choose(const std::string& name)
{
    active_nad_name = name;
    choice_applied = false;
}

// The number of a user annex file named "<n>.NAD" (as the list writes it: no sign, no
// leading zero; the extension in any case), else 0.
int User_File_Number(const char* file_name)
{
    const char* dot = std::strchr(file_name, '.');
    if (!dot || dot == file_name || file_name[0] == '0') return 0;
    for (const char* p = file_name; p != dot; ++p)
        if (*p < '0' || *p > '9') return 0;
    if (strcasecmp(dot, ".NAD") != 0) return 0;
    errno = 0;
    long n = std::strtol(file_name, nullptr, 10);
    if (errno != 0 || n < 1 || n > 2147483647L) return 0;
    return static_cast<int>(n);
}

// Every user annex file number in %DRAM%\NADS, ascending: of every entry so named,
// whatever it is (a pipe, a folder, a link that leads nowhere or in a circle), so that
// the list says it cannot read it and no new annex is ever given its name.
std::vector<int> User_File_Numbers(const std::string& dram)
{
    std::vector<int> numbers;
    if (DIR* directory = ::opendir(Map_Path(dram + "\\NADS").c_str())) {
        while (const dirent* entry = ::readdir(directory))
            if (int n = User_File_Number(entry->d_name)) numbers.push_back(n);
        ::closedir(directory);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

// The files the last list build left out: each path with what is wrong with it.
std::vector<std::pair<std::string, std::string>> left_out_files;

// The folder of the user's annexes when the last list build could not look into it (with
// the errno): the annexes it holds are then unknown, not missing.
std::string hidden_folder;
int hidden_folder_error = 0;

// Whether the folder of the user's annexes can be listed and its files reached. A folder
// that is not there, or a file in its place, holds no annex (and is said where it should
// have been made).
int User_Folder_Error(const std::string& folder)
{
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) return errno == ENOENT || errno == ENOTDIR ? 0 : errno;
    ::closedir(directory);
    return ::access(folder.c_str(), X_OK) == 0 ? 0 : errno;
}

// Appends the entry of user file n: code and name from its header. A file whose header
// cannot be read is left out (and left as it is); a file with a name that is listed
// already is noted as a duplicate.
void Add_User_File(const std::string& dram, int n)
{
    const std::string path = NAD_User_File_Path(dram.c_str(), n);
    int code = 0;
    std::string name;
    const std::string problem = NAD_Read_File_Header(path, code, name);
    if (!problem.empty()) {
        left_out_files.emplace_back(Map_Path(path), problem);
        return;
    }
    if (NAD_List_Index(name) >= 0)
        nad_list_duplicates.push_back({name, code, n});
    else
        Add_Entry(name, code, n);
}

// The name of the set whose values are in force: the chosen name, or the built-in annex
// that stands in for a chosen annex whose file was refused.
std::string values_name;

// Tells the user that the file of the chosen annex was refused and whose values are used.
void Report_Refused_File(const std::string& name, const NAD_Load_Problem& problem)
{
    NAD_Tell({"Der nationale Anhang \"" + name + "\" wird nicht verwendet:", "die Datei", problem.path,
              problem.problem + ";", "es gelten die Werte von \"" + values_name + "\"."},
             2);
}

// Tells the user, once, that the annex's file lacks parts the design does not read and
// that these parts keep the built-in standard values.
void Report_Reset_Parts(const std::string& name, const NAD_Load_Problem& problem)
{
    const bool one = problem.reset_parts.size() == 1;
    NAD_Tell_Once({"Der nationale Anhang \"" + name + "\" wird verwendet:", "die Datei", problem.path,
                   "ist unvollst\xE4ndig: " + NAD_Missing_Parts_Clause(problem.reset_parts) + ";",
                   std::string(one ? "f\xFCr diesen Teil" : "f\xFCr diese Teile") + " gelten die Werte von \"" +
                       NAD_NAME_STANDARD + "\"."},
                  2);
}

// Tells the user that the EN 1991 tables of the annex could not be read whole.
void Report_Incomplete_Tables(const std::string& name, const std::string& parts)
{
    NAD_Tell({"Die Tabellen des nationalen Anhangs \"" + name + "\"",
              "sind unvollst\xE4ndig (" + parts + "):", "fehlende Werte sind die Standardparameter."});
}

// Makes sure a choice exists and is in force (the getters' first steps).
void Ensure_Choice()
{
    if (active_nad_name.empty()) {
        NAD_Build_List();
        Choose(NAD_NAME_GERMANY);
    }
    if (!choice_applied) NAD_Apply_Active();
    if (!active_nad_set_filled) NAD_Fill_Builtin_Defaults();
}

NAD_Set& Set_In_Force()
{
    NAD_Scan_App_Profiles();
    Ensure_Choice();
    return active_nad_set;
}

void Selection_Stand_In()
{
    // Without a sheet nothing can be picked: leave it as a cancelled sheet does.
    NAD_Build_List();
    std::string kept = active_nad_name;
    Choose(kept);
    NAD_Apply_Active();
}

} // namespace

void NAD_Build_List()
{
    Safeguard_Proper_Version();

    nad_list_names.clear();
    nad_list_codes.clear();
    nad_list_file_numbers.clear();
    nad_list_count = 0;
    nad_list_duplicates.clear();
    left_out_files.clear();
    hidden_folder.clear();
    hidden_folder_error = 0;
    Add_Entry(NAD_NAME_STANDARD, NAD_CODE_STANDARD, 0);
    Add_Entry(NAD_NAME_GERMANY, NAD_CODE_GERMANY, 0);

    if (const char* dram = ZAVGetEnv("DRAM")) {
        const std::string folder = Map_Path(std::string(dram) + "\\NADS");
        if ((hidden_folder_error = User_Folder_Error(folder)) != 0) hidden_folder = folder;
        for (int n : User_File_Numbers(dram)) Add_User_File(dram, n);
    }
    if (active_nad_name.empty()) Choose(NAD_NAME_GERMANY);
}

void NAD_Tell_Left_Out_Files()
{
    if (hidden_folder_error != 0)
        NAD_Tell_Once({"Der Ordner der eigenen nationalen Anh\xE4nge", hidden_folder,
                       std::string("kann nicht gelesen werden: ") + German_Error_Text(hidden_folder_error) + ";",
                       "seine Anh\xE4nge werden in der Liste der nationalen Anh\xE4nge nicht aufgef\xFChrt."},
                      1);
    for (const auto& [path, problem] : left_out_files)
        NAD_Tell_Once({"Die Datei", path, problem + ";",
                       "sie wird in der Liste der nationalen Anh\xE4nge nicht aufgef\xFChrt und bleibt unver\xE4ndert."},
                      1);
}

int NAD_List_Index(const std::string& name)
{
    const auto at = std::find(nad_list_names.begin(), nad_list_names.end(), name);
    return at == nad_list_names.end() ? -1 : static_cast<int>(at - nad_list_names.begin());
}

int NAD_List_File_Number(const std::string& name)
{
    const int k = NAD_List_Index(name);
    return k < 0 ? -1 : nad_list_file_numbers[static_cast<size_t>(k)];
}

void NAD_Follow_List_Entry(std::string& name, int file_number)
{
    if (file_number <= 0) return;
    const auto at = std::find(nad_list_file_numbers.begin(), nad_list_file_numbers.end(), file_number);
    if (at != nad_list_file_numbers.end()) name = nad_list_names[static_cast<size_t>(at - nad_list_file_numbers.begin())];
}

int NAD_New_User_File_Number()
{
    const char* dram = ZAVGetEnv("DRAM");
    if (!dram || !*dram) return 0;
    // Every numbered file counts, listed or not: a damaged or doubled file keeps its
    // number, and nothing is ever written over it.
    const std::vector<int> used = User_File_Numbers(dram);
    int n = 1;
    if (!used.empty() && used.back() < std::numeric_limits<int>::max()) {
        n = used.back() + 1;
    } else {
        for (int u : used) {
            if (u != n) break;
            ++n;
        }
    }
    // Nothing at all in the new file's place: not a folder, nor a link, also one that
    // leads nowhere (a save would replace it) or in a circle.
    struct stat info;
    while (n < std::numeric_limits<int>::max() && ::lstat(Map_Path(NAD_User_File_Path(dram, n)).c_str(), &info) == 0)
        ++n;
    return n;
}

void NAD_Apply_Active()
{
    if (nad_list_count < 2) NAD_Build_List();

    int file_number = 0;
    const char* file_name = NAD_FILE_GERMANY;
    if (const int k = NAD_List_Index(active_nad_name); k >= 0) {
        const size_t i = static_cast<size_t>(k);
        active_nad_code = nad_list_codes[i];
        file_number = nad_list_file_numbers[i];
        file_name = file_number != 0 ? nullptr : (i == 0 ? NAD_FILE_STANDARD : NAD_FILE_GERMANY);
    } else {
        active_nad_name = NAD_NAME_GERMANY;
        active_nad_code = nad_list_codes[1];
    }
    choice_applied = true;
    values_name = active_nad_name;

    NAD_Fill_Builtin_Defaults();
    if (!NAD_Load_Set(file_number, file_name, &active_nad_set)) {
        // A user annex whose file is damaged or gone: its values are not guessed at. The
        // built-in annex it most likely was made from stands in (the German one unless
        // its header says the German rules do not apply), and the report names that one.
        const NAD_Load_Problem problem = NAD_Last_Load_Problem();
        const bool germany = problem.german_rules;
        values_name = germany ? NAD_NAME_GERMANY : NAD_NAME_STANDARD;
        active_nad_code = germany ? NAD_CODE_GERMANY : NAD_CODE_STANDARD;
        NAD_Fill_Builtin_Defaults();
        NAD_Load_Set(0, germany ? NAD_FILE_GERMANY : NAD_FILE_STANDARD, &active_nad_set);
        Report_Refused_File(active_nad_name, problem);
        return;
    }
    if (!NAD_Last_Load_Problem().reset_parts.empty()) Report_Reset_Parts(active_nad_name, NAD_Last_Load_Problem());
    if (NAD_Read_Failure_Count() > 0) Report_Incomplete_Tables(active_nad_name, NAD_Read_Failure_Parts());
}

void NAD_Select_By_Name(const char* name)
{
    // The name may be the chosen name itself, which the next step replaces.
    const bool given = name != nullptr;
    const std::string stored = given ? name : "";

    NAD_Build_List();
    active_nad_name.clear();
    if (!given) {
        Choose(NAD_NAME_GERMANY);
        NAD_Apply_Active();
        return;
    }
    const bool local = stored == NAD_NAME_LOCAL;
    Choose(local ? NAD_NAME_GERMANY : stored);
    NAD_Apply_Active();
    if (local || active_nad_name == stored) return;

    // The stored annex may be in a file the list could not read.
    NAD_Tell_Left_Out_Files();
    if (refresh_mode) {
        // In a folder that cannot be read the annex is not missing: it cannot be read.
        const char* const outcome = hidden_folder_error != 0 ? "\" kann nicht gelesen werden" : "\" nicht gefunden";
        NAD_Tell({"Nationaler Anhang \"" + stored + outcome + ", es gilt \"" + active_nad_name + "\"."});
        return;
    }
    const std::string in_force = active_nad_name;
    NAD_Warning_Hook hook = warning_hook ? warning_hook : NAD_Show_Name_Warning;
    if (hook(stored.c_str(), in_force.c_str())) NAD_Open_Selection_Sheet();
}

void NAD_Read_Active_Name(FILE* stream)
{
    if (stream && Find_Keyword_Line("ACTIV_NADNAME", stream, nullptr)) {
        char name[ZXP_STRING_SIZE];
        if (ZXP_Read_String(stream, name) >= 1) {
            NAD_Select_By_Name(name);
            return;
        }
    }
    NAD_Build_List();
    Choose(NAD_NAME_GERMANY);
    NAD_Apply_Active();
}

void NAD_Write_Active_Name(FILE* stream)
{
    if (!stream) return;
    Ensure_Choice();
    std::fputs("\n\nACTIV_NADNAME\n", stream);
    ZXP_Write_String(stream, active_nad_name.c_str());
    std::fputs("\n", stream);
}

void NAD_Save_Choice(FILE* stream, int) { NAD_Write_Active_Name(stream); }

void NAD_Open_Selection_Sheet()
{
    if (refresh_mode) return;
    if (selection_hook)
        selection_hook();
    else
        Selection_Stand_In();
}

const char* NAD_Get_Active_Name()
{
    NAD_Scan_App_Profiles();
    Ensure_Choice();
    return values_name.c_str();
}

const char* NAD_Get_Display_Name()
{
    static std::string display;
    NAD_Scan_App_Profiles();
    Ensure_Choice();
    display = values_name;
    if (display != NAD_NAME_GERMANY && display != NAD_NAME_STANDARD) display += " (benutzerdefiniert)";
    return display.c_str();
}

int NAD_Get_Active_Code()
{
    NAD_Scan_App_Profiles();
    Ensure_Choice();
    return active_nad_code;
}

NAD_EC0_Params* NAD_Get_EC0_Params() { return &Set_In_Force().ec0; }
NAD_EC1_Tables* NAD_Get_EC1_Tables() { return &Set_In_Force().ec1; }
NAD_EC2_Params* NAD_Get_EC2_Params() { return &Set_In_Force().ec2; }
NAD_EC3_Params* NAD_Get_EC3_Params() { return &Set_In_Force().ec3; }
NAD_EC5_Params* NAD_Get_EC5_Params() { return &Set_In_Force().ec5; }
NAD_EC6_Params* NAD_Get_EC6_Params() { return &Set_In_Force().ec6; }
NAD_EC9_Params* NAD_Get_EC9_Params() { return &Set_In_Force().ec9; }
int NAD_Get_NA_DE_Flag() { return Set_In_Force().na_de_flag; }

void NAD_Set_Warning_Hook(NAD_Warning_Hook hook) { warning_hook = hook; }
void NAD_Set_Selection_Hook(NAD_Selection_Hook hook) { selection_hook = hook; }

int NAD_Show_Name_Warning(const char* stored_name, const char* name_in_force)
{
    // The texts of the warning sheet (code page 850).
    Init_Message();
    Set_Message_Title("Warnung");
    Fill_Message("Das mit dem Programm verkn\x81pfte NAD");
    Fill_Message(stored_name ? stored_name : "");
    Fill_Message("kann nicht gefunden werden.");
    Fill_Message("Um die Stabilit\x84t des Programms zu");
    Fill_Message("gew\x84hrleisten, wird auf das NAD");
    Fill_Message(name_in_force ? name_in_force : "");
    Fill_Message("umgeschaltet. Wenn Sie dies");
    Fill_Message("nicht w\x81nschen, w\x84hlen Sie");
    Fill_Message("bitte ein anderes NAD aus.");
    Draw_Message();
    return 0;
}

void NAD_Forget_Choice()
{
    nad_list_names.clear();
    nad_list_codes.clear();
    nad_list_file_numbers.clear();
    nad_list_count = 0;
    nad_list_duplicates.clear();
    left_out_files.clear();
    hidden_folder.clear();
    hidden_folder_error = 0;
    active_nad_name.clear();
    values_name.clear();
    active_nad_code = -1;
    choice_applied = false;
    NAD_Forget_Active_Set();
}
