// libFuzzer target for L: any bytes as "dolm.dat", loaded through the game's
// own command. A refused file must leave the game, the engine and the screen
// exactly as they were (the notice on the contact row aside, and gone at the
// next key); an accepted one must leave no five before the last move and
// engine tables equal to a placement of the same stones from scratch.
#include <cstring>

#include "fuzz_file.h"
#include "game.h"
#include "mozek.h"
#include "screen.h"

// Everything a refused load must leave as it was.
struct State {
  uint16_t phc[576], pp[484], psh[484], psc[484], pt, sr, v0, h0, kz;
  uint8_t phc0[484];
  char pxo[3];
  bool notp5;
  Cell screen[SCRH][SCRW];
  uint8_t win[6];
  void Take() {
    std::memcpy(phc, PHC, sizeof phc), std::memcpy(pp, PP, sizeof pp);
    std::memcpy(psh, PSH, sizeof psh), std::memcpy(psc, PSC, sizeof psc);
    std::memcpy(phc0, PHC0, sizeof phc0), std::memcpy(pxo, PXO, sizeof pxo);
    std::memcpy(screen, SCREEN, sizeof screen);
    pt = PT, sr = SR, v0 = V0, h0 = H0, kz = KZ, notp5 = NOTP5;
    const uint8_t w[6] = {WINL, WINT, WINR, WINB, CURX, CURY};
    std::memcpy(win, w, sizeof win);
  }
  bool Same(const State& o, bool row25) const {
    for (int r = 0; r < SCRH - (row25 ? 0 : 1); r++)
      for (int c = 0; c < SCRW; c++)
        if (screen[r][c].ch != o.screen[r][c].ch || screen[r][c].attr != o.screen[r][c].attr)
          return false;
    return !std::memcmp(phc, o.phc, sizeof phc) && !std::memcmp(pp, o.pp, sizeof pp) &&
           !std::memcmp(psh, o.psh, sizeof psh) && !std::memcmp(psc, o.psc, sizeof psc) &&
           !std::memcmp(phc0, o.phc0, sizeof phc0) && !std::memcmp(pxo, o.pxo, sizeof pxo) &&
           !std::memcmp(win, o.win, sizeof win) && pt == o.pt && sr == o.sr && v0 == o.v0 &&
           h0 == o.h0 && kz == o.kz && notp5 == o.notp5;
  }
};
static State before, after;

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

// The accepted game, placed again stone by stone on a cleared engine: the
// evaluation must come out the same, and no five may stand before the last move.
static void CheckReplay() {
  static uint16_t moves[484], sides[484], board[576];
  const int n = PT;
  for (int j = 1; j <= n; j++) moves[j] = PP[j], sides[j] = PHC[PP[j]];
  const State loaded = after;
  CLEARDATA();
  for (int k = 0; k < SR * SR; k++) board[k] = 3;
  for (int r = 1; r <= SR - 2; r++)
    for (int c = 1; c <= SR - 2; c++) {
      const int k = r * SR + c;
      board[k] = PHC0[k] ? 3 : 0;
      if (PHC0[k]) PHC[k] = 3;
    }
  for (int j = 1; j <= n; j++) {
    Check(sides[j] == 1 || sides[j] == 2);
    PLACE(moves[j], sides[j]);
    board[moves[j]] = sides[j];
    Check(j == n || !Five(board, moves[j], SR));
  }
  Check(PT == n && !std::memcmp(PSH, loaded.psh, sizeof PSH) &&
        !std::memcmp(PSC, loaded.psc, sizeof PSC));
  Check(loaded.notp5 == !(n > 0 && Five(board, moves[n], SR)));
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
  before.Take();
  COMMAND('L');
  DropFile("dolm.dat");
  after.Take();
  if (std::memcmp(&SCREEN[SCRH - 1][0], &before.screen[SCRH - 1][0], sizeof SCREEN[0])) {
    // Refused: only the notice on the contact row is new, and the next key takes it away.
    Check(before.Same(after, false));
    NOTICEGONE();
    after.Take();
    Check(before.Same(after, true));
    return 0;
  }
  // Accepted. The next input starts from the stones placed again, so refusals
  // are checked against many games.
  CheckReplay();
  SOURAD();  // as the command loop does after every key
  return 0;
}
