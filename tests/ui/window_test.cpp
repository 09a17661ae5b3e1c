// The main window: the title screen, its controls and menus, keys and focus, Exit.
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "screenfont.h"
#include "window_fixture.h"

namespace vaultmoor {

void ExpectMatchesGolden(const QImage& image, const char* name) {
    const QString path =
        QDir(QStringLiteral(VAULTMOOR_GOLDEN_DIR)).filePath(QString::fromUtf8(name));
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("VAULTMOOR_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QStringLiteral(VAULTMOOR_GOLDEN_DIR));
        ASSERT_TRUE(actual.save(path, "PNG")) << path.toStdString();
    }
    QImage golden;
    ASSERT_TRUE(golden.load(path)) << "no golden image " << path.toStdString();
    golden = golden.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(actual.size(), golden.size()) << name;
    int differ = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != golden.pixel(x, y)) {
                if (differ++ == 0) first = {x, y};
            }
        }
    }
    if (differ != 0) {
        // Keep what was drawn, to compare with the golden image by eye.
        const QString kept =
            QDir::temp().filePath(QStringLiteral("vaultmoor-actual-") + QString::fromUtf8(name));
        actual.save(kept, "PNG");
        ADD_FAILURE() << "drawn image kept at " << kept.toStdString();
    }
    EXPECT_EQ(differ, 0) << name << ": " << differ << " pixels differ, the first at (" << first.x()
                         << ", " << first.y() << ")";
}

namespace {

std::vector<int> VisibleLabels(const TextPanel* panel) {
    std::vector<int> shown;
    const auto& labels = panel->Labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].visible) shown.push_back(static_cast<int>(i));
    }
    return shown;
}

QStringList Texts(const QList<QAction*>& actions) {
    QStringList out;
    for (const QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST_F(WindowTest, OpensOnTheTitleScreenWithoutInput) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vaultmoor v1.0"));
    EXPECT_FALSE(window->TxtBox()->isVisible());
    EXPECT_FALSE(window->CmdEnter()->isVisible());
    EXPECT_EQ(VisibleLabels(window->Screen()), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(Model() == DesignWindow());
    EXPECT_EQ(window->TheGame().CurrentRoom, 0);

    // The Enter key and Alt+E do nothing here.
    PressEnter();
    AltE();
    Settle();
    EXPECT_TRUE(Model() == DesignWindow());
}

TEST_F(WindowTest, HasAFixedCentredClientAreaBelowItsMenuBar) {
    EXPECT_EQ(window->Screen()->size(), QSize(578, 292));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->width(), 578);
    EXPECT_EQ(window->height(), 292 + window->menuBar()->height());
    EXPECT_EQ(window->Screen()->y(), window->menuBar()->height());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect avail = window->screen()->availableGeometry();
    EXPECT_LE(std::abs(window->geometry().center().x() - avail.center().x()), 1);
    EXPECT_LE(std::abs(window->geometry().center().y() - avail.center().y()), 1);
}

TEST_F(WindowTest, ControlsStandAtTheirDesignPlaces) {
    EXPECT_EQ(window->TxtBox()->geometry(), QRect(288, 264, 225, 19));
    EXPECT_EQ(window->CmdEnter()->geometry(), QRect(524, 264, 49, 21));
    EXPECT_EQ(window->CmdEnter()->text(), QStringLiteral("&Enter"));
    EXPECT_TRUE(window->CmdEnter()->isDefault());
    EXPECT_EQ(window->TxtBox()->nextInFocusChain(), window->CmdEnter());

    // The command box: light grey on black, in the screen font.
    const QPalette pal = window->TxtBox()->palette();
    EXPECT_EQ(pal.color(QPalette::Text), QColor(192, 192, 192));
    EXPECT_EQ(pal.color(QPalette::Base), QColor(Qt::black));
    const QFontInfo info(window->TxtBox()->font());
    EXPECT_EQ(info.pixelSize(), 13);
    EXPECT_TRUE(info.fixedPitch());
    EXPECT_EQ(QFontMetrics(window->TxtBox()->font()).horizontalAdvance(QStringLiteral("Mi")), 16);

    // Each label of the screen at its place, in its colour and alignment.
    const auto& labels = window->Screen()->Labels();
    ASSERT_EQ(labels.size(), 21u);
    for (std::size_t i = 0; i < 20; ++i) {
        const LabelDesign& d = TextScreenDesign()[i];
        EXPECT_EQ(labels[i].rect, ToPixels(d.rect)) << d.name;
        EXPECT_TRUE(labels[i].colour == d.colour) << d.name;
        EXPECT_EQ(labels[i].align, d.align) << d.name;
    }
    EXPECT_EQ(labels[20].rect, (PixelRect{8, 268, 277, 13}));
    EXPECT_EQ(labels[20].align, Align::Right);
}

TEST_F(WindowTest, MenusFollowTheirTable) {
    const QList<QAction*> bar = window->menuBar()->actions();
    EXPECT_EQ(Texts(bar), (QStringList{"&File", "&Instructions", "&About"}));
    ASSERT_EQ(bar.size(), 3);
    // Instructions is a command on the bar itself.
    EXPECT_EQ(bar[1]->menu(), nullptr);
    EXPECT_EQ(bar[1], Action("mnuInstructions"));
    ASSERT_NE(bar[0]->menu(), nullptr);
    ASSERT_NE(bar[2]->menu(), nullptr);
    EXPECT_EQ(Texts(bar[0]->menu()->actions()), (QStringList{"&New Game", "-", "E&xit"}));
    EXPECT_EQ(Texts(bar[2]->menu()->actions()),
              (QStringList{"About this game", "About the author", "Other Games by the Author", "-",
                           "&About this version"}));
    EXPECT_EQ(bar[0]->menu()->actions()[0], Action("mnuNewGame"));
    EXPECT_EQ(bar[0]->menu()->actions()[2], Action("mnuFileExit"));
    EXPECT_EQ(bar[2]->menu()->actions()[4], Action("mnuAboutVersion"));
}

TEST_F(WindowTest, TheFontHasTheScreensGlyphs) {
    const ScreenFont& font = ScreenFont::Get();
    for (char32_t c : std::u32string(U"\u2261\u03C4\u03B5\u03A3Az&")) {
        EXPECT_TRUE(font.HasGlyph(c)) << static_cast<unsigned>(c);
    }
    // The triple bar: three rules, six pixels wide, on rows 5, 7 and 9 of the 8x13 cell.
    const QImage bar = font.Cell(U'\u2261');
    ASSERT_EQ(bar.size(), QSize(8, 13));
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool ink = (y == 5 || y == 7 || y == 9) && x >= 1 && x <= 6;
            EXPECT_EQ(qAlpha(bar.pixel(x, y)) != 0, ink) << x << "," << y;
        }
    }
    // The Greek letters are drawings of their own, not a stand-in.
    const QImage tau = font.Cell(U'\u03C4');
    EXPECT_NE(tau, font.Cell(U'\u03B5'));
    EXPECT_NE(tau, font.Cell(U'\u03A3'));
    EXPECT_NE(tau, font.Cell(U'\uFFFD'));
    EXPECT_NE(font.Cell(U'\u03A3'), font.Cell(U'E'));
}

TEST_F(WindowTest, TitleScreenMatchesItsGoldenImage) {
    const QImage grabbed = window->Screen()->grab().toImage();
    ExpectMatchesGolden(grabbed, "title.png");
    EXPECT_EQ(grabbed.convertToFormat(QImage::Format_RGB32), window->Screen()->Render());
}

TEST_F(WindowTest, TextIsCrispGreyAndRedOnBlack) {
    // Only the design colours appear on the title screen: no smoothing anywhere.
    const QImage image = window->Screen()->Render();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFFu);
    }
    EXPECT_EQ(colours, (QSet<QRgb>{0x000000, 0xC0C0C0, 0x808080, 0xC00000}));
}

TEST_F(WindowTest, ScaledByAWholeNumberTheScreenStaysCrisp) {
    NewGameInCell();
    const QImage one = window->Screen()->Render(1);
    for (int zoom : {2, 3}) {
        const QImage big = window->Screen()->Render(zoom);
        ASSERT_EQ(big.size(), one.size() * zoom);
        EXPECT_EQ(big, one.scaled(one.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation))
            << "zoom " << zoom;
    }
}

TEST_F(WindowTest, NewGameShowsTheStoryWithTheBoxFocused) {
    NewGame();
    EXPECT_TRUE(window->TxtBox()->isVisible());
    EXPECT_TRUE(window->CmdEnter()->isVisible());
    EXPECT_TRUE(window->TxtBox()->hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), window->TxtBox());
    EXPECT_EQ(VisibleLabels(window->Screen()), (std::vector<int>{10, 11, 20}));
    EXPECT_EQ(window->Screen()->Labels()[20].caption, PromptStory);
    EXPECT_EQ(window->Screen()->Labels()[11].caption, StoryText);
}

TEST_F(WindowTest, EnterKeyInTheBoxPlaysATurn) {
    NewGameInCell();
    EXPECT_EQ(window->TheGame().CurrentRoom, 2);
    EXPECT_EQ(Model().lblPressEnter.Caption, SeparatorLine);

    Type(QStringLiteral("Get BIBLE"));
    EXPECT_EQ(window->TxtBox()->text(), QStringLiteral("Get BIBLE"));
    EXPECT_TRUE(window->TheGame().Inventory(1).empty());
    PressEnter();
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    EXPECT_EQ(Model().lblText[12].Caption,
              "You pick it up, and put it in your pocket. (It's pretty small)");
    EXPECT_TRUE(window->TxtBox()->text().isEmpty());
    EXPECT_TRUE(window->TxtBox()->hasFocus());
    // The screen shows what the model holds: the message, the cell, the ruled line.
    EXPECT_EQ(window->Screen()->Labels()[12].caption, Model().lblText[12].Caption);
    EXPECT_EQ(window->Screen()->Labels()[11].caption, Model().lblText[11].Caption);
    ExpectMatchesGolden(window->Screen()->Render(), "cell-bible.png");

    // The keypad's Enter key does the same.
    Type(QStringLiteral("get bible"));
    QTest::keyClick(Handle(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Model().lblText[12].Caption, "You've already got it!");
}

TEST_F(WindowTest, AltEClicksTheButton) {
    NewGameInCell();
    Type(QStringLiteral("get bible"));
    EXPECT_TRUE(window->TheGame().Inventory(1).empty());  // a plain "e" is only typed
    AltE();
    EXPECT_TRUE(WaitFor([&] { return !window->TheGame().Inventory(1).empty(); }));
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    EXPECT_TRUE(window->TxtBox()->text().isEmpty());
    EXPECT_TRUE(window->TxtBox()->hasFocus());
}

TEST_F(WindowTest, ClickingTheButtonLeavesTheFocusInTheBox) {
    NewGameInCell();
    Type(QStringLiteral("get bible"));
    QTest::mouseClick(window->CmdEnter(), Qt::LeftButton);
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    EXPECT_TRUE(window->TxtBox()->hasFocus());
    // So the next command can be typed straight away.
    Play(QStringLiteral("look door"));
    EXPECT_EQ(Model().lblText[12].Caption, "An old wooden door, but sturdy.");
}

TEST_F(WindowTest, NewGameInTheMiddleOfAGameStartsAgain) {
    NewGameInCell();
    Play(QStringLiteral("get bible"));
    Play(QStringLiteral("yell"));
    EXPECT_EQ(Model().lblPressEnter.Caption, PromptGuard);
    Type(QStringLiteral("kick gu"));
    NewGame();
    EXPECT_TRUE(window->TxtBox()->text().isEmpty());  // the half-typed command is gone
    EXPECT_EQ(Model().lblPressEnter.Caption, PromptStory);
    EXPECT_TRUE(window->TheGame().Inventory(1).empty());
    EXPECT_EQ(window->TheGame().CurrentRoom, 0);
    EXPECT_EQ(VisibleLabels(window->Screen()), (std::vector<int>{10, 11, 20}));
    EXPECT_TRUE(window->TxtBox()->hasFocus());
}

// Runs the application's event loop until it quits; fails after five seconds.
int RunUntilQuit(const std::function<void()>& action) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::exit(99); });
    guard.start(5000);
    QTimer::singleShot(0, action);
    return QApplication::exec();
}

TEST_F(WindowTest, ExitClosesEveryDialogAndEndsTheProgram) {
    WhileModal(Action("mnuAboutGame"),
               [&] { window->Dialog(DialogId::AboutGame)->cmdClose_Click(); });
    ASSERT_NE(window->Dialog(DialogId::AboutGame), nullptr);
    EXPECT_EQ(RunUntilQuit([&] { Action("mnuFileExit")->trigger(); }), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->TheGame().Running);
    EXPECT_EQ(window->Dialog(DialogId::AboutGame), nullptr);
}

TEST_F(WindowTest, TheCloseBoxDoesWhatExitDoes) {
    NewGame();
    WhileModal(Action("mnuInstructions"),
               [&] { window->Dialog(DialogId::Instructions)->cmdClose_Click(); });
    EXPECT_EQ(RunUntilQuit([&] { window->close(); }), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Dialog(DialogId::Instructions), nullptr);
}

}  // namespace
}  // namespace vaultmoor
