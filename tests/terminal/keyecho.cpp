// keyecho: the terminal layer alone, for the end-to-end test in tmux. Draws
// the help panel's labels and a 20x20 board frame, then shows every key code
// MYREADKEY returns in hexadecimal, with the cursor cell after it, until Esc.
#include <unistd.h>

#include <cstdio>

#include "mozek.h"
#include "myreadun.h"
#include "screen.h"
#include "terminal.h"

// Hex digits of a code, four of them.
static void WriteHex(uint16_t v) {
  static const char HEX[] = "0123456789ABCDEF";
  for (int s = 12; s >= 0; s -= 4) WriteChar(uint8_t(HEX[(v >> s) & 15]));
}

int main() {
  if (!TERMSTART()) return 1;
  SR = 22;
  KZ = 2 * SR + 2;
  InitMouse();
  InitKeyboard();
  TextBackground(3);
  ClrScr();
  CursorBig();
  TextColor(15);
  WriteStr("keyecho ready pid ");
  WriteInt(getpid(), 0);
  TextColor(14);
  TextBackground(2);
  for (int i = 1; i <= 26; i++) {
    GotoXY(POPIS[i].col, POPIS[i].row);
    WriteStr(POPIS[i].label);
  }
  TextColor(0);
  TextBackground(3);
  for (int x = 3; x <= 25; x++) {
    GotoXY(x, 3);
    WriteChar(177);
  }
  // Codes go to the bottom rows; the board window stays current in between.
  uint16_t code;
  int n = 0;
  do {
    Window(4, 4, SR + 2, SR + 2);
    GotoXY(KZ % SR, KZ / SR);
    code = MYREADKEY();
    uint16_t kz = KZ;
    Window(40, 3, 80, 25);
    GotoXY(1 + (n % 8) * 5, 1 + n / 8);
    TextColor(15);
    TextBackground(1);
    WriteHex(code);
    Window(40, 2, 80, 2);
    WriteStr("cell ");
    WriteInt(kz, 3);
    n = (n + 1) % (8 * 23);
  } while (code != 0x001B);
  DoneMouse();
  DoneKeyboard();
  TERMSTOP();
  printf("keyecho done %04X\n", code);
  return 0;
}
