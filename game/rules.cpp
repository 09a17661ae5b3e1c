// The rules of every room of the castle, and the events behind the locked door.
#include "rules.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>

namespace vaultmoor {

namespace {

using Lines = std::vector<std::string_view>;

// Writes a message: the first line replaces the running text, the rest follow it.
void Write(Game& g, const Lines& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0)
            g.ShowText(lines[i]);
        else
            g.AppendLine(lines[i]);
    }
}

// Ends the turn on a prompt, with the room description gone.
TurnEnd Raise(Game& g, std::string_view prompt) {
    g.lblPressEnter().Caption = prompt;
    g.lblText(11).Caption = "";
    return TurnEnd::Stop;
}

// The death ending: the next Enter shows the end screen.
TurnEnd Die(Game& g) {
    return Raise(g, PromptDead);
}

// --- Rule shapes most rooms are made of ----------------------------------------

// A message, then the room again.
Action Say(Lines lines) {
    return [lines](Game& g) {
        Write(g, lines);
        return TurnEnd::Describe;
    };
}

// A message (perhaps none), then the player is in another room.
Action Go(int room, Lines lines = {}) {
    return [room, lines](Game& g) {
        Write(g, lines);
        g.CurrentRoom = static_cast<std::int16_t>(room);
        return TurnEnd::Describe;
    };
}

// A death.
Action Death(Lines lines) {
    return [lines](Game& g) {
        Write(g, lines);
        return Die(g);
    };
}

// Taking an item into its own slot; a second try only gets a reply.
Action Take(int slot, std::string_view item, std::string_view got, std::string_view already) {
    return [=](Game& g) {
        if (g.Inventory(slot) != item) {
            g.Inventory(slot) = item;
            g.ShowText(got);
        } else {
            g.ShowText(already);
        }
        return TurnEnd::Describe;
    };
}

// --- Texts used in more than one place ------------------------------------------

const Lines kPoisonedDarts = {
    "As you walk forward into the room, you step on a loose tile, and some",
    "poisoned darts fly out from the wall, hitting you...(You should have",
    "stayed in bed this morning)"};

constexpr std::string_view kSnakeBite = "A snake bites you as you reach out for the wall.";
constexpr std::string_view kSnakesMove = "Some snakes start moving towards you...";
constexpr std::string_view kCobras = "Mostly King Cobras and a few coral snakes...";

// --- The story screen (room 0) ----------------------------------------------------

const Room kStory = {{{}, [](Game& g) {  // whatever was typed
                          g.lblText(10).Visible = false;
                          g.lblText(12).Visible = true;
                          g.lblPressEnter().Caption = SeparatorLine;
                          g.CurrentRoom = 2;
                          g.DescribeRoom();
                          return TurnEnd::Describe;
                      }}};

// --- The cell (room 2) ----------------------------------------------------------------

const Room kCell = {
    {{"hit door", "kick door", "yell", "push door"},
     [](Game& g) {
         g.ShowText("A guard comes in, to see what all the racket is about.");
         return Raise(g, PromptGuard);
     }},
    {{""},  // only after the supper question, which empties the command
     [](Game& g) {
         g.lblText(11).Caption = "";
         g.lblText(12).Caption = "";
         return TurnEnd::Describe;
     }},
    {{"eat food", "get food", "get grub", "get guck", "get bread", "get slime", "get stale bread"},
     [](Game& g) {
         Write(g, {"You try to pick up the broth type of guck thing that is your supper,",
                   "But it slides through your fingers.  Cupping your hands, and picking",
                   "up the stale bread, you begin to eat. (It could be poisoned-",
                   "the cook that brought it in earlier had a strange look on his face)",
                   "A piece of a rat or something gross, falls down your gullet."});
         g.lblText(11).Caption = "Keep eating?";
         g.lblPressEnter().Caption = PromptYesNo;
         return TurnEnd::Stop;
     }},
    {{"push floor", "push ground", "hit floor", "hit ground", "kick floor", "kick ground",
      "kick stones", "twist stones", "kick stone"},
     Go(4, {"A brick pops open, revealing a hole.  You go down into it."})},
    {{"get bible"},
     Take(1, "bible", "You pick it up, and put it in your pocket. (It's pretty small)",
          "You've already got it!")},
    {{"look floor", "look ground", "look down"},
     Say({"Lot's of uneven stones are the ground of your cell."})},
    {{"look door"}, Say({"An old wooden door, but sturdy."})},
    {{"look windows", "look window"},
     Say({"Heavy iron bars across 1' by 1' area. Too small to get out."})},
    {{"unlock door"}, Say({"You don't have a key..."})},
    {{"look food", "look grub"}, Say({"Yuck. Some kind of slime and some stale bread."})},
    {{"look ceiling", "look roof", "look up"}, Say({"Hey, its stone all right? Lay off."})},
    {{"look markings", "look marks", "look writing"},
     Say({"It says, 'IIIIIIIIIIIIIIIIIIIII One more day and they'll let me go!!"})},
    {{"look stones"}, Say({"Jagged stones jut out from the floor.   They are stone. (DUH)"})},
    {{"open door"}, Say({"It's locked, dufus."})},
};

// --- The dark hallway (room 3) and the dark swamp (room 4) -------------------------

const Room kHallway = {
    {{"go north"}, Go(7, {"You walk north until you come into a room."})},
    {{"go south"}, Go(6)},
    {{"get spear"}, Take(2, "spear", "Got it.  Pretty bulky.", "I see no spear here.")},
    {{"get torch"}, Take(3, "torch", "Got it. ", "I see no torch here.")},
    {{"look torch"}, Say({"A little rod, with a burning rag on top."})},
    {{"look spear"},
     Say({"A long, sharp, midievel spear.  It WAS for decoration. Not any more..."})},
};

const Room kDarkSwamp = {
    {{"go north"}, Go(17)},
    {{"go south"},
     Death({"You walk south from the swamp.   Suddenly, you feel a snake curl",
            "around you.   You now realize that you are in a snake home..."})},
    {{"go east"}, Go(19)},
    {{"go west"}, Go(20)},
    {{"look floor", "look ground"}, Say({"Can't. It feel like mud though. "})},
    {{"look ceiling", "look roof", "look up"}, Say({"It's to dark to see."})},
    {{"look wall", "look walls"}, Say({"It's to dark to see."})},
};

// --- The lit swamp (5), the soldiers' hall (6) and the armor room (7) --------------

const Room kLitSwamp = {
    {{"push wall"}, Death({kSnakeBite})},
    {{"go north"}, Go(17)},
    {{"go south"},
     Death({"You walk south from the swamp.   Suddenly, you feel a snake curl around",
            "you.   You now realize that you are in a snake home..."})},
    {{"go east"}, Go(19)},
    {{"go west"}, Go(20)},
    {{"look floor", "look ground"}, Say({"Mud floor."})},
    {{"look ceiling", "look roof", "look up"},
     Say({"A stone ceiling, with an occasional snake hanging from it."})},
    {{"look wall", "look walls"}, Say({"It looks like a mass of writhing snakes."})},
    {{"look snakes"}, Say({kCobras})},
    {{"look stream", "look creek"}, Say({"A gentle muddy creek, with little fish in it."})},
    {{"yell"}, Say({kSnakesMove})},
};

const Room kSoldiersHall = {
    {{"get hammer"},
     Take(4, "hammer", "You hang the hammer on your pocket.", "You already got it!")},
    {{"go north"}, Go(3)},
    {{"go east"}, Go(12)},
    {{"go south"}, Say({"There is a huge wooden door blocking the way."})},
    {{"go west", "go up", "go wall", "use rope", "use hook rope"},
     [](Game& g) {
         if (g.Inventory(9) == "rope") {
             g.CurrentRoom = 11;
         } else {
             Write(g,
                   {"You can't.  There is a 20 foot high stone wall. It appears to have a 2 foot",
                    "gap at the top of it."});
         }
         return TurnEnd::Describe;
     }},
    {{"look hammer"}, Say({"A wooden hammer about 7 inches long with an iron head."})},
    {{"look soldiers"},
     Say({"They are German soldiers, mostly just wandering around and talking."})},
    {{"look door", "look huge door"},
     Say({"It is a massive 15 foot high door, guarded by soldiers."})},
    {{"open door", "open huge door"},
     Say({"It's locked. The soldiers are looking at you more closely."})},
    {{"look floor", "look ground"}, Say({"Wooden paneled floor."})},
};

const Room kArmorRoom = {
    {{"get sword", "get ancient sword"},
     Take(5, "sword", "Hey man, it's yours.", "Hey man, you already got it!")},
    {{"go south"}, Go(3)},
    {{"get key", "get skeleton key"},
     Take(6, "key", "You slip it into your pocket.", "Isn't that it there, in your pocket?")},
    {{"look armor", "look decoration"},
     Say({"There are 3 shiny metal suits of armor, sealed to the floor."})},
};

// --- The ledge (11) and the dining area (12) ------------------------------------------

const Room kLedge = {
    {{"go east"},
     Death({"You hang the rope off the ledge and climb down.",
            "You are immediately caught and shot.   "})},
    {{"go south"},
     Go(26, {"You crawl into the hole, and suddenly drop 5 feet onto a hard stone floor."})},
    {{"go north"},
     Say({"You bang your head on the wall. (Ouch!) You turn around and crawl back."})},
    {{"go west"},
     Death({"You press yourself against the back wall.",
            "Suddenly, the wall starts crumbling behind you, and you fall 50 feet",
            "to the ground outside the castle."})},
};

const Room kDiningArea = {
    {{"go south"},
     Say({"You wander south to the tables.   You look them over a minute,",
          "then wander back and sadly sit down to sip your scalding soup."})},
    {{"go west"}, Go(6)},
    {{"go north"},
     [](Game& g) {
         if (g.TorchCarried()) {
             g.CurrentRoom = 21;
         } else {
             g.ShowText(
                 "You walk up the narrow darkened hall a ways, but turn around because it is too "
                 "dark.");
             g.CurrentRoom = 12;
         }
         return TurnEnd::Describe;
     }},
    {{"go east"},
     Say({"You walk over to counter and chat with the cook for a minute.",
          "He has to go at last, but he says 'You might try eating your...",
          "He breaks off suddenly, as a soldier comes up.",
          "You quietly go and sip your soup, wondering what he was going to say."})},
    {{"yell"},
     Death({"Several soldiers look up at you, and some get up and saunter over to you.",
            "You gulp.   The next thing you know..."})},
};

// --- The darkened snake room (17) and the intersection (19) ---------------------------

const Room kSnakeRoom = {
    {{"push wall"}, Death({kSnakeBite})},
    {{"hit snakes", "kick snakes"}, Death({"You manage to kill a few before you die."})},
    {{"get snakes"},
     Death({"You pick up one of these innocent pit-vipers, and wrap it around your head.",
            "OW! OWW!! OOW OW OW!"})},
    {{"get torch"}, Take(7, "torch", "Got it. ", "Hey, you already got it!")},
    {{"get axe"}, Take(8, "axe", "Got it...It's heavy you know.", "Hey, man, you already got it!")},
    {{"go south"}, Go(4)},
    {{"go west"}, Go(23)},
    {{"go east"},
     Death({"There is a hole you hadn't noticed, and you fall into the dark hole,",
            "filled with crocodiles, snakes, spiders, and anything else that comes to mind."})},
    {{"yell"}, Say({kSnakesMove})},
    {{"look ceiling", "look roof", "look up"}, Say({"A stone ceiling."})},
    {{"look snakes"}, Say({kCobras})},
};

const Room kIntersection = {
    {{"go south"},
     Death({"You walk for several minutes, until finding a stream, you follow",
            "that. You walk along it for a ways, until suddenly, you slip and",
            "fall in the creek and are eaten by piranhas."})},
    {{"go north"},
     [](Game& g) {
         g.ShowText("You walk for several minutes, until you stumble upon a gold mine.");
         if (g.Inventory(1) == "bible") {
             g.AppendLine(
                 "The Bible you have with you warns in Proverbs against getting rich quick "
                 "methods. Continue anyway?(Y) OR (N)");
             return Raise(g, PromptYesNo);
         }
         for (std::string_view line : kPoisonedDarts) g.AppendLine(line);
         return Die(g);
     }},
    {{"go west"}, Go(4)},
    {{"go east"},
     Say({"You walk for several hours along a passageway. Suddenly, you turn",
          "the corner and run into a dead end. You turn around and go back. "})},
};

// --- The sewage dead end (20), the fork (21) and the gun room (22) -------------------

const Room kSewage = {
    {{"look wall", "look walls"}, Say({"A hard stone wall, sounds hollow."})},
    {{"go west"}, Go(4)},
};

const Room kFork = {
    {{"go west"},
     [](Game& g) {
         Write(g, {"You walk on for a while longer. Suddenly, you slip and fall down a slide.",
                   "You drop everything in the process."});
         for (int k = 1; k <= 9; ++k) g.Inventory(k) = "";
         g.CurrentRoom = 17;
         return TurnEnd::Describe;
     }},
    {{"get rope", "get hook rope"}, Take(9, "rope", "Got it.", "You've already got it!")},
    {{"go north"}, Go(22)},
    {{"go south"}, Go(12)},
};

const Room kGunRoom = {
    {{"get guard", "kick guard", "hit guard", "push guard"},
     Go(2, {"The guard hits you cruelly, and you black out.",
            "Maybe you should have used your weapons(s)..."})},
    {{"use sword", "use spear"},
     [](Game& g) {
         if (g.Inventory(5) != "sword" && g.Inventory(2) != "spear") {
             g.ShowText("I don't have that!");
         } else if (g.GameFlags(2) == 1) {
             g.ShowText("You already have!");
         } else {
             g.GameFlags(2) = 1;
             Write(g, {"You lunge forward and stab the guard.   He falls to the floor.",
                       "Quickly, you arrange all the gun powder in the room, and light a fuse",
                       "with a torch.   Maybe now is the time to climb up on that ledge",
                       "in the big room...You run south."});
             g.GameFlags(1) = 1;
             g.CurrentRoom = 21;
         }
         return TurnEnd::Describe;
     }},
    {{"go back", "go south"}, Go(21)},
    {{"look ceiling", "look roof", "look up"},
     Say({"A stone ceiling, about 2 feet above your head."})},
    {{"get guns", "get cannons"}, Say({"You step forward to try, but the guard pushes you back."})},
};

// --- The long hallway (23) to the locked door (27) --------------------------------------

const Room kLongHallway = {
    {{"go east"}, Go(17)},
    {{"go west"}, Go(24)},
};

const Room kDeadEndWall = {
    {{"go east"}, Go(17)},
    {{"push wall", "push west wall"}, Go(25, {"The wall slides away.", "You walk into the room."})},
};

const Room kBoatHall = {
    {{"go east"}, Go(23)},
    {{"look floor", "look ground"}, Say({"Oak pathway through swamp."})},
    {{"look wall", "look walls"},
     Say({"They appear to be some kind of rock, with stalagmites everywhere."})},
    {{"go west"},
     Say({"You walk forward a while.   In fact, you walk all around the boat.",
          "But the boat is to far out in the lake to reach."})},
    {{"get shields", "get gold shields", "get golden shields"},
     Say({"They are too high up on the slippery wall to reach."})},
};

const Room kNarrowPassage = {
    {{"go north"}, Go(11)},
    {{"go south"}, Go(27)},
};

const Room kLockedDoor = {
    {{"unlock door", "use key", "use skeleton key"},
     [](Game& g) {
         if (g.Inventory(6) != "key") {
             g.ShowText("You don't have a key.");
         } else {
             Write(g, {"You unlock the door and step into a room.   The door shuts and locks",
                       "behind you."});
             g.CurrentRoom = 28;
         }
         return TurnEnd::Describe;
     }},
    {{"go north"}, Go(26)},
    {{"go west"},
     Go(25,
        {"You walk for a long time in the passage, twisting and winding.",
         "You see a ray of light ahead.   You walk quickly towards it.", "Suddenly, you fall..."})},
    {{"open door"}, Say({"It's locked."})},
};

// Room number to its rules.
const std::array<const Room*, 30> kRooms = [] {
    std::array<const Room*, 30> rooms{};
    rooms[0] = &kStory;
    rooms[2] = &kCell;
    rooms[3] = &kHallway;
    rooms[4] = &kDarkSwamp;
    rooms[5] = &kLitSwamp;
    rooms[6] = &kSoldiersHall;
    rooms[7] = &kArmorRoom;
    rooms[11] = &kLedge;
    rooms[12] = &kDiningArea;
    rooms[17] = &kSnakeRoom;
    rooms[19] = &kIntersection;
    rooms[20] = &kSewage;
    rooms[21] = &kFork;
    rooms[22] = &kGunRoom;
    rooms[23] = &kLongHallway;
    rooms[24] = &kDeadEndWall;
    rooms[25] = &kBoatHall;
    rooms[26] = &kNarrowPassage;
    rooms[27] = &kLockedDoor;
    return rooms;
}();

// Hides what a way out leaves behind it on the screen.
void HideInput(Game& g) {
    g.lblPressEnter().Visible = false;
    g.frmMain.txtBox.Visible = false;
    g.frmMain.cmdEnter.Visible = false;
}

}  // namespace

bool Rule::Takes(std::string_view command) const {
    return commands.empty() ||
           std::find(commands.begin(), commands.end(), command) != commands.end();
}

const Room* RoomRules(int room) {
    if (room < 0 || room >= static_cast<int>(kRooms.size())) return nullptr;
    return kRooms[static_cast<std::size_t>(room)];
}

// --- Answers to the prompts -----------------------------------------------------------

void AnswerKeepEating(Game& g, std::string_view command) {
    if (command != "y") return;
    // The iron file in the supper: out through the window.
    g.lblText(12).Visible = false;
    g.lblText(11).Visible = false;
    HideInput(g);
    g.lblText(13).Visible = true;
    g.lblText(14).Visible = true;
    g.lblText(15).Visible = true;
}

void AnswerGoldMine(Game& g, std::string_view command) {
    if (command == "n") {
        g.ShowText("You travel safely back to the other room.");
        g.DescribeRoom();
        g.lblPressEnter().Caption = SeparatorLine;
        return;
    }
    Write(g, kPoisonedDarts);
    Die(g);
}

void AnswerGuard(Game& g, std::string_view command) {
    if (command == "kick guard" || command == "hit guard") {
        g.ShowText("He leans over, gasping. You run out the door and shut&&lock it.");
        g.CurrentRoom = 3;
    } else {
        g.ShowText(
            "The guard pushes you into the corner and goes back out, shutting and locking the "
            "door.");
    }
    g.DescribeRoom();
    g.lblPressEnter().Caption = SeparatorLine;
}

const std::vector<std::string_view>& AnswerCommands() {
    static const std::vector<std::string_view> commands{"y", "n", "kick guard", "hit guard"};
    return commands;
}

// --- The endings behind the locked door, and the sewage floor --------------------------

TurnEnd LionEvent(Game& g) {
    g.ShowText("Suddenly, through the darkness, a lion leaps at you!");
    if (g.Inventory(2) == "spear") {
        g.AppendLine("With your spear, you stab him just in time.   My, what did those");
        g.AppendLine("rulers of long ago keep in their castles anyway?!");
        g.CurrentRoom = 29;
        return TurnEnd::Describe;
    }
    if (g.Inventory(5) == "sword") {
        g.ShowText("You slice with your sharp sword and defend yourself well. You kill");
        g.AppendLine("the lion.");
        g.CurrentRoom = 29;
        return TurnEnd::Describe;
    }
    g.ShowText("He eats you up. (You should have stayed in bed this morning...)");
    g.lblText(16).Visible = true;
    g.lblText(11).Visible = false;
    HideInput(g);
    return TurnEnd::Stop;
}

void CaveEscape(Game& g) {
    if (g.GameFlags(1) == 1) {
        Write(g, {"As you run out of the castle, you start to turn around, but an explosion",
                  "knocks you to the ground.   You look up.   The castle is flying into",
                  "pieces!!!!!   Good going!!!!", "ALSO::::", "YOU ESCAPED!!!!!!!"});
    } else {
        g.lblText(12).Caption = std::string{CR} + CR + "YOU ESCAPED!!!!!";
    }
    g.AppendParagraph("There are two other ways.   Have you found them?");
    g.AppendLine("HINT: (In one of them, you never go outside your cell)");
    g.lblText(11).Visible = false;
    HideInput(g);
}

void PushFloorEnding(Game& g) {
    g.lblText(12).Visible = false;
    g.lblText(11).Visible = false;
    HideInput(g);
    g.lblText(17).Visible = true;
    g.lblText(18).Visible = true;
    g.lblText(19).Visible = true;
}

// --- What the game knows ----------------------------------------------------------------

std::vector<std::string> KnownCommands() {
    std::set<std::string, std::less<>> seen;
    std::vector<std::string> commands;
    const auto add = [&](std::string_view c) {
        if (!c.empty() && seen.insert(std::string(c)).second) commands.emplace_back(c);
    };
    for (const Room* room : kRooms) {
        if (room == nullptr) continue;
        for (const Rule& rule : *room)
            for (std::string_view c : rule.commands) add(c);
    }
    for (std::string_view c : AnswerCommands()) add(c);
    return commands;
}

const std::vector<int>& AssignedRooms() {
    static const std::vector<int> rooms{2,  3,  4,  5,  6,  7,  11, 12, 17, 19,
                                        20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
    return rooms;
}

}  // namespace vaultmoor
