// The key file: drawn, written, read back, and refused when damaged.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "board_helpers.h"
#include "fileio.h"

namespace {

// Every key of the board side in force, nonzero when drawn.
std::vector<uint32_t> KEYS() {
  std::vector<uint32_t> k;
  for (int y = 1; y <= SR - 2; y++)
    for (int x = 1; x <= SR - 2; x++) k.push_back(PIDX[CELL(x, y)]), k.push_back(PKEY[CELL(x, y)]);
  k.insert(k.end(), {HXI, HXK, HOI, HOK});
  EXPECT_EQ(std::count(k.begin(), k.end(), 0u), 0);
  return k;
}

long FILESIZE(const char* name) {
  struct stat st;
  return stat(name, &st) == 0 ? long(st.st_size) : -1;
}

// Keys drawn at first use, written at shut-down (little-endian, PIDX of cell 8 first) and read
// back; a file one byte short gives fresh keys, a longer one is read for its first 3640 bytes, a
// directory in its place is neither read nor written.
TEST(KeyFile, RoundTripAndDamagedFiles) {
  unlink("kanec13.rnd");
  NEWBOARD(13);
  EXPECT_TRUE(KEYSDRAWN);
  const std::vector<uint32_t> drawn = KEYS();
  EXPECT_EQ(drawn.size(), 2u * 121 + 4);
  MOZEKDONE();
  EXPECT_EQ(FILESIZE("kanec13.rnd"), 3640);
  NEWBOARD(22), NEWBOARD(13);
  EXPECT_FALSE(KEYSDRAWN);
  EXPECT_EQ(KEYS(), drawn);
  uint8_t buf[3640];
  ASSERT_EQ(LOADFILE("kanec13.rnd", buf, sizeof buf), 3640);
  EXPECT_EQ(GET32(buf), PIDX[8]);

  ASSERT_TRUE(SAVEFILE("kanec13.rnd", buf, 3639));
  NEWBOARD(13);
  EXPECT_TRUE(KEYSDRAWN);
  const std::vector<uint32_t> fresh = KEYS();
  int same = 0;
  for (size_t i = 0; i < fresh.size(); i++) same += fresh[i] == drawn[i];
  EXPECT_LT(same, 3);  // not a single key of the short file used

  std::vector<uint8_t> longer(buf, buf + 3640);
  longer.resize(5000, 0xAB);
  ASSERT_TRUE(SAVEFILE("kanec13.rnd", longer.data(), longer.size()));
  NEWBOARD(13);
  EXPECT_FALSE(KEYSDRAWN);
  EXPECT_EQ(KEYS(), drawn);

  unlink("kanec13.rnd");
  ASSERT_EQ(mkdir("kanec13.rnd", 0755), 0);
  NEWBOARD(13);
  EXPECT_TRUE(KEYSDRAWN);
  KEYS();
  MOZEKDONE();  // fails quietly
  rmdir("kanec13.rnd");
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
  EXPECT_TRUE(KEYSDRAWN);
  EXPECT_NE(KEYS(), stored);
  MOZEKDONE();
  NEWBOARD(11);
  MOZEKDONE();
  ASSERT_EQ(mkfifo("kanec12.rnd", 0600), 0);
  NEWBOARD(12);
  KEYFILES = true;
  EXPECT_TRUE(KEYSDRAWN);
  EXPECT_EQ(FILESIZE("kanec11.rnd"), -1);
  NEWBOARD(10);
  EXPECT_EQ(KEYS(), stored);
  unlink("kanec10.rnd"), unlink("kanec12.rnd");
  NEWBOARD(22);
}

}  // namespace
