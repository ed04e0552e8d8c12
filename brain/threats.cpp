// Threat-space search. The attacker plays only moves that threaten; after a
// four the defender's reply is the single cell that stops the five, after a
// three every cell that could spoil the open four to come plus every four of
// its own. A win is claimed only when every such reply was searched and lost,
// so a proof never relies on the defender missing a move.
#include "threats.h"

#include <algorithm>

#include "board.h"
#include "mozek.h"

constexpr int LINE_MAX = 64;    // plies of a recorded line
constexpr int PLY_MAX = 120;    // deepest chain searched
constexpr int CANDIDATES = 24;  // threats tried per attacker node, best first
constexpr int VCT_STEP = 2;     // own moves added by each deepening step of a VCT

static uint64_t nodes, budget;                // moves made by this search, and how many it may make
static bool aborted;                          // budget or clock ran out: a failure proves nothing
static bool (*stop_check)();                  // the caller's clock, or null
static uint16_t line[PLY_MAX + 3][LINE_MAX];  // winning line found below each ply
static int line_len[PLY_MAX + 3];             // length of each of those lines

// Failures of the VCT seen in this search, by position and depth left.
struct FailEntry {
  uint64_t key;
  int depth;
  uint32_t stamp;
};
static FailEntry fails[1 << 16];      // slot = key & 0xFFFF
static FailEntry vcf_fails[1 << 16];  // positions where the attacker has no VCF, slotted alike
static uint32_t stamp;  // number of the threat search in progress; older entries are void

// Key of the position in force with attacker A to move.
static uint64_t attack_key(int a) { return board_key ^ (a == 2 ? 0x5A5A5A5A5A5A5A5Aull : 0); }

// Counts a node; false once the budget or the clock says stop.
static bool spend() {
  if (aborted) return false;
  ++nodes;
  if (nodes > budget || (stop_check && (nodes & 255) == 0 && stop_check())) aborted = true;
  return !aborted;
}

// Records at PLY the move M, then what was found below at ply FROM (when FROM > 0).
static void record(int ply, uint16_t m, uint16_t reply, int from) {
  if (ply >= PLY_MAX) return;
  int n = 0;
  line[ply][n++] = m;
  if (reply) line[ply][n++] = reply;
  if (from > 0)
    for (int i = 0; i < line_len[from] && n < LINE_MAX; i++) line[ply][n++] = line[from][i];
  line_len[ply] = n;
}

// M made two fives at once: the line ends with the block of one and the other.
static bool record_double_five(int ply, uint16_t m, const uint16_t* f) {
  record(ply, m, f[0], 0);
  if (ply < PLY_MAX) line[ply][line_len[ply]++] = f[1];
  return true;
}

// Enters CELL into LIST (of N, at most CANDIDATES), highest value of SIDE first.
static void insert_by_value(uint16_t* list, int& n, uint16_t cell, int side) {
  const uint16_t v = cell_value(cell, side);
  int p;
  if (n < CANDIDATES)
    p = n++;
  else if (cell_value(list[CANDIDATES - 1], side) >= v)
    return;
  else
    p = CANDIDATES - 1;
  while (p > 0 && cell_value(list[p - 1], side) < v) {
    list[p] = list[p - 1];
    p--;
  }
  list[p] = cell;
}

// Sorts the N cells of LIST by VALUE, highest first, keeping the order of equals.
template <class Value>
static void sort_cells(uint16_t* list, int n, Value value) {
  for (int i = 1; i < n; i++) {
    const uint16_t c = list[i];
    const int v = value(c);
    int p = i;
    for (; p > 0 && value(list[p - 1]) < v; p--) list[p] = list[p - 1];
    list[p] = c;
  }
}

// Empty cells where SIDE's best line value reaches MIN, highest summed value first.
static int gather(int side, uint16_t min, uint16_t* out) {
  int n = 0;
  for (int i = 0; i < play_cell_count; i++) {
    const uint16_t c = play_cells[i];
    if (PHC[c] != 0 || cell_value(c, side) < min || best_line_value(c, side) < min) continue;
    insert_by_value(out, n, c, side);
  }
  return n;
}

static bool vcf_node(int a, int ply, uint16_t last = 0);
static bool vcf_moves(int a, int ply, uint16_t last, const uint16_t* fd);

// Fours of the attacker at each ply of a VCF, best first.
static uint16_t fours[PLY_MAX + 3][CANDIDATES];
static int four_count[PLY_MAX + 3];

// A's fours at PLY, found from those two plies up: a block only takes fours
// away, so the new ones lie on the lines through A's newest stone LAST.
static int fours_after(int a, int ply, uint16_t last) {
  uint16_t* list = fours[ply];
  int n = 0;
  for (int i = 0; i < four_count[ply - 2]; i++) {
    const uint16_t c = fours[ply - 2][i];
    if (PHC[c] == 0 && makes_four(c, a)) insert_by_value(list, n, c, a);
  }
  for (int d = 0; d < 4; d++)
    for (int dir = -1; dir <= 1; dir += 2)
      for (int k = 1; k <= 4; k++) {
        const int c = last + dir * k * PSV[d];
        if (PHC[c] != 0 && PHC[c] != a) break;
        if (PHC[c] == 0 && line_value(uint16_t(c), a, d) >= V_FOUR &&
            std::find(list, list + n, c) == list + n)
          insert_by_value(list, n, uint16_t(c), a);
      }
  return four_count[ply] = n;
}

// The attacker A has just played the four or block M: the defender blocks, then A goes on.
static bool vcf_after(int a, uint16_t m, int ply) {
  const uint16_t* f;
  const int nf = five_cells(a, f);
  if (nf >= 2) return record_double_five(ply, m, f);
  if (nf == 0) return false;
  const uint16_t r = f[0];
  make_tactical(r, other_side(a));
  const bool win = vcf_node(a, ply + 2, m);
  unmake();
  if (win) record(ply, m, r, ply + 2);
  return win;
}

// A to move, winning by fours alone? LAST is A's newest stone when this node
// follows a four and its block within the same VCF, 0 at the VCF's start.
static bool vcf_node(int a, int ply, uint16_t last) {
  const uint16_t* f;
  if (five_cells(a, f) > 0) {
    record(ply, f[0], 0, 0);
    return true;
  }
  if (ply >= PLY_MAX || !spend()) return false;
  const uint16_t* fd;
  const int nd = five_cells(other_side(a), fd);
  if (nd >= 2) return false;
  // The defender's four must be blocked; only a block that is a four keeps the chain.
  if (nd == 1 && best_line_value(fd[0], a) < V_FOUR) return false;
  // A VCT asks again and again whether the attacker has a VCF, and fours
  // played in another order reach the same positions: failures are kept.
  const uint64_t key = attack_key(a);
  FailEntry& e = vcf_fails[key & 0xFFFF];
  if (e.stamp == stamp && e.key == key) return false;
  const bool win = vcf_moves(a, ply, last, nd == 1 ? fd : nullptr);
  if (!win && !aborted) e = {key, 0, stamp};
  return win;
}

// The moves of a VCF node: the block of the defender's four FD when there is one, else A's fours.
static bool vcf_moves(int a, int ply, uint16_t last, const uint16_t* fd) {
  if (last == 0)
    four_count[ply] = gather(a, V_FOUR, fours[ply]);
  else
    fours_after(a, ply, last);
  const uint16_t* cand = fd ? fd : fours[ply];
  const int n = fd ? 1 : four_count[ply];
  for (int i = 0; i < n; i++) {
    make_tactical(cand[i], a);
    const bool win = vcf_after(a, cand[i], ply);
    unmake();
    if (win) return true;
  }
  return false;
}

static bool vct_node(int a, int depth, int ply);
static bool vct_after(int a, uint16_t m, int depth, int ply);

// A plays the threat or block M and the defender must answer it.
static bool vct_try(int a, uint16_t m, int depth, int ply) {
  make_tactical(m, a);
  const bool win = vct_after(a, m, depth, ply);
  unmake();
  return win;
}

// Empty cells within five steps of CELL along direction D, up to the first
// stone of the defender or the edge: where a defender's stone can spoil a
// straight four that A makes at CELL.
static void mark_line(int a, uint16_t cell, int d, bool* mark, uint16_t* out, int& n) {
  const int step = PSV[d];
  for (int dir = -1; dir <= 1; dir += 2)
    for (int k = 0; k <= 5; k++) {
      const int c = cell + dir * k * step;
      if (PHC[c] != 0 && PHC[c] != a) break;
      if (PHC[c] == 0 && !mark[c]) {
        mark[c] = true;
        out[n++] = uint16_t(c);
      }
    }
}

// The attacker A has just played M (a four, a three or a forced block): the
// defender must answer every threat A now holds, and A must win after each answer.
static bool vct_after(int a, uint16_t m, int depth, int ply) {
  const int d = other_side(a);
  const uint16_t* f;
  const int nf = five_cells(a, f);
  if (nf >= 2) return record_double_five(ply, m, f);
  if (nf == 1) {
    const uint16_t r = f[0];
    make_tactical(r, d);
    const bool win = vct_node(a, depth - 1, ply + 2);
    unmake();
    if (win) record(ply, m, r, ply + 2);
    return win;
  }
  // A three: the cells that would make A a straight four, and every cell that spoils one.
  static bool mark[PLY_MAX + 3][484];
  static uint16_t replies[PLY_MAX + 3][400];
  bool* seen = mark[ply];
  uint16_t* r = replies[ply];
  int n = 0;
  for (int i = 0; i < play_cell_count; i++) {
    const uint16_t c = play_cells[i];
    if (PHC[c] != 0 || cell_value(c, a) < V_OPEN_FOUR) continue;
    for (int dd = 0; dd < 4; dd++)
      if (line_value(c, a, dd) >= V_OPEN_FOUR) mark_line(a, c, dd, seen, r, n);
  }
  if (n == 0) return false;
  // Every four of the defender's own is an answer too.
  for (int i = 0; i < play_cell_count; i++) {
    const uint16_t c = play_cells[i];
    if (PHC[c] == 0 && !seen[c] && makes_four(c, d)) {
      seen[c] = true;
      r[n++] = c;
    }
  }
  for (int i = 0; i < n; i++) seen[r[i]] = false;
  // One refutation ends the node: the cells worth most to the defender, and to the attacker, first.
  sort_cells(r, n, [a, d](uint16_t c) { return cell_value(c, a) + 2 * cell_value(c, d); });
  for (int i = 0; i < n; i++) {
    make_tactical(r[i], d);
    const bool win = vct_node(a, depth - 1, ply + 2);
    unmake();
    if (!win) return false;
    if (i == 0) record(ply, m, r[i], ply + 2);
  }
  return true;
}

// A to move, winning by threes and fours with at most DEPTH more own moves?
static bool vct_node(int a, int depth, int ply) {
  const uint16_t* f;
  if (five_cells(a, f) > 0) {
    record(ply, f[0], 0, 0);
    return true;
  }
  if (ply >= PLY_MAX || !spend()) return false;
  const int d = other_side(a);
  const uint16_t* fd;
  const int nd = five_cells(d, fd);
  if (nd >= 2) return false;
  if (vcf_node(a, ply)) return true;
  if (depth <= 0 || aborted) return false;
  const uint64_t key = attack_key(a);
  FailEntry& e = fails[key & 0xFFFF];
  if (e.stamp == stamp && e.key == key && e.depth >= depth) return false;
  bool win = false;
  if (nd == 1) {
    // A must block; the block keeps the initiative only if A still holds a threat. A forced
    // block is not one of A's own moves: a defender with fours to spare cannot use up A's depth.
    win = vct_try(a, fd[0], depth + 1, ply);
  } else {
    uint16_t cand[CANDIDATES];
    const int n = gather(a, V_THREE, cand);
    // Threats that also take the defender's cells first.
    sort_cells(cand, n, [a, d](uint16_t c) { return cell_value(c, a) + cell_value(c, d); });
    for (int i = 0; i < n && !win && !aborted; i++) win = vct_try(a, cand[i], depth, ply);
  }
  if (!win && !aborted) e = {key, depth, stamp};
  return win;
}

// Sets up a search for SIDE and copies its outcome.
static ThreatResult finish(bool win) {
  ThreatResult r{};
  r.win = win;
  r.complete = !aborted;
  r.nodes = nodes;
  if (win) {
    r.length = line_len[0];
    for (int i = 0; i < line_len[0]; i++) r.line[i] = line[0][i];
    r.move = r.line[0];
  }
  return r;
}

static void begin(uint64_t node_budget, bool (*stop)()) {
  nodes = 0;
  budget = node_budget;
  aborted = false;
  stop_check = stop;
  line_len[0] = 0;
}

ThreatResult find_vcf(int side, uint64_t node_budget, bool (*stop)()) {
  begin(node_budget, stop);
  stamp++;
  return finish(vcf_node(side, 0));
}

ThreatResult find_vct(int side, int depth, uint64_t node_budget, bool (*stop)()) {
  begin(node_budget, stop);
  stamp++;
  // Deepening two own moves at a time finds a short win before a deep search
  // of the first candidates has used up the budget.
  bool win = false;
  for (int d = VCT_STEP; !win && !aborted; d += VCT_STEP) {
    if (d > depth) d = depth;
    win = vct_node(side, d, 0);
    if (d == depth) break;
  }
  return finish(win);
}
