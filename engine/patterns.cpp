// The line-pattern value tables DYH (side X) and DYC (side O).
#include "patterns.h"

#include "mozek_internal.h"

namespace {

// One window cell's category as the rules see it.
inline bool OWN(const int* w, int e) { return w[e] == 1; }
inline bool BLOCK(const int* w, int e) { return w[e] >= 2; }

// A scored window [a..b] around the centre, with what the combination step needs.
struct WINVAL {
  uint16_t value;
  int gap;   // the empty non-centre cell the scan reached last
  int damp;  // 1 when the window's value was halved
};

// Value of window [a..b]; scanned upward (left window) or downward (right).
WINVAL WINDOWVALUE(const int* w, int a, int b, int f, int g, bool upward) {
  int A = 0, B = 0, C = 0;
  int gap = upward ? 5 : -5;
  for (int e = a; e <= b; e++) {
    if (OWN(w, e)) {
      A += 3;
      if (e > -3 && e < 3) B += 3 - (e < 0 ? -e : e);
    } else {
      C++;
      if (e != 0 && (upward || gap == -5)) gap = e;
    }
  }
  const int F = (A == 12 && a < 0 && b > 0) ? 1 : 0;
  int D = 0;
  if ((BLOCK(w, a - 1) && OWN(w, a)) || f - g == 6 || (BLOCK(w, b + 1) && OWN(w, b))) D = 1;
  int G = 0;
  if (A == 9 && D == 0 && ((a == 0 && OWN(w, 1)) || (b == 0 && OWN(w, -1)))) G = 1;
  if ((b - a == 4 && C > 1 - F) || ((g == -1 || f == 1) && A < 12)) D = 1;
  if (A == 12 || (A == 9 && D == 0)) G = 1;
  if (A == 6 && D == 1) A = 5;
  return {static_cast<uint16_t>((1u << (A + G - D)) + B), gap, D};
}

}  // namespace

uint16_t PATV(uint32_t p) {
  int cells[11];
  for (int e = -5; e <= 5; e++) cells[e + 5] = (p >> (2 * (5 - e))) & 3;
  const int* w = cells + 5;

  if (w[0] != 0) return 0;
  // Split four: the centre joins two stones on each side.
  if (OWN(w, -2) && OWN(w, -1) && OWN(w, 1) && OWN(w, 2)) return 4100;

  // 1. Nearest blockers on each side (f = 6 / g = -6 when the side is open).
  int f = 6, g = -6;
  for (int e = 1; e <= 5; e++)
    if (BLOCK(w, e)) {
      f = e;
      break;
    }
  for (int e = -1; e >= -5; e--)
    if (BLOCK(w, e)) {
      g = e;
      break;
    }
  const int ro = f == 6, lo = g == -6;

  // 2. Farthest own stone within reach on each side (0 for none).
  int h = 0, m = 0;
  for (int e = 1; e <= f - ro - 1; e++)
    if (OWN(w, e)) h = e;
  for (int e = -1; e >= g + lo + 1; e--)
    if (OWN(w, e)) m = e;

  // 3. Dead cell: no room for five, or nothing of ours in reach.
  if (f - g <= 5 || m == h) return 0;

  // 4. Stones within one five-cell stretch: a single window.
  if (h - m <= 4) return WINDOWVALUE(w, m, h, f, g, true).value;

  // 4-6. Otherwise a left window from m and a right window up to h.
  int r = 0;
  for (int e = 1; e <= m + 4; e++)
    if (OWN(w, e)) r = e;
  const WINVAL left = WINDOWVALUE(w, m, r, f, g, true);
  int Lw = 0;
  for (int e = -1; e >= h - 4; e--)
    if (OWN(w, e)) Lw = e;
  const WINVAL right = WINDOWVALUE(w, Lw, h, f, g, false);

  // 7. The stronger window counts; the other adds a quarter (whole when damped)
  // if a gap leaves room for both.
  uint16_t v;
  if (right.value > left.value) {
    v = right.value;
    if (right.gap > r && right.gap - g > 5) v += left.value >> (2 - 2 * left.damp);
  } else {
    v = left.value;
    if (left.gap < Lw && f - left.gap > 5) v += right.value >> (2 - 2 * right.damp);
  }
  return v;
}

namespace {

// Half windows: five cells on one side of the centre as 10 bits. Cells past
// the nearest blocker never change a value, so every half reduces to one of 63
// classes: the cells up to the first blocker, and that blocker's distance.
uint16_t LEFTCLASS[1024], RIGHTCLASS[1024];  // class of a left / right half
uint32_t CLASSLEFT[63], CLASSRIGHT[63];      // a representative half of each class
uint16_t SWAP10[1024];                       // a half with codes 1 and 2 exchanged

// Class of a half whose cell at distance d (1..5) is cellat(d).
template <class CELLAT>
int CLASSOF(CELLAT cellat) {
  // Classes are numbered by blocker distance, then the own-stone bits before it.
  int base = 0;
  for (int d = 1; d <= 5; d++) {
    if (cellat(d) >= 2) {
      int bits = 0;
      for (int e = 1; e < d; e++) bits |= (cellat(e) == 1) << (e - 1);
      return base + bits;
    }
    base += 1 << (d - 1);
  }
  int bits = 0;
  for (int e = 1; e <= 5; e++) bits |= (cellat(e) == 1) << (e - 1);
  return base + bits;  // 31 + bits: no blocker within five cells
}

}  // namespace

void INITDYNAMO() {
  for (uint32_t half = 0; half < 1024; half++) {
    // Left half: distance d at bits 2(d-1); right half: distance d at bits 2(5-d).
    const int lc = CLASSOF([&](int d) { return int(half >> (2 * (d - 1))) & 3; });
    const int rc = CLASSOF([&](int d) { return int(half >> (2 * (5 - d))) & 3; });
    LEFTCLASS[half] = lc;
    RIGHTCLASS[half] = rc;
    CLASSLEFT[lc] = half;
    CLASSRIGHT[rc] = half;
    uint32_t s = 0;
    for (int c = 0; c < 5; c++) {
      uint32_t code = (half >> (2 * c)) & 3;
      if (code == 1 || code == 2) code ^= 3;
      s |= code << (2 * c);
    }
    SWAP10[half] = s;
  }
  for (uint32_t half = 0; half < 1024; half++) {
    HALF[half] = {uint16_t(LEFTCLASS[half] * 64), uint16_t(LEFTCLASS[SWAP10[half]] * 64),
                  RIGHTCLASS[half], RIGHTCLASS[SWAP10[half]]};
  }
  for (int lc = 0; lc < 63; lc++)
    for (int rc = 0; rc < 63; rc++)
      DYCLASS[lc * 64 + rc] = PATV(CLASSLEFT[lc] << 12 | CLASSRIGHT[rc]);

  // Windows with an occupied centre keep the zero they start with.
  for (uint32_t left = 0; left < 1024; left++) {
    const uint16_t* row = DYCLASS + LEFTCLASS[left] * 64;
    uint16_t* dyh = DYH + (left << 12);
    uint16_t* dyc = DYC + (SWAP10[left] << 12);
    for (uint32_t right = 0; right < 1024; right++) {
      const uint16_t v = row[RIGHTCLASS[right]];
      dyh[right] = v;
      dyc[SWAP10[right]] = v;
    }
  }
}
