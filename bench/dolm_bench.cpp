// dolm-bench: searches a list of positions the way the computer's turn does
// and reports the move, score, nodes and time of each, then the totals. The
// total node count is the engine's behaviour signature: a change that only
// makes the search faster must leave it exactly as it was.
//
// One position per line, blank lines and lines starting with '#' ignored,
// every token optional:
//   sr=22 skill=12/8 draw=0 obstacles=3,4;5,6 moves=11,11,X;12,11,O;10,12,X
// sr is the board side with its frame (7..22), skill is V0/H0, draw is the
// index the root's random pick takes when exactly one move has been played,
// cells are column,row in playable coordinates (1..sr-2).
//
// Usage: dolm-bench [--reference] [--check REFERENCE] [POSITIONS]
//   --reference  print only what must not change (no times): the reference format
//   --check REF  compare that with the file REF and fail on any difference
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "mozek.h"

namespace {

// One placed stone of the replayed game.
struct Move {
  uint16_t cell;
  bool x;  // side X (the human); otherwise side O
};

// One line of the suite, checked and ready to set up.
struct Position {
  int line = 0;
  uint16_t sr = SRMAX;
  uint16_t v0 = 12;
  uint16_t h0 = 8;
  int32_t draw = 0;
  std::vector<uint16_t> obstacles;
  std::vector<Move> moves;
};

// What one search gave.
struct Result {
  uint16_t col = 0, row = 0;
  int16_t score = 0;
  uint64_t nodes = 0;
  double us = 0;     // wall-clock time
  double cpuUs = 0;  // processor time of this process: what the search cost on a busy machine
};

// A rejected input line: the message names the file and the line.
[[noreturn]] void reject(const std::string& file, int line, const std::string& why) {
  std::fprintf(stderr, "dolm-bench: %s:%d: %s\n", file.c_str(), line, why.c_str());
  std::exit(2);
}

// Whole non-negative decimal number in lo..hi, or -1.
long number(const std::string& s, long lo, long hi) {
  if (s.empty() || s.size() > 9) return -1;
  for (char c : s)
    if (c < '0' || c > '9') return -1;
  long v = std::stol(s);
  return v < lo || v > hi ? -1 : v;
}

// The parts of s between separators, empty parts included.
std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!s.empty() && s.back() == sep) parts.push_back("");
  return parts;
}

// Whether the stone just put at cell completes five or more of its side.
bool makesFive(const std::vector<uint8_t>& board, int sr, int cell) {
  const int steps[4] = {1, sr - 1, sr, sr + 1};
  for (int d : steps) {
    int run = 1;
    for (int p = cell + d; board[p] == board[cell]; p += d) run++;
    for (int p = cell - d; board[p] == board[cell]; p -= d) run++;
    if (run >= 5) return true;
  }
  return false;
}

// Reads and checks one line; the board is modelled locally so that nothing
// is searched before every line of the file has passed.
Position parseLine(const std::string& file, int lineNo, const std::string& text) {
  Position pos;
  pos.line = lineNo;
  std::string obstacles, moves;
  std::vector<std::string> seen;
  std::istringstream in(text);
  std::string token;
  while (in >> token) {
    size_t eq = token.find('=');
    if (eq == std::string::npos) reject(file, lineNo, "token '" + token + "' is not name=value");
    std::string name = token.substr(0, eq), value = token.substr(eq + 1);
    if (std::find(seen.begin(), seen.end(), name) != seen.end())
      reject(file, lineNo, "'" + name + "' given twice");
    seen.push_back(name);
    if (name == "sr") {
      long v = number(value, SRMIN, SRMAX);
      if (v < 0) reject(file, lineNo, "sr=" + value + " is not a board side in 7..22");
      pos.sr = uint16_t(v);
    } else if (name == "skill") {
      std::vector<std::string> vh = split(value, '/');
      long v = vh.size() == 2 ? number(vh[0], 1, 18) : -1;
      long h = vh.size() == 2 ? number(vh[1], 1, 10) : -1;
      if (v < 0 || h < 0)
        reject(file, lineNo, "skill=" + value + " is not breadth/depth in 1..18/1..10");
      pos.v0 = uint16_t(v);
      pos.h0 = uint16_t(h);
    } else if (name == "draw") {
      long v = number(value, 0, 1000000);
      if (v < 0) reject(file, lineNo, "draw=" + value + " is not an index 0..1000000");
      pos.draw = int32_t(v);
    } else if (name == "obstacles") {
      obstacles = value;
    } else if (name == "moves") {
      moves = value;
    } else {
      reject(file, lineNo, "unknown token '" + name + "'");
    }
  }

  int sr = pos.sr;
  std::vector<uint8_t> board(size_t(sr * sr + 4 * sr + 4), 0);
  for (int i = 0; i < sr * sr; i++)
    if (i % sr == 0 || i % sr == sr - 1 || i / sr == 0 || i / sr == sr - 1) board[size_t(i)] = 3;
  // Column,row of one cell; must be a free playable cell of this board.
  auto cellOf = [&](const std::string& c, const std::string& r, const std::string& what) {
    long col = number(c, 1, sr - 2), row = number(r, 1, sr - 2);
    if (col < 0 || row < 0)
      reject(file, lineNo,
             what + " " + c + "," + r + " is off the " + std::to_string(sr - 2) + "x" +
                 std::to_string(sr - 2) + " board");
    int cell = int(row) * sr + int(col);
    if (board[size_t(cell)] != 0)
      reject(file, lineNo, what + " " + c + "," + r + " is already occupied");
    return cell;
  };
  if (!obstacles.empty()) {
    for (const std::string& item : split(obstacles, ';')) {
      std::vector<std::string> f = split(item, ',');
      if (f.size() != 2) reject(file, lineNo, "obstacle '" + item + "' is not column,row");
      int cell = cellOf(f[0], f[1], "obstacle");
      board[size_t(cell)] = 3;
      pos.obstacles.push_back(uint16_t(cell));
    }
  }
  if (!moves.empty()) {
    int n = 0;
    for (const std::string& item : split(moves, ';')) {
      n++;
      std::vector<std::string> f = split(item, ',');
      if (f.size() != 3)
        reject(file, lineNo,
               "move " + std::to_string(n) + " '" + item + "' is not column,row,side");
      if (f[2] != "X" && f[2] != "O")
        reject(file, lineNo, "move " + std::to_string(n) + " side '" + f[2] + "' is not X or O");
      int cell = cellOf(f[0], f[1], "move " + std::to_string(n));
      board[size_t(cell)] = f[2] == "X" ? 1 : 2;
      // The game never searches once a five stands on the board.
      if (makesFive(board, sr, cell))
        reject(file, lineNo, "move " + std::to_string(n) + " completes five");
      pos.moves.push_back(Move{uint16_t(cell), f[2] == "X"});
    }
  }
  return pos;
}

// Every position of the file, or an exit naming the first bad line.
std::vector<Position> readSuite(const std::string& file) {
  // A directory or a device would read as an empty suite (or never end), and
  // an empty suite would pass every check: both are refused.
  struct stat st;
  if (stat(file.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    std::fprintf(stderr, "dolm-bench: %s is not a regular file\n", file.c_str());
    std::exit(2);
  }
  std::ifstream in(file);
  if (!in) {
    std::fprintf(stderr, "dolm-bench: cannot read %s\n", file.c_str());
    std::exit(2);
  }
  std::vector<Position> suite;
  std::string text;
  int lineNo = 0;
  while (std::getline(in, text)) {
    lineNo++;
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos || text[first] == '#') continue;
    suite.push_back(parseLine(file, lineNo, text));
  }
  if (suite.empty()) {
    std::fprintf(stderr, "dolm-bench: %s holds no position\n", file.c_str());
    std::exit(2);
  }
  return suite;
}

// Processor time used by this process so far.
double cpuMicroseconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// Sets the position up exactly as the game would have reached it and lets
// the computer choose its move.
Result search(const Position& pos) {
  // A side already in force keeps its keys: only the board is emptied.
  if (SR != pos.sr)
    SETSIZE(pos.sr);
  else
    CLEARDATA();
  for (uint16_t c : pos.obstacles) PHC[c] = 3;
  for (const Move& m : pos.moves) PLACE(m.cell, m.x ? SIDEX : SIDEO);
  V0 = pos.v0;
  H0 = pos.h0;
  ROOTDRAW = pos.draw;
  Result r;
  uint64_t before = NODES;
  double cpuStart = cpuMicroseconds();
  auto start = std::chrono::steady_clock::now();
  r.score = SEARCHMOVE();
  auto stop = std::chrono::steady_clock::now();
  r.cpuUs = cpuMicroseconds() - cpuStart;
  r.nodes = NODES - before;
  r.us = std::chrono::duration<double, std::micro>(stop - start).count();
  if (r.score != 0) {
    r.col = uint16_t(KZ % SR);
    r.row = uint16_t(KZ / SR);
  }
  return r;
}

// The part of a result that must not change between builds.
std::string signatureLine(const Result& r) {
  return "move=" + std::to_string(r.col) + "," + std::to_string(r.row) +
         " score=" + std::to_string(r.score) + " nodes=" + std::to_string(r.nodes);
}

// Time below which a given share of the positions finished (nearest rank).
double percentile(std::vector<double> us, double share) {
  std::sort(us.begin(), us.end());
  size_t rank = size_t(std::ceil(share * double(us.size())));
  return us[std::min(us.size(), std::max<size_t>(rank, 1)) - 1];
}

// One summary line of times per position.
void printTimes(const char* label, const std::vector<double>& us,
                const std::vector<double>& cpuUs) {
  if (us.empty()) return;
  std::printf(
      "%s positions=%zu median=%.1fms p95=%.1fms max=%.1fms (processor time %.1f/%.1f/%.1fms)\n",
      label, us.size(), percentile(us, 0.5) / 1000, percentile(us, 0.95) / 1000,
      percentile(us, 1.0) / 1000, percentile(cpuUs, 0.5) / 1000, percentile(cpuUs, 0.95) / 1000,
      percentile(cpuUs, 1.0) / 1000);
}

// A private empty directory for the engine's key files, so the bench never
// reads or leaves anything where it is started.
std::string enterScratchDir() {
  char dir[] = "/tmp/dolm-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr || chdir(dir) != 0) {
    std::perror("dolm-bench: scratch directory");
    std::exit(2);
  }
  return dir;
}

// Removes the scratch directory with any key file the engine left there.
void leaveScratchDir(const std::string& dir) {
  char name[16];
  for (uint16_t sr = SRMIN; sr <= SRMAX; sr++) {
    KEYFILENAME(sr, name);
    unlink((dir + "/" + name).c_str());
  }
  if (chdir("/") == 0) rmdir(dir.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  bool referenceOnly = false;
  std::string checkFile;
  std::string suiteFile = "bench/positions.txt";
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--reference") {
      referenceOnly = true;
    } else if (a == "--check" && i + 1 < argc) {
      checkFile = argv[++i];
    } else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "usage: dolm-bench [--reference] [--check REFERENCE] [POSITIONS]\n");
      return 2;
    } else {
      suiteFile = a;
    }
  }
  std::vector<Position> suite = readSuite(suiteFile);
  std::string expected;
  if (!checkFile.empty()) {
    std::ifstream in(checkFile);
    if (!in) {
      std::fprintf(stderr, "dolm-bench: cannot read %s\n", checkFile.c_str());
      return 2;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    expected = ss.str();
  }

  std::string scratch = enterScratchDir();
  MOZEKINIT();
  std::vector<double> all, atDefault, allCpu, atDefaultCpu;
  std::string signature;
  uint64_t total = 0;
  double totalUs = 0, totalCpuUs = 0;
  for (const Position& pos : suite) {
    Result r = search(pos);
    std::string sig = signatureLine(r);
    signature += sig + "\n";
    total += r.nodes;
    totalUs += r.us;
    totalCpuUs += r.cpuUs;
    all.push_back(r.us);
    allCpu.push_back(r.cpuUs);
    if (pos.v0 == 12 && pos.h0 == 8) {
      atDefault.push_back(r.us);
      atDefaultCpu.push_back(r.cpuUs);
    }
    if (referenceOnly)
      std::printf("%s\n", sig.c_str());
    else
      std::printf("%s us=%.0f\n", sig.c_str(), r.us);
    std::fflush(stdout);
  }
  leaveScratchDir(scratch);
  signature += "signature=" + std::to_string(total) + "\n";

  if (referenceOnly) {
    std::printf("signature=%llu\n", (unsigned long long)total);
  } else {
    std::printf(
        "positions=%zu signature=%llu time=%.3fs nodes/s=%.0f (processor time %.3fs, "
        "nodes/s=%.0f)\n",
        suite.size(), (unsigned long long)total, totalUs / 1e6,
        totalUs > 0 ? double(total) / (totalUs / 1e6) : 0.0, totalCpuUs / 1e6,
        totalCpuUs > 0 ? double(total) / (totalCpuUs / 1e6) : 0.0);
    printTimes("all:", all, allCpu);
    printTimes("at 12/8:", atDefault, atDefaultCpu);
  }
  if (!checkFile.empty() && signature != expected) {
    std::vector<std::string> want = split(expected, '\n'), got = split(signature, '\n');
    for (size_t i = 0; i < std::max(want.size(), got.size()); i++) {
      std::string w = i < want.size() ? want[i] : "(nothing)",
                  g = i < got.size() ? got[i] : "(nothing)";
      if (w != g)
        std::fprintf(stderr, "dolm-bench: result %zu differs: expected '%s', got '%s'\n", i + 1,
                     w.c_str(), g.c_str());
    }
    std::fprintf(stderr, "dolm-bench: behaviour changed against %s (signature %llu)\n",
                 checkFile.c_str(), (unsigned long long)total);
    return 1;
  }
  return 0;
}
