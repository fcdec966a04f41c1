#include "startup/RunApplication.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "app/UserSettings.h"
#include "app/Users.h"
#include "forms/application/ApplicationShutdown.h"
#include "forms/application/GetCurrentScreenResolutionCommand.h"
#include "forms/application/SavedGameCommands.h"
#include "forms/application/UserSettingsCommands.h"
#include "forms/common/Application.h"
#include "forms/dialogs/LoadCurrentUserSettings.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/language/LanguageChangeCommand.h"
#include "forms/progress/GenerateGridCommand.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "startup/Splash.h"
#include "startup/StartupInstalls.h"
#include "startup/StartupSteps.h"
#include "startup/WaitPumpingMessages.h"
#include "startup/WebRequestCommand.h"
#include "winapi/windows.h"

namespace {

constexpr DWORD kMillisecondsPerSecond = 1000;
// A first game, when none was restored: 9x9 for a beginner.
constexpr int kFirstBoxSize = 3;
constexpr std::uint32_t kFirstLevel = 1;

DWORD WholeSeconds() { return GetTickCount() / kMillisecondsPerSecond; }

// Whether the application holds the player's settings and a game, so that
// saving them keeps the player's work rather than replacing it.
bool g_sessionSavable = false;

// Everything is written before anything of the screen is torn down: a
// display lost while the forms go (a logout; the handheld's game form
// gives the screen saver back through it) then finds the work saved and
// has nothing left to save.  Until both writes have returned the lost
// display's save still runs, so a display lost in between (a failed save's
// box) writes them again rather than leaving the game unsaved.
void Shutdown(std::unique_ptr<Application> application) {
  SaveRunningSession();
  g_sessionSavable = false;
  ShutdownApplication(std::move(application));
}

// Whatever leaves the main loop (a fault in a handler deep inside a dialog)
// would otherwise skip the saves, and the player would lose the options,
// the statistics and the game of the whole session.  Saving what the
// application holds is safe: every command leaves it consistent between
// messages, and the writes replace their files atomically.
void RunMainLoopThenShutdown(std::unique_ptr<Application> application) {
  try {
    notus::impl::details::app::run_message_loop();
  } catch (...) {
    Shutdown(std::move(application));
    throw;
  }
  Shutdown(std::move(application));
}

}  // namespace

// The player's options and statistics first, so that they are kept even if
// writing the game fails.
void SaveRunningSession() {
  if (!g_sessionSavable) return;
  SaveGameOptionsToCurrentUserCommand().Execute();
  SerializeGameXMLCommand().Execute();
}

int RunApplication(const ProgramHost& host) {
  InstallProgramHost(host);
  InstallStartupServices();

  data_objects::users users;
  startup::LoadPlayers(users);
  UserSettings settings(GetCurrentUserName(users));
  LoadUserSettings(settings, users.currentId);
  const bool cachedResourcesUsable = startup::CachedResourcesUsable();

  GetCurrentScreenResolutionCommand screen;
  screen.Execute();
  const std::wstring language = startup::LoadLanguageResources(settings.options.language, screen.width, screen.height);

  if (Application::Instance() != nullptr) ThrowOnlyOneDomain();
  auto application = std::make_unique<Application>();

  ShowSplashLogo();
  const DWORD splashSecond = WholeSeconds();
  startup::LoadArt();

  LoadCurrentUserSpecificSettings_Command().Execute();
  // The options name the language the texts are in, also when the stored
  // one had to be replaced; the correction is saved with them.
  application->options.language = language;
  DeserializeGameXMLCommand restore(false);
  restore.Execute();
  if (!cachedResourcesUsable) LanguageChangeCommand(false).Execute();
  if (!restore.loaded) GenerateGrid_Command(kFirstBoxSize, kFirstLevel).Execute();
  g_sessionSavable = true;
  WebRequestCommand(&application->statistics).Execute();

  WaitPumpingMessages(startup::SplashSecondsLeft(WholeSeconds() - splashSecond));
  ShowGameFormCommand(false).Execute();
  RunMainLoopThenShutdown(std::move(application));
  return 0;
}
