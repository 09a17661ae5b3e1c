// What a turn costs in the window: from the Enter key in the command box to the repainted
// window, offscreen.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "frmmain.h"

namespace {

void BM_EnterToRepaintedWindow(benchmark::State& state) {
    vaultmoor::FrmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window never showed");
        return;
    }
    window.findChild<QAction*>(QStringLiteral("mnuNewGame"))->trigger();
    QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    const QStringList commands = {QStringLiteral("look door"), QStringLiteral("get bible"),
                                  QStringLiteral("look up"), QStringLiteral("what now")};
    qsizetype i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.TxtBox()->setText(commands[i++ % commands.size()]);
        state.ResumeTiming();
        QTest::keyClick(window.windowHandle(), Qt::Key_Return);
        window.repaint();  // paints the window and its controls now, not later
    }
    if (!window.TxtBox()->text().isEmpty()) state.SkipWithError("the turn did not run");
}
BENCHMARK(BM_EnterToRepaintedWindow)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
