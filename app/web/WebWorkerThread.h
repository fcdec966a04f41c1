// The background half of the start-up web exchange: report the statistics
// (the reply is the newest version and its address, kept for the next start)
// and fetch the logo for the next splash.  It runs on a detached thread the
// program never waits for, so it owns everything it uses: the GUI thread
// works out the host, the query path and the file paths and hands them over
// by value.  It reads no application state and no path cache, both of which
// shutdown clears while the worker may still be waiting on the network.
#pragma once

#include <string>

#include "app/web/HttpGet.h"

struct WebJob {
  std::string host;         // "name" or "name:port"
  std::string queryPath;    // StatisticsQueryPath
  std::string versionFile;  // "sudoku_version.dat", as file system bytes
  std::string logoFile;     // "sudoku_current_logo.dat", as file system bytes
  HttpLimits statisticsLimits{};
  HttpLimits logoLimits{std::chrono::milliseconds{5000}, std::chrono::milliseconds{15000}, 8 * 1024, 1024 * 1024};
};

// Runs the exchange on the calling thread; returns 0.
// 1. GETs the query path and replaces the version file with the body, or
//    with nothing when the request failed.  (A failure thus forgets a newer
//    version learnt before; the next successful start learns it again.)
// 2. GETs the logo; only a 200 body that parses as XML with an `svg` root
//    replaces the logo file, so a broken download never costs the good logo.
// Both files are replaced through a temporary file and a rename.  Nothing
// thrown leaves it.
int WebWorkerThread(WebJob job);

// Starts WebWorkerThread on a detached std::thread: a joinable thread object
// going out of scope would end the program.  False, with nothing started,
// when the system gives no thread.
bool StartWebWorker(WebJob job);

// True when the text parses (within the nesting guard) as XML whose root
// element is `svg`.
bool LooksLikeSvg(const std::string& text);
