// The undo history, the executor that records into it, and the undo and redo
// steps.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/CommandHistory.h"
#include "game/commands/Base.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/UndoRedo.h"
#include "tests/support/RecordingGame.h"

namespace {

// A command that writes "+id" to a shared log when executed and "-id" when
// undone, and reports a change as told.
class LoggedCommand final : public gamecommands::Base {
 public:
  LoggedCommand(int id, std::vector<std::string>& log, bool changes = true)
      : m_id(id), m_log(log), m_changes(changes) {}
  bool Execute() override {
    m_log.push_back("+" + std::to_string(m_id));
    return m_changes;
  }
  void Undo() override { m_log.push_back("-" + std::to_string(m_id)); }
  int id() const { return m_id; }

 private:
  int m_id;
  std::vector<std::string>& m_log;
  bool m_changes;
};

int IdOf(const CommandHistory::CommandPtr& command) { return static_cast<const LoggedCommand&>(*command).id(); }

class CommandHistoryTest : public ::testing::Test {
 protected:
  CommandHistory::CommandPtr Make(int id, bool changes = true) {
    return std::make_shared<LoggedCommand>(id, log, changes);
  }
  void RecordRange(int first, int count) {
    for (int id = first; id < first + count; ++id) history.Record(Make(id));
  }
  std::vector<int> UndoAll() {
    std::vector<int> ids;
    while (history.CanUndo()) ids.push_back(IdOf(history.PopUndo()));
    return ids;
  }

  std::vector<std::string> log;
  CommandHistory history;
};

TEST_F(CommandHistoryTest, EmptySidesThrowTheirMessages) {
  auto expectMessage = [](auto&& call, const std::string& message) {
    try {
      call();
      ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  };
  expectMessage([&] { history.PopUndo(); }, "Nothing to Undo.");
  expectMessage([&] { history.NextRedo(); }, "Nothing to Redo.");

  history.Record(Make(1));
  expectMessage([&] { history.NextRedo(); }, "Nothing to Redo.");
  EXPECT_EQ(IdOf(history.PopUndo()), 1);
  expectMessage([&] { history.PopUndo(); }, "Nothing to Undo.");
  EXPECT_EQ(IdOf(history.NextRedo()), 1);
}

TEST_F(CommandHistoryTest, KeepsTheLast100CommandsForUndo) {
  for (const int records : {101, 250}) {  // 250 runs the positions around the ring twice
    SCOPED_TRACE(records);
    history.Reset();
    RecordRange(0, records);
    const std::vector<int> undone = UndoAll();
    ASSERT_EQ(undone.size(), 100u);
    EXPECT_EQ(undone.front(), records - 1);
    EXPECT_EQ(undone.back(), records - 100);
    EXPECT_THROW(history.PopUndo(), std::out_of_range);

    // The whole window can be redone again, in order.
    std::vector<int> redone;
    while (history.CanRedo()) redone.push_back(IdOf(history.NextRedo()));
    ASSERT_EQ(redone.size(), 100u);
    EXPECT_EQ(redone.front(), records - 100);
    EXPECT_EQ(redone.back(), records - 1);
  }
}

TEST_F(CommandHistoryTest, FewerThan101RecordsAreAllUndoable) {
  RecordRange(0, 100);
  EXPECT_EQ(UndoAll().size(), 100u);
}

TEST_F(CommandHistoryTest, RecordingAfterUndoCutsTheRedoSide) {
  RecordRange(1, 5);
  for (int i = 0; i < 3; ++i) history.PopUndo();
  EXPECT_TRUE(history.CanRedo());
  history.Record(Make(6));
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(UndoAll(), (std::vector<int>{6, 2, 1}));
}

TEST_F(CommandHistoryTest, ResetEmptiesBothSides) {
  RecordRange(1, 4);
  history.PopUndo();
  history.Reset();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  EXPECT_THROW(history.PopUndo(), std::out_of_range);
  EXPECT_THROW(history.NextRedo(), std::out_of_range);
  history.Record(Make(9));
  EXPECT_EQ(UndoAll(), std::vector<int>{9});
}

// ---- The executor and the undo and redo steps, over the process-wide history ----

class UndoRedoTest : public ::testing::Test {
 protected:
  void SetUp() override { history = &CommandHistory::Create(); }
  void TearDown() override { CommandHistory::Destroy(); }

  std::shared_ptr<LoggedCommand> Make(int id, bool changes = true) {
    return std::make_shared<LoggedCommand>(id, log, changes);
  }

  const std::vector<std::string> kRefresh = {"UpdateHighlights", "LayoutKeypads", "HideKeypads", "ClearHint",
                                             "NotifyViews"};
  std::vector<std::string> log;
  CommandHistory* history = nullptr;
  RecordingGame game;
};

TEST_F(UndoRedoTest, EmptyHistoryOnlyRefreshesTheGame) {
  gamecommands::UndoLast(*history, game);
  EXPECT_EQ(game.calls, kRefresh);
  game.calls.clear();
  gamecommands::RedoNext(*history, game);
  EXPECT_EQ(game.calls, kRefresh);
  EXPECT_TRUE(log.empty());
}

TEST_F(UndoRedoTest, UndoAndRedoAlternateOverOneEntryWithoutRecordingAgain) {
  gamecommands::ExecuteCommand(Make(1));
  for (int round = 0; round < 3; ++round) {
    gamecommands::UndoLast(*history, game);
    gamecommands::RedoNext(*history, game);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"+1", "-1", "+1", "-1", "+1", "-1", "+1"}));
  EXPECT_EQ(game.calls.size(), 6 * kRefresh.size());
  EXPECT_FALSE(history->CanRedo());
  gamecommands::UndoLast(*history, game);
  EXPECT_FALSE(history->CanUndo());  // still one entry, not four
}

TEST_F(UndoRedoTest, RedoIgnoresTheResultOfTheRepeatedExecute) {
  // A recorded command that reports no change when run again is redone all
  // the same.
  history->Record(Make(2, false));
  gamecommands::UndoLast(*history, game);
  gamecommands::RedoNext(*history, game);
  EXPECT_EQ(log, (std::vector<std::string>{"-2", "+2"}));
  EXPECT_TRUE(history->CanUndo());
  EXPECT_FALSE(history->CanRedo());
}

TEST_F(UndoRedoTest, UnrecordedCommandsLeaveTheRedoSide) {
  gamecommands::ExecuteCommand(Make(1));
  gamecommands::ExecuteCommand(Make(2));
  gamecommands::UndoLast(*history, game);
  gamecommands::ExecuteCommand(Make(3, false));  // ran, changed nothing
  EXPECT_TRUE(history->CanRedo());
  gamecommands::RedoNext(*history, game);
  EXPECT_EQ(log, (std::vector<std::string>{"+1", "+2", "-2", "+3", "+2"}));
}

TEST_F(UndoRedoTest, ANewGameEmptiesTheHistory) {
  gamecommands::ExecuteCommand(Make(1));
  gamecommands::ExecuteCommand(Make(2));
  gamecommands::UndoLast(*history, game);
  CommandHistory::Instance()->Reset();  // what every new game does
  log.clear();
  gamecommands::UndoLast(*history, game);
  gamecommands::RedoNext(*history, game);
  EXPECT_TRUE(log.empty());
}

TEST(CommandHistoryInstance, ExistsBetweenCreateAndDestroy) {
  EXPECT_EQ(CommandHistory::Instance(), nullptr);
  std::vector<std::string> log;
  gamecommands::ExecuteCommand(std::make_shared<LoggedCommand>(1, log));  // no history: runs, records nowhere
  EXPECT_EQ(log, std::vector<std::string>{"+1"});
  CommandHistory& created = CommandHistory::Create();
  EXPECT_EQ(CommandHistory::Instance(), &created);
  CommandHistory::Destroy();
  EXPECT_EQ(CommandHistory::Instance(), nullptr);
}

}  // namespace
