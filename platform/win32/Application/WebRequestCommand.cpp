// The desktop's web request, once per start and only when TAVLIN_WEB_HOST
// names the maker's server; without it nothing here reads or writes a file
// or touches the network.
//
// The GUI thread does what needs the player or the program's state: it
// offers a newer version that the last run learnt of, makes or reads the
// anonymous id, and builds the statistics report.  The exchange itself runs
// on a detached worker that is handed everything by value, since the
// program's exit neither waits for it nor keeps its state for it.  Last, when
// TAVLIN_WEB_LINK names a page, the link period lets a click open it.
#include "platform/win32/Application/program_host.h"

#include <optional>
#include <string>
#include <utility>

#include "app/Paths.h"
#include "app/web/AnonymousId.h"
#include "app/web/StatisticsQuery.h"
#include "app/web/VersionNotice.h"
#include "app/web/WebEnvironment.h"
#include "app/web/WebWorkerThread.h"
#include "base/SmallFile.h"
#include "base/utf.h"
#include "forms/web/LinkPeriod.h"
#include "forms/web/NewVersionDialog.h"
#include "platform/win32/Application/ShowSplashLogo.h"
#include "winapi/windows.h"

namespace {

constexpr const wchar_t* kVersionFile = L"sudoku_version.dat";
constexpr const wchar_t* kRemoteFile = L"remote.dat";
// Far above what the worker stores (its reply is capped lower); a larger
// file is not one it wrote.
constexpr std::size_t kMaxVersionFileBytes = 64 * 1024;

void OfferNewVersion(const std::wstring& versionFile) {
  const std::optional<std::string> text = ReadSmallFile(versionFile, kMaxVersionFileBytes);
  if (!text) return;
  const std::optional<NewVersionNotice> notice = NewVersionIn(*text);
  if (!notice || !AskAboutNewVersion()) return;
  const std::wstring address = utf8_to_wide(notice->address, utf_errors::lenient);
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

void desktop::RequestWeb(std::vector<StatisticRecord>* statistics) {
  const std::optional<std::string> host = WebHostFromEnvironment();
  if (!host) return;

  const std::wstring folder = SettingsDirectory();
  const std::wstring versionFile = JoinPath(folder, kVersionFile);
  OfferNewVersion(versionFile);

  const std::string id = ReadOrMakeAnonymousId(JoinPath(folder, kRemoteFile));
  WebJob job;
  job.host = *host;
  job.queryPath = StatisticsQueryPath(id, statistics ? *statistics : std::vector<StatisticRecord>{});
  job.versionFile = NativePath(versionFile);
  job.logoFile = NativePath(JoinPath(folder, desktop::downloaded_logo_file));
  StartWebWorker(std::move(job));

  if (const std::optional<std::string> link = WebLinkFromEnvironment()) {
    RunLinkPeriod(utf8_to_wide(*link, utf_errors::lenient));
  }
}
