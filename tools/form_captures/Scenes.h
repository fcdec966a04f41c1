#pragma once
// The scenes form_captures takes, one small function each: the main frame
// with its tab bar, and every dialog shown over it through the real window
// procedure and controller.  A new form or dialog adds a row to Scenes().

#include <functional>
#include <vector>

#include "tools/form_captures/CaptureHost.h"
#include "winapi/headless/headless.h"

namespace form_captures {

struct Scene {
  // The file name, before "_<language>.ppm".
  const char* name;
  // Drives a fresh host and answers the picture; throws when the scene
  // cannot be shown.
  std::function<winapi::Image(CaptureHost&)> capture;
};

const std::vector<Scene>& Scenes();

}  // namespace form_captures
