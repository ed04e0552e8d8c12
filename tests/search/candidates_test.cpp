// Candidate lists, the threat filter, the emptiest cell and the largest values.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "search_helpers.h"

namespace {

// A value board with the given values on the given cells, 0 elsewhere.
struct BOARDVALUES {
  RPOLE R{};
  BOARDVALUES(std::initializer_list<std::pair<uint16_t, uint16_t>> cells) {
    for (auto [c, v] : cells) R[c] = v;
  }
};

std::vector<uint16_t> LIST(const TYPOSM& T, int n) { return std::vector<uint16_t>(T + 1, T + 1 + n); }

TEST(BESTR, StableTopNExamples) {
  NEWBOARD(22);
  TYPOSM T;
  const uint16_t a = CELL(1, 1), b = CELL(5, 1), c = CELL(3, 7), d = CELL(20, 20);
  // 5, 9, 5, 9 in index order with room for 3: second, fourth, first.
  BOARDVALUES four{{a, 5}, {b, 9}, {c, 5}, {d, 9}};
  ASSERT_EQ(BESTR(3, T, four.R), 3);
  EXPECT_EQ(LIST(T, 3), (std::vector<uint16_t>{b, d, a}));
  // Equal values keep index order; a later cell equal to the last one stays out.
  BOARDVALUES equal{{a, 7}, {b, 7}, {c, 7}, {d, 7}};
  ASSERT_EQ(BESTR(3, T, equal.R), 3);
  EXPECT_EQ(LIST(T, 3), (std::vector<uint16_t>{a, b, c}));
  // Fewer nonzero cells than asked for: all of them, from position 1.
  ASSERT_EQ(BESTR(8, T, four.R), 4);
  EXPECT_EQ(LIST(T, 4), (std::vector<uint16_t>{b, d, a, c}));
  // Values compare unsigned: 40000 is the largest.
  BOARDVALUES big{{a, 5}, {d, 40000}};
  ASSERT_EQ(BESTR(1, T, big.R), 1);
  EXPECT_EQ(T[1], d);
}

TEST(BESTR, EmptyBoardLeavesListUntouched) {
  NEWBOARD(22);
  TYPOSM T;
  std::fill(T, T + 51, uint16_t(777));
  BOARDVALUES none{};
  EXPECT_EQ(BESTR(12, T, none.R), 0);
  EXPECT_TRUE(std::all_of(T, T + 51, [](uint16_t v) { return v == 777; }));
}

// On many random value boards and every size the list equals a stable sort
// of the whole board cut to N, including full lists of 50 and ties galore.
TEST(BESTR, EqualsStableSortOnRandomBoards) {
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; round++) {
    NEWBOARD(7 + int(rng() % 16));
    RPOLE R{};
    int density = int(rng() % 100);
    uint16_t top = uint16_t(1 + rng() % (rng() % 2 ? 20 : 9000));
    std::vector<uint16_t> cells;
    for (int y = 1; y <= SR - 2; y++)
      for (int x = 1; x <= SR - 2; x++)
        if (int(rng() % 100) < density) {
          R[CELL(x, y)] = uint16_t(rng() % top + (rng() % 8 == 0 ? 32768 : 0));
          if (R[CELL(x, y)]) cells.push_back(CELL(x, y));
        }
    std::stable_sort(cells.begin(), cells.end(), [&](uint16_t p, uint16_t q) { return R[p] > R[q]; });
    uint16_t n = uint16_t(1 + rng() % 50);
    TYPOSM T;
    uint16_t count = BESTR(n, T, R);
    size_t want = std::min<size_t>(n, cells.size());
    ASSERT_EQ(count, want);
    ASSERT_EQ(LIST(T, count), std::vector<uint16_t>(cells.begin(), cells.begin() + long(want))) << "round " << round;
  }
}

// One FILTR call on cells 1..n of row 1 with the given values.
struct FILTERCASE {
  RPOLE OWN{}, OPP{};
  TYPOSM T{};
  uint16_t COUNT = 0;
  bool WIN = false;
  FILTERCASE(std::initializer_list<std::pair<uint16_t, uint16_t>> ownopp) {
    NEWBOARD(22);
    for (auto [own, opp] : ownopp) {
      COUNT++;
      T[COUNT] = CELL(COUNT, 1);
      OWN[T[COUNT]] = own;
      OPP[T[COUNT]] = opp;
    }
    WIN = FILTR(COUNT, T, OWN, OPP);
  }
  // Positions (1-based, in the original list) of the cells now in the list.
  std::vector<int> ORDER() const {
    std::vector<int> o;
    for (int p = 1; p <= COUNT; p++) o.push_back(T[p] - CELL(0, 1));
    return o;
  }
};

TEST(FILTR, MoverWinBeatsEverything) {
  FILTERCASE f{{10, 5000}, {600, 0}, {900, 0}, {900, 9000}};
  EXPECT_TRUE(f.WIN);
  EXPECT_EQ(f.ORDER(), (std::vector<int>{3}));  // the first cell holding the largest value
}

TEST(FILTR, FourAndThreeGoesFirst) {
  FILTERCASE f{{10, 0}, {20, 0}, {400, 0}, {30, 0}, {5, 0}};
  EXPECT_FALSE(f.WIN);
  EXPECT_EQ(f.ORDER(), (std::vector<int>{3, 1, 2, 4, 5}));
  // It wins over any cut the opponent's threats would make.
  FILTERCASE g{{10, 2000}, {322, 0}, {5, 0}};
  EXPECT_EQ(g.ORDER(), (std::vector<int>{2, 1, 3}));
}

TEST(FILTR, OpponentThreatsCutTheList) {
  // Opponent's open four coming (>= 1027): keep its fours (>= 514) and own fours (>= 257).
  FILTERCASE open{{0, 1027}, {257, 0}, {256, 513}, {0, 514}, {60, 60}};
  EXPECT_EQ(open.ORDER(), (std::vector<int>{1, 2, 4}));
  // Opponent's double four (514 .. 1026): keep >= 257 on either side.
  FILTERCASE twofours{{0, 514}, {0, 257}, {256, 256}, {257, 0}, {0, 100}};
  EXPECT_EQ(twofours.ORDER(), (std::vector<int>{1, 2, 4}));
  // Opponent's four-three (322 .. 513): keep >= 65 on either side.
  FILTERCASE fourthree{{0, 400}, {64, 64}, {65, 0}, {0, 65}, {321, 0}};
  EXPECT_EQ(fourthree.ORDER(), (std::vector<int>{1, 3, 4, 5}));
  for (const FILTERCASE* f : {&open, &twofours, &fourthree}) EXPECT_FALSE(f->WIN);
}

TEST(FILTR, DoubleThreesByBit7) {
  // The last own cell with bit 7 goes first.
  FILTERCASE own{{10, 0}, {128, 0}, {20, 0}, {130, 0}, {5, 200}};
  EXPECT_EQ(own.ORDER(), (std::vector<int>{4, 1, 2, 3, 5}));
  // Only the opponent's: keep >= 65 on either side.
  FILTERCASE opp{{10, 0}, {64, 128}, {70, 0}, {0, 64}};
  EXPECT_EQ(opp.ORDER(), (std::vector<int>{2, 3}));
  // Nothing remarkable: untouched.
  FILTERCASE quiet{{10, 64}, {127, 20}, {3, 321}};
  EXPECT_EQ(quiet.ORDER(), (std::vector<int>{1, 2, 3}));
}

TEST(FILTR, NeverEmptiesTheList) {
  std::mt19937 rng(11);
  for (int round = 0; round < 3000; round++) {
    NEWBOARD(22);
    RPOLE OWN{}, OPP{};
    TYPOSM T{};
    uint16_t n = uint16_t(1 + rng() % 18);
    for (uint16_t p = 1; p <= n; p++) {
      T[p] = CELL(p, 2);
      OWN[T[p]] = uint16_t(rng() % (rng() % 2 ? 600 : 140));
      OPP[T[p]] = uint16_t(rng() % (rng() % 2 ? 1500 : 140));
    }
    std::vector<uint16_t> before(T + 1, T + 1 + n);
    uint16_t count = n;
    FILTR(count, T, OWN, OPP);
    ASSERT_GE(count, 1);
    ASSERT_LE(count, n);
    for (uint16_t p = 1; p <= count; p++) ASSERT_NE(std::find(before.begin(), before.end(), T[p]), before.end());
  }
}

TEST(KAM, CentreOfOddBoards) {
  for (int sr = 9; sr <= 21; sr += 2) {
    NEWBOARD(sr);
    EXPECT_EQ(KAM(), CELL((sr - 1) / 2, (sr - 1) / 2)) << "SR " << sr;
  }
}

TEST(KAM, SmallestBoardPicksColumn4Row2) {
  // Four cells tie on paper; the double sums in their fixed order pick this one.
  NEWBOARD(7);
  EXPECT_EQ(KAM(), CELL(4, 2));
}

TEST(KAM, EvenBoardsPickACentralCell) {
  for (int sr = 8; sr <= 22; sr += 2) {
    NEWBOARD(sr);
    int lo = (sr - 2) / 2, hi = lo + 1;
    uint16_t c = KAM();
    int x = c % sr, y = c / sr;
    EXPECT_TRUE(x >= lo && x <= hi && y >= lo && y <= hi) << "SR " << sr << ": " << x << "," << y;
  }
}

TEST(KAM, FullBoardAndStones) {
  NEWBOARD(7);
  for (int y = 1; y <= 5; y++)
    for (int x = 1; x <= 5; x++) PHC[CELL(x, y)] = 3;
  EXPECT_EQ(KAM(), 0);
  PHC[CELL(2, 5)] = 0;  // the only empty cell
  EXPECT_EQ(KAM(), CELL(2, 5));
  // A stone in the centre of a 7x7 area drives the choice away from it.
  NEWBOARD(9);
  PLAY(4, 4, 'X');
  uint16_t c = KAM();
  EXPECT_NE(c, CELL(4, 4));
  EXPECT_EQ(PHC[c], 0);
}

TEST(BESTPSHC, LargestOfEachSide) {
  NEWBOARD(22);
  int16_t mc = -1, mh = -1;
  BESTPSHC(mc, mh);
  EXPECT_EQ(mc, 0);
  EXPECT_EQ(mh, 0);
  PLAYALL({{10, 10}, {5, 5}, {11, 10}});
  BESTPSHC(mc, mh);
  EXPECT_EQ(mc, *std::max_element(PSC, PSC + 484));
  EXPECT_EQ(mh, *std::max_element(PSH, PSH + 484));
  EXPECT_GE(mh, 67);  // the row pair extended
}

}  // namespace
