// The settings file and the saved game: exact bytes, round trips, and every
// damaged or unwritable file leaving the game exactly as it was.
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "harness.h"

using Bytes = std::vector<uint8_t>;
static Bytes READ(const char* name) {
  std::ifstream f(name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}
static void WRITE(const char* name, const Bytes& b) {
  std::ofstream(name, std::ios::binary).write((const char*)b.data(), std::streamsize(b.size()));
}
static int W(const Bytes& b, int at) { return b[at] | b[at + 1] << 8; }
static void SETW(Bytes& b, int at, int v) { b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8); }

TEST_F(Game, SettingsWrittenAtEscAndReadBackWithinTheirLimits) {
  DOLMRUN();  // the empty script's Esc ends the loop, then the settings are written
  EXPECT_EQ(READ("dolm.cfg"), (Bytes{12, 0, 8, 0, 22, 0, 'X', 'O'}));
  WRITE("dolm.cfg", Bytes{4, 0, 2, 0, 15, 0, 'a', 'b', 99});  // the ninth byte is not read
  DOLMSTART();
  EXPECT_TRUE(V0 == 4 && H0 == 2 && SR == 15 && PXO[1] == 'a' && PXO[2] == 'b');
  EXPECT_TRUE(TEXT(26, 24, 13) == "Skill =  F4/2" && TEXT(3, 3, 15) == " 1234567890123 ");
  const Bytes bad[] = {{5, 0, 3, 0, 20, 0, 'a'},       {0, 0, 3, 0, 20, 0, 'a', 'b'},
                       {19, 0, 3, 0, 20, 0, 'a', 'b'}, {5, 0, 0, 0, 20, 0, 'a', 'b'},
                       {5, 0, 11, 0, 20, 0, 'a', 'b'}, {5, 0, 3, 0, 6, 0, 'a', 'b'},
                       {5, 0, 3, 0, 23, 0, 'a', 'b'},  {5, 0, 3, 0, 20, 1, 'a', 'b'}};
  for (const Bytes& b : bad) {
    WRITE("dolm.cfg", b);
    PXO[1] = 'X', PXO[2] = 'O', SR = 22, V0 = 12, H0 = 8;
    LOUDCFG();
    EXPECT_TRUE(V0 == 12 && H0 == 8 && SR == 22 && PXO[1] == 'X' && PXO[2] == 'O') << b.size();
  }
}

// S writes the game byte for byte; L restores it whole, or refuses a damaged
// file whole: a game with every kind of content, saved, then changed.
TEST_F(Game, SaveAndLoad) {
  Keys({'-', '-', '-'});
  Put(2, 2, 'x'), Put(3, 2, 'o'), Keys({0x3831});
  Put(8, 8, 'x'), Put(9, 8, 'o'), Put(9, 9, 'x');
  Keys({0x2006, '4', 0x330F, 'S'});
  const Bytes good = READ("dolm.dat");
  ASSERT_EQ(good.size(), 2614u);
  EXPECT_TRUE(W(good, 0) == 3 && W(good, 4) == CELL(8, 8) && W(good, 8) == CELL(9, 9));
  EXPECT_TRUE(W(good, 970 + 2 * CELL(9, 8)) == 2 && W(good, 970 + 2 * CELL(2, 2)) == 3);
  EXPECT_TRUE(W(good, 2122) == 6 && W(good, 2124) == 4 && W(good, 2612) == 19);
  EXPECT_TRUE(good[2126 + CELL(2, 2)] == 'X' && good[2126 + CELL(3, 2)] == 'O');
  EXPECT_TRUE(good[2610] == 'O' && good[2611] == 'X');
  Cursor(9, 9);  // where a load puts it: on the last move
  const Snapshot saved;
  Keys({'n', '+', 0x2003, '2', 0x330F});
  Put(5, 5, 'x'), Put(6, 6, 'o');
  const int sr = 19;
  const struct { const char* what; void (*spoil)(Bytes&); } cases[] = {
      {"missing", nullptr},
      {"short", [](Bytes& b) { b.pop_back(); }},
      {"side 6", [](Bytes& b) { SETW(b, 2612, 6); }},
      {"side 23", [](Bytes& b) { SETW(b, 2612, 23); }},
      {"too many moves", [](Bytes& b) { SETW(b, 0, (sr - 2) * (sr - 2) + 1); }},
      {"breadth 0", [](Bytes& b) { SETW(b, 2122, 0); }},
      {"breadth 19", [](Bytes& b) { SETW(b, 2122, 19); }},
      {"depth 0", [](Bytes& b) { SETW(b, 2124, 0); }},
      {"depth 11", [](Bytes& b) { SETW(b, 2124, 11); }},
      {"move on the frame", [](Bytes& b) { SETW(b, 2 + 2 * 2, 5 * sr); }},
      {"move past the board", [](Bytes& b) { SETW(b, 2 + 2 * 2, sr * sr + 3); }},
      {"move on an obstacle", [](Bytes& b) { SETW(b, 2 + 2 * 2, 2 * sr + 2); }},
      {"move on an earlier move", [](Bytes& b) { SETW(b, 2 + 2 * 3, W(b, 2 + 2 * 1)); }},
      {"stale entry off every board", [](Bytes& b) { SETW(b, 2 + 2 * 400, 484); }},
      {"a fourth move on the frame", [](Bytes& b) { SETW(b, 0, 4), SETW(b, 2 + 2 * 4, 0); }},
  };
  for (const auto& c : cases) {
    Bytes b = good;
    c.spoil ? c.spoil(b), WRITE("dolm.dat", b) : void(std::remove("dolm.dat"));
    Snapshot before;
    COMMAND('L');
    EXPECT_TRUE(before == Snapshot()) << c.what;
  }
  Bytes longer = good;  // the unspoilt file loads, bytes past its end unread
  longer.push_back(7);
  WRITE("dolm.dat", longer);
  Keys({'L'});
  EXPECT_TRUE(saved == Snapshot());
  // A five loads highlighted (with the glyphs exchanged the O key gives side
  // X), and an empty game with its obstacles.
  for (int c = 3; c <= 7; c++) Put(c, 4, 'o');
  Keys({'s', 'n', 'l'});
  EXPECT_TRUE(!NOTP5 && SHOWS(5, 4, 4, 14, 0));
  Keys({0x3831, 's', 'n', 'l'});
  EXPECT_TRUE(PT == 0 && PHC[CELL(5, 4)] == 3);
}

TEST_F(Game, AFailedSaveChangesNothingAndKeepsTheOldFile) {
  Put(4, 4, 'x');
  ASSERT_EQ(mkdir("dolm.dat", 0755) + mkdir("dolm.dat/keep", 0755), 0);  // cannot be renamed over
  Snapshot before;
  EXPECT_FALSE(SEJF());
  COMMAND('S');
  EXPECT_TRUE(before == Snapshot());
  struct stat st;
  EXPECT_EQ(stat("dolm.dat/keep", &st), 0);
  EXPECT_EQ(system("ls -a | grep -q 'dolm.dat.'"), 256);  // no temporary file left behind
  ASSERT_EQ(system("rm -rf dolm.dat"), 0);
}
