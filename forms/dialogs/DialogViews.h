// The widgets the modal dialogs are made of, and the frame display their
// form managers take as parent.  The OK/Cancel dialog, the OK dialog and the
// dialogs still to come share one view type per kind of widget, so a panel
// title or a button looks and behaves the same in every dialog.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <memory>

#include "forms/common/Application.h"
#include "forms/common/ApplyItemConfig.h"
#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/message_label.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/platform/ownerdrawWin32/app.h"

namespace dialogs {

// The panel with its title in the caption band.
using TitleView = notus::ownerdraw::box_label_view;
// The message on the panel, broken into as many lines as it needs.
using MessageView = notus::ownerdraw::message_label_view;
// A text button; Return or Space clicks the focused one, Left and Right walk
// the buttons of its group.
using ButtonView = notus::ownerdraw::push_button_view;

// The display of the main frame view, which parents every form's views; null
// while there is no application object.  The dialogs' forms take it as the
// other forms do, though their views do not use it.
inline std::shared_ptr<Application::frame_display> FrameDisplayOrNull() {
  Application* state = Application::Instance();
  return state ? state->FrameDisplay() : nullptr;
}

// Makes room for the whole message: when its lines need more height than
// the layout gives it, the message grows down by the difference, and the
// windows below it (the buttons) and the panel's bottom move down with it.
// A panel that then reaches past the bottom of the main window moves up,
// all of it, as far as its top allows.  A message that fits changes
// nothing, so the layout's own places stand.
template <class Panel, class Message, class Below>
void FitToMessage(Panel& panel, Message& message, std::initializer_list<Below*> below) {
  using ops = forms::window_ops;
  const auto& text = message.display().handle();
  const auto place = ops::rect(text);
  const std::int32_t height = place.bottom - place.top;
  const std::int32_t needed = notus::ownerdraw::message_label_height(message.model().text, place.right - place.left);
  if (needed <= height) return;
  const std::int32_t grow = needed - height;
  const auto& frame = panel.display().handle();
  const auto outer = ops::rect(frame);
  ops::resize(text, {place.right - place.left, needed}, true);
  ops::resize(frame, {outer.right - outer.left, outer.bottom - outer.top + grow}, true);
  for (Below* view : below) {
    const auto r = ops::rect(view->display().handle());
    ops::move(view->display().handle(), {r.left, r.top + grow});
  }
  RECT client{};
  if (!GetClientRect(notus::impl::details::app::instance().main_window(), &client)) return;
  const std::int32_t past = outer.bottom + grow - client.bottom;
  const std::int32_t up = std::min<std::int32_t>(std::max(0, past), std::max(0, outer.top - client.top));
  if (up == 0) return;
  ops::move(frame, {outer.left, outer.top - up});
  ops::move(text, {place.left, place.top - up});
  for (Below* view : below) {
    const auto r = ops::rect(view->display().handle());
    ops::move(view->display().handle(), {r.left, r.top - up});
  }
}

}  // namespace dialogs
