// vaultmoor-transcript: plays the game without a window.
//
// Reads one action per line from standard input: "!new" is File > New Game, any other line
// is typed into the command box and the Enter button is pressed.
//   --json  prints the whole screen model and game state as one JSON object per line,
//           first at program start, then after each action.
//   (none)  prints what a player would see after each action, for play in a terminal.
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "game.h"

namespace {

using nlohmann::json;
using vaultmoor::Game;

json Snapshot(const Game& g, const std::optional<std::string>& action, bool accepted) {
    json labels = json::array();
    for (const vaultmoor::Label& l : g.frmMain.lblText)
        labels.push_back({{"visible", l.Visible}, {"caption", l.Caption}});
    json flags = json::array();
    for (std::int16_t f : g.Flags()) flags.push_back(f);
    return {
        {"action", action ? json(*action) : json(nullptr)},
        {"accepted", accepted},
        {"room", g.CurrentRoom},
        {"inventory", g.InventorySlots()},
        {"flags", flags},
        {"labels", labels},
        {"lblPressEnter",
         {{"visible", g.frmMain.lblPressEnter.Visible},
          {"caption", g.frmMain.lblPressEnter.Caption}}},
        {"txtBox", {{"visible", g.frmMain.txtBox.Visible}, {"text", g.frmMain.txtBox.Text}}},
        {"cmdEnter", {{"visible", g.frmMain.cmdEnter.Visible}}},
    };
}

void PrintJson(const json& j) {
    // A typed line need not be valid UTF-8; such bytes print as U+FFFD.
    std::cout << j.dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
}

// The screen as a player reads it, top to bottom; carriage returns become line breaks.
void PrintScreen(const Game& g) {
    const auto print = [](std::string_view caption) {
        std::string text = vaultmoor::ShownText(caption);
        for (char& c : text)
            if (c == vaultmoor::CR) c = '\n';
        if (!text.empty()) std::cout << text << '\n';
    };
    const auto& labels = g.frmMain.lblText;
    // Messages above the description, then the fixed texts, as the window stacks them.
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 13, 17, 14, 15, 18, 19, 16, 11, 9})
        if (labels[static_cast<std::size_t>(i)].Visible)
            print(labels[static_cast<std::size_t>(i)].Caption);
    if (g.frmMain.lblPressEnter.Visible) print(g.frmMain.lblPressEnter.Caption);
    if (g.InputShown())
        std::cout << "> " << std::flush;
    else
        std::cout << "(File > New Game: type !new)\n" << std::flush;
}

}  // namespace

int main(int argc, char** argv) {
    bool asJson = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--json") {
            asJson = true;
        } else {
            std::cerr << "usage: vaultmoor-transcript [--json] < actions\n";
            return 2;
        }
    }
    std::ios::sync_with_stdio(false);

    Game game;
    if (asJson)
        PrintJson(Snapshot(game, std::nullopt, true));
    else
        PrintScreen(game);

    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool accepted = true;
        if (line == "!new")
            game.mnuNewGame_Click();
        else
            accepted = game.Enter(line);
        if (asJson)
            PrintJson(Snapshot(game, line, accepted));
        else
            PrintScreen(game);
    }
    if (!asJson) std::cout << '\n';
    return 0;
}
