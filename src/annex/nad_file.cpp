#include "annex/nad_file.h"

#include "annex/nad_choice.h"
#include "annex/nad_sections.h"
#include "annex/nad_set.h"
#include "base/guillemet.h"
#include "base/keyword_lines.h"
#include "base/run_globals.h"
#include "base/text_lines.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "platform/messages.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

NAD_Set german_nad_set;
int german_nad_set_loaded = 0;

const char* const NAD_FILE_STANDARD = "Standard";
const char* const NAD_FILE_GERMANY = "Deutschland";

namespace {

// The value of an environment variable that names a directory; null when it is not set or
// empty (an empty directory would put the files at the root of the file system).
const char* Directory_Variable(const char* name)
{
    const char* value = ZAVGetEnv(name);
    return (value && *value) ? value : nullptr;
}


// EN 1995 under the German annex: every rule switch on its German rule.
void Germany_EC5(NAD_EC5_Params& p)
{
    NAD_EC5_Defaults(&p);
    p.na_de_flag = 1;
    p.load_duration_table = 1;
    p.penetration_depth_rule = 1;
    p.kmod_table = 1;
    p.profiled_nail_table = 1;
    p.threaded_rods = 1;
    p.lateral_torsional_buckling = 1;
    p.fasteners_simplified = 1;
    p.crack_factor_method = 2;
    p.net_deflection_combination = 2;
    p.wall_diaphragm_reduction = 1;
    p.sill_pressure_increase = 1;
    p.tension_joints = 1;
    p.steel_part_drilling = 1;
    p.k_shape_factor = 0.05;
    p.k_shape_max = 1.3;
}

// Reads the compiled-in content of a built-in annex file over the set; false when the
// name is not one of the two built-in file names.
bool Read_Builtin_Content(const char* file_name, NAD_Set* set)
{
    std::string text;
    if (!NAD_Builtin_File_Text(file_name, text) || text.empty()) return false;
    FILE* stream = fmemopen(text.data(), text.size(), "r");
    if (!stream) return false;
    const int ok = NAD_Read_Set(stream, set);
    std::fclose(stream);
    return ok != 0;
}

bool Is_Builtin_File_Name(const char* name)
{
    return name && (std::strcmp(name, NAD_FILE_STANDARD) == 0 ||
                    std::strcmp(name, NAD_FILE_GERMANY) == 0);
}

// Reads an annex name as ZXP_Read_String does (white space skipped, the text between 0xAE
// and 0xAF, at most 99 characters kept), but never past the end of its line: a name
// whose closing byte is missing ends there, and the line end is left unread. Without
// that limit such a name swallows the lines behind it, section tags included, and the
// writer would put them back inside the name, where the next read finds a tag first.
// False when the name has no closing byte on its line; a field without an opening byte
// gives an empty name, its byte consumed, as the general reader does.
bool Read_Name_On_Line(FILE* stream, std::string& name)
{
    name.clear();
    int c;
    do {
        c = std::fgetc(stream);
    } while (c == ' ' || c == '\t' || c == '\r' || c == '\n');
    if (c != GUILLEMET_OPEN) return c != EOF;
    // A zero byte ends the text, as it ends the text the writer is given.
    const auto end = [&name](bool closed) {
        name.resize(std::strlen(name.c_str()));
        return closed;
    };
    for (;;) {
        c = std::fgetc(stream);
        if (c == GUILLEMET_CLOSE) return end(true);
        if (c == EOF) return end(false);
        if (c == '\r' || c == '\n') {
            std::ungetc(c, stream);
            return end(false);
        }
        if (name.size() < static_cast<size_t>(ZXP_STRING_SIZE - 1)) name += static_cast<char>(c);
    }
}

// The name as the file can hold it: the delimiters and line ends become blanks.
std::string Name_For_File(std::string name)
{
    for (char& c : name) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b == GUILLEMET_OPEN || b == GUILLEMET_CLOSE || b == '\r' || b == '\n') c = ' ';
    }
    return name;
}

NAD_Load_Problem last_load_problem;

// Parts in German: "EC2", "EC2 und EC5", "EC2, EC3 und EC5".
std::string Listed(const std::vector<std::string>& parts)
{
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " und " : ", ") + parts[i];
    return text;
}

// What the part readers found damaged, as the clauses of a sentence that follow the words
// that the file is damaged (code page 1252).
std::string Damage_Text()
{
    bool head = false;
    std::vector<std::string> unreadable, missing;
    const std::string gone = " fehlt";
    for (const std::string& part : NAD_Read_Failure_List()) {
        std::vector<std::string>* list = &unreadable;
        std::string name = part;
        if (part == "NAD") {
            head = true;
            continue;
        }
        if (name.size() > gone.size() && name.compare(name.size() - gone.size(), gone.size(), gone) == 0) {
            name.erase(name.size() - gone.size());
            list = &missing;
        }
        if (std::find(list->begin(), list->end(), name) == list->end()) list->push_back(name);
    }
    std::vector<std::string> clauses;
    if (head) clauses.push_back("ihr Kopf (Name und Kennung) ist nicht lesbar");
    if (!unreadable.empty())
        clauses.push_back(unreadable.size() == 1 ? "der Teil " + unreadable[0] + " ist nicht lesbar"
                                                 : "die Teile " + Listed(unreadable) + " sind nicht lesbar");
    if (!missing.empty()) clauses.push_back(NAD_Missing_Parts_Clause(missing));
    std::string text;
    for (size_t i = 0; i < clauses.size(); ++i) text += (i == 0 ? "" : ", ") + clauses[i];
    return text;
}

// The parts whose sections a user file may lack: the corbel's design reads only EN 1990
// and EN 1992 from the file, so without the others it designs with the values the file
// holds. Their part keeps the values of the reset.
bool Part_May_Be_Missing(const std::string& part)
{
    return part == "EC3" || part == "EC5" || part == "EC6" || part == "EC9";
}

// The parts noted missing when every failure of the read is such a part's missing
// section; empty otherwise (then the file is damaged as a whole).
std::vector<std::string> Only_Parts_That_May_Be_Missing()
{
    const std::string gone = " fehlt";
    std::vector<std::string> parts;
    for (const std::string& failure : NAD_Read_Failure_List()) {
        const bool missing = failure.size() > gone.size() &&
                             failure.compare(failure.size() - gone.size(), gone.size(), gone) == 0;
        const std::string part = missing ? failure.substr(0, failure.size() - gone.size()) : failure;
        if (!missing || !Part_May_Be_Missing(part)) return {};
        if (std::find(parts.begin(), parts.end(), part) == parts.end()) parts.push_back(part);
    }
    return parts;
}

// Reads the annex file over the set; what makes it unusable (code page 1252, to follow
// "die Datei <path>"), empty when it is whole. With missing_allowed, a file that lacks only
// sections of parts the design does not read is taken: those parts go to missing.
std::string Read_Whole_File(const std::string& path, NAD_Set* set, bool missing_allowed,
                            std::vector<std::string>& missing)
{
    FILE* stream = Fopen_Mapped(path.c_str(), "r");
    if (!stream) return std::string("kann nicht gelesen werden: ") + German_Error_Text(errno);
    const int read = NAD_Read_Set(stream, set);
    const int error = Input_Stream_Error(stream);
    std::fclose(stream);
    if (error != 0) return std::string("kann nicht gelesen werden: ") + German_Error_Text(error);
    if (!read) return "ist keine Datei eines nationalen Anhangs (erste Zeile nicht \"NAD/Version 1\")";
    if (NAD_Read_Failure_Count() == 0) return "";
    if (missing_allowed) missing = Only_Parts_That_May_Be_Missing();
    if (!missing.empty()) return "";
    return "ist besch\xE4" "digt: " + Damage_Text();
}

// A problem of a file is said once per run, however often the file is read again.
// The second piece is the file's path.
void Tell_Once(const std::vector<std::string>& pieces)
{
    NAD_Tell_Once(pieces, 1);
}

// A damaged file of the installation, whoever loads it.
void Tell_Damaged_Builtin(const char* name, const NAD_Load_Problem& problem)
{
    Tell_Once({"Die Datei des nationalen Anhangs", problem.path, problem.problem + ";",
               std::string("es gelten die eingebauten Werte von \"") +
                   (std::strcmp(name, NAD_FILE_STANDARD) == 0 ? NAD_NAME_STANDARD : name) + "\"."});
}

} // namespace

void NAD_Write_Set(FILE* stream, const NAD_Set* set)
{
    if (!stream || !set) return;
    std::fputs("NAD/Version 1\n\n", stream);
    std::fprintf(stream, " %d ", set->code);
    ZXP_Write_String(stream, Name_For_File(set->name).c_str());
    std::fprintf(stream, " %d\n", set->na_de_flag);

    std::fputs("\n\n#EC0\n", stream);
    NAD_EC0_Write(stream, &set->ec0);
    std::fputs("\n\n#EC2\n", stream);
    NAD_EC2_Write(stream, &set->ec2);
    std::fputs("\n\n#EC3\n", stream);
    NAD_EC3_Write(stream, &set->ec3);
    std::fputs("\n\n#EC5\n", stream);
    NAD_EC5_Write(stream, &set->ec5);
    std::fputs("\n\n#EC6\n", stream);
    NAD_EC6_Write(stream, &set->ec6);
    std::fputs("\n\n#EC9\n", stream);
    NAD_EC9_Write(stream, &set->ec9);
}

int NAD_Read_Set(FILE* stream, NAD_Set* set)
{
    if (!stream || !set) return 0;
    int file_version = 0;
    if (std::fscanf(stream, "NAD/Version %d", &file_version) != 1 || file_version != 1) return 0;

    // The header: code, name and NA-DE flag. A header that breaks off keeps what it read;
    // the sections are still read, each found by its tag.
    int code = 0;
    if (std::fscanf(stream, "%d", &code) == 1) {
        set->code = code;
        // A name cut at its line end took the flag with it: the header is damaged.
        const bool name_closed = Read_Name_On_Line(stream, set->name);
        int flag = 0;
        if (name_closed && std::fscanf(stream, "%d", &flag) == 1)
            set->na_de_flag = flag;
        else
            NAD_Note_Read_Failure("NAD");
    } else {
        NAD_Note_Read_Failure("NAD");
    }

    // The writer always writes all six sections: one that is missing was lost.
    const auto section = [stream](const char* tag) {
        if (Find_Keyword_Line(tag, stream, nullptr)) return true;
        NAD_Note_Read_Failure((std::string(tag + 1) + " fehlt").c_str());
        return false;
    };
    if (section("#EC0")) NAD_EC0_Read(stream, &set->ec0, 1);
    if (section("#EC2")) NAD_EC2_Read(stream, &set->ec2);
    if (section("#EC3")) NAD_EC3_Read(stream, &set->ec3, 1);
    if (section("#EC5")) NAD_EC5_Read(stream, &set->ec5, 1);
    if (section("#EC6")) NAD_EC6_Read(stream, &set->ec6);
    if (section("#EC9")) NAD_EC9_Read(stream, &set->ec9);
    return 1;
}

int NAD_Load_Set(int n, const char* name, NAD_Set* set)
{
    NAD_Clear_Read_Failures();
    last_load_problem = NAD_Load_Problem{};
    if (!set) return 0;

    std::string path;
    if (n != 0) {
        const char* dram = Directory_Variable("DRAM");
        if (dram) path = NAD_User_File_Path(dram, n);
    } else if (name) {
        const char* data = Directory_Variable("DATA");
        if (data) path = std::string(data) + "\\NAD\\" + name + ".NAD";
    }

    // The file is read into a copy, so that a damaged one leaves nothing behind. The
    // NA-DE flag starts unknown: a refused file whose header does not give it falls back
    // to the German values.
    NAD_Set read = *set;
    read.na_de_flag = -1;
    NAD_Load_Problem& problem = last_load_problem;
    if (path.empty()) {
        problem.problem = n != 0 ? "kann nicht gesucht werden: die Umgebungsvariable DRAM ist nicht gesetzt"
                                 : "kann nicht gesucht werden";
    } else {
        problem.path = Map_Path(path);
        // A built-in file that lacks a section is replaced whole by the compiled-in content
        // below, which holds every part.
        problem.problem = Read_Whole_File(path, &read, n != 0, problem.reset_parts);
    }
    problem.german_rules = read.na_de_flag != 0;

    bool loaded = problem.problem.empty();
    if (loaded) {
        *set = std::move(read);
        // What is left of the read status is the EN 1991 tables' own.
        NAD_Clear_Read_Failures();
    } else if (n == 0 && Is_Builtin_File_Name(name)) {
        // A built-in annex never falls back to other values only because its file is
        // missing or damaged: the program carries the same content.
        // A folder that cannot be searched (no permission, a link loop, a name too long)
        // hides the file rather than lacking it: that is said with the reason.
        std::error_code ec;
        const bool missing = problem.path.empty() || (!std::filesystem::exists(problem.path, ec) && !ec);
        if (missing) problem = NAD_Load_Problem{};
        else Tell_Damaged_Builtin(name, problem);
        NAD_Clear_Read_Failures();
        loaded = Read_Builtin_Content(name, set);
    }
    if (!loaded) return 0;

    set->user_flag = n > 0 ? 1 : 0;
    NAD_EC1_Load(n, set->name.c_str(), &set->ec1);
    const int flag = set->na_de_flag;
    NAD_EC1_Set_NA_DE_Flag(&set->ec1, flag);
    NAD_EC2_Set_NA_DE_Flag(&set->ec2, flag);
    NAD_EC3_Set_NA_DE_Flag(&set->ec3, flag);
    NAD_EC5_Set_NA_DE_Flag(&set->ec5, flag);
    NAD_EC6_Set_NA_DE_Flag(&set->ec6, flag);
    NAD_EC9_Set_NA_DE_Flag(&set->ec9, flag);
    return 1;
}

const NAD_Load_Problem& NAD_Last_Load_Problem()
{
    return last_load_problem;
}

std::string NAD_Missing_Parts_Clause(const std::vector<std::string>& parts)
{
    if (parts.empty()) return "";
    return parts.size() == 1 ? "der Teil " + parts[0] + " fehlt" : "die Teile " + Listed(parts) + " fehlen";
}

void NAD_Tell(const std::vector<std::string>& pieces, int path_piece)
{
    if (refresh_mode) {
        std::string line;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (!line.empty()) line += ' ';
            line += static_cast<int>(i) == path_piece ? pieces[i] : Screen_Text_To_Utf8(pieces[i]);
        }
        line += '\n';
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
        return;
    }
    Init_Message();
    Set_Message_Title("Nationaler Anhang");
    for (const std::string& piece : pieces) Fill_Message(piece.c_str());
    Draw_Message();
}

void NAD_Tell_Once(const std::vector<std::string>& pieces, int path_piece)
{
    static std::set<std::pair<std::vector<std::string>, int>> told;
    if (told.insert({pieces, path_piece}).second) NAD_Tell(pieces, path_piece);
}

std::string NAD_Read_File_Header(const std::string& path, int& code, std::string& name)
{
    FILE* stream = Fopen_Mapped(path.c_str(), "r");
    if (!stream) return std::string("kann nicht gelesen werden: ") + German_Error_Text(errno);
    const int first = std::fgetc(stream);
    bool version = false, header = false;
    if (first != EOF) {
        std::ungetc(first, stream);
        // Any version: a file of another one is listed, and refused when it is loaded.
        int file_version = 0;
        version = std::fscanf(stream, "NAD/Version %d", &file_version) == 1;
        header = version && std::fscanf(stream, "%d", &code) == 1 && Read_Name_On_Line(stream, name) && !name.empty();
    }
    const int error = Input_Stream_Error(stream);
    std::fclose(stream);
    if (error != 0) return std::string("kann nicht gelesen werden: ") + German_Error_Text(error);
    if (first == EOF) return "ist leer";
    if (!version) return "ist keine Datei eines nationalen Anhangs (erste Zeile nicht \"NAD/Version\")";
    if (!header) return "ist besch\xE4" "digt: Code und Name des Anhangs sind nicht lesbar";
    return "";
}

int NAD_Save_Set(int n, const NAD_Set* set)
{
    const char* dram = Directory_Variable("DRAM");
    if (!dram) return 0;
    const std::string path = NAD_User_File_Path(dram, n);
    if (!set) return std::remove(Map_Path(path).c_str()) == 0 ? 1 : 0;

    // What an editor killed while saving this file left beside it goes now.
    Remove_Leftover_Temporaries(path.c_str());
    Atomic_File file(path.c_str());
    if (file.Stream()) NAD_Write_Set(file.Stream(), set);
    if (file.Commit()) return 1;
    if (file.Error() != 0) errno = file.Error();
    return 0;
}

void NAD_EC2_Get_Deutschland(NAD_EC2_Params* record)
{
    if (!german_nad_set_loaded) {
        NAD_EC2_Defaults(record);
        NAD_Reset_Set_Parts(&german_nad_set);
        NAD_Load_Set(0, NAD_FILE_GERMANY, &german_nad_set);
        german_nad_set_loaded = 1;
    }
    NAD_EC2_Copy_Checked(record, &german_nad_set.ec2);
}

void Safeguard_Proper_Version()
{
    // Without a folder of the user's own annexes there is nothing to convert; the list
    // then holds the built-in annexes, which is nothing the user must be told.
    const char* dram = Directory_Variable("DRAM");
    if (!dram) return;
    namespace fs = std::filesystem;
    const fs::path directory = Map_Path(std::string(dram) + "\\NADS");
    std::error_code ec;
    if (fs::is_directory(directory, ec)) return;
    // Why the folder could not be looked at (a link in a circle, no permission): the
    // creation that follows then fails only because the name is taken, which says nothing.
    const std::error_code looked = ec;
    // Each problem is said once per run: the list is built again and again.
    if ((!fs::create_directory(directory, ec) && ec) || !fs::is_directory(directory, ec)) {
        std::error_code exists_ec;
        const char* reason = looked && looked.value() != ENOENT ? German_Error_Text(looked.value())
                             : fs::exists(directory, exists_ec) ? "an seiner Stelle steht eine Datei"
                                                                : German_Error_Text(ec ? ec.value() : ENOENT);
        Tell_Once({"Der Ordner der eigenen nationalen Anh\xE4nge", directory.string(),
                   std::string("kann nicht angelegt werden: ") + reason + "."});
        return;
    }

    const std::string list_path = std::string(dram) + "\\NADs-EC2.DEF";
    FILE* older = Fopen_Mapped(list_path.c_str(), "r");
    if (!older) return;
    // A list longer than any real one is damaged: nothing of it is converted, rather than
    // thousands of annex files written.
    int annexes = 0;
    std::string line;
    while (annexes <= NAD_MIGRATION_MAX && Read_Whole_Line(older, line))
        if (line.compare(0, 4, "#NAD") == 0) ++annexes;
    if (annexes > NAD_MIGRATION_MAX) {
        std::fclose(older);
        Tell_Once({"Die \xE4ltere Liste der nationalen Anh\xE4nge", Map_Path(list_path),
                   "ist besch\xE4" "digt (mehr als " + std::to_string(NAD_MIGRATION_MAX) + " Anh\xE4nge):",
                   "sie wird nicht \xFC" "bernommen."});
        return;
    }
    std::rewind(older);

    int n = 1;
    int save_error = 0;
    NAD_Set work;
    while (Read_Whole_Line(older, line)) {
        if (line.compare(0, 4, "#NAD") != 0) continue;
        // Every annex starts from the built-in values, so that the parts the older list
        // does not carry (EN 1996, EN 1999) are written with those.
        NAD_Reset_Set_Parts(&work);
        int code = 0;
        if (std::fscanf(older, " %d", &code) != 1) code = 0;
        std::string name;
        Read_Name_On_Line(older, name);
        NAD_EC2_Read(older, &work.ec2);
        NAD_EC3_Read(older, &work.ec3, 0);
        NAD_EC5_Read(older, &work.ec5, 0);
        NAD_EC0_Read(older, &work.ec0, 0);
        work.code = code;
        work.na_de_flag = 0;
        work.name = name;
        errno = 0;
        if (!NAD_Save_Set(n, &work)) {
            save_error = errno != 0 ? errno : EIO;
            break;
        }
        ++n;
    }
    std::fclose(older);
    if (save_error != 0) {
        // A half-done conversion must not count as done: without the directory the next
        // start converts the whole list again.
        for (int k = 1; k < n; ++k) NAD_Save_Set(k, nullptr);
        fs::remove(directory, ec);
        Tell_Once({"Die \xE4ltere Liste der nationalen Anh\xE4nge", Map_Path(list_path),
                   std::string("kann nicht \xFC" "bernommen werden: ") + German_Error_Text(save_error) + ";",
                   "beim n\xE4" "chsten Start wird es erneut versucht."});
    }
}

bool NAD_Build_Builtin_Set(const char* file_name, NAD_Set* set)
{
    if (!set || !Is_Builtin_File_Name(file_name)) return false;
    NAD_Reset_Set_Parts(set);
    if (std::strcmp(file_name, NAD_FILE_STANDARD) == 0) {
        set->code = NAD_CODE_STANDARD;
        set->name = "EC-Standardparameter";
        return true;
    }
    set->code = NAD_CODE_GERMANY;
    set->na_de_flag = 1;
    set->name = "Deutschland";
    NAD_EC2_Defaults_NA_DE(&set->ec2);
    NAD_EC3_Defaults_NA_DE(&set->ec3);
    Germany_EC5(set->ec5);
    NAD_EC6_Defaults_NA_DE(&set->ec6);
    NAD_EC9_Defaults_NA_DE(&set->ec9);
    return true;
}

bool NAD_Builtin_File_Text(const char* file_name, std::string& text)
{
    text.clear();
    NAD_Set set;
    return NAD_Build_Builtin_Set(file_name, &set) && NAD_Set_Text(set, text);
}

bool NAD_Set_Text(const NAD_Set& set, std::string& text)
{
    text.clear();
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream) return false;
    NAD_Write_Set(stream, &set);
    const bool ok = std::ferror(stream) == 0;
    std::fclose(stream);
    if (ok && buffer) text.assign(buffer, size);
    std::free(buffer);
    return ok;
}

std::string NAD_User_File_Path(const char* dram, int n)
{
    return std::string(dram) + "\\NADS\\" + std::to_string(n) + ".NAD";
}
