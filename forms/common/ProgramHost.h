// What a program's host hands the shared game: which program it is and what
// only the host can do (the screen's size, the splash, the web request,
// keeping the device awake).  Each program's entry fills one in and passes
// it to RunApplication, which installs it before the first form; the
// commands the forms and start-up run (GetCurrentScreenResolutionCommand,
// SuspendKillerCommand, ShowSplashLogo, WebRequestCommand, the about text's
// HandheldBuild) ask the installed one.  A value handed over at start keeps
// one definition of each of them, whichever program links them.
//
// An empty function means the program has nothing to do there: no splash,
// no web request, nothing to keep awake.  Until a host installs its own,
// the default one stands: the desktop's kind and the 480 by 640 screen the
// layouts are drawn for.
#pragma once

#include <functional>
#include <vector>

#include "app/Statistics.h"

enum class ProgramKind { desktop, handheld };

struct ScreenSize {
  int width = 480;
  int height = 640;
};

struct ProgramHost {
  ProgramKind kind = ProgramKind::desktop;
  // The screen the layouts are loaded for; empty: ScreenSize's default.
  std::function<ScreenSize()> screenSize;
  // Draws the splash over the whole main window and paints it at once.
  std::function<void()> showSplash;
  // The once-per-start exchange with the maker's web server, given the
  // application's statistics, whose totals it reports.
  std::function<void(std::vector<StatisticRecord>* statistics)> requestWeb;
  // True while a puzzle is on screen, false once it goes.
  std::function<void(bool keepAwake)> keepAwake;
};

// Replaces the installed host; ProgramHost{} brings the default back.
void InstallProgramHost(ProgramHost host);
const ProgramHost& InstalledProgramHost();
