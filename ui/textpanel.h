// A black panel that shows the painted labels of the game's screen font, enlarged to the
// zoom: the text screen of the main window and the face of each information dialog.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "painter.h"

namespace vaultmoor {

// The painter's image as a QImage sharing its pixels (valid while `image` lives).
QImage AsQImage(const Image& image);

class TextPanel : public QWidget {
  public:
    // `size` is the panel's size at zoom 1.
    TextPanel(QSize size, QWidget* parent = nullptr);

    // Every pixel of the panel becomes a zoom x zoom block.
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }

    void SetLabels(const std::vector<ScreenLabel>& labels);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Image painted_;
    QSize base_;  // at zoom 1
    int zoom_ = 1;
};

}  // namespace vaultmoor
