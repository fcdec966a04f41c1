#include "notus/ownerdraw/main_window.h"

#include <utility>

namespace notus::mainwindow {

namespace {

tab_bar_factory& TabBarFactory() {
  static tab_bar_factory factory;
  return factory;
}

deferred_form_builder& DeferredFormBuilder() {
  static deferred_form_builder builder;
  return builder;
}

}  // namespace

tab_bar_factory set_tab_bar_factory(tab_bar_factory factory) {
  return std::exchange(TabBarFactory(), std::move(factory));
}

// Each call runs a copy, so the function may replace itself while it runs.
std::shared_ptr<void> make_tab_bar(const std::shared_ptr<frame_display>& frame) {
  const tab_bar_factory factory = TabBarFactory();
  return factory ? factory(frame) : nullptr;
}

deferred_form_builder set_deferred_form_builder(deferred_form_builder builder) {
  return std::exchange(DeferredFormBuilder(), std::move(builder));
}

void build_deferred_form() {
  const deferred_form_builder builder = DeferredFormBuilder();
  if (builder) builder();
}

}  // namespace notus::mainwindow
