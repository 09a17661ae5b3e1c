#include "screen.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace vaultmoor {

namespace {

std::string repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

}  // namespace

const std::string SeparatorLine = repeat("\u2261", 34);

const std::string StoryText =
    "   You are an allied soldier in WWI. You were captured, and because you were a high-ranking "
    "officer, you were sent to an infamous castle/prison to be kept under close guard. No one has "
    "ever escaped from this prison before, in modern times. There are 3 ways to escape from this "
    "prison. Let's see how good you are...";

const std::string EndLabelText = "\u03C4h\u03B5 \u03A3nd";

const std::array<LabelDesign, 20>& TextScreenDesign() {
    using A = Align;
    static const std::array<LabelDesign, 20> design{{
        {"lblText(0)", repeat(">", 28), true, Red, {120, 120, 3375, 315}, A::Left},
        {"lblText(1)", "VAULTMOOR", true, Red, {3480, 120, 1815, 255}, A::Left},
        {"lblText(2)", repeat("<", 28), true, LightGrey, {5280, 120, 3375, 315}, A::Left},
        {"lblText(3)", repeat(">", 34), true, LightGrey, {120, 360, 4095, 315}, A::Left},
        {"lblText(4)", repeat("<", 36), true, Red, {4320, 360, 4335, 315}, A::Left},
        {"lblText(5)", "SCENARIOS:", true, LightGrey, {120, 780, 1275, 315}, A::Left},
        {"lblText(6)",
         "1] A JAIL IN A CASTLE in WW1 GERMANY",
         true,
         LightGrey,
         {120, 1140, 4395, 195},
         A::Left},
        {"lblText(7)",
         "2] AN ARCHEOLOGIST EXPEDITION OF AN ANCIENT FORT IN ISRAEL",
         true,
         Grey,
         {120, 1380, 7215, 195},
         A::Left},
        {"lblText(8)", "3] INSIDE THE SPHINX", true, Grey, {120, 1620, 4395, 195}, A::Left},
        {"lblText(9)",
         "(Programmer's note: this conversion only has Part 1. Tobrin wrote all of Part 1 and part "
         "of Part 2, but Part 2 was lost. Part 3 never existed.",
         true,
         Grey,
         {180, 3660, 8355, 555},
         A::Left},
        {"lblText(10)", "THE STORY", false, LightGrey, {2955, 60, 2775, 195}, A::Centre},
        {"lblText(11)", StoryText, false, LightGrey, {120, 1740, 8295, 2175}, A::Left},
        {"lblText(12)", "", false, LightGrey, {60, 60, 8295, 1575}, A::Left},
        {"lblText(13)",
         "As you begin to eat, your teeth bite down on something iron. It's a metAL FILE!   That "
         "night, you saw the bars on one the widows, and",
         false,
         White,
         {120, 480, 8295, 435},
         A::Left},
        {"lblText(14)", "ESCAPE!!!!!!!!!!", false, Green, {120, 900, 1995, 195}, A::Left},
        {"lblText(15)",
         "Now try to find the other two.",
         false,
         LightGrey,
         {120, 1140, 8295, 255},
         A::Left},
        {"lblText(16)", EndLabelText, false, LightGrey, {2580, 1440, 3615, 255}, A::Centre},
        {"lblText(17)",
         "The wall in front of you pulls up.   You find yourself standing in a forest Germany, "
         "next to a crowded dirt road.   A farmer stops and gets off his cart, eyeing the mud all "
         "over you, 'Do you need a ride'. You answer in German also, 'Yes please!!!!!!!!!'",
         false,
         White,
         {120, 480, 8295, 735},
         A::Left},
        {"lblText(18)", "You escape successfully!", false, Green, {120, 1260, 3195, 195}, A::Left},
        {"lblText(19)",
         "Got all three yet? (Hint: Two ways out start in your cell, and never use the door.   "
         "You found one just now.)",
         false,
         LightGrey,
         {120, 1500, 8295, 435},
         A::Left},
    }};
    return design;
}

const LabelDesign& PressEnterDesign() {
    static const LabelDesign design{"lblPressEnter", SeparatorLine,          false,
                                    LightGrey,       {120, 4020, 4155, 195}, Align::Right};
    return design;
}

MainWindow DesignWindow() {
    MainWindow w;
    for (std::size_t i = 0; i < w.lblText.size(); ++i) {
        const LabelDesign& d = TextScreenDesign()[i];
        w.lblText[i] = {d.caption, d.shown};
    }
    w.lblPressEnter = {PressEnterDesign().caption, PressEnterDesign().shown};
    w.txtBox = {"", false};
    w.cmdEnter = {false};
    return w;
}

std::string ShownText(std::string_view caption) {
    std::string out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace vaultmoor
