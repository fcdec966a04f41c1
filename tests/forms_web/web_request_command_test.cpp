// The desktop's web request as start-up runs it, against a test server: the
// offer of a newer version (answered by a dialog script), what is opened,
// the anonymous id, the report's query, the link period, and that nothing
// happens without a host.
#include "platform/win32/Application/program_host.h"

#include <functional>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "app/web/AnonymousId.h"
#include "base/utf.h"
#include "tests/forms_web/web_fixture.h"
#include "tests/support/DialogScript.h"
#include "tests/support/PaintedTexts.h"

namespace web_test {
namespace {

namespace fs = std::filesystem;
using forms_test::DialogScript;

const std::string kLogo = "<svg><rect width='20' height='10' fill='#ff0000'/></svg>";
constexpr const char* kStatisticsPrefix = "/products/tavlin/sudoku_pc_stat.php?guid=";
constexpr const char* kZeros =
    "&solved_puzzles2x2=0&total_time2x2=0&solved_puzzles3x3=0&total_time3x3=0&solved_puzzles4x4=0&total_time4x4=0";

class WebRequestTest : public WebFormsTest {
 protected:
  // Runs the command with the host pointing at a fresh server that answers
  // the report with `reply` and serves a logo, then waits for the worker to
  // have stored the logo, its last step.  The server's requests.
  std::vector<std::string> RunAgainstServer(std::vector<StatisticRecord> statistics = {},
                                            const std::string& reply = "1.1 http://www.kestrelmill.example/") {
    TestHttpServer server({Ok(reply), Ok(kLogo)});
    setenv("TAVLIN_WEB_HOST", server.Host().c_str(), 1);
    fs::remove(Settings() / "sudoku_current_logo.dat");
    testing::internal::CaptureStdout();
    desktop::RequestWeb(&statistics);
    EXPECT_TRUE(WaitFor([&] { return ReadSetting("sudoku_current_logo.dat") == kLogo; })) << "the worker ran";
    testing::internal::GetCapturedStdout();
    return server.Requests();
  }

  std::string RemoteId() const { return ReadSetting("remote.dat").value_or(""); }
};

TEST_F(WebRequestTest, AnotherVersionWithAWebAddressIsOfferedAndOnlyThat) {
  const struct {
    const char* name;
    std::optional<std::string> versionFile;
    bool offered;
  } cases[] = {
      {"our version", "1.1 http://www.kestrelmill.example/tavlin", false},
      {"an older one", "1.0 http://www.kestrelmill.example/tavlin", true},
      {"a newer one", "1.2 https://www.kestrelmill.example/tavlin-1.2\n", true},
      {"no file", std::nullopt, false},
      {"an empty file", "", false},
      {"a file address", "1.2 file:///etc/passwd", false},
      {"a script address", "1.2 javascript:alert(1)", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(Settings() / "sudoku_version.dat");
    if (c.versionFile) WriteSetting("sudoku_version.dat", *c.versionFile);
    DialogScript script(main);
    std::vector<std::string> shown;
    if (c.offered) script.Answer().Do([&] { shown = forms_test::PaintedTexts(main); }).Click(15, 3);
    RunAgainstServer();
    EXPECT_TRUE(script.Done());
    if (c.offered) {
      // Strings 408 and 409 over form 15's buttons.
      for (const std::string& text :
           {wide_to_utf8(ResourceManager::GetString(408)), wide_to_utf8(ResourceManager::GetString(409)),
            std::string("Yes"), std::string("No")})
        EXPECT_NE(std::find(shown.begin(), shown.end(), text), shown.end()) << text;
    }
    EXPECT_TRUE(winapi::headless::ShellOpens().empty()) << "declined or never asked";
    EXPECT_EQ(ReadSetting("sudoku_version.dat"), "1.1 http://www.kestrelmill.example/") << "the reply is kept";
  }
}

TEST_F(WebRequestTest, AcceptingOpensTheAddress) {
  WriteSetting("sudoku_version.dat", "1.2 https://www.kestrelmill.example/tavlin-1.2");
  DialogScript script(main);
  script.Answer().Click(15, 2);
  RunAgainstServer();
  EXPECT_TRUE(script.Done());
  ASSERT_EQ(winapi::headless::ShellOpens().size(), 1u);
  EXPECT_EQ(winapi::headless::ShellOpens()[0].target, L"https://www.kestrelmill.example/tavlin-1.2");
  EXPECT_EQ(winapi::headless::ShellOpens()[0].showCommand, SW_SHOW);
}

TEST_F(WebRequestTest, TheIdIsMadeOnceAndReusedAndAGarbledOneReplaced) {
  const std::vector<std::string> first = RunAgainstServer();
  const std::string id = RemoteId();
  ASSERT_TRUE(IsAnonymousId(id)) << id;
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(RequestPath(first[0]), kStatisticsPrefix + id + kZeros) << "a player without solves sends six zeros";
  EXPECT_EQ(RequestPath(first[1]), "/products/tavlin/tavlin_logo.svg");

  EXPECT_EQ(RequestPath(RunAgainstServer()[0]), kStatisticsPrefix + id + kZeros);
  EXPECT_EQ(RemoteId(), id);

  WriteSetting("remote.dat", "ABCDEFGHIJKLMNOP");
  const std::string sent = RequestPath(RunAgainstServer()[0]);
  const std::string replaced = RemoteId();
  EXPECT_TRUE(IsAnonymousId(replaced)) << replaced;
  EXPECT_EQ(sent, kStatisticsPrefix + replaced + kZeros);
}

TEST_F(WebRequestTest, TheReportSendsThePlayersSumsPerGridSize) {
  auto record = [](int level, int dimantion, std::uint32_t seconds, std::uint32_t solved) {
    StatisticRecord r;
    r.difficulty = level;
    r.dimantion = dimantion;
    r.total_time = seconds;
    r.solved_puzzles = solved;
    return r;
  };
  WriteSetting("remote.dat", "abcdefghijklmnop");
  const std::vector<std::string> requests =
      RunAgainstServer({record(1, 0, 40, 2), record(2, 0, 60, 1), record(5, 1, 3600, 4), record(3, 2, 900, 1)});
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(RequestPath(requests[0]),
            std::string(kStatisticsPrefix) + "abcdefghijklmnop" +
                "&solved_puzzles2x2=3&total_time2x2=100&solved_puzzles3x3=4&total_time3x3=3600"
                "&solved_puzzles4x4=1&total_time4x4=900");
}

TEST_F(WebRequestTest, TheLinkPeriodRunsOnlyWithALinkAndAClickOpensIt) {
  // No link: the command returns at once.
  winapi::headless::SetTickCount(2'000'000);
  RunAgainstServer();
  EXPECT_EQ(GetTickCount(), 2'000'000u);

  setenv("TAVLIN_WEB_LINK", "https://www.kestrelmill.example/", 1);
  bool clicked = false;
  winapi::headless::SetIdleHook([&] {
    if (clicked) return false;
    winapi::headless::InjectClick(main, 240, 320);
    clicked = true;
    return true;
  });
  RunAgainstServer();
  EXPECT_EQ(GetTickCount(), 2'000'000u) << "the click ended the period";
  ASSERT_EQ(winapi::headless::ShellOpens().size(), 1u);
  EXPECT_EQ(winapi::headless::ShellOpens()[0].target, L"https://www.kestrelmill.example/");
}

TEST_F(WebRequestTest, WithoutAHostNothingIsReadWrittenAskedOrSent) {
  TestHttpServer server({Ok("1.2 http://a.example/"), Ok(kLogo)});
  setenv("TAVLIN_WEB_LINK", "https://www.kestrelmill.example/", 1);
  WriteSetting("sudoku_version.dat", "1.2 http://www.kestrelmill.example/tavlin-1.2");
  const auto before = std::distance(fs::directory_iterator(Settings()), fs::directory_iterator());
  winapi::headless::SetTickCount(2'000'000);
  DialogScript script(main);  // with no answer: a dialog would fail the test

  std::vector<StatisticRecord> statistics;
  desktop::RequestWeb(&statistics);
  setenv("TAVLIN_WEB_HOST", "bad host\r\nX: 1", 1);  // unusable is as good as unset
  desktop::RequestWeb(&statistics);

  EXPECT_EQ(GetTickCount(), 2'000'000u) << "no link period";
  EXPECT_EQ(std::distance(fs::directory_iterator(Settings()), fs::directory_iterator()), before);
  EXPECT_FALSE(ReadSetting("remote.dat"));
  EXPECT_EQ(ReadSetting("sudoku_version.dat"), "1.2 http://www.kestrelmill.example/tavlin-1.2");
  // A worker would connect within milliseconds; give it far longer.
  EXPECT_FALSE(WaitFor([&] { return server.Connections() > 0; }, std::chrono::milliseconds(300)));
}

}  // namespace
}  // namespace web_test
