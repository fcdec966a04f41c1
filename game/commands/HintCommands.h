#pragma once
// The two hint buttons of the game form. Hint_Step applies the next logical
// step to the grid and is recorded for undo; Hint only points at the next
// step (it selects the cell of a single) and changes no cell, so it is an
// application command and never recorded.
//
// Both look for the step in the cells' values and in the player's pencil
// marks, not in the full candidates: with no pencil marks only a clash
// between values is found. The outcome goes to the hint display through
// Services: the text of the technique found, or the no-hint text. Both reach
// the game through Services::CurrentGame and do nothing without one.

#include <cstdint>

#include "game/ApplicationCommand.h"
#include "game/commands/Base.h"

namespace gamecommands {

// Resource string ids of the hint display: text and help of technique p are
// kHintText + p and kHintHelp + p.
inline constexpr std::uint32_t kHintText = 100;
inline constexpr std::uint32_t kHintHelp = 250;
inline constexpr std::uint32_t kNoHintText = 190;
inline constexpr std::uint32_t kNoHintHelp = 350;

// Applies the next step. Not recorded when there is none.
class Hint_Step final : public Base {
 public:
  bool Execute() override;
  void Undo() override;
};

class Hint final : public ApplicationCommand {
 public:
  void Execute() override;
};

}  // namespace gamecommands
