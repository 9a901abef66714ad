#include "report/error_list.h"

#include "base/component_files.h"
#include "base/guillemet.h"
#include "platform/messages.h"

#include <cstring>

namespace {

bool Put(FILE* stream, const char* text)
{
    size_t n = std::strlen(text);
    return std::fwrite(text, 1, n, stream) == n;
}

// Copies the list file's lines from its beginning; a CR in front of a line end is left
// out, so the report gets LF line ends whatever the list file holds. Lines are taken in
// pieces of at most 199 characters, so any line length passes.
bool Copy_List_Lines(FILE* report, FILE* list)
{
    std::rewind(list);
    char piece[200];
    while (std::fgets(piece, sizeof piece, list)) {
        size_t n = std::strlen(piece);
        if (n >= 2 && piece[n - 1] == '\n' && piece[n - 2] == '\r') {
            piece[n - 2] = '\n';
            piece[n - 1] = '\0';
        }
        if (!Put(report, piece)) return false;
    }
    return true;
}

} // namespace

FILE* Open_Error_List(const char* suffix)
{
    FILE* list = Open_Component_File(suffix ? suffix : "", "w+");
    if (!list) return nullptr;
    if (!Put(list, "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n")) {
        std::fclose(list);
        return nullptr;
    }
    return list;
}

int Append_Error_List(FILE* report, FILE* list)
{
    if (!report || !list) return 1;
    if (!Copy_List_Lines(report, list)) return 1;
    return Put(report, "#END_OF_TEXT\n") ? 0 : 1;
}

int Append_Failed_Proof(FILE* report, FILE* list)
{
    if (!report) return 1;
    if (!Put(report, " \xCE" "bDer Nachweis kann nicht gef\x81hrt werden ==>\xCE" "r\n")) return 1;
    if (!Put(report, "#END_OF_TEXT\n")) return 1;
    if (!list) return 0;
    return Append_Error_List(report, list);
}

int Read_Guillemet_Field(FILE* stream, char* buffer)
{
    if (!stream || !buffer) return 1;
    // The delimited reader keeps at most 100 characters but consumes an over-long text up
    // to its closing byte; a byte other than the opening one stays unread.
    int kept = ZXP_Read_Delimited(stream, buffer, GUILLEMET_FIELD_SIZE, GUILLEMET_OPEN, GUILLEMET_CLOSE);
    return kept > 0 ? 0 : 1;
}

int Write_Guillemet_Field(FILE* stream, const char* text)
{
    if (!stream || !text) return 1;
    return std::fprintf(stream, "\xAE%s\xAF\n", text) < 0 ? 1 : 0;
}

void Show_Message_Text(const char* text)
{
    Init_Message();
    Fill_Message(text ? text : "");
    Draw_Message();
}

int Show_Read_Error()
{
    Show_Message_Text("Lesefehler !!!");
    return 101;
}

int Show_Write_Error()
{
    Show_Message_Text("Schreibfehler !!!");
    return 102;
}

int Show_Data_Error()
{
    Show_Message_Text("Datenfehler !!!");
    return 103;
}
