// Positions from readable coordinates.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "../engine/board_helpers.h"

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
