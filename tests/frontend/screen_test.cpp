// The screen as the program draws it: static screen, panel labels where the
// mouse looks for them, the board pictures at both size limits, the skill line.
#include <sstream>
#include <tuple>

#include "harness.h"

// The hot-key panel as a user reads it (code page 437 arrows), rows 3..23.
static const char PANEL[] =
    " Hot keys:||Skill:| <F1>..<F12> | <1>..<8>|Board size:| <+>,<->|Cursor:|"
    " <\x18>,<\x19>| <\x1a>,<\x1b>| <Home><PgUp>| <End>,<PgDn>|Moves:| <Enter><X,O>|"
    " <BkSp>,<Ins>| <Tab,ShiTab>|New,Load,Save| <N>,<Alt+N> | <L>,<S>|Quit:| <Esc>";

// Columns x0..x1 of row y in foreground fg (any when negative) on bg; if not, the first that is
// not.
static testing::AssertionResult COLOURED(int x0, int x1, int y, int fg, int bg) {
  for (int x = x0; x <= x1; x++)
    if ((fg >= 0 && SCREENFG(x, y) != fg) || SCREENBG(x, y) != bg)
      return testing::AssertionFailure()
             << x << "," << y << " in " << SCREENFG(x, y) << " on " << SCREENBG(x, y);
  return testing::AssertionSuccess();
}

TEST_F(Game, StartScreen) {
  EXPECT_EQ(TEXT(8, 1, 10), "  D O L M ");
  for (int y : {2, 25}) {  // credit and contact lines, from column 9
    EXPECT_EQ(TEXT(1, y, 8), "        ");
    EXPECT_NE(SCREENCHAR(9, y), ' ');
  }
  EXPECT_EQ(SCREENCHAR(80, 25), ' ');  // nothing scrolled
  // Columns x0..x1 of row y, foreground (any when negative) and background: the title, the lines
  // round it, the skill line and the status fields, the edges of the picture.
  const int colours[][5] = {{9, 16, 1, 0, 6},   {8, 8, 1, -1, 3},   {17, 17, 1, -1, 3},
                            {9, 9, 2, 7, 3},    {9, 9, 25, 7, 3},   {1, 80, 2, -1, 3},
                            {26, 38, 24, 0, 6}, {17, 23, 24, 0, 6}, {2, 2, 3, -1, 3},
                            {25, 25, 3, -1, 3}};
  for (auto [x0, x1, y, fg, bg] : colours) EXPECT_TRUE(COLOURED(x0, x1, y, fg, bg));
  std::istringstream panel(PANEL);
  std::string want;
  for (int r = 3; std::getline(panel, want, '|'); r++) {
    EXPECT_EQ(TEXT(26, r, 13), want.append(13 - want.size(), ' '));
    EXPECT_TRUE(COLOURED(26, 38, r, 14, 2));
    EXPECT_TRUE(COLOURED(39, 39, r, -1, 3));
  }
  EXPECT_EQ(std::tuple(TEXT(26, 24, 13), CURSORBIG), std::tuple("Skill = F12/8", true));
  // Each clickable label stands between its brackets or after a comma inside them.
  for (int i = 1; i <= 26; i++) {
    const std::string label = POPIS[i].label;
    const int x = POPIS[i].col, y = POPIS[i].row, n = int(label.size());
    EXPECT_EQ(TEXT(x, y, n), label);
    EXPECT_NE(strchr("<,", SCREENCHAR(x - 1, y)), nullptr) << label;
    EXPECT_NE(strchr(">,", SCREENCHAR(x + n, y)), nullptr) << label;
  }
  // The 22 x 22 picture in columns and rows 3..24, but for the status fields.
  for (int k = 0; k <= 21 * 22; k++) {
    const int x = 3 + k % 22, y = 3 + k / 22;
    EXPECT_EQ(SCREENCHAR(x, y), PR[k]) << x << "," << y;
    EXPECT_TRUE(COLOURED(x, x, y, 15, 6));
  }
  EXPECT_EQ(std::tuple(TEXT(3, 3, 22), TEXT(3, 4, 3), TEXT(4, 24, 20)),
            std::tuple(" 12345678901234567890 ", "1\xb1\xb0", "0            [10,10]"));
  EXPECT_EQ(std::tuple(KZ, WINL, WINR, WINB, CURX, CURY), std::tuple(230, 4, 24, 24, 10, 10));
}

// "+" at 22 and "-" at 7 do nothing; a size change leaves no old picture and no obstacles.
TEST_F(Game, BoardSizeLimitsAndTheSmallestPicture) {
  Put(4, 4, 'x');
  Keys({KEY::ALT_N, '+'});
  EXPECT_EQ(std::tuple(SR, PHC[CELL(4, 4)]), std::tuple(22, 3));
  Keys({'-'}, 14);  // side 8: the cursor starts on a central cell
  EXPECT_EQ(std::tuple(SR, KZ), std::tuple(8, CELL(3, 3)));
  Keys({'-'}, 6);
  EXPECT_EQ(std::tuple(SR, std::count(PHC0, PHC0 + 484, 0)), std::tuple(7, 484));
  for (int k = 0; k < 22 * 23; k++) {
    const int x = 2 + k % 23, y = 3 + k / 23, picture = (x >= 3 && x <= 9 && y <= 9) || y == 9;
    if (picture) continue;
    EXPECT_TRUE(COLOURED(x, x, y, -1, 3));
    EXPECT_EQ(SCREENCHAR(x, y), ' ') << x << "," << y;
  }
  EXPECT_EQ(std::tuple(TEXT(3, 3, 7), TEXT(3, 4, 7)),
            std::tuple(" 12345 ", "1\xb1\xb0\xb1\xb0\xb1 "));
  EXPECT_EQ(TEXT(2, 9, 7), "[ 3, 3]");  // left of the picture, over the move count
  EXPECT_EQ(std::tuple(KZ, WINL, WINR, WINB, CURX, CURY), std::tuple(24, 4, 9, 9, 3, 3));
  Snapshot before;
  Keys({'-'});
  EXPECT_TRUE(before == Snapshot());
}

// A shorter value leaves no stale digit; Alt+8 and Alt+1 step as Ctrl+8 and Ctrl+1, each alone
// (a missing one leaves the depth one step short); the last three keys are no skill keys.
TEST_F(Game, SkillKeysSetAndStopAtTheirLimits) {
  const struct {
    std::vector<uint16_t> keys;
    int times, v0, h0;
    std::string line;
  } steps[] = {{{KEY::F9}, 1, 9, 8, " F9/8  "},
               {{KEY::SHIFT_F12}, 10, 18, 8, "F18/8  "},
               {{KEY::SHIFT_F1}, 30, 1, 8, " F1/8  "},
               {{'1', KEY::CTRL_8, KEY::ALT_8}, 1, 1, 3, " F1/3  "},
               {{KEY::CTRL_8, KEY::ALT_8}, 10, 1, 10, " F1/10 "},
               {{KEY::CTRL_1, KEY::ALT_1}, 1, 1, 8, " F1/8  "},
               {{KEY::CTRL_1, KEY::ALT_1}, 10, 1, 1, " F1/1  "},
               {{'5', KEY::F3, '9', KEY::F12 + 1, KEY::MOD_SHIFT | 'N'}, 1, 3, 5, " F3/5  "}};
  for (const auto& s : steps) {
    Keys(s.keys, s.times);
    EXPECT_EQ(std::tuple(V0, H0, TEXT(34, 24, 7)), std::tuple(s.v0, s.h0, s.line));
  }
}
