// mozek: the five-in-a-row engine. All game state lives in the fixed global
// tables below; procedures talk to each other through them (KZ is the cell to
// play, the cell taken back and the move chosen). Nothing is allocated after
// start-up and no routine checks ranges: callers keep SR in 7..22, place only
// on empty playable cells and take back only moves that were made.
//
// Board layout: cell (x, y), both counted from 0 at the top-left frame
// corner, has index y*SR + x. A one-cell frame (code 3) surrounds the playing
// area, so line walks never need bounds checks. Arrays that only hold data
// for playable cells are indexed 8..460 (first playable cell of SR=7, last of
// SR=22); they are dimensioned 461 and entries below 8 are unused.
#pragma once

#include <cstdint>

// ---- Board geometry -------------------------------------------------------

extern uint16_t SR;          // board side including the frame, 7..22
extern uint16_t SRXSR_SR_2;  // index of the last playable cell, SR*SR - SR - 2

// ---- Cell contents ----------------------------------------------------------

// Content of each cell: 0 empty, 1 side X, 2 side O, 3 frame or obstacle.
// Past the bottom frame row the margin up to SR*SR + 4*SR + 3 stays 0,
// because the line scan reads up to five cells beyond a line's end.
extern uint16_t PHC[576];
extern char PXO[3];  // glyphs of side X (PXO[1]) and side O (PXO[2]); set by the front end

// ---- Directions and lines ---------------------------------------------------

// Index steps of the eight neighbours: 1, SR-1, SR, SR+1 (row, anti-diagonal,
// column, diagonal), then the four opposite steps.
extern int16_t PSV[8];
// Per playable cell, byte d: steps back to the first cell of its line in direction d.
extern uint32_t MEZEZ[461];
// Per playable cell, byte d: steps forward to the last cell of its line in direction d.
extern uint32_t MEZEK[461];
extern uint32_t MEZZ, MEZK;  // working copies of MEZEZ/MEZEK, shifted right by 8 per direction
// Per playable cell and direction: base slot of its line in the value stacks BSX/BSO.
extern uint16_t DBS[461][4];
// Line value stacks of side X and side O. A line of m cells with base slot BR
// owns m*m + m + 1 slots: BSX[BR] is its stack pointer (BSO[BR] is unused),
// then the initial all-zero frame of m values, then room for one frame per
// stone the line can hold. The pointer addresses the current frame.
extern uint16_t BSX[28400], BSO[28400];

// ---- Record of moves and the current cell -----------------------------------

extern uint16_t PT;       // number of stones placed by GOX/GOO
extern uint16_t PP[484];  // PP[1..PT]: cells played, in order; entries above PT keep old contents
extern uint16_t KZ;  // the current cell: what GOX/GOO play, what BKSP freed, what the search chose

// ---- Evaluation -------------------------------------------------------------

extern uint16_t PSH[484];  // value of each cell for side X (sum of its four line values)
extern uint16_t PSC[484];  // value of each cell for side O
extern uint16_t PS[484];   // PSH + PSC, the combined value used to pick candidates
// 1 + sum of all PSH (side X) / PSC (side O). Kept exact in 32 bits (they never
// wrap), so a positional score read from them is always sound.
extern uint32_t SUMX, SUMO;
// Five registers of side X and side O: up to two cells where the side would
// complete five, the newest in the low 16 bits, 0 for none.
extern uint32_t X5, O5;
extern uint16_t DYH[4194304];  // pattern values of the centre of an 11-cell window, side X
extern uint16_t DYC[4194304];  // the same for side O (codes 1 and 2 exchanged)
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

extern uint32_t PIDX[461], PKEY[461];  // two random keys per playable cell
extern uint32_t HXI, HXK;              // two random keys of side X
extern uint32_t HOI, HOK;              // two random keys of side O

// ---- Search parameters --------------------------------------------------------

extern uint16_t VSTUP;  // 32667: distance at the root and bound of the search window
extern uint16_t V0;     // breadth: candidates per search node, 1..18 (default 12)
extern uint16_t H0;     // depth part of the skill, 1..10 (default 8); budget is V0^H0

// ---- Unit-level working variables -------------------------------------------

extern int16_t I, J, L;      // loop counters shared by the engine's procedures
extern uint16_t Z, K;        // first and last cell of the line being updated
extern uint16_t BR;          // base slot of that line in BSX/BSO
extern uint16_t KI;          // steps from that line's first cell to KZ
extern uint16_t MM;          // number of cells of that line
extern uint16_t D0, D05;     // index step of that line and five times it
extern uint16_t GOX5, GOO5;  // masks: which side's five register a placement may fill
extern uint64_t NODES;       // stones placed by GOX/GOO since start-up (search effort counter)

// ---- Display template -------------------------------------------------------

// Picture of the empty board (code page 437): shades 176/177 on playable
// cells, digits on the top row and left column, blanks elsewhere.
extern uint16_t PR[484];

// ---- Procedures ---------------------------------------------------------------

void CLEARDATA();  // reset the game on the board in force; lays out the line stacks
uint64_t INTANAEN(uint16_t A, uint16_t N);  // A to the power N in 64-bit wrapping arithmetic
void INITDYNAMO();                          // fill the pattern tables DYH and DYC
void INITDOLM();  // set the engine up for the board side SR (keys, geometry, frame)
void GOX();       // side X plays at KZ
void GOO();       // side O plays at KZ
void BKSP();      // take back the last move; KZ gets the freed cell
void X5O5();      // withdraw KZ from both five registers
void PERO();      // re-evaluate the line (BR, Z, K, D0) after a placement
void GUMA();      // restore the line (BR, Z, K, D0) after a take-back

void MOZEKINIT();  // the unit's start-up: SR := 22, INITDYNAMO, INITDOLM, CLEARDATA
void MOZEKDONE();  // the unit's shut-down: write the key file of the board side in force

// ---- The engine's pseudo-random generator -------------------------------------

void RANDSEED(uint64_t seed);  // restart the generator from a seed
void RANDCLOCK();              // seed the generator from the clock
uint32_t RANDOM(uint32_t n);   // uniform draw from 0 .. n-1 (n >= 1)

// Name of the key file of board side sr ("kanec" + sr + ".rnd") into buf (at least 16 bytes).
void KEYFILENAME(uint16_t sr, char* buf);
// Whether the last INITDOLM drew fresh keys (true) or read them from the key file (false).
extern bool KEYSDRAWN;
// Whether the key files are used: true in the game; false keeps the keys in
// memory only (INITDOLM always draws them, MOZEKDONE writes nothing).
extern bool KEYFILES;

// ---- Candidate moves (candidates.cpp) -------------------------------------------

typedef uint16_t TYPOSM[51];  // candidate list: positions 1..count hold cells, best first
typedef uint16_t RPOLE[484];  // a value board indexed by cell (PS, PSC, PSH)

// The N (<= 50) cells with the highest nonzero value in R, best first, equal
// values in index order; returns the count and leaves T untouched when it is 0.
uint16_t BESTR(uint16_t N, TYPOSM& T, const RPOLE& R);
// Threat filter over T[1..COUNT] with the mover's values OWN and the
// opponent's OPP: may reorder or cut the list; true when it reduced it to one winning cell.
bool FILTR(uint16_t& COUNT, TYPOSM& T, const RPOLE& OWN, const RPOLE& OPP);
uint16_t KAM();  // the emptiest empty playable cell, 0 when none is empty
void BESTPSHC(int16_t& MAXC, int16_t& MAXH);  // largest PSC and largest PSH over the board

// ---- Search (search.cpp) ---------------------------------------------------------

// Root of the search for side O: leaves the chosen cell in KZ and returns its
// score (0: no move). The game calls it with (VSTUP, INTANAEN(V0, H0), -32667, 32667).
int16_t MYSLIO0(uint16_t D, uint64_t K, int16_t A, int16_t B);
int16_t MYSLIO(uint16_t D, uint64_t K, int16_t A, int16_t B);  // node with O to move (maximising)
int16_t MYSLIX(uint16_t D, uint64_t K, int16_t A, int16_t B);  // node with X to move (minimising)

// Optional stop check for callers with a clock (the tournament brain). Null in
// the game, which is never interrupted. When set, the search calls it every
// few thousand nodes; once it returns true SEARCHABORTED is set, the search
// unwinds at once with every move taken back, and its result must be discarded.
extern bool (*SEARCHSTOP)();
extern bool SEARCHABORTED;
// When >= 0, the root's random pick after one move uses this index (modulo
// the number of cells) instead of drawing; the benchmark uses it. -1 in the game.
extern int32_t ROOTDRAW;
