// Stones entering and leaving the board: GOX/GOO re-evaluate the four lines
// through the new stone and push a frame on each line's value stack; BKSP
// pops those frames, so a take-back restores every value without evaluating.
#include "mozek_internal.h"

// Enter cell c into a five register; the oldest of three falls out.
static inline void ENTER5(uint32_t& reg, uint16_t c) { reg = (reg << 16) | c; }

// Whether one of n stack values completes five (VFIVE or more). No pattern
// value lies between 1029 and 4099, so a bit at or above 4096 in the or of
// all values says it; the or vectorises, and the usual line without a five
// is passed over at once.
static inline bool ANYFIVE(const uint16_t* v, int n) {
  uint16_t bits = 0;
  for (int i = 0; i < n; i++) bits |= v[i];
  static_assert(VFIVE >= 4096 && 1029 < 4096);
  return bits >= 4096;
}

// A stone changes the values of a cell only within five steps of it along
// the line, so the new frame starts as a copy of the old one and only those
// cells are looked up again; the five register still sees every cell of the
// line, first to last.
void PERO() {
  const int m = MM;
  const uint16_t P = BSX[BR];
  const uint16_t Q = P + m;
  uint16_t* const fx = &BSX[Q];
  uint16_t* const fo = &BSO[Q];
  for (int i = 0; i < m; i++) {
    fx[i] = fx[i - m];
    fo[i] = fo[i - m];
  }
  // A line of fewer than five cells has no room for five: all its values are 0.
  if (m < 5) {
    BSX[BR] = Q;
    return;
  }

  // The window of 2-bit cell codes around the first cell to look up, as
  // sliding along the line from its start would leave it: cells before the
  // frame cell that opens the line and past the one that closes it read as
  // empty. Each step then slides in the cell five ahead of the new centre.
  // Locals, not the unit's variables, so the stores to the stacks do not
  // make the compiler read them again.
  const int z = Z, k = K, d0 = D0;
  const int lo = KI > 5 ? KI - 5 : 0;
  const int hi = KI + 5 < m ? KI + 5 : m - 1;
  int c = z + lo * d0;
  uint32_t w = 0;
  for (int e = -5; e <= 5; e++) {
    const int x = c + e * d0;
    w = (w << 2) | (x >= z - d0 && x <= k + d0 ? PHC[x] : 0);
  }
  uint32_t sx = SUMX, so = SUMO;
  for (int i = lo; i <= hi; i++, c += d0) {
    // Past the frame cell that closes the line the window takes in whatever
    // lies there (the margin below the board keeps the read inside PHC): no
    // value depends on a cell beyond a frame cell, so that changes nothing.
    if (i > lo) w = ((w & 0xFFFFF) << 2) | PHC[c + 5 * d0];
    // DYH[w] and DYC[w], read through the half-window classes (an occupied
    // centre, the new stone's cell among them, is worth 0 to both sides).
    // A cell whose value cannot change just gets it again.
    const HALFCLASS &l = HALF[(w >> 12) & 1023], &r = HALF[w & 1023];
    const uint16_t mask = (w & 0xC00) ? 0 : 0xFFFF;
    const uint16_t vx = DYCLASS[l.LX + r.RX] & mask;
    const uint16_t vo = DYCLASS[l.LO + r.RO] & mask;
    const uint16_t ox = fx[i], oo = fo[i];
    fx[i] = vx;
    fo[i] = vo;
    sx += vx - ox;
    so += vo - oo;
    const uint16_t h = PSH[c] - ox + vx, o = PSC[c] - oo + vo;
    PSH[c] = h;
    PSC[c] = o;
    PS[c] = h + o;
  }
  SUMX = sx;
  SUMO = so;

  // Only the mover's register is filled (GOX5 / GOO5 are 0 or 0xFFFF).
  const uint16_t* own = GOX5 ? fx : fo;
  uint32_t& reg = GOX5 ? X5 : O5;
  if (ANYFIVE(own, m))
    for (int i = 0; i < m; i++)
      if (own[i] >= VFIVE) ENTER5(reg, uint16_t(Z + i * D0));
  BSX[BR] = Q;
}

// The frames differ only within five steps of the freed cell; every cell of
// the line, last to first, may enter the five registers again.
void GUMA() {
  const int m = MM;
  const uint16_t P = BSX[BR];
  const uint16_t *cx = &BSX[P], *co = &BSO[P];          // the frame taken off
  const uint16_t *px = &BSX[P - m], *po = &BSO[P - m];  // the frame it restores
  const int lo = KI > 5 ? KI - 5 : 0;
  const int hi = KI + 5 < m ? KI + 5 : m - 1;
  const int z = Z, d0 = D0;
  uint32_t sx = SUMX, so = SUMO;
  for (int i = lo; i <= hi; i++) {
    const int c = z + i * d0;
    const uint16_t h = PSH[c] - cx[i] + px[i], o = PSC[c] - co[i] + po[i];
    sx += px[i] - cx[i];
    so += po[i] - co[i];
    PSH[c] = h;
    PSC[c] = o;
    PS[c] = h + o;
  }
  SUMX = sx;
  SUMO = so;
  if (ANYFIVE(px, m))
    for (int i = m - 1; i >= 0; i--)
      if (px[i] >= VFIVE) ENTER5(X5, uint16_t(Z + i * D0));
  if (ANYFIVE(po, m))
    for (int i = m - 1; i >= 0; i--)
      if (po[i] >= VFIVE) ENTER5(O5, uint16_t(Z + i * D0));
  BSX[BR] = P - m;
}

// Run a line procedure over the four lines through KZ, directions 0 to 3.
static inline void FOURLINES(void (*line)()) {
  MEZZ = MEZEZ[KZ];
  MEZK = MEZEK[KZ];
  for (int d = 0; d < 4; d++) {
    D0 = PSV[d];
    BR = DBS[KZ][d];
    KI = MEZZ & 255;
    MM = KI + (MEZK & 255) + 1;
    Z = KZ - D0 * KI;
    MEZZ >>= 8;
    K = KZ + D0 * (MEZK & 255);
    MEZK >>= 8;
    line();
  }
}

void GOX() {
  NODES++;
  PP[++PT] = KZ;
  PHC[KZ] = 1;
  GOX5 = 0xFFFF;
  GOO5 = 0;
  FOURLINES(PERO);
}

void GOO() {
  NODES++;
  PP[++PT] = KZ;
  PHC[KZ] = 2;
  GOO5 = 0xFFFF;
  GOX5 = 0;
  FOURLINES(PERO);
}

void BKSP() {
  KZ = PP[PT];
  PHC[KZ] = 0;
  X5 = 0;
  O5 = 0;
  FOURLINES(GUMA);
  PT--;
}

// Withdraw every copy of cell c from a register: a cell that completes five
// on two lines is entered twice, and a copy left behind would later be taken
// for an empty cell.
static inline void WITHDRAW(uint32_t& reg, uint16_t c) {
  uint32_t lo = reg & 0xFFFF, hi = reg >> 16;
  if (hi == c) hi = 0;
  if (lo == c) {
    lo = hi;
    hi = 0;
  }
  reg = (hi << 16) | lo;
}

void X5O5() {
  WITHDRAW(X5, KZ);
  WITHDRAW(O5, KZ);
}
