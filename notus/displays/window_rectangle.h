// A display without a window of its own: a rectangle inside a parent window
// (the parts of a scroll bar, the rows of a list).  It listens to the parent's
// display and passes on what concerns it:
//   - mouse events, as a copy of the parent's payload in the parent's
//     coordinates, so its views do their own hit testing; the copy is taken
//     when the rectangle's turn comes, so edits made by earlier listeners of
//     the parent show through;
//   - paint events that meet its rectangle, narrowed to the part that does.
// Everything else stays with the parent.  The mouse capture goes through the
// parent window.
#pragma once

#include <memory>
#include <utility>

#include "notus/displays/display.h"
#include "notus/geometry.h"
#include "notus/shared_connection.h"
#include "ttl/exception.h"
#include "ttl/function.h"

namespace notus::displays {

template <class Traits, class W>
class window_rectangle : public display<Traits> {
 public:
  using platform_event = impl::event<Traits>;
  using parent_event = display_event<Traits>;

  // parent is the window this rectangle lies in; keep_alive owns it.
  window_rectangle(const rect<Traits>& rectangle, W* parent, std::shared_ptr<W> keep_alive)
      : m_parent(parent), m_keepParent(std::move(keep_alive)), m_rect(rectangle) {
    m_connection = make_shared_connection(
        *m_parent, ttl::func::function1<void, parent_event&>([this](parent_event& e) { on_parent_event(e); }));
  }

  // The area the rectangle covered must be drawn again by its parent.  A
  // capture taken through the parent must not outlive the rectangle, or
  // the parent would swallow every mouse event from then on.
  ~window_rectangle() override {
    release_capture();
    W::impl_type::invalidate(m_parent->handle());
    m_connection.reset();
    m_keepParent.reset();
  }

  rect<Traits>& rectangle() noexcept { return m_rect; }
  const rect<Traits>& rectangle() const noexcept { return m_rect; }

  W& parent() const noexcept { return *m_parent; }

  // Takes the mouse capture through the parent window, unless the parent
  // holds it already (then someone else inside it is dragging).
  void capture() {
    if (W::impl_type::has_capture(m_parent->handle())) return;
    W::impl_type::capture(m_parent->handle());
    m_capturing = true;
  }

  void release_capture() {
    if (!m_capturing) return;
    m_capturing = false;
    W::impl_type::release_capture(m_parent->handle());
  }

  bool has_capture() const noexcept { return m_capturing; }

 private:
  void on_parent_event(parent_event& e) {
    platform_event& source = e.payload;
    if (source.handled) return;
    const int kind = source.kind.index();
    if (kind < 0 || kind >= impl::event_kind::size) throw ttl::meta::exception();
    if (auto* mouse = source.kind.template get_if<impl::kind_mouse>()) {
      platform_event forwarded(*mouse);
      this->on_event(forwarded);
    } else if (auto* paint = source.kind.template get_if<impl::kind_paint>()) {
      impl::ev_paint narrowed = *paint;
      if (!intersect(m_rect, paint->update, narrowed.update)) return;
      narrowed.client = {m_rect.left, m_rect.top, m_rect.right, m_rect.bottom};
      narrowed.item_state = 0;
      platform_event forwarded(narrowed);
      this->on_event(forwarded);
    }
  }

  W* m_parent;
  std::shared_ptr<W> m_keepParent;
  rect<Traits> m_rect;
  bool m_capturing = false;
  shared_connection<> m_connection;
};

}  // namespace notus::displays
