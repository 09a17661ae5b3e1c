// The turn, DescribeRoom and New Game, driven through the screen model.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>

#include "game.h"
#include "rules.h"

namespace vaultmoor {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        if (!out.empty()) out += CR;
        out += l;
    }
    return out;
}

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

TEST(NewGame, ResetsStateAndShowsStory) {
    Game g = InCell();
    Play(g, {"get bible", "push floor"});
    g.Inventory(5) = "sword";
    g.GameFlags(1) = g.GameFlags(2) = 1;
    g.frmMain.txtBox.Text = "half typed";
    g.mnuNewGame_Click();

    EXPECT_EQ(g.CurrentRoom, 0);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(g.Inventory(k), "");
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(g.GameFlags(k), 0);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(g.lblText(i).Visible, i == 10 || i == 11) << "lblText(" << i << ")";
    EXPECT_EQ(Description(g), StoryText);
    EXPECT_EQ(Message(g), "");
    EXPECT_EQ(g.lblPressEnter().Caption, PromptStory);
    EXPECT_TRUE(g.lblPressEnter().Visible);
    EXPECT_EQ(g.frmMain.txtBox.Text, "");
    EXPECT_TRUE(g.InputShown());
}

TEST(NewGame, DuringEitherQuestionStartsAfresh) {
    for (const char* raise : {"yell", "eat food"}) {
        Game g = InCell();
        Play(g, {raise});
        g.mnuNewGame_Click();
        EXPECT_EQ(g.lblPressEnter().Caption, PromptStory) << raise;
        Play(g, {"y"});  // the first Enter ignores what was typed
        EXPECT_EQ(g.CurrentRoom, 2);
        EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
        EXPECT_TRUE(g.InputShown());
        EXPECT_FALSE(g.lblText(13).Visible);
    }
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

TEST(Turn, FirstEnterIgnoresTypedText) {
    Game g;
    g.mnuNewGame_Click();
    Play(g, {"yell"});
    EXPECT_EQ(g.CurrentRoom, 2);
    EXPECT_FALSE(g.lblText(10).Visible);
    EXPECT_TRUE(g.lblText(12).Visible);
    EXPECT_EQ(Message(g), "");
    EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
    EXPECT_EQ(g.frmMain.txtBox.Text, "");
    EXPECT_EQ(Description(g).substr(0, 41), "You are standing in a cell in the castle.");
}

TEST(Turn, CommandsAreFoldedButNeverTrimmed) {
    Game g = InCell();
    Play(g, {"LoOk DoOr"});
    EXPECT_EQ(Message(g), "An old wooden door, but sturdy.");
    for (const char* near : {" look door", "look door ", "look  door", "", "kick guard"}) {
        Play(g, {near});
        EXPECT_EQ(Message(g), "What?") << '"' << near << '"';
        EXPECT_EQ(g.frmMain.txtBox.Text, "");
    }
}

TEST(Turn, OnlyAsciiCapitalsAreFolded) {
    Game g = InCell();
    // A Kelvin sign is not a K, and non-ASCII bytes pass through untouched.
    Play(g, {"\xE2\x84\xAAick door", "G\xC3\x89T BIBLE"});
    EXPECT_EQ(Message(g), "What?");
    EXPECT_EQ(g.Inventory(1), "");
}

TEST(Turn, GuardPromptTakesAnyAnswerBeforeTheRoom) {
    Game g = InCell();
    Play(g, {"yell"});
    EXPECT_EQ(Description(g), "");
    EXPECT_EQ(g.lblPressEnter().Caption, PromptGuard);
    Play(g, {"get bible"});  // not taken as a command
    EXPECT_EQ(g.Inventory(1), "");
    EXPECT_EQ(Message(g),
              "The guard pushes you into the corner and goes back out, shutting and locking the "
              "door.");
    EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
    Play(g, {"kick door", "HIT GUARD"});
    EXPECT_EQ(g.CurrentRoom, 3);
    EXPECT_EQ(ShownText(Message(g)),
              "He leans over, gasping. You run out the door and shut&lock it.");
}

TEST(Turn, SupperQuestionEmptiesTheCommandForTheCell) {
    for (const char* answer : {"n", "yes", "no", "", "get bible"}) {
        Game g = InCell();
        Play(g, {"get food"});
        EXPECT_EQ(Description(g), "Keep eating?");
        EXPECT_EQ(g.lblPressEnter().Caption, PromptYesNo);
        Play(g, {answer});
        EXPECT_EQ(Message(g), "") << answer;
        EXPECT_EQ(g.Inventory(1), "") << answer;
        EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
        EXPECT_EQ(Description(g), RoomDescription(g));
        EXPECT_TRUE(g.InputShown());
    }
}

TEST(Turn, SupperAnswerYEscapesThroughTheWindow) {
    Game g = InCell();
    Play(g, {"eat food", "Y"});
    EXPECT_FALSE(g.InputShown());
    EXPECT_FALSE(g.lblPressEnter().Visible);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(g.lblText(i).Visible, i >= 13 && i <= 15) << "lblText(" << i << ")";
    // The cell's empty-command rule still ran behind the hidden labels.
    EXPECT_EQ(Message(g), "");
    EXPECT_EQ(Description(g), RoomDescription(g));
    EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
    EXPECT_FALSE(g.Enter("look door"));
}

TEST(Turn, DeathThenAnyEnterShowsTheEndLabelOnly) {
    Game g = InCell();
    Play(g, {"push floor", "go south"});
    EXPECT_EQ(g.CurrentRoom, 4);
    EXPECT_EQ(Description(g), "");
    EXPECT_EQ(g.lblPressEnter().Caption, PromptDead);
    EXPECT_TRUE(g.InputShown());
    Play(g, {"go north"});
    EXPECT_EQ(g.CurrentRoom, 4);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(g.lblText(i).Visible, i == 16) << "lblText(" << i << ")";
    EXPECT_FALSE(g.lblPressEnter().Visible);
    EXPECT_FALSE(g.InputShown());
}

TEST(Turn, PushFloorEndsTheGameAndTheRoomStillAnswers) {
    Game g = InCell();
    Play(g, {"push floor", "go west", "push  floor", "push floor "});
    EXPECT_EQ(Message(g), "What?");
    EXPECT_TRUE(g.InputShown());
    Play(g, {"PUSH FLOOR"});
    EXPECT_EQ(g.CurrentRoom, 20);
    EXPECT_FALSE(g.InputShown());
    for (int i = 0; i < 20; ++i) EXPECT_EQ(g.lblText(i).Visible, i >= 17) << "lblText(" << i << ")";
    EXPECT_EQ(Message(g), "What?");
    EXPECT_EQ(Description(g), RoomDescription(g));
}

TEST(Turn, RoomWithoutRulesIsOnlyRepainted) {
    for (int room : {1, 8, 13, 18, 30, -1}) {
        Game g = InCell();
        g.CurrentRoom = static_cast<std::int16_t>(room);
        Play(g, {"go north"});
        EXPECT_EQ(g.CurrentRoom, room);
        EXPECT_EQ(Message(g), "");
        EXPECT_EQ(Description(g), "");
        EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
    }
}

TEST(DescribeRoom, TorchLightsTheSwampWhicheverTorch) {
    for (int slot : {3, 7}) {
        Game g = InCell();
        g.Inventory(slot) = "torch";
        g.CurrentRoom = 4;
        g.DescribeRoom();
        EXPECT_EQ(g.CurrentRoom, 5);
        EXPECT_EQ(Description(g), Lines({"The room is crawling with snakes.   There is a swampy "
                                         "creek going ",
                                         "along one wall.   There is a passage in every direction.",
                                         "THINGS OF INTEREST: SNAKES"}));
    }
    Game g = InCell();
    g.Inventory(3) = "Torch";  // not the word torch
    g.CurrentRoom = 4;
    g.DescribeRoom();
    EXPECT_EQ(g.CurrentRoom, 4);
    EXPECT_NE(Description(g).find("THINGS OF INTEREST: ?"), std::string::npos);
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

TEST(DescribeRoom, ThingsLinesFollowWhatIsCarried) {
    struct Case {
        int room;
        std::initializer_list<std::pair<int, const char*>> carried;
        const char* last;  // last line of the description
    };
    const Case cases[] = {
        {2, {}, "THINGS OF INTEREST: Plate of food, markings on wall, Bible"},
        {2, {{1, "bible"}}, "THINGS OF INTEREST: Plate of food, markings on wall"},
        {3, {}, "THINGS OF INTEREST: SPEAR, TORCH"},
        {3, {{3, "torch"}}, "THINGS OF INTEREST: SPEAR"},
        {3, {{2, "spear"}}, "THINGS OF INTEREST: TORCH"},
        {3, {{2, "spear"}, {7, "torch"}}, "THINGS OF INTEREST: TORCH"},
        {3,
         {{2, "spear"}, {3, "torch"}},
         "You are standing in a dark hallway stretching north and south."},
        {6, {}, "THINGS OF INTEREST: HAMMER"},
        {6, {{4, "hammer"}}, "ceiling. East is a dining area."},
        {7, {}, "THINGS OF INTEREST: ANCIENT SWORD, SKELETON KEY"},
        {7, {{6, "key"}}, "THINGS OF INTEREST: ANCIENT SWORD"},
        {7, {{5, "sword"}}, "THINGS OF INTEREST: SKELETON KEY"},
        {7, {{5, "sword"}, {6, "key"}}, "You can only go SOUTH."},
        {17, {}, "THINGS OF INTEREST: AXE, TORCH, SNAKES "},
        {17, {{3, "torch"}}, "THINGS OF INTEREST: AXE, TORCH, SNAKES "},
        {17, {{7, "torch"}}, "THINGS OF INTEREST: AXE, SNAKES "},
        {17, {{8, "axe"}}, "THINGS OF INTEREST: TORCH, SNAKES "},
        {17, {{7, "torch"}, {8, "axe"}}, "THINGS OF INTEREST: SNAKES "},
        {20, {}, "There are some words carved on the wall, but it is too dark to see."},
        {20,
         {{7, "torch"}},
         "There are some words carved on the stone wall. They say, 'Push floor'"},
        {21, {}, "THINGS OF INTEREST: ROPE"},
        {21,
         {{9, "rope"}},
         "is narrower, the one to the west slimier. South is back to the dining room."},
        {28, {}, "Press enter to continue..."},
    };
    for (const Case& c : cases) {
        Game g = InCell();
        for (auto [slot, item] : c.carried) g.Inventory(slot) = item;
        g.CurrentRoom = static_cast<std::int16_t>(c.room);
        g.DescribeRoom();
        const std::string& d = Description(g);
        EXPECT_EQ(d.substr(d.rfind(CR) == std::string::npos ? 0 : d.rfind(CR) + 1), c.last)
            << "room " << c.room;
    }
}

TEST(DescribeRoom, GunRoomListsNoneThenDeadGuard) {
    Game g = InCell();
    g.CurrentRoom = 22;
    g.DescribeRoom();
    const std::string bare =
        Lines({"You are standing in a large room, full of guns and cannons. There",
               "is a guard in the middle of the room."});
    EXPECT_EQ(Description(g), bare);
    g.GameFlags(1) = g.GameFlags(2) = 1;
    g.DescribeRoom();
    EXPECT_EQ(Description(g),
              bare + CR + "THINGS OF INTEREST: NONE" + CR + "THINGS OF INTEREST: DEAD GUARD");
}

TEST(Lion, SpearBeforeSwordAndRoom29PaintedInTheSameTurn) {
    Game g = InCell();
    g.Inventory(2) = "spear";
    g.Inventory(5) = "sword";
    g.CurrentRoom = 28;
    Play(g, {"push floor"});
    EXPECT_EQ(g.CurrentRoom, 29);
    EXPECT_EQ(Message(g), Lines({"Suddenly, through the darkness, a lion leaps at you!",
                                 "With your spear, you stab him just in time.   My, what did those",
                                 "rulers of long ago keep in their castles anyway?!"}));
    EXPECT_EQ(Description(g),
              Lines({"You walk along the passage, going further and further. Suddenly,",
                     "You step out into the warm sunlight, outside a cave.",
                     "Press enter to continue..."}));
    EXPECT_TRUE(g.InputShown());
}

TEST(Lion, UnarmedPlayerIsEatenAtOnce) {
    Game g = InCell();
    g.CurrentRoom = 28;
    Play(g, {""});
    EXPECT_EQ(g.CurrentRoom, 28);
    EXPECT_EQ(Message(g), "He eats you up. (You should have stayed in bed this morning...)");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(g.lblText(i).Visible, i == 12 || i == 16) << "lblText(" << i << ")";
    EXPECT_EQ(g.lblPressEnter().Caption, SeparatorLine);
    EXPECT_FALSE(g.InputShown());
}

TEST(Cave, EscapeWithAndWithoutTheFuse) {
    Game g = InCell();
    g.CurrentRoom = 29;
    Play(g, {"anything"});
    EXPECT_EQ(Message(g), std::string{CR} + CR + "YOU ESCAPED!!!!!" + CR + CR +
                              "There are two other ways.   Have you found them?" + CR +
                              "HINT: (In one of them, you never go outside your cell)");
    EXPECT_FALSE(g.InputShown());
    EXPECT_TRUE(g.lblText(12).Visible);
    EXPECT_FALSE(g.lblText(11).Visible);
    EXPECT_FALSE(g.lblText(16).Visible);

    Game h = InCell();
    h.CurrentRoom = 29;
    h.GameFlags(1) = 1;
    Play(h, {""});
    EXPECT_EQ(Message(h), Lines({"As you run out of the castle, you start to turn around, but an "
                                 "explosion",
                                 "knocks you to the ground.   You look up.   The castle is flying "
                                 "into",
                                 "pieces!!!!!   Good going!!!!", "ALSO::::", "YOU ESCAPED!!!!!!!",
                                 "", "There are two other ways.   Have you found them?",
                                 "HINT: (In one of them, you never go outside your cell)"}));
}

TEST(Vocabulary, KnownCommandsAreLowerCaseAndUnique) {
    const std::vector<std::string> commands = KnownCommands();
    std::set<std::string> seen;
    for (const std::string& c : commands) {
        EXPECT_FALSE(c.empty());
        EXPECT_TRUE(seen.insert(c).second) << c;
        for (char ch : c) EXPECT_FALSE(ch >= 'A' && ch <= 'Z') << c;
    }
    for (const char* c : {"push floor", "y", "n", "kick guard", "use skeleton key", "go back"})
        EXPECT_TRUE(seen.count(c)) << c;
}

}  // namespace
}  // namespace vaultmoor
