// What the manager tells the brain with INFO: time limits, rule, memory and
// search limits. INFO never gets a reply; a value the brain cannot honour is
// remembered and refused at the next other command.
#pragma once

#include <cstdint>

extern int64_t timeout_turn_ms;   // limit per reply; 0 = answer at once
extern int64_t timeout_match_ms;  // limit of the whole match; 0 = none
extern int64_t time_left_ms;      // what remains of the match limit; negative until told
extern int fixed_depth;           // INFO max_depth: deepen no further than this; 0 = no cap
extern int64_t node_cap;          // INFO max_node: most nodes of a search; 0 = none
extern bool verbose;              // INFO verbose 1: report each search as a MESSAGE line

// Why the next non-INFO command must be refused, or null. Set by an INFO
// the brain cannot honour, cleared once that refusal has been sent.
extern const char* pending_refusal;

// Memory the engine needs in bytes: its tables plus room for code and stack.
int64_t engine_memory_bytes();

// Takes one INFO line's key and value text. Unknown keys and malformed values are ignored.
void apply_info(const char* key_and_value);

// Back to the settings a freshly started brain has.
void reset_settings();
