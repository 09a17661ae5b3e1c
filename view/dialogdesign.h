// The five information windows as designed: caption, size, labels and the Close button.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "screen.h"

namespace vaultmoor {

enum class DialogId { Instructions, AboutGame, AboutAuthor, AboutOther, AboutVersion };
inline constexpr std::size_t DialogCount = 5;

struct DialogLabel {
    std::string caption;
    Rgb colour;
    TwipRect rect;
    Align align;
};

struct DialogDesign {
    std::string_view name;  // frmInstructions, frmAboutGame, ...
    std::string_view caption;
    int widthTwips;  // client area
    int heightTwips;
    int closeLeft;  // cmdClose, in twips
    int closeTop;
    std::vector<DialogLabel> labels;
};

inline constexpr std::string_view CloseCaption = "&Close";
inline constexpr int CloseWidthTwips = 1215;
inline constexpr int CloseHeightTwips = 435;

const DialogDesign& DesignOf(DialogId id);

// A dialog's text as a listener reads it: its lines as drawn, top to bottom, and lines that
// stand side by side joined into one (each explanation after its command).
std::string FaceText(const DialogDesign& design);

// The command list of the Instructions window (239 characters).
extern const std::string CommandList;

}  // namespace vaultmoor
