// The command loop: cursor, placing keys and the computer's reply, fives,
// exchanges, obstacles, and random commands checked after every key.
#include <random>
#include <tuple>

#include "harness.h"

// Each key from an edge or a corner wraps just the coordinates that leave the board.
TEST_F(Game, CursorKeysWrapRoundTheBoard) {
  const struct {
    int c, r, key, wantc, wantr;
  } steps[] = {{20, 5, KEY::RIGHT, 1, 5}, {1, 5, KEY::LEFT, 20, 5},  {7, 20, KEY::DOWN, 7, 1},
               {7, 1, KEY::UP, 7, 20},    {20, 20, KEY::PGDN, 1, 1}, {1, 1, KEY::HOME, 20, 20},
               {20, 1, KEY::PGUP, 1, 20}, {1, 20, KEY::END, 20, 1},  {20, 9, KEY::PGUP, 1, 8},
               {9, 20, KEY::PGDN, 10, 1}, {1, 9, KEY::END, 20, 10},  {9, 1, KEY::HOME, 8, 20}};
  for (auto [c, r, key, wantc, wantr] : steps) {
    Put(c, r, key);
    EXPECT_EQ(std::tuple(KZ, CURX, CURY), std::tuple(CELL(wantc, wantr), wantc, wantr)) << key;
  }
}

// The computer answers Enter and Ins, but neither a refused move nor a full
// board; KZ follows its stone (the text cursor follows KZ: RandomCommands).
TEST_F(Game, TheComputerAnswersEnterAndIns) {
  Keys({KEY::F2, '2'});  // a quick skill: the reply is what is tested here
  Put(10, 10, KEY::ENTER);
  ASSERT_EQ(std::tuple(PT, PHC[CELL(10, 10)], PHC[PP[2]], KZ), std::tuple(2, 1, 2, PP[2]));
  Put(10, 10, KEY::ENTER), Keys({KEY::INS});
  EXPECT_EQ(std::tuple(PT, PHC[PP[3]], TEXT(4, 24, 2)), std::tuple(3, 2, "3 "));
  // Rows XXOOX and OOXXO in turn fill the 5 x 5 board without a five.
  Keys({'-'}, 15);
  for (int k = 0; k < 25; k++) Put(1 + k % 5, 1 + k / 5, "xxoo"[(k % 5 + k / 5 % 2 * 2) % 4]);
  ASSERT_EQ(std::tuple(PT, NOTP5), std::tuple(25, true));
  Snapshot full;
  Keys({KEY::INS});
  EXPECT_TRUE(full == Snapshot());
}

// Six made by filling a gap are highlighted whole in the side's colour, Tab
// hands them over, and the placing keys do nothing until BkSp.
TEST_F(Game, AFiveIsHighlightedAndBlocksPlacingUntilBkSp) {
  Keys({KEY::F1, '1'});
  for (int c : {3, 4, 5, 7, 8}) Put(c, 9, 'x');
  Put(3, 12, 'o'), Put(6, 9, 'x');
  EXPECT_FALSE(NOTP5);
  for (int c = 3; c <= 8; c++) EXPECT_TRUE(SHOWS(c, 9, 4, 14, 0));
  EXPECT_TRUE(SHOWS(3, 12, 'O', 13, 0));
  Put(10, 10, KEY::ENTER), Put(10, 10, 'x'), Put(10, 10, 'o'), Keys({KEY::INS, KEY::RIGHT});
  EXPECT_EQ(std::tuple(PT, KZ), std::tuple(7, CELL(11, 10)));  // other commands still work
  Keys({KEY::TAB});
  EXPECT_FALSE(NOTP5);
  for (int c = 3; c <= 8; c++) EXPECT_TRUE(SHOWS(c, 9, 4, 13, 0));
  Keys({KEY::TAB, KEY::BACKSPACE});
  EXPECT_EQ(std::tuple(NOTP5, PT, KZ), std::tuple(true, 6, CELL(6, 9)));
  EXPECT_TRUE(SHOWS(6, 9, PR[CELL(6, 9)], 15, 6));
  for (int c : {3, 4, 5, 7, 8}) EXPECT_TRUE(SHOWS(c, 9, 'X', 14, 0));
  Put(10, 10, 'x');
  EXPECT_EQ(PT, 7);
  Keys({KEY::BACKSPACE}, 8);  // past the empty board nothing more
  EXPECT_EQ(std::tuple(PT, KZ), std::tuple(0, CELL(3, 9)));
}

// X and O place without a reply and follow the glyphs; Tab (sides) and
// Shift+Tab (glyphs), each twice, restore the position.
TEST_F(Game, SidesAndGlyphsExchange) {
  for (int k = 0; k < 4; k++) Put(5 + k, 5 + k % 2, "xOoX"[k]);
  Put(5, 5, 'o'), Put(10, 6, KEY::MOD_SHIFT | 'N'),
      Put(9, 5, 'x');  // occupied, and Shift+N is not N
  EXPECT_EQ(std::tuple(PT, PHC[CELL(5, 5)], PHC[CELL(6, 6)], PHC[CELL(7, 5)]),
            std::tuple(5, 1, 2, 2));
  Snapshot start;
  // Each stone's glyph and colour follow PHC and PXO (BADCELL); KZ on the last replayed move.
  Keys({KEY::TAB});
  EXPECT_EQ(std::tuple(PHC[CELL(5, 5)], PHC[CELL(6, 6)], KZ, PT, BADCELL()),
            std::tuple(2, 1, CELL(9, 5), 5, ""));
  Keys({KEY::TAB, KEY::SHIFT_TAB});
  EXPECT_EQ(std::tuple(PHC[CELL(5, 5)], PXO[1], PXO[2], BADCELL()), std::tuple(1, 'O', 'X', ""));
  Keys({KEY::SHIFT_TAB});
  EXPECT_TRUE(start == Snapshot());
  Keys({KEY::SHIFT_TAB});
  Put(10, 5, 'X'), Put(11, 5, 'o');  // the X key gives the stone that shows X
  EXPECT_EQ(std::tuple(PHC[CELL(10, 5)], PHC[CELL(11, 5)], BADCELL()), std::tuple(2, 1, ""));
  Keys({'n', KEY::F1, '1'});
  Put(10, 10, KEY::ENTER);
  EXPECT_TRUE(SHOWS(10, 10, 'O', 14, 0));  // the human's glyph, before the computer thinks
}

// Obstacles keep their glyph, to the last row and column, but end runs, as the frame does; N
// clears them.
TEST_F(Game, AltNTurnsStonesIntoObstaclesAndNClearsThem) {
  Put(4, 4, 'x'), Put(20, 20, 'o'), Keys({KEY::ALT_N});
  EXPECT_EQ(std::tuple(PT, KZ, TEXT(4, 24, 2), PHC[CELL(4, 4)]), std::tuple(0, 230, "0 ", 3));
  EXPECT_TRUE(SHOWS(4, 4, 'X', 15, 6));
  EXPECT_TRUE(SHOWS(20, 20, 'O', 15, 6));
  Put(4, 4, KEY::ENTER);
  for (int i = 0; i < 4; i++) Put(4, 5 + i, 'x'), Put(1, 1 + i, 'o');
  EXPECT_EQ(std::tuple(NOTP5, PT), std::tuple(true, 8));
  Keys({KEY::ALT_N});  // again: the old obstacles stay and the stones join them
  EXPECT_EQ(std::tuple(PHC[CELL(4, 4)], PHC[CELL(20, 20)], PHC[CELL(4, 5)]), std::tuple(3, 3, 3));
  Keys({'n'});
  EXPECT_EQ(std::tuple(BADCELL(), PHC[CELL(4, 4)]), std::tuple("", 0));
  EXPECT_EQ(std::count(PHC0, PHC0 + 484, 0), 484);  // the glyphs under obstacles gone too
}

// Random commands at a small skill, checked after every key: the board, the
// five counted afresh, the stone count, the status fields and the cursor.
TEST_F(Game, RandomCommandsKeepScreenAndEngineInStep) {
  // Placing keys come often so that games grow long and fives happen.
  // clang-format off
  const uint16_t keys[] = {
      KEY::ENTER, KEY::ENTER, KEY::ENTER, KEY::ENTER, KEY::ENTER, 'x', 'x', 'x', 'X', 'o', 'o', 'o',
      'O', KEY::BACKSPACE, KEY::BACKSPACE, KEY::TAB, KEY::INS, KEY::INS, KEY::SHIFT_TAB, 'S',
      KEY::HOME, KEY::UP, KEY::PGUP, KEY::LEFT, KEY::RIGHT_CLICK, KEY::RIGHT, KEY::END, KEY::DOWN,
      KEY::PGDN, KEY::DEL};
  const uint16_t rare[] = {
      'n', KEY::ALT_N, '+', '-', '-', 'L', KEY::SHIFT_F1, KEY::CTRL_1, KEY::SHIFT_F12};
  // clang-format on
  auto run = [](int k, int d) {
    int n = 1;
    while (PHC[k + n * d] == PHC[k]) n++;
    return n - 1;
  };
  std::mt19937 rng(5);
  Keys({KEY::F3, '2'});
  int fives = 0, longest = 0, resized = 0;  // the run must reach these
  for (int step = 0; step < 10000; step++) {
    uint16_t key = rng() % 40 ? keys[rng() % std::size(keys)] : rare[rng() % std::size(rare)];
    if (rng() % 4 == 0) Cursor(1 + int(rng() % (SR - 2)), 1 + int(rng() % (SR - 2)));
    Keys({key});
    ASSERT_EQ(BADCELL(), "") << "after key " << std::hex << key;
    bool five = false;  // through the last move; the frame and obstacles end a run
    for (int d : {1, SR - 1, SR + 0, SR + 1}) five |= PT && run(PP[PT], d) + run(PP[PT], -d) >= 4;
    ASSERT_EQ(NOTP5, !five) << step;
    ASSERT_EQ(std::count_if(PHC, PHC + SR * SR, [](int p) { return p == 1 || p == 2; }), PT);
    const int c = KZ % SR, r = KZ / SR;
    ASSERT_TRUE(c >= 1 && c <= SR - 2 && r >= 1 && r <= SR - 2) << "KZ off the board: " << KZ;
    ASSERT_EQ(std::tuple(CURX, CURY, WINL, WINT, WINR, WINB),
              std::tuple(c, r, 4, 4, SR + 2, SR + 2));
    char count[8], place[16];  // on a board under 13 the coordinates cover the count
    std::snprintf(count, 8, "%-4d", int(PT)), std::snprintf(place, 16, "[%2d,%2d]", c, r);
    ASSERT_EQ(SR < 13 ? count : TEXT(4, SR + 2, 4), count);
    ASSERT_EQ(TEXT(SR - 5, SR + 2, 7), place);
    fives += !NOTP5, longest = std::max(longest, int(PT)), resized += SR != 22;
  }
  EXPECT_GT(fives, 0);
  EXPECT_GT(longest, 15);
  EXPECT_GT(resized, 0);
}
