#include "keep.h"

#include <optional>

#include "textlayout.h"

namespace vaultmoor {
namespace {

// The first line names the form; a kept text of another version is not read.
constexpr std::string_view Header = "vaultmoor kept game 1\n";
// The last line: a text cut short has none.
constexpr std::string_view Trailer = "end\n";

// A line of the text: its tag, a space and the content with '\' and line feeds escaped.
std::string Line(char tag, std::string_view content) {
    return std::string{tag, ' '} + EscapeLineFeeds(content) + '\n';
}

// The content of a tagged line without its line feed, or nothing if it is not one.
std::optional<std::string> Content(std::string_view line, char tag) {
    if (line.size() < 2 || line[0] != tag || line[1] != ' ') return std::nullopt;
    std::string content;
    for (std::size_t i = 2; i < line.size(); ++i) {
        if (line[i] != '\\') {
            content += line[i];
        } else if (++i < line.size() && (line[i] == '\\' || line[i] == 'n')) {
            content += line[i] == 'n' ? '\n' : '\\';
        } else {
            return std::nullopt;
        }
    }
    return content;
}

}  // namespace

void KeptGame::NewGame(const CommandHistory& history) {
    started_ = true;
    earlier_.assign(history.Lines().begin(), history.Lines().end());
    commands_.clear();
    bytes_ = Header.size() + Trailer.size() + 2;
    for (const std::string& l : earlier_) bytes_ += Line('h', l).size();
}

void KeptGame::Entered(std::string_view line) {
    if (!started_) return;
    commands_.emplace_back(line);
    bytes_ += Line('c', line).size();
}

void KeptGame::Exit() {
    *this = KeptGame();
}

std::string KeptGame::Text() const {
    if (!started_ || bytes_ > MostBytes || commands_.size() > MostCommands) return {};
    std::string text(Header);
    text.reserve(bytes_);
    for (const std::string& l : earlier_) text += Line('h', l);
    text += "n\n";
    for (const std::string& c : commands_) text += Line('c', c);
    return text += Trailer;
}

bool KeptGame::Restore(std::string_view text, Game& game, CommandHistory& history) {
    if (text.size() > MostBytes || !text.starts_with(Header) || !text.ends_with(Trailer))
        return false;
    text = text.substr(Header.size(), text.size() - Header.size() - Trailer.size());
    KeptGame kept;
    Game replayed;
    CommandHistory walked;
    bool newGame = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return false;
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (!newGame && line == "n") {
            kept.NewGame(walked);
            replayed.mnuNewGame_Click();
            newGame = true;
        } else if (auto earlier = newGame ? std::nullopt : Content(line, 'h')) {
            // As the history keeps them: none empty, none the same as the one before.
            if (earlier->empty() || walked.Size() == CommandHistory::Capacity ||
                (walked.Size() && walked.Lines().back() == *earlier))
                return false;
            walked.Add(*earlier);
        } else if (auto command = newGame ? Content(line, 'c') : std::nullopt) {
            if (kept.commands_.size() == MostCommands || !replayed.Enter(*command)) return false;
            kept.Entered(*command);
            walked.Add(*command);
        } else {
            return false;
        }
    }
    if (!newGame) return false;
    *this = std::move(kept);
    game = std::move(replayed);
    history = std::move(walked);
    return true;
}

}  // namespace vaultmoor
