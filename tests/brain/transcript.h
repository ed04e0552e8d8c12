// In-process protocol transcripts: feed the brain lines, collect its replies.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands.h"
#include "mozek.h"

// Replies collected since the transcript began.
extern std::vector<std::string> replies;

// Each test starts from a freshly started brain with no board.
class Transcript : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Sends LINES in order and returns the replies they drew.
  std::vector<std::string> run(std::initializer_list<const char*> lines);
  // Whether the last run ended the brain.
  bool quit = false;
};

// Everything the engine keeps about a position, to prove a refused command left it alone.
struct EngineSnapshot {
  std::vector<uint16_t> phc, psh, psc, ps, pp;
  uint32_t sumx, sumo, x5, o5;
  uint16_t pt;
  bool operator==(const EngineSnapshot&) const = default;
};
EngineSnapshot snapshot();
