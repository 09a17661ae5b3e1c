// Walks every state a player can reach from New Game, trying every command in each.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "game.h"
#include "invariants.h"

namespace vaultmoor::check {

// A command no rule of any room takes.
inline constexpr std::string_view UnknownCommand = "qg";

struct Action {
    Step step;
    std::string line;   // typed text for Step::Enter
    std::string label;  // for reports
};

// What a player can do in a state where the command box is shown: the empty line, the
// known commands (from index KnownBegin), one unknown command, New Game.
inline constexpr std::size_t KnownBegin = 1;

inline std::vector<Action> PlayActions() {
    // The empty line first, so that shortest ways press Enter where anything would do.
    std::vector<Action> a;
    a.push_back({Step::Enter, "", "<empty line>"});
    for (const std::string& c : KnownCommands()) a.push_back({Step::Enter, c, c});
    a.push_back({Step::Enter, std::string(UnknownCommand), std::string(UnknownCommand)});
    a.push_back({Step::NewGame, "", "<New Game>"});
    return a;
}

inline std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

inline Game Apply(const Game& g, const Action& a, bool* turned = nullptr) {
    Game next = g;
    bool t = false;
    if (a.step == Step::NewGame) {
        next.mnuNewGame_Click();
    } else {
        t = next.Enter(a.line);
    }
    if (turned) *turned = t;
    return next;
}

struct Exploration {
    struct Edge {
        int action;  // index into actions, or -1 for the refused Enter of a finished state
        int to;
    };
    struct Node {
        Game game;  // the first game seen with this key
        int parent = -1;
        int via = -1;  // action from the parent
        int depth = 0;
        std::vector<Edge> edges;
    };
    struct Reached {
        int state;   // state the ending was reached from
        int action;  // action that reached it
    };

    std::vector<Action> actions;
    std::vector<Node> nodes;
    std::vector<StateKey> keys;
    std::size_t transitions = 0;
    std::size_t extraTurns = 0;  // turns run only to cross-check (upper case, "booga", twins)
    std::vector<std::string> faults;
    std::map<Ending, Reached> escapes;
    std::map<std::pair<int, std::string>, Reached> deaths;
    std::vector<int> deadEnds;
    std::vector<int> commandUses;  // per action: states where it did other than "qg"
    std::size_t twinsChecked = 0;
    double seconds = 0;

    std::vector<std::string> PathTo(int state) const {
        std::vector<std::string> path;
        for (int s = state; s >= 0 && nodes[s].parent >= 0; s = nodes[s].parent) {
            path.push_back(actions[nodes[s].via].label);
        }
        return {path.rbegin(), path.rend()};
    }

    std::vector<std::string> PathThrough(const Reached& r) const {
        std::vector<std::string> p = PathTo(r.state);
        p.push_back(actions[r.action].label);
        return p;
    }

    std::size_t Endings() const { return escapes.size() + deaths.size(); }

    std::set<int> Rooms() const {
        std::set<int> rooms;
        for (const StateKey& k : keys) {
            if (k.room != 0) rooms.insert(k.room);
        }
        return rooms;
    }
};

inline std::string JoinPath(const std::vector<std::string>& path) {
    std::string out = "New Game";
    for (const std::string& p : path) out += ", \"" + p + "\"";
    return out;
}

inline Exploration Explore() {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    Exploration x;
    x.actions = PlayActions();
    x.commandUses.assign(x.actions.size(), 0);
    const std::size_t emptyIndex = 0;
    const std::size_t unknownIndex = KnownBegin + KnownCommands().size();
    std::unordered_map<StateKey, int, StateKeyHash> index;
    std::vector<Game> twins;    // a second game per state with another screen
    std::vector<int> twinOf;    // index into twins, -1 if none
    std::vector<char> escaped;  // states entered by an escape

    auto report = [&x](int state, std::string_view what, const std::vector<std::string>& fs) {
        for (const std::string& f : fs) {
            if (x.faults.size() < 200) {
                x.faults.push_back(f + " [" + std::string(what) + " at " + Describe(x.keys[state]) +
                                   "; reached by " + JoinPath(x.PathTo(state)) + "]");
            }
        }
    };

    auto visit = [&](const Game& g, int parent, int via) -> int {
        StateKey k = KeyOf(g);
        auto it = index.find(k);
        if (it != index.end()) {
            int s = it->second;
            if (twinOf[s] < 0 && !(g.frmMain == x.nodes[s].game.frmMain)) {
                twinOf[s] = static_cast<int>(twins.size());
                twins.push_back(g);
            }
            return s;
        }
        int s = static_cast<int>(x.nodes.size());
        index.emplace(k, s);
        x.keys.push_back(std::move(k));
        x.nodes.push_back({g, parent, via, parent < 0 ? 0 : x.nodes[parent].depth + 1, {}});
        twinOf.push_back(-1);
        escaped.push_back(0);
        report(s, "state", StateFaults(g));
        return s;
    };

    Game first;
    first.mnuNewGame_Click();
    visit(first, -1, -1);

    for (std::size_t s = 0; s < x.nodes.size(); ++s) {
        const int state = static_cast<int>(s);
        const Game here = x.nodes[s].game;  // copied: nodes may grow below
        std::vector<Exploration::Edge> edges;

        if (!here.InputShown()) {
            // Finished: Enter is refused, only New Game goes on.
            Action refused{Step::Enter, "go north", "go north"};
            bool turned = false;
            Game after = Apply(here, refused, &turned);
            report(state, "refused Enter",
                   StepFaults(here, Step::Enter, refused.line, turned, after));
            Action& ng = x.actions.back();
            Game fresh = Apply(here, ng);
            report(state, "New Game", StepFaults(here, Step::NewGame, "", false, fresh));
            edges.push_back({static_cast<int>(x.actions.size()) - 1,
                             visit(fresh, state, static_cast<int>(x.actions.size()) - 1)});
            // Not counted as transitions: only states with the command box take commands.
            x.nodes[s].edges = std::move(edges);
            continue;
        }

        const std::string& prompt = here.frmMain.lblPressEnter.Caption;
        // Where any Enter does the same, or only the answers of a question count.
        const bool anyEnter = here.CurrentRoom == 0 || here.CurrentRoom == 28 ||
                              here.CurrentRoom == 29 || prompt == PromptDead;
        std::set<std::string_view> answers;
        if (prompt == PromptGuard) answers = {"kick guard", "hit guard"};
        if (prompt == PromptYesNo) answers = {here.CurrentRoom == 2 ? "y" : "n"};
        const bool onlyAnswers = anyEnter || prompt == PromptGuard || prompt == PromptYesNo;
        std::vector<Game> results;
        results.reserve(x.actions.size());
        for (std::size_t a = 0; a < x.actions.size(); ++a) {
            const Action& act = x.actions[a];
            bool turned = false;
            Game after = Apply(here, act, &turned);
            ++x.transitions;
            report(state, "\"" + act.label + "\"",
                   StepFaults(here, act.step, act.line, turned, after));

            Ending e = EndingOf(here, after);
            if (IsEscape(e) || e == Ending::Lion) {
                x.escapes.try_emplace(e, Exploration::Reached{state, static_cast<int>(a)});
            } else if (e == Ending::DeathPending) {
                x.deaths.try_emplace({after.CurrentRoom, after.frmMain.lblText[12].Caption},
                                     Exploration::Reached{state, static_cast<int>(a)});
            }

            if (act.step == Step::Enter && !act.line.empty()) {
                Game upper = Apply(here, {Step::Enter, Upper(act.line), ""});
                ++x.extraTurns;
                if (!SameGame(upper, after)) {
                    report(state, "\"" + Upper(act.line) + "\"",
                           {"upper case answered differently from lower case"});
                }
            }
            results.push_back(after);
            if (act.step == Step::NewGame) {
                edges.push_back({static_cast<int>(a), 0});
            } else {
                int to = visit(after, state, static_cast<int>(a));
                edges.push_back({static_cast<int>(a), to});
                if (IsEscape(e)) escaped[to] = 1;
            }
        }

        // An empty line is the unknown command "booga".
        Game booga = Apply(here, {Step::Enter, "booga", "booga"});
        ++x.extraTurns;
        if (!SameGame(booga, results[emptyIndex])) {
            report(state, "<empty line>", {"an empty line is not answered as \"booga\""});
        }
        for (std::size_t a = 0; a < unknownIndex; ++a) {
            bool same = SameGame(results[a], results[unknownIndex]);
            if (!same) ++x.commandUses[a];
            if (onlyAnswers && !same && !answers.contains(x.actions[a].line)) {
                report(state, "\"" + x.actions[a].label + "\"",
                       {"not an answer, yet not answered as an unknown command"});
            }
            if (onlyAnswers && same && answers.contains(x.actions[a].line)) {
                report(state, "\"" + x.actions[a].label + "\"",
                       {"an answer taken as an unknown command"});
            }
        }
        x.nodes[s].edges = std::move(edges);
    }

    // Games with the same key but another screen must go on the same way.
    for (std::size_t s = 0; s < x.nodes.size(); ++s) {
        if (twinOf[s] < 0) continue;
        ++x.twinsChecked;
        const Game& twin = twins[twinOf[s]];
        for (const Exploration::Edge& e : x.nodes[s].edges) {
            const Action& act = x.actions[e.action];
            Game after = Apply(twin, act);
            ++x.extraTurns;
            if (KeyOf(after) != x.keys[e.to]) {
                report(static_cast<int>(s), "\"" + act.label + "\"",
                       {"two games with the same state went different ways"});
            }
        }
    }

    // Dead ends: playing, no death pending, and no escape reachable without New Game.
    std::vector<std::vector<int>> back(x.nodes.size());
    for (std::size_t s = 0; s < x.nodes.size(); ++s) {
        for (const Exploration::Edge& e : x.nodes[s].edges) {
            if (x.actions[e.action].step != Step::NewGame)
                back[e.to].push_back(static_cast<int>(s));
        }
    }
    std::vector<char> canEscape = escaped;
    std::deque<int> queue;
    for (std::size_t s = 0; s < x.nodes.size(); ++s) {
        if (escaped[s]) queue.push_back(static_cast<int>(s));
    }
    while (!queue.empty()) {
        int s = queue.front();
        queue.pop_front();
        for (int p : back[s]) {
            if (!canEscape[p]) {
                canEscape[p] = 1;
                queue.push_back(p);
            }
        }
    }
    for (std::size_t s = 0; s < x.nodes.size(); ++s) {
        const StateKey& k = x.keys[s];
        if (k.input && k.prompt != PromptDead && !canEscape[s]) {
            x.deadEnds.push_back(static_cast<int>(s));
        }
    }

    x.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return x;
}

}  // namespace vaultmoor::check
