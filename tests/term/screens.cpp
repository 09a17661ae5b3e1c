// vaultmoor-term's screens and keys, written whole for review. `term-screens` prints every
// screen: each cell's character, colours and marks (compared with screens.chk); `term-screens
// --keys` presses every key a player might press in every state, menu and dialog, and prints
// what each did (compared with keys.chk). `make approve` writes both anew.
#include <algorithm>
#include <iostream>
#include <map>
#include <sstream>
#include <tuple>

#include "console.h"

namespace vaultmoor {
namespace {
// Keys by name: "a", "M-a" (Alt), these (in the order of KeyCode after Char), and "=get_bible"
// types the text, "_" a blank.
const std::vector<std::string> Named = {"Enter", "Esc", "Left", "Right", "Up",  "Down", "Home",
                                        "End",   "BS",  "Del",  "Tab",   "F10", "C-c"};

void Press(Console& c, std::string_view keys) {
    std::istringstream words{std::string(keys)};
    for (std::string k; words >> k;) {
        const bool alt = k.starts_with("M-");
        if (const auto n = std::ranges::find(Named, k); n != Named.end())
            c.Press({static_cast<KeyCode>(n - Named.begin() + 1)});
        else if (k[0] == '=')
            for (char32_t ch : DecodeUtf8(k.substr(1)))
                c.Press({KeyCode::Char, ch == U'_' ? U' ' : ch});
        else
            c.Press({KeyCode::Char, DecodeUtf8(k.substr(alt ? 2 : 0))[0], alt});
    }
}

const std::string Typing =
    "M-f n Enter =get_bible Enter =look_at_the_markings_on_the_wall_é Left Left";

// The states, each at 80 x 25 unless told; the console's own are played by key.
struct State {
    const char* name;
    std::string keys;
    int columns = 80, rows = 25;
};
const State States[] = {
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

// The colours, each with the code of a cell of text in it on black; then the other cells' codes.
const std::tuple<char, const char*, Rgb> Colours[] = {{'.', "light grey", LightGrey},
                                                      {'G', "grey", Grey},
                                                      {'r', "red", Red},
                                                      {'g', "green", Green},
                                                      {'W', "white", White},
                                                      {'k', "black", Black},
                                                      {'n', "navy", Navy},
                                                      {'t', "teal", {0, 128, 128}},
                                                      {'o', "olive", {192, 192, 0}},
                                                      {'p', "purple", {192, 0, 192}}};
const std::tuple<char, Rgb, Rgb, int> Styles[] = {
    {' ', LightGrey, Black, Outside}, {'u', LightGrey, Black, Underline},
    {'m', Black, LightGrey, 0},       {'M', Black, LightGrey, Underline},
    {'b', Black, LightGrey, Reverse}, {'B', Black, LightGrey, Underline | Reverse},
    {'h', White, Navy, Reverse},      {'H', White, Navy, Underline | Reverse}};

char Code(const Cell& c) {
    for (const auto& [code, name, rgb] : Colours)
        if (c.fg == rgb && c.bg == Black && c.marks == 0) return code;
    for (const auto& [code, fg, bg, marks] : Styles)
        if (c.fg == fg && c.bg == bg && c.marks == marks) return code;
    return '?';
}

std::string Words(Rgb fg, Rgb bg, int marks) {
    auto name = [](Rgb c) {
        for (const auto& [code, n, rgb] : Colours)
            if (rgb == c) return std::string(n);
        return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    };
    return name(fg) + " on " + name(bg) + (marks & Underline ? ", underlined" : "") +
           (marks & Reverse ? ", reversed without colours" : "") +
           (marks & Outside ? ", beyond the window: the terminal's own colours" : "");
}

// A frame: its size and cursor, its rows of characters, then the same rows as codes.
void PrintFrame(const Frame& f) {
    const CellGrid& g = f.grid;
    auto row = [](std::string s) { return "|" + s.erase(s.find_last_not_of(' ') + 1) + "\n"; };
    std::string text, codes, odd;
    for (int y = 0; y < g.Rows(); ++y) {
        std::string code;
        for (int x = 0; x < g.Columns(); ++x) {
            const Cell& c = g.At(x, y);
            code += Code(c);
            if (Code(c) == '?')
                odd += "? at " + std::to_string(x) + "," + std::to_string(y) + ": " +
                       Words(c.fg, c.bg, c.marks) + "\n";
        }
        text += row(EncodeUtf8(g.Text(y)));
        codes += row(code);
    }
    const std::string cursor =
        f.cursor ? std::to_string(f.cursor->x) + "," + std::to_string(f.cursor->y) : "hidden";
    std::cout << g.Columns() << " x " << g.Rows() << ", cursor " << cursor << '\n'
              << text << "-- colours and marks\n"
              << codes << odd;
}

void PrintScreens() {
    std::cout << "The terminal game's screens: each screen's characters, then a code for each "
                 "cell's\ncolours and marks:\n";
    for (const auto& [code, name, rgb] : Colours)
        std::cout << "  '" << code << "' " << name << " on black (in 256 colours "
                  << Nearest256(rgb) << ", in 8 colours " << Nearest8(rgb) << ")\n";
    for (const auto& [code, fg, bg, marks] : Styles)
        std::cout << "  '" << code << "' " << Words(fg, bg, marks) << '\n';
    for (const State& s : States) {
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
// room and the command line with the cursor's column in the box; "exit" once the game ended.
std::string Summary(const Console& c) {
    auto shown = [](std::string_view caption) { return EncodeUtf8(SplitAccess(caption).text); };
    if (!c.Running()) return "exit";
    if (const auto d = c.OpenDialog()) return "dialog " + std::string(DesignOf(*d).name);
    if (c.OpenMenu() >= 0) {
        const Menu& m = MenuBar()[static_cast<std::size_t>(c.OpenMenu())];
        const auto i = static_cast<std::size_t>(c.HighlightedItem());
        return "menu " + shown(m.caption) +
               (m.items.empty() ? "" : " > " + shown(m.items[i].caption));
    }
    const Game& g = c.State();
    return "room " + std::to_string(g.CurrentRoom) +
           (g.frmMain.txtBox.Visible
                ? " \"" + c.Line().Text() + "\" " + std::to_string(c.Line().CursorColumn())
                : ", no command line");
}

// In each state of the console, every key a player might press, and what it led to; the keys
// that change nothing on the screen last.
void PrintKeys() {
    std::vector<std::string> keys = Named;
    for (char c = 'a'; c <= 'z'; ++c)
        for (std::string k : {std::string(1, c), std::string(1, static_cast<char>(c - 32))})
            keys.insert(keys.end(), {k, "M-" + k});
    std::cout << "Every key in every state of the terminal game, and what it leads to.\n";
    for (const State& s : States) {
        if (s.columns != 80 || s.rows != 25) continue;
        Console c;
        Press(c, s.keys);
        const Frame before = c.Paint(80, 25);
        std::map<std::string, std::string> led;  // what it led to: the keys
        for (const std::string& key : keys) {
            Console pressed = c;
            Press(pressed, key);
            const Frame after = pressed.Paint(80, 25);
            const bool same = Summary(pressed) == Summary(c) && after.grid == before.grid &&
                              after.cursor == before.cursor;
            led[same ? "nothing" : Summary(pressed)] += " " + key;
        }
        std::cout << "\n== " << s.name << ": " << Summary(c) << "\n";
        for (const auto& [what, by] : led) std::cout << "  " << what << " <-" << by << '\n';
    }
}

}  // namespace
}  // namespace vaultmoor

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--keys")
        vaultmoor::PrintKeys();
    else
        vaultmoor::PrintScreens();
}
