// myreadun: one stream of key codes out of the console's key and mouse
// events. Board clicks move KZ, and the help panel's hot-key labels light up
// under the pointer and answer left clicks.
#include "myreadun.h"

#include "console.h"
#include "mozek.h"
#include "screen.h"

ConsoleInput* CONSOLE = nullptr;

// Where the help panel prints each hot-key label, and the code it stands for.
// The "F1", "F12", "1" and "8" labels give the stepping codes (Shift+F1,
// Shift+F12, Ctrl+1, Ctrl+8), not those of the plain keys.
const POPISREC POPIS[27] = {
    {0, 0, 0x0000, ""},        {28, 6, 0x2301, "F1"},    {34, 6, 0x230C, "F12"},
    {28, 7, 0x3402, "1"},      {33, 7, 0x3409, "8"},     {28, 9, 0x002B, "+"},
    {32, 9, 0x002D, "-"},      {28, 11, 0x2021, "\x18"}, {32, 11, 0x2027, "\x19"},
    {28, 12, 0x2025, "\x1A"},  {32, 12, 0x2023, "\x1B"}, {28, 13, 0x2020, "Home"},
    {34, 13, 0x2022, "PgUp"},  {28, 14, 0x2026, "End"},  {34, 14, 0x2028, "PgDn"},
    {28, 16, 0x000D, "Enter"}, {28, 18, 0x0009, "Tab"},  {32, 18, 0x330F, "ShiTab"},
    {28, 17, 0x0008, "BkSp"},  {35, 17, 0x2029, "Ins"},  {35, 16, 0x0058, "X"},
    {37, 16, 0x004F, "O"},     {28, 20, 0x004E, "N"},    {32, 20, 0x3831, "Alt+N"},
    {28, 21, 0x004C, "L"},     {32, 21, 0x0053, "S"},    {28, 23, 0x001B, "Esc"},
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

// Back to the board window with the text cursor on the current cell.
static void BoardCursor() {
  Window(4, 4, SR + 2, SR + 2);
  GotoXY(KZ % SR, KZ / SR);
}

// Put the cursor on the board cell under the pointer, if there is one.
static bool BoardClick(uint16_t x, uint16_t y) {
  if (x < 3 || x > SR || y < 3 || y > SR) return false;
  KZ = uint16_t((y - 2) * SR + (x - 2));
  GotoXY(KZ % SR, KZ / SR);
  return true;
}

uint16_t MYREADKEY() {
  uint16_t R = 0;
  for (;;) {
    // Step 1: the mouse, at most one event per pass.
    if (CONSOLE->PollMouseEvent()) {
      MouseEvent M = CONSOLE->GetMouseEvent();
      uint16_t X = M.x, Y = M.y;
      if (M.buttons == 2 && M.action == 1 && BoardClick(X, Y)) R = 0x2024;
      if (M.buttons == 1 && M.action == 1) {
        if (BoardClick(X, Y)) R = 13;
        // The label answers as it was lit before this event moved anything.
        if (OLDI > 0) R = POPIS[OLDI].code;
      }
      if ((M.action == 4 && X != OLDX) || Y != OLDY) {
        const POPISREC& E = POPIS[OLDI];
        OLDX = X;
        OLDY = Y;
        if (OLDI > 0 && !Over(E, X, Y)) {
          Window(1, 1, 80, 25);
          GotoXY(E.col, E.row);
          TextColor(14);
          TextBackground(2);
          WriteStr(E.label);
          OLDI = 0;
          TextBackground(0);
          BoardCursor();
        }
        if (OLDI == 0) {
          // The engine owns the name I, so the label search keeps its index local.
          for (uint16_t I = 1; I <= 26; I++) {
            if (!Over(POPIS[I], X, Y)) continue;
            TextColor(14);
            Window(1, 1, 80, 25);
            GotoXY(POPIS[I].col, POPIS[I].row);
            TextBackground(6);
            WriteStr(POPIS[I].label);
            OLDI = I;
            TextBackground(0);
            BoardCursor();
          }
        }
      }
    }
    // Step 2: the keyboard; a key overrides what the mouse gave in this pass.
    if (CONSOLE->PollKeyEvent()) R = CONSOLE->GetKeyEvent();
    if (R != 0) return R;
    CONSOLE->WaitForEvent();
  }
}

void InitMouse() { OLDX = OLDY = OLDI = 0; }
void InitKeyboard() {}
void DoneMouse() {}
void DoneKeyboard() {}
