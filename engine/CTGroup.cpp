#include "engine/CTGroup.h"

template <unsigned N>
bool CTGroup<N>::ReduceBoxByLine(std::uint32_t, std::uint32_t, CHintInfo*) {
  throw "not implemented!";
}

template <unsigned N>
bool CTGroup<N>::ReduceLineByBox(CTLineGroup<N>&, std::uint32_t, CHintInfo*) {
  throw "not implemented!";
}

template <unsigned N>
CTCell<N>& CTGroup<N>::GetCell(std::uint32_t) {
  throw "not implemented";
}

template <unsigned N>
std::uint32_t CTGroup<N>::GetBoxIndex(std::uint32_t) const {
  throw "not implemented!";
}

template <unsigned N>
std::uint32_t CTGroup<N>::GetRowIndex(std::uint32_t) const {
  throw "not implemented!";
}

template <unsigned N>
std::uint32_t CTGroup<N>::GetColumnIndex(std::uint32_t) const {
  throw "not implemented!";
}

template <unsigned N>
std::uint32_t CTGroup<N>::CellGroupIndexToCellTableIndex(std::uint32_t) const {
  throw "not implemented!";
}

template class CTGroup<2>;
template class CTGroup<3>;
template class CTGroup<4>;
