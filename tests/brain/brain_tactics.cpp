// The brain's tactics: the positions of bench/tactics.txt (forced wins by fours and by threes,
// forced wins of the opponent by fours and by threes to refute, quiet positions), and the
// transposition table's promise that it never changes what a search of a given depth finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

#include "board.h"
#include "mozek.h"
#include "position.h"
#include "search.h"
#include "settings.h"
#include "think.h"
#include "threats.h"

// One line of the tactics file.
struct Tactic {
  std::string kind, why;
  int size;
  std::vector<uint16_t> own, opp, answers;
};

// Cells "x,y x,y ..." of an n x n board ("-" for none).
static std::vector<uint16_t> cells(const std::string& text, int n) {
  std::vector<uint16_t> out;
  std::istringstream in(text);
  for (int x, y; in >> x && in.ignore() >> y;) out.push_back(uint16_t((y + 1) * (n + 2) + x + 1));
  return out;
}

static std::vector<Tactic> load() {
  std::vector<Tactic> rows;
  std::ifstream file(TACTICS_FILE);
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ';');) f.push_back(field);
    const int n = std::stoi(f.at(1));
    rows.push_back({f.at(0), f.at(5), n, cells(f[2], n), cells(f[3], n), cells(f[4], n)});
  }
  return rows;
}

// Sets the row's position up, the brain (side O) to move.
static void set_up(const Tactic& t) {
  open_board(t.size);
  tt_clear();
  std::vector<Placement> p;
  for (size_t i = 0; i < std::max(t.own.size(), t.opp.size()); i++) {
    if (i < t.opp.size()) p.push_back({t.opp[i], OPPONENT_STONE});
    if (i < t.own.size()) p.push_back({t.own[i], OWN_STONE});
  }
  set_position(p.data(), int(p.size()));
  sync_board();
}

static bool among(uint16_t cell, const std::vector<uint16_t>& set) {
  return std::find(set.begin(), set.end(), cell) != set.end();
}

// Whether SIDE completes five at CELL now.
static bool five_at(int side, uint16_t cell) {
  const uint16_t* f;
  const int n = five_cells(side, f);
  return std::find(f, f + n, cell) != f + n;
}

// Replays a VCF line for SIDE: each own move (first blocking the defender's four, if any) makes a
// four whose block is the defender's next move, and the last move makes five. The position is
// restored.
static bool replays_to_five(int side, const ThreatResult& r) {
  bool ok = r.length % 2 == 1;
  int made = 0;
  for (const uint16_t* f; ok && made < r.length - 1; made += 2) {
    if (five_cells(other_side(side), f) > 0) ok = f[0] == r.line[made];
    make(r.line[made], side);
    ok = ok && five_at(side, r.line[made + 1]);
    make(r.line[made + 1], other_side(side));
  }
  ok = ok && five_at(side, r.line[r.length - 1]);
  while (made-- > 0) unmake();
  return ok;
}

// SIDE wins by at most FOURS fours, every empty cell tried: the plain definition of a VCF.
static bool plain_vcf(int side, int fours) {
  const uint16_t *f, *fd;
  if (five_cells(side, f) > 0) return true;
  const int nd = five_cells(other_side(side), fd);
  if (fours == 0 || nd >= 2) return false;
  bool win = false;
  for (int i = 0; i < play_cell_count && !win; i++) {
    const uint16_t c = play_cells[i];
    if (PHC[c] != 0 || (nd == 1 && c != fd[0])) continue;
    make(c, side);
    const int nf = five_cells(side, f);
    if (nf >= 2) {
      win = true;
    } else if (nf == 1) {
      make(f[0], other_side(side));
      win = plain_vcf(side, fours - 1);
      unmake();
    }
    unmake();
  }
  return win;
}

// Node budget within which each VCF of the file must be found.
constexpr uint64_t VCF_FOUND_WITHIN = 2000;

TEST(Tactics, EveryPositionOfTheFile) {
  const std::vector<Tactic> rows = load();
  ASSERT_GE(rows.size(), 10u);
  for (const Tactic& t : rows) {
    SCOPED_TRACE(t.kind + ": " + t.why);
    set_up(t);
    reset_settings();
    // Node budgets, not the clock, bound every search here, so that a slow
    // (sanitizer) build or a loaded machine finds the same moves.
    timeout_turn_ms = 60000;
    node_cap = static_cast<int64_t>(ROOT_VCT_BUDGET);
    if (t.kind == "vcf") {
      const ThreatResult r = find_vcf(OWN_STONE, VCF_FOUND_WITHIN);
      // The hand-found first move is one way; any line that replays to a five proves the win.
      EXPECT_EQ(std::tuple(r.win, replays_to_five(OWN_STONE, r)), std::tuple(true, true))
          << r.nodes << " nodes";
      const SearchReport move = choose_move();
      EXPECT_EQ(std::tuple(move.reason, move.cell, move.score > DECIDED),
                std::tuple(Reason::VCF, r.move, true));
    } else if (t.kind == "refute") {
      const ThreatResult threat = find_vcf(OPPONENT_STONE, ROOT_VCF_BUDGET);
      EXPECT_EQ(std::tuple(threat.win, replays_to_five(OPPONENT_STONE, threat)),
                std::tuple(true, true));
      const SearchReport move = choose_move();
      EXPECT_EQ(std::tuple(among(move.cell, t.answers), move.defence),
                std::tuple(true, Defence::REFUTES))
          << move.cell;
      // The answers are exactly the cells after which no VCF of up to five fours is left.
      std::vector<uint16_t> refuting;
      for (int i = 0; i < play_cell_count; i++) {
        if (PHC[play_cells[i]] != 0) continue;
        make(play_cells[i], OWN_STONE);
        if (!plain_vcf(OPPONENT_STONE, 5)) refuting.push_back(play_cells[i]);
        unmake();
      }
      std::sort(refuting.begin(), refuting.end());
      std::vector<uint16_t> answers = t.answers;
      std::sort(answers.begin(), answers.end());
      EXPECT_EQ(refuting, answers);
    } else if (t.kind == "defend") {
      EXPECT_TRUE(find_vct(OPPONENT_STONE, ROOT_VCT_DEPTH, ROOT_VCT_BUDGET).win);
      const SearchReport move = choose_move();
      EXPECT_TRUE(among(move.cell, t.answers)) << move.cell;
    } else if (t.kind == "vct") {
      EXPECT_FALSE(find_vcf(OWN_STONE, ROOT_VCF_BUDGET).win) << "threes are needed";
      const SearchReport move = choose_move();
      EXPECT_EQ(std::tuple(move.reason, among(move.cell, t.answers)), std::tuple(Reason::VCT, true))
          << move.cell;
      // Every reply the opponent has, not only the solver's, still loses.
      make(move.cell, OWN_STONE);
      for (int i = 0; i < play_cell_count; i++) {
        const uint16_t reply = play_cells[i];
        if (PHC[reply] != 0) continue;
        make(reply, OPPONENT_STONE);
        EXPECT_TRUE(find_vct(OWN_STONE, ROOT_VCT_DEPTH, 10 * ROOT_VCT_BUDGET).win) << reply;
        unmake();
      }
      unmake();
    } else {
      for (int side : {OWN_STONE, OPPONENT_STONE}) {
        const ThreatResult vcf = find_vcf(side, ROOT_VCF_BUDGET);
        const ThreatResult vct = find_vct(side, ROOT_VCT_DEPTH, ROOT_VCT_BUDGET);
        EXPECT_EQ(std::tuple(vcf.win, vcf.complete, vct.win, vct.complete),
                  std::tuple(false, true, false, true))
            << side << " " << vct.nodes;
      }
    }
  }
}

// Facing the opponent's VCF, a node keeps every move that refutes it and drops moves that ignore
// it; with nothing to stop, its list stays as it was.
TEST(Tactics, AVcfToStopNarrowsTheMoves) {
  int ignoring = 0;
  for (const Tactic& t : load()) {
    if (t.kind != "refute" && t.kind != "quiet") continue;
    set_up(t);
    TYPOSM list;
    uint16_t n = BESTR(16, list, PS);
    FILTR(n, list, PSC, PSH);
    const std::vector<uint16_t> before(list + 1, list + n + 1);
    guard_moves(OWN_STONE, list, n);
    const std::vector<uint16_t> after(list + 1, list + n + 1);
    if (t.kind == "quiet") {
      EXPECT_EQ(after, before) << t.why;
    }
    for (uint16_t m : before) {
      if (among(m, t.answers)) {
        EXPECT_TRUE(among(m, after)) << t.why << ": " << m << " dropped";
      }
      ignoring += !among(m, after) && !among(m, t.answers);
    }
  }
  EXPECT_GE(ignoring, 5) << "moves that ignore the VCF dropped";
}

// On crowded random boards the solver finds every VCF of up to four fours, and each win it
// claims replays to a five. The solver looks for new fours only near the attacker's newest
// stone; this catches a four it would overlook.
TEST(Tactics, SolverFindsEveryShortVcf) {
  std::mt19937 rng(7);
  int wins = 0;
  for (int game = 0; game < 300; game++) {
    open_board(15);
    std::vector<Placement> p;
    for (int i = 0; i < 36; i++) {
      const uint16_t c = cell_at(3 + int(rng() % 9), 3 + int(rng() % 9));
      if (std::none_of(p.begin(), p.end(), [&](const Placement& q) { return q.cell == c; }))
        p.push_back({c, uint16_t(1 + i % 2)});
    }
    set_position(p.data(), int(p.size()));
    sync_board();
    const uint16_t* f;
    if (five_cells(1, f) + five_cells(2, f) > 0) continue;
    for (int side : {OWN_STONE, OPPONENT_STONE}) {
      const ThreatResult r = find_vcf(side, 1000000);
      const bool plain = plain_vcf(side, 4);
      wins += plain;
      EXPECT_TRUE(!plain || r.win) << "game " << game << " side " << side;
      EXPECT_TRUE(!r.win || replays_to_five(side, r)) << "game " << game << " side " << side;
    }
  }
  EXPECT_GE(wins, 30) << "too few boards with a VCF to tell";
}

// The score of a search of DEPTH over the root moves as the brain lists them; the move it reports
// is the first of its line.
static int fixed_depth_score(int depth) {
  TYPOSM t;
  uint16_t n = BESTR(16, t, PS);
  FILTR(n, t, PSC, PSH);
  const SearchResult r = deepen(OWN_STONE, t + 1, n, depth, 0, false);
  EXPECT_EQ(std::tuple(r.move != 0, r.pv_len > 0, r.pv[0]), std::tuple(true, true, r.move));
  return r.score;
}

// A search of a fixed depth without reductions finds the same score with the table off, freshly
// emptied, or full of entries from deeper searches of this and other positions.
TEST(Tactics, TableNeverChangesAFixedDepthScore) {
  const std::vector<Tactic> rows = load();
  pruning_enabled = false;
  for (const Tactic& t : rows) {
    if (t.kind == "vcf") continue;  // the root would play the five at once
    set_up(t);
    for (int depth = 1; depth <= 4; depth++) {
      tt_enabled = false;
      const int plain = fixed_depth_score(depth);
      tt_enabled = true;
      tt_clear();
      const int fresh = fixed_depth_score(depth);
      fixed_depth_score(5);
      const int warm = fixed_depth_score(depth);
      EXPECT_EQ(std::tuple(fresh, warm), std::tuple(plain, plain)) << t.why << " depth " << depth;
    }
  }
  pruning_enabled = true;
}

std::vector<std::string> run(const std::string& lines);  // the replies LINES draw (brain_test)

// The MESSAGE lines' depths, scores and lines of a session, without times and node counts.
static std::string session(const std::string& lines) {
  std::string out;
  for (std::string kept : run(lines)) {
    const size_t nodes = kept.find(" nodes "), pv = kept.find(" pv ");
    if (nodes != std::string::npos && pv != std::string::npos) kept.erase(nodes, pv - nodes);
    out += kept + "\n";
  }
  return out;
}

// TAKEBACK, RESTART and a new board size leave nothing in the table that alters a later search:
// the same session with the table on and off says the same thing move for move.
TEST(Tactics, NoStaleEntriesAfterTakebackRestartOrNewBoard) {
  const std::string lines =
      "START 15|INFO timeout_turn 0|INFO max_depth 4|INFO verbose 1|"
      "BOARD|7,7,2|8,8,1|8,7,2|6,9,1|9,7,2|DONE|TAKEBACK 10,7|TAKEBACK 9,7|"
      "BOARD|7,7,2|8,8,1|8,7,2|6,9,1|6,7,1|DONE|RESTART|BOARD|7,7,2|8,8,1|8,7,2|DONE|"
      "START 20|BOARD|7,7,2|8,8,1|8,7,2|6,9,1|DONE|TURN 12,12|TURN 3,3|"
      "INFO max_memory 40000000|START 15|BOARD|7,7,2|8,8,1|8,7,2|6,9,1|9,7,2|DONE";
  pruning_enabled = false;
  tt_enabled = false;
  const std::string without = session(lines);
  tt_enabled = true;
  EXPECT_EQ(session(lines), without);
  pruning_enabled = true;
  EXPECT_EQ(tt_bytes(), 4 << 20) << "half of what the engine leaves of 40 MB, a power of two";
}

// From a game Wine won: the opponent, were it to move, would win by threes and fours. With 50,000
// nodes the brain's checks prove that some moves break the win; with 4,000 every check is cut
// short, so the MESSAGE must not claim a refutation.
TEST(Tactics, ARefutationIsClaimedOnlyWhenProven) {
  const std::string position =
      "START 15|INFO timeout_turn 60000|INFO verbose 1|BOARD|7,7,2|8,7,1|8,6,2|6,6,1|7,5,2|9,5,1|"
      "7,4,2|7,6,1|6,5,2|DONE";
  reset_settings();
  for (auto [cap, claim] : {std::pair{"4000", "(no move proven to refute a forced win)"},
                            {"50000", "(refuting a forced win)"}}) {
    const std::string message = run("INFO max_node " + std::string(cap) + "|" + position).at(1);
    EXPECT_NE(message.find(claim), std::string::npos) << message;
  }
}
