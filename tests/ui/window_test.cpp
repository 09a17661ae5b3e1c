// The window, headless: keys and focus, the dialogs, a death's end screen, Exit. What it
// shows is checked on real displays (scale_test.cpp).
#include "window_fixture.h"

namespace vaultmoor {
namespace {

TEST_F(WindowTest, TitleThenPlayByKeysAndButton) {
    EXPECT_TRUE(window->Screen()->accessibleDescription().contains(QStringLiteral("SCENARIOS:")));
    PressEnter();
    AltE();
    Settle();
    EXPECT_TRUE(Model() == DesignWindow());
    NewGameInCell();
    Play(QStringLiteral("Get BIBLE"));
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    EXPECT_TRUE(window->TxtBox()->text().isEmpty());
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
    ASSERT_TRUE(Model().lblText[EndLabelIndex].Visible);
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
