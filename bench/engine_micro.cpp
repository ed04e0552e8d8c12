// Micro-benchmarks of the engine core: filling the pattern tables, and one
// placement with its take-back on middle-game positions.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "mozek_internal.h"

static void BM_INITDYNAMO(benchmark::State& state) {
  for (auto _ : state) {
    INITDYNAMO();
    benchmark::DoNotOptimize(DYC[12345]);
  }
}
BENCHMARK(BM_INITDYNAMO)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A middle game of 40 random stones near the centre of the 20x20 board, then
// GOX + BKSP on each empty cell around them in turn.
static void BM_GOXBKSP(benchmark::State& state) {
  std::mt19937 rng(7);
  SETSIZE(SRMAX);
  std::vector<uint16_t> empty;
  for (int placed = 0; placed < 40;) {
    const uint16_t c = uint16_t((5 + rng() % 12) * SR + 5 + rng() % 12);
    if (!FREECELL(c)) continue;
    PLACE(c, placed++ & 1 ? SIDEO : SIDEX);
  }
  for (int c = SR + 1; c <= SRXSR_SR_2; c++)
    if (PHC[c] == 0 && PS[c] != 0) empty.push_back(uint16_t(c));
  size_t i = 0;
  // The search's own step: GOX straight away (the search never withdraws a
  // cell from the five registers; BKSP rebuilds them).
  for (auto _ : state) {
    KZ = empty[i++ % empty.size()];
    GOX();
    BKSP();
  }
  benchmark::DoNotOptimize(SUMX);
}
BENCHMARK(BM_GOXBKSP);

int main(int argc, char** argv) {
  char dir[] = "/tmp/mozekbenchXXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return 2;
  MOZEKINIT();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (chdir("/") == 0) rmdir(dir);
  return 0;
}
