// The main program's start-up and its command loop: one key code at a time
// from MYREADKEY, carried out to the end before the next is read. The front
// end keeps no turn order; the computer plays only after Enter and on Ins.
#include "game.h"
#include "mozek.h"
#include "myreadun.h"
#include "screen.h"

uint16_t B;

// The cursor moves over the playing area as over a torus: stepping off one
// edge comes back in at the opposite one.
void CURRIGHT() {
  if (KZ % SR == SR - 2) KZ = KZ - SR + 2;
  KZ = KZ + 1;
}

void CURLEFT() {
  if (KZ % SR == 1) KZ = KZ + SR - 2;
  KZ = KZ - 1;
}

void CURDOWN() {
  if (KZ / SR == SR - 2) KZ = KZ - (SR - 2) * SR;
  KZ = KZ + SR;
}

void CURUP() {
  if (KZ / SR == 1) KZ = KZ + (SR - 2) * SR;
  KZ = KZ - SR;
}

// A stone can go on the cursor cell: it is empty and no five stands.
static bool CANPLACE() { return FREECELL(KZ) && NOTP5; }

void COMMAND(uint16_t CODE) {
  switch (CODE) {
    case 0x000D:  // Enter, or a left click on a board cell
      if (!CANPLACE()) break;
      PLX();
      if (NOTP5) COMPUTERTURN();
      break;
    case 0x0058:
    case 0x0078:  // the stone whose glyph is the letter X, without a reply
      if (!CANPLACE()) break;
      if (PXO[1] == 'X')
        PLX();
      else
        PLO();
      break;
    case 0x004F:
    case 0x006F:  // the stone whose glyph is the letter O, without a reply
      if (!CANPLACE()) break;
      if (PXO[1] == 'X')
        PLO();
      else
        PLX();
      break;
    case 0x2029:  // Ins: the computer moves
      if (NOTP5) COMPUTERTURN();
      break;
    case 0x0008:
      TAKEBACK();
      break;
    case 0x0009:
      TAB();
      break;
    case 0x330F:
      SHTAB();
      break;
    case 0x004E:
    case 0x006E:
      CLEAROBSTACLES();
      NEWGAME();
      break;
    case 0x3831:
      ALTNEWGAME();
      break;
    case 0x002B:
      SIZESTEP(+1);
      break;
    case 0x002D:
      SIZESTEP(-1);
      break;
    case 0x2301:  // Shift+F1: narrower
      if (V0 > 1) {
        V0--;
        SKILL();
      }
      break;
    case 0x230C:  // Shift+F12: wider
      if (V0 < 18) {
        V0++;
        SKILL();
      }
      break;
    case 0x3402:  // Ctrl+1: shallower
      if (H0 > 1) {
        H0--;
        SKILL();
      }
      break;
    case 0x3409:  // Ctrl+8: deeper
      if (H0 < 10) {
        H0++;
        SKILL();
      }
      break;
    case 0x2021:
      CURUP();
      break;
    case 0x2027:
      CURDOWN();
      break;
    case 0x2023:
      CURLEFT();
      break;
    case 0x2025:
      CURRIGHT();
      break;
    case 0x2020:
      CURLEFT();
      CURUP();
      break;  // Home
    case 0x2022:
      CURUP();
      CURRIGHT();
      break;  // PgUp
    case 0x2026:
      CURDOWN();
      CURLEFT();
      break;  // End
    case 0x2028:
      CURRIGHT();
      CURDOWN();
      break;  // PgDn
    case 0x004C:
    case 0x006C:
      LOUD();
      break;
    case 0x0053:
    case 0x0073:
      SEJF();
      break;
    default:
      if (CODE >= 0x2001 && CODE <= 0x200C) {  // F1..F12 set the breadth
        V0 = CODE & 0xFF;
        SKILL();
      } else if (CODE >= 0x0031 && CODE <= 0x0038) {  // 1..8 set the depth
        H0 = CODE - 0x30;
        SKILL();
      }
      break;
  }
}

void DOLMSTART() {
  STATICSCREEN();
  PXO[1] = 'X';
  PXO[2] = 'O';
  CLEAROBSTACLES();
  LOUDCFG();
  SETSIZE(SR);  // the side the settings chose
  NEWGAME();
}

void DOLMLOOP() {
  do {
    B = MYREADKEY();
    COMMAND(B);
    SOURAD();
  } while (B != 0x001B);
}

void DOLMRUN() {
  DOLMSTART();
  DOLMLOOP();
  SEJFCFG();
}
