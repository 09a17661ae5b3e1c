// The screen as pixels, with no toolkit: the labels of the main window and the faces of the
// information windows, painted at zoom 1 in the screen font's glyphs. Every front end that
// draws pixels shows these images, each pixel enlarged to a zoom x zoom block.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dialogdesign.h"
#include "screen.h"
#include "textlayout.h"

namespace vaultmoor {

// 0xFFRRGGBB: the byte order of a 32-bit DIB and of a QImage::Format_RGB32.
using Pixel = std::uint32_t;
inline constexpr Pixel Black = 0xFF000000u;
inline constexpr Pixel ToPixel(Rgb c) {
    return 0xFF000000u | (Pixel{c.r} << 16) | (Pixel{c.g} << 8) | Pixel{c.b};
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;  // row by row, top first

    Image() = default;
    Image(int w, int h, Pixel fill = Black);
    Pixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Pixel& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Image&) const = default;
};

// A glyph of the screen font: CellHeight rows of CellWidth pixels, the leftmost pixel in the
// high bit. The top row is blank in every glyph, so lines LinePitch apart do not touch.
using GlyphRows = std::array<std::uint8_t, CellHeight>;

// True when the font has a glyph of its own for the character (else it shows the stand-in).
bool HasGlyph(char32_t c);
const GlyphRows& GlyphOf(char32_t c);

// A label to paint: transparent, wrapped and cut to its own rectangle.
struct ScreenLabel {
    std::string caption;
    bool visible = true;
    Rgb colour = LightGrey;
    PixelRect rect{};  // at zoom 1
    Align align = Align::Left;
};

// The visible labels of the main window in painting order (the text screen, then the
// prompt), and those of a dialog's face.
std::vector<ScreenLabel> ScreenLabels(const MainWindow& m);
std::vector<ScreenLabel> FaceLabels(const DialogDesign& d);

// Paints labels on black, each line of each in its colour, clipped at its rectangle.
Image PaintLabels(int width, int height, const std::vector<ScreenLabel>& labels);

// The main window's screen (578 x 292), without the command box and the button.
Image PaintScreen(const MainWindow& m);
// A dialog's client area with its labels, without the Close button.
Image PaintFace(DialogId id);

// Each pixel an n x n block (n at least 1).
Image Enlarge(const Image& image, int zoom);

}  // namespace vaultmoor
