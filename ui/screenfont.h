// The screen font for the window's own widgets: the 8x13 fixed-pitch bitmap font, built into
// the program, and its glyphs drawn from the painter's table so that any zoom stays crisp.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <string_view>

class QPainter;

namespace vaultmoor {

class ScreenFont {
  public:
    // The font of the running program; loaded on first use (needs a QGuiApplication).
    static const ScreenFont& Get();

    // The same font for the command box.
    QFont WidgetFont() const { return widgetFont_; }

    // The glyph cell of a character: CellWidth x CellHeight, white ink on transparent.
    QImage Cell(char32_t cp) const;

    // Draws one line of text in `colour`, its top-left corner at `topLeft` (logical
    // pixels). Each character takes one cell; lines are LinePitch apart.
    void DrawLine(QPainter& p, QPoint topLeft, std::u32string_view line, QColor colour) const;

  private:
    ScreenFont();

    QFont widgetFont_;
};

}  // namespace vaultmoor
