// Captures every form and dialog of the program as the player sees it, in
// every language of the resource file, so layouts and texts can be judged
// by eye: each scene (Scenes.h) runs on a fresh headless host (CaptureHost.h)
// through the real main window procedure and controller, and its picture is
// written as <out folder>/<scene>_<language>.ppm for the desktop, and as
// <out folder>/handheld_<W>x<H>_<scene>_<language>.ppm for the handheld on
// each screen of CaptureHost.h's kHandhelds, where the layouts are scaled.
//
//   capture_forms <resources folder/> <settings folder> <out folder>
//
// Each text a box cuts (wider than its box, or much lower) and each text
// another window paints over is listed on stdout with its scene, and so is
// each text drawn smaller than the program's text size to fit its box.  A scene that fails is reported and skipped; the
// others are still written, and the exit status is then 1.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "base/utf.h"
#include "tools/form_captures/CaptureHost.h"
#include "tools/form_captures/Scenes.h"
#include "tools/picture_file/PpmFile.h"

namespace {

using form_captures::CaptureHost;
using form_captures::Device;
using form_captures::Scene;

bool CaptureScene(const Scene& scene, const std::wstring& language, const Device& device,
                  const std::string& outFolder) {
  const std::string name = std::string(device.prefix) + scene.name;
  const std::string file = outFolder + "/" + name + "_" + wide_to_utf8(language) + ".ppm";
  try {
    winapi::Image picture;
    {
      CaptureHost host(language, device);
      picture = scene.capture(host);
      // The splash draws its texts past the drawing device, and a paint
      // would cover it.
      if (!host.CheckedTexts() && std::string(scene.name) != "splash") host.CheckTexts();
      for (const std::string& cut : host.CutTexts())
        std::printf("capture_forms: %s, %s: %s\n", name.c_str(), wide_to_utf8(language).c_str(), cut.c_str());
      for (const std::string& smaller : host.SmallerTexts())
        std::printf("capture_forms: %s, %s: %s\n", name.c_str(), wide_to_utf8(language).c_str(), smaller.c_str());
    }
    if (!picture_file::WritePpm(file, picture.width, picture.height, picture.pixels)) {
      std::fprintf(stderr, "capture_forms: cannot write %s\n", file.c_str());
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "capture_forms: %s, %s: %s\n", name.c_str(), wide_to_utf8(language).c_str(), e.what());
  } catch (const char* text) {
    // What a glyph that cannot be drawn throws.
    std::fprintf(stderr, "capture_forms: %s, %s: %s\n", name.c_str(), wide_to_utf8(language).c_str(), text);
  } catch (...) {
    std::fprintf(stderr, "capture_forms: %s, %s: failed\n", name.c_str(), wide_to_utf8(language).c_str());
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: capture_forms <resources folder/> <settings folder> <out folder>\n");
    return 2;
  }
  const std::string resources = argv[1];
  setenv("TAVLIN_RESOURCES_DIR", resources.c_str(), 1);
  setenv("TAVLIN_SETTINGS_DIR", argv[2], 1);
  ClearPathCache();

  const std::vector<std::wstring> languages = ReadSupportedLanguages(ResourcesFileName());
  ResourceManager::Clear();
  if (languages.empty()) {
    std::fprintf(stderr, "capture_forms: %sresources.dat names no language\n", resources.c_str());
    return 1;
  }
  int failed = 0;
  std::vector<Device> devices = {form_captures::kDesktop};
  devices.insert(devices.end(), std::begin(form_captures::kHandhelds), std::end(form_captures::kHandhelds));
  for (const Device& device : devices) {
    for (const std::wstring& language : languages) {
      for (const Scene& scene : form_captures::Scenes()) {
        if (!CaptureScene(scene, language, device, argv[3])) ++failed;
      }
    }
  }
  std::printf("capture_forms: %zu scenes in %zu languages on %zu screens, %d failed\n", form_captures::Scenes().size(),
              languages.size(), devices.size(), failed);
  return failed == 0 ? 0 : 1;
}
