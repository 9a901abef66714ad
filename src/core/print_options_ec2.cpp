#include "core/print_options_ec2.h"

#include "base/alloc.h"
#include "base/component_files.h"
#include "core/load_tables.h"
#include "report/print_options.h"
#include "report/text_utils.h"

#include <cstring>
#include <string>

namespace {

const char* const REMARKS_TAG = "ec2_oliprops";

constexpr int DEFAULT_SWITCHES[EC2_PRINT_SWITCH_COUNT] = {1, 0, 1, 1, 0, 1, 1, 1, 1, 3, 1, 0, 1};

void Free_Remarks(EC2_Print_Options* record)
{
    if (record->remarks) Mem_Free(__FILE__, __LINE__, REMARKS_TAG, record->remarks);
    record->remarks = nullptr;
}

char* New_Remarks(const std::string& text)
{
    auto* copy = static_cast<char*>(
        Mem_Calloc(__FILE__, __LINE__, REMARKS_TAG, static_cast<uint32_t>(text.size() + 1), 1));
    if (!copy) Abort_Out_Of_Memory();
    std::memcpy(copy, text.data(), text.size());
    return copy;
}

// Whether a switch read from a file holds a value the program can have written: the
// detail level one of its six, the combination choice 1, 0 or the number of a row the
// tables can hold, every other switch 0 or 1.
bool Switch_In_Range(int index, int value)
{
    switch (index) {
    case EC2_PRINT_DETAIL_LEVEL: return value >= 0 && value <= 5;
    case EC2_PRINT_DETAIL_CASE: return value >= -LOAD_TABLE_MAX_ROWS && value <= 1;
    default: return value == 0 || value == 1;
    }
}

// Bytes from the stream's position to its end; -1 when the stream cannot tell.
long Bytes_Left(FILE* stream)
{
    const long here = std::ftell(stream);
    if (here < 0) return -1;
    if (std::fseek(stream, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(stream);
    if (std::fseek(stream, here, SEEK_SET) != 0 || end < 0) return -1;
    return end - here;
}

} // namespace

void Init_EC2_Print_Options(EC2_Print_Options* record)
{
    if (!record) return;
    for (int i = 0; i < EC2_PRINT_SWITCH_COUNT; ++i) record->switches[i] = DEFAULT_SWITCHES[i];
    record->scale = 0.0;
    Free_Remarks(record);
}

void Copy_EC2_Print_Options(const EC2_Print_Options* source, EC2_Print_Options* destination)
{
    if (!source || !destination) return;
    // Taken before the defaults free the destination's text (the two may be one record).
    const std::string remarks = source->remarks ? source->remarks : "";
    int switches[EC2_PRINT_SWITCH_COUNT];
    std::memcpy(switches, source->switches, sizeof switches);
    const double scale = source->scale;
    Init_EC2_Print_Options(destination);
    std::memcpy(destination->switches, switches, sizeof switches);
    destination->scale = scale;
    if (!remarks.empty()) destination->remarks = New_Remarks(remarks);
}

int Write_EC2_Print_Options(FILE* stream, EC2_Print_Options* record)
{
    if (!stream || !record) return 1;
    const int* s = record->switches;
    if (std::fprintf(stream, " %d\n", EC2_PRINT_OPTIONS_VERSION) < 0) return 1;
    if (std::fprintf(stream, " %d %d %d %d %d %lf %d %d %d %d %d %d %d %d\n", s[0], s[1], s[2], s[3], s[9],
                     record->scale, s[4], s[5], s[6], s[7], s[8], s[10], s[11], s[12]) < 0)
        return 1;

    // The remarks are one word in the file: blanks as '~'. Carriage returns stay out, so
    // that the length counts exactly the characters the reader takes back.
    std::string remarks;
    if (record->remarks)
        for (const char* c = record->remarks; *c; ++c)
            if (*c != '\r') remarks += *c;
    if (std::fprintf(stream, " %d", static_cast<int>(remarks.size())) < 0) return 1;
    if (!remarks.empty()) {
        Replace_Blanks_With_Tildes(remarks.data());
        if (std::fprintf(stream, " %s", remarks.c_str()) < 0) return 1;
    }
    std::fprintf(stream, "\n");
    // In memory the text now reads as it will come back from the file.
    if (record->remarks) Replace_Tildes_With_Blanks(record->remarks);
    return std::ferror(stream) ? 1 : 0;
}

int Read_EC2_Print_Options(FILE* stream, EC2_Print_Options* record)
{
    if (!stream || !record) return 1;
    int version = 0;
    if (!Scan_Int(stream, &version)) return 1;
    if (!Check_File_Version(version, EC2_PRINT_OPTIONS_VERSION, 0)) return 1;

    // The file's order of the switches; the scale stands between the fifth and the sixth.
    int* s = record->switches;
    for (int i : {0, 1, 2, 3, 9})
        if (!Scan_Int(stream, &s[i])) return 1;
    if (std::fscanf(stream, "%lf", &record->scale) != 1) return 1;
    for (int i : {4, 5, 6, 7, 8, 10, 11, 12})
        if (!Scan_Int(stream, &s[i])) return 1;
    // A value no sheet can have stored (a damaged digit) would choose a report part or a
    // row that is not there: the switch keeps its default.
    for (int i = 0; i < EC2_PRINT_SWITCH_COUNT; ++i)
        if (!Switch_In_Range(i, s[i])) s[i] = DEFAULT_SWITCHES[i];

    int length = 0;
    if (!Scan_Int(stream, &length)) return 1;
    // No text follows a length below 1; the remarks held so far stay.
    if (length < 1) return 0;
    // A length the writer cannot have written is a damaged file, not a text to allocate.
    if (length > EC2_PRINT_REMARKS_MAX) return 1;
    const long left = Bytes_Left(stream);
    if (left >= 0 && left < static_cast<long>(length) + 1) return 1;

    std::string text;
    if (!Read_Remarks_Text(stream, length, text)) return 1;
    Free_Remarks(record);
    record->remarks = New_Remarks(text);
    return 0;
}

void Write_Print_Remarks(FILE* report, const char* text)
{
    OLI_Write_Preliminary_Remarks(report, text);
}

// The steel programs' sheet wraps its remarks alike.
int Wrap_Print_Remarks(char* text) { return Wrap_Steel_Remarks(text); }
