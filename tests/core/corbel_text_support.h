#pragma once
// What the tests of the two corbel design texts share: expected texts written in UTF-8,
// the running text of the one paragraph block a writer opens, and a fixture that resets
// the report's globals around each test and holds a C30 concrete set.
#include "core/corbel_work.h"
#include "platform/codepage.h"
#include "report/oli_channel.h"
#include "report/verdicts.h"
#include "test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace corbel_text_test {

// Expected report texts are written as the report's code page 850 bytes look in UTF-8
// ("╬H", "ä", "ê" ...), with {ok} and {nok} for the verdict words, and turned into bytes.
inline std::string Cp(const std::string& utf8)
{
    static std::map<std::string, char> bytes;
    for (int c = 0x80; c < 0x100 && bytes.size() < 128; ++c) {
        char out[4];
        bytes[std::string(out, Cp850_Byte_To_Utf8(static_cast<unsigned char>(c), out))] = static_cast<char>(c);
    }
    std::string text;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const size_t n = c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        text += n == 1 ? utf8[i] : bytes.at(utf8.substr(i, n));
        i += n - 1;
    }
    for (auto [word, verdict] : {std::pair{"{ok}", "\xCE{C 1 40 140 255}\xCEHok\xCE{C 768}"},
                                 std::pair{"{nok}", "\xCE{C 1 230 0 0}\xCEHnicht ok !!\xCE{C 768}"}})
        for (size_t at; (at = text.find(word)) != std::string::npos;)
            text.replace(at, std::string(word).size(), verdict);
    return text;
}

// The running text of the one paragraph block the writer opened (each line without the
// channel's leading blank); the paragraph head goes to *head.
inline std::string Running_Text(const std::string& bytes, std::string* head = nullptr)
{
    const size_t body = bytes.find("\n-1\n");
    const size_t end = bytes.find("#END_OF_TEXT\n");
    if (body == std::string::npos || end == std::string::npos) return "";
    if (head) *head = bytes.substr(0, body + 4);
    std::string text;
    for (size_t i = body + 4; i < end;) {
        const size_t nl = bytes.find('\n', i);
        EXPECT_EQ(bytes[i], ' ');
        text += bytes.substr(i + 1, nl - i);
        i = nl + 1;
    }
    return text;
}

inline bool Contains(const std::string& text, const std::string& utf8)
{
    return text.find(Cp(utf8)) != std::string::npos;
}

inline bool Ends_With(const std::string& text, const std::string& utf8)
{
    const std::string end = Cp(utf8);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class Corbel_Text_Test : public ::testing::Test {
protected:
    Concrete_Record concrete{};
    Material_Set set{};

    void SetUp() override
    {
        OLI_Reset_Channel();
        verdict_failed = 0;
        report_line_prefix = "";
        concrete.fck = 30.0; set.concrete = &concrete; set.n_concrete = 1;
    }
    void TearDown() override
    {
        report_line_prefix = "";
        verdict_failed = 0;
        OLI_Reset_Channel();
    }
    // The running text one design-text writer puts into a fresh report.
    std::string Report_Of(void (*write)(int, FILE*, int), int beam_end, int detail_level, std::string* head)
    {
        File_Stream out;
        write(beam_end, out.get(), detail_level);
        OLI_End_Text_Block(out.get());
        return Running_Text(out.bytes(), head);
    }
};

} // namespace corbel_text_test
