// Helpers for the candidate and search tests: positions built from readable
// coordinates, and a snapshot of every table a search must leave untouched.
#pragma once

#include <cstdint>
#include <vector>

#include "mozek.h"

extern uint64_t ALLOCATIONS;  // heap allocations made by this test program so far

// Index of playable cell (x, y), both 1-based as the cursor shows them.
inline uint16_t CELL(int x, int y) { return uint16_t(y * SR + x); }

// A fresh empty board of side sr, with the default skill.
inline void NEWBOARD(int sr) {
  SR = uint16_t(sr);
  INITDOLM();
  CLEARDATA();
  V0 = 12;
  H0 = 8;
  ROOTDRAW = -1;
  SEARCHSTOP = nullptr;
}

// Places a stone the way the game does: withdraw the cell from the five
// registers, then play it.
inline void PLAY(int x, int y, char side) {
  KZ = CELL(x, y);
  X5O5();
  if (side == 'X')
    GOX();
  else
    GOO();
}

// Stones given as {x, y} pairs, played alternately from X.
inline void PLAYALL(std::initializer_list<std::pair<int, int>> cells) {
  char side = 'X';
  for (auto [x, y] : cells) {
    PLAY(x, y, side);
    side = side == 'X' ? 'O' : 'X';
  }
}

// The game's call of the search.
inline int16_t COMPUTERMOVE() { return MYSLIO0(VSTUP, INTANAEN(V0, H0), -32667, 32667); }

// Everything the search must restore: cell contents, values, sums, the
// record, and each line's stack pointer with every frame at or below it
// (frames above a pointer are scratch space the search may overwrite).
struct POSITIONSTATE {
  std::vector<uint16_t> phc, psh, psc, ps, pp, stacks;
  uint32_t sumx, sumo;
  uint16_t pt;
  bool operator==(const POSITIONSTATE&) const = default;
};

inline POSITIONSTATE TAKESTATE() {
  POSITIONSTATE s{std::vector<uint16_t>(PHC, PHC + 576), std::vector<uint16_t>(PSH, PSH + 484),
                  std::vector<uint16_t>(PSC, PSC + 484), std::vector<uint16_t>(PS, PS + 484),
                  std::vector<uint16_t>(PP + 1, PP + 1 + PT), {}, SUMX, SUMO, PT};
  for (int c = SR + 1; c <= SRXSR_SR_2; c++) {
    if (PHC[c] == 3 && (c % SR == 0 || c % SR == SR - 1)) continue;
    for (int d = 0; d < 4; d++) {
      int br = DBS[c][d];
      int m = int((MEZEZ[c] >> (8 * d)) & 255) + int((MEZEK[c] >> (8 * d)) & 255) + 1;
      s.stacks.push_back(BSX[br]);
      for (int i = br + 1; i < BSX[br] + m; i++) {
        s.stacks.push_back(BSX[i]);
        s.stacks.push_back(BSO[i]);
      }
    }
  }
  return s;
}
