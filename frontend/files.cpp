// The settings file "dolm.cfg" and the saved game "dolm.dat": raw 16-bit
// little-endian numbers and single glyph bytes in a fixed order, encoded
// byte by byte so the files are the same on any machine. A file is read whole
// and checked before anything changes, so a short or damaged one is refused
// as a whole; a file is written through a temporary file and a rename, so a
// failed write leaves the previous one as it was. A failure leaves one line
// for the player in FILEWHY.
#include <cstdio>
#include <cstring>

#include "fileio.h"
#include "game.h"
#include "mozek.h"

// The image of one file on its way in or out; the saved game is the larger.
static uint8_t BUF[DATSIZE];
// A saved game's board while its moves are checked before replaying them:
// 0 empty, 1 side X, 2 side O, 3 frame or obstacle.
static uint8_t TRIAL[CELLCOUNT];
char FILEWHY[80];

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
// be opened or ends early, with FILEWHY telling the player. Bytes after them are not read.
static bool READFILE(const char* NAME, int LEN) {
  const long GOT = LOADFILE(NAME, BUF, size_t(LEN));
  if (GOT < 0)
    std::snprintf(FILEWHY, sizeof FILEWHY, "Not loaded: %s: %s", NAME, FILEFAULTTEXT(FILEFAULT));
  if (GOT >= 0 && GOT < LEN)
    std::snprintf(FILEWHY, sizeof FILEWHY, "Not loaded: %s is damaged", NAME);
  return GOT == LEN;
}

// Write BUF[0 .. LEN-1] as file NAME; when that fails FILEWHY tells the player why.
static bool WRITEFILE(const char* NAME, int LEN) {
  if (SAVEFILE(NAME, BUF, size_t(LEN))) return true;
  std::snprintf(FILEWHY, sizeof FILEWHY, "Not saved: %s: %s", NAME, FILEFAULTTEXT(FILEFAULT));
  return false;
}

// Whether G can stand for a side or an obstacle: the screen takes 0, 7, 8, 10
// and 13 as controls, and 0 marks a cell without an obstacle.
static bool GLYPHOK(uint8_t G) { return G != 0 && G != 7 && G != 8 && G != 10 && G != 13; }

void LOUDCFG() {
  if (!READFILE("dolm.cfg", CFGSIZE)) return;
  uint16_t V = GETW(0), H = GETW(2), SIDE = GETW(4);
  if (V < MINBREADTH || V > MAXBREADTH || H < MINDEPTH || H > MAXDEPTH || SIDE < SRMIN ||
      SIDE > SRMAX)
    return;
  if (!GLYPHOK(BUF[6]) || !GLYPHOK(BUF[7])) return;
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
  return WRITEFILE("dolm.cfg", CFGSIZE);
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
  return WRITEFILE("dolm.dat", DATSIZE);
}

// Whether the stone just put on cell C of TRIAL (a board of side SIDE) joins
// five or more of its side along one of the four lines. The frame stops every walk.
static bool TRIALFIVE(int C, int SIDE) {
  const int STEPS[4] = {1, SIDE - 1, SIDE, SIDE + 1};
  for (int STEP : STEPS) {
    int RUN = 1;
    for (int K = C - STEP; TRIAL[K] == TRIAL[C]; K -= STEP) RUN++;
    for (int K = C + STEP; TRIAL[K] == TRIAL[C]; K += STEP) RUN++;
    if (RUN >= 5) return true;
  }
  return false;
}

// Whether the saved game in BUF is one the game could have written, so its
// replay is sound: the board side and the skill within their ranges, side and
// obstacle glyphs the screen can draw, and moves that fall one by one on
// empty playable cells, each saved as a stone of side X or O, with no five
// before the last move (play stops at a five).
static bool SAVEDGAMEOK() {
  uint16_t N = GETW(DATPT), V = GETW(DATV0), H = GETW(DATH0), SIDE = GETW(DATSR);
  if (SIDE < SRMIN || SIDE > SRMAX || V < MINBREADTH || V > MAXBREADTH || H < MINDEPTH ||
      H > MAXDEPTH)
    return false;
  if (N > (SIDE - 2) * (SIDE - 2)) return false;
  if (!GLYPHOK(BUF[DATPXO]) || !GLYPHOK(BUF[DATPXO + 1])) return false;
  for (int J = 0; J < CELLCOUNT; J++) {
    if (GETW(DATPP + 2 * J) >= CELLCOUNT) return false;
  }
  for (int K = 0; K < CELLCOUNT; K++) TRIAL[K] = 3;
  for (int Y = 1; Y <= SIDE - 2; Y++) {
    for (int X = 1; X <= SIDE - 2; X++) {
      const uint8_t G = BUF[DATPHC0 + Y * SIDE + X];
      if (G != 0 && !GLYPHOK(G)) return false;
      TRIAL[Y * SIDE + X] = G != 0 ? 3 : 0;
    }
  }
  for (int J = 1; J <= N; J++) {
    const uint16_t C = GETW(DATPP + 2 * J), CODE = GETW(DATPHC + 2 * C);
    if (TRIAL[C] != 0 || (CODE != 1 && CODE != 2)) return false;
    TRIAL[C] = uint8_t(CODE);
    if (J < N && TRIALFIVE(C, SIDE)) return false;
  }
  return true;
}

bool LOUD() {
  if (!READFILE("dolm.dat", DATSIZE)) return false;
  if (!SAVEDGAMEOK()) {
    std::snprintf(FILEWHY, sizeof FILEWHY, "Not loaded: dolm.dat is damaged");
    return false;
  }
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
  return true;
}
