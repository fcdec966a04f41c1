// The end of a run: CloseGUICommand ends the main loop; ShutdownApplication,
// once the work is written, lets go of the form, the application and
// everything the run kept in memory, and writes nothing itself: a display
// lost while they go must find nothing left unsaved.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/Paths.h"
#include "forms/application/ApplicationShutdown.h"
#include "forms/application/CloseGUICommand.h"
#include "forms/application/SavedGameCommands.h"
#include "game/CommandHistory.h"
#include "tests/support/application_fixture.h"

namespace application_test {
namespace {

TEST_F(ApplicationTest, CloseGUIEndsTheRunningLoop) {
  DialogScript script(main);
  script.Answer();
  CloseGUICommand().Execute();
  app::run_message_loop();
  EXPECT_TRUE(script.Done());
}

// Notes whether the application was still there when the form went.
struct FormProbe : FormBase {
  explicit FormProbe(bool& wentFirst) : first(&wentFirst) {}
  ~FormProbe() override { *first = Application::Instance() != nullptr; }
  bool* first;
};

struct PendingProbe : ApplicationCommand {
  explicit PendingProbe(bool& deleted) : deleted(&deleted) {}
  void Execute() override {}
  ~PendingProbe() override { *deleted = true; }
  bool* deleted;
};

TEST_F(ApplicationTest, ShutdownLetsGoOfTheRunAndWritesNothing) {
  const std::string file = NativePath(SavedGameFileName());
  state->SeGameSize(2, 4);
  state->game->SetCellValue(3, 1);
  bool formWentFirst = false;
  state->currentForm = std::make_shared<FormProbe>(formWentFirst);
  bool pendingDeleted = false;
  state->SetPendingFormCommand(std::make_unique<PendingProbe>(pendingDeleted));
  SessionMemory::Put(3, "1\n2\n");

  ShutdownApplication(std::move(state));

  EXPECT_TRUE(formWentFirst);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(pendingDeleted);
  EXPECT_EQ(Application::Instance(), nullptr);
  EXPECT_EQ(CommandHistory::Instance(), nullptr);
  EXPECT_EQ(SessionMemory::Get(3), "");
  EXPECT_EQ(SessionMemory::Get(16), "") << "the game's clock record, written as the game went";
  EXPECT_THROW(ResourceManager::GetItemConfig(0, 1), std::invalid_argument);
}

}  // namespace
}  // namespace application_test
