// What the file-reading fuzz targets share: a named stop, and a scratch
// directory that holds the input as a file only while it is tried.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Stop the run, naming the check: the reader broke one of its promises.
#define Check(ok) \
  ((ok) ? void(0) : (std::fprintf(stderr, "failed: %s (line %d)\n", #ok, __LINE__), abort()))

// The scratch directory's name, in memory when the system has one (a disk
// file system may flush a truncated file on every close); made in PutFile.
inline std::string SCRATCH = [] {
  const bool shm = std::filesystem::is_directory("/dev/shm");
  std::string d =
      (shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
      "dolm-fuzz-XXXXXX";
  if (!mkdtemp(d.data()) || rmdir(d.c_str()) != 0) abort();
  return d;
}();

// Make DATA the file NAME in the scratch directory and go there.
inline void PutFile(const char* name, const uint8_t* data, size_t size) {
  Check(mkdir(SCRATCH.c_str(), 0700) == 0 && chdir(SCRATCH.c_str()) == 0);
  const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL, 0600);
  Check(fd >= 0 && write(fd, data, size) == ssize_t(size));
  close(fd);
}

// Leave and remove the scratch directory, so that none is left behind.
inline void DropFile(const char* name) {
  Check(unlink(name) == 0 && chdir("/") == 0 && rmdir(SCRATCH.c_str()) == 0);
}
