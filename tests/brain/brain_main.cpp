// Test entry for the brain: the engine starts once, as the brain does, inside
// a fresh temporary directory (it reads key files from the current directory).
#include <gtest/gtest.h>
#include <unistd.h>

#include "brain_process.h"
#include "commands.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string dir = make_temp_dir();
  if (dir.empty() || chdir(dir.c_str()) != 0) return 2;
  brain_start();
  const int rc = RUN_ALL_TESTS();
  remove_temp_dir(dir);
  return rc;
}
