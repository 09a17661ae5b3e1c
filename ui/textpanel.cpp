#include "textpanel.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "screenfont.h"

namespace vaultmoor {

void PaintLabels(QPainter& p, const std::vector<ScreenLabel>& labels) {
    const ScreenFont& font = ScreenFont::Get();
    for (const ScreenLabel& label : labels) {
        if (!label.visible || label.caption.empty()) continue;
        const QColor colour(label.colour.r, label.colour.g, label.colour.b);
        // Like the old labels, cut at the label's pixel edge, not at a whole line.
        p.save();
        p.setClipRect(QRect(label.rect.left, label.rect.top, label.rect.width, label.rect.height));
        for (const PlacedLine& line : PlaceCaption(label.caption, label.rect, label.align))
            font.DrawLine(p, QPoint(line.x, line.y), line.text, colour);
        p.restore();
    }
}

TextPanel::TextPanel(QSize size, QWidget* parent) : QWidget(parent), base_(size) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void TextPanel::SetZoom(int zoom) {
    zoom_ = std::max(1, zoom);
    setFixedSize(base_ * zoom_);
    update();
}

void TextPanel::SetLabels(std::vector<ScreenLabel> labels) {
    labels_ = std::move(labels);
    update();
}

void TextPanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
    p.scale(zoom_, zoom_);
    PaintLabels(p, labels_);
}

QImage TextPanel::Render(int zoom) const {
    zoom = std::max(1, zoom);
    QImage image(base_ * zoom, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.scale(zoom, zoom);
    PaintLabels(p, labels_);
    return image;
}

}  // namespace vaultmoor
