// Candidate moves: the short ordered lists the search expands, the threat
// filter over them, the emptiest cell for a board without values, and the
// largest value of each side for the leaf evaluation. None of these changes
// the board or allocates anything; each is one pass over the board or a list.
#include <cassert>
#include <cstring>

#include "mozek_internal.h"

// The SSE2 path is taken where the compiler targets SSE2 (every x86-64);
// elsewhere, or with DOLM_PORTABLE, the same scan runs on plain code.
#if defined(__SSE2__) && !defined(DOLM_PORTABLE)
#include <emmintrin.h>
#define DOLM_SSE2 1
#else
#define DOLM_SSE2 0
#endif

// Eight cells' values, counted against the floors in one step.
typedef uint16_t EIGHT __attribute__((vector_size(16)));

// Two bits for each of the eight values from P on that is above BAR, so the
// scan visits only those cells instead of testing all eight.
template <bool SIMD>
static inline unsigned ABOVEMASK(const uint16_t* P, uint16_t BAR) {
#if DOLM_SSE2
  if constexpr (SIMD) {
    __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    __m128i OVER = _mm_subs_epu16(V, _mm_set1_epi16(short(BAR)));
    return ~unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(OVER, _mm_setzero_si128()))) & 0xFFFF;
  }
#endif
  unsigned MASK = 0;
  for (int E = 0; E < 8; E++)
    if (P[E] > BAR) MASK |= 3u << (2 * E);
  return MASK;
}

// The N best cells in descending order, in one insertion pass over the
// board. A cell is placed behind every kept cell of equal value, so among
// equal values the lower index stays in front, and once the list is full a
// cell must beat the last one strictly to enter. BAR is what a cell must
// exceed: a floor found by a first counting pass while the list fills, then
// the value of its last cell; most of the board falls below it eight cells at
// a time.
template <bool SIMD>
static uint16_t BESTSCAN(uint16_t N, TYPOSM& T, const RPOLE& R) {
  // The list as keys, value above and the cell's index inverted below, so a
  // larger key is a better cell and equal values keep index order, in
  // positions 1..N like the list.
  uint32_t KEY[LISTMAX + 2];
  assert(N <= LISTMAX);
  int CNT = 0;
  uint16_t BAR = 0;
  const int LAST = SRXSR_SR_2;
  if (N == 0) return 0;
  auto TAKE = [&](int C, uint16_t V) {
    const uint32_t NEW = (uint32_t(V) << 16) | uint32_t(0xFFFF - C);
    int P = CNT < N ? CNT++ : N - 1;  // when full, the old last cell drops out
    while (P > 0 && KEY[P] < NEW) {
      KEY[P + 1] = KEY[P];
      P--;
    }
    KEY[P + 1] = NEW;
    if (CNT == N) BAR = uint16_t(KEY[N] >> 16);
  };
  // A first, branch-free pass counts the cells at or above a ladder of
  // values; the highest rung that N cells reach is a floor no cell of the
  // result can lie below, so the second pass skips everything under it.
  static const uint16_t RUNG[7] = {1024, 512, 256, 128, 64, 32, 16};
  EIGHT TALLY[7] = {};
  int C = SR + 1;
  for (; C + 7 <= LAST; C += 8) {
    EIGHT V;
    std::memcpy(&V, &R[C], sizeof V);
    for (int G = 0; G < 7; G++) TALLY[G] -= (EIGHT)(V >= RUNG[G]);
  }
  int REST = C;
  for (int G = 0; G < 7; G++) {
    int ABOVE = 0;
    for (int E = 0; E < 8; E++) ABOVE += TALLY[G][E];
    for (int E = REST; E <= LAST; E++) ABOVE += R[E] >= RUNG[G];
    if (ABOVE >= N) {
      BAR = uint16_t(RUNG[G] - 1);
      break;
    }
  }
  C = SR + 1;
  // Whole groups of eight inside the board; cells past LAST may hold values
  // of a larger board played earlier, so the tail is read one by one.
  for (; C + 7 <= LAST; C += 8) {
    unsigned MASK = ABOVEMASK<SIMD>(&R[C], BAR);
    while (MASK != 0) {
      int E = C + __builtin_ctz(MASK) / 2;
      MASK &= MASK - 1;
      MASK &= MASK - 1;
      if (R[E] > BAR) TAKE(E, R[E]);  // BAR may have risen since the mask was taken
    }
  }
  for (; C <= LAST; C++)
    if (R[C] > BAR) TAKE(C, R[C]);
  for (int P = 1; P <= CNT; P++) T[P] = uint16_t(0xFFFF - (KEY[P] & 0xFFFF));
  return uint16_t(CNT);
}

uint16_t BESTR(uint16_t N, TYPOSM& T, const RPOLE& R) { return BESTSCAN<DOLM_SSE2>(N, T, R); }

uint16_t BESTRPORTABLE(uint16_t N, TYPOSM& T, const RPOLE& R) { return BESTSCAN<false>(N, T, R); }

// Moves the cell at position P to the front; the cells before it shift back.
static void TOFRONT(TYPOSM& T, uint16_t P) {
  uint16_t C = T[P];
  for (; P > 1; P--) T[P] = T[P - 1];
  T[1] = C;
}

// Keeps only the cells where the opponent's value reaches OPPMIN or the
// mover's reaches OWNMIN, in their order; the triggering cell always stays.
static void KEEPONLY(uint16_t& COUNT, TYPOSM& T, const RPOLE& OWN, const RPOLE& OPP,
                     uint16_t OPPMIN, uint16_t OWNMIN) {
  uint16_t N = 0;
  for (uint16_t P = 1; P <= COUNT; P++) {
    uint16_t C = T[P];
    if (OPP[C] >= OPPMIN || OWN[C] >= OWNMIN) T[++N] = C;
  }
  COUNT = N;
}

// Reads the list against both sides' threats: a mover's win ends the node, a
// strong own cell goes first, and an opponent's strong threat narrows the
// list to the cells that meet it (or counter with a threat of the mover's own).
bool FILTR(uint16_t& COUNT, TYPOSM& T, const RPOLE& OWN, const RPOLE& OPP) {
  uint16_t MAXOWN = 0, MAXOPP = 0;
  uint16_t POSOWN = 1, LASTOWN128 = 0, LASTOPP128 = 0;
  for (uint16_t P = 1; P <= COUNT; P++) {
    uint16_t C = T[P];
    uint16_t VO = OWN[C], VP = OPP[C];
    if (VO > MAXOWN) {  // strictly greater: the first of equal best cells is the one kept
      MAXOWN = VO;
      POSOWN = P;
    }
    if (VP > MAXOPP) MAXOPP = VP;
    if (VO & VTWOTHREES) LASTOWN128 = P;
    if (VP & VTWOTHREES) LASTOPP128 = P;
  }
  if (MAXOWN >= VWIN) {
    T[1] = T[POSOWN];
    COUNT = 1;
    return true;
  }
  if (MAXOWN >= VFOURTHREE) {
    TOFRONT(T, POSOWN);
  } else if (MAXOPP >= VOPENFOUR) {
    KEEPONLY(COUNT, T, OWN, OPP, VWIN, VFOUR);
  } else if (MAXOPP >= VWIN) {
    KEEPONLY(COUNT, T, OWN, OPP, VFOUR, VFOUR);
  } else if (MAXOPP >= VFOURTHREE) {
    KEEPONLY(COUNT, T, OWN, OPP, VOPENTHREE, VOPENTHREE);
  } else if (LASTOWN128 != 0) {
    TOFRONT(T, LASTOWN128);
  } else if (LASTOPP128 != 0) {
    KEEPONLY(COUNT, T, OWN, OPP, VOPENTHREE, VOPENTHREE);
  }
  return false;
}

// The empty cell whose surroundings are emptiest: for each empty cell within
// two steps, the inverse cubes of the free run lengths along the four lines,
// averaged. Summed in double in a fixed order so every build picks the same
// cell (ties go to the first cell in row-major order).
uint16_t KAM() {
  double BEST = 10000.0;
  uint16_t RESULT = 0;
  int S = SR;
  int LIMIT = S * S - S;
  for (int Y = 1; Y <= S - 2; Y++) {
    for (int X = 1; X <= S - 2; X++) {
      int C = Y * S + X;
      if (PHC[C] != 0) continue;
      double SUM = 0.0;
      int N = 0;
      for (int DC = -2; DC <= 2; DC++) {
        for (int DR = -2; DR <= 2; DR++) {
          int P = C + DC + S * DR;
          if (P <= 0 || P >= LIMIT || PHC[P] != 0) continue;
          N++;
          for (int D = 0; D < 4; D++) {
            int STEP = PSV[D];
            int A = 1, B = 1;
            while (PHC[P - A * STEP] == 0) A++;
            while (PHC[P + B * STEP] == 0) B++;
            SUM = (1.0 / double(A * A * A) + SUM) + 1.0 / double(B * B * B);
          }
        }
      }
      double AVERAGE = SUM / N;
      if (AVERAGE < BEST) {
        BEST = AVERAGE;
        RESULT = uint16_t(C);
      }
    }
  }
  return RESULT;
}

// Largest value of each side over the board, as signed 16-bit numbers from 0.
void BESTPSHC(int16_t& MAXC, int16_t& MAXH) {
  int16_t MC = 0, MH = 0;
  const int LAST = SRXSR_SR_2;
  for (int C = SR + 1; C <= LAST; C++) {
    int16_t VC = int16_t(PSC[C]), VH = int16_t(PSH[C]);
    MC = VC > MC ? VC : MC;
    MH = VH > MH ? VH : MH;
  }
  MAXC = MC;
  MAXH = MH;
}
