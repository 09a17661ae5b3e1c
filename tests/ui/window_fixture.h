// Shared helpers for the window tests: a fresh main window at zoom 1, shown and active.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "frmmain.h"
#include "infodialog.h"
#include "textpanel.h"

namespace vaultmoor {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<FrmMain>();
        window->SetZoom(1);  // the painter's own size
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { window.reset(); }

    QAction* Action(const char* name) const {
        auto* a = window->findChild<QAction*>(QString::fromUtf8(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QWindow* Handle() const { return window->windowHandle(); }
    const MainWindow& Model() { return window->TheGame().frmMain; }

    // Keys as the window system delivers them, so that modality and shortcuts apply.
    void Type(const QString& text) {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, Handle(), Qt::Key_unknown, QString(c), {});
    }
    void PressEnter() { QTest::keyClick(Handle(), Qt::Key_Return); }
    void Play(const QString& command) {
        Type(command);
        PressEnter();
    }
    // Alt+E clicks the button after the short press it shows on screen.
    void AltE() { QTest::keyClick(Handle(), Qt::Key_E, Qt::AltModifier); }
    // Waits until `done` holds, or fails after a second.
    static bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 1000); }
    // Lets queued and delayed events (such as a button's animated click) happen.
    static void Settle() { QTest::qWait(250); }
    void NewGame() { Action("mnuNewGame")->trigger(); }
    void NewGameInCell() {
        NewGame();
        PressEnter();
    }

    // Runs `inside` once the dialog opened by `open` is showing, then lets the dialog's
    // modal loop return; fails if the dialog never shows.
    void WhileModal(QAction* open, const std::function<void()>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            inside();
        });
        open->trigger();
        EXPECT_TRUE(ran);
    }

    std::unique_ptr<FrmMain> window;
};

}  // namespace vaultmoor
