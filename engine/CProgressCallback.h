#pragma once
// How a long solve or generation reports progress and learns that the player
// cancelled. The engine calls OnProgress with its count, the address of its
// own cancel flag (the callee sets it to stop the engine) and 0.

#include <cstdint>

class CProgressCallback {
 public:
  virtual void OnProgress(std::uint32_t count, bool* cancel, int reserved) = 0;

 protected:
  // The engine only borrows callbacks; it never deletes one.
  ~CProgressCallback() = default;
};
