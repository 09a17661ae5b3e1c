// The menu bar of the main window: its menus and items in order, with their access letters
// ("&" before the letter), the separators and what each item does. Every front end builds
// its menus from this table.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogdesign.h"

namespace vaultmoor {

enum class MenuAction {
    None,  // a separator
    NewGame,
    Exit,
    Instructions,
    AboutGame,
    AboutAuthor,
    AboutOther,
    AboutVersion,
};

struct MenuItem {
    std::string_view caption;  // "-" for a separator
    std::string_view name;     // mnuNewGame, ...
    MenuAction action;
    bool Separator() const { return caption == "-"; }
};

// A menu of the bar; one without items is a command on the bar itself.
struct Menu {
    std::string_view caption;
    std::string_view name;
    MenuAction action;  // for a command on the bar; None for a menu with items
    std::vector<MenuItem> items;
};

const std::vector<Menu>& MenuBar();

// A caption as it is shown: "&&" is one "&", a lone "&" is dropped and marks the letter
// after it, the access letter; `at` is where that letter stands in `text`, or -1.
struct AccessCaption {
    std::u32string text;
    int at;
};
AccessCaption SplitAccess(std::string_view caption);

// The access letter of a caption, lower case: the character after a lone "&"; 0 if none.
char AccessKey(std::string_view caption);

// The dialog a menu action opens, if it opens one.
std::optional<DialogId> DialogFor(MenuAction action);

}  // namespace vaultmoor
