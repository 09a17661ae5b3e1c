// Playing through the window: a death and the end label, hostile input, and what a turn
// costs from the Enter key to the repainted window.
#include <QElapsedTimer>
#include <algorithm>
#include <iostream>

#include "window_fixture.h"

namespace vaultmoor {
namespace {

std::vector<int> VisibleLabels(const MainWindow& m) {
    std::vector<int> shown;
    for (std::size_t i = 0; i < m.lblText.size(); ++i) {
        if (m.lblText[i].Visible) shown.push_back(static_cast<int>(i));
    }
    return shown;
}

TEST_F(WindowTest, ScreenReadersGetTheTextOfTheScreen) {
    EXPECT_TRUE(window->Screen()->accessibleDescription().contains(QStringLiteral("SCENARIOS:")));
    NewGameInCell();
    Play(QStringLiteral("yell"));
    EXPECT_EQ(window->Screen()->accessibleDescription(),
              QStringLiteral("A guard comes in, to see what all the racket is about.\n>>>>\n"));
    EXPECT_EQ(window->TxtBox()->accessibleName(), QStringLiteral("Command"));
}

TEST_F(WindowTest, ADeathThenEnterShowsOnlyTheEndLabel) {
    NewGameInCell();
    Play(QStringLiteral("push floor"));
    EXPECT_EQ(window->TheGame().CurrentRoom, 4);
    Play(QStringLiteral("go south"));
    EXPECT_EQ(Model().lblPressEnter.Caption, PromptDead);
    EXPECT_TRUE(Model().lblText[11].Caption.empty());
    EXPECT_FALSE(Model().lblText[12].Caption.empty());
    EXPECT_TRUE(window->TxtBox()->isVisible());
    EXPECT_TRUE(window->TxtBox()->hasFocus());

    Play(QStringLiteral("anything at all"));
    EXPECT_EQ(VisibleLabels(Model()), std::vector<int>{16});
    EXPECT_FALSE(Model().lblPressEnter.Visible);
    EXPECT_FALSE(window->TxtBox()->isVisible());
    EXPECT_FALSE(window->CmdEnter()->isVisible());
    ExpectMatchesGolden(window->Screen()->grab().toImage(), "end.png");

    // Nothing more to play until New Game.
    const MainWindow end = Model();
    PressEnter();
    AltE();
    Settle();
    EXPECT_TRUE(Model() == end);
    NewGame();
    EXPECT_TRUE(window->TxtBox()->isVisible());
    EXPECT_TRUE(window->TxtBox()->hasFocus());
}

TEST_F(WindowTest, HostileInputGetsWhatAndTheGameGoesOn) {
    NewGameInCell();
    auto expectWhat = [&](const QString& input, const char* what) {
        SCOPED_TRACE(what);
        window->TxtBox()->setFocus();
        window->TxtBox()->insert(input);  // as if pasted
        EXPECT_FALSE(window->TxtBox()->text().isEmpty());
        PressEnter();
        EXPECT_EQ(Model().lblText[12].Caption, "What?");
        EXPECT_EQ(window->TheGame().CurrentRoom, 2);
        EXPECT_TRUE(window->TxtBox()->text().isEmpty());
        EXPECT_TRUE(window->TxtBox()->hasFocus());
        EXPECT_FALSE(window->Screen()->Render().isNull());
    };

    expectWhat(QString(1'000'000, QLatin1Char('x')), "a million characters");
    QString controls;
    for (char16_t c = 1; c < 32; ++c) controls += QChar(c);
    controls += QChar(0x7F);
    controls += QStringLiteral("get bible");
    expectWhat(controls, "control characters");
    expectWhat(QStringLiteral("\u05E7\u05D7 \u05EA\u05E0\u05F4\u05DA "
                              "\u0627\u0644\u0643\u062A\u0627\u0628 \u202Eelbib teg"),
               "right-to-left text");
    expectWhat(QStringLiteral("\U0001F3F0\U0001F5DD\uFE0F "
                              "\U0001F468\u200D\U0001F469\u200D\U0001F467 get bible \U0001F600"),
               "emoji");
    QString broken = QStringLiteral("get bible");
    broken += QChar(0xD800);  // half a surrogate pair
    expectWhat(broken, "a broken surrogate");
    expectWhat(QStringLiteral("GET\u00A0BIBLE"), "a non-breaking blank");

    // The same command typed by keys, one by one, in right-to-left script.
    Play(QStringLiteral("\u05E7\u05D7 \u05EA\u05E0\u05F4\u05DA"));
    EXPECT_EQ(Model().lblText[12].Caption, "What?");

    // The next valid command still works.
    Play(QStringLiteral("get bible"));
    EXPECT_EQ(window->TheGame().Inventory(1), "bible");
    EXPECT_EQ(Model().lblText[12].Caption,
              "You pick it up, and put it in your pocket. (It's pretty small)");
}

TEST_F(WindowTest, ATurnCostsLittleFromTheEnterKeyToTheRepaintedWindow) {
    NewGameInCell();
    const QStringList commands = {QStringLiteral("look door"), QStringLiteral("get bible"),
                                  QStringLiteral("look up"), QStringLiteral("what now")};
    std::vector<double> micros;
    constexpr int Turns = 200;
    for (int i = 0; i < Turns; ++i) {
        window->TxtBox()->setText(commands[i % commands.size()]);
        QElapsedTimer timer;
        timer.start();
        PressEnter();
        window->repaint();  // paints the window and its controls now, not later
        micros.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
        ASSERT_TRUE(window->TxtBox()->text().isEmpty());
    }
    std::sort(micros.begin(), micros.end());
    const double median = micros[Turns / 2];
    const double worst = micros.back();
    std::cout << "turn from Enter to repainted window: median " << median << " us, worst " << worst
              << " us over " << Turns << " turns\n";
    RecordProperty("turn_median_us", static_cast<int>(median));
    RecordProperty("turn_worst_us", static_cast<int>(worst));
    EXPECT_LT(median, 50'000.0);
}

}  // namespace
}  // namespace vaultmoor
