// The castle's rules: each room an ordered list of rules, the first that takes the
// command decides the turn. Used by the turn in game.cpp.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "game.h"

namespace vaultmoor {

// How a rule ends its turn.
enum class TurnEnd {
    Describe,  // the turn ends with DescribeRoom
    Stop,      // the turn ends at once (a prompt raised, a death, an ending)
};

using Action = std::function<TurnEnd(Game&)>;

struct Rule {
    std::vector<std::string_view> commands;  // no commands: the rule takes any command
    Action act;

    bool Takes(std::string_view command) const;
};

using Room = std::vector<Rule>;

// The rules of a room; nullptr for a number that has none.
const Room* RoomRules(int room);

// The events and answers that the turn runs outside the room lists. The cave, the gold
// mine's answer and the guard's answer always end the turn; the lion ends it unless he is
// killed; the sewage floor and the supper's answer let the turn go on.
void CaveEscape(Game& g);                                  // any Enter in room 29
TurnEnd LionEvent(Game& g);                                // any Enter in room 28
void PushFloorEnding(Game& g);                             // "push floor" in room 20
void AnswerKeepEating(Game& g, std::string_view command);  // "(Y/N)" in the cell
void AnswerGoldMine(Game& g, std::string_view command);    // "(Y/N)" in room 19
void AnswerGuard(Game& g, std::string_view command);       // ">>>>" in the cell

// Literal commands taken by the answers above.
const std::vector<std::string_view>& AnswerCommands();

}  // namespace vaultmoor
