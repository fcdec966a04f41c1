// The desktop's web request.  Until the program talks to the maker's server
// it does nothing: no version check, no statistics report, no logo download
// (the splash then keeps the built-in logo).
#include "startup/WebRequestCommand.h"

void WebRequestCommand::Execute() {}
