#include "harness.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

Snapshot TAKE() {
  Snapshot s;
  std::memset(&s, 0, sizeof s);
  std::memcpy(s.screen, SCREEN, sizeof s.screen);
  s.win[0] = WINL, s.win[1] = WINT, s.win[2] = WINR, s.win[3] = WINB;
  s.cur[0] = CURX, s.cur[1] = CURY;
  std::memcpy(s.phc, PHC, sizeof s.phc);
  std::memcpy(s.pp, PP, sizeof s.pp);
  std::memcpy(s.phc0, PHC0, sizeof s.phc0);
  s.pt = PT, s.sr = SR, s.v0 = V0, s.h0 = H0, s.kz = KZ;
  std::memcpy(s.pxo, PXO, sizeof s.pxo);
  s.notp5 = NOTP5;
  return s;
}

void EXPECTSAME(const Snapshot& a, const Snapshot& b) {
  for (int r = 1; r <= SCRH; r++) {
    EXPECT_EQ(0, std::memcmp(a.screen[r - 1], b.screen[r - 1], sizeof a.screen[0])) << "screen row " << r;
  }
  EXPECT_EQ(0, std::memcmp(a.win, b.win, sizeof a.win)) << "window";
  EXPECT_EQ(0, std::memcmp(a.cur, b.cur, sizeof a.cur)) << "cursor";
  EXPECT_EQ(0, std::memcmp(a.phc, b.phc, sizeof a.phc)) << "PHC";
  EXPECT_EQ(0, std::memcmp(a.pp, b.pp, sizeof a.pp)) << "PP";
  EXPECT_EQ(0, std::memcmp(a.phc0, b.phc0, sizeof a.phc0)) << "PHC0";
  EXPECT_EQ(a.pt, b.pt);
  EXPECT_EQ(a.sr, b.sr);
  EXPECT_EQ(a.v0, b.v0);
  EXPECT_EQ(a.h0, b.h0);
  EXPECT_EQ(a.kz, b.kz);
  EXPECT_EQ(a.pxo[1], b.pxo[1]);
  EXPECT_EQ(a.pxo[2], b.pxo[2]);
  EXPECT_EQ(a.notp5, b.notp5);
}

bool SAMEROW(const Snapshot& a, const Snapshot& b, int r) {
  for (int x = 0; x < SCRW; x++) {
    Cell p = a.screen[r - 1][x], q = b.screen[r - 1][x];
    if (p.ch != q.ch || (p.attr & 0x70) != (q.attr & 0x70)) return false;
    if (p.ch != ' ' && p.attr != q.attr) return false;
  }
  return true;
}

void Game::SetUp() {
  std::remove("dolm.cfg");
  std::remove("dolm.dat");
  // The engine as its start-up leaves it, without refilling the pattern tables.
  SR = 22;
  V0 = 12;
  H0 = 8;
  INITDOLM();
  CLEARDATA();
  SCREENRESET();
  InitMouse();
  InitKeyboard();
  in = new ScriptInput();
  CONSOLE = in;
  DOLMSTART();
}

void Game::TearDown() {
  CONSOLE = nullptr;
  delete in;
  in = nullptr;
}

void Game::Run() {
  DOLMLOOP();
  delete in;
  in = new ScriptInput();
  CONSOLE = in;
}

void Game::Keys(std::initializer_list<uint16_t> codes) {
  for (uint16_t c : codes) in->PushKey(c);
  Run();
}

void Game::Cursor(int c, int r) {
  in->PushClick(uint16_t(c + 2), uint16_t(r + 2), true);
  Run();
}

void Game::Put(int c, int r, uint16_t key) {
  in->PushClick(uint16_t(c + 2), uint16_t(r + 2), true);
  in->PushKey(key);
  Run();
}

int CELL(int c, int r) { return r * SR + c; }

std::string TEXT(int x, int y, int n) {
  std::string s;
  for (int i = 0; i < n; i++) s += char(SCREENCHAR(x + i, y));
  return s;
}

bool FIVEAT(uint16_t c) {
  int side = PHC[c];
  if (side != 1 && side != 2) return false;
  int x0 = c % SR, y0 = c / SR;
  const int dx[4] = {1, -1, 0, 1}, dy[4] = {0, 1, 1, 1};
  for (int d = 0; d < 4; d++) {
    int n = 1;
    for (int s = -1; s <= 1; s += 2) {
      for (int x = x0 + s * dx[d], y = y0 + s * dy[d]; x >= 1 && y >= 1 && x <= SR - 2 && y <= SR - 2;
           x += s * dx[d], y += s * dy[d]) {
        if (PHC[y * SR + x] != side) break;
        n++;
      }
    }
    if (n >= 5) return true;
  }
  return false;
}

bool BOARDOK(std::string* why) {
  for (int r = 1; r <= SR - 2; r++) {
    for (int c = 1; c <= SR - 2; c++) {
      int k = CELL(c, r), x = 3 + c, y = 3 + r;
      uint8_t ch = SCREENCHAR(x, y), fg = SCREENFG(x, y), bg = SCREENBG(x, y);
      bool ok;
      switch (PHC[k]) {
        case 0: ok = ch == uint8_t(PR[k]) && fg == 15 && bg == 6; break;
        case 1: ok = (ch == uint8_t(PXO[1]) || ch == 4) && fg == 14 && bg == 0; break;
        case 2: ok = (ch == uint8_t(PXO[2]) || ch == 4) && fg == 13 && bg == 0; break;
        default: ok = ch == PHC0[k] && fg == 15 && bg == 6; break;
      }
      if (!ok) {
        *why = "cell (" + std::to_string(c) + "," + std::to_string(r) + ") code " + std::to_string(PHC[k]) +
               " shows " + std::to_string(ch) + " fg " + std::to_string(fg) + " bg " + std::to_string(bg);
        return false;
      }
    }
  }
  return true;
}

std::vector<uint8_t> READBYTES(const char* name) {
  std::ifstream f(name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void WRITEBYTES(const char* name, const std::vector<uint8_t>& b) {
  std::ofstream f(name, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}
