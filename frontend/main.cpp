// dolm: five in a row against the computer in the text terminal.
#include "game.h"
#include "mozek.h"
#include "myreadun.h"
#include "terminal.h"

int main() {
  if (!TERMSTART()) return 1;  // not a terminal: nothing is drawn
  MOZEKINIT();
  InitMouse();
  InitKeyboard();
  DOLMRUN();
  MOZEKDONE();
  DoneMouse();
  DoneKeyboard();
  TERMSTOP();
  return 0;
}
