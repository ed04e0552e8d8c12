// Self-play through real pipes: two pbrain-dolm processes play each other, refereed by this driver,
// which checks every move and times every reply. `brain-selfplay BRAIN SIZE TURN_MS [MIN_MOVES]`
// (TURN_MS 0: at once, untimed) plays until MIN_MOVES moves were made, one game by default, and
// fails on any fault.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>

constexpr int W = 22;  // row stride: the largest board and a frame of -1 around it
// How late a reply may come before it counts as a fault: a virtual machine's host can stop a
// process for 60 ms and more at any moment, invisibly to it, also just before the brain's deadline.
constexpr int STALL_MS = 100;
static int N, board[W * W];
static FILE *to[2], *from[2];  // the brains' standard input and output

// Sends LINE (if any) with CR LF, as managers do, and returns the next reply line.
static std::string ask(int brain, const std::string& line) {
  if (!line.empty()) std::fprintf(to[brain], "%s\r\n", line.c_str()), std::fflush(to[brain]);
  char buf[512];
  std::string reply = std::fgets(buf, sizeof buf, from[brain]) ? buf : "";
  return reply.substr(0, reply.find_first_of("\r\n"));
}

// Reports a fault and fails; the brains end with the driver's pipes.
static int fail(const std::string& what) { return std::fprintf(stderr, "%s\n", what.c_str()), 1; }

// How many stones like the one at CELL follow it in direction D.
static int line_from(int cell, int d) {
  return board[cell + d] == board[cell] ? 1 + line_from(cell + d, d) : 0;
}

// Whether the stone at CELL completes five or more in a row.
static bool makes_five(int cell) {
  for (int d : {1, W - 1, W, W + 1})
    if (line_from(cell, -d) + 1 + line_from(cell, d) >= 5) return true;
  return false;
}

int main(int argc, char** argv) {
  if (argc < 4 || (N = std::atoi(argv[2])) < 5 || N > 20) return 2;
  const int turn_ms = std::atoi(argv[3]), min_moves = argc > 4 ? std::atoi(argv[4]) : 1;
  pid_t pids[2];
  for (int b = 0; b < 2; b++) {
    int in[2], out[2];  // close-on-exec: neither brain holds an end of the other's pipes
    if (pipe(in) != 0 || pipe(out) != 0) return 2;
    for (int fd : {in[0], in[1], out[0], out[1]}) fcntl(fd, F_SETFD, FD_CLOEXEC);
    if ((pids[b] = fork()) == 0) {
      dup2(in[0], 0), dup2(out[1], 1);
      execl(argv[1], argv[1], static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]), close(out[1]);
    to[b] = fdopen(in[1], "w"), from[b] = fdopen(out[0], "r");
    // The rest of an overlong line must be dropped, not read as more commands.
    if (ask(b, std::string(10000, 'x')) != "UNKNOWN command not understood")
      return fail("long line");
    if (ask(b, "START " + std::to_string(N)) != "OK") return fail("START refused");
    std::fprintf(to[b], "INFO timeout_turn %d\r\nINFO verbose 1\r\n", turn_ms);
  }
  double slowest_ms = 0;  // how close the brains came to the turn time
  int moves = 0, games = 0;
  for (; moves < min_moves; games++) {
    for (int i = 0; i < W * W; i++) board[i] = i % W && i % W <= N && i / W && i / W <= N ? 0 : -1;
    std::string command = "BEGIN", line;
    for (int b = games % 2, x, y, cell;; b ^= 1) {
      const auto sent = std::chrono::steady_clock::now();
      for (line = ask(b, command); line.starts_with("MESSAGE");) line = ask(b, "");
      const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - sent;
      slowest_ms = std::max(slowest_ms, ms.count());
      char tail;
      if ((turn_ms > 0 && ms.count() > turn_ms + STALL_MS) ||
          std::sscanf(line.c_str(), "%d,%d%c", &x, &y, &tail) != 2 || x < 0 || y < 0 || x >= N ||
          y >= N || board[cell = (y + 1) * W + x + 1] != 0)
        return fail(command + ": " + line + " after " + std::to_string(ms.count()) + " ms");
      board[cell] = b + 1;
      if (++moves, makes_five(cell) || std::count(board, board + W * W, 0) == 0) break;
      command = "TURN " + line;
    }
    for (int b = 0; b < 2; b++)
      if (ask(b, "RESTART") != "OK") return fail("RESTART refused");
  }
  // One brain is ended by END, the other by the end of its input: both must exit cleanly.
  std::fputs("END\r\n", to[0]);
  for (int b = 0, status; b < 2; b++)
    if (std::fclose(to[b]), waitpid(pids[b], &status, 0),
        !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      return fail("brain " + std::to_string(b + 1) + " did not exit cleanly");
  std::printf("%dx%d at %d ms: %d games, %d moves, slowest reply %.1f ms\n", N, N, turn_ms, games,
              moves, slowest_ms);
}
