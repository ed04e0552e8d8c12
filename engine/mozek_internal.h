// The engine's inside: line geometry, line value stacks, pattern tables,
// keys and the working registers the placement procedures share. Only the
// engine's own sources and its white-box tests include this; the game, the
// brain and the bench use mozek.h.
#pragma once

#include "mozek.h"
#include "values.h"

// ---- Lines ------------------------------------------------------------------

// Per playable cell, byte d: steps back to the first cell of its line in direction d.
extern uint32_t MEZEZ[PLAYCOUNT];
// Per playable cell, byte d: steps forward to the last cell of its line in direction d.
extern uint32_t MEZEK[PLAYCOUNT];
// Per playable cell and direction: base slot of its line in the value stacks BSX/BSO.
extern uint16_t DBS[PLAYCOUNT][4];
// Line value stacks of side X and side O. A line of m cells with base slot BR
// owns m*m + m + 1 slots: BSX[BR] is its stack pointer (BSO[BR] is unused),
// then the initial all-zero frame of m values, then room for one frame per
// stone the line can hold. The pointer addresses the current frame.
extern uint16_t BSX[STACKSIZE], BSO[STACKSIZE];

// ---- Pattern tables -----------------------------------------------------------

void INITDYNAMO();                  // fill the pattern tables DYH and DYC
extern uint16_t DYH[PATTERNCOUNT];  // pattern values of the centre of an 11-cell window, side X
extern uint16_t DYC[PATTERNCOUNT];  // the same for side O (codes 1 and 2 exchanged)
// The same values factored by half windows, small enough to stay in the
// processor's first-level cache, which the 16 MiB tables cannot: cells past
// the nearest blocker never change a value, so each five-cell half of a window
// falls into one of 63 classes. For a window with an empty centre,
// DYH[p] = DYCLASS[HALF[left half].LX + HALF[right half].RX] and
// DYC[p] = DYCLASS[HALF[left half].LO + HALF[right half].RO].
struct HALFCLASS {
  uint16_t LX, LO;  // 64 x class of a left half (w[-1] in bits 0-1), side X / side O
  uint16_t RX, RO;  // class of a right half (w[+5] in bits 0-1), side X / side O
};
extern HALFCLASS HALF[1024];       // the classes of every five-cell half window
extern uint16_t DYCLASS[63 * 64];  // centre value for a left class (x 64) plus a right class

// ---- Key set of the board size ----------------------------------------------

extern uint32_t PIDX[PLAYCOUNT], PKEY[PLAYCOUNT];  // two random keys per playable cell
extern uint32_t HXI, HXK;                          // two random keys of side X
extern uint32_t HOI, HOK;                          // two random keys of side O

// ---- Working registers of the line procedures ----------------------------------
// Set by the line setup of GOX/GOO/BKSP for each of the four lines through KZ.

extern int16_t L;            // slot counter of CLEARDATA's stack layout
extern uint16_t Z, K;        // first and last cell of the line being updated
extern uint16_t BR;          // base slot of that line in BSX/BSO
extern uint16_t KI;          // steps from that line's first cell to KZ
extern uint16_t MM;          // number of cells of that line
extern uint16_t D0;          // index step of that line
extern uint32_t MEZZ, MEZK;  // working copies of MEZEZ/MEZEK, shifted right by 8 per direction
extern uint16_t GOX5, GOO5;  // masks: which side's five register a placement may fill
void PERO();                 // re-evaluate the line (BR, Z, K, D0) after a placement
void GUMA();                 // restore the line (BR, Z, K, D0) after a take-back

// BESTR on the plain path, whatever the build selects; tests compare the two.
uint16_t BESTRPORTABLE(uint16_t N, TYPOSM& T, const RPOLE& R);
