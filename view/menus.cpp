#include "menus.h"

#include <cctype>

namespace vaultmoor {

const std::vector<Menu>& MenuBar() {
    using A = MenuAction;
    static const std::vector<Menu> bar = {
        {"&File",
         "mnuFile",
         A::None,
         {
             {"&New Game", "mnuNewGame", A::NewGame},
             {"-", "mnuS1", A::None},
             {"E&xit", "mnuFileExit", A::Exit},
         }},
        {"&Instructions", "mnuInstructions", A::Instructions, {}},
        {"&About",
         "mnuAbout",
         A::None,
         {
             {"About this game", "mnuAboutGame", A::AboutGame},
             {"About the author", "mnuAboutAuthor", A::AboutAuthor},
             {"Other Games by the Author", "mnuAboutOtherGames", A::AboutOther},
             {"-", "mnuAboutS1", A::None},
             {"&About this version", "mnuAboutVersion", A::AboutVersion},
         }},
    };
    return bar;
}

char AccessKey(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
        ++i;  // "&&" is a plain "&"
    }
    return 0;
}

std::optional<DialogId> DialogFor(MenuAction action) {
    switch (action) {
        case MenuAction::Instructions:
            return DialogId::Instructions;
        case MenuAction::AboutGame:
            return DialogId::AboutGame;
        case MenuAction::AboutAuthor:
            return DialogId::AboutAuthor;
        case MenuAction::AboutOther:
            return DialogId::AboutOther;
        case MenuAction::AboutVersion:
            return DialogId::AboutVersion;
        default:
            return std::nullopt;
    }
}

}  // namespace vaultmoor
