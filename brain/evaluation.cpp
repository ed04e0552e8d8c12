#include "evaluation.h"

#include "board.h"
#include "mozek.h"

// 1-3 scattered stones, 4 a closed two, 8 an open two, 16 two twos, 32 a closed
// three, 64 an open three, 73 an open three with more, 128 two open threes,
// 192 more of them, 257 a four, 265 a four with more, 322 a four and an open
// three, 514 two fours, 1027 an open four, 4099 five.
const uint16_t VALUE_CLASS_FROM[VALUE_CLASSES - 1] = {1,   4,   8,   16,  32,  64,   73,  128,
                                                      192, 257, 265, 322, 514, 1027, 4099};

// Fitted by eval-fit (bench/eval_fit.cpp) to the results of 76,236 positions
// from 3,094 games of the brain against itself, Wine and Rapfi, as 1/1024 of a
// point per unit of a sum of cell values, and in points per cell. The side to
// move's own sum is set to count 1.25 a unit, as it did before the fit.
constexpr int OWN_SUM = 1280;    // per unit of the side to move's sum, in 1/1024
constexpr int THEIR_SUM = -935;  // per unit of the other side's sum, in 1/1024
constexpr int OWN_BEST = 710;    // per unit of the side to move's best cell, in 1/1024
constexpr int TEMPO = -73;       // for having the move
constexpr int16_t CLASS_WEIGHT[2][VALUE_CLASSES] = {  // [0] own cells, [1] the other side's
    {0, 0, -3, 19, 15, 133, 58, 268, 57, -1, -269, -30, 50, 18, 19, 0},
    {0, 0, -8, 4, -26, -50, -21, -31, 54, 2, 122, -58, -67, -5, 0, 0}};

int32_t shape_sum[3][2];

constexpr int VALUE_CAP = 4099;                 // values from here on are all in the last class
static int16_t value_weight[2][VALUE_CAP + 1];  // the class weights of every value up to the cap
static bool weights_ready;

static int cap(int v) { return v < VALUE_CAP ? v : VALUE_CAP; }

int value_class(uint16_t value) {
  int k = 0;
  while (k < VALUE_CLASSES - 1 && value >= VALUE_CLASS_FROM[k]) k++;
  return k;
}

void shape_recount() {
  if (!weights_ready) {
    for (int v = 0; v <= VALUE_CAP; v++) {
      value_weight[0][v] = CLASS_WEIGHT[0][value_class(uint16_t(v))];
      value_weight[1][v] = CLASS_WEIGHT[1][value_class(uint16_t(v))];
    }
    weights_ready = true;
  }
  for (int side = 1; side <= 2; side++) shape_sum[side][0] = shape_sum[side][1] = 0;
  for (int i = 0; i < play_cell_count; i++) {
    const uint16_t c = play_cells[i];
    const int x = cap(PSH[c]), o = cap(PSC[c]);
    shape_sum[1][0] += value_weight[0][x];
    shape_sum[1][1] += value_weight[1][x];
    shape_sum[2][0] += value_weight[0][o];
    shape_sum[2][1] += value_weight[1][o];
  }
}

// The cells a stone may change: its own and the empty cells up to five steps
// away along its four lines, short of the frame; and their values before it.
static uint16_t noted[41];
static uint16_t noted_x[41], noted_o[41];
static int noted_count;

void shape_before(uint16_t cell) {
  int n = 0;
  noted[n] = cell;
  noted_x[n] = uint16_t(cap(PSH[cell]));
  noted_o[n++] = uint16_t(cap(PSC[cell]));
  for (int d = 0; d < 4; d++)
    for (int dir = -1; dir <= 1; dir += 2) {
      const int step = dir * PSV[d];
      int c = cell;
      for (int k = 1; k <= 5; k++) {
        c += step;
        if (PHC[c] == 3) break;
        if (PHC[c] == 0) {
          noted[n] = uint16_t(c);
          noted_x[n] = uint16_t(cap(PSH[c]));
          noted_o[n++] = uint16_t(cap(PSC[c]));
        }
      }
    }
  noted_count = n;
}

void shape_after() {
  int x0 = 0, x1 = 0, o0 = 0, o1 = 0;
  for (int i = 0; i < noted_count; i++) {
    const uint16_t c = noted[i];
    // The new stone's cell is now worth 0 to both sides.
    const int x = cap(PSH[c]), o = cap(PSC[c]), wx = noted_x[i], wo = noted_o[i];
    x0 += value_weight[0][x] - value_weight[0][wx];
    x1 += value_weight[1][x] - value_weight[1][wx];
    o0 += value_weight[0][o] - value_weight[0][wo];
    o1 += value_weight[1][o] - value_weight[1][wo];
  }
  shape_sum[1][0] += x0;
  shape_sum[1][1] += x1;
  shape_sum[2][0] += o0;
  shape_sum[2][1] += o1;
}

int weighted_score(int side, int own) {
  const int64_t mine = side == 2 ? SUMO : SUMX, theirs = side == 2 ? SUMX : SUMO;
  const int64_t sums = mine * OWN_SUM + theirs * THEIR_SUM + int64_t(own) * OWN_BEST;
  return int(sums / 1024) + TEMPO + shape_sum[side][0] + shape_sum[other_side(side)][1];
}
