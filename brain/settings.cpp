#include "settings.h"

#include "mozek.h"
#include "protocol.h"
#include "search.h"

int64_t timeout_turn_ms;
int64_t timeout_match_ms;
int64_t time_left_ms;
int fixed_depth;
int64_t node_cap;
bool verbose;
const char* pending_refusal;

// Rule bits of the protocol that change what a win is; the engine plays
// free-style only (five or more wins). Bit 2, the continuous game, only
// changes when the manager stops, so it is accepted.
constexpr int64_t RULE_EXACTLY_FIVE = 1;
constexpr int64_t RULE_RENJU = 4;
constexpr int64_t RULE_CARO = 8;

// The transposition table without a memory limit (half of what remains
// below a limit, at most this); an INFO max_depth above the cap is the cap.
constexpr int64_t DEFAULT_TABLE_BYTES = int64_t(32) << 20;
constexpr int MAX_DEPTH_CAP = 40;
// Candidates per search node until INFO breadth says otherwise: wider than the game's 12, since
// the reductions keep the extra late moves cheap.
constexpr uint16_t DEFAULT_BREADTH = 16;

int64_t engine_memory_bytes() { return static_cast<int64_t>(TABLEBYTES) + (8 << 20); }

void reset_settings() {
  // The protocol's customary defaults until the manager says otherwise.
  timeout_turn_ms = 30000;
  timeout_match_ms = 0;
  time_left_ms = -1;
  fixed_depth = 0;
  node_cap = 0;
  verbose = false;
  pending_refusal = nullptr;
  V0 = DEFAULT_BREADTH;
  tt_resize(DEFAULT_TABLE_BYTES);
}

void apply_info(const char* key_and_value) {
  char key[COMMAND_WORD_MAX];
  const char* text;
  split_command(key_and_value, key, text);
  int64_t value;
  // Every key we act on carries a number; FOLDER, EVALUATE and the like are ignored.
  if (!parse_integer(text, value)) return;
  if (word_is(key, "TIMEOUT_TURN")) {
    if (value >= 0) timeout_turn_ms = value;
  } else if (word_is(key, "TIMEOUT_MATCH")) {
    if (value >= 0) timeout_match_ms = value;
  } else if (word_is(key, "TIME_LEFT")) {
    time_left_ms = value < 0 ? 0 : value;
  } else if (word_is(key, "MAX_MEMORY")) {
    if (value > 0 && value < engine_memory_bytes())
      pending_refusal = "max_memory is below what the engine needs";
    else if (value > 0)
      tt_resize((value - engine_memory_bytes()) / 2 < DEFAULT_TABLE_BYTES
                    ? (value - engine_memory_bytes()) / 2
                    : DEFAULT_TABLE_BYTES);
    else
      tt_resize(DEFAULT_TABLE_BYTES);
  } else if (word_is(key, "RULE")) {
    if (value & RULE_RENJU)
      pending_refusal = "renju rule not supported, only free-style";
    else if (value & RULE_CARO)
      pending_refusal = "caro rule not supported, only free-style";
    else if (value & RULE_EXACTLY_FIVE)
      pending_refusal = "exactly-five rule not supported, only free-style";
  } else if (word_is(key, "MAX_DEPTH")) {
    // A cap on the deepening; 0 lifts it.
    if (value >= 0) fixed_depth = value > MAX_DEPTH_CAP ? MAX_DEPTH_CAP : static_cast<int>(value);
  } else if (word_is(key, "MAX_NODE")) {
    if (value >= 0) node_cap = value;
  } else if (word_is(key, "BREADTH")) {
    if (value >= 1 && value <= 18) V0 = static_cast<uint16_t>(value);
  } else if (word_is(key, "VERBOSE")) {
    verbose = value != 0;
  }
}
