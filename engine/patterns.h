// The value of the centre of one 11-cell line window, computed from the
// pattern rules; INITDYNAMO tabulates it, tests check the tables against it.
#pragma once

#include <cstdint>

// Value of w[0] for the side whose stones are code 1 (codes 2 and 3 block),
// where window p holds w[e] in bits 2*(5-e) .. 2*(5-e)+1.
uint16_t PATV(uint32_t p);
