#include "reading.h"

#include "news.h"

namespace vaultmoor {

std::string Hex(Rgb c) {
    std::string hex;
    for (std::uint8_t v : {c.r, c.g, c.b}) {
        hex += "0123456789abcdef"[v >> 4];
        hex += "0123456789abcdef"[v & 15];
    }
    return hex;
}

std::string InkClass(Rgb c) {
    return "ink-" + Hex(c);
}

std::vector<ReadingLabel> ReadingLabels(const MainWindow& m) {
    std::vector<ReadingLabel> out;
    for (const auto& [index, design] : ReadingOrder()) {
        const Label& l = LabelAt(m, index);
        if (!l.Visible || l.Caption.empty()) continue;
        ReadingLabel r{index, {}, InkClass(design->colour), Decorative(index, l.Caption)};
        const std::string text = ShownText(l.Caption);
        for (std::size_t at = 0;;) {
            const std::size_t cr = text.find(CR, at);
            r.lines.push_back(text.substr(at, cr - at));
            if (cr == std::string::npos) break;
            at = cr + 1;
        }
        r.classes += design->align == Align::Centre  ? " center"
                     : design->align == Align::Right ? " right"
                                                     : "";
        if (r.decorative) r.classes += " rule";
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace vaultmoor
