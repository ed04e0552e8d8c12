// Taking over the terminal and giving it back. A normal exit and a
// termination signal go through TERMSTOP, a crash through the few calls a
// signal handler may make, so the shell never inherits mouse reporting or
// changed keys. Ctrl+C and Ctrl+\ end the game as Esc does; Ctrl+Z lends
// the terminal back to the shell until `fg`.
#include "terminal.h"

// curses calls its screen type SCREEN, the name of our text-screen model.
#define SCREEN CURSES_SCREEN
#include <curses.h>
#undef SCREEN
#include <fcntl.h>
#include <langinfo.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "presenter.h"
#include "terminput.h"

// Turned on after curses starts: mouse press, release and motion in the SGR
// form; xterm's modifyOtherKeys level 2, so Ctrl+8 and Ctrl+1 have their own
// sequences; kitty's disambiguated keys; a steady block cursor.
static const char MODESON[] = "\x1b[?1000h\x1b[?1003h\x1b[?1006h\x1b[>4;2m\x1b[>1u\x1b[2 q";
// Their undoing, written before curses ends.
static const char MODESOFF[] = "\x1b[?1006l\x1b[?1003l\x1b[?1000l\x1b[>4m\x1b[<u\x1b[0 q";

static volatile sig_atomic_t STARTED = 0;      // the terminal is ours and must be given back
static TerminalInput TERMINAL;                 // the terminal's event source
static CURSES_SCREEN* CURSESSCREEN = nullptr;  // the curses screen of the terminal

// Everything a crash must undo, gathered before the crash can happen: our
// modes, then the terminal's own attribute reset, cursor, keypad and screen.
static char CRASHOFF[256];
static size_t CRASHLEN = 0;
static struct termios SHELLTTY;  // the line settings the terminal had before we took it
static bool HAVESHELLTTY = false;

// Signals, by how the program answers them: the terminal is given back in full
// and the signal then ends the process; the game ends as after Esc; a crash
// gets the minimal restore and its default action; Ctrl+Z; a resize.
static const int ENDSIGS[] = {SIGTERM, SIGHUP};
static const int QUITSIGS[] = {SIGINT, SIGQUIT};
static const int CRASHSIGS[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
static const int STOPSIGS[] = {SIGTSTP};
static const int SIZESIGS[] = {SIGWINCH};
static constexpr int NSIGS = 11;
static int HANDLED[NSIGS];                  // the signals above, in one list
static struct sigaction OLDACTIONS[NSIGS];  // their handling before ours

// Write all of a string to the terminal, bypassing stdio's buffer.
static void Put(const char* s) {
  size_t n = strlen(s);
  while (n > 0) {
    ssize_t k = write(STDOUT_FILENO, s, n);
    if (k <= 0) return;
    s += k;
    n -= size_t(k);
  }
}

// Give the terminal back, then let the signal do what it would have done.
static void OnFatalSignal(int sig) {
  TERMSTOP();
  signal(sig, SIG_DFL);
  raise(sig);
}

// A crash: the program's state cannot be trusted, so only write and
// tcsetattr give the terminal back before the signal's default action.
static void OnCrash(int sig) {
  if (STARTED) {
    STARTED = 0;
    for (size_t done = 0; done < CRASHLEN;) {
      ssize_t k = write(STDOUT_FILENO, CRASHOFF + done, CRASHLEN - done);
      if (k <= 0) break;
      done += size_t(k);
    }
    if (HAVESHELLTTY) tcsetattr(STDIN_FILENO, TCSANOW, &SHELLTTY);
  }
  signal(sig, SIG_DFL);
  raise(sig);
}

// Ctrl+C or Ctrl+\: the input queue ends the game as after Esc.
static void OnQuit(int) { TERMINAL.InterruptSignal(); }

// Ctrl+Z: the terminal is lent out at the next safe point, never from here.
static void OnSuspend(int) { TERMINAL.SuspendSignal(); }

// The window changed size: wake the input wait, which repaints.
static void OnResize(int) { TERMINAL.ResizeSignal(); }

// Append a terminfo string to the crash restore, when the terminal has it.
static void CrashAdd(const char* s) {
  if (s == nullptr || s == (const char*)-1) return;
  size_t n = strlen(s);
  if (CRASHLEN + n > sizeof CRASHOFF) return;
  memcpy(CRASHOFF + CRASHLEN, s, n);
  CRASHLEN += n;
}

// Handle each signal of the list with the handler; flags as for sigaction.
static int Catch(const int* sigs, size_t n, void (*handler)(int), int flags, int at) {
  struct sigaction sa {};
  sigemptyset(&sa.sa_mask);
  sa.sa_handler = handler;
  sa.sa_flags = flags;
  for (size_t i = 0; i < n; i++, at++) {
    HANDLED[at] = sigs[i];
    sigaction(sigs[i], &sa, &OLDACTIONS[at]);
  }
  return at;
}

// Lend the terminal to the shell (modes off, cursor shown, the shell's screen
// back), stop, and on `fg` take it again and repaint all of it.
static void SuspendNow() {
  Put(MODESOFF);
  endwin();
  struct sigaction ours;
  sigaction(SIGTSTP, nullptr, &ours);
  signal(SIGTSTP, SIG_DFL);
  sigset_t tstp, old;
  sigemptyset(&tstp);
  sigaddset(&tstp, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &tstp, &old);
  kill(0, SIGTSTP);  // the whole job stops, as the terminal would have stopped it
  sigprocmask(SIG_SETMASK, &old, nullptr);
  sigaction(SIGTSTP, &ours, nullptr);
  winsize ws;
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) == 0) resizeterm(ws.ws_row, ws.ws_col);
  PRESENTAGAIN();
  PRESENT();  // its refresh brings back curses' line settings and screen
  Put(MODESON);
}

bool TERMCHECK() {
  if (!STARTED) return false;
  if (TERMINAL.TakeSuspend()) SuspendNow();
  return TERMINAL.Interrupted();
}

bool TERMBREAK() {
  if (!STARTED) return false;
  // Reading what came carries out Ctrl+Z and notes Ctrl+C; once the queues
  // fill up (the pointer moving all through a long think) the bytes wait in
  // the terminal, as they would without this look, and only signals count.
  if (TERMINAL.Roomy()) return TERMINAL.PollKeyEvent(), TERMINAL.Interrupted();
  return TERMCHECK();
}

bool TERMSTART() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    fputs("dolm: needs an interactive terminal\n", stderr);
    return false;
  }
  HAVESHELLTTY = tcgetattr(STDIN_FILENO, &SHELLTTY) == 0;
  // ncursesw draws the glyphs as blanks without a UTF-8 locale, while saying OK.
  setlocale(LC_ALL, "");
  if (strcmp(nl_langinfo(CODESET), "UTF-8") != 0) setlocale(LC_CTYPE, "C.UTF-8");
  CURSESSCREEN = newterm(nullptr, stdout, stdin);
  if (CURSESSCREEN == nullptr) {
    fputs("dolm: needs an interactive terminal\n", stderr);
    return false;
  }
  // Input is read as raw bytes and decoded here; curses only draws. The line
  // still turns Ctrl+C, Ctrl+\ and Ctrl+Z into signals (cbreak after raw keeps
  // flow control off), so they work while the computer thinks.
  raw();
  cbreak();
  noecho();
  nonl();
  meta(stdscr, TRUE);  // all 8 bits of UTF-8 input
  typeahead(-1);       // a key waiting must not cut a showing short
  curs_set(1);
  PRESENTINIT();
  refresh();
  Put(MODESON);
  if (!TERMINAL.Open()) {
    Put(MODESOFF);
    endwin();
    fputs("dolm: needs an interactive terminal\n", stderr);
    return false;
  }
  CRASHLEN = 0;
  CrashAdd(MODESOFF);
  CrashAdd(tigetstr("sgr0"));
  CrashAdd(tigetstr("cnorm"));
  CrashAdd(tigetstr("rmkx"));
  CrashAdd(tigetstr("rmcup"));
  STARTED = 1;
  int at = Catch(ENDSIGS, 2, OnFatalSignal, 0, 0);
  at = Catch(QUITSIGS, 2, OnQuit, SA_RESTART, at);
  at = Catch(CRASHSIGS, 5, OnCrash, 0, at);
  at = Catch(STOPSIGS, 1, OnSuspend, SA_RESTART, at);
  Catch(SIZESIGS, 1, OnResize, SA_RESTART, at);
  static bool registered = false;
  if (!registered) atexit(TERMSTOP);
  registered = true;
  CONSOLE = &TERMINAL;
  return true;
}

void TERMSTOP() {
  if (!STARTED) return;
  STARTED = 0;
  Put(MODESOFF);
  endwin();
  for (int i = 0; i < NSIGS; i++) sigaction(HANDLED[i], &OLDACTIONS[i], nullptr);
  TERMINAL.Close();
  if (CONSOLE == &TERMINAL) CONSOLE = nullptr;
}
