// The text-screen model: every drawing operation of the program lands here,
// so the terminal presenter and the tests see exactly what was drawn.
#include "screen.h"

// Light grey on black, the colours a console starts with.
static constexpr uint8_t STARTATTR = BLACK << 4 | LIGHTGREY;

Cell SCREEN[SCRH][SCRW];
uint8_t WINL = 1, WINT = 1, WINR = SCRW, WINB = SCRH;
uint8_t CURX = 1, CURY = 1;
uint8_t TEXTATTR = STARTATTR;
bool CURSORBIG = false;

// Width and height of the current window.
static int WinW() { return WINR - WINL + 1; }
static int WinH() { return WINB - WINT + 1; }

void Window(int left, int top, int right, int bottom) {
  // An impossible rectangle leaves the old window and cursor in force.
  if (left < 1 || top < 1 || right < left || bottom < top || right > SCRW || bottom > SCRH) return;
  WINL = uint8_t(left);
  WINT = uint8_t(top);
  WINR = uint8_t(right);
  WINB = uint8_t(bottom);
  CURX = CURY = 1;
}

void GotoXY(int x, int y) {
  if (x < 1 || y < 1 || x > WinW() || y > WinH()) return;
  CURX = uint8_t(x);
  CURY = uint8_t(y);
}

void TextColor(int c) { TEXTATTR = uint8_t((TEXTATTR & 0x70) | (c & 0x0F)); }

void TextBackground(int c) { TEXTATTR = uint8_t((TEXTATTR & 0x0F) | ((c & 0x07) << 4)); }

// Blank screen rows top..bottom (window-relative) of the window in the current colours.
static void BlankRows(int top, int bottom) {
  for (int y = WINT - 1 + top - 1; y <= WINT - 1 + bottom - 1; y++)
    for (int x = WINL - 1; x < WINR; x++) SCREEN[y][x] = Cell{' ', TEXTATTR};
}

void ClrScr() {
  BlankRows(1, WinH());
  CURX = CURY = 1;
}

void CursorBig() { CURSORBIG = true; }

// Move the cursor one row down; on the bottom row only the window's
// contents move up, and the cursor stays put.
static void LineFeed() {
  if (CURY < WinH()) {
    CURY++;
    return;
  }
  for (int y = WINT - 1; y < WINB - 1; y++)
    for (int x = WINL - 1; x < WINR; x++) SCREEN[y][x] = SCREEN[y + 1][x];
  BlankRows(WinH(), WinH());
}

void WriteChar(uint8_t c) {
  switch (c) {
    case 7:  // the bell stays silent
      return;
    case 8:  // backspace erases nothing: board cells are drawn as glyph + 8
      if (CURX > 1) CURX--;
      return;
    case 10:
      LineFeed();
      return;
    case 13:
      CURX = 1;
      return;
  }
  SCREEN[WINT - 1 + CURY - 1][WINL - 1 + CURX - 1] = Cell{c, TEXTATTR};
  if (CURX < WinW()) {
    CURX++;
    return;
  }
  // The help panel's long lines are single strings that break here.
  CURX = 1;
  LineFeed();
}

void WriteStr(std::string_view s) {
  for (char c : s) WriteChar(uint8_t(c));
}

void WriteInt(long v, int width) {
  char digits[24];
  int n = 0;
  unsigned long u = v < 0 ? 0UL - (unsigned long)v : (unsigned long)v;
  do {
    digits[n++] = char('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (v < 0) digits[n++] = '-';
  for (int i = n; i < width; i++) WriteChar(' ');
  while (n > 0) WriteChar(uint8_t(digits[--n]));
}

void WriteLn() {
  WriteChar(13);
  WriteChar(10);
}

int WhereX() { return CURX; }
int WhereY() { return CURY; }

void SCREENRESET() {
  WINL = WINT = 1;
  WINR = SCRW;
  WINB = SCRH;
  CURX = CURY = 1;
  TEXTATTR = STARTATTR;
  CURSORBIG = false;
  for (auto& row : SCREEN)
    for (auto& cell : row) cell = Cell{' ', STARTATTR};
}

uint8_t SCREENCHAR(int x, int y) { return SCREEN[y - 1][x - 1].ch; }
uint8_t SCREENFG(int x, int y) { return SCREEN[y - 1][x - 1].attr & 0x0F; }
uint8_t SCREENBG(int x, int y) { return (SCREEN[y - 1][x - 1].attr >> 4) & 0x07; }
