// The brain's static evaluation. Each side's sum of cell values counts, and so
// does the shape of its empty cells: every cell falls into a class by its value
// (an open two, a closed three, a four with an open three...) and each class
// has a weight. The class weights are kept summed move by move.
#pragma once

#include <cstdint>

// Classes of a cell value: class k holds the values from VALUE_CLASS_FROM[k - 1]
// up to the next bound; class 0 the value 0, the last class five and more.
constexpr int VALUE_CLASSES = 16;
extern const uint16_t VALUE_CLASS_FROM[VALUE_CLASSES - 1];
int value_class(uint16_t value);

// For SIDE (1 or 2): the sum over the empty cells of the weight of their value
// class for SIDE, [0] with the weights for SIDE to move, [1] for the other to move.
extern int32_t shape_sum[3][2];

// Counts the sums afresh from the board in force.
void shape_recount();
// Before a stone goes to CELL: notes the cells whose values it may change.
void shape_before(uint16_t cell);
// After the stone is placed: brings the sums up to date for the noted cells.
void shape_after();

// The static score for SIDE to move, whose best cell is worth OWN to it.
int weighted_score(int side, int own);
