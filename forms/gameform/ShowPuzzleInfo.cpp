#include "forms/gameform/ShowPuzzleInfo.h"

#include <cstdint>
#include <memory>

#include "app/ResourceManager.h"
#include "engine/PatternId.h"
#include "forms/common/Application.h"
#include "forms/gameform/PuzzleInfoForm.h"
#include "game/GameBase.h"
#include "notus/platform/ownerdrawWin32/app.h"

namespace {

constexpr int kLogicalText = 361;
constexpr int kGuessingText = 362;
constexpr int kRatingText = 363;
constexpr int kFilledCellsText = 364;
// Technique p is named by string kTechniqueText + p.
constexpr int kTechniqueText = 100;

}  // namespace

std::vector<std::wstring> PuzzleInfoLines(GameBase& game) {
  game.CopyCellsToSolver();
  const bool logical = game.IsLogicallySolved();
  std::vector<std::wstring> lines;
  lines.push_back(ResourceManager::GetString(logical ? kLogicalText : kGuessingText));
  lines.push_back(ResourceManager::GetString(kRatingText) + std::to_wstring(game.GetRating()));
  lines.push_back(ResourceManager::GetString(kFilledCellsText) + std::to_wstring(game.CountFilledCells()));
  for (std::uint32_t id = PatternId::kNakedSingle; id < PatternId::kCount; ++id) {
    const std::uint32_t usage = game.GetPatternUsage(id);
    if (usage != 0)
      lines.push_back(ResourceManager::GetString(kTechniqueText + static_cast<int>(id)) + L": " +
                      std::to_wstring(usage));
  }
  return lines;
}

void ShowPuzzleInfo::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr || !state->game) return;
  const std::shared_ptr<GameBase> game = state->game;
  puzzle_info_dialog dialog;
  dialog.form = std::make_shared<puzzleinfoform::Manager>(state->FrameDisplay());
  auto& list = dialog.form->list->list_view->model();
  for (std::wstring& line : PuzzleInfoLines(*game))
    list.items.push_back(std::make_shared<std::wstring>(std::move(line)));
  notus::ownerdraw::listbox_model::model_update update;
  list.raise(update);
  dialog.Show();
  notus::impl::details::app::run_message_loop();
}
