#include "think.h"

#include <cassert>

#include "board.h"
#include "mozek.h"
#include "position.h"
#include "settings.h"
#include "threats.h"
#include "timeman.h"

constexpr int ME = OWN_STONE, OPP = OPPONENT_STONE;
constexpr int ROOT_BREADTH = 16;   // root moves searched when nothing narrows them
constexpr int COUNTER_THREES = 8;  // own open threes weighed against the opponent's forced win

// Where the VCT searches of this reply must stop, in microseconds of the turn.
static int64_t vct_until_us;
static uint64_t check_budget;  // node budget of each check of a best move
static uint64_t check_nodes;   // moves made by the checks of the search's best moves
static bool vct_stop() { return elapsed_us() >= vct_until_us || deadline_passed(); }

// Adds CELL to LIST (of N) unless it is there or not an empty cell.
static void add_root(uint16_t* list, int& n, uint16_t cell) {
  if (cell == 0 || PHC[cell] != 0) return;
  for (int i = 0; i < n; i++)
    if (list[i] == cell) return;
  list[n++] = cell;
}

// Adds the brain's cells that make a four: a four gains a tempo against any threat.
static void add_own_fours(uint16_t* list, int& n) {
  for (int i = 0; i < play_cell_count && n < 399; i++) {
    const uint16_t c = play_cells[i];
    if (PHC[c] == 0 && makes_four(c, ME)) add_root(list, n, c);
  }
}

// Adds the brain's best cells (COUNTER_THREES at most) that make an open three: against a win by
// threes and fours, a counter-threat the opponent must answer can break it as well as a block.
static void add_own_threes(uint16_t* list, int& n) {
  TYPOSM best;
  const uint16_t listed = BESTR(LISTMAX, best, PSC);
  for (int i = 1, added = 0; i <= listed && added < COUNTER_THREES && n < 399; i++) {
    const uint16_t c = best[i];
    if (best_line_value(c, ME) < V_THREE || makes_four(c, ME)) continue;
    const int before = n;
    add_root(list, n, c);
    added += n > before;
  }
}

// The opponent's forced win after the brain's MOVE: by fours, or by threes and fours when
// VCT_DEPTH > 0.
static ThreatResult opponent_after(uint16_t move, int vct_depth, uint64_t budget, bool (*stop)()) {
  make(move, ME);
  const ThreatResult r =
      vct_depth > 0 ? find_vct(OPP, vct_depth, budget, stop) : find_vcf(OPP, budget, stop);
  unmake();
  return r;
}

// Keeps the root moves after which the opponent's forced win (VCF, or VCT
// when VCT_DEPTH > 0) was not found, whether the check ran to its end (the
// move is proven to refute it) or was cut short; keeps them all when every
// check found the win. Says which of these it was.
static Defence keep_refutations(uint16_t* list, int& n, int vct_depth, uint64_t budget,
                                uint64_t& nodes) {
  static uint16_t kept[400];
  int k = 0, proven = 0;
  for (int i = 0; i < n; i++) {
    // Out of time for checks: the moves not yet checked stay.
    if (vct_stop()) {
      kept[k++] = list[i];
      continue;
    }
    const ThreatResult r = opponent_after(list[i], vct_depth, budget, vct_stop);
    nodes += r.nodes;
    if (!r.win) {
      kept[k++] = list[i];
      proven += r.complete;
    }
  }
  if (k == 0) return Defence::NO_REFUTATION;
  for (int i = 0; i < k; i++) list[i] = kept[i];
  n = k;
  return proven > 0 ? Defence::REFUTES : Defence::UNPROVEN;
}

// Whether the opponent still wins by threes and fours after the brain's MOVE, found with the whole
// root budget: a refutation check cut short by its smaller budget keeps moves that lose.
static bool still_lost(uint16_t move) {
  const ThreatResult r = opponent_after(move, ROOT_VCT_DEPTH, check_budget, deadline_passed);
  check_nodes += r.nodes;
  return r.win;
}

// Plays the threat line LINE as the report's move and principal variation.
static void take_line(SearchReport& rep, const ThreatResult& r, Reason why) {
  rep.cell = r.move;
  rep.reason = why;
  rep.score = WIN_SCORE - r.length;
  rep.pv_len = r.length < PV_MAX ? r.length : PV_MAX;
  for (int i = 0; i < rep.pv_len; i++) rep.pv[i] = r.line[i];
}

SearchReport choose_move() {
  SearchReport rep{};
  const int64_t allowance = turn_allowance_ms(empty_cells());
  start_turn_clock(allowance);
  // The search leaves the engine's five registers as the game left them.
  const uint32_t x5 = X5, o5 = O5;
  sync_board();
  const uint16_t* f;
  if (play_cell_count == 0) {
    rep.cell = 0;
  } else if (PT == 0) {
    // The first stone: the centre, or the emptiest cell when an obstacle holds it.
    const uint16_t centre = uint16_t((SR / 2) * SR + SR / 2);
    rep.cell = PHC[centre] == 0 ? centre : KAM();
    rep.reason = Reason::OPENING;
  } else if (five_cells(ME, f) > 0) {
    rep.cell = f[0];
    rep.reason = Reason::FIVE;
    rep.score = WIN_SCORE - 1;
  } else if (int threats = five_cells(OPP, f); threats > 0) {
    rep.cell = f[0];
    rep.reason = Reason::FORCED;
    rep.score = threats >= 2 ? -(WIN_SCORE - 2) : evaluate(ME);
  } else {
    // INFO max_node caps each threat search as well as the tree search.
    const uint64_t cap = static_cast<uint64_t>(node_cap);
    const uint64_t vcf_budget = cap > 0 && cap < ROOT_VCF_BUDGET ? cap : ROOT_VCF_BUDGET;
    const uint64_t vct_budget = cap > 0 && cap < ROOT_VCT_BUDGET ? cap : ROOT_VCT_BUDGET;
    const ThreatResult vcf = find_vcf(ME, vcf_budget, deadline_passed);
    rep.nodes += vcf.nodes;
    if (vcf.win) {
      take_line(rep, vcf, Reason::VCF);
    } else {
      // Each VCT search may take a seventh of the turn, the refutation checks a quarter.
      const int64_t usable_us = remaining_us();
      vct_until_us = elapsed_us() + usable_us / 7;
      ThreatResult vct{};
      if (usable_us > 20000) {
        vct = find_vct(ME, ROOT_VCT_DEPTH, vct_budget, vct_stop);
        rep.nodes += vct.nodes;
      }
      if (vct.win) {
        take_line(rep, vct, Reason::VCT);
      } else {
        static uint16_t roots[400];
        TYPOSM best;
        const uint16_t breadth = V0 > ROOT_BREADTH ? V0 : ROOT_BREADTH;
        uint16_t listed = BESTR(breadth, best, PS);
        if (listed > 0) FILTR(listed, best, PSC, PSH);
        int n = 0;
        for (int i = 1; i <= listed; i++) add_root(roots, n, best[i]);
        // The opponent's forced win, were it its move: only the moves that break it are worth a
        // search.
        const ThreatResult threat = find_vcf(OPP, vcf_budget, deadline_passed);
        rep.nodes += threat.nodes;
        if (threat.win) {
          for (int i = 0; i < threat.length; i++) add_root(roots, n, threat.line[i]);
          add_own_fours(roots, n);
          vct_until_us = elapsed_us() + usable_us / 4;
          rep.defence = keep_refutations(roots, n, 0, vcf_budget / 4, rep.nodes);
        } else if (usable_us > 20000) {
          vct_until_us = elapsed_us() + usable_us / 7;
          const ThreatResult slow = find_vct(OPP, ROOT_VCT_DEPTH, vct_budget, vct_stop);
          rep.nodes += slow.nodes;
          if (slow.win) {
            for (int i = 0; i < slow.length; i++) add_root(roots, n, slow.line[i]);
            add_own_fours(roots, n);
            add_own_threes(roots, n);
            vct_until_us = elapsed_us() + usable_us / 4;
            rep.defence = keep_refutations(roots, n, ROOT_VCT_DEPTH, vct_budget / 8, rep.nodes);
          }
        }
        if (n == 0) {
          rep.cell = KAM();
          rep.reason = Reason::OPENING;
        } else if (n == 1) {
          rep.cell = roots[0];
          rep.reason = Reason::FORCED;
          rep.score = evaluate(ME);
        } else {
          const int max_depth = fixed_depth > 0 ? fixed_depth : PV_MAX;
          // Against the opponent's forced win, each move the search prefers is checked again.
          const bool defending =
              rep.defence == Defence::REFUTES || rep.defence == Defence::UNPROVEN;
          check_budget = vct_budget;
          check_nodes = 0;
          const SearchResult s =
              deepen(ME, roots, n, max_depth, static_cast<uint64_t>(node_cap),
                     fixed_depth == 0 || timeout_turn_ms > 0, defending ? still_lost : nullptr);
          rep.nodes += check_nodes;
          rep.cell = s.move ? s.move : roots[0];
          rep.reason = Reason::SEARCH;
          rep.searched = true;
          rep.depth = s.depth;
          rep.aborted = s.partial;
          rep.score = s.score;
          rep.nodes += s.nodes;
          rep.pv_len = s.pv_len;
          for (int i = 0; i < s.pv_len; i++) rep.pv[i] = s.pv[i];
        }
      }
    }
  }
  if (rep.pv_len == 0 && rep.cell != 0) {
    rep.pv[0] = rep.cell;
    rep.pv_len = 1;
  }
  X5 = x5;
  O5 = o5;
  // Every move of the search was taken back exactly (checked in builds with asserts).
  assert(BOARDOK());
  rep.elapsed_us = elapsed_us();
  return rep;
}
