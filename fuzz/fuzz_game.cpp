// libFuzzer target: plays arbitrary input against the game and checks every step.
// The bytes are read as a script (tests/explore/script.h): New Game, known commands and
// anything typed, invalid UTF-8, control characters and very long lines included.
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
#include "script.h"

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
    Game g;
    Play(g, Step::NewGame, "");
    for (const Action& a : DecodeScript({reinterpret_cast<const char*>(data), size})) {
        Play(g, a.step, a.line);
    }
    return 0;
}
