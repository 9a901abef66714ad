#include "base/utilities.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/number_words.h"
#include "base/periodic_callbacks.h"
#include "base/trace.h"
#include "base/version_words.h"
#include "test_support.h"

namespace {

// Points "EXEC" at a directory for one test.
struct Exec_Dir {
    explicit Exec_Dir(const std::string& path) { ::setenv("EXEC", path.c_str(), 1); }
    ~Exec_Dir() { ::unsetenv("EXEC"); }
};

TEST(UtilitiesWrite, NullStreamWritesNothing) {
    EXPECT_EQ(Write_If_Open(nullptr, "%d %s", 42, "x"), 0);
    Temp_Dir dir;
    FILE* f = std::fopen(dir.file("g.txt").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Write_If_Open(f, " 4 %d\n", 6), 5);
    std::fclose(f);
    EXPECT_EQ(Read_File_Bytes(dir.file("g.txt")), " 4 6\n");
}

TEST(UtilitiesAlloc, CountsBlocksAndClears) {
    Reset_Alloc_Count();
    EXPECT_EQ(Set_Alloc_Padding(-5), 0);
    auto* bytes = static_cast<unsigned char*>(Realloc_Or_Exit(nullptr, 64, 1));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[i], 0);
    bytes = static_cast<unsigned char*>(Realloc_Or_Exit(bytes, 128, 1));  // resized: not counted
    EXPECT_EQ(Get_Alloc_Count(), 1);
    EXPECT_EQ(Realloc_Or_Exit(bytes, 0, 0), nullptr);  // leaves the block alone
    Free_And_Null(reinterpret_cast<void**>(&bytes));
    EXPECT_EQ(bytes, nullptr);
    Free_And_Null(reinterpret_cast<void**>(&bytes));  // nothing twice
    EXPECT_EQ(Get_Alloc_Count(), 0);

    char* copy = Strdup_Counted("Konsole");
    EXPECT_STREQ(copy, "Konsole");
    EXPECT_EQ(Strdup_Counted(nullptr), nullptr);
    EXPECT_EQ(Get_Alloc_Count(), 1);
    Free_And_Null(reinterpret_cast<void**>(&copy));

    // Padding is added to every size: a zero size then still gives a block.
    EXPECT_EQ(Set_Alloc_Padding(8), 8);
    void* padded = Calloc_Counted(0);
    EXPECT_NE(padded, nullptr);
    Free_And_Null(&padded);
    Set_Alloc_Padding(0);
    EXPECT_EQ(Calloc_Counted(0), nullptr);
}

TEST(UtilitiesAlloc, MatrixAndCopiedArrays) {
    Reset_Alloc_Count();
    double** m = Alloc_Matrix(nullptr, 3, 4);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Get_Alloc_Count(), 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m[i], m[0] + 4 * i);
        for (int j = 0; j < 4; ++j) m[i][j] = i * 10 + j;
    }
    EXPECT_EQ(reinterpret_cast<char*>(m[0]), reinterpret_cast<char*>(m) + 3 * sizeof(double*));
    m = Alloc_Matrix(m, 5, 2);  // a resized matrix gets fresh row pointers
    EXPECT_EQ(m[4], m[0] + 8);
    EXPECT_EQ(Get_Alloc_Count(), 2);
    EXPECT_EQ(Alloc_Matrix(nullptr, 0, 4), nullptr);
    EXPECT_EQ(Alloc_Matrix(nullptr, -2, 4), nullptr);
    Free_And_Null(reinterpret_cast<void**>(&m));

    const double source[] = {1.5, 2.5, 3.5};
    double* copy = nullptr;
    Copy_Doubles_Alloc(3, &copy, source);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy[2], 3.5);
    Copy_Doubles_Alloc(0, &copy, source);  // nothing to copy: the array stays
    EXPECT_EQ(copy[0], 1.5);
    Free_And_Null(reinterpret_cast<void**>(&copy));
}

TEST(UtilitiesAllocDeathTest, ExhaustedMemoryEndsTheRunWithCodeZero) {
    EXPECT_EXIT(Realloc_Or_Exit(nullptr, SIZE_MAX, 0), testing::ExitedWithCode(0),
                "Speicher nicht aussreichend!");
    EXPECT_EXIT(Check_Alloc_Or_Exit(nullptr), testing::ExitedWithCode(0),
                "Speicher nicht aussreichend!");
    EXPECT_EXIT(Alloc_Matrix(nullptr, INT32_MAX, INT32_MAX), testing::ExitedWithCode(0),
                "Speicher nicht aussreichend!");
    int x = 0;
    Check_Alloc_Or_Exit(&x);  // a block is fine
}

TEST(UtilitiesInterpolation, UnsortedPoints) {
    const double x[] = {3, 1, 2};
    const double y[] = {30, 10, 20};
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(3, x, y, 1.5), 15.0);
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(3, x, y, 0.0), 0.0);    // below: first interval extended
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(3, x, y, 4.0), 40.0);   // above: last interval extended
    EXPECT_EQ(Interpolate_Unsorted(0, x, y, 1.0), 0.0);
    EXPECT_EQ(Interpolate_Unsorted(1, x, y, 7.0), 30.0);

    // Two points on one x keep their given order: a step up, and the same points
    // given the other way round, a dip.
    const double sx[] = {2, 1, 0, 1};
    const double up[] = {5, 0, 0, 5};
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(4, sx, up, 0.5), 0.0);
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(4, sx, up, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(4, sx, up, 1.5), 5.0);
    const double dip[] = {5, 5, 0, 0};
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(4, sx, dip, 0.5), 2.5);
    EXPECT_DOUBLE_EQ(Interpolate_Unsorted(4, sx, dip, 1.5), 2.5);

    const double px[] = {1, 1};
    const double py[] = {0, 5};
    EXPECT_EQ(Interpolate_Unsorted(2, px, py, 1.0), 1e100);
    EXPECT_EQ(Interpolate_Unsorted(2, px, py, -1.0), -1e100);
}

TEST(UtilitiesEnvironment, SectionProgramCheckIsKept) {
    Temp_Dir dir;
    std::filesystem::create_directories(dir.file("q7-drelm"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("q7-drelm/drelm.exe"), "x"));
    Exec_Dir exec(dir.path());
    EXPECT_EQ(Is_Section_Program_Installed(), 1);
    std::filesystem::remove(dir.file("q7-drelm/drelm.exe"));
    EXPECT_EQ(Is_Section_Program_Installed(), 1);
}

TEST(UtilitiesStrings, TrimAndCopy) {
    char a[] = "abc  ";
    Trim_Right(a);
    EXPECT_STREQ(a, "abc");
    char b[] = "abc \t \n";  // the blank goes with the newline, the tab stops the scan
    Trim_Right(b);
    EXPECT_STREQ(b, "abc \t");
    char c[] = "abc  \n";
    Trim_Right(c);
    EXPECT_STREQ(c, "abc");
    Trim_Right(nullptr);

    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    Copy_String_Zero_Fill(buffer, "abcdef", 4);
    EXPECT_EQ(std::string(buffer, 5), std::string("abc\0x", 5));
    Copy_String_Zero_Fill(buffer, nullptr, 4);
    EXPECT_STREQ(buffer, "abc");

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_STREQ(Copy_String_Pad(buffer, "ab", 4), "ab  ");
    EXPECT_STREQ(Copy_String_Pad(buffer, "abcdefg", 4), "abcd");
    EXPECT_STREQ(Copy_String_Pad(buffer, nullptr, 3), "   ");
}

TEST(UtilitiesFiles, ReplaceStringInFile) {
    Temp_Dir dir;
    const std::string path = dir.file("pos.txt");
    // A long line with an occurrence across the first 1023 bytes, a CR LF line, a NUL byte.
    const std::string long_line = std::string(1021, '-') + "Stuetze\n";
    ASSERT_TRUE(Write_File_Bytes(path, "Stuetze und Stuetze\r\n" + long_line + std::string("a\0b", 3) + "Stuetze"));
    EXPECT_EQ(Replace_String_In_File(path.c_str(), "Stuetze", "Tr\x84ger"), 4);
    EXPECT_EQ(Read_File_Bytes(path), "Tr\x84ger und Tr\x84ger\r\n" + std::string(1021, '-') +
                                         "Tr\x84ger\n" + std::string("a\0b", 3) + "Tr\x84ger");
    EXPECT_FALSE(File_Exists(path + ".tmp"));

    EXPECT_EQ(Replace_String_In_File(path.c_str(), "", "x"), 0);
    EXPECT_EQ(Replace_String_In_File(dir.file("missing.txt").c_str(), "a", "b"), -1);
    EXPECT_EQ(Replace_String_In_File(nullptr, "a", "b"), -1);

    // When the new version cannot be written, the file stays as it was.
    const std::string before = Read_File_Bytes(path);
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_EQ(Replace_String_In_File(path.c_str(), "und", "oder"), -1);
    EXPECT_EQ(Read_File_Bytes(path), before);
}

TEST(UtilitiesFiles, FileTimes) {
    Temp_Dir dir;
    ASSERT_TRUE(Write_File_Bytes(dir.file("a.inp"), "1"));
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("a.inp").c_str(), &info), 0);
    EXPECT_EQ(Get_File_Time(dir.file("a.inp").c_str()), static_cast<int>(info.st_mtime));
    EXPECT_EQ(Get_File_Time(dir.file("b.inp").c_str()), -1);
    EXPECT_EQ(Stat_File(dir.file("b.inp").c_str()), 1);
}

TEST(UtilitiesNumberWords, LevelsAndWholeNumbers) {
    EXPECT_STREQ(Get_Number_Word_Below_20(1, 0), "ein");
    EXPECT_STREQ(Get_Number_Word_Below_20(1, 1), "eins");
    EXPECT_STREQ(Get_Number_Word_Below_20(16, 0), "sechszehn");
    EXPECT_STREQ(Get_Number_Word_Below_20(0, 1), "-Fehler-");
    EXPECT_STREQ(Get_Tens_Word(35), "dreissig");
    EXPECT_STREQ(Get_Tens_Word(100), "-Fehler-");
    EXPECT_STREQ(Get_Number_Word_Below_100(21, 1), "einundzwanzig");
    EXPECT_STREQ(Get_Number_Word_Below_100(50, 1), "f\x81nfzig");
    EXPECT_STREQ(Get_Number_Word_Below_1000(101, 0), "einhunderteins");

    EXPECT_STREQ(Number_To_Words(0), "Null");
    EXPECT_STREQ(Number_To_Words(1), "Eins");
    EXPECT_STREQ(Number_To_Words(20), "Zwanzig");
    EXPECT_STREQ(Number_To_Words(1001), "Eintausendeins");
    EXPECT_STREQ(Number_To_Words(1234567),
                 "Einemillionzweihundertvierunddreissigtausendf\x81nfhundertsiebenundsechzig");
    EXPECT_STREQ(Number_To_Words(2000000), "Zweimillionen");
    EXPECT_STREQ(Number_To_Words(1000000000), "Einemilliarde");
    EXPECT_STREQ(Number_To_Words(2000000001), "Zweimilliardeneins");
    EXPECT_STREQ(Number_To_Words(4294967285u),
                 "Viermilliardenzweihundertvierundneunzigmillionenneunhundertsiebenundsechzig"
                 "tausendzweihundertf\x81nfundachtzig");
    EXPECT_STREQ(Number_To_Words(4294967286u), "Zahl zu gross");

    EXPECT_STREQ(Get_Count_Word(0), "keiner");
    EXPECT_STREQ(Get_Count_Word(5), "f\x81nf");
    EXPECT_STREQ(Get_Count_Word(12), "12");
    EXPECT_STREQ(Get_Count_Word(-1), "-1");
}

TEST(UtilitiesNumberWords, IntegerLists) {
    auto list = [](std::initializer_list<int> v) {
        return std::string(Format_Int_List(static_cast<int>(v.size()), std::data(v)));
    };
    EXPECT_EQ(list({1, 2, 3, 7}), "1 bis 3 und 7");
    EXPECT_EQ(list({1, 2, 3}), "1 bis 2 und 3");
    EXPECT_EQ(list({4}), "4");
    EXPECT_EQ(list({3, 5, 6, 7, 9}), "3, 5 bis 7 und 9");
    EXPECT_EQ(list({1, 2, 3, 7, 9}), "1 bis 3, 7 und 9");
    EXPECT_EQ(list({-2, -1, 0, 2147483647, -2147483647 - 1}),
              "-2 bis 0, 2147483647 und -2147483648");
    EXPECT_EQ(list({}), "");
}

TEST(UtilitiesVersions, ParseAndCompare) {
    int first = -1, second = -1;
    char suffix[4] = "zzz";
    Parse_Version_Word("Version 2.07.abcdef\n", &first, &second, suffix);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 7);
    EXPECT_EQ(std::string(suffix, 4), std::string("abc\0", 4));
    Parse_Version_Word("Programm 3.12", &first, &second, suffix);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 12);
    EXPECT_STREQ(suffix, "???");
    Parse_Version_Word("ohne Nummer", &first, &second, suffix);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    EXPECT_STREQ(suffix, "???");
    // An empty word is no version, whatever stands in the byte before it.
    const char before_empty[] = "V 7";
    Parse_Version_Word(before_empty + 3, &first, &second, suffix);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    EXPECT_STREQ(suffix, "???");

    // The second number decides first, then the first, then the suffix.
    EXPECT_EQ(Compare_Version_Words("V 1.5.a", "V 2.4.a"), 1);
    EXPECT_EQ(Compare_Version_Words("V 1.4.a", "V 2.4.a"), -1);
    EXPECT_EQ(Compare_Version_Words("V 2.4.b", "V 2.4.a"), 1);
}

TEST(UtilitiesVersions, ProgramVersionNumberIsKept) {
    Temp_Dir dir;
    std::filesystem::create_directories(dir.file("q7-ec205"));
    ASSERT_TRUE(Write_File_Bytes(dir.file("q7-ec205/VERSION"), "Version 1.23.00\r\nRevision <07\n"));
    Exec_Dir exec(dir.path());
    EXPECT_EQ(Get_Program_Version_Number("Q7-EC205"), 23);
    EXPECT_EQ(Get_Program_Version_Number("Q7-FEHLT"), 23);
}

TEST(UtilitiesTrace, SwitchAndRunTimes) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(Trace_Printf("%s %d\n", "Spur", 1), 7);
    Set_Trace_Switch(0);
    EXPECT_EQ(Trace_Printf("%s\n", "still"), 0);
    Set_Trace_Switch(1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Spur 1\n");

    testing::internal::CaptureStdout();
    Start_Run_Time(1);  // not measuring yet
    Stop_Run_Time(1, "x");
    EXPECT_EQ(Set_Run_Time_Measurement(1), 1);
    Start_Run_Time(3);
    Stop_Run_Time(3, "Bemessung");
    Stop_Run_Time(100, "aus dem Bereich");
    Stop_Run_Time(-1, nullptr);
    Start_Run_Time(4);
    Stop_Run_Time(4, nullptr);
    EXPECT_EQ(Set_Run_Time_Measurement(0), 0);
    Set_Run_Time_Measurement(0);  // already off: no second notice
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n>> Rechenzeitmessung aktiviert\n"
              ">> Rechenzeit  3:       0.00 sec (Bemessung)\n"
              ">> Rechenzeit  4:       0.00 sec\n"
              "\n>> Rechenzeitmessung deaktiviert\n");
}

void Tick_A() {}
void Tick_B() {}

TEST(UtilitiesCallbacks, StackInstallsItsTop) {
    Clear_Periodic_Callbacks();
    Push_Periodic_Callback(Tick_A);
    Push_Periodic_Callback(Tick_B);
    EXPECT_EQ(Installed_Periodic_Callback(), Tick_B);
    Suspend_Periodic_Callback();
    EXPECT_EQ(Installed_Periodic_Callback(), nullptr);
    Resume_Periodic_Callback();
    EXPECT_EQ(Installed_Periodic_Callback(), Tick_B);
    Pop_Periodic_Callback();
    EXPECT_EQ(Installed_Periodic_Callback(), Tick_A);
    Pop_Periodic_Callback();
    Pop_Periodic_Callback();  // not below empty
    EXPECT_EQ(Installed_Periodic_Callback(), nullptr);
    EXPECT_EQ(Periodic_Callback_Count(), 0);

    for (int i = 0; i < 25; ++i) Push_Periodic_Callback(i % 2 ? Tick_A : Tick_B);
    EXPECT_EQ(Periodic_Callback_Count(), 25);
    EXPECT_EQ(Installed_Periodic_Callback(), Tick_B);
    Clear_Periodic_Callbacks();
    EXPECT_EQ(Installed_Periodic_Callback(), nullptr);
    EXPECT_EQ(Periodic_Callback_Count(), 0);
}

}  // namespace
