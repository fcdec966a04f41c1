#include "game/grid/GridModel.h"

#include <algorithm>

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
void GridModel<N>::RemoveWrongValues() {
  // Compared as bytes: an empty value (0xFF) against an unknown solution
  // (0xFF) is "right", and emptying it again changes nothing.
  for (Cell& cell : cells)
    if (static_cast<std::uint8_t>(cell.user) != cell.solution) cell.user = kEmptyUserValue;
}

template <unsigned N>
void GridModel<N>::ReplaceWrongValues() {
  for (Cell& cell : cells)
    if (cell.HasUserValue() && static_cast<std::uint8_t>(cell.user) != cell.solution)
      cell.user = static_cast<std::int8_t>(cell.solution);
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
  return std::any_of(cells.begin(), cells.end(), [](const Cell& cell) {
    return cell.HasUserValue() && static_cast<std::uint8_t>(cell.user) != cell.solution;
  });
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
