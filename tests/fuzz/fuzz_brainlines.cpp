// libFuzzer target for the brain's input: any bytes, cut into reads of a size the first byte
// chooses, go through the line splitter into the protocol. No fault; every reply is one known form;
// a move the brain sends lies on the board on a cell it now holds, and every table, the move record
// among them, equals one computed from scratch (BOARDOK), so no move went onto an occupied cell.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "commands.h"
#include "mozek.h"
#include "position.h"
#include "protocol.h"
#include "settings.h"

// Stop the run, naming the check: the brain broke one of its promises.
#define Check(ok) \
  ((ok) ? void(0) : (std::fprintf(stderr, "failed: %s (line %d)\n", #ok, __LINE__), abort()))

// Checks one reply line as the brain sends it.
static void CheckReply(const char* line) {
  int x, y, end = -1;
  if (std::sscanf(line, "%d,%d%n", &x, &y, &end) == 2 && end == int(std::strlen(line))) {
    Check(board_size > 0 && x >= 0 && y >= 0 && x < board_size && y < board_size);
    Check(PHC[cell_at(x, y)] == OWN_STONE);
    return;
  }
  Check(!std::strcmp(line, "OK") || !std::strncmp(line, "ERROR ", 6) ||
        !std::strncmp(line, "UNKNOWN ", 8) || !std::strncmp(line, "MESSAGE ", 8) ||
        !std::strncmp(line, "name=", 5));
}

// Carries out one line, then checks the board and keeps the next search short.
static bool TakeLine(const char* bytes, size_t n, bool cut) {
  const bool quit = brain_input_line(bytes, n, cut) == LineOutcome::QUIT;
  Check(board_size == 0 || BOARDOK());
  timeout_turn_ms = 0;
  fixed_depth = 0;
  return !quit;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  set_reply_sink(CheckReply);
  brain_start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = 1 + data[0] % 16;
  brain_reset();
  reset_lines();
  timeout_turn_ms = 0;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  size--;
  for (size_t at = 0; at < size; at += piece)
    if (!split_lines(bytes + at, piece < size - at ? piece : size - at, TakeLine)) return 0;
  finish_lines(TakeLine);
  return 0;
}
