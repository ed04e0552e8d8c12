// Helpers for engine tests: board set-up and a from-scratch evaluation.
#pragma once

#include <cstdint>
#include <vector>

#include "mozek_internal.h"

// Index of playable cell (x, y), both 1-based as the cursor shows them.
inline uint16_t CELL(int x, int y) { return uint16_t(y * SR + x); }

// A fresh empty board of side sr.
inline void NEWBOARD(int sr) { SETSIZE(uint16_t(sr)); }

// Cells, values, sums, the record, and each line's stack pointer with the
// frames at or below it (frames above a pointer are scratch the search may reuse).
inline std::vector<uint32_t> TAKESTATE() {
  std::vector<uint32_t> s(PHC, PHC + 576);
  for (const uint16_t* t : {PSH, PSC, PS}) s.insert(s.end(), t, t + 484);
  s.insert(s.end(), {SUMX, SUMO, PT});
  s.insert(s.end(), PP + 1, PP + 1 + PT);
  for (int c = SR + 1; c <= SRXSR_SR_2; c++)
    for (int d = 0; d < 4 && c % SR != 0 && c % SR != SR - 1; d++) {
      const int br = DBS[c][d], m = (MEZEZ[c] >> 8 * d & 255) + (MEZEK[c] >> 8 * d & 255) + 1;
      s.push_back(BSX[br]);
      for (int i = br + 1; i < BSX[br] + m; i++) s.insert(s.end(), {BSX[i], BSO[i]});
    }
  return s;
}
