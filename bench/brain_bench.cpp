// The brain's benchmark: the tactical positions of tactics.txt, each searched as a reply with a
// fixed node budget, then a fixed-node tree search of each for speed.
//   brain-bench [TACTICS_FILE] [NODES]    (defaults: bench/tactics.txt, 100000)
// Prints one line per position and the solve rate and nodes per second.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board.h"
#include "commands.h"
#include "mozek.h"
#include "position.h"
#include "protocol.h"
#include "search.h"
#include "settings.h"
#include "think.h"
#include "threats.h"

// Cells "x,y x,y ..." of an n x n board ("-" for none).
static std::vector<uint16_t> cells(const std::string& text, int n) {
  std::vector<uint16_t> out;
  std::istringstream in(text);
  for (std::string xy; in >> xy;)
    if (xy != "-")
      out.push_back(
          uint16_t((std::stoi(xy.substr(xy.find(',') + 1)) + 1) * (n + 2) + std::stoi(xy) + 1));
  return out;
}

static bool among(uint16_t c, const std::vector<uint16_t>& set) {
  for (uint16_t s : set)
    if (s == c) return true;
  return false;
}

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "bench/tactics.txt";
  const uint64_t budget = argc > 2 ? std::stoull(argv[2]) : 100000;
  std::ifstream file(path);
  if (!file) return std::fprintf(stderr, "brain-bench: cannot read %s\n", path), 2;
  brain_start();
  set_reply_sink([](const char*) {});
  int solved = 0, total = 0;
  uint64_t tree_nodes = 0;
  double tree_seconds = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ';');) f.push_back(field);
    if (f.size() < 5) continue;
    const std::string kind = f[0];
    const int n = std::stoi(f[1]);
    const std::vector<uint16_t> own = cells(f[2], n), opp = cells(f[3], n),
                                answers = cells(f[4], n);
    open_board(n);
    tt_clear();
    std::vector<Placement> p;
    for (size_t i = 0; i < own.size() || i < opp.size(); i++) {
      if (i < opp.size()) p.push_back({opp[i], OPPONENT_STONE});
      if (i < own.size()) p.push_back({own[i], OWN_STONE});
    }
    set_position(p.data(), int(p.size()));
    reset_settings();
    timeout_turn_ms = 1000000;
    node_cap = int64_t(budget);
    const auto start = std::chrono::steady_clock::now();
    bool ok;
    uint64_t nodes;
    uint16_t move = 0;
    if (kind == "quiet") {
      sync_board();
      ok = true;
      nodes = 0;
      for (int side : {OWN_STONE, OPPONENT_STONE}) {
        const ThreatResult vct = find_vct(side, ROOT_VCT_DEPTH, budget);
        ok = ok && !vct.win && vct.complete;
        nodes += vct.nodes;
      }
    } else {
      const SearchReport r = choose_move();
      move = r.cell;
      nodes = r.nodes;
      ok = kind == "vcf"   ? r.reason == Reason::VCF
           : kind == "vct" ? r.reason == Reason::VCT && among(r.cell, answers)
           : kind == "refute" || kind == "defend" ? among(r.cell, answers)
                                                  : false;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // Speed: the tree search alone over the same position, to the node budget.
    sync_board();
    TYPOSM t;
    uint16_t count = BESTR(16, t, PS);
    // Processor time, so other work on the machine does not count against the speed.
    const std::clock_t c0 = std::clock();
    const SearchResult s = deepen(OWN_STONE, t + 1, count, 40, budget, false);
    tree_seconds += double(std::clock() - c0) / CLOCKS_PER_SEC;
    tree_nodes += s.nodes;
    int x = -1, y = -1;
    if (move) cell_coords(move, x, y);
    std::printf("%-6s %2dx%-2d %-8s move %2d,%-2d %8llu nodes %8.1f ms\n", kind.c_str(), n, n,
                ok ? "solved" : "MISSED", x, y, static_cast<unsigned long long>(nodes), ms);
    solved += ok;
    total++;
  }
  std::printf(
      "brain-bench: solved %d/%d (%.0f%%) at %llu nodes; tree search %.0f nodes per processor "
      "second\n",
      solved, total, total ? 100.0 * solved / total : 0.0, static_cast<unsigned long long>(budget),
      tree_seconds > 0 ? tree_nodes / tree_seconds : 0.0);
  return solved == total ? 0 : 1;
}
