// What the about form (AboutForm.h) and the help form (HelpForm.h) share:
// a read-only page of a caption label over a word-wrapped, scrollable text
// box, with no button of its own.  The player leaves it through the tab bar.
//
// Each form names its layout form and composes its text; this unit makes
// the views, places them and hands the text to the box.  The text box is a
// view manager of its own over the item's rectangle, not connected to the
// form and outside the tab order: the page has nothing to click, and the
// box scrolls by its bar and the arrow keys.
#pragma once

#include <memory>
#include <string>

#include "app/ResourceManager.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/common/FormBase.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/text_box.h"

namespace text_page {

inline constexpr int kCaptionItem = 1;
inline constexpr int kTextItem = 2;

struct Model : FormBase {
  // The text box goes before the caption.
  ~Model() override {
    text.reset();
    caption.reset();
  }

  std::shared_ptr<notus::ownerdraw::label_view> caption;
  std::shared_ptr<notus::ownerdraw::textbox_manager> text;
};

// The caption placed by item 1 (with its text and id 1), then the text box
// over item 2's rectangle showing `text` from its first line.  A missing item
// throws what ResourceManager::GetItemConfig throws, and the form is not made.
template <class Manager, class Parent>
void Build(Manager& m, Parent& parent, int form, const std::wstring& text) {
  m.caption = m.template create_view<notus::ownerdraw::label_view>();
  forms::ApplyItemConfig(form, kCaptionItem, *m.caption);
  const ItemConfig box = ResourceManager::GetItemConfig(form, kTextItem);
  m.text = std::make_shared<notus::ownerdraw::textbox_manager>(parent, RECT{box.left, box.top, box.right, box.bottom});
  auto& model = m.text->text_view->model();
  model.text = text;
  // The box wraps a new text itself on the announcement.
  notus::ownerdraw::announce(model);
}

}  // namespace text_page
