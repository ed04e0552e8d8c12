#include "commands.h"

#include <cassert>
#include <cstdio>
#include <cstring>
#include <string>

#include "mozek.h"
#include "position.h"
#include "protocol.h"
#include "settings.h"
#include "think.h"

// The brain's self-description for ABOUT.
static const char ABOUT_LINE[] =
    "name=\"dolm\", version=\"1.0\", author=\"the dolm team\", country=\"-\"";

// A BOARD block is gathered whole and checked before anything is placed, so
// a faulty block leaves the position alone; its first fault is reported at
// DONE, keeping the answer to the block one line.
static bool reading_block;       // lines up to DONE belong to a BOARD block
static bool block_refused;       // the block answers a pending refusal: read it, apply nothing
static const char* block_fault;  // first fault of the block, null while it is sound
static Placement block[LARGEST_BOARD * LARGEST_BOARD];  // the block's entries in the order received
static int block_count;                                 // number of entries in BLOCK
static bool block_named[CELLCOUNT];  // cells the block already named, to catch a cell given twice

void brain_reset() {
  reset_settings();
  board_size = 0;
  reading_block = false;
}

void brain_start() {
  // The brain runs in the manager's directory: its keys stay in memory.
  KEYFILES = false;
  MOZEKINIT();
  brain_reset();
}

// What decided a move, as the MESSAGE line names it.
static const char* reason_text(Reason why) {
  switch (why) {
    case Reason::OPENING:
      return "opening";
    case Reason::FIVE:
      return "five";
    case Reason::FORCED:
      return "forced reply";
    case Reason::VCF:
      return "VCF";
    case Reason::VCT:
      return "VCT";
    case Reason::SEARCH:
      return "search";
    default:
      return "no move";
  }
}

// What the MESSAGE line says about the opponent's forced win.
static const char* defence_text(Defence d) {
  switch (d) {
    case Defence::REFUTES:
      return " (refuting a forced win)";
    case Defence::UNPROVEN:
      return " (no move proven to refute a forced win)";
    case Defence::NO_REFUTATION:
      return " (no move refutes a forced win)";
    default:
      return "";
  }
}

// The MESSAGE line of a search: how deep, the score for the brain (a forced
// win or loss counted in moves), effort, time and the expected line.
static void report_search(const SearchReport& found) {
  char score[32], line[PV_MAX * 8 + 1];
  if (found.score > DECIDED)
    std::snprintf(score, sizeof score, "win in %d", (WIN_SCORE - found.score + 1) / 2);
  else if (found.score < -DECIDED)
    std::snprintf(score, sizeof score, "loss in %d", (WIN_SCORE + found.score) / 2);
  else
    std::snprintf(score, sizeof score, "%d", found.score);
  int at = 0;
  for (int i = 0; i < found.pv_len; i++) {
    int x, y;
    cell_coords(found.pv[i], x, y);
    at += std::snprintf(line + at, sizeof line - at, " %d,%d", x, y);
  }
  line[at] = '\0';
  reply("MESSAGE %s depth %d%s score %s nodes %llu time %lld ms%s pv%s", reason_text(found.reason),
        found.depth, found.aborted ? "+" : "", score, static_cast<unsigned long long>(found.nodes),
        static_cast<long long>(found.elapsed_us / 1000), defence_text(found.defence), line);
}

// Sends the brain's move after choosing it, and plays it on the board.
static void answer_with_move() {
  SearchReport found = choose_move();
  if (verbose) report_search(found);
  if (found.cell == 0) {
    reply("ERROR no empty cell left");
    return;
  }
  play_stone(found.cell, OWN_STONE);
  int x, y;
  cell_coords(found.cell, x, y);
  reply("%d,%d", x, y);
}

// Whether a board exists; otherwise refuses the command.
static bool need_board() {
  if (board_size == 0) reply("ERROR no board yet, send START first");
  return board_size != 0;
}

// Reads "X,Y" from TEXT into a cell on the board; otherwise refuses the command.
// Unless MAY_BE_TAKEN, the cell must be empty.
static bool read_cell(const char* text, bool may_be_taken, uint16_t& cell) {
  int64_t xy[2];
  if (!parse_numbers(text, xy, 2)) {
    reply("ERROR malformed coordinates, expected X,Y");
    return false;
  }
  const CellCheck check = check_cell(xy[0], xy[1]);
  if (check != CellCheck::FREE && !(may_be_taken && check == CellCheck::OCCUPIED)) {
    reply("ERROR %s", cell_fault_text(check));
    return false;
  }
  cell = cell_at(static_cast<int>(xy[0]), static_cast<int>(xy[1]));
  return true;
}

// START n: a new n x n board.
static void do_start(const char* args) {
  int64_t n;
  if (!parse_numbers(args, &n, 1)) return reply("ERROR malformed board size");
  if (n < SMALLEST_BOARD || n > LARGEST_BOARD)
    return reply("ERROR unsupported size, boards from 5 to 20 only");
  open_board(static_cast<int>(n));
  tt_clear();
  reply("OK");
}

// RECTSTART w,h: square boards only.
static void do_rectstart(const char* args) {
  int64_t wh[2];
  if (!parse_numbers(args, wh, 2)) return reply("ERROR malformed board size");
  if (wh[0] != wh[1]) return reply("ERROR rectangular boards not supported");
  if (wh[0] < SMALLEST_BOARD || wh[0] > LARGEST_BOARD)
    return reply("ERROR unsupported size, boards from 5 to 20 only");
  open_board(static_cast<int>(wh[0]));
  tt_clear();
  reply("OK");
}

// RESTART: the same board, emptied.
static void do_restart(const char*) {
  if (!need_board()) return;
  empty_board();
  tt_clear();
  reply("OK");
}

// BEGIN: the brain opens the game.
static void do_begin(const char*) {
  if (!need_board()) return;
  answer_with_move();
}

// TURN X,Y: the opponent's move, then ours.
static void do_turn(const char* args) {
  uint16_t cell;
  if (!need_board() || !read_cell(args, false, cell)) return;
  play_stone(cell, OPPONENT_STONE);
  answer_with_move();
}

// TAKEBACK X,Y: the stone at X,Y leaves the board.
static void do_takeback(const char* args) {
  uint16_t cell;
  if (!need_board() || !read_cell(args, true, cell)) return;
  if (!remove_stone(cell)) return reply("ERROR no stone there");
  reply("OK");
}

// BOARD: a whole position follows, one X,Y,F line per cell, up to DONE.
static void do_board(const char*) {
  if (!need_board()) return;
  reading_block = true;
  block_refused = false;
  block_fault = nullptr;
  block_count = 0;
  std::memset(block_named, 0, sizeof block_named);
}

// ABOUT: who we are.
static void do_about(const char*) { reply("%s", ABOUT_LINE); }

// INFO key value: remembered, never answered.
static void do_info(const char* args) { apply_info(args); }

// One line inside a BOARD block.
static void read_block_line(const char* line) {
  int64_t xyf[3];
  if (block_fault) return;
  if (!parse_numbers(line, xyf, 3)) {
    block_fault = "malformed board line, expected X,Y,F";
    return;
  }
  if (xyf[2] < 1 || xyf[2] > 3) {
    block_fault = "board field must be 1, 2 or 3";
    return;
  }
  if (xyf[0] >= board_size || xyf[1] >= board_size) {
    block_fault = "move off the board";
    return;
  }
  uint16_t cell = cell_at(static_cast<int>(xyf[0]), static_cast<int>(xyf[1]));
  if (block_named[cell]) {
    block_fault = "cell is occupied";
    return;
  }
  // Each cell enters once, so the block never outgrows the playing area.
  assert(cell < CELLCOUNT && block_count < LARGEST_BOARD * LARGEST_BOARD);
  block_named[cell] = true;
  // F = 1 is the brain's own stone (side O), 2 the opponent's (side X).
  uint16_t content = xyf[2] == 1 ? OWN_STONE : xyf[2] == 2 ? OPPONENT_STONE : OBSTACLE;
  block[block_count++] = {cell, content};
}

// DONE: the block is complete; set it up and move, or refuse it whole.
static void finish_block() {
  reading_block = false;
  if (block_refused) return;
  if (block_fault) return reply("ERROR %s", block_fault);
  set_position(block, block_count);
  answer_with_move();
}

// A protocol command: its upper-case word and its handler.
struct Command {
  const char* word;
  void (*handler)(const char* args);
};

// Every command the brain knows; anything else is answered UNKNOWN.
static const Command COMMANDS[] = {
    {"START", do_start},       {"RECTSTART", do_rectstart}, {"RESTART", do_restart},
    {"BEGIN", do_begin},       {"TURN", do_turn},           {"BOARD", do_board},
    {"TAKEBACK", do_takeback}, {"ABOUT", do_about},         {"INFO", do_info},
};

LineOutcome brain_line(const char* line) {
  char word[COMMAND_WORD_MAX];
  const char* args;
  split_command(line, word, args);
  if (std::strcmp(word, "END") == 0) return LineOutcome::QUIT;
  if (reading_block) {
    if (std::strcmp(word, "DONE") == 0)
      finish_block();
    else if (word[0] != '\0')
      read_block_line(line);
    return LineOutcome::CONTINUE;
  }
  if (word[0] == '\0') return LineOutcome::CONTINUE;
  if (pending_refusal && std::strcmp(word, "INFO") != 0) {
    reply("ERROR %s", pending_refusal);
    pending_refusal = nullptr;
    // A refused BOARD still brings its lines; read past them quietly.
    if (std::strcmp(word, "BOARD") == 0) {
      reading_block = true;
      block_refused = true;
    }
    return LineOutcome::CONTINUE;
  }
  for (const Command& command : COMMANDS)
    if (std::strcmp(word, command.word) == 0) {
      command.handler(args);
      return LineOutcome::CONTINUE;
    }
  reply("UNKNOWN command not understood");
  return LineOutcome::CONTINUE;
}

LineOutcome brain_input_line(const char* bytes, size_t length, bool cut) {
  bool control = false;
  for (size_t i = 0; i < length; i++) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    control |= (c < 0x20 && c != '\t') || c == 0x7F;
  }
  if (control || cut) {
    const char* fault = cut ? "line too long" : "line holds control characters";
    if (!reading_block) {
      reply("ERROR %s", fault);
    } else if (!block_fault) {
      block_fault = fault;
    }
    return LineOutcome::CONTINUE;
  }
  static std::string line;  // the bytes with the end mark brain_line reads
  line.assign(bytes, length);
  return brain_line(line.c_str());
}
