// A black panel that shows the painted labels of the game's screen font, enlarged to the
// zoom: the text screen of the main window and the face of each information dialog.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "painter.h"

class QPainter;

namespace vaultmoor {

// The painter's image as a QImage sharing its pixels (valid while `image` lives).
QImage AsQImage(const Image& image);

// Draws `image` one to one on the device pixels under `p`, `at` device pixels from the first
// whole device pixel at or after `corner` (logical, in the painted widget's coordinates).
// Returns where the image went, in the widget's logical coordinates.
QPointF DrawOnDevicePixels(QPainter& p, const QImage& image, QPoint corner, QPoint at);

class TextPanel : public QWidget {
  public:
    // `size` is the panel's size at zoom 1.
    TextPanel(QSize size, QWidget* parent = nullptr);

    // Every pixel of the panel becomes a zoom x zoom block of device pixels, in a panel
    // of `logical` size that holds them.
    void SetZoom(int zoom, QSize logical);
    int Zoom() const { return zoom_; }
    QSize Base() const { return base_; }
    const Image& Painted() const { return painted_; }  // at zoom 1

    void SetLabels(const std::vector<ScreenLabel>& labels);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Image painted_;
    QImage enlarged_;  // the painted image at the zoom
    QSize base_;       // at zoom 1
    int zoom_ = 1;
};

}  // namespace vaultmoor
