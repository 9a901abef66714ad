#include "toolkit/user_comment_sheet.h"

#include "base/alloc.h"
#include "platform/screen/screen.h"
#include "platform/screen/sheets.h"
#include "toolkit/scroll_area.h"

#include "sheet_script_test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// On a 1024 x 768 screen the sheet is 600 x 400 around the centre: the text box covers
// (219, 268)-(804, 576), the buttons' middles lie at y 241 and x 707 ("abbrechen"), 747
// ("Hilfe"), 787 ("bestätigen").
class UserCommentSheet : public Sheet_Script_Test {};

// Each row clicks into the first line, types and confirms. The comment's end can be
// reached (End, Ctrl+End, Right, Ctrl+A take it in), and its bytes come back as typed:
// no line end is added or lost.
TEST_F(UserCommentSheet, ConfirmReturnsTheEditedTextCancelAndHelpKeepTheOld)
{
    const struct {
        const char* old;
        const char* keys;
        const char* edited;
    } rows[] = {
        {"Alt\n", "text \"Neu \"\n", "Neu Alt\n"},
        {"abc0", "key End\ntext \"1\"\n", "abc01"},
        {"abc0", "key Ctrl+End\ntext \"1\"\n", "abc01"},
        {"abc0", "key Right\nkey Right\nkey Right\nkey Right\nkey Right\ntext \"1\"\n", "abc01"},
        {"abc0", "key Ctrl+A\ntext \"X\"\n", "X"},
    };
    std::string script;
    for (const auto& row : rows)
        script += std::string("move 230 275\ndown\nup\n") + row.keys + "move 787 241\ndown\nup\n";
    Start(script + "move 747 241\ndown\nup\nmove 707 241\ndown\nup\n");
    char* edited = nullptr;
    for (const auto& row : rows) {
        if (edited) MEM_FREE(edited);
        char* old = MEM_STRDUP(row.old);
        edited = Edit_User_Comment(old, "Vorbemerkungen");
        ASSERT_NE(edited, nullptr);
        EXPECT_NE(edited, old);  // old is freed
        EXPECT_EQ(std::string(edited), row.edited) << row.keys;
    }

    char* kept = Edit_User_Comment(edited, "Vorbemerkungen");
    EXPECT_EQ(kept, edited);
    EXPECT_EQ(std::string(kept), "X");
    ASSERT_FALSE(Get_Screen_State().help_topics.empty());
    EXPECT_EQ(Get_Screen_State().help_topics.back(), "USER_COMMENT");
    MEM_FREE(kept);
}

TEST_F(UserCommentSheet, WithoutAScreenTheCommentStays)
{
    char* old = MEM_STRDUP("Alt");
    EXPECT_EQ(Edit_User_Comment(old, "Vorbemerkungen"), old);
    MEM_FREE(old);
}

TEST_F(UserCommentSheet, WrappedItemsBreakAtTheLastBlankAndKeepEmptyLines)
{
    Start("");
    Define_Prop_Sheet(0, 0, 1023, 767, 1, 0, "", 1, 1);
    const int area = Area_Create(10, 30, 1000, 700, 0, 0);
    Area_Clear(area);
    const int a = Get_Text_Width_In_Font("aaaa ", 0x1000);
    int y = 20;
    // Four words of "aaaa " in a width of three and a half: three and the rest.
    const int n = Add_Wrapped_Text_Items(area, 5, &y, "aaaa aaaa aaaa aaaa\n\nbb", a * 7 / 2, 0x1000, BLACK_CI, 16);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(y, 20 + 4 * 16);
    std::vector<std::string> texts;
    std::vector<int> ys;
    for (const Area_Item* p = scroll_areas[area].first_item; p; p = p->next)
        if (p->type == AREA_TEXT) texts.push_back(p->text), ys.push_back(p->y1);
    EXPECT_EQ(texts, (std::vector<std::string>{"aaaa aaaa aaaa ", "aaaa", "bb"}));
    EXPECT_EQ(ys, (std::vector<int>{20, 36, 68}));
    // A word wider than the width is cut, as in the report, at the first beginning that
    // no longer fits: pieces of four letters in the width of three.
    y = 0;
    EXPECT_EQ(Add_Wrapped_Text_Items(area, 5, &y, "aaaaaaaaaa", Get_Text_Width_In_Font("aaa", 0x1000), 0x1000, 0, 10), 3);
}

} // namespace
