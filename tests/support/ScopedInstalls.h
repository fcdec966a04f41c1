// What a test installs into the process-wide functions of the layers (a
// device recorder, a glyph drawer, a loop-entry hook ...) for as long as it
// runs.  Each install keeps the function it replaced and puts it back when
// the scope ends, the last install first, so the next test finds the
// process as this one found it even when an assertion ends this one early.
//
// A setter qualifies when it returns what it replaced: F set(F).
#pragma once

#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace test_support {

class ScopedInstalls {
 public:
  ScopedInstalls() = default;
  ScopedInstalls(const ScopedInstalls&) = delete;
  ScopedInstalls& operator=(const ScopedInstalls&) = delete;
  ~ScopedInstalls() { RestoreAll(); }

  // Installs `function` (none when left out) through `setter` until the
  // scope ends or RestoreAll runs.
  template <class Function>
  void Install(Function (*setter)(Function), std::type_identity_t<Function> function = {}) {
    Function previous = setter(std::move(function));
    m_restores.push_back([setter, previous = std::move(previous)]() mutable { setter(std::move(previous)); });
  }

  // Puts back what every install replaced, the last install first; for a
  // fixture whose installs must be gone before it tears down more.
  void RestoreAll() {
    while (!m_restores.empty()) {
      std::function<void()> restore = std::move(m_restores.back());
      m_restores.pop_back();
      restore();
    }
  }

 private:
  std::vector<std::function<void()>> m_restores;
};

}  // namespace test_support
