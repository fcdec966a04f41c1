// The worker, run on the test's thread against the test server with a
// private folder: which replies replace which file, and that a download it
// refuses never costs the logo that is there.
#include "app/web/WebWorkerThread.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/app_web/test_http_server.h"

namespace web_test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

const std::string kOldLogo = "<svg><rect width='10' height='10' fill='#000000'/></svg>";
const std::string kNewLogo = "<svg><rect width='20' height='10' fill='#ff0000'/></svg>";

class WorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavlin-web-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }

  WebJob Job(const std::string& host) const {
    WebJob job;
    job.host = host;
    job.queryPath = "/products/tavlin/sudoku_pc_stat.php?guid=abcdefghijklmnop";
    job.versionFile = (folder / "sudoku_version.dat").string();
    job.logoFile = (folder / "sudoku_current_logo.dat").string();
    // The caps as the program has them, the deadlines short.
    job.statisticsLimits.connectTimeout = job.logoLimits.connectTimeout = milliseconds(500);
    job.statisticsLimits.totalTimeout = job.logoLimits.totalTimeout = milliseconds(300);
    return job;
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(folder / name, std::ios::binary) << text;
  }
  std::optional<std::string> Read(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder;
};

TEST_F(WorkerTest, TheVersionFileIsAlwaysRewrittenAndTheLogoOnlyWithAnSvg) {
  struct Case {
    const char* name;
    std::vector<Reply> replies;  // the statistics request, then the logo
    std::string version;         // the version file afterwards
    std::string logo;            // the logo file afterwards
  };
  std::string deep = "<svg>";
  for (int k = 0; k < 5000; ++k) deep += "<g>";
  for (int k = 0; k < 5000; ++k) deep += "</g>";
  deep += "</svg>";
  const Case cases[] = {
      {"both 200",
       {Ok("1.2 http://www.kestrelmill.example/new"), Ok(kNewLogo)},
       "1.2 http://www.kestrelmill.example/new",
       kNewLogo},
      {"logo 404",
       {Ok("1.1 http://a.example/"), Response("HTTP/1.0 404 Not Found", kNewLogo)},
       "1.1 http://a.example/",
       kOldLogo},
      {"logo is HTML", {Ok("1.1 x"), Ok("<html><body>moved</body></html>")}, "1.1 x", kOldLogo},
      {"logo is not XML", {Ok("1.1 x"), Ok("\x89PNG\r\n\x1a\n")}, "1.1 x", kOldLogo},
      {"logo is cut off", {Ok("1.1 x"), Ok(kNewLogo.substr(0, 30))}, "1.1 x", kOldLogo},
      {"logo nests too deep", {Ok("1.1 x"), Ok(deep)}, "1.1 x", kOldLogo},
      {"logo over 1 MiB", {Ok("1.1 x"), Ok("<svg>" + std::string(1024 * 1024, ' ') + "</svg>")}, "1.1 x", kOldLogo},
      {"logo stalls", {Ok("1.1 x"), {Ok(kNewLogo).bytes, true}}, "1.1 x", kOldLogo},
      {"statistics 500", {Response("HTTP/1.0 500 Oops", "1.2 x"), Ok(kNewLogo)}, "", kNewLogo},
      {"statistics over 4 KiB", {Ok(std::string(4097, 'v')), Ok(kNewLogo)}, "", kNewLogo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write("sudoku_version.dat", "1.5 http://old.example/");
    Write("sudoku_current_logo.dat", kOldLogo);
    TestHttpServer server(c.replies);
    testing::internal::CaptureStdout();  // the status lines
    EXPECT_EQ(WebWorkerThread(Job(server.Host())), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Read("sudoku_version.dat"), c.version);
    EXPECT_EQ(Read("sudoku_current_logo.dat"), c.logo);
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(RequestPath(server.Requests()[0]), "/products/tavlin/sudoku_pc_stat.php?guid=abcdefghijklmnop");
    EXPECT_EQ(RequestPath(server.Requests()[1]), "/products/tavlin/tavlin_logo.svg");
  }
  // Nothing but the two files: no temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST_F(WorkerTest, WithoutAServerTheVersionFileIsEmptiedAndTheLogoKept) {
  Write("sudoku_version.dat", "1.5 http://old.example/");
  Write("sudoku_current_logo.dat", kOldLogo);
  EXPECT_EQ(WebWorkerThread(Job("127.0.0.1:" + std::to_string(ClosedPort()))), 0);
  EXPECT_EQ(Read("sudoku_version.dat"), "");
  EXPECT_EQ(Read("sudoku_current_logo.dat"), kOldLogo);
}

TEST_F(WorkerTest, FilesThatDidNotExistAreCreated) {
  TestHttpServer server({Ok("1.2 http://a.example/"), Ok(kNewLogo)});
  EXPECT_EQ(WebWorkerThread(Job(server.Host())), 0);
  EXPECT_EQ(Read("sudoku_version.dat"), "1.2 http://a.example/");
  EXPECT_EQ(Read("sudoku_current_logo.dat"), kNewLogo);
}

TEST_F(WorkerTest, TheDetachedWorkerNeedsNothingButItsJob) {
  TestHttpServer server({Ok("1.2 http://a.example/"), Ok(kNewLogo)});
  {
    WebJob job = Job(server.Host());
    StartWebWorker(std::move(job));
  }  // the job given is gone; the worker has its own copy
  EXPECT_TRUE(WaitFor([&] { return Read("sudoku_current_logo.dat") == kNewLogo; }));
  EXPECT_EQ(Read("sudoku_version.dat"), "1.2 http://a.example/");
}

TEST(LooksLikeSvgTest, OnlyXmlWithAnSvgRootIsAnSvg) {
  const struct {
    const char* text;
    bool svg;
  } cases[] = {
      {"<svg/>", true},
      {"<?xml version='1.0'?>\n<!-- logo -->\n<svg width='10'><g/></svg>", true},
      {"", false},
      {"<svgx/>", false},
      {"<html><svg/></html>", false},
      {"<svg>", false},
      {"<svg/><svg/>", true},  // several roots parse; the first one decides
      {"<html/><svg/>", false},
      {"text", false},
  };
  for (const auto& c : cases) EXPECT_EQ(LooksLikeSvg(c.text), c.svg) << c.text;
}

}  // namespace
}  // namespace web_test
