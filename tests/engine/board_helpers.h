// Helpers for engine and search tests: board set-up, positions from readable
// coordinates, and everything a move or a search must restore.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "mozek_internal.h"

// Index of playable cell (x, y), both 1-based as the cursor shows them.
inline uint16_t CELL(int x, int y) { return uint16_t(y * SR + x); }

// A fresh empty board of side sr.
inline void NEWBOARD(int sr) { SETSIZE(uint16_t(sr)); }

// A fresh board at the game's skill, no fixed reply to the first stone, no stop check.
inline void NEWGAME(int sr) { NEWBOARD(sr), V0 = 12, H0 = 8, ROOTDRAW = -1, SEARCHSTOP = nullptr; }

// As the game places a stone.
inline void PLAY(uint16_t cell, char side) { PLACE(cell, side == 'X' ? SIDEX : SIDEO); }

// Stones given as "column,row ...", played alternately from the given side.
inline void PLAYALL(const char* moves, char side = 'X') {
  for (int x, y, n; std::sscanf(moves, "%d,%d%n", &x, &y, &n) == 2; moves += n)
    PLAY(CELL(x, y), side), side = side == 'X' ? 'O' : 'X';
}

inline std::string AT(int c) { return std::to_string(c % SR) + "," + std::to_string(c / SR); }

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
