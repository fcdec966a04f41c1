#pragma once
// Where the buttons of one number keypad go. A keypad has S digit buttons,
// then "x" (index S), "s" (index S + 1) and "ok" (index S + 2). Panel
// topologies put them in a fixed column right of the grid or a row below it
// and ignore the selected cell; popup topologies put a small keypad over the
// grid inside the grid lines that the painter draws
// (forms/grid/GridGeometry.h): over the cell's own box (the block keypad's
// variant 0, which covers the cell), or on a neighbouring box, column or row,
// which never hides the cell it is for.
//
// Pure geometry: the keypad model hands over the grid view's rectangle and
// the area the form leaves for the grid and its keypads (keypad_model::layout)
// and asks for rectangles. Rectangles are {left, top, right, bottom}.

#include <cstdint>
#include <memory>

#include "forms/grid/GridGeometry.h"

namespace keypad {

using KeypadRect = grid::GridRect;

template <unsigned N>
class KeypadTopology {
 public:
  static constexpr int S = static_cast<int>(N * N);

  KeypadTopology() = default;
  KeypadTopology(const KeypadTopology&) = delete;
  KeypadTopology& operator=(const KeypadTopology&) = delete;
  virtual ~KeypadTopology() = default;

  virtual bool IsPopup() const = 0;
  // The digits stand in rows of N, so Up and Down move by N buttons.
  virtual bool HasButtonRows() const { return false; }
  // The frame behind the keypad.
  virtual KeypadRect GetArea(std::uint32_t cell) const = 0;
  virtual KeypadRect GetOkButtonRect(std::uint32_t cell) const = 0;
  virtual KeypadRect GetClearButtonRect(std::uint32_t cell) const = 0;
  virtual KeypadRect GetSwitchButtonRect(std::uint32_t cell) const = 0;
  virtual KeypadRect GetButtonRect(int index, std::uint32_t cell) const = 0;
  virtual bool HasOkButton() const { return false; }
  virtual bool HasSwitchButton() const { return true; }
  virtual bool HasFrame() const { return false; }
  // Left and Right (and Up and Down without rows) stay inside the keypad's
  // tab group instead of leaving for the neighbouring one.
  virtual bool ArrowsStayInKeypad() const { return true; }

  KeypadRect outer{0, 0, 320, 320};
  KeypadRect grid{20, 20, 300, 300};
};

// The two panels: a column of S + 1 buttons (the digits and "x") beside the
// grid, or a row below it, and the "s" of both keypads on the corner square
// where that column and row would meet.
template <unsigned N>
class KeypadTopology_RightBottom_Base : public KeypadTopology<N> {
 public:
  using KeypadTopology<N>::S;

  bool IsPopup() const override { return false; }
  KeypadRect GetArea(std::uint32_t) const override { return {0, 0, 0, 0}; }
  KeypadRect GetOkButtonRect(std::uint32_t) const override { return {0, 0, 0, 0}; }
  KeypadRect GetClearButtonRect(std::uint32_t) const override { return this->GetButtonRect(S, 0); }
  KeypadRect GetSwitchButtonRect(std::uint32_t) const override {
    const KeypadRect column = RightPanelButton(S + 1);
    const KeypadRect row = BottomPanelButton(S + 1);
    return {column.left, row.top, column.right, row.bottom};
  }
  bool HasSwitchButton() const override { return true; }
  bool ArrowsStayInKeypad() const override { return false; }

 protected:
  // The strip is measured from the grid's right (bottom) edge to the outer
  // rectangle's right (bottom) edge, so an outer rectangle that does not
  // start at 0 still gives the strip its true width.
  KeypadRect RightPanelButton(int index) const {
    const KeypadRect& g = this->grid;
    const int W = this->outer.right - g.right;
    const double h = static_cast<double>(g.bottom - g.top) / (S + 1);
    int w = (W * 90) / 100;
    int m = (W - w) / 2;
    if (w > static_cast<int>(h)) {
      w = static_cast<int>(h);
      m = 2;
    }
    const int left = g.right + m;
    return {left, g.top + static_cast<int>(index * h), left + w, g.top + static_cast<int>((index + 1) * h)};
  }

  KeypadRect BottomPanelButton(int index) const {
    const KeypadRect& g = this->grid;
    const int W = this->outer.bottom - g.bottom;
    const double cw = static_cast<double>(g.right - g.left) / (S + 1);
    int w = (W * 90) / 100;
    int m = (W - w) / 2;
    if (w > static_cast<int>(cw)) {
      w = static_cast<int>(cw);
      m = 2;
    }
    const int top = g.bottom + m;
    return {g.left + static_cast<int>(index * cw), top, g.left + static_cast<int>((index + 1) * cw), top + w};
  }
};

template <unsigned N>
class KeypadRightTopology : public KeypadTopology_RightBottom_Base<N> {
 public:
  KeypadRect GetButtonRect(int index, std::uint32_t) const override { return this->RightPanelButton(index); }
};

template <unsigned N>
class KeypadBottomTopology : public KeypadTopology_RightBottom_Base<N> {
 public:
  KeypadRect GetButtonRect(int index, std::uint32_t) const override { return this->BottomPanelButton(index); }
};

// The popups' shared properties and their extra buttons, which are simply
// buttons S, S + 1 and S + 2 of the popup.
template <unsigned N>
class KeypadPopupTopology : public KeypadTopology<N> {
 public:
  using KeypadTopology<N>::S;

  bool IsPopup() const override { return true; }
  KeypadRect GetOkButtonRect(std::uint32_t cell) const override { return this->GetButtonRect(S + 2, cell); }
  KeypadRect GetClearButtonRect(std::uint32_t cell) const override { return this->GetButtonRect(S, cell); }
  KeypadRect GetSwitchButtonRect(std::uint32_t cell) const override { return this->GetButtonRect(S + 1, cell); }
  bool HasOkButton() const override { return true; }
  bool HasSwitchButton() const override { return true; }
  bool HasFrame() const override { return true; }
  bool ArrowsStayInKeypad() const override { return true; }
};

// A block of N x N cells: the cell's own box (Variant 0) or a neighbouring
// block that leaves the cell free (Variant 1). The digits stand in N rows of
// N, the three extra buttons share a last row in thirds.
template <unsigned N, int Variant>
class KeypadRectangleTopology : public KeypadPopupTopology<N> {
  static_assert(Variant == 0 || Variant == 1);

 public:
  using KeypadTopology<N>::S;

  bool HasButtonRows() const override { return true; }

  KeypadRect GetArea(std::uint32_t cell) const override {
    constexpr int n = static_cast<int>(N);
    const int col = static_cast<int>(cell % S);
    const int row = static_cast<int>(cell / S);
    if constexpr (Variant == 0) {
      return grid::GridBlockRect<N>((col / n) * n, (row / n) * n, this->grid);
    } else {
      const int b = col / n;
      int to;
      if (b == 0)
        to = 1;
      else if (b == n - 1)
        to = n - 2;
      else
        to = col - n * b < n / 2 ? b - 1 : b + 1;
      const int r0 = row < S - n ? row + 1 : row - n;
      return grid::GridBlockRect<N>(to * n, r0, this->grid);
    }
  }

  KeypadRect GetButtonRect(int index, std::uint32_t cell) const override {
    const KeypadRect a = GetArea(cell);
    const double w = static_cast<double>(a.right - a.left) / (index < S ? N : 3);
    const double h = static_cast<double>(a.bottom - a.top) / (N + 1);
    double x, y;
    if (index < S) {
      x = a.left + (index % N) * w;
      y = a.top + (index / static_cast<int>(N)) * h;
    } else {
      x = a.left + (index - S) * w;
      y = a.top + N * h;
    }
    return {static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + w), static_cast<int>(y + h)};
  }
};

// One grid column next to the cell (Variant 0: the column left of it, or
// column 1 for a cell in column 0) or one row (Variant 1: the row above, or
// row 1 for a cell in row 0), cut into S + 3 equal buttons.
template <unsigned N, int Variant>
class KeypadRowColTopology : public KeypadPopupTopology<N> {
  static_assert(Variant == 0 || Variant == 1);

 public:
  using KeypadTopology<N>::S;

  KeypadRect GetArea(std::uint32_t cell) const override {
    if constexpr (Variant == 0) {
      const int col = static_cast<int>(cell % S);
      return grid::GridColumnStripRect<N>(col == 0 ? 1 : col - 1, this->grid);
    } else {
      const int row = static_cast<int>(cell / S);
      return grid::GridRowStripRect<N>(row == 0 ? 1 : row - 1, this->grid);
    }
  }

  KeypadRect GetButtonRect(int index, std::uint32_t cell) const override {
    const KeypadRect a = GetArea(cell);
    if constexpr (Variant == 0) {
      const double h = static_cast<double>(a.bottom - a.top) / (S + 3);
      return {a.left, a.top + static_cast<int>(index * h), a.right, a.top + static_cast<int>((index + 1) * h)};
    } else {
      const double w = static_cast<double>(a.right - a.left) / (S + 3);
      return {a.left + static_cast<int>(index * w), a.top, a.left + static_cast<int>((index + 1) * w), a.bottom};
    }
  }
};

// The topologies of the game option "enteringNumbers": 0 and 1 are the two
// panel arrangements, 2 to 5 the popups. Each keypad gets an object of its
// own. A type above 5 throws the plain string "No such type of Topology
// selected!", as the game's option path expects.
template <unsigned N>
struct KeypadTopologies {
  std::shared_ptr<KeypadTopology<N>> value;
  std::shared_ptr<KeypadTopology<N>> candidate;
};

template <unsigned N>
KeypadTopologies<N> MakeKeypadTopologies(std::uint32_t type) {
  switch (type) {
    case 0: return {std::make_shared<KeypadRightTopology<N>>(), std::make_shared<KeypadBottomTopology<N>>()};
    case 1: return {std::make_shared<KeypadBottomTopology<N>>(), std::make_shared<KeypadRightTopology<N>>()};
    case 2:
      return {std::make_shared<KeypadRectangleTopology<N, 1>>(), std::make_shared<KeypadRectangleTopology<N, 1>>()};
    case 3:
      return {std::make_shared<KeypadRectangleTopology<N, 0>>(), std::make_shared<KeypadRectangleTopology<N, 0>>()};
    case 4: return {std::make_shared<KeypadRowColTopology<N, 0>>(), std::make_shared<KeypadRowColTopology<N, 0>>()};
    case 5: return {std::make_shared<KeypadRowColTopology<N, 1>>(), std::make_shared<KeypadRowColTopology<N, 1>>()};
    default: throw "No such type of Topology selected!";
  }
}

// The game form's item the grid view is placed on for a type: 7 beside the
// panels, 6 for the popups, which need no room beside the grid.
inline int GridItemForTopologyType(std::uint32_t type) { return type <= 1 ? 7 : 6; }

}  // namespace keypad
