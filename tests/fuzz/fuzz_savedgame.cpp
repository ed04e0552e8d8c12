// libFuzzer target for L: any bytes as "dolm.dat", loaded through the game's own command. A refused
// file must leave the game, the engine and the screen exactly as they were (the notice on the
// contact row aside, and gone at the next key); an accepted one must leave no five before the last
// move and engine tables equal to a recomputation from scratch (BOARDOK).
#include <string>

#include "fuzz_file.h"
#include "game.h"
#include "mozek.h"
#include "screen.h"

// Everything a refused load must leave as it was, with or without the contact row.
static std::string State(bool row25) {
  std::string s;
  auto add = [&s](const auto&... v) { (s.append((const char*)&v, sizeof v), ...); };
  add(PHC, PP, PSH, PSC, PHC0, PXO, PT, SR, V0, H0, KZ, NOTP5, WINL, WINT, WINR, WINB, CURX, CURY);
  s.append((const char*)SCREEN, sizeof SCREEN[0] * (SCRH - !row25));
  return s;
}

// Whether the stone on cell C of BOARD (side SIDE, frame of code 3) joins five of its side.
static bool Five(const uint16_t* board, int c, int side) {
  for (int step : {1, side - 1, side, side + 1}) {
    int run = 1;
    for (int k = c - step; board[k] == board[c]; k -= step) run++;
    for (int k = c + step; board[k] == board[c]; k += step) run++;
    if (run >= 5) return true;
  }
  return false;
}

// The accepted game: its stones played again in order make no five before the
// last, the five flag tells whether the last made one, and the tables are exact.
static void CheckAccepted() {
  static uint16_t board[576];
  for (int k = 0; k < 576; k++) board[k] = PHC[k] == 1 || PHC[k] == 2 ? 0 : PHC[k];
  for (int j = 1; j <= PT; j++) {
    Check(PHC[PP[j]] == 1 || PHC[PP[j]] == 2);
    board[PP[j]] = PHC[PP[j]];
    Check(j == PT || !Five(board, PP[j], SR));
  }
  Check(NOTP5 == !(PT > 0 && Five(board, PP[PT], SR)));
  Check(BOARDOK());
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KEYFILES = false;
  MOZEKINIT();
  SCREENRESET();
  DOLMSTART();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutFile("dolm.dat", data, size);
  const std::string before = State(true), row25 = before.substr(State(false).size());
  COMMAND('L');
  DropFile("dolm.dat");
  if (State(true).substr(State(false).size()) == row25) return CheckAccepted(), SOURAD(), 0;
  // Refused: only the notice on the contact row is new, and the next key takes it away.
  Check(State(false) == before.substr(0, State(false).size()));
  NOTICEGONE();
  Check(State(true) == before);
  return 0;
}
