// A console whose events a test pushes in order, for driving MYREADKEY and
// the command loop without a terminal.
#pragma once

#include <cstdint>

#include "console.h"

// Events come out in the order pushed. A key pushed after a mouse event
// normally arrives in a later pass of MYREADKEY; pushed with samePass it is
// already waiting when that mouse event is taken, as when both arrive at
// once. Once the script runs out, every key read gives Esc (001B), so a
// command loop under test always ends.
struct ScriptInput : ConsoleInput {
  static constexpr int CAP = 4096;  // events one script can hold

  void PushKey(uint16_t code, bool samePass = false);
  void PushMouse(uint16_t buttons, uint16_t x, uint16_t y, uint16_t action);
  // A left or right press and release on 0-based cell (x, y), as two events.
  void PushClick(uint16_t x, uint16_t y, bool right = false);
  int Pending() const { return count - next; }  // events not yet taken
  int escapes = 0;                              // Esc codes given after the script ran out
  int waits = 0;                                // times MYREADKEY found nothing and waited

  bool PollMouseEvent() override;
  MouseEvent GetMouseEvent() override;
  bool PollKeyEvent() override;
  uint16_t GetKeyEvent() override;
  void WaitForEvent() override;

 private:
  struct Item {
    bool isKey, samePass;
    uint16_t key;
    MouseEvent mouse;
  };
  Item items[CAP];
  int count = 0, next = 0;
  bool mouseThisPass = false;  // a mouse event was taken since the pass began
  uint16_t held = 0;           // buttons held, for PushClick
};
