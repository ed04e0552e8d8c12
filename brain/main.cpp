// pbrain-dolm: the dolm engine as a tournament brain, speaking the gomoku
// AI protocol over standard input and output.
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "protocol.h"

// Writes one reply line and flushes it, since the manager waits for it.
static void print_line(const char* line) {
  std::fputs(line, stdout);
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

int main() {
  set_reply_sink(print_line);
  brain_start();
  static char line[4096];
  while (std::fgets(line, sizeof line, stdin)) {
    // A line longer than the buffer is taken by its start; the rest is dropped.
    if (!std::strchr(line, '\n')) {
      int c;
      while ((c = std::getchar()) != EOF && c != '\n') {
      }
    }
    if (brain_line(line) == LineOutcome::QUIT) break;
  }
  return 0;
}
