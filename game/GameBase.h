#pragma once
// The game in progress, as commands, forms and the application reach it.
//
// Game<N> implements it once per box size. Values are 0-based, an empty
// player's value reads -1, cell index = column + row * S. The operations
// neither repaint nor record anything for undo by themselves: the game
// commands combine them and call NotifyViews.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CSolutionCounter.h"
#include "game/CellChange.h"

class CHintInfo;
class CProgressCallback;

class GameBase {
 public:
  GameBase() = default;
  GameBase(const GameBase&) = delete;
  GameBase& operator=(const GameBase&) = delete;
  virtual ~GameBase() = default;

  // ---- Showing the game. ----
  virtual void Activate(bool repaintNow) = 0;
  virtual void Deactivate() = 0;
  virtual void HideKeypads() = 0;

  // ---- Every cell at once. ----
  virtual void ResetAllCells() = 0;
  virtual void ClearAllCandidates() = 0;
  virtual void FillAllCandidates() = 0;
  virtual void RemoveWrongValues() = 0;
  virtual void ReplaceWrongValues() = 0;
  virtual void ClearAllUserValues() = 0;
  virtual void FillSolution() = 0;

  // ---- The solution the mistakes, the check and Solve rest on. ----
  // Every cell's solution is known.
  virtual bool IsSolutionKnown() = 0;
  // Some player's value is a mistake: it differs from its cell's known
  // solution, or, where that is not known, the same value shows elsewhere
  // in its row, column or box (grid::GridModel::WrongValues).
  virtual bool HasWrongValues() = 0;
  // Without a known solution: how many solutions the values on the grid
  // have, clues and the player's values alike, counted up to the second and
  // undecided past the counter's bound.
  virtual SolutionCount::Result CountSolutions() = 0;
  // Counts as CountSolutions does; with exactly one solution it becomes the
  // player's values, and otherwise nothing changes.
  virtual SolutionCount::Result FillCountedSolution() = 0;
  // One 0-based value per cell, found outside the game's own solver (which
  // may give up on a hard puzzle); a short input leaves the rest as it was.
  virtual void SetSolution(std::span<const std::uint8_t> values) = 0;

  // ---- Selection, values and keypads. ----
  virtual void SetCurrentCell(std::uint32_t index) = 0;
  virtual void ClickCurrentCell() = 0;
  virtual void SetCellValue(std::uint32_t index, std::uint8_t value) = 0;
  virtual void ClearCellValue(std::uint32_t index) = 0;
  virtual void UpdateHighlights() = 0;
  virtual void LayoutKeypads() = 0;
  virtual bool IsValueInputMode() = 0;
  // Whether the value keypad would take value at the cell; a typed value
  // follows the same rule as the keypad's digit buttons.
  virtual bool AcceptsValue(std::uint32_t index, std::uint32_t value) = 0;

  // ---- Candidates of one cell. ----
  virtual void SetCandidate(std::uint32_t index, std::uint32_t value, bool on) = 0;
  virtual bool HasCandidate(std::uint32_t index, std::uint32_t value) = 0;
  virtual void ClearCandidates(std::uint32_t index) = 0;
  virtual void SetCandidates(std::uint32_t index, std::uint16_t mask) = 0;
  virtual std::uint16_t GetCandidates(std::uint32_t index) = 0;
  virtual int GetCellValue(std::uint32_t index) = 0;

  // ---- Hints. ----
  virtual bool FindHint(CHintInfo& hint) = 0;
  virtual bool ApplyHint(CHintInfo& hint) = 0;
  virtual void ShowHint(const CHintInfo& hint) = 0;
  virtual void ClearHint() = 0;

  // ---- Snapshot for undo. ----
  virtual void SaveCells() = 0;
  virtual void CollectChangedCells(std::vector<CellChange>& changes) = 0;
  virtual void RestoreCells(const std::vector<CellChange>& changes) = 0;

  // ---- Cells and the solver's board. ----
  virtual void CopyCellsToSolver() = 0;
  virtual void MarkGivenCells() = 0;
  virtual void CopyCandidatesFromSolver() = 0;
  virtual void CopySolutionFromSolver() = 0;
  virtual void GenerateGrid(CProgressCallback* progress) = 0;
  virtual void ResetSolverCandidates() = 0;
  virtual void UpdateSolverCandidates() = 0;
  virtual bool SolveTable(CProgressCallback* progress) = 0;
  virtual std::uint32_t GetRating() = 0;
  virtual bool IsLogicallySolved() = 0;
  virtual std::uint32_t CountFilledCells() = 0;
  virtual std::uint32_t GetPatternUsage(std::uint32_t id) = 0;
  virtual void SetDifficulty(std::uint32_t level) = 0;

  virtual void NotifyViews() = 0;
  virtual std::uint32_t GetCurrentCell() = 0;
  virtual void SelectCell(std::uint32_t index) = 0;
  virtual std::uint32_t GetDifficulty() = 0;
  virtual std::uint32_t GetBoxSize() = 0;

  // ---- Options. ----
  virtual void SetShowGuideLines(bool on) = 0;
  virtual void SetFlagMistakes(bool on) = 0;
  virtual void SetAllowOnlyValidEntries(bool on) = 0;
  virtual void SetEnteringNumbers(std::uint32_t type) = 0;
  virtual void SetGridSymbols(std::uint32_t symbols) = 0;
  virtual void SetOnTabClueDigits(std::uint32_t on) = 0;
  virtual void SetGridPaintType(std::uint32_t type) = 0;
  virtual void ClearCellMarks() = 0;

  // ---- Puzzle exchange (see grid::GridModel). Input is length-checked:
  // cells past the end of a short input stay empty. ----
  virtual void SetGridFromBytes(std::span<const std::uint8_t> bytes) = 0;
  virtual std::vector<std::uint8_t> GetGridBytes() = 0;
  virtual void SetGridFromString(std::string_view text) = 0;
  virtual std::string GetGridString() = 0;

  // ---- The saved game; the path is the full UTF-8 file name. ----
  virtual void LoadFromXML(const std::string& path) = 0;
  virtual void SaveToXML(const std::string& path) = 0;

  // ---- Solver board, solved state and clock. ----
  virtual std::uint32_t CountEmptySolverCells() = 0;
  virtual bool IsAlreadySolved() = 0;
  virtual void MarkSolved() = 0;
  virtual std::uint32_t GetElapsedSeconds() = 0;
  virtual void SetElapsedSeconds(std::uint32_t seconds) = 0;

 protected:
  // The application's main view manager, whose display the keypads are made
  // from. The game sits below the forms, so it only keeps the manager alive
  // and never looks inside.
  std::shared_ptr<void> m_parent;
};
