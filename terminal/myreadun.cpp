// myreadun: one stream of key codes out of the console's key and mouse
// events. Board clicks move KZ, and the help panel's hot-key labels light up
// under the pointer and answer left clicks.
#include "myreadun.h"

#include "boardgeom.h"
#include "console.h"
#include "keycodes.h"
#include "mozek.h"
#include "screen.h"

// Where the help panel prints each hot-key label, and the code it stands for.
// The "F1", "F12", "1" and "8" labels give the stepping codes (Shift+F1,
// Shift+F12, Ctrl+1, Ctrl+8), not those of the plain keys.
const POPISREC POPIS[27] = {
    {0, 0, 0, ""},
    {28, 6, KEY::SHIFT_F1, "F1"},
    {34, 6, KEY::SHIFT_F12, "F12"},
    {28, 7, KEY::CTRL_1, "1"},
    {33, 7, KEY::CTRL_8, "8"},
    {28, 9, '+', "+"},
    {32, 9, '-', "-"},
    {28, 11, KEY::UP, "\x18"},
    {32, 11, KEY::DOWN, "\x19"},
    {28, 12, KEY::RIGHT, "\x1A"},
    {32, 12, KEY::LEFT, "\x1B"},
    {28, 13, KEY::HOME, "Home"},
    {34, 13, KEY::PGUP, "PgUp"},
    {28, 14, KEY::END, "End"},
    {34, 14, KEY::PGDN, "PgDn"},
    {28, 16, KEY::ENTER, "Enter"},
    {28, 18, KEY::TAB, "Tab"},
    {32, 18, KEY::SHIFT_TAB, "ShiTab"},
    {28, 17, KEY::BACKSPACE, "BkSp"},
    {35, 17, KEY::INS, "Ins"},
    {35, 16, 'X', "X"},
    {37, 16, 'O', "O"},
    {28, 20, 'N', "N"},
    {32, 20, KEY::ALT_N, "Alt+N"},
    {28, 21, 'L', "L"},
    {32, 21, 'S', "S"},
    {28, 23, KEY::ESC, "Esc"},
};

uint16_t OLDX, OLDY;
uint16_t OLDI;

// Length of a label's text.
static uint16_t LabelLen(const POPISREC& e) {
  uint16_t n = 0;
  while (e.label[n] != 0) n++;
  return n;
}

// Whether the pointer (0-based x, y) is over label e.
static bool Over(const POPISREC& e, uint16_t x, uint16_t y) {
  return y + 1 == e.row && e.col <= x + 1 && x + 1 <= e.col + LabelLen(e) - 1;
}

// Rewrite label e in place, lit (yellow on brown) or in its normal yellow on
// green, and come back to the board window with the text cursor on KZ. The
// colours are left yellow on black.
static void DrawLabel(const POPISREC& e, bool lit) {
  Window(1, 1, SCRW, SCRH);
  GotoXY(e.col, e.row);
  TextColor(YELLOW);
  TextBackground(lit ? BROWN : GREEN);
  WriteStr(e.label);
  TextBackground(BLACK);
  BOARDAT(SR, KZ);
}

// Put KZ and the text cursor on the playable cell under the pointer, if there is one.
static bool BoardClick(uint16_t x, uint16_t y) {
  const int cell = CELLAT(SR, x, y);
  if (cell < 0) return false;
  KZ = uint16_t(cell);
  GOTOCELL(SR, KZ);
  return true;
}

// The code a press gives, 0 for none. A left press on a board cell is Enter,
// a right press there the right-click code; either moves KZ to the cell. A
// left press on a lit label answers with the label's code, judged by the
// highlight as it stood before this event moved anything.
static uint16_t PressCode(const MouseEvent& m) {
  if (m.action != MOUSEPRESS) return 0;
  uint16_t code = 0;
  if (m.buttons == MOUSERIGHT && BoardClick(m.x, m.y)) code = KEY::RIGHT_CLICK;
  if (m.buttons == MOUSELEFT) {
    if (BoardClick(m.x, m.y)) code = KEY::ENTER;
    if (OLDI > 0) code = POPIS[OLDI].code;
  }
  return code;
}

// Light the label under the pointer and put out the one it has left.
static void FollowPointer(const MouseEvent& m) {
  // The highlight is looked at again on any event that finds the pointer on
  // another row, and on a move to another column. A press or release in
  // another column of the same row leaves the highlight and OLDX as they were
  // (a move there later is still news), so such a click is answered by the
  // label that was lit. Written as meant: && binds before ||.
  if (!((m.action == MOUSEMOVE && m.x != OLDX) || m.y != OLDY)) return;
  OLDX = m.x;
  OLDY = m.y;
  if (OLDI > 0 && !Over(POPIS[OLDI], m.x, m.y)) {
    DrawLabel(POPIS[OLDI], false);
    OLDI = 0;
  }
  if (OLDI > 0) return;
  // Every entry is tried; the labels do not overlap, so at most one is under the pointer.
  for (uint16_t entry = 1; entry <= 26; entry++) {
    if (!Over(POPIS[entry], m.x, m.y)) continue;
    DrawLabel(POPIS[entry], true);
    OLDI = entry;
  }
}

uint16_t MYREADKEY() {
  for (;;) {
    uint16_t code = 0;
    // Step 1: the mouse, at most one event per pass: its press, then the highlight.
    if (CONSOLE->PollMouseEvent()) {
      const MouseEvent m = CONSOLE->GetMouseEvent();
      code = PressCode(m);
      FollowPointer(m);
    }
    // Step 2: the keyboard; a key overrides what the mouse gave in this pass,
    // though a board click's cursor move stays done.
    if (CONSOLE->PollKeyEvent()) code = CONSOLE->GetKeyEvent();
    if (code != 0) return code;
    CONSOLE->WaitForEvent();
  }
}

void InitMouse() { OLDX = OLDY = OLDI = 0; }
void InitKeyboard() {}
void DoneMouse() {}
void DoneKeyboard() {}
