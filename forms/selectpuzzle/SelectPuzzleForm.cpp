#include "forms/selectpuzzle/SelectPuzzleForm.h"

#include <span>
#include <string>
#include <vector>

#include "app/SessionMemory.h"
#include "forms/common/Application.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "game/commands/PuzzleCommands.h"
#include "notus/model_update.h"
#include "notus/ownerdraw/list_strategies.h"

namespace SelectPuzzleForm {

namespace {

bool IsEntry(std::int32_t index, std::size_t entries) {
  return index >= 0 && static_cast<std::size_t>(index) < entries;
}

template <unsigned N>
void Redraw(preview_view<N>& preview) {
  notus::events::model_update update;
  preview.model().raise(update);
}

}  // namespace

Choices StoredChoices() {
  Choices choices;
  SessionMemoryReader record(kRecord);
  if (record.version == SessionMemoryReader::kNoRecord) return choices;
  Choices stored;
  if (record >> stored.top >> stored.selected >> stored.level >> stored.size) choices = stored;
  return choices;
}

void StoreChoices(const Choices& choices) {
  SessionMemoryWriter record(kRecord);
  record << choices.top << '\n' << choices.selected << '\n' << choices.level << '\n' << choices.size << '\n';
}

void Create::FillList(Model& m, const Choices& choices) {
  notus::ownerdraw::listbox_model& list = m.List();
  for (int k = 1; k <= kPuzzlesPerLevel; ++k) list.items.push_back(std::make_shared<std::wstring>(std::to_wstring(k)));
  if (IsEntry(choices.top, list.size())) list.set_top(choices.top);
  list.set_selected(IsEntry(choices.selected, list.size()) ? choices.selected : -1);
  notus::ownerdraw::list_details::announce(*m.list->list_view);
}

Model::~Model() {
  if (list && level && size) StoreChoices({List().top, List().selected, level->selected, size->selected});
  package.reset();
  large.reset();
  small.reset();
  size.reset();
  level.reset();
  list.reset();
  start.reset();
  caption.reset();
}

void Model::OnLevelChanged(unsigned int) {
  LoadPackage(level->selected, size->selected);
  OnPuzzleSelected(static_cast<unsigned int>(List().selected));
}

void Model::OnSizeChanged(unsigned int sizeIndex) {
  if (sizeIndex == kLargeSize) {
    small.reset();
    MakePreview(large);
  } else {
    large.reset();
    MakePreview(small);
  }
  LoadPackage(level->selected, static_cast<std::int32_t>(sizeIndex));
  OnPuzzleSelected(static_cast<unsigned int>(List().selected));
}

// The size event that placing the window sends builds the painter's images,
// so the symbols are set before it.
template <unsigned N>
void Model::MakePreview(std::shared_ptr<preview_view<N>>& preview) {
  const ItemConfig place = ResourceManager::GetItemConfig(kPreviewForm, kPreviewItem);
  preview = std::make_shared<preview_view<N>>();
  if (const Application* state = Application::Instance())
    preview->model().gridSymbols = static_cast<std::uint32_t>(state->options.gridSymbols);
  forms::ApplyItemRect(place, *preview);
  preview->model().ClearAllCandidates();
}

void Model::LoadPackage(std::int32_t levelIndex, std::int32_t sizeIndex) {
  const int packageLevel = IsEntry(levelIndex, kLevels) ? levelIndex + 1 : 1;
  const int kind = sizeIndex == static_cast<std::int32_t>(kLargeSize) ? 2 : 1;
  package = std::make_shared<Package>(packageLevel, kind);
  LoadLevelsPackage(*package);
  if (package->loaded)
    forms::window_ops::enable(start->display().handle());
  else
    forms::window_ops::disable(start->display().handle());
  forms::window_ops::invalidate(start->display().handle());
}

// The bytes of a package that did not load are zero: the preview then shows
// an empty grid rather than anything left from before.
template <unsigned N>
void Model::ShowPuzzle(preview_view<N>& preview, const unsigned char* bytes) {
  auto& model = preview.model();
  model.SetGridFromBytes(std::span<const std::uint8_t>(bytes, N * N * N * N));
  model.ClearAllCandidates();
  Redraw(preview);
}

void Model::OnPuzzleSelected(unsigned int index) {
  if (!package || index >= static_cast<unsigned int>(kPuzzlesPerLevel)) return;
  const unsigned char* bytes = package->Puzzle(static_cast<int>(index));
  if (package->kind == 2 && large) ShowPuzzle(*large, bytes);
  if (package->kind == 1 && small) ShowPuzzle(*small, bytes);
}

void Model::StartGame() {
  const std::int32_t chosen = List().selected;
  if (!package || !package->loaded || !IsEntry(chosen, kPuzzlesPerLevel)) return;
  const unsigned char* bytes = package->Puzzle(chosen);
  std::vector<std::uint8_t> puzzle(bytes, bytes + package->bytesPerPuzzle);
  gamecommands::LoadGrid_Command(package->kind == 2 ? 4 : 3, static_cast<std::uint32_t>(package->level),
                                 std::move(puzzle))
      .Execute();
  ShowGameFormCommand(true).Execute();
}

}  // namespace SelectPuzzleForm
