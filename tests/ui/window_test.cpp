// The window, headless: that it shows the painted screen unchanged, keys and focus, the
// dialogs, a death's end screen, Exit.
#include <QPainter>

#include "painter.h"
#include "window_fixture.h"

namespace vaultmoor {
namespace {

// What a panel shows equals the painter's image of the same model, but where the command box
// and the buttons stand on it.
void ExpectShows(QWidget* panel, const Image& painted) {
    QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected = AsQImage(painted).copy();
    ASSERT_EQ(shown.size(), expected.size());
    QPainter covered[] = {QPainter(&shown), QPainter(&expected)};
    for (const QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible()) continue;
        for (QPainter& p : covered) p.fillRect(child->geometry(), Qt::black);
    }
    for (QPainter& p : covered) p.end();
    EXPECT_TRUE(shown == expected);
}

TEST_F(WindowTest, TitleThenPlayByKeysAndButton) {
    ExpectShows(window->Screen(), PaintScreen(DesignWindow()));
    EXPECT_TRUE(window->Screen()->accessibleDescription().contains(QStringLiteral("SCENARIOS:")));
    PressEnter();
    AltE();
    Settle();
    EXPECT_TRUE(Model() == DesignWindow());
    NewGameInCell();
    Play(QStringLiteral("Get BIBLE"));
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    EXPECT_TRUE(window->TxtBox()->text().isEmpty());
    ExpectShows(window->Screen(), PaintScreen(Model()));
    Type(QStringLiteral("look door"));
    AltE();
    EXPECT_TRUE(WaitFor([&] { return Model().lblText[ReplyIndex].Caption.starts_with("An old"); }));
    Type(QStringLiteral("yell"));
    QTest::mouseClick(window->CmdEnter(), Qt::LeftButton);
    EXPECT_TRUE(window->TxtBox()->hasFocus());
    EXPECT_TRUE(Model().lblText[ReplyIndex].Caption.starts_with("A guard comes in"));
}

TEST_F(WindowTest, DialogsAreModalAndNoTurnRunsBehindThem) {
    NewGameInCell();
    Type(QStringLiteral("get bible"));
    const MainWindow before = Model();
    const std::pair<const char*, DialogId> dialogs[] = {
        {"mnuInstructions", DialogId::Instructions},
        {"mnuAboutGame", DialogId::AboutGame},
        {"mnuAboutAuthor", DialogId::AboutAuthor},
        {"mnuAboutOtherGames", DialogId::AboutOther},
        {"mnuAboutVersion", DialogId::AboutVersion}};
    for (const auto& [action, id] : dialogs) {
        WhileModal(Action(action), [&, id = id] {
            InfoDialog* dialog = window->Dialog(id);
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            ExpectShows(dialog->Panel(), PaintFace(id));
            PressEnter();
            AltE();
            Settle();
            EXPECT_TRUE(Model() == before);
            QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
        });
        EXPECT_FALSE(window->Dialog(id)->isVisible());
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    PressEnter();
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    // File > New Game empties the box, whatever was typed in it.
    Type(QStringLiteral("look door"));
    NewGame();
    EXPECT_TRUE(window->TxtBox()->text().isEmpty());
    EXPECT_EQ(Model().txtBox.Text, "");
}

TEST_F(WindowTest, ADeathEndsOnTheEndLabelThenExitEndsAll) {
    NewGameInCell();
    for (const char* command : {"push floor", "go south", "anything"}) Play(command);
    ExpectShows(window->Screen(), PaintScreen(Model()));
    WhileModal(Action("mnuAboutGame"),
               [&] { window->Dialog(DialogId::AboutGame)->cmdClose_Click(); });
    QObject scope;  // fails rather than hangs when Exit does not end the program
    QTimer::singleShot(5000, &scope, [] { QApplication::exit(99); });
    QTimer::singleShot(0, &scope, [&] { Action("mnuFileExit")->trigger(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Dialog(DialogId::AboutGame), nullptr);
}

}  // namespace
}  // namespace vaultmoor
