// Virtual windows: owner-drawn windows that exist only inside the one native
// main window.  The kinds differ only in the platform flags they are created
// with (2 never focused, 1 the main window's frame, 4 listener, 8 owns a
// native text-entry control) and in the paint order they take; a larger z is
// painted earlier, that is further back.
//
// A window is visible and dirty from construction, so the next paint pass
// draws it.  Destruction cuts the platform connection before the window
// object is released, so no event reaches a half-destroyed display.
#pragma once

#include <memory>

#include "notus/displays/window.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/shared_connection.h"
#include "ttl/function.h"

namespace notus::displays {

template <class Traits>
class virtual_window : public window<Traits, impl::virtual_window_impl<Traits>> {
  using base = window<Traits, impl::virtual_window_impl<Traits>>;

 public:
  using impl_type = typename base::impl_type;
  using platform_event = typename base::platform_event;

  virtual_window() : virtual_window(0u) {}

  ~virtual_window() override {
    m_platform_connection.reset();
    this->m_handle.release();
  }

 protected:
  explicit virtual_window(unsigned flags) : base(impl_type::make_virtual_window(flags)) {
    m_platform_connection = impl_type::connect_platform_signal(
        this->m_handle, ttl::func::function1<void, platform_event&>([this](platform_event& e) { this->on_event(e); }));
    impl_type::show(this->m_handle);
  }

  virtual_window(unsigned flags, int z_order) : virtual_window(flags) {
    impl_type::set_z_order(this->m_handle, z_order);
  }

 private:
  shared_connection<> m_platform_connection;
};

template <class Traits>
class virtual_window_nonfocusable : public virtual_window<Traits> {
 public:
  virtual_window_nonfocusable() : virtual_window<Traits>(2u) {}
};

template <class Traits>
class virtual_window_label : public virtual_window<Traits> {
 public:
  virtual_window_label() : virtual_window<Traits>(2u, 5) {}
};

template <class Traits>
class virtual_window_frame : public virtual_window<Traits> {
 public:
  virtual_window_frame() : virtual_window<Traits>(3u, 30) {}
};

// Never focused and a listener: it sees every key and mouse event of its
// controller after the receiver, which is how a tool tip learns to hide.
template <class Traits>
class virtual_window_hint : public virtual_window<Traits> {
 public:
  virtual_window_hint() : virtual_window<Traits>(6u, -30) {}
};

template <class Traits>
class virtual_window_editbox : public virtual_window<Traits> {
 public:
  virtual_window_editbox() : virtual_window<Traits>(8u, -30) {}
};

}  // namespace notus::displays
