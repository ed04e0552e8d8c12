// The engine's own pseudo-random generator (splitmix64). It starts from a
// fixed seed, so a run in which every key file was found repeats the same
// draws; it is re-seeded from the clock only when fresh keys are drawn.
#include <chrono>

#include "mozek_internal.h"

static uint64_t RANDSTATE = 0x2545F4914F6CDD1DULL;  // generator state

void RANDSEED(uint64_t seed) { RANDSTATE = seed; }

void RANDCLOCK() {
  RANDSEED(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
           static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

// Next 32 random bits.
static uint32_t NEXT32() {
  uint64_t z = (RANDSTATE += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

// Multiply-shift with rejection of the biased low range, so every value of
// 0..n-1 is exactly equally likely.
uint32_t RANDOM(uint32_t n) {
  uint64_t m = static_cast<uint64_t>(NEXT32()) * n;
  uint32_t low = static_cast<uint32_t>(m);
  if (low < n) {
    const uint32_t threshold = static_cast<uint32_t>(-n) % n;
    while (low < threshold) {
      m = static_cast<uint64_t>(NEXT32()) * n;
      low = static_cast<uint32_t>(m);
    }
  }
  return static_cast<uint32_t>(m >> 32);
}
