#include "painter.h"

#include <algorithm>
#include <utility>

namespace vaultmoor {

namespace {

struct Glyph {
    char32_t code;
    GlyphRows rows;
};

// The font keeps its stand-in for unknown characters at U+0080, a control code never drawn as
// itself (subset-font.sh).
constexpr char32_t StandIn = U'\u0080';

const std::vector<Glyph>& Glyphs() {
    static const std::vector<Glyph> glyphs = [] {
        std::vector<Glyph> g = {
#include "glyphs.inc"
        };
        std::sort(g.begin(), g.end(),
                  [](const Glyph& a, const Glyph& b) { return a.code < b.code; });
        return g;
    }();
    return glyphs;
}

const Glyph* Find(char32_t c) {
    const std::vector<Glyph>& g = Glyphs();
    const auto it = std::lower_bound(g.begin(), g.end(), c,
                                     [](const Glyph& a, char32_t code) { return a.code < code; });
    return it != g.end() && it->code == c ? &*it : nullptr;
}

}  // namespace

Image::Image(int w, int h, Pixel fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

bool HasGlyph(char32_t c) {
    return c >= U' ' && c != U'\uFFFD' && Find(c) != nullptr;
}

const GlyphRows& GlyphOf(char32_t c) {
    static const GlyphRows& standIn = Find(StandIn)->rows;
    return HasGlyph(c) ? Find(c)->rows : standIn;
}

std::vector<ScreenLabel> ScreenLabels(const MainWindow& m) {
    std::vector<ScreenLabel> labels;
    labels.reserve(m.lblText.size() + 1);
    auto add = [&](const LabelDesign& d, const Label& l) {
        labels.push_back({l.Caption, l.Visible, d.colour, ToPixels(d.rect), d.align});
    };
    for (std::size_t i = 0; i < m.lblText.size(); ++i) add(TextScreenDesign()[i], m.lblText[i]);
    add(PressEnterDesign(), m.lblPressEnter);
    return labels;
}

std::vector<ScreenLabel> FaceLabels(const DialogDesign& d) {
    std::vector<ScreenLabel> labels;
    for (const DialogLabel& l : d.labels)
        labels.push_back({l.caption, true, l.colour, ToPixels(l.rect), l.align});
    return labels;
}

Image PaintLabels(int width, int height, const std::vector<ScreenLabel>& labels) {
    Image image(width, height);
    for (const ScreenLabel& label : labels) {
        if (!label.visible || label.caption.empty()) continue;
        const Pixel ink = ToPixel(label.colour);
        // Cut at the label's pixel edge, not at a whole line.
        const PixelRect& r = label.rect;
        const int left = std::max(0, r.left), right = std::min(width, r.left + r.width);
        const int top = std::max(0, r.top), bottom = std::min(height, r.top + r.height);
        for (const PlacedLine& line : PlaceCaption(label.caption, r, label.align)) {
            int x = line.x;
            for (char32_t c : line.text) {
                const GlyphRows& rows = GlyphOf(c);
                // The blank top row of each cell is left out, so lines stand LinePitch apart.
                for (int row = CellHeight - LinePitch; row < CellHeight; ++row) {
                    const int y = line.y + row - (CellHeight - LinePitch);
                    if (y < top || y >= bottom || rows[row] == 0) continue;
                    for (int col = 0; col < CellWidth; ++col) {
                        const int px = x + col;
                        if ((rows[row] & (0x80 >> col)) && px >= left && px < right)
                            image.At(px, y) = ink;
                    }
                }
                x += CellWidth;
            }
        }
    }
    return image;
}

Image PaintScreen(const MainWindow& m) {
    return PaintLabels(TwipsToPixels(MainWidthTwips), TwipsToPixels(MainHeightTwips),
                       ScreenLabels(m));
}

Image PaintFace(DialogId id) {
    const DialogDesign& d = DesignOf(id);
    return PaintLabels(TwipsToPixels(d.widthTwips), TwipsToPixels(d.heightTwips), FaceLabels(d));
}

Image Enlarge(const Image& image, int zoom) {
    zoom = std::max(1, zoom);
    if (zoom == 1) return image;
    Image big(image.width * zoom, image.height * zoom);
    for (int y = 0; y < big.height; ++y) {
        const Pixel* src = &image.pixels[static_cast<std::size_t>(y / zoom) * image.width];
        Pixel* dst = &big.pixels[static_cast<std::size_t>(y) * big.width];
        for (int x = 0; x < big.width; ++x) dst[x] = src[x / zoom];
    }
    return big;
}

}  // namespace vaultmoor
