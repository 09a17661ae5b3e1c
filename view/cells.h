// The screen on character cells: one cell for 8 x 12 pixels of the window, each with its
// character and colours. The text-mode front end paints exactly these cells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogdesign.h"
#include "lineedit.h"
#include "screen.h"
#include "textlayout.h"

namespace vaultmoor {

inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Navy{0, 0, 128};  // the highlight of an open menu

// Marks a cell carries besides its colours.
enum CellMark : std::uint8_t {
    Underline = 1,  // an access letter, the command box
    Reverse = 2,    // shown in reverse video when there are no colours: highlights, buttons
    Outside = 4,    // beyond the window: the terminal's own colours
};

struct Cell {
    char32_t ch = U' ';
    Rgb fg = LightGrey;
    Rgb bg = Black;
    std::uint8_t marks = Outside;
    bool operator==(const Cell&) const = default;
};

class CellGrid {
  public:
    CellGrid(int columns, int rows);
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < columns_ && y < rows_; }
    const Cell& At(int x, int y) const;
    // Writes a cell; nothing happens outside the grid.
    void Put(int x, int y, const Cell& c);
    void Fill(int x, int y, int width, int height, const Cell& c);
    void Write(int x, int y, std::u32string_view text, Rgb fg, Rgb bg, std::uint8_t marks = 0);
    // A caption with its access letter ("&") underlined.
    void WriteCaption(int x, int y, std::string_view caption, Rgb fg, Rgb bg,
                      std::uint8_t marks = 0);
    // The characters of a row, for reading the grid back.
    std::u32string Text(int y) const;
    bool operator==(const CellGrid&) const = default;

  private:
    std::size_t Index(int x, int y) const;
    int columns_, rows_;
    std::vector<Cell> cells_;
};

// The window's screen on cells, and the rows it needs with the menu bar above it.
inline constexpr int ScreenColumns = 72;  // 578 pixels
inline constexpr int ScreenRows = 24;     // 292 pixels, the text ends above a 25th row
inline constexpr int NeedColumns = ScreenColumns;
inline constexpr int NeedRows = ScreenRows + 1;
// Whether a terminal of that size has room for the screen and its menu bar.
bool Fits(int columns, int rows);

// A rectangle on cells: left, top, width, height.
struct CellRect {
    int x, y, width, height;
    bool operator==(const CellRect&) const = default;
};
// A control's rectangle on cells: each edge at its nearest cell, at least one cell.
CellRect ToCells(const TwipRect& r);
// The row a control's caption stands on: the row that holds its middle.
int CaptionRow(const TwipRect& r);

// Where the window's top left corner (its menu bar) is on a terminal of that size.
struct CellPoint {
    int x, y;
    bool operator==(const CellPoint&) const = default;
};
CellPoint WindowOrigin(int columns, int rows);

// The labels of the screen, the prompt, the command box and the Enter button, at `origin`
// (the screen's top left cell).
void DrawScreen(CellGrid& grid, CellPoint origin, const MainWindow& window, const LineEdit& box);
// The menu bar at `origin`, the window's width; `open` is the highlighted entry, or -1.
void DrawMenuBar(CellGrid& grid, CellPoint origin, int open);
// The open menu's items below its entry on the bar, `item` highlighted.
void DrawMenu(CellGrid& grid, CellPoint origin, int menu, int item);
// A dialog over the screen: frame, title, labels and the Close button.
void DrawDialog(CellGrid& grid, CellPoint screen, DialogId id);
// Where a dialog's client area is, centred over the screen at `screen` and inside the grid.
CellRect DialogClient(const CellGrid& grid, CellPoint screen, DialogId id);
// In too small a terminal: the size it needs.
void DrawSizeNote(CellGrid& grid);
std::string SizeNote(int columns, int rows);

// The nearest colour of xterm's 256 that every terminal shows alike: the 6x6x6 cube and
// the grey ramp (16..255).
int Nearest256(Rgb c);
// The nearest of the eight basic colours (0 black .. 7 white), taken as the window's own.
int Nearest8(Rgb c);

}  // namespace vaultmoor
