// dolm: the game program. It draws on the text-screen model, reads key codes
// only through MYREADKEY and changes the game only through the engine's
// placement procedures, so the whole program can run from a scripted key
// sequence. Like the engine it is procedural: fixed global tables and short
// upper-case names, nothing allocated after start-up.
#pragma once

#include <cstdint>

#include "mozek.h"

// ---- State of the game program ----------------------------------------------

extern uint16_t B;               // key code of the command being carried out
extern bool NOTP5;               // true while no completed five stands on the board
extern uint8_t PHC0[CELLCOUNT];  // obstacle glyph of each cell (index r*SR + c), 0 for none
extern char A;                   // scratch cell for exchanging the two glyphs
extern uint16_t S[PHCSIZE];      // side codes by cell for a replay: 1 side X, anything else side O

// The skill's limits: the steps keep the breadth V0 and the depth H0 within
// these; the keys that set them directly reach 12 and 8 only.
constexpr uint16_t MINBREADTH = 1, MAXBREADTH = 18;
constexpr uint16_t MINDEPTH = 1, MAXDEPTH = 10;

// ---- Board and status display (display.cpp) -----------------------------------

void BOARDWINDOW();   // make the board window current with the text cursor on KZ
void STATICSCREEN();  // cyan ground, block cursor, title, credit and contact lines, hot-key panel
void CONTACTLINE();   // the contact line on row 25 (what a newcomer needs), grey on cyan
// Show TEXT on the contact row until the next key (NOTICEGONE); nothing else changes.
void NOTICE(const char* TEXT);
void NOTICEGONE();    // the contact row's own line again, if a notice stood there
void BOARDPICTURE();  // clear the board area and draw the empty board PR of the current SR
void SKILL();         // the skill line "Skill = F<V0>/<H0>" on row 24
void SOURAD();        // the cursor coordinates on the bottom frame row
void PTINF();         // the move count on the bottom frame row
void OBRX();          // side X's glyph at the text cursor, cursor stays on the cell
void OBRO();          // side O's glyph at the text cursor, cursor stays on the cell
void OBRR();          // the empty-board glyph of KZ at KZ, cursor stays on the cell

// ---- Five-in-a-row highlighting (fives.cpp) ------------------------------------

// Whether the last move's stone is part of a run of five or more of its side;
// the run is first, first + step, ..., last (the last direction tried when false).
bool NAJDI5(uint16_t& first, uint16_t& last, uint16_t& step);
bool NPET();   // highlight a five made by the last move; false when there is one
void BKPET();  // give the highlighted five its ordinary glyphs again

// ---- Game record and navigation (record.cpp) ----------------------------------

void PLX();         // side X plays at KZ; the text cursor must be on KZ
void PLO();         // side O plays at KZ; the text cursor must be on KZ
void NEWGAME();     // empty game on the current board size
void OLDGAME();     // draw and mark the obstacles recorded in PHC0
void ALTNEWGAME();  // the stones on the board become obstacles of a new game
void LOUDER(uint16_t N, const uint16_t* SIDES);  // replay PP[1..N], side by SIDES[cell]
void TAB();                                      // every move on the board changes side
void SHTAB();                                    // the two glyphs change places
void TAKEBACK();                                 // take back the last move, if there is one
void SIZESTEP(int d);   // board side one larger (+1) or smaller (-1), within SRMIN..SRMAX
void CLEAROBSTACLES();  // forget every obstacle of the current board size

// ---- Computer's turn (turn.cpp) -------------------------------------------------

void COMPUTERTURN();  // the engine chooses a cell for side O and it is played there

// ---- Settings and saved-game files (files.cpp) ---------------------------------

constexpr int CFGSIZE = 8;     // bytes of "dolm.cfg"
constexpr int DATSIZE = 2614;  // bytes of "dolm.dat"
void LOUDCFG();  // read "dolm.cfg"; a missing, short or out-of-range file changes nothing
bool SEJFCFG();  // write "dolm.cfg" (skill, board side, glyphs); false when it failed
bool SEJF();     // write "dolm.dat" (the game); false when it failed
// Read "dolm.dat" and replay it; false when the file is missing, damaged or
// holds a game that cannot have been played, and then nothing has changed.
bool LOUD();
// Why the last failed file operation failed, one line for the player
// ("Not saved: dolm.dat: Permission denied", "Not loaded: dolm.dat is damaged").
extern char FILEWHY[80];

// ---- Main program and command loop (commands.cpp) -------------------------------

void CURRIGHT();              // cursor one column right, round to column 1 after the last
void CURLEFT();               // cursor one column left, round to the last column after column 1
void CURDOWN();               // cursor one row down, round to row 1 after the last
void CURUP();                 // cursor one row up, round to the last row after row 1
void COMMAND(uint16_t CODE);  // carry out one key code
void DOLMSTART();             // draw the screen, read the settings, set up the board, new game
void DOLMLOOP();              // read and carry out key codes until Esc
// The whole program after the units' start-up: start, loop, settings written;
// false when the settings could not be written (FILEWHY tells why).
bool DOLMRUN();
