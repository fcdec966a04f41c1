#include "game/CommandHistory.h"

#include <stdexcept>

#include "game/commands/Base.h"

namespace {
std::unique_ptr<CommandHistory> g_history;
}

CommandHistory::CommandHistory() : m_slots(static_cast<std::size_t>(kCapacity)) {}

CommandHistory& CommandHistory::Create() {
  g_history = std::make_unique<CommandHistory>();
  return *g_history;
}

void CommandHistory::Destroy() { g_history.reset(); }

CommandHistory* CommandHistory::Instance() { return g_history.get(); }

void CommandHistory::Record(const CommandPtr& command) {
  ++m_current;
  Slot(m_current) = command;
  m_end = m_current + 1;
  if (m_end - m_capacity == m_begin) ++m_begin;
}

CommandHistory::CommandPtr& CommandHistory::PopUndo() {
  if (!CanUndo()) throw std::out_of_range("Nothing to Undo.");
  CommandPtr& command = Slot(m_current);
  --m_current;
  return command;
}

CommandHistory::CommandPtr CommandHistory::NextRedo() {
  if (!CanRedo()) throw std::out_of_range("Nothing to Redo.");
  ++m_current;
  return Slot(m_current);
}

void CommandHistory::Reset() {
  m_end = 0;
  m_begin = 0;
  m_current = -1;
}
