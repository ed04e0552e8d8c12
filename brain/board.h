// The brain's view of the engine's board for searching: every stone enters
// and leaves through here, so the calls into the engine's placement sit in
// one place, and a Zobrist key, each side's five cells and the evaluation's
// shape sums follow every move.
#pragma once

#include <cstdint>

// A side as the engine codes it: 1 side X (the opponent), 2 side O (the brain).
inline int other_side(int side) { return 3 - side; }

// 64-bit key of the position in force (stones only; obstacles are fixed for a game).
extern uint64_t board_key;

// Draws the brain's cell keys and recomputes board_key and the five cells
// from the board in force; call after any change made outside make/unmake.
void sync_board();

// SIDE plays at CELL (an empty playable cell).
void make(uint16_t cell, int side);
// The same for the threat searches, which never evaluate: the evaluation's
// shape sums stay as they were until the move is taken back.
void make_tactical(uint16_t cell, int side);
// The board_key that SIDE's stone at CELL would give.
uint64_t key_after(uint16_t cell, int side);
// Takes back the last move made with make or make_tactical.
void unmake();

// Cells where SIDE completes five now, at most FIVE_CELLS_MAX of them.
constexpr int FIVE_CELLS_MAX = 6;
int five_cells(int side, const uint16_t*& cells);

// Value of the engine's pattern table at CELL for SIDE along line direction D (0..3).
uint16_t line_value(uint16_t cell, int side, int d);
// Largest of the four line values at CELL for SIDE.
uint16_t best_line_value(uint16_t cell, int side);

// Value of CELL for SIDE summed over its four lines (the engine's PSH / PSC).
uint16_t cell_value(uint16_t cell, int side);

// Whether SIDE's stone at CELL, an empty cell, makes a four (or more) on one of its lines.
bool makes_four(uint16_t cell, int side);

// Per-line values: a stone there completes five / makes an open four / makes a four / an open
// three.
constexpr uint16_t V_FIVE = 4099;
constexpr uint16_t V_OPEN_FOUR = 1024;
constexpr uint16_t V_FOUR = 256;
constexpr uint16_t V_THREE = 64;

// Empty playable cells of the board in force, in index order (refreshed by sync_board).
extern uint16_t play_cells[400];
extern int play_cell_count;
