// The main program's start-up and its command loop: one key code at a time
// from MYREADKEY, carried out to the end before the next is read. The front
// end keeps no turn order; the computer plays only after Enter and on Ins.
#include "game.h"
#include "keycodes.h"
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
    case KEY::ENTER:  // also a left click on a board cell
      if (!CANPLACE()) break;
      PLX();
      if (NOTP5) COMPUTERTURN();
      break;
    case 'X':
    case 'x':  // the stone whose glyph is the letter X, without a reply
      if (!CANPLACE()) break;
      if (PXO[1] == 'X')
        PLX();
      else
        PLO();
      break;
    case 'O':
    case 'o':  // the stone whose glyph is the letter O, without a reply
      if (!CANPLACE()) break;
      if (PXO[1] == 'X')
        PLO();
      else
        PLX();
      break;
    case KEY::INS:  // the computer moves
      if (NOTP5) COMPUTERTURN();
      break;
    case KEY::BACKSPACE:
      TAKEBACK();
      break;
    case KEY::TAB:
      TAB();
      break;
    case KEY::SHIFT_TAB:
      SHTAB();
      break;
    case 'N':
    case 'n':
      CLEAROBSTACLES();
      NEWGAME();
      break;
    case KEY::ALT_N:
      ALTNEWGAME();
      break;
    case '+':
      SIZESTEP(+1);
      break;
    case '-':
      SIZESTEP(-1);
      break;
    case KEY::SHIFT_F1:  // narrower
      if (V0 > MINBREADTH) {
        V0--;
        SKILL();
      }
      break;
    case KEY::SHIFT_F12:  // wider
      if (V0 < MAXBREADTH) {
        V0++;
        SKILL();
      }
      break;
    case KEY::CTRL_1:  // shallower
    case KEY::ALT_1:   // the same, for terminals that send Ctrl+1 as a plain "1"
      if (H0 > MINDEPTH) {
        H0--;
        SKILL();
      }
      break;
    case KEY::CTRL_8:  // deeper
    case KEY::ALT_8:   // the same, for terminals that send Ctrl+8 as Backspace
      if (H0 < MAXDEPTH) {
        H0++;
        SKILL();
      }
      break;
    case KEY::UP:
      CURUP();
      break;
    case KEY::DOWN:
      CURDOWN();
      break;
    case KEY::LEFT:
      CURLEFT();
      break;
    case KEY::RIGHT:
      CURRIGHT();
      break;
    case KEY::HOME:
      CURLEFT();
      CURUP();
      break;
    case KEY::PGUP:
      CURUP();
      CURRIGHT();
      break;
    case KEY::END:
      CURDOWN();
      CURLEFT();
      break;
    case KEY::PGDN:
      CURRIGHT();
      CURDOWN();
      break;
    case 'L':
    case 'l':
      if (!LOUD()) NOTICE(FILEWHY);
      break;
    case 'S':
    case 's':
      if (!SEJF()) NOTICE(FILEWHY);
      break;
    default:
      if (CODE >= KEY::F1 && CODE <= KEY::F12) {  // F1..F12 set the breadth 1..12
        V0 = CODE - KEY::F1 + 1;
        SKILL();
      } else if (CODE >= '1' && CODE <= '8') {  // the digits set the depth 1..8
        H0 = CODE - '0';
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
    NOTICEGONE();
    COMMAND(B);
    SOURAD();
  } while (B != KEY::ESC);
}

bool DOLMRUN() {
  DOLMSTART();
  DOLMLOOP();
  return SEJFCFG();
}
