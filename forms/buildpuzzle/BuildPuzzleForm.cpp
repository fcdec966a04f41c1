#include "forms/buildpuzzle/BuildPuzzleForm.h"

#include <memory>

#include "app/ResourceManager.h"
#include "app/SessionMemory.h"
#include "engine/CSudokuGeneratorLevels.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/progress/GenerateGridCommand.h"

namespace build_puzzle_form {

namespace {

// The box size does not change a level's techniques; 2 makes the smallest
// temporary generator.
template <class Generator>
std::uint32_t SlotsOf() {
  const auto generator = std::make_unique<Generator>();
  std::uint32_t ids[Generator::kStepSlots];
  std::uint32_t count = 0;
  generator->GetPatterns(ids, count);
  return count;
}

bool IsEntry(std::int32_t index, int entries) { return index >= 0 && index < entries; }

}  // namespace

Choices StoredChoices() {
  Choices choices;
  SessionMemoryReader record(kRecord);
  if (record.version == SessionMemoryReader::kNoRecord) return choices;
  Choices stored;
  if (record >> stored.level >> stored.size) choices = stored;
  return choices;
}

void StoreChoices(const Choices& choices) {
  SessionMemoryWriter record(kRecord);
  record << choices.level << '\n' << choices.size << '\n';
}

std::uint32_t LevelTechniqueCount(std::uint32_t level) {
  switch (level) {
    case 0: return 0;
    case 1: return SlotsOf<CSudokuGeneratorBeginner<2>>();
    case 2: return SlotsOf<CSudokuGeneratorIntermediate<2>>();
    case 3: return SlotsOf<CSudokuGeneratorAdvanced<2>>();
    case 4: return SlotsOf<CSudokuGeneratorMaster<2>>();
    case 5: return SlotsOf<CSudokuGeneratorSorcerer<2>>();
    default: throw "Missing such Generator Type";
  }
}

// Every level's techniques are the first of the engine's order, so the
// count alone names them; reading the slots' ids would list the same.
std::wstring LevelTechniquesText(std::uint32_t level) {
  const std::uint32_t count = LevelTechniqueCount(level);
  std::wstring text;
  for (std::uint32_t k = 0; k < count; ++k)
    text += ResourceManager::GetString(kFirstTechniqueString + static_cast<int>(k)) + L"\n\r";
  return text;
}

Model::~Model() {
  if (level && size) StoreChoices({level->selected, size->selected});
  techniques.reset();
  start.reset();
  size.reset();
  level.reset();
  sizeCaption.reset();
  levelCaption.reset();
}

// The text box wraps a new text afresh and shows it from its first line,
// however far the previous list was scrolled.
void Model::ShowLevelTechniques(unsigned int chosen) {
  const std::wstring text = LevelTechniquesText(chosen);
  auto& box = techniques->text_view->model();
  box.text = text;
  notus::ownerdraw::announce(box);
}

// A size index outside the list would reach the new game as a box size the
// application refuses, so it skips the generation as a level outside the
// list does; the game form then shows the game as it was.
void Model::OnStart() {
  forms::window_ops::update(start->display().handle());
  const std::int32_t chosenSize = size->selected;
  const std::int32_t chosenLevel = level->selected;
  if (IsEntry(chosenLevel, kHighestLevel + 1) && IsEntry(chosenSize, kSizeEntries))
    GenerateGrid_Command(chosenSize + 2, static_cast<std::uint32_t>(chosenLevel)).Execute();
  ShowGameFormCommand(true).Execute();
}

}  // namespace build_puzzle_form
