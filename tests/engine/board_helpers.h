// Helpers for engine tests: board set-up and a from-scratch evaluation.
#pragma once

#include <cstdint>
#include <vector>

#include "mozek_internal.h"

// Index of playable cell (x, y), both 1-based as the cursor shows them.
inline uint16_t CELL(int x, int y) { return uint16_t(y * SR + x); }

// A fresh empty board of side sr.
inline void NEWBOARD(int sr) {
  SR = uint16_t(sr);
  INITDOLM();
  CLEARDATA();
}

// Value of cell c for the side with code own, recomputed from the pattern
// tables by reading the 11-cell window along each of its four lines.
inline uint16_t SCRATCHVALUE(int c, int own) {
  if (PHC[c] != 0) return 0;
  uint16_t sum = 0;
  for (int d = 0; d < 4; d++) {
    uint32_t p = 0;
    bool blocked = false;
    // Cells beyond the first frame cell never change a value; read them as empty.
    uint32_t before[6] = {0}, after[6] = {0};
    for (int e = 1; e <= 5 && !blocked; e++) {
      after[e] = PHC[c + e * PSV[d]];
      blocked = after[e] == 3;
    }
    blocked = false;
    for (int e = 1; e <= 5 && !blocked; e++) {
      before[e] = PHC[c - e * PSV[d]];
      blocked = before[e] == 3;
    }
    for (int e = 5; e >= 1; e--) p = (p << 2) | before[e];
    p <<= 2;
    for (int e = 1; e <= 5; e++) p = (p << 2) | after[e];
    sum += own == 1 ? DYH[p] : DYC[p];
  }
  return sum;
}

// A snapshot of every table a placement touches.
struct SNAPSHOT {
  std::vector<uint16_t> phc, psh, psc, ps, bsx, bso, pp;
  uint32_t sumx, sumo;
  uint16_t pt;
};

inline SNAPSHOT TAKESNAPSHOT() {
  return {std::vector<uint16_t>(PHC, PHC + 576),
          std::vector<uint16_t>(PSH, PSH + 484),
          std::vector<uint16_t>(PSC, PSC + 484),
          std::vector<uint16_t>(PS, PS + 484),
          std::vector<uint16_t>(BSX, BSX + 28400),
          std::vector<uint16_t>(BSO, BSO + 28400),
          std::vector<uint16_t>(PP + 1, PP + 1 + PT),
          SUMX,
          SUMO,
          PT};
}
