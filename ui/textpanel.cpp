#include "textpanel.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace vaultmoor {

QImage AsQImage(const Image& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_RGB32);
}

TextPanel::TextPanel(QSize size, QWidget* parent)
    : QWidget(parent), painted_(size.width(), size.height()), base_(size) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void TextPanel::SetZoom(int zoom) {
    zoom_ = std::max(1, zoom);
    setFixedSize(base_ * zoom_);
    update();
}

void TextPanel::SetLabels(const std::vector<ScreenLabel>& labels) {
    painted_ = PaintLabels(base_.width(), base_.height(), labels);
    update();
}

void TextPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QRect(QPoint(), base_ * zoom_), AsQImage(painted_));
}

}  // namespace vaultmoor
