// How a label of the text screen lays out its caption: a grid of fixed-pitch character
// cells, word wrap at blanks, a break at each carriage return, cut at the label's height.
// Plain C++, no window toolkit: the window paints what this returns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "screen.h"

namespace vaultmoor {

// One character cell of the screen font, in pixels at zoom 1.
inline constexpr int CellWidth = 8;
inline constexpr int CellHeight = 13;
// Lines stand 12 pixels apart: the top row of every glyph cell is blank, so the rows
// can overlap by one pixel. This is the 180-twip line of the game's screens.
inline constexpr int LinePitch = 12;
// Twips per pixel at zoom 1.
inline constexpr int TwipsPerPixel = 15;

// Twips to pixels at zoom 1, rounded to the nearest pixel.
int TwipsToPixels(int twips);

struct PixelRect {
    int left, top, width, height;
    bool operator==(const PixelRect&) const = default;
};
PixelRect ToPixels(const TwipRect& r);

// How many characters a label holds across, and how many lines down are at least partly
// inside it (each at least 1). A line that is only partly inside is clipped when drawn.
struct TextGrid {
    int columns;
    int rows;
    bool operator==(const TextGrid&) const = default;
};
TextGrid GridFor(int width_px, int height_px);

// UTF-8 to code points; a malformed sequence becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view s);
std::string EncodeUtf8(std::u32string_view s);
// A text on one line: '\' written "\\" and a line feed "\n".
std::string EscapeLineFeeds(std::string_view s);

// The lines a label shows for a caption: "&&" shows as "&" and a lone "&" is dropped;
// each carriage return starts a new line; a line longer than `columns` wraps at its last
// blank, the blanks at the wrap point are dropped; a word longer than a line is broken;
// lines beyond `rows` are cut.
std::vector<std::u32string> LayoutCaption(std::string_view caption, int columns, int rows);

// Left edge, in pixels from the label's left, of a line of `length` characters.
int LineOffset(Align align, int width_px, std::size_t length);

// A line of a label at its place on the screen: left edge and top, in pixels at zoom 1 or
// in character cells.
struct PlacedLine {
    int x;
    int y;
    std::u32string text;
    bool operator==(const PlacedLine&) const = default;
};

// The lines of a label as the window draws them, LinePitch apart from its top; the last may
// be only partly inside (the window clips it at the label's edge).
std::vector<PlacedLine> PlaceCaption(std::string_view caption, const PixelRect& r, Align align);

// The same on a text-mode screen, one cell for CellWidth x LinePitch pixels: the same lines
// (the same wrap), each at its pixel place rounded to the nearest cell, and only those at
// least half inside the label, so labels apart on the window stay apart on cells.
std::vector<PlacedLine> PlaceCaptionInCells(std::string_view caption, const PixelRect& r,
                                            Align align);

// A pixel position to the nearest cell, across and down.
int CellColumn(int x_px);
int CellRow(int y_px);

}  // namespace vaultmoor
