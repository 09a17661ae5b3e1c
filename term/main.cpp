// vaultmoor-term: the game full-screen in a text terminal, on ncurses. This file only
// reads keys and paints the cells that Console composes.
#include <curses.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <exception>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>

#include "console.h"
#include "terminfo.h"

namespace vaultmoor {
namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal) {
    stopSignal = signal;
}

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a blocked read returns
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(s, &action, nullptr);
}

enum class Colours { None, Eight, Palette, Direct };

// The terminal type to open: with COLORTERM=truecolor (or 24bit) the "-direct" variant of
// the terminal, when its description is installed.
std::string TerminalType() {
    const char* term = std::getenv("TERM");
    const char* colorterm = std::getenv("COLORTERM");
    if (!term || !*term) return "dumb";
    std::string name = term;
    if (!colorterm ||
        (std::strcmp(colorterm, "truecolor") != 0 && std::strcmp(colorterm, "24bit") != 0))
        return name;
    if (name.find("direct") != std::string::npos) return name;
    const std::string direct = name.substr(0, name.find('-')) + "-direct";
    return TerminalTypeKnown(direct.c_str()) ? direct : name;
}

class Terminal;
Terminal* openTerminal = nullptr;  // for std::terminate to give the terminal back

class Terminal {
  public:
    Terminal() {
        const std::string type = TerminalType();
        screen_ = newterm(type.c_str(), stdout, stdin);
        if (!screen_) throw std::runtime_error("cannot open the terminal " + type);
        const char* cup = tigetstr("cup");
        if (!cup || cup == reinterpret_cast<char*>(-1)) {
            Restore();
            throw std::runtime_error("the terminal " + type + " cannot place the cursor");
        }
        raw();  // Ctrl+C is a key, and ends the game like File > Exit
        noecho();
        nonl();
        keypad(stdscr, TRUE);
        meta(stdscr, TRUE);
        set_escdelay(25);
        wtimeout(stdscr, 200);  // to notice a stop signal
        const char* noColour = std::getenv("NO_COLOR");
        if ((!noColour || !*noColour) && has_colors() && start_color() == OK) {
            use_default_colors();
            if (COLORS >= 0x1000000)
                colours_ = Colours::Direct;
            else if (COLORS >= 256)
                colours_ = Colours::Palette;
            else if (COLORS >= 8)
                colours_ = Colours::Eight;
        }
        openTerminal = this;
    }
    ~Terminal() {
        Restore();
        openTerminal = nullptr;
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    void Restore() {
        if (!screen_) return;
        curs_set(1);
        endwin();
        delscreen(screen_);
        screen_ = nullptr;
    }

    void Paint(const Frame& frame) {
        const CellGrid& grid = frame.grid;
        for (int y = 0; y < grid.Rows() && y < LINES; ++y) {
            for (int x = 0; x < grid.Columns() && x < COLS; ++x) {
                const Cell& c = grid.At(x, y);
                wchar_t text[2] = {Printable(c.ch), L'\0'};
                attr_t attrs = (c.marks & Underline) ? A_UNDERLINE : A_NORMAL;
                int pair = 0;
                if (colours_ == Colours::None) {
                    if (c.marks & Reverse) attrs |= A_REVERSE;
                } else if (!(c.marks & Outside)) {
                    pair = Pair(c.fg, c.bg);
                }
                cchar_t cell;
                setcchar(&cell, text, attrs, 0, &pair);
                // The bottom right cell is inserted: writing it would move the cursor past
                // the end of the screen.
                if (y == LINES - 1 && x == COLS - 1)
                    mvins_wch(y, x, &cell);
                else
                    mvadd_wch(y, x, &cell);
            }
        }
        if (frame.cursor) {
            move(frame.cursor->y, frame.cursor->x);
            curs_set(1);
        } else {
            curs_set(0);
        }
        refresh();
    }

    // The next key; nothing when none came or it means nothing to the game.
    std::optional<Key> Read(bool& resized) {
        wint_t ch = 0;
        const int kind = get_wch(&ch);
        if (kind == ERR) return std::nullopt;
        if (kind == KEY_CODE_YES) return Special(ch, resized);
        if (ch == 27) {
            // Alt+letter comes as Escape and the letter at once.
            wtimeout(stdscr, 0);
            wint_t next = 0;
            const int nextKind = get_wch(&next);
            wtimeout(stdscr, 200);
            if (nextKind == OK && next != 27 && static_cast<wint_t>(Printable(next)) == next)
                return Key{KeyCode::Char, static_cast<char32_t>(next), true};
            if (nextKind == KEY_CODE_YES) {
                const std::optional<Key> special = Special(next, resized);
                return special ? special : Key{KeyCode::Escape};  // a resize keeps the Escape
            }
            if (nextKind == OK) unget_wch(static_cast<wchar_t>(next));  // another key's start
            return Key{KeyCode::Escape};
        }
        return Plain(ch);
    }

  private:
    static wchar_t Printable(char32_t c) {
        // One cell each; anything else would move the cells after it.
        const auto w = static_cast<wchar_t>(c);
        return c <= 0x10FFFF && wcwidth(w) == 1 ? w : L'\uFFFD';
    }

    static std::optional<Key> Plain(wint_t ch) {
        switch (ch) {
            case 3:
                return Key{KeyCode::CtrlC};
            case 9:
                return Key{KeyCode::Tab};
            case 13:
            case 10:
                return Key{KeyCode::Enter};
            case 8:
            case 127:
                return Key{KeyCode::Backspace};
            default:
                break;
        }
        const auto c = static_cast<char32_t>(ch);
        if (c > 0x10FFFF || wcwidth(static_cast<wchar_t>(c)) != 1) return std::nullopt;
        return Key{KeyCode::Char, c};
    }

    static std::optional<Key> Special(wint_t ch, bool& resized) {
        switch (ch) {
            case KEY_RESIZE:
                resized = true;
                return std::nullopt;
            case KEY_ENTER:
                return Key{KeyCode::Enter};
            case KEY_LEFT:
                return Key{KeyCode::Left};
            case KEY_RIGHT:
                return Key{KeyCode::Right};
            case KEY_UP:
                return Key{KeyCode::Up};
            case KEY_DOWN:
                return Key{KeyCode::Down};
            case KEY_HOME:
                return Key{KeyCode::Home};
            case KEY_END:
                return Key{KeyCode::End};
            case KEY_BACKSPACE:
                return Key{KeyCode::Backspace};
            case KEY_DC:
                return Key{KeyCode::Delete};
            default:
                return ch == static_cast<wint_t>(KEY_F(10)) ? std::optional<Key>(Key{KeyCode::F10})
                                                            : std::nullopt;
        }
    }

    int Colour(Rgb c) const {
        switch (colours_) {
            case Colours::Direct: {
                // Direct-colour terminals take the values 0..7 for their own palette: black
                // would be the theme's black, so it is sent one step above.
                const int rgb = (c.r << 16) | (c.g << 8) | c.b;
                return rgb < 8 ? 0x010101 : rgb;
            }
            case Colours::Palette:
                return Nearest256(c);
            default:
                return Nearest8(c);
        }
    }

    int Pair(Rgb fg, Rgb bg) {
        const auto key = std::make_tuple(fg.r, fg.g, fg.b, bg.r, bg.g, bg.b);
        const auto found = pairs_.find(key);
        if (found != pairs_.end()) return found->second;
        const int pair = alloc_pair(Colour(fg), Colour(bg));
        return pairs_[key] = pair < 0 ? 0 : pair;
    }

    SCREEN* screen_ = nullptr;
    Colours colours_ = Colours::None;
    std::map<std::tuple<int, int, int, int, int, int>, int> pairs_;
};

int Play() {
    Terminal terminal;
    Console console;
    bool repaint = true;
    while (console.Running() && !stopSignal) {
        if (repaint) terminal.Paint(console.Paint(COLS, LINES));
        bool resized = false;
        const std::optional<Key> key = terminal.Read(resized);
        if (resized) clear();
        // Too small a terminal shows no game to play; only Ctrl+C counts then.
        if (key && (Fits(COLS, LINES) || key->code == KeyCode::CtrlC)) console.Press(*key);
        repaint = key.has_value() || resized;
    }
    return 0;
}

}  // namespace
}  // namespace vaultmoor

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    // The plain C locale knows no "≡" nor "τhε Σnd": take it as UTF-8, as today's terminals are.
    const char* ctype = std::setlocale(LC_CTYPE, nullptr);
    if (ctype && (std::strcmp(ctype, "C") == 0 || std::strcmp(ctype, "POSIX") == 0))
        std::setlocale(LC_CTYPE, "C.UTF-8");
    if (argc > 1) {
        std::fprintf(stderr, "vaultmoor-term: takes no arguments, not %s\n", argv[1]);
        return 2;
    }
    vaultmoor::CatchStopSignals();
    std::set_terminate([] {
        // Whatever went wrong, the terminal is given back as it was found.
        if (vaultmoor::openTerminal) vaultmoor::openTerminal->Restore();
        std::fputs("vaultmoor-term: stopped by an error\n", stderr);
        std::_Exit(2);
    });
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        std::fputs("vaultmoor-term: needs a terminal (vaultmoor-transcript plays without one)\n",
                   stderr);
        return 1;
    }
    try {
        const int status = vaultmoor::Play();
        if (const int signal = vaultmoor::stopSignal) {
            // The terminal is back as it was; now end as the signal would have.
            std::signal(signal, SIG_DFL);
            std::raise(signal);
        }
        return status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vaultmoor-term: %s\n", e.what());
        return 1;
    }
}
