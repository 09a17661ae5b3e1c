// vaultmoor-firstscreen: writes the page's first screen at build time, so that it shows
// before the WebAssembly runs: the title screen's image (title.png) from the painter, its
// text in the reading layout, the menu bar and the buttons' captions into index.html, and
// the screen's sizes and colours into style.css. Every one from the same C++ the running
// page uses.
//   vaultmoor-firstscreen SOURCE_DIR SITE_DIR [GLYPHS.json]
#include <png.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game.h"
#include "menus.h"
#include "news.h"
#include "painter.h"
#include "reading.h"
#include "screen.h"
#include "textlayout.h"

namespace vaultmoor {
namespace {

// Text for the page's HTML, in an element or in a quoted attribute.
std::string Escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

// A caption's attributes and content: the text shown, the access letter underlined.
struct CaptionHtml {
    std::string attributes;  // data-key (and the key shortcut when asked)
    std::string content;
    std::string text;
};
CaptionHtml Caption(std::string_view caption, bool shortcut) {
    const AccessCaption shown = SplitAccess(caption);
    const char key = AccessKey(caption);
    CaptionHtml c{"", "", EncodeUtf8(shown.text)};
    if (key) {
        c.attributes += std::string(" data-key=\"") + key + '"';
        if (shortcut)
            c.attributes +=
                std::string(" aria-keyshortcuts=\"Alt+") + static_cast<char>(key - 'a' + 'A') + '"';
        const std::u32string& t = shown.text;
        c.content = Escape(EncodeUtf8(t.substr(0, shown.at))) + "<u>" +
                    Escape(EncodeUtf8(t.substr(shown.at, 1))) + "</u>" +
                    Escape(EncodeUtf8(t.substr(shown.at + 1)));
    } else {
        c.content = Escape(c.text);
    }
    return c;
}

// A button of the menu bar or of a menu; those on the bar have a key shortcut.
std::string MenuButton(std::string_view caption, std::string_view name, MenuAction action,
                       bool onBar, std::string_view more = "") {
    const CaptionHtml c = Caption(caption, onBar);
    std::string b =
        "<button type=\"button\" role=\"menuitem\" id=\"" + std::string(name) + '"' + c.attributes;
    const std::optional<DialogId> dialog = DialogFor(action);
    if (action == MenuAction::NewGame) b += " data-act=\"new\"";
    if (action == MenuAction::Exit) b += " data-act=\"exit\"";
    if (dialog)
        b +=
            " data-act=\"dialog\" data-dialog=\"" + std::to_string(static_cast<int>(*dialog)) + '"';
    return b + std::string(more) + '>' + c.content + "</button>";
}

std::string MenuBarHtml() {
    std::string out;
    for (const Menu& m : MenuBar()) {
        if (m.items.empty()) {
            out += MenuButton(m.caption, m.name, m.action, true) + '\n';
            continue;
        }
        out += "<div class=\"menu\">" +
               MenuButton(m.caption, m.name, m.action, true,
                          " aria-haspopup=\"menu\" aria-expanded=\"false\"") +
               "<div role=\"menu\" aria-label=\"" + Escape(Caption(m.caption, false).text) +
               "\" hidden>";
        for (const MenuItem& item : m.items)
            out += item.Separator() ? "<hr role=\"separator\">"
                                    : MenuButton(item.caption, item.name, item.action, false);
        out += "</div></div>\n";
    }
    return out;
}

std::string ReadingText(const ReadingLabel& l) {
    std::string text;
    for (const std::string& line : l.lines) text += (text.empty() ? "" : "\n") + Escape(line);
    return text;
}

std::string ButtonHtml(std::string_view id, std::string_view caption, std::string_view more) {
    const CaptionHtml c = Caption(caption, true);
    return "<button type=\"button\" id=\"" + std::string(id) + '"' + c.attributes +
           std::string(more) + '>' + c.content + "</button>";
}

// The screen's size for the style sheet, which scales the canvas by the zoom and the device
// pixel ratio first.js gives it. With scripting off first.js does not run: the ratio then comes
// from the usual ones (a laptop's scales, a browser's zooms, phones), the nearest below.
std::string ScreenCss(int width, int height) {
    std::ostringstream css;
    css << ":root { --w: " << width << "; --h: " << height << "; }\n";
    css << "@media (scripting: none) {\n";
    for (double ratio : {0.5, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.25, 2.5, 2.625,
                         2.75, 3.0, 3.5, 4.0})
        css << "@media (min-resolution: " << ratio - 0.001 << "dppx) { :root { --r: " << ratio
            << "; } }\n";
    css << "}\n";
    return css.str();
}

// Whether a colour has less than 4.5:1 contrast against black: such text (the red title,
// the green escapes) is set large in the reading layout, where 3:1 reads well.
bool Dim(Rgb c) {
    auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const double y = 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
    return (y + 0.05) / 0.05 < 4.5;
}

// Each colour of the screen's labels as a class; the dim ones large in the reading layout.
std::string InkCss() {
    std::map<std::string, Rgb> inks;
    for (const LabelDesign& d : TextScreenDesign()) inks.emplace(InkClass(d.colour), d.colour);
    inks.emplace(InkClass(PressEnterDesign().colour), PressEnterDesign().colour);
    std::string css;
    for (const auto& [name, c] : inks) {
        css += '.' + name + " { color: #" + Hex(c) + "; }\n";
        if (Dim(c)) css += "#reading p." + name + " { font-size: 1.5rem; }\n";
    }
    return css;
}

// The image as a PNG of its colours (a palette: the screen has only a few).
bool WritePng(const Image& image, const std::string& path) {
    std::map<Pixel, png_byte> index;
    std::vector<png_byte> palette, pixels;
    for (Pixel p : image.pixels) {
        auto [at, added] = index.emplace(p, static_cast<png_byte>(index.size()));
        if (added) {
            if (index.size() > 256) return false;
            for (int shift : {16, 8, 0}) palette.push_back(static_cast<png_byte>(p >> shift));
        }
        pixels.push_back(at->second);
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB_COLORMAP;
    png.colormap_entries = static_cast<png_uint_32>(index.size());
    return png_image_write_to_file(&png, path.c_str(), 0, pixels.data(), 0, palette.data());
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    if (!in) throw std::runtime_error("cannot read " + path);
    return s.str();
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

// A style sheet without its comments, indents and empty lines: fewer bytes to load first.
std::string Trimmed(const std::string& css) {
    std::string out, line;
    for (std::size_t at = 0; at < css.size();) {
        if (css.compare(at, 2, "/*") == 0) {
            const std::size_t end = css.find("*/", at + 2);
            if (end == std::string::npos) throw std::runtime_error("a comment without its end");
            at = end + 2;
        } else if (css[at] == '\n') {
            line.erase(0, line.find_first_not_of(' '));
            line.erase(line.find_last_not_of(' ') + 1);
            if (!line.empty()) out += line + '\n';
            line.clear();
            ++at;
        } else {
            line += css[at++];
        }
    }
    return out + line;
}

// The template with every @NAME@ replaced; a name that is not there is an error.
std::string Fill(std::string text, const std::map<std::string, std::string>& values) {
    for (const auto& [name, value] : values) {
        const std::string key = '@' + name + '@';
        std::size_t at = text.find(key);
        if (at == std::string::npos) throw std::runtime_error("no " + key + " in the page");
        for (; at != std::string::npos; at = text.find(key, at + value.size()))
            text.replace(at, key.size(), value);
    }
    return text;
}

// Each glyph the page's text can show, as rows of bits (the high bit leftmost), for the
// page's test of its web font.
std::string GlyphsJson() {
    std::string out = "{";
    std::u32string glyphs;
    for (char32_t c = 0x21; c < 0x7F; ++c) glyphs += c;
    glyphs += U"\u2261\u03C4\u03B5\u03A3";
    for (char32_t c : glyphs) {
        const std::string quoted = c == '"' || c == '\\' ? std::string{'\\', static_cast<char>(c)}
                                                         : EncodeUtf8(std::u32string(1, c));
        out += (out.size() > 1 ? ",\"" : "\"") + quoted + "\":[";
        const GlyphRows& rows = GlyphOf(c);
        for (std::size_t i = 0; i < rows.size(); ++i)
            out += (i ? "," : "") + std::to_string(rows[i]);
        out += ']';
    }
    return out + "}\n";
}

int Run(const std::string& source, const std::string& site, const char* glyphs) {
    const MainWindow title = Game().frmMain;
    const int width = TwipsToPixels(MainWidthTwips), height = TwipsToPixels(MainHeightTwips);
    if (!WritePng(PaintScreen(title), site + "/title.png")) {
        std::fprintf(stderr, "vaultmoor-firstscreen: cannot write %s/title.png\n", site.c_str());
        return 1;
    }
    std::string reading, prompt = "<div id=\"prompt\" hidden></div>";
    bool hasPrompt = false;
    for (const ReadingLabel& l : ReadingLabels(title)) {
        const std::string attributes =
            " class=\"" + l.classes + '"' + (l.decorative ? " aria-hidden=\"true\"" : "");
        if (l.index < 0) {
            hasPrompt = true;
            prompt = "<div id=\"prompt\"" + attributes + '>' + ReadingText(l) + "</div>";
        } else {
            reading += "<p" + attributes + " data-index=\"" + std::to_string(l.index) + "\">" +
                       ReadingText(l) + "</p>";
        }
    }
    std::string review;
    std::istringstream text(ScreenText(title, Voice::Speech));
    for (std::string line; std::getline(text, line);)
        if (!line.empty()) review += "<p>" + Escape(line) + "</p>";
    const bool barShown = title.txtBox.Visible || title.cmdEnter.Visible || hasPrompt;
    const std::string wide = "(min-width: " + std::to_string(width) + "px)";
    const auto hidden = [](bool shown) { return shown ? "" : " hidden"; };
    Write(site + "/index.html",
          Fill(Read(source + "/index.html"),
               {{"TITLE", Escape(WindowCaption)},
                {"WIDE", wide},
                {"WIDTH", std::to_string(width)},
                {"HEIGHT", std::to_string(height)},
                {"BOXTOP", std::to_string(ToPixels(TxtBoxRect).top)},
                {"MENUBAR", MenuBarHtml()},
                {"READING", reading},
                {"PROMPT", prompt},
                {"BAR", hidden(barShown)},
                {"BOX", hidden(title.txtBox.Visible)},
                {"REVIEW", review},
                {"ENTER", ButtonHtml("cmdEnter", CmdEnterCaption, hidden(title.cmdEnter.Visible))},
                {"CLOSE", ButtonHtml("cmdClose", CloseCaption, " autofocus")}}));
    Write(site + "/style.css", Trimmed(Fill(Read(source + "/style.css"),
                                            {{"WIDE", wide},
                                             {"NARROW", "not all and " + wide},
                                             {"SCREEN", ScreenCss(width, height) + InkCss()}})));
    if (glyphs) Write(glyphs, GlyphsJson());
    return 0;
}

}  // namespace
}  // namespace vaultmoor

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: vaultmoor-firstscreen SOURCE_DIR SITE_DIR [GLYPHS.json]\n", stderr);
        return 2;
    }
    try {
        return vaultmoor::Run(argv[1], argv[2], argc == 4 ? argv[3] : nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vaultmoor-firstscreen: %s\n", e.what());
        return 1;
    }
}
