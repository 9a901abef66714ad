#include "report/position_title.h"

#include "base/run_globals.h"
#include "base/stdio_table.h"
#include "base/text_lines.h"
#include "platform/environment.h"
#include "platform/paths.h"
#include "report/oli_channel.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr size_t number_width = 6;
constexpr size_t title_width = 50;

struct File_Closer {
    void operator()(FILE* f) const { std::fclose(f); }
};

} // namespace

int Read_Position_Title(const char* path)
{
    position_number.clear();
    position_title.clear();
    if (!path) return 1;
    std::unique_ptr<FILE, File_Closer> file(Fopen_Mapped(path, "r"));
    if (!file) return 1;

    std::string first, second, third;
    if (!Read_Whole_Line(file.get(), first)) return 1;
    if (!Read_Whole_Line(file.get(), second)) {
        // One line: number before the first ':', title behind it.
        size_t colon = first.find(':');
        position_number = first.substr(0, std::min(colon, number_width));
        if (colon != std::string::npos) position_title = first.substr(colon + 1, title_width);
        return 0;
    }
    position_number = second.substr(0, number_width);
    if (!Read_Whole_Line(file.get(), third)) return 1;
    position_title = third.substr(0, title_width);
    return 0;
}

void Load_Position_Title(const char* component_identifier)
{
    // The text lies beside the position's files: the identifier's folder stays, and the
    // first four characters are those of its last name.
    const std::string id = component_identifier ? component_identifier : "";
    size_t name_start = id.find_last_of("\\/");
    if (name_start == std::string::npos) name_start = id.find(':');
    name_start = name_start == std::string::npos ? 0 : name_start + 1;
    Read_Position_Title((id.substr(0, name_start) + id.substr(name_start, 4) + txt_file_name).c_str());
}

void Install_Stdio_And_Mouse_Wheel() { Install_Stdio_And_Mouse_Wheel_Result(); }

int Install_Stdio_And_Mouse_Wheel_Result()
{
    Register_Stdio_Table();
    return Set_MouseWheel_Activity(1);
}

int Write_Error_List_Row(FILE* stream, int code, const char* text)
{
    // The rows stand inside a table block of their own: written straight to the stream,
    // not as running text of the report channel.
    if (stream) std::fprintf(stream, " %s\n", text ? text : "");
    return code;
}
