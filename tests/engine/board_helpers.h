// Helpers for engine tests: board set-up and a from-scratch evaluation.
#pragma once

#include <cstdint>
#include <vector>

#include "mozek_internal.h"

// Index of playable cell (x, y), both 1-based as the cursor shows them.
inline uint16_t CELL(int x, int y) { return uint16_t(y * SR + x); }

// A fresh empty board of side sr.
inline void NEWBOARD(int sr) { SETSIZE(uint16_t(sr)); }

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
