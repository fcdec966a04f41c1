// A change of language as the options page makes it: LoadResources for the
// other language, which finds the cached copy made for the current one,
// parses the whole resources.dat, writes the pruned copy for the new one and
// reads its layouts and strings.  The shipped resources.dat, in a private
// settings and resources folder; English and German alternate, so every run
// is a full change (the cache never matches).  The first change, on a cold
// file cache of the process, is shown on its own.
//
//   language_change_bench [RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/XmlFiles.h"

namespace {

double milliseconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The pruned copy names its language; a change that left the old copy in
// place would be timing nothing.
bool cached_copy_is_for(const std::string& language) {
  const std::filesystem::path cached =
      std::filesystem::path(std::getenv("TAVLIN_SETTINGS_DIR")) / "cached_resources.dat";
  std::FILE* file = std::fopen(cached.c_str(), "rb");
  if (file == nullptr) return false;
  std::string text(4096, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file));
  std::fclose(file);
  return text.find("value=\"" + language + "\"") != std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-language-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return 1;
  const std::filesystem::path root = pattern;
  std::filesystem::create_directory(root / "settings");
  std::filesystem::create_directory(root / "resources");
  std::filesystem::copy_file(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / "resources.dat",
                             root / "resources" / "resources.dat");
  setenv("TAVLIN_SETTINGS_DIR", (root / "settings").c_str(), 1);
  setenv("TAVLIN_RESOURCES_DIR", (root / "resources").c_str(), 1);
  ClearPathCache();
  KeepXmlWhiteSpace();

  std::printf("resources.dat: %ju bytes\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(root / "resources" / "resources.dat")));
  // Start-up has loaded English.
  if (!LoadResources(L"en", 480, 640)) {
    std::fprintf(stderr, "English does not load\n");
    return 1;
  }
  double first = 0, best = 1e300, worst = 0, total = 0;
  for (int run = 0; run < runs; ++run) {
    const bool german = run % 2 == 0;
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = LoadResources(german ? L"de" : L"en", 480, 640);
    const double ms = milliseconds_since(start);
    if (!loaded || !cached_copy_is_for(german ? "de" : "en")) {
      std::fprintf(stderr, "run %d: the change of language failed\n", run);
      return 1;
    }
    if (run == 0) first = ms;
    best = std::min(best, ms);
    worst = std::max(worst, ms);
    total += ms;
  }
  std::printf("language change, %d runs: first %.2f ms, best %.2f ms, mean %.2f ms, worst %.2f ms (aim: under 50 ms)\n",
              runs, first, best, total / runs, worst);
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return 0;
}
