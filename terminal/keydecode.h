// keydecode: the bytes a terminal sends for keys and the mouse, turned into
// the console's key codes and mouse events. A pure function of the bytes and
// of the time they came, so it is tested and fuzzed without a terminal.
#pragma once

#include <cstdint>

#include "console.h"

constexpr int64_t ESCMS = 25;  // quiet time after ESC before it counts as the Esc key

// One decoded event: a key code (never 0) or a mouse event.
struct KeyEvent {
  bool isMouse;
  uint16_t key;
  MouseEvent mouse;
};

// Decoder state between reads: the unfinished sequence and the mouse buttons held.
struct KeyDecoder {
  uint8_t seq[40];        // bytes of the sequence not yet complete
  int len;                // how many of them
  bool discard;           // an overlong sequence is being swallowed up to its final byte
  int64_t last;           // time of the last byte of the pending sequence (ms)
  uint16_t held;          // mouse buttons held: left 1, right 2, middle 4
  uint16_t lastx, lasty;  // pointer cell of the previous mouse event
};

void KDRESET(KeyDecoder& d);  // nothing pending, no buttons held
// Decode n bytes of one read that came at time now (ms). Writes at most cap
// events to out and returns their count; room for n + 1 is always enough.
int KDFEED(KeyDecoder& d, const uint8_t* bytes, int n, int64_t now, KeyEvent* out, int cap);
// The time at which a pending sequence is settled by KDTIME, -1 when none is pending.
int64_t KDDEADLINE(const KeyDecoder& d);
// Settle a sequence left pending until now: a lone ESC is the Esc key, Alt+[ and
// Alt+O stand for themselves, anything unfinished is dropped. Returns the count.
int KDTIME(KeyDecoder& d, int64_t now, KeyEvent* out, int cap);
