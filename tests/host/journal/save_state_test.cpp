// Whether the state file could be saved is an input of the game: a recording keeps each save's result,
// and a replay answers with it, writing the file only where the recorded save worked, so a run recorded
// in a folder that could not be written replays the same in one that can (and the other way round).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/backend/glfw2.h"
#include "host/backend/glfw2_null.h"
#include "host/journal/glfw2_recording.h"
#include "host/journal/glfw2_replay.h"
#include "host/journal/journal.h"
#include "host/journal/journal_format.h"
#include "host/journal/journal_reader.h"
#include "host/journal/journal_writer.h"
#include "support/test_os.h"

namespace {

// A save whose outcome the test decides, counting the times it really ran.
struct FakeSave {
  int result = 0;
  int runs = 0;
};
int RunSave(void* context) {
  FakeSave& save = *static_cast<FakeSave*>(context);
  ++save.runs;
  return save.result;
}

// A session in miniature: a window, then per frame a save with the given outcome and a buffer swap.
std::vector<int> Session(const std::vector<int>& outcomes, std::vector<int>* runs = nullptr) {
  std::vector<int> seen;
  glfwInit();
  glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW);
  for (int outcome : outcomes) {
    FakeSave save{outcome};
    seen.push_back(journal_SaveState(RunSave, &save));
    if (runs) runs->push_back(save.runs);
    glfwSwapBuffers();
  }
  glfwCloseWindow();
  glfwTerminate();
  return seen;
}

class SaveStateJournal : public ::testing::Test {
 protected:
  std::string dir = vxtest::MakeTempDir("vx-save-journal-");
  std::string path = dir + "/run.vxj";
  void TearDown() override {
    glfw2null_Uninstall();
    glfw2_SetBackend(nullptr);
    vxtest::RemoveTree(dir);
  }

  void Record(const std::vector<int>& outcomes) {
    JournalWriter writer;
    ASSERT_TRUE(writer.Open(path.c_str()));
    journal::Header header;
    header.build = "test";
    writer.Header(header);
    glfw2null_Install();
    glfw2_SetBackend(&glfw2rec_Backend(glfw2null_Backend(), writer));
    EXPECT_EQ(Session(outcomes), outcomes) << "recording passes each result on";
    writer.Byte(journal::kEnd);
    writer.Close();
    glfw2null_Uninstall();
  }

  // Replays the journal with saves that would now have `outcomes`.
  std::vector<int> Replay(const std::vector<int>& outcomes, std::vector<int>* runs) {
    static JournalReader reader;  // outlives the call: death tests end inside it
    const std::string bytes = vxtest::ReadWholeFile(path);
    EXPECT_TRUE(reader.Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) << reader.Error();
    glfw2null_Install();
    glfw2_SetBackend(&glfw2replay_Backend(glfw2null_Backend(), reader, false));
    std::vector<int> seen = Session(outcomes, runs);
    glfw2replay_CheckEnd();
    return seen;
  }
};

TEST_F(SaveStateJournal, AReplayAnswersWithTheRecordedOutcomeAndWritesOnlyWhereItWorked) {
  Record({0, -1, -2, 0});
  std::vector<int> runs;
  // Today every save would work (or fail another way): the game still sees what the recorded run saw.
  EXPECT_EQ(Replay({-1, 0, 0, -2}, &runs), (std::vector<int>{0, -1, -2, 0}));
  EXPECT_EQ(runs, (std::vector<int>{1, 0, 0, 1})) << "the file is written only where the recorded save worked";
}

TEST_F(SaveStateJournal, WithoutAJournalTheSaveJustRuns) {
  glfw2null_Install();
  std::vector<int> runs;
  EXPECT_EQ(Session({0, -2}, &runs), (std::vector<int>{0, -2}));
  EXPECT_EQ(runs, (std::vector<int>{1, 1}));
}

TEST_F(SaveStateJournal, ASaveTheRecordedRunDidNotMakeIsADivergence) {
  Record({0});
  EXPECT_EXIT(Replay({0, 0}, nullptr), ::testing::ExitedWithCode(kReplayDiverged),
              "the game calls SaveState where the journal has CloseWindow");
}

}  // namespace
