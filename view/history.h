// The command box's history, as a shell keeps it: Up walks back through the commands
// entered, Down forward again, and past the newest the half-typed line comes back.
// Plain C++, kept in memory only.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace vaultmoor {

class CommandHistory {
  public:
    static constexpr std::size_t Capacity = 100;

    // A command was entered: kept unless empty or the same as the newest. The walk starts
    // again from the newest.
    void Add(const std::string& line);

    // Up, with `typed` the text in the box: the previous command, or nothing at the oldest.
    std::optional<std::string> Up(const std::string& typed);
    // Down: the next command, the half-typed line past the newest, or nothing when not
    // walking.
    std::optional<std::string> Down();

    std::size_t Size() const { return lines_.size(); }
    // The commands kept, the oldest first.
    const std::deque<std::string>& Lines() const { return lines_; }

  private:
    std::deque<std::string> lines_;
    std::size_t pos_ = 0;  // == Size() when not walking
    std::string typed_;
};

}  // namespace vaultmoor
