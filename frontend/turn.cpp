// The computer's turn: the engine's search chooses a cell for side O within
// the budget V0^H0 and the stone is placed there like any other.
#include "boardgeom.h"
#include "console.h"
#include "game.h"
#include "mozek.h"
#include "screen.h"

void COMPUTERTURN() {
  // The search may take a while: show the human's stone before it starts.
  if (CONSOLE) CONSOLE->Present();
  uint16_t CURSOR = KZ;
  int16_t R = SEARCHMOVE();
  if (R == 0) return;  // no cell left to play
  // Ctrl+C ended the search: its cell means nothing and the game is ending.
  if (SEARCHABORTED) {
    KZ = CURSOR;
    return;
  }
  // The search must never hand back anything but an empty playable cell; if
  // it ever did, the computer passes and the cursor stays where it was.
  if (!FREECELL(KZ)) {
    KZ = CURSOR;
    return;
  }
  GOTOCELL(SR, KZ);
  PLO();
}
