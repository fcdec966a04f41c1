#pragma once
// A bounded stack of branch points, allocated once. A push onto a full stack
// fails (no exception). A pop leaves the item where it is and hands it out, so
// a caller can change it and push it again without copying it anywhere else.

#include <cstdint>
#include <memory>

template <typename T>
class kmxCTSteck {
 public:
  explicit kmxCTSteck(std::uint32_t capacity) : m_capacity(capacity), m_items(new T[capacity]) {}
  virtual ~kmxCTSteck() = default;
  kmxCTSteck(const kmxCTSteck&) = delete;
  kmxCTSteck& operator=(const kmxCTSteck&) = delete;

  // Copies item into the next slot; false when the stack is full. Pushing the
  // item that the last Pop handed out only raises the count.
  bool Push(const T& item) {
    if (m_count == m_capacity) return false;
    T& slot = m_items[m_count];
    if (&slot != &item) slot = item;
    ++m_count;
    return true;
  }

  // The slot the next Push fills, for building an item in place; null when
  // the stack is full. Push(*slot) then commits it.
  T* NextSlot() { return m_count == m_capacity ? nullptr : &m_items[m_count]; }

  // The top item, now outside the stack but still in its slot; null when empty.
  T* Pop() {
    if (m_count == 0) return nullptr;
    return &m_items[--m_count];
  }

  T* Top() { return m_count == 0 ? nullptr : &m_items[m_count - 1]; }

  std::uint32_t GetCount() const { return m_count; }
  std::uint32_t GetCapacity() const { return m_capacity; }
  bool IsEmpty() const { return m_count == 0; }
  bool IsFull() const { return m_count == m_capacity; }

 private:
  std::uint32_t m_capacity;
  std::uint32_t m_count = 0;
  std::unique_ptr<T[]> m_items;
};
