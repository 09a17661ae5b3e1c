#include "reading.h"

#include <cmath>
#include <cstdio>

#include "news.h"

namespace vaultmoor {

std::string InkClass(Rgb c) {
    char name[16];
    std::snprintf(name, sizeof name, "ink-%02x%02x%02x", c.r, c.g, c.b);
    return name;
}

bool Dim(Rgb c) {
    auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const double y = 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
    return (y + 0.05) / 0.05 < 4.5;
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
        if (Dim(design->colour)) r.classes += " large";
        if (r.decorative) r.classes += " rule";
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace vaultmoor
