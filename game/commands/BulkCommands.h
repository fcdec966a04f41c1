#pragma once
// The commands of the game options page that change many cells at once:
// clear or fill the candidates, fill the candidates the solver finds valid,
// remove or replace the player's wrong values, empty the player's values and
// fill in the solution.
//
// Each takes a snapshot of the cells on its first run and keeps the cells it
// changed, so undo writes them back and redo repeats the action. One that
// changes nothing is not recorded: the history, redo side included, stays as
// it was. Which values are wrong is the game's one judgement
// (GameBase::HasWrongValues): against the solution where it is known, by
// the rules where it is not. Like every command they reach the game through
// Services::CurrentGame and do nothing without one.

#include <cstdint>

#include "game/commands/Base.h"

class GameBase;

namespace gamecommands {

// The OK dialog of a Solve without a known solution: its title, and why it
// filled nothing in: the grid has no solution, several, or the count was
// undecided.
inline constexpr std::uint32_t kSolveTitleText = 425;
inline constexpr std::uint32_t kNoSolutionText = 420;
inline constexpr std::uint32_t kSeveralSolutionsText = 421;
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

// Puts the solution in place of each wrong value. A value judged wrong by
// the rules has no solution to put in, so it is emptied, as RemoveWrong
// does.
class ReplaceWrong final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

// Empties every value of the player.
class ResetGrid final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

// Fills in the solution. Without a known solution it counts the solutions
// of the values on the grid and fills in the one when there is exactly one;
// otherwise it changes nothing and says why.
class SolveGrid final : public BulkCommand {
  void Action(GameBase& game) override;
  void Refresh(GameBase& game) override;
};

}  // namespace gamecommands
