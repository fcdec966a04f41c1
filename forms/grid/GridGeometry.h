#pragma once
// Where every pixel of the board lies: S cells of equal size between S + 1
// separating lines, box borders one pixel wider than the others. The grid
// painter lays its cells out with these functions and the keypad topologies
// place their popups with the same ones, so a popup always sits exactly
// between the lines the painter draws.
//
// Rectangles here are {left, top, right, bottom} with right and bottom
// inclusive. Cell index = column + row * S; candidate d of a cell sits in
// sub-cell column d % N and sub-cell row d / N.

#include <algorithm>
#include <cstdint>

#include "notus/geometry.h"

namespace notus {
struct traits;
}

namespace grid {

using GridRect = notus::rect<notus::traits>;

template <unsigned N>
struct GridGeometry {
  static constexpr int S = static_cast<int>(N * N);
  // Total line pixels across the grid: S + 1 lines, the N - 1 inner box
  // borders counted twice.
  static constexpr int L = S + 1 + static_cast<int>(N) - 1;
};

// Width of line i (0 = top or left edge, S = bottom or right edge): the outer
// edges are 1, inner box borders 2, every other line 1.
template <unsigned N>
constexpr int GridLineWidth(int i) {
  constexpr int S = GridGeometry<N>::S;
  if (i % S == 0) return 1;
  if (i % static_cast<int>(N) == 0) return 2;
  return 1;
}

// Offset of line k from the grid's top or left edge for a cell size z: the
// truncated cells before it plus the line pixels before it.
template <unsigned N>
constexpr int GridLinePosition(int k, double z) {
  const int before = k == 0 ? 0 : k + (k - 1) / static_cast<int>(N);
  return static_cast<int>(k * z) + before;
}

// One cell's rectangle with the left edges (x) and top edges (y) of its
// N x N candidate sub-cells; x[N] and y[N] are the cell's right and bottom.
template <unsigned N>
struct CellLayout {
  GridRect rect;
  std::int32_t y[N + 1] = {};
  std::int32_t x[N + 1] = {};
};

// Fills rowLine and colLine (S + 1 each) and the S * S cell layouts for cells
// of cw by ch pixels, relative to the grid's own top-left corner.
template <unsigned N, class Lines, class Layouts>
void LayoutCells(double cw, double ch, Lines& rowLine, Lines& colLine, Layouts& cells) {
  constexpr int S = GridGeometry<N>::S;
  for (int k = 0; k <= S; ++k) {
    rowLine[k] = GridLinePosition<N>(k, ch);
    colLine[k] = GridLinePosition<N>(k, cw);
  }
  for (int j = 0; j < S; ++j) {
    for (int i = 0; i < S; ++i) {
      CellLayout<N>& c = cells[i + j * S];
      c.rect = {colLine[i] + GridLineWidth<N>(i), rowLine[j] + GridLineWidth<N>(j), colLine[i + 1] - 1,
                rowLine[j + 1] - 1};
      const double sw = static_cast<double>(c.rect.right - c.rect.left) / N;
      const double sh = static_cast<double>(c.rect.bottom - c.rect.top) / N;
      for (unsigned d = 0; d <= N; ++d) {
        c.x[d] = c.rect.left + static_cast<int>(d * sw);
        c.y[d] = c.rect.top + static_cast<int>(d * sh);
      }
    }
  }
}

// Cell sizes of a grid drawn into the rectangle g.
template <unsigned N>
double GridCellWidth(const GridRect& g) {
  return static_cast<double>(g.right - g.left - GridGeometry<N>::L) / GridGeometry<N>::S;
}
template <unsigned N>
double GridCellHeight(const GridRect& g) {
  return static_cast<double>(g.bottom - g.top - GridGeometry<N>::L) / GridGeometry<N>::S;
}

// The N x N block of cells whose top-left cell is (c0, r0), each clamped to at
// most S - N so the block stays inside the grid.
template <unsigned N>
GridRect GridBlockRect(int c0, int r0, const GridRect& g) {
  constexpr int S = GridGeometry<N>::S;
  constexpr int n = static_cast<int>(N);
  c0 = std::min(c0, S - n);
  r0 = std::min(r0, S - n);
  const double cw = GridCellWidth<N>(g);
  const double ch = GridCellHeight<N>(g);
  return {g.left + GridLinePosition<N>(c0, cw) + GridLineWidth<N>(c0),
          g.top + GridLinePosition<N>(r0, ch) + GridLineWidth<N>(r0), g.left + GridLinePosition<N>(c0 + n, cw) - 1,
          g.top + GridLinePosition<N>(r0 + n, ch) - 1};
}

// Box b, boxes numbered row by row from 0.
template <unsigned N>
GridRect box_origin_rect(int b, const GridRect& g) {
  constexpr int n = static_cast<int>(N);
  return GridBlockRect<N>((b % n) * n, (b / n) * n, g);
}

// Row r (clamped to at most S - 1) between the outer lines.
template <unsigned N>
GridRect GridRowStripRect(int r, const GridRect& g) {
  constexpr int S = GridGeometry<N>::S;
  constexpr int L = GridGeometry<N>::L;
  r = std::min(r, S - 1);
  const double cw = GridCellWidth<N>(g);
  const double ch = GridCellHeight<N>(g);
  return {g.left + 1, g.top + GridLinePosition<N>(r, ch) + GridLineWidth<N>(r),
          g.left + static_cast<int>(S * cw) + L - 2, g.top + GridLinePosition<N>(r + 1, ch) - 1};
}

// Column i (clamped to at most S - 1) between the outer lines.
template <unsigned N>
GridRect GridColumnStripRect(int i, const GridRect& g) {
  constexpr int S = GridGeometry<N>::S;
  constexpr int L = GridGeometry<N>::L;
  i = std::min(i, S - 1);
  const double cw = GridCellWidth<N>(g);
  const double ch = GridCellHeight<N>(g);
  return {g.left + GridLinePosition<N>(i, cw) + GridLineWidth<N>(i), g.top + 1,
          g.left + GridLinePosition<N>(i + 1, cw) - 1, g.top + static_cast<int>(S * ch) + L - 2};
}

}  // namespace grid
