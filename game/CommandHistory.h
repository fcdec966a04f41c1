#pragma once
// The program's one undo/redo history: a ring of the last recorded game
// commands.
//
// Positions grow without bound and pick their slot modulo the capacity.
// Positions begin..current can be undone, current+1..end-1 redone. Because a
// record drops the oldest entry exactly when end - capacity reaches begin,
// at most 100 commands can be undone in a row. Every new game resets the
// positions; the slots keep their commands until overwritten.

#include <cstdint>
#include <memory>
#include <vector>

namespace gamecommands {
class Base;
}

class CommandHistory {
 public:
  static constexpr std::int32_t kCapacity = 101;
  using CommandPtr = std::shared_ptr<gamecommands::Base>;

  CommandHistory();

  // The process-wide history. Create replaces any earlier one; Instance is
  // null before Create and after Destroy.
  static CommandHistory& Create();
  static void Destroy();
  static CommandHistory* Instance();

  // Stores the command after the current one; whatever could still be redone
  // is gone.
  void Record(const CommandPtr& command);
  // The command to undo (its slot), stepping back over it. Throws
  // std::out_of_range "Nothing to Undo." when there is none.
  CommandPtr& PopUndo();
  // The command to redo, stepping forward over it. Throws std::out_of_range
  // "Nothing to Redo." when there is none.
  CommandPtr NextRedo();

  bool CanUndo() const { return m_current >= m_begin; }
  bool CanRedo() const { return m_current + 1 < m_end; }

  // Empties the history for a new game.
  void Reset();

 private:
  CommandPtr& Slot(std::int32_t position) { return m_slots[static_cast<std::size_t>(position % m_capacity)]; }

  std::int32_t m_capacity = kCapacity;
  std::int32_t m_end = 0;
  std::int32_t m_begin = 0;
  std::int32_t m_current = -1;
  std::vector<CommandPtr> m_slots;
};
