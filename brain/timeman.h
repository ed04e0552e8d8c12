// Time management: how long this reply may take, and the clock the search
// consults to stop in time.
#pragma once

#include <cstdint>

// Milliseconds this reply may take at most, from the turn and match limits
// and the match time left; EMPTY is the number of empty cells (a rough
// measure of how many replies the match still needs).
int64_t turn_allowance_ms(int empty);

// Milliseconds kept back from an allowance for what follows a search:
// unwinding an aborted search, writing the reply, and the manager's clock.
int64_t safety_margin_ms(int64_t allowance);

// Starts the clock of this reply; the search must be over by ALLOWANCE_MS
// minus the safety margin.
void start_turn_clock(int64_t allowance_ms);

// Microseconds since the clock of this reply started.
int64_t elapsed_us();

// Microseconds left until the search must be over (negative once past).
int64_t remaining_us();

// The search's stop check: true once the deadline has passed.
bool deadline_passed();
