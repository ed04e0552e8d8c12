#include "protocol.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <string>

// Receiver of reply lines; null until the program or a test sets one.
static void (*reply_sink)(const char* line) = nullptr;

// Whether C ends the meaningful part of a line.
static bool is_line_end(char c) { return c == '\0' || c == '\r' || c == '\n'; }

// Whether C separates words.
static bool is_blank(char c) { return c == ' ' || c == '\t'; }

void split_command(const char* line, char (&word)[COMMAND_WORD_MAX], const char*& rest) {
  while (is_blank(*line)) line++;
  int n = 0;
  while (!is_line_end(*line) && !is_blank(*line)) {
    // A word too long to be a command is cut short; it still matches nothing.
    if (n < COMMAND_WORD_MAX - 1)
      word[n++] = static_cast<char>(std::toupper(static_cast<unsigned char>(*line)));
    line++;
  }
  word[n] = '\0';
  while (is_blank(*line)) line++;
  rest = line;
}

// Reads one unsigned decimal number at S, moving S past it.
static bool read_unsigned(const char*& s, int64_t& value) {
  if (!std::isdigit(static_cast<unsigned char>(*s))) return false;
  value = 0;
  while (std::isdigit(static_cast<unsigned char>(*s))) {
    value = value * 10 + (*s++ - '0');
    if (value > 999999999) return false;
  }
  return true;
}

bool parse_numbers(const char* text, int64_t* values, int count) {
  const char* s = text;
  for (int i = 0; i < count; i++) {
    while (is_blank(*s)) s++;
    if (i > 0) {
      if (*s != ',') return false;
      s++;
      while (is_blank(*s)) s++;
    }
    if (!read_unsigned(s, values[i])) return false;
  }
  while (is_blank(*s)) s++;
  return is_line_end(*s);
}

bool parse_integer(const char* text, int64_t& value) {
  const char* s = text;
  while (is_blank(*s)) s++;
  bool negative = *s == '-';
  if (*s == '-' || *s == '+') s++;
  // Match times and memory sizes may exceed a billion, so read them wider.
  if (!std::isdigit(static_cast<unsigned char>(*s))) return false;
  value = 0;
  while (std::isdigit(static_cast<unsigned char>(*s))) {
    value = value * 10 + (*s++ - '0');
    if (value > 999999999999999LL) return false;
  }
  while (is_blank(*s)) s++;
  if (!is_line_end(*s)) return false;
  if (negative) value = -value;
  return true;
}

bool word_is(const char* text, const char* word) {
  while (*word) {
    if (std::toupper(static_cast<unsigned char>(*text)) != *word) return false;
    text++;
    word++;
  }
  return is_line_end(*text) || is_blank(*text);
}

void set_reply_sink(void (*sink)(const char* line)) { reply_sink = sink; }

void reply(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (reply_sink) reply_sink(line);
}

// The line being read, up to LINE_BYTES_MAX bytes of it.
static std::string partial_line;
static bool partial_cut;      // the line being read is longer than LINE_BYTES_MAX
static bool after_cr;         // the last byte was a CR: an LF right after it ends no line
static bool stopped_reading;  // the handler asked to stop

// Hands the line read so far to HANDLER and starts a new one.
static void end_line(LineHandler handler) {
  if (!handler(partial_line.data(), partial_line.size(), partial_cut)) stopped_reading = true;
  partial_line.clear();
  partial_cut = false;
}

bool split_lines(const char* bytes, size_t n, LineHandler handler) {
  for (size_t i = 0; i < n && !stopped_reading; i++) {
    const char c = bytes[i];
    const bool lf_of_crlf = after_cr && c == '\n';
    after_cr = c == '\r';
    if (lf_of_crlf) continue;
    if (c == '\r' || c == '\n') {
      end_line(handler);
    } else if (partial_line.size() < LINE_BYTES_MAX) {
      partial_line += c;
    } else {
      partial_cut = true;
    }
  }
  return !stopped_reading;
}

bool finish_lines(LineHandler handler) {
  if (!stopped_reading && (!partial_line.empty() || partial_cut)) end_line(handler);
  return !stopped_reading;
}

void reset_lines() {
  partial_line.clear();
  partial_cut = after_cr = stopped_reading = false;
}
