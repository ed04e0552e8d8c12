// Candidate lists, the threat filter and the emptiest cell (the 5x5 tie, full boards and
// dead lines are positions of bench/positions.txt, pinned by bench-signature).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "../engine/board_helpers.h"

// Random value boards of every size, sparse to full, with ties galore and
// values past 32767: the list is a stable sort of the board cut to N, on the
// build's own path and on the plain one that builds without SSE2 take.
TEST(BESTR, EqualsStableSortOnRandomBoards) {
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; round++) {
    NEWGAME(7 + int(rng() % 16));
    RPOLE R{};
    const unsigned dense = rng() % 100, top = 1 + rng() % (rng() % 2 ? 20 : 9000),
                   n = 1 + rng() % 50;
    std::vector<uint16_t> cells;
    for (int c = SR + 1; c <= SRXSR_SR_2; c++)
      if (!PHC[c] && rng() % 100 < dense &&
          (R[c] = uint16_t(rng() % top + (rng() % 8 ? 0 : 32768))))
        cells.push_back(uint16_t(c));
    std::stable_sort(cells.begin(), cells.end(), [&](int p, int q) { return R[p] > R[q]; });
    cells.resize(std::min<size_t>(n, cells.size()));
    TYPOSM T, U;
    const uint16_t count = BESTR(uint16_t(n), T, R), plain = BESTRPORTABLE(uint16_t(n), U, R);
    ASSERT_EQ(std::vector<uint16_t>(T + 1, T + 1 + count), cells) << "round " << round;
    ASSERT_EQ(std::vector<uint16_t>(U + 1, U + 1 + plain), cells) << "round " << round;
  }
}

// Each rule at its thresholds, cells given as own and opponent's values, in
// turn: own win, own four-three (even against their fours), their open four,
// double four and four-three, own double three (the last), only theirs, none.
// The filter reads only the value boards, so cell p can be index p.
TEST(FILTR, EveryRule) {
  const std::tuple<std::vector<uint16_t>, std::vector<int>, bool> rows[] = {
      {{10, 5000, 300, 0, 514, 0, 514, 9000}, {3}, true},
      {{10, 0, 20, 0, 400, 0, 30, 0, 5, 0}, {3, 1, 2, 4, 5}, false},
      {{10, 2000, 322, 0, 5, 0}, {2, 1, 3}, false},
      {{0, 1027, 257, 0, 256, 513, 0, 514, 60, 60}, {1, 2, 4}, false},
      {{0, 514, 0, 257, 256, 256, 257, 0, 0, 100}, {1, 2, 4}, false},
      {{0, 400, 64, 64, 65, 0, 0, 65, 321, 0}, {1, 3, 4, 5}, false},
      {{10, 0, 128, 0, 20, 0, 130, 0, 5, 200}, {4, 1, 2, 3, 5}, false},
      {{10, 0, 64, 128, 70, 0, 0, 64}, {2, 3}, false},
      {{10, 64, 127, 20, 3, 321}, {1, 2, 3}, false}};
  for (const auto& [values, want, win] : rows) {
    RPOLE OWN{}, OPP{};
    TYPOSM T{};
    uint16_t n = uint16_t(values.size() / 2);
    for (int p = 1; p <= n; p++) T[p] = p, OWN[p] = values[2 * p - 2], OPP[p] = values[2 * p - 1];
    EXPECT_EQ(FILTR(n, T, OWN, OPP), win);
    EXPECT_EQ(std::vector<int>(T + 1, T + 1 + n), want);
  }
}

// An empty board's emptiest cell: the centre of an odd side, a central cell of an
// even one (the 5x5 area's tie is in bench-signature).
TEST(KAM, EmptyBoardsTakeTheCentre) {
  for (int sr = 8; sr <= 22; sr++) {
    NEWGAME(sr);
    const int c = KAM(), dx = 2 * (c % sr) - sr + 1, dy = 2 * (c / sr) - sr + 1;  // doubled offsets
    EXPECT_LE(dx * dx, 1) << "column, side " << sr << ": " << AT(c);
    EXPECT_LE(dy * dy, 1) << "row, side " << sr << ": " << AT(c);
  }
}
