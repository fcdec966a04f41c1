#pragma once
// Randomised search for the generator: each level is a position from which
// one more digit is removed at random. A level remembers which of its cells
// were already emptied once, and a level made on top of it inherits those
// marks, so no removal is tried twice along one path.

#include <cstdint>
#include <memory>

#include "engine/CBranchMaker.h"
#include "engine/kmxCTSteck.h"

template <unsigned N>
class CBranchMakerRemoveMode : public CBranchMaker<N> {
 public:
  using Size = CTSize<N>;

  struct CStackItem {
    std::uint8_t values[Size::CellCount] = {};
    std::uint8_t tried[Size::CellCount] = {};  // 1: the cell's digit was removed once
  };

  static constexpr std::uint32_t kCapacity = Size::CellCount;

  void Init() override;
  void Clear() override;
  // Pushes the board's values as a new level that inherits the tried marks of
  // the level the last NextBranch used.
  bool MakeBranch(CTTable<N>& table) override;
  // Empties a random untried filled cell of the newest level in the board,
  // dropping exhausted levels on the way down.
  bool NextBranch(CTTable<N>& table) override;

  const kmxCTSteck<CStackItem>* GetStack() const { return m_stack.get(); }

 private:
  std::unique_ptr<kmxCTSteck<CStackItem>> m_stack;
  const std::uint8_t* m_tried = nullptr;
};

extern template class CBranchMakerRemoveMode<2>;
extern template class CBranchMakerRemoveMode<3>;
extern template class CBranchMakerRemoveMode<4>;
