// The screen as words: the whole of it in reading order, for a terminal's line mode and a
// screen reader's review, and what is new after a turn, for a listener.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "screen.h"

namespace vaultmoor {

// A label of the main window in reading order: its index in lblText, or -1 for the prompt.
struct ReadingEntry {
    int index;
    const LabelDesign* design;
};

// Every label, shown or not, top to bottom and left to right on one line, the prompt last.
const std::vector<ReadingEntry>& ReadingOrder();

// The label of the model that an entry names.
const Label& LabelAt(const MainWindow& w, int index);

// A label that is drawn, not read: the title's banners of ">" and "<" (no letter or digit)
// and the ruled line of the prompt. Any other prompt is read, ">>>>" too: it asks for an
// answer.
bool Decorative(int index, std::string_view caption);

// The end label as a listener hears it; the screen draws it in Greek-looking letters.
inline constexpr std::string_view EndLabelSpoken = "The End";

// Text: what the screen shows, each label wrapped and cut as the window draws it. Speech:
// the captions whole for a listener, with the end label as words and the ruled line and
// the title's banners (labels with no letter or digit) left out.
enum class Voice { Text, Speech };

// Everything the screen shows, as a player reads it: the visible labels from top to bottom
// (left to right on one line), the prompt last; line feeds between lines. For a terminal
// or a screen reader.
std::string ScreenText(const MainWindow& w, Voice voice = Voice::Text);

// What a listener is told after New Game or a turn, in reading order: the reply every time
// it is shown, every other label whose caption or visibility changed and is shown now, the
// prompt when it changed. Spoken as by Voice::Speech. Empty when nothing is new.
std::string ScreenNews(const MainWindow& before, const MainWindow& after);

// What a window tells its listener after New Game or a turn: the news while the command box
// is shown; nothing without it, when the screen itself has the focus and is read whole.
std::string NewsToTell(const MainWindow& told, const MainWindow& now);

}  // namespace vaultmoor
