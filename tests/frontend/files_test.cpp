// The settings file and the saved game: exact bytes, a save and load that
// restore the game, and every damaged file refused without a trace.
#include <sys/stat.h>
#include <unistd.h>

#include "harness.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint16_t W(const Bytes& b, int at) { return uint16_t(b[at] | b[at + 1] << 8); }
void SETW(Bytes& b, int at, uint16_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

TEST_F(Game, EscWritesTheDefaultSettings) {
  DOLMRUN();  // the script is empty: its Esc ends the loop, then the settings are written
  EXPECT_EQ(READBYTES("dolm.cfg"), (Bytes{12, 0, 8, 0, 22, 0, 'X', 'O'}));
}

TEST_F(Game, SettingsComeBackAtTheNextStart) {
  Keys({0x2005, '3', '-', '-', 0x330F});
  ASSERT_TRUE(SEJFCFG());
  EXPECT_EQ(READBYTES("dolm.cfg"), (Bytes{5, 0, 3, 0, 20, 0, 'O', 'X'}));
  // A later start with that file.
  SR = 22, V0 = 12, H0 = 8;
  INITDOLM();
  CLEARDATA();
  SCREENRESET();
  DOLMSTART();
  EXPECT_TRUE(V0 == 5 && H0 == 3 && SR == 20 && PXO[1] == 'O' && PXO[2] == 'X');
  EXPECT_EQ(TEXT(26, 24, 13), "Skill =  F5/3");
  EXPECT_EQ(KZ, 20 * 20 / 2 - 10 - 1);
  // Bytes after the eighth are not read.
  WRITEBYTES("dolm.cfg", Bytes{4, 0, 2, 0, 15, 0, 'a', 'b', 99, 99});
  DOLMSTART();
  EXPECT_TRUE(V0 == 4 && H0 == 2 && SR == 15 && PXO[1] == 'a' && PXO[2] == 'b');
  EXPECT_EQ(TEXT(3, 3, 15), " 1234567890123 ");
}

TEST_F(Game, DamagedSettingsAreIgnoredAsAWhole) {
  const Bytes bad[] = {
      {5, 0, 3, 0, 20, 0, 'a'},          // short
      {0, 0, 3, 0, 20, 0, 'a', 'b'},     // breadth 0
      {19, 0, 3, 0, 20, 0, 'a', 'b'},    // breadth 19
      {5, 0, 0, 0, 20, 0, 'a', 'b'},     // depth 0
      {5, 0, 11, 0, 20, 0, 'a', 'b'},    // depth 11
      {5, 0, 3, 0, 6, 0, 'a', 'b'},      // side 6
      {5, 0, 3, 0, 23, 0, 'a', 'b'},     // side 23
      {5, 0, 3, 0, 20, 1, 'a', 'b'},     // side 276
  };
  for (const Bytes& b : bad) {
    WRITEBYTES("dolm.cfg", b);
    PXO[1] = 'X', PXO[2] = 'O', SR = 22, V0 = 12, H0 = 8;
    LOUDCFG();
    EXPECT_TRUE(V0 == 12 && H0 == 8 && SR == 22 && PXO[1] == 'X' && PXO[2] == 'O') << b.size();
  }
}

class Files : public Game {
 protected:
  // A position with every kind of content: a smaller board, obstacles,
  // stones of both sides, a changed skill and exchanged glyphs.
  void Position() {
    Keys({'-', '-', '-'});
    Put(2, 2, 'x');
    Put(3, 2, 'o');
    Keys({0x3831});
    Put(8, 8, 'x');
    Put(9, 8, 'o');
    Put(9, 9, 'x');
    Keys({0x2006, '4', 0x330F});
  }
};

TEST_F(Files, SaveThenLoadRestoresTheGame) {
  Position();
  ASSERT_EQ(SR, 19);
  Keys({'S'});
  Bytes saved = READBYTES("dolm.dat");
  ASSERT_EQ(saved.size(), 2614u);
  EXPECT_EQ(W(saved, 0), 3);
  EXPECT_EQ(W(saved, 2 + 2 * 1), CELL(8, 8));
  EXPECT_EQ(W(saved, 2 + 2 * 3), CELL(9, 9));
  EXPECT_EQ(W(saved, 970 + 2 * CELL(9, 8)), 2);
  EXPECT_EQ(W(saved, 970 + 2 * CELL(2, 2)), 3);
  EXPECT_EQ(W(saved, 2122), 6);
  EXPECT_EQ(W(saved, 2124), 4);
  EXPECT_EQ(saved[2126 + CELL(2, 2)], 'X');
  EXPECT_EQ(saved[2126 + CELL(3, 2)], 'O');
  EXPECT_TRUE(saved[2610] == 'O' && saved[2611] == 'X');
  EXPECT_EQ(W(saved, 2612), 19);
  Keys({0x2020});
  Snapshot before = TAKE();
  // Change everything, then load.
  Keys({'n', '+', '+', 0x2009, '7', 0x330F});
  Put(1, 1, 'x');
  Keys({'l'});
  Snapshot after = TAKE();
  EXPECT_EQ(after.kz, PP[3]);  // the cursor on the last move
  after.kz = before.kz;
  after.cur[0] = before.cur[0], after.cur[1] = before.cur[1];
  // The coordinates field shows the cursor, which differs by design.
  std::memcpy(after.screen[SR + 1], before.screen[SR + 1], sizeof after.screen[0]);
  EXPECT_EQ(0, std::memcmp(after.phc, before.phc, sizeof after.phc));
  EXPECT_EQ(0, std::memcmp(after.phc0, before.phc0, sizeof after.phc0));
  EXPECT_TRUE(after.sr == 19 && after.v0 == 6 && after.h0 == 4 && after.pxo[1] == 'O' && after.pt == 3);
  for (int r = 1; r <= 25; r++) {
    EXPECT_TRUE(SAMEROW(after, before, r)) << "row " << r;
  }
  // Bytes past the end of the saved game are not read.
  saved.push_back(7);
  WRITEBYTES("dolm.dat", saved);
  Keys({'n', 'L'});
  EXPECT_EQ(PT, 3);
}

TEST_F(Files, AFiveLoadsHighlightedAndAnEmptyGameWithItsObstacles) {
  for (int c = 3; c <= 7; c++) Put(c, 4, 'o');
  Keys({'s', 'n', 'l'});
  EXPECT_FALSE(NOTP5);
  EXPECT_EQ(SCREENCHAR(3 + 5, 3 + 4), 4);
  EXPECT_EQ(SCREENFG(3 + 5, 3 + 4), 13);
  Keys({0x3831, 's', 'n', 'l'});
  EXPECT_EQ(PT, 0);
  EXPECT_EQ(PHC[CELL(5, 4)], 3);
  EXPECT_EQ(KZ, 230);
}

TEST_F(Files, LoadWithoutAFileChangesNothing) {
  Put(4, 4, 'x');
  Snapshot before = TAKE();
  COMMAND('L');
  EXPECTSAME(before, TAKE());
}

TEST_F(Files, EveryDamagedSavedGameIsRefusedWhole) {
  Position();
  Keys({'S'});
  const Bytes good = READBYTES("dolm.dat");
  ASSERT_EQ(good.size(), 2614u);
  const int sr = 19;
  struct Case {
    const char* what;
    void (*spoil)(Bytes&);
  } const cases[] = {
      {"short", [](Bytes& b) { b.pop_back(); }},
      {"empty", [](Bytes& b) { b.clear(); }},
      {"side 6", [](Bytes& b) { SETW(b, 2612, 6); }},
      {"side 23", [](Bytes& b) { SETW(b, 2612, 23); }},
      {"too many moves", [](Bytes& b) { SETW(b, 0, (sr - 2) * (sr - 2) + 1); }},
      {"breadth 0", [](Bytes& b) { SETW(b, 2122, 0); }},
      {"breadth 19", [](Bytes& b) { SETW(b, 2122, 19); }},
      {"depth 0", [](Bytes& b) { SETW(b, 2124, 0); }},
      {"depth 11", [](Bytes& b) { SETW(b, 2124, 11); }},
      {"move on the frame", [](Bytes& b) { SETW(b, 2 + 2 * 2, uint16_t(5 * sr)); }},
      {"move past the board", [](Bytes& b) { SETW(b, 2 + 2 * 2, uint16_t(sr * sr + 3)); }},
      {"move on an obstacle", [](Bytes& b) { SETW(b, 2 + 2 * 2, uint16_t(2 * sr + 2)); }},
      {"move on an earlier move", [](Bytes& b) { SETW(b, 2 + 2 * 3, W(b, 2 + 2 * 1)); }},
      {"stale entry off every board", [](Bytes& b) { SETW(b, 2 + 2 * 400, 484); }},
      {"a fourth move on the frame", [](Bytes& b) { SETW(b, 0, 4); SETW(b, 2 + 2 * 4, 0); }},
  };
  Keys({'+', 0x2003, '2', 0x330F});
  Put(5, 5, 'x');
  Put(6, 6, 'o');
  for (const Case& c : cases) {
    Bytes b = good;
    c.spoil(b);
    WRITEBYTES("dolm.dat", b);
    Snapshot before = TAKE();
    COMMAND('L');
    SCOPED_TRACE(c.what);
    EXPECTSAME(before, TAKE());
  }
  // The unspoilt file still loads.
  WRITEBYTES("dolm.dat", good);
  Keys({'L'});
  EXPECT_TRUE(SR == 19 && PT == 3);
}

TEST_F(Files, AFailedSaveChangesNothingAndKeepsTheOldFile) {
  Put(4, 4, 'x');
  ASSERT_EQ(mkdir("dolm.dat", 0755), 0);
  ASSERT_EQ(mkdir("dolm.dat/keep", 0755), 0);  // a full directory cannot be renamed over
  Snapshot before = TAKE();
  EXPECT_FALSE(SEJF());
  COMMAND('S');
  EXPECTSAME(before, TAKE());
  struct stat st;
  EXPECT_EQ(stat("dolm.dat/keep", &st), 0);
  // No temporary file is left behind.
  EXPECT_EQ(system("ls -a | grep -q 'dolm.dat.'"), 256);
  ASSERT_EQ(system("rm -rf dolm.dat"), 0);
}

}  // namespace
