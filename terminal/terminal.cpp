// Taking over the terminal and giving it back. Every way out of the
// program, a normal exit, a termination signal or a crash, goes through
// TERMSTOP, so the shell never inherits mouse reporting or changed keys.
#include "terminal.h"

// curses calls its screen type SCREEN, the name of our text-screen model.
#define SCREEN CURSES_SCREEN
#include <curses.h>
#undef SCREEN
#include <fcntl.h>
#include <langinfo.h>
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

// Signals after which the terminal is given back before the process ends.
static const int FATALSIGS[] = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT, SIGSEGV,
                                SIGABRT, SIGBUS,  SIGFPE, SIGILL};
static struct sigaction OLDACTIONS[sizeof FATALSIGS / sizeof FATALSIGS[0]];
static struct sigaction OLDWINCH;  // the SIGWINCH handling before ours

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

// The window changed size: wake the input wait, which repaints.
static void OnResize(int) { TERMINAL.ResizeSignal(); }

bool TERMSTART() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    fputs("dolm: needs an interactive terminal\n", stderr);
    return false;
  }
  // ncursesw draws the glyphs as blanks without a UTF-8 locale, while saying OK.
  setlocale(LC_ALL, "");
  if (strcmp(nl_langinfo(CODESET), "UTF-8") != 0) setlocale(LC_CTYPE, "C.UTF-8");
  CURSESSCREEN = newterm(nullptr, stdout, stdin);
  if (CURSESSCREEN == nullptr) {
    fputs("dolm: needs an interactive terminal\n", stderr);
    return false;
  }
  // Input is read as raw bytes and decoded here; curses only draws.
  raw();
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
  STARTED = 1;
  struct sigaction sa {};
  sigemptyset(&sa.sa_mask);
  sa.sa_handler = OnFatalSignal;
  for (size_t i = 0; i < sizeof FATALSIGS / sizeof FATALSIGS[0]; i++)
    sigaction(FATALSIGS[i], &sa, &OLDACTIONS[i]);
  sa.sa_handler = OnResize;
  sa.sa_flags = SA_RESTART;
  sigaction(SIGWINCH, &sa, &OLDWINCH);
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
  for (size_t i = 0; i < sizeof FATALSIGS / sizeof FATALSIGS[0]; i++)
    sigaction(FATALSIGS[i], &OLDACTIONS[i], nullptr);
  sigaction(SIGWINCH, &OLDWINCH, nullptr);
  TERMINAL.Close();
  if (CONSOLE == &TERMINAL) CONSOLE = nullptr;
}
