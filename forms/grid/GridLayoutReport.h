#pragma once
// Tells the keypads where the grid lies. After each layout the grid painter
// reports the grid view's window rectangle together with the area the form
// leaves for the grid and its keypads: the main window (form 0 item 1) down
// to the top of the application tab bar (form 1 item 1), both read from the
// loaded form layouts each time, so a new screen size is always followed.

#include "forms/grid/GridGeometry.h"
#include "ttl/function.h"

namespace grid {

using LayoutCallback = ttl::func::function2<void, GridRect, GridRect>;

// The main window's rectangle with its bottom at the tab bar's top.
GridRect GridOuterArea();

// Calls callback(grid window rectangle, outer area), the grid first. An
// empty callback is skipped without reading the form layouts.
void ReportGridLayout(const GridRect& gridWindowRect, LayoutCallback& callback);

}  // namespace grid
