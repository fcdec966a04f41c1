#pragma once
// Depth-first search for the solver: branch on the empty cell with the fewest
// candidates and try its digits in ascending order, backtracking to the
// branch point below when a cell's digits are used up.

#include <cstdint>
#include <memory>

#include "engine/CBranchMaker.h"
#include "engine/kmxCTSteck.h"

template <unsigned N>
class BranchMakerDepth : public CBranchMaker<N> {
 public:
  using Size = CTSize<N>;

  struct CStackItem {
    std::uint32_t cell = 0;
    std::uint16_t mask = 0;  // digits not yet tried at the cell
    std::uint8_t values[Size::CellCount] = {};
  };

  // S*S - S: the most branch points a search can stack before cells run out.
  static constexpr std::uint32_t kCapacity = Size::CellCount - Size::S;

  void Init() override;
  void Clear() override;
  // Saves the board at its branch cell; the board itself is not changed.
  bool MakeBranch(CTTable<N>& table) override;
  // Restores the newest branch point's values and writes its next digit.
  bool NextBranch(CTTable<N>& table) override;

  const kmxCTSteck<CStackItem>* GetStack() const { return m_stack.get(); }

 private:
  std::unique_ptr<kmxCTSteck<CStackItem>> m_stack;
};

extern template class BranchMakerDepth<2>;
extern template class BranchMakerDepth<3>;
extern template class BranchMakerDepth<4>;
