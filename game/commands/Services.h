#pragma once
// What the game commands need from the layers above the game, installed as
// functions at start-up by the application (or by a test standing in for
// it): the game in progress, the automatic pencil-marks option, the report
// that the puzzle has been solved, the hint display, an OK dialog and the
// start of a new game. The game layer cannot include those layers, so the
// commands reach them only through here. With a function missing, the step
// it stands for does nothing.
//
// A command takes the current game once at the start of its Execute or Undo
// and holds it until that run ends, so the game cannot disappear underneath
// it. With no current game a command does nothing and reports no change, so
// nothing is recorded.

#include <cstdint>
#include <functional>
#include <memory>

class GameBase;

namespace gamecommands {

struct Services {
  using CurrentGameFunction = std::function<std::shared_ptr<GameBase>()>;
  using OptionFunction = std::function<bool()>;
  using SolvedReportFunction = std::function<void(GameBase&)>;
  // Resource string ids: the hint label's text and the help button's text.
  using HintDisplayFunction = std::function<void(std::uint32_t textId, std::uint32_t helpId)>;
  // Resource string ids of the dialog's two texts.
  using OkDialogFunction = std::function<void(std::uint32_t firstTextId, std::uint32_t secondTextId)>;
  // Box size and level; answers the new current game.
  using NewGameFunction = std::function<std::shared_ptr<GameBase>(std::uint32_t boxSize, std::uint32_t level)>;

  // An empty function uninstalls.
  static void InstallCurrentGame(CurrentGameFunction function);
  static void InstallAutoPencilMarks(OptionFunction function);
  static void InstallSolvedReport(SolvedReportFunction function);
  static void InstallHintDisplay(HintDisplayFunction function);
  static void InstallOkDialog(OkDialogFunction function);
  static void InstallNewGame(NewGameFunction function);
  // Uninstalls all of them.
  static void Reset();

  // The game in progress; null when none is installed or none is running.
  static std::shared_ptr<GameBase> CurrentGame();
  // The automatic pencil-marks option; off when none is installed.
  static bool AutoPencilMarks();
  // Reports a solved puzzle. Until a report is installed the game only
  // marks itself solved (GameBase::MarkSolved).
  static void ReportSolved(GameBase& game);
  // Shows the hint label with its tool tip and help button.
  static void ShowHintDisplay(std::uint32_t textId, std::uint32_t helpId);
  // Shows a modal OK dialog and returns when the player has closed it.
  static void ShowOkDialog(std::uint32_t firstTextId, std::uint32_t secondTextId);
  // Replaces the current game by a new one of that box size and level and
  // answers it; null when none is installed. Starting a game empties the
  // undo history.
  static std::shared_ptr<GameBase> StartNewGame(std::uint32_t boxSize, std::uint32_t level);
};

}  // namespace gamecommands
