// The brain's game-tree search: iterative deepening over a principal
// variation search, with a transposition table, killer moves, forced replies
// searched without using up depth, a VCF check at the leaves, and, with a few
// plies left, only the moves that may stop the opponent's VCF.
#pragma once

#include <cstdint>

#include "mozek.h"

constexpr int WIN_SCORE = 30000;           // a five now; a five q plies on scores WIN_SCORE - q
constexpr int DECIDED = WIN_SCORE - 1000;  // scores beyond this are forced wins or losses
constexpr int PV_MAX = 64;                 // longest principal variation kept

// The transposition table: BYTES of it in use from now on (rounded down to a
// power of two entries, within the table set aside at start-up), emptied.
void tt_resize(int64_t bytes);
void tt_clear();
int64_t tt_bytes();      // bytes in use
extern bool tt_enabled;  // false: search as if there were no table (tests)
// false: the search is exact at its depth: late quiet moves are not searched shallower first, and
// the table answers a node only with an entry of the same depth (tests: reductions depend on move
// order, so a table that reorders moves may change a score, and so may a deeper entry).
extern bool pruning_enabled;

// What one deepening run settled.
struct SearchResult {
  uint16_t move;        // best root move, 0 when none was searched
  int score;            // its score, for side SIDE
  int depth;            // last depth whose first root move was searched
  bool partial;         // that depth was interrupted after its first root move
  uint16_t pv[PV_MAX];  // principal variation, starting with MOVE
  int pv_len;
  uint64_t nodes;  // search nodes visited
};

// Deepens a search for SIDE over the root moves ROOTS[0..COUNT) (best guess
// first) from depth 1 to MAX_DEPTH, stopping when the clock's deadline passes
// (when TIMED), after MAX_NODES nodes (0: no cap) or when a win or loss is proven.
// VETO, when set, is asked once about each root move that becomes the best; a move it rejects
// leaves the list and the depth is searched again.
SearchResult deepen(int side, const uint16_t* roots, int count, int max_depth, uint64_t max_nodes,
                    bool timed, bool (*veto)(uint16_t) = nullptr);

// When the opponent would win by fours were it its move, narrows SIDE's N candidate MOVES to the
// cells that may stop it: those of the line found, and SIDE's own fours (the list's first).
void guard_moves(int side, TYPOSM& moves, uint16_t& n);

// Static score of the position in force for SIDE to move.
int evaluate(int side);
