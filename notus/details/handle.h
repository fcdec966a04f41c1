// The handle by which a display owns its platform window object.  Releasing
// the handle (or destroying it) lets the object go, which takes the window out
// of its controller's lists once nobody else holds it.
#pragma once

#include <memory>
#include <utility>

namespace notus::impl::details {
class winobj_virtual_window;
}

namespace notus::details {

class handle {
 public:
  using object_type = impl::details::winobj_virtual_window;

  handle() noexcept = default;
  explicit handle(std::shared_ptr<object_type> object) noexcept : m_object(std::move(object)) {}

  handle(const handle&) = delete;
  handle& operator=(const handle&) = delete;

  ~handle() { release(); }

  void release() noexcept { m_object.reset(); }

  object_type* get() const noexcept { return m_object.get(); }
  const std::shared_ptr<object_type>& shared() const noexcept { return m_object; }
  explicit operator bool() const noexcept { return m_object != nullptr; }

 private:
  std::shared_ptr<object_type> m_object;
};

}  // namespace notus::details
