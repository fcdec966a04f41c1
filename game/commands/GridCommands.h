#pragma once
// The commands the grid view makes from the mouse and the keyboard: select a
// cell, click the selected cell (which opens or closes a keypad popup), and
// enter a typed value either as the cell's value or as a candidate toggle,
// depending on the game's input mode. None of them is recorded for undo
// itself; a value entry runs the value or candidate command it stands for
// through ExecuteCommand, and that one may be recorded.
//
// Each reaches the game through Services::CurrentGame and does nothing
// without one.

#include <cstdint>

#include "game/commands/Base.h"

namespace gamecommands {

// The value index a typed character stands for, or kNoValueIndex. Digit mode
// (the grid shows 1-9 then A-G): '1'-'9' give 0-8, 'A'-'G' and 'a'-'g' give
// 9-15. Letter mode: 'A'-'P' give 0-15, and only 'a'-'f' of the lower case
// give 0-5. The caller still drops indices of S or more.
inline constexpr std::uint32_t kNoValueIndex = 3333;
std::uint32_t KeyToValueIndex(std::uint32_t character, bool digitMode);

// Makes cell the selected one and refreshes highlights and keypads.
class SetSelected final : public Base {
 public:
  explicit SetSelected(std::uint32_t cell) : cell(cell) {}
  bool Execute() override;
  void Undo() override {}

 private:
  std::uint32_t cell;
};

// Clicks the selected cell: the game shows or hides its keypad popup.
class GridCellClick final : public Base {
 public:
  bool Execute() override;
  void Undo() override {}
};

// Enters value index value at the selected cell: in value input mode as its
// value (SetFixedValue) when the game accepts it there (AcceptsValue, the
// value keypad's rule), otherwise as a toggle of that candidate
// (SetCanditateValue), after which the keypads are laid out again so a
// candidate panel shows the new state.
class SetUserOrCandidateValue final : public Base {
 public:
  explicit SetUserOrCandidateValue(std::uint32_t value) : value(value) {}
  bool Execute() override;
  void Undo() override {}

 private:
  std::uint32_t value;
};

}  // namespace gamecommands
