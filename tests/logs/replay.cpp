// Plays a command log and prints the game's whole output: after each action the screen in
// reading order (each label line after its number, "-" for a hidden label that holds text),
// the prompt, the controls, and what the screen does not show: room, inventory, flags, and
// whether a typed line could run a turn.
// Log lines: "> text" types text and presses Enter, "new" is File > New Game,
// "set room: N" / "set inventory: 3=torch 7=torch" / "set flags: 1 0" put the game into a state
// no play reaches, "#" starts a comment; blank lines are skipped.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <numeric>
#include <sstream>
#include <string>

#include "game.h"

using namespace vaultmoor;

namespace {

void PrintCaption(const std::string& tag, const std::string& caption) {
    std::istringstream lines(caption);
    for (std::string line; std::getline(lines, line, CR);) std::cout << tag << line << '\n';
    if (caption.empty() || caption.back() == CR) std::cout << tag << '\n';
}

void Print(const Game& g, const std::string& action, bool accepted) {
    std::cout << "== " << action << (accepted ? "" : "   (refused)") << "\nroom " << g.CurrentRoom
              << " | inventory";
    for (int s = 1; s <= 9; ++s)
        if (!g.Inventory(s).empty()) std::cout << ' ' << s << '=' << g.Inventory(s);
    std::cout << " | flags";
    for (int f : g.Flags()) std::cout << ' ' << f;
    std::cout << '\n';
    const auto& design = TextScreenDesign();
    static const MainWindow start = DesignWindow();
    std::array<int, 20> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&design](int a, int b) {
        return std::pair(design[a].rect.top, design[a].rect.left) <
               std::pair(design[b].rect.top, design[b].rect.left);
    });
    for (int i : order) {
        const Label& l = g.frmMain.lblText[i];
        if (l.Visible || l.Caption != start.lblText[i].Caption)
            PrintCaption(std::to_string(i) + (l.Visible ? " " : "- "), l.Caption);
    }
    const MainWindow& w = g.frmMain;
    PrintCaption(w.lblPressEnter.Visible ? "prompt " : "prompt- ", w.lblPressEnter.Caption);
    std::cout << (w.txtBox.Visible ? "box \"" : "box- \"") << w.txtBox.Text << '"'
              << (w.cmdEnter.Visible ? " button\n" : "\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return std::cerr << "usage: replay LOG\n", 2;
    std::ifstream log(argv[1]);
    Game g;
    Print(g, "start", true);
    for (std::string line; std::getline(log, line);) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        bool accepted = true;
        if (line.starts_with("> ") || line == ">") {
            accepted = g.Enter(line.substr(std::min<std::size_t>(2, line.size())));
        } else if (word == "new") {
            g.mnuNewGame_Click();
        } else if (word == "set") {
            words >> word;
            if (word.ends_with(':')) word.pop_back();
            if (word == "room") words >> g.CurrentRoom;
            for (int i = 1; word == "flags" && i <= 10; ++i) g.GameFlags(i) = 0;
            for (int i = 1; word == "flags" && words >> g.GameFlags(i); ++i) {
            }
            for (int s = 1; word == "inventory" && s <= 9; ++s) g.Inventory(s) = "";
            for (std::string item; word == "inventory" && words >> item;)
                g.Inventory(item[0] - '0') = item.substr(2);
        } else if (!line.empty() && line[0] != '#') {
            return std::cerr << argv[1] << ": not an action: " << line << '\n', 2;
        } else {
            continue;
        }
        Print(g, line, accepted);
    }
}
