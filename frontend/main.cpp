// dolm: five in a row against the computer in the text terminal.
#include <cstdio>
#include <cstring>

#include "game.h"
#include "mozek.h"
#include "myreadun.h"
#include "terminal.h"

#ifndef DOLM_VERSION
#define DOLM_VERSION "unknown"
#endif

// What `dolm --help` prints; the last line is also the hint after a bad argument.
static const char USAGE[] =
    "Usage: dolm\n"
    "Five in a row against the computer on an 80x25 text screen; keys and mouse.\n"
    "dolm takes no arguments other than --help and --version. It reads and writes\n"
    "dolm.cfg (settings), dolm.dat (saved game) and kanec*.rnd (the engine's keys)\n"
    "in the current directory.\n";
static const char MANHINT[] = "See man 6 dolm for the keys and the files.\n";

int main(int argc, char** argv) {
  if (argc > 1) {
    if (argc == 2 && strcmp(argv[1], "--help") == 0) {
      fputs(USAGE, stdout);
      fputs(MANHINT, stdout);
      return 0;
    }
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
      puts("dolm " DOLM_VERSION);
      return 0;
    }
    fprintf(stderr, "dolm: unknown argument '%s'\nTry 'dolm --help' for more information.\n",
            argv[1]);
    return 2;
  }
  if (!TERMSTART()) return 1;  // not a terminal: nothing is drawn
  MOZEKINIT();
  InitMouse();
  InitKeyboard();
  // The search looks at the terminal every few thousand nodes, so Ctrl+C ends a long think.
  SEARCHSTOP = TERMBREAK;
  const bool SETTINGSSAVED = DOLMRUN();
  SEARCHSTOP = nullptr;
  MOZEKDONE();
  DoneMouse();
  DoneKeyboard();
  TERMSTOP();
  // Said only now, on the restored terminal; the game itself ended well.
  if (!SETTINGSSAVED) std::fprintf(stderr, "dolm: %s\n", FILEWHY);
  return 0;
}
