// The handheld talks to no web server: no version check, no statistics
// report, no logo download.
#include "startup/WebRequestCommand.h"

void WebRequestCommand::Execute() {}
