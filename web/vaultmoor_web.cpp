// The game for the web page: a thin binding of the engine, the painter, the reading layout,
// the dialogs' design and the command history. The page only shows the images and forwards
// keys; its menu bar and first screen are written into the HTML at build time.
//
// A plain C interface, small to load: the page writes a call's text argument (UTF-8) into
// the buffer vm_input gives, calls vm_run with what it asks, and reads the answer from
// vm_output: JSON, plain text, or the RGBA bytes of an image.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogdesign.h"
#include "game.h"
#include "history.h"
#include "keep.h"
#include "news.h"
#include "painter.h"
#include "reading.h"
#include "screen.h"
#include "textlayout.h"

namespace vaultmoor {
namespace {

// What the page asks of vm_run; main.js numbers them alike.
enum class Ask {
    Design,
    NewGame,
    Enter,
    Exit,
    Running,
    InputShown,
    News,
    Review,
    HistoryUp,
    HistoryDown,
    Model,
    Pixels,
    Reading,
    Dialog,
    DialogPixels,
    Kept,
    Restore,
};

std::string Number(long n) {
    if (n < 0) return '-' + Number(-n);
    std::string digits;
    do digits.insert(digits.begin(), static_cast<char>('0' + n % 10));
    while (n /= 10);
    return digits;
}

std::string Bool(bool b) {
    return b ? "true" : "false";
}

std::string Quote(std::string_view s) {
    std::string q = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            q += '\\';
            q += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            q += "\\u00";
            q += "0123456789abcdef"[c >> 4];
            q += "0123456789abcdef"[c & 15];
        } else {
            q += c;
        }
    }
    return q + '"';
}

// {"key": value, ...} from keys and values already written as JSON.
std::string Object(std::initializer_list<std::pair<std::string_view, std::string>> fields) {
    std::string o = "{";
    for (const auto& [key, value] : fields)
        o += (o.size() > 1 ? "," : "") + Quote(key) + ':' + value;
    return o + '}';
}

template <class Items, class Each>
std::string Array(const Items& items, Each each) {
    std::string a = "[";
    for (const auto& item : items) a += (a.size() > 1 ? "," : "") + each(item);
    return a + ']';
}

std::string Rect(const PixelRect& r) {
    return Object({{"left", Number(r.left)},
                   {"top", Number(r.top)},
                   {"width", Number(r.width)},
                   {"height", Number(r.height)}});
}

std::string LabelModel(const Label& l) {
    return Object({{"visible", Bool(l.Visible)}, {"caption", Quote(l.Caption)}});
}

// An image of the painter as RGBA bytes, for the page's ImageData.
std::string Rgba(const Image& image) {
    std::string bytes(image.pixels.size() * 4, '\0');
    char* out = bytes.data();
    for (Pixel p : image.pixels) {
        *out++ = static_cast<char>(p >> 16);
        *out++ = static_cast<char>(p >> 8);
        *out++ = static_cast<char>(p);
        *out++ = static_cast<char>(p >> 24);
    }
    return bytes;
}

std::string OptionalText(const std::optional<std::string>& s) {
    return s ? Quote(*s) : "null";
}

class WebGame {
  public:
    // File > New Game, with what the box holds at that moment.
    void NewGame(const std::string& typed) {
        const MainWindow before = game_.frmMain;
        game_.frmMain.txtBox.Text = typed;
        kept_.NewGame(history_);
        game_.mnuNewGame_Click();
        accepted_ = true;
        news_ = ScreenNews(before, game_.frmMain);
    }

    // The line typed into the box and Enter: false when no turn could run.
    bool Enter(const std::string& line) {
        const MainWindow before = game_.frmMain;
        accepted_ = game_.Enter(line);
        if (accepted_) {
            history_.Add(line);
            kept_.Entered(line);
        }
        news_ = accepted_ ? ScreenNews(before, game_.frmMain) : std::string();
        return accepted_;
    }

    void Exit() {
        game_.mnuFileExit_Click();
        kept_.Exit();
    }

    // The game in progress as the page keeps it (empty: nothing to keep), and a kept one
    // brought back at load: the screen as it was, with nothing new to tell.
    std::string Kept() const { return kept_.Text(); }
    bool Restore(const std::string& text) {
        if (!kept_.Restore(text, game_, history_)) return false;
        accepted_ = true;
        news_.clear();
        return true;
    }
    bool Running() const { return game_.Running; }
    bool InputShown() const { return game_.InputShown(); }
    const std::string& News() const { return news_; }
    std::string Review() const { return ScreenText(game_.frmMain, Voice::Speech); }
    std::string HistoryUp(const std::string& typed) { return OptionalText(history_.Up(typed)); }
    std::string HistoryDown() { return OptionalText(history_.Down()); }

    // The screen model and game state, keyed as vaultmoor-transcript --json.
    std::string Model() const {
        const MainWindow& m = game_.frmMain;
        return Object({
            {"accepted", Bool(accepted_)},
            {"room", Number(game_.CurrentRoom)},
            {"inventory", Array(game_.InventorySlots(), Quote)},
            {"flags", Array(game_.Flags(), [](std::int16_t f) { return Number(f); })},
            {"labels", Array(m.lblText, LabelModel)},
            {"lblPressEnter", LabelModel(m.lblPressEnter)},
            {"txtBox",
             Object({{"visible", Bool(m.txtBox.Visible)}, {"text", Quote(m.txtBox.Text)}})},
            {"cmdEnter", Object({{"visible", Bool(m.cmdEnter.Visible)}})},
        });
    }

    // The screen as the window paints it, at zoom 1.
    std::string Pixels() const { return Rgba(PaintScreen(game_.frmMain)); }

    // The visible labels in reading order, the prompt last: each one's index (-1 for the
    // prompt), its shown lines (cut at the carriage returns), its classes of the style sheet,
    // and whether it is only drawn, not read.
    std::string Reading() const {
        return Array(ReadingLabels(game_.frmMain), [](const ReadingLabel& l) {
            return Object({{"index", Number(l.index)},
                           {"lines", Array(l.lines, Quote)},
                           {"classes", Quote(l.classes)},
                           {"decorative", Bool(l.decorative)}});
        });
    }

  private:
    Game game_;
    CommandHistory history_;
    KeptGame kept_;
    std::string news_;
    bool accepted_ = true;
};

// The window's fixed design: sizes, the command box, the button.
std::string Design() {
    return Object({{"width", Number(TwipsToPixels(MainWidthTwips))},
                   {"height", Number(TwipsToPixels(MainHeightTwips))},
                   {"txtBox", Rect(ToPixels(TxtBoxRect))},
                   {"cmdEnter", Rect(ToPixels(CmdEnterRect))}});
}

// An information window: caption, client size, Close button, and its text as the window
// gives it to screen readers.
std::string Dialog(DialogId id) {
    const DialogDesign& d = DesignOf(id);
    return Object(
        {{"caption", Quote(d.caption)},
         {"width", Number(TwipsToPixels(d.widthTwips))},
         {"height", Number(TwipsToPixels(d.heightTwips))},
         {"close", Rect(ToPixels({d.closeLeft, d.closeTop, CloseWidthTwips, CloseHeightTwips}))},
         {"text", Quote(FaceText(d))}});
}

std::string input, output;

std::string Run(WebGame& game, Ask ask, int n) {
    switch (ask) {
        case Ask::Design:
            return Design();
        case Ask::NewGame:
            game.NewGame(input);
            return {};
        case Ask::Enter:
            return Bool(game.Enter(input));
        case Ask::Exit:
            game.Exit();
            return {};
        case Ask::Running:
            return Bool(game.Running());
        case Ask::InputShown:
            return Bool(game.InputShown());
        case Ask::News:
            return game.News();
        case Ask::Review:
            return game.Review();
        case Ask::HistoryUp:
            return game.HistoryUp(input);
        case Ask::HistoryDown:
            return game.HistoryDown();
        case Ask::Model:
            return game.Model();
        case Ask::Pixels:
            return game.Pixels();
        case Ask::Reading:
            return game.Reading();
        case Ask::Dialog:
            return Dialog(static_cast<DialogId>(n));
        case Ask::DialogPixels:
            return Rgba(PaintFace(static_cast<DialogId>(n)));
        case Ask::Kept:
            return game.Kept();
        case Ask::Restore:
            return Bool(game.Restore(input));
    }
    return {};
}

}  // namespace
}  // namespace vaultmoor

extern "C" {

// Room for the next call's text argument, n bytes of UTF-8.
EMSCRIPTEN_KEEPALIVE char* vm_input(int n) {
    vaultmoor::input.assign(static_cast<std::size_t>(n), '\0');
    return vaultmoor::input.data();
}

// Does what is asked (with the text argument and a number); the answer's size in bytes.
EMSCRIPTEN_KEEPALIVE int vm_run(int ask, int n) {
    static vaultmoor::WebGame game;
    vaultmoor::output = vaultmoor::Run(game, static_cast<vaultmoor::Ask>(ask), n);
    return static_cast<int>(vaultmoor::output.size());
}

EMSCRIPTEN_KEEPALIVE const char* vm_output() {
    return vaultmoor::output.data();
}
}
