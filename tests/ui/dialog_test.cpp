// The information dialogs: modal, one instance each, hidden by Close and shown again.
#include <QScreen>

#include "window_fixture.h"

namespace vaultmoor {
namespace {

struct MenuAndDialog {
    const char* action;
    DialogId id;
    const char* name;
    const char* caption;
    QSize client;
    QRect close;
    int labels;
};

const MenuAndDialog Dialogs[] = {
    {"mnuInstructions",
     DialogId::Instructions,
     "frmInstructions",
     "Instructions",
     {560, 280},
     {240, 232, 81, 29},
     5},
    {"mnuAboutGame",
     DialogId::AboutGame,
     "frmAboutGame",
     "About Vaultmoor",
     {347, 201},
     {133, 156, 81, 29},
     3},
    {"mnuAboutAuthor",
     DialogId::AboutAuthor,
     "frmAboutAuthor",
     "About the author",
     {434, 232},
     {177, 184, 81, 29},
     1},
    {"mnuAboutOtherGames",
     DialogId::AboutOther,
     "frmAboutOther",
     "Other Games by the Author",
     {491, 205},
     {205, 164, 81, 29},
     7},
    {"mnuAboutVersion",
     DialogId::AboutVersion,
     "frmAboutVersion",
     "About This Version",
     {407, 228},
     {164, 184, 81, 29},
     1},
};

TEST_F(WindowTest, EachDialogIsAsDesigned) {
    for (const MenuAndDialog& d : Dialogs) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(window->Dialog(d.id), nullptr);  // made on first use
        WhileModal(Action(d.action), [&] {
            InfoDialog* dialog = window->Dialog(d.id);
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_TRUE(dialog->isModal());
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            EXPECT_EQ(dialog->objectName(), QString::fromUtf8(d.name));
            EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(d.caption));
            EXPECT_EQ(dialog->size(), d.client);
            EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
            EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
            EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
            EXPECT_EQ(dialog->CloseButton()->text(), QStringLiteral("&Close"));
            EXPECT_EQ(dialog->CloseButton()->geometry(), d.close);
            EXPECT_EQ(static_cast<int>(dialog->Panel()->Labels().size()), d.labels);
            const QRect avail = dialog->screen()->availableGeometry();
            EXPECT_LE(std::abs(dialog->geometry().center().x() - avail.center().x()), 1);
            EXPECT_LE(std::abs(dialog->geometry().center().y() - avail.center().y()), 1);
            QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
        });
        ASSERT_NE(window->Dialog(d.id), nullptr);
        EXPECT_FALSE(window->Dialog(d.id)->isVisible());
    }
}

TEST_F(WindowTest, InstructionsMatchTheirGoldenImage) {
    WhileModal(Action("mnuInstructions"), [&] {
        InfoDialog* dialog = window->Dialog(DialogId::Instructions);
        ExpectMatchesGolden(dialog->Panel()->Render(), "instructions.png");
        dialog->cmdClose_Click();
    });
}

TEST_F(WindowTest, CloseThenReopenShowsTheSameInstanceAsItWas) {
    InfoDialog* first = nullptr;
    QImage face;
    WhileModal(Action("mnuAboutOtherGames"), [&] {
        first = window->Dialog(DialogId::AboutOther);
        face = first->grab().toImage();
        first->move(first->pos() + QPoint(17, 11));
        first->cmdClose_Click();
    });
    ASSERT_NE(first, nullptr);
    const QPoint moved = first->pos();
    WhileModal(Action("mnuAboutOtherGames"), [&] {
        EXPECT_EQ(window->Dialog(DialogId::AboutOther), first);
        EXPECT_TRUE(first->isVisible());
        EXPECT_EQ(first->pos(), moved);
        EXPECT_EQ(first->grab().toImage(), face);
        // The window's own close box hides it too.
        first->close();
    });
    EXPECT_EQ(window->Dialog(DialogId::AboutOther), first);
    EXPECT_FALSE(first->isVisible());
    WhileModal(Action("mnuAboutOtherGames"), [&] {
        EXPECT_EQ(window->Dialog(DialogId::AboutOther), first);
        QTest::keyClick(first->windowHandle(), Qt::Key_Return);  // Close is its default button
    });
    EXPECT_FALSE(first->isVisible());
}

TEST_F(WindowTest, NoTurnRunsWhileADialogIsOpen) {
    NewGameInCell();
    Type(QStringLiteral("get bible"));
    const MainWindow before = Model();
    WhileModal(Action("mnuAboutVersion"), [&] {
        InfoDialog* dialog = window->Dialog(DialogId::AboutVersion);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        // The Enter key, Alt+E and a click on the button, all at the main window.
        PressEnter();
        AltE();
        const QPoint button =
            window->CmdEnter()->mapTo(window.get(), window->CmdEnter()->rect().center());
        QTest::mouseClick(Handle(), Qt::LeftButton, {}, button);
        Settle();
        EXPECT_TRUE(Model() == before);
        EXPECT_TRUE(window->TheGame().Inventory(1).empty());
        EXPECT_TRUE(dialog->isVisible());
        dialog->cmdClose_Click();
    });
    // Back in the main window the box has the focus and still holds the command.
    Settle();
    EXPECT_TRUE(Model() == before);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(window->TxtBox()->hasFocus());
    EXPECT_EQ(window->TxtBox()->text(), QStringLiteral("get bible"));
    PressEnter();
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
}

}  // namespace
}  // namespace vaultmoor
