// The HTTP client against a server that misbehaves on purpose: what each
// reply gives back, what goes on the wire, what is printed, and that no
// reply keeps the client past its deadlines or its caps.
#include "app/web/HttpGet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/app_web/test_http_server.h"

namespace web_test {
namespace {

using std::chrono::milliseconds;

// Deadlines a test can wait out: a stalled server costs a fifth of a second.
// A server that replies and closes gets a deadline it never meets even on a
// loaded machine, so only the stalls end by the clock.
HttpLimits QuickLimits(std::size_t maxBody, bool stalls = false) {
  return {milliseconds(500), stalls ? milliseconds(200) : milliseconds(10000), 8 * 1024, maxBody};
}

// Far more than any deadline above, and far less than a client without one
// would wait.
constexpr auto kBound = std::chrono::seconds(3);

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t k = 0; k < size; ++k) bytes[k] = static_cast<char>(k * 7 + k / 251);
  return bytes;
}

TEST(HttpGetTest, RepliesGiveTheirResultBodyAndStdoutLine) {
  const std::string big = Pattern(200 * 1024);
  struct Case {
    const char* name;
    Reply reply;
    std::size_t maxBody;
    int result;
    std::string body;
    std::string printed;
  };
  const Case cases[] = {
      {"200, empty body", Ok(""), 4096, 0, "", ""},
      {"200, 200 KB body", Ok(big), 1024 * 1024, 0, big, ""},
      {"200, no headers, body up to the close", {"HTTP/1.1 200 OK\r\n\r\nversion 1.2"}, 4096, 0, "version 1.2", ""},
      {"200, body exactly at the cap", Ok(std::string(4096, 'x')), 4096, 0, std::string(4096, 'x'), ""},
      {"404", Response("HTTP/1.0 404 Not Found", "gone"), 4096, 1, "", "Response returned with status code 404\n"},
      {"302 is not followed",
       {"HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/elsewhere\r\n\r\n"},
       4096,
       1,
       "",
       "Response returned with status code 302\n"},
      {"garbage", {"garbage\r\n"}, 4096, 1, "", "Invalid response\n"},
      {"not HTTP", {"FTP/1.0 200 OK\r\n\r\nbody"}, 4096, 1, "", "Invalid response\n"},
      {"no status code", {"HTTP/1.0 OK\r\n\r\nbody"}, 4096, 1, "", "Invalid response\n"},
      {"closes before the status line", {""}, 4096, -1, "", ""},
      {"closes inside the status line", {"HTTP/1.0 200"}, 4096, -1, "", ""},
      {"closes inside the headers", {"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n"}, 4096, -1, "", ""},
      {"headers never finished", {"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n", true}, 4096, -1, "", ""},
      {"status line never finished", {"HTTP/1.0 200 OK", true}, 4096, -1, "", ""},
      {"stalled body", {Ok(std::string(100, 'x')).bytes, true}, 4096, -1, "", ""},
      {"body over the cap", Ok(std::string(4097, 'x')), 4096, -1, "", ""},
      {"body far over the cap", Ok(big), 4096, -1, "", ""},
      {"headers over their cap",
       {Ok("x").bytes.insert(17, "X-Padding: " + std::string(9000, 'p') + "\r\n")},
       4096,
       -1,
       "",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestHttpServer server({c.reply});
    std::string body = "left over";
    const auto start = std::chrono::steady_clock::now();
    testing::internal::CaptureStdout();
    const int result = HttpGet(server.Host(), "/products/tavlin/x?a=1", body, QuickLimits(c.maxBody, c.reply.stall));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kBound);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(body.size(), c.body.size());
    EXPECT_TRUE(body == c.body);  // not printed: 200 KB of bytes
    EXPECT_EQ(printed, c.printed);
  }
}

TEST(HttpGetTest, TheRequestBytesAreExactlyTheOneGetOfHttp10) {
  TestHttpServer server({Ok("")});
  std::string body;
  ASSERT_EQ(
      HttpGet(server.Host(), "/products/tavlin/sudoku_pc_stat.php?guid=abc&total_time2x2=0", body, QuickLimits(4096)),
      0);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            "GET /products/tavlin/sudoku_pc_stat.php?guid=abc&total_time2x2=0 HTTP/1.0\r\n"
            "Host: " +
                server.Host() + "\r\nAccept: */*\r\nConnection: close\r\n\r\n");
}

TEST(HttpGetTest, NoServerOrNoSuchHostFailsInBoundedTime) {
  const std::string hosts[] = {"127.0.0.1:" + std::to_string(ClosedPort()), "127.0.0.1:notaport"};
  for (const std::string& host : hosts) {
    SCOPED_TRACE(host);
    std::string body = "left over";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(HttpGet(host, "/", body, QuickLimits(4096)), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, kBound);
    EXPECT_EQ(body, "");
  }
}

}  // namespace
}  // namespace web_test
