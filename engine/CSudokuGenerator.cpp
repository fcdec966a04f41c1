#include "engine/CSudokuGenerator.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "engine/BranchMakerDepth.h"
#include "engine/CBranchMakerRemoveMode.h"

template <unsigned N>
bool CSudokuGenerator<N>::Generate(CProgressCallback* progress) {
  if (!MakeSolution(progress)) return false;
  return MakePuzzle(progress);
}

template <unsigned N>
bool CSudokuGenerator<N>::MakeSolution(CProgressCallback* progress) {
  std::uint32_t savedSteps[CSudokuSolver<N>::kStepSlots];
  std::uint32_t savedCount = 0;
  this->GetPatterns(savedSteps, savedCount);
  // Any complete grid will do, so singles and the search are enough; the
  // level's own steps matter only for the removals.
  const std::uint32_t singles[] = {PatternId::kNakedSingle, PatternId::kHiddenSingle};
  this->SetPatterns(singles, 2);
  this->SetBranchMaker(std::make_unique<BranchMakerDepth<N>>());

  std::uint32_t result = SolveResult::kRunning;
  do {
    SetRandomTable();
    result = this->Solve(progress);
  } while (result != SolveResult::kSolved && result != SolveResult::kCancelled);

  this->SetPatterns(savedSteps, savedCount);
  return result != SolveResult::kCancelled;
}

template <unsigned N>
void CSudokuGenerator<N>::SetRandomTable() {
  CTTable<N>& table = this->GetTable();
  for (CTCell<N>& cell : table.cells) cell.Reset();
  std::uint32_t empty = 0;
  for (std::uint32_t seed = 0; seed < kSeedCount; ++seed) {
    std::uint32_t cell = static_cast<std::uint32_t>(std::rand()) % CellCount;
    for (std::uint32_t attempt = 0; attempt < CellCount; ++attempt) {
      cell = (cell + 1) % CellCount;
      if (!table.cells[cell].SetRandomValue()) continue;  // already holds a digit
      this->UpdateCandidates();
      if (this->CountEmptyCells(table, empty)) break;
      // The digit left some cell without candidates: take it back and
      // rebuild the candidates of the digits that stay.
      table.values[cell] = kEmptyValue;
      std::fill(std::begin(table.masks), std::end(table.masks), Size::FullMask);
      this->UpdateCandidates();
    }
  }
  if (!this->CountEmptyCells(table, empty)) throw "Error in SetRandomTable";
}

template <unsigned N>
bool CSudokuGenerator<N>::MakePuzzle(CProgressCallback* progress) {
  m_iterations = 0;
  m_bestRating = 0;
  bool cancel = false;
  this->SetBranchMaker(std::make_unique<CBranchMakerRemoveMode<N>>());
  CBranchMaker<N>& removal = this->GetBranchMaker();
  CTTable<N>& table = this->GetTable();
  removal.Init();
  removal.MakeBranch(table);

  CTTable<N> working;
  std::copy(std::begin(table.values), std::end(table.values), working.values);
  // A best puzzle is recorded on the first solved removal in practice; start
  // from the complete grid so the board never receives unset values.
  std::copy(std::begin(working.values), std::end(working.values), m_bestValues);

  do {
    if (this->SolveLogical() == SolveResult::kSolved) {
      ++m_iterations;
      std::uint32_t empty = 0;
      this->CountEmptyCells(table, empty);
      const std::uint32_t rating = this->GetRating() + empty;
      if (rating > m_bestRating) {
        m_bestRating = rating;
        std::copy(std::begin(working.values), std::end(working.values), m_bestValues);
      }
      removal.MakeBranch(working);
    }
    if (!removal.NextBranch(working)) break;
    std::copy(std::begin(working.values), std::end(working.values), table.values);
    // iterations only grows on a solved candidate, so both checks below
    // repeat on every pass until the next one.
    if (progress && m_iterations % 20 == 0) {
      progress->OnProgress(m_iterations, &cancel, 0);
      if (cancel) break;
    }
    if (m_iterations % 100 == 0) {
      // Back up towards the top of the removal tree so the search does not
      // stay stuck deep in one corner of it.
      do {
        removal.NextBranch(working);
      } while (removal.GetLevelCount() > kLevelLimit);
      std::copy(std::begin(working.values), std::end(working.values), table.values);
    }
  } while (m_bestRating < m_targetRating);

  removal.Clear();
  std::copy(std::begin(m_bestValues), std::end(m_bestValues), table.values);
  // A later Solve must search by trying digits; the removal maker would
  // "branch" by deleting givens and could report a wrong solution.
  this->SetBranchMaker(std::make_unique<BranchMakerDepth<N>>());
  return true;
}

template class CSudokuGenerator<2>;
template class CSudokuGenerator<3>;
template class CSudokuGenerator<4>;
