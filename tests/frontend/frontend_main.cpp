// The engine starts up once, as the program does, in a fresh temporary
// directory, since the program reads and writes its files in the current one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "mozek.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = std::string(tmp ? tmp : "/tmp") + "/dolmXXXXXX";
  if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) return 2;
  MOZEKINIT();
  const int rc = RUN_ALL_TESTS();
  return chdir("/") == 0 && system(("rm -rf '" + dir + "'").c_str()) == 0 ? rc : 3;
}
