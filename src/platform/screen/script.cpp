// The scripted headless driver: input comes from a script, time is virtual, the screen
// is written to PNG files on request. See README ("Screen stand-in") for the language.
#include "platform/codepage.h"
#include "platform/screen/backend.h"
#include "platform/screen/events.h"
#include "platform/screen/framebuffer.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

namespace screen {
namespace {

constexpr long STALL_WAITS = 100000;
constexpr int EXIT_EXHAUSTED = 90;
constexpr int EXIT_SCRIPT_ERROR = 91;

struct Key_Name {
    const char* name;
    int code;
};
const Key_Name key_names[] = {
    {"Enter", 13},        {"Esc", 27},          {"Tab", 9},          {"Backspace", 8},
    {"Del", ZAV_KEY_DEL}, {"Up", ZAV_KEY_UP},   {"Down", ZAV_KEY_DOWN}, {"Left", ZAV_KEY_LEFT},
    {"Right", ZAV_KEY_RIGHT}, {"Home", ZAV_KEY_HOME}, {"End", ZAV_KEY_END}, {"PgUp", ZAV_KEY_PGUP},
    {"PgDn", ZAV_KEY_PGDN}, {"F1", ZAV_KEY_F1},  {"Ctrl+A", 1},         {"Ctrl+C", 3},
    {"Ctrl+V", 22},       {"Ctrl+X", 24},       {"Ctrl+Home", ZAV_KEY_CTRL_HOME},
    {"Ctrl+End", ZAV_KEY_CTRL_END}, {"Shift+Tab", ZAV_KEY_SHIFT_TAB},
};

std::string Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r' || s[a] == '\n')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
    return s.substr(a, b - a);
}

bool Parse_Int(const std::string& word, long& value)
{
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(word.c_str(), &end, 10);
    return end && *end == '\0' && errno == 0 && value > -1000000000L && value < 1000000000L;
}

// Code points of UTF-8 text; false for a malformed sequence.
bool Decode_Utf8(const std::string& text, std::vector<char32_t>& out)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int n;
        char32_t cp;
        if (c < 0x80) {
            n = 0;
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(n) >= text.size()) return false;
        for (int k = 1; k <= n; ++k) {
            const unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<size_t>(n) + 1;
    }
    return true;
}

class Script_Backend final : public Backend {
public:
    Script_Backend(const std::string& script, const std::string& name) : name_(name)
    {
        std::istringstream in(script);
        std::string line;
        while (std::getline(in, line)) lines_.push_back(line);
        const char* limit = std::getenv("ZAV_SCRIPT_TIME_LIMIT");
        if (limit && *limit) {
            const double seconds = std::atof(limit);
            if (seconds > 0) limit_seconds_ = seconds;
        }
        started_ = std::chrono::steady_clock::now();
    }

    bool Headless() const override { return true; }
    double Now_Ms() override { return now_; }
    void Sleep_Ms(double ms) override
    {
        if (ms > 0) now_ += ms;
    }
    void Note_Wait() override
    {
        Check_Time();
        if (++waits_without_line_ > STALL_WAITS)
            Fail(line_number_, "100000 Wartevorg\xC3\xA4nge ohne eine neue Zeile");
    }

    bool Get_Clipboard(std::string& bytes) override
    {
        bytes = clipboard_;
        return true;
    }
    bool Set_Clipboard(const std::string& bytes) override
    {
        clipboard_ = bytes;
        return true;
    }

    bool Wait_Event(Raw_Event& event, double until_ms) override
    {
        Check_Time();
        for (;;) {
            if (!pending_.empty()) {
                event = pending_.front();
                pending_.pop_front();
                return true;
            }
            if (waiting_) {
                if (until_ms >= 0 && until_ms < wait_until_) {
                    if (until_ms > now_) now_ = until_ms;
                    return false;
                }
                if (wait_until_ > now_) now_ = wait_until_;
                waiting_ = false;
                Line_Consumed();
                continue;
            }
            std::string line;
            if (!Next_Line(line)) Exhausted();
            Execute(line);
        }
    }

    int Take_Answer(bool question) override
    {
        if (!pending_.empty() || waiting_) return -1;
        size_t at = next_;
        std::string line;
        std::vector<size_t> shots;  // shots before a question's answer
        for (; at < lines_.size(); ++at) {
            line = Trim(lines_[at]);
            if (line.empty() || line[0] == '#') continue;
            if (question && line.compare(0, 5, "shot ") == 0) {
                shots.push_back(at);
                continue;
            }
            break;
        }
        if (at >= lines_.size()) return -1;
        std::istringstream words(line);
        std::string command, value;
        words >> command >> value;
        int answer;
        if (command == "key" && question && (value == "Enter" || value == "Esc")) {
            answer = value == "Enter" ? ANSWER_ENTER : ANSWER_ESC;
        } else if (command == "answer") {
            if (value == "yes") answer = 1;
            else if (value == "no") answer = 0;
            else if (value == "ok") answer = 2;
            else Fail(static_cast<int>(at) + 1, "Antwort \"" + value + "\" unbekannt");
            if (question != (answer != 2)) return -1;
        } else {
            return -1;
        }
        for (size_t s : shots) {
            line_number_ = static_cast<int>(s) + 1;
            Execute(Trim(lines_[s]));
        }
        next_ = at + 1;
        line_number_ = static_cast<int>(at) + 1;
        Line_Consumed();
        return answer;
    }

private:
    std::string name_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    int line_number_ = 0;
    std::deque<Raw_Event> pending_;
    bool waiting_ = false;
    double wait_until_ = 0;
    double now_ = 0;
    long waits_without_line_ = 0;
    double limit_seconds_ = 120;
    std::chrono::steady_clock::time_point started_;
    std::string clipboard_;
    int x_ = 0, y_ = 0;  // where the script put the pointer

    void Line_Consumed() { waits_without_line_ = 0; }

    [[noreturn]] void Fail(int line, const std::string& what)
    {
        std::fflush(stdout);
        std::fprintf(stderr, "corbel: Skript %s, Zeile %d: %s\n", name_.empty() ? "(leer)" : name_.c_str(), line, what.c_str());
        std::fflush(nullptr);
        std::_Exit(EXIT_SCRIPT_ERROR);
    }

    [[noreturn]] void Exhausted()
    {
        std::fflush(stdout);
        if (name_.empty()) {
            std::fprintf(stderr, "corbel: ohne Bildschirm und ohne Skript endet die Bearbeitung.\n");
        } else {
            const int shot = Write_Shot("final.png");
            std::fflush(stdout);
            std::fprintf(stderr, "corbel: Skript %s zu Ende nach Zeile %d; Bildschirm in final.png%s\n",
                         name_.c_str(), line_number_, shot == 0 ? "" : " (nicht geschrieben)");
        }
        std::fflush(nullptr);
        std::_Exit(EXIT_EXHAUSTED);
    }

    void Check_Time()
    {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        if (elapsed > limit_seconds_) Fail(line_number_, "Zeitgrenze \xC3\xBC" "berschritten");
    }

    bool Next_Line(std::string& line)
    {
        while (next_ < lines_.size()) {
            line = Trim(lines_[next_++]);
            line_number_ = static_cast<int>(next_);
            if (!line.empty() && line[0] != '#') return true;
        }
        return false;
    }

    void Push_Move(int x, int y)
    {
        x_ = x;
        y_ = y;
        pending_.push_back(Raw_Event::Move(x, y));
    }

    void Push_Button(int button, bool down) { pending_.push_back(Raw_Event::Button(button, down)); }

    void Push_Key(int code) { pending_.push_back(Raw_Event::Key(code)); }

    void Execute(const std::string& line)
    {
        std::istringstream words(line);
        std::string command;
        words >> command;
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        auto number = [&](size_t i) {
            long v = 0;
            if (i >= args.size() || !Parse_Int(args[i], v)) Fail(line_number_, "Zahl erwartet: " + line);
            return static_cast<int>(v);
        };
        auto count = [&](size_t n) {
            if (args.size() != n) Fail(line_number_, "falsche Anzahl von Angaben: " + line);
        };
        if (command == "move" || command == "click" || command == "rclick") {
            count(2);
            Push_Move(number(0), number(1));
            if (command != "move") {
                const int button = command == "click" ? 1 : 2;
                Push_Button(button, true);
                Push_Button(button, false);
            }
        } else if (command == "down" || command == "up") {
            count(0);
            Push_Button(1, command == "down");
        } else if (command == "wheel") {
            count(1);
            pending_.push_back(Raw_Event::Wheel(number(0)));
        } else if (command == "key") {
            count(1);
            int code = -1;
            for (const Key_Name& k : key_names)
                if (args[0] == k.name) code = k.code;
            long v;
            if (code < 0 && Parse_Int(args[0], v) && v > 0 && v < 1024) code = static_cast<int>(v);
            if (code < 0) Fail(line_number_, "unbekannte Taste: " + args[0]);
            Push_Key(code);
        } else if (command == "text") {
            const size_t first = line.find('"'), last = line.rfind('"');
            if (first == std::string::npos || last == first) Fail(line_number_, "Text in \"...\" erwartet");
            std::vector<char32_t> chars;
            if (!Decode_Utf8(line.substr(first + 1, last - first - 1), chars))
                Fail(line_number_, "Text ist kein UTF-8");
            for (char32_t c : chars) {
                const unsigned char b = Cp850_Byte_Of(c);
                if (b == 0) Fail(line_number_, "Zeichen ohne Entsprechung in Codepage 850");
                Push_Key(b);
            }
        } else if (command == "wait") {
            count(1);
            const int ms = number(0);
            if (ms < 0) Fail(line_number_, "negative Wartezeit");
            waiting_ = true;
            wait_until_ = now_ + ms;
            return;  // the line counts once its time has passed
        } else if (command == "shot") {
            count(1);
            const std::string& file = args[0];
            if (file.find('/') != std::string::npos || file.find('\\') != std::string::npos || file[0] == '.')
                Fail(line_number_, "Dateiname ohne Verzeichnis erwartet: " + file);
            if (Write_Shot(file) != 0) Fail(line_number_, "Bild nicht schreibbar: " + file);
        } else if (command == "close") {
            count(0);
            pending_.push_back(Raw_Event::Close());
        } else if (command == "answer") {
            Fail(line_number_, "Antwort ohne Meldung (das Programm wartet auf Eingaben)");
        } else {
            Fail(line_number_, "unbekannter Befehl: " + command);
        }
        Line_Consumed();
    }
};

} // namespace

std::unique_ptr<Backend> Make_Script_Backend(const std::string& script, const std::string& name)
{
    return std::make_unique<Script_Backend>(script, name);
}

int Write_Shot(const std::string& file_name)
{
    const char* dir = std::getenv("ZAV_SHOT_DIR");
    const std::string path = (dir && *dir ? std::string(dir) + "/" : std::string()) + file_name;
    return Write_Png(path);
}

} // namespace screen
