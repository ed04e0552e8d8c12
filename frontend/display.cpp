// What the screen shows and where: the static screen, the board picture, the
// stones, the move count, the cursor coordinates and the skill line. Where the
// board's cells stand is boardgeom.h's; between commands its board window is
// current, so GotoXY(c, r) reaches cell (c, r) and the visible text cursor marks KZ.
#include <string_view>

#include "boardgeom.h"
#include "game.h"
#include "mozek.h"
#include "screen.h"

// Row 2 from column 1: eight blanks put the text under the title. Both lines
// speak of the keys and the cursor only, never of who has X or O, so they
// stay true after Tab and Shift+Tab.
static constexpr std::string_view CREDIT =
    "        Enter or a left click plays the cursor cell, then the computer replies.";
// Row 25 from column 9; it must end before column 80, where a write would scroll.
// Character 4 is the diamond a completed five is drawn in.
static constexpr std::string_view CONTACT =
    "Five in a line wins, shown in \x04. BkSp takes back a move, Esc quits.";
static_assert(CREDIT.size() <= 79 && CONTACT.size() <= 71);

void CONTACTLINE() {
  Window(1, 1, SCRW, SCRH);
  TextColor(LIGHTGREY);
  TextBackground(CYAN);
  GotoXY(9, SCRH);
  WriteStr(CONTACT);
}

// The hot-key panel as written into its 13-column window: a text of 13
// characters fills its row and the cursor wraps by itself, so no line end
// follows it; the long texts break at the panel's edge onto the next row.
static constexpr const char* PANEL[] = {
    " Hot keys:",     "",
    "Skill:",         " <F1>..<F12>  <1>..<8>",
    "Board size:",    " <+>,<->",
    "Cursor:",        " <\x18>,<\x19>",
    " <\x1a>,<\x1b>", " <Home><PgUp>",
    " <End>,<PgDn>",  "Moves:",
    " <Enter><X,O>",  " <BkSp>,<Ins> <Tab,ShiTab>",
    "New,Load,Save",  " <N>,<Alt+N>  <L>,<S>",
    "Quit:",          " <Esc>",
};

// The hot-key panel's window.
static constexpr Rect PANELWIN = {26, 3, 38, 24};
// Cleared before each board picture: the picture of the largest board (side
// 22) and the column to its left, where the coordinates of the smallest (side 7) start.
static constexpr Rect BOARDAREA = {PLACEWIN(7).left, BOARDROW, PICTUREWIN(22).right,
                                   BOARDWIN(22).bottom};
static_assert(BOARDAREA.right < PANELWIN.left, "the board stays clear of the hot-key panel");
static constexpr int PANELCOLS = PANELWIN.right - PANELWIN.left + 1;

void BOARDWINDOW() { BOARDAT(SR, KZ); }

void STATICSCREEN() {
  TextBackground(CYAN);
  ClrScr();
  CursorBig();
  TextColor(BLACK);
  TextBackground(BROWN);
  GotoXY(9, 1);
  WriteStr(" D O L M");
  WriteLn();
  TextColor(LIGHTGREY);
  TextBackground(CYAN);
  WriteStr(CREDIT);
  CONTACTLINE();
  Window(PANELWIN);
  TextColor(YELLOW);
  TextBackground(GREEN);
  ClrScr();
  for (const char* T : PANEL) {
    std::string_view V = T;
    WriteStr(V);
    if (V.size() % PANELCOLS != 0 || V.empty()) WriteLn();
  }
}

// Whether a notice stands on the contact row.
static bool NOTICESHOWN;

// Blank the contact row up to column 79 (a write in column 80 would scroll).
static void CLEARROW25() {
  Window(1, 1, SCRW, SCRH);
  TextColor(LIGHTGREY);
  TextBackground(CYAN);
  GotoXY(1, SCRH);
  for (int X = 1; X < SCRW; X++) WriteChar(' ');
}

void NOTICE(const char* TEXT) {
  const uint8_t ATTR = TEXTATTR;
  CLEARROW25();
  TextColor(WHITE);
  TextBackground(RED);
  GotoXY(1, SCRH);
  WriteStr(std::string_view(TEXT).substr(0, SCRW - 1));
  NOTICESHOWN = true;
  TEXTATTR = ATTR;
  BOARDWINDOW();
}

void NOTICEGONE() {
  if (!NOTICESHOWN) return;
  const uint8_t ATTR = TEXTATTR;
  CLEARROW25();
  CONTACTLINE();
  NOTICESHOWN = false;
  TEXTATTR = ATTR;
  BOARDWINDOW();
}

void BOARDPICTURE() {
  Window(BOARDAREA);
  TextBackground(CYAN);
  ClrScr();
  Window(PICTUREWIN(SR));
  TextColor(WHITE);
  TextBackground(BROWN);
  for (int C = 0; C < SR * SR; C++) WriteChar(uint8_t(PR[C]));
}

void SKILL() {
  Window(1, 1, SCRW, SCRH);
  TextColor(BLACK);
  GotoXY(26, 24);
  TextBackground(BROWN);
  WriteStr("Skill = ");
  if (V0 <= 9) WriteChar(' ');
  WriteChar('F');
  WriteInt(V0, 0);
  WriteChar('/');
  WriteInt(H0, 0);
  // A two-digit depth reaches column 39; a shorter line must not leave its
  // last digit standing there.
  if (H0 <= 9) {
    TextColor(LIGHTGREY);
    TextBackground(CYAN);
    WriteChar(' ');
  }
  TextBackground(BLACK);
  BOARDWINDOW();
}

void SOURAD() {
  Window(PLACEWIN(SR));
  TextColor(BLACK);
  TextBackground(BROWN);
  WriteChar('[');
  WriteInt(KZ % SR, 2);
  WriteChar(',');
  WriteInt(KZ / SR, 2);
  WriteChar(']');
  BOARDWINDOW();
}

void PTINF() {
  Window(COUNTWIN(SR));
  TextColor(BLACK);
  TextBackground(BROWN);
  // Left-aligned in four places, so a count that shrinks leaves no stale digit.
  WriteInt(PT, 0);
  for (int N = PT < 10 ? 1 : PT < 100 ? 2 : 3; N < 4; N++) WriteChar(' ');
  BOARDWINDOW();
}

void OBRX() {
  TextColor(YELLOW);
  TextBackground(BLACK);
  WriteChar(uint8_t(PXO[1]));
  WriteChar(8);
}

void OBRO() {
  TextColor(LIGHTMAGENTA);
  TextBackground(BLACK);
  WriteChar(uint8_t(PXO[2]));
  WriteChar(8);
}

void OBRR() {
  GOTOCELL(SR, KZ);
  TextColor(WHITE);
  TextBackground(BROWN);
  WriteChar(uint8_t(PR[KZ]));
  WriteChar(8);
}
