// Type-erased function wrappers.  A wrapper owns one heap "caller" that holds
// the callable; copying a wrapper clones its caller, so a copy never shares
// state with its source.  Calling an empty wrapper throws instead of crashing,
// because a slot that was never bound is a programming error we want to see.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "ttl/exception.h"

namespace ttl::func {

namespace impl {

template <class R, class... A>
class functor_caller_base {
 public:
  virtual ~functor_caller_base() = default;
  virtual R invoke(A... args) = 0;
  virtual functor_caller_base* clone() const = 0;
};

template <class F, class R, class... A>
class functor_caller final : public functor_caller_base<R, A...> {
 public:
  explicit functor_caller(F functor) : m_functor(std::move(functor)) {}

  R invoke(A... args) override {
    if constexpr (std::is_void_v<R>)
      std::invoke(m_functor, std::forward<A>(args)...);
    else
      return std::invoke(m_functor, std::forward<A>(args)...);
  }

  functor_caller* clone() const override { return new functor_caller(m_functor); }

 private:
  F m_functor;
};

template <class R>
using functor_caller_base0 = functor_caller_base<R>;
template <class R, class A1>
using functor_caller_base1 = functor_caller_base<R, A1>;
template <class R, class A1, class A2>
using functor_caller_base2 = functor_caller_base<R, A1, A2>;
template <class R, class A1, class A2, class A3>
using functor_caller_base3 = functor_caller_base<R, A1, A2, A3>;

template <class F, class R>
using functor_caller0 = functor_caller<F, R>;
template <class F, class R, class A1>
using functor_caller1 = functor_caller<F, R, A1>;
template <class F, class R, class A1, class A2>
using functor_caller2 = functor_caller<F, R, A1, A2>;
template <class F, class R, class A1, class A2, class A3>
using functor_caller3 = functor_caller<F, R, A1, A2, A3>;

// A null function pointer or an empty std::function must give an empty
// wrapper, so that calling it throws rather than jumping to address 0.
template <class F>
bool is_null_callable(const F& f) {
  if constexpr (std::is_function_v<F>)
    return false;  // a function itself (passed by reference) is never null
  else if constexpr (requires { f == nullptr; })
    return f == nullptr;
  else
    return false;
}

}  // namespace impl

template <class R, class... A>
class basic_function {
 public:
  using result_type = R;

  basic_function() noexcept = default;

  template <class F>
  requires(!std::is_same_v<std::decay_t<F>, basic_function> && std::is_invocable_r_v<R, std::decay_t<F>&, A...>)
      basic_function(F&& f) {  // NOLINT: wrappers convert implicitly, like std::function
    if (!impl::is_null_callable(f))
      m_caller = std::make_unique<impl::functor_caller<std::decay_t<F>, R, A...>>(std::forward<F>(f));
  }

  basic_function(const basic_function& other) : m_caller(other.m_caller ? other.m_caller->clone() : nullptr) {}

  basic_function(basic_function&&) noexcept = default;

  basic_function& operator=(const basic_function& other) {
    if (this != &other) m_caller.reset(other.m_caller ? other.m_caller->clone() : nullptr);
    return *this;
  }

  basic_function& operator=(basic_function&&) noexcept = default;

  virtual ~basic_function() = default;

  R operator()(A... args) const {
    if (!m_caller) throw exception();
    return m_caller->invoke(std::forward<A>(args)...);
  }

  bool empty() const noexcept { return !m_caller; }
  explicit operator bool() const noexcept { return !empty(); }

 private:
  std::unique_ptr<impl::functor_caller_base<R, A...>> m_caller;
};

template <class R>
using function0 = basic_function<R>;
template <class R, class A1>
using function1 = basic_function<R, A1>;
template <class R, class A1, class A2>
using function2 = basic_function<R, A1, A2>;
template <class R, class A1, class A2, class A3>
using function3 = basic_function<R, A1, A2, A3>;

}  // namespace ttl::func
