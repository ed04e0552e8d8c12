// The presenter: the model's code page 437 cells become Unicode glyphs in the
// terminal's colours. A shadow copy of what the terminal shows lets each
// showing send only the changed cells.
#include "presenter.h"

// curses calls its screen type SCREEN, the name of our text-screen model.
#define SCREEN CURSES_SCREEN
#include <curses.h>
#undef SCREEN

#include <cstdio>

#include "screen.h"

static Cell SHOWN[SCRH][SCRW];  // what the terminal shows now
static bool SHOWNOK = false;    // SHOWN is valid; false forces a full repaint
static bool SMALL = false;      // the terminal is below 80x25 and shows the request to enlarge it
static bool BRIGHT16 = false;   // the terminal has 16 colours; otherwise bright is A_BOLD
static short PAIRS[16][8];      // colour pair of each curses (foreground, background), 0 = none yet
static int NEXTPAIR = 1;        // next free colour pair number

// curses colour of each PC colour 0-7 (the PC puts blue at 1 and red at 4).
static const short PCCOLOR[8] = {COLOR_BLACK, COLOR_BLUE,    COLOR_GREEN,  COLOR_CYAN,
                                 COLOR_RED,   COLOR_MAGENTA, COLOR_YELLOW, COLOR_WHITE};

void PRESENTINIT() {
  if (has_colors()) {
    start_color();
    BRIGHT16 = COLORS >= 16;
  }
  for (auto& row : PAIRS)
    for (auto& p : row) p = 0;
  NEXTPAIR = 1;
  SHOWNOK = false;
}

void PRESENTAGAIN() {
  SHOWNOK = false;
  clearok(curscr, TRUE);
}

bool PRESENTSMALL() { return SMALL; }

// Colour pair and attributes for a PC colour attribute. Pairs are made on
// first use: TERM=xterm has only 64 of them, and the game uses about 20.
static short PairOf(uint8_t attr, attr_t& extra) {
  int fg = attr & 0x0F, bg = (attr >> 4) & 0x07;
  extra = A_NORMAL;
  if (!has_colors()) return 0;
  int cfg = PCCOLOR[fg & 7];
  if (fg & 8) {
    if (BRIGHT16)
      cfg += 8;
    else
      extra = A_BOLD;
  }
  short& p = PAIRS[cfg][bg];
  if (p == 0 && NEXTPAIR < COLOR_PAIRS && NEXTPAIR <= 0x7FFF) {
    init_pair(short(NEXTPAIR), short(cfg), PCCOLOR[bg]);
    p = short(NEXTPAIR++);
  }
  return p;
}

// Draw one model cell at 0-based screen column x, row y.
static void DrawCell(int x, int y, Cell c) {
  attr_t extra;
  short pair = PairOf(c.attr, extra);
  wchar_t glyph[2] = {wchar_t(CP437(c.ch)), 0};
  cchar_t cc;
  setcchar(&cc, glyph, extra, pair, nullptr);
  mvadd_wch(y, x, &cc);  // ERR in the last cell of an 80x25 terminal, but drawn
}

// Below 80x25: one line asking for room; the game waits behind it unchanged.
static void ShowRequest() {
  char line[96];
  snprintf(line, sizeof line, "dolm needs 80x25, now %dx%d: please enlarge the terminal", COLS,
           LINES);
  attrset(A_NORMAL);
  erase();
  mvaddnstr(0, 0, line, COLS);
  refresh();
}

void PRESENT() {
  if (LINES < SCRH || COLS < SCRW) {
    if (!SMALL || !SHOWNOK) ShowRequest();
    SMALL = true;
    SHOWNOK = true;
    return;
  }
  if (SMALL) {
    SMALL = false;
    SHOWNOK = false;
    erase();
  }
  for (int y = 0; y < SCRH; y++)
    for (int x = 0; x < SCRW; x++) {
      Cell c = SCREEN[y][x];
      if (SHOWNOK && c.ch == SHOWN[y][x].ch && c.attr == SHOWN[y][x].attr) continue;
      DrawCell(x, y, c);
      SHOWN[y][x] = c;
    }
  SHOWNOK = true;
  move(WINT - 1 + CURY - 1, WINL - 1 + CURX - 1);
  refresh();
}
