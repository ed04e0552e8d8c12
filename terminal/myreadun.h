// myreadun: keyboard and mouse folded into one stream of key codes
// (keycodes.h). A left click on a board cell moves KZ there and gives
// KEY::ENTER, a right click KEY::RIGHT_CLICK; the hot-key labels of the help
// panel light up under the pointer and answer left clicks with their key's code.
#pragma once

#include <cstdint>

// One clickable help-panel label: 1-based screen column and row of its first
// character, the key code it stands for, and its text.
struct POPISREC {
  uint16_t col, row, code;
  const char* label;
};

extern const POPISREC POPIS[27];  // entry 0 is empty: no label
extern uint16_t OLDX, OLDY;       // pointer position last seen by the highlight logic
extern uint16_t OLDI;             // POPIS entry now highlighted, 0 for none

uint16_t MYREADKEY();  // wait for and return the next key code (never 0)

void InitMouse();     // start the mouse
void InitKeyboard();  // start the keyboard
void DoneMouse();     // stop the mouse
void DoneKeyboard();  // stop the keyboard
