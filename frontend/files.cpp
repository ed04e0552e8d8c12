// The settings file "dolm.cfg" and the saved game "dolm.dat": raw 16-bit
// little-endian numbers and single glyph bytes in a fixed order, encoded
// byte by byte so the files are the same on any machine. A file is read whole
// and checked before anything changes, so a short or damaged one is refused
// as a whole; a file is written through a temporary file and a rename, so a
// failed write leaves the previous one as it was.
#include <cstring>

#include "fileio.h"
#include "game.h"
#include "mozek.h"

// The image of one file on its way in or out; the saved game is the larger.
static uint8_t BUF[DATSIZE];
// Cells taken while a saved game's moves are checked before replaying them.
static bool TAKEN[CELLCOUNT];

// Offsets of the fields of "dolm.dat".
enum : int {
  DATPT = 0,
  DATPP = 2,
  DATPHC = 970,
  DATV0 = 2122,
  DATH0 = 2124,
  DATPHC0 = 2126,
  DATPXO = 2610,
  DATSR = 2612,
};

// The 16-bit number stored least significant byte first at BUF[AT].
static uint16_t GETW(int AT) { return GET16(BUF + AT); }

// Store V least significant byte first at BUF[AT].
static void PUTW(int AT, uint16_t V) { PUT16(BUF + AT, V); }

// Read the first LEN bytes of file NAME into BUF; false when the file cannot
// be opened or ends early. Bytes after them are not read.
static bool READFILE(const char* NAME, int LEN) { return LOADFILE(NAME, BUF, size_t(LEN)) == LEN; }

void LOUDCFG() {
  if (!READFILE("dolm.cfg", CFGSIZE)) return;
  uint16_t V = GETW(0), H = GETW(2), SIDE = GETW(4);
  if (V < 1 || V > 18 || H < 1 || H > 10 || SIDE < SRMIN || SIDE > SRMAX) return;
  V0 = V;
  H0 = H;
  SR = SIDE;
  PXO[1] = char(BUF[6]);
  PXO[2] = char(BUF[7]);
}

bool SEJFCFG() {
  PUTW(0, V0);
  PUTW(2, H0);
  PUTW(4, SR);
  BUF[6] = uint8_t(PXO[1]);
  BUF[7] = uint8_t(PXO[2]);
  return SAVEFILE("dolm.cfg", BUF, CFGSIZE);
}

bool SEJF() {
  PUTW(DATPT, PT);
  for (int J = 0; J < CELLCOUNT; J++) PUTW(DATPP + 2 * J, PP[J]);
  for (int K = 0; K < PHCSIZE; K++) PUTW(DATPHC + 2 * K, PHC[K]);
  PUTW(DATV0, V0);
  PUTW(DATH0, H0);
  std::memcpy(BUF + DATPHC0, PHC0, CELLCOUNT);
  BUF[DATPXO] = uint8_t(PXO[1]);
  BUF[DATPXO + 1] = uint8_t(PXO[2]);
  PUTW(DATSR, SR);
  return SAVEFILE("dolm.dat", BUF, DATSIZE);
}

// Whether the saved game in BUF keeps every limit the program relies on: the
// board side, the skill, a move list within the board whose first PT moves
// fall on distinct empty playable cells that are no obstacles.
static bool SAVEDGAMEOK() {
  uint16_t N = GETW(DATPT), V = GETW(DATV0), H = GETW(DATH0), SIDE = GETW(DATSR);
  if (SIDE < SRMIN || SIDE > SRMAX || V < 1 || V > 18 || H < 1 || H > 10) return false;
  if (N > (SIDE - 2) * (SIDE - 2)) return false;
  for (int J = 0; J < CELLCOUNT; J++) {
    if (GETW(DATPP + 2 * J) >= CELLCOUNT) return false;
  }
  for (int K = 0; K < CELLCOUNT; K++) TAKEN[K] = false;
  for (int Y = 1; Y <= SIDE - 2; Y++) {
    for (int X = 1; X <= SIDE - 2; X++) TAKEN[Y * SIDE + X] = BUF[DATPHC0 + Y * SIDE + X] != 0;
  }
  for (int J = 1; J <= N; J++) {
    uint16_t C = GETW(DATPP + 2 * J);
    int X = C % SIDE, Y = C / SIDE;
    if (X < 1 || X > SIDE - 2 || Y < 1 || Y > SIDE - 2 || TAKEN[C]) return false;
    TAKEN[C] = true;
  }
  return true;
}

void LOUD() {
  if (!READFILE("dolm.dat", DATSIZE) || !SAVEDGAMEOK()) return;
  uint16_t N = GETW(DATPT);
  for (int J = 0; J < CELLCOUNT; J++) PP[J] = GETW(DATPP + 2 * J);
  for (int K = 0; K < PHCSIZE; K++) S[K] = GETW(DATPHC + 2 * K);
  V0 = GETW(DATV0);
  H0 = GETW(DATH0);
  std::memcpy(PHC0, BUF + DATPHC0, CELLCOUNT);
  PXO[1] = char(BUF[DATPXO]);
  PXO[2] = char(BUF[DATPXO + 1]);
  SETSIZE(GETW(DATSR));
  NEWGAME();
  OLDGAME();
  LOUDER(N, S);
}
