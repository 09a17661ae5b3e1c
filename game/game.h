// The game: its state, the window model it plays on, New Game and the turn.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "screen.h"

namespace vaultmoor {

class Game {
  public:
    // The program has just started: the title screen, no game under way.
    Game();

    // File > New Game. Allowed at any time while the program runs.
    void mnuNewGame_Click();

    // File > Exit: every form is unloaded and the program ends; nothing more happens.
    void mnuFileExit_Click() { Running = false; }
    bool Running = true;

    // The Enter button: one turn on the command in txtBox. Does nothing and returns false
    // while the command box or the button is hidden, as no player could click it then.
    bool cmdEnter_Click();

    // Types a line into the command box and presses Enter. False when no turn could run;
    // then nothing changes.
    bool Enter(std::string_view line);

    // True while a turn can be played (the command box and the button are shown).
    bool InputShown() const {
        return Running && frmMain.txtBox.Visible && frmMain.cmdEnter.Visible;
    }

    // --- The game state ---------------------------------------------------------
    std::int16_t CurrentRoom = 0;
    std::string& Inventory(int slot) { return inventory_.at(slot - 1); }
    const std::string& Inventory(int slot) const { return inventory_.at(slot - 1); }
    std::int16_t& GameFlags(int flag) { return flags_.at(flag - 1); }
    std::int16_t GameFlags(int flag) const { return flags_.at(flag - 1); }
    const std::array<std::string, 9>& InventorySlots() const { return inventory_; }
    const std::array<std::int16_t, 10>& Flags() const { return flags_; }

    // The window as the game sees it.
    MainWindow frmMain;

    // --- Used by the rules of the rooms ------------------------------------------
    Label& lblText(int i) { return frmMain.lblText.at(i); }
    Label& lblPressEnter() { return frmMain.lblPressEnter; }
    void ShowText(std::string_view s);
    void AppendLine(std::string_view s);
    void AppendParagraph(std::string_view s);
    void DescribeRoom();
    bool TorchCarried() const { return Inventory(3) == "torch" || Inventory(7) == "torch"; }

  private:
    std::array<std::string, 9> inventory_;
    std::array<std::int16_t, 10> flags_{};
};

// The room description for the game's current state, as DescribeRoom paints it, without
// DescribeRoom's moves (torch and rope).
std::string RoomDescription(const Game& g);

// Every literal command that some rule of the game accepts, each once.
std::vector<std::string> KnownCommands();

// The number every room the game can assign.
const std::vector<int>& AssignedRooms();

}  // namespace vaultmoor
