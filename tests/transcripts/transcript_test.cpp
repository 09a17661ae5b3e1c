// Walkthroughs as data: each *.txt file in this directory is played from program start and
// the state after every action is compared with the file's expectation lines.
// The format is described in README.md next to this file.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "screen.h"

#ifndef TRANSCRIPT_DIR
#error "TRANSCRIPT_DIR must name the directory of the walkthrough files"
#endif

namespace {

using vaultmoor::Game;

// --- The file format ------------------------------------------------------------------------

struct Expectation {
    int line = 0;
    std::string key;    // "0".."19", "prompt", "shown", "room", "inventory", "flags", ...
    std::string value;  // label keys: the lines joined with '\r'
};

enum class ActionKind { Start, NewGame, Enter, Set };

struct Step {
    int line = 0;
    ActionKind kind = ActionKind::Start;
    std::string text;    // Enter: the typed line; Set: the value
    std::string setKey;  // Set: "room", "inventory" or "flags"
    std::vector<Expectation> expectations;
};

struct Script {
    std::vector<Step> steps;
    std::vector<std::string> errors;  // format errors, "file:line: ..."
};

bool IsLabelKey(std::string_view key) {
    int n = -1;
    auto [p, ec] = std::from_chars(key.data(), key.data() + key.size(), n);
    return ec == std::errc() && p == key.data() + key.size() && n >= 0 && n <= 19 &&
           std::to_string(n) == key;
}

bool IsKnownKey(std::string_view key) {
    static const std::set<std::string_view> others = {"prompt", "shown", "room",    "inventory",
                                                      "flags",  "box",   "accepted"};
    return IsLabelKey(key) || others.count(key) > 0;
}

std::optional<int> ParseInt(std::string_view s) {
    int n = 0;
    if (s.empty()) return std::nullopt;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return n;
}

std::vector<std::string> Words(std::string_view s) {
    std::vector<std::string> out;
    std::istringstream in{std::string(s)};
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

// Splits "key: value" ("key:" alone gives an empty value). False if the line has no key.
bool SplitKey(std::string_view line, std::string& key, std::string& value) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    key = std::string(line.substr(0, colon));
    std::string_view rest = line.substr(colon + 1);
    if (rest.empty()) {
        value.clear();
        return true;
    }
    if (rest.front() != ' ') return false;
    value = std::string(rest.substr(1));
    return true;
}

Script Parse(const std::string& name, std::string_view text) {
    Script script;
    script.steps.push_back(Step{});  // expectations before the first action: the title screen
    auto fail = [&](int line, const std::string& what) {
        script.errors.push_back(name + ":" + std::to_string(line) + ": " + what);
    };

    int lineNo = 0;
    bool lastWasLabel = false;  // the previous line was a label expectation (lines join)
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        const bool joinable = lastWasLabel;
        lastWasLabel = false;

        if (line.find('\r') != std::string_view::npos) {
            fail(lineNo, "carriage return in the file (use LF line ends)");
            continue;
        }
        if (line.find_first_not_of(' ') == std::string_view::npos || line.front() == '#') {
            continue;
        }
        if (line == "new") {
            script.steps.push_back(Step{lineNo, ActionKind::NewGame, "", "", {}});
            continue;
        }
        if (line == ">" || line.substr(0, 2) == "> ") {
            const std::string typed = line.size() > 2 ? std::string(line.substr(2)) : "";
            script.steps.push_back(Step{lineNo, ActionKind::Enter, typed, "", {}});
            continue;
        }
        if (line.substr(0, 4) == "set ") {
            std::string key, value;
            if (!SplitKey(line.substr(4), key, value) ||
                (key != "room" && key != "inventory" && key != "flags")) {
                fail(lineNo, "bad set action: " + std::string(line));
                continue;
            }
            script.steps.push_back(Step{lineNo, ActionKind::Set, value, key, {}});
            continue;
        }

        std::string key, value;
        if (!SplitKey(line, key, value)) {
            fail(lineNo, "not an action or an expectation: " + std::string(line));
            continue;
        }
        if (!IsKnownKey(key)) {
            fail(lineNo, "unknown key '" + key + "'");
            continue;
        }
        auto& expectations = script.steps.back().expectations;
        if (IsLabelKey(key) && joinable && expectations.back().key == key) {
            expectations.back().value += vaultmoor::CR;
            expectations.back().value += value;
            lastWasLabel = true;
            continue;
        }
        const bool repeated = std::any_of(expectations.begin(), expectations.end(),
                                          [&](const Expectation& e) { return e.key == key; });
        if (repeated) {
            fail(lineNo, "key '" + key + "' given twice for one action");
            continue;
        }
        if (key == "accepted" && (value != "yes" && value != "no")) {
            fail(lineNo, "accepted: takes yes or no");
            continue;
        }
        if (key == "accepted" && script.steps.back().kind != ActionKind::Enter) {
            fail(lineNo, "accepted: follows only a '>' action");
            continue;
        }
        expectations.push_back(Expectation{lineNo, key, value});
        lastWasLabel = IsLabelKey(key);
    }
    return script;
}

// --- Reading the game -----------------------------------------------------------------------

// Control characters made visible, so that "\r" and trailing blanks show in a report.
std::string Visible(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ShownNow(const Game& g) {
    std::string out;
    auto add = [&](const std::string& w) { out += (out.empty() ? "" : " ") + w; };
    for (int i = 0; i < 20; ++i) {
        if (g.frmMain.lblText[i].Visible) add(std::to_string(i));
    }
    if (g.frmMain.lblPressEnter.Visible) add("prompt");
    if (g.frmMain.txtBox.Visible) add("box");
    if (g.frmMain.cmdEnter.Visible) add("button");
    return out;
}

// The written `shown:` set in the order ShownNow uses; nullopt when a word is unknown.
std::optional<std::string> CanonicalShown(std::string_view written) {
    std::set<int> labels;
    std::set<std::string> controls;
    for (const auto& w : Words(written)) {
        if (IsLabelKey(w)) {
            labels.insert(*ParseInt(w));
        } else if (w == "prompt" || w == "box" || w == "button") {
            controls.insert(w);
        } else {
            return std::nullopt;
        }
    }
    std::string out;
    auto add = [&](const std::string& w) { out += (out.empty() ? "" : " ") + w; };
    for (const int i : labels) add(std::to_string(i));
    for (const char* w : {"prompt", "box", "button"}) {
        if (controls.count(w)) add(w);
    }
    return out;
}

std::string InventoryNow(const Game& g) {
    std::string out;
    for (int k = 1; k <= 9; ++k) {
        if (!g.Inventory(k).empty()) {
            out += (out.empty() ? "" : " ") + std::to_string(k) + "=" + g.Inventory(k);
        }
    }
    return out;
}

// "k=word ..." as nine slots; nullopt when malformed.
std::optional<std::array<std::string, 9>> ParseSlots(std::string_view written) {
    std::array<std::string, 9> slots;
    for (const auto& w : Words(written)) {
        const auto eq = w.find('=');
        if (eq == std::string::npos || eq + 1 == w.size()) return std::nullopt;
        const auto k = ParseInt(std::string_view(w).substr(0, eq));
        if (!k || *k < 1 || *k > 9 || !slots[*k - 1].empty()) return std::nullopt;
        slots[*k - 1] = w.substr(eq + 1);
    }
    return slots;
}

std::optional<std::string> CanonicalInventory(std::string_view written) {
    const auto slots = ParseSlots(written);
    if (!slots) return std::nullopt;
    std::string out;
    for (int k = 1; k <= 9; ++k) {
        const auto& s = (*slots)[k - 1];
        if (!s.empty()) out += (out.empty() ? "" : " ") + std::to_string(k) + "=" + s;
    }
    return out;
}

std::string FlagsNow(const Game& g) {
    std::string out = std::to_string(g.GameFlags(1)) + " " + std::to_string(g.GameFlags(2));
    for (int k = 3; k <= 10; ++k) {
        if (g.GameFlags(k) != 0)
            out += " " + std::to_string(k) + "=" + std::to_string(g.GameFlags(k));
    }
    return out;
}

std::optional<std::array<int, 2>> ParseFlags(std::string_view written) {
    const auto w = Words(written);
    if (w.size() != 2) return std::nullopt;
    const auto a = ParseInt(w[0]);
    const auto b = ParseInt(w[1]);
    if (!a || !b) return std::nullopt;
    return std::array<int, 2>{*a, *b};
}

std::string PromptText(const std::string& caption) {
    return caption == vaultmoor::SeparatorLine ? "separator" : caption;
}

// --- Playing a script -----------------------------------------------------------------------

// Everything a turn can change, as one comparable value.
using Snapshot = std::vector<std::string>;

Snapshot Take(const Game& g) {
    Snapshot s;
    for (const auto& l : g.frmMain.lblText) s.push_back(l.Caption + (l.Visible ? "+" : "-"));
    const auto& p = g.frmMain.lblPressEnter;
    s.push_back(p.Caption + (p.Visible ? "+" : "-"));
    s.push_back(g.frmMain.txtBox.Text + (g.frmMain.txtBox.Visible ? "+" : "-"));
    s.push_back(g.frmMain.cmdEnter.Visible ? "+" : "-");
    s.push_back(std::to_string(g.CurrentRoom));
    s.push_back(InventoryNow(g));
    s.push_back(FlagsNow(g));
    return s;
}

// Every mismatch and format error of one walkthrough, as "file:line: ..." lines.
std::vector<std::string> Play(const std::string& name, std::string_view text) {
    Script script = Parse(name, text);
    if (!script.errors.empty()) return script.errors;

    std::vector<std::string> errors;
    auto at = [&](int line) { return name + ":" + std::to_string(line) + ": "; };
    auto mismatch = [&](const Expectation& e, const std::string& want, const std::string& got) {
        errors.push_back(at(e.line) + e.key + ": expected " + Visible(want) + " got " +
                         Visible(got));
    };

    Game g;
    bool accepted = true;
    bool unchanged = true;  // a refused Enter left everything as it was
    for (const Step& step : script.steps) {
        switch (step.kind) {
            case ActionKind::Start:
                break;
            case ActionKind::NewGame:
                g.mnuNewGame_Click();
                break;
            case ActionKind::Enter: {
                const Snapshot before = Take(g);
                accepted = g.Enter(step.text);
                unchanged = Take(g) == before;
                break;
            }
            case ActionKind::Set:
                if (step.setKey == "room") {
                    const auto n = ParseInt(step.text);
                    if (!n) return {at(step.line) + "set room: takes a number"};
                    g.CurrentRoom = static_cast<std::int16_t>(*n);
                } else if (step.setKey == "inventory") {
                    const auto slots = ParseSlots(step.text);
                    if (!slots) return {at(step.line) + "set inventory: takes k=word ..."};
                    for (int k = 1; k <= 9; ++k) g.Inventory(k) = (*slots)[k - 1];
                } else {
                    const auto f = ParseFlags(step.text);
                    if (!f) return {at(step.line) + "set flags: takes two numbers"};
                    for (int k = 1; k <= 10; ++k) g.GameFlags(k) = 0;
                    g.GameFlags(1) = static_cast<std::int16_t>((*f)[0]);
                    g.GameFlags(2) = static_cast<std::int16_t>((*f)[1]);
                }
                break;
        }

        for (const Expectation& e : step.expectations) {
            if (IsLabelKey(e.key)) {
                const auto& got = g.frmMain.lblText[*ParseInt(e.key)].Caption;
                if (got != e.value) mismatch(e, e.value, got);
            } else if (e.key == "prompt") {
                const auto got = PromptText(g.frmMain.lblPressEnter.Caption);
                if (got != e.value) mismatch(e, e.value, got);
            } else if (e.key == "shown") {
                const auto want = CanonicalShown(e.value);
                if (!want) return {at(e.line) + "shown: takes 0..19, prompt, box, button"};
                const auto got = ShownNow(g);
                if (got != *want) mismatch(e, *want, got);
            } else if (e.key == "room") {
                const auto want = ParseInt(e.value);
                if (!want) return {at(e.line) + "room: takes a number"};
                if (g.CurrentRoom != *want) {
                    mismatch(e, e.value, std::to_string(g.CurrentRoom));
                }
            } else if (e.key == "inventory") {
                const auto want = CanonicalInventory(e.value);
                if (!want) return {at(e.line) + "inventory: takes k=word with k 1..9, each once"};
                const auto got = InventoryNow(g);
                if (got != *want) mismatch(e, *want, got);
            } else if (e.key == "flags") {
                const auto want = ParseFlags(e.value);
                if (!want) return {at(e.line) + "flags: takes two numbers"};
                const auto canonical =
                    std::to_string((*want)[0]) + " " + std::to_string((*want)[1]);
                const auto got = FlagsNow(g);
                if (got != canonical) mismatch(e, canonical, got);
            } else if (e.key == "box") {
                if (g.frmMain.txtBox.Text != e.value) mismatch(e, e.value, g.frmMain.txtBox.Text);
            } else if (e.key == "accepted") {
                const std::string got = accepted ? "yes" : "no";
                if (got != e.value) {
                    mismatch(e, e.value, got);
                } else if (!accepted && !unchanged) {
                    errors.push_back(at(e.line) +
                                     "accepted: expected no change, got a changed game");
                }
            }
        }
    }
    return errors;
}

// --- The walkthrough files ------------------------------------------------------------------

std::vector<std::filesystem::path> TranscriptFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(TRANSCRIPT_DIR)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt" &&
            entry.path().filename() != "CMakeLists.txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class Transcript : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(Transcript, Plays) {
    const auto& path = GetParam();
    const std::string text = ReadFile(path);
    ASSERT_FALSE(text.empty()) << path << " is empty or unreadable";
    Script script = Parse(path.filename().string(), text);
    ASSERT_GT(script.steps.size(), 1u) << path << " has no action";
    for (const auto& e : Play(path.filename().string(), text)) ADD_FAILURE() << e;
}

std::string TestName(const testing::TestParamInfo<std::filesystem::path>& info) {
    std::string name = info.param.stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, Transcript, testing::ValuesIn(TranscriptFiles()), TestName);

// --- The runner itself ----------------------------------------------------------------------

TEST(TranscriptRunner, ReportsAWrongCaptionWithItsLineAndVisibleBreaks) {
    const auto errors = Play("t", "new\n# the story screen\n11: a\n11: b \n");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("t:3: 11: expected \"a\\rb \" got \"", 0), 0u) << errors[0];
}

TEST(TranscriptRunner, ChecksTheTitleScreenBeforeTheFirstAction) {
    const auto errors = Play("t", "shown: 12\n");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("t:1: shown: expected \"12\""), std::string::npos) << errors[0];
}

TEST(TranscriptRunner, RejectsUnknownKeysAndMalformedLines) {
    EXPECT_EQ(Parse("t", "new\ncolour: red\n").errors.size(), 1u);
    EXPECT_EQ(Parse("t", "new\n12:x\n").errors.size(), 1u);
    EXPECT_EQ(Parse("t", ">x\n").errors.size(), 1u);
    EXPECT_EQ(Parse("t", "new\nroom: 0\nroom: 0\n").errors.size(), 1u);
    EXPECT_EQ(Parse("t", "new\naccepted: no\n").errors.size(), 1u);
    EXPECT_EQ(Parse("t", "new\r\n").errors.size(), 1u);
    EXPECT_EQ(Parse("t", "set colour: red\n").errors.size(), 1u);
}

TEST(TranscriptRunner, ParsesTypedLinesVerbatim) {
    const Script s = Parse("t", "new\n>\n> \n>  go north \n");
    ASSERT_TRUE(s.errors.empty());
    ASSERT_EQ(s.steps.size(), 5u);
    EXPECT_EQ(s.steps[2].text, "");
    EXPECT_EQ(s.steps[3].text, "");
    EXPECT_EQ(s.steps[4].text, " go north ");
    // the blank line ends the first group, so "12" is given twice
    EXPECT_EQ(Parse("t", "new\n12:\n12: x\n\n12: y\n").errors.size(), 1u);
    const Script joined = Parse("t", "new\n12:\n12: x\n");
    ASSERT_EQ(joined.steps[1].expectations.size(), 1u);
    EXPECT_EQ(joined.steps[1].expectations[0].value, "\rx");
}

TEST(TranscriptRunner, CanonicalSets) {
    EXPECT_EQ(CanonicalShown("button 12 prompt 11 box"), "11 12 prompt box button");
    EXPECT_FALSE(CanonicalShown("12 lion"));
    EXPECT_EQ(CanonicalInventory("3=torch 1=bible"), "1=bible 3=torch");
    EXPECT_FALSE(CanonicalInventory("1=bible 1=spear"));
    EXPECT_FALSE(CanonicalInventory("10=rope"));
}

}  // namespace
