// Shared set-up of the game tests: the program runs in-process on the screen
// model, driven by a scripted console, in a fresh temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "game.h"
#include "mozek.h"
#include "myreadun.h"
#include "screen.h"
#include "script_input.h"

// Everything a command could change: screen, window, cursor, game, settings.
struct Snapshot {
  Cell screen[SCRH][SCRW];
  uint8_t win[4], cur[2];
  uint16_t phc[576], pp[484], pt, sr, v0, h0, kz;
  char pxo[3];
  uint8_t phc0[484];
  bool notp5;
};
Snapshot TAKE();                             // the state as it stands
void EXPECTSAME(const Snapshot& a, const Snapshot& b);  // every field equal
// Whether screen row r (1-based) looks the same in both: characters and
// backgrounds everywhere, foregrounds where something is written.
bool SAMEROW(const Snapshot& a, const Snapshot& b, int r);

// A game started as the program starts it, with no settings file present.
class Game : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  ScriptInput* in = nullptr;  // the script of the next Run
  void Run();                                       // the command loop over the script, to its Esc
  void Keys(std::initializer_list<uint16_t> codes);  // push codes and run them
  void Cursor(int c, int r);  // right click on board cell (c, r): only the cursor moves
  void Put(int c, int r, uint16_t key);  // cursor to (c, r), then a placing key (Enter, X, O)
};

int CELL(int c, int r);                  // index of board cell (c, r) on the board in force
std::string TEXT(int x, int y, int n);   // n raw screen bytes from column x of row y
bool BOARDOK(std::string* why);          // every board cell shows what the engine holds
bool FIVEAT(uint16_t c);                 // a five or more of c's side runs through c, counted afresh
std::vector<uint8_t> READBYTES(const char* name);              // a whole file, empty when missing
void WRITEBYTES(const char* name, const std::vector<uint8_t>& b);  // create or replace a file
