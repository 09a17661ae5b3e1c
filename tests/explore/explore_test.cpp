// Plays every known command, the empty line, an unknown command and New Game in every state
// reachable from New Game, checks the invariants in each, and writes what it found: the
// "explored:" figures, the shortest way to each ending and dead end, and per room and prompt
// every distinct outcome of every command (compared with explore.chk).
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "invariants.h"

namespace vaultmoor::check {
namespace {

struct Node {
    Game game;
    int parent, via;
};

std::string Oneline(std::string s) {
    std::ranges::replace(s, CR, '/');
    return s;
}

// Where a turn left the game, and its reply.
std::string Outcome(const Game& g) {
    const std::string& p = g.frmMain.lblPressEnter.Caption;
    return "room " + std::to_string(g.CurrentRoom) + (p == SeparatorLine ? "" : " " + p) +
           (g.InputShown() ? "" : " finished") + ": " +
           Oneline(g.frmMain.lblText[ReplyIndex].Caption);
}

TEST(Explore, EveryReachableState) {
    std::vector<std::string> actions{""};
    for (const std::string& c : KnownCommands()) actions.push_back(c);
    actions.push_back("qg");  // unknown everywhere; New Game is the last action
    Checker check;
    std::vector<Node> nodes;
    std::map<StateKey, int> index;
    std::set<int> twins;                 // states checked against another screen
    std::map<std::string, int> endings;  // ending -> state it is reached from
    std::set<int> rooms, escaped;
    // Per room and prompt, per command: each distinct outcome, and the first state giving it.
    std::map<std::pair<int, std::string>, std::map<std::size_t, std::map<std::string, int>>> table;
    std::size_t transitions = 0;
    auto path = [&](int s) {
        std::string p;
        for (; nodes[s].parent >= 0; s = nodes[s].parent)
            p = ", \"" + actions[nodes[s].via] + '"' + p;
        return "New Game" + p;
    };
    auto visit = [&](const Game& g, int parent, int via) {
        auto [it, added] = index.try_emplace(KeyOf(g), static_cast<int>(nodes.size()));
        if (added) nodes.push_back({g, parent, via}), rooms.insert(g.CurrentRoom);
        // Another screen with the same state must play on the same way.
        if (!added && !(g.frmMain == nodes[it->second].game.frmMain) &&
            twins.insert(it->second).second)
            for (const std::string& a : actions) {
                Game one = g, other = nodes[it->second].game;
                if (one.Enter(a), other.Enter(a), KeyOf(one) != KeyOf(other))
                    check.Fault("one state, two ways: " + path(it->second) + ", " + a);
            }
        return it->second;
    };
    Game first;
    first.mnuNewGame_Click();
    visit(first, -1, 0);
    std::map<int, std::vector<int>> back;
    for (std::size_t s = 0; s < nodes.size(); ++s) {
        const Game here = nodes[s].game;
        Game refused = here;
        check.Step(here, false, "go", refused.Enter("go"), refused);
        if (!here.InputShown()) continue;
        transitions += actions.size() + 1;
        const std::string& prompt = here.frmMain.lblPressEnter.Caption;
        auto& here_table = table[{here.CurrentRoom, prompt}];
        Game unknown = here;
        unknown.Enter("qg");
        for (std::size_t a = 0; a < actions.size(); ++a) {
            Game after = here;
            check.Step(here, false, actions[a], after.Enter(actions[a]), after);
            const int to = visit(after, static_cast<int>(s), static_cast<int>(a));
            back[to].push_back(static_cast<int>(s));
            const MainWindow& w = after.frmMain;
            const std::string reply = Oneline(w.lblText[ReplyIndex].Caption);
            // An ending: the game finished or a death pending, not the end screen after one.
            if (prompt != PromptDead &&
                (!after.InputShown() || w.lblPressEnter.Caption == PromptDead))
                endings.try_emplace(std::to_string(after.CurrentRoom) + " " + reply, s * 1000 + a);
            if (!after.InputShown() && !w.lblText[EndLabelIndex].Visible) escaped.insert(to);
            if (a + 1 < actions.size() && SameGame(after, unknown)) continue;  // "qg" always
            std::string items;
            for (int k = 1; k <= 9; ++k)
                if (after.Inventory(k) != here.Inventory(k))
                    items += " slot " + std::to_string(k) + "=" + after.Inventory(k);
            here_table[a].try_emplace(
                Outcome(after) + items + " | " + Oneline(w.lblText[11].Caption),
                static_cast<int>(s));
        }
        Game fresh = here;
        fresh.mnuNewGame_Click();
        check.Step(here, true, "", false, fresh);
    }
    // Dead ends: playing, no death pending, and no way to an escape without New Game.
    std::set<int> canEscape = escaped;
    for (std::vector<int> todo(escaped.begin(), escaped.end()); !todo.empty();) {
        const int s = todo.back();
        todo.pop_back();
        for (int p : back[s])
            if (canEscape.insert(p).second) todo.push_back(p);
    }
    std::ostringstream report;
    std::vector<std::string> deadEnds;
    for (std::size_t s = 0; s < nodes.size(); ++s)
        if (nodes[s].game.InputShown() && !canEscape.contains(static_cast<int>(s)) &&
            nodes[s].game.frmMain.lblPressEnter.Caption != PromptDead)
            deadEnds.push_back(path(static_cast<int>(s)));
    rooms.erase(0);
    report << "explored: " << nodes.size() << " states, " << transitions << " transitions, "
           << rooms.size() << " rooms, " << endings.size() << " endings, " << deadEnds.size()
           << " dead ends\n";
    for (const auto& [e, r] : endings)
        report << "ending in room " << e << "\n  " << path(r / 1000) << ", \"" << actions[r % 1000]
               << "\"\n";
    for (const std::string& d : deadEnds) report << "dead end: " << d << "\n";
    for (const auto& [where, commands] : table) {
        report << "room " << where.first << " " << where.second << "\n";
        for (const auto& [a, outcomes] : commands)
            for (const auto& [o, from] : outcomes) {
                report << "  " << actions[a] << " -> " << o << "\n    from";
                for (const std::string& i : nodes[from].game.InventorySlots())
                    report << ' ' << (i.empty() ? "-" : i);
                report << ", flags " << nodes[from].game.GameFlags(1) << "\n";
            }
    }
    std::ofstream("explore-report.txt") << report.str();
    for (const std::string& f : std::set(check.faults.begin(), check.faults.end()))
        ADD_FAILURE() << f;
    EXPECT_EQ(std::set<int>(AssignedRooms().begin(), AssignedRooms().end()), rooms);
}

}  // namespace
}  // namespace vaultmoor::check
