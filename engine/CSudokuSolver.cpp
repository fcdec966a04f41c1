#include "engine/CSudokuSolver.h"

#include <algorithm>
#include <cstring>

#include "engine/BranchMakerDepth.h"
#include "engine/CTGroupLayout.h"
#include "engine/CTSingletonPatternFactory.h"

namespace {

// Rating weight and one-off bonus per technique id; ids 0 and 1 only report
// broken grids and are not rated.
struct RatingEntry {
  std::uint32_t weight;
  std::uint32_t bonus;
};
constexpr RatingEntry kRating[PatternId::kCount] = {
    {0, 0},     {0, 0},    {1, 0},     {3, 0},     {8, 54},    {12, 60},   {30, 100},  {40, 250},
    {100, 200}, {30, 150}, {200, 250}, {450, 300}, {300, 300}, {300, 300}, {300, 400}, {400, 500},
};

// Restores a saved step list however the hint search ends.
template <unsigned N>
class StepListGuard {
 public:
  explicit StepListGuard(CSudokuSolver<N>& solver) : m_solver(solver) { solver.GetPatterns(m_ids, m_count); }
  ~StepListGuard() { m_solver.SetPatterns(m_ids, m_count); }
  StepListGuard(const StepListGuard&) = delete;
  StepListGuard& operator=(const StepListGuard&) = delete;

  const std::uint32_t* Ids() const { return m_ids; }
  std::uint32_t Count() const { return m_count; }

 private:
  CSudokuSolver<N>& m_solver;
  std::uint32_t m_ids[CSudokuSolver<N>::kStepSlots];
  std::uint32_t m_count = 0;
};

// Eight values compared as one word.
constexpr std::uint32_t kWord = sizeof(std::uint64_t);
inline bool SameWord(const std::uint8_t* a, const std::uint8_t* b) {
  std::uint64_t wordA = 0;
  std::uint64_t wordB = 0;
  std::memcpy(&wordA, a, kWord);
  std::memcpy(&wordB, b, kWord);
  return wordA == wordB;
}

}  // namespace

template <unsigned N>
CSudokuSolver<N>::CSudokuSolver() : m_branchMaker(std::make_unique<BranchMakerDepth<N>>()) {
  for (std::uint32_t id = 0; id < PatternId::kCount; ++id) m_patterns[id] = CTSingletonPatternFactory<N>::Create(id);
  InitSteps();
}

template <unsigned N>
CSudokuSolver<N>::~CSudokuSolver() = default;

template <unsigned N>
void CSudokuSolver<N>::InitSteps() {
  for (CTCell<N>& cell : m_table.cells) cell.Reset();
  for (std::uint32_t i = 0; i < S; ++i) {
    m_rows[i].SetTable(&m_table);
    m_rows[i].SetIndex(i);
    m_columns[i].SetTable(&m_table);
    m_columns[i].SetIndex(i);
    m_boxes[i].SetTable(&m_table);
    m_boxes[i].SetIndex(i);
  }
  std::fill(std::begin(m_steps), std::end(m_steps), PatternId::kNone);
  m_steps[0] = PatternId::kNakedSingle;
  m_steps[1] = PatternId::kHiddenSingle;
}

template <unsigned N>
void CSudokuSolver<N>::SetPatterns(const std::uint32_t* ids, std::uint32_t count) {
  const std::uint32_t used = std::min(count, kStepSlots);
  for (std::uint32_t i = 0; i < used; ++i) {
    if (ids[i] >= PatternId::kCount) throw "There is no such pattern!!";
  }
  for (std::uint32_t i = 0; i < kStepSlots; ++i) m_steps[i] = i < used ? ids[i] : PatternId::kNone;
}

template <unsigned N>
void CSudokuSolver<N>::GetPatterns(std::uint32_t ids[kStepSlots], std::uint32_t& count) const {
  count = 0;
  for (std::uint32_t i = 0; i < kStepSlots; ++i) {
    ids[i] = m_steps[i];
    if (m_steps[i] != PatternId::kNone) count = i + 1;
  }
}

template <unsigned N>
bool CSudokuSolver<N>::RunStep(std::uint32_t id, CHintInfo* hint) {
  CTPattern<N>& pattern = *m_patterns[id];
  switch (id) {
    case PatternId::kNakedSingle:
    case PatternId::kRemotePair:
    case PatternId::kXWing:
    case PatternId::kSwordfish:
    case PatternId::kJellyfish:
      // Whole-board techniques reach the board through row 0's table.
      return pattern.Apply(m_rows[0], hint);
    case PatternId::kBoxLineReduction:
      for (std::uint32_t i = 0; i < S; ++i) {
        if (pattern.Apply(m_rows[i], hint) || pattern.Apply(m_columns[i], hint)) return true;
      }
      return false;
    case PatternId::kPointingPair:
      for (std::uint32_t i = 0; i < S; ++i) {
        if (pattern.Apply(m_boxes[i], hint)) return true;
      }
      return false;
    default:
      for (std::uint32_t i = 0; i < S; ++i) {
        if (pattern.Apply(m_rows[i], hint) || pattern.Apply(m_columns[i], hint) || pattern.Apply(m_boxes[i], hint)) {
          return true;
        }
      }
      return false;
  }
}

template <unsigned N>
bool CSudokuSolver<N>::DoStep(CHintInfo* hint) {
  for (std::uint32_t id : m_steps) {
    if (id != PatternId::kNone && RunStep(id, hint)) return true;
  }
  return false;
}

template <unsigned N>
void CSudokuSolver<N>::UpdateCandidates() {
  ScanPlacedDigits();
}

template <unsigned N>
bool CSudokuSolver<N>::ScanPlacedDigits() {
  // One pass over the board gives what ExcludePlacedValues and
  // CheckGroupConsistency would give group by group: removing the digits of
  // row, column and box in turn leaves the same masks as removing their union.
  using Layout = CTGroupLayout<N>;
  std::fill(std::begin(m_placedInRow), std::end(m_placedInRow), std::uint16_t{0});
  std::fill(std::begin(m_placedInColumn), std::end(m_placedInColumn), std::uint16_t{0});
  std::fill(std::begin(m_placedInBox), std::end(m_placedInBox), std::uint16_t{0});
  bool consistent = true;
  for (std::uint32_t cell = 0; cell < Size::CellCount; ++cell) {
    const std::uint8_t value = m_table.values[cell];
    m_scannedValues[cell] = value;
    if (!Size::IsDigit(value)) continue;
    const std::uint16_t bit = kDigitBit[value];
    const auto& groups = Layout::groupsOf[cell];
    if ((m_placedInRow[groups.row] | m_placedInColumn[groups.column] | m_placedInBox[groups.box]) & bit) {
      consistent = false;
    }
    m_placedInRow[groups.row] |= bit;
    m_placedInColumn[groups.column] |= bit;
    m_placedInBox[groups.box] |= bit;
  }
  for (std::uint32_t cell = 0; cell < Size::CellCount; ++cell) {
    const auto& groups = Layout::groupsOf[cell];
    const std::uint16_t placed =
        m_placedInRow[groups.row] | m_placedInColumn[groups.column] | m_placedInBox[groups.box];
    m_table.masks[cell] &= static_cast<std::uint16_t>(Size::FullMask & ~placed);
  }
  return consistent;
}

template <unsigned N>
bool CSudokuSolver<N>::ScanNewDigits() {
  // Within a logical pass the steps only fill empty cells and remove
  // candidates, so every mask still lacks the digits of the last scan and the
  // full scan would only take away the new digits from their peers. A digit
  // stands twice somewhere exactly when a new one meets one already seen.
  std::uint32_t fresh[Size::CellCount];
  std::uint32_t freshCount = 0;
  for (std::uint32_t first = 0; first < Size::CellCount; first += kWord) {
    // Most steps place nothing: compare eight values at a time.
    if (first + kWord <= Size::CellCount && SameWord(m_table.values + first, m_scannedValues + first)) continue;
    const std::uint32_t end = std::min(first + kWord, Size::CellCount);
    for (std::uint32_t cell = first; cell < end; ++cell) {
      const std::uint8_t value = m_table.values[cell];
      if (value == m_scannedValues[cell]) continue;
      if (m_scannedValues[cell] != kEmptyValue || !Size::IsDigit(value)) return ScanPlacedDigits();
      fresh[freshCount++] = cell;
    }
  }
  bool consistent = true;
  for (std::uint32_t i = 0; i < freshCount; ++i) {
    const std::uint32_t cell = fresh[i];
    const std::uint8_t value = m_table.values[cell];
    const std::uint16_t bit = kDigitBit[value];
    const auto& groups = CTGroupLayout<N>::groupsOf[cell];
    if ((m_placedInRow[groups.row] | m_placedInColumn[groups.column] | m_placedInBox[groups.box]) & bit) {
      consistent = false;
    }
    m_placedInRow[groups.row] |= bit;
    m_placedInColumn[groups.column] |= bit;
    m_placedInBox[groups.box] |= bit;
    m_scannedValues[cell] = value;
    ExcludeFromPeers(cell, bit);
  }
  return consistent;
}

template <unsigned N>
void CSudokuSolver<N>::ExcludeFromPeers(std::uint32_t cell, std::uint16_t bit) {
  using Layout = CTGroupLayout<N>;
  const auto& groups = Layout::groupsOf[cell];
  const std::uint16_t keep = static_cast<std::uint16_t>(~bit);
  for (std::uint32_t peer : Layout::Group(GroupKind::kRow, groups.row)) m_table.masks[peer] &= keep;
  for (std::uint32_t peer : Layout::Group(GroupKind::kColumn, groups.column)) m_table.masks[peer] &= keep;
  for (std::uint32_t peer : Layout::Group(GroupKind::kBox, groups.box)) m_table.masks[peer] &= keep;
}

template <unsigned N>
void CSudokuSolver<N>::ExcludePlacedValues(const CTGroup<N>& group) {
  CTTable<N>& table = *group.GetTable();
  const auto& cells = CTGroupLayout<N>::Group(group.GetKind(), group.GetIndex());
  std::uint16_t open = Size::FullMask;
  for (std::uint32_t cell : cells) {
    const std::uint8_t value = table.values[cell];
    if (Size::IsDigit(value)) open &= kDigitBitComplement[value];
  }
  // Filled cells too: nothing reads a filled cell's mask as candidates, and
  // treating every cell alike keeps the loop free of branches.
  for (std::uint32_t cell : cells) table.masks[cell] &= open;
}

template <unsigned N>
bool CSudokuSolver<N>::CheckConsistency() const {
  using Layout = CTGroupLayout<N>;
  std::uint16_t rows[S] = {};
  std::uint16_t columns[S] = {};
  std::uint16_t boxes[S] = {};
  for (std::uint32_t cell = 0; cell < Size::CellCount; ++cell) {
    const std::uint8_t value = m_table.values[cell];
    if (!Size::IsDigit(value)) continue;
    const std::uint16_t bit = kDigitBit[value];
    std::uint16_t& row = rows[Layout::RowOf(cell)];
    std::uint16_t& column = columns[Layout::ColumnOf(cell)];
    std::uint16_t& box = boxes[Layout::BoxOf(cell)];
    if ((row | column | box) & bit) return false;
    row |= bit;
    column |= bit;
    box |= bit;
  }
  return true;
}

template <unsigned N>
bool CSudokuSolver<N>::CheckGroupConsistency(const CTGroup<N>& group) const {
  const CTTable<N>& table = *group.GetTable();
  std::uint32_t seen = 0;
  for (std::uint32_t cell : CTGroupLayout<N>::Group(group.GetKind(), group.GetIndex())) {
    const std::uint8_t value = table.values[cell];
    if (!Size::IsDigit(value)) continue;
    if (seen & kDigitBit[value]) return false;
    seen |= kDigitBit[value];
  }
  return true;
}

template <unsigned N>
bool CSudokuSolver<N>::CountEmptyCells(const CTTable<N>& table, std::uint32_t& count) {
  count = 0;
  for (std::uint32_t cell = 0; cell < Size::CellCount; ++cell) {
    if (table.values[cell] != kEmptyValue) continue;
    ++count;
    if ((table.masks[cell] & Size::FullMask) == 0) return false;
  }
  return true;
}

template <unsigned N>
bool CSudokuSolver<N>::HasDeadCell(std::uint32_t& empty) const {
  // No early exit: without the branch per cell the compiler can test several
  // cells at once, and a dead cell is the rare case.
  std::uint32_t count = 0;
  std::uint32_t dead = 0;
  for (std::uint32_t cell = 0; cell < Size::CellCount; ++cell) {
    const std::uint32_t isEmpty = m_table.values[cell] == kEmptyValue;
    count += isEmpty;
    dead |= isEmpty & ((m_table.masks[cell] & Size::FullMask) == 0);
  }
  empty = count;
  return dead != 0;
}

template <unsigned N>
std::uint32_t CSudokuSolver<N>::SolveLogical() {
  std::fill(std::begin(m_table.masks), std::end(m_table.masks), Size::FullMask);
  for (auto& pattern : m_patterns) pattern->ResetUsage();
  for (bool consistent = ScanPlacedDigits();; consistent = ScanNewDigits()) {
    if (!consistent) return SolveResult::kContradiction;
    std::uint32_t empty = 0;
    if (HasDeadCell(empty)) return SolveResult::kContradiction;
    if (empty == 0) return SolveResult::kSolved;
    if (!DoStep(nullptr)) return SolveResult::kStuck;
  }
}

template <unsigned N>
std::uint32_t CSudokuSolver<N>::Solve(CProgressCallback* progress) {
  CBranchMaker<N>& branches = *m_branchMaker;
  branches.Init();
  std::uint32_t result = SolveResult::kRunning;
  std::uint32_t passes = 0;
  bool cancel = false;
  do {
    const std::uint32_t logical = SolveLogical();
    switch (logical) {
      case SolveResult::kSolved: result = SolveResult::kSolved; break;
      case SolveResult::kStuck:
        // When the branch point cannot be saved (full stack) this moves on
        // twice, skipping one alternative; the lost-branch flag is set by then,
        // so the worst outcome is "undecided", never a wrong answer.
        if (!branches.MakeBranch(m_table) && !branches.NextBranch(m_table)) result = SolveResult::kStuck;
        if (branches.GetBranchCount() >= kMaxBranches) {
          result = SolveResult::kTooManyBranches;
        } else if (!branches.NextBranch(m_table)) {
          result = SolveResult::kStuck;
        }
        break;
      case SolveResult::kContradiction:
        if (!branches.NextBranch(m_table)) {
          result = branches.IsBranchLost() ? SolveResult::kStuck : SolveResult::kNoSolution;
        }
        break;
      default: throw "Solve: There is no such result!  ";
    }
    if (progress && ++passes % kProgressPasses == 0) {
      progress->OnProgress(passes, &cancel, 0);
      if (cancel) {
        result = SolveResult::kCancelled;
        break;
      }
    }
  } while (result == SolveResult::kRunning);
  branches.Clear();
  return result;
}

template <unsigned N>
std::uint32_t CSudokuSolver<N>::GetRating() const {
  std::uint32_t rating = 0;
  for (std::uint32_t id = PatternId::kNakedSingle; id < PatternId::kCount; ++id) {
    const std::uint32_t usage = m_patterns[id]->GetUsage();
    if (usage != 0) rating += usage * kRating[id].weight + kRating[id].bonus;
  }
  return rating;
}

template <unsigned N>
bool CSudokuSolver<N>::FindHint(CHintInfo& hint) {
  StepListGuard<N> saved(*this);
  std::uint32_t ids[kStepSlots + 2] = {PatternId::kIllegalValue, PatternId::kIllegalCandidate};
  std::copy(saved.Ids(), saved.Ids() + kStepSlots, ids + 2);
  SetPatterns(ids, saved.Count() + 2);
  return DoStep(&hint);
}

template <unsigned N>
std::uint32_t CSudokuSolver<N>::GetPatternUsage(std::uint32_t id) const {
  if (id >= PatternId::kCount) throw "There is no such pattern!!";
  return m_patterns[id]->GetUsage();
}

template <unsigned N>
void CSudokuSolver<N>::SetBranchMaker(std::unique_ptr<CBranchMaker<N>> branchMaker) {
  m_branchMaker = std::move(branchMaker);
}

template class CSudokuSolver<2>;
template class CSudokuSolver<3>;
template class CSudokuSolver<4>;
