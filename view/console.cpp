#include "console.h"

#include "menus.h"

namespace vaultmoor {

namespace {

int Entries() {
    return static_cast<int>(MenuBar().size());
}

char Lower(char32_t c) {
    return c >= U'A' && c <= U'Z' ? static_cast<char>(c - U'A' + U'a')
                                  : (c < 0x80 ? static_cast<char>(c) : '\0');
}

// The bar entry whose access letter this is, or -1.
int EntryFor(char32_t c) {
    for (int m = 0; m < Entries(); ++m)
        if (Lower(c) != 0 && AccessKey(MenuBar()[static_cast<std::size_t>(m)].caption) == Lower(c))
            return m;
    return -1;
}

}  // namespace

void Console::Press(const Key& key) {
    if (!game_.Running) return;
    if (key.code == KeyCode::CtrlC) {
        // Like File > Exit: every window goes and the program ends.
        dialog_.reset();
        menu_ = -1;
        game_.mnuFileExit_Click();
    } else if (dialog_) {
        PressInDialog(key);
    } else if (menu_ >= 0) {
        PressInMenu(key);
    } else {
        PressOnScreen(key);
    }
    line_.KeepInView(ToCells(TxtBoxRect).width);
}

void Console::PressInDialog(const Key& key) {
    // Modal: Close is the only thing to press.
    const bool close = key.code == KeyCode::Enter || key.code == KeyCode::Escape ||
                       (key.code == KeyCode::Char && key.alt && Lower(key.ch) == 'c');
    if (close) dialog_.reset();
}

void Console::PressInMenu(const Key& key) {
    const Menu& menu = MenuBar()[static_cast<std::size_t>(menu_)];
    switch (key.code) {
        case KeyCode::Escape:
        case KeyCode::F10:
            menu_ = -1;
            return;
        case KeyCode::Left:
        case KeyCode::Right: {
            const int step = key.code == KeyCode::Left ? Entries() - 1 : 1;
            menu_ = (menu_ + step) % Entries();
            item_ = -1;
            MoveItem(1);
            return;
        }
        case KeyCode::Up:
        case KeyCode::Down:
            MoveItem(key.code == KeyCode::Up ? -1 : 1);
            return;
        case KeyCode::Enter: {
            const MenuAction action =
                menu.items.empty()
                    ? menu.action
                    : (item_ >= 0 ? menu.items[static_cast<std::size_t>(item_)].action
                                  : MenuAction::None);
            menu_ = -1;
            Act(action);
            return;
        }
        case KeyCode::Char:
            if (key.alt) {
                if (const int m = EntryFor(key.ch); m >= 0) Open(m);
                return;
            }
            for (const MenuItem& item : menu.items) {
                if (!item.Separator() && AccessKey(item.caption) != 0 &&
                    AccessKey(item.caption) == Lower(key.ch)) {
                    menu_ = -1;
                    Act(item.action);
                    return;
                }
            }
            return;
        default:
            return;
    }
}

void Console::PressOnScreen(const Key& key) {
    if (key.code == KeyCode::F10) {
        Open(0);
        return;
    }
    if (key.code == KeyCode::Char && key.alt) {
        if (const int m = EntryFor(key.ch); m >= 0) {
            Open(m);
        } else if (Lower(key.ch) == AccessKey(CmdEnterCaption)) {
            PlayTurn();
        }
        return;
    }
    if (!game_.frmMain.txtBox.Visible) return;  // no command line to type into
    switch (key.code) {
        case KeyCode::Char:
            line_.Insert(key.ch);
            break;
        case KeyCode::Enter:
            PlayTurn();
            break;
        case KeyCode::Left:
            line_.Left();
            break;
        case KeyCode::Right:
            line_.Right();
            break;
        case KeyCode::Home:
            line_.Home();
            break;
        case KeyCode::End:
            line_.End();
            break;
        case KeyCode::Backspace:
            line_.Backspace();
            break;
        case KeyCode::Delete:
            line_.Delete();
            break;
        case KeyCode::Up:
            if (const auto line = history_.Up(line_.Text())) line_.Set(*line);
            break;
        case KeyCode::Down:
            if (const auto line = history_.Down()) line_.Set(*line);
            break;
        default:
            break;
    }
}

void Console::Open(int menu) {
    const Menu& m = MenuBar()[static_cast<std::size_t>(menu)];
    if (m.items.empty()) {  // a command on the bar itself
        menu_ = -1;
        Act(m.action);
        return;
    }
    menu_ = menu;
    item_ = -1;
    MoveItem(1);
}

void Console::MoveItem(int step) {
    const auto& items = MenuBar()[static_cast<std::size_t>(menu_)].items;
    const int n = static_cast<int>(items.size());
    for (int k = 0, i = item_; k < n; ++k) {
        i = ((i + step) % n + n) % n;
        if (!items[static_cast<std::size_t>(i)].Separator()) {
            item_ = i;
            return;
        }
    }
}

void Console::Act(MenuAction action) {
    if (action == MenuAction::NewGame) NewGame();
    if (action == MenuAction::Exit) game_.mnuFileExit_Click();
    if (const std::optional<DialogId> dialog = DialogFor(action)) dialog_ = dialog;
}

void Console::PlayTurn() {
    if (!game_.InputShown()) return;
    history_.Add(line_.Text());
    game_.Enter(line_.Text());
    line_.Set(game_.frmMain.txtBox.Text);
}

void Console::NewGame() {
    game_.frmMain.txtBox.Text = line_.Text();
    game_.mnuNewGame_Click();
    line_.Set(game_.frmMain.txtBox.Text);
}

Frame Console::Paint(int columns, int rows) const {
    Frame frame{CellGrid(columns, rows), std::nullopt};
    CellGrid& grid = frame.grid;
    if (!Fits(columns, rows)) {
        DrawSizeNote(grid);
        return frame;
    }
    const CellPoint bar = WindowOrigin(columns, rows);
    const CellPoint screen{bar.x, bar.y + 1};
    DrawMenuBar(grid, bar, menu_);
    DrawScreen(grid, screen, game_.frmMain, line_);
    if (menu_ >= 0) DrawMenu(grid, bar, menu_, item_);
    if (dialog_) DrawDialog(grid, screen, *dialog_);
    if (game_.frmMain.txtBox.Visible && menu_ < 0 && !dialog_) {
        const CellRect box = ToCells(TxtBoxRect);
        frame.cursor =
            CellPoint{screen.x + box.x + line_.CursorColumn(), screen.y + CaptionRow(TxtBoxRect)};
    }
    return frame;
}

}  // namespace vaultmoor
