// Benchmark of the computer's reply to each of the human's first moves at the
// default skill (breadth 12, depth 8), through the game's own turn: search,
// check and placement with its drawing. The human always takes the first
// empty cell of a fixed list and the root's random pick is fixed, so every
// run plays the same game.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "game.h"
#include "mozek.h"
#include "screen.h"

namespace {

// The human's moves, as (column, row) on the 20 x 20 board, in order of preference.
const int HUMAN[][2] = {{10, 10}, {11, 11}, {9, 11}, {11, 9}, {12, 12}, {8, 12}, {10, 12}, {12, 10}, {9, 9}};

// The human's next move: the first empty cell of the list.
void HUMANMOVE() {
  for (const auto& h : HUMAN) {
    uint16_t c = uint16_t(h[1] * SR + h[0]);
    if (PHC[c] != 0) continue;
    KZ = c;
    GotoXY(KZ % SR, KZ / SR);
    PLX();
    return;
  }
}

// Time the computer's reply to the human's move number state.range(0).
void BM_Reply(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    NEWGAME();
    for (int m = 1; m < state.range(0); m++) {
      HUMANMOVE();
      COMPUTERTURN();
    }
    HUMANMOVE();
    state.ResumeTiming();
    COMPUTERTURN();
  }
  state.counters["stones"] = PT;
}
BENCHMARK(BM_Reply)->DenseRange(1, 5)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  std::string dir = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/dolmbenchXXXXXX");
  if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) return 2;
  MOZEKINIT();
  ROOTDRAW = 0;
  SCREENRESET();
  DOLMSTART();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (chdir("/") != 0 || system(("rm -rf '" + dir + "'").c_str()) != 0) return 3;
  return 0;
}
