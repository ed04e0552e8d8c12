// MYREADKEY over a scripted console: board clicks, the label highlight and
// its answers to clicks, and the order of handling within one pass.
#include <gtest/gtest.h>

#include "mozek.h"
#include "myreadun.h"
#include "screen.h"
#include "script_input.h"

namespace {

ScriptInput SCRIPT;  // large: kept out of the stack

struct MyReadKeyTest : ::testing::Test {
  void SetUp() override {
    SCRIPT = ScriptInput();
    CONSOLE = &SCRIPT;
    SR = 22;
    KZ = 5 * SR + 7;
    SCREENRESET();
    InitMouse();
    InitKeyboard();
    // The help panel as first drawn: every label yellow on green.
    TextColor(14);
    TextBackground(2);
    for (int i = 1; i <= 26; i++) {
      GotoXY(POPIS[i].col, POPIS[i].row);
      WriteStr(POPIS[i].label);
    }
    TextBackground(0);
    Window(4, 4, SR + 2, SR + 2);
    GotoXY(KZ % SR, KZ / SR);
  }
  // Background of label i's first cell: 2 normal, 6 highlighted.
  static int LabelBg(int i) { return SCREENBG(POPIS[i].col, POPIS[i].row); }
  // Cursor position on the screen, 1-based.
  static int ScreenX() { return WINL + WhereX() - 1; }
  static int ScreenY() { return WINT + WhereY() - 1; }
};

TEST_F(MyReadKeyTest, PopisTableMatchesThePanel) {
  // Labels never overlap, and each lies in the help panel.
  for (int i = 1; i <= 26; i++) {
    int len = int(strlen(POPIS[i].label));
    EXPECT_GE(POPIS[i].col, 26);
    EXPECT_LE(POPIS[i].col + len - 1, 38) << i;
    for (int j = 1; j < i; j++) {
      if (POPIS[i].row != POPIS[j].row) continue;
      int lj = int(strlen(POPIS[j].label));
      EXPECT_TRUE(POPIS[i].col + len <= POPIS[j].col || POPIS[j].col + lj <= POPIS[i].col) << i << " " << j;
    }
  }
  EXPECT_EQ(POPIS[23].code, 0x3831);
  EXPECT_STREQ(POPIS[17].label, "ShiTab");
  EXPECT_STREQ(POPIS[7].label, "\x18");
}

TEST_F(MyReadKeyTest, BoardClicks) {
  SCRIPT.PushClick(3, 3);               // cell (1,1)
  SCRIPT.PushClick(22, 22, true);       // the last playable cell, (20,20)
  SCRIPT.PushClick(2, 5);               // the left frame column
  SCRIPT.PushClick(23, 5);              // the right frame column
  SCRIPT.PushClick(7, 2, true);         // the frame row
  SCRIPT.PushMouse(4, 10, 10, 1);       // middle button
  SCRIPT.PushMouse(3, 10, 10, 1);       // right pressed while left held
  SCRIPT.PushKey('x');
  EXPECT_EQ(MYREADKEY(), 0x000D);
  EXPECT_EQ(KZ, 1 * SR + 1);
  EXPECT_EQ(ScreenX(), 4);
  EXPECT_EQ(ScreenY(), 4);
  EXPECT_EQ(MYREADKEY(), 0x2024);
  EXPECT_EQ(KZ, 20 * SR + 20);
  EXPECT_EQ(ScreenX(), 23);
  EXPECT_EQ(ScreenY(), 23);
  EXPECT_EQ(MYREADKEY(), 'x');  // nothing from the misses in between
  EXPECT_EQ(KZ, 20 * SR + 20);
  EXPECT_EQ(MYREADKEY(), 0x001B);  // the script is over
  EXPECT_EQ(SCRIPT.escapes, 1);
}

TEST_F(MyReadKeyTest, LabelsLightUpAndAnswerClicks) {
  const int enter = 15, x = 20, o = 21;
  SCRIPT.PushMouse(0, 28, 15, 4);  // onto "Enter" (screen column 29, row 16)
  SCRIPT.PushMouse(1, 28, 15, 1);
  SCRIPT.PushMouse(0, 28, 15, 2);
  SCRIPT.PushKey('a');
  SCRIPT.PushMouse(0, 34, 15, 4);  // straight onto "X"
  SCRIPT.PushKey('b');
  SCRIPT.PushMouse(0, 36, 15, 4);  // onto "O"
  SCRIPT.PushMouse(0, 50, 15, 4);  // off every label
  SCRIPT.PushKey('c');
  EXPECT_EQ(MYREADKEY(), 0x000D);  // the highlighted label answers the press
  EXPECT_EQ(LabelBg(enter), 6);
  EXPECT_EQ(SCREENFG(POPIS[enter].col + 4, POPIS[enter].row), 14);
  EXPECT_EQ(SCREENBG(POPIS[enter].col + 4, POPIS[enter].row), 6);
  EXPECT_EQ(MYREADKEY(), 'a');
  EXPECT_EQ(LabelBg(enter), 6);  // the press leaves the highlight
  EXPECT_EQ(MYREADKEY(), 'b');
  EXPECT_EQ(LabelBg(enter), 2);  // one event restores the old and lights the new
  EXPECT_EQ(LabelBg(x), 6);
  EXPECT_EQ(OLDI, x);
  EXPECT_EQ(MYREADKEY(), 'c');
  EXPECT_EQ(LabelBg(x), 2);
  EXPECT_EQ(LabelBg(o), 2);
  EXPECT_EQ(OLDI, 0);
  // Every highlight change ends in the board window with the cursor on KZ.
  EXPECT_EQ(WINL, 4);
  EXPECT_EQ(WINB, SR + 2);
  EXPECT_EQ(ScreenX(), 3 + KZ % SR);
  EXPECT_EQ(ScreenY(), 3 + KZ / SR);
  EXPECT_EQ(TEXTATTR, 0x0E);
}

TEST_F(MyReadKeyTest, PressOnNewRowAnswersWithTheOldHighlight) {
  SCRIPT.PushMouse(0, 27, 5, 4);  // onto "F1"
  SCRIPT.PushMouse(1, 27, 6, 1);  // press one row lower, on "1"
  EXPECT_EQ(MYREADKEY(), 0x2301);
  EXPECT_EQ(OLDI, 3);  // the highlight has moved to "1" since
  EXPECT_EQ(LabelBg(1), 2);
  EXPECT_EQ(LabelBg(3), 6);
}

TEST_F(MyReadKeyTest, KeyInTheSamePassWinsButTheClickStillMoves) {
  SCRIPT.PushMouse(1, 10, 12, 1);
  SCRIPT.PushKey(0x2021, true);
  EXPECT_EQ(MYREADKEY(), 0x2021);
  EXPECT_EQ(KZ, 10 * SR + 8);
  // Without samePass the click and the key come one after the other.
  SCRIPT.PushMouse(0, 10, 12, 2);
  SCRIPT.PushMouse(1, 11, 12, 1);
  SCRIPT.PushKey(0x2021);
  EXPECT_EQ(MYREADKEY(), 0x000D);
  EXPECT_EQ(KZ, 10 * SR + 9);
  EXPECT_EQ(MYREADKEY(), 0x2021);
  EXPECT_GE(SCRIPT.waits, 1);
}

}  // namespace
