// Small whole-file helpers shared by the engine's key file and the game's
// settings and saved games. Numbers in files are little-endian, written and
// read byte by byte so the files are the same on every host.
#pragma once

#include <cstddef>
#include <cstdint>

// Read at most n bytes of a file into buf; the number read, or -1 when the
// file cannot be opened for reading.
long LOADFILE(const char* name, uint8_t* buf, size_t n);
// Write a whole file so that it is never left half written: the bytes go to
// a temporary file in the same directory, which is then renamed over the old
// one. False when anything failed; the old file is then untouched.
bool SAVEFILE(const char* name, const uint8_t* buf, size_t n);

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
