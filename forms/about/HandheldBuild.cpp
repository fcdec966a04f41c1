#include "forms/about/AboutText.h"
#include "forms/common/ProgramHost.h"

namespace aboutform {

bool HandheldBuild() { return InstalledProgramHost().kind == ProgramKind::handheld; }

}  // namespace aboutform
