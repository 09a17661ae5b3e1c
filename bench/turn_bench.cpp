// What a turn costs.
#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "game.h"

namespace {

using vaultmoor::Game;

Game InCell() {
    Game g;
    g.mnuNewGame_Click();
    g.Enter("");
    return g;
}

// An unknown command: the whole rule list of the cell is tried, then the room is repainted.
void BM_UnknownCommandInCell(benchmark::State& state) {
    Game g = InCell();
    for (auto _ : state) {
        g.Enter("dance a jig");
        benchmark::DoNotOptimize(g.frmMain.lblText[11].Caption.data());
    }
}
BENCHMARK(BM_UnknownCommandInCell);

// Walking back and forth between the hallway and the soldiers' hall.
void BM_MoveBetweenRooms(benchmark::State& state) {
    Game g = InCell();
    g.Enter("yell");
    g.Enter("kick guard");
    for (auto _ : state) {
        g.Enter("go south");
        g.Enter("go north");
        benchmark::DoNotOptimize(g.CurrentRoom);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_MoveBetweenRooms);

// A whole game out through the locked door, the lion and the cave, with the fuse lit.
void BM_WholeGameThroughTheCave(benchmark::State& state) {
    const std::vector<std::string_view> route = {
        "",        "yell",     "kick guard", "get spear", "get torch", "go south",
        "go east", "go north", "get rope",   "go north",  "use spear", "go south",
        "go west", "go north", "go north",   "get key",   "go south",  "go south",
        "go west", "go south", "go south",   "use key",   "",          ""};
    for (auto _ : state) {
        Game g;
        g.mnuNewGame_Click();
        for (std::string_view c : route) g.Enter(c);
        benchmark::DoNotOptimize(g.frmMain.lblText[12].Caption.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(route.size()));
}
BENCHMARK(BM_WholeGameThroughTheCave);

}  // namespace
