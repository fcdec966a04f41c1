// A display backed by a platform window object.  The operations on the window
// are those of Impl (show, hide, move, focus, ...), each taking the handle.
#pragma once

#include <memory>
#include <utility>

#include "notus/details/handle.h"
#include "notus/displays/display.h"

namespace notus::displays {

template <class Traits, class Impl>
class window : public display<Traits> {
 public:
  using impl_type = Impl;

  notus::details::handle& handle() noexcept { return m_handle; }
  const notus::details::handle& handle() const noexcept { return m_handle; }

 protected:
  window() = default;
  explicit window(std::shared_ptr<notus::details::handle::object_type> object) : m_handle(std::move(object)) {}

  notus::details::handle m_handle;
};

}  // namespace notus::displays
