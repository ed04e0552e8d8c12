// mozek: the five-in-a-row engine. All game state lives in the fixed global
// tables below; procedures talk to each other through them (KZ is the cell to
// play, the cell taken back and the move chosen). Nothing is allocated after
// start-up and no routine checks ranges: callers keep SR in SRMIN..SRMAX,
// place only on empty playable cells and take back only moves that were made
// (builds with DOLM_CHECKS verify the whole board after every move, BOARDOK).
//
// Board layout: cell (x, y), both counted from 0 at the top-left frame
// corner, has index y*SR + x. A one-cell frame (code 3) surrounds the playing
// area, so line walks never need bounds checks. Arrays that only hold data
// for playable cells are indexed 8..460 (first playable cell of SR=7, last of
// SR=22); they are dimensioned 461 and entries below 8 are unused.
//
// This header is what the game, the brain and the bench see: the state they
// read, the procedures they call and the named operations below, which keep
// the engine's protocols (what must go with a placement, a new board side, a
// search) in one place. The engine's own working registers, line tables and
// pattern tables are in mozek_internal.h.
#pragma once

#include <cstdint>

// ---- Limits -----------------------------------------------------------------

constexpr uint16_t SRMIN = 7;     // smallest board side with the frame (5 x 5 playing area)
constexpr uint16_t SRMAX = 22;    // largest board side with the frame (20 x 20 playing area)
constexpr int CELLCOUNT = 484;    // cell-indexed arrays: every cell of the largest board
constexpr int PHCSIZE = 576;      // PHC: the largest board plus the margin the line scan reads
constexpr int PLAYCOUNT = 461;    // arrays of playable cells: up to the last of the largest board
constexpr int STACKSIZE = 28400;  // slots of each line value stack
constexpr uint16_t LISTMAX = 50;  // capacity of a candidate list
constexpr uint32_t PATTERNCOUNT = 4194304;  // entries of each pattern table: 11-cell windows, 4^11
// Bytes of the engine's large static tables: two pattern tables, two line stacks.
constexpr uint32_t TABLEBYTES = 2 * 2 * PATTERNCOUNT + 2 * 2 * STACKSIZE;
static_assert(CELLCOUNT == SRMAX * SRMAX);
static_assert(PHCSIZE >= SRMAX * SRMAX + 4 * SRMAX + 4);
static_assert(PLAYCOUNT == SRMAX * SRMAX - SRMAX - 2 + 1);

// ---- Board geometry -------------------------------------------------------

extern uint16_t SR;          // board side including the frame, SRMIN..SRMAX
extern uint16_t SRXSR_SR_2;  // index of the last playable cell, SR*SR - SR - 2

// ---- Cell contents ----------------------------------------------------------

// Content of each cell: 0 empty, 1 side X, 2 side O, 3 frame or obstacle.
// Past the bottom frame row the margin up to SR*SR + 4*SR + 3 stays 0,
// because the line scan reads up to five cells beyond a line's end.
extern uint16_t PHC[PHCSIZE];
extern char PXO[3];  // glyphs of side X (PXO[1]) and side O (PXO[2]); set by the front end

// ---- Directions ---------------------------------------------------------------

// Index steps of the eight neighbours: 1, SR-1, SR, SR+1 (row, anti-diagonal,
// column, diagonal), then the four opposite steps.
extern int16_t PSV[8];
// ---- Record of moves and the current cell -----------------------------------

extern uint16_t PT;  // number of stones placed by GOX/GOO
extern uint16_t
    PP[CELLCOUNT];   // PP[1..PT]: cells played, in order; entries above PT keep old contents
extern uint16_t KZ;  // the current cell: what GOX/GOO play, what BKSP freed, what the search chose

// ---- Evaluation -------------------------------------------------------------

extern uint16_t PSH[CELLCOUNT];  // value of each cell for side X (sum of its four line values)
extern uint16_t PSC[CELLCOUNT];  // value of each cell for side O
extern uint16_t PS[CELLCOUNT];   // PSH + PSC, the combined value used to pick candidates
// 1 + sum of all PSH (side X) / PSC (side O). Kept exact in 32 bits (they never
// wrap), so a positional score read from them is always sound.
extern uint32_t SUMX, SUMO;
// Five registers of side X and side O: up to two cells where the side would
// complete five, the newest in the low 16 bits, 0 for none.
extern uint32_t X5, O5;

// ---- Search parameters --------------------------------------------------------

extern uint16_t VSTUP;  // 32667: distance at the root and bound of the search window
extern uint16_t V0;     // breadth: candidates per search node, 1..18 (default 12)
extern uint16_t H0;     // depth part of the skill, 1..10 (default 8); budget is V0^H0

// Stones placed by GOX/GOO since start-up (search effort counter).
extern uint64_t NODES;

// ---- Display template -------------------------------------------------------

// Picture of the empty board (code page 437): shades 176/177 on playable
// cells, digits on the top row and left column, blanks elsewhere.
extern uint16_t PR[CELLCOUNT];

// ---- Procedures ---------------------------------------------------------------

void CLEARDATA();  // reset the game on the board in force; lays out the line stacks
uint64_t INTANAEN(uint16_t A, uint16_t N);  // A to the power N in 64-bit wrapping arithmetic
void INITDOLM();  // set the engine up for the board side SR (keys, geometry, frame)
void GOX();       // side X plays at KZ
void GOO();       // side O plays at KZ
void BKSP();      // take back the last move; KZ gets the freed cell
void X5O5();      // withdraw KZ from both five registers

void MOZEKINIT();  // the unit's start-up: SR := SRMAX, INITDYNAMO, INITDOLM, CLEARDATA
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

typedef uint16_t TYPOSM[LISTMAX + 1];  // candidate list: positions 1..count hold cells, best first
typedef uint16_t RPOLE[CELLCOUNT];     // a value board indexed by cell (PS, PSC, PSH)

// The N (<= LISTMAX) cells with the highest nonzero value in R, best first, equal
// values in index order; returns the count and leaves T untouched when it is 0.
uint16_t BESTR(uint16_t N, TYPOSM& T, const RPOLE& R);
// Threat filter over T[1..COUNT] with the mover's values OWN and the
// opponent's OPP: may reorder or cut the list; true when it reduced it to one winning cell.
bool FILTR(uint16_t& COUNT, TYPOSM& T, const RPOLE& OWN, const RPOLE& OPP);
uint16_t KAM();  // the emptiest empty playable cell, 0 when none is empty
void BESTPSHC(int16_t& MAXC, int16_t& MAXH);  // largest PSC and largest PSH over the board

// ---- Search (search.cpp) ---------------------------------------------------------

// Root of the search for side O: leaves the chosen cell in KZ and returns its
// score (0: no move). The game calls it through SEARCHMOVE, with
// (VSTUP, INTANAEN(V0, H0), -32667, 32667).
int16_t MYSLIO0(uint16_t D, uint64_t K, int16_t A, int16_t B);
int16_t MYSLIO(uint16_t D, uint64_t K, int16_t A, int16_t B);  // node with O to move (maximising)
int16_t MYSLIX(uint16_t D, uint64_t K, int16_t A, int16_t B);  // node with X to move (minimising)

// Optional stop check: the tournament brain's clock, the game's Ctrl+C. Null
// in the tests and the bench. When set, the search calls it every
// few thousand nodes; once it returns true SEARCHABORTED is set, the search
// unwinds at once with every move taken back, and its result must be discarded.
extern bool (*SEARCHSTOP)();
extern bool SEARCHABORTED;
// When >= 0, the root's random pick after one move uses this index (modulo
// the number of cells) instead of drawing; the benchmark uses it. -1 in the game.
extern int32_t ROOTDRAW;

// ---- Named operations (ops.cpp) ----------------------------------------------
// What every client does with the engine, each in one place. The required
// procedures above stay as they are; these wrap them with what must go along.

constexpr uint16_t SIDEX = 1;  // cell code and mover of side X (the human's side in the game)
constexpr uint16_t SIDEO = 2;  // cell code and mover of side O (the computer's side)

// Whether cell c of the board in force is playable and empty (any number, also
// the search's no-move marker, may be asked).
bool FREECELL(uint32_t c);
// Side SIDE (SIDEX or SIDEO) plays a real move at free cell c: c goes into KZ,
// is withdrawn from both five registers (X5O5) and GOX/GOO place the stone.
void PLACE(uint16_t c, uint16_t side);
// PLACE for a move inside a client's own search: the same bookkeeping, but
// builds with DOLM_CHECKS leave the board check to the end of the search.
void PUT(uint16_t c, uint16_t side);
// Takes the last move back (BKSP); the freed cell, also left in KZ.
uint16_t UNPLACE();
// A new board of side sr (SRMIN..SRMAX): SR, then INITDOLM for its keys,
// geometry and frame, then CLEARDATA for an empty board on it.
void SETSIZE(uint16_t sr);
// The computer's move with budget K and the standard window: MYSLIO0(VSTUP, K, -VSTUP, VSTUP).
int16_t SEARCHMOVE(uint64_t K);
// The computer's move at the skill in force: SEARCHMOVE(INTANAEN(V0, H0)).
int16_t SEARCHMOVE();

// Whether every table the placements keep agrees with a recomputation from
// the cell contents: frame, record, line stacks, cell values, sums and five
// registers. Slow (a pass over every line); debug builds with DOLM_CHECKS
// assert it after each PLACE, UNPLACE and search. Reports the first
// disagreement on stderr.
bool BOARDOK();
