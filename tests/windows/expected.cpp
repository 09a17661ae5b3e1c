// What the Linux window tells a listener, for the same actions as vaultmoor-transcript
// reads them ("!new" or a typed line): each text told, one a line, line feeds as "\n"; then
// "screen: " and the screen's text for review, escaped the same way.
// With "rects": where the native controls stand over the pictures, at zoom 1 ("x0,y0 x1,y1"):
// the command box, the Enter button, the Instructions' Close button.
#include <iostream>
#include <string>

#include "dialogdesign.h"
#include "game.h"
#include "news.h"
#include "textlayout.h"

void PrintRect(const vaultmoor::TwipRect& t) {
    const vaultmoor::PixelRect r = vaultmoor::ToPixels(t);
    std::cout << r.left << ',' << r.top << ' ' << r.left + r.width - 1 << ','
              << r.top + r.height - 1 << '\n';
}

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "rects") {
        const vaultmoor::DialogDesign& d = vaultmoor::DesignOf(vaultmoor::DialogId::Instructions);
        PrintRect(vaultmoor::TxtBoxRect);
        PrintRect(vaultmoor::CmdEnterRect);
        PrintRect(
            {d.closeLeft, d.closeTop, vaultmoor::CloseWidthTwips, vaultmoor::CloseHeightTwips});
        return 0;
    }
    vaultmoor::Game game;
    vaultmoor::MainWindow told = game.frmMain;  // the title is read with the screen
    for (std::string line; std::getline(std::cin, line);) {
        if (line == "!new")
            game.mnuNewGame_Click();
        else
            game.Enter(line);
        const std::string news = vaultmoor::NewsToTell(told, game.frmMain);
        if (!news.empty()) std::cout << vaultmoor::EscapeLineFeeds(news) << '\n';
        told = game.frmMain;
    }
    std::cout << "screen: "
              << vaultmoor::EscapeLineFeeds(
                     vaultmoor::ScreenText(game.frmMain, vaultmoor::Voice::Speech))
              << '\n';
}
