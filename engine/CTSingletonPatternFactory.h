#pragma once
// Makes the technique object of an id. Each solver asks once per id when it is
// built and keeps the objects for its lifetime, so every solver has exactly one
// object of each technique (which holds that technique's usage count).

#include <cstdint>
#include <memory>

#include "engine/CTPattern.h"

template <unsigned N>
class CTSingletonPatternFactory {
 public:
  // Throws "There is no such pattern!!" for an id outside 0..15.
  static std::unique_ptr<CTPattern<N>> Create(std::uint32_t id);
};

extern template class CTSingletonPatternFactory<2>;
extern template class CTSingletonPatternFactory<3>;
extern template class CTSingletonPatternFactory<4>;
