// vaultmoor-fontatlas: writes the web page's glyph atlas, a PNG of the screen font's cells
// (white ink on transparent), cut by the very code the window draws with.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "atlas.h"
#include "screenfont.h"
#include "textlayout.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vaultmoor-fontatlas OUT.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    using namespace vaultmoor;
    const std::u32string glyphs = AtlasGlyphs();
    const int rows = (static_cast<int>(glyphs.size()) + AtlasColumns - 1) / AtlasColumns;
    QImage atlas(AtlasColumns * CellWidth, rows * CellHeight, QImage::Format_ARGB32);
    atlas.fill(Qt::transparent);
    QPainter p(&atlas);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const int slot = static_cast<int>(i);
        p.drawImage((slot % AtlasColumns) * CellWidth, (slot / AtlasColumns) * CellHeight,
                    ScreenFont::Get().Cell(glyphs[i]));
    }
    p.end();
    if (!atlas.save(QString::fromLocal8Bit(argv[1]), "PNG", 9)) {
        std::fprintf(stderr, "vaultmoor-fontatlas: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
