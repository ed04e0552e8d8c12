// The engine's named operations, which keep what must go together in one
// place for every client, and BOARDOK, the from-scratch check of every table
// the placements keep.
#include <cassert>
#include <cstdio>
#include <cstdlib>

#include "mozek_internal.h"

// With DOLM_CHECKS (debug and sanitizer builds) every operation that changes
// the board ends with the full check, whatever NDEBUG says; without it the
// operations cost exactly the required procedures.
#ifdef DOLM_CHECKS
static void CHECKBOARD(const char* after) {
  if (BOARDOK()) return;
  std::fprintf(stderr, "mozek: the board's tables disagree after %s\n", after);
  std::abort();
}
#else
static inline void CHECKBOARD(const char*) {}
#endif

// Whether cell c lies in the playing area of the board in force.
static bool INSIDE(uint32_t c) {
  const uint32_t x = c % SR, y = c / SR;
  return c < uint32_t(SR) * SR && x >= 1 && x <= SR - 2u && y >= 1 && y <= SR - 2u;
}

bool FREECELL(uint32_t c) { return INSIDE(c) && PHC[c] == 0; }

void PUT(uint16_t c, uint16_t side) {
  KZ = c;
  X5O5();
  if (side == SIDEX)
    GOX();
  else
    GOO();
}

void PLACE(uint16_t c, uint16_t side) {
  PUT(c, side);
  CHECKBOARD("a placement");
}

uint16_t UNPLACE() {
  BKSP();
  CHECKBOARD("a take-back");
  return KZ;
}

void SETSIZE(uint16_t sr) {
  assert(sr >= SRMIN && sr <= SRMAX);
  SR = sr < SRMIN ? SRMIN : sr > SRMAX ? SRMAX : sr;  // never a side the tables cannot hold
  INITDOLM();
  CLEARDATA();
  CHECKBOARD("a new board side");
}

int16_t SEARCHMOVE(uint64_t budget) {
  const int16_t r = MYSLIO0(VSTUP, budget, -int16_t(VSTUP), int16_t(VSTUP));
  CHECKBOARD("a search");
  return r;
}

int16_t SEARCHMOVE() { return SEARCHMOVE(INTANAEN(V0, H0)); }

// ---- BOARDOK ---------------------------------------------------------------------

// Reports the first disagreement BOARDOK finds.
static bool WRONG(const char* what, long where) {
  std::fprintf(stderr, "BOARDOK: %s (%ld)\n", what, where);
  return false;
}

// Value of cell c for one side along the line first..last with step d > 0,
// looked up afresh in the side's pattern table; cells past the frame cell at
// either end read as empty, as they never change a value.
static uint16_t LINEVALUE(const uint16_t* table, int c, int d, int first, int last) {
  uint32_t w = 0;
  for (int e = -5; e <= 5; e++) {
    const int x = c + e * d;
    w = (w << 2) | (x >= first - d && x <= last + d ? PHC[x] : 0u);
  }
  return table[w];
}

// The values each line contributes to each cell, summed afresh.
static uint16_t SUMH[CELLCOUNT], SUMC[CELLCOUNT];
static bool SEEN[CELLCOUNT];  // cells met while reading the record

bool BOARDOK() {
  if (SR < SRMIN || SR > SRMAX) return WRONG("board side out of range", SR);
  const int S = SR, N = S - 2;
  if (SRXSR_SR_2 != S * S - S - 2) return WRONG("last playable cell", SRXSR_SR_2);
  const int16_t steps[4] = {1, int16_t(S - 1), int16_t(S), int16_t(S + 1)};
  for (int d = 0; d < 4; d++)
    if (PSV[d] != steps[d] || PSV[d + 4] != -steps[d]) return WRONG("direction step", d);

  // Cell codes: the frame 3, the playing area 0..3, the margin below 0.
  int stones = 0;
  for (int c = 0; c < S * S; c++) {
    SEEN[c] = false;
    SUMH[c] = SUMC[c] = 0;
    if (!INSIDE(c) && PHC[c] != 3) return WRONG("frame cell not 3", c);
    if (PHC[c] > 3) return WRONG("cell code above 3", c);
    if (INSIDE(c) && (PHC[c] == SIDEX || PHC[c] == SIDEO)) stones++;
  }
  for (int c = S * S; c <= S * S + 4 * S + 3; c++)
    if (PHC[c] != 0) return WRONG("margin cell not 0", c);

  // The record names each stone on the board once.
  if (PT != stones) return WRONG("stones on the board differ from PT", PT);
  for (int i = 1; i <= PT; i++) {
    const int c = PP[i];
    if (c >= S * S || !INSIDE(c) || (PHC[c] != SIDEX && PHC[c] != SIDEO) || SEEN[c])
      return WRONG("record entry is not a stone of its own", i);
    SEEN[c] = true;
  }

  // Every line, met at its first cell: it runs from frame to frame, all its
  // cells share its base slot, its stack pointer has one frame per stone, and
  // the current frame holds the values a fresh lookup gives.
  for (int y = 1; y <= N; y++)
    for (int x = 1; x <= N; x++)
      for (int d = 0; d < 4; d++) {
        const int c = y * S + x, step = PSV[d];
        if ((MEZEZ[c] >> (8 * d) & 255) != 0) continue;
        const int m = int(MEZEK[c] >> (8 * d) & 255) + 1, last = c + (m - 1) * step;
        if (INSIDE(c - step) || INSIDE(last + step) || !INSIDE(last))
          return WRONG("line does not run from frame to frame", c * 4 + d);
        const int base = DBS[c][d];
        int onLine = 0;
        for (int i = 0; i < m; i++) {
          const int e = c + i * step;
          if (!INSIDE(e)) return WRONG("line leaves the playing area", e);
          if (DBS[e][d] != base) return WRONG("cell of a line with another base slot", e);
          if ((MEZEZ[e] >> (8 * d) & 255) != unsigned(i)) return WRONG("steps to line start", e);
          onLine += PHC[e] == SIDEX || PHC[e] == SIDEO;
        }
        if (base + m * m + m + 1 > STACKSIZE) return WRONG("line stack past the end", base);
        const int top = BSX[base];
        if (top != base + 1 + m * onLine) return WRONG("line stack pointer", base);
        for (int i = 0; i < m; i++) {
          const int e = c + i * step;
          const uint16_t vx = LINEVALUE(DYH, e, step, c, last);
          const uint16_t vo = LINEVALUE(DYC, e, step, c, last);
          if (BSX[top + i] != vx || BSO[top + i] != vo) return WRONG("line value", e);
          SUMH[e] += vx;
          SUMC[e] += vo;
        }
      }

  // Cell values and their sums; the frame cells between rows carry 0.
  uint32_t sumx = 1, sumo = 1;
  for (int c = S + 1; c <= SRXSR_SR_2; c++) {
    if (PSH[c] != SUMH[c] || PSC[c] != SUMC[c]) return WRONG("cell value", c);
    if (PS[c] != uint16_t(PSH[c] + PSC[c])) return WRONG("combined cell value", c);
    sumx += PSH[c];
    sumo += PSC[c];
  }
  if (SUMX != sumx) return WRONG("SUMX", long(SUMX));
  if (SUMO != sumo) return WRONG("SUMO", long(SUMO));

  // Each entry of a five register is an empty cell where its side completes
  // five (only a line value of VFIVE or more lifts a cell's value that high).
  for (int half = 0; half < 2; half++) {
    const uint16_t x = uint16_t(X5 >> (16 * half)), o = uint16_t(O5 >> (16 * half));
    if (x != 0 && (!FREECELL(x) || PSH[x] < VFIVE)) return WRONG("X5 entry", x);
    if (o != 0 && (!FREECELL(o) || PSC[o] < VFIVE)) return WRONG("O5 entry", o);
  }
  return true;
}
