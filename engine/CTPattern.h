#pragma once
// Base of every solving technique. Apply examines one group (whole-board
// techniques get row 0 and reach the board through its table) and answers
// whether it changed the board, or, for illegal values, found one.
//
// Conventions every technique keeps:
// - with a hint record it stops at its first finding, appends that finding's
//   items and sets the record's id to its own;
// - an attempt that appended items but changed nothing discards the record;
// - usage grows by one per success (singles: one per digit placed); the two
//   checks of illegal values and candidates never count.

#include <cstdint>

#include "engine/CHintInfo.h"
#include "engine/CTGroup.h"

template <unsigned N>
class CTPattern {
 public:
  CTPattern() = default;
  virtual ~CTPattern() = default;
  CTPattern(const CTPattern&) = delete;
  CTPattern& operator=(const CTPattern&) = delete;

  virtual bool Apply(CTGroup<N>& group, CHintInfo* hint) = 0;
  virtual std::uint32_t GetId() const = 0;
  virtual std::uint32_t GetUsage() const { return m_usage; }
  virtual void ResetUsage() { m_usage = 0; }

 protected:
  std::uint32_t m_usage = 0;
};
