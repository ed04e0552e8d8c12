// Text side of the tournament protocol: splitting a command line, reading
// its numbers, and sending reply lines. Nothing here knows the engine.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest command word we keep; longer words are never valid commands.
constexpr int COMMAND_WORD_MAX = 16;

// Splits LINE into its first word, upper-cased into WORD, and the rest after
// the separating blanks (REST points into LINE). A trailing CR or LF ends the line.
void split_command(const char* line, char (&word)[COMMAND_WORD_MAX], const char*& rest);

// Reads exactly COUNT comma-separated unsigned decimal numbers from TEXT
// (blanks allowed around them, nothing else after); false on any other text
// or a number above 999,999,999.
bool parse_numbers(const char* text, int64_t* values, int count);

// Reads one signed decimal integer (the value of an INFO key) from TEXT.
bool parse_integer(const char* text, int64_t& value);

// Case-blind comparison of the leading word of TEXT with upper-case WORD.
bool word_is(const char* text, const char* word);

// Where reply lines go: standard output in the program, a list in the tests.
// Every line is handed over complete, without its line end.
void set_reply_sink(void (*sink)(const char* line));

// Sends one reply line built like printf.
void reply(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Longest line kept whole; a longer one is passed on cut, and marked so.
constexpr size_t LINE_BYTES_MAX = 1 << 20;

// Receives one complete input line: its bytes without the line end and their
// real count (a line may hold NUL bytes), and whether it was cut at
// LINE_BYTES_MAX. Returns false to stop reading.
using LineHandler = bool (*)(const char* bytes, size_t length, bool cut);

// Splits the input stream into lines, whatever pieces it arrives in: CR, LF
// and CR LF each end one line (a CR LF split between two pieces too). Calls
// HANDLER for each line completed by the N BYTES; false once it asked to stop.
bool split_lines(const char* bytes, size_t n, LineHandler handler);
// At the end of the input: passes on a last line that had no line end.
bool finish_lines(LineHandler handler);
// Forgets a partly read line and a pending CR.
void reset_lines();
