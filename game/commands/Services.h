#pragma once
// What the game commands need from the layers above the game, installed as
// functions at start-up by the application (or by a test standing in for
// it): the game in progress, the automatic pencil-marks option and the report
// that the puzzle has been solved. The game layer cannot include those
// layers, so the commands reach them only through here.
//
// A command takes the current game once at the start of its Execute or Undo
// and holds it until that run ends, so the game cannot disappear underneath
// it. With no current game a command does nothing and reports no change, so
// nothing is recorded.

#include <functional>
#include <memory>

class GameBase;

namespace gamecommands {

struct Services {
  using CurrentGameFunction = std::function<std::shared_ptr<GameBase>()>;
  using OptionFunction = std::function<bool()>;
  using SolvedReportFunction = std::function<void(GameBase&)>;

  // An empty function uninstalls.
  static void InstallCurrentGame(CurrentGameFunction function);
  static void InstallAutoPencilMarks(OptionFunction function);
  static void InstallSolvedReport(SolvedReportFunction function);
  // Uninstalls all three.
  static void Reset();

  // The game in progress; null when none is installed or none is running.
  static std::shared_ptr<GameBase> CurrentGame();
  // The automatic pencil-marks option; off when none is installed.
  static bool AutoPencilMarks();
  // Reports a solved puzzle. Until a report is installed the game only
  // marks itself solved (GameBase::MarkSolved).
  static void ReportSolved(GameBase& game);
};

}  // namespace gamecommands
