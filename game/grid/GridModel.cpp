#include "game/grid/GridModel.h"

#include <algorithm>
#include <array>

namespace grid {

template <unsigned N>
void GridModel<N>::ResetAllCells() {
  for (Cell& cell : cells) {
    cell.given = 0;
    cell.solution = kUnknownSolution;
    cell.user = kEmptyUserValue;
    cell.candidates.set();
  }
}

template <unsigned N>
void GridModel<N>::ClearAllCandidates() {
  for (Cell& cell : cells) cell.candidates.reset();
}

template <unsigned N>
void GridModel<N>::FillAllCandidates() {
  for (Cell& cell : cells) cell.candidates.set();
}

template <unsigned N>
std::bitset<GridModel<N>::CellCount> GridModel<N>::WrongValues() const {
  // Per row, column and box (in that order): the values shown at least
  // once, and those shown at least twice.
  std::uint16_t once[3][S] = {};
  std::uint16_t twice[3][S] = {};
  const auto groupsOf = [](std::uint32_t index) {
    const std::uint32_t row = index / S;
    const std::uint32_t column = index % S;
    return std::array<std::uint32_t, 3>{row, column, column / N + row / N * N};
  };
  for (std::uint32_t index = 0; index < CellCount; ++index) {
    const std::uint8_t shown = cells[index].ShownValue();
    if (shown >= S) continue;
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << shown);
    const std::array<std::uint32_t, 3> groups = groupsOf(index);
    for (std::uint32_t kind = 0; kind < 3; ++kind) {
      twice[kind][groups[kind]] |= static_cast<std::uint16_t>(once[kind][groups[kind]] & bit);
      once[kind][groups[kind]] |= bit;
    }
  }

  std::bitset<CellCount> wrong;
  for (std::uint32_t index = 0; index < CellCount; ++index) {
    const Cell& cell = cells[index];
    if (!cell.HasUserValue()) continue;
    const auto user = static_cast<std::uint8_t>(cell.user);
    if (cell.solution != kUnknownSolution) {
      wrong[index] = user != cell.solution;
    } else if (user >= S) {
      wrong[index] = true;  // no value of this grid at all
    } else {
      const std::array<std::uint32_t, 3> groups = groupsOf(index);
      const std::uint16_t clashing = twice[0][groups[0]] | twice[1][groups[1]] | twice[2][groups[2]];
      wrong[index] = ((clashing >> user) & 1u) != 0;
    }
  }
  return wrong;
}

template <unsigned N>
void GridModel<N>::RemoveWrongValues() {
  const std::bitset<CellCount> wrong = WrongValues();
  for (std::uint32_t index = 0; index < CellCount; ++index)
    if (wrong[index]) cells[index].user = kEmptyUserValue;
}

template <unsigned N>
void GridModel<N>::ReplaceWrongValues() {
  // An unknown solution (0xFF) reads as the empty value.
  const std::bitset<CellCount> wrong = WrongValues();
  for (std::uint32_t index = 0; index < CellCount; ++index)
    if (wrong[index]) cells[index].user = static_cast<std::int8_t>(cells[index].solution);
}

template <unsigned N>
void GridModel<N>::ClearAllUserValues() {
  for (Cell& cell : cells) cell.user = kEmptyUserValue;
}

template <unsigned N>
void GridModel<N>::FillSolution() {
  for (Cell& cell : cells) cell.user = static_cast<std::int8_t>(cell.solution);
}

template <unsigned N>
bool GridModel<N>::IsSolutionKnown() const {
  return std::none_of(cells.begin(), cells.end(), [](const Cell& cell) { return cell.solution == kUnknownSolution; });
}

template <unsigned N>
bool GridModel<N>::HasWrongValues() const {
  return WrongValues().any();
}

namespace {

// Counts the solutions of what the cells show; with exactly one, writes it
// to solution (one value per cell).
template <unsigned N>
SolutionCount::Result CountShownValues(const std::vector<GridCell<N>>& cells, std::uint32_t maxGuesses,
                                       std::uint8_t* solution) {
  constexpr std::uint32_t kCells = GridModel<N>::CellCount;
  std::uint8_t values[kCells];
  for (std::uint32_t index = 0; index < kCells; ++index) {
    const std::uint8_t shown = cells[index].ShownValue();
    values[index] = shown < GridModel<N>::S ? shown : kEmptyValue;
  }
  CSolutionCounter<N> counter(maxGuesses);
  const SolutionCount::Result result = counter.Count(values);
  if (result == SolutionCount::Result::kOne && solution != nullptr)
    std::copy(counter.Solution(), counter.Solution() + kCells, solution);
  return result;
}

}  // namespace

template <unsigned N>
SolutionCount::Result GridModel<N>::CountSolutions(std::uint32_t maxGuesses) const {
  return CountShownValues<N>(cells, maxGuesses, nullptr);
}

template <unsigned N>
SolutionCount::Result GridModel<N>::FillCountedSolution(std::uint32_t maxGuesses) {
  std::uint8_t solution[CellCount];
  const SolutionCount::Result result = CountShownValues<N>(cells, maxGuesses, solution);
  if (result == SolutionCount::Result::kOne)
    for (std::uint32_t index = 0; index < CellCount; ++index)
      cells[index].user = static_cast<std::int8_t>(solution[index]);
  return result;
}

template <unsigned N>
void GridModel<N>::SetSolution(std::span<const std::uint8_t> values) {
  const std::size_t count = std::min(values.size(), cells.size());
  for (std::size_t i = 0; i < count; ++i) cells[i].solution = values[i];
}

template <unsigned N>
std::uint32_t GridModel<N>::CountFilledCells() const {
  return static_cast<std::uint32_t>(
      std::count_if(cells.begin(), cells.end(), [](const Cell& cell) { return cell.IsFilled(); }));
}

template <unsigned N>
bool GridModel<N>::HasCandidate(std::uint32_t cell, std::uint32_t value) const {
  return cells.at(cell).candidates.test(value);
}

template <unsigned N>
void GridModel<N>::SetCandidate(std::uint32_t cell, std::uint32_t value, bool on) {
  cells.at(cell).candidates.set(value, on);
}

template <unsigned N>
void GridModel<N>::UpdateHighlights() {
  if (onTabClueDigits == 0) return;
  const std::uint8_t shown = cells.at(selected).ShownValue();
  // A clue whose solution is not known shows nothing, so it highlights
  // nothing either.
  if (shown < S)
    MarkGuideLines(shown);
  else
    ClearCellMarks();
}

template <unsigned N>
void GridModel<N>::MarkGuideLines(std::uint32_t value) {
  std::vector<std::uint32_t> showing;
  // Only 0..S-1 are values. Anything else would "find" the cells that show
  // nothing: clues whose solution is unknown (0xFF), or, for a number that
  // reads as -1, every empty cell.
  for (std::uint32_t index = 0; index < CellCount && value < S; ++index) {
    const Cell& cell = cells[index];
    if ((cell.given != 0 && cell.solution == value) ||
        (cell.HasUserValue() && static_cast<std::uint32_t>(cell.user) == value))
      showing.push_back(index);
  }

  for (Cell& cell : cells) cell.marks = kUnrelatedMark;

  for (const std::uint32_t index : showing) {
    const std::uint32_t row = index / S;
    const std::uint32_t column = index % S;
    const std::uint32_t box = column / N + (row / N) * N;
    for (std::uint32_t i = 0; i < S; ++i) {
      cells[i + row * S].marks |= kRowOrBoxMark;
      cells[column + i * S].marks |= kColumnMark;
      const std::uint32_t boxColumn = (box % N) * N + i % N;
      const std::uint32_t boxRow = (box / N) * N + i / N;
      cells[boxColumn + boxRow * S].marks |= kRowOrBoxMark;
    }
  }

  // Assigned, not ORed: the cell's own style replaces the guide lines.
  for (const std::uint32_t index : showing) cells[index].marks = kShowsValueMark;
}

template <unsigned N>
void GridModel<N>::ClearCellMarks() {
  for (Cell& cell : cells) cell.marks = kNeutralMarks;
}

template <unsigned N>
void GridModel<N>::ShowHint(const CHintInfo& shown) {
  // Start from clean masks: a hint shown after ResetGrid or a single-cell
  // change (neither clears the hint) must not keep cells of the one before.
  std::fill(effectMasks.begin(), effectMasks.end(), 0);
  std::fill(causeMasks.begin(), causeMasks.end(), 0);
  hint = shown;
  for (const HintItem& item : hint.GetItems()) {
    std::vector<std::uint16_t>& masks = item.cause != kHintEffect ? causeMasks : effectMasks;
    masks.at(item.cell) |= item.mask;
  }
}

template <unsigned N>
void GridModel<N>::ClearHint() {
  hint.Discard();
  effectMasks.assign(CellCount, 0);
  causeMasks.assign(CellCount, 0);
}

template struct GridModel<2>;
template struct GridModel<3>;
template struct GridModel<4>;

}  // namespace grid
