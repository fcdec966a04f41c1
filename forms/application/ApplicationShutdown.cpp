#include "forms/application/ApplicationShutdown.h"

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/SessionMemory.h"
#include "forms/common/Application.h"
#include "game/CommandHistory.h"

// The pending form command and the undo history belong to the application
// object and go with it; the history goes here as well when something else
// made one.
void ShutdownApplication(std::unique_ptr<Application> application) {
  if (application) {
    application->currentForm.reset();
    application.reset();
  }
  ClearPathCache();
  SessionMemory::Clear();
  ResourceManager::Clear();
  CommandHistory::Destroy();
}
