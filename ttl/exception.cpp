#include "ttl/exception.h"

namespace ttl {

exception::exception(const char* message) : std::runtime_error(message) {}

namespace func {
exception::exception() : ttl::exception("ttl::func::function error") {}
}  // namespace func

namespace sig {
exception::exception() : ttl::exception("signal error") {}
}  // namespace sig

namespace meta {
exception::exception() : ttl::exception("typelist error") {}
}  // namespace meta

}  // namespace ttl
