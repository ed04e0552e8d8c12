// The screen model's writing rules and the edge cases the drawing code relies on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "screen.h"

namespace {

struct ScreenTest : ::testing::Test {
  void SetUp() override { SCREENRESET(); }
};

// Characters of screen row r from column x1 to x2 (1-based), as plain bytes.
std::string Row(int r, int x1 = 1, int x2 = SCRW) {
  std::string s;
  for (int x = x1; x <= x2; x++) s += char(SCREENCHAR(x, r));
  return s;
}

TEST_F(ScreenTest, InvalidWindowAndGotoLeaveEverythingAsItWas) {
  Window(26, 3, 38, 24);
  GotoXY(5, 7);
  const int bad[][4] = {{26, 3, 81, 24}, {26, 3, 38, 26}, {30, 3, 29, 24}, {26, 10, 38, 9}, {0, 3, 38, 24}};
  for (auto& w : bad) {
    Window(w[0], w[1], w[2], w[3]);
    EXPECT_EQ(WINL, 26);
    EXPECT_EQ(WINR, 38);
    EXPECT_EQ(WINT, 3);
    EXPECT_EQ(WINB, 24);
    EXPECT_EQ(WhereX(), 5);
    EXPECT_EQ(WhereY(), 7);
  }
  for (auto [x, y] : {std::pair{0, 1}, {1, 0}, {14, 1}, {1, 23}, {-1, 2}}) {
    GotoXY(x, y);
    EXPECT_EQ(WhereX(), 5);
    EXPECT_EQ(WhereY(), 7);
  }
  GotoXY(13, 22);  // the far corner is inside
  EXPECT_EQ(WhereX(), 13);
  EXPECT_EQ(WhereY(), 22);
  Window(1, 1, 80, 25);  // a valid window puts the cursor home
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 1);
}

TEST_F(ScreenTest, LongStringWrapsAtThePanelEdge) {
  Window(26, 3, 38, 24);
  WriteStr("1234567890123456789012");  // 22 characters into 13 columns
  EXPECT_EQ(Row(3, 26, 38), "1234567890123");
  EXPECT_EQ(Row(4, 26, 34), "456789012");
  EXPECT_EQ(SCREENCHAR(25, 3), ' ');  // nothing outside the window
  EXPECT_EQ(SCREENCHAR(39, 3), ' ');
  EXPECT_EQ(WhereX(), 10);
  EXPECT_EQ(WhereY(), 2);
}

TEST_F(ScreenTest, LastColumnWrapsAtOnceAndBackspaceStopsAtColumnOne) {
  Window(4, 4, 10, 10);
  GotoXY(7, 3);
  WriteChar('X');
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 4);
  WriteChar(8);
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 4);
  // In the board window a cell glyph and a backspace leave the cursor on the cell.
  GotoXY(6, 6);
  WriteChar('O');
  WriteChar(8);
  EXPECT_EQ(WhereX(), 6);
  EXPECT_EQ(SCREENCHAR(9, 9), 'O');
  WriteChar(8);  // backspace erases nothing
  EXPECT_EQ(SCREENCHAR(9, 9), 'O');
  EXPECT_EQ(WhereX(), 5);
}

TEST_F(ScreenTest, ScrollMovesOnlyTheWindow) {
  for (int y = 1; y <= SCRH; y++)
    for (int x = 1; x <= SCRW; x++) SCREEN[y - 1][x - 1] = Cell{uint8_t('a' + (x + y) % 26), 0x07};
  const std::string above = Row(2), below = Row(7), left = Row(4, 1, 9), right = Row(4, 16, 80);
  Window(10, 3, 15, 6);  // 6 columns, 4 rows
  TextBackground(2);
  const std::string row4 = Row(4, 10, 15);
  for (int i = 0; i < 24; i++) WriteChar('#');  // exactly rows x columns: one scroll
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 4);
  EXPECT_EQ(Row(3, 10, 15), "######");
  EXPECT_EQ(Row(5, 10, 15), "######");
  EXPECT_EQ(Row(6, 10, 15), "      ");
  EXPECT_EQ(SCREENBG(10, 6), 2);  // the freed row takes the current colours
  EXPECT_EQ(Row(2), above);
  EXPECT_EQ(Row(7), below);
  EXPECT_EQ(Row(4, 1, 9), left);
  EXPECT_EQ(Row(4, 16, 80), right);
}

TEST_F(ScreenTest, ControlCodes) {
  Window(5, 5, 20, 8);
  GotoXY(4, 2);
  WriteChar(7);  // the bell does nothing
  EXPECT_EQ(WhereX(), 4);
  EXPECT_EQ(SCREENCHAR(8, 6), ' ');
  WriteChar(10);  // line feed keeps the column
  EXPECT_EQ(WhereX(), 4);
  EXPECT_EQ(WhereY(), 3);
  WriteChar(13);
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 3);
  GotoXY(3, 4);
  WriteChar(10);  // on the bottom row: scroll, cursor stays
  EXPECT_EQ(WhereY(), 4);
  GotoXY(1, 1);
  for (uint8_t c : {0, 4, 9, 11, 12, 24, 27, 31}) WriteChar(c);  // glyphs, not controls
  EXPECT_EQ(SCREENCHAR(5, 5), 0);
  EXPECT_EQ(SCREENCHAR(7, 5), 9);
  EXPECT_EQ(SCREENCHAR(12, 5), 31);
  EXPECT_EQ(WhereX(), 9);
  WriteLn();
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 2);
}

TEST_F(ScreenTest, IntegersAndColours) {
  TextColor(14);
  TextBackground(6);
  WriteInt(7, 2);
  WriteInt(-15, 0);
  WriteInt(123, 2);
  WriteInt(0, 0);
  WriteInt(-32768, 7);
  EXPECT_EQ(Row(1, 1, 16), " 7-151230 -32768");
  EXPECT_EQ(SCREENFG(1, 1), 14);
  EXPECT_EQ(SCREENBG(1, 1), 6);
  TextColor(7);  // foreground alone: background stays
  EXPECT_EQ(TEXTATTR, 0x67);
  TextBackground(0);
  EXPECT_EQ(TEXTATTR, 0x07);
  TextBackground(3);
  Window(2, 2, 4, 3);
  GotoXY(2, 2);
  ClrScr();
  EXPECT_EQ(WhereX(), 1);
  EXPECT_EQ(WhereY(), 1);
  EXPECT_EQ(SCREENBG(2, 2), 3);
  EXPECT_EQ(SCREENBG(4, 3), 3);
  EXPECT_EQ(SCREENBG(5, 3), 0);
  EXPECT_EQ(SCREENBG(2, 4), 0);
  EXPECT_FALSE(CURSORBIG);
  CursorBig();
  EXPECT_TRUE(CURSORBIG);
}

TEST(CodePage437, GlyphsOfTheBoardAndPanel) {
  EXPECT_EQ(CP437(176), U'░');
  EXPECT_EQ(CP437(177), U'▒');
  EXPECT_EQ(CP437(4), U'♦');
  EXPECT_EQ(CP437(24), U'↑');
  EXPECT_EQ(CP437(25), U'↓');
  EXPECT_EQ(CP437(26), U'→');
  EXPECT_EQ(CP437(27), U'←');
  EXPECT_EQ(CP437(0xDB), U'█');
  EXPECT_EQ(CP437(0xFE), U'■');
  // Every code but NUL (shown blank) has a glyph of its own.
  std::set<char32_t> seen;
  for (int c = 1; c < 256; c++) {
    EXPECT_TRUE(seen.insert(CP437(uint8_t(c))).second) << c;
    if (c >= 32 && c < 127) {
      EXPECT_EQ(CP437(uint8_t(c)), char32_t(c));
    }
  }
  SCREENRESET();
  WriteStr("\x18\xB0\x04");
  EXPECT_EQ(SCREENROW(1).substr(0, 9), "↑░♦");
}

}  // namespace
