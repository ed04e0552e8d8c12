#include "position.h"

#include "mozek.h"

int board_size = 0;

uint16_t cell_at(int x, int y) { return static_cast<uint16_t>((y + 1) * SR + (x + 1)); }

void cell_coords(uint16_t cell, int& x, int& y) {
  x = cell % SR - 1;
  y = cell / SR - 1;
}

void open_board(int n) {
  // The key set depends on the side only, so a repeated size skips INITDOLM.
  if (board_size != n || SR != n + 2)
    SETSIZE(static_cast<uint16_t>(n + 2));
  else
    CLEARDATA();
  board_size = n;
}

void empty_board() { CLEARDATA(); }

CellCheck check_cell(int64_t x, int64_t y) {
  if (x < 0 || y < 0 || x >= board_size || y >= board_size) return CellCheck::OFF_BOARD;
  if (!FREECELL(cell_at(static_cast<int>(x), static_cast<int>(y)))) return CellCheck::OCCUPIED;
  return CellCheck::FREE;
}

const char* cell_fault_text(CellCheck check) {
  return check == CellCheck::OFF_BOARD ? "move off the board" : "cell is occupied";
}

void play_stone(uint16_t cell, uint16_t content) {
  PLACE(cell, content == OWN_STONE ? SIDEO : SIDEX);
}

void set_position(const Placement* entries, int count) {
  CLEARDATA();
  // The engine takes obstacles only on a board without stones.
  for (int i = 0; i < count; i++)
    if (entries[i].content == OBSTACLE) PHC[entries[i].cell] = OBSTACLE;
  for (int i = 0; i < count; i++)
    if (entries[i].content != OBSTACLE) play_stone(entries[i].cell, entries[i].content);
}

bool remove_stone(uint16_t cell) {
  if (PT == 0) return false;
  if (PP[PT] == cell) {
    UNPLACE();
    return true;
  }
  // An earlier stone: replay the game without it, obstacles first.
  static Placement rest[CELLCOUNT];
  int count = 0;
  bool found = false;
  for (uint16_t c = SR + 1; c <= SRXSR_SR_2; c++)
    if (PHC[c] == OBSTACLE && c % SR != 0 && c % SR != SR - 1) rest[count++] = {c, OBSTACLE};
  for (int i = 1; i <= PT; i++) {
    if (PP[i] == cell) {
      found = true;
      continue;
    }
    rest[count++] = {PP[i], PHC[PP[i]]};
  }
  if (!found) return false;
  set_position(rest, count);
  return true;
}

int empty_cells() {
  int n = 0;
  for (int y = 0; y < board_size; y++)
    for (int x = 0; x < board_size; x++)
      if (FREECELL(cell_at(x, y))) n++;
  return n;
}
