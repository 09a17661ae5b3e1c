// libFuzzer target: the input is a command log ("new" is New Game, "> text" or any other line
// is typed), played from New Game with the explorer's invariants checked after every action.
// The command logs of tests/logs are its seeds.
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    vaultmoor::check::Checker check;
    vaultmoor::Game g;
    g.mnuNewGame_Click();
    for (std::string line; check.faults.empty() && std::getline(input, line);) {
        const vaultmoor::Game before = g;
        const bool newGame = line == "new";
        if (newGame) g.mnuNewGame_Click();
        if (line.starts_with("> ")) line.erase(0, 2);
        check.Step(before, newGame, line, !newGame && g.Enter(line), g);
    }
    for (const std::string& f : check.faults) std::fprintf(stderr, "fault: %s\n", f.c_str());
    if (!check.faults.empty()) std::abort();
    return 0;
}
