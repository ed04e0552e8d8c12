// The game program run in-process on the screen model, driven by a scripted
// console, so that every check can read the screen, the engine and the files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game.h"
#include "keycodes.h"
#include "mozek.h"
#include "myreadun.h"
#include "screen.h"
#include "script_input.h"

// Everything a command could change, to show that a refused one changed nothing.
struct Snapshot {
  std::string screen, game, cursor;
  Snapshot() {
    for (auto& row : SCREEN) {  // a blank's foreground is never seen
      for (Cell c : row) screen += {char(c.ch), char(c.ch == ' ' ? c.attr & 0x70 : c.attr)};
    }
    auto add = [](std::string& s, const auto&... v) { (s.append((const char*)&v, sizeof v), ...); };
    add(game, PHC, PP, PHC0, PT, NOTP5, SR, V0, H0, PXO);
    add(cursor, KZ, WINL, WINT, WINR, WINB, CURX, CURY);
  }
  bool operator==(const Snapshot&) const = default;
};

inline int CELL(int c, int r) { return r * SR + c; }
inline std::string TEXT(int x, int y, int n) {
  std::string s;
  for (int i = 0; i < n; i++) s += char(SCREENCHAR(x + i, y));
  return s;
}
// Board cell (c, r) shows glyph g in colours fg on bg; if not, what it shows.
inline testing::AssertionResult SHOWS(int c, int r, uint8_t g, int fg, int bg) {
  const int x = 3 + c, y = 3 + r;
  if (SCREENCHAR(x, y) == g && SCREENFG(x, y) == fg && SCREENBG(x, y) == bg)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "cell " << c << "," << r << " shows " << int(SCREENCHAR(x, y)) << " in "
         << SCREENFG(x, y) << " on " << SCREENBG(x, y);
}
// The first board cell that does not show what the engine holds (a stone may
// show as a diamond), or "" when every one does.
inline std::string BADCELL() {
  for (int k = 0; k < SR * SR; k++) {
    const int c = k % SR, r = k / SR, p = PHC[k];
    if (c < 1 || r < 1 || c > SR - 2 || r > SR - 2) continue;
    if (p == 1 || p == 2 ? !SHOWS(c, r, PXO[p], 15 - p, 0) && !SHOWS(c, r, 4, 15 - p, 0)
                         : !SHOWS(c, r, p ? PHC0[k] : PR[k], 15, 6))
      return std::to_string(c) + "," + std::to_string(r);
  }
  return "";
}

// A game started as the program starts it, with no settings file present.
struct Game : testing::Test {
  ScriptInput* in = nullptr;  // the script of the next Run
  void SetUp() override {
    std::remove("dolm.cfg"), std::remove("dolm.dat");
    V0 = 12, H0 = 8;  // as start-up leaves the engine, but for the pattern tables
    SETSIZE(22), SCREENRESET(), InitMouse(), InitKeyboard();
    CONSOLE = in = new ScriptInput(), DOLMSTART();
  }
  void TearDown() override { CONSOLE = nullptr, delete in; }
  // The command loop over the script up to its closing Esc, then a fresh script.
  void Run() { DOLMLOOP(), delete in, CONSOLE = in = new ScriptInput(); }
  void Keys(const std::vector<uint16_t>& codes, int times = 1) {
    for (int i = 0; i < times * int(codes.size()); i++) in->PushKey(codes[i % codes.size()]);
    Run();
  }
  void Cursor(int c, int r) { in->PushClick(c + 2, r + 2, true), Run(); }  // a right click
  void Put(int c, int r, uint16_t key) { in->PushClick(c + 2, r + 2, true), Keys({key}); }
};
