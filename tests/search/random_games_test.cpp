// Searches over many random middle games: the board comes back exactly as it
// was, the move is a free cell, and an interrupted search leaves nothing behind.
#include <gtest/gtest.h>

#include <random>

#include "search_helpers.h"

namespace {

// A random middle game: stones near the action for both sides in turn, none
// completing five, sometimes with obstacles. Returns false if no cell was left.
bool RANDOMGAME(std::mt19937& rng) {
  static const int SIZES[] = {7, 8, 13, 20, 22};
  NEWBOARD(SIZES[rng() % 5]);
  int n = SR - 2;
  if (rng() % 3 == 0)
    for (int k = int(rng() % 6); k > 0; k--) PHC[CELL(1 + int(rng() % n), 1 + int(rng() % n))] = 3;
  int plies = 4 + int(rng() % std::min(28, n * n / 2));
  KZ = CELL(1 + int(rng() % n), 1 + int(rng() % n));
  if (PHC[KZ] != 0) return false;
  X5O5();
  GOX();
  for (int p = 1; p < plies; p++) {
    bool x = p % 2 == 0;
    TYPOSM T;
    uint16_t count = BESTR(10, T, PS);
    if (count == 0) return PT > 1;
    // Skip cells where the mover would complete five: the game would be over.
    uint16_t pick = 0;
    for (int tries = 0; tries < 10 && pick == 0; tries++) {
      uint16_t c = T[1 + rng() % count];
      if ((x ? PSH[c] : PSC[c]) < 4099) pick = c;
    }
    if (pick == 0) return PT > 1;
    KZ = pick;
    X5O5();
    if (x)
      GOX();
    else
      GOO();
  }
  return true;
}

// Every position is searched at a few small skills so the whole test stays
// quick under the sanitizers; the tables must come back bit for bit.
TEST(RandomGames, SearchRestoresEveryTable) {
  std::mt19937 rng(2024);
  int searched = 0;
  while (searched < 100) {
    if (!RANDOMGAME(rng)) continue;
    V0 = uint16_t(4 + rng() % 9);
    H0 = uint16_t(2 + rng() % 3);
    POSITIONSTATE before = TAKESTATE();
    int16_t score = COMPUTERMOVE();
    ASSERT_TRUE(TAKESTATE() == before) << "position " << searched;
    if (score != 0) {
      ASSERT_GT(KZ, SR);
      ASSERT_LE(KZ, SRXSR_SR_2);
      ASSERT_EQ(PHC[KZ], 0) << "position " << searched;
    }
    searched++;
  }
}

int STOPCALLS = 0;      // how often the search asked whether to stop
int STOPAFTER = 1000000;  // the call that answers yes

bool COUNTINGSTOP() { return ++STOPCALLS >= STOPAFTER; }

// A stop check that never says yes changes nothing: same move, same score,
// same nodes. One that says yes unwinds the search with every move taken back.
TEST(RandomGames, StopCheckIsInvisibleUntilItStops) {
  std::mt19937 rng(99);
  int searched = 0, aborted = 0;
  while (searched < 30) {
    if (!RANDOMGAME(rng)) continue;
    V0 = 10;
    H0 = 5;
    POSITIONSTATE before = TAKESTATE();
    uint64_t n0 = NODES;
    int16_t score = COMPUTERMOVE();
    uint16_t move = KZ;
    uint64_t nodes = NODES - n0;
    EXPECT_FALSE(SEARCHABORTED);

    SEARCHSTOP = COUNTINGSTOP;
    STOPCALLS = 0;
    STOPAFTER = 1000000;
    n0 = NODES;
    EXPECT_EQ(COMPUTERMOVE(), score);
    EXPECT_EQ(KZ, move);
    EXPECT_EQ(NODES - n0, nodes);
    EXPECT_EQ(uint64_t(STOPCALLS), (n0 + nodes) / 4096 - n0 / 4096);  // once every 4096 nodes
    EXPECT_FALSE(SEARCHABORTED);

    STOPCALLS = 0;
    STOPAFTER = 1;
    COMPUTERMOVE();
    ASSERT_TRUE(TAKESTATE() == before);
    if (STOPCALLS > 0) {
      EXPECT_TRUE(SEARCHABORTED);
      EXPECT_LT(NODES - n0 - nodes, 4096u + 2 * PT);  // it stopped at the first check
      aborted++;
    }
    SEARCHSTOP = nullptr;
    searched++;
  }
  EXPECT_GT(aborted, 0);
}

}  // namespace
