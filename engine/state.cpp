// The engine's global state, a new game (CLEARDATA), the search budget, and
// the unit's start-up and shut-down.
#include <cassert>

#include "mozek_internal.h"

uint16_t SR = SRMAX;
uint16_t SRXSR_SR_2;
uint16_t PHC[PHCSIZE];
char PXO[3] = {' ', 'X', 'O'};
int16_t PSV[8];
uint32_t MEZEZ[PLAYCOUNT], MEZEK[PLAYCOUNT];
uint32_t MEZZ, MEZK;
uint16_t DBS[PLAYCOUNT][4];
uint16_t BSX[STACKSIZE], BSO[STACKSIZE];
uint16_t PT;
uint16_t PP[CELLCOUNT];
uint16_t KZ;
uint16_t PSH[CELLCOUNT], PSC[CELLCOUNT], PS[CELLCOUNT];
uint32_t SUMX = 1, SUMO = 1;
uint32_t X5, O5;
uint16_t DYH[PATTERNCOUNT], DYC[PATTERNCOUNT];
HALFCLASS HALF[1024];
uint16_t DYCLASS[63 * 64];
uint32_t PIDX[PLAYCOUNT], PKEY[PLAYCOUNT];
uint32_t HXI, HXK, HOI, HOK;
uint16_t VSTUP = 32667;
uint16_t V0 = 12;
uint16_t H0 = 8;
int16_t L;
uint16_t Z, K;
uint16_t BR;
uint16_t KI;
uint16_t MM;
uint16_t D0;
uint16_t GOX5, GOO5;
uint64_t NODES;
uint16_t PR[CELLCOUNT];

// Give every line of the board its stretch of the value stacks. A line of m
// cells owns m*m + m + 1 slots from its base: the pointer, the initial frame
// of m zeros and one frame per stone it can hold. Lines are laid out rows,
// anti-diagonals (from the top row, then from the right column), columns,
// diagonals (from the top row, then from the left column).
static void LAYLINE(int x, int y, int dx, int dy, int m, int d) {
  BSX[L] = L + 1;
  for (int k = 0; k < m; k++) DBS[(y + k * dy) * SR + x + k * dx][d] = L;
  L += m * m + m + 1;
  assert(L <= STACKSIZE - 1);  // the largest board's layout ends at slot 28397
}

void CLEARDATA() {
  const int N = SR - 2;
  for (int i = SR + 1; i <= SRXSR_SR_2; i++) PS[i] = PSH[i] = PSC[i] = 0;
  for (int y = 1; y <= N; y++)
    for (int x = 1; x <= N; x++) PHC[y * SR + x] = 0;

  L = 0;
  for (int y = 1; y <= N; y++) LAYLINE(1, y, 1, 0, N, 0);
  for (int x = 1; x <= N; x++) LAYLINE(x, 1, -1, 1, x, 1);
  for (int y = 2; y <= N; y++) LAYLINE(N, y, -1, 1, N - y + 1, 1);
  for (int x = 1; x <= N; x++) LAYLINE(x, 1, 0, 1, N, 2);
  for (int x = 1; x <= N; x++) LAYLINE(x, 1, 1, 1, N + 1 - x, 3);
  for (int y = 2; y <= N; y++) LAYLINE(1, y, 1, 1, N - y + 1, 3);

  PT = 0;
  SUMO = 1;
  SUMX = 1;
  X5 = O5 = 0;
  KZ = (SR & 1) ? SR * SR / 2 : SR * SR / 2 - SR / 2 - 1;
}

uint64_t INTANAEN(uint16_t A, uint16_t N) {
  uint64_t r = 1;
  for (uint16_t n = 0; n < N; n++) r *= A;
  return r;
}

void MOZEKINIT() {
  SR = SRMAX;
  INITDYNAMO();
  INITDOLM();
  CLEARDATA();
}
