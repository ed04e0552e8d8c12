// Threat-space search on the position in force: a chain of fours (VCF) or
// of threes and fours (VCT) that forces a five whatever the defender does.
#pragma once

#include <cstdint>

// Outcome of one threat search.
struct ThreatResult {
  bool win;           // a forced win was proven
  bool complete;      // the search ran to its end: no win exists within its depth
  uint16_t move;      // the attacker's first move of the win, 0 without one
  int length;         // plies from the attacker's first move to its five
  uint16_t line[64];  // the win's main line (attacker and defender moves), LENGTH long at most
  uint64_t nodes;     // moves made
};

// Whether SIDE, to move, wins by fours alone, using at most NODE_BUDGET moves;
// STOP, when set, ends it early.
ThreatResult find_vcf(int side, uint64_t node_budget, bool (*stop)() = nullptr);

// Whether SIDE, to move, wins by threes and fours with at most DEPTH own
// moves, using at most NODE_BUDGET moves; STOP, when set, ends it early.
ThreatResult find_vct(int side, int depth, uint64_t node_budget, bool (*stop)() = nullptr);
