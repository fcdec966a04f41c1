#include "notus/platform/ownerdrawWin32/details/winobj_virtual_window_helper.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "ttl/exception.h"

namespace notus::impl {

std::shared_ptr<details::winobj_virtual_window> virtual_window_impl<traits>::make_virtual_window(unsigned flags) {
  return std::make_shared<details::winobj_virtual_window_helper>(flags);
}

shared_connection<> virtual_window_impl<traits>::connect_platform_signal(
    const handle_type& h, ttl::func::function1<void, platform_event&> slot) {
  auto* helper = dynamic_cast<details::winobj_virtual_window_helper*>(h.get());
  if (!helper) throw ttl::sig::exception();
  return make_shared_connection(helper->signal(), std::move(slot));
}

}  // namespace notus::impl
