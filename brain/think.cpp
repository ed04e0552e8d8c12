#include "think.h"

#include "mozek.h"
#include "position.h"
#include "settings.h"
#include "timeman.h"

// Scores this close to VSTUP mean a five is forced within the tree; deeper
// searches only find the same fate again. The board holds at most 400 stones.
constexpr int DECIDED_SCORE = 32667 - 400;

// Whether SCORE still leaves the game open (no forced five either way, a move exists).
static bool score_open(int16_t score) {
  return score != 0 && score < DECIDED_SCORE && score > -DECIDED_SCORE;
}

// One search of depth DEPTH with leaf budget BUDGET; the clock may stop it
// when INTERRUPTIBLE. Returns false when it was stopped.
static bool search_once(uint16_t depth, uint64_t budget, bool interruptible, int16_t& score,
                        uint16_t& cell) {
  H0 = depth;
  SEARCHABORTED = false;
  SEARCHSTOP = interruptible ? deadline_passed : nullptr;
  score = SEARCHMOVE(budget);
  SEARCHSTOP = nullptr;
  cell = KZ;
  return !SEARCHABORTED;
}

// Leaf budget of depth DEPTH at breadth V0, capped by INFO max_node; 0 when
// it would not fit in 64 bits.
static uint64_t depth_budget(int depth) {
  uint64_t budget = 1;
  for (int i = 0; i < depth; i++) {
    if (budget > UINT64_MAX / V0) return 0;
    budget *= V0;
  }
  if (node_cap > 0 && budget > static_cast<uint64_t>(node_cap))
    budget = static_cast<uint64_t>(node_cap);
  return budget;
}

SearchReport choose_move() {
  SearchReport report{};
  uint16_t game_depth = H0;
  start_turn_clock(turn_allowance_ms(empty_cells()));
  uint64_t nodes_at_start = NODES;

  // Depth 1 always completes: it costs a few candidates' evaluations, and
  // from then on there is a move to play.
  int16_t score;
  uint16_t cell;
  uint64_t last_budget = depth_budget(1);
  search_once(1, last_budget, false, score, cell);
  report.cell = cell;
  report.score = score;
  report.depth = 1;
  uint64_t last_nodes = NODES - nodes_at_start;
  int64_t last_time = elapsed_us();
  // The root answers without a tree after one move, on a five or a forced
  // reply, and on an empty board; deeper searches would answer the same.
  report.searched = last_nodes > 0;
  bool deepen = report.searched && score_open(score);

  if (fixed_depth > 0) {
    // A fixed depth is searched once, stopped only by the protocol's limit.
    uint64_t budget = depth_budget(fixed_depth);
    if (deepen && budget > last_budget) {
      if (search_once(static_cast<uint16_t>(fixed_depth), budget, true, score, cell)) {
        report.cell = cell;
        report.score = score;
        report.depth = fixed_depth;
      } else {
        report.aborted = true;
      }
    }
  } else if (timeout_turn_ms > 0) {
    uint64_t earlier_nodes = 0;  // nodes of the search before the last one
    for (int depth = 2; deepen; depth++) {
      uint64_t budget = depth_budget(depth);
      // A budget that no longer grows (64-bit limit, max_node) would repeat the last search.
      if (budget <= last_budget) break;
      // The next depth costs about what the last one did times the last
      // step's growth in nodes; never assume less than half again.
      int64_t predicted =
          earlier_nodes > 0
              ? static_cast<int64_t>(static_cast<uint64_t>(last_time) * last_nodes / earlier_nodes)
              : last_time * V0;
      if (predicted < last_time * 3 / 2) predicted = last_time * 3 / 2;
      if (predicted > remaining_us()) break;
      uint64_t before = NODES;
      int64_t started = elapsed_us();
      if (!search_once(static_cast<uint16_t>(depth), budget, true, score, cell)) {
        report.aborted = true;
        break;
      }
      earlier_nodes = last_nodes;
      last_nodes = NODES - before;
      last_time = elapsed_us() - started;
      last_budget = budget;
      report.cell = cell;
      report.score = score;
      report.depth = depth;
      // The whole tree fits in the budget already: deeper is the same search.
      deepen = score_open(score) && last_nodes != earlier_nodes;
    }
  }
  H0 = game_depth;
  if (!FREECELL(report.cell)) report.cell = KAM();
  report.nodes = NODES - nodes_at_start;
  report.elapsed_us = elapsed_us();
  return report;
}
