// The view of the native main window itself: its frame.  It paints the
// client area white, ends the innermost message loop when the window is
// closed, keeps the caption equal to its model (the title) and owns the
// application tab bar.
//
// The tab bar and the form built on a deferred event belong to the program
// above the framework, so start-up installs the functions that make them;
// tests install their own.  The frame is the one place that runs the
// deferred-form function: the window procedure only hands it the event.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include "notus/displays/virtual_window.h"
#include "notus/model_update.h"
#include "notus/ownerdraw/faces.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/strategy.h"
#include "notus/view.h"

namespace notus {

namespace strategies {

// The model's text as it stands.
struct empty_format {
  const std::wstring& operator()(const std::wstring& text) const noexcept { return text; }
};

// On a model update the display's native text becomes the formatted model.
template <class Format>
struct model_update : handle_event<events::model_update> {
  template <class View>
  bool on_update(events::model_update&, View& v) {
    View::display_type::impl_type::set_text(v.display().handle(), Format{}(v.model().model()));
    return true;
  }
};

template <class Traits = traits>
struct main_window : handle_event<impl::ev_paint>, handle_event<impl::ev_close, 0> {
  template <class View>
  bool on_paint(impl::ev_paint& p, View&) {
    ownerdraw::paint_device(p)->fill_rect(p.client, ownerdraw::colours::white, 255);
    return true;
  }
  // Posts the quit, so the listeners have long seen the close by the time
  // the loop takes it; only the innermost loop ends.
  template <class View>
  bool on_close(impl::ev_close&, View&) {
    impl::details::app::quit();
    return true;
  }
};

}  // namespace strategies

namespace mainwindow {

using frame_display = displays::virtual_window_frame<traits>;

// Makes the application tab bar over the frame's display; what it returns
// is kept alive by the frame until the next rebuild.
using tab_bar_factory = std::function<std::shared_ptr<void>(const std::shared_ptr<frame_display>& frame)>;
tab_bar_factory set_tab_bar_factory(tab_bar_factory factory);
// Empty while no factory is installed.
std::shared_ptr<void> make_tab_bar(const std::shared_ptr<frame_display>& frame);

// Builds whatever form a deferred event on the frame is due to show.
using deferred_form_builder = std::function<void()>;
deferred_form_builder set_deferred_form_builder(deferred_form_builder builder);
// Nothing happens while no builder is installed.
void build_deferred_form();

struct strategy_main_window_view : handle_event<impl::ev_state, 0>, handle_event<impl::ev_deferred> {
  template <class View>
  void set_up(View& v) {
    rebuild(v);
  }
  template <class View>
  bool on_state(impl::ev_state&, View& v) {
    rebuild(v);
    return true;
  }
  template <class View>
  bool on_deferred(impl::ev_deferred&, View&) {
    build_deferred_form();
    return true;
  }

  const std::shared_ptr<void>& tab_bar() const noexcept { return m_tabBar; }

 private:
  // The new bar is complete before the old one goes.
  template <class View>
  void rebuild(View& v) {
    std::shared_ptr<void> bar = make_tab_bar(v.display_ptr());
    m_tabBar = std::move(bar);
  }

  std::shared_ptr<void> m_tabBar;
};

using main_window_view = notus::view<frame_display,
                                     std::tuple<strategies::model_update<strategies::empty_format>,
                                                strategies::main_window<traits>, strategy_main_window_view>,
                                     std::wstring>;

}  // namespace mainwindow

}  // namespace notus
