// vaultmoor-transcript: plays the game without a window.
//
// Reads one action per line from standard input: "!new" is File > New Game, any other line
// is typed into the command box and the Enter button is pressed.
//   --json  prints the whole screen model and game state as one JSON object per line,
//           first at program start, then after each action.
//   (none)  prints what a player would see after each action, for play in a terminal;
//           typed at a terminal, lines can be edited and Up and Down walk the commands
//           entered, as in the window's command box.
#ifdef _WIN32
#define NOMINMAX
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <editline/readline.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "game.h"
#include "news.h"

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

constexpr const char* Prompt = "> ";

// The screen as a player reads it, then the command box (unless line editing shows the
// prompt) or how to go on.
void PrintScreen(const Game& g, bool prompt) {
    std::cout << vaultmoor::ScreenText(g.frmMain);
    if (!g.InputShown())
        std::cout << "(File > New Game: type !new)\n";
    else if (prompt)
        std::cout << Prompt;
    std::cout << std::flush;
}

std::optional<std::string> ReadLine() {
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    return line;
}

#ifdef _WIN32
// The console edits the line itself, and keeps its own history.
std::optional<std::string> ReadTypedLine(const Game&) {
    return ReadLine();
}
#else
// A line typed at a terminal, with line editing. The history keeps what the command box
// keeps: no empty lines, no repeat of the newest, the last 100.
std::optional<std::string> ReadTypedLine(const Game& g) {
    char* typed = readline(g.InputShown() ? Prompt : "");
    if (typed == nullptr) return std::nullopt;
    std::string line(typed);
    std::free(typed);
    static std::string newest;
    if (!line.empty() && line != newest) {
        add_history(line.c_str());
        newest = line;
    }
    return line;
}
#endif

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
#ifdef _WIN32
    // The same bytes as elsewhere: no CR added before LF, no Ctrl+Z taken as the end.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    const bool terminal = !asJson && _isatty(_fileno(stdin)) != 0;
    if (terminal) {  // the screen's UTF-8 (the ruled line, the end label) as it is
        SetConsoleOutputCP(CP_UTF8);
        SetConsoleCP(CP_UTF8);
    }
#else
    const bool terminal = !asJson && isatty(STDIN_FILENO) != 0;
    if (terminal) stifle_history(100);
#endif

    Game game;
    if (asJson)
        PrintJson(Snapshot(game, std::nullopt, true));
    else
        PrintScreen(game, !terminal);

    while (const std::optional<std::string> read = terminal ? ReadTypedLine(game) : ReadLine()) {
        std::string line = *read;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool accepted = true;
        if (line == "!new")
            game.mnuNewGame_Click();
        else
            accepted = game.Enter(line);
        if (asJson)
            PrintJson(Snapshot(game, line, accepted));
        else
            PrintScreen(game, !terminal);
    }
    if (!asJson) std::cout << '\n';
    return 0;
}
