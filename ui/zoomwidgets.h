// The controls of a zoomed window. Each paints its zoom-1 picture and blows it up by the
// zoom, so that every pixel becomes an n x n block of device pixels at the place the screen
// has for it: the buttons as the style draws them, the command box in the screen font.
#pragma once

#include <QBasicTimer>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <optional>

#include "history.h"

namespace vaultmoor {

// A push button at a whole-number zoom of its zoom-1 geometry, on the panel it stands on.
class ZoomButton : public QPushButton {
  public:
    ZoomButton(const QString& text, QWidget* parent);
    void SetBaseGeometry(QRect rect);  // at zoom 1
    void SetZoom(int zoom, double scale);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect base_;
    int zoom_ = 1;
    double scale_ = 1;
};

// The command box: edits as a line edit does, draws its text and cursor with the glyphs
// of the screen, and walks the commands entered with Up and Down.
class CommandBox : public QLineEdit {
  public:
    explicit CommandBox(QWidget* parent);
    void SetBaseGeometry(QRect rect);  // at zoom 1
    void SetZoom(int zoom, double scale);
    // The text in the box was entered as a command.
    void AddToHistory();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    QRect TextArea(QRect box) const;  // where the text goes in the zoom-1 box
    int PositionAt(QPoint point);     // the cursor position under a point of the widget
    void RestartBlink();

    QRect base_;
    int zoom_ = 1;
    double scale_ = 1;
    QPointF imageAt_;  // where its picture was painted, in logical units
    int scroll_ = 0;   // characters scrolled out on the left
    int anchor_ = 0;
    bool cursorOn_ = true;
    QBasicTimer blink_;
    CommandHistory history_;
};

// Ctrl++ (and Ctrl+=), Ctrl+- and Ctrl+0 and Ctrl+mouse wheel in `window`: `change` gets
// +1, -1, or 0 for back to the opening zoom.
void AttachZoomKeys(QWidget* window, std::function<void(int)> change);

// Gives a top-level window a new fixed size, its centre where it was, kept on its screen.
void ResizeKeepingCentre(QWidget* window, QSize size);

// The zoom remembered between runs (QSettings); nothing when missing or unreadable.
std::optional<int> ReadStoredZoom();
void StoreZoom(int zoom);

}  // namespace vaultmoor
