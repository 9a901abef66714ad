#include "viewer/view_file.h"

#include "viewer/cairo_output.h"
#include "viewer/drawing_document.h"
#include "viewer/page_layout.h"
#include "viewer/report_document.h"
#include "platform/paths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool Read_All(const std::string& path, std::string& bytes, std::string& error)
{
    errno = 0;
    FILE* file = Fopen_Input(path, "rb");
    if (!file) {
        error = "Die Datei " + path + " ist nicht lesbar (" + std::strerror(errno) + ").";
        return false;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    const int code = errno;
    std::fclose(file);
    if (failed) {
        error = "Die Datei " + path + " ist nicht lesbar (" + std::strerror(code) + ").";
        return false;
    }
    return true;
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
    std::string bytes;
    if (!Read_All(input, bytes, error)) return false;
    if (bytes.find('\0') != std::string::npos) {
        error = "Die Datei " + input + " ist weder ein Bericht noch eine Zeichnung.";
        return false;
    }
    if (!Lay_Out_Drawing(bytes, doc)) doc = Lay_Out_Report(Read_Report(bytes));
    return true;
}

std::string Default_View_Output(const std::string& input)
{
    const size_t slash = input.find_last_of('/');
    const size_t dot = input.find_last_of('.');
    const bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (has_extension ? input.substr(0, dot) : input) + ".pdf";
}

bool Is_Png_Name(const std::string& name) { return name.size() >= 4 && Lower(name.substr(name.size() - 4)) == ".png"; }

View_Outcome Render_View_File(const std::string& input, const std::string& output)
{
    View_Outcome outcome;
    Laid_Out_Document doc;
    if (!Load_View_File(input, doc, outcome.error)) return outcome;
    outcome.counts = doc.counts;
    outcome.pages = static_cast<int>(doc.pages.size());
    const std::string target = output.empty() ? Default_View_Output(input) : output;
    if (Is_Png_Name(target)) {
        outcome.ok = Write_Png_Files(doc, target, PNG_DEFAULT_DPI, outcome.files, outcome.error);
    } else {
        outcome.ok = Write_Pdf_File(doc, target, outcome.error);
        if (outcome.ok) outcome.files.push_back(target);
    }
    return outcome;
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
