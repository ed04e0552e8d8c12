// Test entry for the engine, search and game tests: the engine starts once, as
// in the program, in a fresh temporary directory (key files, settings and saved
// games are written in the current directory).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "mozek.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string dir = std::filesystem::temp_directory_path() / "dolmXXXXXX";
  if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) return 2;
  MOZEKINIT();
  const int rc = RUN_ALL_TESTS();
  return chdir("/") == 0 && std::filesystem::remove_all(dir) ? rc : 3;
}
