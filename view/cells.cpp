#include "cells.h"

#include <algorithm>
#include <stdexcept>

#include "menus.h"

namespace vaultmoor {

CellGrid::CellGrid(int columns, int rows)
    : columns_(std::max(0, columns)),
      rows_(std::max(0, rows)),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

std::size_t CellGrid::Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(x);
}

const Cell& CellGrid::At(int x, int y) const {
    if (!Inside(x, y)) throw std::out_of_range("cell outside the grid");
    return cells_[Index(x, y)];
}

void CellGrid::Put(int x, int y, const Cell& c) {
    if (Inside(x, y)) cells_[Index(x, y)] = c;
}

void CellGrid::Fill(int x, int y, int width, int height, const Cell& c) {
    for (int row = y; row < y + height; ++row)
        for (int col = x; col < x + width; ++col) Put(col, row, c);
}

void CellGrid::Write(int x, int y, std::u32string_view text, Rgb fg, Rgb bg, std::uint8_t marks) {
    for (char32_t ch : text) Put(x++, y, {ch, fg, bg, marks});
}

void CellGrid::WriteCaption(int x, int y, std::string_view caption, Rgb fg, Rgb bg,
                            std::uint8_t marks) {
    const AccessCaption shown = SplitAccess(caption);
    for (std::size_t i = 0; i < shown.text.size(); ++i) {
        const bool access = static_cast<int>(i) == shown.at;
        Put(x++, y,
            {shown.text[i], fg, bg, static_cast<std::uint8_t>(marks | (access ? Underline : 0))});
    }
}

std::u32string CellGrid::Text(int y) const {
    std::u32string row;
    for (int x = 0; x < columns_; ++x) row += At(x, y).ch;
    return row;
}

CellRect ToCells(const TwipRect& r) {
    const PixelRect p = ToPixels(r);
    const int x = CellColumn(p.left);
    const int y = CellRow(p.top);
    return {x, y, std::max(1, CellColumn(p.left + p.width) - x),
            std::max(1, CellRow(p.top + p.height) - y)};
}

int CaptionRow(const TwipRect& r) {
    const PixelRect p = ToPixels(r);
    return (p.top + p.height / 2) / LinePitch;
}

bool Fits(int columns, int rows) {
    return columns >= NeedColumns && rows >= NeedRows;
}

CellPoint WindowOrigin(int columns, int rows) {
    return {std::max(0, (columns - NeedColumns) / 2), std::max(0, (rows - NeedRows) / 2)};
}

namespace {

constexpr Cell ScreenCell{U' ', LightGrey, Black, 0};
constexpr Rgb Face = LightGrey;  // menus and buttons

// A label's lines, transparent as the window's labels are: blanks leave what is below.
void DrawLabel(CellGrid& grid, CellPoint at, std::string_view caption, Rgb colour,
               const TwipRect& rect, Align align) {
    for (const PlacedLine& line : PlaceCaptionInCells(caption, ToPixels(rect), align)) {
        int x = at.x + line.x;
        for (char32_t ch : line.text) {
            if (ch != U' ') grid.Put(x, at.y + line.y, {ch, colour, Black, 0});
            ++x;
        }
    }
}

int ShownLength(std::string_view caption) {
    return static_cast<int>(DecodeUtf8(ShownText(caption)).size());
}

// A push button: its caption centred on the face, on the row of its middle.
void DrawButton(CellGrid& grid, CellPoint at, const TwipRect& rect, std::string_view caption) {
    const CellRect r = ToCells(rect);
    const int row = at.y + CaptionRow(rect);
    grid.Fill(at.x + r.x, row, r.width, 1, {U' ', Black, Face, Reverse});
    grid.WriteCaption(at.x + r.x + std::max(0, (r.width - ShownLength(caption)) / 2), row, caption,
                      Black, Face, Reverse);
}

void DrawFrame(CellGrid& grid, int x, int y, int width, int height, Rgb fg, Rgb bg) {
    const int right = x + width - 1;
    const int bottom = y + height - 1;
    for (int col = x + 1; col < right; ++col) {
        grid.Put(col, y, {U'─', fg, bg, 0});
        grid.Put(col, bottom, {U'─', fg, bg, 0});
    }
    for (int row = y + 1; row < bottom; ++row) {
        grid.Put(x, row, {U'│', fg, bg, 0});
        grid.Put(right, row, {U'│', fg, bg, 0});
    }
    grid.Put(x, y, {U'┌', fg, bg, 0});
    grid.Put(right, y, {U'┐', fg, bg, 0});
    grid.Put(x, bottom, {U'└', fg, bg, 0});
    grid.Put(right, bottom, {U'┘', fg, bg, 0});
}

// A menu entry or item: white on navy while highlighted, else black on the face.
Cell EntryCell(bool lit) {
    return lit ? Cell{U' ', White, Navy, Reverse} : Cell{U' ', Black, Face, 0};
}

// The column of a menu's entry on the bar, from the bar's left: " File  Instructions ".
int EntryColumn(int menu) {
    int x = 0;
    for (int m = 0; m < menu; ++m)
        x += ShownLength(MenuBar()[static_cast<std::size_t>(m)].caption) + 2;
    return x;
}

}  // namespace

void DrawScreen(CellGrid& grid, CellPoint at, const MainWindow& window, const LineEdit& box) {
    grid.Fill(at.x, at.y, ScreenColumns, ScreenRows, ScreenCell);
    for (std::size_t i = 0; i < window.lblText.size(); ++i) {
        const Label& label = window.lblText[i];
        const LabelDesign& d = TextScreenDesign()[i];
        if (label.Visible) DrawLabel(grid, at, label.Caption, d.colour, d.rect, d.align);
    }
    const LabelDesign& prompt = PressEnterDesign();
    if (window.lblPressEnter.Visible)
        DrawLabel(grid, at, window.lblPressEnter.Caption, prompt.colour, prompt.rect, prompt.align);
    if (window.txtBox.Visible) {
        const CellRect r = ToCells(TxtBoxRect);
        const int row = at.y + CaptionRow(TxtBoxRect);
        grid.Fill(at.x + r.x, row, r.width, 1, {U' ', LightGrey, Black, Underline});
        grid.Write(at.x + r.x, row, box.Shown(r.width), LightGrey, Black, Underline);
    }
    if (window.cmdEnter.Visible) DrawButton(grid, at, CmdEnterRect, CmdEnterCaption);
}

void DrawMenuBar(CellGrid& grid, CellPoint at, int open) {
    grid.Fill(at.x, at.y, ScreenColumns, 1, {U' ', Black, Face, 0});
    const auto& bar = MenuBar();
    for (std::size_t m = 0; m < bar.size(); ++m) {
        const Cell face = EntryCell(static_cast<int>(m) == open);
        const int x = at.x + EntryColumn(static_cast<int>(m));
        grid.Fill(x, at.y, ShownLength(bar[m].caption) + 2, 1, face);
        grid.WriteCaption(x + 1, at.y, bar[m].caption, face.fg, face.bg, face.marks);
    }
}

void DrawMenu(CellGrid& grid, CellPoint at, int menu, int item) {
    if (menu < 0 || menu >= static_cast<int>(MenuBar().size())) return;
    const Menu& m = MenuBar()[static_cast<std::size_t>(menu)];
    if (m.items.empty()) return;
    int inner = 0;
    for (const MenuItem& it : m.items) inner = std::max(inner, ShownLength(it.caption) + 2);
    const int x = at.x + EntryColumn(menu);
    const int top = at.y + 1;
    const int height = static_cast<int>(m.items.size()) + 2;
    grid.Fill(x, top, inner + 2, height, {U' ', Black, Face, 0});
    DrawFrame(grid, x, top, inner + 2, height, Black, Face);
    for (std::size_t i = 0; i < m.items.size(); ++i) {
        const int row = top + 1 + static_cast<int>(i);
        if (m.items[i].Separator()) {
            grid.Put(x, row, {U'├', Black, Face, 0});
            grid.Fill(x + 1, row, inner, 1, {U'─', Black, Face, 0});
            grid.Put(x + inner + 1, row, {U'┤', Black, Face, 0});
            continue;
        }
        const Cell face = EntryCell(static_cast<int>(i) == item);
        grid.Fill(x + 1, row, inner, 1, face);
        grid.WriteCaption(x + 2, row, m.items[i].caption, face.fg, face.bg, face.marks);
    }
}

CellRect DialogClient(const CellGrid& grid, CellPoint screen, DialogId id) {
    const DialogDesign& d = DesignOf(id);
    const int width = CellColumn(TwipsToPixels(d.widthTwips));
    const int height = CellRow(TwipsToPixels(d.heightTwips));
    // With its frame and title line one cell larger on each side; kept inside the grid.
    int x = screen.x + (ScreenColumns - width) / 2 - 1;
    int y = screen.y + (ScreenRows - height) / 2 - 1;
    x = std::max(0, std::min(x, grid.Columns() - width - 2));
    y = std::max(0, std::min(y, grid.Rows() - height - 2));
    return {x + 1, y + 1, width, height};
}

void DrawDialog(CellGrid& grid, CellPoint screen, DialogId id) {
    const DialogDesign& d = DesignOf(id);
    const CellRect c = DialogClient(grid, screen, id);
    grid.Fill(c.x - 1, c.y - 1, c.width + 2, c.height + 2, ScreenCell);
    DrawFrame(grid, c.x - 1, c.y - 1, c.width + 2, c.height + 2, LightGrey, Black);
    // The title line: the caption on the frame's top, as on a title bar.
    const std::u32string title = U" " + DecodeUtf8(d.caption) + U" ";
    grid.Write(c.x + std::max(0, (c.width - static_cast<int>(title.size())) / 2), c.y - 1, title,
               White, Navy, Reverse);
    for (const DialogLabel& l : d.labels)
        DrawLabel(grid, {c.x, c.y}, l.caption, l.colour, l.rect, l.align);
    DrawButton(grid, {c.x, c.y}, {d.closeLeft, d.closeTop, CloseWidthTwips, CloseHeightTwips},
               CloseCaption);
}

std::string SizeNote(int columns, int rows) {
    return "Vaultmoor needs " + std::to_string(NeedColumns) + " x " + std::to_string(NeedRows) +
           " (now " + std::to_string(columns) + " x " + std::to_string(rows) + ")";
}

void DrawSizeNote(CellGrid& grid) {
    const std::string note = SizeNote(grid.Columns(), grid.Rows());
    // One line; wrapped at its blanks where the terminal is narrower still.
    const auto lines = LayoutCaption(note, grid.Columns(), grid.Rows());
    const int top = (grid.Rows() - static_cast<int>(lines.size())) / 2;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int x = (grid.Columns() - static_cast<int>(lines[i].size())) / 2;
        grid.Write(x, top + static_cast<int>(i), lines[i], LightGrey, Black, Outside);
    }
}

namespace {

constexpr int Square(int v) {
    return v * v;
}
int Distance(Rgb a, int r, int g, int b) {
    return Square(a.r - r) + Square(a.g - g) + Square(a.b - b);
}

}  // namespace

int Nearest256(Rgb c) {
    static constexpr int Levels[6] = {0, 95, 135, 175, 215, 255};
    auto level = [](int v) {
        int best = 0;
        for (int i = 1; i < 6; ++i)
            if (std::abs(Levels[i] - v) < std::abs(Levels[best] - v)) best = i;
        return best;
    };
    const int r = level(c.r), g = level(c.g), b = level(c.b);
    int best = 16 + 36 * r + 6 * g + b;
    int bestDistance = Distance(c, Levels[r], Levels[g], Levels[b]);
    for (int i = 0; i < 24; ++i) {
        const int v = 8 + 10 * i;
        if (const int d = Distance(c, v, v, v); d < bestDistance) {
            bestDistance = d;
            best = 232 + i;
        }
    }
    return best;
}

int Nearest8(Rgb c) {
    // Black, red, green, yellow, blue, magenta, cyan, white, as the window draws them.
    static constexpr Rgb Basic[8] = {{0, 0, 0},   {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                     {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192}};
    int best = 0;
    for (int i = 1; i < 8; ++i)
        if (Distance(c, Basic[i].r, Basic[i].g, Basic[i].b) <
            Distance(c, Basic[best].r, Basic[best].g, Basic[best].b))
            best = i;
    return best;
}

}  // namespace vaultmoor
