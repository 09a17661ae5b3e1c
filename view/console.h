// The game at a text terminal, with no terminal library in it: the keys a player presses,
// what they do to the game, the command line, the menus and the dialogs, and the cells the
// terminal shows for all of it.
#pragma once

#include <optional>

#include "cells.h"
#include "game.h"
#include "history.h"
#include "lineedit.h"
#include "menus.h"

namespace vaultmoor {

enum class KeyCode {
    Char,  // `ch`; with `alt` an Alt+letter
    Enter,
    Escape,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    Backspace,
    Delete,
    Tab,  // does nothing: the terminal has no focus to move
    F10,
    CtrlC,
};

struct Key {
    KeyCode code;
    char32_t ch = 0;
    bool alt = false;
};

// What the terminal shows: its cells, and where the cursor stands if it is shown.
struct Frame {
    CellGrid grid;
    std::optional<CellPoint> cursor;
};

class Console {
  public:
    void Press(const Key& key);
    // False once the player has chosen File > Exit or pressed Ctrl+C.
    bool Running() const { return game_.Running; }
    Frame Paint(int columns, int rows) const;

    const Game& State() const { return game_; }
    int OpenMenu() const { return menu_; }
    std::optional<DialogId> OpenDialog() const { return dialog_; }
    int HighlightedItem() const { return item_; }
    const LineEdit& Line() const { return line_; }

  private:
    void PressInDialog(const Key& key);
    void PressInMenu(const Key& key);
    void PressOnScreen(const Key& key);
    void Open(int menu);
    void MoveItem(int step);
    void Act(MenuAction action);
    void PlayTurn();
    void NewGame();

    Game game_;
    LineEdit line_;
    CommandHistory history_;
    int menu_ = -1;  // the entry of the bar that is open, or -1
    int item_ = -1;  // its highlighted item, or -1
    std::optional<DialogId> dialog_;
};

}  // namespace vaultmoor
