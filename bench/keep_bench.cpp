// What bringing back a kept game costs: a page reloaded 1,000 turns into a game.
#include <benchmark/benchmark.h>

#include <string>

#include "game.h"
#include "history.h"
#include "keep.h"

namespace {

using namespace vaultmoor;

// The kept text of a game of 1,000 turns: out of the cell, then to and fro between the
// hallway and the soldiers' hall, looking and trying words the game does not know.
std::string ThousandTurns() {
    const char* const walk[] = {"go south", "look", "go north", "dance a jig"};
    Game game;
    CommandHistory history;
    KeptGame kept;
    kept.NewGame(history);
    game.mnuNewGame_Click();
    for (int turn = 0; turn < 1000; ++turn) {
        const std::string line = turn == 0   ? ""
                                 : turn == 1 ? "yell"
                                 : turn == 2 ? "kick guard"
                                             : walk[turn % 4];
        if (!game.Enter(line)) return {};
        history.Add(line);
        kept.Entered(line);
    }
    return kept.Text();
}

void BM_Restore1000Turns(benchmark::State& state) {
    const std::string text = ThousandTurns();
    for (auto _ : state) {
        Game game;
        CommandHistory history;
        KeptGame kept;
        if (!kept.Restore(text, game, history)) state.SkipWithError("not restored");
        benchmark::DoNotOptimize(game.CurrentRoom);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_Restore1000Turns)->Unit(benchmark::kMicrosecond);

}  // namespace
