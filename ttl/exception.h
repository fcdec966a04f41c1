// The exceptions of the callback library.  They derive from std::runtime_error
// so that the program's top-level handler can catch them without knowing us;
// each subclass carries one fixed text that identifies where things went wrong.
#pragma once

#include <stdexcept>

namespace ttl {

class exception : public std::runtime_error {
 public:
  explicit exception(const char* message);
};

namespace func {
// Calling an empty function wrapper (or a slot holding one).
class exception : public ttl::exception {
 public:
  exception();
};
}  // namespace func

namespace sig {
// A connection could not be made.
class exception : public ttl::exception {
 public:
  exception();
};
}  // namespace sig

namespace meta {
// A variant was asked about an alternative it does not have.
class exception : public ttl::exception {
 public:
  exception();
};
}  // namespace meta

}  // namespace ttl
