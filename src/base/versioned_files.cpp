#include "base/versioned_files.h"

#include "base/alloc.h"
#include "base/component_files.h"
#include "base/run_globals.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/atomic_file.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <sys/stat.h>
#include <vector>

const char Data_Empty_Marker[11] = "!\xA7$%&/()=?";

namespace {

// A blank inside a text field is written as this byte, so that the text stays one word.
constexpr char TEXT_BLANK = '\x8C';

FILE* read_stream = nullptr;
FILE* write_stream = nullptr;
double file_version = 0.0;
std::vector<double> struct_versions;  // versions of the open structures, innermost last

bool Is_Space(int c) { return c != EOF && std::isspace(static_cast<unsigned char>(c)); }

// Skips white space and comments (from a '#' to the end of its line) before an item.
void Skip_To_Item(FILE* f)
{
    for (;;) {
        int c = std::getc(f);
        if (c == EOF) return;
        if (Is_Space(c)) continue;
        if (c == '#') {
            while (c != EOF && c != '\n') c = std::getc(f);
            continue;
        }
        std::ungetc(c, f);
        return;
    }
}

// One white-space delimited word of any length; false at the end of the file.
bool Read_Word(FILE* f, std::string* word)
{
    Skip_To_Item(f);
    word->clear();
    int c;
    while ((c = std::getc(f)) != EOF && !Is_Space(c)) word->push_back(static_cast<char>(c));
    if (c != EOF) std::ungetc(c, f);
    return !word->empty();
}

// A text field as stored back to the text: the blank byte becomes a blank; a lone blank
// or the empty marker mean the empty text.
std::string Decode_Text(std::string word)
{
    for (char& c : word)
        if (c == TEXT_BLANK) c = ' ';
    if (word == " " || word == Data_Empty_Marker) word.clear();
    return word;
}

// A text as it is written into a field: at most DATA_TEXT_MAX characters, every white-space
// byte as the blank byte (a tab or line end would split the field), the marker when empty.
std::string Encode_Text(const char* text)
{
    std::string word(text, strnlen(text, DATA_TEXT_MAX));
    for (char& c : word)
        if (Is_Space(static_cast<unsigned char>(c))) c = TEXT_BLANK;
    if (word.empty()) word = Data_Empty_Marker;
    return word;
}

int Round_Half_Away(double value) { return static_cast<int>(std::lround(value)); }

void Tell_Newer_Data()
{
    if (!refresh_mode) PrintMessage("Alte Programmversion -> kann Daten nicht lesen!");
}

// Reads one version value before which comments may stand.
bool Read_Version(FILE* f, double* version)
{
    Skip_To_Item(f);
    return std::fscanf(f, "%lf", version) == 1;
}

bool Put(int result) { return result >= 0; }

} // namespace

// ---------------------------------------------------------------- reading

int Begin_Data_File_Read(FILE* stream, double program_version)
{
    read_stream = stream;
    struct_versions.clear();
    file_version = 0.0;
    if (!stream) return 1;
    double v = 0.0;
    if (!Read_Version(stream, &v)) return 1;
    file_version = v;
    if (v == -1.0) return -1;
    if (v > program_version) {
        Tell_Newer_Data();
        return 2;
    }
    return 0;
}

double Get_Data_File_Version() { return file_version; }

int Begin_Data_Struct_Read(double program_version)
{
    double v = 0.0;
    if (!read_stream || !Read_Version(read_stream, &v)) return 1;
    // Kept also when refused, so that the caller's End_Data_Struct_Read stays paired.
    struct_versions.push_back(v);
    if (v > program_version) {
        Tell_Newer_Data();
        return 2;
    }
    return 0;
}

int End_Data_Struct_Read()
{
    if (struct_versions.empty()) return 1;
    struct_versions.pop_back();
    return 0;
}

double Get_Data_Struct_Version() { return struct_versions.empty() ? file_version : struct_versions.back(); }

void Set_Data_Struct_Version(double version)
{
    if (struct_versions.empty())
        file_version = version;
    else
        struct_versions.back() = version;
}

int Read_Data_Field(void* target, char type, double since_version, double default_value)
{
    if (!target) return 1;
    if (Get_Data_Struct_Version() < since_version) {
        switch (type) {
        case 'c': *static_cast<char*>(target) = 0; return 0;
        case 'd': *static_cast<double*>(target) = default_value; return 0;
        case 'i': *static_cast<int*>(target) = Round_Half_Away(default_value); return 0;
        case 's':
        case 't': static_cast<char*>(target)[0] = '\0'; return 0;
        default: return 1;
        }
    }
    if (!read_stream) return 1;
    switch (type) {
    case 'c': {
        Skip_To_Item(read_stream);
        int c = std::getc(read_stream);
        if (c == EOF) return 1;
        *static_cast<char*>(target) = static_cast<char>(c);
        return 0;
    }
    case 'd':
        Skip_To_Item(read_stream);
        return std::fscanf(read_stream, "%lf", static_cast<double*>(target)) == 1 ? 0 : 1;
    case 'i':
        Skip_To_Item(read_stream);
        return std::fscanf(read_stream, "%d", static_cast<int*>(target)) == 1 ? 0 : 1;
    case 's':
    case 't': {
        std::string word;
        if (!Read_Word(read_stream, &word)) return 1;
        // A longer word than this program writes is cut, never written past the target.
        std::string text = Decode_Text(word.substr(0, DATA_TEXT_MAX));
        std::memcpy(target, text.c_str(), text.size() + 1);
        return 0;
    }
    default: return 1;
    }
}

int Skip_Data_Field(char type)
{
    if (!read_stream) return 1;
    switch (type) {
    case 'c':
    case 'd':
    case 'i':
    case 's':
    case 't': {
        std::string word;
        return Read_Word(read_stream, &word) ? 0 : 1;
    }
    default: return 1;
    }
}

int Read_Data_Text(std::string* target, double since_version, const char* default_text)
{
    if (!target) return 1;
    if (Get_Data_Struct_Version() < since_version) {
        *target = default_text ? default_text : "";
        return 0;
    }
    std::string word;
    if (!read_stream || !Read_Word(read_stream, &word)) return 1;
    *target = Decode_Text(std::move(word));
    return 0;
}

int Read_Data_Long_Text(char** target, double since_version, const char* default_text)
{
    if (!target) return 1;
    *target = nullptr;
    if (Get_Data_Struct_Version() < since_version) {
        if (default_text && *default_text) *target = MEM_STRDUP(default_text);
        return 0;
    }
    if (!read_stream) return 1;
    int length = 0;
    Skip_To_Item(read_stream);
    if (std::fscanf(read_stream, "%d", &length) != 1) return 1;
    if (length < 0 || length > DATA_LONG_TEXT_MAX) return 1;
    // The length field ends with a blank and one more blank leads the text.
    for (int i = 0; i < 2; ++i) {
        int c = std::getc(read_stream);
        if (c != ' ') {
            if (c != EOF) std::ungetc(c, read_stream);
            break;
        }
    }
    if (length == 0) return 0;
    char* text = static_cast<char*>(MEM_MALLOC(static_cast<uint32_t>(length) + 1));
    if (!text) Abort_Out_Of_Memory();
    if (std::fread(text, 1, static_cast<size_t>(length), read_stream) != static_cast<size_t>(length)) {
        MEM_FREE(text);
        return 1;
    }
    text[length] = '\0';
    *target = text;
    return 0;
}

int Read_Data_Int_Since(double since_version, double default_value)
{
    if (Get_Data_Struct_Version() < since_version || !read_stream) return Round_Half_Away(default_value);
    int value = 0;
    Skip_To_Item(read_stream);
    if (std::fscanf(read_stream, "%d", &value) != 1) return Round_Half_Away(default_value);
    return value;
}

int Read_Data_Int(int* target)
{
    if (!target || !read_stream) return 1;
    Skip_To_Item(read_stream);
    return std::fscanf(read_stream, "%d", target) == 1 ? 0 : 1;
}

long Get_Data_Read_Pos() { return read_stream ? std::ftell(read_stream) : -1L; }

int Set_Data_Read_Pos(long position)
{
    if (!read_stream || position < 0) return 1;
    return std::fseek(read_stream, position, SEEK_SET) == 0 ? 0 : 1;
}

// ---------------------------------------------------------------- writing

int Begin_Data_File_Write(FILE* stream, double data_version)
{
    write_stream = stream;
    if (!stream) return 1;
    return Put(std::fprintf(stream, " %lf  # Datenversionsnummer\n", data_version)) ? 0 : 1;
}

int Write_Data_Struct_Version(double version)
{
    if (!write_stream) return 1;
    return Put(std::fprintf(write_stream, " %lf # Strukturversionsnummer\n", version)) ? 0 : 1;
}

int Write_Data_Comment(const char* text)
{
    if (!write_stream) return 1;
    // A line end inside the comment would turn its rest into data.
    std::string line = text ? text : "";
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return Put(std::fprintf(write_stream, "# %s\n", line.c_str())) ? 0 : 1;
}

int Write_Data_Field(const void* value, char type)
{
    if (!write_stream || !value) return 1;
    int r = -1;
    switch (type) {
    case 'c': r = std::fprintf(write_stream, " %c ", *static_cast<const char*>(value)); break;
    case 'd': r = std::fprintf(write_stream, " %e ", *static_cast<const double*>(value)); break;
    case 'i': r = std::fprintf(write_stream, " %d ", *static_cast<const int*>(value)); break;
    case 's':
    case 't': r = std::fprintf(write_stream, " %s ", Encode_Text(static_cast<const char*>(value)).c_str()); break;
    default: return 1;
    }
    return Put(r) ? 0 : 1;
}

int Write_Data_Default_Field(char type)
{
    switch (type) {
    case 'c': {
        const char c = '*';
        return Write_Data_Field(&c, 'c');
    }
    case 'd': {
        const double d = -1.0;
        return Write_Data_Field(&d, 'd');
    }
    case 'i': {
        const int i = 0;
        return Write_Data_Field(&i, 'i');
    }
    case 's':
    case 't': return Write_Data_Field("***", type);
    default: return 1;
    }
}

int Write_Data_Long_Text(const char* text)
{
    if (!write_stream) return 1;
    const size_t n = text ? std::strlen(text) : 0;
    if (n > static_cast<size_t>(DATA_LONG_TEXT_MAX)) return 1;  // could never be read back
    const int length = static_cast<int>(n);
    if (Write_Data_Field(&length, 'i') != 0) return 1;
    if (!Put(std::fprintf(write_stream, " "))) return 1;
    if (n > 0 && std::fwrite(text, 1, n, write_stream) != n) return 1;
    return Put(std::fprintf(write_stream, "\n")) ? 0 : 1;
}

int End_Data_Struct_Write()
{
    if (!write_stream) return 1;
    return Put(std::fprintf(write_stream, "\n")) ? 0 : 1;
}

// ---------------------------------------------------------------- temporary backup

namespace {

struct Temp_Backup_State {
    Backup_Read_Fct read_function = nullptr;
    Backup_Write_Fct write_function = nullptr;
    std::string backup_name;
    std::string second_copy_name;
    std::string compare_name;
    std::string further_name;
    bool enabled = true;
};
Temp_Backup_State backup;

int Remove_File(const std::string& name)
{
    if (name.empty()) return 1;
    return std::remove(Map_Path(name).c_str()) == 0 ? 0 : 1;
}

FILE* Open_For_Read(const std::string& name)
{
    if (!backup.enabled || name.empty() || !File_Exists(name.c_str())) return nullptr;
    return Fopen_Mapped(name.c_str(), "r");
}

} // namespace

void Init_Temp_Backup(Backup_Read_Fct read_function, Backup_Write_Fct write_function, const char* directory,
                      const char* stem, const char* further_name)
{
    const std::string base = std::string(directory ? directory : "") + (stem ? stem : "");
    backup.read_function = read_function;
    backup.write_function = write_function;
    backup.backup_name = base + ".bak";
    backup.second_copy_name = base + ".clcbak";
    backup.compare_name = base + ".cmp";
    backup.further_name = further_name ? further_name : "";
    backup.enabled = true;
}

void Disable_Temp_Backup() { backup.enabled = false; }

int Write_Backup_To(const char* path)
{
    if (!backup.enabled || !backup.write_function || !path || !*path) return 1;
    Atomic_File file(path);
    if (!file.Stream()) return 1;
    if (backup.write_function(file.Stream()) != 0) return 1;  // the old file stays
    return file.Commit() ? 0 : 1;
}

int Write_Temp_Backup() { return Write_Backup_To(backup.backup_name.c_str()); }
int Write_Second_Copy() { return Write_Backup_To(backup.second_copy_name.c_str()); }

FILE* Open_Temp_Backup_For_Read() { return Open_For_Read(backup.backup_name); }
FILE* Open_Second_Copy_For_Read() { return Open_For_Read(backup.second_copy_name); }
FILE* Open_Backup_For_Read(const char* path) { return path ? Open_For_Read(path) : nullptr; }

int Compare_Files(const char* path_a, const char* path_b)
{
    if (!backup.enabled || !path_a || !path_b) return 1;
    FILE* a = Fopen_Mapped(path_a, "rb");
    FILE* b = Fopen_Mapped(path_b, "rb");
    int result = 1;
    if (a && b) {
        result = 0;
        char buffer_a[4096], buffer_b[4096];
        for (;;) {
            const size_t na = std::fread(buffer_a, 1, sizeof buffer_a, a);
            const size_t nb = std::fread(buffer_b, 1, sizeof buffer_b, b);
            if (na != nb || std::memcmp(buffer_a, buffer_b, na) != 0) {
                result = 1;
                break;
            }
            if (na == 0) break;
        }
        if (std::ferror(a) || std::ferror(b)) result = 1;
    }
    if (a) std::fclose(a);
    if (b) std::fclose(b);
    return result;
}

int Has_Data_Changed()
{
    if (!backup.further_name.empty() && !File_Exists(backup.further_name.c_str())) return 1;
    // Data that cannot be written for the comparison count as changed: an older
    // comparison file must not answer for them.
    if (Write_Backup_To(backup.compare_name.c_str()) != 0) return 1;
    return Compare_Files(backup.compare_name.c_str(), backup.second_copy_name.c_str());
}

int Remove_Temp_Backup() { return Remove_File(backup.backup_name); }
int Remove_Second_Copy() { return Remove_File(backup.second_copy_name); }

int Remove_All_Backups()
{
    Remove_Temp_Backup();
    Remove_Second_Copy();
    Remove_File(backup.compare_name);
    for (const std::string* name : {&backup.backup_name, &backup.second_copy_name, &backup.compare_name})
        if (!name->empty() && File_Exists(name->c_str())) return 1;
    return 0;
}

int Offer_Temp_Backup()
{
    if (!backup.enabled || !Temp_Backup_Exists()) return 0;
    if (Write_Backup_To(backup.compare_name.c_str()) == 0 &&
        Compare_Files(backup.compare_name.c_str(), backup.backup_name.c_str()) == 0) {
        Remove_All_Backups();
        return 0;
    }

    Init_Message();
    Fill_Message("Es existiert noch eine tempor\xE4re Sicherung, die w\xE4hrend");
    Fill_Message("der letzten Bearbeitung der Position angelegt wurde.");
    Fill_Message("Dies l\xE4\xDFt auf einen irregul\xE4ren Abbruch schlie\xDF"
                 "en.");
    Fill_Message("");
    Fill_Message("Soll die tempor\xE4re Sicherung anstelle der");
    Fill_Message("\xE4lteren regul\xE4ren Sicherung geladen werden?");
    int result = 0;
    const int answer = Answer_Yes_No_Or_Back();
    if (answer < 0) return 0;
    if (answer) {
        FILE* f = Open_Temp_Backup_For_Read();
        const bool ok = f && backup.read_function && backup.read_function(f) == 0;
        if (f) std::fclose(f);
        if (!ok) {
            PrintMessage("Datensatz der tempor\xE4ren Sicherung nicht lesbar!");
            result = 1;
        }
    }
    Remove_All_Backups();
    return result;
}

int Temp_Backup_Exists() { return !backup.backup_name.empty() && File_Exists(backup.backup_name.c_str()); }

int File_Exists(const char* path)
{
    if (!path || !*path) return 0;
    struct stat info;
    return ::stat(Map_Path(path).c_str(), &info) == 0 ? 1 : 0;
}

int Copy_File(const char* source_path, const char* destination_path)
{
    if (!source_path || !destination_path) return 1;
    FILE* source = Fopen_Mapped(source_path, "rb");
    if (!source) return 1;
    Atomic_File destination(destination_path);
    if (!destination.Stream()) {
        std::fclose(source);
        return 1;
    }
    bool ok = true;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, source)) > 0) {
        if (std::fwrite(buffer, 1, n, destination.Stream()) != n) {
            ok = false;
            break;
        }
    }
    if (std::ferror(source)) ok = false;
    std::fclose(source);
    // A copy that failed anywhere leaves the destination as it was.
    return ok && destination.Commit() ? 0 : 1;
}

int Copy_Component_File_To(const char* source_suffix, const char* destination_suffix)
{
    const char* name = Get_Component_File_Name(source_suffix);
    if (!name) return 1;
    const std::string source = name;  // the next call overwrites the shared buffer
    name = Get_Component_File_Name(destination_suffix);
    if (!name) return 1;
    return Copy_File(source.c_str(), name);
}

const std::string& Temp_Backup_Name() { return backup.backup_name; }
const std::string& Second_Copy_Name() { return backup.second_copy_name; }
const std::string& Compare_File_Name() { return backup.compare_name; }
