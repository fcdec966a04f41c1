#include "ttl/exception.h"

namespace ttl {

exception::exception(const char* message) : std::runtime_error(message) {}

namespace func {
exception::exception() : ttl::exception("ttl::func::function error") {}
}

namespace sig {
exception::exception() : ttl::exception("signal error") {}
}

namespace meta {
exception::exception() : ttl::exception("typelist error") {}
}

}  // namespace ttl
