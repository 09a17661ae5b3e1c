// The text screen's layout: wrap, breaks, cut and alignment, on the game's own captions.
#include "textlayout.h"

#include <gtest/gtest.h>

#include "dialogdesign.h"
#include "screen.h"

namespace vaultmoor {
namespace {

using Lines = std::vector<std::u32string>;

Lines Layout(std::string_view caption, int columns, int rows = 1000) {
    return LayoutCaption(caption, columns, rows);
}

TEST(TextLayout, CommandListIsFourteenEntriesAtNineteenColumns) {
    ASSERT_EQ(CommandList.size(), 239u);
    const Lines expected = {U"PUSH (SOMETHING)",
                            U"BANG (SOMETHING)",
                            U"YELL",
                            U"KICK (SOMETHING)",
                            U"GET (SOMETHING)",
                            U"USE (SOMETHING)",
                            U"HIT (SOMETHING)",
                            U"TWIST (SOMETHING)",
                            U"LOOK (SOMETHING)",
                            U"EXAMINE (SOMETHING)",
                            U"GO (SOME DIRECTION)",
                            U"OPEN (SOMETHING)",
                            U"QG",
                            U"I"};
    EXPECT_EQ(Layout(CommandList, 19), expected);

    // The label in the Instructions window is 19 columns wide and holds all 14 lines.
    const DialogLabel& list = DesignOf(DialogId::Instructions).labels.at(1);
    const PixelRect r = ToPixels(list.rect);
    const TextGrid grid = GridFor(r.width, r.height);
    EXPECT_EQ(grid, (TextGrid{19, 15}));  // the fifteenth only partly inside
    EXPECT_EQ(LayoutCaption(list.caption, grid.columns, grid.rows), expected);
}

TEST(TextLayout, ExplanationsStandBesideTheirCommands) {
    // lblText(2), (3) and (4) of the Instructions window are level with lines 10, 13, 14.
    const auto& labels = DesignOf(DialogId::Instructions).labels;
    const int listTop = ToPixels(labels.at(1).rect).top;
    EXPECT_EQ(ToPixels(labels.at(2).rect).top, listTop + 9 * LinePitch);
    EXPECT_EQ(ToPixels(labels.at(3).rect).top, listTop + 12 * LinePitch);
    EXPECT_EQ(ToPixels(labels.at(4).rect).top, listTop + 13 * LinePitch);
}

TEST(TextLayout, AmpersandsShowAsTheToolkitShowsThem) {
    EXPECT_EQ(Layout("He leans over, gasping. You run out the door and shut&&lock it.", 200),
              Lines{U"He leans over, gasping. You run out the door and shut&lock it."});
    EXPECT_EQ(Layout("&Enter", 10), Lines{U"Enter"});
    EXPECT_EQ(Layout("a&&&&b", 10), Lines{U"a&&b"});
    // "&&" counts as one column when wrapping.
    EXPECT_EQ(Layout("shut&&lock", 9), Lines{U"shut&lock"});
}

TEST(TextLayout, CarriageReturnBreaksTheLine) {
    EXPECT_EQ(Layout("one\rtwo", 20), (Lines{U"one", U"two"}));
    EXPECT_EQ(Layout("What?\r\rThe end", 20), (Lines{U"What?", U"", U"The end"}));
    EXPECT_EQ(Layout("ends\r", 20), (Lines{U"ends", U""}));
    // A line feed is no break; only the carriage return is.
    EXPECT_EQ(Layout("a\nb", 20).size(), 1u);
}

TEST(TextLayout, WrapsAtBlanksAndDropsThemAtTheWrap) {
    EXPECT_EQ(Layout("aaa bbb ccc", 7), (Lines{U"aaa bbb", U"ccc"}));
    EXPECT_EQ(Layout("aaa bbb ccc", 6), (Lines{U"aaa", U"bbb", U"ccc"}));
    EXPECT_EQ(Layout("aaa     bbb", 5), (Lines{U"aaa", U"bbb"}));
    // Blanks that fit stay where they are, inside and at the start of a paragraph.
    EXPECT_EQ(Layout("   ab  cd", 20), Lines{U"   ab  cd"});
    EXPECT_EQ(Layout("   You are an allied soldier", 12),
              (Lines{U"   You are", U"an allied", U"soldier"}));
}

TEST(TextLayout, BreaksAWordLongerThanTheLine) {
    EXPECT_EQ(Layout("abcdefghij", 4), (Lines{U"abcd", U"efgh", U"ij"}));
    EXPECT_EQ(Layout("ab cdefghijk", 4), (Lines{U"ab", U"cdef", U"ghij", U"k"}));
    EXPECT_EQ(Layout("IIIIIIIIIIIIIIIIIIIII One", 10),
              (Lines{U"IIIIIIIIII", U"IIIIIIIIII", U"I One"}));
}

TEST(TextLayout, CutsWhatDoesNotFitTheHeight) {
    EXPECT_EQ(LayoutCaption("one two three four", 5, 2), (Lines{U"one", U"two"}));
    EXPECT_EQ(LayoutCaption("a\rb\rc\rd", 5, 3), (Lines{U"a", U"b", U"c"}));
    EXPECT_TRUE(LayoutCaption("", 5, 3).empty());
    // Degenerate grids still give one cell.
    EXPECT_EQ(LayoutCaption("xy", 0, 0), Lines{U"x"});
}

TEST(TextLayout, TheLongestMessageEndsInALinePartlyShown) {
    // The cave escape with the fuse lit: its first line wraps, so nine lines meet the 105
    // pixels of lblText(12); the hint is the ninth line, of which the window draws the top
    // nine pixels.
    const std::string message =
        "As you run out of the castle, you start to turn around, but an explosion\r"
        "knocks you to the ground.   You look up.   The castle is flying into\r"
        "pieces!!!!!   Good going!!!!\rALSO::::\rYOU ESCAPED!!!!!!!\r\r"
        "There are two other ways.   Have you found them?\r"
        "HINT: (In one of them, you never go outside your cell)";
    const PixelRect r = ToPixels(TextScreenDesign()[12].rect);
    const TextGrid grid = GridFor(r.width, r.height);
    EXPECT_EQ(grid, (TextGrid{69, 9}));
    EXPECT_EQ(r.height - 8 * LinePitch, 9);
    const Lines lines = LayoutCaption(message, grid.columns, grid.rows);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], U"As you run out of the castle, you start to turn around, but an");
    EXPECT_EQ(lines[1], U"explosion");
    EXPECT_EQ(lines[7], U"There are two other ways.   Have you found them?");
    EXPECT_EQ(lines[8], U"HINT: (In one of them, you never go outside your cell)");
}

TEST(TextLayout, AlignsLeftCentredAndRight) {
    // lblPressEnter is 277 pixels wide: the separator line of 34 cells stands 5 from the left.
    const PixelRect prompt = ToPixels(PressEnterDesign().rect);
    EXPECT_EQ(prompt.width, 277);
    EXPECT_EQ(LineOffset(Align::Right, prompt.width, 34), 5);
    EXPECT_EQ(LineOffset(Align::Right, prompt.width, 5), 237);  // "(Y/N)"
    EXPECT_EQ(LineOffset(Align::Left, prompt.width, 5), 0);
    // "THE STORY" centred in lblText(10), 185 pixels wide.
    EXPECT_EQ(LineOffset(Align::Centre, 185, 9), 56);
}

TEST(TextLayout, TwipsBecomePixels) {
    EXPECT_EQ(TwipsToPixels(MainWidthTwips), 578);
    EXPECT_EQ(TwipsToPixels(MainHeightTwips), 292);
    EXPECT_EQ(TwipsToPixels(3593), 240);
    EXPECT_EQ(ToPixels(TxtBoxRect), (PixelRect{288, 264, 225, 19}));
    EXPECT_EQ(ToPixels(CmdEnterRect), (PixelRect{524, 264, 49, 21}));
    EXPECT_EQ(GridFor(7, 5), (TextGrid{1, 1}));
    EXPECT_EQ(GridFor(277, 12), (TextGrid{34, 1}));
    EXPECT_EQ(GridFor(277, 13), (TextGrid{34, 2}));
}

TEST(TextLayout, DecodesTheScreenCharacters) {
    EXPECT_EQ(DecodeUtf8(EndLabelText), U"\u03C4h\u03B5 \u03A3nd");
    EXPECT_EQ(DecodeUtf8(SeparatorLine), std::u32string(34, U'\u2261'));
    EXPECT_EQ(DecodeUtf8("a\xFF"
                         "b\xE2\x89"),
              U"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80"), U"\U0001F600");
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(EncodeUtf8(U"\u03C4h\u03B5 \u03A3nd\U0001F600"), EndLabelText + "\xF0\x9F\x98\x80");
}

// Every caption a label is designed with must show whole: no line cut, no word broken.
void ExpectFits(std::string_view name, std::string_view caption, const TwipRect& rect) {
    const PixelRect r = ToPixels(rect);
    const TextGrid grid = GridFor(r.width, r.height);
    const Lines all = LayoutCaption(caption, grid.columns, 1000);
    EXPECT_LE(all.size(), static_cast<std::size_t>(grid.rows)) << name;
    // No word broken: the shown characters, less blanks, are all still there.
    std::u32string joined;
    for (const auto& line : all) joined += line;
    std::u32string shown = DecodeUtf8(ShownText(caption));
    std::erase(joined, U' ');
    std::erase(shown, U' ');
    std::erase(shown, U'\r');
    EXPECT_EQ(joined, shown) << name;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        EXPECT_LE(all[i].size(), static_cast<std::size_t>(grid.columns)) << name;
    }
}

TEST(TextLayout, EveryDesignCaptionFitsItsLabel) {
    for (const LabelDesign& d : TextScreenDesign()) ExpectFits(d.name, d.caption, d.rect);
    ExpectFits("lblPressEnter", PressEnterDesign().caption, PressEnterDesign().rect);
    for (std::size_t i = 0; i < DialogCount; ++i) {
        for (const DialogLabel& l : DesignOf(static_cast<DialogId>(i)).labels) {
            ExpectFits(DesignOf(static_cast<DialogId>(i)).name, l.caption, l.rect);
        }
    }
}

TEST(TextLayout, LongCaptionsWrapOverTheirHeight) {
    // The programmer's note fills the three lines of lblText(9).
    const LabelDesign& note = TextScreenDesign()[9];
    const PixelRect r = ToPixels(note.rect);
    const TextGrid grid = GridFor(r.width, r.height);
    EXPECT_EQ(grid, (TextGrid{69, 4}));  // the fourth only partly inside
    EXPECT_EQ(LayoutCaption(note.caption, grid.columns, grid.rows).size(), 3u);
    // The separator line is one full line of lblPressEnter.
    const PixelRect p = ToPixels(PressEnterDesign().rect);
    EXPECT_EQ(LayoutCaption(SeparatorLine, GridFor(p.width, p.height).columns, 1),
              Lines{std::u32string(34, U'\u2261')});
    // The story fills lblText(11) from its three leading blanks on.
    const LabelDesign& story = TextScreenDesign()[11];
    const PixelRect s = ToPixels(story.rect);
    const Lines lines = LayoutCaption(StoryText, GridFor(s.width, s.height).columns, 12);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().substr(0, 7), U"   You ");
}

TEST(TextLayout, DialogTextsAreTheGamesOwn) {
    const DialogDesign& game = DesignOf(DialogId::AboutGame);
    EXPECT_EQ(game.caption, "About Vaultmoor");
    ASSERT_EQ(game.labels.size(), 3u);
    EXPECT_NE(game.labels[2].caption.find("are extact copies"), std::string::npos);
    EXPECT_EQ(DesignOf(DialogId::Instructions).labels.size(), 5u);
    // The other games are listed in colours of their own.
    const auto& other = DesignOf(DialogId::AboutOther).labels;
    int coloured = 0;
    for (const DialogLabel& l : other) coloured += !(l.colour == LightGrey) && !(l.colour == Grey);
    EXPECT_GE(coloured, 3);
}

}  // namespace
}  // namespace vaultmoor
