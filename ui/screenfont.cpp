#include "screenfont.h"

#include <QFontDatabase>
#include <QPainter>
#include <QResource>
#include <QString>

#include "painter.h"

namespace vaultmoor {

namespace {

// The font is stored uncompressed in the program and used where it lies, not copied.
QByteArray LoadFontData() {
    const QResource r(QStringLiteral(":/fonts/8x13.pcf"));
    if (!r.isValid()) qFatal("vaultmoor: the screen font is missing");
    if (r.compressionAlgorithm() != QResource::NoCompression) return r.uncompressedData();
    return QByteArray::fromRawData(reinterpret_cast<const char*>(r.data()),
                                   static_cast<qsizetype>(r.size()));
}

// Rows [from, CellHeight) of each glyph of `line`, side by side, in `ink` on transparent.
QImage Glyphs(std::u32string_view line, QRgb ink, int from) {
    QImage image(static_cast<int>(line.size()) * CellWidth, CellHeight - from,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const GlyphRows& rows = GlyphOf(line[i]);
        for (int row = from; row < CellHeight; ++row) {
            for (int col = 0; col < CellWidth; ++col) {
                if (rows[row] & (0x80 >> col))
                    image.setPixel(static_cast<int>(i) * CellWidth + col, row - from, ink);
            }
        }
    }
    return image;
}

}  // namespace

const ScreenFont& ScreenFont::Get() {
    static const ScreenFont font;
    return font;
}

ScreenFont::ScreenFont() {
    const int id = QFontDatabase::addApplicationFontFromData(LoadFontData());
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) qFatal("vaultmoor: the screen font cannot be read");
    widgetFont_ = QFont(families.first());
    widgetFont_.setPixelSize(CellHeight);
    widgetFont_.setFixedPitch(true);
    widgetFont_.setStyleHint(QFont::TypeWriter);
    widgetFont_.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferBitmap));
}

QImage ScreenFont::Cell(char32_t cp) const {
    return Glyphs(std::u32string_view(&cp, 1), 0xFFFFFFFFu, 0);
}

void ScreenFont::DrawLine(QPainter& p, QPoint topLeft, std::u32string_view line,
                          QColor colour) const {
    // The blank top row of each cell is left out, so lines stand LinePitch apart.
    p.drawImage(topLeft, Glyphs(line, qPremultiply(colour.rgba()), CellHeight - LinePitch));
}

}  // namespace vaultmoor
