#include "app/web/WebWorkerThread.h"

#include "app/web/StatisticsQuery.h"
#include "base/GuardedXml.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// Writes a temporary file beside `path` and renames it over it.  Not
// ReplaceFileAtomically: that one reports a failure to the player through
// the GUI, which this thread must not touch; a lost download is no news.
// The temporary name has the form that RemoveStaleTemporaryFiles clears
// after a killed run.
bool ReplaceQuietly(const std::string& path, std::string_view bytes) {
  std::string temporary = path + ".tavlin-tmp.XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  bool written = true;
  for (std::size_t done = 0; done < bytes.size() && written;) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      written = false;
    }
  }
  written = written && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

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
    ReplaceQuietly(job.versionFile, body);

    std::string logo;
    if (HttpGet(job.host, kLogoRequestPath, logo, job.logoLimits) == 0 && LooksLikeSvg(logo)) {
      ReplaceQuietly(job.logoFile, logo);
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
