// The console layer without a terminal: the screen model's writing rules, MYREADKEY over a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "boardgeom.h"
#include "keycodes.h"
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
      {[] { Window(26, 3, 38, 5), WriteStr("1234567890123456789012"); },
       "| 1234567890123| 456789012||| @10,2 07"},
      // the last column wraps at once; backspace stops at column 1
      {[] { Window(4, 4, 10, 6), GotoXY(7, 1), WriteStr("X\b"); }, "|       X|||| @1,2 07"},
      // a board cell and backspace leave the cursor on the cell; backspace erases nothing
      {[] { Window(4, 4, 10, 6), GotoXY(6, 2), WriteStr("O\b"); }, "||      O||| @6,2 07"},
      // a line feed on the bottom row scrolls; the column stays
      {[] { Window(10, 3, 15, 6), GotoXY(1, 4), WriteStr("ab\n"); }, "||| ab||| @3,4 07"},
      // bell does nothing, line feed keeps the column, carriage return goes to column 1
      {[] { Window(5, 5, 20, 8), GotoXY(4, 2), WriteStr("\a\nx\ry"); }, "||| y  x||| @2,3 07"},
      // every other control code is a glyph
      {[] { Window(5, 5, 20, 6), WriteStr(std::string("\0\4\t\v\f\x18\x1b\x1f", 8)); },
       std::string("| \0\4\t\v\f\x18\x1b\x1f||| @9,1 07", 21)},
      // invalid windows and positions are ignored; the far corner is inside
      {[] {
         Window(26, 3, 38, 5), GotoXY(5, 2);
         for (auto w : {std::array{26, 3, 81, 5}, {26, 3, 38, 26}, {30, 3, 29, 5}, {26, 5, 38, 4}})
           Window(w[0], w[1], w[2], w[3]);
         for (auto [x, y] : {std::pair{0, 1}, {1, 0}, {14, 1}, {1, 4}, {-1, 2}}) GotoXY(x, y);
         WriteStr("ab"), GotoXY(13, 3);
       },
       "||     ab||| @13,3 07"},
      // integers pad on the left up to their width; WriteLn and ClrScr
      {[] { Window(1, 1, 20, 2), WriteInt(7, 2), WriteInt(-15, 0), WriteInt(0, 3), WriteLn(); },
       " 7-15  0||| @1,2 07"},
      {[] {  // each colour call keeps the other colour
         Window(2, 2, 4, 3), WriteStr("abcde");
         TextColor(14), TextBackground(6), TextColor(13), ClrScr();
       },
       "|||| @1,1 6D"},
      {[] {
         for (auto& row : SCREEN)
           for (Cell& c : row) c.ch = uint8_t('a' + (&row - SCREEN));
         Window(10, 3, 15, 6), TextBackground(2);
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

// One mouse event, then the key 'k' in the same pass or a later one. Wanted: the
// code MYREADKEY gives before that key (0 for none), the labels not in their
// normal yellow on green ("?" unless wholly yellow on brown), and the cursor's screen cell.
static struct Step {
  uint16_t buttons, x, y, action, samePass, code;
  const char* want;
} STEPS[] = {
    // left press on cell (1,1), right press on cell (20,20)
    {1, 3, 3, 1, 0, KEY::ENTER, "@4,4"},
    {2, 22, 22, 1, 0, KEY::RIGHT_CLICK, "@23,23"},
    // on the frame with the left button (the right one: BoardGeometry), the middle button,
    // two at once: nothing
    {1, 2, 5, 1, 0, 0, "@23,23"},
    {1, 7, 2, 1, 0, 0, "@23,23"},
    {4, 10, 10, 1, 0, 0, "@23,23"},
    {3, 10, 10, 1, 0, 0, "@23,23"},
    {1, 10, 12, 1, 1, 0, "@11,13"},  // a key in the same pass wins; the click still moves
    // onto "Enter" (screen column 29, row 16): a press answers and leaves it lit
    {0, 28, 15, 4, 0, 0, "Enter @11,13"},
    {1, 28, 15, 1, 0, KEY::ENTER, "Enter @11,13"},
    {0, 28, 15, 2, 0, 0, "Enter @11,13"},
    {0, 34, 15, 4, 0, 0, "X @11,13"},  // one event restores the old and lights the new
    {0, 36, 15, 4, 0, 0, "O @11,13"},
    {0, 50, 15, 4, 0, 0, "@11,13"},
    // a press on a new row is judged by the highlight before its own event
    {0, 27, 5, 4, 0, 0, "F1 @11,13"},
    {1, 27, 6, 1, 0, KEY::SHIFT_F1, "1 @11,13"},
    // a press in a new column of the same row leaves the highlight; a move there then counts
    {1, 32, 6, 1, 0, KEY::CTRL_1, "1 @11,13"},
    {0, 32, 6, 4, 0, 0, "8 @11,13"},
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
  BOARDAT(SR, KZ);
  for (const Step& s : STEPS) {
    SCRIPT.PushMouse(s.buttons, s.x, s.y, s.action);
    SCRIPT.PushKey('k', s.samePass);
    std::vector<uint16_t> codes;
    while (codes.empty() || (codes.back() != 'k' && codes.back() != KEY::ESC))
      codes.push_back(MYREADKEY());
    const std::vector<uint16_t> want =
        s.code ? std::vector<uint16_t>{s.code, 'k'} : std::vector<uint16_t>{'k'};
    EXPECT_EQ(codes, want) << "event at " << s.x << "," << s.y;
    std::string got;
    char buf[32];
    for (const POPISREC& p : POPIS) {
      std::set<int> a;
      for (size_t k = 0; k < strlen(p.label); k++) a.insert(SCREEN[p.row - 1][p.col + k - 1].attr);
      if (!a.empty() && a != std::set{0x2E})
        got += p.label + std::string(a == std::set{0x6E} ? " " : "? ");
    }
    snprintf(buf, sizeof buf, "@%d,%d", WINL + WhereX() - 1, WINT + WhereY() - 1);
    EXPECT_EQ(got + buf, s.want) << "event at " << s.x << "," << s.y;
    // Every highlight change ends in the board window with the cursor on KZ.
    EXPECT_EQ(std::tuple(WINL, WINB, WhereX(), WhereY()), std::tuple(4, SR + 2, KZ % SR, KZ / SR));
  }
}

// For every board side and every screen cell: a right click there puts KZ and the text cursor
// on board cell (c, r) exactly when that cell is playable and drawn there, at column 3 + c and
// row 3 + r; anywhere else it gives nothing and moves nothing.
TEST(BoardGeometry, EveryCellOfEveryBoardSideUnderThePointer) {
  SCREENRESET();
  InitMouse();
  for (int sr = 7; sr <= 22; sr++) {
    for (int y = 0; y < SCRH; y++) {
      auto script = std::make_unique<ScriptInput>();  // large: kept out of the stack
      CONSOLE = script.get();
      SR = uint16_t(sr);
      for (int x = 0; x < SCRW; x++) {
        const int c = x - 2, r = y - 2;  // the pointer's x and y count from 0
        const bool playable = c >= 1 && c <= sr - 2 && r >= 1 && r <= sr - 2;
        KZ = uint16_t(sr + 1);
        BOARDAT(SR, KZ);
        script->PushClick(uint16_t(x), uint16_t(y), true);
        script->PushKey('k');
        std::vector<uint16_t> codes{MYREADKEY()};
        if (codes[0] != 'k') codes.push_back(MYREADKEY());
        const int k = playable ? r * sr + c : sr + 1;
        ASSERT_EQ(std::tuple(codes, KZ, WINL + WhereX() - 1, WINT + WhereY() - 1),
                  std::tuple(playable ? std::vector<uint16_t>{KEY::RIGHT_CLICK, 'k'}
                                      : std::vector<uint16_t>{'k'},
                             k, 3 + k % sr, 3 + k / sr))
            << "side " << sr << " pointer " << x << "," << y;
      }
    }
  }
  CONSOLE = nullptr;
}
