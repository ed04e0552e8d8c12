#include "fileio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

long LOADFILE(const char* name, uint8_t* buf, size_t n) {
  const int fd = open(name, O_RDONLY);
  if (fd < 0) return -1;
  size_t got = 0;
  while (got < n) {
    const ssize_t r = read(fd, buf + got, n - got);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<size_t>(r);
  }
  close(fd);
  return static_cast<long>(got);
}

bool SAVEFILE(const char* name, const uint8_t* buf, size_t n) {
  char tmp[256];
  if (std::snprintf(tmp, sizeof tmp, "%s.%ld.tmp", name, static_cast<long>(getpid())) >=
      static_cast<int>(sizeof tmp))
    return false;
  const int fd = open(tmp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  size_t put = 0;
  while (put < n) {
    const ssize_t w = write(fd, buf + put, n - put);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) break;
    put += static_cast<size_t>(w);
  }
  const bool ok = put == n && fsync(fd) == 0;
  if (close(fd) != 0 || !ok || rename(tmp, name) != 0) {
    unlink(tmp);
    return false;
  }
  return true;
}
