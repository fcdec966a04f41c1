#pragma once
// The board state that the grid view draws and the game's operations change:
// one GridCell per cell, the selected cell, the display options, the hint on
// show with its per-cell masks, and the callback through which a new layout
// of the grid view re-places the keypads.
//
// The model does no painting and no signalling; it lives in the grid view's
// model controller, and the game announces its changes. It is separate from
// the engine's board: the game copies between the two explicitly.
//
// Cell index = column + row * S. Cell access is bounds-checked, so a bad index
// from a caller throws std::out_of_range instead of writing past the vector.

#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CHintInfo.h"
#include "engine/CSolutionCounter.h"
#include "game/grid/GridCell.h"
#include "notus/geometry.h"
#include "ttl/function.h"

namespace notus {
struct traits;
}

namespace grid {

template <unsigned N>
struct GridModel {
  static constexpr std::uint32_t S = N * N;
  static constexpr std::uint32_t CellCount = S * S;
  using Cell = GridCell<N>;
  using Rect = notus::rect<notus::traits>;
  // Called by the grid view after each layout with, in this order, the grid
  // rectangle and the outer rectangle (the area the form leaves for the grid
  // and its keypads): the order of the keypads' layout operation it is bound
  // to. Both are the same type, so a swap would not be caught by the
  // compiler.
  using LayoutCallback = ttl::func::function2<void, Rect, Rect>;

  std::vector<Cell> cells = std::vector<Cell>(CellCount);
  std::uint32_t selected = 0;
  std::uint8_t flagMistakes = 0;
  std::uint8_t showGuideLines = 0;
  std::uint32_t gridSymbols = 0;      // 0 digits, otherwise letters
  std::uint32_t onTabClueDigits = 0;  // non-zero: same-value highlighting
  std::uint32_t gridPaintType = 0;
  CHintInfo hint;
  LayoutCallback layoutCallback;
  std::vector<std::uint16_t> effectMasks = std::vector<std::uint16_t>(CellCount);
  std::vector<std::uint16_t> causeMasks = std::vector<std::uint16_t>(CellCount);

  // ---- Every cell at once. ----
  // Clean cells (no clue, unknown solution, empty, all candidates); the
  // marks and the selection stay.
  void ResetAllCells();
  void ClearAllCandidates();
  void FillAllCandidates();
  // The player's values that are mistakes, by cell index. Where the cell's
  // solution is known, a value that differs from it. Where it is not (a
  // puzzle of the player's own, or one no solver has completed), a value
  // that breaks the rules: the same value shows elsewhere in its row, column
  // or box, as a clue or as another player's value, so both of two clashing
  // values are mistakes. The mistake flags, the wrong-value operations and
  // the check all judge by this one answer.
  std::bitset<CellCount> WrongValues() const;
  // Empties every wrong player's value. All are judged before any is
  // emptied, so both of two clashing values go.
  void RemoveWrongValues();
  // Sets every wrong player's value to its cell's solution; where that is
  // not known there is nothing to put in, and the value is emptied.
  void ReplaceWrongValues();
  void ClearAllUserValues();
  // The solution as the player's values, clues included.
  void FillSolution();
  // Every cell's solution is known.
  bool IsSolutionKnown() const;
  bool HasWrongValues() const;
  // How many solutions the values the grid shows have, clues and the
  // player's values alike (pencil marks play no part), as CSolutionCounter
  // counts them: up to the second, and undecided once the search has placed
  // maxGuesses trial digits, so even a nearly empty 16x16 grid answers
  // within a fraction of a second.
  SolutionCount::Result CountSolutions(std::uint32_t maxGuesses = CSolutionCounter<N>::kDefaultMaxGuesses) const;
  // Counts as CountSolutions does; with exactly one solution it becomes the
  // player's values, clues included (as FillSolution does), and with any
  // other answer no cell changes. The cells' solutions stay unknown: it is
  // the solution of what the player entered, not a puzzle's.
  SolutionCount::Result FillCountedSolution(std::uint32_t maxGuesses = CSolutionCounter<N>::kDefaultMaxGuesses);
  // Gives every cell the solution, one 0-based value per cell in index
  // order; cells past the end of a short input keep theirs.
  void SetSolution(std::span<const std::uint8_t> values);
  // Cells that are clues or hold a player's value, each counted once.
  std::uint32_t CountFilledCells() const;

  // ---- Candidates of one cell; a value of S or more throws std::out_of_range. ----
  bool HasCandidate(std::uint32_t cell, std::uint32_t value) const;
  void SetCandidate(std::uint32_t cell, std::uint32_t value, bool on);

  // ---- Highlighting. ----
  // With same-value highlighting on, marks the value the selected cell shows,
  // or neutralises every mark when it shows none. With it off, nothing.
  void UpdateHighlights();
  // Guide lines through every row, column and box that holds a cell showing
  // the value; the cells showing it get kShowsValueMark. No cell shows a
  // number outside 0..S-1, so every mark then ends at kUnrelatedMark.
  void MarkGuideLines(std::uint32_t value);
  void ClearCellMarks();

  // ---- The hint on show. ----
  // Replaces the hint and its masks; nothing of an earlier hint stays.
  void ShowHint(const CHintInfo& shown);
  void ClearHint();

  // ---- Puzzle exchange; the only 1-based forms of a value. ----
  // Bytes: one per cell, 0 = no clue, 1..S = a clue. Text: one character per
  // cell, '0' = no clue, '1'..'9' then 'A'..'G'. The setters reset the grid
  // first; a byte or character that is not a clue of this size, and every
  // cell past the end of a short input, stays empty.
  void SetGridFromBytes(std::span<const std::uint8_t> bytes);
  std::vector<std::uint8_t> GetGridBytes() const;  // clues only
  void SetGridFromString(std::string_view text);
  std::string GetGridString() const;  // clues and the player's values
};

extern template struct GridModel<2>;
extern template struct GridModel<3>;
extern template struct GridModel<4>;

}  // namespace grid
