// eval-fit: fits the brain's evaluation weights to played games.
//
//   eval-fit GAMES.sgf ...
//
// Reads the games of SGF files (SZ, RE and the B/W moves, as c-gomoku-cli
// writes them), replays each through the brain's board, and describes every
// position from the sixth move on by the side to move's and the other side's
// sums of cell values, the side to move's best cell, and both sides' counts of
// empty cells in each value class. A logistic regression of the game's result
// on these, fitted by Newton's method on four games in five and checked on the
// fifth, gives the weights; they are printed scaled so that the side to move's
// sum counts 1.25 a unit, ready for brain/evaluation.cpp. Positions already
// decided (a five to play, or an open four or two fives against) are left out.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board.h"
#include "commands.h"
#include "evaluation.h"
#include "mozek.h"
#include "position.h"
#include "values.h"

constexpr int FIRST_CLASS = 2;                 // classes 0 and 1 are the baseline
constexpr int LAST_CLASS = VALUE_CLASSES - 2;  // the last one, five, is never in a kept position
constexpr int PER_SIDE = LAST_CLASS - FIRST_CLASS + 1;
// Features: 1, the side to move is black (+1 / -1), own sum, their sum, own best cell, then the
// class counts of the side to move and of the other side.
constexpr int FEATURES = 5 + 2 * PER_SIDE;

struct Sample {
  double x[FEATURES];
  double result;  // for the side to move: 1 won, 0 lost, 0.5 drawn
  bool check;     // in the fifth of the games kept for checking
};

static void describe(int mover, int ply, int n, Sample& s, int& own_best, int& their_best) {
  double* x = s.x;
  x[0] = 1;
  x[1] = ply % 2 == 0 ? 1 : -1;
  int count[3][VALUE_CLASSES] = {};
  long sum[3] = {};
  int best[3] = {};
  for (int y = 0; y < n; y++)
    for (int cx = 0; cx < n; cx++) {
      const uint16_t c = cell_at(cx, y);
      if (PHC[c] != 0) continue;
      for (int side = 1; side <= 2; side++) {
        const int v = cell_value(c, side);
        sum[side] += v;
        count[side][value_class(uint16_t(v))]++;
        if (v > best[side]) best[side] = v;
      }
    }
  const int other = other_side(mover);
  x[2] = sum[mover] / 1000.0;
  x[3] = sum[other] / 1000.0;
  x[4] = best[mover] / 1000.0;
  for (int k = 0; k < PER_SIDE; k++) {
    x[5 + k] = count[mover][FIRST_CLASS + k] / 10.0;
    x[5 + PER_SIDE + k] = count[other][FIRST_CLASS + k] / 10.0;
  }
  own_best = best[mover];
  their_best = best[other];
}

// Replays the games of TEXT into SAMPLES.
static void read_games(const std::string& text, std::vector<Sample>& samples, int& games) {
  for (size_t at = text.find("(;"); at != std::string::npos; at = text.find("(;", at + 1)) {
    const std::string g = text.substr(at, text.find(')', at) - at);
    const size_t sz = g.find("SZ["), re = g.find("RE[");
    if (re == std::string::npos) continue;
    const int n = sz == std::string::npos ? 15 : std::atoi(g.c_str() + sz + 3);
    if (n < SMALLEST_BOARD || n > LARGEST_BOARD) continue;
    const double black = g[re + 3] == 'B' ? 1 : g[re + 3] == 'W' ? 0 : 0.5;
    open_board(n);
    const bool check = ++games % 5 == 0;
    int ply = 0;
    for (size_t m = g.find(';'); m != std::string::npos; m = g.find(';', m + 1)) {
      if ((g[m + 1] != 'B' && g[m + 1] != 'W') || g[m + 2] != '[') continue;
      const int x = g[m + 3] - 'a', y = g[m + 4] - 'a';
      if (x < 0 || x >= n || y < 0 || y >= n || check_cell(x, y) != CellCheck::FREE) break;
      const int mover = ply % 2 == 0 ? 1 : 2;
      if (ply >= 6) {
        Sample s;
        int own, theirs;
        describe(mover, ply, n, s, own, theirs);
        s.result = mover == 1 ? black : 1 - black;
        s.check = check;
        if (own < VFIVE && theirs < VOPENFOUR) samples.push_back(s);
      }
      play_stone(cell_at(x, y), uint16_t(mover));
      ply++;
    }
  }
}

static double predict(const double* w, const Sample& s) {
  double z = 0;
  for (int j = 0; j < FEATURES; j++) z += w[j] * s.x[j];
  return 1 / (1 + std::exp(-z));
}

// Mean log loss over the fitting or the checking samples.
static double loss(const double* w, const std::vector<Sample>& samples, bool check) {
  double sum = 0;
  int count = 0;
  for (const Sample& s : samples) {
    if (s.check != check) continue;
    const double p = predict(w, s);
    sum -= s.result * std::log(p + 1e-12) + (1 - s.result) * std::log(1 - p + 1e-12);
    count++;
  }
  return count ? sum / count : 0;
}

// Newton's method with a light ridge on everything but the two constant terms.
static void fit(const std::vector<Sample>& samples, double* w) {
  const double ridge = 1e-3;
  for (int round = 0; round < 30; round++) {
    static double h[FEATURES][FEATURES + 1];
    for (auto& row : h)
      for (double& v : row) v = 0;
    int count = 0;
    for (const Sample& s : samples) {
      if (s.check) continue;
      const double p = predict(w, s), q = p * (1 - p);
      for (int j = 0; j < FEATURES; j++) {
        h[j][FEATURES] += (p - s.result) * s.x[j];
        for (int k = 0; k < FEATURES; k++) h[j][k] += q * s.x[j] * s.x[k];
      }
      count++;
    }
    for (int j = 2; j < FEATURES; j++) {
      h[j][j] += ridge * count;
      h[j][FEATURES] += ridge * count * w[j];
    }
    // Gaussian elimination with partial pivoting, then the step.
    for (int c = 0; c < FEATURES; c++) {
      int p = c;
      for (int r = c + 1; r < FEATURES; r++)
        if (std::fabs(h[r][c]) > std::fabs(h[p][c])) p = r;
      for (int k = 0; k <= FEATURES; k++) std::swap(h[c][k], h[p][k]);
      for (int r = c + 1; r < FEATURES; r++) {
        const double f = h[r][c] / h[c][c];
        for (int k = c; k <= FEATURES; k++) h[r][k] -= f * h[c][k];
      }
    }
    double step = 0;
    for (int c = FEATURES - 1; c >= 0; c--) {
      double v = h[c][FEATURES];
      for (int k = c + 1; k < FEATURES; k++) v -= h[c][k] * h[k][FEATURES];
      h[c][FEATURES] = v / h[c][c];
      w[c] -= h[c][FEATURES];
      step += std::fabs(h[c][FEATURES]);
    }
    if (step < 1e-7) break;
  }
}

int main(int argc, char** argv) {
  brain_start();
  std::vector<Sample> samples;
  int games = 0;
  for (int i = 1; i < argc; i++) {
    std::ifstream in(argv[i]);
    std::stringstream text;
    text << in.rdbuf();
    read_games(text.str(), samples, games);
  }
  if (samples.empty()) {
    std::fprintf(stderr, "usage: eval-fit GAMES.sgf ... (no positions read)\n");
    return 1;
  }
  double w[FEATURES] = {};
  const double before = loss(w, samples, true);
  fit(samples, w);
  std::printf("%d games, %zu positions; log loss on the checking fifth %.4f (%.4f unfitted)\n",
              games, samples.size(), loss(w, samples, true), before);
  const double k = 1.25 / (w[2] / 1000);  // points per unit of the fitted score
  std::printf("OWN_SUM = %ld, THEIR_SUM = %ld, OWN_BEST = %ld, TEMPO = %ld\n",
              std::lround(k * w[2] / 1000 * 1024), std::lround(k * w[3] / 1000 * 1024),
              std::lround(k * w[4] / 1000 * 1024), std::lround(k * w[0]));
  for (int side = 0; side < 2; side++) {
    std::printf("{0, 0");
    for (int i = 0; i < PER_SIDE; i++)
      std::printf(", %ld", std::lround(k * w[5 + side * PER_SIDE + i] / 10));
    std::printf(", 0}\n");
  }
  return 0;
}
