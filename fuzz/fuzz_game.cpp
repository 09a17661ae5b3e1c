// libFuzzer target: plays arbitrary input against the game and checks every step.
//
// The input is split into lines at '\n'; each line is one action:
//   0x01 ...            New Game
//   0x02 i [m]          known command number i (modulo their count); m bit 0 upper case,
//                       bit 1 a trailing blank, bit 2 a leading blank
//   0x03 lo hi pattern  a line of lo + 256 * hi bytes, the pattern repeated ("a" if none)
//   0x04 ...            the rest typed with every 0x04 turned into a line feed
//   anything else       typed as it is (the empty line included)
// A game starts with New Game, so plain text walkthroughs are valid inputs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "explorer.h"
#include "game.h"
#include "invariants.h"

namespace {

using namespace vaultmoor;
using namespace vaultmoor::check;

const std::vector<std::string>& Known() {
    static const std::vector<std::string> known = KnownCommands();
    return known;
}

const std::set<std::string>& KnownSet() {
    static const std::set<std::string> known(Known().begin(), Known().end());
    return known;
}

[[noreturn]] void Fail(const std::vector<std::string>& faults, const Game& before,
                       std::string_view what) {
    std::fprintf(stderr, "fault after %s at %s:\n", Printable(what, 200).c_str(),
                 Describe(KeyOf(before)).c_str());
    for (const std::string& f : faults) std::fprintf(stderr, "  %s\n", f.c_str());
    std::abort();
}

void Expect(bool ok, std::string fault, const Game& before, std::string_view what) {
    if (!ok) Fail({std::move(fault)}, before, what);
}

// One action with every check: the step itself, the state after it, and answers that
// must agree (the same turn twice, upper case, "booga", any unknown command).
void Play(Game& g, Step step, const std::string& line) {
    const Game before = g;
    bool turned = false;
    if (step == Step::NewGame) {
        g.mnuNewGame_Click();
    } else {
        turned = g.Enter(line);
    }
    const std::string what = step == Step::NewGame ? std::string("New Game") : "\"" + line + "\"";
    std::vector<std::string> faults = StepFaults(before, step, line, turned, g);
    for (std::string& f : StateFaults(g)) faults.push_back(std::move(f));
    if (!faults.empty()) Fail(faults, before, what);
    if (step == Step::NewGame) return;

    auto again = [&before](std::string_view typed) {
        Game other = before;
        other.Enter(typed);
        return other;
    };
    Expect(SameGame(again(line), g), "the same turn twice gave two results", before, what);
    Expect(SameGame(again(Upper(line)), g), "upper case answered differently", before, what);
    const std::string lower = AsciiLower(line);
    if (line.empty()) {
        Expect(SameGame(again("booga"), g), "the empty line is not \"booga\"", before, what);
    } else if (!KnownSet().contains(lower)) {
        Expect(SameGame(again(UnknownCommand), g), "an unknown command was not answered as one",
               before, what);
    }
}

void WriteDictionary(const char* path) {
    std::ofstream out(path);
    for (const std::string& c : Known()) out << '"' << c << "\"\n";
    out << "\"\\x0a\"\n\"\\x01\\x0a\"\n\"\\x0d\"\n";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // fuzz/run.sh asks for the command dictionary this way.
    if (const char* path = std::getenv("VAULTMOOR_FUZZ_DICT")) {
        WriteDictionary(path);
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Game g;
    Play(g, Step::NewGame, "");
    std::size_t pos = 0;
    while (pos <= input.size()) {
        std::size_t end = input.find('\n', pos);
        if (end == std::string_view::npos) end = input.size();
        std::string_view line = input.substr(pos, end - pos);
        pos = end + 1;
        if (end == input.size() && line.empty()) break;  // no action after a final '\n'

        const unsigned char op = line.empty() ? 0 : static_cast<unsigned char>(line[0]);
        if (op == 0x01) {
            Play(g, Step::NewGame, "");
        } else if (op == 0x02 && line.size() >= 2) {
            std::string c = Known()[static_cast<unsigned char>(line[1]) % Known().size()];
            unsigned mode = line.size() >= 3 ? static_cast<unsigned char>(line[2]) : 0;
            if (mode & 1) c = Upper(c);
            if (mode & 2) c += ' ';
            if (mode & 4) c = ' ' + c;
            Play(g, Step::Enter, c);
        } else if (op == 0x03 && line.size() >= 3) {
            std::size_t n = static_cast<unsigned char>(line[1]) +
                            256 * static_cast<std::size_t>(static_cast<unsigned char>(line[2]));
            std::string_view pattern = line.size() > 3 ? line.substr(3) : "a";
            std::string typed;
            typed.reserve(n);
            while (typed.size() < n) typed += pattern.substr(0, n - typed.size());
            Play(g, Step::Enter, typed);
        } else if (op == 0x04) {
            std::string typed(line.substr(1));
            for (char& c : typed) {
                if (c == 0x04) c = '\n';
            }
            Play(g, Step::Enter, typed);
        } else {
            Play(g, Step::Enter, std::string(line));
        }
    }
    return 0;
}
