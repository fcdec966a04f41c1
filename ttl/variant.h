// A tagged union over a fixed list of types (at most 25).  The index tells
// which alternative is held; the value pointer is null when the variant is
// empty.  An alternative may be a reference: the variant then stores the
// address and hands out the referenced object.
//
// Every operation that has to know the held type checks the index first and
// throws ttl::meta::exception ("typelist error") when it names no alternative,
// instead of guessing at the stored bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>

#include "ttl/exception.h"

namespace ttl::var {

namespace impl {

template <class T>
struct stored_as {
  using type = T;
  static T& get(type& stored) { return stored; }
  static const T& get(const type& stored) { return stored; }
};

template <class T>
struct stored_as<T&> {
  using type = T*;
  static T& get(type stored) { return *stored; }
};

// Whether a value of type U (as passed to the constructor) selects
// alternative T: the same type by value, or an lvalue of it for a reference.
template <class T, class U>
constexpr bool selects() {
  if constexpr (std::is_reference_v<T>)
    return std::is_lvalue_reference_v<U> && std::is_same_v<std::remove_cvref_t<U>, std::remove_cvref_t<T>> &&
           std::is_convertible_v<std::remove_reference_t<U>*, std::remove_reference_t<T>*>;
  else
    return std::is_same_v<std::remove_cvref_t<U>, T>;
}

}  // namespace impl

template <class... Ts>
class variant {
  static_assert(sizeof...(Ts) >= 1 && sizeof...(Ts) <= 25, "a variant has 1 to 25 alternatives");

 public:
  static constexpr int size = static_cast<int>(sizeof...(Ts));

  template <std::size_t I>
  using alternative = std::tuple_element_t<I, std::tuple<Ts...>>;

  variant() noexcept = default;

  template <class U>
  requires((impl::selects<Ts, U&&>() + ...) == 1)
      variant(U&& value) {  // NOLINT: a payload converts to its kind implicitly
    constexpr int index = index_of<U&&>();
    construct<index>(std::forward<U>(value));
    m_index = index;
  }

  variant(const variant& other) {
    other.check_index();
    m_index = other.m_index;
    if (other.m_value) copy_from(other);
  }

  variant& operator=(const variant& other) {
    if (this == &other) return *this;
    other.check_index();
    reset();
    m_index = other.m_index;
    if (other.m_value) copy_from(other);
    return *this;
  }

  ~variant() {
    // A destructor cannot report a bad index; with one we cannot know
    // what to destroy, so the value is left alone.
    if (m_value && m_index >= 0 && m_index < size) destroy();
  }

  int index() const noexcept { return m_index; }
  bool empty() const noexcept { return m_value == nullptr; }

  void reset() {
    check_index();
    if (m_value) destroy();
  }

  // Pointer to the held object when alternative I is held, otherwise null.
  template <std::size_t I>
  std::remove_reference_t<alternative<I>>* get_if() {
    if (!m_value || m_index != static_cast<int>(I)) return nullptr;
    return std::addressof(stored<I>());
  }

  template <std::size_t I>
  const std::remove_reference_t<alternative<I>>* get_if() const {
    return const_cast<variant*>(this)->template get_if<I>();
  }

  // Calls visitor(held object) for the held alternative; nothing when empty.
  template <class Visitor>
  void visit(Visitor&& visitor) {
    check_index();
    if (!m_value) return;
    with_index([&]<std::size_t I>() { visitor(stored<I>()); });
  }

 protected:
  // The raw index; tests reach it to check what a damaged index does.
  int m_index = 0;

 private:
  template <class U>
  static constexpr int index_of() {
    constexpr bool hits[] = {impl::selects<Ts, U>()...};
    return static_cast<int>(std::find(std::begin(hits), std::end(hits), true) - std::begin(hits));
  }

  template <std::size_t I>
  using storage_type = typename impl::stored_as<alternative<I>>::type;

  template <std::size_t I, class U>
  void construct(U&& value) {
    if constexpr (std::is_reference_v<alternative<I>>)
      m_value = ::new (static_cast<void*>(m_storage)) storage_type<I>(std::addressof(value));
    else
      m_value = ::new (static_cast<void*>(m_storage)) storage_type<I>(std::forward<U>(value));
  }

  template <std::size_t I>
  storage_type<I>& raw() {
    return *std::launder(static_cast<storage_type<I>*>(m_value));
  }

  template <std::size_t I>
  decltype(auto) stored() {
    return impl::stored_as<alternative<I>>::get(raw<I>());
  }

  void copy_from(const variant& other) {
    with_index([&]<std::size_t I>() {
      m_value = ::new (static_cast<void*>(m_storage)) storage_type<I>(const_cast<variant&>(other).template raw<I>());
    });
  }

  void destroy() noexcept {
    with_index([&]<std::size_t I>() { std::destroy_at(&raw<I>()); });
    m_value = nullptr;
  }

  void check_index() const {
    if (m_index < 0 || m_index >= size) throw meta::exception();
  }

  template <class F>
  void with_index(F&& f) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
      ((m_index == static_cast<int>(I) ? (f.template operator()<I>(), true) : false) || ...);
    }
    (std::index_sequence_for<Ts...>{});
  }

  static constexpr std::size_t storage_size = std::max({sizeof(typename impl::stored_as<Ts>::type)...});
  static constexpr std::size_t storage_align = std::max({alignof(typename impl::stored_as<Ts>::type)...});

  void* m_value = nullptr;
  alignas(storage_align) unsigned char m_storage[storage_size];
};

}  // namespace ttl::var
