#pragma once
// The logical solver. It keeps the candidates of its own board up to date and
// applies an ordered list of techniques (the steps) one at a time, the way a
// person solves: SolveLogical runs the steps until the board is full, nothing
// applies or the board contradicts itself; Solve adds a search through the
// branch maker where logic is stuck; FindHint reports one step; GetRating
// weighs the techniques the last logical pass needed.
//
// Steps are stored as technique ids (PatternId::kNone for an empty slot). How
// a step walks the board depends on the technique: see RunStep.

#include <cstdint>
#include <memory>

#include "engine/CBranchMaker.h"
#include "engine/CHintInfo.h"
#include "engine/CProgressCallback.h"
#include "engine/CTBoxGroup.h"
#include "engine/CTColumnGroup.h"
#include "engine/CTPattern.h"
#include "engine/CTRowGroup.h"
#include "engine/CTTable.h"
#include "engine/PatternId.h"
#include "engine/SolveResult.h"

template <unsigned N>
class CSudokuSolver {
 public:
  using Size = CTSize<N>;
  static constexpr std::uint32_t S = Size::S;
  static constexpr std::uint32_t kStepSlots = 16;
  // Solve gives up (result 4) after this many branch points.
  static constexpr std::uint32_t kMaxBranches = 250;
  // Solve calls the progress callback every this many passes.
  static constexpr std::uint32_t kProgressPasses = 100;

  CSudokuSolver();
  virtual ~CSudokuSolver();
  CSudokuSolver(const CSudokuSolver&) = delete;
  CSudokuSolver& operator=(const CSudokuSolver&) = delete;

  // Empties the board, binds the groups and sets the steps to naked and hidden
  // singles.
  void InitSteps();
  // Slot i gets ids[i] for i < count (16 slots at most), the rest are emptied.
  // Throws "There is no such pattern!!" for an id outside 0..15, before any
  // slot changes.
  void SetPatterns(const std::uint32_t* ids, std::uint32_t count);
  // ids[i] = the id in slot i or 16; count = last used slot + 1.
  void GetPatterns(std::uint32_t ids[kStepSlots], std::uint32_t& count) const;

  // Runs the steps in slot order up to the first that succeeds.
  bool DoStep(CHintInfo* hint);

  // Removes placed digits from the masks of every cell of their rows,
  // columns and boxes (filled cells included). Candidates are never restored
  // here. ExcludePlacedValues does the same for one group.
  void UpdateCandidates();
  void ExcludePlacedValues(const CTGroup<N>& group);
  // False when a digit stands twice in a group (in the given group).
  bool CheckConsistency() const;
  bool CheckGroupConsistency(const CTGroup<N>& group) const;
  // Counts the empty cells; false at once (count partial) at an empty cell
  // without candidates.
  static bool CountEmptyCells(const CTTable<N>& table, std::uint32_t& count);

  // Result 0 solved, 1 stuck, 6 contradiction. Candidates are rebuilt from the
  // values first and usage counters start at zero.
  std::uint32_t SolveLogical();
  // Logic plus search. Result 0, 1, 3, 4 or 7 (see SolveResult.h). On 0 the
  // board holds the solution.
  std::uint32_t Solve(CProgressCallback* progress);

  // Weighted usage of ids 2..15 in the last logical pass, plus a bonus per
  // technique used at all.
  std::uint32_t GetRating() const;
  // The first finding of illegal values, illegal candidates, then the steps,
  // recorded in hint. Works on the board as it stands and changes it as the
  // technique would; the step list is unchanged afterwards.
  bool FindHint(CHintInfo& hint);

  // The board: the game writes values and candidates here and reads them back.
  CTTable<N>& GetTable() { return m_table; }
  const CTTable<N>& GetTable() const { return m_table; }
  // How often technique id was used since its counter was last reset.
  std::uint32_t GetPatternUsage(std::uint32_t id) const;

 protected:
  // Replaces the search strategy; the solver owns it from now on.
  void SetBranchMaker(std::unique_ptr<CBranchMaker<N>> branchMaker);
  CBranchMaker<N>& GetBranchMaker() { return *m_branchMaker; }

 private:
  bool RunStep(std::uint32_t id, CHintInfo* hint);
  // UpdateCandidates and CheckConsistency in one pass; false when a digit
  // stands twice in a group. Remembers what it saw for ScanNewDigits.
  bool ScanPlacedDigits();
  // The same answer and masks as ScanPlacedDigits, for use between the steps
  // of one logical pass: only the digits placed since the last scan are
  // applied (anything else falls back to the full scan).
  bool ScanNewDigits();
  void ExcludeFromPeers(std::uint32_t cell, std::uint16_t bit);
  // CountEmptyCells for the logical pass: true when an empty cell has no
  // candidate; empty gets the number of empty cells (complete only on false).
  bool HasDeadCell(std::uint32_t& empty) const;

  std::uint32_t m_steps[kStepSlots];
  std::unique_ptr<CTPattern<N>> m_patterns[PatternId::kCount];
  CTRowGroup<N> m_rows[S];
  CTColumnGroup<N> m_columns[S];
  CTBoxGroup<N> m_boxes[S];
  CTTable<N> m_table;
  std::unique_ptr<CBranchMaker<N>> m_branchMaker;
  // The values and the digits per row, column and box at the last scan.
  std::uint8_t m_scannedValues[Size::CellCount] = {};
  std::uint16_t m_placedInRow[S] = {};
  std::uint16_t m_placedInColumn[S] = {};
  std::uint16_t m_placedInBox[S] = {};
};

extern template class CSudokuSolver<2>;
extern template class CSudokuSolver<3>;
extern template class CSudokuSolver<4>;
