#include "textpanel.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "zoom.h"

namespace vaultmoor {

QImage AsQImage(const Image& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_RGB32);
}

QPointF DrawOnDevicePixels(QPainter& p, const QImage& image, QPoint corner, QPoint at) {
    const QTransform device = p.deviceTransform();
    const QPointF start = device.map(QPointF(corner));
    const QPoint place =
        QPoint(FirstDevicePixel(start.x(), 1), FirstDevicePixel(start.y(), 1)) + at;
    p.save();
    p.setWorldTransform(device.inverted());  // painting in device pixels
    p.drawImage(place, image);
    p.restore();
    return device.inverted().map(QPointF(place));
}

TextPanel::TextPanel(QSize size, QWidget* parent)
    : QWidget(parent), painted_(size.width(), size.height()), base_(size) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void TextPanel::SetZoom(int zoom, QSize logical) {
    zoom_ = std::max(1, zoom);
    enlarged_ = QImage();
    setFixedSize(logical);
    update();
}

void TextPanel::SetLabels(const std::vector<ScreenLabel>& labels) {
    painted_ = PaintLabels(base_.width(), base_.height(), labels);
    enlarged_ = QImage();
    update();
}

void TextPanel::paintEvent(QPaintEvent*) {
    if (enlarged_.isNull()) enlarged_ = AsQImage(Enlarge(painted_, zoom_)).copy();
    QPainter p(this);
    p.fillRect(rect(), Qt::black);  // the part of a device pixel left over at the edges
    DrawOnDevicePixels(p, enlarged_, {}, {});
}

}  // namespace vaultmoor
