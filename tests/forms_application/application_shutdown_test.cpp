// The end of a run: CloseGUICommand ends the main loop; ShutdownApplication
// writes the game in progress after the form is gone, then lets go of the
// application and of everything the run kept in memory.
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

// Notes whether the game was saved by the time it goes.
struct FormProbe : FormBase {
  explicit FormProbe(bool& savedBeforeItWent) : saved(&savedBeforeItWent) {}
  ~FormProbe() override { *saved = std::filesystem::exists(NativePath(SavedGameFileName())); }
  bool* saved;
};

struct PendingProbe : ApplicationCommand {
  explicit PendingProbe(bool& deleted) : deleted(&deleted) {}
  void Execute() override {}
  ~PendingProbe() override { *deleted = true; }
  bool* deleted;
};

TEST_F(ApplicationTest, ShutdownSavesTheGameAfterTheFormAndLetsGoOfTheRun) {
  const std::string file = NativePath(SavedGameFileName());
  state->SeGameSize(2, 4);
  state->game->SetCellValue(3, 1);
  bool savedBeforeTheFormWent = true;
  state->currentForm = std::make_shared<FormProbe>(savedBeforeTheFormWent);
  bool pendingDeleted = false;
  state->SetPendingFormCommand(std::make_unique<PendingProbe>(pendingDeleted));
  SessionMemory::Put(3, "1\n2\n");

  ShutdownApplication(std::move(state));

  EXPECT_FALSE(savedBeforeTheFormWent);
  const std::string saved = dialogs_test::Bytes(SavedGameFileName());
  EXPECT_TRUE(saved.starts_with("<grid size=\"2\"")) << saved.substr(0, 60);
  EXPECT_NE(saved.find("difficulty=\"4\""), std::string::npos);
  EXPECT_NE(saved.find("user_value=\"1\""), std::string::npos);
  EXPECT_TRUE(pendingDeleted);
  EXPECT_EQ(Application::Instance(), nullptr);
  EXPECT_EQ(CommandHistory::Instance(), nullptr);
  EXPECT_EQ(SessionMemory::Get(3), "");
  EXPECT_EQ(SessionMemory::Get(16), "") << "the game's clock record, written as the game went";
  EXPECT_THROW(ResourceManager::GetItemConfig(0, 1), std::invalid_argument);
}

}  // namespace
}  // namespace application_test
