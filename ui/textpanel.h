// A black panel that paints labels of the game's screen font: the text screen of the
// main window and the face of each information dialog.
#pragma once

#include <QColor>
#include <QWidget>
#include <string>
#include <vector>

#include "screen.h"
#include "textlayout.h"

namespace vaultmoor {

struct ScreenLabel {
    std::string caption;
    bool visible = true;
    Rgb colour = LightGrey;
    PixelRect rect{};  // at zoom 1
    Align align = Align::Left;
};

// Paints labels on a painter already scaled to the zoom: transparent, each wrapped and
// cut to its own rectangle.
void PaintLabels(QPainter& p, const std::vector<ScreenLabel>& labels);

class TextPanel : public QWidget {
  public:
    // `size` is the panel's size at zoom 1.
    TextPanel(QSize size, QWidget* parent = nullptr);

    // Every pixel of the panel becomes a zoom x zoom block.
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }

    void SetLabels(std::vector<ScreenLabel> labels);
    const std::vector<ScreenLabel>& Labels() const { return labels_; }

    // The panel drawn into an image at a whole-number zoom: at zoom 1 exactly what the
    // widget shows, without the child controls; at zoom n each pixel becomes n x n.
    QImage Render(int zoom = 1) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<ScreenLabel> labels_;
    QSize base_;  // at zoom 1
    int zoom_ = 1;
};

}  // namespace vaultmoor
