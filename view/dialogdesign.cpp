#include "dialogdesign.h"

#include <map>
#include <utility>

#include "textlayout.h"

namespace vaultmoor {

const std::string CommandList =
    "PUSH (SOMETHING) BANG (SOMETHING) YELL               KICK (SOMETHING) GET (SOMETHING)     "
    "USE (SOMETHING)    HIT (SOMETHING) TWIST (SOMETHING) LOOK (SOMETHING) EXAMINE (SOMETHING) "
    "GO (SOME DIRECTION) OPEN (SOMETHING)   QG                 I";

namespace {

using A = Align;

// Colours of the other games' titles.
constexpr Rgb Teal{0, 128, 128};
constexpr Rgb Olive{192, 192, 0};
constexpr Rgb Purple{192, 0, 192};

std::array<DialogDesign, DialogCount> MakeDesigns() {
    return {{
        {"frmInstructions",
         "Instructions",
         8400,
         4200,
         3593,
         3480,
         {
             {"The allowed commands are:", LightGrey, {300, 240, 3075, 195}, A::Left},
             {CommandList, LightGrey, {240, 660, 2295, 2655}, A::Left},
             {"this command can only be used on an object",
              LightGrey,
              {2700, 2280, 5115, 195},
              A::Left},
             {"quit game", LightGrey, {2700, 2820, 1395, 195}, A::Left},
             {"instructions", LightGrey, {2700, 3000, 1455, 195}, A::Left},
         }},
        {"frmAboutGame",
         "About Vaultmoor",
         5205,
         3015,
         1995,
         2340,
         {
             {"Vaultmoor", LightGrey, {1665, 180, 1875, 315}, A::Centre},
             {"v2.0", LightGrey, {2205, 480, 795, 315}, A::Centre},
             {"This is version 2.0 because version 1.0 never was completed. It was such a "
              "tangle, that I started from scratch with only the storyline, the menus, and the "
              "general ways to escape. The first room, and about 3 others are extact copies of "
              "the original description wording.",
              LightGrey,
              {105, 900, 4995, 1335},
              A::Left},
         }},
        {"frmAboutAuthor",
         "About the author",
         6510,
         3480,
         2648,
         2760,
         {
             {"Hello! I wrote this game in my spare time, mostly late at night when I should "
              "have been doing my homework. I like old castles, war stories and puzzles that "
              "make you think twice before you yell at a guard. When I am not writing games I "
              "draw maps of places that do not exist. If you find a way out of the castle that "
              "I did not plan, I would really like to hear about it.",
              LightGrey,
              {240, 180, 6015, 2475},
              A::Left},
         }},
        {"frmAboutOther",
         "Other Games by the Author",
         7365,
         3075,
         3075,
         2460,
         {
             {"Other games I have written:", LightGrey, {120, 300, 7035, 315}, A::Left},
             {"THE CLOCKWORK LIGHTHOUSE - mend the lamp in time",
              Teal,
              {360, 720, 6840, 195},
              A::Left},
             {"MARMALADE MOUNTAIN - a climb with too many jars",
              Olive,
              {360, 960, 6840, 195},
              A::Left},
             {"THE TEAPOT HEIST - steal the duke's teapot", Red, {360, 1200, 6840, 195}, A::Left},
             {"FROGS OF THE NORTH MARSH - a counting game", Green, {360, 1440, 6840, 195}, A::Left},
             {"SUBMARINE NINE - a text adventure under the sea",
              Purple,
              {360, 1680, 6840, 195},
              A::Left},
             {"(Most of them are still on floppy disks in a shoebox.)",
              Grey,
              {360, 2040, 6840, 195},
              A::Left},
         }},
        {"frmAboutVersion",
         "About This Version",
         6105,
         3420,
         2460,
         2760,
         {
             {"This edition was put together again from the old game, room by room, so that "
              "it plays the way it always did: the same commands, the same ways to die and the "
              "same three ways out. Only the castle is here; the fort and the sphinx are still "
              "to come. The screen now uses a plain 8 by 13 bitmap font, which has the same "
              "box and Greek letters as the old one.\r\r"
              "Ctrl++ or Ctrl+= zooms in, Ctrl+- out, Ctrl+0 back to the size it opened at, "
              "Ctrl+wheel too. Up and Down in the command box bring back the commands typed.",
              LightGrey,
              {240, 240, 5475, 2535},
              A::Left},
         }},
    }};
}

}  // namespace

std::string FaceText(const DialogDesign& design) {
    std::map<std::pair<int, int>, std::string> lines;  // by top, then left, in pixels
    for (const DialogLabel& label : design.labels) {
        const PixelRect r = ToPixels(label.rect);
        const TextGrid grid = GridFor(r.width, r.height);
        int top = r.top;
        for (const std::u32string& line : LayoutCaption(label.caption, grid.columns, grid.rows)) {
            lines[{top, r.left}] = EncodeUtf8(line);
            top += LinePitch;
        }
    }
    std::string out;
    int row = -1;
    for (const auto& [at, text] : lines) {
        if (!out.empty()) out += at.first == row ? ' ' : '\n';
        out += text;
        row = at.first;
    }
    return out;
}

const DialogDesign& DesignOf(DialogId id) {
    static const std::array<DialogDesign, DialogCount> designs = MakeDesigns();
    return designs.at(static_cast<std::size_t>(id));
}

}  // namespace vaultmoor
