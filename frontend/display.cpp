// What the screen shows and where: the static screen, the board picture, the
// stones, the move count, the cursor coordinates and the skill line. Board cell
// (c, r) stands at screen column 3 + c, row 3 + r; between commands the board
// window (columns 4..SR+2, rows 4..SR+2) is current, so GotoXY(c, r) reaches
// the cell and the visible text cursor marks KZ.
#include <string_view>

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
  Window(1, 1, 80, 25);
  TextColor(7);
  TextBackground(3);
  GotoXY(9, 25);
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

void BOARDWINDOW() {
  Window(4, 4, SR + 2, SR + 2);
  GotoXY(KZ % SR, KZ / SR);
}

void STATICSCREEN() {
  TextBackground(3);
  ClrScr();
  CursorBig();
  TextColor(0);
  TextBackground(6);
  GotoXY(9, 1);
  WriteStr(" D O L M");
  WriteLn();
  TextColor(7);
  TextBackground(3);
  WriteStr(CREDIT);
  CONTACTLINE();
  Window(26, 3, 38, 24);
  TextColor(14);
  TextBackground(2);
  ClrScr();
  for (const char* T : PANEL) {
    std::string_view V = T;
    WriteStr(V);
    if (V.size() % 13 != 0 || V.empty()) WriteLn();
  }
}

void BOARDPICTURE() {
  Window(2, 3, 24, 24);
  TextBackground(3);
  ClrScr();
  // One row taller than the picture, so the position after its last cell
  // still lies inside the window and nothing scrolls.
  Window(3, 3, SR + 2, SR + 3);
  TextColor(15);
  TextBackground(6);
  for (int C = 0; C < SR * SR; C++) WriteChar(uint8_t(PR[C]));
}

void SKILL() {
  Window(1, 1, 80, 25);
  TextColor(0);
  GotoXY(26, 24);
  TextBackground(6);
  WriteStr("Skill = ");
  if (V0 <= 9) WriteChar(' ');
  WriteChar('F');
  WriteInt(V0, 0);
  WriteChar('/');
  WriteInt(H0, 0);
  // A two-digit depth reaches column 39; a shorter line must not leave its
  // last digit standing there.
  if (H0 <= 9) {
    TextColor(7);
    TextBackground(3);
    WriteChar(' ');
  }
  TextBackground(0);
  BOARDWINDOW();
}

void SOURAD() {
  Window(SR - 5, SR + 2, SR + 2, SR + 2);
  TextColor(0);
  TextBackground(6);
  WriteChar('[');
  WriteInt(KZ % SR, 2);
  WriteChar(',');
  WriteInt(KZ / SR, 2);
  WriteChar(']');
  BOARDWINDOW();
}

void PTINF() {
  Window(4, SR + 2, SR + 2, SR + 2);
  TextColor(0);
  TextBackground(6);
  // Left-aligned in four places, so a count that shrinks leaves no stale digit.
  WriteInt(PT, 0);
  for (int N = PT < 10 ? 1 : PT < 100 ? 2 : 3; N < 4; N++) WriteChar(' ');
  BOARDWINDOW();
}

void OBRX() {
  TextColor(14);
  TextBackground(0);
  WriteChar(uint8_t(PXO[1]));
  WriteChar(8);
}

void OBRO() {
  TextColor(13);
  TextBackground(0);
  WriteChar(uint8_t(PXO[2]));
  WriteChar(8);
}

void OBRR() {
  GotoXY(KZ % SR, KZ / SR);
  TextColor(15);
  TextBackground(6);
  WriteChar(uint8_t(PR[KZ]));
  WriteChar(8);
}
