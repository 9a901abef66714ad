#include "report/print_options.h"

#include "base/alloc.h"
#include "platform/environment.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/text_utils.h"
#include "report/user_comment.h"

#include <cstring>
#include <string>


namespace {

const char* const REMARKS_TAG = "oliprops";

constexpr int32_t DEFAULT_SWITCHES[STEEL_PRINT_SWITCH_COUNT] = {1, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0};

void Free_Remarks(Steel_Print_Options* record)
{
    if (record->remarks) Mem_Free(__FILE__, __LINE__, REMARKS_TAG, record->remarks);
    record->remarks = nullptr;
}

char* New_Remarks(const char* text, size_t length)
{
    auto* copy = static_cast<char*>(
        Mem_Calloc(__FILE__, __LINE__, REMARKS_TAG, static_cast<uint32_t>(length + 1), 1));
    if (!copy) Abort_Out_Of_Memory();
    std::memcpy(copy, text, length);
    return copy;
}

// Reads one "%d"; false when none can be read.
bool Read_Int(FILE* stream, int32_t& value)
{
    int v = 0;
    if (std::fscanf(stream, "%d", &v) != 1) return false;
    value = v;
    return true;
}

} // namespace

// Reads the remarks text of the given length after its separating character. CR LF is
// taken as LF and not counted, so a file whose line ends were converted reads the same.
// False when the text is cut short by the end of the file.
bool Read_Remarks_Text(FILE* stream, int length, std::string& text)
{
    if (std::fgetc(stream) == EOF) return false;  // the separating blank
    text.clear();
    text.reserve(static_cast<size_t>(length));
    while (static_cast<int>(text.size()) < length) {
        int c = std::fgetc(stream);
        if (c == EOF) return false;
        if (c == '\r') {
            int next = std::fgetc(stream);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, stream);
            }
        }
        text += static_cast<char>(c);
    }
    for (char& ch : text)
        if (ch == '~') ch = ' ';
    return true;
}

bool Steel_Program_By_Notch_Points(int application_number)
{
    return application_number == 156 || application_number == 157;
}

bool Steel_Program_Tables_By_Default(int application_number)
{
    const bool concrete_family = application_number >= 125 && application_number <= 128;
    return !concrete_family && !Steel_Program_By_Notch_Points(application_number);
}

bool Steel_Program_Fatigue_Notch_By_Default(int application_number)
{
    return application_number == 152 || application_number == 153;
}

void Init_Steel_Print_Options(Steel_Print_Options* record)
{
    if (!record) return;
    for (int i = 0; i < STEEL_PRINT_SWITCH_COUNT; ++i) record->switches[i] = DEFAULT_SWITCHES[i];
    const int application = CurOb_Application_Number();
    if (Steel_Program_Tables_By_Default(application)) record->switches[9] = 3;
    if (Steel_Program_Fatigue_Notch_By_Default(application)) record->switches[12] = 1;
    record->scale = 0.0;
    record->tolerance = 0.0;
    Free_Remarks(record);
}

void Copy_Steel_Print_Options(const Steel_Print_Options* source, Steel_Print_Options* destination)
{
    if (!source || !destination) return;
    // Taken before the defaults free the destination's text (the two may be one record).
    std::string remarks = source->remarks ? source->remarks : "";
    Steel_Print_Options copy = *source;
    copy.remarks = nullptr;
    Init_Steel_Print_Options(destination);
    for (int i = 0; i < STEEL_PRINT_SWITCH_COUNT; ++i) destination->switches[i] = copy.switches[i];
    destination->scale = copy.scale;
    destination->tolerance = copy.tolerance;
    if (!remarks.empty()) destination->remarks = New_Remarks(remarks.data(), remarks.size());
}

int Write_Steel_Print_Options(FILE* stream, const Steel_Print_Options* record)
{
    if (!stream || !record) return 1;
    const int32_t* s = record->switches;
    if (std::fprintf(stream, " %d\n", STEEL_PRINT_OPTIONS_VERSION) < 0) return 1;
    if (std::fprintf(stream, " %d %d %d %d %d %lf %d %d %d %d %d %d %d %d %lf\n", s[0], s[1], s[2], s[3], s[9],
                     record->scale, s[4], s[5], s[6], s[7], s[8], s[10], s[11], s[12], record->tolerance) < 0)
        return 1;
    // The remarks are written as one word: blanks as '~' (in a copy; the record stays).
    // Carriage returns stay out: the reader takes CR LF as one LF, so a counted CR would
    // make it read past the text into the line end and what follows.
    std::string remarks;
    if (record->remarks)
        for (const char* c = record->remarks; *c; ++c)
            if (*c != '\r') remarks += *c;
    if (std::fprintf(stream, " %d", static_cast<int>(remarks.size())) < 0) return 1;
    if (!remarks.empty()) {
        Replace_Blanks_With_Tildes(remarks.data());
        if (std::fprintf(stream, " %s", remarks.c_str()) < 0) return 1;
    }
    if (std::fprintf(stream, "\n") < 0) return 1;
    return std::ferror(stream) ? 1 : 0;
}

int Read_Steel_Print_Options(FILE* stream, Steel_Print_Options* record)
{
    if (!stream || !record) return 1;
    int32_t version = 0;
    if (!Read_Int(stream, version)) return 1;
    if (!Check_File_Version(version, STEEL_PRINT_OPTIONS_VERSION, 0)) return 1;

    int32_t* s = record->switches;
    int v[8] = {};
    double scale = 0.0;
    if (std::fscanf(stream, "%d%d%d%d%d%lf%d%d%d", &v[0], &v[1], &v[2], &v[3], &v[4], &scale, &v[5], &v[6], &v[7]) !=
        9)
        return 1;
    s[0] = v[0];
    s[1] = v[1];
    s[2] = v[2];
    s[3] = v[3];
    s[9] = v[4];
    record->scale = scale;
    s[4] = v[5];
    s[5] = v[6];
    s[6] = v[7];

    if (version >= 1 && !Read_Int(stream, s[7])) return 1;
    if (version >= 2 && !Read_Int(stream, s[8])) return 1;
    if (version >= 3 && !Read_Int(stream, s[10])) return 1;
    if (version >= 4 && !Read_Int(stream, s[11])) return 1;
    if (version >= 6 && !Read_Int(stream, s[12])) return 1;
    if (version >= 7 && std::fscanf(stream, "%lf", &record->tolerance) != 1) return 1;
    if (version < 5) return 0;

    int32_t length = 0;
    if (!Read_Int(stream, length)) return 1;
    if (length <= 0) return 0;
    if (length > STEEL_PRINT_REMARKS_MAX) return 1;
    std::string text;
    if (!Read_Remarks_Text(stream, length, text)) return 1;
    Free_Remarks(record);
    record->remarks = New_Remarks(text.data(), text.size());
    return 0;
}

void Clamp_0_10(double* value)
{
    if (!value) return;
    if (*value < 0.0) *value = 0.0;
    if (*value > 10.0) *value = 10.0;
}

void OLI_Write_Preliminary_Remarks(FILE* report, const char* remarks)
{
    if (!report || !remarks || !*remarks) return;
    OLI_Printf(report, "%s", OLI_SEQ_EMPH "Vorbemerkungen\n");
    Write_User_Comment(report, remarks);
    OLI_Add_Paragraph_Space(0.3);
}

int Wrap_Steel_Remarks(char* text)
{
    if (!text) return 0;
    const size_t size = std::strlen(text);
    size_t start = 0;
    while (start < size) {
        const char* end_ptr = static_cast<const char*>(std::memchr(text + start, '\n', size - start));
        if (!end_ptr) break;  // the last line is not broken
        const size_t end = static_cast<size_t>(end_ptr - text);
        if (end - start > 110) {
            size_t j = start + 110;
            while (j > start && text[j - 1] != ' ') --j;
            if (j > start) {
                text[j - 1] = '\n';
                start = j;
                continue;
            }
        }
        start = end + 1;
    }
    int count = 0;
    for (size_t i = 0; i < size; ++i) count += text[i] == '\n';
    return count;
}
