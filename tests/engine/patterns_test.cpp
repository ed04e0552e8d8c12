// The pattern tables against the stated example values and properties,
// checked over every one of the 4,194,304 windows.
#include "patterns.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "mozek_internal.h"

namespace {

// Window index of an 11-character picture (w[-5] first): . empty, X own,
// O opponent, # frame, * the (empty) centre.
uint32_t WINDOW(const std::string& s) {
  uint32_t p = 0;
  for (char ch : s) p = (p << 2) | (ch == 'X' ? 1 : ch == 'O' ? 2 : ch == '#' ? 3 : 0);
  return p;
}

// The code of the cell at offset e (-5..5) from the centre of window p.
uint32_t CODE(uint32_t p, int e) { return (p >> (2 * (5 - e))) & 3; }

// The index with codes 1 and 2 exchanged in every cell.
uint32_t EXCHANGED(uint32_t p) {
  uint32_t q = 0;
  for (int i = 0; i < 11; i++) {
    uint32_t c = (p >> (2 * i)) & 3;
    if (c == 1 || c == 2) c ^= 3;
    q |= c << (2 * i);
  }
  return q;
}

// Whether own stones and the empty centre make a run of five or more.
bool MAKESFIVE(uint32_t p) {
  if (CODE(p, 0) != 0) return false;
  int run = 1;
  for (int e = 1; e <= 5 && CODE(p, e) == 1; e++) run++;
  for (int e = -1; e >= -5 && CODE(p, e) == 1; e--) run++;
  return run >= 5;
}

TEST(PatternTables, ExampleWindows) {
  const struct {
    const char* window;
    uint16_t value;
  } examples[] = {
      {"....X*.....", 10},   {".....*.X...", 9},    {"...X.*.....", 9},    {"..X..*.....", 8},
      {".X...*.....", 4},    {"X....*.....", 0},    {"....X*X....", 68},   {"...XX*.....", 67},
      {"..X.X*.....", 66},   {".X..X*.....", 18},   {".OXX.*.....", 17},   {"..OXX*.....", 19},
      {"...XX*O....", 19},   {"O.XX.*..O..", 65},   {"..XXX*.....", 1027}, {".OXXX*.....", 259},
      {"#XXX.*.....", 257},  {"..XXX*O....", 515},  {"...XX*X....", 1029}, {"..XX.*X....", 259},
      {".XXX.*.XXX.", 514},  {"..XXX*..X..", 1027}, {".XXXX*.....", 8195}, {"OXXXX*.....", 4099},
      {".XXXX*O....", 8195}, {"..XXX*X....", 4101}, {"...XX*XX...", 4100}, {"..XXX*XX...", 4100},
      {"..OXX*XO...", 0},    {"XX...*...XX", 8},
  };
  for (const auto& ex : examples) {
    const uint32_t p = WINDOW(ex.window);
    EXPECT_EQ(DYH[p], ex.value) << ex.window;
    EXPECT_EQ(DYC[EXCHANGED(p)], ex.value) << ex.window << " read for side O";
  }
}

// Every window: the tables equal the rules, the side-O table is the side-X
// table read with exchanged codes, exactly the stated 70 values occur, and a
// value of 4099 or more means exactly that the centre completes five.
TEST(PatternTables, EveryWindow) {
  std::set<uint16_t> seen;
  long mismatches = 0, exchange = 0, fives = 0, classes = 0;
  for (uint32_t p = 0; p < 4194304; p++) {
    const uint16_t v = DYH[p];
    if (v != PATV(p) && ++mismatches < 5) ADD_FAILURE() << "window " << p;
    if (DYC[EXCHANGED(p)] != v && ++exchange < 5) ADD_FAILURE() << "exchanged " << p;
    if ((v >= 4099) != MAKESFIVE(p) && ++fives < 5) ADD_FAILURE() << "five " << p << " " << v;
    if (((p >> 10) & 3) != 0) {
      if (v != 0) ADD_FAILURE() << "occupied centre " << p;
    } else {
      // Placement reads the values through the half-window classes.
      const uint32_t l = (p >> 12) & 1023, r = p & 1023;
      if ((DYCLASS[HALF[l].LX + HALF[r].RX] != v || DYCLASS[HALF[l].LO + HALF[r].RO] != DYC[p]) &&
          ++classes < 5)
        ADD_FAILURE() << "classes " << p;
    }
    seen.insert(v);
  }
  const std::set<uint16_t> stated = {
      0,   4,   5,   6,   8,   9,   10,  11,   12,   13,   16,   17,   18,   19,
      20,  21,  22,  32,  33,  34,  35,  36,   37,   65,   66,   67,   68,   69,
      70,  81,  82,  83,  84,  85,  257, 258,  259,  260,  261,  262,  263,  273,
      274, 275, 276, 277, 278, 514, 515, 516,  517,  518,  519,  520,  530,  531,
      532, 533, 771, 772, 773, 774, 775, 1027, 1028, 1029, 4099, 4100, 4101, 8195};
  EXPECT_EQ(stated.size(), 70u);
  EXPECT_EQ(seen, stated);
  EXPECT_EQ(mismatches + exchange + fives + classes, 0);
}

}  // namespace
