// The game for the web page: a thin binding of the engine, the painter, the reading layout,
// the dialogs' design and the command history. The page only shows the images and forwards
// keys; its menu bar and first screen are written into the HTML at build time.
#include <emscripten/bind.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogdesign.h"
#include "game.h"
#include "history.h"
#include "news.h"
#include "painter.h"
#include "reading.h"
#include "screen.h"
#include "textlayout.h"

namespace vaultmoor {
namespace {

using emscripten::val;

val Rect(const PixelRect& r) {
    val o = val::object();
    o.set("left", r.left);
    o.set("top", r.top);
    o.set("width", r.width);
    o.set("height", r.height);
    return o;
}

val LabelModel(const Label& l) {
    val o = val::object();
    o.set("visible", l.Visible);
    o.set("caption", l.Caption);
    return o;
}

// An image of the painter as RGBA bytes for the page's ImageData: a view on the module's
// memory, valid until the next call.
val Rgba(const Image& image) {
    static std::vector<std::uint8_t> bytes;
    bytes.resize(image.pixels.size() * 4);
    std::uint8_t* out = bytes.data();
    for (Pixel p : image.pixels) {
        *out++ = static_cast<std::uint8_t>(p >> 16);
        *out++ = static_cast<std::uint8_t>(p >> 8);
        *out++ = static_cast<std::uint8_t>(p);
        *out++ = static_cast<std::uint8_t>(p >> 24);
    }
    return val(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

val OptionalText(const std::optional<std::string>& s) {
    return s ? val(*s) : val::undefined();
}

class WebGame {
  public:
    // File > New Game, with what the box holds at that moment.
    void NewGame(const std::string& typed) {
        const MainWindow before = game_.frmMain;
        game_.frmMain.txtBox.Text = typed;
        game_.mnuNewGame_Click();
        accepted_ = true;
        news_ = ScreenNews(before, game_.frmMain);
    }

    // The line typed into the box and Enter: false when no turn could run.
    bool Enter(const std::string& line) {
        const MainWindow before = game_.frmMain;
        accepted_ = game_.Enter(line);
        if (accepted_) history_.Add(line);
        news_ = accepted_ ? ScreenNews(before, game_.frmMain) : std::string();
        return accepted_;
    }

    void Exit() { game_.mnuFileExit_Click(); }
    bool Running() const { return game_.Running; }
    bool InputShown() const { return game_.InputShown(); }
    std::string News() const { return news_; }
    std::string Review() const { return ScreenText(game_.frmMain, Voice::Speech); }
    val HistoryUp(const std::string& typed) { return OptionalText(history_.Up(typed)); }
    val HistoryDown() { return OptionalText(history_.Down()); }

    // The screen model and game state, keyed as vaultmoor-transcript --json.
    val Model() const {
        const MainWindow& m = game_.frmMain;
        val labels = val::array();
        for (const Label& l : m.lblText) labels.call<void>("push", LabelModel(l));
        val inventory = val::array();
        for (const std::string& s : game_.InventorySlots()) inventory.call<void>("push", s);
        val flags = val::array();
        for (std::int16_t f : game_.Flags()) flags.call<void>("push", f);
        val txtBox = val::object();
        txtBox.set("visible", m.txtBox.Visible);
        txtBox.set("text", m.txtBox.Text);
        val cmdEnter = val::object();
        cmdEnter.set("visible", m.cmdEnter.Visible);
        val o = val::object();
        o.set("accepted", accepted_);
        o.set("room", game_.CurrentRoom);
        o.set("inventory", inventory);
        o.set("flags", flags);
        o.set("labels", labels);
        o.set("lblPressEnter", LabelModel(m.lblPressEnter));
        o.set("txtBox", txtBox);
        o.set("cmdEnter", cmdEnter);
        return o;
    }

    // The screen as the window paints it, at zoom 1.
    val Pixels() const { return Rgba(PaintScreen(game_.frmMain)); }

    // The visible labels in reading order, the prompt last: each one's index (-1 for the
    // prompt), its shown lines (cut at the carriage returns), its classes of the style sheet,
    // and whether it is only drawn, not read.
    val Reading() const {
        val out = val::array();
        for (const ReadingLabel& l : ReadingLabels(game_.frmMain)) {
            val lines = val::array();
            for (const std::string& line : l.lines) lines.call<void>("push", line);
            val o = val::object();
            o.set("index", l.index);
            o.set("lines", lines);
            o.set("classes", l.classes);
            o.set("decorative", l.decorative);
            out.call<void>("push", o);
        }
        return out;
    }

  private:
    Game game_;
    CommandHistory history_;
    std::string news_;
    bool accepted_ = true;
};

// The window's fixed design: sizes, the command box, the button.
val Design() {
    val o = val::object();
    o.set("width", TwipsToPixels(MainWidthTwips));
    o.set("height", TwipsToPixels(MainHeightTwips));
    o.set("txtBox", Rect(ToPixels(TxtBoxRect)));
    o.set("cmdEnter", Rect(ToPixels(CmdEnterRect)));
    return o;
}

// An information window: caption, client size, Close button and its face as painted.
val Dialog(int id) {
    const DialogDesign& d = DesignOf(static_cast<DialogId>(id));
    val o = val::object();
    o.set("caption", std::string(d.caption));
    o.set("width", TwipsToPixels(d.widthTwips));
    o.set("height", TwipsToPixels(d.heightTwips));
    o.set("close", Rect(ToPixels({d.closeLeft, d.closeTop, CloseWidthTwips, CloseHeightTwips})));
    o.set("pixels", Rgba(PaintFace(static_cast<DialogId>(id))));
    o.set("text", FaceText(d));  // as the window gives it to screen readers
    return o;
}

}  // namespace
}  // namespace vaultmoor

EMSCRIPTEN_BINDINGS(vaultmoor) {
    using namespace vaultmoor;
    emscripten::class_<WebGame>("Game")
        .constructor<>()
        .function("newGame", &WebGame::NewGame)
        .function("enter", &WebGame::Enter)
        .function("exit", &WebGame::Exit)
        .function("running", &WebGame::Running)
        .function("inputShown", &WebGame::InputShown)
        .function("news", &WebGame::News)
        .function("review", &WebGame::Review)
        .function("historyUp", &WebGame::HistoryUp)
        .function("historyDown", &WebGame::HistoryDown)
        .function("model", &WebGame::Model)
        .function("pixels", &WebGame::Pixels)
        .function("reading", &WebGame::Reading);
    emscripten::function("design", &Design);
    emscripten::function("dialog", &Dialog);
}
