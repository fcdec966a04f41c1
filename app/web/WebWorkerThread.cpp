#include "app/web/WebWorkerThread.h"

#include "app/web/StatisticsQuery.h"
#include "base/GuardedXml.h"
#include "base/SmallFile.h"

#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

bool LooksLikeSvg(const std::string& text) {
  TiXmlDocument document;
  if (!ParseGuardedXml(text, document)) return false;
  const TiXmlElement* root = document.RootElement();
  return root != nullptr && std::string_view(root->Value()) == "svg";
}

int WebWorkerThread(WebJob job) {
  try {
    std::string body;
    if (HttpGet(job.host, job.queryPath, body, job.statisticsLimits) != 0) body.clear();
    // The player is not told of a lost download: the next start tries again.
    ReplaceFileQuietly(job.versionFile, body);

    std::string logo;
    if (HttpGet(job.host, kLogoRequestPath, logo, job.logoLimits) == 0 && LooksLikeSvg(logo)) {
      ReplaceFileQuietly(job.logoFile, logo);
    }
  } catch (...) {
    // Out of memory at worst; the files stay as they were.
  }
  return 0;
}

bool StartWebWorker(WebJob job) {
  try {
    std::thread(WebWorkerThread, std::move(job)).detach();
    return true;
  } catch (const std::system_error&) {
    // No thread to be had: this start goes without the exchange, which is
    // better than a start-up that ends in an exception.
    return false;
  }
}
