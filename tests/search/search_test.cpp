// The root's rules where a plain reading misbehaves, and random games. The paths that
// decide unsearched (O's five, a block of X's four, O's win by the filter, no move at
// all) and tactics such as a four-three are positions of bench/positions.txt, whose
// moves, scores and node counts bench-signature pins.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

#include "../engine/board_helpers.h"

extern uint64_t ALLOCATIONS;  // heap allocations so far (allocations.cpp)

// The reply to the first stone is one of the best eight, chosen by the fixed
// index when given, otherwise by the engine's generator alone.
TEST(Root, ReplyToTheFirstStone) {
  NEWGAME(22);
  PLAY(CELL(10, 10), 'X');
  TYPOSM best;
  ASSERT_EQ(BESTR(8, best, PS), 8);
  std::vector<uint16_t> runs[3];
  for (ROOTDRAW = 0; ROOTDRAW < 8; ROOTDRAW++) SEARCHMOVE(), runs[0].push_back(KZ);
  EXPECT_EQ(runs[0], std::vector<uint16_t>(best + 1, best + 9));
  for (ROOTDRAW = -1; auto* run : {&runs[1], &runs[2]})
    for (uint64_t seed = 0; seed < 200; seed++) RANDSEED(seed), SEARCHMOVE(), run->push_back(KZ);
  EXPECT_EQ(runs[1], runs[2]);
  EXPECT_EQ(std::set<uint16_t>(runs[1].begin(), runs[1].end()),
            std::set<uint16_t>(best + 1, best + 9));
}

// O takes its own five at once, ahead of blocking X's open four, and says so
// with the full depth as its score.
TEST(Root, OwnFiveBeforeTheBlock) {
  NEWGAME(22);
  PLAYALL("5,10 5,5 6,10 6,5 7,10 7,5 8,10 8,5 15,15");
  EXPECT_EQ(SEARCHMOVE(2), int16_t(VSTUP));
  EXPECT_TRUE(AT(KZ) == "4,5" || AT(KZ) == "9,5") << AT(KZ);
}

// A loop stops only right after a child raised the working bound: a window empty, or
// A + 4 >= D (X: D <= 4 - B), from the start still searches every child, while a first child that
// closes an open window ends the loop. A root that scored nothing above its alpha plays its first
// candidate.
TEST(Decisions, LoopStopsOnlyAfterTheBoundImproves) {
  NEWGAME(13);
  PLAYALL("6,6 6,3 6,9");  // quiet, and mirrored about column 6 so children tie
  TYPOSM T, U;
  uint16_t no = BESTR(V0, T, PS), nx = BESTR(V0, U, PS);
  ASSERT_EQ(std::tuple(FILTR(no, T, PSC, PSH), FILTR(nx, U, PSH, PSC)), std::tuple(false, false));
  ASSERT_GE(std::min(no, nx), 3);
  // Node (O, X or root R), D, A, B, score (0: any), children searched (at a budget of 2, leaves).
  const std::tuple<char, uint16_t, int16_t, int16_t, int16_t, uint64_t> rows[] = {
      {'O', VSTUP, 20000, 10000, 20000, no}, {'X', VSTUP, -10000, -20000, -20000, nx},
      {'O', VSTUP, -32667, -20000, 0, 1},    {'X', VSTUP, 20000, 32667, 0, 1},
      {'O', 20003, 20000, 32667, 20000, no}, {'X', 20003, -32667, -20000, -20000, nx},
      {'R', VSTUP, 20000, 10000, 20000, no}, {'R', VSTUP, 30000, 32667, 30000, no}};
  for (const auto& [node, d, a, b, score, children] : rows) {
    const uint64_t n0 = NODES;
    const int v = (node == 'X' ? MYSLIX : node == 'O' ? MYSLIO : MYSLIO0)(d, 2, a, b);
    EXPECT_TRUE(score == 0 || v == score) << node << " " << a << " " << b << ": " << v;
    EXPECT_EQ(NODES - n0, children) << node << " " << a << " " << b;
    EXPECT_TRUE(node != 'R' || KZ == T[1]) << AT(KZ);
  }
  // With the full window the root keeps the first of equal best children.
  std::vector<int> leaves;
  for (int p = 1; p <= no; p++)
    KZ = T[p], GOO(), leaves.push_back(MYSLIX(VSTUP - 1, 0, -32667, 32667)), BKSP();
  const auto best = std::max_element(leaves.begin(), leaves.end());
  ASSERT_GT(std::count(leaves.begin(), leaves.end(), *best), 1);
  EXPECT_EQ(SEARCHMOVE(2), *best);
  EXPECT_EQ(KZ, T[1 + (best - leaves.begin())]);
}

// One cell named twice in a five register (it completes five on two lines) is
// one threat: emptied before the reply, or the reply would still see a five.
// Two cells are a loss one ply on, unsearched. A forced reply costs no
// budget: it is made with 1 left, and with 2 its child still expands.
TEST(Decisions, FiveRegisters) {
  const char* twice =
      "6,10 5,10 7,10 10,5 8,10 15,15 9,10 17,15 10,6 3,18 10,7 18,3 10,8 1,20 10,9";
  const char* open = "10,10 9,9 11,10 5,5 12,10 6,6 13,10";
  const char* closed = "10,10 9,10 11,10 9,9 12,10 8,8 13,10";
  // Position and its first side, budget, score range, nodes (-1: several), cell taken back last.
  const std::tuple<const char*, char, uint64_t, int, int, int, const char*> rows[] = {
      {twice, 'X', 1, -30000, 30000, 1, "10,10"},  {twice, 'O', 1, -30000, 30000, 1, "10,10"},
      {open, 'X', 100, -32666, -32666, 0, ""},     {open, 'O', 100, 32666, 32666, 0, ""},
      {closed, 'X', 1, -30000, 30000, 1, "14,10"}, {closed, 'X', 2, -30000, 30000, -1, "14,10"}};
  for (const auto& [moves, first, k, lo, hi, nodes, last] : rows) {
    NEWGAME(22);
    PLAYALL(moves, first);
    const uint64_t n0 = NODES;
    const int v = (first == 'X' ? MYSLIO : MYSLIX)(VSTUP, k, -32667, 32667);
    SCOPED_TRACE(testing::Message() << moves << ", " << first << " first, budget " << k);
    EXPECT_GE(v, lo);
    EXPECT_LE(v, hi);
    EXPECT_TRUE(nodes < 0 ? NODES - n0 > 1 : NODES - n0 == uint64_t(nodes)) << NODES - n0;
    EXPECT_TRUE(!*last || AT(KZ) == last) << AT(KZ);
  }
}

// A quiet leaf scores the larger sum (249 after the first centre stone); sums stay exact past 16
// bits, and a score read from one saturates at 32167, below every win: with open threes of one side
// (no four anywhere), a leaf with the other side to move scores that sum.
TEST(Decisions, SumsAreExactAndScoresSaturate) {
  NEWGAME(22);
  PLAY(CELL(10, 10), 'X');
  EXPECT_EQ(MYSLIO(VSTUP - 1, 1, -32667, 32667), -249);  // a quiet leaf: the larger sum
  for (char side : {'O', 'X'}) {
    NEWGAME(22);
    for (int y = 2; y <= 20; y += 3)
      for (int x : {2, 3, 4, 9, 10, 11, 16, 17, 18}) PLAY(CELL(x, y), side);
    EXPECT_EQ((side == 'O' ? MYSLIX : MYSLIO)(VSTUP, 1, -32667, 32667),
              side == 'O' ? 32167 : -32167);
  }
}

// Both sides play among the best cells in turn, on any size, some with obstacles.
static bool RANDOMGAME(std::mt19937& rng) {
  static const int SIZES[] = {7, 8, 13, 20, 22};
  NEWGAME(SIZES[rng() % 5]);
  const int n = SR - 2, plies = 4 + int(rng() % std::min(28, n * n / 2));
  auto ANY = [&] { return CELL(1 + int(rng() % n), 1 + int(rng() % n)); };
  for (int k = rng() % 3 ? 0 : int(rng() % 6); k > 0; k--) PHC[ANY()] = 3;
  TYPOSM T = {0, ANY()};
  for (uint16_t p = 0, count = 1; p < plies && count > 0; p++, count = BESTR(10, T, PS)) {
    const uint16_t c = T[1 + rng() % count];
    // Never on an obstacle, nor a stone that completes five: that ends a game.
    if (!FREECELL(c) || (p % 2 ? PSC[c] : PSH[c]) >= 4099) break;
    PLAY(c, p % 2 ? 'O' : 'X');
  }
  return PT > 1;
}

// A hundred middle games at small skills (quick under the sanitizers): a search plays a free cell,
// allocates nothing and restores every table. A stop check asked every 4096 nodes changes nothing
// until it says yes; then the search unwinds at once, every stone taken back.
TEST(RandomGames, SearchesRestoreEveryTableAndStopCleanly) {
  static int STOPCALLS, STOPAFTER;  // calls of the stop check so far; the one that says yes
  std::mt19937 rng(2024);
  int aborted = 0;
  for (int searched = 0; searched < 100; searched++) {
    while (!RANDOMGAME(rng)) continue;
    V0 = uint16_t(4 + rng() % 9), H0 = uint16_t(2 + rng() % 4);
    const std::vector<uint32_t> before = TAKESTATE();
    uint64_t n0 = NODES, allocs = ALLOCATIONS;
    const int16_t score = SEARCHMOVE();
    const uint64_t nodes = NODES - n0, move = KZ;
    ASSERT_EQ(ALLOCATIONS, allocs);
    ASSERT_TRUE(!score || FREECELL(KZ)) << AT(KZ);
    ASSERT_TRUE(TAKESTATE() == before) << searched;

    SEARCHSTOP = [] { return ++STOPCALLS >= STOPAFTER; };
    STOPCALLS = 0, STOPAFTER = 1 << 30, n0 = NODES;
    EXPECT_EQ(SEARCHMOVE(), score);
    EXPECT_EQ(std::tuple(KZ, NODES - n0, SEARCHABORTED), std::tuple(move, nodes, false))
        << searched;
    EXPECT_EQ(uint64_t(STOPCALLS), (n0 + nodes) / 4096 - n0 / 4096);
    STOPCALLS = 0, STOPAFTER = 1, n0 = NODES;
    SEARCHMOVE();
    ASSERT_TRUE(TAKESTATE() == before) << searched;
    EXPECT_EQ(SEARCHABORTED, STOPCALLS > 0);
    EXPECT_LT(NODES - n0, 4096u + 2 * PT);
    aborted += STOPCALLS > 0;
  }
  EXPECT_GT(aborted, 0);  // some searches were long enough to be stopped
}
