// The game record as the front end changes it: placing stones of either
// side, new games, obstacles, replays of the move list with the sides or the
// glyphs exchanged, take-back and the board-size step. The moves themselves
// live in the engine's PP/PT; a move's side is the content of its cell.
#include "boardgeom.h"
#include "game.h"
#include "mozek.h"
#include "screen.h"

bool NOTP5 = true;
uint8_t PHC0[CELLCOUNT];
char A;
uint16_t S[PHCSIZE];

void PLX() {
  OBRX();
  PLACE(KZ, SIDEX);
  NOTP5 = NPET();
  PTINF();
}

void PLO() {
  OBRO();
  PLACE(KZ, SIDEO);
  NOTP5 = NPET();
  PTINF();
}

void NEWGAME() {
  CLEARDATA();
  BOARDPICTURE();
  SKILL();
  PTINF();
  SOURAD();
  NOTP5 = true;
}

void OLDGAME() {
  TextColor(WHITE);
  TextBackground(BROWN);
  for (int R = 1; R <= SR - 2; R++) {
    for (int C = 1; C <= SR - 2; C++) {
      int K = R * SR + C;
      if (PHC0[K] == 0) continue;
      GotoXY(C, R);
      WriteChar(PHC0[K]);
      WriteChar(8);
      PHC[K] = 3;
    }
  }
}

void ALTNEWGAME() {
  for (int R = 1; R <= SR - 2; R++) {
    for (int C = 1; C <= SR - 2; C++) {
      int K = R * SR + C;
      // The glyph the stone shows now; earlier obstacles keep theirs.
      if (PHC[K] == 1 || PHC[K] == 2) PHC0[K] = uint8_t(PXO[PHC[K]]);
    }
  }
  NEWGAME();
  OLDGAME();
}

void LOUDER(uint16_t N, const uint16_t* SIDES) {
  // Called right after NEWGAME, so each placement writes back into PP[J]
  // the cell that is already there.
  for (uint16_t J = 1; J <= N; J++) {
    KZ = PP[J];
    GOTOCELL(SR, KZ);
    if (SIDES[KZ] == 1) {
      PLX();
    } else {
      PLO();
    }
  }
}

// The cells of the board in force plus the margin the line scan reads.
static int SNAPSIZE() { return (SR + 4) * SR + 4; }

void TAB() {
  uint16_t N = PT;
  // 1 and 2 change places; what becomes of 0 and 3 is never read.
  for (int K = 0; K < SNAPSIZE(); K++) S[K] = PHC[K] ^ 3;
  NEWGAME();
  OLDGAME();
  LOUDER(N, S);
}

void SHTAB() {
  A = PXO[1];
  PXO[1] = PXO[2];
  PXO[2] = A;
  uint16_t N = PT;
  for (int K = 0; K < SNAPSIZE(); K++) S[K] = PHC[K];
  NEWGAME();
  OLDGAME();
  LOUDER(N, S);
}

void TAKEBACK() {
  if (PT == 0) return;
  if (!NOTP5) {
    BKPET();
    NOTP5 = true;
  }
  UNPLACE();
  PTINF();
  OBRR();
}

void CLEAROBSTACLES() {
  for (int K = 0; K < SR * SR; K++) PHC0[K] = 0;
}

void SIZESTEP(int d) {
  int T = SR + d;
  if (T > SRMAX || T < SRMIN) return;
  SETSIZE(uint16_t(T));
  CLEAROBSTACLES();
  NEWGAME();
}
