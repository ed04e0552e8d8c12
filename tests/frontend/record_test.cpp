// The game record: fives and their highlight, take-back, the side and glyph
// exchanges, and stones turned into obstacles.
#include "harness.h"

namespace {

// Whether screen cell of board cell (c, r) shows glyph g in colours fg on bg.
bool SHOWS(int c, int r, uint8_t g, int fg, int bg) {
  return SCREENCHAR(3 + c, 3 + r) == g && SCREENFG(3 + c, 3 + r) == fg && SCREENBG(3 + c, 3 + r) == bg;
}

TEST_F(Game, AFiveIsHighlightedAndBlocksPlacingUntilBkSp) {
  Keys({0x2001, '1'});
  for (int c = 4; c <= 7; c++) Put(c, 9, 'x');
  Put(3, 12, 'o');
  EXPECT_TRUE(NOTP5);
  Put(8, 9, 'x');
  EXPECT_FALSE(NOTP5);
  for (int c = 4; c <= 8; c++) EXPECT_TRUE(SHOWS(c, 9, 4, 14, 0)) << c;
  EXPECT_TRUE(SHOWS(3, 12, 'O', 13, 0));
  EXPECT_TRUE(CURX == 8 && CURY == 9);
  // Enter, X, O and Ins do nothing while the five stands.
  Put(10, 10, 0x000D);
  Put(10, 10, 'x');
  Put(10, 10, 'o');
  Keys({0x2029});
  EXPECT_EQ(PT, 6);
  // Other commands still work: the cursor moves.
  Keys({0x2025});
  EXPECT_EQ(KZ, CELL(11, 10));
  // BkSp: the diamonds turn back into X, then the fifth stone goes.
  Keys({0x0008});
  EXPECT_TRUE(NOTP5);
  EXPECT_EQ(PT, 5);
  for (int c = 4; c <= 7; c++) EXPECT_TRUE(SHOWS(c, 9, 'X', 14, 0)) << c;
  EXPECT_TRUE(SHOWS(8, 9, uint8_t(PR[CELL(8, 9)]), 15, 6));
  EXPECT_EQ(KZ, CELL(8, 9));
  Put(10, 10, 'x');
  EXPECT_EQ(PT, 6);
}

TEST_F(Game, FivesOfSideOInMagentaAndLongRunsWhole) {
  // A gap filled last makes six in a column of side O.
  for (int r : {2, 3, 4, 6, 7}) Put(12, r, 'o');
  Put(12, 5, 'o');
  EXPECT_FALSE(NOTP5);
  for (int r = 2; r <= 7; r++) EXPECT_TRUE(SHOWS(12, r, 4, 13, 0)) << r;
}

TEST_F(Game, OnlyTheRowIsShownWhenAStoneMakesTwoFives) {
  for (int c : {1, 2, 3, 4}) Put(c, 10, 'x');
  for (int r : {6, 7, 8, 9}) Put(5, r, 'x');
  Put(5, 10, 'x');
  EXPECT_FALSE(NOTP5);
  for (int c = 1; c <= 5; c++) EXPECT_EQ(SCREENCHAR(3 + c, 13), 4);
  for (int r = 6; r <= 9; r++) EXPECT_EQ(SCREENCHAR(8, 3 + r), 'X');
}

TEST_F(Game, TheFrameAndObstaclesBreakARun) {
  // Four at the left edge: the frame is no fifth stone.
  for (int r = 1; r <= 4; r++) Put(1, r, 'x');
  EXPECT_TRUE(NOTP5);
  // Four on a diagonal and an obstacle where the fifth would go.
  Put(9, 9, 'o');
  Keys({0x3831});
  for (int i = 1; i <= 4; i++) Put(9 + i, 9 + i, 'x');
  Put(8, 8, 'x');
  EXPECT_TRUE(NOTP5) << "obstacle between";
  EXPECT_TRUE(SHOWS(9, 9, 'O', 15, 6));
}

TEST_F(Game, BkSpEmptiesTheBoardMoveByMoveAndThenDoesNothing) {
  Put(2, 2, 'x');
  Put(3, 2, 'o');
  Put(4, 2, 'x');
  for (int i = 3; i > 0; i--) {
    Keys({0x0008});
    EXPECT_EQ(PT, i - 1);
    EXPECT_EQ(KZ, CELL(1 + i, 2));
    EXPECT_TRUE(SHOWS(1 + i, 2, uint8_t(PR[CELL(1 + i, 2)]), 15, 6));
  }
  Snapshot before = TAKE();
  Keys({0x0008});
  EXPECT_EQ(PT, 0);
  EXPECT_EQ(KZ, before.kz);
}

TEST_F(Game, TabAndShiftTabTwiceRestoreThePosition) {
  Put(5, 5, 'x');
  Put(6, 5, 'o');
  Put(7, 7, 'o');
  Put(7, 8, 'x');
  Put(1, 1, 'x');
  Snapshot start = TAKE();
  Keys({0x0009});
  EXPECT_TRUE(PHC[CELL(5, 5)] == 2 && PHC[CELL(6, 5)] == 1 && PHC[CELL(1, 1)] == 2);
  EXPECT_TRUE(SHOWS(5, 5, 'O', 13, 0));
  EXPECT_EQ(KZ, CELL(1, 1));  // on the last replayed move
  EXPECT_EQ(PT, 5);
  Keys({0x0009});
  EXPECT_EQ(KZ, CELL(1, 1));
  Snapshot back = TAKE();
  EXPECT_EQ(0, std::memcmp(start.phc, back.phc, sizeof start.phc));
  EXPECT_EQ(0, std::memcmp(start.pp, back.pp, sizeof start.pp));
  for (int r = 3; r <= 24; r++) EXPECT_TRUE(SAMEROW(start, back, r)) << r;
  Keys({0x330F});
  EXPECT_TRUE(SHOWS(5, 5, 'O', 14, 0));
  EXPECT_TRUE(PHC[CELL(5, 5)] == 1);
  Keys({0x330F});
  EXPECT_TRUE(PXO[1] == 'X' && PXO[2] == 'O');
  back = TAKE();
  for (int r = 3; r <= 24; r++) EXPECT_TRUE(SAMEROW(start, back, r)) << r;
}

TEST_F(Game, TabAfterAFiveGivesItToTheOtherSide) {
  for (int c = 3; c <= 7; c++) Put(c, 15, 'x');
  ASSERT_FALSE(NOTP5);
  Keys({0x0009});
  EXPECT_FALSE(NOTP5);
  for (int c = 3; c <= 7; c++) EXPECT_TRUE(SHOWS(c, 15, 4, 13, 0)) << c;
}

TEST_F(Game, AltNTurnsStonesIntoObstaclesAndNClearsThem) {
  Put(4, 4, 'x');
  Put(5, 4, 'o');
  Keys({0x3831});
  EXPECT_EQ(PT, 0);
  EXPECT_EQ(TEXT(4, 24, 4), "0   ");
  EXPECT_EQ(KZ, 230);
  EXPECT_TRUE(SHOWS(4, 4, 'X', 15, 6));
  EXPECT_TRUE(SHOWS(5, 4, 'O', 15, 6));
  EXPECT_TRUE(PHC[CELL(4, 4)] == 3 && PHC0[CELL(4, 4)] == 'X');
  Put(4, 4, 0x000D);
  EXPECT_EQ(PT, 0);
  // Alt+N again keeps the old obstacles and adds the stones placed since.
  Put(6, 4, 'o');
  Keys({0x3831});
  EXPECT_TRUE(PHC[CELL(4, 4)] == 3 && PHC[CELL(5, 4)] == 3 && PHC[CELL(6, 4)] == 3);
  std::string why;
  EXPECT_TRUE(BOARDOK(&why)) << why;
  Keys({'n'});
  for (int c = 4; c <= 6; c++) {
    EXPECT_EQ(PHC[CELL(c, 4)], 0);
    EXPECT_EQ(PHC0[CELL(c, 4)], 0);
    EXPECT_TRUE(SHOWS(c, 4, uint8_t(PR[CELL(c, 4)]), 15, 6));
  }
}

TEST_F(Game, ASizeChangeStartsAnEmptyGameWithoutObstacles) {
  Put(4, 4, 'x');
  Keys({0x3831});
  Put(2, 2, 'o');
  Keys({'-'});
  EXPECT_EQ(SR, 21);
  EXPECT_EQ(PT, 0);
  for (int k = 0; k < SR * SR; k++) EXPECT_EQ(PHC0[k], 0);
  std::string why;
  EXPECT_TRUE(BOARDOK(&why)) << why;
  EXPECT_EQ(KZ, 21 * 21 / 2);
}

}  // namespace
