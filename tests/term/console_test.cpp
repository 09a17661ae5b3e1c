// vaultmoor-term's screens and keys. `console_test --screens` prints every screen whole (each
// cell's character, colours and marks), compared with screens.chk; the tests press every key
// in every menu and dialog and compare what it did with the table below.
#include "console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <sstream>

namespace vaultmoor {
namespace {

// Keys by name, blank-separated: "a", "M-a" (Alt), Enter, Esc, Left, Right, Up, Down, Home, End,
// BS, Del, Tab, F10, C-c; "=get_bible" types the text, "_" a blank.
void Press(Console& c, std::string_view keys) {
    static const std::map<std::string, KeyCode> named = {
        {"Enter", KeyCode::Enter}, {"Esc", KeyCode::Escape}, {"Left", KeyCode::Left},
        {"Right", KeyCode::Right}, {"Up", KeyCode::Up},      {"Down", KeyCode::Down},
        {"Home", KeyCode::Home},   {"End", KeyCode::End},    {"BS", KeyCode::Backspace},
        {"Del", KeyCode::Delete},  {"Tab", KeyCode::Tab},    {"F10", KeyCode::F10},
        {"C-c", KeyCode::CtrlC}};
    std::istringstream words{std::string(keys)};
    for (std::string k; words >> k;) {
        if (named.contains(k)) {
            c.Press({named.at(k)});
        } else if (k[0] == '=') {
            for (char32_t ch : DecodeUtf8(k.substr(1)))
                c.Press({KeyCode::Char, ch == U'_' ? U' ' : ch});
        } else {
            const bool alt = k.starts_with("M-");
            c.Press({KeyCode::Char, DecodeUtf8(alt ? k.substr(2) : k)[0], alt});
        }
    }
}

const std::string Typing =
    "M-f n Enter =get_bible Enter =look_at_the_markings_on_the_wall_é Left Left";

// The screens, each at 80 x 25 unless told.
struct Screen {
    const char* name;
    std::string keys;
    int columns = 80, rows = 25;
};
const Screen Screens[] = {
    {"title", ""},
    {"the story", "M-f n"},
    {"the cell after get bible, a long command typed", Typing},
    {"File, New Game lit", Typing + " F10"},
    {"File, Exit lit", Typing + " F10 Up"},
    {"Instructions lit on the bar", Typing + " F10 Right"},
    {"About, About this game lit", Typing + " M-a"},
    {"About, About the author lit", Typing + " M-a Down"},
    {"About, Other Games by the Author lit", Typing + " M-a Down Down"},
    {"About, About this version lit", Typing + " M-a Up"},
    {"Instructions", Typing + " M-i"},
    {"About this game", Typing + " M-a Enter"},
    {"About the author", Typing + " M-a Down Enter"},
    {"Other Games by the Author", Typing + " M-a Down Down Enter"},
    {"About this version", Typing + " M-a Up Enter"},
    {"a death's end screen", "M-f n Enter =push_floor Enter =go_south Enter Enter"},
    {"one column short", "", 71, 25},
    {"one row short", "", 80, 24},
    {"far too small", "", 24, 6},
};

struct Style {
    char code;
    Rgb fg, bg;
    std::uint8_t marks;
    const char* what;
};
const Style Styles[] = {
    {' ', LightGrey, Black, Outside, "beyond the window: the terminal's own colours"},
    {'.', LightGrey, Black, 0, "light grey on black"},
    {'u', LightGrey, Black, Underline, "light grey on black, underlined: the command box"},
    {'r', Red, Black, 0, "red on black"},
    {'g', Green, Black, 0, "green on black"},
    {'G', Grey, Black, 0, "grey on black"},
    {'W', White, Black, 0, "white on black"},
    {'m', Black, LightGrey, 0, "black on light grey: the bar, a menu"},
    {'M', Black, LightGrey, Underline, "the same, underlined: an access letter"},
    {'b', Black, LightGrey, Reverse, "black on light grey, reverse without colours: a button"},
    {'B', Black, LightGrey, Underline | Reverse, "the same, underlined: its access letter"},
    {'h', White, Navy, Reverse, "white on navy, reverse without colours: a highlight"},
    {'H', White, Navy, Underline | Reverse, "the same, underlined: its access letter"},
};

std::string Trimmed(std::string s) {
    return s.erase(s.find_last_not_of(' ') + 1);
}

void PrintFrame(const Frame& f) {
    const CellGrid& g = f.grid;
    std::cout << g.Columns() << " x " << g.Rows() << ", cursor "
              << (f.cursor ? std::to_string(f.cursor->x) + "," + std::to_string(f.cursor->y)
                           : "hidden")
              << '\n';
    for (int y = 0; y < g.Rows(); ++y) std::cout << '|' << Trimmed(EncodeUtf8(g.Text(y))) << '\n';
    std::cout << "-- colours and marks\n";
    std::string odd;
    for (int y = 0; y < g.Rows(); ++y) {
        std::string row;
        for (int x = 0; x < g.Columns(); ++x) {
            const Cell& c = g.At(x, y);
            char code = '?';
            for (const Style& s : Styles)
                if (c == Cell{c.ch, s.fg, s.bg, s.marks}) code = s.code;
            if (code == '?')
                odd += "? at " + std::to_string(x) + "," + std::to_string(y) + ": fg " +
                       std::to_string(c.fg.r) + " " + std::to_string(c.fg.g) + " " +
                       std::to_string(c.fg.b) + ", bg " + std::to_string(c.bg.r) + " " +
                       std::to_string(c.bg.g) + " " + std::to_string(c.bg.b) + ", marks " +
                       std::to_string(c.marks) + "\n";
            row += code;
        }
        std::cout << '|' << Trimmed(row) << '\n';
    }
    std::cout << odd;
}

void PrintScreens() {
    std::cout << "The terminal game's screens, written by `make approve`: each screen's characters,"
                 "\nthen a code for each cell's colours and marks:\n";
    for (const Style& s : Styles) std::cout << "  '" << s.code << "' " << s.what << '\n';
    std::cout << "Colours as a terminal of 256 or of 8 colours shows them:\n";
    for (const auto& [name, rgb] : {std::pair{"light grey", LightGrey},
                                    {"grey", Grey},
                                    {"red", Red},
                                    {"green", Green},
                                    {"white", White},
                                    {"black", Black},
                                    {"navy", Navy}})
        std::cout << "  " << name << ": " << Nearest256(rgb) << ", " << Nearest8(rgb) << '\n';
    for (const Screen& s : Screens) {
        Console c;
        Press(c, s.keys);
        std::cout << "\n== " << s.name << (s.keys.empty() ? "" : ": " + s.keys) << "\n";
        PrintFrame(c.Paint(s.columns, s.rows));
    }
    // Labels of more lines than they have room for: cut where less than half a line is inside.
    MainWindow m = DesignWindow();
    for (Label& l : m.lblText) l.Visible = false;
    std::string many = "1";
    for (char n = '2'; n <= '9'; ++n) many += std::string(1, CR) + n + " " + StoryText;
    m.lblText[11] = m.lblText[12] = {many, true};
    Frame f{CellGrid(ScreenColumns, ScreenRows), std::nullopt};
    DrawScreen(f.grid, {0, 0}, m, LineEdit());
    std::cout << "\n== labels 11 and 12 overfull, the screen alone\n";
    PrintFrame(f);
}

// What the player sees of the state: the open dialog, the open menu and its lit item, or the
// room and the command line with its cursor in the box; "exit" once the game has ended.
std::string Summary(const Console& c) {
    auto shown = [](std::string_view caption) { return EncodeUtf8(SplitAccess(caption).text); };
    if (!c.Running()) return "exit";
    if (const auto d = c.OpenDialog()) return std::string(DesignOf(*d).name);
    if (c.OpenMenu() >= 0) {
        const Menu& m = MenuBar()[static_cast<std::size_t>(c.OpenMenu())];
        const int i = c.HighlightedItem();
        return shown(m.caption) +
               (m.items.empty() ? "" : " > " + shown(m.items[static_cast<std::size_t>(i)].caption));
    }
    const Game& g = c.State();
    return "room " + std::to_string(g.CurrentRoom) +
           (g.frmMain.txtBox.Visible
                ? " \"" + c.Line().Text() + "\" " + std::to_string(c.Line().CursorColumn())
                : " no box");
}

// Every key a player might press; "letters" in the table stands for a..z and A..Z.
std::vector<std::string> AllKeys() {
    std::vector<std::string> keys{"Enter", "Esc", "Left", "Right", "Up",  "Down", "Home",
                                  "End",   "BS",  "Del",  "Tab",   "F10", "C-c"};
    for (char c = 'a'; c <= 'z'; ++c)
        for (std::string k : {std::string(1, c), std::string(1, static_cast<char>(c - 32))})
            keys.insert(keys.end(), {k, "M-" + k});
    return keys;
}

// Per state, what the listed keys lead to (the first line naming a key counts; "%" stands for
// the letter pressed); every other key must change nothing on the screen.
using Does = std::vector<std::pair<std::string, std::string>>;
const std::string InCell = "room 2 \"look at the markings on the wall é\" 25";
const Does AnyMenu = {{"Esc F10", InCell},
                      {"M-f M-F", "File > New Game"},
                      {"M-i M-I", "frmInstructions"},
                      {"M-a M-A", "About > About this game"},
                      {"C-c", "exit"}};
const Does AnyAbout = {
    {"Left", "Instructions"}, {"Right", "File > New Game"}, {"a A", "frmAboutVersion"}};
const Does AnyDialog = {{"Enter Esc M-c M-C", InCell}, {"C-c", "exit"}};
Does operator+(Does a, const Does& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const std::pair<std::string, Does> Table[] = {
    {"",
     {{"F10 M-f M-F", "File > New Game"},
      {"M-i M-I", "frmInstructions"},
      {"M-a M-A", "About > About this game"},
      {"C-c", "exit"}}},
    {Typing, Does{{"letters", "room 2 \"look at the markings on the wall% é\" 26"},
                  {"Enter M-e M-E", "room 2 \"\" 0"},
                  {"Left", "room 2 \"look at the markings on the wall é\" 24"},
                  {"Right", "room 2 \"look at the markings on the wall é\" 26"},
                  {"Home", "room 2 \"look at the markings on the wall é\" 0"},
                  {"End", "room 2 \"look at the markings on the wall é\" 27"},
                  {"BS", "room 2 \"look at the markings on the wal é\" 25"},
                  {"Del", "room 2 \"look at the markings on the wallé\" 26"},
                  {"Up", "room 2 \"get bible\" 9"},
                  {"F10", "File > New Game"}} +
                 AnyMenu},
    {Typing + " F10", Does{{"Up Down", "File > Exit"},
                           {"Left", "About > About this game"},
                           {"Right", "Instructions"},
                           {"Enter n N", "room 0 \"\" 0"},
                           {"x X", "exit"}} +
                          AnyMenu},
    {Typing + " F10 Up", Does{{"Up Down", "File > New Game"},
                              {"Left", "About > About this game"},
                              {"Right", "Instructions"},
                              {"Enter x X", "exit"},
                              {"n N", "room 0 \"\" 0"}} +
                             AnyMenu},
    {Typing + " F10 Right", Does{{"Enter", "frmInstructions"},
                                 {"Left", "File > New Game"},
                                 {"Right", "About > About this game"}} +
                                AnyMenu},
    {Typing + " M-a", Does{{"Enter", "frmAboutGame"},
                           {"Up", "About > About this version"},
                           {"Down", "About > About the author"}} +
                          AnyAbout + AnyMenu},
    {Typing + " M-a Down", Does{{"Enter", "frmAboutAuthor"},
                                {"Up", "About > About this game"},
                                {"Down", "About > Other Games by the Author"}} +
                               AnyAbout + AnyMenu},
    {Typing + " M-a Down Down", Does{{"Enter", "frmAboutOther"},
                                     {"Up", "About > About the author"},
                                     {"Down", "About > About this version"}} +
                                    AnyAbout + AnyMenu},
    {Typing + " M-a Up", Does{{"Enter", "frmAboutVersion"},
                              {"Up", "About > Other Games by the Author"},
                              {"Down", "About > About this game"}} +
                             AnyAbout + AnyMenu},
    {Typing + " M-i", AnyDialog},
    {Typing + " M-a Enter", AnyDialog},
    {Typing + " M-a Down Enter", AnyDialog},
    {Typing + " M-a Down Down Enter", AnyDialog},
    {Typing + " M-a Up Enter", AnyDialog},
};

TEST(Console, EveryKeyInEveryMenuAndDialogDoesWhatTheTableSays) {
    for (const auto& [state, does] : Table) {
        for (const std::string& key : AllKeys()) {
            Console c;
            Press(c, state);
            const Frame before = c.Paint(80, 25);
            Press(c, key);
            const bool letter = key.size() == 1;
            auto names = [&](const std::string& list) {
                std::istringstream words(list);
                for (std::string w; words >> w;)
                    if (w == key || (w == "letters" && letter)) return true;
                return false;
            };
            const auto row =
                std::ranges::find_if(does, [&](const auto& d) { return names(d.first); });
            SCOPED_TRACE("in " + state + ", " + key);
            if (row == does.end()) {
                const Frame after = c.Paint(80, 25);
                EXPECT_TRUE(before.grid == after.grid && before.cursor == after.cursor)
                    << Summary(c);
                continue;
            }
            std::string want = row->second;
            if (const auto at = want.find('%'); at != std::string::npos) want.replace(at, 1, key);
            EXPECT_EQ(Summary(c), want);
        }
    }
}

}  // namespace
}  // namespace vaultmoor

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--screens") return vaultmoor::PrintScreens(), 0;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
