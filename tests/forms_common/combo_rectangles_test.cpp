// Where a combo box placed by a layout item puts its closed part and its
// list: the item's own room when it holds every entry, further down when
// it does not, above the closed part or on the larger side where the
// screen ends first.
#include <gtest/gtest.h>

#include <string>

#include "forms/common/ComboBoxFromItem.h"

namespace {

std::string Describe(const notus::rect<notus::traits>& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

ItemConfig Item(int left, int top, int right, int bottom) {
  ItemConfig item;
  item.left = left;
  item.top = top;
  item.right = right;
  item.bottom = bottom;
  return item;
}

TEST(ComboRectangles, TheListTakesTheItemsRoomOrWhatItsEntriesNeed) {
  // An 11 px line: rows of 17 px, a closed part of 15 px.
  const notus::ownerdraw::list_sizes small = notus::ownerdraw::list_sizes_for(11);
  struct Case {
    const char* name;
    ItemConfig item;
    std::size_t entries;
    notus::ownerdraw::list_sizes sizes;
    int screen;
    const char* closed;
    const char* list;
  };
  const Case cases[] = {
      {"the layouts' own text keeps the layout",
       Item(140, 250, 340, 370),
       2,
       {},
       640,
       "{140,250,340,270}",
       "{140,270,340,370}"},
      {"the item holds every entry", Item(10, 100, 110, 200), 3, small, 240, "{10,100,110,115}", "{10,115,110,200}"},
      {"it reaches below for its entries", Item(10, 100, 110, 130), 5, small, 240, "{10,100,110,115}",
       "{10,115,110,200}"},
      {"no screen to keep within", Item(10, 200, 110, 230), 5, small, 0, "{10,200,110,215}", "{10,215,110,300}"},
      {"it opens above at the screen's end", Item(10, 200, 110, 230), 5, small, 240, "{10,200,110,215}",
       "{10,115,110,200}"},
      {"fitting nowhere, the larger side below", Item(10, 60, 110, 90), 12, small, 240, "{10,60,110,75}",
       "{10,75,110,240}"},
      {"fitting nowhere, the larger side above", Item(10, 180, 110, 200), 12, small, 240, "{10,180,110,195}",
       "{10,0,110,180}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const forms::ComboRectangles r = forms::ComboRectanglesOf(c.item, c.entries, c.sizes, c.screen);
    EXPECT_EQ(Describe(r.closed), c.closed);
    EXPECT_EQ(Describe(r.list), c.list);
  }
}

TEST(ComboRectangles, SizesKeepTheirProportionsToTheText) {
  struct Case {
    int line, row, bar, closed;
  };
  // 16 px: the layouts' own text; 11 px: the smallest (rows and the closed
  // part keep the text's room); 27 and 54 px: full screen at 1920 x 1080 and
  // 3840 x 2160; 0: no font.
  const Case cases[] = {{16, 25, 20, 20}, {11, 17, 14, 15}, {27, 42, 34, 34}, {54, 84, 68, 68}, {0, 25, 20, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const notus::ownerdraw::list_sizes s = notus::ownerdraw::list_sizes_for(c.line);
    EXPECT_EQ(s.row, c.row);
    EXPECT_EQ(s.bar, c.bar);
    EXPECT_EQ(s.closed, c.closed);
  }
}

}  // namespace
