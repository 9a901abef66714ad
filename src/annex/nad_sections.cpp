#include "annex/nad_sections.h"

#include "base/text_lines.h"

#include <cstring>
#include <vector>

int nad_trace = 0;

int din1045_1_edition = 1;
int en1992_1_2_edition = 0;
int en1993_edition = 0;

int NAD_Find_Section(FILE* stream, const char* keyword, const char* stop_tag, int* version)
{
    if (!stream || !keyword) return 0;
    const long start = std::ftell(stream);
    const size_t keyword_length = std::strlen(keyword);
    const size_t stop_length = stop_tag ? std::strlen(stop_tag) : 0;

    // Whole lines are read, so the tail of an over-long line is never taken for a line of
    // its own that might begin with the keyword.
    std::string line;
    while (Read_Whole_Line(stream, line)) {
        if (line.compare(0, keyword_length, keyword) == 0) {
            if (version) {
                int number = 0;
                if (std::sscanf(line.c_str() + keyword_length, "%d", &number) == 1) *version = number;
            }
            return 1;
        }
        if (stop_tag && line.compare(0, stop_length, stop_tag) == 0) {
            if (start >= 0) std::fseek(stream, start, SEEK_SET);
            return 2;
        }
        if (nad_trace) std::printf("***** Spooling *****: %s\n", line.c_str());
    }
    if (start >= 0) {
        std::fseek(stream, start, SEEK_SET); // also clears the end-of-file state
    } else {
        std::clearerr(stream);
    }
    return 0;
}

namespace {

std::vector<std::string>& Failed_Parts()
{
    static std::vector<std::string> parts;
    return parts;
}

} // namespace

void NAD_Clear_Read_Failures()
{
    Failed_Parts().clear();
}

void NAD_Note_Read_Failure(const char* part_name)
{
    Failed_Parts().emplace_back(part_name ? part_name : "");
}

int NAD_Read_Failure_Count()
{
    return static_cast<int>(Failed_Parts().size());
}

std::vector<std::string> NAD_Read_Failure_List() { return Failed_Parts(); }

std::string NAD_Read_Failure_Parts()
{
    std::string text;
    for (const std::string& part : Failed_Parts()) {
        if (!text.empty()) text += ", ";
        text += part;
    }
    return text;
}

void Set_DIN1045_1_Edition(int edition)
{
    din1045_1_edition = edition;
}

int Get_DIN1045_1_Edition()
{
    return din1045_1_edition;
}

void Set_EN1992_1_2_Edition(int edition)
{
    en1992_1_2_edition = edition;
}

int Get_EN1992_1_2_Edition()
{
    return en1992_1_2_edition;
}

void Set_EN1993_Edition(int edition)
{
    en1993_edition = edition;
}

int Get_EN1993_Edition()
{
    return en1993_edition;
}

void Reset_Edition_Switch()
{
    Set_EN1993_Edition(0);
}
