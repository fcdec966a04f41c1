#pragma once
// One cell of the board. A cell reaches its value and mask through pointers:
// alone it points at its own two fields, inside a CTTable it points into the
// table's arrays, so writing through the cell and writing the arrays are the
// same thing.

#include <cstdint>

#include "engine/CTBits.h"

template <unsigned N>
class CTCell {
 public:
  using Size = CTSize<N>;

  CTCell() = default;
  virtual ~CTCell() = default;

  // The pointers would still refer to the source after a copy.
  CTCell(const CTCell&) = delete;
  CTCell& operator=(const CTCell&) = delete;

  // No digit, no candidate.
  virtual void Clear() {
    *m_mask = 0;
    *m_value = kEmptyValue;
  }

  // No digit, every candidate of the size.
  virtual void Reset() {
    *m_mask = Size::FullMask;
    *m_value = kEmptyValue;
  }

  // Seeds an empty cell with a random digit from its candidates. False leaves
  // a filled cell alone; an empty cell without candidates stays empty and
  // still answers true (the caller's consistency check undoes the attempt).
  bool SetRandomValue();

  // Lets the cell use storage owned by someone else (the table's arrays).
  void Bind(std::uint8_t* value, std::uint16_t* mask) {
    m_value = value;
    m_mask = mask;
  }

  std::uint8_t GetValue() const { return *m_value; }
  void SetValue(std::uint8_t value) { *m_value = value; }
  bool IsEmpty() const { return *m_value == kEmptyValue; }

  std::uint16_t GetMask() const { return *m_mask; }
  void SetMask(std::uint16_t mask) { *m_mask = mask; }
  bool HasCandidate(std::uint32_t digit) const { return (*m_mask & kDigitBit[digit]) != 0; }
  void RemoveCandidate(std::uint32_t digit) { *m_mask &= kDigitBitComplement[digit]; }
  std::uint32_t CountCandidates() const { return Size::CountCandidates(*m_mask); }

 private:
  std::uint16_t m_ownMask = Size::FullMask;
  std::uint16_t* m_mask = &m_ownMask;
  std::uint8_t* m_value = &m_ownValue;
  std::uint8_t m_ownValue = kEmptyValue;
};

extern template class CTCell<2>;
extern template class CTCell<3>;
extern template class CTCell<4>;
