// A game written as bytes: the fuzzer's input and the walkthrough seeds share this form.
//
// The input is split into lines at '\n'; each line is one action:
//   0x01 ...            New Game
//   0x02 i [m]          known command number i (modulo their count); m bit 0 upper case,
//                       bit 1 a trailing blank, bit 2 a leading blank
//   0x03 lo hi pattern  a line of lo + 256 * hi bytes, the pattern repeated ("a" if none)
//   0x04 ...            the rest typed with every 0x04 turned into a line feed
//   anything else       typed as it is (the empty line included)
// A game starts with New Game, so a plain text walkthrough is a valid script.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "explorer.h"
#include "game.h"

namespace vaultmoor::check {

inline std::vector<Action> DecodeScript(std::string_view input) {
    static const std::vector<std::string> known = KnownCommands();
    std::vector<Action> actions;
    std::size_t pos = 0;
    while (pos <= input.size()) {
        std::size_t end = input.find('\n', pos);
        if (end == std::string_view::npos) end = input.size();
        std::string_view line = input.substr(pos, end - pos);
        pos = end + 1;
        if (end == input.size() && line.empty()) break;  // nothing after a final '\n'

        const unsigned char op = line.empty() ? 0 : static_cast<unsigned char>(line[0]);
        std::string typed;
        if (op == 0x01) {
            actions.push_back({Step::NewGame, "", "<New Game>"});
            continue;
        } else if (op == 0x02 && line.size() >= 2) {
            typed = known[static_cast<unsigned char>(line[1]) % known.size()];
            unsigned mode = line.size() >= 3 ? static_cast<unsigned char>(line[2]) : 0;
            if (mode & 1) typed = Upper(typed);
            if (mode & 2) typed += ' ';
            if (mode & 4) typed = ' ' + typed;
        } else if (op == 0x03 && line.size() >= 3) {
            std::size_t n = static_cast<unsigned char>(line[1]) +
                            256 * static_cast<std::size_t>(static_cast<unsigned char>(line[2]));
            std::string_view pattern = line.size() > 3 ? line.substr(3) : "a";
            typed.reserve(n);
            while (typed.size() < n) typed += pattern.substr(0, n - typed.size());
        } else if (op == 0x04) {
            typed = line.substr(1);
            for (char& c : typed) {
                if (c == 0x04) c = '\n';
            }
        } else {
            typed = line;
        }
        actions.push_back({Step::Enter, typed, typed});
    }
    return actions;
}

}  // namespace vaultmoor::check
