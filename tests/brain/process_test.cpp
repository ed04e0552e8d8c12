// The brain as a process: replies flushed line by line, CR LF input, clean exits.
#include <gtest/gtest.h>

#include "brain_process.h"

// A running brain in its own temporary directory.
class Process : public testing::Test {
 protected:
  void SetUp() override {
    dir = make_temp_dir();
    ASSERT_TRUE(spawn_brain(brain, PBRAIN_PATH, dir));
  }
  void TearDown() override {
    if (brain.pid >= 0) finish_brain(brain, 2000);
    remove_temp_dir(dir);
  }
  // Sends LINE with CR LF and returns the reply (empty when none came).
  std::string ask(const std::string& line) {
    std::string reply;
    EXPECT_TRUE(send_text(brain, line + "\r\n"));
    if (!read_reply(brain, reply, 10000)) reply.clear();
    return reply;
  }
  BrainProcess brain;
  std::string dir;
};

TEST_F(Process, RepliesArriveWhileTheInputStaysOpen) {
  EXPECT_EQ(ask("START 15"), "OK");
  EXPECT_TRUE(send_text(brain, "INFO timeout_turn 200\r\n"));
  std::string move = ask("TURN 7,7");
  EXPECT_TRUE(move.find(',') != std::string::npos) << move;
  EXPECT_EQ(ask("TAKEBACK " + move), "OK");
  EXPECT_EQ(ask("what"), "UNKNOWN command not understood");
  EXPECT_EQ(ask(std::string(10000, 'x')), "UNKNOWN command not understood") << "an overlong line is survived";
  EXPECT_EQ(ask("START 15"), "OK");
  EXPECT_TRUE(send_text(brain, "END\r\n"));
  EXPECT_EQ(finish_brain(brain, 2000), 0);
}

TEST_F(Process, EndOfInputEndsTheBrain) {
  EXPECT_EQ(ask("ABOUT").rfind("name=\"dolm\"", 0), 0u);
  EXPECT_EQ(finish_brain(brain, 2000), 0);
}
