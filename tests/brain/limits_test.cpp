// Time management and the INFO search limits, on a fixed middle-game position.
#include <chrono>

#include "position.h"
#include "settings.h"
#include "think.h"
#include "timeman.h"
#include "transcript.h"

// A 20x20 middle game with threats for both sides, set up quickly.
static void middle_game(Transcript&) {
  brain_line("START 20");
  const int stones[][3] = {{9, 9, 2}, {10, 10, 1}, {10, 9, 2}, {8, 9, 1}, {11, 11, 2}, {9, 10, 1},
                           {8, 8, 2}, {11, 8, 1}, {12, 10, 2}, {7, 10, 1}, {10, 11, 2}, {9, 12, 1}};
  Placement p[12];
  for (int i = 0; i < 12; i++) p[i] = {cell_at(stones[i][0], stones[i][1]), static_cast<uint16_t>(stones[i][2])};
  set_position(p, 12);
}

using Limits = Transcript;

TEST_F(Limits, AllowanceHonoursTurnAndMatchTime) {
  timeout_turn_ms = 1000;
  EXPECT_EQ(turn_allowance_ms(400), 1000);
  timeout_match_ms = 600000;
  time_left_ms = 9000;
  EXPECT_EQ(turn_allowance_ms(400), 300) << "a share of the time left, over at most 30 replies";
  EXPECT_EQ(turn_allowance_ms(20), 900) << "at least a tenth of it near the end";
  time_left_ms = 0;
  EXPECT_EQ(turn_allowance_ms(400), 0);
  timeout_turn_ms = 0;
  time_left_ms = -1;
  EXPECT_EQ(turn_allowance_ms(400), 0);
}

TEST_F(Limits, NoTurnTimeMeansDepthOne) {
  middle_game(*this);
  timeout_turn_ms = 0;
  SearchReport r = choose_move();
  EXPECT_TRUE(r.searched);
  EXPECT_EQ(r.depth, 1);
  EXPECT_NE(r.cell, 0);
  EXPECT_EQ(PHC[r.cell], 0);
}

TEST_F(Limits, DeepeningStopsInTimeAndPlaysACompletedSearch) {
  middle_game(*this);
  EngineSnapshot before = snapshot();
  timeout_turn_ms = 300;
  auto start = std::chrono::steady_clock::now();
  SearchReport r = choose_move();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(ms, 300);
  EXPECT_GE(r.depth, 2);
  EXPECT_EQ(PHC[r.cell], 0);
  EXPECT_EQ(snapshot(), before) << "the position is left as it was";
  EXPECT_EQ(SEARCHSTOP, nullptr) << "the game's search is never interrupted";
  EXPECT_EQ(H0, 8) << "the game's depth setting is kept";
}

TEST_F(Limits, FixedDepthIsSearchedOnceAndAbortedAtTheTurnLimit) {
  middle_game(*this);
  EngineSnapshot before = snapshot();
  brain_line("INFO max_depth 3");
  SearchReport r = choose_move();
  EXPECT_EQ(r.depth, 3);
  EXPECT_FALSE(r.aborted);
  // Depth 10 takes far longer than 200 ms: it is stopped and the depth-1 move played.
  brain_line("INFO max_depth 10");
  brain_line("INFO timeout_turn 200");
  auto start = std::chrono::steady_clock::now();
  r = choose_move();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(ms, 200);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.depth, 1);
  EXPECT_EQ(PHC[r.cell], 0);
  EXPECT_EQ(snapshot(), before) << "an aborted search takes all its moves back";
}

TEST_F(Limits, NodeCapAndBreadthBoundTheBudget) {
  middle_game(*this);
  // 12^3 = 1728 exceeds 1000: depth 3 runs on the capped budget, after which the budget cannot grow.
  brain_line("INFO max_node 1000");
  SearchReport r = choose_move();
  EXPECT_EQ(r.depth, 3);
  brain_line("INFO max_node 0");
  brain_line("INFO breadth 1");
  // One candidate per node: every depth is the same single line, so deepening stops at once.
  r = choose_move();
  EXPECT_LE(r.depth, 2);
}
