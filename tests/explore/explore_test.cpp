// Exhaustive exploration of the castle: every reachable state, every command in each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "explorer.h"
#include "game.h"
#include "invariants.h"
#include "script.h"

namespace vaultmoor::check {
namespace {

const Exploration& Result() {
    static const Exploration x = Explore();
    return x;
}

// Every literal command some rule takes, room by room, the prompt answers last.
const std::set<std::string>& ExpectedCommands() {
    static const std::set<std::string> commands{
        // the cell
        "hit door", "kick door", "yell", "push door", "eat food", "get food", "get grub",
        "get guck", "get bread", "get slime", "get stale bread", "push floor", "push ground",
        "hit floor", "hit ground", "kick floor", "kick ground", "kick stones", "twist stones",
        "kick stone", "get bible", "look floor", "look ground", "look down", "look door",
        "look windows", "look window", "unlock door", "look food", "look grub", "look ceiling",
        "look roof", "look up", "look markings", "look marks", "look writing", "look stones",
        "open door",
        // hallway and swamp
        "go north", "go south", "go east", "go west", "get spear", "get torch", "look torch",
        "look spear", "look wall", "look walls", "push wall", "look snakes", "look stream",
        "look creek",
        // soldiers' hall and armour room
        "get hammer", "go up", "go wall", "use rope", "use hook rope", "look hammer",
        "look soldiers", "look huge door", "open huge door", "get sword", "get ancient sword",
        "get key", "get skeleton key", "look armor", "look decoration",
        // snake room
        "hit snakes", "kick snakes", "get snakes", "get axe",
        // fork and gun room
        "get rope", "get hook rope", "get guard", "kick guard", "hit guard", "push guard",
        "use sword", "use spear", "go back", "get guns", "get cannons",
        // the loop and the door
        "push west wall", "get shields", "get gold shields", "get golden shields", "use key",
        "use skeleton key",
        // answers
        "y", "n"};
    return commands;
}

TEST(Explore, KnownCommandsAreEveryLiteralOnce) {
    const std::vector<std::string> known = KnownCommands();
    std::set<std::string> unique(known.begin(), known.end());
    EXPECT_EQ(unique.size(), known.size()) << "a command is listed twice";
    for (const std::string& c : known) {
        EXPECT_FALSE(c.empty());
        EXPECT_TRUE(
            std::none_of(c.begin(), c.end(), [](char ch) { return ch >= 'A' && ch <= 'Z'; }))
            << "\"" << c << "\" can never match a lower-cased command";
    }
    for (const std::string& c : ExpectedCommands()) {
        EXPECT_TRUE(unique.contains(c)) << "missing \"" << c << "\"";
    }
    for (const std::string& c : unique) {
        EXPECT_TRUE(ExpectedCommands().contains(c)) << "no rule takes \"" << c << "\"";
    }
    EXPECT_FALSE(unique.contains(std::string(UnknownCommand)));
}

TEST(Explore, AssignedRoomsAreTheCastle) {
    std::vector<int> rooms = AssignedRooms();
    std::sort(rooms.begin(), rooms.end());
    EXPECT_EQ(rooms, ExpectedRooms());
}

TEST(Explore, TitleScreenTakesNoTurn) {
    Game g;
    const Game before = g;
    EXPECT_FALSE(g.InputShown());
    EXPECT_FALSE(g.Enter("go north"));
    EXPECT_TRUE(SameGame(g, before));
    EXPECT_TRUE(g.frmMain == DesignWindow());
    g.mnuNewGame_Click();
    EXPECT_TRUE(StateFaults(g).empty());
    EXPECT_TRUE(StepFaults(before, Step::NewGame, "", false, g).empty());
}

TEST(Explore, EveryStateKeepsTheRules) {
    const Exploration& x = Result();
    for (const std::string& f : x.faults) ADD_FAILURE() << f;
    EXPECT_TRUE(x.faults.empty());
}

TEST(Explore, EveryRoomIsReached) {
    const Exploration& x = Result();
    std::set<int> rooms = x.Rooms();
    for (int r : AssignedRooms())
        EXPECT_TRUE(rooms.contains(r)) << "room " << r << " never reached";
}

TEST(Explore, EveryWayOutIsReached) {
    const Exploration& x = Result();
    for (Ending e : {Ending::FileEscape, Ending::FloorEscape, Ending::CaveEscape,
                     Ending::CaveExplodes, Ending::Lion}) {
        EXPECT_TRUE(x.escapes.contains(e)) << EndingName(e) << " never reached";
    }
}

TEST(Explore, EveryDeathIsReachedAndNoOther) {
    const Exploration& x = Result();
    std::set<std::pair<int, std::string>> expected;
    for (const Death& d : ExpectedDeaths()) {
        expected.insert({d.room, d.text});
        EXPECT_TRUE(x.deaths.contains({d.room, d.text}))
            << "room " << d.room << ": " << d.how << " never reached";
    }
    for (const auto& [death, reached] : x.deaths) {
        EXPECT_TRUE(expected.contains(death))
            << "unexpected death in room " << death.first << ": \"" << Printable(death.second)
            << "\" by " << JoinPath(x.PathThrough(reached));
    }
}

TEST(Explore, EveryCommandDoesSomethingSomewhere) {
    const Exploration& x = Result();
    for (std::size_t a = KnownBegin; a < KnownBegin + KnownCommands().size(); ++a) {
        EXPECT_GT(x.commandUses[a], 0)
            << "\"" << x.actions[a].label << "\" is answered like an unknown command everywhere";
    }
}

std::string Summary(const Exploration& x) {
    char buf[200];
    std::snprintf(buf, sizeof buf,
                  "explored: %zu states, %zu transitions, %zu rooms, %zu endings, %zu dead ends, "
                  "%.2f s",
                  x.nodes.size(), x.transitions, x.Rooms().size(), x.Endings(), x.deadEnds.size(),
                  x.seconds);
    return buf;
}

std::string Report(const Exploration& x) {
    std::ostringstream out;
    out << Summary(x) << "\n";
    std::size_t playing = 0;
    for (const StateKey& k : x.keys) playing += k.input ? 1 : 0;
    out << "  states: distinct (room, inventory, flags, prompt caption, command box shown) "
           "reached from New Game: "
        << playing << " with the command box shown, " << x.keys.size() - playing << " finished\n";
    out << "  transitions: (state, action) pairs tried from the states with the command box "
           "shown; "
        << x.actions.size() << " actions in each (the empty line, " << KnownCommands().size()
        << " known commands, one unknown, New Game); finished states are also checked with "
           "New Game and a refused Enter, not counted\n";
    out << "  rooms: distinct room numbers other than 0 among the states\n";
    std::size_t escapes = x.escapes.size() - x.escapes.count(Ending::Lion);
    out << "  endings: distinct ways a game ends: " << escapes
        << " escapes (window, floor, cave without and with the fuse lit) + "
        << x.escapes.count(Ending::Lion) << " lion + " << x.deaths.size()
        << " other deaths, told apart by room and death text\n";
    out << "  dead ends: playing states, no death pending, from which no escape can be reached "
           "without New Game\n";
    out << "  cross-check turns (upper case, \"booga\", " << x.twinsChecked
        << " games with the same state but another screen): " << x.extraTurns << "\n";

    out << "endings reached (shortest way):\n";
    for (const auto& [e, r] : x.escapes) {
        out << "  " << EndingName(e) << ": " << JoinPath(x.PathThrough(r)) << "\n";
    }
    for (const auto& [d, r] : x.deaths) {
        std::string how = "?";
        for (const Death& ed : ExpectedDeaths()) {
            if (ed.room == d.first && ed.text == d.second) how = std::string(ed.how);
        }
        out << "  death in room " << d.first << " (" << how << "): " << JoinPath(x.PathThrough(r))
            << "\n";
    }

    std::map<int, std::vector<int>> byRoom;
    for (int s : x.deadEnds) byRoom[x.keys[s].room].push_back(s);
    out << "dead ends: " << x.deadEnds.size() << "\n";
    for (const auto& [room, states] : byRoom) {
        out << "  room " << room << ": " << states.size() << " state(s)\n";
        std::size_t shown = 0;
        for (int s : states) {
            if (++shown > 12) {
                out << "    ... " << states.size() - 12 << " more\n";
                break;
            }
            out << "    " << Describe(x.keys[s]) << "\n      " << JoinPath(x.PathTo(s)) << "\n";
        }
    }
    return out.str();
}

TEST(Explore, Report) {
    const Exploration& x = Result();
    std::string report = Report(x);
    std::cout << report << std::flush;
    std::ofstream("explore-report.txt") << report;
    ::testing::Test::RecordProperty("explored", Summary(x));
    EXPECT_GT(x.nodes.size(), 1u);
    EXPECT_EQ(x.transitions, [&x] {
        std::size_t t = 0;
        for (const StateKey& k : x.keys) t += k.input ? x.actions.size() : 0;
        return t;
    }());
}

// The fuzzer's walkthrough seeds: each end-*.txt plays a whole game to the ending its
// name tells, and together they reach every ending.
TEST(Seeds, EachWalkthroughEndsAsNamed) {
    namespace fs = std::filesystem;
    std::set<Ending> escapes;
    std::set<std::pair<int, std::string>> deaths;
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(FUZZ_CORPUS_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("end-")) continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};

        Game g;
        g.mnuNewGame_Click();
        Ending last = Ending::None;
        std::pair<int, std::string> death;
        for (const Action& a : DecodeScript(bytes)) {
            const Game before = g;
            bool turned = a.step == Step::Enter ? g.Enter(a.line) : (g.mnuNewGame_Click(), false);
            for (const std::string& f : StepFaults(before, a.step, a.line, turned, g)) {
                ADD_FAILURE() << name << ": " << f;
            }
            for (const std::string& f : StateFaults(g)) ADD_FAILURE() << name << ": " << f;
            Ending e = EndingOf(before, g);
            if (e == Ending::DeathPending) death = {g.CurrentRoom, g.frmMain.lblText[12].Caption};
            if (e != Ending::None) last = e;
        }
        EXPECT_FALSE(g.InputShown()) << name << " does not finish the game";
        Ending named = name.find("window") != std::string::npos           ? Ending::FileEscape
                       : name.find("floor") != std::string::npos          ? Ending::FloorEscape
                       : name.find("not-lit") != std::string::npos        ? Ending::CaveEscape
                       : name.find("blowing") != std::string::npos        ? Ending::CaveExplodes
                       : name.find("lion") != std::string::npos           ? Ending::Lion
                       : name.find("death-in-room-") != std::string::npos ? Ending::EndScreen
                                                                          : Ending::None;
        EXPECT_EQ(EndingName(last), EndingName(named)) << name;
        if (named == Ending::EndScreen) {
            const std::string room = "room-" + std::to_string(death.first) + "-";
            EXPECT_NE(name.find(room), std::string::npos)
                << name << " dies in room " << death.first;
            deaths.insert(death);
        } else {
            escapes.insert(last);
        }
    }
    EXPECT_EQ(escapes.size(), 5u) << "four escapes and the lion";
    for (const Death& d : ExpectedDeaths()) {
        EXPECT_TRUE(deaths.contains({d.room, d.text})) << "no seed for " << d.how;
    }
    EXPECT_EQ(files, 5 + static_cast<int>(ExpectedDeaths().size()));
}

// The checks must see real faults: break a sound game and expect complaints.
TEST(Invariants, SeeBrokenStates) {
    Game g;
    g.mnuNewGame_Click();
    ASSERT_TRUE(g.Enter(""));
    ASSERT_TRUE(StateFaults(g).empty());

    auto broken = [&g](auto change) {
        Game b = g;
        change(b);
        return !StateFaults(b).empty();
    };
    EXPECT_TRUE(broken([](Game& b) { b.Inventory(1) = "spear"; }));
    EXPECT_TRUE(broken([](Game& b) { b.Inventory(3) = "Torch"; }));
    EXPECT_TRUE(broken([](Game& b) { b.GameFlags(1) = 1; }));
    EXPECT_TRUE(broken([](Game& b) { b.GameFlags(4) = 1; }));
    EXPECT_TRUE(broken([](Game& b) { b.CurrentRoom = 13; }));
    EXPECT_TRUE(broken([](Game& b) { b.frmMain.lblPressEnter.Caption = "Press enter"; }));
    EXPECT_TRUE(broken([](Game& b) { b.frmMain.lblText[12].Caption += '\n'; }));
    EXPECT_TRUE(broken([](Game& b) { b.frmMain.txtBox.Text = "go"; }));
    EXPECT_TRUE(broken([](Game& b) { b.frmMain.cmdEnter.Visible = false; }));
    EXPECT_TRUE(broken([](Game& b) { b.frmMain.lblText[16].Visible = true; }));
    EXPECT_TRUE(broken([](Game& b) { b.frmMain.lblText[11].Caption.clear(); }));
    EXPECT_TRUE(broken([](Game& b) { b.frmMain.lblPressEnter.Caption = PromptDead; }));
    EXPECT_TRUE(
        broken([](Game& b) { b.frmMain.txtBox.Visible = b.frmMain.cmdEnter.Visible = false; }));
}

TEST(Invariants, SeeBrokenTurns) {
    Game g;
    g.mnuNewGame_Click();
    ASSERT_TRUE(g.Enter(""));
    Game hall = g;
    hall.CurrentRoom = 3;
    hall.DescribeRoom();
    ASSERT_TRUE(StateFaults(hall).empty());

    Game moved = hall;
    moved.CurrentRoom = 12;
    moved.DescribeRoom();
    EXPECT_FALSE(StepFaults(hall, Step::Enter, "go south", true, moved).empty());

    Game stolen = hall;
    stolen.Inventory(2) = "spear";
    EXPECT_TRUE(StepFaults(hall, Step::Enter, "get spear", true, stolen).empty());
    EXPECT_FALSE(StepFaults(stolen, Step::Enter, "qg", true, hall).empty());

    Game flagged = hall;
    flagged.GameFlags(1) = flagged.GameFlags(2) = 1;
    EXPECT_FALSE(StepFaults(hall, Step::Enter, "use sword", true, flagged).empty());

    EXPECT_FALSE(StepFaults(hall, Step::Enter, "qg", false, hall).empty());
    EXPECT_FALSE(StepFaults(hall, Step::NewGame, "", false, hall).empty());
}

}  // namespace
}  // namespace vaultmoor::check
