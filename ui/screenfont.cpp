#include "screenfont.h"

#include <QFontDatabase>
#include <QPainter>
#include <QResource>
#include <QString>
#include <vector>

#include "textlayout.h"

namespace vaultmoor {

namespace {

constexpr int AtlasColumns = 32;
constexpr char32_t Replacement = U'\uFFFD';
// The built-in font holds its replacement glyph at U+0080, which keeps the font's code table
// small (subset-font.sh).
constexpr char32_t ReplacementCode = U'\u0080';

// The characters every screen of the game uses, placed in the atlas up front.
std::u32string Preloaded() {
    std::u32string s;
    for (char32_t c = 0x20; c < 0x7F; ++c) s += c;
    s += U"\u2261\u03C4\u03B5\u03A3\uFFFD";
    return s;
}

// The font is stored uncompressed in the program and used where it lies, not copied.
QByteArray LoadFontData() {
    const QResource r(QStringLiteral(":/fonts/8x13.pcf"));
    if (!r.isValid()) qFatal("vaultmoor: the screen font is missing");
    if (r.compressionAlgorithm() != QResource::NoCompression) return r.uncompressedData();
    return QByteArray::fromRawData(reinterpret_cast<const char*>(r.data()),
                                   static_cast<qsizetype>(r.size()));
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
    // The glyphs of the atlas come from the same loaded font as the command box's.
    raw_ = QRawFont::fromFont(widgetFont_);
    if (!raw_.isValid()) qFatal("vaultmoor: the screen font cannot be read");

    for (char32_t c : Preloaded()) Slot(c);
}

bool ScreenFont::HasGlyph(char32_t cp) const {
    if (cp == Replacement) cp = ReplacementCode;
    return cp >= 0x20 && raw_.supportsCharacter(static_cast<uint>(cp));
}

QRect ScreenFont::SlotRect(int slot) const {
    return {(slot % AtlasColumns) * CellWidth, (slot / AtlasColumns) * CellHeight, CellWidth,
            CellHeight};
}

int ScreenFont::Slot(char32_t cp) const {
    if (cp == Replacement || !HasGlyph(cp)) cp = ReplacementCode;
    if (auto it = slots_.constFind(cp); it != slots_.constEnd()) return *it;

    const int slot = static_cast<int>(slots_.size());
    const int rows = slot / AtlasColumns + 1;
    if (mask_.isNull() || mask_.height() < rows * CellHeight) {
        QImage grown(AtlasColumns * CellWidth, (rows + 3) * CellHeight,
                     QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        if (!mask_.isNull()) {
            QPainter p(&grown);
            p.drawImage(0, 0, mask_);
        }
        mask_ = grown;
    }

    const QString text = QString::fromUcs4(&cp, 1);
    const QList<quint32> glyphs = raw_.glyphIndexesForString(text);
    if (!glyphs.isEmpty()) {
        const QImage alpha = raw_.alphaMapForGlyph(glyphs.first(), QRawFont::PixelAntialiasing);
        const QRectF box = raw_.boundingRect(glyphs.first());
        const QRect cell = SlotRect(slot);
        const int ox = cell.x() + qRound(box.x());
        const int oy = cell.y() + qRound(raw_.ascent() + box.y());
        const bool hasAlpha = alpha.hasAlphaChannel();
        for (int y = 0; y < alpha.height(); ++y) {
            for (int x = 0; x < alpha.width(); ++x) {
                const int tx = ox + x;
                const int ty = oy + y;
                if (!cell.contains(tx, ty)) continue;
                // A bitmap font: a pixel is ink or not.
                const QRgb px = alpha.pixel(x, y);
                if ((hasAlpha ? qAlpha(px) : qGray(px)) >= 128) mask_.setPixel(tx, ty, 0xFFFFFFFFu);
            }
        }
    }
    slots_.insert(cp, slot);
    tinted_.clear();
    return slot;
}

QImage ScreenFont::Cell(char32_t cp) const {
    return mask_.copy(SlotRect(Slot(cp)));
}

void ScreenFont::DrawLine(QPainter& p, QPoint topLeft, std::u32string_view line,
                          QColor colour) const {
    // Map every character first: adding a glyph replaces the tinted atlases.
    std::vector<int> cells;
    cells.reserve(line.size());
    for (char32_t c : line) cells.push_back(c == U' ' ? -1 : Slot(c));

    const QRgb key = colour.rgba();
    auto it = tinted_.find(key);
    if (it == tinted_.end()) {
        QImage tinted(mask_.size(), QImage::Format_ARGB32_Premultiplied);
        tinted.fill(Qt::transparent);
        const QRgb ink = qPremultiply(key);
        for (int y = 0; y < mask_.height(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(mask_.constScanLine(y));
            auto* dst = reinterpret_cast<QRgb*>(tinted.scanLine(y));
            for (int x = 0; x < mask_.width(); ++x) {
                if (qAlpha(src[x]) != 0) dst[x] = ink;
            }
        }
        it = tinted_.insert(key, tinted);
    }

    // The blank top row of each cell is left out, so lines stand LinePitch apart.
    constexpr int skip = CellHeight - LinePitch;
    int x = topLeft.x();
    for (int slot : cells) {
        if (slot >= 0) {
            const QRect src = SlotRect(slot).adjusted(0, skip, 0, 0);
            p.drawImage(QRect(x, topLeft.y(), CellWidth, LinePitch), *it, src);
        }
        x += CellWidth;
    }
}

}  // namespace vaultmoor
