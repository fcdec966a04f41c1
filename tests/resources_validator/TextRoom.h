// How much of an item's rectangle each kind of widget leaves for a one-line
// caption, after its own parts: the mark of a check box or radio button, a
// button's rounded border, a tab's or a combo box's inset and drop button.
// The numbers follow the widgets' paint strategies (notus/ownerdraw); they
// are restated here rather than read from there because the painters keep
// them inline, and a painter that grows a margin should make this test fail
// where a German caption no longer fits.
#pragma once

#include <string>

#include "tests/resources_validator/ShippedFile.h"

namespace resources_validator {

enum class Widget {
  kLabel,        // text from the left edge to the right one
  kBoxedLabel,   // a dialog panel's or the menu's title: band inset by 1, then 2
  kPushButton,   // centred inside the rounded border and focus ring
  kMarked,       // check box or radio button: a square of side H - 8 at L + 4, then 5 px
  kTab,          // inset by 3
  kGroupBox,     // caption 6 px in, padded by 4, and clear of the right corner
  kComboClosed,  // 20 px closed part: a drop button as wide as it is high (+2), label inset by 3
  kListRow,      // 3 px in, 4 px short of the scroll bar
  kNotDrawn,     // a rectangle, a frame without text, a text box, a glyph button's tool tip
};

inline constexpr int kComboClosedHeight = 20;
inline constexpr int kScrollBarWidth = 20;

// The width left for the caption of an item of that kind.
inline int RoomFor(Widget widget, const FileItem& item) {
  switch (widget) {
    case Widget::kLabel: return item.Width();
    case Widget::kBoxedLabel: return item.Width() - 6;
    case Widget::kPushButton: return item.Width() - 8;
    case Widget::kMarked: return item.Width() - (4 + (item.Height() - 8) + 5);
    case Widget::kTab: return item.Width() - 6;
    case Widget::kGroupBox: return item.Width() - 6 - 4 - 6;
    case Widget::kComboClosed: return item.Width() - (kComboClosedHeight + 2) - 6;
    case Widget::kListRow: return item.Width() - 7 - kScrollBarWidth;
    case Widget::kNotDrawn: break;
  }
  return 0;
}

}  // namespace resources_validator
