#pragma once
// A game that does nothing but note the refresh calls that the undo and redo
// steps make, in order. Every other operation is inert.

#include <string>
#include <vector>

#include "game/GameBase.h"

class RecordingGame : public GameBase {
 public:
  std::vector<std::string> calls;

  void Activate(bool) override {}
  void Deactivate() override {}
  void HideKeypads() override { calls.push_back("HideKeypads"); }
  void ResetAllCells() override {}
  void ClearAllCandidates() override {}
  void FillAllCandidates() override {}
  void RemoveWrongValues() override {}
  void ReplaceWrongValues() override {}
  void ClearAllUserValues() override {}
  void FillSolution() override {}
  bool IsSolutionKnown() override { return true; }
  bool HasWrongValues() override { return false; }
  SolutionCount::Result CountSolutions() override { return SolutionCount::Result::kUndecided; }
  SolutionCount::Result FillCountedSolution() override { return SolutionCount::Result::kUndecided; }
  void SetSolution(std::span<const std::uint8_t>) override {}
  void SetCurrentCell(std::uint32_t) override {}
  void ClickCurrentCell() override {}
  void SetCellValue(std::uint32_t, std::uint8_t) override {}
  void ClearCellValue(std::uint32_t) override {}
  void UpdateHighlights() override { calls.push_back("UpdateHighlights"); }
  void LayoutKeypads() override { calls.push_back("LayoutKeypads"); }
  bool IsValueInputMode() override { return true; }
  bool AcceptsValue(std::uint32_t, std::uint32_t) override { return true; }
  void SetCandidate(std::uint32_t, std::uint32_t, bool) override {}
  bool HasCandidate(std::uint32_t, std::uint32_t) override { return false; }
  void ClearCandidates(std::uint32_t) override {}
  void SetCandidates(std::uint32_t, std::uint16_t) override {}
  std::uint16_t GetCandidates(std::uint32_t) override { return 0; }
  int GetCellValue(std::uint32_t) override { return -1; }
  bool FindHint(CHintInfo&) override { return false; }
  bool ApplyHint(CHintInfo&) override { return false; }
  void ShowHint(const CHintInfo&) override {}
  void ClearHint() override { calls.push_back("ClearHint"); }
  void SaveCells() override {}
  void CollectChangedCells(std::vector<CellChange>&) override {}
  void RestoreCells(const std::vector<CellChange>&) override {}
  void CopyCellsToSolver() override {}
  void MarkGivenCells() override {}
  void CopyCandidatesFromSolver() override {}
  void CopySolutionFromSolver() override {}
  void GenerateGrid(CProgressCallback*) override {}
  void ResetSolverCandidates() override {}
  void UpdateSolverCandidates() override {}
  bool SolveTable(CProgressCallback*) override { return false; }
  std::uint32_t GetRating() override { return 0; }
  bool IsLogicallySolved() override { return false; }
  std::uint32_t CountFilledCells() override { return 0; }
  std::uint32_t GetPatternUsage(std::uint32_t) override { return 0; }
  void SetDifficulty(std::uint32_t) override {}
  void NotifyViews() override { calls.push_back("NotifyViews"); }
  std::uint32_t GetCurrentCell() override { return 0; }
  void SelectCell(std::uint32_t) override {}
  std::uint32_t GetDifficulty() override { return 0; }
  std::uint32_t GetBoxSize() override { return 3; }
  void SetShowGuideLines(bool) override {}
  void SetFlagMistakes(bool) override {}
  void SetAllowOnlyValidEntries(bool) override {}
  void SetEnteringNumbers(std::uint32_t) override {}
  void SetGridSymbols(std::uint32_t) override {}
  void SetOnTabClueDigits(std::uint32_t) override {}
  void SetGridPaintType(std::uint32_t) override {}
  void ClearCellMarks() override {}
  void SetGridFromBytes(std::span<const std::uint8_t>) override {}
  std::vector<std::uint8_t> GetGridBytes() override { return {}; }
  void SetGridFromString(std::string_view) override {}
  std::string GetGridString() override { return {}; }
  void LoadFromXML(const std::string&) override {}
  void SaveToXML(const std::string&) override {}
  std::uint32_t CountEmptySolverCells() override { return 0; }
  bool IsAlreadySolved() override { return false; }
  void MarkSolved() override {}
  std::uint32_t GetElapsedSeconds() override { return 0; }
  void SetElapsedSeconds(std::uint32_t) override {}
};
