#include "forms/common/ProgramHost.h"

#include <utility>

namespace {

ProgramHost& Installed() {
  static ProgramHost host;
  return host;
}

}  // namespace

void InstallProgramHost(ProgramHost host) { Installed() = std::move(host); }

const ProgramHost& InstalledProgramHost() { return Installed(); }
