// Handle values for the core's objects.
//
// A handle is a serial number shifted left by four with a per-type tag in
// the low bits.  Serial numbers are never reused (not even after
// ResetState), so a stale handle can never name a newer object, and a handle
// of one type (a DC, say) is never found in the table of another.  Values
// start at 16, clear of the small constants such as HWND_BOTTOM.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace winapi::core {

std::uintptr_t NextHandleSerial();

template <class Object, unsigned Tag>
class HandleTable {
  static_assert(Tag > 0 && Tag < 16);

 public:
  std::uintptr_t Add(std::unique_ptr<Object> object) {
    const std::uintptr_t key = (NextHandleSerial() << 4) | Tag;
    objects_.emplace(key, std::move(object));
    return key;
  }

  Object* Find(std::uintptr_t key) const {
    const auto found = objects_.find(key);
    return found == objects_.end() ? nullptr : found->second.get();
  }

  std::unique_ptr<Object> Remove(std::uintptr_t key) {
    const auto found = objects_.find(key);
    if (found == objects_.end()) {
      return nullptr;
    }
    std::unique_ptr<Object> object = std::move(found->second);
    objects_.erase(found);
    return object;
  }

  // Keys in creation order; a copy, so callers may add or remove while
  // walking it.
  std::vector<std::uintptr_t> Keys() const {
    std::vector<std::uintptr_t> keys;
    keys.reserve(objects_.size());
    for (const auto& entry : objects_) {
      keys.push_back(entry.first);
    }
    return keys;
  }

  void Clear() { objects_.clear(); }

 private:
  std::map<std::uintptr_t, std::unique_ptr<Object>> objects_;
};

}  // namespace winapi::core
