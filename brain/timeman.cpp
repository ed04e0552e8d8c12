#include "timeman.h"

#include <chrono>

#include "settings.h"

using turn_clock = std::chrono::steady_clock;

// When the reply being prepared began and when its search must be over.
static turn_clock::time_point turn_start;
static turn_clock::time_point turn_deadline;

int64_t turn_allowance_ms(int empty) {
  int64_t allowance = timeout_turn_ms;
  if (timeout_match_ms > 0) {
    int64_t left = time_left_ms >= 0 ? time_left_ms : timeout_match_ms;
    // Spread what is left over the replies still to come: about one per
    // four empty cells, between 10 and 30, since games end long before the board fills.
    int64_t replies = empty / 4;
    if (replies < 10) replies = 10;
    if (replies > 30) replies = 30;
    int64_t share = left / replies;
    if (share < allowance) allowance = share;
  }
  return allowance < 0 ? 0 : allowance;
}

int64_t safety_margin_ms(int64_t allowance) { return 30 + allowance / 10; }

void start_turn_clock(int64_t allowance_ms) {
  turn_start = turn_clock::now();
  int64_t usable = allowance_ms - safety_margin_ms(allowance_ms);
  if (usable < 0) usable = 0;
  turn_deadline = turn_start + std::chrono::milliseconds(usable);
}

int64_t elapsed_us() {
  return std::chrono::duration_cast<std::chrono::microseconds>(turn_clock::now() - turn_start)
      .count();
}

int64_t remaining_us() {
  return std::chrono::duration_cast<std::chrono::microseconds>(turn_deadline - turn_clock::now())
      .count();
}

bool deadline_passed() { return turn_clock::now() >= turn_deadline; }
