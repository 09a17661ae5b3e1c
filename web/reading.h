// The reading layout of the page: the labels shown, in reading order, as page text. The
// running page (the binding) and the page's first screen (written at build time) both
// take it from here, so the two are the same markup.
#pragma once

#include <string>
#include <vector>

#include "screen.h"

namespace vaultmoor {

struct ReadingLabel {
    int index;                       // in lblText, or -1 for the prompt
    std::vector<std::string> lines;  // cut at the carriage returns
    std::string classes;             // the colour (InkClass), the alignment, "rule"
    bool decorative;                 // drawn, not read: the banners and the ruled line
};

// The visible labels of the screen, in reading order, the prompt last.
std::vector<ReadingLabel> ReadingLabels(const MainWindow& m);

// A colour as six hex digits, "rrggbb"; the style sheet's class for it, "ink-rrggbb".
std::string Hex(Rgb colour);
std::string InkClass(Rgb colour);

}  // namespace vaultmoor
