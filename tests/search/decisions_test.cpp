// The rules the search was given where a plain reading would misbehave:
// when a loop may stop, a five register naming one cell twice, sums beyond
// 16 bits, and the root's fallback when nothing was scored.
#include <gtest/gtest.h>

#include "search_helpers.h"

namespace {

// The number of candidates a node with O (or X) to move searches here.
uint16_t CANDIDATES(bool o) {
  TYPOSM T;
  uint16_t n = BESTR(V0, T, PS);
  if (o)
    FILTR(n, T, PSC, PSH);
  else
    FILTR(n, T, PSH, PSC);
  return n;
}

// A quiet early position: small sums, no threats, X and O to move alike.
void QUIET() {
  NEWBOARD(22);
  PLAYALL({{10, 10}, {12, 11}, {9, 12}, {13, 9}});
}

// A loop stops only after a child has raised the working bound: with an
// empty window from the start (A >= B) every candidate is still searched;
// with an open window the first child that closes it ends the loop.
TEST(LoopStop, OnlyAfterTheBoundImproves) {
  QUIET();
  uint16_t no = CANDIDATES(true), nx = CANDIDATES(false);
  ASSERT_GE(no, 3);
  ASSERT_GE(nx, 3);
  // Budget 2 makes every child a leaf, so the nodes are the children searched.
  uint64_t n0 = NODES;
  EXPECT_EQ(MYSLIO(VSTUP, 2, 20000, 10000), 20000);  // no leaf reaches 20000
  EXPECT_EQ(NODES - n0, no);
  n0 = NODES;
  EXPECT_EQ(MYSLIX(VSTUP, 2, -10000, -20000), -20000);
  EXPECT_EQ(NODES - n0, nx);
  n0 = NODES;
  MYSLIO(VSTUP, 2, -32667, -20000);  // the first leaf beats B
  EXPECT_EQ(NODES - n0, 1u);
  n0 = NODES;
  MYSLIX(VSTUP, 2, 20000, 32667);
  EXPECT_EQ(NODES - n0, 1u);
  // The same near the distance: A + 4 >= D (X: D <= 4 - B) from the start is
  // not a stop; leaves score far below a win here.
  n0 = NODES;
  EXPECT_EQ(MYSLIO(20003, 2, 20000, 32667), 20000);
  EXPECT_EQ(NODES - n0, no);
  n0 = NODES;
  EXPECT_EQ(MYSLIX(20003, 2, -32667, -20000), -20000);
  EXPECT_EQ(NODES - n0, nx);
}

// The root's loop follows the same rule, and when no candidate scored above
// the alpha passed in it plays the first candidate, never the marker.
TEST(LoopStop, RootWithNothingScoredPlaysTheFirstCandidate) {
  QUIET();
  TYPOSM T;
  uint16_t n = BESTR(V0, T, PS);
  ASSERT_FALSE(FILTR(n, T, PSC, PSH));
  uint64_t n0 = NODES;
  EXPECT_EQ(MYSLIO0(VSTUP, 2, 20000, 10000), 20000);
  EXPECT_EQ(NODES - n0, n);
  EXPECT_EQ(KZ, T[1]);
  n0 = NODES;
  EXPECT_EQ(MYSLIO0(VSTUP, 2, 30000, 32667), 30000);
  EXPECT_EQ(KZ, T[1]);
  EXPECT_EQ(NODES - n0, n);
}

// X's closed fours on row 10 and column 10 both end at (10,10): the register
// names that one cell twice.
void XDOUBLEFIVE() {
  NEWBOARD(22);
  PLAYALL({{6, 10}, {5, 10}, {7, 10}, {10, 5}, {8, 10}, {15, 15}, {9, 10}, {17, 15}, {10, 6}, {3, 18},
           {10, 7}, {18, 3}, {10, 8}, {1, 20}, {10, 9}});
}

TEST(FiveRegister, OneCellTwiceIsOneThreatForO) {
  XDOUBLEFIVE();
  const uint16_t c = CELL(10, 10);
  ASSERT_EQ(X5, (uint32_t(c) << 16) | c);
  ASSERT_EQ(O5, 0u);
  uint64_t n0 = NODES;
  int16_t v = MYSLIO(VSTUP, 1, -32667, 32667);  // no budget left: only the forced reply
  EXPECT_EQ(NODES - n0, 1u);
  EXPECT_GT(v, -30000) << "one stone on (10,10) stops both fours";
  EXPECT_LT(v, 30000);
  EXPECT_EQ(KZ, c);  // the stone taken back last
  // The root blocks it too.
  XDOUBLEFIVE();
  COMPUTERMOVE();
  EXPECT_EQ(KZ, c);
}

TEST(FiveRegister, OneCellTwiceIsOneThreatForX) {
  // The same shape for O, with X to move.
  NEWBOARD(22);
  PLAYALL({{5, 10}, {6, 10}, {10, 5}, {7, 10}, {15, 15}, {8, 10}, {17, 15}, {9, 10}, {3, 18}, {10, 6},
           {18, 3}, {10, 7}, {1, 20}, {10, 8}, {20, 1}, {10, 9}});
  const uint16_t c = CELL(10, 10);
  ASSERT_EQ(O5, (uint32_t(c) << 16) | c);
  int16_t v = MYSLIX(VSTUP, 1, -32667, 32667);
  EXPECT_GT(v, -30000);
  EXPECT_LT(v, 30000);
}

TEST(FiveRegister, TwoDifferentCellsCannotBothBeStopped) {
  NEWBOARD(22);
  PLAYALL({{10, 10}, {9, 9}, {11, 10}, {5, 5}, {12, 10}, {6, 6}, {13, 10}});  // X's open four
  uint64_t n0 = NODES;
  EXPECT_EQ(MYSLIO(1000, 100, -32667, 32667), 1 - 1000);
  EXPECT_EQ(NODES, n0);
  NEWBOARD(22);
  PLAYALL({{9, 9}, {10, 10}, {5, 5}, {11, 10}, {6, 6}, {12, 10}, {7, 5}, {13, 10}});  // O's open four
  n0 = NODES;
  EXPECT_EQ(MYSLIX(1000, 100, -32667, 32667), 1000 - 1);
  EXPECT_EQ(NODES, n0);
}

TEST(FiveRegister, ForcedReplyIsSearchedWithoutBudget) {
  // X's four blocked at one end: O must answer at (14,10) even with no
  // budget left, and the reply passes its whole budget on.
  NEWBOARD(22);
  PLAYALL({{10, 10}, {9, 10}, {11, 10}, {9, 9}, {12, 10}, {8, 8}, {13, 10}});
  uint64_t n0 = NODES;
  MYSLIO(VSTUP, 1, -32667, 32667);
  EXPECT_EQ(NODES - n0, 1u);
  EXPECT_EQ(KZ, CELL(14, 10));
  // With a budget of 2 the reply's child still has 2 and expands X's candidates.
  PLAY(14, 10, 'O');
  uint16_t nx = CANDIDATES(false);
  BKSP();
  X5 = CELL(14, 10);  // the register as it stood before the reply was tried
  n0 = NODES;
  MYSLIO(VSTUP, 2, -32667, 32667);
  EXPECT_EQ(NODES - n0, 1u + nx);
}

// A set of open threes, spread so that no line holds a four, for one side.
void MANYTHREES(char side) {
  NEWBOARD(22);
  for (int y = 2; y <= 20; y += 3)
    for (int x : {2, 9, 16})
      for (int k = 0; k < 3; k++) PLAY(x + k, y, side);
}

TEST(Sums, PositionalScoresSaturateBelowTheWins) {
  MANYTHREES('O');
  ASSERT_EQ(O5, 0u);
  ASSERT_GT(SUMO, 32768u) << "the sum must pass the 16-bit range for this test";
  // X to move, out of budget: O's threes make the score O's sum, saturated.
  EXPECT_EQ(MYSLIX(VSTUP, 1, -32667, 32667), 32167);
  MANYTHREES('X');
  ASSERT_EQ(X5, 0u);
  ASSERT_GT(SUMX, 32768u);
  EXPECT_EQ(MYSLIO(VSTUP, 1, -32667, 32667), -32167);
}

TEST(Sums, ExactAfterTheFirstStone) {
  NEWBOARD(22);
  PLAY(10, 10, 'X');
  EXPECT_EQ(SUMX, 249u);
  EXPECT_EQ(SUMO, 1u);
  // O to move at a leaf, nothing on the board worth a threat: the larger sum.
  EXPECT_EQ(MYSLIO(VSTUP - 1, 1, -32667, 32667), -249);
}

}  // namespace
