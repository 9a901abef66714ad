#include "viewer/view_file.h"

#include "viewer/cairo_output.h"
#include "viewer/drawing_document.h"
#include "viewer/page_layout.h"
#include "viewer/report_document.h"
#include "base/message_sink.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/error_text.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// The bytes a drawing file's first line is surely within.
constexpr size_t HEAD_BYTES = 4096;

std::string Unreadable(const std::string& path, int code)
{
    if (code == EOVERFLOW || code == EFBIG)
        return "Die Datei " + path + " ist gr\xC3\xB6\xC3\x9F" "er als " + std::to_string(VIEW_FILE_MAX >> 20) +
               " MiB und kann kein Bericht des Programms sein.";
    return "Die Datei " + path + " ist nicht lesbar (" + Cp1252_To_Utf8(German_Error_Text(code ? code : EIO)) + ").";
}

std::string Not_Text(const std::string& path)
{
    return "Die Datei " + path + " ist weder ein Bericht noch eine Zeichnung.";
}

struct File_Closer {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File_Ptr = std::unique_ptr<FILE, File_Closer>;

std::string Changed(const std::string& path)
{
    return "Die Datei " + path + " wurde w\xC3\xA4hrend des Lesens ge\xC3\xA4ndert.";
}

// The input is opened by its name once: every pass reads that file again from its start,
// and what the outputs are compared with is that file, never whatever the name has come
// to name since (a report put in place meanwhile is not mixed into the one being read).
struct Input {
    File_Ptr file;
    struct stat info {};
};

bool Open(const std::string& path, Input& input, std::string& error)
{
    errno = 0;
    input.file.reset(Fopen_Input_Up_To(path, "rb", VIEW_FILE_MAX));
    if (input.file && ::fstat(Input_Stream_Descriptor(input.file.get()), &input.info) != 0) {
        const int code = errno;
        input.file.reset();
        errno = code;
    }
    if (!input.file) error = Unreadable(path, errno);
    return input.file != nullptr;
}

bool From_Start(FILE* file, const std::string& path, std::string& error)
{
    if (std::fseek(file, 0, SEEK_SET) == 0) return true;
    error = Unreadable(path, errno);
    return false;
}

// Up to `most` bytes of the file from its start.
bool Read_Bytes(FILE* file, const std::string& path, size_t most, std::string& bytes, std::string& error)
{
    if (!From_Start(file, path, error)) return false;
    char buffer[65536];
    size_t n;
    while (bytes.size() < most &&
           (n = std::fread(buffer, 1, std::min(sizeof buffer, most - bytes.size()), file)) > 0)
        bytes.append(buffer, n);
    if (std::ferror(file)) {
        const int code = Input_Stream_Error(file);
        error = Unreadable(path, code ? code : errno);
        return false;
    }
    return true;
}

// Is the file a drawing? Its first bytes tell; false with a message when unreadable.
bool Drawing_Or_Report(FILE* file, const std::string& path, bool& drawing, std::string& error)
{
    std::string head;
    if (!Read_Bytes(file, path, HEAD_BYTES, head, error)) return false;
    drawing = Is_Drawing_File(head);
    return true;
}

// How a reading in pieces ended: false with a message when the file held a NUL (no text)
// or its reading failed.
bool Read_To_End(const std::string& path, bool holds_nul, int read_error, std::string& error)
{
    if (holds_nul)
        error = Not_Text(path);
    else if (read_error)
        error = Unreadable(path, read_error);
    return !holds_nul && !read_error;
}

// Lays the report out as it is read, in pieces; the pages go to the sink.
bool Report_In_Pieces(FILE* file, const std::string& path, const Page_Sink& sink, Laid_Out_Document& doc,
                      std::string& error)
{
    if (!From_Start(file, path, error)) return false;
    Report_Reader reader(file);
    doc = Lay_Out_Report_In_Pieces(reader, sink);
    return Read_To_End(path, reader.Holds_Nul(), reader.Read_Error(), error);
}

// The path a name resolves to: links and "." and ".." followed, also for a file that is
// not there yet (its folder resolved); the name as given when not even its folder is there.
std::string Resolved_Path(const std::string& path)
{
    auto resolved = [](const std::string& name) -> std::string {
        char* real = ::realpath(name.empty() ? "." : name.c_str(), nullptr);
        if (!real) return "";
        std::string text = real;
        std::free(real);
        return text;
    };
    if (std::string whole = resolved(path); !whole.empty()) return whole;
    const size_t slash = path.find_last_of('/');
    const std::string folder = resolved(slash == std::string::npos ? "" : path.substr(0, slash + 1));
    return folder.empty() ? path : folder + "/" + path.substr(slash == std::string::npos ? 0 : slash + 1);
}

// Whether writing the output (a name the writers map, links followed) would write over the
// input read: the same file (device and inode) or, for an output not there yet, the same path.
bool Is_The_Input(const std::string& input, const struct stat& in_info, const std::string& output)
{
    const std::string mapped = Map_Path(output);
    struct stat out_info;
    if (::stat(mapped.c_str(), &out_info) == 0)
        return in_info.st_dev == out_info.st_dev && in_info.st_ino == out_info.st_ino;
    return Resolved_Path(input) == Resolved_Path(mapped);
}

// Every file the input becomes: the PDF, or the pages' PNGs.
std::vector<std::string> Output_Names(const std::string& pdf_name, const std::string& png_name, int pages)
{
    std::vector<std::string> names;
    if (!pdf_name.empty()) names.push_back(pdf_name);
    if (!png_name.empty())
        for (int k = 1; k <= pages; ++k) names.push_back(Png_Page_Name(png_name, k, pages));
    return names;
}

// False with the message when one of the outputs is the input itself.
bool None_Is_The_Input(const std::string& input, const struct stat& in_info, const std::vector<std::string>& names,
                       std::string& error)
{
    for (const std::string& name : names)
        if (Is_The_Input(input, in_info, name)) {
            error = "Die Datei " + name + " ist die Eingabedatei selbst: sie wird nicht \xC3\xBC" "berschrieben.";
            return false;
        }
    return true;
}

// The PNG pages wait under their temporary names, each locked, until all are written and
// put in place together: a long report needs an open file a page, often more than the soft
// limit allows. The limit is raised as far as the hard one lets it; beyond that the run
// fails with the reason and replaces nothing.
void Allow_Open_Files(int pages)
{
    struct rlimit lim;
    if (::getrlimit(RLIMIT_NOFILE, &lim) != 0) return;
    const rlim_t wanted = static_cast<rlim_t>(pages) + 64;
    if (lim.rlim_cur == RLIM_INFINITY || lim.rlim_cur >= wanted) return;
    lim.rlim_cur = lim.rlim_max == RLIM_INFINITY || lim.rlim_max > wanted ? wanted : lim.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &lim);
}

// Before anything is written: every file the input becomes (the PDF, or the pages' PNGs)
// is refused when it is the input itself; what a run killed while writing one of them
// left beside it is removed.
bool Clear_Outputs(const std::string& input, const struct stat& in_info, const std::string& pdf_name,
                   const std::string& png_name, int pages, std::string& error)
{
    const std::vector<std::string> names = Output_Names(pdf_name, png_name, pages);
    if (!None_Is_The_Input(input, in_info, names, error)) return false;
    for (const std::string& name : names) Remove_Leftover_Temporaries(name.c_str());
    if (!png_name.empty()) Allow_Open_Files(pages);
    return true;
}

// A report to the PDF and, with a PNG name, one PNG a page: a first pass counts the pages,
// the second hands each page to the files as it is laid out. A file changed in its place
// between the passes (other pages than counted) is refused: no page goes to a name that
// was not checked, no page is numbered of a count not its own.
bool Render_Report(const std::string& input, const Input& in, const std::string& pdf_name,
                   const std::string& png_name, View_Outcome& outcome)
{
    Laid_Out_Document counted;
    if (!Report_In_Pieces(in.file.get(), input, Page_Sink{}, counted, outcome.error)) return false;
    outcome.counts = counted.counts;
    outcome.pages = counted.page_count;
    if (!Clear_Outputs(input, in.info, pdf_name, png_name, counted.page_count, outcome.error)) return false;
    std::unique_ptr<Atomic_File> file;
    std::unique_ptr<Pdf_Pages> pdf;
    if (!pdf_name.empty()) {
        file = std::make_unique<Atomic_File>(pdf_name.c_str());
        pdf = std::make_unique<Pdf_Pages>(file->Stream(), counted.title);
    }
    Png_Pages pngs;
    int png_count = 0;
    std::string failed;  // the message of the first file that could not be written
    int taken = 0;
    bool changed = false;  // more pages than counted: the file was written to meanwhile
    Page_Sink sink;
    sink.page_total = static_cast<size_t>(counted.page_count);
    sink.take = [&](const Page& page) {
        // A long report takes a while: the notice of an interactive run says how far it is.
        if (++taken > counted.page_count) {
            changed = true;
            return false;
        }
        if (Busy_Due()) Busy_Update("Seite %d von %d", taken, counted.page_count);
        if (pdf && !pdf->Add(page)) failed = Unwritable(pdf_name, file->Error());
        if (!png_name.empty() && failed.empty())
            pngs.Add(page, Png_Page_Name(png_name, ++png_count, counted.page_count), PNG_DEFAULT_DPI, failed);
        return failed.empty();
    };
    Laid_Out_Document drawn;
    if (!Report_In_Pieces(in.file.get(), input, sink, drawn, outcome.error)) return false;
    // Nothing is put in place of a file changed meanwhile, nor when the input has been put
    // under an output's name since it was checked.
    if (changed || drawn.page_count != counted.page_count) {
        outcome.error = Changed(input);
        return false;
    }
    if (!None_Is_The_Input(input, in.info, Output_Names(pdf_name, png_name, counted.page_count), outcome.error))
        return false;
    if (pdf && (!pdf->Finish(counted.outline) || !file->Commit()) && failed.empty())
        failed = Unwritable(pdf_name, file->Error());
    std::vector<std::string> png_files;
    if (failed.empty() && !png_name.empty()) pngs.Commit(png_files, failed);
    if (!failed.empty()) {
        outcome.error = failed;
        return false;
    }
    if (pdf) outcome.files.push_back(pdf_name);
    outcome.files.insert(outcome.files.end(), png_files.begin(), png_files.end());
    return true;
}

// Lays the drawing out as it is read: its bytes are not kept beside what they draw.
bool Load_Drawing(FILE* file, const std::string& path, Laid_Out_Document& doc, std::string& error)
{
    if (!From_Start(file, path, error)) return false;
    Line_Source lines(file);
    Lay_Out_Drawing(lines, doc);
    return Read_To_End(path, lines.Holds_Nul(), lines.Read_Error(), error);
}

View_Outcome Render_Files(const std::string& input, const std::string& pdf_name, const std::string& png_name)
{
    View_Outcome outcome;
    Input in;
    bool drawing = false;
    if (!Open(input, in, outcome.error) || !Drawing_Or_Report(in.file.get(), input, drawing, outcome.error))
        return outcome;
    if (!drawing) {
        outcome.ok = Render_Report(input, in, pdf_name, png_name, outcome);
        return outcome;
    }
    Laid_Out_Document doc;
    if (!Load_Drawing(in.file.get(), input, doc, outcome.error)) return outcome;
    outcome.counts = doc.counts;
    outcome.pages = doc.page_count;
    if (!Clear_Outputs(input, in.info, pdf_name, png_name, static_cast<int>(doc.pages.size()), outcome.error)) return outcome;
    outcome.ok = (pdf_name.empty() || Write_Pdf_File(doc, pdf_name, outcome.error)) &&
                 (png_name.empty() || Write_Png_Files(doc, png_name, PNG_DEFAULT_DPI, outcome.files, outcome.error));
    if (outcome.ok && !pdf_name.empty()) outcome.files.insert(outcome.files.begin(), pdf_name);
    return outcome;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

bool Load_View_File(const std::string& input, Laid_Out_Document& doc, std::string& error)
{
    Input in;
    bool drawing = false;
    if (!Open(input, in, error) || !Drawing_Or_Report(in.file.get(), input, drawing, error)) return false;
    if (drawing) return Load_Drawing(in.file.get(), input, doc, error);
    std::string bytes;
    if (!Read_Bytes(in.file.get(), input, static_cast<size_t>(VIEW_FILE_MAX), bytes, error)) return false;
    if (bytes.find('\0') != std::string::npos) {
        error = Not_Text(input);
        return false;
    }
    doc = Lay_Out_Report(Read_Report(bytes));
    return true;
}

std::string Default_View_Output(const std::string& input)
{
    const size_t slash = input.find_last_of('/');
    const size_t dot = input.find_last_of('.');
    const bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    // A PDF given as the input keeps its name whole: the output must never be the input.
    if (!has_extension || Lower(input.substr(dot)) == ".pdf") return input + ".pdf";
    return input.substr(0, dot) + ".pdf";
}

bool Is_Png_Name(const std::string& name) { return name.size() >= 4 && Lower(name.substr(name.size() - 4)) == ".png"; }

std::string View_Out_Of_Memory(const std::string& path)
{
    return "Nicht genug Arbeitsspeicher f\xC3\xBCr die Datei " + path + ".";
}

View_Outcome Render_View_Files(const std::string& input, const std::string& pdf_name, const std::string& png_name)
{
    try {
        return Render_Files(input, pdf_name, png_name);
    } catch (const std::bad_alloc&) {
        // What was laid out and drawn is gone with the stack; the files half written are
        // removed by their own ends.
        View_Outcome outcome;
        outcome.error = View_Out_Of_Memory(input);
        return outcome;
    }
}

View_Outcome Render_View_File(const std::string& input, const std::string& output)
{
    const std::string target = output.empty() ? Default_View_Output(input) : output;
    return Is_Png_Name(target) ? Render_View_Files(input, "", target) : Render_View_Files(input, target, "");
}

std::string View_Counts_Summary(const View_Counts& c)
{
    std::string parts;
    auto add = [&](int n, const char* one, const char* many) {
        if (n <= 0) return;
        if (!parts.empty()) parts += ", ";
        parts += std::to_string(n) + " " + (n == 1 ? one : many);
    };
    add(c.unknown_keywords, "unbekannte Schl\xC3\xBCsselzeile", "unbekannte Schl\xC3\xBCsselzeilen");
    add(c.unknown_records, "unbekannter Datensatz", "unbekannte Datens\xC3\xA4tze");
    add(c.unknown_sequences, "unbekannte Steuerfolge", "unbekannte Steuerfolgen");
    add(c.malformed_lines, "unlesbare Zeile", "unlesbare Zeilen");
    if (parts.empty() && c.left_out == 0 && c.stray_lines == 0) return "";
    std::string text;
    if (!parts.empty()) text = "\xC3\x9C" "bergangen: " + parts + ".";
    if (c.stray_lines > 0) {
        if (!text.empty()) text += " ";
        text += std::to_string(c.stray_lines) + (c.stray_lines == 1 ? " Zeile" : " Zeilen") +
                " au\xC3\x9F" "erhalb eines Blocks als Text gezeigt.";
    }
    if (c.left_out > 0) {
        if (!text.empty()) text += " ";
        text += "Nicht dargestellt:";
        for (size_t k = 0; k < c.left_out_kinds.size(); ++k) text += (k ? ", " : " ") + c.left_out_kinds[k];
        text += ".";
    }
    return text;
}
