// Alone in its object file, so that a program can bring its own definition
// (see AboutText.h): nothing else may live here, or the library's object
// would be pulled in beside it.
#include "forms/about/AboutText.h"

namespace aboutform {

#ifdef TAVLIN_HANDHELD
bool HandheldBuild() { return true; }
#else
bool HandheldBuild() { return false; }
#endif

}  // namespace aboutform
