// The screen as the program draws it: static screen, panel labels where the
// mouse looks for them, board pictures, status fields and the skill line.
#include "harness.h"

namespace {

// The hot-key panel, row by row, as a user reads it (code page 437 arrows).
const char* const PANELROWS[] = {
    " Hot keys:",    "",        "Skill:",        " <F1>..<F12> ", " <1>..<8>",     "Board size:",  " <+>,<->",
    "Cursor:",       " <\x18>,<\x19>", " <\x1a>,<\x1b>", " <Home><PgUp>", " <End>,<PgDn>", "Moves:",
    " <Enter><X,O>", " <BkSp>,<Ins>", " <Tab,ShiTab>", "New,Load,Save", " <N>,<Alt+N> ", " <L>,<S>",
    "Quit:",         " <Esc>",
};

TEST_F(Game, StartScreenTitleLinesPanelAndSkill) {
  EXPECT_EQ(TEXT(9, 1, 8), " D O L M");
  for (int x = 9; x <= 16; x++) EXPECT_TRUE(SCREENFG(x, 1) == 0 && SCREENBG(x, 1) == 6) << x;
  EXPECT_EQ(SCREENBG(8, 1), 3);
  EXPECT_EQ(SCREENBG(17, 1), 3);
  // Credit line: eight blanks, then text under the title, grey on cyan.
  EXPECT_EQ(TEXT(1, 2, 8), "        ");
  EXPECT_NE(SCREENCHAR(9, 2), ' ');
  for (int x = 1; x <= 80; x++) EXPECT_EQ(SCREENBG(x, 2), 3);
  EXPECT_EQ(SCREENFG(9, 2), 7);
  // Contact line from column 9 of row 25, and nothing scrolled.
  EXPECT_EQ(TEXT(1, 25, 8), "        ");
  EXPECT_NE(SCREENCHAR(9, 25), ' ');
  EXPECT_TRUE(SCREENFG(9, 25) == 7 && SCREENBG(9, 25) == 3);
  EXPECT_EQ(SCREENCHAR(80, 25), ' ');
  EXPECT_EQ(TEXT(9, 1, 8), " D O L M");
  // Panel: yellow on green, 13 columns, rows 3..23.
  for (int r = 3; r <= 23; r++) {
    std::string want = PANELROWS[r - 3];
    want.resize(13, ' ');
    EXPECT_EQ(TEXT(26, r, 13), want) << "panel row " << r;
    for (int x = 26; x <= 38; x++) EXPECT_TRUE(SCREENFG(x, r) == 14 && SCREENBG(x, r) == 2) << x << "," << r;
    EXPECT_EQ(SCREENBG(39, r), 3);
  }
  EXPECT_EQ(TEXT(26, 24, 13), "Skill = F12/8");
  for (int x = 26; x <= 38; x++) EXPECT_TRUE(SCREENFG(x, 24) == 0 && SCREENBG(x, 24) == 6) << x;
  EXPECT_TRUE(CURSORBIG);
}

TEST_F(Game, EveryClickableLabelStandsWhereTheMouseLooks) {
  for (int i = 1; i <= 26; i++) {
    std::string label = POPIS[i].label;
    EXPECT_EQ(TEXT(POPIS[i].col, POPIS[i].row, int(label.size())), label) << "label " << i;
    // Each label stands between its brackets or after a comma inside them.
    uint8_t before = SCREENCHAR(POPIS[i].col - 1, POPIS[i].row);
    uint8_t after = SCREENCHAR(POPIS[i].col + int(label.size()), POPIS[i].row);
    EXPECT_TRUE(before == '<' || before == ',') << "label " << i;
    EXPECT_TRUE(after == '>' || after == ',') << "label " << i;
  }
}

TEST_F(Game, BoardOfSide22FillsColumnsAndRows3To24) {
  EXPECT_EQ(SR, 22);
  for (int r = 0; r < 22; r++) {
    for (int c = 0; c < 22; c++) {
      if (r == 21 && c >= 1) continue;  // the bottom frame row carries the status fields
      EXPECT_EQ(SCREENCHAR(3 + c, 3 + r), uint8_t(PR[r * 22 + c])) << c << "," << r;
      EXPECT_TRUE(SCREENFG(3 + c, 3 + r) == 15 && SCREENBG(3 + c, 3 + r) == 6) << c << "," << r;
    }
  }
  EXPECT_EQ(TEXT(3, 3, 22), std::string(" 12345678901234567890 "));
  EXPECT_EQ(SCREENCHAR(4, 4), 177);  // (1,1): column + row even
  EXPECT_EQ(SCREENCHAR(5, 4), 176);
  EXPECT_EQ(SCREENBG(2, 3), 3);
  EXPECT_EQ(SCREENBG(25, 3), 3);
  // Move count and coordinates on the bottom frame row; the cursor on the centre.
  EXPECT_EQ(TEXT(4, 24, 4), "0   ");
  EXPECT_EQ(TEXT(17, 24, 7), "[10,10]");
  for (int x = 17; x <= 23; x++) EXPECT_TRUE(SCREENFG(x, 24) == 0 && SCREENBG(x, 24) == 6);
  EXPECT_EQ(KZ, 230);
  EXPECT_TRUE(WINL == 4 && WINT == 4 && WINR == 24 && WINB == 24);
  EXPECT_TRUE(CURX == 10 && CURY == 10);
}

TEST_F(Game, BoardOfSide7AndTheSizeLimits) {
  Keys({'+'});
  EXPECT_EQ(SR, 22);  // already the largest
  for (int i = 0; i < 20; i++) Keys({'-'});
  EXPECT_EQ(SR, 7);
  // The old picture is gone: the board area is cyan outside the 7 x 7 picture.
  for (int r = 3; r <= 24; r++) {
    for (int x = 2; x <= 24; x++) {
      bool picture = (x >= 3 && x <= 9 && r >= 3 && r <= 9) || (r == 9 && x >= 2);
      if (!picture) {
        EXPECT_TRUE(SCREENBG(x, r) == 3 && SCREENCHAR(x, r) == ' ') << x << "," << r;
      }
    }
  }
  EXPECT_EQ(TEXT(3, 3, 7), " 12345 ");
  EXPECT_EQ(TEXT(3, 4, 7), std::string("1\xb1\xb0\xb1\xb0\xb1 "));
  // The coordinates start left of the picture and cover the move count.
  EXPECT_EQ(TEXT(2, 9, 7), "[ 3, 3]");
  EXPECT_EQ(KZ, 24);
  EXPECT_TRUE(WINL == 4 && WINT == 4 && WINR == 9 && WINB == 9);
  EXPECT_TRUE(CURX == 3 && CURY == 3);
  Keys({'-'});
  EXPECT_EQ(SR, 7);
}

TEST_F(Game, SkillKeysSetAndStopAtTheirLimits) {
  Keys({0x2009});
  EXPECT_EQ(TEXT(26, 24, 13), "Skill =  F9/8");  // as wide as the two-digit breadth
  Keys({0x200C});
  for (int i = 0; i < 10; i++) Keys({0x230C});
  EXPECT_EQ(V0, 18);
  for (int i = 0; i < 30; i++) Keys({0x2301});
  EXPECT_EQ(V0, 1);
  Keys({'8'});
  for (int i = 0; i < 5; i++) Keys({0x3409});
  EXPECT_EQ(H0, 10);
  EXPECT_EQ(TEXT(26, 24, 14), "Skill =  F1/10");
  Keys({0x3402});
  EXPECT_EQ(TEXT(26, 24, 14), "Skill =  F1/9 ");
  EXPECT_EQ(SCREENBG(39, 24), 3);
  for (int i = 0; i < 20; i++) Keys({0x3402});
  EXPECT_EQ(H0, 1);
  Keys({'5', 0x2003});
  EXPECT_TRUE(V0 == 3 && H0 == 5);
  Keys({'9', 0x200D, 0x034E});  // no such skill keys
  EXPECT_TRUE(V0 == 3 && H0 == 5);
}

TEST_F(Game, MoveCountLeavesNoStaleDigit) {
  for (int i = 0; i < 10; i++) Put(1 + i, 1 + (i % 2) * 3, 'x');
  EXPECT_EQ(TEXT(4, 24, 4), "10  ");
  Keys({8});
  EXPECT_EQ(TEXT(4, 24, 4), "9   ");
}

}  // namespace
