// DescribeRoom: the room description in lblText(11).
#include <string>
#include <vector>

#include "game.h"

namespace vaultmoor {

namespace {

using Lines = std::vector<std::string>;

std::string Join(const Lines& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += CR;
        out += lines[i];
    }
    return out;
}

// The "THINGS OF INTEREST" line of a room with two items, chosen by which of them are
// carried, in the order (no, no), (no, yes), (yes, no), (yes, yes); nullptr adds no line.
void AddThings(Lines& lines, bool first, bool second, const char* noNo, const char* noYes,
               const char* yesNo, const char* yesYes) {
    const char* line = first ? (second ? yesYes : yesNo) : (second ? noYes : noNo);
    if (line != nullptr) lines.push_back(line);
}

Lines Describe(const Game& g) {
    const auto has = [&g](int slot, const char* word) { return g.Inventory(slot) == word; };
    switch (g.CurrentRoom) {
        case 2: {
            std::string things = "THINGS OF INTEREST: Plate of food, markings on wall";
            if (!has(1, "bible")) things += ", Bible";
            return {"You are standing in a cell in the castle.",
                    "There are barred windows on the east side, stone walls on the south",
                    "and north side, and an iron locked door, with a guard outside,",
                    "on the west side.   The ceiling is also stone.", things};
        }
        case 3: {
            Lines lines{"You are standing in a dark hallway stretching north and south."};
            AddThings(lines, has(2, "spear"), has(3, "torch"), "THINGS OF INTEREST: SPEAR, TORCH",
                      "THINGS OF INTEREST: SPEAR", "THINGS OF INTEREST: TORCH", nullptr);
            return lines;
        }
        case 4:
            return {"There is the murky stink of a swamp. You feel a general feeling of",
                    "movement in the dark, but you don't know what it is.",
                    "THINGS OF INTEREST: ?"};
        case 5:
            return {"The room is crawling with snakes.   There is a swampy creek going ",
                    "along one wall.   There is a passage in every direction.",
                    "THINGS OF INTEREST: SNAKES"};
        case 6: {
            Lines lines{"You are in a huge room, full of soldiers scurrying here and there.   ",
                        "A few look up, most ignore you.   You are glad you have on peasent",
                        "garb, instead of your uniform.  South is a big door. North is back",
                        "up the hallway. West is a big stone wall with top not reaching the",
                        "ceiling. East is a dining area."};
            if (!has(4, "hammer")) lines.push_back("THINGS OF INTEREST: HAMMER");
            return lines;
        }
        case 7: {
            Lines lines{"You are standing in a room full of armor and tapestries.",
                        "You can only go SOUTH."};
            AddThings(lines, has(5, "sword"), has(6, "key"),
                      "THINGS OF INTEREST: ANCIENT SWORD, SKELETON KEY",
                      "THINGS OF INTEREST: ANCIENT SWORD", "THINGS OF INTEREST: SKELETON KEY",
                      nullptr);
            return lines;
        }
        case 11:
            return {"You pull yourself quickly up the wall, and pull the rope up after",
                    "you. You are on a ledge, about 30 feet above the ground.   The",
                    "ledge stretches back about 10 feet, and has a space between it",
                    "and the ceiling of about 4 feet. Down below, people are running",
                    "around yelling at you, and trying to find another rope to catch you.",
                    "West is the wall.  East is back down.   North is a wall.   South is a",
                    "Little 2' by 2' hole in the wall.",
                    "THINGS OF INTEREST: NONE"};
        case 12:
            return {"You walk over to the cook at the counter serving soup.",
                    "You step in line and get some soup. You go over and sit at a ",
                    "table, quietly eating your soup.  A few soldiers look at you,",
                    "but mainly they leave you alone.   West is the room by the huge door.",
                    "East is a counter where they are serving soup.   North is a narrow",
                    "hallway leading into the shadows.   South are more tables.",
                    "THINGS OF INTEREST: NONE (EXCEPT FOR THE SOUP YOU'RE EATING)"};
        case 17: {
            Lines lines{"You are standing in a darkened room.  By a sputtering torch,",
                        "you can see a passageway stretching west. There appear to be little ",
                        "side-rooms also."};
            // On a first visit nothing is carried yet: list everything the room holds.
            AddThings(lines, has(8, "axe"), has(7, "torch"),
                      "THINGS OF INTEREST: AXE, TORCH, SNAKES ", "THINGS OF INTEREST: AXE, SNAKES ",
                      "THINGS OF INTEREST: TORCH, SNAKES ", "THINGS OF INTEREST: SNAKES ");
            return lines;
        }
        case 19:
            return {"You are at an intersection.   It very dark, except for a bonfire in",
                    "the middle of the room.  West is a dark passageway, east is a",
                    " dark passageway, north ' ' ' ', south ' ' ' '. (MAN!)",
                    "THINGS OF INTEREST: BONFIRE"};
        case 20:
            return {"You walk west from the swamp.   You trudge through sewage.",
                    "Suddenly, you come up to a dead end.",
                    g.TorchCarried()
                        ? "There are some words carved on the stone wall. They say, 'Push floor'"
                        : "There are some words carved on the wall, but it is too dark to see."};
        case 21: {
            Lines lines{"You walk up the hallway a while, following its winding ways. ",
                        "Finally, you come to a fork in the passage.  The one to the north",
                        "is narrower, the one to the west slimier. South is back to the dining "
                        "room."};
            if (!has(9, "rope")) lines.push_back("THINGS OF INTEREST: ROPE");
            return lines;
        }
        case 22: {
            Lines lines{"You are standing in a large room, full of guns and cannons. There",
                        "is a guard in the middle of the room."};
            if (g.GameFlags(1) == 1) lines.push_back("THINGS OF INTEREST: NONE");
            if (g.GameFlags(2) == 1) lines.push_back("THINGS OF INTEREST: DEAD GUARD");
            return lines;
        }
        case 23:
            return {"You are standing in long hallway.   East, the hallway fades into",
                    "darkness. West, is a dimly lit huge room.", "THINGS OF INTEREST: NONE"};
        case 24:
            return {"You walk for hours, until you come to a dead end wall.",
                    "You can only go east.", "THINGS OF INTEREST: NONE"};
        case 25:
            return {"You are standing in a huge, swampy room.   There are huge walls on",
                    "all sides of the room.   The ceiling is lost in the shadows.   There",
                    "is a viking boat in the middle of the lake in the room.   The far",
                    "side of the room is lost in shadows.   The room appears to be lit by",
                    "a thin sunbeam, hitting a golden shield, and bouncing to hundreds of",
                    "other shields. You may go east (to go back) or west to walk towards the "
                    "boat.",
                    "THINGS OF INTEREST: VIKING BOAT"};
        case 26:
            return {"You are standing in a darkened narrow passageway, about 6 feet high, ",
                    "and 2 feet wide.   South the passage continues, North is back to the "
                    "ledge.",
                    "THINGS OF INTEREST: NONE"};
        case 27:
            return {
                "There is a door that is locked.  There is also a passageway off to the "
                "west.",
                "THINGS OF INTEREST: NONE"};
        case 28:
            return {"There is a long dark passage.", "Press enter to continue..."};
        case 29:
            return {"You walk along the passage, going further and further. Suddenly,",
                    "You step out into the warm sunlight, outside a cave.",
                    "Press enter to continue..."};
        default:
            return {};  // no such room: an empty description
    }
}

}  // namespace

std::string RoomDescription(const Game& g) {
    return Join(Describe(g));
}

void Game::DescribeRoom() {
    // A torch lights the swamp.
    if (TorchCarried() && CurrentRoom == 4) CurrentRoom = 5;
    // The ledge can't be climbed without the rope.
    if (Inventory(9) != "rope" && CurrentRoom == 11) {
        lblText(12).Caption = "Sorry, you don't have anything to climb with.";
        CurrentRoom = 6;
    }
    lblText(11).Caption = RoomDescription(*this);
}

}  // namespace vaultmoor
