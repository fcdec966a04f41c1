#include "forms/grid/GridLayoutReport.h"

#include "app/ResourceManager.h"

namespace grid {

GridRect GridOuterArea() {
  const ItemConfig window = ResourceManager::GetItemConfig(0, 1);
  const ItemConfig firstTab = ResourceManager::GetItemConfig(1, 1);
  return {window.left, window.top, window.right, firstTab.top};
}

void ReportGridLayout(const GridRect& gridWindowRect, LayoutCallback& callback) {
  if (callback.empty()) return;
  callback(gridWindowRect, GridOuterArea());
}

}  // namespace grid
