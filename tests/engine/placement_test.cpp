// Stone placement and take-back: the stated example positions, the five
// registers, and invariants over many random games on several board sizes.
#include <gtest/gtest.h>

#include <random>

#include "board_helpers.h"

namespace {

void PLAYX(int x, int y) { PLACE(CELL(x, y), SIDEX); }
void PLAYO(int x, int y) { PLACE(CELL(x, y), SIDEO); }

TEST(Placement, FirstStoneInTheCentre) {
  NEWBOARD(22);
  ASSERT_EQ(KZ, 230);
  GOX();
  EXPECT_EQ(PT, 1);
  EXPECT_EQ(PP[1], 230);
  EXPECT_EQ(PHC[230], 1);
  EXPECT_EQ(PSH[230], 0);
  const uint16_t along[4] = {10, 9, 8, 4};
  for (int d = 0; d < 8; d++)
    for (int k = 1; k <= 4; k++) {
      const int c = 230 + k * PSV[d];
      EXPECT_EQ(PSH[c], along[k - 1]) << "direction " << d << " step " << k;
      EXPECT_EQ(PSC[c], 0);
    }
  EXPECT_EQ(SUMX, 249u);
  EXPECT_EQ(SUMO, 1u);
  BKSP();
  EXPECT_EQ(KZ, 230);
  EXPECT_EQ(PT, 0);
  for (int c = SR + 1; c <= SRXSR_SR_2; c++) ASSERT_EQ(PS[c] | PSH[c] | PSC[c], 0) << c;
  EXPECT_EQ(SUMX, 1u);
  EXPECT_EQ(SUMO, 1u);
}

TEST(Placement, OpenFourFillsTheRegisterWithBothEnds) {
  NEWBOARD(22);
  for (int x = 8; x <= 11; x++) PLAYX(x, 10);
  EXPECT_EQ(X5 >> 16, 227u);
  EXPECT_EQ(X5 & 0xFFFF, 232u);
  EXPECT_EQ(O5, 0u);
  // Side O blocking one end withdraws that cell only.
  PLAYO(12, 10);
  EXPECT_EQ(X5, 227u);
}

// Two crossing lines of four around one empty cell: the cell is entered once
// per line, and the opponent's stone there must withdraw both copies.
TEST(Placement, StoneOnADoubleFiveCellClearsBothCopies) {
  NEWBOARD(22);
  for (int k = 1; k <= 4; k++) PLAYX(10 - k, 10);  // row, left of (10, 10)
  PLAYO(10, 5);                                    // the column's far end is blocked
  for (int k = 1; k <= 4; k++) PLAYX(10, 10 - k);  // column, above (10, 10)
  const uint16_t c = CELL(10, 10);
  ASSERT_EQ(X5 & 0xFFFF, c);
  ASSERT_EQ(X5 >> 16, c);
  PLAYO(10, 10);
  EXPECT_NE(X5 & 0xFFFF, c);
  EXPECT_NE(X5 >> 16, c);
  EXPECT_EQ(X5, 0u);
}

// Every line's stack pointer and the frames at or below it match a snapshot.
void EXPECTSTACKSEQUAL(const SNAPSHOT& s) {
  for (int c = SR + 1; c <= SRXSR_SR_2; c++) {
    if (c % SR == 0 || c % SR == SR - 1) continue;
    for (int d = 0; d < 4; d++) {
      const int base = DBS[c][d];
      const int m = int((MEZEZ[c] >> (8 * d)) & 255) + int((MEZEK[c] >> (8 * d)) & 255) + 1;
      ASSERT_EQ(BSX[base], s.bsx[base]) << "line pointer of cell " << c << " direction " << d;
      for (int slot = base + 1; slot < BSX[base] + m; slot++) {
        ASSERT_EQ(BSX[slot], s.bsx[slot]) << "slot " << slot;
        ASSERT_EQ(BSO[slot], s.bso[slot]) << "slot " << slot;
      }
    }
  }
}

void EXPECTRESTORED(const SNAPSHOT& s) {
  const SNAPSHOT now = TAKESNAPSHOT();
  ASSERT_EQ(now.phc, s.phc);
  ASSERT_EQ(now.psh, s.psh);
  ASSERT_EQ(now.psc, s.psc);
  ASSERT_EQ(now.ps, s.ps);
  ASSERT_EQ(now.sumx, s.sumx);
  ASSERT_EQ(now.sumo, s.sumo);
  ASSERT_EQ(now.pt, s.pt);
  ASSERT_EQ(now.pp, s.pp);
  EXPECTSTACKSEQUAL(s);
}

// Random games with obstacles: after every stone and every take-back BOARDOK
// finds each table equal to a recomputation, and taking the stones back in
// stages restores each earlier position bit for bit.
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
      std::vector<SNAPSHOT> history{TAKESNAPSHOT()};
      for (size_t k = 0; k < moves; k++) {
        PLACE(empty[k], rng() & 1 ? SIDEX : SIDEO);
        ASSERT_TRUE(BOARDOK()) << "side " << sr << " game " << game << " move " << k;
        if (k % 5 == 4) history.push_back(TAKESNAPSHOT());
      }
      for (size_t k = moves; k > 0; k--) {
        if (k % 5 == 0 && k / 5 < history.size()) {
          EXPECTRESTORED(history[k / 5]);
          if (HasFatalFailure()) return;
        }
        ASSERT_EQ(UNPLACE(), empty[k - 1]);
        ASSERT_TRUE(BOARDOK());
      }
      EXPECTRESTORED(history[0]);
      if (HasFatalFailure()) return;
    }
  }
}

// BOARDOK can fail: one wrong entry in any table it covers is caught.
TEST(Placement, BoardOkCatchesEachCorruptedTable) {
  NEWBOARD(15);
  for (int k = 0; k < 4; k++) PLAYX(4 + k, 6), PLAYO(4 + k, 7);  // X holds an open four
  PHC[CELL(12, 12)] = 3;                                         // an obstacle is no fault
  ASSERT_TRUE(BOARDOK());
  ASSERT_NE(X5, 0u);
  const int c = CELL(8, 6), s = DBS[c][0];
  const std::pair<const char*, uint16_t*> words[] = {{"cell value X", &PSH[c]},
                                                     {"cell value O", &PSC[c]},
                                                     {"combined", &PS[c]},
                                                     {"frame cell", &PHC[0]},
                                                     {"margin", &PHC[SR * SR + 1]},
                                                     {"stone without record", &PHC[CELL(1, 1)]},
                                                     {"record count", &PT},
                                                     {"record entry", &PP[2]},
                                                     {"line pointer", &BSX[s]},
                                                     {"line value", &BSX[BSX[s] + 7]},
                                                     {"line value O", &BSO[BSX[s] + 7]},
                                                     {"base slot", &DBS[c][1]},
                                                     {"frame between rows", &PS[2 * SR]}};
  for (const auto& [what, word] : words) {
    const uint16_t keep = *word;
    *word = what == std::string("stone without record") ? 1 : keep + 1;
    EXPECT_FALSE(BOARDOK()) << what;
    *word = keep;
  }
  const std::pair<const char*, uint32_t*> longs[] = {
      {"SUMX", &SUMX}, {"SUMO", &SUMO}, {"X5", &X5}, {"O5", &O5}, {"steps", &MEZEZ[c]}};
  for (const auto& [what, word] : longs) {
    const uint32_t keep = *word;
    *word = what == std::string("X5")   ? CELL(4, 6)
            : what == std::string("O5") ? CELL(3, 6)
                                        : keep + 1;
    EXPECT_FALSE(BOARDOK()) << what;
    *word = keep;
  }
  EXPECT_TRUE(BOARDOK());
#ifdef DOLM_CHECKS
  // Builds with the checks stop at the first move after a table went wrong.
  PSC[c]++;
  EXPECT_DEATH(PLAYO(12, 2), "tables disagree after a placement");
  PSC[c]--;
#endif
}

}  // namespace
