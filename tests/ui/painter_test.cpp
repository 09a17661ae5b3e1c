// The painted screen against the golden images: the one place the look is checked. The
// window, the page and the Windows program only check that they show this image unchanged.
#include "painter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "game.h"
#include "textpanel.h"

namespace vaultmoor {
namespace {

void ExpectGolden(const Image& painted, const char* name) {
    const QString path = QDir(QStringLiteral(VAULTMOOR_GOLDEN_DIR)).filePath(name);
    const QImage actual = AsQImage(painted);
    if (qEnvironmentVariableIntValue("VAULTMOOR_UPDATE_GOLDEN") == 1) actual.save(path, "PNG");
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (golden != actual) actual.save(QDir::temp().filePath(QStringLiteral("actual-") + name));
    EXPECT_TRUE(golden == actual) << name << " differs; painted image kept in "
                                  << QDir::tempPath().toStdString();
}

TEST(Painter, TheGameScreensAndTheInstructionsAsTheGoldenImages) {
    ExpectGolden(PaintScreen(DesignWindow()), "title.png");
    Game g;
    g.mnuNewGame_Click();
    g.Enter("");
    g.Enter("get bible");
    ExpectGolden(PaintScreen(g.frmMain), "cell-bible.png");
    for (const char* command : {"push floor", "go south", "anything"}) g.Enter(command);
    ExpectGolden(PaintScreen(g.frmMain), "end.png");
    ExpectGolden(PaintFace(DialogId::Instructions), "instructions.png");
}

TEST(Painter, EveryCharacterOfTheScreensHasAGlyphAndOthersTheStandIn) {
    const MainWindow design = DesignWindow();
    std::vector<std::string> captions{StoryText, SeparatorLine, EndLabelText, "&&"};
    for (const Label& l : design.lblText) captions.push_back(l.Caption);
    for (std::size_t d = 0; d < DialogCount; ++d)
        for (const DialogLabel& l : DesignOf(static_cast<DialogId>(d)).labels)
            captions.push_back(l.caption);
    for (const std::string& caption : captions)
        for (char32_t c : DecodeUtf8(caption))
            EXPECT_TRUE(c == U'\r' || HasGlyph(c)) << std::hex << std::uint32_t{c};

    const GlyphRows& standIn = GlyphOf(U'\uFFFD');
    EXPECT_NE(standIn, GlyphOf(U'?'));
    for (char32_t c : {U'\t', U'\r', U'\x7F', U'\u4E00', U'\U0001F600'}) {
        EXPECT_FALSE(HasGlyph(c)) << std::hex << std::uint32_t{c};
        EXPECT_EQ(GlyphOf(c), standIn);
    }
}

TEST(Painter, ALabelIsCutAtItsOwnEdgesAndEnlargedPixelForPixel) {
    const ScreenLabel label{"HH", true, White, {3, 2, 12, 5}, Align::Left};
    const Image image = PaintLabels(20, 10, {label});
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            EXPECT_TRUE(image.At(x, y) == Black || (x >= 3 && x < 15 && y >= 2 && y < 7))
                << x << "," << y;
    EXPECT_EQ(image.At(4, 3), ToPixel(White));  // the H's left stem, its top row
    const Image big = Enlarge(image, 3);
    ASSERT_EQ(big.width, 60);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) ASSERT_EQ(big.At(x, y), image.At(x / 3, y / 3));
}

}  // namespace
}  // namespace vaultmoor
