// pbrain-dolm: the dolm engine as a tournament brain, speaking the gomoku
// AI protocol over standard input and output.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "commands.h"
#include "protocol.h"

// Writes one reply line and flushes it, since the manager waits for it.
static void print_line(const char* line) {
  std::fputs(line, stdout);
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

// Carries out one input line; false after END.
static bool take_line(const char* bytes, size_t length, bool cut) {
  return brain_input_line(bytes, length, cut) != LineOutcome::QUIT;
}

int main() {
  set_reply_sink(print_line);
  brain_start();
  // Raw reads: a line ends where the manager ends it (CR, LF or CR LF), and
  // every byte of it counts, a NUL too.
  static char input[65536];
  for (;;) {
    const ssize_t got = read(0, input, sizeof input);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    if (!split_lines(input, size_t(got), take_line)) return 0;
  }
  finish_lines(take_line);
  return 0;
}
