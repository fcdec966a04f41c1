// Holds a tuple of strategies by value, for a view or a view manager.  Most
// strategies are empty; some keep state (a button's pressed flag, cached
// images), which lives here for as long as its owner.
#pragma once

#include <tuple>

namespace notus::details {

template <class Tuple>
class strategy_enabled {
 public:
  using strategies_type = Tuple;

  Tuple& strategies() noexcept { return m_strategies; }
  const Tuple& strategies() const noexcept { return m_strategies; }

  template <class S>
  S& strategy() noexcept {
    return std::get<S>(m_strategies);
  }

 private:
  Tuple m_strategies{};
};

}  // namespace notus::details
