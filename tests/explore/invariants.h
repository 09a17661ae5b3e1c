// Rules every reachable game keeps, shared by the state explorer and the fuzzer.
// Each check returns the faults it finds; none means sound.
#pragma once

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "game.h"

namespace vaultmoor::check {

// Everything the next turn depends on.
using StateKey =
    std::tuple<int, std::array<std::string, 9>, std::array<std::int16_t, 10>, std::string, bool>;
inline StateKey KeyOf(const Game& g) {
    return {g.CurrentRoom, g.InventorySlots(), g.Flags(), g.frmMain.lblPressEnter.Caption,
            g.frmMain.txtBox.Visible};
}

inline bool SameGame(const Game& a, const Game& b) {
    return KeyOf(a) == KeyOf(b) && a.frmMain == b.frmMain;
}

inline std::string Upper(std::string s) {
    for (char& c : s) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return s;
}

struct Checker {
    std::vector<std::string> faults;
    std::map<int, std::string> slotWord;  // the one word each slot ever holds

    void Fault(const std::string& f) { faults.push_back(f); }

    void State(const Game& g) {
        const MainWindow& w = g.frmMain;
        for (int s = 1; s <= 9; ++s) {
            const std::string& v = g.Inventory(s);
            if (!v.empty() && slotWord.try_emplace(s, v).first->second != v)
                Fault("slot " + std::to_string(s) + " holds " + slotWord[s] + " and " + v);
        }
        for (int i = 1; i <= 10; ++i)
            if (g.GameFlags(i) != (i <= 2 ? g.GameFlags(1) & 1 : 0)) Fault("flags out of range");
        const auto& rooms = AssignedRooms();
        if (g.CurrentRoom != 0 && std::ranges::find(rooms, g.CurrentRoom) == rooms.end())
            Fault("room " + std::to_string(g.CurrentRoom) + " is not a room");
        const std::string& p = w.lblPressEnter.Caption;
        if (p != SeparatorLine && p != PromptStory && p != PromptYesNo && p != PromptGuard &&
            p != PromptDead)
            Fault("prompt " + p);
        for (const Label& l : w.lblText)
            if (l.Caption.find('\n') != std::string::npos) Fault("line feed in " + l.Caption);
        if (!w.txtBox.Text.empty()) Fault("command box not emptied");
        if (w.txtBox.Visible != w.cmdEnter.Visible || w.txtBox.Visible != w.lblPressEnter.Visible ||
            (w.txtBox.Visible && w.lblText[EndLabelIndex].Visible))
            Fault("controls shown in part");
        if (g.InputShown() && (g.CurrentRoom == 0) != (p == PromptStory))
            Fault("story prompt outside the story");
    }

    // One action from `before`; `turned` is what Enter returned.
    void Step(const Game& before, bool newGame, const std::string& line, bool turned,
              const Game& after) {
        static const Game fresh = [](Game g) { return g.mnuNewGame_Click(), g; }(Game());
        if (newGame && !SameGame(after, fresh)) Fault("New Game is not the story screen");
        if (newGame) return;
        if (turned != before.InputShown()) Fault("a turn ran, or not, against the controls");
        if (!turned && !SameGame(before, after)) Fault("a refused Enter changed the game");
        if (!turned) return;
        Game again = before;
        again.Enter(line.empty() ? "booga" : Upper(line));
        if (!SameGame(again, after)) Fault("\"" + line + "\" differs from its capitals or booga");
        State(after);
    }
};

}  // namespace vaultmoor::check
