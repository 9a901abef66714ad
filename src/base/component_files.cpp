#include "base/component_files.h"

#include "base/text_lines.h"
#include "platform/environment.h"
#include "platform/file_search.h"
#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

char component_path[COMPONENT_NAME_MAX + 1] = "";
int component_path_len = 0;
char component_dir[COMPONENT_NAME_MAX + 1] = "";

namespace {

char shared_name[COMPONENT_NAME_MAX + 1] = "";

struct Temp_File_Row {
    FILE* stream = nullptr;
    std::string name;
};
Temp_File_Row temp_files[5];

// The component path followed by the suffix; false when the name would reach 261
// characters, which the environment cannot use.
bool Compose(const char* suffix, std::string& name)
{
    name.assign(component_path, static_cast<size_t>(component_path_len));
    if (suffix) name += suffix;
    return name.size() <= static_cast<size_t>(COMPONENT_NAME_MAX);
}

void Copy_Into(char* buffer, size_t size, const std::string& text)
{
    size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

bool Is_Space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

int32_t Clamp_To_Int32(long long v)
{
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Walks the words of a line: skips white space, converts one value at the start of the
// word, skips the rest of the word. Stops at n values or the first word that does not
// begin with a number. Returns the number stored.
template <typename T, typename Convert>
int Convert_Line(const std::string& line, T* values, int n, Convert convert)
{
    const char* p = line.c_str();
    int stored = 0;
    while (stored < n) {
        while (*p && Is_Space(*p)) ++p;
        char* end = nullptr;
        T v = convert(p, &end);
        if (end == p) break;
        p = end;
        while (*p && !Is_Space(*p)) ++p;
        values[stored++] = v;
    }
    return stored;
}

double Convert_Double(const char* p, char** end) { return std::strtod(p, end); }

int32_t Convert_Int(const char* p, char** end)
{
    return Clamp_To_Int32(std::strtoll(p, end, 0));
}

template <typename T, typename Convert>
int Read_Line_Values(FILE* stream, T* values, int n, Convert convert)
{
    if (!values || n < 1) return 0;
    std::string line;
    int stored = 0;
    bool read = stream && Read_Whole_Line(stream, line);
    if (read) stored = Convert_Line(line, values, n, convert);
    for (int i = stored; i < n; ++i) values[i] = T{};
    return read ? 1 : 0;
}

} // namespace

const char* Set_Component_Path(const char* identifier)
{
    std::string id = identifier ? identifier : "";
    if (id.size() > static_cast<size_t>(COMPONENT_NAME_MAX)) id.resize(COMPONENT_NAME_MAX);
    std::memcpy(component_path, id.c_str(), id.size() + 1);
    component_path_len = static_cast<int>(id.size());

    // Only the backslash separates directories in the environment's identifiers.
    size_t cut = id.rfind('\\');
    if (cut != std::string::npos) {
        Copy_Into(component_dir, sizeof component_dir, id.substr(0, cut));
    } else if ((cut = id.rfind(':')) != std::string::npos) {
        Copy_Into(component_dir, sizeof component_dir, id.substr(0, cut + 1));
    } else if (!::getcwd(component_dir, sizeof component_dir)) {
        component_dir[0] = '\0';
    }
    return component_path;
}

const char* Get_Component_Path() { return component_path; }

const char* Get_Component_Dir() { return component_dir; }

char* Make_Component_File_Name(char* buffer, const char* suffix, int size)
{
    if (!buffer || size < 1) return nullptr;
    std::string name(component_path, static_cast<size_t>(component_path_len));
    if (suffix) name += suffix;
    Copy_Into(buffer, static_cast<size_t>(size), name);
    return name.size() < static_cast<size_t>(size) ? buffer : nullptr;
}

FILE* Open_Component_File(const char* suffix, const char* mode)
{
    std::string name;
    if (!mode || !Compose(suffix, name)) return nullptr;
    return Fopen_Mapped(name.c_str(), mode);
}

const char* Get_Component_File_Name(const char* suffix)
{
    std::string name;
    if (!Compose(suffix, name)) return nullptr;
    Copy_Into(shared_name, sizeof shared_name, name);
    return shared_name;
}

bool Component_File_Exists(const char* suffix)
{
    const char* name = Get_Component_File_Name(suffix);
    return name && _access(name, 0) == 0;
}

int Remove_Component_File(const char* suffix)
{
    const char* name = Get_Component_File_Name(suffix);
    if (!name) return 1;
    return std::remove(Map_Path(name).c_str()) == 0 ? 0 : 1;
}

bool Copy_Component_File(const char* source_suffix, const char* destination_suffix, int flag)
{
    std::string from, to;
    if (!Compose(source_suffix, from) || !Compose(destination_suffix, to)) return false;
    return ZAVCopyFile(from.c_str(), to.c_str(), flag) != 0;
}

bool Rename_Component_File(const char* old_suffix, const char* new_suffix)
{
    std::string from, to;
    if (!Compose(old_suffix, from) || !Compose(new_suffix, to)) return false;
    return std::rename(Map_Path(from).c_str(), Map_Path(to).c_str()) == 0;
}

int Remove_Component_Files(const char* suffix_pattern)
{
    std::string pattern;
    if (!Compose(suffix_pattern, pattern)) return -1;

    // The file-name part follows the last directory separator (either slash, so that a
    // match is never looked for in one directory and removed from another), else the
    // drive's colon.
    size_t start = pattern.find_last_of("\\/");
    if (start != std::string::npos) {
        ++start;
    } else {
        start = pattern.find(':');
        start = start == std::string::npos ? 0 : start + 1;
    }
    std::string directory = pattern.substr(0, start);

    int removed = 0;
    DOS_Find_Record found;
    for (int r = DOSFindFirstFile(pattern.c_str(), &found); r == 0; r = DOSFindNext(&found)) {
        std::string name = directory + found.name;
        char full[COMPONENT_NAME_MAX + 1];
        if (!_fullpath(full, name.c_str(), sizeof full)) continue;
        if (std::remove(Map_Path(full).c_str()) == 0) ++removed;
    }
    DOSFindClose(&found);
    return removed;
}

char* Make_Temp_File_Name(char* buffer)
{
    if (!buffer) return nullptr;
    // Only the name is wanted: the empty file that reserved it goes again at once.
    const char* temp = ZAVGetEnv("TEMP");
    if (temp && Get_Temp_File_Name(temp, "ZAV", buffer, COMPONENT_NAME_MAX + 1) != 0) {
        std::remove(Map_Path(buffer).c_str());
        return buffer;
    }
    std::error_code ec;
    std::string system_temp = std::filesystem::temp_directory_path(ec).string();
    if (!ec && Get_Temp_File_Name(system_temp.c_str(), "ZAV", buffer, COMPONENT_NAME_MAX + 1) != 0) {
        std::remove(Map_Path(buffer).c_str());
        return buffer;
    }
    return nullptr;
}

FILE* Open_Temp_File(const char* mode)
{
    if (!mode) return nullptr;
    for (Temp_File_Row& row : temp_files) {
        if (row.stream) continue;
        char name[COMPONENT_NAME_MAX + 1];
        if (!Make_Temp_File_Name(name)) return nullptr;
        FILE* f = Fopen_Mapped(name, mode);
        if (!f) return nullptr;
        row.stream = f;
        row.name = name;
        return f;
    }
    return nullptr;
}

bool Close_Temp_File(FILE* stream)
{
    if (!stream) return false;
    for (Temp_File_Row& row : temp_files) {
        if (row.stream != stream) continue;
        bool closed = std::fclose(stream) == 0;
        std::remove(Map_Path(row.name).c_str());
        row.stream = nullptr;
        row.name.clear();
        return closed;
    }
    return false;
}

int Read_Line_Doubles(FILE* stream, double* values, int n)
{
    return Read_Line_Values(stream, values, n, Convert_Double);
}

int Read_Line_Ints(FILE* stream, int32_t* values, int n)
{
    return Read_Line_Values(stream, values, n, Convert_Int);
}

int Scan_Doubles(FILE* stream, double* values, int n)
{
    if (!stream || !values || n < 1) return 0;
    int count = 0;
    while (count < n && std::fscanf(stream, " %lf", &values[count]) == 1) ++count;
    for (int i = count; i < n; ++i) values[i] = 0.0;
    return count;
}

int Scan_Ints(FILE* stream, int32_t* values, int n)
{
    if (!stream || !values || n < 1) return 0;
    int count = 0;
    long long v = 0;
    while (count < n && std::fscanf(stream, " %lli", &v) == 1) values[count++] = Clamp_To_Int32(v);
    for (int i = count; i < n; ++i) values[i] = 0;
    return count;
}

bool Scan_Int(FILE* stream, int* value)
{
    if (!stream || !value) return false;
    int c = std::getc(stream);
    while (c != EOF && std::isspace(c)) c = std::getc(stream);
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = std::getc(stream);
    // The magnitude stops growing once it is out of range: further digits cannot bring it back.
    long long magnitude = 0;
    bool digits = false;
    for (; c != EOF && std::isdigit(c); c = std::getc(stream)) {
        digits = true;
        if (magnitude <= static_cast<long long>(INT_MAX) + 1) magnitude = magnitude * 10 + (c - '0');
    }
    if (c != EOF) std::ungetc(c, stream);
    const long long number = negative ? -magnitude : magnitude;
    if (!digits || number < INT_MIN || number > INT_MAX) return false;
    *value = static_cast<int>(number);
    return true;
}
