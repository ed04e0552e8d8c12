#include "fileio.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

int FILEFAULT;
ssize_t (*FILEWRITE)(int fd, const void* buf, size_t n) = write;

// The file a save really replaces: the name, or where the player's links lead.
static char TARGET[PATH_MAX];
// The temporary file of the save in progress, in TARGET's directory.
static char TEMP[PATH_MAX + 64];

const char* FILEFAULTTEXT(int fault) {
  return fault == NOTREGULAR ? "not a regular file" : std::strerror(fault);
}

// Record why an operation failed and answer its failure.
static bool FAIL(int fault) {
  FILEFAULT = fault;
  return false;
}

long LOADFILE(const char* name, uint8_t* buf, size_t n) {
  FILEFAULT = 0;
  // Looked at before opening, so a device is never opened; checked again on
  // the open file in case the name changed in between. O_NONBLOCK keeps the
  // open of a FIFO from waiting for a writer.
  struct stat st;
  if (stat(name, &st) != 0) return FAIL(errno), -1;
  if (!S_ISREG(st.st_mode)) return FAIL(NOTREGULAR), -1;
  const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FAIL(errno), -1;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return FAIL(NOTREGULAR), -1;
  }
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

// Length of the directory part of PATH, its last slash included (0: the
// working directory).
static size_t DIRLEN(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? size_t(slash - path + 1) : 0;
}

// TARGET := NAME with every link that the player owns followed, so a save
// keeps the player's links and writes where they lead. A link someone else
// planted is not followed: the save replaces the link itself.
static bool FOLLOWLINKS(const char* name) {
  if (std::strlen(name) >= sizeof TARGET) return FAIL(ENAMETOOLONG);
  std::strcpy(TARGET, name);
  for (int hop = 0;; hop++) {
    struct stat st;
    if (lstat(TARGET, &st) != 0 || !S_ISLNK(st.st_mode) || st.st_uid != geteuid()) return true;
    if (hop == 16) return FAIL(ELOOP);
    char link[PATH_MAX];
    const ssize_t len = readlink(TARGET, link, sizeof link - 1);
    if (len < 0) return FAIL(errno);
    link[len] = '\0';
    // A relative link is relative to the directory that holds it.
    const size_t keep = link[0] == '/' ? 0 : DIRLEN(TARGET);
    if (keep + size_t(len) >= sizeof TARGET) return FAIL(ENAMETOOLONG);
    std::memmove(TARGET + keep, link, size_t(len) + 1);
  }
}

// The mode the new file gets: that of the regular file it replaces, or what
// a newly created file would get (0666 less the umask).
static bool TARGETMODE(mode_t& mode) {
  struct stat st;
  const bool exists = lstat(TARGET, &st) == 0;
  if (!exists && errno != ENOENT) return FAIL(errno);
  if (exists && S_ISREG(st.st_mode)) {
    mode = st.st_mode & 07777;
    return true;
  }
  // A directory, FIFO or device is left alone; someone else's link is replaced.
  if (exists && !S_ISLNK(st.st_mode)) return FAIL(NOTREGULAR);
  const mode_t mask = umask(0);
  umask(mask);
  mode = 0666 & ~mask;
  return true;
}

// Create a temporary file next to TARGET under a name nobody can guess; its
// descriptor, or -1. O_EXCL with O_NOFOLLOW refuses anything planted there.
static int CREATETEMP() {
  static const char DIGITS[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  const size_t dir = DIRLEN(TARGET);
  for (int attempt = 0; attempt < 32; attempt++) {
    uint8_t noise[12];
    if (getrandom(noise, sizeof noise, GRND_NONBLOCK) != ssize_t(sizeof noise)) {
      // No kernel randomness yet: the clock's nanoseconds still vary.
      uint64_t t = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
      for (uint8_t& b : noise)
        b = uint8_t((t = t * 6364136223846793005ULL + 1442695040888963407ULL) >> 56);
    }
    char tail[sizeof noise + 1];
    for (size_t i = 0; i < sizeof noise; i++) tail[i] = DIGITS[noise[i] % 36];
    tail[sizeof noise] = '\0';
    if (std::snprintf(TEMP, sizeof TEMP, "%.*s%s%s.%s", int(dir), TARGET, TEMPPREFIX, TARGET + dir,
                      tail) >= int(sizeof TEMP))
      return FAIL(ENAMETOOLONG), -1;
    const int fd = open(TEMP, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd < 0 ? (FAIL(errno), -1) : fd;
  }
  return FAIL(EEXIST), -1;
}

// Write all N bytes of BUF to FD through FILEWRITE.
static bool WRITEALL(int fd, const uint8_t* buf, size_t n) {
  size_t put = 0;
  while (put < n) {
    const ssize_t w = FILEWRITE(fd, buf + put, n - put);
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return FAIL(errno);
    if (w == 0) return FAIL(EIO);
    put += static_cast<size_t>(w);
  }
  return true;
}

// Bring the directory of TARGET, with the rename done in it, to the disk. A
// file system that cannot sync directories still has the file renamed.
static void SYNCDIR() {
  const size_t dir = DIRLEN(TARGET);
  char path[PATH_MAX];
  std::snprintf(path, sizeof path, "%.*s", dir ? int(dir) : 1, dir ? TARGET : ".");
  const int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool SAVEFILE(const char* name, const uint8_t* buf, size_t n) {
  FILEFAULT = 0;
  mode_t mode;
  if (!FOLLOWLINKS(name) || !TARGETMODE(mode)) return false;
  const int fd = CREATETEMP();
  if (fd < 0) return false;
  // The file is created readable by the player only and opened up to its
  // final mode only when complete, so nobody can open it early.
  bool ok = WRITEALL(fd, buf, n) && (fchmod(fd, mode) == 0 || FAIL(errno)) &&
            (fsync(fd) == 0 || FAIL(errno));
  if (close(fd) != 0 && ok) ok = FAIL(errno);
  if (ok && rename(TEMP, TARGET) != 0) ok = FAIL(errno);
  if (!ok) {
    unlink(TEMP);
    return false;
  }
  SYNCDIR();
  return true;
}
