// Rules every reachable game must keep, shared by the state explorer and the fuzzer.
// Each check returns the faults it finds as readable lines; no line means sound.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "game.h"
#include "screen.h"

namespace vaultmoor::check {

// --- Fixed facts of the castle ----------------------------------------------------

// The word each inventory slot may hold, slot 1 first.
inline const std::array<std::string_view, 9>& ItemWords() {
    static const std::array<std::string_view, 9> words{"bible", "spear", "torch", "hammer", "sword",
                                                       "key",   "torch", "axe",   "rope"};
    return words;
}

// The room in which each slot's item is picked up, slot 1 first.
inline constexpr std::array<int, 9> ItemRoom{2, 3, 3, 6, 7, 7, 17, 17, 21};

// Every room number a game can hold besides 0.
inline const std::vector<int>& ExpectedRooms() {
    static const std::vector<int> rooms{2,  3,  4,  5,  6,  7,  11, 12, 17, 19,
                                        20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
    return rooms;
}

// Where one turn may take the player from each room (staying put included).
inline const std::set<int>& RoomExits(int room) {
    static const std::vector<std::pair<int, std::set<int>>> exits{
        {0, {2}},
        {2, {2, 3, 4, 5}},
        {3, {3, 6, 7}},
        {4, {4, 17, 19, 20}},
        {5, {5, 17, 19, 20}},
        {6, {6, 3, 12, 11}},
        {7, {7, 3}},
        {11, {11, 26}},
        {12, {12, 6, 21}},
        {17, {17, 4, 5, 23}},
        {19, {19, 4, 5}},
        {20, {20, 4, 5}},
        {21, {21, 17, 12, 22}},
        {22, {22, 2, 21}},
        {23, {23, 17, 24}},
        {24, {24, 17, 25}},
        {25, {25, 23}},
        {26, {26, 11, 27, 6}},
        {27, {27, 26, 25, 28}},
        {28, {28, 29}},
        {29, {29}},
    };
    static const std::set<int> none;
    for (const auto& [from, to] : exits) {
        if (from == room) return to;
    }
    return none;
}

inline std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string out;
    bool first = true;
    for (std::string_view l : lines) {
        if (!first) out += CR;
        out += l;
        first = false;
    }
    return out;
}

// A death that waits for "Press enter to continue...": the room and its text.
struct Death {
    int room;
    std::string_view how;  // what the player did, for reports
    std::string text;      // lblText(12) while the death is pending
};

inline const std::string& DartText() {
    static const std::string text =
        Lines({"As you walk forward into the room, you step on a loose tile, and some",
               "poisoned darts fly out from the wall, hitting you...(You should have",
               "stayed in bed this morning)"});
    return text;
}

inline const std::vector<Death>& ExpectedDeaths() {
    static const std::vector<Death> deaths{
        {4, "go south in the dark swamp",
         Lines({"You walk south from the swamp.   Suddenly, you feel a snake curl",
                "around you.   You now realize that you are in a snake home..."})},
        {5, "push wall in the lit swamp", "A snake bites you as you reach out for the wall."},
        {5, "go south in the lit swamp",
         Lines({"You walk south from the swamp.   Suddenly, you feel a snake curl around",
                "you.   You now realize that you are in a snake home..."})},
        {11, "go east from the ledge",
         Lines({"You hang the rope off the ledge and climb down.",
                "You are immediately caught and shot.   "})},
        {11, "go west on the ledge",
         Lines({"You press yourself against the back wall.",
                "Suddenly, the wall starts crumbling behind you, and you fall 50 feet",
                "to the ground outside the castle."})},
        {12, "yell in the dining room",
         Lines({"Several soldiers look up at you, and some get up and saunter over to you.",
                "You gulp.   The next thing you know..."})},
        {17, "push wall in the snake room", "A snake bites you as you reach out for the wall."},
        {17, "hit or kick snakes", "You manage to kill a few before you die."},
        {17, "get snakes",
         Lines({"You pick up one of these innocent pit-vipers, and wrap it around your head.",
                "OW! OWW!! OOW OW OW!"})},
        {17, "go east in the snake room",
         Lines({"There is a hole you hadn't noticed, and you fall into the dark hole,",
                "filled with crocodiles, snakes, spiders, and anything else that comes to "
                "mind."})},
        {19, "go south at the intersection",
         Lines({"You walk for several minutes, until finding a stream, you follow",
                "that. You walk along it for a ways, until suddenly, you slip and",
                "fall in the creek and are eaten by piranhas."})},
        {19, "go north without the bible",
         "You walk for several minutes, until you stumble upon a gold mine." + std::string(1, CR) +
             DartText()},
        {19, "gold mine answered with anything but n", DartText()},
    };
    return deaths;
}

inline const std::string& LionText() {
    static const std::string text =
        "He eats you up. (You should have stayed in bed this morning...)";
    return text;
}

inline const std::string& CaveText(bool fuse) {
    static const std::string closing = std::string(2, CR) +
                                       "There are two other ways.   Have you found them?" + CR +
                                       "HINT: (In one of them, you never go outside your cell)";
    static const std::string withFuse =
        Lines({"As you run out of the castle, you start to turn around, but an explosion",
               "knocks you to the ground.   You look up.   The castle is flying into",
               "pieces!!!!!   Good going!!!!", "ALSO::::", "YOU ESCAPED!!!!!!!"}) +
        closing;
    static const std::string withoutFuse = std::string(2, CR) + "YOU ESCAPED!!!!!" + closing;
    return fuse ? withFuse : withoutFuse;
}

inline const std::string& GuardText() {
    static const std::string text = "A guard comes in, to see what all the racket is about.";
    return text;
}

// --- The state of a game ------------------------------------------------------------

// Everything the next turn depends on: the game variables, the pending prompt and
// whether a turn can run at all.
struct StateKey {
    int room = 0;
    std::array<std::string, 9> inventory;
    std::array<int, 10> flags{};
    std::string prompt;
    bool input = false;

    bool operator==(const StateKey&) const = default;
    auto operator<=>(const StateKey&) const = default;
};

inline StateKey KeyOf(const Game& g) {
    StateKey k;
    k.room = g.CurrentRoom;
    k.inventory = g.InventorySlots();
    for (std::size_t i = 0; i < 10; ++i) k.flags[i] = g.Flags()[i];
    k.prompt = g.frmMain.lblPressEnter.Caption;
    k.input = g.frmMain.txtBox.Visible;
    return k;
}

struct StateKeyHash {
    std::size_t operator()(const StateKey& k) const {
        std::size_t h = std::hash<int>{}(k.room);
        auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
        for (const auto& s : k.inventory) mix(std::hash<std::string>{}(s));
        for (int f : k.flags) mix(std::hash<int>{}(f));
        mix(std::hash<std::string>{}(k.prompt));
        mix(k.input ? 1 : 0);
        return h;
    }
};

inline std::string PromptName(std::string_view caption) {
    if (caption == SeparatorLine) return "none";
    if (caption == PromptStory) return "story";
    if (caption == PromptYesNo) return "(Y/N)";
    if (caption == PromptGuard) return ">>>>";
    if (caption == PromptDead) return "dead";
    return "?";
}

inline std::string Describe(const StateKey& k) {
    std::string out = "room " + std::to_string(k.room) + ", carrying ";
    std::string items;
    for (std::size_t i = 0; i < 9; ++i) {
        if (k.inventory[i].empty()) continue;
        if (!items.empty()) items += '+';
        items += k.inventory[i];
        if (i == 2 || i == 6) items += (i == 2 ? "(hall)" : "(snakes)");
    }
    out += items.empty() ? "nothing" : items;
    out += ", flags ";
    for (int f : k.flags) out += std::to_string(f);
    out += ", prompt " + PromptName(k.prompt);
    out += k.input ? "" : ", finished";
    return out;
}

// The command as the turn reads it: letters A to Z folded to lower case.
inline std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

inline bool SameGame(const Game& a, const Game& b) {
    return a.CurrentRoom == b.CurrentRoom && a.InventorySlots() == b.InventorySlots() &&
           a.Flags() == b.Flags() && a.frmMain == b.frmMain;
}

// Shows control characters so a fault message stays on one line.
inline std::string Printable(std::string_view s, std::size_t max = 120) {
    std::string out;
    for (char c : s) {
        if (out.size() >= max) {
            out += "...";
            break;
        }
        auto u = static_cast<unsigned char>(c);
        if (c == CR) {
            out += "\\r";
        } else if (u < 0x20 || u == 0x7f) {
            static const char* hex = "0123456789abcdef";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

// --- How a turn ended the game ------------------------------------------------------

enum class Ending {
    None,
    FileEscape,    // "y" to keep eating in the cell
    FloorEscape,   // "push floor" in room 20
    CaveEscape,    // out of the cave, fuse not lit
    CaveExplodes,  // out of the cave, castle blowing up behind
    Lion,          // eaten in room 28
    DeathPending,  // a death text waits for Enter
    EndScreen,     // the end screen after a death
};

inline std::string_view EndingName(Ending e) {
    switch (e) {
        case Ending::None:
            return "none";
        case Ending::FileEscape:
            return "escape through the cell window (iron file)";
        case Ending::FloorEscape:
            return "escape through the sewage floor (push floor)";
        case Ending::CaveEscape:
            return "escape out of the cave, fuse not lit";
        case Ending::CaveExplodes:
            return "escape out of the cave, castle blowing up";
        case Ending::Lion:
            return "eaten by the lion";
        case Ending::DeathPending:
            return "death";
        case Ending::EndScreen:
            return "end screen";
    }
    return "?";
}

inline bool IsEscape(Ending e) {
    return e == Ending::FileEscape || e == Ending::FloorEscape || e == Ending::CaveEscape ||
           e == Ending::CaveExplodes;
}

// Which ending a turn from `before` to `after` brought about, if any.
inline Ending EndingOf(const Game& before, const Game& after) {
    if (!before.InputShown()) return Ending::None;
    const MainWindow& w = after.frmMain;
    if (after.InputShown()) {
        bool wasDead = before.frmMain.lblPressEnter.Caption == PromptDead;
        return (!wasDead && w.lblPressEnter.Caption == PromptDead) ? Ending::DeathPending
                                                                   : Ending::None;
    }
    if (w.lblText[13].Visible) return Ending::FileEscape;
    if (w.lblText[17].Visible) return Ending::FloorEscape;
    if (w.lblText[16].Visible) return w.lblText[12].Visible ? Ending::Lion : Ending::EndScreen;
    if (after.CurrentRoom == 29) {
        return after.GameFlags(1) == 1 ? Ending::CaveExplodes : Ending::CaveEscape;
    }
    return Ending::None;
}

// --- Invariants of one state ----------------------------------------------------------

inline bool Carried(const Game& g, int slot) {
    return g.Inventory(slot) == ItemWords()[slot - 1];
}

inline std::vector<std::string> StateFaults(const Game& g) {
    std::vector<std::string> f;
    auto fault = [&f](std::string s) { f.push_back(std::move(s)); };
    const MainWindow& w = g.frmMain;
    const std::string& prompt = w.lblPressEnter.Caption;
    const std::string& text11 = w.lblText[11].Caption;
    const std::string& text12 = w.lblText[12].Caption;
    auto shown = [&w](int i) { return w.lblText[i].Visible; };

    for (int s = 1; s <= 9; ++s) {
        const std::string& v = g.Inventory(s);
        if (!v.empty() && v != ItemWords()[s - 1]) {
            fault("inventory slot " + std::to_string(s) + " holds \"" + Printable(v) + "\"");
        }
    }
    for (int i = 1; i <= 10; ++i) {
        int v = g.GameFlags(i);
        if (v != 0 && v != 1) fault("flag " + std::to_string(i) + " is " + std::to_string(v));
        if (i >= 3 && v != 0) fault("unused flag " + std::to_string(i) + " is set");
    }
    if (g.GameFlags(1) != g.GameFlags(2)) fault("fuse flag and dead-guard flag differ");

    const auto& assigned = AssignedRooms();
    if (g.CurrentRoom != 0 &&
        std::find(assigned.begin(), assigned.end(), g.CurrentRoom) == assigned.end()) {
        fault("room " + std::to_string(g.CurrentRoom) + " is not an assigned room");
    }
    if (PromptName(prompt) == "?") fault("prompt caption \"" + Printable(prompt) + "\"");

    for (std::size_t i = 0; i < w.lblText.size(); ++i) {
        if (w.lblText[i].Caption.find('\n') != std::string::npos) {
            fault("line feed in lblText(" + std::to_string(i) + ")");
        }
    }
    if (prompt.find('\n') != std::string::npos) fault("line feed in the prompt");
    if (!w.txtBox.Text.empty())
        fault("command box not empty: \"" + Printable(w.txtBox.Text) + "\"");
    if (w.txtBox.Visible != w.cmdEnter.Visible) fault("command box and Enter button disagree");

    for (int i = 0; i <= 9; ++i) {
        if (shown(i)) fault("title label lblText(" + std::to_string(i) + ") shown");
    }

    if (g.InputShown()) {
        if (!w.lblPressEnter.Visible) fault("prompt hidden during play");
        if (!shown(11)) fault("description label hidden during play");
        for (int i = 13; i <= 19; ++i) {
            if (shown(i)) fault("end label lblText(" + std::to_string(i) + ") shown during play");
        }
        if ((g.CurrentRoom == 0) != (prompt == PromptStory)) {
            fault("story prompt and room 0 disagree");
        }
        if (g.CurrentRoom == 0) {
            if (!shown(10)) fault("story heading hidden on the story screen");
            if (shown(12)) fault("message label shown on the story screen");
            if (text11 != StoryText) fault("story screen without the story");
            for (int s = 1; s <= 9; ++s) {
                if (!g.Inventory(s).empty()) fault("item carried on the story screen");
            }
            for (int i = 1; i <= 10; ++i) {
                if (g.GameFlags(i) != 0) fault("flag set on the story screen");
            }
        } else {
            if (shown(10)) fault("story heading shown during play");
            if (!shown(12)) fault("message label hidden during play");
        }
        if (prompt == SeparatorLine) {
            if (text11 != RoomDescription(g)) {
                fault("description of room " + std::to_string(g.CurrentRoom) + " out of date: \"" +
                      Printable(text11, 60) + "\"");
            }
            if (text11.empty()) fault("empty description with no prompt pending");
            if (g.CurrentRoom == 4 && g.TorchCarried()) fault("dark swamp with a torch");
            if (g.CurrentRoom == 11 && !Carried(g, 9)) fault("on the ledge without the rope");
        } else if (prompt == PromptGuard) {
            if (g.CurrentRoom != 2) fault("guard prompt outside the cell");
            if (!text11.empty()) fault("description shown while the guard stands there");
            if (text12 != GuardText()) fault("guard prompt without the guard's text");
        } else if (prompt == PromptYesNo) {
            if (g.CurrentRoom == 2) {
                if (text11 != "Keep eating?") fault("supper question without \"Keep eating?\"");
            } else if (g.CurrentRoom == 19) {
                if (!text11.empty()) fault("description shown during the gold-mine question");
                if (!Carried(g, 1)) fault("gold-mine question without the bible");
            } else {
                fault("(Y/N) in room " + std::to_string(g.CurrentRoom));
            }
        } else if (prompt == PromptDead) {
            if (!text11.empty()) fault("description shown while a death is pending");
            bool known = false;
            for (const Death& d : ExpectedDeaths()) {
                known = known || (d.room == g.CurrentRoom && d.text == text12);
            }
            if (!known) {
                fault("unknown death in room " + std::to_string(g.CurrentRoom) + ": \"" +
                      Printable(text12) + "\"");
            }
        }
        if (text11.empty() && prompt != PromptDead && prompt != PromptGuard &&
            !(prompt == PromptYesNo && g.CurrentRoom == 19)) {
            fault("empty description with no reason");
        }
        if (shown(16)) fault("end label shown during play");
    } else {
        // Finished: exactly one set of end labels, no prompt, no description.
        if (w.lblPressEnter.Visible) fault("prompt shown after the end");
        if (shown(10)) fault("story heading shown after the end");
        if (shown(11)) fault("description shown after the end");
        bool file = shown(13) && shown(14) && shown(15);
        bool floor = shown(17) && shown(18) && shown(19);
        bool endLabel = shown(16);
        int sets = int(file) + int(floor) + int(endLabel) +
                   int(g.CurrentRoom == 29 && !endLabel && !file && !floor);
        if (sets != 1) fault("finished with " + std::to_string(sets) + " endings on screen");
        for (int i : {13, 14, 15}) {
            if (shown(i) != file) fault("window-escape labels shown in part");
        }
        for (int i : {17, 18, 19}) {
            if (shown(i) != floor) fault("floor-escape labels shown in part");
        }
        if (file) {
            if (g.CurrentRoom != 2) fault("window escape outside the cell");
            if (shown(12)) fault("message label shown over the window escape");
        } else if (floor) {
            if (g.CurrentRoom != 20) fault("floor escape outside room 20");
            if (shown(12)) fault("message label shown over the floor escape");
        } else if (endLabel) {
            if (shown(12)) {
                if (g.CurrentRoom != 28) fault("end label with a message outside room 28");
                if (text12 != LionText()) fault("lion ending without the lion's text");
                if (Carried(g, 2) || Carried(g, 5)) fault("eaten by the lion while armed");
            } else if (prompt != PromptDead) {
                fault("end screen without a death before it");
            }
        } else if (g.CurrentRoom == 29) {
            if (!shown(12)) fault("cave escape without its text");
            if (text12 != CaveText(g.GameFlags(1) == 1)) {
                fault("cave escape text: \"" + Printable(text12) + "\"");
            }
        }
    }
    return f;
}

// --- Invariants of one step -------------------------------------------------------------

enum class Step { NewGame, Enter };

// `turned` is what Enter returned; `line` is what was typed.
inline std::vector<std::string> StepFaults(const Game& before, Step step, std::string_view line,
                                           bool turned, const Game& after) {
    std::vector<std::string> f;
    auto fault = [&f](std::string s) { f.push_back(std::move(s)); };

    if (step == Step::NewGame) {
        static const Game fresh = [] {
            Game g;
            g.mnuNewGame_Click();
            return g;
        }();
        if (!SameGame(after, fresh)) fault("New Game does not give the fresh story screen");
        return f;
    }

    if (turned != before.InputShown()) {
        fault(turned ? "a turn ran with the input hidden" : "no turn ran with the input shown");
    }
    if (!before.InputShown()) {
        if (!SameGame(before, after)) fault("a refused Enter changed the game");
        return f;
    }

    const int from = before.CurrentRoom;
    const int to = after.CurrentRoom;
    const std::string& prompt = before.frmMain.lblPressEnter.Caption;
    if (!RoomExits(from).contains(to)) {
        fault("moved from room " + std::to_string(from) + " to room " + std::to_string(to));
    }

    bool slide = from == 21 && prompt == SeparatorLine && AsciiLower(line) == "go west";
    for (int s = 1; s <= 9; ++s) {
        bool had = Carried(before, s), has = Carried(after, s);
        if (had && !has && !slide) fault("lost the " + Printable(ItemWords()[s - 1]));
        if (!had && has && (from != ItemRoom[s - 1] || to != from)) {
            fault("gained the " + Printable(ItemWords()[s - 1]) + " in room " +
                  std::to_string(from));
        }
        if (slide && has) fault("kept the " + Printable(ItemWords()[s - 1]) + " on the slide");
    }
    if (slide && to != 17) fault("the slide ended in room " + std::to_string(to));

    if (before.Flags() != after.Flags()) {
        bool kill = from == 22 && to == 21 && before.GameFlags(2) == 0 && after.GameFlags(1) == 1 &&
                    after.GameFlags(2) == 1 && (Carried(before, 2) || Carried(before, 5));
        if (!kill) fault("flags changed outside the guard fight of room 22");
    }

    Ending e = EndingOf(before, after);
    switch (e) {
        case Ending::FileEscape:
            if (from != 2 || prompt != PromptYesNo) fault("window escape without the supper");
            break;
        case Ending::FloorEscape:
            if (from != 20) fault("floor escape from room " + std::to_string(from));
            break;
        case Ending::CaveEscape:
        case Ending::CaveExplodes:
            if (from != 29) fault("cave escape from room " + std::to_string(from));
            break;
        case Ending::Lion:
            if (from != 28) fault("lion outside room 28");
            break;
        case Ending::DeathPending:
            if (to != from) fault("moved while dying");
            if (before.InventorySlots() != after.InventorySlots())
                fault("items changed by a death");
            break;
        case Ending::EndScreen:
            if (prompt != PromptDead) fault("end screen with no death pending");
            break;
        case Ending::None:
            break;
    }
    if (prompt == PromptDead && e != Ending::EndScreen) {
        fault("Enter after a death did not show the end screen");
    }
    if (prompt == PromptDead && (from != to || before.InventorySlots() != after.InventorySlots())) {
        fault("the end screen changed the game");
    }
    if (from == 29 && after.InputShown()) fault("still playing after leaving the cave");
    if (from == 28 && after.InputShown() && to != 29) fault("the lion did not act");
    if (from == 28 && to == 29) {
        const std::string spear =
            Lines({"Suddenly, through the darkness, a lion leaps at you!",
                   "With your spear, you stab him just in time.   My, what did those",
                   "rulers of long ago keep in their castles anyway?!"});
        const std::string sword = Lines(
            {"You slice with your sharp sword and defend yourself well. You kill", "the lion."});
        if (after.frmMain.lblText[12].Caption != (Carried(before, 2) ? spear : sword)) {
            fault("the lion fight told wrongly: \"" + Printable(after.frmMain.lblText[12].Caption) +
                  "\"");
        }
    }
    return f;
}

}  // namespace vaultmoor::check
