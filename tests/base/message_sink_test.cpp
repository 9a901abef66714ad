#include "base/message_sink.h"

#include "platform/messages.h"
#include "report/collected_lists.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class MessageSink : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset()
    {
        Msg_Enable();
        Msg_Set_Batch(0);
        Msg_Set_Mode(MSG_MODE_SHOW);
        for (int i = 0; i < MSG_CONTEXT_COUNT; ++i) Msg_Close_Context(i);
        Clear_Shown_Messages();
        Set_Message_Answer(0);
    }

    static std::string Last_Shown()
    {
        return Shown_Messages().empty() ? std::string("<none>") : Shown_Messages().back().text;
    }
};

TEST_F(MessageSink, ModesDecideWhereAMessageGoes)
{
    Msg_Show("^b^pLast %d kN", 12);
    EXPECT_EQ(Last_Shown(), "Last 12 kN");

    Msg_Set_Mode(MSG_MODE_STDOUT);
    CaptureStdout();
    Msg_Show("^bLast %d kN", 13);
    Msg_Show("^");  // a lone caret at the end is a style mark, not text
    EXPECT_EQ(GetCapturedStdout(), "Last 13 kN\n\n");

    // Dropped: mode 3, collecting without an open context, the sink off, an empty format.
    Msg_Set_Mode(MSG_MODE_DROP);
    Msg_Show("weg");
    Msg_Set_Mode(MSG_MODE_COLLECT);
    Msg_Show("weg");
    Msg_Set_Mode(MSG_MODE_SHOW);
    Msg_Disable();
    Msg_Show("weg");
    Msg_Error("weg");
    Msg_Show_With_Mode(MSG_MODE_SHOW, "weg");
    Msg_Enable();
    const char* empty = "";
    const char* none = nullptr;
    // An empty and a missing format on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
    Msg_Show(empty);
    Msg_Show(none);
#pragma GCC diagnostic pop
    EXPECT_EQ(Shown_Messages().size(), 1u);
}

TEST_F(MessageSink, PrefixedAndModeBoundMessagesKeepTheModeAndTheirPercentSigns)
{
    Msg_Set_Mode(MSG_MODE_DROP);
    CaptureStdout();
    Msg_Show_With_Mode(MSG_MODE_STDOUT, "%s", "Ausnutzung 105 %");
    Msg_Hint_With_Mode(MSG_MODE_STDOUT, "Wert %d%%", 5);
    Msg_Warning_With_Mode(-1, "im Modus in Kraft");  // mode 3: dropped
    Msg_Show("weg");                                 // mode 3 is back
    EXPECT_EQ(GetCapturedStdout(), "Ausnutzung 105 %\nHINWEIS: Wert 5%.\n");

    Msg_Set_Mode(MSG_MODE_SHOW);
    Msg_Error("%s", "Breite %d zu klein");
    EXPECT_EQ(Last_Shown(), "FEHLER: Breite %d zu klein!");
}

TEST_F(MessageSink, LongTextsAreCutToTheirLimits)
{
    const std::string long_text(700, 'x');
    Msg_Set_Mode(MSG_MODE_STDOUT);
    CaptureStdout();
    Msg_Show("%s", long_text.c_str());
    Msg_Error("%s", long_text.c_str());
    // 500 characters each; the error loses its "^b" on output and its "!" to the cut.
    EXPECT_EQ(GetCapturedStdout(),
              std::string(500, 'x') + "\nFEHLER: " + std::string(490, 'x') + "\n");

    // A long message collected twice is still recognised as the one stored.
    ASSERT_EQ(Msg_Open_Context(), 0);
    Msg_Collect("%s", long_text.c_str());
    Msg_Collect("%s", long_text.c_str());
    EXPECT_EQ(Msg_Current_Count(), 1);
    CaptureStdout();
    Msg_Show_Current(MSG_MODE_STDOUT);
    EXPECT_EQ(GetCapturedStdout(), std::string(498, 'x') + "\n\n");
}

TEST_F(MessageSink, CollectingStoresEachLongerMessageOnce)
{
    ASSERT_EQ(Msg_Open_Context(), 0);
    Msg_Set_Mode(MSG_MODE_COLLECT);
    Msg_Show("Stahl fehlt");
    Msg_Show("Stahl fehlt");       // repeated: stored once
    Msg_Show("Stahl");             // beginning of a stored one: dropped
    Msg_Show("Stahl fehlt oben");  // longer than a stored one: kept
    Msg_Show("ok");                // two characters: stored every time
    Msg_Show("ok");
    EXPECT_EQ(Msg_Current_Count(), 4);

    // Collecting under mode 0 puts mode 0 back; only the current context collects.
    Msg_Set_Mode(MSG_MODE_SHOW);
    ASSERT_EQ(Msg_Open_Context(), 1);
    Msg_Collect("zweiter");
    Msg_Show("sofort");
    EXPECT_EQ(Last_Shown(), "sofort");
    EXPECT_EQ(Msg_Current_Count(), 1);
    EXPECT_EQ(Msg_Select_Context(0), 0);
    EXPECT_EQ(Msg_Current_Count(), 4);
}

TEST_F(MessageSink, ContextSlotsAndTheirAnswers)
{
    for (int i = 0; i < MSG_CONTEXT_COUNT; ++i) EXPECT_EQ(Msg_Open_Context(), i);
    EXPECT_EQ(Msg_Open_Context(), -1);

    Msg_Close_Context(3);
    EXPECT_EQ(Msg_Select_Context(3), 1);
    EXPECT_EQ(Msg_Select_Context(10), 2);
    EXPECT_EQ(Msg_Select_Context(-1), 2);
    EXPECT_EQ(Msg_Set_Context_Name(-5, "falsch"), 2);
    EXPECT_EQ(Msg_Context_Count(-1) + Msg_Context_Count(10), 0);

    // A closed slot is the lowest free one and comes back empty and current.
    Msg_Collect("in neun");
    EXPECT_EQ(Msg_Context_Count(9), 1);
    Msg_Close_Context(9);
    EXPECT_EQ(Msg_Open_Context(), 3);
    EXPECT_EQ(Msg_Open_Context(), 9);
    EXPECT_EQ(Msg_Current_Count(), 0);

    // The current context closed: collecting stores nothing.
    Msg_Close_Context(9);
    Msg_Collect("nirgends");
    EXPECT_EQ(Msg_Current_Count(), 0);
}

TEST_F(MessageSink, BatchSendsInteractiveMessagesToStandardOutputForGood)
{
    ASSERT_EQ(Msg_Open_Context(), 0);
    Msg_Collect("gesammelt");
    Msg_Set_Batch(1);
    Set_Message_Answer(1);
    CaptureStdout();
    Msg_Show("erste");
    Msg_Set_Batch(0);
    Msg_Show("zweite");
    Msg_Set_Batch(1);
    EXPECT_EQ(Msg_Show_Current_Once(), 1);  // a list prints instead of asking
    EXPECT_EQ(GetCapturedStdout(), "erste\nzweite\ngesammelt\n\n");
    EXPECT_TRUE(Shown_Messages().empty());
}

TEST_F(MessageSink, ShowingAContextInAMessageBoxOrOnStandardOutput)
{
    ASSERT_EQ(Msg_Open_Context(), 0);
    Msg_Error_With_Mode(MSG_MODE_COLLECT, "Bewehrung fehlt");
    Msg_Collect("^2Zeile mit Umbruch\n");

    Msg_Show_Context(0, MSG_MODE_SHOW);
    EXPECT_EQ(Last_Shown(), "FEHLER: Bewehrung fehlt!\nZeile mit Umbruch\n");

    // Mode 1 routes each stored entry (with its own line feed) again; the mode stays 1.
    CaptureStdout();
    Msg_Show_Context(0, MSG_MODE_STDOUT);
    Msg_Show("danach");
    EXPECT_EQ(GetCapturedStdout(), "FEHLER: Bewehrung fehlt!\n\nZeile mit Umbruch\n\n\ndanach\n");

    // A free slot, a bad index or the sink off show nothing.
    Msg_Set_Mode(MSG_MODE_SHOW);
    Msg_Show_Context(5, MSG_MODE_SHOW);
    Msg_Disable();
    Msg_Show_Context(0, MSG_MODE_SHOW);
    EXPECT_EQ(Msg_Show_Current_Once(), 1);
    EXPECT_EQ(Msg_Show_Current_With_Check("x"), 0);
    EXPECT_EQ(Msg_Ask_Collected(1), 0);
    EXPECT_EQ(Shown_Messages().size(), 1u);
}

TEST_F(MessageSink, TheListShowsPlainLinesUnderTheContextName)
{
    ASSERT_EQ(Msg_Open_Context(), 0);
    ASSERT_EQ(Msg_Set_Context_Name(0, std::string(150, 'n').c_str()), 0);
    Msg_Collect("^bFett");
    Msg_Collect("%s", "Wert \xCE" "C12 rot\xCE" "c ok");
    Msg_Collect("%s", "\xCE" "bstark\xCE" "r und \xCE" "C3\xCE" "c ohne Text");
    Msg_Collect("%s", "offen \xCE" "bbis zum Ende");
    Msg_Collect("%s", "Steuerbyte am Ende \xCE");
    Msg_Collect("50 %% Last");

    Msg_Show_Current(MSG_MODE_LIST);
    ASSERT_EQ(Shown_Messages().size(), 1u);
    EXPECT_EQ(Shown_Messages()[0].title, std::string(99, 'n'));
    EXPECT_EQ(Last_Shown(), "Fett\nWert rot ok\nstark und  ohne Text\noffen bis zum Ende\n"
                            "Steuerbyte am Ende \n50 % Last");

    // The mode stays 4; a message outside a list is still shown, not lost.
    Msg_Show("danach");
    EXPECT_EQ(Last_Shown(), "danach");
}

TEST_F(MessageSink, CheckBoxAndQuestionAnswers)
{
    ASSERT_EQ(Msg_Open_Context(), 0);
    Msg_Hint_With_Mode(MSG_MODE_COLLECT, "Bitte pr\x81" "fen");

    EXPECT_EQ(Msg_Show_Current_Once(), 1);  // not ticked: show again next time
    EXPECT_TRUE(Shown_Messages().back().question);
    EXPECT_EQ(Last_Shown(), "HINWEIS: Bitte pr\x81" "fen.\n\nDiesen Hinweis nicht nochmal anzeigen");
    Set_Message_Answer(1);
    EXPECT_EQ(Msg_Show_Current_Once(), 0);
    EXPECT_EQ(Msg_Show_Current_With_Check("Merken"), 1);
    EXPECT_EQ(Last_Shown(), "HINWEIS: Bitte pr\x81" "fen.\n\nMerken");

    // Asking shows the messages and hands back the answer; not asked in mode 1 or
    // without a context.
    EXPECT_EQ(Msg_Ask_Collected_Default_No(), 1);
    EXPECT_EQ(Last_Shown(), "HINWEIS: Bitte pr\x81" "fen.");
    const size_t shown = Shown_Messages().size();
    Msg_Set_Mode(MSG_MODE_STDOUT);
    EXPECT_EQ(Msg_Ask_Collected(1), 0);
    Msg_Set_Mode(MSG_MODE_SHOW);
    Msg_Close_Context(0);
    EXPECT_EQ(Msg_Ask_Collected(1), 0);
    EXPECT_EQ(Shown_Messages().size(), shown);
}

TEST_F(MessageSink, CollectedMessagesGoIntoTheReportInBold)
{
    File_Stream report;
    Msg_Write_Current_To_Report(report.get());  // no context: nothing written
    EXPECT_EQ(report.bytes(), "");

    ASSERT_EQ(Msg_Open_Context(), 0);
    Msg_Error_With_Mode(MSG_MODE_COLLECT, "Bewehrung fehlt");
    Msg_Collect("%s", "Nachweis 100 %d");
    Msg_Write_Current_To_Report(report.get());
    const std::string bytes = report.bytes();
    // Bold by the report's own mark; the screen's style pair does not reach the report.
    EXPECT_NE(bytes.find("\n \xCE" "bFEHLER: Bewehrung fehlt!\n \xCE" "bNachweis 100 %d\n#END_OF_TEXT\n"),
              std::string::npos)
        << bytes;
    EXPECT_EQ(bytes.find('^'), std::string::npos);
    EXPECT_EQ(Msg_Current_Count(), 2);  // the context keeps its messages
}

}  // namespace
