#include "menus.h"

#include <cctype>

#include "textlayout.h"

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

AccessCaption SplitAccess(std::string_view caption) {
    const std::u32string all = DecodeUtf8(caption);
    AccessCaption out{{}, -1};
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == U'&' && i + 1 < all.size() && all[i + 1] == U'&') {
            ++i;  // "&&" is a plain "&"
        } else if (all[i] == U'&') {
            if (out.at < 0 && i + 1 < all.size()) out.at = static_cast<int>(out.text.size());
            continue;
        }
        out.text += all[i];
    }
    return out;
}

char AccessKey(std::string_view caption) {
    const AccessCaption c = SplitAccess(caption);
    if (c.at < 0) return 0;
    const char32_t letter = c.text[static_cast<std::size_t>(c.at)];
    return letter < 0x80 ? static_cast<char>(std::tolower(static_cast<int>(letter))) : 0;
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
