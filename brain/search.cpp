#include "search.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "board.h"
#include "evaluation.h"
#include "mozek.h"
#include "threats.h"
#include "timeman.h"
#include "values.h"

// ---- Transposition table ----------------------------------------------------

// One remembered node: its key, best move, score (wins counted from the node)
// and the kind of bound that score is, for the depth it was searched to.
struct TTEntry {
  uint64_t key;
  int16_t score;
  uint16_t move;
  int16_t depth;  // in quarter plies
  uint8_t bound;
  uint8_t age;  // the deepening run that wrote it
};
enum : uint8_t { BOUND_NONE, BOUND_UPPER, BOUND_LOWER, BOUND_EXACT };

constexpr int64_t TT_MAX_ENTRIES = int64_t(1) << 22;  // 64 MiB, set aside once
static TTEntry tt[TT_MAX_ENTRIES];                    // the table; slot = key & tt_mask
static int64_t tt_mask = (int64_t(1) << 21) - 1;      // 32 MiB in use by default
// Counts deepening runs. Within a run a slot keeps its deeper entry, which saved more work;
// an entry of an earlier run gives way to any new one.
static uint8_t tt_age;
bool tt_enabled = true;
bool pruning_enabled = true;

void tt_clear() { std::memset(tt, 0, sizeof(TTEntry) * (tt_mask + 1)); }

void tt_resize(int64_t bytes) {
  int64_t entries = 1024;
  while (entries * 2 <= TT_MAX_ENTRIES && entries * 2 * int64_t(sizeof(TTEntry)) <= bytes)
    entries *= 2;
  tt_mask = entries - 1;
  tt_clear();
}

int64_t tt_bytes() { return (tt_mask + 1) * int64_t(sizeof(TTEntry)); }

// The side to move is part of a node's key: this is mixed in when side 2 is to move.
constexpr uint64_t SIDE_TWO_KEY = 0x9D39247E33776D41ull;

static uint64_t side_key(int side) { return side == 2 ? SIDE_TWO_KEY : 0; }
static uint64_t node_key(int side) { return board_key ^ side_key(side); }

// Asks the processor to fetch the entry of the node SIDE's stone at CELL leads to, while the
// stone is being placed: the table is far larger than the caches.
static void prefetch_child(uint16_t cell, int side) {
  const uint64_t key = key_after(cell, side) ^ side_key(other_side(side));
  __builtin_prefetch(&tt[key & tt_mask]);
}

// Whether a node searched DEPTH deep may write over entry E with its own, of KEY.
static bool may_replace(const TTEntry& e, uint64_t key, int depth) {
  return e.key == key || e.age != tt_age || depth >= e.depth;
}

// Win scores are stored counted from the node, so they stay right at any ply.
static int to_tt(int score, int ply) {
  return score > DECIDED ? score + ply : score < -DECIDED ? score - ply : score;
}
static int from_tt(int score, int ply) {
  return score > DECIDED ? score - ply : score < -DECIDED ? score + ply : score;
}

// ---- Search state -------------------------------------------------------------

constexpr int PLY_MAX = 60;  // deepest node, forced replies included
constexpr int QUARTERS = 4;  // depth below the root is counted in quarter plies
// Quarter plies a move costs at a node of N moves: about four times log N / log 12.
constexpr int COST[13] = {4, 1, 1, 2, 2, 3, 3, 3, 4, 4, 4, 4, 4};
constexpr int INF = 32000;                  // beyond every score
constexpr uint64_t LEAF_VCF_BUDGET = 200;   // moves a leaf may spend looking for a VCF
constexpr int LMR_FROM = 3;                 // moves after this many are searched shallower first
constexpr int GUARD_DEPTH = 3 * QUARTERS;   // depth from which a node checks the opponent's VCF
constexpr uint64_t GUARD_VCF_BUDGET = 300;  // moves that check may spend

static uint64_t nodes, node_cap;               // nodes of this run, and its cap (0: none)
static bool timed_search, aborted;             // the clock may stop this run; it has stopped it
static uint16_t killers[PLY_MAX + 2][2];       // the last two moves that cut off at each ply
static uint16_t pv[PLY_MAX + 2][PLY_MAX + 2];  // best line found below each ply
static int pv_len[PLY_MAX + 2];                // where each ply's line ends

// Counts a node and asks the clock now and then; true once the search must stop.
static bool stopping() {
  if (aborted) return true;
  ++nodes;
  if ((node_cap && nodes >= node_cap) || (timed_search && (nodes & 255) == 0 && deadline_passed()))
    aborted = true;
  return aborted;
}

// The principal variation at PLY: MOVE, then the one found below it.
static void set_pv(int ply, uint16_t move) {
  pv[ply][ply] = move;
  int n = pv_len[ply + 1];
  if (n > PLY_MAX) n = PLY_MAX;
  for (int i = ply + 1; i < n; i++) pv[ply][i] = pv[ply + 1][i];
  pv_len[ply] = n > ply + 1 ? n : ply + 1;
}

// Whether one of SIDE's empty cells makes a four.
static bool has_four(int side) {
  for (int i = 0; i < play_cell_count; i++) {
    const uint16_t c = play_cells[i];
    if (PHC[c] == 0 && makes_four(c, side)) return true;
  }
  return false;
}

// Adds CELL to the N moves of LIST unless it is there or the list is full.
static void add_move(TYPOSM& list, uint16_t& n, uint16_t cell) {
  for (int i = 1; i <= n; i++)
    if (list[i] == cell) return;
  if (n < LISTMAX) list[++n] = cell;
}

// A line of fours is stopped only on its cells or by a four that gains the tempo; a cell off the
// line that would spoil a later block is given up. The list's cells keep their order, the others
// follow.
void guard_moves(int side, TYPOSM& moves, uint16_t& n) {
  const ThreatResult r = find_vcf(other_side(side), GUARD_VCF_BUDGET);
  if (!r.win) return;
  TYPOSM stops, kept;  // the empty cells of the line, then the side's fours; the new list
  uint16_t k = 0, m = 0;
  for (int i = 0; i < r.length; i++)
    if (PHC[r.line[i]] == 0) add_move(stops, k, r.line[i]);
  for (int i = 0; i < play_cell_count; i++)
    if (PHC[play_cells[i]] == 0 && makes_four(play_cells[i], side))
      add_move(stops, k, play_cells[i]);
  for (int i = 1; i <= n; i++)
    if (std::find(stops + 1, stops + k + 1, moves[i]) != stops + k + 1) add_move(kept, m, moves[i]);
  for (int i = 1; i <= k; i++) add_move(kept, m, stops[i]);
  std::copy(kept + 1, kept + m + 1, moves + 1);
  n = m;
}

// Largest cell values of SIDE (OWN) and of the other side (OPP) over the
// empty cells (a filled cell is worth 0).
static void best_cells(int side, int& own, int& opp) {
  int16_t max_o, max_x;
  BESTPSHC(max_o, max_x);
  own = side == 2 ? max_o : max_x;
  opp = side == 2 ? max_x : max_o;
}

// The static score for SIDE to move, whose best cell is worth OWN to it, short
// of the scores of forced wins.
static int score_with(int side, int own, int) {
  int score = weighted_score(side, own);
  if (score > DECIDED - 1000) score = DECIDED - 1000;
  if (score < -(DECIDED - 1000)) score = -(DECIDED - 1000);
  return score;
}

int evaluate(int side) {
  int own, opp;
  best_cells(side, own, opp);
  return score_with(side, own, opp);
}

// Quarter plies by which the I-th move M of SIDE, a late one, is first searched shallower: a ply
// after LMR_FROM moves, two after twice as many, three after three times as many. A move that
// makes an open three gives up one ply only, as it may start a forcing line.
static int reduction(int i, uint16_t m, int side) {
  if (cell_value(m, side) >= VOPENTHREE) return QUARTERS;
  return (1 + (i > 2 * LMR_FROM) + (i > 3 * LMR_FROM)) * QUARTERS;
}

// A node with SIDE to move, DEPTH quarter plies left, at PLY from the root.
static int node(int depth, int ply, int alpha, int beta, int side) {
  pv_len[ply] = ply;
  const int other = other_side(side);
  const uint16_t* f;
  if (five_cells(side, f) > 0) {
    pv[ply][ply] = f[0];
    pv_len[ply] = ply + 1;
    return WIN_SCORE - ply - 1;
  }
  const int threats = five_cells(other, f);
  if (threats >= 2) return -(WIN_SCORE - ply - 2);
  if (stopping()) return 0;
  if (ply >= PLY_MAX) return evaluate(side);
  if (threats == 1) {
    // A single cell stops the opponent's five: forced, so it costs no depth.
    const uint16_t m = f[0];
    if (tt_enabled) prefetch_child(m, side);
    make(m, side);
    const int v = -node(depth, ply + 1, -beta, -alpha, other);
    unmake();
    if (!aborted) set_pv(ply, m);
    return v;
  }

  const uint64_t key = node_key(side);
  TTEntry& e = tt[key & tt_mask];
  uint16_t tt_move = 0;
  if (tt_enabled && e.key == key) {
    tt_move = e.move;
    // A deeper entry's verdict stands for a shallower search too, only more exact.
    if (e.depth == depth || (pruning_enabled && e.depth > depth)) {
      const int s = from_tt(e.score, ply);
      if (e.bound == BOUND_EXACT || (e.bound == BOUND_LOWER && s >= beta) ||
          (e.bound == BOUND_UPPER && s <= alpha)) {
        if (tt_move) {
          pv[ply][ply] = tt_move;
          pv_len[ply] = ply + 1;
        }
        return s;
      }
    }
  }

  int own = 0, opp = 0;
  if (depth <= 0) best_cells(side, own, opp);
  // The opponent threatens an open four (or two fours) and the side to move has no four to
  // answer with: its move must go to defence, so the leaf searches the blocks a quarter ply deep.
  if (depth <= 0 && opp >= VWIN && own < VFOUR && ply < PLY_MAX - 4) depth = 1;
  if (depth <= 0) {
    int score = score_with(side, own, opp);
    // A leaf looks for a VCF only where a four comes with an open three or more: there almost
    // every search wins within a few moves, while at a lone four it rarely does and cost most of
    // the search's time.
    if (own >= VFOURTHREE && has_four(side)) {
      const ThreatResult r = find_vcf(side, LEAF_VCF_BUDGET);
      if (r.win) score = WIN_SCORE - ply - r.length;
    }
    if (tt_enabled && may_replace(e, key, 0))
      e = {key, int16_t(to_tt(score, ply)), 0, 0, BOUND_EXACT, tt_age};
    return score;
  }

  TYPOSM moves;
  uint16_t n = BESTR(V0, moves, PS);
  if (n == 0) return 0;  // no cell can still be part of a five: a draw
  if (side == 2)
    FILTR(n, moves, PSC, PSH);
  else
    FILTR(n, moves, PSH, PSC);
  // Deep enough, a VCF check pays: a move that ignores the opponent's VCF loses, and proving that
  // move by move would take the whole subtree.
  if (pruning_enabled && depth >= GUARD_DEPTH && has_four(other)) guard_moves(side, moves, n);
  // The table's move first, then the killers, each moved forward if the list has it.
  int front = 1;
  for (uint16_t want : {tt_move, killers[ply][0], killers[ply][1]}) {
    if (want == 0) continue;
    for (int i = front; i <= n; i++)
      if (moves[i] == want) {
        for (int j = i; j > front; j--) moves[j] = moves[j - 1];
        moves[front++] = want;
        break;
      }
  }

  // A move costs a ply when there are many, less when few are left (an
  // opponent's threat narrows the list), so forcing lines run deeper.
  const int child = depth - COST[n < 12 ? n : 12];
  const int alpha0 = alpha;
  int best = -INF;
  uint16_t best_move = 0;
  for (int i = 1; i <= n; i++) {
    const uint16_t m = moves[i];
    // A late move that makes no four for either side is first searched shallower, the more so
    // the later it comes, and again at full depth only if it then beats the best so far.
    const int cut = pruning_enabled && i > LMR_FROM && depth >= 2 * QUARTERS &&
                            cell_value(m, side) < VFOUR && cell_value(m, other) < VFOUR
                        ? reduction(i, m, side)
                        : 0;
    if (tt_enabled) prefetch_child(m, side);
    make(m, side);
    int v;
    if (i == 1) {
      v = -node(child, ply + 1, -beta, -alpha, other);
    } else {
      v = cut ? -node(child - cut, ply + 1, -alpha - 1, -alpha, other) : alpha + 1;
      if (v > alpha && !aborted) v = -node(child, ply + 1, -alpha - 1, -alpha, other);
      if (v > alpha && v < beta && !aborted) v = -node(child, ply + 1, -beta, -alpha, other);
    }
    unmake();
    if (aborted) return 0;
    if (v > best) {
      best = v;
      best_move = m;
      if (v > alpha) {
        alpha = v;
        set_pv(ply, m);
        if (alpha >= beta) {
          if (killers[ply][0] != m) {
            killers[ply][1] = killers[ply][0];
            killers[ply][0] = m;
          }
          break;
        }
      }
    }
  }
  if (tt_enabled && may_replace(e, key, depth)) {
    const uint8_t bound = best >= beta ? BOUND_LOWER : best > alpha0 ? BOUND_EXACT : BOUND_UPPER;
    e = {key, int16_t(to_tt(best, ply)), best_move, int16_t(depth), bound, tt_age};
  }
  return best;
}

SearchResult deepen(int side, const uint16_t* roots, int count, int max_depth, uint64_t max_nodes,
                    bool timed, bool (*veto)(uint16_t)) {
  SearchResult result{};
  nodes = 0;
  node_cap = max_nodes;
  timed_search = timed;
  aborted = false;
  tt_age++;
  std::memset(killers, 0, sizeof killers);
  static uint16_t order[400], asked[400];  // the root moves, best guess first; those VETO judged
  int asked_count = 0;
  for (int i = 0; i < count; i++) order[i] = roots[i];
  const int other = other_side(side);
  if (max_depth > PLY_MAX - 10) max_depth = PLY_MAX - 10;
  for (int depth = 1; depth <= max_depth && count > 0; depth++) {
    int alpha = -INF, best = -INF, best_at = -1;
    int searched = 0;
    uint16_t line[PV_MAX];
    int line_len = 0;
    for (int i = 0; i < count; i++) {
      const uint16_t m = order[i];
      if (tt_enabled) prefetch_child(m, side);
      make(m, side);
      int v;
      if (i == 0) {
        v = -node((depth - 1) * QUARTERS, 1, -INF, INF, other);
      } else {
        v = -node((depth - 1) * QUARTERS, 1, -alpha - 1, -alpha, other);
        if (v > alpha && !aborted) v = -node((depth - 1) * QUARTERS, 1, -INF, -alpha, other);
      }
      unmake();
      if (aborted) break;
      searched++;
      if (v > best) {
        best = v;
        best_at = i;
        alpha = v;
        line[0] = m;
        line_len = 1;
        for (int k = 1; k < pv_len[1] && line_len < PV_MAX; k++) line[line_len++] = pv[1][k];
      }
    }
    if (searched == 0) break;  // not even the first move of this depth: keep the last depth's
    // A move that becomes the best is asked about once; a rejected one leaves the list, and the
    // depth is searched again without it. A cut-short depth's new best, not yet asked about, gives
    // way to the last full depth's.
    const uint16_t m = order[best_at];
    if (veto && count > 1 && best > -DECIDED &&
        std::find(asked, asked + asked_count, m) == asked + asked_count) {
      if (aborted && result.move != 0) break;
      asked[asked_count++] = m;
      if (veto(m)) {
        std::copy(order + best_at + 1, order + count, order + best_at);
        count--;
        if (result.move == m || result.move == 0) {
          result.move = order[0];
          result.pv_len = 0;
        }
        depth--;
        continue;
      }
    }
    result.move = m;
    result.score = best;
    result.depth = depth;
    result.partial = searched < count;
    result.pv_len = line_len;
    std::memcpy(result.pv, line, sizeof(uint16_t) * line_len);
    // The best move goes first in the next depth.
    for (int k = best_at; k > 0; k--) order[k] = order[k - 1];
    order[0] = m;
    if (aborted || best > DECIDED || best < -DECIDED) break;
  }
  result.nodes = nodes;
  return result;
}
