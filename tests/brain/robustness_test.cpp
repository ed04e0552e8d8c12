// Random protocol traffic, sound and garbled: the brain answers every line
// with at most one reply of a known form, and the engine's position always
// equals a fresh replay of the stones on the board.
#include <cstdio>
#include <random>

#include "position.h"
#include "settings.h"
#include "transcript.h"

// One random line: a command word from the protocol (or not), in random
// case, with arguments that are sometimes right and often not.
static std::string random_line(std::mt19937& rng) {
  static const char* const WORDS[] = {"START", "RECTSTART", "RESTART", "BEGIN", "TURN", "TURN", "TURN", "BOARD", "DONE",
                                      "TAKEBACK", "TAKEBACK", "ABOUT", "INFO", "PLAY", "", "X"};
  static const char* const KEYS[] = {"timeout_turn", "rule", "max_memory", "breadth", "max_node", "time_left", "folder"};
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto number = [&]() {
    char text[16];
    switch (pick(6)) {
      case 0: std::snprintf(text, sizeof text, "%d", pick(25)); break;
      case 1: std::snprintf(text, sizeof text, "-%d", pick(3)); break;
      case 2: text[0] = '\0'; break;
      case 3: std::snprintf(text, sizeof text, "99999999999"); break;
      default: std::snprintf(text, sizeof text, "%d", pick(16)); break;
    }
    return std::string(text);
  };
  // A coordinate, mostly on the board in force.
  auto coordinate = [&]() { return pick(8) ? std::to_string(pick(board_size > 0 ? board_size : 20)) : number(); };
  std::string line;
  int kind = pick(40);
  if (kind < 24) {
    line = pick(2) ? "TURN " : "turn ";
    line += coordinate();
    line += ',';
    line += coordinate();
  } else if (kind < 28 && PT > 0) {
    // Take back a stone that stands, often not the last one.
    int x, y;
    cell_coords(PP[1 + pick(PT)], x, y);
    char text[32];
    std::snprintf(text, sizeof text, "TAKEBACK %d,%d", x, y);
    line = text;
  } else if (kind < 32) {
    // A bare board line, as inside a BOARD block.
    line = number();
    line += ',';
    line += number();
    line += ',';
    line += static_cast<char>('0' + pick(5));
  } else if (kind < 34) {
    for (int n = pick(12); n > 0; n--) line += static_cast<char>(1 + pick(126));
  } else {
    line = WORDS[pick(16)];
    for (char& c : line)
      if (pick(2)) c = static_cast<char>(c - 'A' + 'a');
    if (line == "INFO" || line == "info") {
      line += ' ';
      line += KEYS[pick(7)];
      line += ' ';
      line += number();
    } else if (pick(4)) {
      line += ' ';
      line += number();
      if (pick(3)) {
        line += ',';
        line += number();
      }
    }
  }
  if (pick(2)) line += pick(2) ? "\r\n" : "\n";
  return line;
}

// Whether LINE is a reply the protocol allows.
static bool known_reply(const std::string& line) {
  int x, y;
  char tail;
  return line == "OK" || line.rfind("ERROR ", 0) == 0 || line.rfind("UNKNOWN ", 0) == 0 ||
         line.rfind("name=\"dolm\"", 0) == 0 || std::sscanf(line.c_str(), "%d,%d%c", &x, &y, &tail) == 2;
}

TEST_F(Transcript, RandomTrafficNeverBreaksTheBrainOrThePosition) {
  std::mt19937 rng(2026);
  static Placement replay[484];
  for (int i = 0; i < 20000; i++) {
    std::string line = random_line(rng);
    replies.clear();
    ASSERT_EQ(brain_line(line.c_str()), LineOutcome::CONTINUE) << line;
    // Keep every search at depth 1, so the run stays quick.
    timeout_turn_ms = 0;
    fixed_depth = 0;
    ASSERT_LE(replies.size(), 1u) << line;
    for (const std::string& r : replies) ASSERT_TRUE(known_reply(r)) << line << " -> " << r;
    if (board_size == 0) continue;
    // The stones on the board are exactly the record of moves, each once.
    int stones = 0, count = 0;
    for (int y = 0; y < board_size; y++)
      for (int x = 0; x < board_size; x++) {
        uint16_t c = cell_at(x, y);
        if (PHC[c] == OWN_STONE || PHC[c] == OPPONENT_STONE) stones++;
        if (PHC[c] == OBSTACLE) replay[count++] = {c, OBSTACLE};
      }
    ASSERT_EQ(stones, PT) << line;
    for (int k = 1; k <= PT; k++) replay[count++] = {PP[k], PHC[PP[k]]};
    // A fresh replay gives the same evaluation (the five registers may
    // legitimately differ after a take-back, so they are left out).
    EngineSnapshot now = snapshot();
    set_position(replay, count);
    EngineSnapshot fresh = snapshot();
    now.x5 = fresh.x5;
    now.o5 = fresh.o5;
    ASSERT_EQ(now, fresh) << "after line " << i << ": " << line;
  }
}
