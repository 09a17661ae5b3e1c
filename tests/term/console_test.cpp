// vaultmoor-term's cells against the window's pixels: every shown line where the window
// draws it, divided by the 8 x 12 cell, in its colour, wrapped as the window wraps it.
#include "console.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace vaultmoor {
namespace {

constexpr int Columns = 80, Rows = 25;
constexpr int Left = 4, Top = 1;  // the screen's corner, centred below the menu bar

int Nearest(int px, int cell) {
    return (px + cell / 2) / cell;
}

// A label's cells: every line at least half inside it.
struct Box {
    int left, top, right, bottom;
    bool Meets(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};
Box CellsOf(const PixelRect& r) {
    const int top = Nearest(r.top, 12);
    return {Nearest(r.left, 8), top, Nearest(r.left + r.width, 8),
            top + std::max(1, Nearest(r.height, 12))};
}
bool PixelsMeet(const PixelRect& a, const PixelRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

void Type(Console& c, std::string_view text) {
    for (char32_t ch : DecodeUtf8(text)) c.Press({KeyCode::Char, ch});
}
void Play(Console& c, std::string_view command) {
    Type(c, command);
    c.Press({KeyCode::Enter});
}

// Each line stands between words of the caption: wrapped at blanks, never inside a word.
void ExpectWrappedAtWords(std::string_view caption, const std::vector<PlacedLine>& lines) {
    const std::u32string text = DecodeUtf8(ShownText(caption));
    std::size_t pos = 0;
    for (const PlacedLine& line : lines) {
        if (line.text.empty()) continue;
        pos = text.find(line.text, pos);
        ASSERT_NE(pos, std::u32string::npos) << EncodeUtf8(line.text);
        const std::size_t end = pos + line.text.size();
        EXPECT_TRUE(pos == 0 || text[pos - 1] == U' ' || text[pos - 1] == CR)
            << EncodeUtf8(line.text);
        EXPECT_TRUE(end == text.size() || text[end] == U' ' || text[end] == CR)
            << EncodeUtf8(line.text);
        pos = end;
    }
}

// The labels' lines in the painted grid at (x0, y0); returns the cells they cover.
std::set<std::pair<int, int>> ExpectLabel(const CellGrid& grid, int x0, int y0,
                                          std::string_view caption, Rgb colour,
                                          const TwipRect& rect, Align align) {
    std::set<std::pair<int, int>> cells;
    const PixelRect r = ToPixels(rect);
    const Box box = CellsOf(r);
    std::vector<PlacedLine> lines = PlaceCaption(caption, r, align);
    ExpectWrappedAtWords(caption, lines);
    for (const PlacedLine& line : lines) {
        if (line.y - r.top + 6 > r.height) break;  // less than half of it inside: cut
        const int x = Nearest(line.x, 8), y = Nearest(line.y, 12);
        EXPECT_GE(x, box.left);
        EXPECT_LE(x + static_cast<int>(line.text.size()), box.right);
        EXPECT_LT(y, box.bottom);
        for (std::size_t k = 0; k < line.text.size(); ++k) {
            const Cell& c = grid.At(x0 + x + static_cast<int>(k), y0 + y);
            EXPECT_EQ(c.ch, line.text[k]) << EncodeUtf8(line.text) << " at " << k;
            if (line.text[k] != U' ') {
                EXPECT_EQ(c.fg, colour) << EncodeUtf8(line.text);
            }
            cells.insert({x + static_cast<int>(k), y});
        }
    }
    return cells;
}

// The screen as the window shows it, and nothing else on it but the command line.
void ExpectScreenAsWindow(const CellGrid& grid, const MainWindow& m) {
    std::set<std::pair<int, int>> drawn;
    auto expect = [&](const Label& label, const LabelDesign& d) {
        if (!label.Visible) return;
        drawn.merge(ExpectLabel(grid, Left, Top, label.Caption, d.colour, d.rect, d.align));
    };
    for (std::size_t i = 0; i < m.lblText.size(); ++i) expect(m.lblText[i], TextScreenDesign()[i]);
    expect(m.lblPressEnter, PressEnterDesign());
    const bool input = m.txtBox.Visible;
    for (int y = 0; y < ScreenRows; ++y) {
        for (int x = 0; x < ScreenColumns; ++x) {
            if (!drawn.count({x, y}) && !(input && y == 22 && x >= 36)) {
                EXPECT_EQ(grid.At(Left + x, Top + y).ch, U' ') << x << "," << y;
            }
        }
    }
    EXPECT_EQ(grid.Text(Top + 22).find(U"Enter") != std::u32string::npos, input);
}
void ExpectScreenAsWindow(const Console& console) {
    const Frame frame = console.Paint(Columns, Rows);
    ExpectScreenAsWindow(frame.grid, console.State().frmMain);
    EXPECT_EQ(frame.cursor.has_value(), console.State().frmMain.txtBox.Visible);
}

std::string Row(const Frame& f, int y) {
    std::string row = EncodeUtf8(f.grid.Text(y).substr(Left, ScreenColumns));
    return row.substr(0, row.find_last_not_of(' ') + 1);
}

TEST(Console, AShortGameCellForPixel) {
    Console c;
    ExpectScreenAsWindow(c);
    c.Press({KeyCode::Char, U'f', true});
    c.Press({KeyCode::Char, U'n'});
    ExpectScreenAsWindow(c);
    EXPECT_EQ(Row(c.Paint(Columns, Rows), Top + 10),
              "    You are an allied soldier in WWI. You were captured, and because");
    for (std::string_view command : {"", "get bible", "push floor", "go south", ""}) {
        Play(c, command);
        ExpectScreenAsWindow(c);
        if (command == "get bible") {
            EXPECT_EQ(Row(c.Paint(Columns, Rows), Top),
                      " You pick it up, and put it in your pocket. (It's pretty small)");
        }
        if (command == "go south") {
            const Frame f = c.Paint(Columns, Rows);
            EXPECT_EQ(Row(f, Top),
                      " You walk south from the swamp.   Suddenly, you feel a snake curl");
            EXPECT_EQ(Row(f, Top + 1),
                      " around you.   You now realize that you are in a snake home...");
        }
    }
    EXPECT_EQ(Row(c.Paint(Columns, Rows), Top + 8), "                                 τhε Σnd");
}

TEST(Console, CutWhereLessThanHalfALineIsInside) {
    MainWindow m = DesignWindow();
    for (Label& l : m.lblText) l.Visible = false;
    std::string many = "1";
    for (char n = '2'; n <= '9'; ++n) many += std::string(1, CR) + n + " " + StoryText;
    m.lblText[11] = {many, true};  // 12 of its lines are at least half inside
    m.lblText[12] = {many, true};  // 9
    CellGrid grid(Columns, Rows);
    DrawScreen(grid, {Left, Top}, m, LineEdit());
    ExpectScreenAsWindow(grid, m);
    EXPECT_EQ(grid.Text(Top + 21).substr(Left + 1, 2), U"4 ");  // the 12th line
}

TEST(Console, LabelsApartInPixelsAreApartInCells) {
    std::vector<PixelRect> rects;
    for (const LabelDesign& d : TextScreenDesign()) rects.push_back(ToPixels(d.rect));
    for (const TwipRect& r : {PressEnterDesign().rect, TxtBoxRect, CmdEnterRect})
        rects.push_back(ToPixels(r));
    auto apart = [](const std::vector<PixelRect>& rs, int columns, int rows) {
        for (std::size_t a = 0; a < rs.size(); ++a) {
            const Box box = CellsOf(rs[a]);
            EXPECT_LE(box.right, columns) << a;
            EXPECT_LE(box.bottom, rows) << a;
            for (std::size_t b = a + 1; b < rs.size(); ++b)
                if (!PixelsMeet(rs[a], rs[b])) {
                    EXPECT_FALSE(box.Meets(CellsOf(rs[b]))) << a << "," << b;
                }
        }
    };
    apart(rects, ScreenColumns, ScreenRows);
    for (std::size_t id = 0; id < DialogCount; ++id) {
        const DialogDesign& d = DesignOf(static_cast<DialogId>(id));
        std::vector<PixelRect> dialog{
            ToPixels({d.closeLeft, d.closeTop, CloseWidthTwips, CloseHeightTwips})};
        for (const DialogLabel& l : d.labels) dialog.push_back(ToPixels(l.rect));
        apart(dialog, Nearest(TwipsToPixels(d.widthTwips), 8),
              Nearest(TwipsToPixels(d.heightTwips), 12));
    }
}

TEST(Console, FitsEightyByTwentyFiveAndSaysWhatItNeeds) {
    const Console c;
    EXPECT_EQ(EncodeUtf8(c.Paint(Columns, Rows).grid.Text(0)).find(" File  Instructions  About "),
              std::size_t{Left});
    const Frame small = c.Paint(40, 10);
    std::string said;
    for (int y = 0; y < 10; ++y) said += EncodeUtf8(small.grid.Text(y)) + " ";
    EXPECT_NE(said.find("Vaultmoor needs 72 x 25 (now 40 x 10)"), std::string::npos) << said;
    EXPECT_EQ(EncodeUtf8(small.grid.Text(4)).find("Vaultmoor"), 1U) << "one line, centred";
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {71, 25}, {72, 24}, {300, 100}}) {
        const Frame f = c.Paint(w, h);
        EXPECT_EQ(f.grid.Columns() * f.grid.Rows(), w * h);
    }
}

TEST(Console, MenusOpenEveryDialogModally) {
    using K = KeyCode;
    const std::pair<std::vector<Key>, DialogId> ways[] = {
        {{{K::Char, U'i', true}}, DialogId::Instructions},
        {{{K::Char, U'A', true}, {K::Enter}}, DialogId::AboutGame},
        {{{K::Char, U'a', true}, {K::Down}, {K::Enter}}, DialogId::AboutAuthor},
        {{{K::F10}, {K::Right}, {K::Right}, {K::Down}, {K::Down}, {K::Enter}},
         DialogId::AboutOther},
        {{{K::Char, U'a', true}, {K::Up}, {K::Enter}}, DialogId::AboutVersion},  // past the line
        {{{K::Char, U'f', true}, {K::Right}, {K::Enter}}, DialogId::Instructions},
    };
    Console c;
    c.Press({K::Char, U'f', true});
    c.Press({K::Char, U'n'});
    for (const auto& [keys, id] : ways) {
        for (const Key& k : keys) c.Press(k);
        ASSERT_EQ(c.OpenDialog(), id);
        const Frame f = c.Paint(Columns, Rows);
        const CellRect client = DialogClient(f.grid, {Left, Top}, id);
        EXPECT_LE(std::abs(2 * client.x + client.width - (2 * Left + ScreenColumns)), 1);
        for (const DialogLabel& l : DesignOf(id).labels)
            ExpectLabel(f.grid, client.x, client.y, l.caption, l.colour, l.rect, l.align);
        EXPECT_FALSE(f.cursor);
        c.Press({K::Enter});  // closes it, and plays no turn
        EXPECT_FALSE(c.OpenDialog());
        EXPECT_EQ(c.State().CurrentRoom, 0);
    }
    c.Press({K::Char, U'a', true});
    c.Press({K::Escape});
    c.Press({K::Char, U'e', true});  // Alt+E is the Enter button
    EXPECT_EQ(c.State().CurrentRoom, 2);
    c.Press({K::F10});
    c.Press({K::Char, U'x'});  // File > Exit
    EXPECT_FALSE(c.Running());
}

// From File, Instructions (a command: Right reaches it, it has no menu) or About open on the
// bar, each of the bar's Alt letters goes where it goes from the screen.
TEST(Console, TheBarsLettersWorkFromAnyOpenMenu) {
    using K = KeyCode;
    const std::vector<Key> opens[] = {{{K::F10}}, {{K::F10}, {K::Right}}, {{K::Char, U'a', true}}};
    for (int from = 0; from < 3; ++from) {
        for (char32_t letter : {U'f', U'I', U'a', U'F'}) {
            Console c;
            for (const Key& k : opens[from]) c.Press(k);
            ASSERT_EQ(c.OpenMenu(), from);
            c.Press({K::Char, letter, true});
            const int to = letter == U'f' || letter == U'F' ? 0 : (letter == U'I' ? 1 : 2);
            SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
            if (to == 1) {
                EXPECT_EQ(c.OpenMenu(), -1);
                EXPECT_EQ(c.OpenDialog(), DialogId::Instructions);
                continue;
            }
            EXPECT_EQ(c.OpenMenu(), to);
            EXPECT_FALSE(c.OpenDialog());
            // The menu under its entry, its first item lit.
            const Frame f = c.Paint(Columns, Rows);
            const std::string first = to == 0 ? "New Game" : "About this game";
            const std::size_t at = f.grid.Text(2).find(DecodeUtf8(first));
            ASSERT_NE(at, std::u32string::npos);
            EXPECT_EQ(f.grid.At(static_cast<int>(at), 2).bg, Navy);
        }
    }
}

// Each dialog's frame whole on the cells: its four corners and four sides one cell outside a
// client area of the dialog's size, the title on the top side.
TEST(Console, EveryDialogFramedOnAllFourSides) {
    using K = KeyCode;
    const std::pair<std::vector<Key>, DialogId> ways[] = {
        {{{K::Char, U'i', true}}, DialogId::Instructions},
        {{{K::Char, U'a', true}, {K::Enter}}, DialogId::AboutGame},
        {{{K::Char, U'a', true}, {K::Down}, {K::Enter}}, DialogId::AboutAuthor},
        {{{K::Char, U'a', true}, {K::Down}, {K::Down}, {K::Enter}}, DialogId::AboutOther},
        {{{K::Char, U'a', true}, {K::Up}, {K::Enter}}, DialogId::AboutVersion},
    };
    for (const auto& [keys, id] : ways) {
        Console c;
        for (const Key& k : keys) c.Press(k);
        ASSERT_EQ(c.OpenDialog(), id);
        const DialogDesign& d = DesignOf(id);
        SCOPED_TRACE(d.caption);
        const Frame f = c.Paint(Columns, Rows);
        const CellRect client = DialogClient(f.grid, {Left, Top}, id);
        ASSERT_EQ(client.width, Nearest(TwipsToPixels(d.widthTwips), 8));
        ASSERT_EQ(client.height, Nearest(TwipsToPixels(d.heightTwips), 12));
        const int left = client.x - 1, right = client.x + client.width;
        const int top = client.y - 1, bottom = client.y + client.height;
        const std::u32string title = U" " + DecodeUtf8(d.caption) + U" ";
        const std::u32string topSide = f.grid.Text(top).substr(left, right - left + 1);
        const std::size_t at = topSide.find(title);
        ASSERT_NE(at, std::u32string::npos);
        EXPECT_EQ(topSide, U"┌" + std::u32string(at - 1, U'─') + title +
                               std::u32string(topSide.size() - at - title.size() - 1, U'─') + U"┐");
        EXPECT_EQ(f.grid.Text(bottom).substr(left, right - left + 1),
                  U"└" + std::u32string(client.width, U'─') + U"┘");
        for (int y = top + 1; y < bottom; ++y) {
            EXPECT_EQ(f.grid.At(left, y).ch, U'│') << y;
            EXPECT_EQ(f.grid.At(right, y).ch, U'│') << y;
            EXPECT_NE(f.grid.At(right - 1, y).ch, U'│') << y;
        }
    }
}

// Instructions is a command on the bar: reached with Right or Left, it is lit, and nothing
// hangs under it.
TEST(Console, NothingDrawnUnderACommandOfTheBar) {
    using K = KeyCode;
    for (const std::vector<Key>& keys : {std::vector<Key>{{K::F10}, {K::Right}},
                                         std::vector<Key>{{K::Char, U'a', true}, {K::Left}}}) {
        Console c;
        c.Press({K::Char, U'f', true});
        c.Press({K::Char, U'n'});
        const Frame closed = c.Paint(Columns, Rows);
        for (const Key& k : keys) c.Press(k);
        ASSERT_EQ(c.OpenMenu(), 1);
        const Frame f = c.Paint(Columns, Rows);
        for (int y = 1; y < Rows; ++y) EXPECT_EQ(f.grid.Text(y), closed.grid.Text(y)) << y;
        const std::size_t at = f.grid.Text(0).find(U"Instructions");
        ASSERT_NE(at, std::u32string::npos);
        EXPECT_EQ(f.grid.At(static_cast<int>(at), 0).bg, Navy);
        c.Press({K::Enter});
        EXPECT_EQ(c.OpenDialog(), DialogId::Instructions);
    }
}

TEST(Console, TheCommandLineEditsScrollsAndRemembers) {
    Console c;
    Type(c, "ignored");  // no command box on the title screen
    c.Press({KeyCode::Char, U'f', true});
    c.Press({KeyCode::Char, U'n'});
    auto box = [&c] {
        const Frame f = c.Paint(Columns, Rows);
        return std::pair{EncodeUtf8(f.grid.Text(Top + 22).substr(Left + 36, 28)),
                         f.cursor->x - Left - 36};
    };
    EXPECT_EQ(box(), std::pair(std::string(28, ' '), 0));
    using K = KeyCode;
    Type(c, "gt bibl");
    for (Key k : std::vector<Key>{{K::Home},
                                  {K::Right},
                                  {K::Char, U'e'},
                                  {K::End},
                                  {K::Char, U'é'},
                                  {K::Backspace},
                                  {K::Char, U'e'},
                                  {K::Left},
                                  {K::Left},
                                  {K::Delete},
                                  {K::Char, U'l'}})
        c.Press(k);
    EXPECT_EQ(box(), std::pair("get bible" + std::string(19, ' '), 8));
    c.Press({K::Enter});  // the story; the line goes with the turn
    EXPECT_EQ(c.State().CurrentRoom, 2);
    c.Press({K::Up});
    EXPECT_EQ(box().first.substr(0, 10), "get bible ");
    c.Press({K::Down});
    const std::string longLine = "look at the markings on the wall of this stone cell";
    Type(c, longLine);
    EXPECT_EQ(box(), std::pair(longLine.substr(longLine.size() - 27) + " ", 27));
    c.Press({K::Home});
    EXPECT_EQ(box(), std::pair(longLine.substr(0, 28), 0));
    c.Press({K::Char, U'f', true});
    c.Press({K::Char, U'n'});  // New Game empties it
    EXPECT_EQ(box().first, std::string(28, ' '));
}

TEST(Console, ColoursEveryTerminalShowsAlike) {
    EXPECT_EQ(Nearest256(Red), 124);
    EXPECT_EQ(Nearest256(LightGrey), 250);
    EXPECT_EQ(Nearest256(Grey), 244);
    EXPECT_EQ(Nearest256(Black), 16);
    EXPECT_EQ(Nearest256(White), 231);
    EXPECT_EQ(Nearest8(Red), 1);
    EXPECT_EQ(Nearest8(Green), 2);
    EXPECT_EQ(Nearest8(White), 7);
}

}  // namespace
}  // namespace vaultmoor
