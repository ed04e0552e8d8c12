// Board-size set-up, the game reset, the search budget and the key file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "board_helpers.h"
#include "fileio.h"

namespace {

TEST(BoardSetup, GeometryOfSmallAndLargeBoards) {
  NEWBOARD(7);
  EXPECT_EQ(SRXSR_SR_2, 40);
  EXPECT_EQ(KZ, 24);
  EXPECT_EQ(MEZEZ[8], 0u);
  EXPECT_EQ(MEZEK[8], 0x04040004u);  // diagonal, column, anti-diagonal, row
  EXPECT_EQ(MEZEZ[24], 0x02020202u);
  EXPECT_EQ(MEZEK[24], 0x02020202u);
  for (int i = 0; i <= 48; i++) {
    const bool playable = i % 7 >= 1 && i % 7 <= 5 && i / 7 >= 1 && i / 7 <= 5;
    ASSERT_EQ(PHC[i], playable ? 0 : 3) << i;
  }
  for (int i = 49; i <= 80; i++) ASSERT_EQ(PHC[i], 0) << i;

  NEWBOARD(8);
  EXPECT_EQ(KZ, 27);

  NEWBOARD(22);
  EXPECT_EQ(SRXSR_SR_2, 460);
  EXPECT_EQ(KZ, 230);
  EXPECT_EQ(L - 1, 28397) << "last slot of the stack layout";
  const int expected[8] = {1, 21, 22, 23, -1, -21, -22, -23};
  for (int d = 0; d < 8; d++) EXPECT_EQ(PSV[d], expected[d]);
}

TEST(BoardSetup, BoardPicture) {
  NEWBOARD(22);
  EXPECT_EQ(PR[0], ' ');
  EXPECT_EQ(PR[1], '1');
  EXPECT_EQ(PR[10], '0');
  EXPECT_EQ(PR[22], '1');
  EXPECT_EQ(PR[23], 177);
  EXPECT_EQ(PR[24], 176);
  EXPECT_EQ(PR[483], ' ');
  EXPECT_EQ(PR[21 * 22 + 5], ' ') << "bottom frame row";
  EXPECT_EQ(PR[5 * 22 + 21], ' ') << "right frame column";
}

TEST(BoardSetup, NewGameClearsObstacles) {
  NEWBOARD(9);
  PHC[CELL(3, 3)] = 3;
  CLEARDATA();
  EXPECT_EQ(PHC[CELL(3, 3)], 0);
}

TEST(BoardSetup, SearchBudget) {
  EXPECT_EQ(INTANAEN(12, 8), 429981696u);
  EXPECT_EQ(INTANAEN(7, 0), 1u);
  EXPECT_EQ(INTANAEN(18, 10), 3570467226624ull);
}

std::vector<uint32_t> KEYS() {
  std::vector<uint32_t> k;
  for (int y = 1; y <= SR - 2; y++)
    for (int x = 1; x <= SR - 2; x++) k.push_back(PIDX[CELL(x, y)]), k.push_back(PKEY[CELL(x, y)]);
  for (uint32_t v : {HXI, HXK, HOI, HOK}) k.push_back(v);
  return k;
}

bool ALLNONZERO(const std::vector<uint32_t>& k) {
  for (uint32_t v : k)
    if (v == 0) return false;
  return true;
}

long FILESIZE(const char* name) {
  struct stat st;
  return stat(name, &st) == 0 ? long(st.st_size) : -1;
}

TEST(KeyFile, RoundTripThroughShutDownAndStartUp) {
  unlink("kanec13.rnd");
  NEWBOARD(13);
  EXPECT_TRUE(KEYSDRAWN);
  const std::vector<uint32_t> drawn = KEYS();
  EXPECT_EQ(drawn.size(), 2u * 121 + 4);
  EXPECT_TRUE(ALLNONZERO(drawn));
  MOZEKDONE();
  EXPECT_EQ(FILESIZE("kanec13.rnd"), 3640);
  NEWBOARD(22);
  NEWBOARD(13);
  EXPECT_FALSE(KEYSDRAWN);
  EXPECT_EQ(KEYS(), drawn);
  // Little-endian on disk: the first key is PIDX of cell 8.
  uint8_t buf[4];
  ASSERT_EQ(LOADFILE("kanec13.rnd", buf, 4), 4);
  EXPECT_EQ(GET32(buf), PIDX[8]);
}

TEST(KeyFile, ShortUnreadableOrMissingFilesGiveFreshKeys) {
  NEWBOARD(10);
  MOZEKDONE();
  const std::vector<uint32_t> stored = KEYS();

  // A file one byte short: not a single key of it may be used.
  uint8_t buf[3640];
  ASSERT_EQ(LOADFILE("kanec10.rnd", buf, sizeof buf), 3640);
  ASSERT_TRUE(SAVEFILE("kanec10.rnd", buf, 3639));
  NEWBOARD(10);
  EXPECT_TRUE(KEYSDRAWN);
  std::vector<uint32_t> fresh = KEYS();
  EXPECT_TRUE(ALLNONZERO(fresh));
  int same = 0;
  for (size_t i = 0; i < fresh.size(); i++) same += fresh[i] == stored[i];
  EXPECT_LT(same, 3);

  // A longer file is read for its first 3640 bytes.
  std::vector<uint8_t> longer(buf, buf + 3640);
  longer.resize(5000, 0xAB);
  ASSERT_TRUE(SAVEFILE("kanec10.rnd", longer.data(), longer.size()));
  NEWBOARD(10);
  EXPECT_FALSE(KEYSDRAWN);
  EXPECT_EQ(KEYS(), stored);

  // A directory in its place cannot be read, nor written at shut-down.
  unlink("kanec10.rnd");
  ASSERT_EQ(mkdir("kanec10.rnd", 0755), 0);
  NEWBOARD(10);
  EXPECT_TRUE(KEYSDRAWN);
  EXPECT_TRUE(ALLNONZERO(KEYS()));
  MOZEKDONE();  // fails quietly
  rmdir("kanec10.rnd");

  unlink("kanec10.rnd");
  NEWBOARD(10);
  EXPECT_TRUE(KEYSDRAWN);
  NEWBOARD(22);
}

// Without key files (the tournament brain) a stored file is neither read nor
// written, and none is created; a FIFO in its place is never opened.
TEST(KeyFile, KeysInMemoryOnly) {
  NEWBOARD(10);
  MOZEKDONE();
  const std::vector<uint32_t> stored = KEYS();
  KEYFILES = false;
  NEWBOARD(10);
  EXPECT_TRUE(KEYSDRAWN && KEYS() != stored);
  MOZEKDONE();
  NEWBOARD(11);
  MOZEKDONE();
  ASSERT_EQ(mkfifo("kanec12.rnd", 0600), 0);
  NEWBOARD(12);
  KEYFILES = true;
  EXPECT_TRUE(KEYSDRAWN && FILESIZE("kanec11.rnd") == -1);
  NEWBOARD(10);
  EXPECT_EQ(KEYS(), stored);
  unlink("kanec10.rnd"), unlink("kanec12.rnd");
  NEWBOARD(22);
}

}  // namespace
