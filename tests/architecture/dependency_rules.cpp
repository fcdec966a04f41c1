#include "tests/architecture/dependency_rules.h"

#include <fstream>
#include <map>
#include <sstream>

namespace architecture {

namespace fs = std::filesystem;

namespace {

// Bottom to top.  Two folders on one layer know nothing of each other.
const std::map<std::string, int>& Layers() {
  static const std::map<std::string, int> layers = {
      {"base", 1},          {"ttl", 1},                                  //
      {"engine", 2},        {"winapi", 2},                               //
      {"svg", 3},                                                        //
      {"notus", 4},                                                      // core, widgets and Win32 side
      {"game", 5},                                                       //
      {"app", 6},                                                        //
      {"forms", 7},                                                      // views, frame, forms, web
      {"startup", 8},                                                    //
      {"platform", 9},                                                   // the two programs and their host
      {"tools", kAnyLayer}, {"bench", kAnyLayer}, {"tests", kAnyLayer},  //
  };
  return layers;
}

std::string TopFolder(const std::string& relativePath) { return relativePath.substr(0, relativePath.find('/')); }

bool IsSource(const fs::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".h" || extension == ".hpp" || extension == ".cpp" || extension == ".cc" || extension == ".inl";
}

bool IsSkippedFolder(const fs::path& path) {
  const std::string name = path.filename().string();
  return name.empty() || name[0] == '.' || name.rfind("build", 0) == 0;
}

// "a/b/c.h" with the folders of `from` (relative to the root) in front
// when the file is there, else the path as written from the root.
std::string Resolve(const fs::path& root, const fs::path& fromFolder, const std::string& included) {
  const fs::path beside = fromFolder / included;
  if (fs::exists(root / beside)) return beside.lexically_normal().generic_string();
  return fs::path(included).lexically_normal().generic_string();
}

// Why `from` may not depend on `to` (both relative paths); empty when it may.
std::string RuleBroken(const std::string& from, const std::string& to) {
  const std::size_t details = to.find("/details/");
  if (details != std::string::npos) {
    const std::string owner = to.substr(0, details + 1);
    if (from.rfind(owner, 0) != 0) return "reaches into " + owner + "details/, which is private to " + owner;
  }
  const std::string fromTop = TopFolder(from);
  const std::string toTop = TopFolder(to);
  if (fromTop == toTop) return "";
  const int fromLayer = LayerOf(fromTop);
  const int toLayer = LayerOf(toTop);
  if (fromLayer == kAnyLayer || toLayer == 0 || fromLayer == 0) return "";
  if (toLayer < fromLayer) return "";
  return fromTop + "/ (layer " + std::to_string(fromLayer) + ") depends on " + toTop + "/ (layer " +
         std::to_string(toLayer) + ")" + (toLayer == fromLayer ? ", a folder on its own layer" : ", a higher layer");
}

// The path of a `#include "…"` line; empty for any other line.
std::string QuotedInclude(const std::string& line) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line[at] != '#') return "";
  at = line.find_first_not_of(" \t", at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return "";
  at = line.find_first_not_of(" \t", at + 7);
  if (at == std::string::npos || line[at] != '"') return "";
  const std::size_t end = line.find('"', at + 1);
  return end == std::string::npos ? "" : line.substr(at + 1, end - at - 1);
}

}  // namespace

int LayerOf(const std::string& topFolder) {
  const auto found = Layers().find(topFolder);
  return found == Layers().end() ? 0 : found->second;
}

std::vector<Breach> CheckIncludes(const fs::path& root) {
  std::vector<Breach> breaches;
  for (auto entry = fs::recursive_directory_iterator(root); entry != fs::recursive_directory_iterator(); ++entry) {
    if (entry->is_directory() && IsSkippedFolder(entry->path())) {
      entry.disable_recursion_pending();
      continue;
    }
    if (!entry->is_regular_file() || !IsSource(entry->path())) continue;
    const fs::path relative = entry->path().lexically_relative(root);
    const std::string from = relative.generic_string();
    std::ifstream in(entry->path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string included = QuotedInclude(line);
      if (included.empty()) continue;
      const std::string to = Resolve(root, relative.parent_path(), included);
      const std::string broken = RuleBroken(from, to);
      if (!broken.empty()) {
        breaches.push_back({from + ":" + std::to_string(number), "includes \"" + to + "\": " + broken});
      }
    }
  }
  return breaches;
}

std::vector<Breach> CheckLinks(const std::string& linkTable) {
  std::map<std::string, std::string> folderOf;
  std::vector<std::pair<std::string, std::vector<std::string>>> links;
  std::istringstream lines(linkTable);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string target, folder, dependency;
    if (!(words >> target >> folder)) continue;
    folderOf[target] = folder;
    links.push_back({target, {}});
    while (words >> dependency) links.back().second.push_back(dependency);
  }
  std::vector<Breach> breaches;
  for (const auto& [target, dependencies] : links) {
    for (const std::string& dependency : dependencies) {
      const auto found = folderOf.find(dependency);
      if (found == folderOf.end()) continue;
      const std::string broken = RuleBroken(folderOf[target] + "/", found->second + "/");
      if (!broken.empty()) breaches.push_back({target, "links " + dependency + ": " + broken});
    }
  }
  return breaches;
}

std::vector<Breach> CheckFoldersPlaced(const fs::path& root) {
  std::vector<Breach> breaches;
  for (const auto& top : fs::directory_iterator(root)) {
    if (!top.is_directory() || IsSkippedFolder(top.path())) continue;
    const std::string name = top.path().filename().string();
    if (LayerOf(name) != 0) continue;
    for (const auto& entry : fs::recursive_directory_iterator(top.path())) {
      if (entry.is_regular_file() && IsSource(entry.path())) {
        breaches.push_back({name + "/", "holds code but has no layer in the order"});
        break;
      }
    }
  }
  return breaches;
}

std::string Describe(const std::vector<Breach>& breaches) {
  std::string text;
  for (const Breach& breach : breaches) text += breach.where + ": " + breach.what + "\n";
  return text;
}

}  // namespace architecture
