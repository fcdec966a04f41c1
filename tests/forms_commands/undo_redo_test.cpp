// Undo and redo as the game form runs them: a step back and forth in the
// history on the current game, and only a refresh where there is no step.
#include <gtest/gtest.h>

#include <memory>

#include "engine/CHintInfo.h"
#include "forms/commands/UndoRedoCommands.h"
#include "game/commands/CellCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "tests/forms_commands/commands_fixture.h"

namespace commands_test {
namespace {

using UndoRedoTest = CommandsTest;

TEST_F(UndoRedoTest, UndoTakesBackTheLastMoveAndRedoMakesItAgain) {
  GameBase& game = *state->game;
  gamecommands::ExecuteCommand(std::make_shared<gamecommands::SetFixedValue>(10, 4));
  gamecommands::ExecuteCommand(std::make_shared<gamecommands::SetFixedValue>(20, 6));
  ASSERT_EQ(game.GetCellValue(20), 6);

  UndoCommand().Execute();
  EXPECT_EQ(game.GetCellValue(20), -1);
  EXPECT_EQ(game.GetCellValue(10), 4);
  UndoCommand().Execute();
  EXPECT_EQ(game.GetCellValue(10), -1);
  UndoCommand().Execute();  // nothing left: no throw, nothing changes
  EXPECT_EQ(game.GetCellValue(10), -1);

  RedoCommand().Execute();
  RedoCommand().Execute();
  RedoCommand().Execute();  // nothing left
  EXPECT_EQ(game.GetCellValue(10), 4);
  EXPECT_EQ(game.GetCellValue(20), 6);
}

// A new game empties the history: the old game's moves are not undone on it.
TEST_F(UndoRedoTest, ANewGameHasNothingToUndo) {
  gamecommands::ExecuteCommand(std::make_shared<gamecommands::SetFixedValue>(10, 4));
  state->SeGameSize(3, 0);
  state->game->SetCellValue(10, 7);
  UndoCommand().Execute();
  EXPECT_EQ(state->game->GetCellValue(10), 7);
}

// With nothing to step over, and even without a history, the game is still
// refreshed: the hint shown in the grid goes.
TEST_F(UndoRedoTest, WithNothingToStepOverTheHintIsCleared) {
  for (const bool withHistory : {true, false}) {
    SCOPED_TRACE(withHistory ? "empty history" : "no history");
    if (!withHistory) CommandHistory::Destroy();
    for (const bool undo : {true, false}) {
      CHintInfo hint;
      hint.SetPatternId(PatternId::kNakedSingle);
      hint.AddItem(kHintEffect, 0, 5, 0x4);
      state->game->ShowHint(hint);
      ASSERT_NE(CurrentGame<3>().gridView().model().hint.GetItemCount(), 0u);
      if (undo)
        UndoCommand().Execute();
      else
        RedoCommand().Execute();
      EXPECT_EQ(CurrentGame<3>().gridView().model().hint.GetItemCount(), 0u) << (undo ? "undo" : "redo");
    }
  }
  CommandHistory::Create();
}

}  // namespace
}  // namespace commands_test
