// The evaluation's shape sums, kept move by move, against a fresh count.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "board.h"
#include "evaluation.h"
#include "mozek.h"
#include "position.h"

static std::array<int32_t, 4> sums() {
  return {shape_sum[1][0], shape_sum[1][1], shape_sum[2][0], shape_sum[2][1]};
}

// Random games on every board size, some with obstacles, with a take-back now and then: after
// every move and take-back the sums equal a count from scratch. A stone changes the cells up to
// five steps along its lines, short of the frame and the obstacles; one missed cell shows here.
TEST(ShapeSums, FollowEveryMoveAndTakeBack) {
  std::mt19937 rng(11);
  for (int game = 0; game < 160; game++) {
    const int n = SMALLEST_BOARD + game % (LARGEST_BOARD - SMALLEST_BOARD + 1);
    open_board(n);
    std::vector<Placement> blocks;
    for (int i = 0; i < game % 6; i++) {
      const uint16_t c = cell_at(int(rng() % n), int(rng() % n));
      bool fresh = true;
      for (const Placement& b : blocks) fresh = fresh && b.cell != c;
      if (fresh) blocks.push_back({c, OBSTACLE});
    }
    set_position(blocks.data(), int(blocks.size()));
    sync_board();
    std::vector<uint16_t> empty;
    int made = 0;
    for (int step = 0; step < n * n; step++) {
      empty.clear();
      for (int i = 0; i < play_cell_count; i++)
        if (PHC[play_cells[i]] == 0) empty.push_back(play_cells[i]);
      if (empty.empty()) break;
      if (made > 0 && rng() % 4 == 0) {
        unmake();
        made--;
      } else {
        make(empty[rng() % empty.size()], 1 + made % 2);
        made++;
      }
      const std::array<int32_t, 4> kept = sums();
      shape_recount();
      ASSERT_EQ(kept, sums()) << "board " << n << " game " << game << " step " << step;
    }
    while (made-- > 0) unmake();
  }
}
