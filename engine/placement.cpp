// Stones entering and leaving the board: GOX/GOO re-evaluate the four lines
// through the new stone and push a frame on each line's value stack; BKSP
// pops those frames, so a take-back restores every value without evaluating.
#include "mozek.h"

// Enter cell c into a five register; the oldest of three falls out.
static inline void ENTER5(uint32_t& reg, uint16_t c) { reg = (reg << 16) | c; }

void PERO() {
  const int m = (K - Z) / D0 + 1;
  const uint16_t P = BSX[BR];
  const uint16_t Q = P + m;
  // Window of 2-bit cell codes: the frame cell before the line and the first
  // five cells; each slide brings in the cell five steps ahead of the centre.
  uint32_t w = 0;
  for (int k = -1; k <= 4; k++) w = (w << 2) | PHC[Z + k * D0];
  int i = 0;
  for (uint16_t c = Z; c <= K; c += D0, i++) {
    w = (w & 0xFFFFF) << 2;
    if (c + 4 * D0 <= K) w |= PHC[c + D05];

    uint16_t v = DYH[w];
    PSH[c] = PSH[c] - BSX[P + i] + v;
    SUMX = SUMX - BSX[P + i] + v;
    BSX[Q + i] = v;
    if ((v & GOX5) >= 4099) ENTER5(X5, c);

    v = DYC[w];
    PSC[c] = PSC[c] - BSO[P + i] + v;
    SUMO = SUMO - BSO[P + i] + v;
    BSO[Q + i] = v;
    if ((v & GOO5) >= 4099) ENTER5(O5, c);

    PS[c] = PSH[c] + PSC[c];
  }
  BSX[BR] = Q;
}

void GUMA() {
  const int m = (K - Z) / D0 + 1;
  const uint16_t P = BSX[BR];
  for (int i = m - 1; i >= 0; i--) {
    const uint16_t c = Z + i * D0;
    PSH[c] -= BSX[P + i];
    SUMX -= BSX[P + i];
    PSC[c] -= BSO[P + i];
    SUMO -= BSO[P + i];

    uint16_t v = BSX[P - m + i];
    PSH[c] += v;
    SUMX += v;
    if (v >= 4099) ENTER5(X5, c);

    v = BSO[P - m + i];
    PSC[c] += v;
    SUMO += v;
    if (v >= 4099) ENTER5(O5, c);

    PS[c] = PSH[c] + PSC[c];
  }
  BSX[BR] = P - m;
}

// Run a line procedure over the four lines through KZ, directions 0 to 3.
static inline void FOURLINES(void (*line)()) {
  MEZZ = MEZEZ[KZ];
  MEZK = MEZEK[KZ];
  for (int d = 0; d < 4; d++) {
    D0 = PSV[d];
    D05 = 5 * D0;
    BR = DBS[KZ][d];
    Z = KZ - D0 * (MEZZ & 255);
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
