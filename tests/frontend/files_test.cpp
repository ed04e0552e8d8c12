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
  // One byte short, or one value out of its range: breadth, depth, side.
  const int spoils[][2] = {{8, 0}, {0, 0}, {0, 19}, {2, 0}, {2, 11}, {4, 6}, {4, 23}, {4, 276}};
  for (auto [at, v] : spoils) {
    Bytes b{5, 0, 3, 0, 20, 0, 'a', 'b'};
    at < 8 ? SETW(b, at, v) : b.pop_back();
    WRITE("dolm.cfg", b);
    PXO[1] = 'X', PXO[2] = 'O', SR = 22, V0 = 12, H0 = 8;
    LOUDCFG();
    EXPECT_TRUE(V0 == 12 && H0 == 8 && SR == 22 && PXO[1] == 'X' && PXO[2] == 'O') << at << v;
  }
}

// S writes the game byte for byte; L restores it whole, or refuses a damaged
// file whole: a game with every kind of content, saved, then changed.
TEST_F(Game, SaveAndLoad) {
  Keys({'-', '-', '-'});
  Put(2, 2, 'x'), Put(3, 2, 'o'), Keys({KEY::ALT_N});
  Put(8, 8, 'x'), Put(9, 8, 'o'), Put(9, 9, 'x');
  Keys({KEY::F6, '4', KEY::SHIFT_TAB, 'S'});
  const Bytes good = READ("dolm.dat");
  ASSERT_EQ(good.size(), 2614u);
  EXPECT_TRUE(W(good, 0) == 3 && W(good, 4) == CELL(8, 8) && W(good, 8) == CELL(9, 9));
  EXPECT_TRUE(W(good, 970 + 2 * CELL(9, 8)) == 2 && W(good, 970 + 2 * CELL(2, 2)) == 3);
  EXPECT_TRUE(W(good, 2122) == 6 && W(good, 2124) == 4 && W(good, 2612) == 19);
  EXPECT_TRUE(good[2126 + CELL(2, 2)] == 'X' && good[2126 + CELL(3, 2)] == 'O');  // obstacles
  EXPECT_TRUE(good[2610] == 'O' && good[2611] == 'X');                            // the glyphs
  Cursor(9, 9);  // where a load puts it: on the last move
  const Snapshot saved;
  Keys({'n', '+', KEY::F3, '2', KEY::SHIFT_TAB});
  Put(5, 5, 'x'), Put(6, 6, 'o');
  // Words spoilt, as {offset, value}: the move count at 0, move k at 2 + 2k,
  // breadth and depth at 2122 and 2124, the board side at 2612.
  const int sr = 19;
  const struct {
    const char* what;
    std::vector<int> words;
    int size = 2614;
  } cases[] = {{"missing", {}, 0},
               {"short", {}, 2613},
               {"side 6", {2612, 6}},
               {"side 23", {2612, 23}},
               {"too many moves", {0, (sr - 2) * (sr - 2) + 1}},
               {"breadth 0", {2122, 0}},
               {"breadth 19", {2122, 19}},
               {"depth 0", {2124, 0}},
               {"depth 11", {2124, 11}},
               {"move on the frame", {6, 5 * sr}},
               {"move past the board", {6, sr * sr + 3}},
               {"move on an obstacle", {6, 2 * sr + 2}},
               {"move on an earlier move", {8, W(good, 4)}},
               {"stale entry off every board", {802, 484}},
               {"fourth move on the frame", {0, 4, 10, 0}}};
  for (const auto& c : cases) {
    Bytes b(good.begin(), good.begin() + c.size);
    for (size_t i = 0; i < c.words.size(); i += 2) SETW(b, c.words[i], c.words[i + 1]);
    c.size ? WRITE("dolm.dat", b) : void(std::remove("dolm.dat"));
    Snapshot before;
    COMMAND('L');
    EXPECT_TRUE(before == Snapshot()) << c.what;
  }
  Bytes longer = good;  // the unspoilt file loads, bytes past its end unread
  longer.push_back(7);
  WRITE("dolm.dat", longer);
  Keys({'L'});
  EXPECT_TRUE(saved == Snapshot());
}

TEST_F(Game, AFailedSaveChangesNothingAndKeepsTheOldFile) {
  Put(4, 4, 'x');
  ASSERT_EQ(mkdir("dolm.dat", 0755) + mkdir("dolm.dat/keep", 0755), 0);  // cannot be renamed over
  Snapshot before;
  EXPECT_FALSE(SEJF());
  COMMAND('S');
  EXPECT_TRUE(before == Snapshot());
  EXPECT_EQ(system("test -d dolm.dat/keep && ! ls -a | grep -q 'dolm.dat.'"), 0);  // no temporary
  ASSERT_EQ(system("rm -rf dolm.dat"), 0);
}
