#include "winapi/backend.h"

#include "winapi/close_signals.h"
#include "winapi/gdi_objects.h"
#include "winapi/message_queue.h"
#include "winapi/resources.h"
#include "winapi/timers.h"
#include "winapi/window_registry.h"

#include <cstdio>
#include <cstdlib>

namespace winapi {
namespace {

// Constant-initialised, so a backend may install itself from any static
// constructor, whatever the order in which translation units start.
Backend* g_backend = nullptr;

}  // namespace

Backend* InstallBackend(Backend* backend) {
  Backend* previous = g_backend;
  g_backend = backend;
  return previous;
}

Backend* InstalledBackend() { return g_backend; }

Backend& CurrentBackend() {
  if (g_backend == nullptr) {
    std::fputs("winapi: no backend is installed; link winapi_headless or winapi_sdl\n", stderr);
    std::abort();
  }
  return *g_backend;
}

void ResetState() {
  core::ResetQueue();
  core::ForgetTerminationRequest();
  core::ResetTimers();
  core::ResetGdiObjects();
  core::ResetWindows();
  ClearStringResources();
}

}  // namespace winapi
