// What the walkthroughs cannot show: the design values, DescribeRoom called directly, Exit,
// and how commands are folded.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "game.h"

namespace vaultmoor {
namespace {

// A game just past the story screen, in the cell.
Game InCell() {
    Game g;
    g.mnuNewGame_Click();
    g.Enter("");
    return g;
}

void Play(Game& g, std::initializer_list<const char*> commands) {
    for (const char* c : commands) ASSERT_TRUE(g.Enter(c)) << c;
}

const std::string& Message(Game& g) {
    return g.lblText(12).Caption;
}
const std::string& Description(Game& g) {
    return g.lblText(11).Caption;
}

TEST(ProgramStart, ShowsTitleScreenAndTakesNoTurn) {
    Game g;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(g.lblText(i).Visible, i <= 9) << "lblText(" << i << ")";
    EXPECT_FALSE(g.InputShown());
    EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
    EXPECT_FALSE(g.Enter("get bible"));
    EXPECT_EQ(g.CurrentRoom, 0);
    EXPECT_TRUE(g.frmMain == DesignWindow());
}

TEST(ProgramStart, DesignCaptionsUseTheirGlyphs) {
    EXPECT_EQ(SeparatorLine.size(), 34u * 3);  // 34 three-byte triple bars
    EXPECT_EQ(SeparatorLine.substr(0, 3), "\xE2\x89\xA1");
    EXPECT_EQ(StoryText.size(), 314u);
    EXPECT_EQ(EndLabelText, "\xCF\x84h\xCE\xB5 \xCE\xA3nd");
    EXPECT_EQ(DesignWindow().lblText[16].Caption, EndLabelText);
}

TEST(Exit, EndsThePlayForGood) {
    Game g = InCell();
    g.mnuFileExit_Click();
    EXPECT_FALSE(g.Running);
    EXPECT_FALSE(g.InputShown());
    EXPECT_FALSE(g.Enter("push floor"));
    g.mnuNewGame_Click();
    EXPECT_EQ(g.CurrentRoom, 2);
    EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
}

TEST(Turn, OnlyAsciiCapitalsAreFolded) {
    Game g = InCell();
    // A Kelvin sign is not a K, and non-ASCII bytes pass through untouched.
    Play(g, {"\xE2\x84\xAAick door", "G\xC3\x89T BIBLE"});
    EXPECT_EQ(Message(g), "What?");
    EXPECT_EQ(g.Inventory(1), "");
}

TEST(DescribeRoom, LedgeWithoutRopeSendsThePlayerBackDownOnce) {
    Game g = InCell();
    g.ShowText("message of the turn");
    g.CurrentRoom = 11;
    g.DescribeRoom();
    EXPECT_EQ(g.CurrentRoom, 6);
    EXPECT_EQ(Message(g), "Sorry, you don't have anything to climb with.");
    const std::string first = Description(g);
    g.ShowText("second");
    g.DescribeRoom();
    EXPECT_EQ(Message(g), "second");
    EXPECT_EQ(Description(g), first);

    g.Inventory(9) = "rope";
    g.CurrentRoom = 11;
    g.DescribeRoom();
    EXPECT_EQ(g.CurrentRoom, 11);
    EXPECT_EQ(Message(g), "second");
}

}  // namespace
}  // namespace vaultmoor
