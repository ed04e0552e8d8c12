// The 80x25 text screen the program draws on: character byte + colour per
// cell, a current window, a cursor and current colours. The front end draws
// only here; the presenter copies it to the real terminal and tests read it back.
#pragma once

#include <cstdint>
#include <string_view>

constexpr int SCRW = 80;  // screen columns
constexpr int SCRH = 25;  // screen rows

// The 16 colours of the PC text palette; backgrounds take the first eight only.
enum COLOUR : uint8_t {
  BLACK,
  BLUE,
  GREEN,
  CYAN,
  RED,
  MAGENTA,
  BROWN,
  LIGHTGREY,
  DARKGREY,
  LIGHTBLUE,
  LIGHTGREEN,
  LIGHTCYAN,
  LIGHTRED,
  LIGHTMAGENTA,
  YELLOW,
  WHITE
};

// One screen cell: a code page 437 character and a PC colour attribute
// (foreground in bits 0-3, background in bits 4-6).
struct Cell {
  uint8_t ch;
  uint8_t attr;
};

extern Cell SCREEN[SCRH][SCRW];         // [row][column], both 0-based
extern uint8_t WINL, WINT, WINR, WINB;  // current window, 1-based inclusive screen coordinates
extern uint8_t CURX, CURY;              // cursor, 1-based within the current window
extern uint8_t TEXTATTR;                // current colours for writing
extern bool CURSORBIG;                  // the block cursor was asked for

void Window(int left, int top, int right, int bottom);  // make a rectangle the current window
void GotoXY(int x, int y);                              // cursor to (x, y) of the window
void TextColor(int c);                                  // foreground 0..15
void TextBackground(int c);                             // background 0..7
void ClrScr();                                          // blank the window in the current colours
void CursorBig();                                       // visible block cursor
void WriteChar(uint8_t c);                              // write one character by the writing rules
void WriteStr(std::string_view s);                      // write each character in turn
void WriteInt(long v, int width);                       // decimal, blanks on the left up to width
void WriteLn();                                         // carriage return and line feed
int WhereX();                                           // cursor column within the window
int WhereY();                                           // cursor row within the window

void SCREENRESET();  // start state: whole-screen window, cursor (1,1), grey on black, blank cells
uint8_t SCREENCHAR(int x, int y);  // character at screen column x, row y (1-based)
uint8_t SCREENFG(int x, int y);    // foreground colour at screen column x, row y
uint8_t SCREENBG(int x, int y);    // background colour at screen column x, row y
// Unicode code point of a code page 437 character.
char32_t CP437(uint8_t c);
