#include "transcript.h"

#include "protocol.h"

std::vector<std::string> replies;

// Sink that keeps every reply line.
static void keep_line(const char* line) { replies.emplace_back(line); }

void Transcript::SetUp() {
  brain_reset();
  set_reply_sink(keep_line);
  replies.clear();
}

void Transcript::TearDown() { set_reply_sink(nullptr); }

std::vector<std::string> Transcript::run(std::initializer_list<const char*> lines) {
  replies.clear();
  quit = false;
  for (const char* line : lines)
    if (brain_line(line) == LineOutcome::QUIT) quit = true;
  return replies;
}

EngineSnapshot snapshot() {
  EngineSnapshot s;
  s.phc.assign(PHC, PHC + 576);
  s.psh.assign(PSH, PSH + 484);
  s.psc.assign(PSC, PSC + 484);
  s.ps.assign(PS, PS + 484);
  s.pp.assign(PP + 1, PP + 1 + PT);
  s.sumx = SUMX;
  s.sumo = SUMO;
  s.x5 = X5;
  s.o5 = O5;
  s.pt = PT;
  return s;
}
