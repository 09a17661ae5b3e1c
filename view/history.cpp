#include "history.h"

namespace vaultmoor {

void CommandHistory::Add(const std::string& line) {
    if (!line.empty() && (lines_.empty() || lines_.back() != line)) {
        lines_.push_back(line);
        if (lines_.size() > Capacity) lines_.pop_front();
    }
    pos_ = lines_.size();
    typed_.clear();
}

std::optional<std::string> CommandHistory::Up(const std::string& typed) {
    if (pos_ == 0) return std::nullopt;
    if (pos_ == lines_.size()) typed_ = typed;
    return lines_[--pos_];
}

std::optional<std::string> CommandHistory::Down() {
    if (pos_ == lines_.size()) return std::nullopt;
    ++pos_;
    return pos_ == lines_.size() ? typed_ : lines_[pos_];
}

}  // namespace vaultmoor
