#pragma once
// One finding of a technique, as shown to the player: which technique fired
// and, in the order the technique found them, the cells that are its reason
// (cause) and the cells that lose candidates (effect). The game reads item 0
// of a single's hint, so the order matters.

#include <cstdint>
#include <vector>

#include "engine/PatternId.h"

struct HintItem {
  std::uint8_t cause;  // 1 reason of the finding, 0 receives its effect
  std::uint32_t kind;  // GroupKind of the group the finding was made in
  std::uint32_t cell;  // table index
  std::uint16_t mask;  // the digits concerned
};

inline constexpr std::uint8_t kHintCause = 1;
inline constexpr std::uint8_t kHintEffect = 0;

class CHintInfo {
 public:
  CHintInfo() = default;
  virtual ~CHintInfo() = default;
  CHintInfo(const CHintInfo&) = default;
  CHintInfo& operator=(const CHintInfo&) = default;

  std::uint32_t GetPatternId() const { return m_patternId; }
  void SetPatternId(std::uint32_t id) { m_patternId = id; }

  void AddItem(std::uint8_t cause, std::uint32_t kind, std::uint32_t cell, std::uint16_t mask) {
    m_items.push_back(HintItem{cause, kind, cell, mask});
  }
  std::uint32_t GetItemCount() const { return static_cast<std::uint32_t>(m_items.size()); }
  const HintItem& GetItem(std::uint32_t index) const { return m_items[index]; }
  const std::vector<HintItem>& GetItems() const { return m_items; }
  void ClearItems() { m_items.clear(); }

  // Drops an attempt that turned out to change nothing, so the record never
  // shows items of a finding that did not apply.
  void Discard() {
    m_items.clear();
    m_patternId = PatternId::kNone;
  }

  // Removes the newest item (a chain search backing out of a link).
  void RemoveLastItem() {
    if (!m_items.empty()) m_items.pop_back();
  }

 private:
  std::uint32_t m_patternId = PatternId::kNone;
  std::vector<HintItem> m_items;
};
