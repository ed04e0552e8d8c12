// Small whole-file helpers shared by the engine's key file and the game's
// settings and saved games. Numbers in files are little-endian, written and
// read byte by byte so the files are the same on every host.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>

// Why the last LOADFILE or SAVEFILE failed: an errno value, or NOTREGULAR for
// a path that names something else than a regular file; 0 after a success.
extern int FILEFAULT;
constexpr int NOTREGULAR = -1;
// A short plain-words text for a FILEFAULT value ("Permission denied").
const char* FILEFAULTTEXT(int fault);

// Read at most n bytes of a regular file into buf; the number read, or -1
// (FILEFAULT tells why) when the file cannot be opened or is no regular file.
// A FIFO or a device is refused without waiting on it.
long LOADFILE(const char* name, uint8_t* buf, size_t n);
// Write a whole file so that it is never left half written and nobody else
// can steer the write: the bytes go to a new temporary file of unpredictable
// name (created exclusively, never through a link) in the file's directory,
// which gets the old file's mode, reaches the disk and is then renamed over
// the old file. A link of the player's own to the file is written through, so
// it stays a link. False when anything failed (FILEFAULT tells why); the old
// file is then untouched and no temporary file is left.
bool SAVEFILE(const char* name, const uint8_t* buf, size_t n);
// Every temporary file's name starts with this, so leftovers of a killed run
// can be recognised.
constexpr const char* TEMPPREFIX = ".dolm-tmp.";
// The write step of SAVEFILE; tests put a failing one here to stand for a
// full disk or a refusing file system.
extern ssize_t (*FILEWRITE)(int fd, const void* buf, size_t n);

// Little-endian 16- and 32-bit numbers at a byte position.
inline void PUT16(uint8_t* p, uint16_t v) {
  p[0] = v & 255;
  p[1] = v >> 8;
}
inline void PUT32(uint8_t* p, uint32_t v) {
  PUT16(p, v & 0xFFFF);
  PUT16(p + 2, v >> 16);
}
inline uint16_t GET16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t GET32(const uint8_t* p) {
  return GET16(p) | static_cast<uint32_t>(GET16(p + 2)) << 16;
}
