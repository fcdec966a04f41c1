// Makes a new game of a box size and level and fills it with a freshly
// generated puzzle, with the progress form (ProgressForm.h) over the frame
// while the engine works.  Start-up runs it for the first game when no game
// was restored, the build-puzzle form for the player's choice; the caller
// shows the game form afterwards.
//
// The command is the engine's progress callback.  Each report writes the
// count into the form, hands the form's cancel flag to the engine and lets
// exactly one window message through, so the window stays alive at the
// engine's pace without a loop of its own.  A local window controller keeps
// that message's input to the progress form: the game underneath keeps its
// pixels but gets no clicks.
//
// A cancel stops the generation only.  The solve that follows always runs to
// its end (its reports still pump but never cancel), so the stored solution
// is complete whatever the player did; a partly generated board is kept as
// the puzzle.
//
// The game being made is not the application's game until it is complete:
// a save while it is made (a lost display) writes the game the player had.
// When the program closes meanwhile (the close box, a termination request)
// the half-made game is dropped at the next report, and the shutdown saves
// the game the player had, or nothing new at the first start.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/CProgressCallback.h"
#include "forms/progress/ProgressForm.h"
#include "game/ApplicationCommand.h"
#include "game/GameBase.h"

class GenerateGrid_Command : public ApplicationCommand, private CProgressCallback {
 public:
  // level 0 is the player's own puzzle: an empty grid, no solve.
  GenerateGrid_Command(int n, std::uint32_t level) : m_n(n), m_level(level) {}

  // Makes a new game of this size and level (Application::NewGame, which
  // throws for a wrong size), generates its puzzle, and then makes it the
  // application's game, unless the program closed meanwhile.  Without an
  // application nothing happens.
  void Execute() override;

  // The progress form while the puzzle is generated, otherwise null.
  const ProgresForm::Manager* form() const noexcept { return m_form.get(); }

 protected:
  // What Execute does once the new game exists, on that game: the form,
  // the generation, the givens, the candidates as the player's options
  // want them, the solve and the refresh of the views.  False when the
  // program's close came first: the game was left half-made at that
  // report.  Whatever was built is released also when an exception leaves
  // (a form item missing from the resource file): the form, then the game
  // handle, then the local controller, so the previous controller is
  // current again.
  bool GenerateInto(std::shared_ptr<GameBase> game);

 private:
  void OnProgress(std::uint32_t count, bool* cancel, int reserved) override;

  std::shared_ptr<ProgresForm::Manager> m_form;
  int m_n;
  std::uint32_t m_level;
  // Set while the solve runs: its reports never cancel.
  bool m_solving = false;
  // A WM_QUIT that a report's pump took (the window's close box, a
  // termination request).  It stops the generation or the solve at once,
  // and is posted again once the form is gone, so the close still ends the
  // program.
  bool m_quitTaken = false;
};
