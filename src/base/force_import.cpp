#include "base/force_import.h"

#include "base/archive.h"
#include "base/exchange_objects.h"
#include "base/guillemet.h"
#include "base/keyword_lines.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/paths.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

Import_Result_Set* import_sets = nullptr;
int32_t import_set_count = 0;
int32_t import_values_per_set = 0;
int32_t import_valid = 0;
Component_Selection* import_component = nullptr;
ZXP_Object* import_cut_objects[IMPORT_MAX_CUTS] = {};
int32_t import_cut_count = 0;
int32_t import_cut_set_counts[16] = {};

const ZAV_Tool force_selection_tool = {
    "Tramovik.exe",
    "ZAV - Schnittgr\xF6\xDF" "enauswahl",
    26,
    "Bitte w\xE4hlen Sie Schnittgr\xF6\xDF" "en aus",
    110,
    {"Das ZAV-Werkzeug zur Auswahl von Schnittgr\xF6\xDF" "en-", "s\xE4tzen ist bereits aktiv. Bitte schlie\xDF" "en Sie",
     "das Fenster und versuchen es erneut."},
};

namespace {

// Limits of what an answer file may announce; beyond them the file is taken as damaged
// rather than as a request for memory.
constexpr long max_sets = 1000000;
constexpr long max_values = 10000;
constexpr long max_floats = 16L * 1024 * 1024;

Component_Selection previous_component;

const char* Result_File_Name() { return "\\Tramovik.res"; }

// Reads one guillemet text; -1 when there is none, else 0 with *text the copy (null for
// an empty text).
int Read_Set_Text(FILE* f, char** text)
{
    char buffer[GUILLEMET_TEXT_SIZE];
    int n = Read_Guillemet_Text(f, buffer);
    if (n < 0) return -1;
    *text = n > 0 ? ::strdup(buffer) : nullptr;
    return 0;
}

bool Valid_Set(int set) { return import_valid && import_sets && set >= 0 && set < import_set_count; }

// Allocates count zeroed sets of per_set values; false when memory is short (nothing kept).
bool Allocate_Sets(long count, long per_set)
{
    if (count < 1 || per_set < 1 || count > max_sets || per_set > max_values || count * per_set > max_floats)
        return false;
    auto* sets = static_cast<Import_Result_Set*>(std::calloc(static_cast<size_t>(count), sizeof(Import_Result_Set)));
    if (!sets) return false;
    import_sets = sets;
    import_set_count = static_cast<int32_t>(count);
    import_values_per_set = static_cast<int32_t>(per_set);
    for (long i = 0; i < count; ++i) {
        sets[i].values = static_cast<float*>(std::calloc(static_cast<size_t>(per_set), sizeof(float)));
        if (!sets[i].values) {
            Free_Import_Sets();
            return false;
        }
    }
    return true;
}

// Reads the sets' values, id, factor and two texts. False when a text is missing.
bool Read_Sets(FILE* f)
{
    for (int s = 0; s < import_set_count; ++s) {
        Import_Result_Set& set = import_sets[s];
        for (int v = 0; v < import_values_per_set; ++v) {
            float value = 0.0f;
            if (std::fscanf(f, "%f", &value) == 1) set.values[v] = value;  // unreadable: stays 0
        }
        int id = 0;
        float factor = 0.0f;
        if (std::fscanf(f, "%d", &id) == 1) {
            set.id = id;
            if (std::fscanf(f, "%f", &factor) == 1) set.factor = factor;
        }
        if (Read_Set_Text(f, &set.text1) < 0 || Read_Set_Text(f, &set.text2) < 0) return false;
    }
    return true;
}

// The exchange file for the tool: a component's own file, or the member "AAAA.EX2" of its
// archive unpacked into the temporary directory (*extracted then names it). False when
// the archive cannot be unpacked: the tool would only get a file that is not there.
bool Prepare_Exchange_File(const Component_Selection& c, const std::string& temp, std::string* path,
                           std::string* extracted)
{
    extracted->clear();
    if (!c.archive_flag) {
        *path = std::string(c.file_base) + ".EX2";
        return true;
    }
    if (Extract_Archive_Member(c.archive_path, "AAAA.EX2", temp.c_str()) != 0) return false;
    *path = temp + "\\AAAA.EX2";
    *extracted = *path;
    return true;
}

// Steps shared by both imports up to the tool's end: the component, the exchange file,
// the tool. The path of the answer file, or empty on failure or cancel.
std::string Run_Import_Tool(const Component_Selection* component, int a, int b, int c, int d, int n,
                            const char* const* names)
{
    Free_Import_Sets();
    import_valid = 0;
    const char* temp_env = ZAVGetEnv("TEMP");
    if (!temp_env) return {};
    const std::string temp = temp_env;

    if (!component && import_component) {
        Init_Message();
        Fill_Message("Gleiches Bauteil");
        char line[sizeof previous_component.name + 4];
        std::snprintf(line, sizeof line, "(%s)", import_component->name);
        Fill_Message(line);
        Fill_Message("wie zuvor?");
        if (Answer_is_Yes(1)) component = import_component;
    }
    if (!component) component = Select_Component(3);
    if (!component) return {};
    if (component != &previous_component) previous_component = *component;
    import_component = &previous_component;

    std::string exchange, extracted;
    if (!Prepare_Exchange_File(previous_component, temp, &exchange, &extracted)) return {};

    // An answer left behind by an earlier run must not pass for this one.
    const std::string answer = temp + Result_File_Name();
    std::remove(Map_Path(answer).c_str());

    std::vector<std::string> args{exchange, std::to_string(a), std::to_string(b), std::to_string(c),
                                  std::to_string(d)};
    if (n != 0) args.push_back(std::to_string(n));
    for (int i = 0; i < n && names; ++i) args.emplace_back(names[i] ? names[i] : "");
    const int ran = Run_ZAV_Tool(force_selection_tool, args);
    if (!extracted.empty()) std::remove(Map_Path(extracted).c_str());
    return ran ? answer : std::string{};
}

int Read_Multi_Result_File(const char* path, int n)
{
    FILE* f = Fopen_Mapped(path, "r");
    if (!f) return 0;
    int ignored = 0;
    int cuts = -1;
    bool ok = Find_Keyword_Line("MULTICUT", f, &ignored) == 1 && std::fscanf(f, "%d", &cuts) == 1 && cuts == n;
    for (int i = 0; ok && i < n; ++i) {
        import_cut_objects[i] = ZXP_Read_Object(f);
        ok = import_cut_objects[i] != nullptr;
        if (ok) import_cut_count = i + 1;
    }
    long total = 0;
    ok = ok && Find_Keyword_Line("RESULTS", f, &ignored) == 1;
    for (int i = 0; ok && i < n; ++i) {
        int count = -1;
        ok = std::fscanf(f, "%d", &count) == 1 && count >= 0 && count <= max_sets;
        if (ok) {
            import_cut_set_counts[i] = count;
            total += count;
        }
    }
    ok = ok && Allocate_Sets(total, 6L * n) && Read_Sets(f);
    std::fclose(f);
    if (!ok) {
        Free_Import_Sets();
        return 0;
    }
    import_valid = 1;
    return import_set_count;
}

} // namespace

int Check_Force_Selection_Tool()
{
    const char* exec = ZAVGetEnv("EXEC");
    if (!exec) return 0;
    const std::string program = Map_Path(std::string(exec) + "\\" + force_selection_tool.program_file);
    return ::access(program.c_str(), X_OK) == 0 ? 1 : 0;
}

int Read_Import_Result_File(const char* path)
{
    Free_Import_Sets();
    import_valid = 0;
    FILE* f = path ? Fopen_Mapped(path, "r") : nullptr;
    if (!f) return 0;
    int version = 0;
    long sets = 0, values = 0;
    bool ok = std::fscanf(f, " V:%d", &version) == 1 && std::fscanf(f, "%ld%ld", &sets, &values) == 2 &&
              sets > 0 && values > 0 && Allocate_Sets(sets, values) && Read_Sets(f);
    if (!ok) {
        std::fclose(f);
        Free_Import_Sets();
        return 0;
    }
    import_valid = 1;
    // The info part is optional: missing, short or counting otherwise, the sets stay.
    int info_count = -1;
    if (std::fscanf(f, "%d Info", &info_count) == 1 && info_count == import_set_count) {
        bool more = true;
        for (int s = 0; more && s < import_set_count; ++s)
            for (int k = 0; more && k < 5; ++k) more = Read_Set_Text(f, &import_sets[s].info[k]) == 0;
    }
    std::fclose(f);
    return import_set_count;
}

int Import_Beam_Cut_Results(const Component_Selection* component, int a, int b, int c, int d)
{
    const std::string answer = Run_Import_Tool(component, a, b, c, d, 0, nullptr);
    return answer.empty() ? 0 : Read_Import_Result_File(answer.c_str());
}

int Import_Beam_Cut_Results(int a, int b, int c, int d) { return Import_Beam_Cut_Results(nullptr, a, b, c, d); }

int Import_BeamCutMultiResults0(const Component_Selection* component, int a, int b, int c, int d, int n,
                                const char* const* names)
{
    if (n > IMPORT_MAX_CUTS) {
        std::printf("Import_BeamCutMultiResults0: n=%d ? to much :-(\n", n);
        return 0;
    }
    if (n < 1) return 0;
    for (int i = 0; i < import_cut_count; ++i) {
        ZXP_Destroy_Object(import_cut_objects[i]);
        import_cut_objects[i] = nullptr;
    }
    import_cut_count = 0;
    const std::string answer = Run_Import_Tool(component, a, b, c, d, n, names);
    return answer.empty() ? 0 : Read_Multi_Result_File(answer.c_str(), n);
}

int Import_BeamCutMultiResults0(int a, int b, int c, int d, int n, const char* const* names)
{
    return Import_BeamCutMultiResults0(nullptr, a, b, c, d, n, names);
}

int Get_Import_Set_Values(int set, float* values)
{
    if (!Valid_Set(set) || !values) return 0;
    std::memcpy(values, import_sets[set].values, sizeof(float) * static_cast<size_t>(import_values_per_set));
    return 1;
}

int Get_Import_Set_Id(int set) { return Valid_Set(set) ? import_sets[set].id : 0; }
double Get_Import_Set_Factor(int set) { return Valid_Set(set) ? import_sets[set].factor : 0.0; }
const char* Get_Import_Set_Text1(int set) { return Valid_Set(set) ? import_sets[set].text1 : nullptr; }
const char* Get_Import_Set_Text2(int set) { return Valid_Set(set) ? import_sets[set].text2 : nullptr; }
const char* Get_Import_Set_Checkpoint(int set) { return Valid_Set(set) ? import_sets[set].info[0] : nullptr; }
const char* Get_Import_Set_Info2(int set) { return Valid_Set(set) ? import_sets[set].info[1] : nullptr; }
const char* Get_Import_Set_Info3(int set) { return Valid_Set(set) ? import_sets[set].info[2] : nullptr; }
const char* Get_Import_Set_Info4(int set) { return Valid_Set(set) ? import_sets[set].info[3] : nullptr; }
const char* Get_Import_Set_Info5(int set) { return Valid_Set(set) ? import_sets[set].info[4] : nullptr; }

ZXP_Object* Get_Import_Cut_Object(int cut)
{
    return cut >= 0 && cut < import_cut_count ? import_cut_objects[cut] : nullptr;
}

int Get_Import_Cut_Set_Count(int cut)
{
    return import_valid && cut >= 0 && cut < import_cut_count ? import_cut_set_counts[cut] : 0;
}

const char* Get_Import_Component_File() { return import_component ? import_component->file_base : nullptr; }

void Free_Import_Sets()
{
    if (import_sets) {
        for (int s = 0; s < import_set_count; ++s) {
            Import_Result_Set& set = import_sets[s];
            std::free(set.values);
            std::free(set.text1);
            std::free(set.text2);
            for (char* info : set.info) std::free(info);
        }
        std::free(import_sets);
    }
    import_sets = nullptr;
}

void Free_Import_Results()
{
    Free_Import_Sets();
    for (int i = 0; i < import_cut_count; ++i) {
        ZXP_Destroy_Object(import_cut_objects[i]);
        import_cut_objects[i] = nullptr;
    }
    import_set_count = 0;
    import_values_per_set = 0;
    import_valid = 0;
    import_cut_count = 0;
}
