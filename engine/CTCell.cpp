#include "engine/CTCell.h"

#include <cstdlib>

template <unsigned N>
bool CTCell<N>::SetRandomValue() {
  if (!IsEmpty()) return false;
  std::uint32_t digit = static_cast<std::uint32_t>(std::rand()) % Size::S;
  for (std::uint32_t tries = 0; tries < Size::S; ++tries) {
    if (HasCandidate(digit)) {
      SetValue(static_cast<std::uint8_t>(digit));
      return true;
    }
    digit = (digit + 1) % Size::S;
  }
  return true;
}

template class CTCell<2>;
template class CTCell<3>;
template class CTCell<4>;
