// The brain's move choice: its own five or forced block, then the threat
// searches, then a deepening search over the moves left, while the clock allows.
#pragma once

#include <cstdint>

#include "search.h"

// How the move was found.
enum class Reason { NONE, OPENING, FIVE, FORCED, VCF, VCT, SEARCH };

// What the root found against the opponent's forced win, were it the opponent's move.
enum class Defence {
  NONE,          // the opponent had none that the threat searches found
  REFUTES,       // some move is proven to break it; moves whose checks were cut short stay too
  UNPROVEN,      // no check of a move ran to its end without finding it: none is proven
  NO_REFUTATION  // every move checked leaves it: the game is likely lost
};

// What the search for one reply did.
struct SearchReport {
  uint16_t cell;        // cell to play, 0 when no move is left
  Reason reason;        // what decided the move
  int depth;            // depth of the deepest search whose move is played (0: none)
  bool searched;        // false when the root answered without a tree (opening, five, forced reply)
  bool aborted;         // the last depth was interrupted (its best move so far is played)
  int score;            // score of the move played, positive for the brain
  uint64_t nodes;       // moves made by all searches of this reply
  int64_t elapsed_us;   // time spent choosing
  uint16_t pv[PV_MAX];  // the expected line, starting with CELL
  int pv_len;
  Defence defence;  // what the root did against the opponent's forced win
};

// Chooses the brain's move on the position in force, within the turn's time
// and the INFO limits. The position is left as it was.
SearchReport choose_move();

// Node budgets of the root's threat searches.
constexpr uint64_t ROOT_VCF_BUDGET = 20000;
constexpr uint64_t ROOT_VCT_BUDGET = 100000;
constexpr int ROOT_VCT_DEPTH = 8;
