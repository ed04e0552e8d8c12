// The terminal as an event source: raw bytes from standard input, decoded
// into key codes and mouse events, waited for with poll so an idle game uses
// no processor time.
#pragma once

#include <cstdint>

#include "console.h"
#include "keydecode.h"

struct TerminalInput : ConsoleInput {
  static constexpr int QUEUE = 256;  // events of each kind held before more are dropped

  bool Open();          // make the wake-up pipe and start decoding afresh
  void Close();         // close the pipe
  void ResizeSignal();  // called from the SIGWINCH handler: wake the wait

  bool PollMouseEvent() override;
  MouseEvent GetMouseEvent() override;
  bool PollKeyEvent() override;
  uint16_t GetKeyEvent() override;
  void WaitForEvent() override;
  void Present() override;

 private:
  void Take(
      int timeoutMs);  // wait up to timeoutMs (-1: for ever) for bytes or a resize, and decode them
  void Queue(const KeyEvent* ev, int n);
  KeyDecoder decoder;
  uint16_t keys[QUEUE];
  MouseEvent mice[QUEUE];
  int keyHead = 0, keyCount = 0, mouseHead = 0, mouseCount = 0;
  int wake[2] = {-1, -1};  // the pipe SIGWINCH writes to
  bool ended = false;      // standard input is closed: only Esc comes from now on
};
