// The console layer without a terminal: the screen model's writing rules, MYREADKEY over a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>

#include "mozek.h"
#include "myreadun.h"
#include "screen.h"
#include "script_input.h"

// The window with a cell of border all round (to catch writes and scrolls past its
// edges), trailing blanks dropped, rows joined by '|'; the cursor; its last cell's colours.
static std::string Snap() {
  std::string s;
  for (int y = std::max(WINT - 1, 1); y <= std::min(WINB + 1, SCRH); y++) {
    std::string r;
    for (int x = std::max(WINL - 1, 1); x <= std::min(WINR + 1, SCRW); x++) r += SCREENCHAR(x, y);
    s += r.erase(r.find_last_not_of(' ') + 1) + "|";
  }
  char tail[32];
  snprintf(tail, sizeof tail, " @%d,%d %02X", WhereX(), WhereY(), SCREEN[WINB - 1][WINR - 1].attr);
  return s + tail;
}

// Each row draws on a fresh screen; the last fills row y with 'a' + y - 1: only the window scrolls.
TEST(Screen, WritingRules) {
  const std::pair<void (*)(), std::string> rows[] = {
      // the help panel's long lines break at its edge; Window puts the cursor home
      {[] {
         Window(26, 3, 38, 5);
         WriteStr("1234567890123456789012");
       },
       "| 1234567890123| 456789012||| @10,2 07"},
      // the last column wraps at once; backspace stops at column 1
      {[] {
         Window(4, 4, 10, 6);
         GotoXY(7, 1);
         WriteStr("X\b");
       },
       "|       X|||| @1,2 07"},
      // a board cell and backspace leave the cursor on the cell; backspace erases nothing
      {[] {
         Window(4, 4, 10, 6);
         GotoXY(6, 2);
         WriteStr("O\b");
       },
       "||      O||| @6,2 07"},
      // a line feed on the bottom row scrolls; the column stays
      {[] {
         Window(10, 3, 15, 6);
         GotoXY(1, 4);
         WriteStr("ab\n");
       },
       "||| ab||| @3,4 07"},
      // bell does nothing, line feed keeps the column, carriage return goes to column 1
      {[] {
         Window(5, 5, 20, 8);
         GotoXY(4, 2);
         WriteStr("\a\nx\ry");
       },
       "||| y  x||| @2,3 07"},
      // every other control code is a glyph
      {[] {
         Window(5, 5, 20, 6);
         WriteStr(std::string("\0\4\t\v\f\x18\x1b\x1f", 8));
       },
       std::string("| \0\4\t\v\f\x18\x1b\x1f||| @9,1 07", 21)},
      // invalid windows and positions are ignored; the far corner is inside
      {[] {
         Window(26, 3, 38, 5);
         GotoXY(5, 2);
         for (auto w : {std::array{26, 3, 81, 5}, {26, 3, 38, 26}, {30, 3, 29, 5}, {26, 5, 38, 4}})
           Window(w[0], w[1], w[2], w[3]);
         for (auto [x, y] : {std::pair{0, 1}, {1, 0}, {14, 1}, {1, 4}, {-1, 2}}) GotoXY(x, y);
         WriteStr("ab");
         GotoXY(13, 3);
       },
       "||     ab||| @13,3 07"},
      // integers pad on the left up to their width; WriteLn and ClrScr
      {[] {
         Window(1, 1, 20, 2);
         WriteInt(7, 2);
         WriteInt(-15, 0);
         WriteInt(0, 3);
         WriteLn();
       },
       " 7-15  0||| @1,2 07"},
      {[] {
         Window(2, 2, 4, 3);
         WriteStr("abcde");
         TextColor(14);
         TextBackground(6);
         TextColor(13);
         ClrScr();  // each keeps the other colour
       },
       "|||| @1,1 6D"},
      {[] {
         for (auto& row : SCREEN)
           for (Cell& c : row) c.ch = uint8_t('a' + (&row - SCREEN));
         Window(10, 3, 15, 6);
         TextBackground(2);
         WriteStr(std::string(24, '#'));  // exactly rows x columns: one scroll
       },
       "bbbbbbbb|c######c|d######d|e######e|f      f|gggggggg| @1,4 27"},
  };
  for (auto& [draw, want] : rows) {
    SCREENRESET();
    draw();
    EXPECT_EQ(Snap(), want);
  }
}

static ScriptInput SCRIPT;  // large: kept out of the stack

// One mouse event, then the key 006B in the same pass or a later one. Wanted: the
// codes MYREADKEY gives up to that key | the labels not in their normal yellow on
// green ("?" unless wholly yellow on brown), and the cursor's screen cell.
static struct Step {
  uint16_t buttons, x, y, action, samePass;
  const char* want;
} STEPS[] = {
    // left press on cell (1,1), right press on cell (20,20)
    {1, 3, 3, 1, 0, "000D 006B | @4,4"},
    {2, 22, 22, 1, 0, "2024 006B | @23,23"},
    // on the frame with either button, the middle button, two at once: nothing
    {1, 2, 5, 1, 0, "006B | @23,23"},
    {2, 23, 5, 1, 0, "006B | @23,23"},
    {1, 7, 2, 1, 0, "006B | @23,23"},
    {2, 7, 23, 1, 0, "006B | @23,23"},
    {4, 10, 10, 1, 0, "006B | @23,23"},
    {3, 10, 10, 1, 0, "006B | @23,23"},
    {1, 10, 12, 1, 1, "006B | @11,13"},  // a key in the same pass wins; the click still moves
    // onto "Enter" (screen column 29, row 16): a press answers and leaves it lit
    {0, 28, 15, 4, 0, "006B | Enter @11,13"},
    {1, 28, 15, 1, 0, "000D 006B | Enter @11,13"},
    {0, 28, 15, 2, 0, "006B | Enter @11,13"},
    {0, 34, 15, 4, 0, "006B | X @11,13"},  // one event restores the old and lights the new
    {0, 36, 15, 4, 0, "006B | O @11,13"},
    {0, 50, 15, 4, 0, "006B | @11,13"},
    // a press on a new row is judged by the highlight before its own event
    {0, 27, 5, 4, 0, "006B | F1 @11,13"},
    {1, 27, 6, 1, 0, "2301 006B | 1 @11,13"},
};

TEST(MyReadKey, MouseAndKeysStepByStep) {
  SCREENRESET();
  CONSOLE = &SCRIPT;
  SR = 22;
  KZ = 5 * SR + 7;
  InitMouse();
  TextColor(14);  // the help panel as first drawn
  TextBackground(2);
  for (int i = 1; i <= 26; i++) GotoXY(POPIS[i].col, POPIS[i].row), WriteStr(POPIS[i].label);
  TextBackground(0);
  Window(4, 4, SR + 2, SR + 2);
  GotoXY(KZ % SR, KZ / SR);
  for (const Step& s : STEPS) {
    SCRIPT.PushMouse(s.buttons, s.x, s.y, s.action);
    SCRIPT.PushKey('k', s.samePass);
    std::string got;
    char buf[32];
    for (uint16_t c = 0; c != 'k' && c != 0x1B; got += buf)
      snprintf(buf, sizeof buf, "%04X ", c = MYREADKEY());
    got += "| ";
    for (const POPISREC& p : POPIS) {
      std::set<int> a;
      for (size_t k = 0; k < strlen(p.label); k++) a.insert(SCREEN[p.row - 1][p.col + k - 1].attr);
      if (!a.empty() && a != std::set{0x2E})
        got += p.label + std::string(a == std::set{0x6E} ? " " : "? ");
    }
    snprintf(buf, sizeof buf, "@%d,%d", WINL + WhereX() - 1, WINT + WhereY() - 1);
    EXPECT_EQ(got + buf, s.want) << "event at " << s.x << "," << s.y;
    // Every highlight change ends in the board window with the cursor on KZ.
    EXPECT_TRUE(WINL == 4 && WINB == SR + 2 && WhereX() == KZ % SR && WhereY() == KZ / SR);
  }
}
