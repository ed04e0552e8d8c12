// The engine's global state, a new game (CLEARDATA), the search budget, and
// the unit's start-up and shut-down.
#include "mozek.h"

uint16_t SR = 22;
uint16_t SRXSR_SR_2;
uint16_t PHC[576];
char PXO[3] = {' ', 'X', 'O'};
int16_t PSV[8];
uint32_t MEZEZ[461], MEZEK[461];
uint32_t MEZZ, MEZK;
uint16_t DBS[461][4];
uint16_t BSX[28400], BSO[28400];
uint16_t PT;
uint16_t PP[484];
uint16_t KZ;
uint16_t PSH[484], PSC[484], PS[484];
uint32_t SUMX = 1, SUMO = 1;
uint32_t X5, O5;
uint16_t DYH[4194304], DYC[4194304];
HALFCLASS HALF[1024];
uint16_t DYCLASS[63 * 64];
uint32_t PIDX[461], PKEY[461];
uint32_t HXI, HXK, HOI, HOK;
uint16_t VSTUP = 32667;
uint16_t V0 = 12;
uint16_t H0 = 8;
int16_t I, J, L;
uint16_t Z, K;
uint16_t BR;
uint16_t KI;
uint16_t MM;
uint16_t D0, D05;
uint16_t GOX5, GOO5;
uint64_t NODES;
uint16_t PR[484];

// Give every line of the board its stretch of the value stacks. A line of m
// cells owns m*m + m + 1 slots from its base: the pointer, the initial frame
// of m zeros and one frame per stone it can hold. Lines are laid out rows,
// anti-diagonals (from the top row, then from the right column), columns,
// diagonals (from the top row, then from the left column).
static void LAYLINE(int x, int y, int dx, int dy, int m, int d) {
  BSX[L] = L + 1;
  for (int k = 0; k < m; k++) DBS[(y + k * dy) * SR + x + k * dx][d] = L;
  L += m * m + m + 1;
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
  SR = 22;
  INITDYNAMO();
  INITDOLM();
  CLEARDATA();
}
