#include "forms/progress/GenerateGridCommand.h"

#include <string>
#include <utility>

#include "forms/common/Application.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "winapi/windows.h"

namespace {

// The level whose solver knows every technique; the game keeps reporting
// the level it was made for.
constexpr std::uint32_t kFullSolverLevel = 5;

// Gives back on leaving what the scope took: the quit a report swallowed,
// and the form (before the controller its windows belong to goes).
class RepostQuit {
 public:
  explicit RepostQuit(const bool& taken) : m_taken(taken) {}
  RepostQuit(const RepostQuit&) = delete;
  RepostQuit& operator=(const RepostQuit&) = delete;
  ~RepostQuit() {
    if (m_taken) PostQuitMessage(0);
  }

 private:
  const bool& m_taken;
};

class ReleaseForm {
 public:
  explicit ReleaseForm(std::shared_ptr<ProgresForm::Manager>& form) : m_form(form) {}
  ReleaseForm(const ReleaseForm&) = delete;
  ReleaseForm& operator=(const ReleaseForm&) = delete;
  ~ReleaseForm() { m_form.reset(); }

 private:
  std::shared_ptr<ProgresForm::Manager>& m_form;
};

}  // namespace

void GenerateGrid_Command::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr) return;
  std::shared_ptr<GameBase> made = state->NewGame(m_n, m_level);
  if (GenerateInto(made)) state->game = std::move(made);
}

bool GenerateGrid_Command::GenerateInto(std::shared_ptr<GameBase> game) {
  Application* state = Application::Instance();
  if (state == nullptr || !game) return false;
  m_solving = false;
  m_quitTaken = false;

  // Destroyed in reverse: the form, the game handle, the controller, and
  // last the quit goes back into the queue of the loop that follows.
  const RepostQuit repost(m_quitTaken);
  const notus::impl::details::virtual_window_controller controller;
  const std::shared_ptr<GameBase> held = std::move(game);
  const ReleaseForm release(m_form);
  m_form = std::make_shared<ProgresForm::Manager>(state->FrameDisplay());

  held->ResetAllCells();
  held->GenerateGrid(this);
  if (m_quitTaken) return false;
  held->MarkGivenCells();
  if (state->options.autoPencilMarks) {
    held->ResetSolverCandidates();
    held->UpdateSolverCandidates();
    held->CopyCandidatesFromSolver();
  } else {
    held->ClearAllCandidates();
  }
  // The player's own puzzle starts empty: it has no solution yet, and one
  // of its countless ones would only flag the player's entries as wrong.
  if (m_level != 0) {
    m_solving = true;
    const bool solved = held->SolveTable(this);
    m_solving = false;
    if (m_quitTaken) return false;
    if (solved) held->CopySolutionFromSolver();
  }
  held->SetDifficulty(kFullSolverLevel);
  held->UpdateHighlights();
  held->LayoutKeypads();
  held->NotifyViews();
  return true;
}

void GenerateGrid_Command::OnProgress(std::uint32_t count, bool* cancel, int) {
  if (!m_form) return;
  ProgresForm::Manager& form = *m_form;
  form.count->model().text = std::to_wstring(count);
  forms::window_ops::invalidate(form.count->display().handle());
  // Read before the pump: a click it delivers reaches the engine at its
  // next report.
  if (cancel != nullptr) *cancel = m_quitTaken || (!m_solving && form.cancel);
  if (notus::impl::details::app::pump_message()) m_quitTaken = true;
}
