#include "annex/app_profiles.h"

#include "base/guillemet.h"
#include "base/keyword_lines.h"
#include "platform/environment.h"
#include "platform/file_search.h"
#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

std::vector<NAD_App_Profile> nad_app_profiles;
int nad_profile_index = 0;
int nad_profile_current = 0;
int nad_profile_mask = NAD_ALL_PARTS_MASK;
int nad_no_profile = 1;

namespace {

int cached_app_number = -1;  // -1 until the first look-up
bool profiles_scanned = false;

// A rule string is far shorter than this; a longer word means a damaged file.
constexpr size_t MAX_RULE_WORD = 1023;

struct File_Closer {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File_Ptr = std::unique_ptr<FILE, File_Closer>;

enum class Word_Result { ok, end, too_long };

// The next blank-separated word, at most MAX_RULE_WORD characters.
Word_Result Read_Word(FILE* f, std::string& word)
{
    word.clear();
    int c;
    do {
        c = std::fgetc(f);
    } while (c != EOF && std::isspace(c));
    if (c == EOF) return Word_Result::end;
    while (c != EOF && !std::isspace(c)) {
        if (word.size() == MAX_RULE_WORD) return Word_Result::too_long;
        word += static_cast<char>(c);
        c = std::fgetc(f);
    }
    return Word_Result::ok;
}

std::string Upper_Cased(std::string text)
{
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return text;
}

// Reads one profile file; false when the file gives no usable "#NADS".
bool Read_Profile(FILE* f, const std::string& directory_name, int number, NAD_App_Profile& p)
{
    int nads = 0;
    if (!Find_Keyword_Line("#NADS", f, &nads) || nads == 0) return false;

    p = NAD_App_Profile{};
    p.application_number = number;
    if (nads > 0) {
        p.parts_mask = nads;
    } else {
        p.rule_strings_flag = 1;
        std::string word;
        for (int part = 0; part < 10; ++part) {
            Word_Result r = Read_Word(f, word);
            if (r == Word_Result::too_long) return false;
            if (r == Word_Result::end) break;  // the parts left have no string
            if (word.size() < 2 && word != "1") continue;
            p.rule_strings[part] = word;
            p.parts_mask |= 1 << part;
        }
    }

    char text[ZXP_STRING_SIZE];
    p.name = directory_name;
    if (Find_Keyword_Line("#NAME", f, nullptr) && ZXP_Read_String(f, text) > 0) p.name = text;
    p.name = Upper_Cased(p.name);

    p.service = "Bauteil";
    if (Find_Keyword_Line("#SERVICE", f, nullptr) && ZXP_Read_String(f, text) > 0) p.service = text;
    if (Find_Keyword_Line("#GROUP", f, nullptr) && ZXP_Read_String(f, text) > 0) p.service = text;
    return true;
}

// The names of the directories directly below the installation directory, sorted.
std::vector<std::string> Program_Directories(const std::string& exec)
{
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(Map_Path(exec), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (it->is_directory(ec2)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Scan_Directory(const std::string& exec, const std::string& directory)
{
    std::string dir_path = exec + "\\" + directory;
    DOS_Find_Record record;
    for (int found = DOSFindFirstFile((dir_path + "\\APP*.DEF").c_str(), &record); found == 0;
         found = DOSFindNext(&record)) {
        int number = 0;
        if (std::sscanf(record.name + 3, "%4d", &number) != 1 || number < 1) continue;
        File_Ptr f(Fopen_Mapped((dir_path + "\\" + record.name).c_str(), "r"));
        if (!f) continue;
        NAD_App_Profile profile;
        if (Read_Profile(f.get(), directory, number, profile)) nad_app_profiles.push_back(std::move(profile));
    }
    DOSFindClose(&record);
}

} // namespace

void NAD_Scan_App_Profiles()
{
    if (profiles_scanned) return;
    const char* exec = ZAVGetEnv("EXEC");
    if (!exec) return;
    for (const std::string& directory : Program_Directories(exec)) Scan_Directory(exec, directory);
    cached_app_number = -1;
    NAD_Get_Current_App();
    profiles_scanned = true;
}

int NAD_Get_Current_App()
{
    if (cached_app_number >= 0) return cached_app_number;
    int number = CurOb_Application_Number();
    if (number != 0) {
        for (size_t i = 0; i < nad_app_profiles.size(); ++i) {
            if (nad_app_profiles[i].application_number != number) continue;
            nad_profile_index = static_cast<int>(i);
            nad_profile_current = 1;
            nad_profile_mask = nad_app_profiles[i].parts_mask;
            nad_no_profile = 0;
            cached_app_number = number;
            return number;
        }
    }
    nad_profile_current = 0;
    nad_profile_index = 0;
    nad_profile_mask = NAD_ALL_PARTS_MASK;
    nad_no_profile = 1;
    cached_app_number = 0;
    return 0;
}

int NAD_Rule_Visible(int part_index, int rule_index)
{
    if (!nad_profile_current) return 1;
    if (part_index < 0 || part_index > 9) return 1;
    if (nad_profile_index < 0 || nad_profile_index >= static_cast<int>(nad_app_profiles.size())) return 1;
    const std::string& rules = nad_app_profiles[nad_profile_index].rule_strings[part_index];
    if (rules.empty()) return 1;
    if (rule_index < 0 || rule_index >= static_cast<int>(rules.size())) return 0;
    return rules[rule_index] != '0';
}

int NAD_Use_Rule_Strings()
{
    if (!nad_profile_current) return 1;
    if (nad_profile_index < 0 || nad_profile_index >= static_cast<int>(nad_app_profiles.size())) return 1;
    return nad_app_profiles[nad_profile_index].rule_strings_flag;
}

void NAD_Apply_Display_Choice()
{
    if (nad_profile_index < 0 || nad_profile_index >= static_cast<int>(nad_app_profiles.size()))
        nad_profile_current = 0;
    if (nad_profile_current) {
        const NAD_App_Profile& p = nad_app_profiles[nad_profile_index];
        nad_profile_mask = p.parts_mask;
        cached_app_number = p.application_number;
    } else {
        nad_profile_index = 0;
        nad_profile_mask = NAD_ALL_PARTS_MASK;
        cached_app_number = 0;
    }
    nad_no_profile = !nad_profile_current;
}

void NAD_Forget_App_Profiles()
{
    nad_app_profiles.clear();
    nad_profile_index = 0;
    nad_profile_current = 0;
    nad_profile_mask = NAD_ALL_PARTS_MASK;
    nad_no_profile = 1;
    cached_app_number = -1;
    profiles_scanned = false;
}
