// libFuzzer target: the input is a command log (one action a line; "new" is New Game,
// "> text" or any other line is typed), played from New Game with the explorer's invariants
// checked after every action. The command logs of tests/logs are its seeds.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vaultmoor;
    const std::string input(reinterpret_cast<const char*>(data), size);
    check::Checker check;
    Game g;
    g.mnuNewGame_Click();
    for (std::size_t pos = 0; pos < input.size() && check.faults.empty();) {
        std::size_t end = std::min(input.find('\n', pos), input.size());
        std::string line = input.substr(pos, end - pos);
        pos = end + 1;
        const Game before = g;
        if (line == "new") {
            g.mnuNewGame_Click();
            check.Step(before, true, line, false, g);
            continue;
        }
        if (line.starts_with("> ")) line.erase(0, 2);
        check.Step(before, false, line, g.Enter(line), g);
    }
    for (const std::string& f : check.faults) std::fprintf(stderr, "fault: %s\n", f.c_str());
    if (!check.faults.empty()) std::abort();
    return 0;
}
