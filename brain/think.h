// The brain's move choice: the game's search, deepened one ply at a time
// while the clock allows.
#pragma once

#include <cstdint>

// What the search for one reply did.
struct SearchReport {
  uint16_t cell;       // cell to play, 0 when no move is left
  int depth;           // depth of the search whose move is played
  bool searched;       // false when the root answered without a tree (opening, five, forced reply)
  bool aborted;        // a deeper search was stopped by the clock and discarded
  int16_t score;       // score of the move played, positive for the brain
  uint64_t nodes;      // stones placed by all searches of this reply
  int64_t elapsed_us;  // time spent choosing
};

// Chooses the brain's move on the position in force, within the turn's time
// and the INFO limits. The position is left as it was.
SearchReport choose_move();
