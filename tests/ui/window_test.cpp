// The window, headless: what it draws against the golden images, keys and focus, the
// dialogs, a death's end screen, Exit.
#include <QDir>

#include "window_fixture.h"

namespace vaultmoor {

void ExpectMatchesGolden(const QImage& image, const char* name) {
    const QString path = QDir(QStringLiteral(VAULTMOOR_GOLDEN_DIR)).filePath(name);
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("VAULTMOOR_UPDATE_GOLDEN") == 1) actual.save(path, "PNG");
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (golden != actual) actual.save(QDir::temp().filePath(QStringLiteral("actual-") + name));
    EXPECT_TRUE(golden == actual) << name << " differs; drawn image kept in "
                                  << QDir::tempPath().toStdString();
}

namespace {

TEST_F(WindowTest, TitleThenPlayByKeysAndButton) {
    ExpectMatchesGolden(window->Screen()->grab().toImage(), "title.png");
    EXPECT_TRUE(window->Screen()->accessibleDescription().contains(QStringLiteral("SCENARIOS:")));
    PressEnter();
    AltE();
    Settle();
    EXPECT_TRUE(Model() == DesignWindow());
    NewGameInCell();
    Type(QStringLiteral("Get BIBLE"));
    PressEnter();
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    EXPECT_TRUE(window->TxtBox()->text().isEmpty());
    ExpectMatchesGolden(window->Screen()->Render(), "cell-bible.png");
    Type(QStringLiteral("look door"));
    AltE();
    EXPECT_TRUE(WaitFor([&] { return Model().lblText[ReplyIndex].Caption.starts_with("An old"); }));
    Type(QStringLiteral("yell"));
    QTest::mouseClick(window->CmdEnter(), Qt::LeftButton);
    EXPECT_TRUE(window->TxtBox()->hasFocus());
    EXPECT_EQ(window->Screen()->accessibleDescription(),
              QStringLiteral("A guard comes in, to see what all the racket is about.\n>>>>\n"));
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
            if (id == DialogId::Instructions)
                ExpectMatchesGolden(dialog->Panel()->Render(), "instructions.png");
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
    Play(QStringLiteral("push floor"));
    Play(QStringLiteral("go south"));
    Play(QStringLiteral("anything"));
    ExpectMatchesGolden(window->Screen()->grab().toImage(), "end.png");
    const MainWindow end = Model();
    PressEnter();
    AltE();
    Settle();
    EXPECT_TRUE(Model() == end);
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
