#include "annex/nad_ec1_tables.h"

#include "annex/nad_sections.h"
#include "annex/nad_set.h"
#include "base/text_lines.h"
#include "platform/environment.h"
#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// Values that differ by no more than this are the same annex value.
constexpr double kTolerance = 1e-4;
// Largest table the definition file may declare (values per line times lines). Beyond it
// the size line is taken as damaged rather than as a request for memory.
constexpr long long kMaxTableValues = 1000000;
// Largest magnitude of the eight ints of a definition's two groups. What they mean is left
// to the table editor; no table needs anything near it, and within it the differences
// the second group is stored as cannot overflow.
constexpr int kMaxGroupValue = 1000000;

const char* const kCopiedLabel = "benutzerdefiniert, editierbar";

struct File_Closer {
    void operator()(FILE* stream) const
    {
        if (stream) std::fclose(stream);
    }
};
using File_Ptr = std::unique_ptr<FILE, File_Closer>;

bool Begins_With(const std::string& line, const char* tag)
{
    return line.compare(0, std::strlen(tag), tag) == 0;
}

// The number right behind a tag at the start of the line ("#TAB3", "~TAB99").
bool Number_Behind(const std::string& line, const char* tag, int* number)
{
    return Begins_With(line, tag) && std::sscanf(line.c_str() + std::strlen(tag), "%d", number) == 1;
}

// "" when the variable is not set.
std::string Environment_Dir(const char* name)
{
    const char* value = ZAVGetEnv(name);
    return value ? std::string(value) : std::string();
}

std::string Builtin_Value_File()
{
    const std::string data = Environment_Dir("DATA");
    return data.empty() ? data : data + "\\NAD\\WUSL-Tabs.val";
}

std::string User_Value_File()
{
    const std::string dram = Environment_Dir("DRAM");
    return dram.empty() ? dram : dram + "\\WUSL-NADs.def";
}

// The next blank-separated word (any length); false at the end of the stream.
bool Read_Word(FILE* stream, std::string& word)
{
    word.clear();
    int c = std::getc(stream);
    while (c != EOF && std::isspace(c)) c = std::getc(stream);
    while (c != EOF && !std::isspace(c)) {
        word += static_cast<char>(c);
        c = std::getc(stream);
    }
    if (c != EOF) std::ungetc(c, stream);
    return !word.empty();
}

bool Read_Ints(FILE* stream, int* target, int n)
{
    for (int i = 0; i < n; ++i) {
        if (std::fscanf(stream, "%d", &target[i]) != 1) return false;
    }
    return true;
}

// The rest of a table definition behind its "#TAB" line; false when it is malformed.
bool Read_Table_Definition(FILE* stream, NAD_EC1_Table& table)
{
    if (!Read_Whole_Line(stream, table.title) || !Read_Whole_Line(stream, table.subtitle)) {
        return false;
    }
    if (!Read_Ints(stream, table.first_group, 4) || !Read_Ints(stream, table.second_group, 4)) {
        return false;
    }
    const auto implausible = [](int v) { return v < -kMaxGroupValue || v > kMaxGroupValue; };
    for (int i = 0; i < 4; ++i) {
        if (implausible(table.first_group[i]) || implausible(table.second_group[i])) return false;
    }
    table.second_group[0] -= table.first_group[0];
    table.second_group[1] -= table.first_group[1];
    int size[2] = {0, 0};
    if (!Read_Ints(stream, size, 2) || !Read_Word(stream, table.word)) return false;
    if (size[0] < 0 || size[1] < 0) return false;
    // Each dimension on its own too: no values per line times a billion lines is no
    // table, and writing it back would be a billion empty lines.
    if (size[0] > kMaxTableValues || size[1] > kMaxTableValues) return false;
    const long long count = static_cast<long long>(size[0]) * size[1];
    if (count > kMaxTableValues) return false;
    table.values_per_line = size[0];
    table.lines = size[1];
    table.values.assign(static_cast<size_t>(count), 0.0);
    return true;
}

void Note_Failure()
{
    if (nad_trace) std::printf("NAD_EC1_Read: Lesefehler\n");
    NAD_Note_Read_Failure("EC1");
}

void Drop_Values(NAD_EC1_Tables* tables, int number)
{
    std::optional<NAD_EC1_Table>& slot = tables->tables[number - 1];
    if (!slot) return; // the definition file has no such table
    slot->values_label.clear();
    slot->has_values = 0;
}

// The name line with its trailing blanks removed.
std::string Without_Trailing_Blanks(std::string line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    return line;
}

} // namespace

int NAD_EC1_Read_Definitions(NAD_EC1_Tables* tables)
{
    if (!tables) return 0;
    for (int& option : tables->table_options) option = 0;
    for (std::optional<NAD_EC1_Table>& slot : tables->tables) slot.reset();

    const std::string data = Environment_Dir("DATA");
    if (data.empty()) return 0;
    File_Ptr file(Fopen_Mapped((data + "\\NAD\\WUSL-Tabs.def").c_str(), "r"));
    if (!file) return 0;

    int count = 0;
    std::string line;
    while (Read_Whole_Line(file.get(), line)) {
        int number = 0;
        if (!Number_Behind(line, "#TAB", &number)) continue;
        if (number < 1 || number > NAD_EC1_TABLE_COUNT) continue;
        NAD_EC1_Table table;
        if (!Read_Table_Definition(file.get(), table)) break;
        tables->tables[number - 1] = std::move(table);
        ++count;
    }
    return count;
}

void NAD_EC1_Defaults(NAD_EC1_Tables* tables)
{
    if (!tables) return;
    // A reset must not keep the values of the annex loaded before: tables that the
    // standard block leaves out would otherwise still show the previous annex's values.
    tables->mode = 1;
    tables->first_setting = 2;
    tables->second_setting = 2;
    for (int& option : tables->table_options) option = 0;
    for (std::optional<NAD_EC1_Table>& slot : tables->tables) {
        if (!slot) continue;
        slot->values_label.clear();
        slot->has_values = 0;
        slot->values.assign(slot->values.size(), 0.0);
    }
    NAD_EC1_Load(0, "EC-Standardparameter", tables);
}

int NAD_EC1_Load(int file_number, const char* annex_name, NAD_EC1_Tables* tables)
{
    if (!annex_name || !tables) return 0;
    const std::string path = file_number != 0 ? User_Value_File() : Builtin_Value_File();
    if (path.empty()) return 0;
    return NAD_EC1_Find_And_Read(path.c_str(), annex_name, tables);
}

int NAD_EC1_Find_And_Read(const char* path, const char* annex_name, NAD_EC1_Tables* tables)
{
    if (!path || !annex_name || !tables) return 0;
    File_Ptr file(Fopen_Mapped(path, "r"));
    if (!file) return 0;

    // An annex "Nord" must not take the tables of a block "Norddeutschland" that happens
    // to come first: the block whose name line is the name wins; a block whose name line
    // only begins with the name is taken when there is none (older files name their
    // blocks with further words).
    const std::string name(annex_name);
    long exact = -1;
    long prefix = -1;
    std::string line;
    while (exact < 0 && Read_Whole_Line(file.get(), line)) {
        if (!Begins_With(line, "#NAD")) continue;
        std::string name_line;
        if (!Read_Whole_Line(file.get(), name_line)) break;
        const long block = std::ftell(file.get());
        if (block < 0) return 0;
        if (Without_Trailing_Blanks(name_line) == name) {
            exact = block;
        } else if (prefix < 0 && name_line.compare(0, name.size(), name) == 0) {
            prefix = block;
        }
    }
    const long block = exact >= 0 ? exact : prefix;
    if (block < 0) return 0;
    if (std::fseek(file.get(), block, SEEK_SET) != 0) return 0;

    int mode = 0;
    if (std::fscanf(file.get(), "%d", &mode) != 1) {
        Note_Failure();
        return 0;
    }
    tables->mode = mode;
    NAD_EC1_Read(file.get(), tables);
    return 1;
}

void NAD_EC1_Read(FILE* stream, NAD_EC1_Tables* tables)
{
    if (!stream || !tables) return;
    std::string line;
    while (Read_Whole_Line(stream, line)) {
        if (Begins_With(line, "#NAD")) return; // the next annex begins
        int number = 0;
        if (!Number_Behind(line, "~TAB", &number)) continue; // "~DATA" and its numbers
        if (nad_trace) std::printf("NAD_EC1_Read: ~TAB%d\n", number);

        if (number == 99) {
            int count = 0;
            int unused = 0;
            if (std::fscanf(stream, "%d%d", &count, &unused) != 2) {
                Note_Failure();
                return;
            }
            if (count > NAD_EC1_TABLE_COUNT) count = NAD_EC1_TABLE_COUNT;
            for (int i = 0; i < count; ++i) {
                int option = 0;
                if (std::fscanf(stream, "%d", &option) != 1) {
                    Note_Failure();
                    return;
                }
                tables->table_options[i] = option;
            }
            continue;
        }
        if (number < 1 || number > NAD_EC1_TABLE_COUNT || !tables->tables[number - 1]) continue;

        NAD_EC1_Table& table = *tables->tables[number - 1];
        std::string label;
        if (!Read_Whole_Line(stream, label)) {
            Note_Failure();
            return;
        }
        // The values take effect only when the whole table converts.
        std::vector<double> values(table.values.size(), 0.0);
        for (double& value : values) {
            if (std::fscanf(stream, "%lf", &value) != 1) {
                Note_Failure();
                return;
            }
        }
        table.values = std::move(values);
        table.values_label = std::move(label);
        table.has_values = 1;
    }
}

void NAD_EC1_Set_NA_DE_Flag(NAD_EC1_Tables* tables, int flag)
{
    if (!tables) return;
    if (flag) {
        tables->mode = 2;
        Drop_Values(tables, 9);
    } else {
        tables->mode = 1;
        Drop_Values(tables, 8);
    }
}

int NAD_EC1_Write(int append, const char* annex_name, const NAD_EC1_Tables* tables)
{
    if (!annex_name || !tables) return 0;
    const std::string path = User_Value_File();
    if (path.empty()) return 0;
    FILE* file = Fopen_Mapped(path.c_str(), append ? "a" : "w");
    if (!file) return 0;
    std::fprintf(file, "#NAD\n");
    std::fprintf(file, "%s\n", annex_name);
    std::fprintf(file, "%d\n\n", tables->mode);
    NAD_EC1_Write_Values(file, tables);
    const bool written = !std::ferror(file);
    const bool closed = std::fclose(file) == 0;
    return written && closed ? 1 : 0;
}

void NAD_EC1_Write_Values(FILE* stream, const NAD_EC1_Tables* tables)
{
    if (!stream || !tables) return;
    std::fprintf(stream, "~DATA\n");
    std::fprintf(stream, "%d %d %d\n\n", 1, tables->first_setting, tables->second_setting);
    for (int k = 1; k <= NAD_EC1_TABLE_COUNT; ++k) {
        const std::optional<NAD_EC1_Table>& slot = tables->tables[k - 1];
        if (!slot || !slot->has_values) continue;
        std::fprintf(stream, "~TAB%d\n", k);
        std::fprintf(stream, "%s\n", slot->values_label.c_str());
        const size_t per_line = static_cast<size_t>(slot->values_per_line);
        for (int l = 0; l < slot->lines; ++l) {
            for (size_t v = 0; v < per_line; ++v) {
                const size_t index = static_cast<size_t>(l) * per_line + v;
                std::fprintf(stream, " %6.3f", index < slot->values.size() ? slot->values[index] : 0.0);
            }
            std::fprintf(stream, "\n");
        }
        std::fprintf(stream, "\n");
    }
    std::fprintf(stream, "~TAB99\n %d 0", NAD_EC1_TABLE_COUNT);
    for (int option : tables->table_options) std::fprintf(stream, " %d", option);
    std::fprintf(stream, "\n\n");
}

void NAD_EC1_Copy(NAD_EC1_Tables* destination, const NAD_EC1_Tables* source)
{
    if (!destination || !source || destination == source) return;
    for (int k = 0; k < NAD_EC1_TABLE_COUNT; ++k) {
        std::optional<NAD_EC1_Table>& to = destination->tables[k];
        const std::optional<NAD_EC1_Table>& from = source->tables[k];
        if (!to || !from) continue;
        if (from->has_values) {
            // Both come from the same definitions; should the sizes ever differ, the
            // destination keeps its own size.
            const size_t n = std::min(to->values.size(), from->values.size());
            std::copy(from->values.begin(), from->values.begin() + static_cast<long>(n),
                      to->values.begin());
            to->values_label = kCopiedLabel;
            to->has_values = 1;
        } else {
            to->has_values = 0;
        }
    }
    for (int k = 0; k < NAD_EC1_TABLE_COUNT; ++k) {
        destination->table_options[k] = source->table_options[k];
    }
    destination->first_setting = source->first_setting;
    destination->second_setting = source->second_setting;
}

int NAD_EC1_Compare(const NAD_EC1_Tables* a, const NAD_EC1_Tables* b)
{
    if (!a || !b) return a != b;
    for (int k = 0; k < NAD_EC1_TABLE_COUNT; ++k) {
        const std::optional<NAD_EC1_Table>& ta = a->tables[k];
        const std::optional<NAD_EC1_Table>& tb = b->tables[k];
        if (!ta || !tb) continue;
        if (ta->has_values != tb->has_values) return 1;
        if (!ta->has_values) continue; // values not in force are not compared
        if (ta->values.size() != tb->values.size()) return 1;
        for (size_t i = 0; i < ta->values.size(); ++i) {
            if (std::fabs(ta->values[i] - tb->values[i]) > kTolerance) return 1;
        }
    }
    for (int k = 0; k < NAD_EC1_TABLE_COUNT; ++k) {
        if (a->table_options[k] != b->table_options[k]) return 1;
    }
    return 0;
}

void NAD_EC1_Free_Tables(NAD_EC1_Tables* tables)
{
    if (!tables) return;
    for (std::optional<NAD_EC1_Table>& slot : tables->tables) slot.reset();
}

void NAD_EC1_Load_Base_Tables()
{
    NAD_EC1_Load(0, "DIN 1055-(4+5)", &active_nad_set.ec1);
}
