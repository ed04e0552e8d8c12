// Where the board stands on the screen. Cell (c, r) of a board of side sr
// (frame included, c and r in 0..sr-1, cell index r*sr + c) is drawn at screen
// column BOARDCOL + c, row BOARDROW + r. The display draws by these and the
// input unit finds the cell under the pointer by them; the board side comes in
// as a parameter, so the screen layer needs nothing of the engine.
#pragma once

#include "screen.h"

constexpr int BOARDCOL = 3;  // screen column of the frame's left column
constexpr int BOARDROW = 3;  // screen row of the frame's top row

// A window rectangle in 1-based inclusive screen coordinates.
struct Rect {
  int left, top, right, bottom;
};

// Index of the playable cell under the pointer cell (x, y), 0-based as the
// mouse reports it; -1 off the board and on its frame.
constexpr int CELLAT(int sr, int x, int y) {
  const int c = x + 1 - BOARDCOL, r = y + 1 - BOARDROW;
  return c >= 1 && c <= sr - 2 && r >= 1 && r <= sr - 2 ? r * sr + c : -1;
}

// The board window, current between commands: the playing area plus the right
// frame column and the bottom frame row, so a glyph written in the last
// playable column or row neither wraps nor scrolls and the backspace after it
// comes back. Inside it cell (c, r) is GotoXY(c, r).
constexpr Rect BOARDWIN(int sr) {
  return {BOARDCOL + 1, BOARDROW + 1, BOARDCOL + sr - 1, BOARDROW + sr - 1};
}
// The board picture with its frame, one row taller so that the position after
// its last cell still lies inside and nothing scrolls.
constexpr Rect PICTUREWIN(int sr) { return {BOARDCOL, BOARDROW, BOARDCOL + sr - 1, BOARDROW + sr}; }
// Fields on the bottom frame row, which run on to its right-hand corner so
// that the cursor after their last character stays inside: the move count
// from the row's second cell, the cursor coordinates in the seven cells
// before the corner.
constexpr Rect COUNTWIN(int sr) {
  return {BOARDCOL + 1, BOARDROW + sr - 1, BOARDCOL + sr - 1, BOARDROW + sr - 1};
}
constexpr Rect PLACEWIN(int sr) {
  return {BOARDCOL + sr - 8, BOARDROW + sr - 1, BOARDCOL + sr - 1, BOARDROW + sr - 1};
}

inline void Window(const Rect& w) { Window(w.left, w.top, w.right, w.bottom); }

// The text cursor onto cell k; the board window must be current.
inline void GOTOCELL(int sr, int k) { GotoXY(k % sr, k / sr); }

// The board window made current with the text cursor on cell k.
inline void BOARDAT(int sr, int k) {
  Window(BOARDWIN(sr));
  GOTOCELL(sr, k);
}
