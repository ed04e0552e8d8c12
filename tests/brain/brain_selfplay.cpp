// Self-play through real pipes: two pbrain-dolm processes play each other,
// refereed by this driver, which checks every move and times every reply.
//
//   brain-selfplay BRAIN SIZE TURN_MS [GAMES] [MIN_REPLIES]
//
// Plays at least GAMES games (default 1) and goes on until MIN_REPLIES
// replies were timed (default 0); the brains alternate in opening. Prints
// the depths the brains reached and the slowest reply, and exits 1 on an
// illegal move, a reply over TURN_MS, a game that ends without a five or a
// full board, or a brain that misbehaves. The time-management figures come
// from runs such as `brain-selfplay pbrain-dolm 20 1000 1 200`; with
// SELFPLAY_LOG set, every search report of the brains is printed as well.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "brain_process.h"

// The referee's board: 0 empty, otherwise the number (1 or 2) of the brain that played.
static int SIZE;
static int BOARD[20][20];

// Whether the stone just played at (x, y) completes five or more in a row.
static bool makes_five(int x, int y) {
  static const int STEPS[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  int who = BOARD[y][x];
  for (const auto& s : STEPS) {
    int run = 1;
    for (int sign = -1; sign <= 1; sign += 2)
      for (int k = 1;; k++) {
        int cx = x + sign * k * s[0], cy = y + sign * k * s[1];
        if (cx < 0 || cy < 0 || cx >= SIZE || cy >= SIZE || BOARD[cy][cx] != who) break;
        run++;
      }
    if (run >= 5) return true;
  }
  return false;
}

// Figures gathered over all replies.
static std::vector<int> depths;       // depth of each reply that searched a tree
static std::vector<int> open_depths;  // the same, leaving out replies whose search found a forced five
static int replies_timed = 0;
static double slowest_ms = 0;
static int over_limit = 0;

// Sends COMMAND to BRAIN and reads its move, skipping MESSAGE lines; times
// the reply. False (with a note on stderr) when the brain gives no move.
static bool ask_move(BrainProcess& brain, const std::string& command, int turn_ms, int& x, int& y) {
  auto sent = std::chrono::steady_clock::now();
  if (!send_text(brain, command + "\r\n")) return false;
  std::string line;
  int depth = -1, score = 0;
  for (;;) {
    // Wait well past the limit, so a slow reply is measured rather than lost.
    if (!read_reply(brain, line, turn_ms * 5 + 2000)) {
      std::fprintf(stderr, "no reply to %s\n", command.c_str());
      return false;
    }
    if (line.rfind("MESSAGE", 0) == 0) {
      if (std::getenv("SELFPLAY_LOG")) std::printf("%s\n", line.c_str());
      // "MESSAGE depth D ..."; a reply without a tree says "(no search)".
      if (line.find("(no search)") == std::string::npos) std::sscanf(line.c_str(), "MESSAGE depth %d score %d", &depth, &score);
      continue;
    }
    break;
  }
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count();
  replies_timed++;
  slowest_ms = std::max(slowest_ms, ms);
  if (ms > turn_ms) {
    over_limit++;
    std::fprintf(stderr, "reply to %s took %.1f ms\n", command.c_str(), ms);
  }
  if (depth > 0) depths.push_back(depth);
  // Scores within 400 of 32667 announce a five forced either way; the brain stops deepening there.
  if (depth > 0 && score > -32267 && score < 32267) open_depths.push_back(depth);
  char tail;
  if (std::sscanf(line.c_str(), "%d,%d%c", &x, &y, &tail) != 2) {
    std::fprintf(stderr, "reply to %s is not a move: %s\n", command.c_str(), line.c_str());
    return false;
  }
  return true;
}

// Plays one game between the two brains, FIRST opening. Returns false on any fault.
static bool play_game(BrainProcess* brains, int first, int turn_ms, int& moves) {
  for (auto& row : BOARD)
    for (int& c : row) c = 0;
  int mover = first, x = -1, y = -1;
  std::string command = "BEGIN";
  for (moves = 0; moves < SIZE * SIZE; moves++) {
    if (!ask_move(brains[mover], command, turn_ms, x, y)) return false;
    if (x < 0 || y < 0 || x >= SIZE || y >= SIZE || BOARD[y][x] != 0) {
      std::fprintf(stderr, "illegal move %d,%d\n", x, y);
      return false;
    }
    BOARD[y][x] = mover + 1;
    if (makes_five(x, y)) {
      moves++;
      std::printf("game over: brain %d made five after %d moves\n", mover + 1, moves);
      return true;
    }
    command = "TURN " + std::to_string(x) + "," + std::to_string(y);
    mover = 1 - mover;
  }
  std::printf("game over: the board is full\n");
  return true;
}

// Sends COMMAND and expects EXPECTED as the reply.
static bool expect(BrainProcess& brain, const std::string& command, const std::string& expected) {
  std::string line;
  if (!send_text(brain, command + "\r\n") || !read_reply(brain, line, 10000) || line != expected) {
    std::fprintf(stderr, "%s: expected %s, got %s\n", command.c_str(), expected.c_str(), line.c_str());
    return false;
  }
  return true;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s BRAIN SIZE TURN_MS [GAMES] [MIN_REPLIES]\n", argv[0]);
    return 2;
  }
  std::string path = argv[1];
  SIZE = std::atoi(argv[2]);
  int turn_ms = std::atoi(argv[3]);
  int games = argc > 4 ? std::atoi(argv[4]) : 1;
  int min_replies = argc > 5 ? std::atoi(argv[5]) : 0;
  std::string dir = make_temp_dir();
  BrainProcess brains[2];
  bool ok = !dir.empty();
  for (auto& b : brains) {
    ok = ok && spawn_brain(b, path, dir) && expect(b, "START " + std::to_string(SIZE), "OK");
    ok = ok && send_text(b, "INFO timeout_turn " + std::to_string(turn_ms) + "\r\nINFO verbose 1\r\n");
  }
  int played = 0;
  while (ok && (played < games || replies_timed < min_replies)) {
    int moves = 0;
    ok = play_game(brains, played % 2, turn_ms, moves);
    played++;
    for (auto& b : brains) ok = ok && expect(b, "RESTART", "OK");
  }
  for (auto& b : brains) {
    ok = ok && send_text(b, "END\r\n");
    ok = finish_brain(b, 5000) == 0 && ok;
  }
  remove_temp_dir(dir);

  std::printf("%dx%d at %d ms per reply: %d games, %d replies\n", SIZE, SIZE, turn_ms, played, replies_timed);
  for (auto* list : {&depths, &open_depths}) {
    if (list->empty()) continue;
    std::sort(list->begin(), list->end());
    std::printf("depth reached in %zu %s: median %d, min %d, max %d\n", list->size(),
                list == &depths ? "searched replies" : "replies with the game still open", (*list)[(list->size() - 1) / 2],
                list->front(), list->back());
  }
  std::printf("slowest reply %.1f ms, %d over the limit\n", slowest_ms, over_limit);
  return ok && over_limit == 0 ? 0 : 1;
}
