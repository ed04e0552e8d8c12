// The settings file and the saved game: exact bytes, round trips, every damaged, impossible or
// unwritable file leaving the game exactly as it was with one notice on the contact row, and saves
// nobody else can steer.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <random>
#include <tuple>

#include "fileio.h"
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
static std::string ROW25() {
  return TEXT(1, 25, 79).erase(TEXT(1, 25, 79).find_last_not_of(' ') + 1);
}
// Breadth, depth, board side and the two glyphs.
static auto SETTINGS() { return std::tuple(V0, H0, SR, PXO[1], PXO[2]); }
static int MODE(const char* name) {
  struct stat st;
  return lstat(name, &st) == 0 ? int(st.st_mode) : -1;
}
// Leftover temporary files in the working directory, as "ls -a" lists them.
static bool NOTEMPORARY() {
  return system("ls -a | grep -q -e '^\\.dolm-tmp\\.' -e 'dolm.dat\\.'") != 0;
}

// Command KEY of game G fails: the notice stands on the contact row with nothing else changed, and
// the next key (one that does nothing) takes it away.
static void REFUSED(Game& g, const std::string& notice, const std::string& what,
                    uint16_t key = 'L') {
  const Snapshot before;
  COMMAND(key);
  EXPECT_EQ(ROW25(), notice) << what;
  g.Keys({'Z'});
  EXPECT_TRUE(before == Snapshot()) << what;
}

// The settings as written at exit (their bytes are checked on the real program) read back.
TEST_F(Game, SettingsReadBackWithinTheirLimits) {
  WRITE("dolm.cfg", Bytes{4, 0, 2, 0, 15, 0, 'a', 'b', 99});  // the ninth byte is not read
  DOLMSTART();
  EXPECT_EQ(SETTINGS(), std::tuple(4, 2, 15, 'a', 'b'));
  EXPECT_EQ(std::tuple(TEXT(26, 24, 13), TEXT(3, 3, 15)),
            std::tuple("Skill =  F4/2", " 1234567890123 "));
  // One byte short, or one value out of its range: breadth, depth, side.
  // Glyphs the screen would take as controls (NUL, line feed) are refused too.
  const int spoils[][2] = {{8, 0}, {0, 0},  {0, 19},  {2, 0},        {2, 11},
                           {4, 6}, {4, 23}, {4, 276}, {6, 'a' << 8}, {6, 'a' | 10 << 8}};
  for (auto [at, v] : spoils) {
    Bytes b{5, 0, 3, 0, 20, 0, 'a', 'b'};
    at < 8 ? SETW(b, at, v) : b.pop_back();
    WRITE("dolm.cfg", b);
    PXO[1] = 'X', PXO[2] = 'O', SR = 22, V0 = 12, H0 = 8;
    LOUDCFG();
    EXPECT_EQ(SETTINGS(), std::tuple(12, 8, 22, 'X', 'O')) << at << " " << v;
  }
}

// S writes the game byte for byte; L restores it whole, or refuses a damaged file whole: a game
// with every kind of content, saved, then changed.
TEST_F(Game, SaveAndLoad) {
  Keys({'-', '-', '-'});
  Put(2, 2, 'x'), Put(3, 2, 'o'), Keys({KEY::ALT_N});
  Put(8, 8, 'x'), Put(9, 8, 'o'), Put(9, 9, 'x');
  Keys({KEY::F6, '4', KEY::SHIFT_TAB, 'S'});
  const Bytes good = READ("dolm.dat");
  ASSERT_EQ(good.size(), 2614u);
  // Moves, two cells, breadth, depth and side; obstacle glyphs, then the sides' glyphs.
  EXPECT_EQ(std::tuple(W(good, 0), W(good, 4), W(good, 8), W(good, 970 + 2 * CELL(9, 8)),
                       W(good, 970 + 2 * CELL(2, 2)), W(good, 2122), W(good, 2124), W(good, 2612)),
            std::tuple(3, CELL(8, 8), CELL(9, 9), 2, 3, 6, 4, 19));
  EXPECT_EQ(std::tuple(good[2126 + CELL(2, 2)], good[2126 + CELL(3, 2)], good[2610], good[2611]),
            std::tuple('X', 'O', 'O', 'X'));
  Cursor(9, 9);  // where a load puts it: on the last move
  const Snapshot saved;
  Keys({'n', '+', KEY::F3, '2', KEY::SHIFT_TAB});
  Put(5, 5, 'x'), Put(6, 6, 'o');
  std::remove("dolm.dat");
  REFUSED(*this, "Not loaded: dolm.dat: No such file or directory", "missing");
  WRITE("dolm.dat", Bytes(good.begin(), good.end() - 1));
  REFUSED(*this, "Not loaded: dolm.dat is damaged", "short");
  // Words spoilt, as offset, value: the side at 2612, the move count at 0, breadth and depth at
  // 2122 and 2124, moves (k at 2 + 2k) on the frame, past the board, on an obstacle, on an earlier
  // move; a stale entry off every board; a fourth move on the frame.
  const int sr = 19;
  const std::vector<int> spoils[] = {{2612, 6},       {2612, 23},      {0, (sr - 2) * (sr - 2) + 1},
                                     {2122, 0},       {2122, 19},      {2124, 0},
                                     {2124, 11},      {6, 5 * sr},     {6, sr * sr + 3},
                                     {6, 2 * sr + 2}, {8, W(good, 4)}, {802, 484},
                                     {0, 4, 10, 0}};
  for (const auto& words : spoils) {
    Bytes b = good;
    for (size_t i = 0; i < words.size(); i += 2) SETW(b, words[i], words[i + 1]);
    WRITE("dolm.dat", b);
    REFUSED(*this, "Not loaded: dolm.dat is damaged", testing::PrintToString(words));
  }
  Bytes longer = good;  // the unspoilt file loads, bytes past its end unread
  longer.push_back(7);
  WRITE("dolm.dat", longer);
  Keys({'L'});
  EXPECT_TRUE(saved == Snapshot());
}

// L of a file the game cannot have written: a five before the last move (of either side, made by
// the first move, in the middle or by the one before the last), a move saved as no side. Refused
// whole with the notice; the same file cut after its five loads with the five highlighted.
TEST_F(Game, AGameThatGoesOnAfterAFiveIsRefused) {
  Keys({'-'}, 7);  // side 15
  const int cells[] = {CELL(1, 1), CELL(1, 2), CELL(1, 3), CELL(1, 4),
                       CELL(1, 5), CELL(9, 9), CELL(9, 10)};
  // Moves saved, the first of the five, its side, the others' side: X five then one, O five then
  // two, a five in the middle, a move as side 0, a move as side 3.
  const int cases[][4] = {{6, 1, 1, 2}, {7, 1, 2, 2}, {7, 2, 1, 1}, {6, 1, 1, 0}, {6, 1, 1, 3}};
  for (auto [count, first, side, lastside] : cases) {
    const std::string what = testing::PrintToString(std::tuple(count, first, side, lastside));
    Keys({'n'});
    for (int k = 0; k < 5; k++) Put(10 + k, 3, 'x'), Put(10 + k, 5, 'o');  // a game for its fields
    Keys({'S'});
    Bytes b = READ("dolm.dat");
    for (int k = 0; k < 576; k++)
      SETW(b, 970 + 2 * k, 3 * (k % 15 == 0 || k % 15 == 14 || k < 15 || k >= 210));
    SETW(b, 0, count);
    // Moves 1 .. count: the five's cells in a row from move FIRST, the others elsewhere.
    for (int j = 1, other = 5; j <= count; j++) {
      const bool five = j >= first && j < first + 5;
      const int cell = five ? cells[j - first] : cells[other++];
      SETW(b, 2 + 2 * j, cell);
      SETW(b, 970 + 2 * cell, five ? side : lastside);
    }
    WRITE("dolm.dat", b);
    REFUSED(*this, "Not loaded: dolm.dat is damaged", what);
    if (lastside == 0 || lastside == 3) continue;
    SETW(b, 0, first + 4);  // the game up to its five is sound
    WRITE("dolm.dat", b);
    Keys({'L'});
    EXPECT_EQ(std::tuple(PT, NOTP5, ROW25().rfind("Not ", 0)),
              std::tuple(first + 4, false, std::string::npos))
        << what;
    EXPECT_TRUE(SHOWS(1, 1, 4, 15 - side, 0)) << what;
  }
}

// Every game the program saves loads back as it stood, on every board side: random games of both
// sides' keys and the computer's replies, with obstacles, take-backs, exchanges and fives.
TEST_F(Game, EveryGameTheProgramSavesLoadsBack) {
  std::mt19937 rng(10);
  int fives = 0, obstacles = 0;  // games that ended in a five, and that had obstacles
  Keys({KEY::F1, '1'});
  for (int side = 22; side >= 7; side--) {
    for (int game = 0; game < 3; game++) {
      Keys({'n'});
      for (int step = 0; step < 200 && NOTP5 && PT < (SR - 2) * (SR - 2) - 2; step++) {
        const int c = 1 + rng() % (SR - 2), r = 1 + rng() % (SR - 2), roll = rng() % 100;
        const uint16_t key = roll < 2    ? KEY::ALT_N
                             : roll < 8  ? KEY::BACKSPACE
                             : roll < 10 ? KEY::TAB
                             : roll < 12 ? KEY::SHIFT_TAB
                             : roll < 20 ? KEY::ENTER
                             : roll < 60 ? 'x'
                                         : 'o';
        Put(c, r, key);
      }
      for (int k = SR + 1; PT == 0 && k <= SRXSR_SR_2; k++) {
        if (PHC[k] == 0) Put(k % SR, k / SR, 'o');
      }
      if (PT == 0) continue;  // obstacles everywhere
      Cursor(PP[PT] % SR, PP[PT] / SR);
      Keys({'S'});
      fives += !NOTP5;
      obstacles += std::count_if(PHC0, PHC0 + SR * SR, [](uint8_t g) { return g != 0; }) > 0;
      const Snapshot saved;
      Keys({'n', uint16_t(side > 7 ? '-' : '+'), KEY::SHIFT_TAB, 'L'});
      SCOPED_TRACE("side " + std::to_string(side) + " game " + std::to_string(game));
      EXPECT_EQ(ROW25().rfind("Not ", 0), std::string::npos) << ROW25();
      EXPECT_TRUE(saved == Snapshot());
      EXPECT_TRUE(BOARDOK());  // the replay's evaluation equals one from scratch
    }
    Keys({'-'});
  }
  EXPECT_GE(fives, 10);
  EXPECT_GE(obstacles, 10);
}

// S where someone else has planted links at every name a temporary file could be given, and where
// dolm.dat is a link of someone else: their targets stay untouched, dolm.dat becomes a regular
// file.
TEST_F(Game, PlantedLinksAreNeverWrittenThrough) {
  WRITE("victim", {'s', 'e', 'c', 'r', 'e', 't'});
  chmod("victim", 0600);
  std::vector<std::string> planted = {"dolm.dat.tmp", "dolm.dat~", ".dolm.dat.swp", "dolm.dat.new"};
  for (long pid = getpid() - 50; pid <= getpid() + 50; pid++)
    planted.push_back("dolm.dat." + std::to_string(pid) + ".tmp");
  for (const auto& name : planted) ASSERT_EQ(symlink("victim", name.c_str()), 0);
  if (geteuid() == 0) {  // only root can make a link another user's
    ASSERT_EQ(symlink("victim", "dolm.dat"), 0);
    ASSERT_EQ(lchown("dolm.dat", 4242, 4242), 0);
  }
  Put(4, 4, 'x'), Keys({'S'});
  EXPECT_EQ(READ("victim"), (Bytes{'s', 'e', 'c', 'r', 'e', 't'}));
  EXPECT_EQ(std::tuple(S_ISREG(MODE("dolm.dat")), READ("dolm.dat").size(), MODE("victim") & 0777),
            std::tuple(true, 2614u, 0600));
  for (const auto& name : planted) EXPECT_TRUE(S_ISLNK(MODE(name.c_str()))) << name;
  for (const auto& name : planted) std::remove(name.c_str());
  std::remove("victim");
}

// S keeps what the player made of the file: its mode, and a link of the player's own to a file
// elsewhere (the new game goes into that file); a new file gets 0666 less the umask.
TEST_F(Game, SavingKeepsTheFileModeAndThePlayersLink) {
  Put(4, 4, 'x');
  for (int mode : {0600, 0640, 0444}) {
    WRITE("dolm.dat", {1});
    chmod("dolm.dat", mode);
    Keys({'S'});
    EXPECT_EQ(std::tuple(MODE("dolm.dat") & 07777, READ("dolm.dat").size()),
              std::tuple(mode, 2614u));
  }
  for (int mask : {022, 077}) {
    std::remove("dolm.dat");
    const mode_t old = umask(mask);
    Keys({'S'});
    umask(old);
    EXPECT_EQ(MODE("dolm.dat") & 07777, 0666 & ~mask);
  }
  ASSERT_EQ(system("rm -rf dolm.dat games && mkdir games && echo x > games/mine.dat && chmod 600 "
                   "games/mine.dat"),
            0);
  ASSERT_EQ(symlink("games/mine.dat", "dolm.dat"), 0);
  Put(5, 5, 'o'), Keys({'S'});
  EXPECT_EQ(std::tuple(S_ISLNK(MODE("dolm.dat")), MODE("games/mine.dat") & 0777,
                       READ("games/mine.dat").size(), W(READ("games/mine.dat"), 0)),
            std::tuple(true, 0600, 2614u, 2));
  EXPECT_NE(system("ls -a games | grep -q dolm-tmp"), 0);
  EXPECT_TRUE(NOTEMPORARY());
  ASSERT_EQ(system("rm -rf dolm.dat games"), 0);
}

// A save that fails (a full disk, a failing device, a directory, a FIFO or a loop of the player's
// own links in the way) keeps the old file whole, leaves no temporary file and says why on the
// contact row until the next key; nothing else changes.
TEST_F(Game, AFailedSaveIsReportedAndKeepsTheOldFile) {
  static int fault;  // the error every write fails with, or 0 for the real write
  // What fails, and the shell command that puts something in the file's way.
  const std::tuple<int, const char*, const char*> cases[] = {
      {ENOSPC, "", "No space left on device"},
      {EIO, "", "Input/output error"},
      {0, "rm dolm.dat && mkdir -p dolm.dat/keep", "not a regular file"},
      {0, "rm dolm.dat && mkfifo dolm.dat", "not a regular file"},
      {0, "rm dolm.dat && ln -s dolm.dat dolm.dat", "Too many levels of symbolic links"}};
  for (auto [error, setup, why] : cases) {
    SCOPED_TRACE(*setup ? setup : why);
    Keys({'n'}), Put(4, 4, 'x'), Keys({'S'});
    const Bytes old = READ("dolm.dat");
    ASSERT_EQ(system(setup), 0);
    fault = error;
    if (fault) FILEWRITE = [](int, const void*, size_t) -> ssize_t { return errno = fault, -1; };
    Put(5, 5, 'o');
    REFUSED(*this, "Not saved: dolm.dat: " + std::string(why), "", 'S');
    FILEWRITE = write;
    if (!*setup) {
      EXPECT_EQ(READ("dolm.dat"), old);
    }
    EXPECT_TRUE(NOTEMPORARY());
    ASSERT_EQ(system("rm -rf dolm.dat"), 0);
  }
}
