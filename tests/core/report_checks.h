#pragma once
// Checks on whole corbel reports shared by the report tests.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

// Follows the bookmark keywords of a report: mode 16 opens a level, 17 closes the deepest
// one, 20 goes back to the top. "" when no level is closed that was not opened and none is
// left open at the end; otherwise what went wrong.
inline std::string Bookmark_Balance(const std::string& report)
{
    int depth = 0;
    size_t line_start = 0;
    int line = 1;
    while (line_start < report.size()) {
        size_t end = report.find('\n', line_start);
        if (end == std::string::npos) end = report.size();
        const std::string text = report.substr(line_start, end - line_start);
        int mode = -1;
        if (text.rfind("#OLI_BOOKMARK ", 0) == 0) mode = std::atoi(text.c_str() + 14);
        if (mode == 16) ++depth;
        if (mode == 17 && --depth < 0) return "line " + std::to_string(line) + ": closes a level that is not open";
        if (mode == 20) depth = 0;
        line_start = end + 1;
        ++line;
    }
    return depth == 0 ? "" : std::to_string(depth) + " level(s) left open";
}

// ---------------------------------------------------------------------------------
// Relation lines: "<value> S <limit> [verdict]" with S one of < > = and the report font's
// less-or-equal (0xF3) and greater-or-equal (0xF2). Every sign must agree with the two
// numbers it stands between as they are printed (equal printed numbers agree with any
// sign: the values differ below the printing), and the verdict of the line with its signs.

namespace report_relations {

// The line with the channel's sequences taken out: colour groups and style switches go,
// an index becomes "_" and a raised run "^" before its text, so that neither is read as a
// number of its own.
inline std::string Plain(const std::string& line)
{
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\xCE' || i + 1 >= line.size()) {
            out += line[i];
            continue;
        }
        const char kind = line[++i];
        if (kind == '{') {
            const size_t end = line.find('}', i);
            i = end == std::string::npos ? line.size() : end;
        } else if (kind == '\\') {
            out += '_';
        } else if (kind == '/') {
            out += '^';
        }
    }
    return out;
}

inline bool Word_Byte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || u >= 0x80 || c == '_' || c == '^' || c == '.';
}

// The value a clause states: the number after its last "=", or the clause itself when it is
// a number; with nothing but a unit after it.
inline bool Clause_Value(std::string clause, double* value)
{
    // A remark in parentheses ("(θ = 61.1°)") is no part of the value.
    for (size_t open; (open = clause.find('(')) != std::string::npos;) {
        const size_t close = clause.find(')', open);
        if (close == std::string::npos) break;
        clause.erase(open, close - open + 1);
    }
    const size_t eq = clause.rfind('=');
    size_t at = eq == std::string::npos ? 0 : eq + 1;
    while (at < clause.size() && clause[at] == ' ') ++at;
    if (at >= clause.size()) return false;
    if (eq == std::string::npos && at > 0 && Word_Byte(clause[at - 1])) return false;
    const char* start = clause.c_str() + at;
    char* end = nullptr;
    if (!(std::isdigit(static_cast<unsigned char>(*start)) ||
          (*start == '-' && std::isdigit(static_cast<unsigned char>(start[1])))))
        return false;
    *value = std::strtod(start, &end);
    // A factor before the raised times sign ("0.2·A") is a term, not a value.
    if (end[0] == '^' && end[1] == '.') return false;
    // A unit may follow ("cm", "N/mm^2", "kN/m"), no further term.
    for (const char* p = end; *p; ++p) {
        if (*p == '+' || *p == '|' || *p == '(' || *p == '*') return false;
        if (std::isdigit(static_cast<unsigned char>(*p)) && !Word_Byte(p[-1])) return false;
    }
    return true;
}

struct Relation {
    char sign;              // '<', '>', '=', 'L' (less or equal), 'G' (greater or equal)
    bool left_known, right_known;
    double left, right;
    bool provided_first;    // "vorh ... S erf ...": the larger left side passes
};

// The relations of a plain line; *verdict: 1 ok, -1 failed, 0 none.
inline std::vector<Relation> Relations_Of(std::string text, int* verdict)
{
    *verdict = 0;
    for (const char* word : {"nicht ok", "\x81" "berschritten"}) {
        const size_t at = text.find(word);
        if (at != std::string::npos) {
            *verdict = -1;
            text.erase(at);
        }
    }
    if (*verdict == 0) {
        for (size_t at = text.find("ok"); at != std::string::npos; at = text.find("ok", at + 1))
            if ((at == 0 || !Word_Byte(text[at - 1])) && (at + 2 >= text.size() || !Word_Byte(text[at + 2]))) {
                *verdict = 1;
                text.erase(at);
                break;
            }
    }
    // Clauses end at a relation sign, the arrow (0x88), a colon and the separators of a list.
    struct Piece {
        std::string text;
        char sign;  // the sign that ends it, 0 for another end
    };
    std::vector<Piece> pieces(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        char sign = 0;
        if (c == '<' || c == '>') sign = c;
        if (c == '\xF3') sign = 'L';
        if (c == '\xF2') sign = 'G';
        if (c == '=' && text.compare(i > 1 ? i - 2 : 0, 5, "  =  ") == 0 && i > 1) sign = '=';
        const bool cut = c == '\x88' || c == ':' || c == ';' || text.compare(i, 2, ", ") == 0 ||
                         text.compare(i, 5, " und ") == 0;
        if (sign) {
            pieces.back().sign = sign;
            pieces.push_back({});
        } else if (cut) {
            pieces.back().sign = 0;
            pieces.push_back({});
        } else {
            pieces.back().text += c;
        }
    }
    std::vector<Relation> relations;
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        if (!pieces[i].sign) continue;
        Relation r{pieces[i].sign, false, false, 0.0, 0.0, false};
        r.left_known = Clause_Value(pieces[i].text, &r.left);
        r.right_known = Clause_Value(pieces[i + 1].text, &r.right);
        const std::string& right = pieces[i + 1].text;
        for (const char* required : {"erf ", "min ", "_nom"})
            if (right.find(required) != std::string::npos) r.provided_first = true;
        relations.push_back(r);
    }
    return relations;
}

inline bool Sign_Holds(const Relation& r)
{
    if (!r.left_known || !r.right_known) return true;
    const double tolerance = 1e-9;
    switch (r.sign) {
    case '<':
    case 'L': return r.left <= r.right + tolerance;
    case '>':
    case 'G': return r.left >= r.right - tolerance;
    default: return std::fabs(r.left - r.right) <= tolerance;
    }
}

inline bool Sign_Passes(const Relation& r)
{
    if (r.sign == '=') return true;
    const bool less = r.sign == '<' || r.sign == 'L';
    return r.provided_first ? !less : less;
}

// The lines whose signs, numbers and verdict disagree, each as the report wrote it.
inline std::vector<std::string> Relation_Disagreements(const std::string& report)
{
    std::vector<std::string> found;
    size_t start = 0;
    while (start < report.size()) {
        size_t end = report.find('\n', start);
        if (end == std::string::npos) end = report.size();
        const std::string line = report.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        int verdict = 0;
        const std::vector<Relation> relations = Relations_Of(Plain(line), &verdict);
        bool agree = true, any_fails = false;
        for (const Relation& r : relations) {
            agree = agree && Sign_Holds(r);
            any_fails = any_fails || !Sign_Passes(r);
        }
        if (verdict == 1 && any_fails) agree = false;
        if (verdict == -1 && !relations.empty() && !any_fails) agree = false;
        if (!agree) found.push_back(line);
    }
    return found;
}

}  // namespace report_relations
