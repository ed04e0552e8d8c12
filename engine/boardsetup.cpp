// Setting the engine up for a board side: keys, directions, line geometry,
// frame, board picture and clean line stacks; and the key file of each side.
#include <algorithm>
#include <cstdio>

#include "fileio.h"
#include "mozek_internal.h"

bool KEYSDRAWN;
bool KEYFILES = true;

constexpr size_t KEYFILESIZE = 3640;  // 453 + 453 cell keys and 4 side keys, 4 bytes each

void KEYFILENAME(uint16_t sr, char* buf) { std::snprintf(buf, 16, "kanec%u.rnd", unsigned(sr)); }

// A key the program draws is never 0.
static uint32_t NEWKEY() { return RANDOM(4294967295u) + 1; }

// Read the key file of the board in force; false when it is missing or short,
// in which case no key has been changed.
static bool READKEYS() {
  char name[16];
  KEYFILENAME(SR, name);
  uint8_t buf[KEYFILESIZE];
  if (LOADFILE(name, buf, KEYFILESIZE) != static_cast<long>(KEYFILESIZE)) return false;
  for (int c = 8; c <= 460; c++) {
    PIDX[c] = GET32(buf + 4 * (c - 8));
    PKEY[c] = GET32(buf + 1812 + 4 * (c - 8));
  }
  HXI = GET32(buf + 3624);
  HXK = GET32(buf + 3628);
  HOI = GET32(buf + 3632);
  HOK = GET32(buf + 3636);
  return true;
}

static void DRAWKEYS() {
  const int N = SR - 2;
  RANDCLOCK();
  for (int x = 1; x <= N; x++)
    for (int y = 1; y <= N; y++) {
      const int c = x + SR * y;
      PIDX[c] = NEWKEY();
      PKEY[c] = NEWKEY();
    }
  HXI = NEWKEY();
  HXK = NEWKEY();
  HOI = NEWKEY();
  HOK = NEWKEY();
}

void INITDOLM() {
  const int N = SR - 2;
  SRXSR_SR_2 = SR * SR - SR - 2;

  KEYSDRAWN = !KEYFILES || !READKEYS();
  if (KEYSDRAWN) DRAWKEYS();

  const int16_t steps[8] = {1,  int16_t(SR - 1), int16_t(SR),  int16_t(SR + 1),
                            -1, int16_t(1 - SR), int16_t(-SR), int16_t(-SR - 1)};
  for (int d = 0; d < 8; d++) PSV[d] = steps[d];

  // Board picture: shades on the playing area, digits along the top and left.
  for (int i = SR + 1; i <= SR * SR - SR + 2; i++) PR[i] = ((i % SR + i / SR) & 1) ? 176 : 177;
  for (int x = 1; x <= N; x++) {
    PR[x] = '0' + x % 10;
    PR[SR * SR - SR + x] = ' ';
  }
  for (int y = 1; y <= N; y++) {
    PR[y * SR] = '0' + y % 10;
    PR[y * SR + SR - 1] = ' ';
  }
  PR[0] = PR[SR - 1] = PR[SR * SR - SR] = PR[SR * SR - 1] = ' ';

  // Steps from each cell to both ends of its four lines, one byte per
  // direction, direction 3 in the high byte.
  for (int x = 1; x <= N; x++)
    for (int y = 1; y <= N; y++) {
      const int c = x + SR * y;
      const int back[4] = {x - 1, std::min(N - x, y - 1), y - 1, std::min(x, y) - 1};
      const int fwd[4] = {N - x, std::min(x - 1, N - y), N - y, std::min(N - x, N - y)};
      uint32_t z = 0, k = 0;
      for (int d = 3; d >= 0; d--) {
        z = (z << 8) | back[d];
        k = (k << 8) | fwd[d];
      }
      MEZEZ[c] = z;
      MEZEK[c] = k;
    }

  // The whole board becomes frame (CLEARDATA empties the playing area); the
  // margin below it, which line scans may read, stays empty.
  for (int i = 0; i < SR * SR; i++) PHC[i] = 3;
  for (int i = SR * SR; i <= SR * SR + 4 * SR + 3; i++) PHC[i] = 0;

  for (int i = 0; i <= 28398; i++) BSX[i] = BSO[i] = 0;
}

void MOZEKDONE() {
  if (!KEYFILES) return;
  uint8_t buf[KEYFILESIZE];
  for (int c = 8; c <= 460; c++) {
    PUT32(buf + 4 * (c - 8), PIDX[c]);
    PUT32(buf + 1812 + 4 * (c - 8), PKEY[c]);
  }
  PUT32(buf + 3624, HXI);
  PUT32(buf + 3628, HXK);
  PUT32(buf + 3632, HOI);
  PUT32(buf + 3636, HOK);
  char name[16];
  KEYFILENAME(SR, name);
  SAVEFILE(name, buf, KEYFILESIZE);  // a key file that cannot be written is simply not kept
}
