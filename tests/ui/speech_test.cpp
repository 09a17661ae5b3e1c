// What a screen reader is told through the window: each turn's news once, the screen when
// it takes the focus, a dialog's text when it opens.
#include <QAccessible>

#include "window_fixture.h"

namespace vaultmoor {
namespace {

// What the screen reader speaks: the name of any notification each time it is shown.
struct Listener : QObject {
    std::vector<std::string> heard;
    bool eventFilter(QObject* object, QEvent* event) override {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
        if (event->type() == QEvent::Show && a && a->role() == QAccessible::Notification)
            heard.push_back(a->text(QAccessible::Name).toStdString());
        return false;
    }
};

TEST_F(WindowTest, EachTurnIsSpokenOnceWithWhatIsNewOnTheScreen) {
    EXPECT_TRUE(window->Screen()->hasFocus());  // the title screen is read with it
    Listener listener;
    qApp->installEventFilter(&listener);
    const std::string cell =
        "You are standing in a cell in the castle.\nThere are barred windows on the east side, "
        "stone walls on the south\nand north side, and an iron locked door, with a guard "
        "outside,\non the west side.   The ceiling is also stone.\nTHINGS OF INTEREST: Plate of "
        "food, markings on wall";
    const std::vector<std::pair<QString, std::vector<std::string>>> steps{
        {"!new", {"THE STORY\n" + StoryText + "\nPress enter to continue...>>\n"}},
        {"", {cell + ", Bible\n"}},
        {"look door", {"An old wooden door, but sturdy.\n"}},
        {"look door", {"An old wooden door, but sturdy.\n"}},
        {"get bible",
         {"You pick it up, and put it in your pocket. (It's pretty small)\n" + cell + "\n"}},
        {"push floor",
         {"A brick pops open, revealing a hole.  You go down into it.\nThere is the murky stink of "
          "a swamp. You feel a general feeling of\nmovement in the dark, but you don't know what "
          "it is.\nTHINGS OF INTEREST: ?\n"}},
        {"go south",
         {"You walk south from the swamp.   Suddenly, you feel a snake curl\naround you.   You now "
          "realize that you are in a snake home...\nPress enter to continue...\n"}},
        {"", {}},  // the end screen: the screen takes the focus and is read whole
    };
    for (const auto& [command, news] : steps) {
        listener.heard.clear();
        command == "!new" ? NewGame() : Play(command);
        EXPECT_EQ(listener.heard, news);
    }
    EXPECT_TRUE(window->Screen()->hasFocus());
    EXPECT_EQ(window->Screen()->accessibleDescription(), QStringLiteral("The End\n"));
}

TEST_F(WindowTest, InstructionsAreReadWithEachExplanationAfterItsCommand) {
    WhileModal(Action("mnuInstructions"), [&] {
        InfoDialog* dialog = window->Dialog(DialogId::Instructions);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(dialog->Panel());
        EXPECT_EQ(face->role(), QAccessible::StaticText);
        EXPECT_EQ(face->text(QAccessible::Name).split('\n').mid(10),
                  QStringList({"EXAMINE (SOMETHING) this command can only be used on an object",
                               "GO (SOME DIRECTION)", "OPEN (SOMETHING)", "QG quit game",
                               "I instructions"}));
        dialog->CloseButton()->click();
    });
}

}  // namespace
}  // namespace vaultmoor
