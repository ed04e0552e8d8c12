// A pbrain-dolm process on the far end of two pipes, as a tournament manager
// runs it: lines go in on its standard input, replies come back one by one.
#pragma once

#include <sys/types.h>

#include <string>

struct BrainProcess {
  pid_t pid = -1;
  int to_brain = -1;    // the brain's standard input
  int from_brain = -1;  // the brain's standard output
  std::string pending;  // bytes read past the last line handed out
};

// Starts the brain at PATH in the working directory DIR.
bool spawn_brain(BrainProcess& brain, const std::string& path, const std::string& dir);

// Sends TEXT as it stands (the caller adds the line end).
bool send_text(BrainProcess& brain, const std::string& text);

// Reads the next reply line, without its line end, waiting at most
// TIMEOUT_MS; false on timeout or when the brain closed its output.
bool read_reply(BrainProcess& brain, std::string& line, int timeout_ms);

// Closes the brain's input and waits up to TIMEOUT_MS for it to exit; returns
// its exit status, or -1 when it had to be killed or died from a signal.
int finish_brain(BrainProcess& brain, int timeout_ms);

// A fresh temporary directory for the brain's files.
std::string make_temp_dir();
// Removes a directory made by make_temp_dir.
void remove_temp_dir(const std::string& dir);
