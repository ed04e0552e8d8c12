// The brain in-process: transcripts (commands in, exact replies out), limits, random traffic.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

#include "../engine/board_helpers.h"
#include "commands.h"
#include "mozek.h"
#include "position.h"
#include "protocol.h"
#include "settings.h"
#include "think.h"

using Lines = std::vector<std::string>;
static Lines replies;  // drawn by the current run
static bool quit;      // whether the last run ended the brain

// Sends the '|'-separated LINES in order and returns the replies they drew.
Lines run(const std::string& lines) {
  replies.clear();
  quit = false;
  std::istringstream in(lines);
  for (std::string line; std::getline(in, line, '|');)
    quit |= brain_line(line.c_str()) == LineOutcome::QUIT;
  return replies;
}

// Everything the engine keeps about a position, to prove what a command did to it.
static std::vector<uint32_t> snapshot() {
  std::vector<uint32_t> s = TAKESTATE();
  s.insert(s.end(), {X5, O5});
  return s;
}

// Each test starts from a freshly started brain with no board.
struct Brain : testing::Test {
  void SetUp() override { brain_reset(); }
};

// Commands in any case and either line end: START takes square boards of 5..20, ABOUT is one line,
// blank lines and INFO draw nothing (breadths outside 1..18 are ignored), END quits at once.
TEST_F(Brain, SessionCommands) {
  for (auto [line, side] : std::vector<std::pair<std::string, int>>{
           {"START 5", 7}, {"START 20", 22}, {"RECTSTART 12,12", 14}, {"sTaRt 10\r\n", 12}})
    EXPECT_EQ(std::tuple(run(line), SR), std::tuple(Lines{"OK"}, side)) << line;
  int end = -1;  // how far ABOUT's reply matched the form
  std::sscanf(run("  about\n").at(0).c_str(),
              R"(name="dolm", version="%*[^"]", author="%*[^"]", country="%*[^"]"%n)", &end);
  EXPECT_EQ(std::tuple(replies.size(), end), std::tuple(1u, int(replies[0].size()))) << replies[0];
  run("|\r\n|   |InFo timeout_turn 5000\r\n|INFO timeout_match 100000|INFO time_left 9|"
      "INFO max_memory 83886080|INFO game_type 1|INFO rule 0|INFO rule 2|INFO folder /x|"
      "INFO evaluate 1,1|INFO nonsense|INFO|INFO breadth 5|INFO breadth 0|INFO breadth 19");
  EXPECT_EQ(std::tuple(replies, timeout_turn_ms, V0), std::tuple(Lines{}, 5000, 5));
  EXPECT_EQ(run("START 15"), Lines{"OK"}) << "accepted rules and memory leave nothing to refuse";
  for (const char* last : {"END", "BOARD|1,1,1|end\r\n"})  // even inside a BOARD block
    EXPECT_EQ(std::tuple(run(last), quit), std::tuple(Lines{}, true)) << last;
}

// X is the column and Y the row from the top left, for the opponent's stones and our replies. A
// BOARD block sets obstacles first, then stones in order: with (5,0) blocked X's four is completed
// only at (0,0); an obstacle set after the stones would leave (5,0) in X's five register.
TEST_F(Brain, CoordinatesAndTheBoardBlock) {
  run("START 15|INFO timeout_turn 0|TURN 14,0");
  EXPECT_EQ(PHC[SR + 15], OPPONENT_STONE) << "top right";
  EXPECT_EQ(run("BOARD|4,0,2|2,0,2|3,0,2|1,0,2|5,0,3|DONE"), Lines{"0,0"});
  EXPECT_EQ(std::tuple(PHC[cell_at(5, 0)], PT, PP[1], PP[4], PP[5], BOARDOK()),
            std::tuple(OBSTACLE, 5, cell_at(4, 0), cell_at(1, 0), cell_at(0, 0), true));
  EXPECT_EQ(run("START 20|BOARD|19,15,1|19,16,1|19,17,1|19,18,1|19,14,2|9,9,2|DONE"),
            (Lines{"OK", "19,19"}));
  EXPECT_EQ(PHC[20 * SR + 20], OWN_STONE);
  // A board of obstacles only leaves no move; RESTART clears them too.
  std::string full = "START 5|BOARD";
  for (char x = '0'; x < '5'; x++)
    for (char y = '0'; y < '5'; y++) full += {'|', x, ',', y, ',', '3'};
  EXPECT_EQ(run(full + "|DONE|RESTART"), (Lines{"OK", "ERROR no empty cell left", "OK"}));
  EXPECT_EQ(empty_cells(), 25);
}

// TAKEBACK, of the last stone or an earlier one, leaves the engine exactly as if the stone had
// never been played, so the game goes on as before.
TEST_F(Brain, BeginTakebackThenTurn) {
  run("START 15|INFO timeout_turn 0");
  const auto empty = snapshot();
  EXPECT_EQ(run("BEGIN|TAKEBACK 7,7"), (Lines{"7,7", "OK"}));
  const std::string reply = run("TURN 7,7").at(0);
  EXPECT_EQ(run("TAKEBACK " + reply + "|TAKEBACK 7,7"), (Lines{"OK", "OK"}));
  EXPECT_EQ(snapshot(), empty);
  EXPECT_EQ(std::tuple(run("TURN 7,7").size(), PT, PP[1]), std::tuple(1u, 2, cell_at(7, 7)));
  // An earlier stone: without (7,7) the block must set up the same engine.
  run("TAKEBACK " + run("BOARD|6,6,3|7,7,2|7,8,1|8,8,2|9,9,1|DONE").at(0) + "|TAKEBACK 7,7");
  const auto taken = snapshot();
  run("TAKEBACK " + run("BOARD|6,6,3|7,8,1|8,8,2|9,9,1|DONE").at(0));
  EXPECT_EQ(taken, snapshot());
}

// Every refusal must leave the position exactly as it was.
TEST_F(Brain, RefusalsLeaveTheBoardAlone) {
  for (const char* line : {"TURN 1,1", "BEGIN", "BOARD", "RESTART", "TAKEBACK 1,1"})
    EXPECT_EQ(run(line), Lines{"ERROR no board yet, send START first"}) << line;
  const std::string unknown = "UNKNOWN command not understood";
  EXPECT_EQ(run("1,1,1|DONE"), (Lines{unknown, unknown})) << "a refused BOARD opens no block";
  run("START 15|INFO timeout_turn 0|BOARD|7,7,2|8,8,1|3,3,3|DONE");
  const auto before = snapshot();
  // Each reply with the lines drawing it, in order: a pending rule or memory refusal answers the
  // next non-INFO command once (later rows get their own), a refused BOARD block is read past.
  const std::pair<std::string, std::vector<const char*>> rows[] = {
      {"ERROR exactly-five rule not supported, only free-style",
       {"INFO rule 1|INFO timeout_turn 0|START 15"}},
      {"ERROR renju rule not supported, only free-style", {"INFO rule 4|ABOUT"}},
      {"ERROR caro rule not supported, only free-style", {"INFO rule 8|TURN 1,1"}},
      {"ERROR max_memory is below what the engine needs", {"INFO max_memory 9|BOARD|1,1,1|DONE"}},
      {"ERROR move off the board",
       {"TURN 15,0", "TURN 0,15", "TAKEBACK 15,15", "BOARD|15,1,1|DONE"}},
      {"ERROR cell is occupied", {"TURN 7,7", "TURN 3,3", "BOARD|1,1,1|1,1,2|DONE"}},
      {"ERROR malformed coordinates, expected X,Y",
       {"TURN -1,0", "TURN 7", "TURN 7,7,1", "TURN a,b", "TURN", "TURN 1;1", "TURN 9999999999,1",
        "TAKEBACK x"}},
      {"ERROR no stone there", {"TAKEBACK 1,1", "TAKEBACK 3,3"}},
      {"ERROR malformed board line, expected X,Y,F", {"BOARD|1,1,1|oops|DONE", "BOARD|1,1|DONE"}},
      {"ERROR board field must be 1, 2 or 3", {"BOARD|1,1,4|DONE"}},
      {"ERROR unsupported size, boards from 5 to 20 only",
       {"START 4", "START 21", "RECTSTART 21,21"}},
      {"ERROR malformed board size", {"START", "START 1x", "RECTSTART 9"}},
      {"ERROR rectangular boards not supported", {"RECTSTART 15,16"}},
      {unknown, {"FOO", "TURNX 1,1", "PLAY 1,1"}}};
  for (const auto& [out, lines] : rows)
    for (const char* in : lines) {
      EXPECT_EQ(run(in), Lines{out}) << in;
      EXPECT_TRUE(snapshot() == before) << in;
    }
}

// How much later than planned a reply may come: a virtual machine's host can stop a process for
// 60 ms and more at any moment, invisibly to it.
constexpr int STALL_MS = 100;

// Each limit on a 20x20 middle game with threats for both sides. Whatever the limit, the move is
// legal and the position kept; a turn with time is used, not given away.
TEST_F(Brain, SearchLimits) {
  run("TAKEBACK " + run("START 20|INFO timeout_turn 0|BOARD|9,9,1|10,10,2|10,9,1|8,9,2|11,11,1|"
                        "9,10,2|8,8,1|11,8,2|12,10,1|7,10,2|10,11,1|9,12,2|DONE")
                        .at(1));
  const auto before = snapshot();
  // INFO lines; depth played at least, at most; most nodes; time taken at least and under ms.
  const std::tuple<const char*, int, int, uint64_t, int, int> rows[] = {
      {"INFO timeout_turn 0", 1, 40, UINT64_MAX, 0, 100},      // at once
      {"INFO timeout_turn 300", 3, 40, UINT64_MAX, 150, 300},  // deepening while the clock allows
      {"INFO timeout_match 600000|INFO time_left 3000", 1, 40, UINT64_MAX, 0, 100},  // 1/30 left
      {"INFO timeout_match 3000", 1, 40, UINT64_MAX, 0, 100},  // the match time, none reported
      {"INFO timeout_match 600000|INFO time_left -5", 1, 40, UINT64_MAX, 0, 100},  // over time
      {"INFO max_depth 3", 3, 3, UINT64_MAX, 0, 30000},                            // a cap, reached
      {"INFO max_depth 10|INFO timeout_turn 200", 1, 10, UINT64_MAX, 0, 200},  // a cap, not reached
      {"INFO max_node 1000", 1, 40, 5 * 1000, 0, 30000}};  // each search of the reply capped
  for (auto [info, min_depth, max_depth, max_nodes, min_ms, under_ms] : rows) {
    SCOPED_TRACE(info);
    reset_settings();
    run(info);
    const auto start = std::chrono::steady_clock::now();
    const SearchReport r = choose_move();
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    EXPECT_GE(ms.count(), min_ms);
    EXPECT_LT(ms.count(), under_ms + STALL_MS);
    EXPECT_GE(r.depth, min_depth);
    EXPECT_LE(r.depth, max_depth) << (r.aborted ? "the last depth cut short" : "");
    EXPECT_LE(r.nodes, max_nodes);
    EXPECT_EQ(std::tuple(r.searched, r.cell != 0, PHC[r.cell]), std::tuple(true, true, 0));
    EXPECT_TRUE(snapshot() == before);
  }
}

// Random traffic, sound and garbled: every line draws at most one reply of a known form, and every
// table of the position equals one computed from scratch.
TEST_F(Brain, RandomTrafficNeverBreaksTheBrainOrThePosition) {
  std::mt19937 rng(2026);
  auto pick = [&](size_t n) { return static_cast<int>(rng() % n); };
  // '#' is a number, mostly on the board; '@' where a stone stands, often not the last one.
  const std::string forms =
      "TURN #,#|turn #,#|TURN #,#|TAKEBACK @|TAKEBACK #,#|BOARD|#,#,#|DONE|START #|RECTSTART #,#|"
      "RESTART|BEGIN|ABOUT|INFO rule #|INFO max_memory #|INFO breadth #|TURN #|InFo time_left #|"
      "PLAY #,#||x\x01\x7f\t#";
  for (int i = 0; i < 20000; i++) {
    const size_t from = forms.rfind('|', pick(forms.size())) + 1;
    std::string line;
    for (char c : forms.substr(from, forms.find('|', from) - from)) {
      const int stone = PT > 0 ? PP[1 + pick(PT)] : 0, n = pick(24);
      line += c == '@'   ? std::to_string(stone % SR - 1) + "," + std::to_string(stone / SR - 1)
              : c != '#' ? std::string(1, c)
              : n < 21   ? std::to_string(n)
                         : std::vector<std::string>{"-1", "", "99999999999"}[n - 21];
    }
    line += std::vector<std::string>{"", "\n", "\r\n"}[pick(3)];
    replies.clear();
    ASSERT_EQ(brain_line(line.c_str()), LineOutcome::CONTINUE) << line;
    timeout_turn_ms = 0;  // every search at depth 1 keeps the run quick
    fixed_depth = 0;
    ASSERT_LE(replies.size(), 1u) << line;
    for (const std::string& r : replies)  // OK, ERROR ..., UNKNOWN ..., ABOUT's line or a move
      ASSERT_TRUE(r == "OK" || r.starts_with("ERROR ") || r.starts_with("UNKNOWN ") ||
                  r.starts_with("name=") || std::isdigit(r[0]))
          << line << " -> " << r;
    ASSERT_TRUE(board_size == 0 || BOARDOK()) << "after line " << i << ": " << line;
  }
}

// Input as the manager sends it, through the line splitter: CR, LF and CR LF each end a line, a
// line with a NUL or another control byte is answered ERROR without touching the next one, a long
// line counts whole. Fed whole and in pieces of every small size, with the same replies.
TEST_F(Brain, LinesAsTheManagerSendsThem) {
  const std::string control = "ERROR line holds control characters";
  const std::pair<std::string, Lines> cases[] = {
      {std::string("START 15\0\nSTART 10\n", 19), {control, "OK"}},
      {std::string("START 15\0 junk\r\nRESTART\r\n", 25),
       {control, "ERROR no board yet, send START first"}},
      {"START 15\rSTART 10\rRESTART\r", {"OK", "OK", "OK"}},
      {"START 15\r\nSTART 10\n\rSTART 11", {"OK", "OK", "OK"}},
      {std::string(5000, ' ') + "START 15\nRESTART\n", {"OK", "OK"}},
      {"START 9\nBOARD\n1,1,1\n2,2\x01,1\nDONE\nRESTART\n", {"OK", control, "OK"}},
      {"START 9\n\x1b\nEND\nSTART 15\n", {"OK", control}},
      {"\n\r\n\r\r\n\n", {}}};
  static bool stop;  // END was read
  for (const auto& [input, want] : cases) {
    for (size_t piece : {size_t(1 << 20), size_t(1), size_t(2), size_t(3), size_t(7)}) {
      brain_reset(), reset_lines(), replies.clear(), stop = false;
      auto take = [](const char* bytes, size_t n, bool cut) {
        return !(stop = brain_input_line(bytes, n, cut) == LineOutcome::QUIT);
      };
      for (size_t at = 0; at < input.size() && !stop; at += piece)
        split_lines(input.data() + at, std::min(piece, input.size() - at), take);
      finish_lines(take);
      EXPECT_EQ(replies, want) << input << " in pieces of " << piece;
    }
  }
}

// The real brain keeps its keys in memory: FIFOs under the key files' names of the start-up board
// and of the game's board hold nothing up, and the replies come line by line, NUL and CR-only
// lines included, within a second.
TEST(BrainProcess, NoFilesAndEveryLineAnswered) {
  char dir[] = "/tmp/pbrainXXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  const std::string d = dir;
  for (const char* name : {"/kanec22.rnd", "/kanec17.rnd"})
    ASSERT_EQ(mkfifo((d + name).c_str(), 0600), 0);
  const std::string in("START 15\0x\nSTART 15\rINFO timeout_turn 100\rTURN 7,7\rABOUT\0\r\nEND\r",
                       63);
  std::ofstream(d + "/in").write(in.data(), std::streamsize(in.size()));
  FILE* out = popen(("cd " + d + " && timeout 1 " PBRAIN " <in").c_str(), "r");
  ASSERT_TRUE(out);
  Lines got;
  for (char line[256]; std::fgets(line, sizeof line, out);) got.emplace_back(line);
  EXPECT_EQ(pclose(out), 0) << "ended by END within the second";
  const std::string control = "ERROR line holds control characters\n";
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(std::tuple(got[0], got[1], got[3]), std::tuple(control, "OK\n", control));
  EXPECT_TRUE(std::isdigit(got[2][0])) << got[2];
  EXPECT_EQ(
      system(("test \"$(ls " + d + ")\" = \"in\nkanec17.rnd\nkanec22.rnd\" && rm -r " + d).c_str()),
      0);
}

// The engine starts once, as in the brain.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  brain_start();
  set_reply_sink([](const char* line) { replies.emplace_back(line); });
  return RUN_ALL_TESTS();
}
