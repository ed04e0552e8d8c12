// The position the brain plays on. It lives in the engine's own tables, and
// every stone enters through the same placement the game uses, so the
// engine's registers are exactly what they would be in the game.
#pragma once

#include <cstdint>

#include "mozek.h"

constexpr int SMALLEST_BOARD = 5;  // playing area sides the engine supports
constexpr int LARGEST_BOARD = 20;
static_assert(LARGEST_BOARD + 2 == SRMAX, "the largest playing area is the engine's largest board");

// Cell contents as the engine codes them; the brain is side O.
constexpr uint16_t OPPONENT_STONE = 1;  // side X
constexpr uint16_t OWN_STONE = 2;       // side O
constexpr uint16_t OBSTACLE = 3;        // a blocked cell, treated like the frame

// One entry of a position to set up: a cell and what it holds.
struct Placement {
  uint16_t cell;
  uint16_t content;  // OPPONENT_STONE, OWN_STONE or OBSTACLE
};

// Side of the playing area, 0 until the first START.
extern int board_size;

// Engine index of protocol cell (x, y): 0-based column and row of the playing area.
uint16_t cell_at(int x, int y);
// Protocol column and row of an engine cell.
void cell_coords(uint16_t cell, int& x, int& y);

// Sets the engine up for an n x n playing area and empties it.
void open_board(int n);
// Empties the board (stones and obstacles), same size.
void empty_board();

// Whether a stone can go to (x, y), and why not.
enum class CellCheck { FREE, OFF_BOARD, OCCUPIED };
CellCheck check_cell(int64_t x, int64_t y);
// The refusal's text for a cell that is not FREE.
const char* cell_fault_text(CellCheck check);

// Plays a stone of side CONTENT at CELL: withdraws the cell from the five
// registers, then lets the engine place it.
void play_stone(uint16_t cell, uint16_t content);

// Removes the stone at CELL (the last move, or any earlier one by replaying
// the rest); false when no stone stands there.
bool remove_stone(uint16_t cell);

// Rebuilds the whole position: empties the board, blocks the obstacles, then
// plays the stones in the order given.
void set_position(const Placement* entries, int count);

// Number of empty playable cells.
int empty_cells();
