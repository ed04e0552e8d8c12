// dolm: five in a row against the computer in the text terminal.
#include <cstdio>

#include "game.h"
#include "mozek.h"
#include "myreadun.h"
#include "terminal.h"

int main() {
  if (!TERMSTART()) return 1;  // not a terminal: nothing is drawn
  MOZEKINIT();
  InitMouse();
  InitKeyboard();
  const bool SETTINGSSAVED = DOLMRUN();
  MOZEKDONE();
  DoneMouse();
  DoneKeyboard();
  TERMSTOP();
  // Said only now, on the restored terminal; the game itself ended well.
  if (!SETTINGSSAVED) std::fprintf(stderr, "dolm: %s\n", FILEWHY);
  return 0;
}
