// Plays a command log and prints the game's whole output: after each action the state the
// screen does not show (room, inventory, flags, a refused turn), then each label line after
// its label's number in reading order ("-": hidden, yet holding a text), the prompt, the box.
// Log lines: "> text" types text and presses Enter, "new" is File > New Game,
// "set room: N" / "set inventory: 3=torch 7=torch" / "set flags: 1 0" put the game into a
// state no play reaches, "#" starts a comment.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "game.h"
#include "news.h"

using namespace vaultmoor;

void PrintCaption(const std::string& tag, const std::string& caption) {
    std::istringstream lines(caption + CR);
    for (std::string line; std::getline(lines, line, CR);) std::cout << tag << line << '\n';
}

void Print(const Game& g, const std::string& action, bool accepted) {
    std::cout << "== " << action << (accepted ? "" : "   (refused)") << "\nroom " << g.CurrentRoom
              << " | inventory";
    for (int s = 1; s <= 9; ++s)
        if (!g.Inventory(s).empty()) std::cout << ' ' << s << '=' << g.Inventory(s);
    std::cout << " | flags";
    for (int f : g.Flags()) std::cout << ' ' << f;
    std::cout << '\n';
    for (const auto& [i, design] : ReadingOrder()) {
        const Label& l = LabelAt(g.frmMain, i);
        if (i >= 0 && (l.Visible || l.Caption != design->caption))
            PrintCaption(std::to_string(i) + (l.Visible ? " " : "- "), l.Caption);
    }
    const MainWindow& w = g.frmMain;
    PrintCaption(w.lblPressEnter.Visible ? "prompt " : "prompt- ", w.lblPressEnter.Caption);
    std::cout << (w.txtBox.Visible ? "box \"" : "box- \"") << w.txtBox.Text << '"'
              << (w.cmdEnter.Visible ? " button\n" : "\n");
}

int main(int, char** argv) {
    std::ifstream log(argv[1]);
    Game g;
    Print(g, "start", true);
    for (std::string line; std::getline(log, line);) {
        std::istringstream words(line);
        std::string word, key;
        words >> word >> key;
        bool accepted = true;
        if (line.starts_with(">")) {
            accepted = g.Enter(line.substr(std::min<std::size_t>(2, line.size())));
        } else if (word == "new") {
            g.mnuNewGame_Click();
        } else if (key == "room:") {
            words >> g.CurrentRoom;
        } else if (key == "flags:") {
            for (int i = 1; i <= 10; ++i) g.GameFlags(i) = 0;
            for (int i = 1; words >> g.GameFlags(i); ++i) {
            }
        } else if (key == "inventory:") {
            for (int s = 1; s <= 9; ++s) g.Inventory(s) = "";
            for (std::string item; words >> item;) g.Inventory(item[0] - '0') = item.substr(2);
        } else {
            continue;  // a comment or a blank line
        }
        Print(g, line, accepted);
    }
}
