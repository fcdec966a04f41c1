// The "nothing here" type of the library: a value that carries no data, for
// places that need a type but have nothing to say.
#pragma once

namespace ttl {

struct empty_type {};

inline bool operator==(empty_type, empty_type) { return true; }

}  // namespace ttl
