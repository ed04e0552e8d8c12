// Protocol transcripts: commands in, exact reply lines out.
#include <algorithm>

#include "position.h"
#include "transcript.h"

using Lines = std::vector<std::string>;

TEST_F(Transcript, BoardSizesAreAcceptedFromFiveToTwenty) {
  EXPECT_EQ(run({"START 15"}), Lines{"OK"});
  EXPECT_EQ(SR, 17);
  EXPECT_EQ(run({"START 5", "START 20", "RECTSTART 12,12"}), (Lines{"OK", "OK", "OK"}));
  EXPECT_EQ(SR, 14);
  EXPECT_EQ(run({"START 4", "START 21", "START", "START 1x", "RECTSTART 15,16", "RECTSTART 21,21", "RECTSTART 9"}),
            (Lines{"ERROR unsupported size, boards from 5 to 20 only", "ERROR unsupported size, boards from 5 to 20 only",
                   "ERROR malformed board size", "ERROR malformed board size", "ERROR rectangular boards not supported",
                   "ERROR unsupported size, boards from 5 to 20 only", "ERROR malformed board size"}));
  EXPECT_EQ(SR, 14) << "a refused START keeps the board";
}

TEST_F(Transcript, CommandsInAnyCaseWithEitherLineEnd) {
  EXPECT_EQ(run({"start 10\r\n", "InFo timeout_turn 0\r\n", "  about\n"}).size(), 2u);
  EXPECT_EQ(replies[0], "OK");
  EXPECT_EQ(run({"turn 0,0\r\n"}).size(), 1u);
  EXPECT_EQ(PHC[cell_at(0, 0)], OPPONENT_STONE);
  EXPECT_EQ(run({"", "\r\n", "   "}), Lines{}) << "blank lines are ignored";
}

TEST_F(Transcript, AboutDescribesTheBrainInOneLine) {
  Lines out = run({"ABOUT"});
  ASSERT_EQ(out.size(), 1u);
  // name="...", version="...", author="...", country="...": eight quotes, keys in this order.
  const std::string& about = out[0];
  EXPECT_EQ(about.rfind("name=\"dolm\", version=\"", 0), 0u) << about;
  EXPECT_LT(about.find("\", version=\""), about.find("\", author=\"")) << about;
  EXPECT_LT(about.find("\", author=\""), about.find("\", country=\"")) << about;
  EXPECT_EQ(std::count(about.begin(), about.end(), '"'), 8) << about;
  EXPECT_EQ(about.back(), '"') << about;
}

TEST_F(Transcript, EndQuitsAtOnceEvenInsideABoardBlock) {
  EXPECT_EQ(run({"END"}), Lines{});
  EXPECT_TRUE(quit);
  run({"START 10", "BOARD", "1,1,1", "end\r\n"});
  EXPECT_TRUE(quit);
}

TEST_F(Transcript, CoordinatesAreColumnThenRowFromTheTopLeft) {
  run({"START 15", "INFO timeout_turn 0"});
  // The opponent's corners land where X is the column and Y the row.
  run({"TURN 0,0"});
  EXPECT_EQ(PHC[SR + 1], OPPONENT_STONE);
  run({"TURN 14,0"});
  EXPECT_EQ(PHC[SR + 15], OPPONENT_STONE);
  run({"TURN 0,14"});
  EXPECT_EQ(PHC[15 * SR + 1], OPPONENT_STONE);
  // Our replies use the same corners: completing five in the top-left ...
  EXPECT_EQ(run({"START 20", "BOARD", "1,0,1", "2,0,1", "3,0,1", "4,0,1", "5,0,2", "9,9,2", "DONE"}),
            (Lines{"OK", "0,0"}));
  EXPECT_EQ(PHC[SR + 1], OWN_STONE);
  // ... and in the bottom-right corner.
  EXPECT_EQ(run({"BOARD", "19,15,1", "19,16,1", "19,17,1", "19,18,1", "19,14,2", "9,9,2", "DONE"}), Lines{"19,19"});
  EXPECT_EQ(PHC[20 * SR + 20], OWN_STONE);
}

TEST_F(Transcript, BoardBlockPlaysStonesInOrderAndObstaclesFirst) {
  run({"START 15", "INFO timeout_turn 0"});
  // With (5,0) blocked, side X's four can only complete at (0,0); an
  // obstacle set after the stones would leave (5,0) in X's five register.
  EXPECT_EQ(run({"BOARD", "1,0,2", "2,0,2", "3,0,2", "4,0,2", "5,0,3", "DONE"}), Lines{"0,0"});
  EXPECT_EQ(PHC[cell_at(5, 0)], OBSTACLE);
  EXPECT_EQ(PT, 5) << "obstacles are no moves";
  EXPECT_EQ(PP[1], cell_at(1, 0));
  EXPECT_EQ(PP[4], cell_at(4, 0));
  EXPECT_EQ(PP[5], cell_at(0, 0));
  // RESTART empties everything, obstacles included.
  EXPECT_EQ(run({"RESTART"}), Lines{"OK"});
  EXPECT_EQ(PT, 0);
  EXPECT_EQ(PHC[cell_at(5, 0)], 0);
}

TEST_F(Transcript, TakebackThenTurn) {
  run({"START 15", "INFO timeout_turn 0"});
  EngineSnapshot empty = snapshot();
  Lines out = run({"TURN 7,7"});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(run({("TAKEBACK " + out[0]).c_str(), "TAKEBACK 7,7"}), (Lines{"OK", "OK"}));
  EXPECT_EQ(snapshot(), empty);
  out = run({"TURN 7,7"});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(PT, 2);
  EXPECT_EQ(PP[1], cell_at(7, 7));
}

TEST_F(Transcript, TakebackOfAnEarlierStoneLeavesTheEngineAsIfItWasNeverPlayed) {
  run({"START 15"});
  const Placement without[] = {{cell_at(6, 6), OBSTACLE}, {cell_at(7, 8), OWN_STONE}, {cell_at(8, 8), OPPONENT_STONE},
                               {cell_at(9, 9), OWN_STONE}};
  set_position(without, 4);
  EngineSnapshot expected = snapshot();
  const Placement with[] = {{cell_at(6, 6), OBSTACLE}, {cell_at(7, 7), OPPONENT_STONE}, {cell_at(7, 8), OWN_STONE},
                            {cell_at(8, 8), OPPONENT_STONE}, {cell_at(9, 9), OWN_STONE}};
  set_position(with, 5);
  EXPECT_EQ(run({"TAKEBACK 7,7"}), Lines{"OK"});
  EXPECT_EQ(snapshot(), expected);
}

TEST_F(Transcript, CommandsBeforeStartAreRefused) {
  const char* refusal = "ERROR no board yet, send START first";
  EXPECT_EQ(run({"TURN 1,1", "BEGIN", "BOARD", "RESTART", "TAKEBACK 1,1"}),
            (Lines{refusal, refusal, refusal, refusal, refusal}));
  EXPECT_EQ(run({"1,1,1", "DONE"}), (Lines{"UNKNOWN command not understood", "UNKNOWN command not understood"}))
      << "a refused BOARD opens no block";
}

TEST_F(Transcript, RefusedCommandsLeaveTheBoardAlone) {
  run({"START 15", "INFO timeout_turn 0", "BOARD", "7,7,2", "8,8,1", "3,3,3", "DONE"});
  EngineSnapshot before = snapshot();
  EXPECT_EQ(run({"TURN 15,0", "TURN 0,15", "TURN 7,7", "TURN 3,3", "TURN -1,0", "TURN 7", "TURN 7,7,1", "TURN a,b",
                 "TURN", "TURN 1;1", "TURN 9999999999,1"}),
            (Lines{"ERROR move off the board", "ERROR move off the board", "ERROR cell is occupied",
                   "ERROR cell is occupied", "ERROR malformed coordinates, expected X,Y",
                   "ERROR malformed coordinates, expected X,Y", "ERROR malformed coordinates, expected X,Y",
                   "ERROR malformed coordinates, expected X,Y", "ERROR malformed coordinates, expected X,Y",
                   "ERROR malformed coordinates, expected X,Y", "ERROR malformed coordinates, expected X,Y"}));
  EXPECT_EQ(run({"TAKEBACK 1,1", "TAKEBACK 3,3", "TAKEBACK 15,15", "TAKEBACK x"}),
            (Lines{"ERROR no stone there", "ERROR no stone there", "ERROR move off the board",
                   "ERROR malformed coordinates, expected X,Y"}));
  EXPECT_EQ(run({"BOARD", "1,1,1", "oops", "DONE", "BOARD", "1,1,1", "1,1,2", "DONE", "BOARD", "1,1,4", "DONE",
                 "BOARD", "15,1,1", "DONE", "BOARD", "1,1", "DONE"}),
            (Lines{"ERROR malformed board line, expected X,Y,F", "ERROR cell is occupied",
                   "ERROR board field must be 1, 2 or 3", "ERROR move off the board",
                   "ERROR malformed board line, expected X,Y,F"}));
  EXPECT_EQ(run({"FOO", "TURNX 1,1", "PLAY 1,1", "START 99", "RECTSTART 15,20"}),
            (Lines{"UNKNOWN command not understood", "UNKNOWN command not understood",
                   "UNKNOWN command not understood", "ERROR unsupported size, boards from 5 to 20 only",
                   "ERROR rectangular boards not supported"}));
  EXPECT_EQ(snapshot(), before);
}

TEST_F(Transcript, InfoIsNeverAnswered) {
  EXPECT_EQ(run({"INFO timeout_turn 5000", "INFO timeout_match 100000", "INFO time_left 90000",
                 "INFO max_memory 83886080", "INFO game_type 1", "INFO rule 0", "INFO rule 2",
                 "INFO folder /tmp/x", "INFO evaluate 1,1", "INFO nonsense", "INFO", "INFO breadth 5"}),
            Lines{});
  EXPECT_EQ(V0, 5);
  run({"INFO breadth 0", "INFO breadth 19", "INFO breadth x"});
  EXPECT_EQ(V0, 5) << "breadths outside 1..18 are ignored";
  EXPECT_EQ(run({"START 15"}), Lines{"OK"});
}

TEST_F(Transcript, UnsupportedRulesAndMemoryAreRefusedAtTheNextCommand) {
  EXPECT_EQ(run({"INFO rule 1", "INFO timeout_turn 0", "START 15", "START 15"}),
            (Lines{"ERROR exactly-five rule not supported, only free-style", "OK"}));
  EXPECT_EQ(run({"INFO rule 4", "ABOUT"}), Lines{"ERROR renju rule not supported, only free-style"});
  EXPECT_EQ(run({"INFO rule 8", "TURN 1,1"}), Lines{"ERROR caro rule not supported, only free-style"});
  EXPECT_EQ(PHC[cell_at(1, 1)], 0) << "the refused TURN placed nothing";
  EXPECT_EQ(run({"INFO max_memory 1000000", "BOARD", "1,1,1", "DONE", "RESTART"}),
            (Lines{"ERROR max_memory is below what the engine needs", "OK"}))
      << "a refused BOARD block is read past without a move";
  EXPECT_EQ(PT, 0);
}
