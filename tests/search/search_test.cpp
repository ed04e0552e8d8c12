// The root's paths and the search's tactics at the game's skill.
#include <gtest/gtest.h>

#include <set>

#include "search_helpers.h"

namespace {

TEST(Root, EmptyBoardTakesTheEmptiestCell) {
  NEWBOARD(13);
  uint64_t nodes = NODES;
  EXPECT_EQ(COMPUTERMOVE(), 1);
  EXPECT_EQ(KZ, CELL(6, 6));
  EXPECT_EQ(NODES, nodes);
}

TEST(Root, FullBoardHasNoMove) {
  NEWBOARD(7);
  // Rows alternate XXOOX / OOXXO: full, and nobody has five.
  for (int y = 1; y <= 5; y++)
    for (int x = 1; x <= 5; x++) {
      bool odd = y % 2 == 1;
      char side = (x <= 2 || x == 5) == odd ? 'X' : 'O';
      PLAY(x, y, side);
    }
  KZ = CELL(3, 3);
  EXPECT_EQ(COMPUTERMOVE(), 0);
  EXPECT_EQ(KZ, CELL(3, 3));
}

TEST(Root, ReplyToTheFirstStoneIsOneOfTheBestEight) {
  NEWBOARD(22);
  PLAY(10, 10, 'X');
  TYPOSM best;
  ASSERT_EQ(BESTR(8, best, PS), 8);
  std::set<uint16_t> allowed(best + 1, best + 9), seen;
  for (int draw = 0; draw < 8; draw++) {
    ROOTDRAW = draw;
    ASSERT_EQ(COMPUTERMOVE(), -32667);  // the alpha passed in: nothing was searched
    EXPECT_EQ(KZ, best[draw + 1]);
  }
  ROOTDRAW = -1;
  uint64_t nodes = NODES;
  for (uint64_t seed = 0; seed < 200; seed++) {
    RANDSEED(seed);
    ASSERT_EQ(COMPUTERMOVE(), -32667);
    uint16_t first = KZ;
    RANDSEED(seed);
    COMPUTERMOVE();
    EXPECT_EQ(KZ, first);  // the engine's generator decides, nothing else
    EXPECT_TRUE(allowed.count(KZ));
    seen.insert(KZ);
  }
  EXPECT_EQ(seen.size(), 8u);
  EXPECT_EQ(NODES, nodes);
}

TEST(Root, OCompletesFive) {
  NEWBOARD(22);
  PLAYALL({{10, 10}, {10, 11}, {11, 10}, {11, 11}, {12, 10}, {12, 11}, {9, 12}, {13, 11}, {8, 8}});
  uint16_t five = uint16_t(O5 & 0xFFFF);
  ASSERT_NE(five, 0);
  EXPECT_EQ(COMPUTERMOVE(), 32667);
  EXPECT_EQ(KZ, five);
}

TEST(Root, BlocksXsFourWithoutSearching) {
  NEWBOARD(22);
  // X's four from (10,10) to (13,10), open at both ends: the newest cell is taken.
  PLAYALL({{10, 10}, {9, 9}, {11, 10}, {5, 5}, {12, 10}, {6, 6}, {13, 10}});
  ASSERT_EQ(X5, (uint32_t(CELL(9, 10)) << 16) | CELL(14, 10));
  uint64_t nodes = NODES;
  EXPECT_EQ(COMPUTERMOVE(), -32667);
  EXPECT_EQ(KZ, CELL(14, 10));
  EXPECT_EQ(NODES, nodes);
  // Blocked at one end: the single cell that is left.
  NEWBOARD(22);
  PLAYALL({{10, 10}, {9, 10}, {11, 10}, {9, 9}, {12, 10}, {8, 8}, {13, 10}});
  COMPUTERMOVE();
  EXPECT_EQ(KZ, CELL(14, 10));
}

TEST(Root, OpenFourWinsThroughTheFilter) {
  NEWBOARD(22);
  // Both have an open three; O to move makes an open four and needs no search.
  PLAYALL({{10, 10}, {10, 12}, {11, 10}, {11, 12}, {12, 10}, {12, 12}, {15, 15}});
  uint64_t nodes = NODES;
  EXPECT_EQ(COMPUTERMOVE(), VSTUP - 2);
  EXPECT_TRUE(KZ == CELL(9, 12) || KZ == CELL(13, 12));
  EXPECT_GE(PSC[KZ], 514);
  EXPECT_EQ(NODES, nodes);
}

TEST(Tactics, FourThreeWins) {
  NEWBOARD(22);
  // O's closed three on row 11 and pair on column 14 meet at (14,11): a four
  // and an open three at once. X blocks the four, O's open four follows.
  PLAYALL({{10, 11}, {11, 11}, {5, 15}, {12, 11}, {17, 4}, {13, 11}, {3, 3}, {14, 9}, {18, 18}, {14, 10}, {2, 17}});
  int16_t score = COMPUTERMOVE();
  EXPECT_EQ(KZ, CELL(14, 11));
  EXPECT_GE(score, VSTUP - 6);  // five within O's third stone
}

TEST(Tactics, AnswersAnOpenThree) {
  NEWBOARD(22);
  PLAYALL({{8, 10}, {9, 12}, {10, 10}, {12, 12}, {11, 10}});  // X . X X, open
  COMPUTERMOVE();
  EXPECT_TRUE(KZ == CELL(9, 10) || KZ == CELL(7, 10) || KZ == CELL(12, 10)) << KZ % SR << "," << KZ / SR;
}

TEST(Root, EqualScoresKeepTheEarlierCandidate) {
  // Mirror-symmetric about column 6, so mirrored candidates score alike.
  NEWBOARD(13);
  PLAYALL({{6, 6}, {6, 3}, {6, 9}});
  TYPOSM T;
  uint16_t n = BESTR(V0, T, PS);
  ASSERT_FALSE(FILTR(n, T, PSC, PSH));
  // With a budget of 2 every child is a leaf: score each one by hand.
  int16_t best = -32667;
  uint16_t first = 0;
  int ties = 0;
  for (uint16_t p = 1; p <= n; p++) {
    KZ = T[p];
    GOO();
    int16_t v = MYSLIX(uint16_t(VSTUP - 1), 2 / n, -32667, 32667);
    BKSP();
    if (v > best) {
      best = v;
      first = T[p];
      ties = 0;
    } else if (v == best) {
      ties++;
    }
  }
  ASSERT_GT(ties, 0) << "the position should give equal best scores";
  EXPECT_EQ(MYSLIO0(VSTUP, 2, -32667, 32667), best);
  EXPECT_EQ(KZ, first);
}

TEST(Search, AllocatesNothing) {
  NEWBOARD(22);
  PLAYALL({{10, 10}, {11, 11}, {10, 11}, {10, 12}, {11, 10}});
  V0 = 10;
  H0 = 5;
  uint64_t before = ALLOCATIONS, n0 = NODES;
  COMPUTERMOVE();
  NEWBOARD(7);
  COMPUTERMOVE();
  PLAY(3, 3, 'X');
  COMPUTERMOVE();
  PLAY(3, 4, 'O');
  COMPUTERMOVE();
  EXPECT_EQ(ALLOCATIONS, before);
  EXPECT_GT(NODES - n0, 10000u);  // real searches, not only the root's shortcuts
}

}  // namespace
