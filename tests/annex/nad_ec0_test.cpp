#include "annex/nad_ec0.h"

#include "annex/nad_sections.h"
#include "test_support.h"
#include "written_text.h"

#include <gtest/gtest.h>
#include <string>
#include <type_traits>

namespace {

NAD_EC0_Params Defaults() {
    NAD_EC0_Params p;
    NAD_EC0_Defaults(&p);
    return p;
}

std::string Written(const NAD_EC0_Params& p) { return Text_Of(NAD_EC0_Write, p); }

// Reads the bytes over the record's values.
void Read_Into(const std::string& bytes, NAD_EC0_Params& p, int in_set_file) {
    File_Stream in(bytes);
    NAD_EC0_Read(in.get(), &p, in_set_file);
}

// Every factor a value of its own (hundredths, exact in two decimals), so that a value
// read into the wrong place shows.
NAD_EC0_Params Distinct() {
    NAD_EC0_Params p = Defaults();
    int k = 2;
    auto fill = [&k](auto& self, auto& v) -> void {
        if constexpr (std::is_array_v<std::remove_reference_t<decltype(v)>>)
            for (auto& x : v) self(self, x);
        else
            v = k++ / 100.0;
    };
    fill(fill, p.building_gamma);
    fill(fill, p.building_psi);
    fill(fill, p.bridge_gamma);
    fill(fill, p.road_psi);
    fill(fill, p.foot_psi);
    fill(fill, p.rail_psi);
    fill(fill, p.rail_alpha);
    return p;
}

// Lines [first, first + count) of a text; a written block has 28 building pairs, 12 triples,
// the version (line 40), 60 bridge pairs, 14 + 7 + 31 + 1 triples and the psi2E line (154).
std::string Lines(const std::string& text, int first, int count) {
    size_t begin = 0;
    for (int i = 0; i < first && begin != std::string::npos; ++i) begin = text.find('\n', begin) + 1;
    size_t end = begin;
    for (int i = 0; i < count && end < text.size(); ++i) {
        end = text.find('\n', end);
        end = end == std::string::npos ? text.size() : end + 1;
    }
    return text.substr(begin, end - begin);
}

// The block as an older writer made it: without the footbridge pair (version < 4) and
// without psi2E (version <= 4).
std::string Older_Block(const NAD_EC0_Params& p, int version) {
    const std::string now = Written(p);
    std::string text = Lines(now, 0, 40) + " " + std::to_string(version) + "\n";
    for (int s = 0; s < NAD_EC0_SITUATIONS; ++s)
        for (int a = 0; a < NAD_EC0_BRIDGE_ACTIONS; ++a)
            if (version >= 4 || a != 7) text += Lines(now, 41 + 15 * s + a, 1);
    return text + Lines(now, 101, 53) + "\n#EC2\n 1.5";
}

class EC0 : public ::testing::Test {
protected:
    void SetUp() override { NAD_Clear_Read_Failures(); }
};

TEST_F(EC0, RoundTripAndWriterLayout) {
    const NAD_EC0_Params original = Distinct();
    const std::string bytes = Written(original);
    for (const std::string& form : {bytes, To_CRLF(bytes)}) {
        NAD_EC0_Params back{};
        Read_Into(form + "\n\n#EC2\n", back, 1);
        EXPECT_EQ(NAD_EC0_Compare(&original, &back), 0);
        EXPECT_EQ(back.version, 5);
        EXPECT_DOUBLE_EQ(back.building_psi[11][3], original.building_psi[11][3]);
    }
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);

    NAD_EC0_Params p = Defaults();
    p.building_gamma[0][0][0] = 1.375;
    p.building_psi[0][3] = 0.125;
    const std::string d = Written(p);
    EXPECT_EQ(Lines(d, 0, 1), " 1.38 1.00\n");  // two decimals: 1.375 is kept as 1.38
    EXPECT_EQ(Lines(d, 28, 1), " 0.70 0.50 0.30\n");
    EXPECT_EQ(Lines(d, 40, 2), " 5\n 1.35 1.00\n");
    EXPECT_EQ(Lines(d, 153, 2), " 0.80 0.70 0.60\n"
                                " 0.12 0.60 0.80 0.60 0.30 0.00 0.50 0.50 0.00 0.00 1.00 0.50");
    EXPECT_EQ(d.find('\r'), std::string::npos);
}

TEST_F(EC0, OlderSetFileBlocks) {
    const NAD_EC0_Params file = Distinct();
    NAD_EC0_Params before = Defaults();
    for (auto& c : before.building_psi) c[3] = 0.99;

    // Version 3: action 8 of every bridge situation copies action 7; psi2E stays.
    NAD_EC0_Params v3 = before;
    Read_Into(To_CRLF(Older_Block(file, 3)), v3, 1);
    EXPECT_EQ(v3.version, 3);
    for (int s = 0; s < NAD_EC0_SITUATIONS; ++s) {
        EXPECT_EQ(v3.bridge_gamma[s][7][0], file.bridge_gamma[s][6][0]) << s;
        EXPECT_EQ(v3.bridge_gamma[s][7][1], file.bridge_gamma[s][6][1]) << s;
        EXPECT_EQ(v3.bridge_gamma[s][14][1], file.bridge_gamma[s][14][1]) << s;
    }
    EXPECT_EQ(v3.rail_alpha[2], file.rail_alpha[2]);
    for (auto& c : v3.building_psi) EXPECT_EQ(c[3], 0.99);

    // Version 4: all 60 bridge pairs, no psi2E; the text behind is not taken for one.
    NAD_EC0_Params v4 = before;
    Read_Into(Older_Block(file, 4), v4, 1);
    EXPECT_EQ(v4.bridge_gamma[3][7][0], file.bridge_gamma[3][7][0]);
    EXPECT_EQ(v4.rail_alpha[0], file.rail_alpha[0]);
    for (auto& c : v4.building_psi) EXPECT_EQ(c[3], 0.99);
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);
}

TEST_F(EC0, OlderListFileSection) {
    const NAD_EC0_Params file = Distinct();
    const std::string now = Written(file);
    const std::string pairs = Lines(now, 0, 28), triples = Lines(now, 28, 12);
    // The migration stands behind the "#NAD" line of an annex when it reads the section.
    const std::string head = " 20 \xAEHamburg\xAF\n EC5 Parameter\n 17\n 0\n";
    const std::string next = "#NAD 21 \xAE" "Bremen\xAF\n";

    // No number on the section line: version 1, all four situations; the list's block
    // ends in front of a block version, which is no failure.
    NAD_EC0_Params p = Defaults();
    Read_Into(To_CRLF(head + " Lastfaktoren\n" + pairs + triples + next), p, 0);
    EXPECT_EQ(p.version, 2);
    EXPECT_EQ(p.building_gamma[3][6][1], file.building_gamma[3][6][1]);
    EXPECT_EQ(p.building_psi[11][2], file.building_psi[11][2]);
    EXPECT_EQ(p.building_psi[11][3], Defaults().building_psi[11][3]);
    EXPECT_EQ(NAD_Read_Failure_Count(), 0);

    // Version 0: the persistent situation only.
    p = Defaults();
    Read_Into(head + " Lastfaktoren 0\n" + Lines(pairs, 0, 7) + triples + next, p, 0);
    EXPECT_EQ(p.building_gamma[0][6][1], file.building_gamma[0][6][1]);
    EXPECT_EQ(p.building_gamma[1][0][0], Defaults().building_gamma[1][0][0]);
    EXPECT_EQ(p.building_psi[0][0], file.building_psi[0][0]);

    // The next annex begins before the section: nothing is read, and that is noted.
    p = Distinct();
    p.version = 7;
    nad_trace = 1;
    testing::internal::CaptureStdout();
    Read_Into(head + next + " Lastfaktoren 1\n" + pairs + triples, p, 0);
    const std::string trace = testing::internal::GetCapturedStdout();
    nad_trace = 0;
    EXPECT_EQ(p.version, 7);
    EXPECT_EQ(NAD_EC0_Compare(&p, &file), 0);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC0");
    EXPECT_NE(trace.find(" EC0:            (failed)\n"), std::string::npos);
}

TEST_F(EC0, TruncatedSetFileBlockIsNotedAndKeepsTheRest) {
    const NAD_EC0_Params file = Distinct();
    const std::string bytes = Written(file);
    // Cut behind the fourth pair of the accidental bridge situation.
    NAD_EC0_Params p = Defaults();
    nad_trace = 1;
    testing::internal::CaptureStdout();
    Read_Into(Lines(bytes, 0, 60) + "\n\n#EC2\n", p, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " EC0: version= 1  (ok)\n");
    nad_trace = 0;
    EXPECT_EQ(p.version, 5);
    EXPECT_EQ(p.bridge_gamma[1][3][1], file.bridge_gamma[1][3][1]);
    EXPECT_EQ(p.bridge_gamma[1][4][0], Defaults().bridge_gamma[1][4][0]);
    EXPECT_EQ(p.rail_alpha[0], Defaults().rail_alpha[0]);
    EXPECT_EQ(NAD_Read_Failure_Parts(), "EC0");

    // Cut before the block version: the version stays 2.
    NAD_Clear_Read_Failures();
    p = Defaults();
    Read_Into(Lines(bytes, 0, 40), p, 1);
    EXPECT_EQ(p.version, 2);
    EXPECT_EQ(NAD_Read_Failure_Count(), 1);
}

TEST_F(EC0, CompareAndCopy) {
    const NAD_EC0_Params a = Defaults();
    NAD_EC0_Params b = a;
    b.version = 5;  // not compared
    b.building_gamma[0][0][0] = 1.3500999;
    EXPECT_EQ(NAD_EC0_Compare(&a, &b), 0);
    b.building_gamma[0][0][0] = 1.3502;
    EXPECT_EQ(NAD_EC0_Compare(&a, &b), 1);
    // A change in any block is seen, psi2E and the alpha marker included.
    auto differs_after = [&a](auto change) {
        NAD_EC0_Params c = a;
        change(c);
        return NAD_EC0_Compare(&a, &c);
    };
    EXPECT_EQ(differs_after([](NAD_EC0_Params& c) { c.building_psi[11][3] += 0.01; }), 1);
    EXPECT_EQ(differs_after([](NAD_EC0_Params& c) { c.bridge_gamma[3][14][1] += 0.01; }), 1);
    EXPECT_EQ(differs_after([](NAD_EC0_Params& c) { c.road_psi[13][2] -= 0.01; }), 1);
    EXPECT_EQ(differs_after([](NAD_EC0_Params& c) { c.foot_psi[6][0] += 0.01; }), 1);
    EXPECT_EQ(differs_after([](NAD_EC0_Params& c) { c.rail_psi[0][1] = 0.8; }), 1);
    EXPECT_EQ(differs_after([](NAD_EC0_Params& c) { c.rail_alpha[1] += 0.01; }), 1);
    EXPECT_EQ(NAD_EC0_Compare(&a, nullptr), 1);

    const NAD_EC0_Params source = Distinct();
    NAD_EC0_Params destination = Defaults();
    destination.version = 3;
    NAD_EC0_Copy(&destination, &source);
    EXPECT_EQ(destination.version, 3);
    EXPECT_EQ(NAD_EC0_Compare(&destination, &source), 0);
    NAD_EC0_Copy(nullptr, &source);
    NAD_EC0_Write(nullptr, &source);
    NAD_EC0_Read(nullptr, &destination, 1);
}

}  // namespace
