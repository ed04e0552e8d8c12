// Reading the terminal: bytes in, console events out.
#include "terminput.h"

#include <curses.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>

#include "keycodes.h"
#include "presenter.h"
#include "terminal.h"

// Milliseconds of a clock that never goes back.
static int64_t NowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// A pipe whose ends are non-blocking and closed on exec; pipe2 would do it in
// one call but is missing on some systems (macOS), and nothing else runs
// between the calls here.
static bool WAKEPIPE(int fd[2]) {
  if (pipe(fd) != 0) return false;
  for (int i = 0; i < 2; i++)
    if (fcntl(fd[i], F_SETFD, FD_CLOEXEC) != 0 ||
        fcntl(fd[i], F_SETFL, fcntl(fd[i], F_GETFL) | O_NONBLOCK) != 0)
      return false;
  return true;
}

bool TerminalInput::Open() {
  KDRESET(decoder);
  keyCount = mouseCount = 0;
  ended = false;
  interrupted = 0;
  suspending = 0;
  return WAKEPIPE(wake);
}

void TerminalInput::Close() {
  for (int& fd : wake) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

void TerminalInput::ResizeSignal() { Wake(); }

void TerminalInput::InterruptSignal() {
  interrupted = 1;
  Wake();
}

void TerminalInput::SuspendSignal() {
  suspending = 1;
  Wake();
}

bool TerminalInput::TakeSuspend() {
  bool asked = suspending != 0;
  suspending = 0;
  return asked;
}

void TerminalInput::Wake() {
  int saved = errno;
  if (wake[1] >= 0) {
    char b = 1;
    (void)!write(wake[1], &b, 1);
  }
  errno = saved;
}

void TerminalInput::Queue(const KeyEvent* ev, int n) {
  assert(keyHead < QUEUE && keyCount <= QUEUE && mouseHead < QUEUE && mouseCount <= QUEUE);
  for (int i = 0; i < n; i++) {
    if (!ev[i].isMouse) {
      if (ev[i].key == KEY::CTRL_C || ev[i].key == KEY::CTRL_BACKSLASH) interrupted = 1;
      if (ev[i].key == KEY::CTRL_Z) suspending = 1;
      if (ev[i].key == KEY::CTRL_C || ev[i].key == KEY::CTRL_BACKSLASH || ev[i].key == KEY::CTRL_Z)
        continue;
      if (keyCount < QUEUE) keys[(keyHead + keyCount++) % QUEUE] = ev[i].key;
    } else if (!PRESENTSMALL() && mouseCount < QUEUE) {
      // While the board is hidden behind the request to enlarge, clicks mean nothing.
      mice[(mouseHead + mouseCount++) % QUEUE] = ev[i].mouse;
    }
  }
}

void TerminalInput::Take(int timeoutMs) {
  Read(timeoutMs);
  if (!ended && TERMCHECK()) {
    // Ctrl+C: whatever was typed before it is dropped and the game ends as after Esc.
    keyCount = mouseCount = 0;
    ended = true;
    KeyEvent esc{false, KEY::ESC, MouseEvent{}};
    Queue(&esc, 1);
  }
}

void TerminalInput::Read(int timeoutMs) {
  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {wake[0], POLLIN, 0}};
  int r = ended ? 0 : poll(fds, 2, timeoutMs);
  KeyEvent ev[1024 + 1];
  if (r > 0 && (fds[1].revents & POLLIN)) {
    char drain[64];
    while (read(wake[0], drain, sizeof drain) > 0) {
    }
    winsize ws;
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) == 0) resizeterm(ws.ws_row, ws.ws_col);
    PRESENTAGAIN();
  }
  if (r > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
    uint8_t bytes[1024];
    ssize_t k = read(STDIN_FILENO, bytes, sizeof bytes);
    if (k > 0) {
      Queue(ev, KDFEED(decoder, bytes, int(k), NowMs(), ev, int(sizeof ev / sizeof ev[0])));
      return;
    }
    if (k == 0 || (errno != EINTR && errno != EAGAIN)) ended = true;
  }
  if (ended) {
    // The terminal is gone: the game ends as after Esc.
    KeyEvent esc{false, KEY::ESC, MouseEvent{}};
    if (keyCount == 0) Queue(&esc, 1);
    return;
  }
  Queue(ev, KDTIME(decoder, NowMs(), ev, int(sizeof ev / sizeof ev[0])));
}

bool TerminalInput::PollMouseEvent() {
  Take(0);
  return mouseCount > 0;
}

MouseEvent TerminalInput::GetMouseEvent() {
  MouseEvent m = mice[mouseHead];
  mouseHead = (mouseHead + 1) % QUEUE;
  mouseCount--;
  return m;
}

bool TerminalInput::PollKeyEvent() {
  Take(0);
  return keyCount > 0;
}

uint16_t TerminalInput::GetKeyEvent() {
  uint16_t k = keys[keyHead];
  keyHead = (keyHead + 1) % QUEUE;
  keyCount--;
  return k;
}

void TerminalInput::WaitForEvent() {
  while (keyCount == 0 && mouseCount == 0) {
    PRESENT();
    int64_t deadline = KDDEADLINE(decoder);
    int timeout = -1;
    if (deadline >= 0) {
      int64_t left = deadline - NowMs();
      timeout = left < 0 ? 0 : int(left) + 1;
    }
    Take(timeout);
  }
}

void TerminalInput::Present() { PRESENT(); }
