// The main window as the game sees it: a plain model of frmMain's controls.
// The window toolkit paints from this model; the game only reads and writes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vaultmoor {

// Line break inside a caption: carriage return alone, never a line feed.
inline constexpr char CR = '\r';

struct Label {
    std::string Caption;
    bool Visible = false;
    bool operator==(const Label&) const = default;
};

struct TextBox {
    std::string Text;
    bool Visible = false;
    bool operator==(const TextBox&) const = default;
};

struct Button {
    bool Visible = false;
    bool operator==(const Button&) const = default;
};

// The controls of frmMain that the game touches.
struct MainWindow {
    std::array<Label, 20> lblText;  // the TextScreen, lblText(0)..lblText(19)
    Label lblPressEnter;
    TextBox txtBox;
    Button cmdEnter;

    bool operator==(const MainWindow&) const = default;
};

// --- Texts of the window layout -------------------------------------------------

// 34 triple bars: the resting caption of lblPressEnter.
extern const std::string SeparatorLine;
// The story shown after New Game (314 characters).
extern const std::string StoryText;
// "the end" in Greek-looking letters, the caption of lblText(16).
extern const std::string EndLabelText;

// The prompts held in lblPressEnter's caption.
inline constexpr std::string_view PromptStory = "Press enter to continue...>>";
inline constexpr std::string_view PromptYesNo = "(Y/N)";
inline constexpr std::string_view PromptGuard = ">>>>";
inline constexpr std::string_view PromptDead = "Press enter to continue...";

// --- Design values of the controls ----------------------------------------------

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb LightGrey{192, 192, 192};
inline constexpr Rgb Grey{128, 128, 128};
inline constexpr Rgb Red{192, 0, 0};
inline constexpr Rgb Green{0, 128, 0};
inline constexpr Rgb White{255, 255, 255};

enum class Align { Left, Centre, Right };

// Position and size in twips (15 twips to a pixel at zoom 1).
struct TwipRect {
    int left, top, width, height;
};

struct LabelDesign {
    std::string_view name;
    std::string caption;  // caption at creation
    bool shown;           // visible at program start
    Rgb colour;
    TwipRect rect;
    Align align;
};

// Client area of frmMain, in twips.
inline constexpr int MainWidthTwips = 8670;
inline constexpr int MainHeightTwips = 4380;

// lblText(0)..lblText(19) as designed.
const std::array<LabelDesign, 20>& TextScreenDesign();
const LabelDesign& PressEnterDesign();
inline constexpr TwipRect TxtBoxRect{4320, 3960, 3375, 285};
inline constexpr TwipRect CmdEnterRect{7860, 3960, 735, 315};
inline constexpr std::string_view CmdEnterCaption = "&Enter";
inline constexpr std::string_view WindowCaption = "Vaultmoor v1.0";

// frmMain as it is when the program starts: the title screen.
MainWindow DesignWindow();

// What a label shows for a caption: "&&" is one "&", a lone "&" marks an access key
// and is not drawn.
std::string ShownText(std::string_view caption);

// The labels a screen reader treats apart: the reply of the turn and the end label.
inline constexpr int ReplyIndex = 12;
inline constexpr int EndLabelIndex = 16;
}  // namespace vaultmoor
