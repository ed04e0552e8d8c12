// Test entry for engine tests: the engine starts up once, as the program
// does, inside a fresh temporary directory (it reads and writes key files in
// the current directory).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "mozek.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string dir =
      (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/mozekXXXXXX");
  if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) return 2;
  MOZEKINIT();
  const int rc = RUN_ALL_TESTS();
  if (system(("rm -rf '" + dir + "'").c_str()) != 0) return rc ? rc : 3;
  return rc;
}
