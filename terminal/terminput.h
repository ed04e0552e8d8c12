// The terminal as an event source: raw bytes from standard input, decoded
// into key codes and mouse events, waited for with poll so an idle game uses
// no processor time.
#pragma once

#include <csignal>
#include <cstdint>

#include "console.h"
#include "keydecode.h"

struct TerminalInput : ConsoleInput {
  static constexpr int QUEUE = 256;  // events of each kind held before more are dropped

  bool Open();             // make the wake-up pipe and start decoding afresh
  void Close();            // close the pipe
  void ResizeSignal();     // called from the SIGWINCH handler: wake the wait
  void InterruptSignal();  // Ctrl+C or Ctrl+\ (signal-safe): from now on only Esc is read
  void SuspendSignal();    // Ctrl+Z (signal-safe): suspend at the next safe point
  bool TakeSuspend();      // a suspension was asked for; the asking is forgotten
  bool Interrupted() const { return interrupted != 0; }
  bool Roomy() const { return keyCount < QUEUE / 2 && mouseCount < QUEUE / 2; }  // room for a read

  bool PollMouseEvent() override;
  MouseEvent GetMouseEvent() override;
  bool PollKeyEvent() override;
  uint16_t GetKeyEvent() override;
  void WaitForEvent() override;
  void Present() override;

 private:
  void Take(int timeoutMs);  // Read, then the pending signals' work
  void Read(
      int timeoutMs);  // wait up to timeoutMs (-1: for ever) for bytes or a resize, and decode them
  void Wake();         // make the wait return (signal-safe)
  void Queue(const KeyEvent* ev, int n);
  KeyDecoder decoder;
  uint16_t keys[QUEUE];
  MouseEvent mice[QUEUE];
  int keyHead = 0, keyCount = 0, mouseHead = 0, mouseCount = 0;
  int wake[2] = {-1, -1};  // the pipe SIGWINCH writes to
  bool ended = false;      // standard input is closed or Ctrl+C came: only Esc comes from now on
  volatile sig_atomic_t interrupted = 0, suspending = 0;  // Ctrl+C or Ctrl+\; Ctrl+Z
};
