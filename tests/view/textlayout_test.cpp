// The text layout in plain C++: UTF-8 at every boundary, wrap, break, cut, pixels, alignment,
// and the screen as lines of text.
#include "textlayout.h"

#include <gtest/gtest.h>

#include "news.h"

namespace vaultmoor {
namespace {

using Lines = std::vector<std::u32string>;
Lines L(std::string_view caption, int columns, int rows = 99) {
    return LayoutCaption(caption, columns, rows);
}

TEST(TextLayout, Utf8BothWaysAtEveryBoundary) {
    const std::pair<char32_t, std::size_t> sizes[] = {
        {0x7F, 1},   {0x80, 2},   {0x7FF, 2},   {0x800, 3},   {0xD7FF, 3},
        {0xE000, 3}, {0xFFFF, 3}, {0x10000, 4}, {0x1F600, 4}, {0x10FFFF, 4}};
    for (const auto& [cp, size] : sizes) {
        const std::string bytes = EncodeUtf8(std::u32string(1, cp));
        EXPECT_EQ(bytes.size(), size) << static_cast<unsigned>(cp);
        EXPECT_EQ(DecodeUtf8(bytes), std::u32string(1, cp)) << static_cast<unsigned>(cp);
    }
    for (char32_t bad : {0xD800u, 0xDFFFu, 0x110000u})
        EXPECT_EQ(EncodeUtf8(std::u32string(1, bad)), "\xEF\xBF\xBD") << static_cast<unsigned>(bad);
    EXPECT_EQ(EncodeUtf8(U"\u03C4h\u03B5 \u03A3nd"), EndLabelText);
    EXPECT_EQ(DecodeUtf8("a\xFF"
                         "b\xE2\x89"),
              U"a\uFFFDb\uFFFD\uFFFD");
    // Overlong, a surrogate, past U+10FFFF: each byte a replacement.
    EXPECT_EQ(DecodeUtf8("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"), std::u32string(9, U'\uFFFD'));
}

TEST(TextLayout, WrapsBreaksAndCuts) {
    EXPECT_EQ(L("aaa bbb ccc", 7), (Lines{U"aaa bbb", U"ccc"}));
    EXPECT_EQ(L("aaa     bbb", 5), (Lines{U"aaa", U"bbb"}));
    EXPECT_EQ(L("   ab  cd", 9), Lines{U"   ab  cd"});
    EXPECT_EQ(L("ab cdefghijk", 4), (Lines{U"ab", U"cdef", U"ghij", U"k"}));
    EXPECT_EQ(L("one\r\rtwo\r", 9), (Lines{U"one", U"", U"two", U""}));
    EXPECT_EQ(L("shut&&lock &Enter", 9), (Lines{U"shut&lock", U"Enter"}));
    EXPECT_EQ(L("a b c d", 1, 3), (Lines{U"a", U"b", U"c"}));
    EXPECT_EQ(L("a\rb\rc", 1, 2), (Lines{U"a", U"b"}));
    EXPECT_EQ(L("xy", 0, 0), Lines{U"x"});
    EXPECT_TRUE(L("", 5).empty());
}

// A terminal in line mode gets each label as the window wraps it; a listener the whole caption.
TEST(TextLayout, ScreenTextWrapsAsTheWindowForReadersNotForListeners) {
    const std::string note =
        "(Programmer's note: this conversion only has Part 1. Tobrin wrote all";
    EXPECT_NE(ScreenText(DesignWindow()).find(note + "\nof Part 1 and part of Part 2,"),
              std::string::npos);
    EXPECT_NE(ScreenText(DesignWindow(), Voice::Speech).find(note + " of Part 1"),
              std::string::npos);
}

}  // namespace
}  // namespace vaultmoor
