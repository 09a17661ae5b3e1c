// The screen font: the 8x13 fixed-pitch bitmap font, built into the program, drawn from
// an atlas of glyph cells made at zoom 1 so that any whole-number zoom stays crisp.
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRawFont>
#include <string_view>

class QPainter;

namespace vaultmoor {

class ScreenFont {
  public:
    // The font of the running program; loaded on first use (needs a QGuiApplication).
    static const ScreenFont& Get();

    // The same font for the command box.
    QFont WidgetFont() const { return widgetFont_; }

    // True when the font has a glyph of its own for the character.
    bool HasGlyph(char32_t cp) const;

    // The glyph cell of a character: CellWidth x CellHeight, white ink on transparent.
    QImage Cell(char32_t cp) const;

    // Draws one line of text in `colour`, its top-left corner at `topLeft` (logical
    // pixels). Each character takes one cell; lines are LinePitch apart.
    void DrawLine(QPainter& p, QPoint topLeft, std::u32string_view line, QColor colour) const;

  private:
    ScreenFont();
    int Slot(char32_t cp) const;  // the atlas slot of a character, added on first use
    QRect SlotRect(int slot) const;

    QRawFont raw_;
    QFont widgetFont_;
    mutable QHash<char32_t, int> slots_;
    mutable QImage mask_;                 // white glyph cells, Columns per row
    mutable QHash<QRgb, QImage> tinted_;  // the atlas in each colour used
};

}  // namespace vaultmoor
