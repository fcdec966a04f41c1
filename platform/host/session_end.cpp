#include "platform/host/session_end.h"

#include "startup/RunApplication.h"
#include "winapi/close_signals.h"
#include "winapi/sdl/sdl.h"

namespace host {

void EndSessionsSoundly() {
  winapi::CloseOnTerminationSignals();
  winapi::sdl::OnDisplayLost(&SaveRunningSession);
}

}  // namespace host
