#include "report/page_head.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <system_error>

#include "base/component_files.h"
#include "base/run_globals.h"
#include "base/version_text.h"
#include "platform/atomic_file.h"
#include "platform/environment.h"
#include "platform/error_text.h"
#include "platform/paths.h"
#include "report/oli_attributes.h"
#include "report/oli_channel.h"
#include "report/plot_state.h"
#include "report/report_layout.h"
#include "report/string_format.h"
#include "report/text_writer.h"
#include "report/verdicts.h"

namespace {

// The environment's program table: the four programs of the EC 2 family, application
// numbers 125 to 128, with their two-letter codes (the corbel is 127).
constexpr int FIRST_FAMILY_NUMBER = 125;
constexpr int LAST_FAMILY_NUMBER = 128;
const char* const family_codes[] = {"ST", "BA", "KO", "WA"};

bool In_Family(int number) { return number >= FIRST_FAMILY_NUMBER && number <= LAST_FAMILY_NUMBER; }

// The report being written: a temporary file beside the report that takes the report's
// place only when it was written whole, so that a report cut short (disk full, folder not
// writable) is never left behind as if it were complete. Its name is kept for the message
// of a failed close.
std::unique_ptr<Atomic_File> open_report_file;
std::string open_report_name;
int last_report_error = 0;

struct File_Closer {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File_Ptr = std::unique_ptr<FILE, File_Closer>;

const char* Text_Or_Empty(const char* text) { return text ? text : ""; }

// The contents entry: " POS. <number>: <title>", " POS. <number>", " <title>" or "".
std::string Contents_Line(const char* number, const char* title)
{
    const std::string n = Blank_Control_Bytes(Text_Or_Empty(number));
    const std::string t = Blank_Control_Bytes(Text_Or_Empty(title));
    if (!n.empty()) return " POS. " + n + (t.empty() ? "" : ": " + t);
    if (!t.empty()) return " " + t;
    return "";
}

// Opens the position's report file and makes the channel ready for it.
FILE* Open_Report_File()
{
    // A report opened before and never closed is dropped, and its file stays as it was.
    open_report_file.reset();
    last_report_error = 0;
    const char* name = Get_Component_File_Name(oli_file_name.c_str());
    if (!name) {
        last_report_error = ENAMETOOLONG;
        return nullptr;
    }
    open_report_name = name;
    auto file = std::make_unique<Atomic_File>(name);
    FILE* stream = file->Stream();
    if (!stream) {
        last_report_error = file->Error();
        return nullptr;
    }
    open_report_file = std::move(file);
    // Whatever the previous report left in the channel (even a block still open) stays
    // out of this file.
    OLI_Reset_Channel();
    OLI_Reset_Text_Attributes();
    return stream;
}

// After a report and its drawing could not be put in place together: what became of the
// drawing (or of the removal of the old one), and of the report when the drawing held it
// back.
void Tell_Companion_State(const Atomic_File& drawing, bool report_failed)
{
    const bool removal = drawing.Is_Removal();
    const char* subject = removal ? "Die alte Zeichnung" : "Die Zeichnung";
    const char* name = drawing.Destination().c_str();
    if (drawing.Replaced()) {
        // The old drawing could not be put back: the two no longer belong together.
        Tell_File_Problem(subject, name, removal ? "ist entfernt" : "ist neu",
                          "die alte konnte nicht zur\xFC" "ckgestellt werden");
        Tell_File_Problem("Die Druckliste", open_report_name.c_str(), "ist die alte",
                          removal ? "sie geh\xF6rt zu der entfernten Zeichnung" : "sie geh\xF6rt nicht zur neuen Zeichnung");
        return;
    }
    if (drawing.Error() != 0) {
        Tell_File_Error(subject, name, removal ? "kann nicht entfernt werden" : "kann nicht geschrieben werden",
                        drawing.Error());
        if (!report_failed)
            Tell_File_Problem("Die Druckliste", open_report_name.c_str(), "bleibt, wie sie war",
                              removal ? "sie wird nur ersetzt, wenn die alte Zeichnung nicht neben ihr stehen bleibt"
                                      : "sie wird nur zusammen mit ihrer Zeichnung ersetzt");
        return;
    }
    if (!report_failed) return;
    struct stat info;
    if (::lstat(name, &info) == 0)
        Tell_File_Problem(subject, name, "bleibt, wie sie war",
                          removal ? "sie wird nur zusammen mit dem Ersetzen der Druckliste entfernt"
                                  : "sie wird nur zusammen mit ihrer Druckliste ersetzt");
    else if (!removal)
        Tell_File_Problem(subject, name, "wird nicht angelegt", "sie entsteht nur zusammen mit ihrer Druckliste");
}

// A temporary file that could not be removed (holding the old file, or what was written):
// named, with the reason.
void Tell_Left_Behind(const Atomic_File& file, const char* old_subject, const char* temporary_subject)
{
    const Atomic_File::Left_File& left = file.Left_Behind();
    if (left.path.empty()) return;
    Tell_File_Error(left.holds_old ? old_subject : temporary_subject, left.path.c_str(), "kann nicht entfernt werden",
                    left.error);
}

void Write_Number_Cell(FILE* stream, const char* format, double value)
{
    if (stream) std::fprintf(stream, format, value);
}

// " " and the number, underlined when marked.
void Write_Marked_Number(FILE* stream, const char* format, double value, bool marked)
{
    std::fputs(" ", stream);
    if (marked) std::fputs(OLI_SEQ_UNDERLINE, stream);
    std::fprintf(stream, format, value);
    if (marked) std::fputs(OLI_SEQ_RESET, stream);
}

} // namespace

// ---------------------------------------------------------------------------------
// Opening and closing

FILE* OLI_Open_Report(const char* number, const char* title, int continuing, double reserve_cm,
                      int numbering_off)
{
    FILE* stream = Open_Report_File();
    if (!stream) return nullptr;

    OLI_Init_Heading_Numbering(0, 0, numbering_off ? 3 : 1);
    OLI_Set_Bookmark_Depth(6);
    OLI_Set_Bookmark_Group_Depth(1);

    // A page break is a keyword line of its own.
    if (!continuing) std::fputs("#NEWPAGE\n", stream);

    OLI_reserveSpaceCM(stream, static_cast<float>(reserve_cm));
    std::fprintf(stream, "#CONTENTS\n%s\n", Contents_Line(number, title).c_str());

    const char* directory = Get_Program_Directory_Name(CurOb_Application_Number());
    const char* version = directory ? Get_Program_Version_Text(directory) : nullptr;
    if (!version || !*version) return stream;

    std::string line = version;
    if (line.size() >= 8) {
        char code[2];
        Get_Program_Code(code);
        line[6] = code[0];
        line[7] = code[1];
    }

    OLI_storeYPosition(stream, 1);
    OLI_setMarginsCM(stream, 1, 12.0f, 0.0f);
    std::fprintf(stream, "#SHOWTABLE\n0 0 0\n0 0 -1 -1\n " OLI_SEQ_VERSION "%s\n#END_OF_TEXT\n", line.c_str());
    OLI_restoreYPosition(stream, 1);
    OLI_setMarginsCM(stream, 1, 0.0f, 0.0f);
    return stream;
}

int OLI_Close_Report(FILE* stream) { return OLI_Close_Report_With(stream, nullptr); }

int OLI_Close_Report_With(FILE* stream, Atomic_File* companion, Atomic_File* last)
{
    if (!stream) return 0;
    OLI_End_Text_Block(stream);
    // A graphic block of this report may still name the stream; records drawn after the
    // close must be dropped, not written to a closed file.
    if (plot_state.plot_graphic_stream == stream) plot_state.plot_graphic_stream = nullptr;
    if (plot_state.remembered_graphic_stream == stream)
        plot_state.remembered_graphic_stream = nullptr;
    if (open_report_file && stream == open_report_file->Stream()) {
        std::unique_ptr<Atomic_File> file = std::move(open_report_file);
        // The companion's rename goes first: should it fail, the report is not put in place.
        const bool committed = companion && last ? Commit_Together(*companion, *file, *last)
                               : companion       ? Commit_Together(*companion, *file)
                               : last            ? Commit_Together(*file, *last)
                                                 : file->Commit();
        if (companion) Tell_Left_Behind(*companion, "Die alte Zeichnung", "Die tempor\xE4re Zeichnungsdatei");
        Tell_Left_Behind(*file, "Die alte Druckliste", "Die tempor\xE4re Druckliste");
        if (committed) return 0;
        // Held back by the last file, the new report could not make way for the old again.
        if (file->Replaced())
            Tell_File_Problem("Die Druckliste", open_report_name.c_str(), "ist neu",
                              "die alte konnte nicht zur\xFC" "ckgestellt werden");
        // Of a pair, the one that failed has its error; the other was only held back.
        last_report_error = file->Error();
        if (last_report_error != 0)
            Tell_File_Error("Die Druckliste", open_report_name.c_str(),
                            "konnte nicht vollst\xE4ndig geschrieben werden", last_report_error);
        if (companion) Tell_Companion_State(*companion, last_report_error != 0);
        return 1;
    }
    bool failed = std::ferror(stream) != 0;
    if (std::fclose(stream) != 0) failed = true;
    if (!failed) return 0;
    last_report_error = errno;
    std::fprintf(stderr, "Fehler beim Schreiben der Druckliste!\n");
    std::fflush(stderr);
    return 1;
}

int OLI_Last_Report_Error() { return last_report_error; }

FILE* OLI_Open_Report_Plain(const char* number, const char* title, int continuing)
{
    FILE* stream = Open_Report_File();
    if (!stream) return nullptr;
    if (!continuing) std::fputs("#NEWPAGE\n", stream);
    OLI_setFlags(stream, 0x380);
    OLI_setLayout(stream, 0x1013);
    std::fprintf(stream, "#CONTENTS\n POS. %s: %s\n", Blank_Control_Bytes(Text_Or_Empty(number)).c_str(),
                 Blank_Control_Bytes(Text_Or_Empty(title)).c_str());
    return stream;
}

// ---------------------------------------------------------------------------------
// Table cells

void OLI_Write_Result_Cell(FILE* stream, double governing, double value)
{
    if (!stream) return;
    if (governing < -1.1) {
        std::fprintf(stream, " %7.2lf", value);
    } else if (value <= -0.0001) {
        std::fprintf(stream, "%s  Fehler%s", Get_Red_Colour_Code(), Get_Colour_Off_Code());
    } else if (value <= 0.0001) {
        std::fputs("    --- ", stream);
    } else {
        Write_Marked_Number(stream, "%7.2lf", value, std::fabs(governing - value) < 0.0001);
    }
}

void OLI_Write_Utilisation_Cell(FILE* stream, double governing, double value)
{
    if (!stream) return;
    bool over = value > 1.001;
    if (governing < -1.1) {
        std::fputs(" ", stream);
        if (over) std::fputs(Get_Red_Colour_Code(), stream);
        std::fprintf(stream, "%7.3lf", value);
        if (over) std::fputs(Get_Colour_Off_Code(), stream);
    } else if (value <= -0.0001) {
        std::fprintf(stream, "%s  Fehler%s", Get_Red_Colour_Code(), Get_Colour_Off_Code());
    } else if (value <= 0.0001) {
        std::fputs("   ---  ", stream);
    } else {
        bool marked = std::fabs(governing - value) < 0.0001;
        std::fputs(" ", stream);
        if (over) std::fputs(Get_Red_Colour_Code(), stream);
        if (marked) std::fputs(OLI_SEQ_UNDERLINE, stream);
        std::fprintf(stream, "%7.3lf", value);
        if (marked) std::fputs(OLI_SEQ_RESET, stream);
        if (over) std::fputs(Get_Colour_Off_Code(), stream);
    }
}

void OLI_Write_Cell_8_2_Marked(FILE* stream, double governing_1, double governing_2, double value)
{
    if (!stream) return;
    bool marked = std::fabs(value - governing_1) < 0.001 || std::fabs(value - governing_2) < 0.001;
    Write_Marked_Number(stream, "%8.2lf", value, marked);
}

void OLI_Write_Cell_8_3_Marked(FILE* stream, double governing_1, double governing_2, double value)
{
    if (!stream) return;
    bool marked = std::fabs(value - governing_1) < 0.0001 || std::fabs(value - governing_2) < 0.0001;
    Write_Marked_Number(stream, "%8.3lf", value, marked);
}

void OLI_Write_Cell_8_1(FILE* stream, double value) { Write_Number_Cell(stream, " %8.1lf", value); }
void OLI_Write_Cell_7_1(FILE* stream, double value) { Write_Number_Cell(stream, " %7.1lf", value); }
void OLI_Write_Cell_6_1(FILE* stream, double value) { Write_Number_Cell(stream, " %6.1lf", value); }
void OLI_Write_Cell_4_1(FILE* stream, double value) { Write_Number_Cell(stream, " %4.1lf", value); }
void OLI_Write_Cell_9_2(FILE* stream, double value) { Write_Number_Cell(stream, " %9.2lf", value); }

// ---------------------------------------------------------------------------------
// Run-on lists and glyphs

void OLI_Write_List_Item(FILE* stream, int index, int per_line, const char* text)
{
    if (!stream || !text || !*text) return;
    if (per_line <= 0) per_line = 3;
    if (index > 0) OLI_Printf(stream, "%s", index % per_line == 0 ? "\n" : ";  ");
    OLI_Printf(stream, "%s", text);
}

void OLI_Write_Font_Glyph_Graphic(FILE* stream, const char* font_name, double size, double height)
{
    if (!stream || !font_name || !*font_name || !(size >= 1.0) || !(height >= 0.5)) return;
    std::fputs("#SHOWGRAFIC\n0 0 0\n0 0 0\n", stream);
    std::fputs("-1\n", stream);
    std::fprintf(stream, "0 %lf 0 %lf\n", size, height);
    std::fprintf(stream, "27 0 %lf %%FONT%%\\%s.ocm\n", height, font_name);
    std::fputs("-1\n", stream);
}

// ---------------------------------------------------------------------------------
// Files and program codes

int Copy_File_If_Exists(const char* source_path, const char* destination_path)
{
    if (!source_path || !destination_path) return 1;
    File_Ptr source(Fopen_Mapped(source_path, "rb"));
    if (!source) return 1;
    // The copy is ours: it takes the name's place whole, and a link there is replaced
    // rather than followed into whatever folder it points to.
    Atomic_File destination(destination_path, Atomic_Mode::replace_link);
    if (!destination.Stream()) return 1;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, source.get())) > 0) {
        if (std::fwrite(buffer, 1, n, destination.Stream()) != n) return 1;
    }
    if (std::ferror(source.get())) return 1;
    // A copy that did not reach the disk whole is no copy.
    return destination.Commit() ? 0 : 1;
}

void Get_Program_Code(char out[2])
{
    int number = CurOb_Application_Number();
    const char* code = In_Family(number) ? family_codes[number - FIRST_FAMILY_NUMBER] : "??";
    out[0] = code[0];
    out[1] = code[1];
}

void Get_Program_Number_Code(char out[2])
{
    int number = CurOb_Application_Number();
    if (In_Family(number)) {
        out[0] = '0';
        out[1] = static_cast<char>('0' + (number - 124));
    } else {
        out[0] = out[1] = '?';
    }
}

const char* Get_Program_Directory_Name(int application_number)
{
    static const char* const names[] = {"Q7-EC201", "Q7-EC202", "Q7-EC203", "Q7-EC204"};
    return In_Family(application_number) ? names[application_number - FIRST_FAMILY_NUMBER] : nullptr;
}

const char* Get_Path_Directory(const char* path)
{
    static std::string directory;
    directory.clear();
    if (!path || !*path) return directory.c_str();
    std::string full = path;
    bool absolute = full[0] == '/' || full[0] == '\\' || (full.size() >= 2 && full[1] == ':');
    if (!absolute) {
        std::error_code error;
        std::string cwd = std::filesystem::current_path(error).string();
        if (!error) full = cwd + "/" + full;
    }
    size_t cut = full.find_last_of("/\\");
    if (cut != std::string::npos) directory = full.substr(0, cut + 1);
    return directory.c_str();
}
