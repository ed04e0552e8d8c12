#include "board.h"

#include "evaluation.h"
#include "mozek.h"
// The threat generator reads single line values from the engine's line
// stacks; this file is the brain's one window into them.
#include "mozek_internal.h"

uint64_t board_key;
uint16_t play_cells[400];
int play_cell_count;

// The brain's Zobrist keys: one per cell for each side (index 0 marks obstacles).
static uint64_t cell_keys[3][484];
static bool keys_drawn;  // the keys are drawn once, at the first sync

// Five cells of each side after every move made since sync_board.
struct FiveSet {
  uint16_t cell[FIVE_CELLS_MAX];
  int count;
};
constexpr int MOVES_MAX = 484;                      // more moves than a board has cells
static FiveSet fives[MOVES_MAX + 1][3];             // by moves made, then side
static uint64_t keys_before[MOVES_MAX + 1];         // board_key before each move made
static int32_t shapes_before[MOVES_MAX + 1][2][2];  // shape_sum of both sides before each move
static int depth;                                   // moves made with make and not yet taken back

// A fixed sequence (splitmix64), so the keys and every search are the same from run to run.
static uint64_t next_key(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint16_t line_value(uint16_t cell, int side, int d) {
  const uint16_t base = DBS[cell][d];
  const uint16_t at = uint16_t(BSX[base] + ((MEZEZ[cell] >> (8 * d)) & 255));
  return side == 1 ? BSX[at] : BSO[at];
}

uint16_t best_line_value(uint16_t cell, int side) {
  uint16_t best = 0;
  for (int d = 0; d < 4; d++) {
    const uint16_t v = line_value(cell, side, d);
    if (v > best) best = v;
  }
  return best;
}

uint16_t cell_value(uint16_t cell, int side) { return side == 1 ? PSH[cell] : PSC[cell]; }

// The sum is the cheap test: a cell below a four's value has no four on any line.
bool makes_four(uint16_t cell, int side) {
  return cell_value(cell, side) >= V_FOUR && best_line_value(cell, side) >= V_FOUR;
}

// Enters CELL into SET once.
static void add_five(FiveSet& set, uint16_t cell) {
  for (int i = 0; i < set.count; i++)
    if (set.cell[i] == cell) return;
  if (set.count < FIVE_CELLS_MAX) set.cell[set.count++] = cell;
}

// Drops CELL from SET: it has just been filled.
static void drop_five(FiveSet& set, uint16_t cell) {
  for (int i = 0; i < set.count; i++)
    if (set.cell[i] == cell) set.cell[i--] = set.cell[--set.count];
}

// Adds SIDE's five cells on the four lines through CELL, within four steps of it.
static void scan_fives(FiveSet& set, uint16_t cell, int side) {
  for (int d = 0; d < 4; d++) {
    const int step = PSV[d];
    for (int dir = -1; dir <= 1; dir += 2)
      for (int k = 1; k <= 4; k++) {
        const int c = cell + dir * k * step;
        if (PHC[c] == 3) break;
        // A cell's value adds up its four lines', so only a cell worth a five can hold one.
        if (PHC[c] == 0 && cell_value(uint16_t(c), side) >= V_FIVE &&
            line_value(uint16_t(c), side, d) >= V_FIVE)
          add_five(set, uint16_t(c));
      }
  }
}

void sync_board() {
  if (!keys_drawn) {
    uint64_t state = 0x646F6C6Dull;
    for (auto& row : cell_keys)
      for (uint64_t& key : row) key = next_key(state);
    keys_drawn = true;
  }
  depth = 0;
  board_key = 0;
  play_cell_count = 0;
  fives[0][1].count = fives[0][2].count = 0;
  const int n = SR - 2;
  for (int y = 1; y <= n; y++)
    for (int x = 1; x <= n; x++) {
      const uint16_t c = uint16_t(y * SR + x);
      const uint16_t content = PHC[c];
      if (content == 3)
        board_key ^= cell_keys[0][c];
      else if (content != 0)
        board_key ^= cell_keys[content][c];
      else {
        play_cells[play_cell_count++] = c;
        for (int side = 1; side <= 2; side++)
          if (best_line_value(c, side) >= V_FIVE) add_five(fives[0][side], c);
      }
    }
  shape_recount();
}

// SIDE plays at CELL; SHAPES: the evaluation's shape sums follow the move.
static void play(uint16_t cell, int side, bool shapes) {
  keys_before[depth] = board_key;
  for (int s = 0; s < 2; s++)
    for (int k = 0; k < 2; k++) shapes_before[depth][s][k] = shape_sum[s + 1][k];
  board_key ^= cell_keys[side][cell];
  FiveSet* now = fives[depth + 1];
  now[1] = fives[depth][1];
  now[2] = fives[depth][2];
  drop_five(now[1], cell);
  drop_five(now[2], cell);
  depth++;
  // The board check of checking builds runs once per reply, not per node.
  if (shapes) shape_before(cell);
  PUT(cell, uint16_t(side));
  if (shapes) shape_after();
  scan_fives(now[side], cell, side);
}

uint64_t key_after(uint16_t cell, int side) { return board_key ^ cell_keys[side][cell]; }

void make(uint16_t cell, int side) { play(cell, side, true); }

void make_tactical(uint16_t cell, int side) { play(cell, side, false); }

void unmake() {
  BKSP();
  depth--;
  board_key = keys_before[depth];
  for (int s = 0; s < 2; s++)
    for (int k = 0; k < 2; k++) shape_sum[s + 1][k] = shapes_before[depth][s][k];
}

int five_cells(int side, const uint16_t*& cells) {
  cells = fives[depth][side].cell;
  return fives[depth][side].count;
}
