// The game for the web page: a thin binding of the engine, the label layout, the dialogs'
// design, the menu bar and the command history. The page only draws and forwards keys.
#include <emscripten/bind.h>

#include <optional>
#include <string>
#include <vector>

#include "atlas.h"
#include "dialogdesign.h"
#include "game.h"
#include "history.h"
#include "menus.h"
#include "news.h"
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

// One label as the window paints it: its pixel rectangle (the clip), its colour and its
// lines, each a row of atlas slots (-1 for a blank) at its left edge.
val LaidOut(const std::string& caption, Rgb colour, const PixelRect& r, Align align) {
    val lines = val::array();
    for (const PlacedLine& line : PlaceCaption(caption, r, align)) {
        val slots = val::array();
        for (std::size_t i = 0; i < line.text.size(); ++i)
            slots.set(i, line.text[i] == U' ' ? -1 : AtlasSlot(line.text[i]));
        val l = val::object();
        l.set("x", line.x);
        l.set("y", line.y);
        l.set("slots", slots);
        lines.call<void>("push", l);
    }
    val o = Rect(r);
    o.set("colour", val::array(std::vector<int>{colour.r, colour.g, colour.b}));
    o.set("lines", lines);
    return o;
}

// A caption with an access letter: the text shown, the letter (lower case, "" if none) and
// where it stands in the shown text (-1 if none).
val Caption(std::string_view caption) {
    const AccessCaption shown = SplitAccess(caption);
    const char key = AccessKey(caption);
    val o = val::object();
    o.set("text", EncodeUtf8(shown.text));
    o.set("key", key ? std::string(1, key) : std::string());
    o.set("at", key ? shown.at : -1);
    return o;
}

const char* AlignName(Align a) {
    return a == Align::Centre ? "center" : a == Align::Right ? "right" : "left";
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

    // The visible labels of the screen, laid out, in the window's painting order.
    val Screen() const {
        val out = val::array();
        const MainWindow& m = game_.frmMain;
        auto add = [&](const LabelDesign& d, const Label& l) {
            if (l.Visible && !l.Caption.empty())
                out.call<void>("push", LaidOut(l.Caption, d.colour, ToPixels(d.rect), d.align));
        };
        for (std::size_t i = 0; i < m.lblText.size(); ++i) add(TextScreenDesign()[i], m.lblText[i]);
        add(PressEnterDesign(), m.lblPressEnter);
        return out;
    }

    // The visible labels in reading order, the prompt last: each one's index (-1 for the
    // prompt), its shown lines (cut at the carriage returns), colour and alignment, and
    // whether it is only drawn, not read.
    val Reading() const {
        val out = val::array();
        for (const auto& [index, design] : ReadingOrder()) {
            const Label& l = LabelAt(game_.frmMain, index);
            if (!l.Visible || l.Caption.empty()) continue;
            val lines = val::array();
            const std::string text = ShownText(l.Caption);
            for (std::size_t at = 0;;) {
                const std::size_t cr = text.find(CR, at);
                lines.call<void>("push", text.substr(at, cr - at));
                if (cr == std::string::npos) break;
                at = cr + 1;
            }
            const Rgb c = design->colour;
            val o = val::object();
            o.set("index", index);
            o.set("lines", lines);
            o.set("colour", val::array(std::vector<int>{c.r, c.g, c.b}));
            o.set("align", std::string(AlignName(design->align)));
            o.set("decorative", Decorative(index, l.Caption));
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

// The window's fixed design: sizes, the command box, the button, the title.
val Design() {
    val o = val::object();
    o.set("width", TwipsToPixels(MainWidthTwips));
    o.set("height", TwipsToPixels(MainHeightTwips));
    o.set("txtBox", Rect(ToPixels(TxtBoxRect)));
    o.set("cmdEnter", Rect(ToPixels(CmdEnterRect)));
    o.set("cmdEnterCaption", Caption(CmdEnterCaption));
    o.set("title", std::string(WindowCaption));
    o.set("atlasColumns", AtlasColumns);
    return o;
}

// An information window: caption, client size, Close button and its labels laid out.
val Dialog(int id) {
    const DialogDesign& d = DesignOf(static_cast<DialogId>(id));
    val labels = val::array();
    for (const DialogLabel& l : d.labels)
        labels.call<void>("push", LaidOut(l.caption, l.colour, ToPixels(l.rect), l.align));
    val o = val::object();
    o.set("caption", std::string(d.caption));
    o.set("width", TwipsToPixels(d.widthTwips));
    o.set("height", TwipsToPixels(d.heightTwips));
    o.set("close", Rect(ToPixels({d.closeLeft, d.closeTop, CloseWidthTwips, CloseHeightTwips})));
    o.set("closeCaption", Caption(CloseCaption));
    o.set("labels", labels);
    o.set("text", FaceText(d));  // as the window gives it to screen readers
    return o;
}

// What a menu entry does on the page: "new", "exit", "dialog" (with its number) or "" for a
// menu of items or a separator.
void SetAction(val& o, MenuAction action) {
    const std::optional<DialogId> dialog = DialogFor(action);
    o.set("act", action == MenuAction::NewGame ? "new"
                 : action == MenuAction::Exit  ? "exit"
                 : dialog                      ? "dialog"
                                               : "");
    o.set("dialog", dialog ? static_cast<int>(*dialog) : -1);
}

// The menu bar of the window, menus and items in order.
val Menus() {
    val bar = val::array();
    for (const Menu& m : MenuBar()) {
        val items = val::array();
        for (const MenuItem& item : m.items) {
            val i = val::object();
            i.set("caption", Caption(item.caption));
            i.set("name", std::string(item.name));
            i.set("separator", item.Separator());
            SetAction(i, item.action);
            items.call<void>("push", i);
        }
        val o = val::object();
        o.set("caption", Caption(m.caption));
        o.set("name", std::string(m.name));
        o.set("items", items);
        SetAction(o, m.action);
        bar.call<void>("push", o);
    }
    return bar;
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
        .function("screen", &WebGame::Screen)
        .function("reading", &WebGame::Reading);
    emscripten::function("design", &Design);
    emscripten::function("dialog", &Dialog);
    emscripten::function("menus", &Menus);
}
