#pragma once
// The commands that change one cell from the number keypads (and, for a
// value or a candidate, from the grid's keys through SetUserOrCandidateValue):
// set or remove the player's value, toggle one candidate, clear the
// candidates. Each is recorded for undo when it changed something.
//
// The cell comes first in every constructor. kSelectedCell means the game's
// selected cell, read when the command first runs, which is how the keypads
// make them: the click carries no cell. Like every command they reach the
// game through Services::CurrentGame and do nothing without one.

#include <cstdint>

#include "game/commands/Base.h"

namespace gamecommands {

inline constexpr std::uint32_t kSelectedCell = 333;

// Sets the player's value. Not recorded when the cell already holds it.
// Completing a consistent grid reports the puzzle solved, once.
class SetFixedValue final : public Base {
 public:
  SetFixedValue(std::uint32_t cell, std::uint32_t value) : cell(cell), value(value) {}
  explicit SetFixedValue(std::uint32_t value) : SetFixedValue(kSelectedCell, value) {}
  bool Execute() override;
  void Undo() override;

 private:
  std::uint32_t cell;
  std::uint32_t value;
};

// Empties the player's value. Not recorded when the cell is empty.
class RemoveFixedValue final : public Base {
 public:
  explicit RemoveFixedValue(std::uint32_t cell = kSelectedCell) : cell(cell) {}
  bool Execute() override;
  void Undo() override;

 private:
  std::uint32_t cell;
};

// Sets (on) or clears one candidate; always recorded. Undo puts back the bit
// as the first run found it, not the opposite of `on`: a keypad button whose
// checked state was out of date may ask to set a bit that was already set,
// and undoing that must leave it set.
class SetCanditateValue final : public Base {
 public:
  SetCanditateValue(std::uint32_t cell, std::uint32_t value, bool on) : cell(cell), value(value), on(on) {}
  SetCanditateValue(std::uint32_t value, bool on) : SetCanditateValue(kSelectedCell, value, on) {}
  bool Execute() override;
  void Undo() override;

 private:
  std::uint32_t cell;
  std::uint32_t value;
  bool on;
  bool wasOn = false;
};

// Clears every candidate of ONE cell (the game's ClearAllCandidates, and the
// ClearCandidates command, clear all cells). Not recorded when the cell has
// none.
class ClearAllCandidates final : public Base {
 public:
  explicit ClearAllCandidates(std::uint32_t cell = kSelectedCell) : cell(cell) {}
  bool Execute() override;
  void Undo() override;

 private:
  std::uint32_t cell;
  std::uint16_t savedCandidates = 0;
};

}  // namespace gamecommands
