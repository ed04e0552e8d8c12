// The console events MYREADKEY consumes, from the real terminal or from a
// test script. Key events arrive already translated into 16-bit key codes
// (kind << 12 | modifiers << 8 | character or scan code).
#pragma once

#include <cstdint>

// A mouse event as the console delivers it.
struct MouseEvent {
  uint16_t buttons;  // held buttons, or-ed
  uint16_t x, y;     // character cell under the pointer, 0-based
  uint16_t action;   // what changed since the previous event, one of the actions below or 0
};

// Mouse buttons, as bits of MouseEvent::buttons.
constexpr uint16_t MOUSELEFT = 1, MOUSERIGHT = 2, MOUSEMIDDLE = 4;
// Mouse actions: the set of held buttons grew, it shrank, only the position changed.
constexpr uint16_t MOUSEPRESS = 1, MOUSERELEASE = 2, MOUSEMOVE = 4;

// Where console events come from.
struct ConsoleInput {
  virtual ~ConsoleInput() = default;
  virtual bool PollMouseEvent() = 0;       // a mouse event is waiting
  virtual MouseEvent GetMouseEvent() = 0;  // take the oldest mouse event
  virtual bool PollKeyEvent() = 0;         // a key event is waiting
  virtual uint16_t GetKeyEvent() = 0;      // take it, translated to a key code (never 0)
  virtual void WaitForEvent() = 0;  // show the screen, then block until an event may be waiting
  virtual void Present() {}         // show the screen now, before long work such as a search
};

extern ConsoleInput* CONSOLE;  // the source MYREADKEY reads; set before the command loop runs
