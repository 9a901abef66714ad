#include "platform/screen/screen.h"

#include "base/alloc.h"
#include "platform/environment.h"
#include "platform/messages.h"
#include "platform/tools.h"

#include "test_support.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class ScreenEvents : public testing::Test {
protected:
    void TearDown() override { Screen_Reset_For_Tests(); }
};

TEST_F(ScreenEvents, MaskFiltersButEveryMouseMessageWritesTheGlobals)
{
    Screen_Start_For_Tests("move 10 20\n"
                           "click 30 40\n"
                           "key Enter\n"
                           "wheel -2\n"
                           "text \"a\xC3\xA4\"\n"
                           "move 5 5\n");
    ZAV_Message m;
    InitZAVMessage(&m);
    // Waiting for a release: the move and the press are taken in on the way.
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_LEFT_UP, &m), ZAV_MSG_LEFT_UP);
    EXPECT_EQ(M_XPOS, 30);
    EXPECT_EQ(M_YPOS, 40);
    EXPECT_EQ(M_LEFT, 0);
    EXPECT_EQ(m.x, 30);
    // A key that the mask does not want stays queued and ends no wait.
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_WHEEL, &m), ZAV_MSG_WHEEL);
    EXPECT_EQ(M_SCROLL, -2);
    EXPECT_EQ(m.wheel, -2);
    EXPECT_EQ(hitkey(), 13);
    // Keys arriving now end a wait that wants them, one each, in code page 850.
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_KEY | ZAV_MSG_MOVE, &m), ZAV_MSG_KEY);
    EXPECT_EQ(m.key, 'a');
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_KEY | ZAV_MSG_MOVE, &m), ZAV_MSG_KEY);
    EXPECT_EQ(m.key, 0x84);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_KEY | ZAV_MSG_MOVE, &m), ZAV_MSG_MOVE);
    EXPECT_EQ(M_SCROLL, 0);
    EXPECT_EQ(getkey(), 13);
    EXPECT_EQ(getkey(), 'a');
    EXPECT_EQ(getkey(), 0x84);
    EXPECT_EQ(hitkey(), -1);
}

TEST_F(ScreenEvents, ReleaseSwallowedAndGetMouseEventAfterASimulatedClick)
{
    Screen_Start_For_Tests("move 50 60\ndown\nup\nmove 51 60\n");
    ZAV_Message m;
    InitZAVMessage(&m);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_LEFT_DOWN, &m), ZAV_MSG_LEFT_DOWN);
    EXPECT_EQ(GetZAVMessage(1, nullptr), ZAV_MSG_LEFT_UP);
    // The program simulates a click by writing the globals; the library's true state
    // (button up) brings them back at once, without waiting for the script.
    M_LEFT = 1;
    M_YPOS = 99;
    Get_Mouse_Event();
    EXPECT_EQ(M_LEFT, 0);
    EXPECT_EQ(M_YPOS, 60);
    int loops = 0;
    while (M_LEFT && ++loops < 10) Get_Mouse_Event();
    EXPECT_EQ(loops, 0);
    // Same state: waits for the next mouse message.
    Get_Mouse_Event();
    EXPECT_EQ(M_XPOS, 51);
}

TEST_F(ScreenEvents, TicksComeFromTheScriptsWaits)
{
    Screen_Start_For_Tests("wait 250\nmove 1 1\nwait 1000\n");
    ZAV_Message m;
    InitZAVMessage(&m);
    const double t0 = Library_Clock_Seconds();
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_TICK | ZAV_MSG_MOVE, &m), ZAV_MSG_TICK);
    EXPECT_DOUBLE_EQ(Library_Clock_Seconds() - t0, 0.1);  // idle 100 ms
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_TICK | ZAV_MSG_MOVE, &m), ZAV_MSG_TICK);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_TICK | ZAV_MSG_MOVE, &m), ZAV_MSG_MOVE);  // after 250 ms
    EXPECT_DOUBLE_EQ(Library_Clock_Seconds() - t0, 0.25);
    // The record's idle time; without ticks in the mask the whole wait passes.
    m.idle_ms = 300;
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_TICK, &m), ZAV_MSG_TICK);
    EXPECT_DOUBLE_EQ(Library_Clock_Seconds() - t0, 0.55);
    EXPECT_EQ(ZAVSetTimer(1), 0);
    EXPECT_EQ(ZAVSetTimer(1), 1);
    ZAVSleep(150);  // sleeps move the virtual clock at once
    EXPECT_DOUBLE_EQ(Library_Clock_Seconds() - t0, 0.7);
    Wait_Seconds(0.05);
    EXPECT_DOUBLE_EQ(Library_Clock_Seconds() - t0, 0.75);
    ZAVSetTimer(0);
}

TEST_F(ScreenEvents, CloseRequestsAreSeenByGetkeymaskAndEndSheetWaits)
{
    Screen_Start_For_Tests("close\nmove 3 3\n");
    ZAV_Message m;
    InitZAVMessage(&m);
    EXPECT_EQ(getkeymask(), 0);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_SHEET | ZAV_MSG_MOVE, &m), ZAV_MSG_SHEET);
    EXPECT_EQ(getkeymask(), 1);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_MOVE, &m), ZAV_MSG_MOVE);
    EXPECT_EQ(getkeymask(), 1);  // pending until a sheet serves it
    static int asked = 0;
    ZAVSetCloseFct([] {
        ++asked;
        return 0;
    });
    Serve_Close_Request();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(getkeymask(), 0);
    ZAVSetCloseFct(nullptr);
}

TEST_F(ScreenEvents, PointerPositionsAndConfinementsAreStacks)
{
    Screen_Start_For_Tests("move 500 400\n");
    msStCu(100, 100);
    Save_Mouse_Position();
    msStCu(200, 150);
    Save_Mouse_Position();
    Pop_Mouse_Move_Restriction(10, 10, 300, 300);
    Pop_Mouse_Move_Restriction(50, 50, 60, 60);  // the pointer is brought inside
    int x, y;
    msStat(&x, &y);
    EXPECT_EQ(x, 60);
    EXPECT_EQ(y, 60);
    Push_Mouse_Move_Restriction();
    ZAV_Message m;
    InitZAVMessage(&m);
    GetZAVMessage(ZAV_MSG_MOVE, &m);  // the script's move is confined as well
    EXPECT_EQ(M_XPOS, 300);
    EXPECT_EQ(M_YPOS, 300);
    Push_Mouse_Move_Restriction();
    Restore_Mouse_Position();
    EXPECT_EQ(M_XPOS, 200);
    Restore_Mouse_Position();
    msStat(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(setMouseCursor(6), 0);
    EXPECT_EQ(setMouseCursor(0), 6);
}

TEST_F(ScreenEvents, MessageBoxesTakeTheScriptsAnswersAndRestoreTheScreen)
{
    Screen_Start_For_Tests("answer ok\nanswer yes\nmove 1 1\nanswer no\nkey Enter\nkey Enter\nkey Esc\n", 320, 240);
    pxFgc(0x123456);
    pxRect(0, 0, 319, 239);
    Clear_Shown_Messages();
    PrintMessage("Datei gespeichert");  // takes the "answer ok" line
    Init_Message();
    Fill_Message("Aktuelle Bearbeitung abbrechen?");
    EXPECT_NE(Answer_is_Yes(1), 0);
    testing::internal::CaptureStderr();
    Init_Message();
    Fill_Message("Nochmals?");
    EXPECT_EQ(Answer_is_Yes(1), 0);  // the next line is no answer: "no", with a warning
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("nein"), std::string::npos);
    ASSERT_EQ(Shown_Messages().size(), 3u);
    EXPECT_TRUE(Shown_Messages()[1].question);
    EXPECT_EQ(Screen_Pixel_For_Tests(160, 120), 0x123456u);  // the boxes are gone
    ZAV_Message m;
    InitZAVMessage(&m);
    EXPECT_EQ(GetZAVMessage(ZAV_MSG_MOVE, &m), ZAV_MSG_MOVE);
    Init_Message();
    Fill_Message("Und jetzt?");
    EXPECT_EQ(Answer_is_Yes(1), 0);  // "answer no"
    // Enter answers with the default button, Esc "no" whatever the default.
    const int expected[][2] = {{1, 1}, {0, 0}, {1, 0}};  // default_yes, answer
    for (const auto& e : expected) {
        Init_Message();
        Fill_Message("Weiter?");
        EXPECT_EQ(Answer_is_Yes(e[0]), e[1]);
    }
}

// Whether the column through the middle of the screen crosses the title bar of a box.
bool Box_Title_Shown()
{
    for (int y = 0; y < 480; ++y)
        if (Screen_Pixel_For_Tests(320, y) == 0x0A246Au) return true;
    return false;
}

using ScreenEventsDeathTest = ScreenEvents;

TEST_F(ScreenEventsDeathTest, RunningOutOfMemoryShowsTheBoxThenEnds)
{
    EXPECT_EXIT(
        {
            Screen_Start_For_Tests("", 640, 480);
            if (Box_Title_Shown()) std::_Exit(6);  // prepared off the screen
            std::atexit([] {
                if (!Box_Title_Shown()) std::_Exit(7);
            });
            Abort_Out_Of_Memory();
        },
        testing::ExitedWithCode(0), "Die Sitzung mu\xC3\x9F leider abgebrochen werden.");
}

TEST_F(ScreenEvents, ShotsAreWrittenAsPng)
{
    Temp_Dir dir;
    ::setenv("ZAV_SHOT_DIR", dir.path().c_str(), 1);
    Screen_Start_For_Tests("shot eins.png\nmove 1 1\n", 64, 48);
    pxFgc(0x00FF00);
    pxRect(0, 0, 63, 47);
    pxFgc(0xFF0000);
    pxRect(10, 20, 10, 20);
    ZAV_Message m;
    InitZAVMessage(&m);
    GetZAVMessage(ZAV_MSG_MOVE, &m);
    ::unsetenv("ZAV_SHOT_DIR");
    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.file("eins.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 64);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(png));
    const int stride = cairo_image_surface_get_stride(png) / 4;
    EXPECT_EQ(data[20 * stride + 10] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(data[0] & 0xFFFFFF, 0x00FF00u);
    cairo_surface_destroy(png);
}

using ScreenScriptDeathTest = ScreenEvents;

TEST_F(ScreenScriptDeathTest, ExhaustionEndsWithNinetyAndFinalPng)
{
    Temp_Dir dir;
    ::setenv("ZAV_SHOT_DIR", dir.path().c_str(), 1);
    EXPECT_EXIT(
        {
            Screen_Start_For_Tests("# nothing but a comment\n\nmove 1 1\n", 64, 48);
            ZAV_Message m;
            InitZAVMessage(&m);
            for (;;) GetZAVMessage(ZAV_MSG_MOVE, &m);
        },
        testing::ExitedWithCode(90), "zu Ende");
    ::unsetenv("ZAV_SHOT_DIR");
    EXPECT_TRUE(File_Exists(dir.file("final.png")));
}

TEST_F(ScreenScriptDeathTest, ScriptErrorsEndWithNinetyOne)
{
    auto run = [](const char* script) {
        Screen_Start_For_Tests(script, 64, 48);
        ZAV_Message m;
        InitZAVMessage(&m);
        for (;;) GetZAVMessage(ZAV_MSG_MOVE | ZAV_MSG_KEY, &m);
    };
    EXPECT_EXIT(run("move 1 1\njump 3 4\n"), testing::ExitedWithCode(91), "Zeile 2: unbekannter Befehl");
    EXPECT_EXIT(run("answer yes\n"), testing::ExitedWithCode(91), "Zeile 1: Antwort ohne Meldung");
    EXPECT_EXIT(run("key Hyper\n"), testing::ExitedWithCode(91), "unbekannte Taste");
    EXPECT_EXIT(run("move 1\n"), testing::ExitedWithCode(91), "Anzahl");
    EXPECT_EXIT(run("shot ../x.png\n"), testing::ExitedWithCode(91), "Dateiname");
    // A loop on ticks that never consumes a line.
    EXPECT_EXIT(
        {
            Screen_Start_For_Tests("wait 100000000\n", 64, 48);
            ZAV_Message m;
            InitZAVMessage(&m);
            for (;;) GetZAVMessage(ZAV_MSG_TICK, &m);
        },
        testing::ExitedWithCode(91), "100000 Warte");
    ::setenv("ZAV_SCRIPT_TIME_LIMIT", "0.001", 1);
    EXPECT_EXIT(
        {
            Screen_Start_For_Tests("wait 100000000\n", 64, 48);
            const double until = Library_Clock_Seconds();
            (void)until;
            ZAVSleep(5);
            std::system("sleep 0.01");
            ZAV_Message m;
            InitZAVMessage(&m);
            for (;;) GetZAVMessage(ZAV_MSG_TICK, &m);
        },
        testing::ExitedWithCode(91), "Zeitgrenze");
    ::unsetenv("ZAV_SCRIPT_TIME_LIMIT");
}

} // namespace
