// The computer's move: an alpha-beta search over the single global board,
// bounded by a budget of leaves that each node shares out evenly among its
// candidates. Side O (the computer) maximises, side X minimises. Replies to a
// threat of five are forced and keep the whole budget, so tactical lines run
// deeper than quiet ones. Every stone placed is taken back before a node
// returns; candidate lists are locals, nothing is allocated.
//
// Scores are signed 16-bit, positive for O. A five made by O at ply q below
// the root scores VSTUP - q (the distance D counts down from VSTUP), one made
// by X scores -(VSTUP - q); positional scores are a side's sum of values,
// saturated at 32167 so they stay clear of every win score.
#include "mozek.h"
#include "values.h"

bool (*SEARCHSTOP)() = nullptr;  // when to give up: the brain's clock, the game's Ctrl+C
bool SEARCHABORTED = false;      // the last search was given up; its result means nothing
int32_t ROOTDRAW = -1;           // fixed index for the reply to the first stone; -1 draws at random

// Where the marker of "no move chosen yet" would be; never a cell.
static const uint16_t NOMOVE = 63000;
// Largest positional score; the closest win score is VSTUP - q >= 32267.
static const int32_t POSMAX = 32167;

// The register names a cell (its newest entry, the low half).
static inline bool HASENTRY(uint32_t R) { return (R & 0xFFFF) != 0; }

// The register names two different cells; one cell entered twice (it
// completes five on two lines) is a single threat that one stone stops.
static inline bool TWOENTRIES(uint32_t R) { return R >= 65535 && (R >> 16) != (R & 0xFFFF); }

// Side O's positional score.
static inline int16_t SCOREO() { return int16_t(SUMO > uint32_t(POSMAX) ? POSMAX : int32_t(SUMO)); }

// Side X's positional score, as seen by O.
static inline int16_t SCOREX() {
  return int16_t(SUMX > uint32_t(POSMAX) ? -POSMAX : -int32_t(SUMX));
}

// Called right after each placement: asks the caller's clock, every 4096
// nodes, whether to give up; once it says so the whole search unwinds.
static inline bool STOPPING() {
  if (SEARCHSTOP != nullptr && (NODES & 4095) == 0 && SEARCHSTOP()) SEARCHABORTED = true;
  return SEARCHABORTED;
}

// The five register of side O (ISO) or side X.
template <bool ISO>
static inline uint32_t& REGISTER() {
  return ISO ? O5 : X5;
}

// A score of the mover's: a five it completes D plies above the end of the
// window scores +D for O and -D for X.
template <bool ISO>
static inline int16_t FORMOVER(int32_t v) {
  return int16_t(ISO ? v : -v);
}

// Static score of a quiet node, O to move (ISO) or X: the side that holds the
// stronger threat gets its sum; without threats the larger sum wins, on equal
// sums the side not to move.
template <bool ISO>
static int16_t EVAL(uint16_t D) {
  int16_t MAXC, MAXH;
  BESTPSHC(MAXC, MAXH);
  const int16_t OWN = ISO ? MAXC : MAXH, OPP = ISO ? MAXH : MAXC;
  const int16_t MINE = ISO ? SCOREO() : SCOREX(), THEIRS = ISO ? SCOREX() : SCOREO();
  if (OWN >= VWIN) return FORMOVER<ISO>(int32_t(D) - 2);
  if (OWN >= VFOURPLUS) return MINE;
  if (OPP >= VFOURPLUS) return THEIRS;
  if ((OWN & 255) >= VTHREEPLUS) return MINE;
  if ((OPP & 255) >= VTHREEPLUS) return THEIRS;
  if ((OWN & 255) >= VTHREE) return MINE;
  if ((OPP & 255) >= VTHREE) return THEIRS;
  return (ISO ? SUMX >= SUMO : SUMO >= SUMX) ? THEIRS : MINE;
}

// A node with O to move (ISO: the best score O can reach within the window
// A..B, raising A) or with X to move (the lowest score X can hold O to,
// lowering B). The two are mirrors; the working bound is the mover's.
template <bool ISO>
static int16_t NODE(uint16_t D, uint64_t K, int16_t A, int16_t B) {
  uint32_t& OWN5 = REGISTER<ISO>();
  uint32_t& OPP5 = REGISTER<!ISO>();
  // Step 1. The mover completes five now.
  if (HASENTRY(OWN5)) return FORMOVER<ISO>(D);
  TYPOSM T;
  uint16_t N;
  if (HASENTRY(OPP5)) {
    // Step 2. The opponent threatens five: two different cells cannot both
    // be stopped; one cell must be taken at once, whatever the budget. The
    // register is emptied first, as the stone played there no longer leaves
    // a five open.
    if (TWOENTRIES(OPP5)) return FORMOVER<ISO>(1 - int32_t(D));
    T[1] = uint16_t(OPP5 & 0xFFFF);
    N = 1;
    OPP5 = 0;
  } else {
    // Step 3. Nothing here can beat what the working bound already holds (a
    // win two plies on).
    if (ISO ? int32_t(D) <= int32_t(A) + 2 : int32_t(D) <= 2 - int32_t(B)) return ISO ? A : B;
    // Step 4. Budget spent: a leaf.
    if (K <= 1) return EVAL<ISO>(D);
    // Step 5. Candidates, then the threat filter.
    N = BESTR(V0, T, PS);
    if (N == 0) return FORMOVER<ISO>(1);
    if (ISO ? FILTR(N, T, PSC, PSH) : FILTR(N, T, PSH, PSC)) return FORMOVER<ISO>(int32_t(D) - 2);
  }
  // Step 6. Search the candidates, each with an equal share of the budget.
  uint64_t SHARE = K / N;
  for (uint16_t P = 1; P <= N; P++) {
    KZ = T[P];
    if (ISO)
      GOO();
    else
      GOX();
    if (STOPPING()) {
      BKSP();
      return ISO ? A : B;
    }
    int16_t V = NODE<!ISO>(uint16_t(D - 1), SHARE, A, B);
    BKSP();
    if (SEARCHABORTED) return ISO ? A : B;
    // Only a better working bound can close the window or reach a win four plies on.
    if (ISO && V > A) {
      A = V;
      if (A >= B || int32_t(A) + 4 >= int32_t(D)) break;
    } else if (!ISO && V < B) {
      B = V;
      if (A >= B || int32_t(D) <= 4 - int32_t(B)) break;
    }
  }
  return ISO ? A : B;
}

int16_t MYSLIO(uint16_t D, uint64_t K, int16_t A, int16_t B) { return NODE<true>(D, K, A, B); }

int16_t MYSLIX(uint16_t D, uint64_t K, int16_t A, int16_t B) { return NODE<false>(D, K, A, B); }

// The computer's move: leaves the chosen cell in KZ and returns its score,
// 0 when no cell is left to play.
int16_t MYSLIO0(uint16_t D, uint64_t K, int16_t A, int16_t B) {
  SEARCHABORTED = false;
  TYPOSM T;
  uint16_t N;
  if (PT == 1) {
    // Step 1. The reply to the first stone is one of the best 8 cells at random.
    N = BESTR(8, T, PS);
    if (N > 0) {
      uint32_t R = ROOTDRAW >= 0 ? uint32_t(ROOTDRAW) % N : RANDOM(N);
      KZ = T[R + 1];
      return A;
    }
  } else {
    // Step 2. O completes five.
    if (HASENTRY(O5)) {
      KZ = uint16_t(O5 & 0xFFFF);
      return int16_t(D);
    }
    // Step 3. X threatens five: block its newest cell without searching.
    if (HASENTRY(X5)) {
      KZ = uint16_t(X5 & 0xFFFF);
      return A;
    }
    // Step 4. Candidates.
    N = BESTR(V0, T, PS);
  }
  if (N == 0) {
    // Step 5. No cell has a value: the emptiest cell, or no move at all.
    uint16_t M = KAM();
    A = 1;
    if (M == 0) {
      A = 0;
      M = KZ;
    }
    KZ = M;
    return A;
  }
  // Step 6. O has a winning cell.
  if (FILTR(N, T, PSC, PSH)) {
    KZ = T[1];
    return int16_t(D - 2);
  }
  // Step 7. Search every candidate; a later one must score strictly higher.
  uint16_t M = NOMOVE;
  uint64_t SHARE = K / N;
  for (uint16_t P = 1; P <= N; P++) {
    KZ = T[P];
    GOO();
    if (STOPPING()) {
      BKSP();
      break;
    }
    int16_t V = MYSLIX(uint16_t(D - 1), SHARE, A, B);
    BKSP();
    if (SEARCHABORTED) break;
    if (V > A) {
      A = V;
      M = T[P];
      if (A >= B || int32_t(A) + 4 >= int32_t(D)) break;
    }
  }
  // Step 8. The marker is never played: without a scored move take the first.
  KZ = M == NOMOVE ? T[1] : M;
  return A;
}
