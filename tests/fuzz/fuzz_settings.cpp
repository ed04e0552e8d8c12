// libFuzzer target for the settings read at start-up: any bytes as
// "dolm.cfg". Either every setting keeps its value, or all five take the
// file's, each within the range the keys allow and with glyphs the screen can draw.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game.h"
#include "mozek.h"

// Stop the run, naming the check: the settings load broke one of its promises.
#define Check(ok) \
  ((ok) ? void(0) : (std::fprintf(stderr, "failed: %s (line %d)\n", #ok, __LINE__), abort()))

// A scratch directory for the file, in memory when the system has one: a
// disk file system may flush a truncated file on every close.
static std::string FuzzDir() {
  const bool shm = std::filesystem::is_directory("/dev/shm");
  return (shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
         "dolm-fuzz-XXXXXX";
}
static std::string scratch;  // the scratch directory, there only while an input is tried

// Make DATA the file NAME in the scratch directory and go there.
static void PutFile(const char* name, const uint8_t* data, size_t size) {
  Check(mkdir(scratch.c_str(), 0700) == 0 && chdir(scratch.c_str()) == 0);
  const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL, 0600);
  Check(fd >= 0 && write(fd, data, size) == ssize_t(size));
  close(fd);
}

// Leave and remove the scratch directory, so that none is left behind.
static void DropFile(const char* name) {
  Check(unlink(name) == 0 && chdir("/") == 0 && rmdir(scratch.c_str()) == 0);
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string d = FuzzDir();
  if (!mkdtemp(d.data()) || rmdir(d.c_str()) != 0) abort();
  scratch = d;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutFile("dolm.cfg", data, size);
  // Values no file can hold, so a load that changed any of them shows.
  V0 = 0, H0 = 0, SR = 0, PXO[1] = 7, PXO[2] = 8;
  LOUDCFG();
  DropFile("dolm.cfg");
  const bool kept = V0 == 0 && H0 == 0 && SR == 0 && PXO[1] == 7 && PXO[2] == 8;
  if (kept) return 0;
  Check(size >= 8 && V0 == (data[0] | data[1] << 8) && H0 == (data[2] | data[3] << 8) &&
        SR == (data[4] | data[5] << 8) && PXO[1] == char(data[6]) && PXO[2] == char(data[7]));
  Check(V0 >= 1 && V0 <= 18 && H0 >= 1 && H0 <= 10 && SR >= 7 && SR <= 22);
  for (char g : {PXO[1], PXO[2]}) Check(g != 0 && g != 7 && g != 8 && g != 10 && g != 13);
  return 0;
}
