// keyecho, for the tmux test: the help panel's labels, then each code MYREADKEY gives, until Esc.
#include <unistd.h>

#include <cstdio>

#include "boardgeom.h"
#include "keycodes.h"
#include "mozek.h"
#include "myreadun.h"
#include "screen.h"
#include "terminal.h"

int main() {
  if (!TERMSTART()) return 1;
  SR = 22;
  WriteStr("keyecho ready pid ");
  WriteInt(getpid(), 0);
  TextColor(YELLOW);
  for (int i = 1; i <= 26; i++) GotoXY(POPIS[i].col, POPIS[i].row), WriteStr(POPIS[i].label);
  // The board window is current while waiting, as in the game; codes go right of the panel.
  uint16_t code = 0;
  for (int n = 0; code != KEY::ESC; n = (n + 1) % (8 * 23)) {
    BOARDAT(SR, KZ);
    code = MYREADKEY();
    Window(40, 3, 80, 25);
    GotoXY(1 + n % 8 * 5, 1 + n / 8);
    for (int s = 12; s >= 0; s -= 4) WriteChar(uint8_t("0123456789ABCDEF"[(code >> s) & 15]));
  }
  TERMSTOP();
  printf("keyecho done %04X\n", code);
}
