// The brain's side of the tournament protocol: one call per input line,
// replies through the sink of protocol.h.
#pragma once

#include <cstddef>

// What the caller does after a line.
enum class LineOutcome { CONTINUE, QUIT };

// Starts the engine and puts the brain in its initial state.
void brain_start();

// Forgets the board, the settings and any half-read BOARD block, keeping the
// engine's tables (tests use it between cases).
void brain_reset();

// Carries out one input line (with or without its CR LF) and sends its replies.
LineOutcome brain_line(const char* line);

// Carries out one line as read from the manager: LENGTH bytes, no line end,
// perhaps holding NUL or other control bytes (then answered ERROR, or inside
// a BOARD block refused at DONE), perhaps CUT for its length (refused too).
LineOutcome brain_input_line(const char* bytes, size_t length, bool cut);
