#pragma once
// The commands of the game options page that change many cells at once:
// clear or fill the candidates, fill the candidates the solver finds valid,
// remove or replace the player's wrong values, empty the player's values and
// fill in the solution.
//
// Each takes a snapshot of the cells on its first run and keeps the cells it
// changed, so undo writes them back and redo repeats the action. One that
// changes nothing is not recorded: the history, redo side included, stays as
// it was. A value whose solution is not known counts as wrong, so the wrong-
// value commands empty it. Like every command they reach the game through
// Services::CurrentGame and do nothing without one.

#include <cstdint>

#include "game/commands/Base.h"

class GameBase;

namespace gamecommands {

// The OK dialog of a Solve without a known solution: its title and text.
inline constexpr std::uint32_t kSolveTitleText = 425;
inline constexpr std::uint32_t kNotSolvedText = 424;

// Shared by the bulk commands: the snapshot around the action, then the
// refreshes of the derived command.
class BulkCommand : public Base {
 public:
  bool Execute() final;
  void Undo() final;

 private:
  virtual void Action(GameBase& game) = 0;
  virtual void Refresh(GameBase& game) = 0;
};

// Every candidate of every cell (the game's ClearAllCandidates).
class ClearCandidates final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

class FillAllCandidates final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

// The candidates the solver leaves after the values on the board.
class FillValidCandidates final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

class RemoveWrong final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

// Puts the solution in place of each wrong value.
class ReplaceWrong final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

// Empties every value of the player.
class ResetGrid final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

// Fills in the solution. Without a known solution it changes nothing and
// says that the puzzle could not be solved: emptying the player's values, as
// filling in unknown solutions would, looks like a Solve that did nothing.
class SolveGrid final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

}  // namespace gamecommands
