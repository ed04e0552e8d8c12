// The front end's own check for a finished game: after every stone it walks
// the four lines through the last move and, when the stone joins five or more
// of its side, shows that run with diamonds until the stone is taken back.
// The frame and obstacles hold code 3, so every walk stops on the board.
#include "boardgeom.h"
#include "game.h"
#include "mozek.h"
#include "screen.h"

bool NAJDI5(uint16_t& first, uint16_t& last, uint16_t& step) {
  uint16_t SIDE = PHC[PP[PT]];
  for (int D = 0; D < 4; D++) {
    first = PP[PT];
    last = first;
    step = uint16_t(PSV[D]);
    while (PHC[first - step] == SIDE) first -= step;
    while (PHC[last + step] == SIDE) last += step;
    if ((last - first) / step > 3) return true;  // five or more stones of the side
  }
  return false;
}

bool NPET() {
  uint16_t FIRST, LAST, STEP;
  if (!NAJDI5(FIRST, LAST, STEP)) return true;
  TextBackground(BLACK);
  TextColor(PHC[FIRST] == 1 ? YELLOW : LIGHTMAGENTA);
  for (int C = FIRST; C <= LAST; C += STEP) {
    GOTOCELL(SR, C);
    WriteChar(4);
  }
  GOTOCELL(SR, KZ);
  return false;
}

void BKPET() {
  uint16_t FIRST, LAST, STEP;
  // While a five stands the last move is the stone that made it, so the
  // same run is found again.
  NAJDI5(FIRST, LAST, STEP);
  uint16_t SIDE = PHC[FIRST];
  TextBackground(BLACK);
  TextColor(SIDE == 1 ? YELLOW : LIGHTMAGENTA);
  for (int C = FIRST; C <= LAST; C += STEP) {
    GOTOCELL(SR, C);
    WriteChar(uint8_t(PXO[SIDE]));
  }
}
