// The game in progress kept as text, for a front end that can be ended without the player
// asking (a page the browser reloads or discards). Not a saved game: the commands entered
// since New Game, replayed through the real turn, and the command history as it stood at
// New Game. A kept text is untrusted when it comes back: anything but a whole text in this
// version's form, of a game the commands can play, gives nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "history.h"

namespace vaultmoor {

class KeptGame {
  public:
    // The most that is kept or read: past it, nothing is kept.
    static constexpr std::size_t MostBytes = 256 * 1024;
    static constexpr std::size_t MostCommands = 10000;

    // File > New Game, with the history as it stands then.
    void NewGame(const CommandHistory& history);
    // A turn ran on `line`.
    void Entered(std::string_view line);
    // File > Exit: the game ends for good.
    void Exit();

    // What to keep: empty when there is nothing (no game since the start, after Exit, or a
    // game too long to keep).
    std::string Text() const;

    // Brings back a kept text: the game and history as they were when it was written. False
    // (and nothing changed) for anything else.
    bool Restore(std::string_view text, Game& game, CommandHistory& history);

  private:
    bool started_ = false;
    std::vector<std::string> earlier_;   // the history at New Game
    std::vector<std::string> commands_;  // since New Game
    std::size_t bytes_ = 0;              // of the text's lines so far
};

}  // namespace vaultmoor
