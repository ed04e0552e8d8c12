// Pattern values that the placement, the candidate filter and the leaf
// evaluation test against. A cell's value for a side is the sum of its four
// line values; one line gives about 8^k where k is the number of own stones
// the cell would join within five cells.
#pragma once

#include <cstdint>

constexpr uint16_t VFIVE = 4099;      // the cell completes five (no smaller value does)
constexpr uint16_t VOPENFOUR = 1027;  // the cell makes an open four: five next move either way
constexpr uint16_t VWIN = 514;        // an open four or two fours: a win by force
constexpr uint16_t VFOURTHREE = 322;  // a four and an open three (257 + 65)
constexpr uint16_t VFOURPLUS = 265;   // a four with more beside it (257 + 8)
constexpr uint16_t VFOUR = 257;       // a four: five next move unless answered
constexpr uint16_t VTWOTHREES =
    128;                             // bit set when, for example, two lines each make an open three
constexpr uint16_t VTHREEPLUS = 73;  // low byte: an open three with more beside it (65 + 8)
constexpr uint16_t VOPENTHREE = 65;  // an open three
constexpr uint16_t VTHREE = 16;      // low byte: the cell makes a three of some kind
