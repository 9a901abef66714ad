#include "report/graphic_block.h"

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "base/component_files.h"
#include "base/guillemet.h"
#include "base/utilities.h"
#include "platform/environment.h"
#include "platform/paths.h"
#include "platform/tools.h"

const OLI_Graphic_Head OLI_DEFAULT_GRAPHIC_HEAD = {
    0u,                      // flags
    nullptr,                 // first head line
    nullptr,                 // second head line
    1,                       // kind
    {0.0, 10.0, 0.0, 5.0},   // window
    50.0,                    // value
    {0.0, 0.0, 0.0, 0.0},    // second window
    nullptr,                 // context
};

const OLI_Image_Options OLI_DEFAULT_IMAGE_OPTIONS = {
    0u,     // flags
    300,    // resolution
    1.0,    // scale x
    1.0,    // scale y
    10.0,   // width
    10.0,   // height
};

const OLI_GRAPHIC_Picture_Info OLI_DEFAULT_PICTURE_INFO = {
    "???", 0, 0, 300, 0.0, 0.0,
};

namespace {

constexpr const char* kPictureInfoKeyword = "OLI_GRAPHIC_Picture_Info";
constexpr size_t kBytesPerLine = 64;

// Straight into this runtime's stdio, as the text channel writes (report/oli_channel.cpp
// says why not through the registered stdio table).
bool Put(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool Put(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int r = std::vfprintf(stream, format, args);
    va_end(args);
    return r >= 0;
}

bool Put_Bytes(FILE* stream, const char* bytes, size_t n)
{
    return n == 0 || std::fwrite(bytes, 1, n, stream) == n;
}

// The text between the guillemet bytes.
bool Put_Guillemet(FILE* stream, const char* text, size_t n)
{
    return std::fputc(GUILLEMET_OPEN, stream) != EOF && Put_Bytes(stream, text, n) &&
           std::fputc(GUILLEMET_CLOSE, stream) != EOF;
}

bool Put_Window(FILE* stream, const double w[4])
{
    return Put(stream, "%.6g %.6g %.6g %.6g\n", w[0], w[1], w[2], w[3]);
}

// A head line from its callback, or "0 0 0".
bool Put_Head_Line(FILE* stream, OLI_Graphic_Head_Callback callback, void* context)
{
    if (callback != nullptr) return callback(stream, context) != 0;
    return Put(stream, "0 0 0\n");
}

// The whole file, or false when it cannot be opened or read.
bool Read_Whole_File(const char* path, std::vector<unsigned char>& bytes)
{
    FILE* f = Fopen_Mapped(path, "rb");
    if (f == nullptr) return false;
    unsigned char chunk[4096];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

// "{", the bytes as two lower-case hex digits each, 64 to a line, "}\n".
bool Put_Embedded_Bytes(FILE* stream, const std::vector<unsigned char>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text = "{";
    text.reserve(bytes.size() * 2 + bytes.size() / kBytesPerLine + 4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
        if ((i + 1) % kBytesPerLine == 0) text += '\n';
    }
    text += "}\n";
    return Put_Bytes(stream, text.data(), text.size());
}

}  // namespace

int OLI_Write_Graphic_Block(FILE* stream, const OLI_Graphic_Head* head)
{
    if (stream == nullptr) return -1;
    const OLI_Graphic_Head& h = head ? *head : OLI_DEFAULT_GRAPHIC_HEAD;
    if (!Put(stream, "\n\n#SHOWGRAFIC\n")) return -1;
    if (!Put_Head_Line(stream, h.head_line_1, h.context)) return -1;
    if (!Put_Head_Line(stream, h.head_line_2, h.context)) return -1;
    if (h.flags != 0 && !Put(stream, "-999 %d ", static_cast<int>(h.flags))) return -1;
    if (!Put(stream, "%d\n", h.kind)) return -1;
    if ((h.flags & OLI_GRAPHIC_SECOND_WINDOW) != 0 && !Put_Window(stream, h.second_window)) return -1;
    if (!Put_Window(stream, h.window)) return -1;
    if (h.kind == 3 && !Put(stream, "%.6g\n", h.value)) return -1;
    return 0;
}

int OLI_Write_Image_Reference(FILE* stream, double x, double y, const char* file_name,
                              const OLI_Image_Options* options)
{
    if (stream == nullptr || file_name == nullptr) return -1;
    const OLI_Image_Options& o = options ? *options : OLI_DEFAULT_IMAGE_OPTIONS;
    const bool embedded = (o.flags & OLI_IMAGE_EMBEDDED) != 0;

    // An embedded picture is read before anything is written, so that a file that
    // cannot be read leaves no half record behind.
    std::vector<unsigned char> bytes;
    if (embedded && !Read_Whole_File(file_name, bytes)) return -1;

    if (!Put(stream, "75 %d %.6g %.6g", static_cast<int>(o.flags), x, y)) return -1;
    if ((o.flags & OLI_IMAGE_RESOLUTION_MASK) != 0 && !Put(stream, " %d", o.resolution)) return -1;
    if ((o.flags & OLI_IMAGE_SCALES) != 0 && !Put(stream, " %.6g %.6g", o.scale_x, o.scale_y))
        return -1;
    if ((o.flags & OLI_IMAGE_SIZE_MASK) != 0 && !Put(stream, " %.6g %.6g", o.width, o.height))
        return -1;
    if (!Put(stream, " ")) return -1;

    const char* name = file_name;
    if (embedded) {
        // The extension of the file's own name: a dot in a folder name does not count.
        const char* base = file_name;
        for (const char* p = file_name; *p; ++p)
            if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
        const char* dot = std::strrchr(base, '.');
        name = dot ? dot : "";
    }
    if (!Put_Guillemet(stream, name, std::strlen(name)) || !Put(stream, "\n")) return -1;
    if (embedded && !Put_Embedded_Bytes(stream, bytes)) return -1;
    return 0;
}

int OLI_Write_Picture_Info(FILE* stream, const OLI_GRAPHIC_Picture_Info* info)
{
    if (stream == nullptr) return 0;
    const OLI_GRAPHIC_Picture_Info& p = info ? *info : OLI_DEFAULT_PICTURE_INFO;
    // The name need not be terminated within its 20 bytes.
    const void* end = std::memchr(p.file_name, 0, sizeof p.file_name);
    const size_t n = end ? static_cast<size_t>(static_cast<const char*>(end) - p.file_name)
                         : sizeof p.file_name;
    const bool ok = Put(stream, "%s\n", kPictureInfoKeyword) && Put_Guillemet(stream, p.file_name, n) &&
                    Put(stream, "\n") && Put(stream, "%d %d\n", p.pixels_x, p.pixels_y) &&
                    Put(stream, "%d\n", p.resolution) && Put(stream, "%.4f %.4f\n", p.width, p.height);
    return ok ? 1 : 0;
}

int OLI_Read_Picture_Info(FILE* stream, OLI_GRAPHIC_Picture_Info* info)
{
    if (info == nullptr) return 0;
    *info = OLI_DEFAULT_PICTURE_INFO;
    if (stream == nullptr) return 0;

    char word[64] = {};
    if (std::fscanf(stream, " %63s", word) != 1 || std::strcmp(word, kPictureInfoKeyword) != 0)
        return 0;

    OLI_GRAPHIC_Picture_Info read = OLI_DEFAULT_PICTURE_INFO;
    char name[GUILLEMET_TEXT_SIZE] = {};
    if (Read_Guillemet_Text(stream, name) < 0) return 0;
    Copy_String_Zero_Fill(read.file_name, name, sizeof read.file_name);
    if (std::fscanf(stream, " %d%d", &read.pixels_x, &read.pixels_y) != 2) return 0;
    if (std::fscanf(stream, " %d", &read.resolution) != 1) return 0;
    if (std::fscanf(stream, " %lf%lf", &read.width, &read.height) != 2) return 0;
    *info = read;
    return 1;
}

int OLI_Get_Picture_Info(const char* picture_file, OLI_GRAPHIC_Picture_Info* info)
{
    if (info != nullptr) *info = OLI_DEFAULT_PICTURE_INFO;
    if (info == nullptr || picture_file == nullptr || picture_file[0] == 0) return 0;

    char temp_name[COMPONENT_NAME_MAX + 1] = {};
    if (Make_Temp_File_Name(temp_name) == nullptr) return 0;

    int result = 0;
    const char* exec = ZAVGetEnv("EXEC");
    if (exec != nullptr) {
        const std::string tool = std::string(exec) + "\\Brosquel.exe";
        const char* const argv[] = {tool.c_str(), picture_file, temp_name, nullptr};
        ZAVSpawnv(0, tool.c_str(), argv);
        FILE* answer = Fopen_Mapped(temp_name, "r");
        if (answer != nullptr) {
            result = OLI_Read_Picture_Info(answer, info);
            std::fclose(answer);
        }
    }
    std::remove(Map_Path(temp_name).c_str());
    return result;
}
