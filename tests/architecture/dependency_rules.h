#pragma once
// The rules that keep the tree's dependencies pointing down.
//
// Every folder of code sits on a layer; a library may include and link only
// folders on lower layers (anything inside its own top folder is its own
// business).  tools/, bench/ and tests/ sit above everything and may use
// anything.  Whatever the layers, a folder's details/ is private: only code
// inside the folder that holds it includes from it.
//
// The checks read a source tree and a table of link dependencies and list
// every breach with its file and line, so a wrong dependency is reported
// where it was written.

#include <filesystem>
#include <string>
#include <vector>

namespace architecture {

// The layer of a top folder: 1 is the bottom.  kAnyLayer for the folders
// that may use everything; 0 for a folder that is not in the order at all.
constexpr int kAnyLayer = 100;
int LayerOf(const std::string& topFolder);

struct Breach {
  std::string where;  // "file:line" for an include, the library for a link
  std::string what;
};

// Every `#include "…"` in the C++ sources below root (build folders and
// hidden folders skipped).  Includes are resolved as the build resolves
// them: beside the including file first, then from the root.
std::vector<Breach> CheckIncludes(const std::filesystem::path& root);

// One line per target: "<target> <folder relative to the root> <deps…>",
// as the build writes it; dependencies that are not targets of ours
// (system libraries, imported packages) are not ours to order.
std::vector<Breach> CheckLinks(const std::string& linkTable);

// Top folders that hold code but have no place in the order.
std::vector<Breach> CheckFoldersPlaced(const std::filesystem::path& root);

std::string Describe(const std::vector<Breach>& breaches);

}  // namespace architecture
