// The widgets the modal dialogs are made of, and the frame display their
// form managers take as parent.  The OK/Cancel dialog, the OK dialog and the
// dialogs still to come share one view type per kind of widget, so a panel
// title or a button looks and behaves the same in every dialog.
#pragma once

#include <memory>

#include "forms/common/Application.h"
#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/push_button.h"

namespace dialogs {

// The panel with its title in the caption band.
using TitleView = notus::ownerdraw::box_label_view;
// A line of text on the panel.
using MessageView = notus::ownerdraw::label_view;
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

}  // namespace dialogs
