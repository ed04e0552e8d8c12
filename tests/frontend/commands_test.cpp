// The command loop: cursor keys over the torus, the placing keys, the
// computer's reply, and a long run of random commands checked against the
// engine's tables after every key.
#include <random>

#include "harness.h"

namespace {

TEST_F(Game, CursorKeysWrapRoundTheBoard) {
  struct Step {
    int c, r;
    uint16_t key;
    int wantc, wantr;
  } const steps[] = {
      {20, 5, 0x2025, 1, 5},   {1, 5, 0x2023, 20, 5},   {7, 20, 0x2027, 7, 1},   {7, 1, 0x2021, 7, 20},
      {20, 20, 0x2028, 1, 1},  {1, 1, 0x2020, 20, 20},  {20, 1, 0x2022, 1, 20},  {1, 20, 0x2026, 20, 1},
      {5, 5, 0x2020, 4, 4},    {5, 5, 0x2022, 6, 4},    {5, 5, 0x2026, 4, 6},    {5, 5, 0x2028, 6, 6},
      {20, 9, 0x2022, 1, 8},   {9, 20, 0x2028, 10, 1},  {1, 9, 0x2026, 20, 10},  {9, 1, 0x2020, 8, 20},
  };
  for (const Step& s : steps) {
    Cursor(s.c, s.r);
    Keys({s.key});
    EXPECT_EQ(KZ, CELL(s.wantc, s.wantr)) << std::hex << s.key << std::dec << " from " << s.c << "," << s.r;
    EXPECT_TRUE(CURX == s.wantc && CURY == s.wantr);
  }
  // The coordinates field shows a one-digit column with a blank before it.
  Cursor(5, 12);
  EXPECT_EQ(TEXT(17, 24, 7), "[ 5,12]");
  Cursor(12, 3);
  EXPECT_EQ(TEXT(17, 24, 7), "[12, 3]");
}

TEST_F(Game, CursorWrapsOnTheSmallestBoardToo) {
  for (int i = 0; i < 15; i++) Keys({'-'});
  ASSERT_EQ(SR, 7);
  Cursor(5, 5);
  Keys({0x2028});
  EXPECT_EQ(KZ, CELL(1, 1));
  Keys({0x2020});
  EXPECT_EQ(KZ, CELL(5, 5));
}

TEST_F(Game, EnterPlacesXAndTheComputerAnswers) {
  Keys({0x2002, '2'});  // a quick skill: the reply is what is tested here
  Put(10, 10, 0x000D);
  ASSERT_EQ(PT, 2);
  EXPECT_EQ(PHC[CELL(10, 10)], 1);
  EXPECT_EQ(PHC[PP[2]], 2);
  EXPECT_EQ(KZ, PP[2]);  // the cursor follows the computer's stone
  int c = KZ % SR, r = KZ / SR;
  EXPECT_EQ(SCREENCHAR(3 + c, 3 + r), 'O');
  EXPECT_TRUE(SCREENFG(3 + c, 3 + r) == 13 && SCREENBG(3 + c, 3 + r) == 0);
  EXPECT_EQ(SCREENCHAR(13, 13), 'X');
  EXPECT_TRUE(SCREENFG(13, 13) == 14 && SCREENBG(13, 13) == 0);
  EXPECT_EQ(TEXT(4, 24, 4), "2   ");
  EXPECT_TRUE(CURX == c && CURY == r);
  // Enter on an occupied cell does nothing, and the computer does not move.
  Put(10, 10, 0x000D);
  EXPECT_EQ(PT, 2);
  // A left click on an empty cell is Enter there.
  in->PushClick(2 + 3, 2 + 3);
  Run();
  EXPECT_EQ(PT, 4);
  EXPECT_EQ(PHC[CELL(3, 3)], 1);
}

TEST_F(Game, InsLetsTheComputerMoveTwiceInARow) {
  Keys({0x2002, '2', 0x2029});
  ASSERT_EQ(PT, 1);
  EXPECT_EQ(PHC[PP[1]], 2);
  Keys({0x2029});
  ASSERT_EQ(PT, 2);
  EXPECT_EQ(PHC[PP[2]], 2);
}

TEST_F(Game, AClickOnALitLabelGivesItsKey) {
  Keys({0x2002, '2'});
  // The pointer onto "Ins" (column 35, row 17) lights it yellow on brown.
  in->PushMouse(0, 35 - 1, 17 - 1, 4);
  Run();
  EXPECT_EQ(OLDI, 19);
  EXPECT_TRUE(SCREENFG(35, 17) == 14 && SCREENBG(35, 17) == 6);
  EXPECT_TRUE(WINL == 4 && CURX == 10 && CURY == 10);  // back on the board cursor
  in->PushClick(35 - 1, 17 - 1);
  Run();
  EXPECT_EQ(PT, 1);
  EXPECT_EQ(PHC[PP[1]], 2);
  // Off the label it gets its normal look back.
  in->PushMouse(0, 60, 20, 4);
  Run();
  EXPECT_TRUE(SCREENFG(35, 17) == 14 && SCREENBG(35, 17) == 2);
}

TEST_F(Game, OnAFullBoardTheComputerPlacesNothing) {
  for (int i = 0; i < 15; i++) Keys({'-'});
  ASSERT_EQ(SR, 7);
  // Rows XXOOX and OOXXO in turn fill the 5 x 5 board without a five.
  for (int r = 1; r <= 5; r++) {
    for (int c = 1; c <= 5; c++) Put(c, r, ((c + (r % 2 == 0 ? 2 : 0) - 1) % 4) < 2 ? 'x' : 'o');
  }
  ASSERT_EQ(PT, 25);
  ASSERT_TRUE(NOTP5);
  Snapshot before = TAKE();
  Keys({0x2029});
  EXPECTSAME(before, TAKE());
}

TEST_F(Game, XAndOPlaceWithoutReplyAndFollowTheGlyphs) {
  Put(3, 3, 'x');
  Put(4, 3, 'O');
  EXPECT_EQ(PT, 2);
  EXPECT_TRUE(PHC[CELL(3, 3)] == 1 && PHC[CELL(4, 3)] == 2);
  Keys({0x330F});  // the glyphs change places
  EXPECT_TRUE(PXO[1] == 'O' && PXO[2] == 'X');
  EXPECT_EQ(SCREENCHAR(6, 6), 'O');
  EXPECT_EQ(SCREENFG(6, 6), 14);
  // Now the X key gives the stone that shows X: side O.
  Put(5, 3, 'X');
  Put(6, 3, 'o');
  EXPECT_TRUE(PHC[CELL(5, 3)] == 2 && PHC[CELL(6, 3)] == 1);
  EXPECT_EQ(SCREENCHAR(8, 6), 'X');
  EXPECT_EQ(SCREENFG(8, 6), 13);
  Put(6, 3, 'x');  // occupied
  EXPECT_EQ(PT, 4);
  Put(7, 3, 0x034E);  // Shift+N is not N
  EXPECT_EQ(PT, 4);
}

TEST_F(Game, ShiftTabOnAnEmptyBoardShowsTheHumansStoneAsO) {
  Keys({0x2001, '1', 0x330F});
  Put(10, 10, 0x000D);
  EXPECT_EQ(SCREENCHAR(13, 13), 'O');
  EXPECT_EQ(SCREENFG(13, 13), 14);
}

// Random commands, checked after every key against the engine's tables: the
// board picture, the five state counted afresh, the status fields and the
// cursor. The computer plays at a small skill so that many games fit.
TEST_F(Game, RandomCommandsKeepScreenAndEngineInStep) {
  // Placing keys come often so that games grow long and fives happen; the
  // commands that start a new game come seldom.
  const uint16_t keys[] = {0x000D, 0x000D, 0x000D, 0x000D, 'x',    'X',    'o',    'O',    'x',    'o',
                           0x0008, 0x0008, 0x2029, 0x2029, 0x2021, 0x2027, 0x2023, 0x2025, 0x2020, 0x2022,
                           0x2026, 0x2028, 0x0009, 0x330F, 'S',    0x2024, 0x202A, 0x000D, 'x',    'o'};
  const uint16_t rare[] = {'n', 0x3831, '+', '-', '-', 'L', 0x2301, 0x3402, 0x230C};
  std::mt19937 rng(5);
  Keys({0x2003, '2'});
  int finished = 0, most = 0, sizes = 0;  // the run must reach fives, long games and other sizes
  for (int step = 0; step < 3000; step++) {
    uint16_t key = rng() % 40 == 0 ? rare[rng() % std::size(rare)] : keys[rng() % std::size(keys)];
    if (rng() % 4 == 0) {
      Cursor(1 + int(rng() % (SR - 2)), 1 + int(rng() % (SR - 2)));
    }
    Keys({key});
    std::string why;
    ASSERT_TRUE(BOARDOK(&why)) << "after key " << std::hex << key << ": " << why;
    ASSERT_EQ(NOTP5, PT == 0 || !FIVEAT(PP[PT])) << "step " << step;
    int stones = 0;
    for (int k = 0; k < SR * SR; k++) stones += PHC[k] == 1 || PHC[k] == 2;
    ASSERT_EQ(stones, PT);
    int c = KZ % SR, r = KZ / SR;
    ASSERT_TRUE(c >= 1 && c <= SR - 2 && r >= 1 && r <= SR - 2);
    ASSERT_TRUE(WINL == 4 && WINT == 4 && WINR == SR + 2 && WINB == SR + 2);
    ASSERT_TRUE(CURX == c && CURY == r);
    char want[16];
    std::snprintf(want, sizeof want, "[%2d,%2d]", c, r);
    ASSERT_EQ(TEXT(SR - 5, SR + 2, 7), want);
    ASSERT_EQ(TEXT(26, 24, 8), "Skill = ");
    finished += !NOTP5;
    most = std::max(most, int(PT));
    sizes += SR != 22;
  }
  EXPECT_GT(finished, 0);
  EXPECT_GT(most, 15);
  EXPECT_GT(sizes, 0);
  std::printf("steps with a five: %d, longest game: %d, steps off size 22: %d\n", finished, most, sizes);
}

}  // namespace
