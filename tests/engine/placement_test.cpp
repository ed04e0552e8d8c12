// Stone placement and take-back: the stated example positions, the five registers, invariants
// over many random games on several board sizes, and BOARDOK's own reach.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "board_helpers.h"

namespace {

void PLAYX(int x, int y) { PLACE(CELL(x, y), SIDEX); }
void PLAYO(int x, int y) { PLACE(CELL(x, y), SIDEO); }

// The first stone's values along each of the eight directions (10, 9, 8, 4 at
// steps 1..4) and the sums; the take-back empties every value again.
TEST(Placement, FirstStoneInTheCentreAndOpenFour) {
  NEWBOARD(22);
  GOX();
  EXPECT_EQ(std::tuple(PT, PP[1], PHC[230], PSH[230], SUMX, SUMO),
            std::tuple(1, 230, 1, 0, 249, 1));
  const uint16_t along[] = {10, 9, 8, 4};
  for (int d = 0; d < 8; d++)
    for (int k = 1; k <= 4; k++)
      EXPECT_EQ(std::tuple(PSH[230 + k * PSV[d]], PSC[230 + k * PSV[d]]),
                std::tuple(along[k - 1], 0))
          << "direction " << d << " step " << k;
  BKSP();
  EXPECT_EQ(std::tuple(KZ, PT, SUMX, SUMO), std::tuple(230, 0, 1, 1));
  for (int c = SR + 1; c <= SRXSR_SR_2; c++) ASSERT_EQ(PS[c] | PSH[c] | PSC[c], 0) << c;
  // An open four names both ends in X5; O blocking one end withdraws that cell only.
  for (int x = 8; x <= 11; x++) PLAYX(x, 10);
  EXPECT_EQ(std::tuple(X5 >> 16, X5 & 0xFFFF, O5), std::tuple(227, 232, 0));
  PLAYO(12, 10);
  EXPECT_EQ(X5, 227u);
}

// Random games with obstacles: after every stone and every take-back BOARDOK finds each table equal
// to a recomputation (the five registers too: a stone on a cell that completes two fives withdraws
// both copies), and taking the stones back in stages restores each earlier position bit for bit.
TEST(Placement, RandomGamesStayExactAndTakeBackRestores) {
  std::mt19937 rng(12345);
  for (int sr : {7, 8, 12, 15, 22}) {
    for (int game = 0; game < 6; game++) {
      NEWBOARD(sr);
      std::vector<uint16_t> empty;
      for (int y = 1; y <= sr - 2; y++)
        for (int x = 1; x <= sr - 2; x++) {
          if (rng() % 12 == 0)
            PHC[CELL(x, y)] = 3;  // obstacles before the first stone
          else
            empty.push_back(CELL(x, y));
        }
      std::shuffle(empty.begin(), empty.end(), rng);
      const size_t moves = game % 2 ? empty.size() : empty.size() / 2;
      std::vector<std::vector<uint32_t>> history{TAKESTATE()};
      for (size_t k = 0; k < moves; k++) {
        PLACE(empty[k], rng() & 1 ? SIDEX : SIDEO);
        ASSERT_TRUE(BOARDOK()) << "side " << sr << " game " << game << " move " << k;
        if (k % 5 == 4) history.push_back(TAKESTATE());
      }
      for (size_t k = moves; k > 0; k--) {
        if (k % 5 == 0 && k / 5 < history.size()) {
          ASSERT_TRUE(TAKESTATE() == history[k / 5]) << "side " << sr << " move " << k;
        }
        ASSERT_EQ(UNPLACE(), empty[k - 1]);
        ASSERT_TRUE(BOARDOK());
      }
      ASSERT_TRUE(TAKESTATE() == history[0]) << "side " << sr << " game " << game;
    }
  }
}

// BOARDOK can fail: one wrong entry in any table it covers is caught.
TEST(Placement, BoardOkCatchesEachCorruptedTable) {
  NEWBOARD(15);
  PLAYALL("4,6 4,7 5,6 5,7 6,6 6,7 7,6 7,7");  // X holds an open four
  PHC[CELL(12, 12)] = 3;                       // an obstacle is no fault
  ASSERT_TRUE(BOARDOK());
  ASSERT_NE(X5, 0u);
  const int c = CELL(8, 6), s = DBS[c][0];
  auto spoil = [](const char* what, auto& word, uint32_t wrong) {
    const auto keep = word;
    word = decltype(keep)(wrong);
    EXPECT_FALSE(BOARDOK()) << what;
    word = keep;
  };
  spoil("cell value X", PSH[c], PSH[c] + 1), spoil("cell value O", PSC[c], PSC[c] + 1);
  spoil("combined", PS[c], PS[c] + 1), spoil("frame cell", PHC[0], PHC[0] + 1);
  spoil("margin", PHC[SR * SR + 1], 1), spoil("stone without record", PHC[CELL(1, 1)], 1);
  spoil("record count", PT, PT + 1), spoil("record entry", PP[2], PP[2] + 1);
  spoil("line pointer", BSX[s], BSX[s] + 1),
      spoil("line value", BSX[BSX[s] + 7], BSX[BSX[s] + 7] + 1);
  spoil("line value O", BSO[BSX[s] + 7], BSO[BSX[s] + 7] + 1),
      spoil("base slot", DBS[c][1], DBS[c][1] + 1);
  spoil("frame between rows", PS[2 * SR], PS[2 * SR] + 1), spoil("SUMX", SUMX, SUMX + 1);
  spoil("SUMO", SUMO, SUMO + 1), spoil("X5", X5, CELL(4, 6)), spoil("O5", O5, CELL(3, 6));
  spoil("steps", MEZEZ[c], MEZEZ[c] + 1);
  EXPECT_TRUE(BOARDOK());
#ifdef DOLM_CHECKS
  // Builds with the checks stop at the first move after a table went wrong.
  PSC[c]++;
  EXPECT_DEATH(PLAY(CELL(12, 2), 'O'), "tables disagree after a placement");
  PSC[c]--;
#endif
}

}  // namespace
