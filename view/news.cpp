#include "news.h"

#include <algorithm>
#include <cctype>

#include "textlayout.h"

namespace vaultmoor {

const std::vector<ReadingEntry>& ReadingOrder() {
    static const std::vector<ReadingEntry> order = [] {
        std::vector<ReadingEntry> o;
        for (std::size_t i = 0; i < TextScreenDesign().size(); ++i)
            o.push_back({static_cast<int>(i), &TextScreenDesign()[i]});
        std::stable_sort(o.begin(), o.end(), [](const ReadingEntry& a, const ReadingEntry& b) {
            return std::pair(a.design->rect.top, a.design->rect.left) <
                   std::pair(b.design->rect.top, b.design->rect.left);
        });
        o.push_back({-1, &PressEnterDesign()});
        return o;
    }();
    return order;
}

const Label& LabelAt(const MainWindow& w, int index) {
    return index < 0 ? w.lblPressEnter : w.lblText.at(static_cast<std::size_t>(index));
}

namespace {

void AddLines(std::string& out, std::string_view caption) {
    std::string text = ShownText(caption);
    std::replace(text.begin(), text.end(), CR, '\n');
    out += text;
    out += '\n';
}

// The lines as the window draws them: wrapped at its width, cut at its height.
void AddDrawnLines(std::string& out, std::string_view caption, const LabelDesign& design) {
    const PixelRect r = ToPixels(design.rect);
    const TextGrid grid = GridFor(r.width, r.height);
    for (const std::u32string& line : LayoutCaption(caption, grid.columns, grid.rows))
        out += EncodeUtf8(line) + '\n';
}

std::string Spoken(int index, std::string_view caption) {
    return index == EndLabelIndex ? std::string(EndLabelSpoken) : std::string(caption);
}

}  // namespace

bool Decorative(int index, std::string_view caption) {
    if (index < 0) return caption == SeparatorLine;
    return std::none_of(caption.begin(), caption.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

std::string ScreenText(const MainWindow& w, Voice voice) {
    std::string out;
    for (const auto& [index, design] : ReadingOrder()) {
        const Label& label = LabelAt(w, index);
        if (!label.Visible || label.Caption.empty()) continue;
        if (voice == Voice::Text) {
            AddDrawnLines(out, label.Caption, *design);
        } else if (!Decorative(index, label.Caption)) {
            AddLines(out, Spoken(index, label.Caption));
        }
    }
    return out;
}

std::string ScreenNews(const MainWindow& before, const MainWindow& after) {
    std::string out;
    for (const auto& [index, design] : ReadingOrder()) {
        const Label& was = LabelAt(before, index);
        const Label& now = LabelAt(after, index);
        if (!now.Visible || now.Caption.empty() || Decorative(index, now.Caption)) continue;
        // The reply is news every turn, even the same "What?" twice.
        if (index != ReplyIndex && was == now) continue;
        AddLines(out, Spoken(index, now.Caption));
    }
    return out;
}

std::string NewsToTell(const MainWindow& told, const MainWindow& now) {
    return now.txtBox.Visible ? ScreenNews(told, now) : std::string();
}

}  // namespace vaultmoor
